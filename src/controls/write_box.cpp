#include "controls/write_box.h"

namespace lumora::controls {

WriteBox::WriteBox(QWidget* parent) : platform::FormElement(parent) {}

void WriteBox::SetText(const QString& textValue) {
  if (textValue == text_) return;
  text_ = textValue;
  update();
  emit Changed();
}

}  // namespace lumora::controls
