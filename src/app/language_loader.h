#pragma once

#include "layout/composition.h"
#include "settings/language_pack.h"

namespace lumora::app {

// The bookmarks page's texts by their pack index ("bookmark0" ...), English
// where the pack has none; "%1" stands for a bookmark's name or a reason.
enum BookmarkTextIndex {
  bookmarkCaption = 0,
  bookmarkNameColumn = 1,
  bookmarkPageColumn = 2,
  bookmarkPageGone = 3,
  bookmarkRemoved = 4,
  bookmarkAdded = 5,
  bookmarkKeptAlready = 6,
  bookmarkNotSaved = 7,
  bookmarkNoneYet = 8,
};
QString BookmarkText(const settings::LanguagePack& pack, int index);

// Writes the pack's captions into the window's controls, hands the short
// texts to the list headings, the toolbar and the status box, gives the
// title-bar buttons and the toolbar buttons without a caption their tool
// tips (English where the pack has none), and loads the two frame pictures
// from the program's data folder. Captions for controls the window does not
// have are skipped.
void ApplyLanguagePack(const settings::LanguagePack& pack, layout::Composition& ui, const QString& appFolder);

}  // namespace lumora::app
