#include "platform/browser_view.h"
#include "platform/print_preview.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>

#include <QBuffer>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QMimeDatabase>
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
#include <QApplication>
#include <QPageLayout>
#include <QPaintEngine>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include "core/files.h"

namespace lumora::platform {
namespace {
// How long after the reader's click or key a page's navigation counts as theirs.
constexpr int kUserActionWindow = 1000;

// Takes WebRTC's constructors out of a frame's window for good.
constexpr char kNoWebRtc[] =
    "for (const name of ['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel', 'RTCIceTransport',"
    " 'RTCSessionDescription', 'RTCIceCandidate'])"
    " Object.defineProperty(window, name, {value: undefined, writable: false, configurable: false});";

bool IsHelpUrl(const QUrl& url) { return url.scheme() == QLatin1String(kHelpScheme); }

void Refuse(const char* what, const QUrl& url) {
  std::fprintf(stderr, "lumora: a help page %s %s; refused\n", what,
               qUtf8Printable(url.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemoveQuery)));
}

// Serves the files of one help folder under kHelpScheme, and nothing else.
class HelpFiles final : public QWebEngineUrlSchemeHandler {
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

  void SetFolder(const QString& folder) { root_ = QFileInfo(core::ResolvePath(folder)).canonicalFilePath(); }
  core::HelpFile Find(const QUrl& url) const { return FindHelpPage(root_, url); }

  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const core::HelpFile file = Find(job->requestUrl());
    if (file.kind != core::HelpFileKind::Found) {
      job->fail(file.kind == core::HelpFileKind::Missing ? QWebEngineUrlRequestJob::UrlNotFound
                                                   : QWebEngineUrlRequestJob::RequestDenied);
      return;
    }
    bool found = false;
    const QByteArray bytes = core::ReadHelpFile(root_, file.path, &found);
    if (!found) {
      job->fail(QWebEngineUrlRequestJob::RequestDenied);
      return;
    }
    auto* body = new QBuffer(job);
    body->setData(bytes);
    body->open(QIODevice::ReadOnly);
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file.path, QMimeDatabase::MatchExtension);
    job->reply(type.name().toUtf8(), body);
  }

 private:
  QString root_;  // canonical; empty until a folder is set, so nothing is served
};

HelpFiles* HelpFilesHandler();

}  // namespace

// A page confined to its help set: it navigates only within it, hands web
// and mail links the reader clicks to the desktop, opens no windows of its
// own and is granted no device or permission.
class HelpPage final : public QWebEnginePage {
 public:
  HelpPage(QWebEngineProfile* profile, QObject* parent, HelpPage* opener = nullptr)
      : QWebEnginePage(profile, parent), opener_(opener) {
    userAction_.invalidate();
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) { setFeaturePermission(origin, feature, PermissionDeniedByUser); });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
  }

  void NoteUserAction() { userAction_.start(); }
  void SetClickOnly(const QString& pathPart) { clickOnly_ = pathPart; }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    if (opener_) {
      deleteLater();  // it only ever passes on its first navigation
      return opener_->Opened(url, type);
    }
    const bool clicked = type == NavigationTypeLinkClicked && UserActed();
    if (IsHelpUrl(url)) {
      const core::HelpFileKind kind = HelpFilesHandler()->Find(url).kind;
      if (kind == core::HelpFileKind::Outside || kind == core::HelpFileKind::NotAFile) {
        Refuse("asked for", url);
        return false;
      }
      if (isMainFrame && !clickOnly_.isEmpty() && !clicked && type != NavigationTypeTyped &&
          url.path().contains(clickOnly_, Qt::CaseInsensitive)) {
        Refuse("tried to open by itself", url);
        return false;
      }
      return true;
    }
    // Frames a page makes of its own content.
    const QString scheme = url.scheme();
    if (!isMainFrame && (scheme == QLatin1String("data") || scheme == QLatin1String("blob") ||
                         scheme == QLatin1String("about")))
      return true;
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                     scheme == QLatin1String("mailto");
    if (web && clicked) {
      QDesktopServices::openUrl(url);  // the reader's own browser or mail program
      return false;
    }
    Refuse(web ? "tried to leave the help set for" : "asked for", url);
    return false;
  }

  // A link that asks for a new window is followed as if clicked in this one;
  // a script opens none.
  QWebEnginePage* createWindow(WebWindowType) override {
    if (!UserActed()) return nullptr;
    auto* opened = new HelpPage(profile(), this, this);
    QTimer::singleShot(10000, opened, &QObject::deleteLater);  // asked for a window, then loaded nothing
    return opened;
  }

 private:
  bool UserActed() const { return userAction_.isValid() && userAction_.elapsed() < kUserActionWindow; }

  // What the reader clicked in a new window goes to this one instead.
  bool Opened(const QUrl& url, NavigationType type) {
    if (acceptNavigationRequest(url, type, true)) setUrl(url);
    return false;
  }

  HelpPage* opener_;
  QElapsedTimer userAction_;
  QString clickOnly_;
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

// Every request a page makes goes to its help set or to what the page holds
// itself (data: and blob:); file://, the web and WebSockets are refused.
// Help pages link to each other in whatever letter case their authors
// typed; a link to a file that exists in other letters is sent to that file.
class HelpRequests final : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QUrl url = info.requestUrl();
    if (!IsHelpUrl(url)) {
      const QString scheme = url.scheme();
      if (scheme != QLatin1String("data") && scheme != QLatin1String("blob")) {
        info.block(true);
        if (info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame) Refuse("asked for", url);
      }
      return;
    }
    const core::HelpFile file = HelpFilesHandler()->Find(url);
    if (file.kind == core::HelpFileKind::Outside || file.kind == core::HelpFileKind::NotAFile) {
      info.block(true);
      return;
    }
    if (file.kind != core::HelpFileKind::Found || file.path == url.path(QUrl::FullyDecoded)) return;
    QUrl redirected = HelpUrl(file.path);
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
    p->setUrlRequestInterceptor(new HelpRequests(p));
    p->installUrlSchemeHandler(kHelpScheme, new HelpFiles(p));
    QObject::connect(p, &QWebEngineProfile::downloadRequested, p, [](QWebEngineDownloadRequest* download) {
      Refuse("tried to save", download->url());
      download->cancel();
    });
    QWebEngineSettings* settings = p->settings();
    for (const QWebEngineSettings::WebAttribute off :
         {QWebEngineSettings::LocalContentCanAccessFileUrls, QWebEngineSettings::LocalContentCanAccessRemoteUrls,
          QWebEngineSettings::PluginsEnabled, QWebEngineSettings::JavascriptCanOpenWindows,
          QWebEngineSettings::JavascriptCanAccessClipboard, QWebEngineSettings::JavascriptCanPaste,
          QWebEngineSettings::ScreenCaptureEnabled, QWebEngineSettings::AllowRunningInsecureContent,
          QWebEngineSettings::AllowGeolocationOnInsecureOrigins, QWebEngineSettings::FullScreenSupportEnabled,
          QWebEngineSettings::DnsPrefetchEnabled, QWebEngineSettings::PdfViewerEnabled,
          QWebEngineSettings::NavigateOnDropEnabled, QWebEngineSettings::AllowWindowActivationFromJavaScript})
      settings->setAttribute(off, false);
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    // A scheme the engine cannot load itself (mail's) comes to acceptNavigationRequest
    // only on the reader's click, and only that decides what the desktop is given.
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
    // WebRTC's connections pass by every request filter; the engine's
    // switches (see PrepareBrowserEngine) leave them nowhere to go, and every
    // document the engine loads, in any frame, loses the constructors too.
    QWebEngineScript noWebRtc;
    noWebRtc.setName(QStringLiteral("lumora-no-webrtc"));
    noWebRtc.setInjectionPoint(QWebEngineScript::DocumentCreation);
    noWebRtc.setWorldId(QWebEngineScript::MainWorld);
    noWebRtc.setRunsOnSubFrames(true);
    noWebRtc.setSourceCode(QString::fromLatin1(kNoWebRtc));
    p->scripts()->insert(noWebRtc);
    return p;
  }();
  return profile;
}

HelpFiles* HelpFilesHandler() {
  return static_cast<HelpFiles*>(const_cast<QWebEngineUrlSchemeHandler*>(HelpProfile()->urlSchemeHandler(kHelpScheme)));
}

}  // namespace

bool PrepareBrowserEngine() {
  QWebEngineUrlScheme scheme(kHelpScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
  QWebEngineUrlScheme::registerScheme(scheme);
  // WebRTC's connections pass by every request filter: UDP only through a
  // proxy, and the proxy is a closed port (below 1024: no other user can
  // listen there) that loopback addresses must use as well. Help pages are served by the scheme, which no proxy concerns. Added
  // after any switches of the user's, so that ours hold.
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  flags += " --force-webrtc-ip-handling-policy=disable_non_proxied_udp"
           " --proxy-server=127.0.0.1:9 --proxy-bypass-list=<-loopback>";
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
  // The engine refuses to start its sandbox as root; pages then run without it.
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  return qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX");
}

core::HelpFile FindHelpPage(const QString& canonicalRoot, const QUrl& url) {
  if (!IsHelpUrl(url)) return {core::HelpFileKind::Outside, {}};
  return core::FindHelpFile(canonicalRoot, url.path(QUrl::FullyDecoded));
}

QUrl HelpUrl(const QString& absolutePath) {
  QUrl url;
  url.setScheme(QLatin1String(kHelpScheme));
  url.setPath(absolutePath, QUrl::DecodedMode);
  return url;
}

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
    const bool succeeded = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
    // The load that the ended renderer abandoned fails; the engine may still
    // bring the page asked for in a new renderer, and that one is real.
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || succeeded) recovering_ = false;
    if (recovering_) return;
    if (succeeded || info.status() == QWebEngineLoadingInfo::LoadFailedStatus) Report(info.url());
  });
  // Loaded again once the engine is done with the ended renderer, not inside its notice.
  connect(page_, &QWebEnginePage::renderProcessTerminated, this,
          [this] { QTimer::singleShot(0, this, [this] { Recover(true); }); });
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
  connect(view_, &QWebEngineView::printRequested, this, &BrowserView::Print);
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
  QTimer::singleShot(patience_, this, [this, probe, answered] {
    if (probe != probe_ || !page_->isLoading()) return;
    const qint64 pid = page_->renderProcessPid();
    // A renderer that answered may hang later: a slow machine starts a
    // page's endless script only after the probe. It is asked again for as
    // long as the load lasts.
    if (*answered || pid <= 0) return WatchRenderer();
    recovering_ = true;
    std::fprintf(stderr, "lumora: a help page stopped answering; its renderer is ended and %s asked for again\n",
                 qUtf8Printable(ReportedUrl(requested_)));
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    // Neither the page nor word of the ended renderer may come.
    QTimer::singleShot(patience_, this, [this] { Recover(false); });
  });
}

void BrowserView::Recover(bool ended) {
  if (!recovering_ || !requested_.isValid()) return;
  if (ended || !page_->isLoading())
    view_->load(requested_);
  else
    QTimer::singleShot(patience_, this, [this] { Recover(false); });
}

bool BrowserView::Busy() const { return page_->isLoading(); }

QString BrowserView::ReportedUrl(const QUrl& url) {
  if (!IsHelpUrl(url)) return url.toString();
  QString path = url.path(QUrl::FullyDecoded);
  if (url.hasFragment()) path += QLatin1Char('#') + url.fragment(QUrl::FullyEncoded);
  return path;
}

void BrowserView::SetHelpFolder(const QString& folder) { HelpFilesHandler()->SetFolder(folder); }

void BrowserView::SetClickOnlyPages(const QString& pathPart) { page_->SetClickOnly(pathPart); }

void BrowserView::Reload() { page_->triggerAction(QWebEnginePage::ReloadAndBypassCache); }

void BrowserView::Navigate2(const QString& target) {
  QUrl url;
  if (target.startsWith(QLatin1Char('/')) || !target.contains(QLatin1String("://"))) {
    const core::LocalTarget local = core::SplitLocalTarget(target);
    url = HelpUrl(QFileInfo(local.file).absoluteFilePath());
    if (local.hasFragment) url.setFragment(local.fragment, QUrl::TolerantMode);
  } else {
    url = QUrl(target, QUrl::TolerantMode);  // anything but the help set is refused by the page
  }
  const bool busy = page_->isLoading();
  requested_ = url;
  view_->load(url);
  if (busy) WatchRenderer();
}

void BrowserView::UsePrintersPaper() {
  // Pages exported from word processors name their own paper (a named
  // "@page Section1 { size: 8.5in 11in }"), which would print Letter on an
  // A4 printer. A sheet of the page's own, which the page's rules cannot
  // outrank, leaves the paper of every page rule to the printer and keeps
  // the rest (margins); the wait is short and bounded.
  static const char kScript[] = R"js((function () {
    if (document.adoptedStyleSheets.some(function (s) { return s.lumoraPaper; })) return;
    var names = [''];
    for (var i = 0; i < document.styleSheets.length; ++i) {
      var rules;
      try { rules = document.styleSheets[i].cssRules; } catch (e) { continue; }
      for (var j = 0; j < rules.length; ++j)
        if (rules[j] instanceof CSSPageRule && rules[j].selectorText) names.push(rules[j].selectorText);
    }
    var sheet = new CSSStyleSheet();
    sheet.replaceSync(names.map(function (n) { return '@page ' + n + ' { size: auto !important; }'; }).join('\n'));
    sheet.lumoraPaper = true;
    document.adoptedStyleSheets = document.adoptedStyleSheets.concat([sheet]);
  })())js";
  auto done = std::make_shared<QEventLoop>();
  page_->runJavaScript(QString::fromLatin1(kScript), [done](const QVariant&) { done->quit(); });
  QTimer::singleShot(kScriptWaitMs, done.get(), &QEventLoop::quit);
  done->exec();
}

bool BrowserView::PrintTo(QPrinter& printer) {
  if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) return RenderTo(printer);
  if (printing_) return false;
  printing_ = true;
  UsePrintersPaper();
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
  UsePrintersPaper();
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

void BrowserView::Print() {
  QPrinter printer(QPrinter::HighResolution);
  ChoosePaper(printer);
  QPrintDialog dialog(&printer, window());
  if (dialog.exec() != QDialog::Accepted) return;
  PrintTo(printer);  // a failure has nowhere to go; the page simply is not printed
}

QByteArray BrowserView::PrintedPdf(const QPageLayout& layout) {
  if (printing_) return {};
  printing_ = true;
  // The engine may answer after the wait has given up: what it answers then
  // goes to this shared result, never to a finished caller's stack.
  struct Answer {
    QByteArray pdf;
    bool done = false;
    QEventLoop wait;
  };
  UsePrintersPaper();
  auto answer = std::make_shared<Answer>();
  page_->printToPdf(
      [answer](const QByteArray& pdf) {
        answer->pdf = pdf;
        answer->done = true;
        answer->wait.quit();
      },
      layout);
  if (!answer->done) {
    QTimer::singleShot(kPrintWaitMs, &answer->wait, &QEventLoop::quit);
    answer->wait.exec();
  }
  printing_ = false;
  return answer->done ? answer->pdf : QByteArray();
}

void BrowserView::PrintPreview() {
  if (printing_) return;
  QPrinter printer(QPrinter::HighResolution);
  ChoosePaper(printer);
  // The preview shows the very PDF the engine prints, so it holds exactly
  // what a printout holds, and shows it in the time printing takes.
  KeyHold keys;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (busyHook_) busyHook_(true);
  QPageLayout shown = printer.pageLayout();
  QByteArray pdf = PrintedPdf(shown);
  if (busyHook_) busyHook_(false);
  QApplication::restoreOverrideCursor();
  if (pdf.isEmpty()) return;  // the engine printed nothing: there is nothing to show

  QPrintPreviewDialog dialog(&printer, window());
  connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
    // The dialog's Print button asks for the real thing.
    if (target->paintEngine()->type() != QPaintEngine::Picture) {
      PrintTo(*target);
      return;
    }
    if (!target->pageLayout().isEquivalentTo(shown)) {  // another paper or orientation chosen
      QApplication::setOverrideCursor(Qt::WaitCursor);
      shown = target->pageLayout();
      pdf = PrintedPdf(shown);
      QApplication::restoreOverrideCursor();
    }
    PaintPdfPages(pdf, *target, kPreviewDpi);
  });
  QTimer::singleShot(0, &dialog, [&] { keys.GiveTo(&dialog); });
  dialog.exec();
}

void BrowserView::OnResize() { view_->setGeometry(rect()); }

void BrowserView::SetZoom(double factor) {
  zoom_ = factor;
  view_->setZoomFactor(factor);
}

bool BrowserView::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::ShortcutOverride && type != QEvent::Wheel && type != QEvent::MouseButtonRelease &&
      type != QEvent::KeyPress)
    return false;
  // Every object of the application passes here, also ones being torn down
  // (Qt still sends them events): only their addresses are compared, nothing
  // is asked of them.
  if (watched != view_) {
    const QList<QWidget*> inner = view_->findChildren<QWidget*>();
    if (std::find(inner.cbegin(), inner.cend(), watched) == inner.cend()) return false;
  }
  // What the reader does on the page; a navigation soon after is theirs.
  if (type == QEvent::MouseButtonRelease || type == QEvent::KeyPress) {
    page_->NoteUserAction();
    return false;
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
