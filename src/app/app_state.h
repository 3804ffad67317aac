#pragma once

#include <QString>
#include <vector>

#include "app/navigation.h"
#include "layout/page.h"
#include "core/string_table.h"
#include "content/topic_index.h"

namespace lumora::app {

// The program-wide state of the page controller, created at start-up and
// kept for the whole run.
struct AppState {
  bool StartupInProgress = false;
  QString CommandLine;
  layout::Page StartPage = layout::Page::Contents;  // the page the command line's switch opens
  QString Pack;  // the language pack as given, in its own letters
  QString HelpFolder;
  layout::Page ShownPage = layout::Page::Contents;
  app::Navigation Navigation;  // the page shown and the history
  core::StringTable IndexTable{content::kIndexFields};
  core::StringTable SearchResults{content::kIndexFields};
  std::vector<QString> QueryWords{QString()};
  core::StringTable NoResultTable{2};
  QString CurrentTheme;
  bool QuitRequested = false;  // the window is closing: long work stops and nothing more is shown
  bool LayoutBusy = false;
  bool WindowMoving = false;        // a caption drag or a resize is moving the windows
  bool CursorOutsideLatch = false;  // highlights were cleared for the region the cursor is in
  struct {
    int X = -1;  // -1: no caption drag in progress
    int Y = 0;
  } DragAnchor;
};

}  // namespace lumora::app
