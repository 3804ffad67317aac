#pragma once

#include "platform/container.h"

namespace lumora::controls {

// The status box shown in front of the page during long operations.
class ControllerBox final : public platform::Container {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ControllerBox)

 public:
  explicit ControllerBox(QWidget* parent = nullptr);
};

}  // namespace lumora::controls
