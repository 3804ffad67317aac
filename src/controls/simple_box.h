#pragma once

#include "controls/skin.h"
#include "platform/container.h"

namespace lumora::controls {

// A plain coloured panel that holds a whole page area.
class SimpleBox final : public platform::Container {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SimpleBox)

 public:
  explicit SimpleBox(QWidget* parent = nullptr);

  // The box's background takes the theme's light colour.
  void ResetControl(SharedSkin skin);
};

}  // namespace lumora::controls
