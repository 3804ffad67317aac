#include "controls/write_box.h"

namespace lumora::controls {

WriteBox::WriteBox(QWidget* parent) : platform::FormElement(parent) {}

}  // namespace lumora::controls
