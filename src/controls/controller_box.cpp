#include "controls/controller_box.h"

namespace lumora::controls {

ControllerBox::ControllerBox(QWidget* parent) : platform::Container(parent) {}

}  // namespace lumora::controls
