#include "layout/page_layout.h"

namespace lumora::layout {

ContentArea& Content() {
  static ContentArea area;
  return area;
}

int MeasureContentArea(const platform::FormElement& explorerPane, const platform::FormElement& toolbarStrip,
                       int scaleWidth, int scaleHeight) {
  ContentArea& area = Content();
  if (explorerPane.Visible()) {
    area.ContentLeft = explorerPane.Width();
    area.ContentWidth = scaleWidth - explorerPane.Width();
  } else {
    area.ContentLeft = 0;
    area.ContentWidth = scaleWidth;
  }
  area.ContentTop = toolbarStrip.Top() + toolbarStrip.Height();
  area.ContentHeight = scaleHeight - area.ContentTop;
  return area.ContentHeight;
}

void ArrangeToolbar(const std::vector<controls::ToolButton*>& buttons) {
  const controls::ToolButton* previous = nullptr;
  for (controls::ToolButton* button : buttons) {
    if (!button) continue;
    if (previous) button->SetLeft(previous->Left() + previous->Width());
    previous = button;
  }
}

}  // namespace lumora::layout
