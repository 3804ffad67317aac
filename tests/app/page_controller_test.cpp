#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QWebEngineView>

#include "app/temp_install.h"

using namespace lumora;

// A started program on a small help folder, its home page shown.
class PageControllerTest : public TempInstall {
 protected:
  void SetUp() override {
    TempInstall::SetUp();
    Write("Help/index.html", "<h1>Home page of the tests</h1><a href=a.html>A</a><a href=sub/page-b.html>B</a>");
    Write("Help/a.html", "<a href=index.html>Home</a>");
    Write("Help/Sub/Page-B.html", "Page B");
    Start();
    ASSERT_TRUE(WaitForPage(home_));
  }
  // Once shown: the history, the current entry starred, and whether Back, Forward, Print, Preview work.
  QString Trail(const QString& url) {
    if (!WaitForPage(url)) return u"not at " + url;
    QStringList parts;
    for (int i = 0; i < State().History.Count(); ++i)
      parts << Q(i == State().HistoryPos ? "*" : "") + State().History.At(0, i).mid(root_.size() + 1);
    parts << Q("/");
    for (size_t button : {0, 1, 7, 8}) parts.last() += Ui().ToolButton[button]->Enabled() ? u'1' : u'0';
    return parts.join(u' ');
  }
  void Click(int link) {
    Ui().WebBrowser[0]->View()->page()->runJavaScript(QStringLiteral("document.links[%1].click()").arg(link));
  }

  const QString home_ = Lower("Help/index.html"), a_ = Lower("Help/a.html");
  const QString b_ = Lower("Help/Sub/Page-B.html");  // found whatever the letter case on disk
};

TEST_F(PageControllerTest, FollowedLinksAreRecordedAndBackAndForwardWalkTheHistory) {
  EXPECT_FALSE(manager_->Pages().NavigateTo(true, home_));  // shown already, or home while shown: nothing to do
  EXPECT_FALSE(manager_->Pages().NavigateTo(false, QString()));
  EXPECT_EQ(Trail(home_), QStringLiteral("*help/index.html /0011"));
  Click(0);
  EXPECT_EQ(Trail(a_), QStringLiteral("help/index.html *help/a.html /1011"));
  manager_->Pages().SwitchPage(app::PageController::pageBack);  // a step back records nothing
  EXPECT_EQ(Trail(home_), QStringLiteral("*help/index.html help/a.html /0111"));
  // Reached after a step back, a page goes to the end, the position staying: forward walks the older first.
  Click(1);
  EXPECT_EQ(Trail(b_), QStringLiteral("*help/index.html help/a.html help/sub/page-b.html /0111"));
  manager_->Pages().SwitchPage(app::PageController::pageForward);
  EXPECT_EQ(Trail(a_), QStringLiteral("help/index.html *help/a.html help/sub/page-b.html /1111"));
  manager_->Pages().SwitchPage(app::PageController::pageForward);
  EXPECT_EQ(Trail(b_), QStringLiteral("help/index.html help/a.html *help/sub/page-b.html /1011"));
  emit Ui().ToolButton[2]->DoubleClick(app::PageController::pageContents);  // goes home
  EXPECT_TRUE(WaitForPage(home_));
}

TEST_F(PageControllerTest, PrintingToAPrinterPaintsThePages) {
  auto print = [&](const char* pdf, bool (platform::BrowserView::*how)(QPrinter&)) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(Path(pdf));  // a PDF file, standing in for a device too
    EXPECT_TRUE((Ui().WebBrowser[0]->*how)(printer));
    return printer.resolution();
  };
  print("page.pdf", &platform::BrowserView::PrintTo);  // a PDF file keeps the text
  QProcess::execute(QStringLiteral("pdftotext"), {Path("page.pdf"), Path("page.txt")});
  QFile text(Path("page.txt"));
  EXPECT_TRUE(text.open(QIODevice::ReadOnly) && text.readAll().contains("Home page of the tests"));
  // Pages for a device are pictures at 300 dpi, not the 1200 asked for, which took long.
  EXPECT_EQ(print("device.pdf", &platform::BrowserView::RenderTo), platform::BrowserView::kPictureDpi);
  QProcess::execute(QStringLiteral("pdftoppm"), QStringLiteral("-png -r 30 -f 1 -l 1 %1/device.pdf %1/device")
                                                    .arg(root_).split(u' '));
  const QImage first(Path("device-1.png"));
  int dark = 0;  // the heading: the first page is not blank
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x) dark += qGray(first.pixel(x, y)) < 128 ? 1 : 0;
  EXPECT_GT(dark, 20);
}
