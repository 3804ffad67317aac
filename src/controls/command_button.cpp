#include "controls/command_button.h"

namespace lumora::controls {

CommandButton::CommandButton(QWidget* parent) : platform::FormElement(parent) {}

void CommandButton::SetCaption(const QString& captionValue) {
  caption_ = QStringLiteral("&") + captionValue;
  update();
}

}  // namespace lumora::controls
