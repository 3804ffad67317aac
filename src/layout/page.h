#pragma once

#include <optional>

namespace lumora::layout {

// The pages of the window, in the order of their toolbar buttons: one
// identity from the command line's switch through navigation to the layout
// and the toolbar.
enum class Page { Contents, Index, Search, Question, Bookmarks };

// The toolbar button that opens a page and is sunken while it shows: after
// Back and Forward, the pages' buttons stand in their order.
constexpr int ToolbarButtonOf(Page page) { return static_cast<int>(page) + 2; }

// The page a toolbar button opens; none for Back, Forward and the print buttons.
constexpr std::optional<Page> PageOfToolbarButton(int button) {
  if (button < ToolbarButtonOf(Page::Contents) || button > ToolbarButtonOf(Page::Bookmarks)) return std::nullopt;
  return static_cast<Page>(button - ToolbarButtonOf(Page::Contents));
}

}  // namespace lumora::layout
