#pragma once

#include "platform/form_element.h"

namespace lumora::controls {

// The program's push button.
class CommandButton final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(CommandButton)

 public:
  explicit CommandButton(QWidget* parent = nullptr);
};

}  // namespace lumora::controls
