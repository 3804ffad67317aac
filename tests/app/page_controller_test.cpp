#include <gtest/gtest.h>

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>
#include <optional>

#include "app/temp_install.h"
#include "platform/text.h"

using namespace lumora;
using app::PageController;

namespace {

QByteArray Link(const char* id, const char* href) {
  return QByteArray("<p><a id=\"") + id + "\" href=\"" + href + "\">" + id + "</a></p>";
}

// A started program on a small help folder, its home page shown.
class PageControllerTest : public TempInstall {
 protected:
  void SetUp() override {
    TempInstall::SetUp();
    Write("Help/index.html", "<html><body><h1>Home page of the tests</h1>" + Link("toA", "a.html") +
                                 Link("toAsk", "ask_class.html") + Link("toMixed", "sub/page-b.html") + "</body></html>");
    Write("Help/a.html", "<html><body>" + Link("toHome", "index.html") + "</body></html>");
    Write("Help/ask_class.html", "Ask");
    Write("Help/Sub/Page-B.html", "Page B");
    Start();
    a_ = Lower("Help/a.html");
    ASSERT_TRUE(WaitForPage(home_ = Lower("Help/index.html")));
  }

  QString Lower(const char* relative) const { return platform::AnsiLower(Path(relative)); }
  PageController& Pages() { return manager_->Pages(); }
  bool WaitForPage(const QString& url) { return QTest::qWaitFor([&] { return State().CurrentUrl == url; }, 20000); }
  // The history below the test's folder, the current entry starred, then
  // which of Back, Forward, Print and Preview are enabled.
  QString Trail() {
    QStringList parts;
    for (int i = 0; i < State().History.Count(); ++i)
      parts << (i == State().HistoryPos ? QStringLiteral("*") : QString()) +
                   State().History.At(0, i).mid(root_.size() + 1);
    parts << QStringLiteral("/");
    for (size_t button : {0, 1, 7, 8}) parts.last() += QLatin1Char(Ui().ToolButton[button]->Enabled() ? '1' : '0');
    return parts.join(u' ');
  }
  QVariant Script(const QByteArray& script) {
    std::optional<QVariant> result;
    Ui().WebBrowser[0]->View()->page()->runJavaScript(QString::fromUtf8(script), [&](const QVariant& value) { result = value; });
    static_cast<void>(QTest::qWaitFor([&] { return result.has_value(); }, 20000));
    return result.value_or(QVariant());
  }
  void Click(const char* link) { Script(QByteArray("document.getElementById('") + link + "').click()"); }

  QString home_, a_;
};

}  // namespace

TEST_F(PageControllerTest, FollowedLinksAreRecordedAndBackAndForwardWalkTheHistory) {
  EXPECT_FALSE(Pages().NavigateTo(true, home_));  // the page shown, or home while home is shown: nothing to do
  EXPECT_FALSE(Pages().NavigateTo(false, QString()));
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html /0011"));
  Click("toA");
  ASSERT_TRUE(WaitForPage(a_));
  EXPECT_EQ(Trail(), QStringLiteral("help/index.html *help/a.html /1011"));
  Pages().SwitchPage(PageController::pageBack);  // a step back records nothing
  ASSERT_TRUE(WaitForPage(home_));
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html help/a.html /0111"));
  // A page reached after a step back goes to the end; the position stays, so
  // forward first walks the older entries. The page is found whatever the
  // letter case on disk.
  const QString b = Lower("Help/Sub/Page-B.html");
  Click("toMixed");
  ASSERT_TRUE(WaitForPage(b));
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
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().PageMode == 3; }, 20000));
  ASSERT_TRUE(WaitForPage(home_));
  EXPECT_EQ(Trail(), QStringLiteral("help/index.html *help/index.html /0000"));  // recorded again on its return
  Pages().SwitchPage(PageController::pageContents);
  Pages().SwitchPage(PageController::pageBack);  // entry 0 is the page shown: nothing to load
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html help/index.html /0111"));
  Click("toA");  // and the next link is recorded
  ASSERT_TRUE(WaitForPage(a_));
  EXPECT_EQ(Trail(), QStringLiteral("*help/index.html help/index.html help/a.html /0111"));
}

TEST_F(PageControllerTest, PrintingToAPrinterPaintsThePages) {
  auto print = [&](const char* pdf, bool (platform::BrowserView::*how)(QPrinter&)) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);  // stands in for a device too
    printer.setOutputFileName(Path(pdf));
    EXPECT_TRUE((Ui().WebBrowser[0]->*how)(printer));
    return printer.resolution();
  };
  print("page.pdf", &platform::BrowserView::PrintTo);  // a PDF file keeps the text
  QProcess::execute(QStringLiteral("pdftotext"), {Path("page.pdf"), Path("page.txt")});
  QFile text(Path("page.txt"));
  EXPECT_TRUE(text.open(QIODevice::ReadOnly) && text.readAll().contains("Home page of the tests"));
  // Pages for a device are pictures at 300 dpi, not the 1200 asked for: the
  // finer ones took tens of seconds a page.
  EXPECT_EQ(print("device.pdf", &platform::BrowserView::RenderTo), platform::BrowserView::kPictureDpi);
  QProcess::execute(QStringLiteral("pdftoppm"), QStringLiteral("-png -r 30 -f 1 -l 1 %1/device.pdf %1/device")
                                                    .arg(root_).split(u' '));
  const QImage first(Path("device-1.png"));
  int dark = 0;  // the heading: the first page is not blank
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x) dark += qGray(first.pixel(x, y)) < 128 ? 1 : 0;
  EXPECT_GT(dark, 20);
}

// Only a page opened from the search list has the search's words marked: a
// word holding pattern characters stands for itself, the longer word wins
// where both match, and scripts, styles and the title stay untouched.
TEST_F(PageControllerTest, OnlyTheNavigationFromTheSearchListIsShownFromSearch) {
  const QByteArray body = "<p>C++ and c++; Printing <b>prints</b></p><script>var print = 1;</script>";
  Write("Help/words.html", "<html><head><title>print</title><style>p.print{}</style></head><body>" + body + "</body>");
  auto& state = manager_->MutableState();
  state.QueryWords = {QStringLiteral("print"), QStringLiteral("c++"), QString(), QStringLiteral("printing")};
  state.SearchResults.Set(0, 0, QStringLiteral("words"));
  state.SearchResults.Set(2, 0, Lower("Help/words.html"));
  state.IndexTable.Set(0, 0, QStringLiteral("page a"));
  state.IndexTable.Set(2, 0, a_);
  for (size_t list : {0, 1}) {
    Ui().ComplexList[list]->Submit_Data_Array(list ? State().IndexTable : State().SearchResults, -1, 1);
    Ui().ComplexList[list]->SetListIndex(0);
  }
  QSignalSpy shown(&Pages(), &PageController::PageShown);
  emit Ui().CommandButton[1]->Click();  // Display
  ASSERT_TRUE(WaitForPage(Lower("Help/words.html")));
  const char* marks = "Array.from(document.querySelectorAll('mark.lumora-hit'), m => m.textContent).join('|')";
  EXPECT_TRUE(QTest::qWaitFor([&] { return Script(marks) == QStringLiteral("C++|c++|Printing|print"); }, 5000));
  EXPECT_EQ(Ui().WriteBox[1]->Text(), QString());
  emit Ui().CommandButton[1]->Click();  // the page shown, from a search again: nothing to load
  manager_->Marks().Clear(State().CurrentUrl);
  EXPECT_EQ(Script("document.body.innerHTML"), QString::fromUtf8(body));
  emit Ui().ComplexList[1]->DoubleClick(0);  // the index list shows its subject in the look-up box
  ASSERT_TRUE(WaitForPage(a_));
  EXPECT_EQ(Ui().WriteBox[1]->Text(), QStringLiteral("page a"));
  QList<bool> fromSearch;
  for (const QList<QVariant>& call : shown) fromSearch << call.at(0).toBool();
  EXPECT_EQ(fromSearch, (QList<bool>{true, true, false}));
}
