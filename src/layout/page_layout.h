#pragma once

#include <QRect>
#include <QSize>

#include <vector>

#include "controls/tool_button.h"
#include "layout/composition.h"
#include "layout/page.h"
#include "platform/form_element.h"

namespace lumora::layout {

// The content area for the pane (when it is visible), the toolbar strip and
// the window's inner size.
ContentArea MeasureContentArea(const platform::FormElement& explorerPane, const platform::FormElement& toolbarStrip,
                               int scaleWidth, int scaleHeight);

// Lines the toolbar buttons up from the first one, each touching the one
// before. Missing members of the array are passed over.
void ArrangeToolbar(const std::vector<controls::ToolButton*>& buttons);

// Shows the page's containers and controls and places them for the window's
// inner size (in twips), measuring the content area (ui.content) first. A pane wider than the window changes nothing
// beyond the visibility of the pane and the page boxes.
void LayoutPage(Composition& ui, Page page, int scaleWidth, int scaleHeight);

// Twips of page that the least window leaves beside the pane at its widest
// (200 pixels at 96 dots per inch).
inline constexpr int kLeastPageWidth = 3000;
// Twips of the question box at the least window height: three lines of text.
inline constexpr int kLeastQuestionHeight = 600;
// Twips of the index list at the least window height: four rows.
inline constexpr int kLeastListHeight = 1200;

// The least inner size of the window, in twips, that its layout needs: the
// pane at its widest beside a usable page, the whole toolbar and the question
// form's title band; below the toolbar, the question form with every field
// apart, or the index pane with a usable list, whichever is taller. Call it
// once the captions are set: the toolbar's width follows them.
struct LeastSize {
  int width = 0;
  int height = 0;
};
LeastSize LeastWindowSize(const Composition& ui);

// Stretches the strips, the title picture, the question form's band, the
// toolbar line and the pane's texture and slider over a window of this inner
// size (twips). They are sized for the screen at start; they only ever grow.
void CoverWindow(Composition& ui, int scaleWidth, int scaleHeight);

// Centres status boxes in the content area of the last layout, or on the
// whole window when a box is wider than that area. index -1 places every box.
void PlaceControllerBoxes(Composition& ui, int index, int scaleWidth);

// Where a window saved at saved comes back on a screen whose free area is
// available: no larger than that area (but never below least), and moved
// onto it where it stands out of any edge, so its title bar and borders can
// always be reached.
QRect PlaceOnScreen(QRect saved, QSize least, const QRect& available);

}  // namespace lumora::layout
