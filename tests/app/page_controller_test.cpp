#include <QImage>
#include <QPrinter>
#include <QProcess>

#include "app/search_marks.h"
#include "app/temp_install.h"

using namespace lumora;

using PageControllerTest = TempInstall;

TEST_F(PageControllerTest, PrintingToAPrinterPaintsThePagesWithoutTheSearchMarks) {
  Write("Help/index.html", "<h1>Home page of the tests</h1>");
  Start();
  ASSERT_TRUE(WaitForPage(Lower("Help/index.html")));
  app::SearchMarks marks(*Ui().WebBrowser[0]);
  marks.Show(State().CurrentUrl, {QStringLiteral("home"), QStringLiteral("tests")});
  marks.Recount();
  ASSERT_TRUE(QTest::qWaitFor([&] { return marks.Count() == 2; }, 20000));
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
  int dark = 0, marked = 0;  // the heading: the first page is not blank; the marks' yellow is not printed
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x) {
      const QColor pixel = first.pixelColor(x, y);
      dark += qGray(pixel.rgb()) < 128 ? 1 : 0;
      marked += pixel.red() > 160 && pixel.green() > 160 && pixel.blue() < 120 ? 1 : 0;
    }
  EXPECT_GT(dark, 20);
  EXPECT_EQ(marked, 0);
}
