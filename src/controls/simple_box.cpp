#include "controls/simple_box.h"

namespace lumora::controls {

SimpleBox::SimpleBox(QWidget* parent) : platform::Container(parent) {}

}  // namespace lumora::controls
