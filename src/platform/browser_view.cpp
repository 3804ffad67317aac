#include "platform/browser_view.h"

#include <signal.h>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include "platform/files.h"

namespace lumora::platform {
namespace {
// How long a renderer may leave a probe unanswered before it counts as hung.
constexpr int kRendererPatience = 2000;
}  // namespace

// A page that opens every new window in itself.
class HelpPage final : public QWebEnginePage {
 public:
  HelpPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

 protected:
  QWebEnginePage* createWindow(WebWindowType) override { return this; }
};

namespace {

// The engine's own context menu, less what would bypass the program's history.
class HelpView final : public QWebEngineView {
 public:
  using QWebEngineView::QWebEngineView;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu* menu = createStandardContextMenu();
    RemoveHistoryActions(*menu, *page());
    if (menu->actions().isEmpty()) {
      delete menu;
      return;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
  }
};

// Help pages link to each other in whatever letter case their authors typed;
// a link to a file that exists in other letters is sent to that file.
class CaseInsensitiveFiles final : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QUrl url = info.requestUrl();
    if (!url.isLocalFile()) return;
    const QString path = url.toLocalFile();
    if (QFileInfo::exists(path)) return;
    const QString real = ResolvePath(path);
    if (real == path) return;
    QUrl redirected = QUrl::fromLocalFile(real);
    redirected.setFragment(url.fragment(QUrl::FullyEncoded), QUrl::TolerantMode);
    info.redirect(redirected);
  }
};

QWebEngineProfile* HelpProfile() {
  // One off-the-record profile for the run: nothing is cached or kept. It
  // lives until the application object goes, after every view.
  static QWebEngineProfile* profile = [] {
    auto* p = new QWebEngineProfile(QCoreApplication::instance());
    p->setHttpCacheType(QWebEngineProfile::NoCache);
    p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    p->setUrlRequestInterceptor(new CaseInsensitiveFiles(p));
    return p;
  }();
  return profile;
}

}  // namespace

void RemoveHistoryActions(QMenu& menu, QWebEnginePage& page) {
  for (const QWebEnginePage::WebAction hidden :
       {QWebEnginePage::Back, QWebEnginePage::Forward, QWebEnginePage::Reload, QWebEnginePage::ReloadAndBypassCache,
        QWebEnginePage::OpenLinkInNewWindow, QWebEnginePage::OpenLinkInNewTab,
        QWebEnginePage::OpenLinkInNewBackgroundTab, QWebEnginePage::ViewSource, QWebEnginePage::SavePage,
        QWebEnginePage::DownloadLinkToDisk, QWebEnginePage::DownloadImageToDisk, QWebEnginePage::DownloadMediaToDisk})
    menu.removeAction(page.action(hidden));
  // Drop separators left at the ends or doubled by the removals.
  QAction* previous = nullptr;
  for (QAction* action : menu.actions()) {
    if (action->isSeparator() && (!previous || previous->isSeparator()))
      menu.removeAction(action);
    else
      previous = action;
  }
  while (!menu.actions().isEmpty() && menu.actions().last()->isSeparator()) menu.removeAction(menu.actions().last());
}

BrowserView::BrowserView(QWidget* parent) : FormElement(parent) {
  view_ = new HelpView(this);
  page_ = new HelpPage(HelpProfile(), view_);
  view_->setPage(page_);

  connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
    emit UpdatePageStatus();
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) recovering_ = false;
    if (recovering_) return;  // the load that the ended renderer abandoned
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
        info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
      Report(info.url());
  });
  connect(page_, &QWebEnginePage::renderProcessTerminated, this, [this] {
    if (recovering_ && requested_.isValid()) view_->load(requested_);
  });
  // Moving to an anchor of the same page loads nothing but is a navigation too.
  connect(page_, &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
    if (page_->isLoading() || url == lastReported_ || !lastReported_.isValid()) return;
    if (url.adjusted(QUrl::RemoveFragment) != lastReported_.adjusted(QUrl::RemoveFragment)) return;
    Report(url);
  });
  connect(page_, &QWebEnginePage::linkHovered, this, &BrowserView::UpdatePageStatus);
  // The engine may take a new page at its own zoom; the reader's stays.
  connect(page_, &QWebEnginePage::loadFinished, this, [this] { view_->setZoomFactor(zoom_); });
  // The engine makes and replaces the widgets inside the view that take the
  // wheel and the keys; the application's events are watched for them.
  QCoreApplication::instance()->installEventFilter(this);
  connect(view_, &QWebEngineView::printRequested, this, &BrowserView::ShowPrintDialog);
}

void BrowserView::Report(const QUrl& url) {
  // The engine keeps no history of its own; the program keeps it.
  page_->history()->clear();
  lastReported_ = url;
  emit NavigateComplete2(ReportedUrl(url));
}

void BrowserView::WatchRenderer() {
  const int probe = ++probe_;
  auto answered = std::make_shared<bool>(false);
  page_->runJavaScript(QStringLiteral("0"), [answered](const QVariant&) { *answered = true; });
  QTimer::singleShot(kRendererPatience, this, [this, probe, answered] {
    if (*answered || probe != probe_ || !page_->isLoading()) return;
    const qint64 pid = page_->renderProcessPid();
    if (pid <= 0) return;
    recovering_ = true;
    ::kill(static_cast<pid_t>(pid), SIGKILL);
  });
}

bool BrowserView::Busy() const { return page_->isLoading(); }

QString BrowserView::ReportedUrl(const QUrl& url) {
  if (!url.isLocalFile()) return url.toString();
  QString path = url.toLocalFile();
  if (url.hasFragment()) path += QLatin1Char('#') + url.fragment(QUrl::FullyEncoded);
  return path;
}

void BrowserView::Navigate2(const QString& target, int) {
  // The engine keeps no history and no cache in any case (see HelpProfile).
  QUrl url;
  if (target.startsWith(QLatin1Char('/')) || !target.contains(QLatin1String("://"))) {
    const LocalTarget local = SplitLocalTarget(target);
    url = QUrl::fromLocalFile(QFileInfo(local.file).absoluteFilePath());
    if (local.hasFragment) url.setFragment(local.fragment, QUrl::TolerantMode);
  } else {
    url = QUrl(target, QUrl::TolerantMode);
  }
  const bool busy = page_->isLoading();
  requested_ = url;
  view_->load(url);
  if (busy) WatchRenderer();
}

void BrowserView::ExecWB(int command, int) {
  switch (command) {
    case cmdPrint: ShowPrintDialog(); break;
    case cmdPrintPreview: ShowPrintPreview(); break;
    default: break;  // the engine is always interactive; nothing else is asked of it
  }
}

bool BrowserView::PrintTo(QPrinter& printer) {
  if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) return RenderTo(printer);
  if (printing_) return false;
  printing_ = true;
  bool succeeded = false;
  QEventLoop wait;
  const auto connection = connect(view_, &QWebEngineView::pdfPrintingFinished, &wait, [&](const QString&, bool ok) {
    succeeded = ok;
    wait.quit();
  });
  view_->printToPdf(printer.outputFileName(), printer.pageLayout(), printer.pageRanges());
  wait.exec();
  disconnect(connection);
  printing_ = false;
  return succeeded;
}

bool BrowserView::RenderTo(QPrinter& printer) {
  if (printing_) return false;
  printing_ = true;
  // The engine hands the printer each page as a picture drawn at the
  // printer's resolution: at 1200 dpi that takes tens of seconds a page and
  // adds nothing a help page needs.
  if (printer.resolution() > kPictureDpi) printer.setResolution(kPictureDpi);
  bool succeeded = false;
  QEventLoop wait;
  const auto connection = connect(view_, &QWebEngineView::printFinished, &wait, [&](bool ok) {
    succeeded = ok;
    wait.quit();
  });
  view_->print(&printer);
  wait.exec();
  disconnect(connection);
  printing_ = false;
  return succeeded;
}

void BrowserView::ShowPrintDialog() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, window());
  if (dialog.exec() != QDialog::Accepted) return;
  PrintTo(printer);  // a failure has nowhere to go; the page simply is not printed
}

void BrowserView::ShowPrintPreview() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(&printer, window());
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintTo(*target); });
  dialog.exec();
}

void BrowserView::OnResize() { view_->setGeometry(rect()); }

void BrowserView::SetZoom(double factor) {
  zoom_ = factor;
  view_->setZoomFactor(factor);
}

bool BrowserView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::Wheel) return false;
  // Every object of the application passes here, also ones being torn down
  // (Qt still sends them events): only their addresses are compared, nothing
  // is asked of them.
  if (watched != view_) {
    const QList<QWidget*> inner = view_->findChildren<QWidget*>();
    if (std::find(inner.cbegin(), inner.cend(), watched) == inner.cend()) return false;
  }
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!reserved_.contains(QKeySequence(key->keyCombination()))) return false;
    event->ignore();  // left to the window's shortcut
    return true;
  }
  if (event->type() != QEvent::Wheel) return false;
  auto* wheel = static_cast<QWheelEvent*>(event);
  if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
  wheelAngle_ += wheel->angleDelta().y();
  const int steps = wheelAngle_ / 120;
  wheelAngle_ %= 120;
  if (steps != 0) emit ZoomWheel(steps);
  return true;  // the engine's own zoom would not be kept
}

}  // namespace lumora::platform
