#pragma once

#include <vector>

#include "controls/tool_button.h"
#include "platform/form_element.h"

namespace lumora::layout {

// The content rectangle below the toolbar strip and right of the explorer pane.
struct ContentArea {
  int ContentLeft = 0;
  int ContentTop = 0;
  int ContentWidth = 0;
  int ContentHeight = 0;
};

ContentArea& Content();

// Computes the four content values from the pane (when it is visible), the
// toolbar strip and the window's inner size; returns ContentHeight.
int MeasureContentArea(const platform::FormElement& explorerPane, const platform::FormElement& toolbarStrip,
                       int scaleWidth, int scaleHeight);

// Lines the toolbar buttons up from the first one, each touching the one
// before. Missing members of the array are passed over.
void ArrangeToolbar(const std::vector<controls::ToolButton*>& buttons);

}  // namespace lumora::layout
