#include "app/shortcuts.h"

#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QWebEngineView>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "settings/user_settings.h"

namespace lumora::app {
namespace {

// The zoom levels readers know from browsers.
constexpr double kZoomLevels[] = {0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

}  // namespace

Shortcuts::Shortcuts(QWidget& window, layout::Composition& ui, PageController& pages, FindStrip& find, QObject* parent)
    : QObject(parent), window_(window), ui_(ui), pages_(pages) {
  // A key does what its toolbar button does, while the button is enabled.
  auto whenEnabled = [this](int button) {
    return [this, button] {
      if (ui_.ToolButton[static_cast<size_t>(button)]->Enabled()) pages_.PressToolButton(button);
    };
  };
  Add(QKeySequence::ZoomIn, [this] { Zoom(1); });
  Add(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { Zoom(1); });
  Add(QKeySequence::ZoomOut, [this] { Zoom(-1); });
  Add(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { ResetZoom(); });
  Add(QKeySequence(Qt::ALT | Qt::Key_Left), whenEnabled(PageController::buttonBack));
  Add(QKeySequence(Qt::ALT | Qt::Key_Right), whenEnabled(PageController::buttonForward));
  Add(QKeySequence(Qt::ALT | Qt::Key_Home), [this] { pages_.GoHome(); });
  Add(QKeySequence(Qt::CTRL | Qt::Key_P), whenEnabled(PageController::buttonPrint));
  Add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), whenEnabled(PageController::buttonPreview));
  Add(QKeySequence(Qt::Key_F1), [this] { pages_.ShowViewerHelp(); });
  Add(QKeySequence(Qt::Key_F5), [this] { pages_.Reload(); });
  Add(QKeySequence(Qt::Key_F6), [this] { SwitchPaneAndPage(); });
  Add(QKeySequence(Qt::CTRL | Qt::Key_F), [&find] { find.Open(); });
  Add(QKeySequence(Qt::Key_F3), [&find] { find.Step(false); });
  Add(QKeySequence(Qt::SHIFT | Qt::Key_F3), [&find] { find.Step(true); });
  // Escape belongs to the page and the lists unless the strip is there to close.
  QShortcut* escape = Add(QKeySequence(Qt::Key_Escape), [&find] { find.Close(); });
  escape->setEnabled(false);
  connect(&find, &FindStrip::ShownChanged, escape, &QShortcut::setEnabled);
  connect(ui_.browser, &platform::BrowserView::ZoomWheel, this, &Shortcuts::Zoom);
  ui_.browser->ReserveKeys(keys_);
  ui_.browser->SetZoom(settings::UserZoom());
}

QShortcut* Shortcuts::Add(const QKeySequence& keys, std::function<void()> action) {
  keys_.append(keys);
  auto* shortcut = new QShortcut(keys, &window_);
  shortcut->setContext(Qt::WindowShortcut);
  connect(shortcut, &QShortcut::activated, this, std::move(action));
  return shortcut;
}

void Shortcuts::Bind(const QKeySequence& keys, std::function<void()> action) {
  Add(keys, std::move(action));
  ui_.browser->ReserveKeys(keys_);
}

double Shortcuts::StepZoom(double current, int steps) {
  const auto* begin = std::begin(kZoomLevels);
  const auto* end = std::end(kZoomLevels);
  // The level nearest to the current zoom, which may be none of them.
  const auto* nearest = std::min_element(begin, end, [current](double a, double b) {
    return std::abs(a - current) < std::abs(b - current);
  });
  const auto at = std::clamp<std::ptrdiff_t>((nearest - begin) + steps, 0, std::size(kZoomLevels) - 1);
  return kZoomLevels[at];
}

void Shortcuts::Zoom(int steps) { SetZoom(StepZoom(ui_.browser->Zoom(), steps)); }

void Shortcuts::ResetZoom() { SetZoom(1.0); }

void Shortcuts::SetZoom(double factor) {
  if (factor == ui_.browser->Zoom()) return;
  ui_.browser->SetZoom(factor);
  settings::SetUserZoom(factor);
}

void Shortcuts::SwitchPaneAndPage() {
  QWidget* page = ui_.browser->View();
  QWidget* box = nullptr;
  if (ui_.index.lookUp->isVisible()) box = ui_.index.lookUp->WrBText;
  else if (ui_.search.query->isVisible()) box = ui_.search.query->WrBText;
  else if (ui_.bookmarks.list->isVisible()) box = ui_.bookmarks.list;
  const bool inPage = page->isAncestorOf(QApplication::focusWidget()) || page == QApplication::focusWidget();
  if (inPage && box)
    box->setFocus(Qt::ShortcutFocusReason);
  else
    page->setFocus(Qt::ShortcutFocusReason);
}

}  // namespace lumora::app
