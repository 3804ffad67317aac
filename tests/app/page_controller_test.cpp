#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <optional>

#include "app/temp_install.h"
#include "platform/text.h"

using namespace lumora;
using app::PageController;

namespace {

constexpr int kWait = 20000;

QByteArray Link(const char* id, const char* href) {
  return QByteArray("<p><a id=\"") + id + "\" href=\"" + href + "\" style=\"display:block;width:300px;height:24px\">" +
         id + "</a></p>\n";
}

// A started program on a small help folder, with helpers to click links in
// the page as a user would.
class PageControllerTest : public TempInstall {
 protected:
  void SetUp() override {
    TempInstall::SetUp();
    Write(QStringLiteral("Help/index.html"),
          "<html><head><title>Home</title></head><body><h1>Home page of the tests</h1>\n" + Link("toA", "a.html") +
              Link("toAsk", "ask_class.html") + Link("toMissing", "missing.html") + Link("toText", "notes.txt") +
              Link("toFolder", "sub/") + Link("toMixed", "sub/page-b.html") + Link("toPopup", "popup.html") +
              Link("toAnchor", "#end") + "<div style=\"height:2000px\"></div><h2 id=\"end\">End</h2></body></html>");
    Write(QStringLiteral("Help/a.html"),
          "<html><body><h1>Page A text</h1>" + Link("toHome", "index.html") + "</body></html>");
    Write(QStringLiteral("Help/ask_class.html"), "<html><body>Ask</body></html>");
    Write(QStringLiteral("Help/notes.txt"), "plain notes");
    Write(QStringLiteral("Help/Sub/Page-B.html"), "<html><body><h1>Page B</h1></body></html>");
    Write(QStringLiteral("Help/popup.html"),
          "<html><body>Popup<script>window.open('a.html', '_blank');</script></body></html>");
    Start();
    home_ = Lower("Help/index.html");
    a_ = Lower("Help/a.html");
    ASSERT_TRUE(WaitForPage(home_));
  }

  // The path as the program stores it: lower case.
  QString Lower(const char* relative) const {
    return platform::AnsiLower(root_ + QLatin1Char('/') + QLatin1String(relative));
  }
  PageController& Pages() { return manager_->Pages(); }
  app::AppState& Mutable() { return manager_->MutableState(); }
  QWebEngineView* View() { return Ui().WebBrowser[0]->View(); }
  bool WaitForPage(const QString& url) {
    return QTest::qWaitFor([&] { return State().CurrentUrl == url; }, kWait);
  }
  // The history below the test's folder, the current entry starred, then
  // which of Back, Forward, Print and Preview are enabled.
  QString Trail() {
    QStringList parts;
    for (int i = 0; i < State().History.Count(); ++i)
      parts << (i == State().HistoryPos ? QStringLiteral("*") : QString()) +
                   State().History.At(0, i).mid(root_.size() + 1);
    parts << QStringLiteral("/");
    for (size_t button : {0, 1, 7, 8}) parts.last() += QLatin1Char(Ui().ToolButton[button]->Enabled() ? '1' : '0');
    return parts.join(QLatin1Char(' '));
  }

  // The value of a script run in the page.
  QVariant Script(const QString& script) {
    std::optional<QVariant> result;
    View()->page()->runJavaScript(script, [&](const QVariant& value) { result = value; });
    static_cast<void>(QTest::qWaitFor([&] { return result.has_value(); }, kWait));
    return result.value_or(QVariant());
  }

  // Clicks the element with the id in the page, with the mouse, once the
  // page is shown.
  void Click(const char* id) {
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Script(QStringLiteral("document.visibilityState")).toString() == QLatin1String("visible"); },
        kWait));
    const QVariantList point =
        Script(QStringLiteral("(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                              "return [r.left + 10, r.top + r.height / 2];})()")
                   .arg(QLatin1String(id)))
            .toList();
    ASSERT_EQ(point.size(), 2) << id;
    ASSERT_NE(View()->focusProxy(), nullptr);
    QTest::mouseClick(View()->focusProxy(), Qt::LeftButton, {}, QPoint(point[0].toInt(), point[1].toInt()));
  }

  QString home_;
  QString a_;
};

}  // namespace

TEST_F(PageControllerTest, FollowedLinksAreRecordedAndBackAndForwardWalkTheHistory) {
  EXPECT_FALSE(Pages().NavigateTo(true, home_));  // the page shown, or home while home is shown: nothing to do
  EXPECT_FALSE(Pages().NavigateTo(false, QString()));
  QTest::qWait(300);
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html /0011"));
  Click("toA");
  ASSERT_TRUE(WaitForPage(a_));
  EXPECT_EQ(Trail(), QStringLiteral("help/index.html *help/a.html /1011"));
  Pages().SwitchPage(PageController::pageBack);  // a step back records nothing
  ASSERT_TRUE(WaitForPage(home_));
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html help/a.html /0111"));

  // A page reached after a step back goes to the end; the position stays,
  // so forward first walks the older entries. The page is found whatever
  // the letter case on disk.
  const QString b = Lower("Help/Sub/Page-B.html");
  Click("toMixed");
  ASSERT_TRUE(WaitForPage(b));
  EXPECT_TRUE(View()->url().toLocalFile().endsWith(QStringLiteral("/Help/Sub/Page-B.html")));
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html help/a.html help/sub/page-b.html /0111"));
  Pages().SwitchPage(PageController::pageForward);
  ASSERT_TRUE(WaitForPage(a_));
  EXPECT_EQ(Trail(), QStringLiteral("help/index.html *help/a.html help/sub/page-b.html /1111"));
  Pages().SwitchPage(PageController::pageForward);
  ASSERT_TRUE(WaitForPage(b));
  EXPECT_EQ(Trail(), QStringLiteral("help/index.html help/a.html *help/sub/page-b.html /1011"));

  emit Ui().ToolButton[2]->DoubleClick(PageController::pageIndex);  // only the contents button goes home
  QTest::qWait(200);
  EXPECT_EQ(State().CurrentUrl, b);
  emit Ui().ToolButton[2]->DoubleClick(PageController::pageContents);
  ASSERT_TRUE(WaitForPage(home_));
}

TEST_F(PageControllerTest, AskClassLinkOpensTheQuestionFormAndReturnsToItsPage) {
  Click("toAsk");
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().PageMode == 3; }, kWait));
  ASSERT_TRUE(WaitForPage(home_));
  // The page that held the link is recorded again on its return.
  EXPECT_EQ(Trail(), QStringLiteral("help/index.html *help/index.html /0000"));
  Pages().SwitchPage(PageController::pageContents);
  EXPECT_EQ(State().PageMode, 0);
  EXPECT_EQ(Trail(), QStringLiteral("help/index.html *help/index.html /1011"));

  Pages().SwitchPage(PageController::pageBack);  // entry 0 is the page shown: nothing to load
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html help/index.html /0111"));
  EXPECT_FALSE(State().HistoryNavigating);
  Click("toA");  // and the next link is recorded
  ASSERT_TRUE(WaitForPage(a_));
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html help/index.html help/a.html /0111"));
}

TEST_F(PageControllerTest, ListIndexThatNamesNoEntryOpensNothing) {
  auto& ui = Ui();
  ui.ComplexList[1]->SetListIndex(5);
  emit ui.ComplexList[1]->DoubleClick(5);
  emit ui.CommandButton[2]->Click();
  emit ui.WriteBox[1]->KeyPressed(13, 0);
  ui.ComplexList[0]->SetListIndex(-1);
  emit ui.ComplexList[0]->DoubleClick(-1);
  emit ui.CommandButton[1]->Click();
  QTest::qWait(300);
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html /0011"));
  EXPECT_EQ(ui.WriteBox[1]->Text(), QString());
}

TEST_F(PageControllerTest, PagesDifferingOnlyInLetterCaseOpenTheirOwnFiles) {
  Write(QStringLiteral("Help/Guide.html"), "<html><body>Upper guide</body></html>");
  Write(QStringLiteral("Help/guide.html"), "<html><body>Lower guide</body></html>");
  const QString upper = root_ + QStringLiteral("/Help/Guide.html");
  const QString lower = root_ + QStringLiteral("/Help/guide.html");
  for (const QString& real : {upper, lower}) {
    const int entry = Mutable().IndexTable.Grow();
    Mutable().IndexTable.Set(0, entry, QStringLiteral("guide"));
    Mutable().IndexTable.Set(2, entry, platform::AnsiLower(real));
    Mutable().IndexTable.Set(3, entry, real);
  }
  auto open = [&](int entry, const QString& page, const char* text) {
    Ui().ComplexList[1]->SetListIndex(entry);
    emit Ui().CommandButton[2]->Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return State().CurrentPage == page; }, kWait))
        << State().CurrentPage.toStdString();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Script(QStringLiteral("document.body.innerText")).toString() == QLatin1String(text); }, kWait));
  };
  open(0, upper, "Upper guide");
  open(1, lower, "Lower guide");
  EXPECT_EQ(State().History.Count(), 3);
  Pages().SwitchPage(PageController::pageBack);  // History keeps each page's own letters
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().CurrentPage == upper; }, kWait));
}

TEST_F(PageControllerTest, IndexLookUpSelectsTheFirstTopicThatStartsWithTheText) {
  for (const char* subject : {"printing a page", "searching", "print preview", "starting lumora"})
    Mutable().IndexTable.Set(0, Mutable().IndexTable.Grow(), QString::fromLatin1(subject));
  const struct {
    const char* typed;
    int selected;
  } cases[] = {{"  PRINT ", 0}, {"st", 3}, {"", 0}};
  for (const auto& c : cases) {
    Ui().WriteBox[1]->SetText(QString::fromLatin1(c.typed));
    EXPECT_EQ(Ui().ComplexList[1]->ListIndex(), c.selected) << c.typed;
  }
  // Search is offered once there is more than blanks to search for.
  Ui().WriteBox[0]->SetText(QStringLiteral("   "));
  EXPECT_FALSE(Ui().CommandButton[0]->Enabled());
  Ui().WriteBox[0]->SetText(QStringLiteral(" print "));
  EXPECT_TRUE(Ui().CommandButton[0]->Enabled());
}

TEST_F(PageControllerTest, BadPagesKeepTheProgramRunningAndTheHistoryConsistent) {
  const struct {
    const char* link;
    QString page;
  } cases[] = {
      {"toMissing", Lower("Help/missing.html")},
      {"toText", Lower("Help/notes.txt")},
      {"toFolder", Lower("Help/sub/")},
      {"toPopup", a_},  // the new window opens in the same view
      {"toAnchor", home_ + QStringLiteral("#end")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    if (State().CurrentUrl != home_) {
      ASSERT_TRUE(Pages().NavigateTo(false, QString()));
      ASSERT_TRUE(WaitForPage(home_));
    }
    Click(c.link);
    ASSERT_TRUE(WaitForPage(c.page)) << State().CurrentUrl.toStdString();
    EXPECT_EQ(State().History.At(0, State().History.LastIndex()), c.page);
    EXPECT_EQ(State().HistoryPos, State().History.LastIndex());
  }
}

// What a command-line tool of poppler-utils prints for the file.
static QByteArray Poppler(const char* tool, const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
  if (program.isEmpty()) return "poppler-utils is needed to read PDF files";
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return process.readAllStandardOutput();
}

TEST_F(PageControllerTest, PrintingToAFileKeepsTheTextAndToAPrinterPaintsThePages) {
  auto print = [&](const QString& pdf, bool (platform::BrowserView::*how)(QPrinter&)) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);  // stands in for a device too
    printer.setOutputFileName(pdf);
    EXPECT_TRUE((Ui().WebBrowser[0]->*how)(printer));
    return printer.resolution();
  };
  print(root_ + QStringLiteral("/page.pdf"), &platform::BrowserView::PrintTo);
  EXPECT_TRUE(Poppler("pdftotext", {root_ + QStringLiteral("/page.pdf"), QStringLiteral("-")})
                  .contains("Home page of the tests"));
  // Pages for a device are drawn as pictures at 300 dpi, not the 1200 asked
  // for: the finer pictures took tens of seconds a page.
  EXPECT_EQ(print(root_ + QStringLiteral("/device.pdf"), &platform::BrowserView::RenderTo),
            platform::BrowserView::kPictureDpi);
  // The first page carries the page's heading: it is not blank.
  Poppler("pdftoppm",
          QStringLiteral("-png -r 30 -f 1 -l 1 %1/device.pdf %1/device").arg(root_).split(QLatin1Char(' ')));
  const QImage first(root_ + QStringLiteral("/device-1.png"));
  ASSERT_FALSE(first.isNull());
  int dark = 0;
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x) dark += qGray(first.pixel(x, y)) < 128 ? 1 : 0;
  EXPECT_GT(dark, 20);
}

TEST_F(PageControllerTest, PrintPreviewRendersThePage) {
  // Looks at the modal preview from the event loop, without blocking it, and
  // closes it once it shows pages.
  int pages = -1;
  QTimer watch;
  QElapsedTimer elapsed;
  elapsed.start();
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    auto* preview = dialog ? dialog->findChild<QPrintPreviewWidget*>() : nullptr;
    if (preview && preview->pageCount() > 0) pages = preview->pageCount();
    if (dialog && (pages > 0 || elapsed.elapsed() > kWait)) dialog->close();
  });
  watch.start(100);
  Pages().SwitchPage(PageController::pagePreview);
  EXPECT_GE(pages, 1);
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html /0011"));  // previewing navigates nowhere
}

TEST_F(PageControllerTest, ContextMenuOffersNoWayAroundTheHistory) {
  QWebEnginePage& page = *View()->page();
  QMenu menu;
  for (auto action : {QWebEnginePage::Back, QWebEnginePage::Forward, QWebEnginePage::Reload,
                      QWebEnginePage::NoWebAction, QWebEnginePage::Copy, QWebEnginePage::SelectAll,
                      QWebEnginePage::NoWebAction, QWebEnginePage::OpenLinkInNewWindow,
                      QWebEnginePage::OpenLinkInThisWindow, QWebEnginePage::NoWebAction, QWebEnginePage::ViewSource})
    action == QWebEnginePage::NoWebAction ? static_cast<void>(menu.addSeparator())
                                          : menu.addAction(page.action(action));
  platform::RemoveHistoryActions(menu, page);
  const QList<QAction*> kept = menu.actions();
  ASSERT_EQ(kept.size(), 4);
  EXPECT_EQ(kept[0], page.action(QWebEnginePage::Copy));
  EXPECT_EQ(kept[1], page.action(QWebEnginePage::SelectAll));
  EXPECT_TRUE(kept[2]->isSeparator());
  EXPECT_EQ(kept[3], page.action(QWebEnginePage::OpenLinkInThisWindow));
}

TEST_F(PageControllerTest, OnlyTheNavigationFromTheSearchListIsShownFromSearch) {
  Mutable().SearchResults.Set(0, 0, QStringLiteral("found a"));
  Mutable().SearchResults.Set(2, 0, a_);
  Mutable().IndexTable.Set(0, 0, QStringLiteral("page a"));
  Mutable().IndexTable.Set(2, 0, a_);
  Ui().ComplexList[0]->Submit_Data_Array(State().SearchResults, -1, 1);
  Ui().ComplexList[1]->Submit_Data_Array(State().IndexTable, -1, 1);
  Ui().ComplexList[0]->SetListIndex(0);
  Ui().ComplexList[1]->SetListIndex(0);
  QSignalSpy shown(&Pages(), &PageController::PageShown);
  emit Ui().CommandButton[1]->Click();  // Display on the search page
  ASSERT_TRUE(WaitForPage(a_));
  EXPECT_EQ(Ui().WriteBox[1]->Text(), QString());  // only the index's subjects go to the look-up box
  emit Ui().CommandButton[1]->Click();             // the page shown, from a search again: nothing to load
  Click("toHome");
  ASSERT_TRUE(WaitForPage(home_));
  emit Ui().ComplexList[1]->DoubleClick(0);
  ASSERT_TRUE(WaitForPage(a_));
  EXPECT_EQ(Ui().WriteBox[1]->Text(), QStringLiteral("page a"));
  std::vector<bool> fromSearch;
  for (const QList<QVariant>& call : shown) fromSearch.push_back(call.at(0).toBool());
  EXPECT_EQ(fromSearch, (std::vector<bool>{true, true, false, false}));
}

TEST_F(PageControllerTest, SearchWordsAreMarkedInThePageTextAndCleared) {
  const QString page = Lower("Help/words.html");
  Write(QStringLiteral("Help/words.html"),
        "<html><head><title>print</title><style>p.print{}</style></head><body>"
        "<p>C++ and c++; Printing <b>prints</b></p><script>var print = 1;</script></body></html>");
  ASSERT_TRUE(Pages().NavigateTo(true, page));
  ASSERT_TRUE(WaitForPage(page));
  const QString text = Script(QStringLiteral("document.body.innerHTML")).toString();
  // A word holding pattern characters stands for itself; the longer word
  // wins where both match; scripts, styles and the title stay untouched.
  manager_->Marks().Show(page, {QStringLiteral("print"), QStringLiteral("c++"), QString(), QStringLiteral("printing")});
  EXPECT_EQ(
      Script(QStringLiteral("Array.from(document.querySelectorAll('mark.lumora-hit'), m => m.textContent).join('|')")),
      QStringLiteral("C++|c++|Printing|print"));
  manager_->Marks().Clear(page);
  EXPECT_EQ(Script(QStringLiteral("document.body.innerHTML")).toString(), text);
}
