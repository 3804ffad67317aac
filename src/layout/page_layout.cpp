#include "layout/page_layout.h"

#include <algorithm>
#include <cmath>

#include "settings/platform_facts.h"

namespace lumora::layout {

ContentArea MeasureContentArea(const platform::FormElement& explorerPane, const platform::FormElement& toolbarStrip,
                               int scaleWidth, int scaleHeight) {
  ContentArea area;
  if (explorerPane.Visible()) {
    area.ContentLeft = explorerPane.Width();
    area.ContentWidth = scaleWidth - explorerPane.Width();
  } else {
    area.ContentLeft = 0;
    area.ContentWidth = scaleWidth;
  }
  area.ContentTop = toolbarStrip.Top() + toolbarStrip.Height();
  area.ContentHeight = scaleHeight - area.ContentTop;
  return area;
}

void ArrangeToolbar(const std::vector<controls::ToolButton*>& buttons) {
  const controls::ToolButton* previous = nullptr;
  for (controls::ToolButton* button : buttons) {
    if (!button) continue;
    if (previous) button->SetLeft(previous->Left() + previous->Width());
    previous = button;
  }
}

namespace {

// Each page's own controls, placed for the pane (or the form's box) as it now stands.
void LayoutIndexPane(Composition::IndexControls& index, const controls::ExplorerHolder& pane) {
  using settings::Px16;
  using settings::Px2;
  using settings::Px6;
  using settings::Px8;
  const int usable = pane.UseableArea();
  const int height = pane.Height();
  auto* list = index.topics;
  auto* open = index.display;
  index.topicCount->SetLeft(usable - index.topicCount->Width() - Px8());
  open->SetLeft(usable - open->Width() - Px6());
  open->SetTop(height - open->Height() - Px6());
  index.lookUp->SetWidth(usable - Px16());
  list->SetWidth(usable - Px16());
  list->SetHeight(height - list->Top() - open->Height() - Px16() + Px2());
}

void LayoutSearchPane(Composition::SearchControls& search, const controls::ExplorerHolder& pane) {
  using settings::Px16;
  using settings::Px6;
  using settings::Px8;
  const int usable = pane.UseableArea();
  const int height = pane.Height();
  auto* list = search.results;
  auto* find = search.find;
  auto* open = search.display;
  search.resultCount->SetLeft(usable - search.resultCount->Width() - Px8());
  open->SetLeft(usable - open->Width() - Px6());
  find->SetLeft(open->Left() - find->Width() - Px6());
  search.query->SetWidth(usable - search.query->Left() - Px8());
  list->SetWidth(usable - Px16());
  list->SetHeight(height - list->Top() - Px8());
}

// The bookmarks pane is placed as the index pane: its list fills the pane
// above the status line and the buttons at the foot.
void LayoutBookmarksPane(Composition::BookmarkControls& bookmarks, const controls::ExplorerHolder& pane) {
  using settings::Px16;
  using settings::Px4;
  using settings::Px6;
  using settings::Px8;
  const int usable = pane.UseableArea();
  const int height = pane.Height();
  auto* list = bookmarks.list;
  auto* add = bookmarks.add;
  auto* open = bookmarks.open;
  platform::Label* status = bookmarks.status;
  open->SetLeft(usable - open->Width() - Px6());
  open->SetTop(height - open->Height() - Px6());
  add->SetLeft(open->Left() - add->Width() - Px6());
  add->SetTop(open->Top());
  status->SetWidth(usable - Px16());
  status->SetTop(open->Top() - status->Height() - Px4());
  list->SetWidth(usable - Px16());
  list->SetHeight(status->Top() - list->Top() - Px8());
}

void LayoutQuestionForm(Composition::QuestionControls& form) {
  using settings::Px16;
  using settings::Px2;
  using settings::Px4;
  using settings::Px8;
  const int width = form.box->Width();
  const int height = form.box->Height();
  for (platform::TextBox* box : form.fields) box->SetWidth(width - box->Left() - Px16());
  platform::PushButton* clear = form.clear;
  platform::PushButton* send = form.send;
  clear->Move(width - clear->Width() - Px16(), height - clear->Height() - Px16());
  send->Move(clear->Left() - clear->Width() - Px16(), height - clear->Height() - Px16());
  platform::TextBox* info = form.systemInfo;
  info->SetTop(clear->Top() - info->Height() - Px16());
  form.systemInfoLabel->SetTop(info->Top() + Px2());
  form.question->SetHeight(info->Top() - form.question->Top() - Px8() - Px4());
}

}  // namespace

void LayoutPage(Composition& ui, Page page, int scaleWidth, int scaleHeight) {
  const bool pane = page == Page::Index || page == Page::Search || page == Page::Bookmarks;
  ui.ExplorerHolder->SetVisible(pane);
  const size_t shownBox = page == Page::Question ? 1 : 0;
  for (size_t i = 0; i < ui.SimpleBox.size(); ++i) ui.SimpleBox[i]->SetVisible(i == shownBox);

  ui.content = MeasureContentArea(*ui.ExplorerHolder, *ui.toolbarStrip, scaleWidth, scaleHeight);
  const ContentArea& area = ui.content;
  if (area.ContentWidth < 0) return;

  for (controls::SimpleBox* box : ui.SimpleBox)
    box->Move(area.ContentLeft, area.ContentTop, area.ContentWidth, area.ContentHeight);
  // Two pixels of the browser lie outside its box on every side, hiding its border.
  ui.browser->Move(-settings::Px2(), -settings::Px2(), area.ContentWidth + settings::Px4(),
                         area.ContentHeight + settings::Px4());

  for (size_t i = 0; i < ui.ToolButton.size(); ++i)
    if (ui.ToolButton[i] && PageOfToolbarButton(static_cast<int>(i)))
      ui.ToolButton[i]->SetSunken(static_cast<int>(i) == ToolbarButtonOf(page));

  // Only what changes page is hidden: hiding a control that stays would
  // hand its keyboard focus on to the next control at every resize.
  const auto paneOf = [&ui](Page shown) -> std::vector<platform::FormElement*> {
    switch (shown) {
      case Page::Index: return {ui.index.topics, ui.index.display, ui.index.lookUp, ui.index.prompt, ui.index.topicCount};
      case Page::Search:
        return {ui.search.results, ui.search.find, ui.search.display, ui.search.query,
                ui.search.prompt,  ui.search.resultsTitle,    ui.search.resultCount};
      case Page::Bookmarks:
        return {ui.bookmarks.list, ui.bookmarks.add, ui.bookmarks.open, ui.bookmarks.title, ui.bookmarks.status};
      default: return {};
    }
  };
  const std::vector<platform::FormElement*> shown = paneOf(page);
  for (Page other : {Page::Index, Page::Search, Page::Bookmarks})
    for (platform::FormElement* content : paneOf(other))
      content->SetVisible(std::find(shown.begin(), shown.end(), content) != shown.end());

  switch (page) {
    case Page::Index: LayoutIndexPane(ui.index, *ui.ExplorerHolder); break;
    case Page::Search: LayoutSearchPane(ui.search, *ui.ExplorerHolder); break;
    case Page::Question: LayoutQuestionForm(ui.question); break;
    case Page::Bookmarks: LayoutBookmarksPane(ui.bookmarks, *ui.ExplorerHolder); break;
    case Page::Contents: break;
  }
}

LeastSize LeastWindowSize(const Composition& ui) {
  using settings::Px16;
  using settings::Px2;
  using settings::Px4;
  using settings::Px6;
  using settings::Px8;
  LeastSize least;
  least.width = controls::ExplorerHolder::kWidest + kLeastPageWidth;
  const platform::Container* toolbar = ui.toolbarStrip;
  for (const controls::ToolButton* button : ui.ToolButton)
    if (button) least.width = std::max(least.width, toolbar->Left() + button->Left() + button->Width() + Px4());
  for (size_t i : {1, 2})
    least.width = std::max(least.width, ui.DiffLabel[i]->Left() + ui.DiffLabel[i]->Width() + Px8());

  const int top = toolbar->Top() + toolbar->Height();
  const int form = ui.question.question->Top() + kLeastQuestionHeight + Px8() + Px4() + ui.question.systemInfo->Height() + Px16() +
                   ui.question.clear->Height() + Px16();
  const int pane = ui.index.topics->Top() + kLeastListHeight + ui.index.display->Height() + Px16() - Px2();
  const int bookmarks = ui.bookmarks.list->Top() + kLeastListHeight + Px8() + ui.bookmarks.status->Height() + Px4() +
                        ui.bookmarks.open->Height() + Px6();
  least.height = top + std::max({form, pane, bookmarks});
  return least;
}

void CoverWindow(Composition& ui, int scaleWidth, int scaleHeight) {
  auto widen = [scaleWidth](platform::FormElement* element) {
    if (element->Width() < scaleWidth) element->SetWidth(scaleWidth);
  };
  for (platform::Picture* texture : ui.FormBackGround) widen(texture);
  for (platform::Container* strip : ui.FormHeader) widen(strip);
  widen(ui.FormImage);
  widen(ui.question.band);
  for (platform::Line* line : ui.NormLine)
    if (line->X2() < scaleWidth) line->SetX2(scaleWidth);
  ui.ExplorerHolder->CoverHeight(scaleHeight);
}

void PlaceControllerBoxes(Composition& ui, int index, int scaleWidth) {
  const ContentArea& area = ui.content;
  for (int i = 0; i < static_cast<int>(ui.ControllerBox.size()); ++i) {
    if (index != -1 && index != i) continue;
    controls::ControllerBox* box = ui.ControllerBox[static_cast<size_t>(i)];
    const double width = box->Width();
    const double height = box->Height();
    const double left = width > area.ContentWidth ? scaleWidth / 2.0 - width / 2.0
                                                  : area.ContentWidth / 2.0 - width / 2.0 + area.ContentLeft;
    const double top = area.ContentHeight / 2.0 - height / 2.0 + area.ContentTop;
    box->Move(static_cast<int>(std::nearbyint(left)), static_cast<int>(std::nearbyint(top)));
  }
}

QRect PlaceOnScreen(QRect saved, QSize least, const QRect& available) {
  saved.setSize(saved.size().boundedTo(available.size()).expandedTo(least));
  saved.moveLeft(std::max(available.left(), std::min(saved.left(), available.right() + 1 - saved.width())));
  saved.moveTop(std::max(available.top(), std::min(saved.top(), available.bottom() + 1 - saved.height())));
  return saved;
}

}  // namespace lumora::layout
