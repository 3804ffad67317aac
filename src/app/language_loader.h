#pragma once

#include "layout/composition.h"
#include "settings/language_pack.h"

namespace lumora::app {

// Writes the pack's captions into the window's controls, hands the short
// texts to the list headings, the toolbar and the status box, gives the
// title-bar buttons and the toolbar buttons without a caption their tool
// tips (English where the pack has none), and loads the two frame pictures
// from the program's data folder. Captions for controls the window does not
// have are skipped.
void ApplyLanguagePack(const settings::LanguagePack& pack, layout::Composition& ui, const QString& appFolder);

}  // namespace lumora::app
