#pragma once

#include <QKeySequence>
#include <QList>
#include <QUrl>
#include <functional>

#include "core/files.h"
#include "platform/form_element.h"

class QMenu;
class QPageLayout;
class QPrinter;
class QWebEnginePage;
class QWebEngineView;

namespace lumora::platform {

class HelpPage;

// Registers the URL scheme that serves help sets and sets the engine's
// switches; called before the application object exists. True when pages
// will run without the engine's sandbox (as root the engine refuses it, and a
// user may switch it off with QTWEBENGINE_DISABLE_SANDBOX).
bool PrepareBrowserEngine();

// The scheme help pages are served by: "lumora:" and the page's absolute path.
inline constexpr char kHelpScheme[] = "lumora";
QUrl HelpUrl(const QString& absolutePath);
// What a help page's URL leads to in the help folder canonicalRoot; any
// other scheme is outside it.
core::HelpFile FindHelpPage(const QString& canonicalRoot, const QUrl& url);

// Takes out of the engine's context menu the entries that would move through
// its own history, reload, or open other windows behind the program's back.
void RemoveHistoryActions(QMenu& menu, QWebEnginePage& page);

// The embedded browser view that shows the help pages. The program keeps the
// history itself, so the engine keeps none and offers no way around it.
class BrowserView final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(BrowserView)

 public:
  explicit BrowserView(QWidget* parent = nullptr);

  // The folder whose files pages may load; nothing outside it is served.
  void SetHelpFolder(const QString& folder);
  // Pages whose path holds this text are opened only by a link the reader
  // clicked, never by a script.
  void SetClickOnlyPages(const QString& pathPart);

  // Loads a local file (found through the case-insensitive resolver; a
  // "#name" part that is not in the file's name is kept) or a URL. The
  // engine keeps no history and no cache of its own (see HelpProfile).
  void Navigate2(const QString& target);
  // Loads the page shown again from its file, where it is.
  void Reload();
  // Shows the print dialog, then prints the page; a cancelled dialog does nothing.
  void Print();
  // Shows the print preview of the page as it will print.
  void PrintPreview();

  // Prints the page shown to the printer and returns when it is done; false
  // when printing failed. The print command uses this after its dialog. A
  // PDF file gets the page as text and vectors; other printers get RenderTo.
  bool PrintTo(QPrinter& printer);
  // Paints the page's printed pages onto the printer as pictures, drawn at
  // no more than kPictureDpi.
  bool RenderTo(QPrinter& printer);
  static constexpr int kPictureDpi = 300;
  // The preview's pictures of the printed pages, enough for a close look.
  static constexpr int kPreviewDpi = 150;
  // Called with true before a preview is prepared and with false when it is
  // ready to show: the window shows that it is busy meanwhile.
  void SetBusyHook(std::function<void(bool)> hook) { busyHook_ = std::move(hook); }
  // The page shown, printed to PDF with this layout; empty when the engine
  // failed or gave nothing within kPrintWaitMs.
  QByteArray PrintedPdf(const QPageLayout& layout);
  static constexpr int kPrintWaitMs = 60000;

  // True while a navigation is under way and has not completed.
  bool Busy() const;
  // How long a renderer may leave a probe unanswered, while a new page is
  // asked for, before it counts as hung and is ended.
  void SetRendererPatience(int milliseconds) { patience_ = milliseconds; }

  QWebEngineView* View() const { return view_; }
  // The page's zoom, 1 for 100 %; kept across navigations.
  void SetZoom(double factor);
  double Zoom() const { return zoom_; }
  // Keys the window uses for itself: the page never takes them, even when it
  // has the keyboard focus (the engine would read Alt+Left as its own Back).
  void ReserveKeys(const QList<QKeySequence>& keys) { reserved_ = keys; }
  // The page's URL as NavigateComplete2 reports it.
  static QString ReportedUrl(const QUrl& url);

 signals:
  // A navigation completed, also one the page started itself and one that
  // failed; local pages are reported as their local path.
  void NavigateComplete2(const QString& url);
  // The page's loading state or status text changed.
  void UpdatePageStatus();
  // Ctrl and the wheel over the page: steps up (above 0) or down.
  void ZoomWheel(int steps);

 protected:
  void OnResize() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UsePrintersPaper();
  static constexpr int kScriptWaitMs = 5000;
  void Report(const QUrl& url);
  // A page whose script never returns keeps its renderer from taking the
  // next page; such a renderer is ended and the page asked for loaded anew.
  void WatchRenderer();
  // Asks again for the page the ended renderer held up, unless it has come;
  // before the engine says the renderer ended, only once nothing loads.
  void Recover(bool ended);

  QWebEngineView* view_ = nullptr;
  HelpPage* page_ = nullptr;
  QUrl lastReported_;
  QUrl requested_;
  int probe_ = 0;
  int patience_ = 2000;
  bool recovering_ = false;
  bool printing_ = false;
  std::function<void(bool)> busyHook_;
  double zoom_ = 1.0;
  QList<QKeySequence> reserved_;
  int wheelAngle_ = 0;  // parts of a notch from fine-grained wheels
};

}  // namespace lumora::platform
