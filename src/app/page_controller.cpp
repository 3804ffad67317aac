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
PageController::PageController(layout::Composition& ui, controls::SharedSkin skin, QObject* parent)
    : QObject(parent), ui_(ui), skin_(std::move(skin)) {
  Connect();
}

void PageController::Reset(const QString& helpFolder) {
  helpFolder_ = helpFolder;
  shown_ = layout::Page::Contents;
  navigation_.Clear();
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
  platform::BrowserView* browser = ui_.browser;
  connect(browser, &platform::BrowserView::NavigateComplete2, this, &PageController::NavigationCompleted);
}

void PageController::Show(layout::Page page) {
  using layout::Page;
  if (page == Page::Index || page == Page::Search) emit TopicIndexNeeded();
  const bool wasShown = shown_ == page;
  shown_ = page;
  emit LayoutNeeded();
  FocusWorkArea();
  if (page == Page::Search) emit SearchShown();
  if (page == Page::Bookmarks && !wasShown) emit BookmarksShown();
  RefreshToolbarState();
}

void PageController::PressToolButton(int button) {
  if (const std::optional<layout::Page> page = layout::PageOfToolbarButton(button)) return Show(*page);
  platform::BrowserView* browser = ui_.browser;
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
  if (const std::optional<QString> load = navigation_.Step(delta, ui_.browser->Busy()))
    ui_.browser->Navigate2(*load);
  RefreshToolbarState();
}

void PageController::ShowHistoryMenu(int direction) {
  const QStringList titles = navigation_.Pages().TitlesAhead(direction);
  if (titles.isEmpty() || shown_ == layout::Page::Question) return;
  controls::ToolButton* button = ui_.ToolButton[direction < 0 ? buttonBack : buttonForward];
  delete historyMenu_;
  historyMenu_ = new QMenu(button);
  historyMenu_->setAttribute(Qt::WA_DeleteOnClose);
  const settings::ThemeValues& theme = skin_->theme;
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
  const Page page = shown_;
  if (page == Page::Index || page == Page::Search)
    ui_.WriteBox[page == Page::Index ? 1 : 0]->WrBText->setFocus(Qt::OtherFocusReason);
  else if (page == Page::Bookmarks)
    ui_.bookmarks.list->setFocus(Qt::OtherFocusReason);
  else if (page == Page::Question)
    ui_.TextBox.front()->FocusWidget()->setFocus(Qt::OtherFocusReason);
  else
    ui_.browser->View()->setFocus(Qt::OtherFocusReason);
}

bool PageController::NavigateTo(bool useGivenUrl, const QString& url) {
  const QString given = useGivenUrl ? url : helpFolder_ + QStringLiteral("index.html");
  const std::optional<QString> load = navigation_.Request(given, ui_.browser->Busy());
  if (!load) return false;
  ui_.browser->Navigate2(*load);
  RefreshToolbarState();
  return true;
}

void PageController::GoHome() {
  Show(layout::Page::Contents);
  NavigateTo(false, QString());
}

void PageController::ShowViewerHelp() {
  const QString page = ViewerHelpPage();
  Show(layout::Page::Contents);
  NavigateTo(!page.isEmpty(), page);
}

QString PageController::ViewerHelpPage() const {
  for (const char* name : {"using/overview.html", "using/index.html", "using.html"}) {
    const QString path = core::ResolvePath(helpFolder_ + QLatin1String(name));
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

void PageController::Reload() {
  if (navigation_.BeginReload(shown_ == layout::Page::Question, ui_.browser->Busy()))
    ui_.browser->Reload();
}

void PageController::RefreshToolbarState() {
  const Navigation::Buttons enabled = navigation_.ButtonsFor(shown_ == layout::Page::Question);
  auto& buttons = ui_.ToolButton;
  buttons[buttonForward]->SetEnabled(enabled.forward);
  buttons[buttonBack]->SetEnabled(enabled.back);
  buttons[buttonPrint]->SetEnabled(enabled.print);
  buttons[buttonPreview]->SetEnabled(enabled.preview);
}

void PageController::NavigationCompleted(const QString& url) {
  emit HoverResetNeeded(false);
  const Navigation::Completion done = navigation_.Completed(url, ui_.browser->View()->title());
  if (done.question) {
    Show(layout::Page::Question);
    NavigateTo(true, done.back);
    return;
  }
  RefreshToolbarState();
  emit PageShown(done.fromSearch);
}

void PageController::Open(const QString& page, bool fromSearch) {
  if (const std::optional<QString> load = navigation_.Open(page, fromSearch, ui_.browser->Busy())) {
    ui_.browser->Navigate2(*load);
    RefreshToolbarState();
  } else if (fromSearch) {
    emit PageShown(true);  // the page is shown already; its words are marked all the same
  }
}

}  // namespace lumora::app
