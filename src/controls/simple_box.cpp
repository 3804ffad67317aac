#include "controls/simple_box.h"

#include "settings/theme.h"

namespace lumora::controls {

SimpleBox::SimpleBox(QWidget* parent) : platform::Container(parent) {}

void SimpleBox::ResetControl() { SetBackColor(settings::Theme().theme_light); }

void SimpleBox::SetShowThis(bool showThisValue) {
  showThis_ = showThisValue;
  emit MakeVisible(showThisValue);
}

}  // namespace lumora::controls
