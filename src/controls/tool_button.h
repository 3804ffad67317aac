#pragma once

#include "platform/form_element.h"

namespace lumora::controls {

// A toolbar button with a picture, an optional caption and a command number.
class ToolButton final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ToolButton)

 public:
  explicit ToolButton(QWidget* parent = nullptr);
};

}  // namespace lumora::controls
