#include "app/page_controller.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QWebEngineView>

#include "platform/color.h"
#include "platform/events.h"
#include "core/files.h"
#include "settings/theme.h"
#include "core/text.h"

namespace lumora::app {
PageController::PageController(layout::Composition& ui, AppState& state, Hooks hooks, QObject* parent)
    : QObject(parent), ui_(ui), state_(state), hooks_(std::move(hooks)) {
  Connect();
}

void PageController::Connect() {
  for (size_t i = 0; i < ui_.ToolButton.size(); ++i) {
    controls::ToolButton* button = ui_.ToolButton[i];
    if (!button) continue;
    const int index = static_cast<int>(i);
    connect(button, &controls::ToolButton::Click, this, [this, index] { PressToolButton(index); });
    connect(button, &controls::ToolButton::DoubleClick, this, [this, index] {
      if (index == layout::ToolbarButtonOf(layout::Page::Contents)) NavigateTo(false, QString());
    });
  }
  for (const int direction : {-1, 1})
    connect(ui_.ToolButton[direction < 0 ? 0 : 1], &controls::ToolButton::MenuRequested, this,
            [this, direction] { ShowHistoryMenu(direction); });
  connect(ui_.CommandButton[1], &controls::CommandButton::Click, this,
          [this] { OpenEntry(state_.SearchResults, ui_.ComplexList[0]->ListIndex(), false); });
  connect(ui_.CommandButton[2], &controls::CommandButton::Click, this,
          [this] { OpenEntry(state_.IndexTable, ui_.ComplexList[1]->ListIndex(), false); });
  connect(ui_.ComplexList[0], &controls::ComplexList::DoubleClick, this,
          [this](int) { OpenEntry(state_.SearchResults, ui_.ComplexList[0]->ListIndex(), false); });
  connect(ui_.ComplexList[1], &controls::ComplexList::DoubleClick, this,
          [this](int) { OpenEntry(state_.IndexTable, ui_.ComplexList[1]->ListIndex(), true); });
  connect(ui_.WriteBox[1], &controls::WriteBox::KeyPressed, this, [this](int keyCode, int) {
    if (keyCode == platform::vbKeyReturn) OpenEntry(state_.IndexTable, ui_.ComplexList[1]->ListIndex(), true);
  });
  // Down leaves the search box and the look-up box for the list below them.
  for (size_t i : {0u, 1u})
    connect(ui_.WriteBox[i], &controls::WriteBox::KeyPressed, this, [this, i](int keyCode, int) {
      if (keyCode == platform::vbKeyDown) ui_.ComplexList[i]->setFocus(Qt::OtherFocusReason);
    });
  for (controls::ComplexList* list : ui_.ComplexList)
    connect(list, &controls::ComplexList::Resized, this,
            [this] { ui_.ComplexList[1]->Submit_Data_Array(state_.IndexTable, 1); });
  connect(ui_.WriteBox[0], &controls::WriteBox::Changed, this,
          [this] { ui_.CommandButton[0]->SetEnabled(!core::TrimBlanks(ui_.WriteBox[0]->Text()).isEmpty()); });
  connect(ui_.WriteBox[1], &controls::WriteBox::Changed, this, [this] { LookUpTopic(ui_.WriteBox[1]->Text()); });

  platform::BrowserView* browser = ui_.WebBrowser[0];
  connect(browser, &platform::BrowserView::NavigateComplete2, this, &PageController::NavigationCompleted);
}

void PageController::HoverReset(bool keepLists) {
  if (hooks_.hoverReset) hooks_.hoverReset(keepLists);
}

void PageController::Show(layout::Page page) {
  using layout::Page;
  if ((page == Page::Index || page == Page::Search) && hooks_.buildTopicIndex) hooks_.buildTopicIndex();
  const bool wasShown = state_.ShownPage == page;
  state_.ShownPage = page;
  if (hooks_.layoutPage) hooks_.layoutPage();
  FocusWorkArea();
  if (page == Page::Search && hooks_.searchShown) hooks_.searchShown();
  if (page == Page::Bookmarks && !wasShown && hooks_.bookmarksShown) hooks_.bookmarksShown();
  RefreshToolbarState();
}

void PageController::PressToolButton(int button) {
  if (const std::optional<layout::Page> page = layout::PageOfToolbarButton(button)) return Show(*page);
  platform::BrowserView* browser = ui_.WebBrowser[0];
  switch (button) {
    case buttonBack:
    case buttonForward: Step(button == buttonBack ? -1 : 1); break;
    case buttonPrint: browser->Print(); break;
    case buttonPreview: browser->PrintPreview(); break;
    default: break;
  }
  RefreshToolbarState();
}

void PageController::Step(int delta) {
  const std::optional<QString> target = state_.History.BeginStep(delta);
  if (!target) return;  // the button should have been disabled
  // A step to the page already shown starts nothing; the next page the
  // user reaches must still be recorded.
  if (!NavigateTo(true, *target)) state_.History.EndUnrecorded();
  RefreshToolbarState();
}

void PageController::ShowHistoryMenu(int direction) {
  const QStringList titles = state_.History.TitlesAhead(direction);
  if (titles.isEmpty() || state_.ShownPage == layout::Page::Question) return;
  controls::ToolButton* button = ui_.ToolButton[direction < 0 ? buttonBack : buttonForward];
  delete historyMenu_;
  historyMenu_ = new QMenu(button);
  historyMenu_->setAttribute(Qt::WA_DeleteOnClose);
  const settings::ThemeValues& theme = settings::Theme();
  const auto css = [](int colour) { return platform::ToQColor(colour).name(); };
  historyMenu_->setStyleSheet(QStringLiteral("QMenu { background: %1; color: %2; border: 1px solid %3; font-family: \"%4\"; }"
                                             "QMenu::item { padding: 3px 18px; }"
                                             "QMenu::item:selected { background: %5; color: %1; }")
                                  .arg(css(theme.theme_light), css(theme.theme_pitch), css(theme.theme_dark),
                                       theme.theme_text, css(theme.theme_highlight)));
  for (qsizetype i = 0; i < titles.size(); ++i) {
    QString label = titles[i];
    const int steps = static_cast<int>(i + 1) * direction;
    connect(historyMenu_->addAction(label.replace(u'&', QStringLiteral("&&"))), &QAction::triggered, this,
            [this, steps] { Step(steps); });
  }
  historyMenu_->popup(button->mapToGlobal(QPoint(0, button->height())));
}

QStringList PageController::HistoryMenuTitles() const {
  QStringList titles;
  if (historyMenu_ && historyMenu_->isVisible())
    for (const QAction* action : historyMenu_->actions()) titles << action->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
  return titles;
}

void PageController::FocusWorkArea() {
  // The look-up or search box, the form's first field, else the page (whose
  // arrows then scroll it).
  using layout::Page;
  const Page page = state_.ShownPage;
  if (page == Page::Index || page == Page::Search)
    ui_.WriteBox[page == Page::Index ? 1 : 0]->WrBText->setFocus(Qt::OtherFocusReason);
  else if (page == Page::Bookmarks)
    ui_.ComplexList[2]->setFocus(Qt::OtherFocusReason);
  else if (page == Page::Question)
    ui_.TextBox[0]->FocusWidget()->setFocus(Qt::OtherFocusReason);
  else
    ui_.WebBrowser[0]->View()->setFocus(Qt::OtherFocusReason);
}

bool PageController::NavigateTo(bool useGivenUrl, const QString& url) {
  const QString given = useGivenUrl ? url : state_.HelpFolder + QStringLiteral("index.html");
  const QString target = core::AnsiLower(given);
  // The page already shown is not loaded again, unless the view is still
  // busy with another one (a page that never finishes loading, say). A path
  // given in its own letters names that file, which may differ from the one
  // shown only in letter case.
  const bool shown = target == state_.CurrentUrl && (given == target || given == state_.CurrentPage);
  if (shown && !ui_.WebBrowser[0]->Busy()) return false;
  ui_.WebBrowser[0]->Navigate2(given);
  RefreshToolbarState();
  return true;
}

QString PageController::ViewerHelpPage() const {
  for (const char* name : {"using/overview.html", "using/index.html", "using.html"}) {
    const QString path = core::ResolvePath(state_.HelpFolder + QLatin1String(name));
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

void PageController::Reload() {
  if (state_.ShownPage == layout::Page::Question || state_.CurrentUrl.isEmpty() || ui_.WebBrowser[0]->Busy()) return;
  state_.History.BeginUnrecorded();
  ui_.WebBrowser[0]->Reload();
}

void PageController::RefreshToolbarState() {
  auto& buttons = ui_.ToolButton;
  // The question form shows no page: nothing to step from or to print.
  const bool question = state_.ShownPage == layout::Page::Question;
  buttons[buttonForward]->SetEnabled(!question && state_.History.CanGoForward());
  buttons[buttonBack]->SetEnabled(!question && state_.History.CanGoBack());
  buttons[buttonPrint]->SetEnabled(!question);
  buttons[buttonPreview]->SetEnabled(!question);
}

void PageController::NavigationCompleted(const QString& url) {
  HoverReset(false);
  const QString page = core::AnsiLower(url);
  const bool fromSearch = !searchTarget_.isEmpty() && page == searchTarget_;
  searchTarget_.clear();
  if (page.contains(QLatin1String("ask_class"))) {
    // The link opens the question form; the view goes back to the page
    // that held the link.
    Show(layout::Page::Question);
    state_.CurrentUrl.clear();
    NavigateTo(true, state_.History.Shown());
    return;
  }
  state_.History.Completed(page, url);
  state_.History.SetShownTitle(ui_.WebBrowser[0]->View()->title());
  state_.CurrentUrl = page;
  state_.CurrentPage = url;
  RefreshToolbarState();
  emit PageShown(fromSearch);
}

void PageController::OpenEntry(const core::StringTable& table, int entry, bool showSubject) {
  // A list index below the last row names no entry: nothing to open.
  if (!table.HasEntry(entry) || table.At(content::indexPath, entry).isEmpty()) return;
  if (showSubject) ui_.WriteBox[1]->SetText(table.At(content::indexSubject, entry));
  const QString real = table.At(content::indexRealPath, entry);
  const QString target = real.isEmpty() ? table.At(content::indexPath, entry) : real;
  const bool fromSearch = &table == &state_.SearchResults;
  searchTarget_ = fromSearch ? core::AnsiLower(target) : QString();
  // The page may be shown already; its words are marked all the same.
  if (!NavigateTo(true, target) && fromSearch) {
    searchTarget_.clear();
    emit PageShown(true);
  }
}

void PageController::LookUpTopic(const QString& typed) {
  // Nothing found selects nothing, so Enter and Display open nothing.
  ui_.ComplexList[1]->SetListIndex(content::LookUpEntry(state_.IndexTable, typed));
}

}  // namespace lumora::app
