#include <QApplication>
#include <QImage>
#include <QPdfDocument>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QPrinter>
#include <QProcess>

#include "app/search_marks.h"
#include "app/temp_install.h"
#include "platform/print_preview.h"

using namespace lumora;

using PageControllerTest = TempInstall;

TEST_F(PageControllerTest, PrintingToAPrinterPaintsThePagesWithoutTheSearchMarks) {
  Write("Help/index.html", "<h1>Home page of the tests</h1>");
  Start();
  ASSERT_TRUE(WaitForPage(Lower("Help/index.html")));
  app::SearchMarks marks(*Ui().WebBrowser[0]);
  marks.Show(Pages().History().CurrentUrl(), {QStringLiteral("home"), QStringLiteral("tests")});
  marks.Recount();
  ASSERT_TRUE(QTest::qWaitFor([&] { return marks.Count() == 2; }, 20000));
  QPrinter other(QPrinter::HighResolution);  // asked for while a print runs: refused, and nothing written
  other.setOutputFileName(Path("other.pdf"));
  auto print = [&](const char* pdf, bool (platform::BrowserView::*how)(QPrinter&)) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(Path(pdf));  // a PDF file, standing in for a device too
    QTimer::singleShot(0, [&] { EXPECT_FALSE(Ui().WebBrowser[0]->PrintTo(other) || QFile::exists(Path("other.pdf"))) << pdf; });
    EXPECT_TRUE((Ui().WebBrowser[0]->*how)(printer));
    return printer.resolution();
  };
  print("page.pdf", &platform::BrowserView::PrintTo);  // a PDF file keeps the text
  QProcess::execute(QStringLiteral("pdftotext"), {Path("page.pdf"), Path("page.txt")});
  EXPECT_TRUE(ReadFile(Path("page.txt")).contains("Home page of the tests"));
  // Pages for a device are pictures at 300 dpi, not the 1200 asked for, which took long.
  EXPECT_EQ(print("device.pdf", &platform::BrowserView::RenderTo), platform::BrowserView::kPictureDpi);
  print("again.pdf", &platform::BrowserView::PrintTo);  // the print before has ended: the next one may start
  QPrinter noFile(QPrinter::HighResolution);  // a PDF printer without a file is a device too
  noFile.setOutputFormat(QPrinter::PdfFormat);
  EXPECT_EQ((Ui().WebBrowser[0]->PrintTo(noFile), noFile.resolution()), platform::BrowserView::kPictureDpi);
  QProcess::execute(QStringLiteral("pdftoppm"), QStringLiteral("-png -r 30 -f 1 -l 1 %1/device.pdf %1/device").arg(root_).split(u' '));
  const QImage first(Path("device-1.png"));
  int dark = 0, marked = 0;  // the heading: the first page is not blank; the marks' yellow is not printed
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x) {
      const QColor pixel = first.pixelColor(x, y);
      dark += qGray(pixel.rgb()) < 128 ? 1 : 0;
      marked += pixel.red() > 160 && pixel.green() > 160 && pixel.blue() < 120 ? 1 : 0;
    }
  EXPECT_TRUE(dark > 20 && marked == 0) << dark << " dark, " << marked << " marked";
}

// The preview is the printed PDF itself, prepared behind the status box.
TEST_F(PageControllerTest, PreviewShowsThePrintoutOnTheLocalesPaperAndGetsTheKeysTypedWhileItWasPrepared) {
  // The page names its own paper, as pages exported from word processors do, and adopts a sheet: the reader's wins.
  Write("Help/index.html", "<style>@page Section1 { size: 210mm 297mm; } div.Section1 { page: Section1; }</style>"
                           "<script>document.adoptedStyleSheets = [new CSSStyleSheet()];</script><div class=Section1><h1>Preview</h1>" + QByteArray("<p>A line of the page.</p>").repeated(90) + "</div>");
  const QByteArray before = qgetenv("LC_ALL");
  qputenv("LC_ALL", "fr_CA.UTF-8");  // a territory whose paper is Letter, installed here or not
  Start();
  ASSERT_TRUE(WaitForPage(Lower("Help/index.html")));
  platform::BrowserView& browser = *Ui().WebBrowser[0];

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFileName(Path("page.pdf"));
  platform::ChoosePaper(printer);
  ASSERT_TRUE(browser.PrintTo(printer));
  QPdfDocument printed(nullptr);
  ASSERT_EQ(printed.load(Path("page.pdf")), QPdfDocument::Error::None);
  EXPECT_EQ(printed.pagePointSize(0).toSize(), QSize(612, 792));  // Letter

  // Escape typed while the preview is prepared closes it as soon as it shows.
  bool statusShown = false;
  QPrinter onPaper(QPrinter::HighResolution);  // no file: drawn page by page, as for a printer
  onPaper.setOutputFormat(QPrinter::PdfFormat);
  QTimer::singleShot(0, [&] {
    statusShown = Ui().ControllerBox[0]->isVisible() && !browser.PrintTo(printer) &&  // one print at a time
                  !browser.PrintTo(onPaper) && Ui().FrameLabel[5]->Caption() == QStringLiteral("Preparing the preview, please wait...");
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Ui().WebBrowser[0], Qt::Key_Escape);
  });
  QTimer lost;  // a key that never arrives leaves the preview open: the test closes it and fails
  bool closedByTest = false;
  QObject::connect(&lost, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      closedByTest = true;
      dialog->reject();
    }
  });
  lost.start(20000);
  browser.PrintPreview();
  lost.stop();
  EXPECT_EQ(std::tuple(statusShown, closedByTest, Ui().ControllerBox[0]->isVisible()), std::tuple(true, false, false));

  // Shown again and looked into: the printout's pages on the printout's paper.
  int previewPages = 0;
  QPageSize::PageSizeId paper = QPageSize::Custom;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
      previewPages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
      paper = dialog->printer()->pageLayout().pageSize().id();
      dialog->grab().save(Path("preview.png"));
      dialog->reject();
    }
  });
  look.start(100);
  browser.PrintPreview();
  qputenv("LC_ALL", before);
  EXPECT_EQ(std::tuple(printed.pageCount() >= 2, previewPages, paper), std::tuple(true, printed.pageCount(), QPageSize::Letter));
}
