#pragma once

#include <vector>

#include "controls/tool_button.h"
#include "layout/composition.h"
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

// Page modes, as the page switch sets them.
enum PageModeValue { pageContents = 0, pageIndex = 1, pageSearch = 2, pageQuestion = 3 };

// Shows the page's containers and controls and places them for the window's
// inner size (in twips). A pane wider than the window changes nothing
// beyond the visibility of the pane and the page boxes.
void LayoutPage(Composition& ui, int pageMode, int scaleWidth, int scaleHeight);

// Centres status boxes in the content area, or on the whole window when a box
// is wider than the content area. index -1 places every box.
void PlaceControllerBoxes(Composition& ui, int index, int scaleWidth);

}  // namespace lumora::layout
