#include "controls/tool_button.h"

namespace lumora::controls {

ToolButton::ToolButton(QWidget* parent) : platform::FormElement(parent) {}

}  // namespace lumora::controls
