#include "controls/command_button.h"

namespace lumora::controls {

CommandButton::CommandButton(QWidget* parent) : platform::FormElement(parent) {}

}  // namespace lumora::controls
