#include "app/layout_report.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QSaveFile>
#include <QMessageBox>
#include <QTimer>
#include <QWebEngineView>
#include <type_traits>

#include "app/find_strip.h"
#include "app/manager.h"
#include "app/search_marks.h"

namespace lumora::app {
namespace {

QJsonArray RectOf(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// One entry per control: its rectangle in the main window's pixels, the
// control it stands in (empty for the window itself), and what it shows.
class Collector {
 public:
  explicit Collector(const Manager& window) : window_(window) {}

  template <typename T>
  void Add(const QString& family, const std::vector<T*>& members) {
    for (size_t i = 0; i < members.size(); ++i)
      if (members[i]) Add(family, static_cast<int>(i), members[i]);
  }

  template <typename T>
  void Add(const QString& family, int index, T* member) {
    QJsonObject entry;
    entry[QStringLiteral("name")] = QStringLiteral("%1(%2)").arg(family).arg(index);
    entry[QStringLiteral("rect")] = RectOf(QRect(member->mapTo(&window_, QPoint(0, 0)), member->size()));
    entry[QStringLiteral("visible")] = member->isVisibleTo(&window_);
    // The control's own flag: a disabled container leaves it unchanged.
    if constexpr (requires { member->Enabled(); })
      entry[QStringLiteral("enabled")] = member->Enabled();
    else
      entry[QStringLiteral("enabled")] = !member->testAttribute(Qt::WA_ForceDisabled);
    const QWidget* parent = member->parentWidget();
    entry[QStringLiteral("parent")] = parent == &window_ ? QString() : names_.value(parent);
    // A list's caption is all its rows; its place is what matters here.
    if constexpr (requires { member->Caption(); } && !std::is_same_v<T, controls::ComplexList>)
      entry[QStringLiteral("caption")] = member->Caption();
    if constexpr (requires { member->Text(); }) entry[QStringLiteral("text")] = member->Text();
    if constexpr (requires { member->ImHigh(); }) entry[QStringLiteral("highlighted")] = member->ImHigh();
    if constexpr (requires { member->Sunken(); }) entry[QStringLiteral("sunken")] = member->Sunken();
    if constexpr (std::is_same_v<T, controls::ComplexList>) {
      entry[QStringLiteral("rows")] = member->RowCount();
      entry[QStringLiteral("selected")] = member->ListIndex();
      entry[QStringLiteral("firstInView")] = member->FirstRowInView();
      entry[QStringLiteral("lastInView")] = member->LastRowInView();
      entry[QStringLiteral("scrollBar")] = member->VScrollButton->Visible();
      // What the reader sees: the selected row's cells and the rows in view, as submitted.
      const auto cells = [member](int row) {
        QJsonArray texts;
        for (int column = 0; column < member->ColumnCount(); ++column) texts.append(member->CellText(column, row));
        return texts;
      };
      const int selected = member->ListIndex();
      entry[QStringLiteral("selectedCells")] =
          selected >= 0 && selected < member->RowCount() ? QJsonValue(cells(selected)) : QJsonValue();
      QJsonArray inView;
      for (int row = std::max(member->FirstRowInView(), 0); row <= member->LastRowInView(); ++row)
        inView.append(cells(row));
      entry[QStringLiteral("rowsInView")] = inView;
      QJsonArray dimmed;
      for (int row = 0; row < member->RowCount(); ++row)
        if (member->RowDimmed(row)) dimmed.append(row);
      entry[QStringLiteral("dimmed")] = dimmed;
      // Where row 0 lies in the list (scrolled, it may lie above it) and how tall a row is, in pixels.
      entry[QStringLiteral("rowsTop")] = member->RowRect(0).y();
      entry[QStringLiteral("rowHeight")] = member->RowRect(0).height();
    }
    if constexpr (std::is_same_v<T, controls::WriteBox>) entry[QStringLiteral("text")] = member->Text();
    names_.insert(member, entry[QStringLiteral("name")].toString());
    entries_.append(entry);
  }

  QJsonArray Entries() const { return entries_; }

  // The innermost control that holds widget; "" for none.
  QString NameOf(const QWidget* widget) const {
    while (widget && !names_.contains(widget)) widget = widget->parentWidget();
    return widget ? names_.value(widget) : QString();
  }

 private:
  const Manager& window_;
  QHash<const QWidget*, QString> names_;
  QJsonArray entries_;
};

}  // namespace

LayoutReport::LayoutReport(Manager& window, QString path)
    : QObject(&window), window_(window), path_(std::move(path)), timer_(new QTimer(this)) {
  timer_->setInterval(100);
  connect(timer_, &QTimer::timeout, this, &LayoutReport::Refresh);
  timer_->start();
}

void LayoutReport::StartIfRequested(Manager& window) {
  const QString path = qEnvironmentVariable("LUMORA_LAYOUT_REPORT");
  if (!path.isEmpty()) new LayoutReport(window, path);
}

QByteArray LayoutReport::Compose() const {
  const layout::Composition& ui = window_.Ui();
  const PageController& pages = window_.Pages();
  Collector controls(window_);
  // Containers before what they hold, so each entry can name its parent.
  controls.Add(QStringLiteral("FormBackGround"), ui.FormBackGround);
  controls.Add(QStringLiteral("FormHeader"), ui.FormHeader);
  controls.Add(QStringLiteral("FormImage"), 0, ui.FormImage);
  controls.Add(QStringLiteral("FormIcon"), 0, ui.FormIcon);
  controls.Add(QStringLiteral("FormCaption"), ui.FormCaption);
  controls.Add(QStringLiteral("FormControl"), ui.FormControl);
  controls.Add(QStringLiteral("ToolButton"), ui.ToolButton);
  controls.Add(QStringLiteral("ExplorerHolder"), 0, ui.ExplorerHolder);
  controls.Add(QStringLiteral("SimpleBox"), ui.SimpleBox);
  controls.Add(QStringLiteral("ControllerBox"), ui.ControllerBox);
  controls.Add(QStringLiteral("WebBrowser"), ui.WebBrowser);
  controls.Add(QStringLiteral("FrameLabel"), ui.FrameLabel);
  controls.Add(QStringLiteral("FrameImage"), ui.FrameImage);
  controls.Add(QStringLiteral("WriteBox"), ui.WriteBox);
  controls.Add(QStringLiteral("CommandButton"), ui.CommandButton);
  controls.Add(QStringLiteral("ComplexList"), ui.ComplexList);
  controls.Add(QStringLiteral("DiffLabel"), ui.DiffLabel);
  controls.Add(QStringLiteral("TextBox"), ui.TextBox);
  controls.Add(QStringLiteral("Commander"), ui.Commander);

  QJsonObject report;
  report[QStringLiteral("page")] = static_cast<int>(pages.Shown());
  report[QStringLiteral("url")] = pages.History().CurrentUrl();
  report[QStringLiteral("busy")] = ui.busy.box->isVisible();
  report[QStringLiteral("zoom")] = ui.browser->Zoom();
  report[QStringLiteral("visible")] = window_.isVisible();
  report[QStringLiteral("maximized")] = window_.isMaximized();
  report[QStringLiteral("window")] = RectOf(window_.geometry());
  report[QStringLiteral("least")] = QJsonArray{window_.minimumWidth(), window_.minimumHeight()};
  if (const QWidget* owner = window_.parentWidget()) {
    report[QStringLiteral("owner")] = RectOf(owner->geometry());
    report[QStringLiteral("ownerMinimized")] = owner->isMinimized();
  }
  report[QStringLiteral("title")] = ui.browser->View()->title();
  report[QStringLiteral("loading")] = ui.browser->Busy();
  QJsonArray history;
  for (int entry = 0; entry < pages.History().Pages().Count(); ++entry) history.append(pages.History().Pages().PageAt(entry));
  report[QStringLiteral("history")] = history;
  report[QStringLiteral("historyPos")] = pages.History().Pages().Position();
  if (const auto* rename = window_.findChild<const QLineEdit*>(QStringLiteral("BookmarkRename")); rename && rename->isVisible())
    report[QStringLiteral("renaming")] = rename->text();
  report[QStringLiteral("historyMenu")] = QJsonArray::fromStringList(window_.Pages().HistoryMenuTitles());
  const QCursor* cursor = QApplication::overrideCursor();
  report[QStringLiteral("waitCursor")] = cursor && cursor->shape() == Qt::WaitCursor;
  // The message the user is being shown, if any.
  if (const auto* box = qobject_cast<const QMessageBox*>(QApplication::activeModalWidget()))
    report[QStringLiteral("dialog")] = QJsonObject{{QStringLiteral("title"), box->windowTitle()},
                                                   {QStringLiteral("text"), box->text()}};
  const FindStrip& find = window_.Find();
  report[QStringLiteral("find")] = QJsonObject{{QStringLiteral("shown"), find.Shown()},
                                               {QStringLiteral("text"), find.Text()},
                                               {QStringLiteral("count"), find.CountText()},
                                               {QStringLiteral("matches"), find.Matches()},
                                               {QStringLiteral("active"), find.ActiveMatch()},
                                               {QStringLiteral("pageSelection"), ui.browser->View()->selectedText()}};
  // What the page itself held when last asked, and which page that was.
  report[QStringLiteral("searchMarks")] = QJsonObject{{QStringLiteral("page"), window_.Marks().CountedPage()},
                                                      {QStringLiteral("count"), window_.Marks().Count()}};
  // Where the keyboard is.
  if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == &window_)
    report[QStringLiteral("focus")] = controls.NameOf(focus);
  report[QStringLiteral("controls")] = controls.Entries();
  return QJsonDocument(report).toJson(QJsonDocument::Indented);
}

void LayoutReport::Refresh() {
  window_.Marks().Recount();
  QByteArray text = Compose();
  if (text == written_) return;
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(text);
  if (file.commit()) written_ = std::move(text);
}

}  // namespace lumora::app
