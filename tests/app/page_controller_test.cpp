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
