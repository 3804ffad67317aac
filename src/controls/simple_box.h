#pragma once

#include "platform/container.h"

namespace lumora::controls {

// A plain coloured panel that holds a whole page area.
class SimpleBox final : public platform::Container {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SimpleBox)

 public:
  explicit SimpleBox(QWidget* parent = nullptr);

  // The box's background takes the theme's light colour.
  void ResetControl();
  bool ShowThis() const { return showThis_; }
  // Stores the flag and asks the host to show or hide the box, also when
  // the value does not change.
  void SetShowThis(bool showThisValue);

 signals:
  void MakeVisible(bool VisibleControl);

 private:
  bool showThis_ = false;
};

}  // namespace lumora::controls
