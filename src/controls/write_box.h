#pragma once

#include "platform/form_element.h"

namespace lumora::controls {

// The single-line text entry in a themed frame.
class WriteBox final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(WriteBox)

 public:
  explicit WriteBox(QWidget* parent = nullptr);

  QString Text() const { return text_; }
  void SetText(const QString& textValue);

 signals:
  void KeyPressed(int KeyCode, int Shift);
  void Changed();

 private:
  QString text_;
};

}  // namespace lumora::controls
