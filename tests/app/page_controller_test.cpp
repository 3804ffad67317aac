#include <QImage>
#include <QPrinter>
#include <QProcess>

#include "app/temp_install.h"

using namespace lumora;

using PageControllerTest = TempInstall;

TEST_F(PageControllerTest, PrintingToAPrinterPaintsThePages) {
  Write("Help/index.html", "<h1>Home page of the tests</h1>");
  Start();
  ASSERT_TRUE(WaitForPage(Lower("Help/index.html")));
  auto print = [&](const char* pdf, bool (platform::BrowserView::*how)(QPrinter&)) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(Path(pdf));  // a PDF file, standing in for a device too
    EXPECT_TRUE((Ui().WebBrowser[0]->*how)(printer));
    return printer.resolution();
  };
  print("page.pdf", &platform::BrowserView::PrintTo);  // a PDF file keeps the text
  QProcess::execute(QStringLiteral("pdftotext"), {Path("page.pdf"), Path("page.txt")});
  EXPECT_TRUE(ReadFile(Path("page.txt")).contains("Home page of the tests"));
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

// Reached after a step back, a page goes to the end and the position stays: Forward walks the older first.
TEST_F(PageControllerTest, PagesShownAreRecordedAndBackAndForwardWalkTheHistory) {
  for (const char* page : {"Help/a.html", "Help/b.html"}) Write(page, "page");
  Start();
  const QString home = Lower("Help/index.html"), a = Lower("Help/a.html"), b = Lower("Help/b.html");
  ASSERT_TRUE(WaitForPage(home) && manager_->Pages().NavigateTo(true, a) && WaitForPage(a));
  manager_->Pages().SwitchPage(app::PageController::pageBack);
  // A new page after Back drops what lay ahead: Back returns to where the reader came from.
  ASSERT_TRUE(WaitForPage(home) && manager_->Pages().NavigateTo(true, b) && WaitForPage(b));
  EXPECT_EQ(std::tuple(State().History.Count(), State().History.PageAt(1), State().History.Position()), std::tuple(2, b, 1));
  manager_->Pages().SwitchPage(app::PageController::pageBack);
  EXPECT_TRUE(WaitForPage(home));
}
