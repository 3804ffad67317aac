#include "controls/tool_button.h"

namespace lumora::controls {

ToolButton::ToolButton(QWidget* parent) : platform::FormElement(parent) {}

void ToolButton::ToolProperty(int cmdIdValue, const QString& captionValue, int picLdrValue, bool enaControl,
                              int newCatValue) {
  command_ = cmdIdValue;
  caption_ = captionValue;
  pictureIndex_ = picLdrValue;
  commandEnabled_ = enaControl;
  newCategory_ = newCatValue != 0;
  update();
}

void ToolButton::SetSunken(bool sunkenValue) {
  if (sunkenValue == sunken_) return;
  sunken_ = sunkenValue;
  update();
}

}  // namespace lumora::controls
