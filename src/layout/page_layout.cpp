#include "layout/page_layout.h"

#include <algorithm>
#include <cmath>

#include "settings/platform_facts.h"

namespace lumora::layout {

ContentArea& Content() {
  static ContentArea area;
  return area;
}

void MeasureContentArea(const platform::FormElement& explorerPane, const platform::FormElement& toolbarStrip,
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

void LayoutIndexPane(Composition& ui) {
  using settings::Px16;
  using settings::Px2;
  using settings::Px6;
  using settings::Px8;
  const int usable = ui.ExplorerHolder->UseableArea();
  const int height = ui.ExplorerHolder->Height();
  auto* list = ui.ComplexList[1];
  auto* open = ui.CommandButton[2];
  ui.FrameLabel[4]->SetLeft(usable - ui.FrameLabel[4]->Width() - Px8());
  open->SetLeft(usable - open->Width() - Px6());
  open->SetTop(height - open->Height() - Px6());
  ui.WriteBox[1]->SetWidth(usable - Px16());
  list->SetWidth(usable - Px16());
  list->SetHeight(height - list->Top() - open->Height() - Px16() + Px2());
}

void LayoutSearchPane(Composition& ui) {
  using settings::Px16;
  using settings::Px6;
  using settings::Px8;
  const int usable = ui.ExplorerHolder->UseableArea();
  const int height = ui.ExplorerHolder->Height();
  auto* list = ui.ComplexList[0];
  auto* search = ui.CommandButton[0];
  auto* open = ui.CommandButton[1];
  ui.FrameLabel[2]->SetLeft(usable - ui.FrameLabel[2]->Width() - Px8());
  open->SetLeft(usable - open->Width() - Px6());
  search->SetLeft(open->Left() - search->Width() - Px6());
  ui.WriteBox[0]->SetWidth(usable - ui.WriteBox[0]->Left() - Px8());
  list->SetWidth(usable - Px16());
  list->SetHeight(height - list->Top() - Px8());
}

// The bookmarks pane is placed as the index pane: its list fills the pane
// above the status line and the buttons at the foot.
void LayoutBookmarksPane(Composition& ui) {
  using settings::Px16;
  using settings::Px4;
  using settings::Px6;
  using settings::Px8;
  const int usable = ui.ExplorerHolder->UseableArea();
  const int height = ui.ExplorerHolder->Height();
  auto* list = ui.ComplexList[2];
  auto* add = ui.CommandButton[3];
  auto* open = ui.CommandButton[4];
  platform::Label* status = ui.FrameLabel[7];
  open->SetLeft(usable - open->Width() - Px6());
  open->SetTop(height - open->Height() - Px6());
  add->SetLeft(open->Left() - add->Width() - Px6());
  add->SetTop(open->Top());
  status->SetWidth(usable - Px16());
  status->SetTop(open->Top() - status->Height() - Px4());
  list->SetWidth(usable - Px16());
  list->SetHeight(status->Top() - list->Top() - Px8());
}

void LayoutQuestionForm(Composition& ui) {
  using settings::Px16;
  using settings::Px2;
  using settings::Px4;
  using settings::Px8;
  const int width = ui.SimpleBox[1]->Width();
  const int height = ui.SimpleBox[1]->Height();
  for (platform::TextBox* box : ui.TextBox) box->SetWidth(width - box->Left() - Px16());
  platform::PushButton* clear = ui.Commander[1];
  platform::PushButton* send = ui.Commander[0];
  clear->Move(width - clear->Width() - Px16(), height - clear->Height() - Px16());
  send->Move(clear->Left() - clear->Width() - Px16(), height - clear->Height() - Px16());
  platform::TextBox* info = ui.TextBox[4];
  info->SetTop(clear->Top() - info->Height() - Px16());
  ui.DiffLabel[7]->SetTop(info->Top() + Px2());
  ui.TextBox[3]->SetHeight(info->Top() - ui.TextBox[3]->Top() - Px8() - Px4());
}

}  // namespace

void LayoutPage(Composition& ui, Page page, int scaleWidth, int scaleHeight) {
  const bool pane = page == Page::Index || page == Page::Search || page == Page::Bookmarks;
  ui.ExplorerHolder->SetVisible(pane);
  const size_t shownBox = page == Page::Question ? 1 : 0;
  for (size_t i = 0; i < ui.SimpleBox.size(); ++i) ui.SimpleBox[i]->SetVisible(i == shownBox);

  MeasureContentArea(*ui.ExplorerHolder, *ui.FormHeader[1], scaleWidth, scaleHeight);
  const ContentArea& area = Content();
  if (area.ContentWidth < 0) return;

  for (controls::SimpleBox* box : ui.SimpleBox)
    box->Move(area.ContentLeft, area.ContentTop, area.ContentWidth, area.ContentHeight);
  // Two pixels of the browser lie outside its box on every side, hiding its border.
  ui.WebBrowser[0]->Move(-settings::Px2(), -settings::Px2(), area.ContentWidth + settings::Px4(),
                         area.ContentHeight + settings::Px4());

  for (size_t i = 0; i < ui.ToolButton.size(); ++i)
    if (ui.ToolButton[i] && PageOfToolbarButton(static_cast<int>(i)))
      ui.ToolButton[i]->SetSunken(static_cast<int>(i) == ToolbarButtonOf(page));

  // Only what changes page is hidden: hiding a control that stays would
  // hand its keyboard focus on to the next control at every resize.
  const auto paneOf = [&ui](Page shown) -> std::vector<platform::FormElement*> {
    switch (shown) {
      case Page::Index: return {ui.ComplexList[1], ui.CommandButton[2], ui.WriteBox[1], ui.FrameLabel[3], ui.FrameLabel[4]};
      case Page::Search:
        return {ui.ComplexList[0], ui.CommandButton[0], ui.CommandButton[1], ui.WriteBox[0],
                ui.FrameLabel[0],  ui.FrameLabel[1],    ui.FrameLabel[2]};
      case Page::Bookmarks:
        return {ui.ComplexList[2], ui.CommandButton[3], ui.CommandButton[4], ui.FrameLabel[6], ui.FrameLabel[7]};
      default: return {};
    }
  };
  const std::vector<platform::FormElement*> shown = paneOf(page);
  for (Page other : {Page::Index, Page::Search, Page::Bookmarks})
    for (platform::FormElement* content : paneOf(other))
      content->SetVisible(std::find(shown.begin(), shown.end(), content) != shown.end());

  switch (page) {
    case Page::Index: LayoutIndexPane(ui); break;
    case Page::Search: LayoutSearchPane(ui); break;
    case Page::Question: LayoutQuestionForm(ui); break;
    case Page::Bookmarks: LayoutBookmarksPane(ui); break;
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
  const platform::Container* toolbar = ui.FormHeader[1];
  for (const controls::ToolButton* button : ui.ToolButton)
    if (button) least.width = std::max(least.width, toolbar->Left() + button->Left() + button->Width() + Px4());
  for (size_t i : {1, 2})
    least.width = std::max(least.width, ui.DiffLabel[i]->Left() + ui.DiffLabel[i]->Width() + Px8());

  const int top = toolbar->Top() + toolbar->Height();
  const int form = ui.TextBox[3]->Top() + kLeastQuestionHeight + Px8() + Px4() + ui.TextBox[4]->Height() + Px16() +
                   ui.Commander[1]->Height() + Px16();
  const int pane = ui.ComplexList[1]->Top() + kLeastListHeight + ui.CommandButton[2]->Height() + Px16() - Px2();
  const int bookmarks = ui.ComplexList[2]->Top() + kLeastListHeight + Px8() + ui.FrameLabel[7]->Height() + Px4() +
                        ui.CommandButton[4]->Height() + Px6();
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
  widen(ui.DiffLabel[0]);
  for (platform::Line* line : ui.NormLine)
    if (line->X2() < scaleWidth) line->SetX2(scaleWidth);
  ui.ExplorerHolder->CoverHeight(scaleHeight);
}

void PlaceControllerBoxes(Composition& ui, int index, int scaleWidth) {
  const ContentArea& area = Content();
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
