#include "controls/simple_box.h"

namespace lumora::controls {

SimpleBox::SimpleBox(QWidget* parent) : platform::Container(parent) {}

void SimpleBox::ResetControl(SharedSkin skin) { SetBackColor(skin->theme.theme_light); }

}  // namespace lumora::controls
