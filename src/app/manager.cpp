#include "app/manager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/command_line.h"
#include "app/composition_builder.h"
#include "app/edge_resizer.h"
#include "app/language_loader.h"
#include "app/layout_report.h"
#include "app/manager_sub.h"
#include "app/shortcuts.h"
#include "app/window_scale.h"
#include "content/topic_index.h"
#include "layout/page_layout.h"
#include "core/files.h"
#include "core/folders.h"
#include "platform/message_box.h"
#include "core/random.h"
#include "core/registry.h"
#include "core/text.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "settings/language_pack.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"
#include "controls/skin.h"
#include "settings/user_settings.h"
#include "platform/color.h"

namespace lumora::app {
namespace {

// The status box's own texts: the language pack's "status" texts, or English.
QString StatusText(const settings::LanguagePack& language, int index) {
  static const char* const kEnglish[] = {"Preparing the preview, please wait..."};
  return settings::TextOr(language.Status, index, kEnglish);
}
constexpr int kPreparingPreview = 0;

int RoundTwips(double twips) { return static_cast<int>(std::lround(twips)); }

// Twips of the outer frame on each side of a window's inner area.
int FrameBorderOf(const QWidget& window) {
  const int outer = window.frameGeometry().width();
  const int inner = window.geometry().width();
  return RoundTwips(platform::PixelsToTwipsX((outer - inner) / 2.0));
}

}  // namespace

Manager::Manager(ManagerSub* owner)
    // A tool window: the only window type that X11 keeps in front of its
    // owner (WM_TRANSIENT_FOR) without a taskbar entry of its own.
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), owner_(owner) {
  setWindowTitle(WindowTitle());
  const core::ScreenMetrics screen = platform::PrimaryScreenMetrics();
  platform::SetTwipsPerPixel(screen.twipsPerPixelX, screen.twipsPerPixelY);
  settings::ComputePlatformFacts(screen, core::ProgramFolderPath(), core::SystemFolderPath(), FrameBorderOf(*this));

  BuildComposition(this, ui_);
  busy_ = new BusyWindow(*this, ui_, this);
  index_ = new IndexPage(ui_.index, *busy_, language_, this);
  search_ = new SearchPage(ui_.search, *busy_, *index_, language_, this);
  frame_ = new WindowFrame(*this, *owner, ui_, skin_, this);
  connect(frame_, &WindowFrame::LayoutNeeded, this, &Manager::LayoutPage);
  connect(frame_, &WindowFrame::Quit, this, &Manager::RequestQuit);
  connect(frame_, &WindowFrame::ChangeColour, this, &Manager::ChangeColour);
  pages_ = new PageController(ui_, skin_, this);
  bookmarks_ = new BookmarksPage(ui_, *pages_, skin_, language_, this);
  connect(this, &Manager::Quitting, bookmarks_, &BookmarksPage::WindowClosing);
  connect(this, &Manager::Quitting, busy_, &BusyWindow::Stop);
  connect(pages_, &PageController::LayoutNeeded, this, &Manager::LayoutPage);
  connect(pages_, &PageController::TopicIndexNeeded, index_, &IndexPage::Build);
  connect(index_, &IndexPage::OpenRequested, pages_, &PageController::Open);
  connect(search_, &SearchPage::OpenRequested, pages_, &PageController::Open);
  connect(pages_, &PageController::HoverResetNeeded, this, &Manager::HoverReset);
  connect(pages_, &PageController::SearchShown, search_, &SearchPage::ReadPageWordsSoon);
  connect(pages_, &PageController::BookmarksShown, bookmarks_, &BookmarksPage::Shown);
  connect(frame_, &WindowFrame::GetHelp, pages_, &PageController::GoHome);
  find_ = new FindStrip(*ui_.browser, language_);
  marks_ = new SearchMarks(*ui_.browser, this);
  connect(pages_, &PageController::PageShown, this, [this](bool fromSearch) {
    if (fromSearch) marks_->Show(pages_->History().CurrentUrl(), search_->QueryWords());
    else marks_->Clear(pages_->History().CurrentUrl());
  });
  auto* shortcuts = new Shortcuts(*this, ui_, *pages_, *find_, this);
  shortcuts->Bind(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { bookmarks_->KeepShownPage(); });
  owner->SetMainWindow(this);
  // The title-bar buttons and the tool buttons reach into the edge band: a
  // press on them is theirs. Over the page only the outermost two pixels
  // resize, so its scroll bar keeps its presses.
  new EdgeResizer(*this, [this](const QWidget* widget) {
    auto within = [widget](const QWidget* owner) { return owner && (owner == widget || owner->isAncestorOf(widget)); };
    for (const QWidget* button : ui_.FormControl)
      if (within(button)) return 0;
    for (const QWidget* button : ui_.ToolButton)
      if (within(button)) return 0;
    return within(ui_.browser) ? 2 : EdgeResizer::kMargin;
  });
  setMouseTracking(true);
  ui_.browser->SetBusyHook([this](bool busy) { busy ? busy_->Begin(StatusText(language_, kPreparingPreview)) : busy_->End(); });
  question_ = new QuestionForm(ui_.question, owner_->Mail(), this, *busy_, language_, this);
  connect(question_, &QuestionForm::Done, pages_, &PageController::RefreshToolbarState);
  connect(ui_.ExplorerHolder, &controls::ExplorerHolder::SelfAlign, this, &Manager::SelfAlign);
  setAutoFillBackground(true);
  resize(platform::TwipsToPixelsX(layout::kDesignScaleWidth), platform::TwipsToPixelsY(layout::kDesignScaleHeight));
}

int Manager::ScaleWidth() const { return ScaleWidthOf(*this); }
int Manager::ScaleHeight() const { return ScaleHeightOf(*this); }

bool Manager::Load(const QString& argumentString) {
  const ParsedCommandLine parsed = ParseCommandLine(argumentString);
  commandLine_ = parsed.CommandLine;
  pack_ = parsed.Pack;
  if (!core::FileIsUsable(pack_)) {
    platform::ShowMessage(nullptr, QStringLiteral("Language Not Found, Please Re-install Software!"),
                          platform::MessageIcon::Critical, QStringLiteral("Fatal Error"));
    return false;
  }
  const QString helpFolder = HelpFolderOf(pack_, QDir::currentPath());
  ui_.browser->SetHelpFolder(helpFolder);
  // The question form opens for the reader's click on its link, never for a page's script.
  ui_.browser->SetClickOnlyPages(QStringLiteral("ask_class"));
  core::Randomize();

  platform::Label* measure = owner_->GenLabel();
  measure->SetCaption(QStringLiteral("..."));
  skin_->ellipsisWidth = measure->Width();

  const core::ScreenMetrics screen = platform::PrimaryScreenMetrics();
  ui_.question.band->SetWidth(RoundTwips(screen.widthPixels * screen.twipsPerPixelX));

  pages_->Reset(helpFolder);
  index_->Reset(helpFolder, core::PackLocale(pack_));
  search_->Reset(core::PackLocale(pack_));

  const core::RegistryRoot machine = core::LocalMachine();
  currentTheme_ = core::RegReadText(machine, core::QuillmarkKey(), QStringLiteral("CurrentTheme"));
  // The user's own choice of theme, made with "Change Colour", wins while
  // that theme is installed.
  if (const QString mine = settings::UserTheme(); !mine.isEmpty() && settings::InstalledThemes().contains(mine))
    currentTheme_ = mine;
  QString systemInfo = core::RegReadText(machine, core::QuillmarkKey(), QStringLiteral("LMRCPUInfo"));
  systemInfo.replace(QStringLiteral("</b>"), QStringLiteral(" "));
  ui_.question.systemInfo->SetText(systemInfo);

  LoadThemeImages();
  ApplyTheme();
  LoadLanguagePack();
  bookmarks_->Load(pack_);

  SelfAlign();
  LayoutPage();
  settings::EnsureExpertIndex(machine);
  search_->UpdateDisplayButton();
  layout::ArrangeToolbar(ui_.ToolButton);
  ApplyLeastSize();
  ui_.toolbarLine->SetX2(settings::Shared().units.ScreenSpanX);
  if (parsed.Topic.isEmpty() || !OpenTopic(parsed.Topic)) pages_->NavigateTo(false, QString());
  QCoreApplication::processEvents();

  if (const QScreen* primary = QGuiApplication::primaryScreen())
    move(primary->availableGeometry().center() - rect().center());
  const settings::WindowPlace place = settings::UserWindowPlace();
  if (place.known) RestorePlace(place);
  owner_->setGeometry(geometry());
  owner_->show();
  show();

  Form_Resize_Now();
  if (place.known && place.maximized) frame_->TitleButtonAction(3);
  ui_.framePoll->start();
  frame_->Started();
  HoverReset(false);
  LayoutReport::StartIfRequested(*this);
  ShowStartPage(parsed.StartPage);
  loaded_ = true;
  TakeWaitingRequests();
  return true;
}

void Manager::ShowStartPage(layout::Page page) {
  // Without a switch the window stays on the page it shows.
  if (page != layout::Page::Contents) pages_->Show(page);
}

bool Manager::OpenTopic(const QString& topic) {
  const QString page = index_->FindTopic(topic);
  if (page.isEmpty()) {
    std::fputs(qUtf8Printable(NoPageNote(topic, pages_->HelpFolder())), stderr);
    return false;
  }
  pages_->NavigateTo(true, page);
  return true;
}

void Manager::TakeRequest(const QString& argumentString) {
  if (quitRequested_) return;
  waitingRequests_.append(argumentString);
  // Not inside the socket's own signal: the pages may pump events for long.
  QMetaObject::invokeMethod(this, &Manager::TakeWaitingRequests, Qt::QueuedConnection);
}

void Manager::TakeWaitingRequests() {
  if (!loaded_ || takingRequests_ || quitRequested_) return;
  // An index build, a search or a mail under way pumps events; its page
  // must not change under it.
  if (!ui_.ExplorerHolder->Enabled()) {
    QTimer::singleShot(100, this, &Manager::TakeWaitingRequests);
    return;
  }
  takingRequests_ = true;
  while (!waitingRequests_.isEmpty() && !quitRequested_) {
    const ParsedCommandLine parsed = ParseCommandLine(waitingRequests_.takeFirst());
    BringToFront();
    if (!parsed.Topic.isEmpty()) {
      if (!OpenTopic(parsed.Topic)) pages_->NavigateTo(false, QString());
      // The page is what was asked for: it is shown unless a run mode says otherwise.
      if (parsed.StartPage == layout::Page::Contents) pages_->Show(layout::Page::Contents);
    }
    ShowStartPage(parsed.StartPage);
  }
  takingRequests_ = false;
}

void Manager::BringToFront() {
  // Restoring the owner from its minimised state shows this window again.
  if (owner_->windowState() & Qt::WindowMinimized)
    owner_->setWindowState(owner_->windowState() & ~Qt::WindowMinimized);
  owner_->show();
  show();
  owner_->raise();
  raise();
  activateWindow();
}

void Manager::ChangeColour() {
  currentTheme_ = settings::NextTheme(settings::InstalledThemes(), currentTheme_);
  LoadThemeImages();
  ApplyTheme();
  ApplyLeastSize();
  Form_Resize_Now();
  HoverReset(false);
  update();
  settings::SetUserTheme(currentTheme_);
}

void Manager::RestorePlace(const settings::WindowPlace& place) {
  // The window comes back whole on a screen that exists: the one its centre
  // was on, or the primary one when that screen is gone.
  QRect geometry = place.geometry;
  const QScreen* screen = QGuiApplication::screenAt(geometry.center());
  if (!screen) {
    screen = QGuiApplication::primaryScreen();
    if (screen) geometry.moveCenter(screen->availableGeometry().center());
  }
  if (screen) geometry = layout::PlaceOnScreen(geometry, minimumSize(), screen->availableGeometry());
  setGeometry(geometry);
  const int pane = std::clamp(place.paneWidth, controls::ExplorerHolder::kNarrowest, controls::ExplorerHolder::kWidest);
  if (place.paneWidth > 0 && pane != ui_.ExplorerHolder->Width()) {
    ui_.ExplorerHolder->SetWidth(pane);
    SelfAlign();
  }
}

void Manager::RequestQuit() {
  // Where the window stands is kept for the user's next start.
  if (isVisible() && !quitRequested_)
    settings::SetUserWindowPlace({true, isMaximized() ? normalGeometry() : geometry(), isMaximized(),
                                  ui_.ExplorerHolder->Width()});
  // An index build or a search under way stops at its next pause; before
  // the main loop runs, main() sees the flag instead of the queued quit.
  quitRequested_ = true;
  emit Quitting();
  hide();
  owner_->hide();
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

// Whole pixels: a least size rounded down would cut the last twips off.
void Manager::ApplyLeastSize() {
  const layout::LeastSize least = layout::LeastWindowSize(ui_);
  setMinimumSize(static_cast<int>(std::ceil(least.width / platform::TwipsPerPixelX())),
                 static_cast<int>(std::ceil(least.height / platform::TwipsPerPixelY())));
}

void Manager::LoadThemeImages() {
  skin_->LoadPictures(currentTheme_);
  frame_->RestFormControls();
}

void Manager::ApplyTheme() {
  const QString themeFolder = settings::ThemeFolder(currentTheme_);
  if (!settings::LoadThemeConfig(themeFolder, skin_->theme)) {
    QString name = currentTheme_;
    while (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'))) name.chop(1);
    std::fprintf(stderr, "lumora: theme \"%s\" not found (no settings in %sconfig0.dat); using built-in colours\n",
                 qUtf8Printable(name), qUtf8Printable(themeFolder));
  }
  const settings::ThemeValues& theme = skin_->theme;
  const int screenSpan = settings::Shared().units.ScreenSpanX;
  for (platform::Picture* background : ui_.FormBackGround) {
    background->SetWidth(screenSpan);
    background->SetImage(skin_->Pictures(0).Item(1));
  }
  // The title and toolbar strips reach across the widest window the screen
  // holds, like the texture behind them.
  for (platform::Container* strip : ui_.FormHeader) strip->SetWidth(std::max(strip->Width(), screenSpan));
  ui_.FormImage->SetWidth(std::max(ui_.FormImage->Width(), screenSpan));
  for (controls::SimpleBox* box : ui_.SimpleBox) box->ResetControl(skin_);
  for (controls::ComplexList* list : ui_.ComplexList) list->ResetControl(skin_);
  for (controls::CommandButton* button : ui_.CommandButton) button->ResetControl(skin_);
  for (controls::ControllerBox* box : ui_.ControllerBox) box->ResetControl(skin_);
  for (controls::WriteBox* box : ui_.WriteBox) box->ResetControl(skin_);
  for (controls::ToolButton* button : ui_.ToolButton)
    if (button) button->ResetControl(skin_);
  // The busy box's message is in the theme's display font, the other
  // labels in its text font.
  for (platform::Label* label : ui_.FrameLabel) {
    label->SetForeColor(theme.theme_pitch);
    label->SetFontName(label == ui_.busy.message ? theme.theme_font : theme.theme_text);
  }
  // The toolbar strip has no colour of its own in the design; the theme's
  // light colour keeps the button captions readable on it.
  ui_.toolbarStrip->SetBackColor(theme.theme_light);
  // The question form's labels stand on the form's theme colour, so they
  // take the theme's text colour, or a dark theme would hide them.
  for (size_t i = 3; i < ui_.DiffLabel.size(); ++i) ui_.DiffLabel[i]->SetForeColor(theme.theme_pitch);
  // The title strip shows only where the theme has no title picture; in its
  // dark colour the caption, in its light one, stays readable there.
  ui_.titleStrip->SetBackColor(theme.theme_dark);
  ui_.FormImage->SetImage(skin_->Pictures(0).Item(2));
  ui_.caption->SetForeColor(theme.theme_light);
  ui_.caption->SetFontName(theme.theme_font);
  const QIcon icon = owner_->windowIcon();
  ui_.FormIcon->SetImage(icon.pixmap(16, 16));
  setWindowIcon(icon);
  QPalette background = palette();
  background.setColor(QPalette::Window, platform::ToQColor(theme.theme_shadow));
  setPalette(background);
  ui_.search.results->SetKeepFocus(true);
  ui_.index.topics->SetKeepFocus(true);
  ui_.toolbarLine->SetBorderColor(theme.theme_dark);
  for (platform::Picture* button : ui_.FormControl) button->SetFocusColor(theme.theme_high);
  ui_.ExplorerHolder->ResetControl(skin_);
  find_->ResetControl(skin_);
  // The ellipsis is measured again in the theme's text font.
  platform::Label* measure = owner_->GenLabel();
  measure->SetFontName(theme.theme_text);
  measure->SetFontBold(false);
  measure->SetCaption(QStringLiteral("..."));
  skin_->ellipsisWidth = measure->Width();
}

void Manager::LoadLanguagePack() {
  language_ = settings::ReadLanguagePack(pack_);
  ApplyLanguagePack(language_, ui_, settings::Shared().AppFolder);
  find_->ResetControl(skin_);
}

void Manager::SelfAlign() {
  if (layoutBusy_) return;
  layoutBusy_ = true;
  LayoutPage();
  update();
  layoutBusy_ = false;
}

void Manager::LayoutPage() { layout::LayoutPage(ui_, pages_->Shown(), ScaleWidth(), ScaleHeight()); }

void Manager::HoverReset(bool keepLists) { frame_->HoverReset(keepLists); }

void Manager::Form_Resize_Now() { frame_->Form_Resize_Now(); }

void Manager::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Start-up lays the window out itself once everything is loaded.
  if (!commandLine_.isEmpty()) Form_Resize_Now();
}

// A move by the window manager (Alt+drag, keys, snapping) takes the owner
// window along, as a caption drag does.
void Manager::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!commandLine_.isEmpty() && isVisible() && owner_->geometry() != geometry()) owner_->setGeometry(geometry());
}

void Manager::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  HoverReset(false);
}

// Activated the first time, the window would hand the keyboard to the first
// control of its tab chain, a title-bar button; the reader's work area takes
// it, unless the click that activated the window chose a control.
void Manager::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || activated_) return;
  activated_ = true;
  QWidget* focus = focusWidget();
  const auto& title = ui_.FormControl;
  if (!focus || std::find(title.cbegin(), title.cend(), focus) != title.cend()) pages_->FocusWorkArea();
}

// Backspace goes back as in a browser, when nothing else took it: our text
// boxes and a page's own fields keep it (the engine passes on only the keys
// that the page left alone).
void Manager::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Backspace || event->modifiers() != Qt::NoModifier) return QWidget::keyPressEvent(event);
  if (ui_.ToolButton[PageController::buttonBack]->Enabled()) pages_->GoBack();
}

// The desktop's own close (Alt+F4, a panel's close) ends the program like the
// title bar's close button; hiding only this window would leave its bare owner.
void Manager::closeEvent(QCloseEvent* event) {
  event->accept();
  frame_->TitleButtonAction(4);
}



}  // namespace lumora::app
