#include "controls/simple_box.h"

#include "settings/theme.h"

namespace lumora::controls {

SimpleBox::SimpleBox(QWidget* parent) : platform::Container(parent) {}

void SimpleBox::ResetControl() { SetBackColor(settings::Theme().theme_light); }

}  // namespace lumora::controls
