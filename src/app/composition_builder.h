#pragma once

#include "layout/composition.h"

namespace lumora::app {

// Builds every control of the main window at its design position, size,
// colours and fonts, with the question form's tab order.
void BuildComposition(QWidget* window, layout::Composition& ui);

}  // namespace lumora::app
