#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
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

#include "app/manager.h"
#include "app/manager_sub.h"
#include "app/temp_install.h"
#include "platform/text.h"

using namespace lumora;
using app::Manager;
using app::ManagerSub;
using app::PageController;

namespace {

constexpr int kWait = 20000;

QByteArray Link(const char* id, const char* href, const char* text) {
  return QByteArray("<p><a id=\"") + id + "\" href=\"" + href +
         "\" style=\"display:block;width:300px;height:24px\">" + text + "</a></p>\n";
}

// A started program on a small help folder, with helpers to click links in
// the page as a user would.
class PageControllerTest : public TempInstall {
 protected:
  void SetUp() override {
    TempInstall::SetUp();
    Write(QStringLiteral("Help/index.html"),
          "<html><head><title>Home</title></head><body><h1>Home page of the tests</h1>\n" +
              Link("toA", "a.html", "Page A") + Link("toAsk", "ask_class.html", "Ask") +
              Link("toMissing", "missing.html", "Missing") + Link("toText", "notes.txt", "Notes") +
              Link("toFolder", "sub/", "Folder") + Link("toMixed", "sub/page-b.html", "Mixed case") +
              Link("toPopup", "popup.html", "Popup") + Link("toAnchor", "#end", "Anchor") +
              "<div style=\"height:2000px\"></div><h2 id=\"end\">End</h2></body></html>");
    Write(QStringLiteral("Help/a.html"),
          "<html><body><h1>Page A text</h1>" + Link("toHome", "index.html", "Home") + "</body></html>");
    Write(QStringLiteral("Help/ask_class.html"), "<html><body>Ask</body></html>");
    Write(QStringLiteral("Help/notes.txt"), "plain notes");
    Write(QStringLiteral("Help/Sub/Page-B.html"), "<html><body><h1>Page B</h1></body></html>");
    Write(QStringLiteral("Help/popup.html"),
          "<html><body>Popup<script>window.open('a.html', '_blank');</script></body></html>");
    manager_ = std::make_unique<Manager>(&owner_);
    ASSERT_TRUE(manager_->Load(Pack()));
    home_ = Lower(QStringLiteral("Help/index.html"));
    ASSERT_TRUE(WaitForPage(home_));
  }

  void TearDown() override {
    manager_.reset();
    TempInstall::TearDown();
  }

  // The path as the program stores it: lower case.
  QString Lower(const QString& relative) const {
    return platform::AnsiLower(root_ + QLatin1Char('/') + relative);
  }

  const app::AppState& State() const { return manager_->State(); }
  PageController& Pages() { return manager_->Pages(); }
  QWebEngineView* View() const { return manager_->Ui().WebBrowser[0]->View(); }

  bool WaitForPage(const QString& url) {
    return QTest::qWaitFor([&] { return State().CurrentUrl == url; }, kWait);
  }

  std::vector<QString> History() const {
    std::vector<QString> entries;
    for (int i = 0; i < State().History.Count(); ++i) entries.push_back(State().History.At(0, i));
    return entries;
  }

  // Clicks the element with the id in the page, with the mouse, once the
  // page is shown.
  void Click(const QString& id) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return Script(QStringLiteral("document.visibilityState")).toString() == QLatin1String("visible"); },
                                kWait));
    QVariant result;
    bool done = false;
    View()->page()->runJavaScript(
        QStringLiteral("(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                       "return [r.left + 10, r.top + r.height / 2];})()")
            .arg(id),
        [&](const QVariant& value) {
          result = value;
          done = true;
        });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, kWait));
    const QVariantList point = result.toList();
    ASSERT_EQ(point.size(), 2) << id.toStdString();
    QWidget* target = View()->focusProxy();
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(point[0].toInt(), point[1].toInt()));
  }

  // The value of a script run in the page.
  QVariant Script(const QString& script) {
    QVariant result;
    bool done = false;
    View()->page()->runJavaScript(script, [&](const QVariant& value) {
      result = value;
      done = true;
    });
    static_cast<void>(QTest::qWaitFor([&] { return done; }, kWait));
    return result;
  }

  bool Enabled(int button) const { return manager_->Ui().ToolButton[static_cast<size_t>(button)]->Enabled(); }

  ManagerSub owner_;
  std::unique_ptr<Manager> manager_;
  QString home_;
};

}  // namespace

TEST_F(PageControllerTest, HomePageIsShownAndRecordedAtStart) {
  EXPECT_EQ(History(), std::vector<QString>{home_});
  EXPECT_EQ(State().HistoryPos, 0);
  EXPECT_FALSE(Enabled(0));
  EXPECT_FALSE(Enabled(1));
  EXPECT_TRUE(Enabled(7));
  EXPECT_TRUE(Enabled(8));
}

TEST_F(PageControllerTest, FollowedLinksAreRecordedAndBackAndForwardWalkTheHistory) {
  const QString a = Lower(QStringLiteral("Help/a.html"));
  Click(QStringLiteral("toA"));
  ASSERT_TRUE(WaitForPage(a));
  EXPECT_EQ(History(), (std::vector<QString>{home_, a}));
  EXPECT_EQ(State().HistoryPos, 1);
  EXPECT_TRUE(Enabled(0));
  EXPECT_FALSE(Enabled(1));

  Pages().SwitchPage(PageController::pageBack);
  ASSERT_TRUE(WaitForPage(home_));
  EXPECT_EQ(State().HistoryPos, 0);
  EXPECT_FALSE(Enabled(0));
  EXPECT_TRUE(Enabled(1));
  EXPECT_EQ(History().size(), 2u);  // a step back records nothing

  // A page reached after a step back goes to the end; the position stays,
  // so forward first walks the older entries.
  const QString b = Lower(QStringLiteral("Help/Sub/Page-B.html"));
  Click(QStringLiteral("toMixed"));
  ASSERT_TRUE(WaitForPage(b));
  EXPECT_EQ(History(), (std::vector<QString>{home_, a, b}));
  EXPECT_EQ(State().HistoryPos, 0);
  EXPECT_TRUE(Enabled(1));

  Pages().SwitchPage(PageController::pageForward);
  ASSERT_TRUE(WaitForPage(a));
  EXPECT_EQ(State().HistoryPos, 1);
  Pages().SwitchPage(PageController::pageForward);
  ASSERT_TRUE(WaitForPage(b));
  EXPECT_EQ(State().HistoryPos, 2);
  EXPECT_FALSE(Enabled(1));
  EXPECT_TRUE(Enabled(0));
  EXPECT_EQ(History().size(), 3u);
}

TEST_F(PageControllerTest, NavigatingToThePageShownChangesNothing) {
  EXPECT_FALSE(Pages().NavigateTo(true, home_));
  EXPECT_FALSE(Pages().NavigateTo(false, QString()));  // the home page
  QTest::qWait(300);
  EXPECT_EQ(History(), std::vector<QString>{home_});
}

TEST_F(PageControllerTest, PagesAreFoundWhateverTheLetterCaseOnDisk) {
  const QString b = Lower(QStringLiteral("Help/Sub/Page-B.html"));
  ASSERT_TRUE(Pages().NavigateTo(true, b));
  ASSERT_TRUE(WaitForPage(b));
  EXPECT_TRUE(View()->url().toLocalFile().endsWith(QStringLiteral("/Help/Sub/Page-B.html")));
}

TEST_F(PageControllerTest, AskClassLinkOpensTheQuestionFormAndReturnsToItsPage) {
  Click(QStringLiteral("toAsk"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().PageMode == 3; }, kWait));
  EXPECT_TRUE(manager_->Ui().SimpleBox[1]->Visible());
  EXPECT_FALSE(manager_->Ui().SimpleBox[0]->Visible());
  ASSERT_TRUE(WaitForPage(home_));
  // The page that held the link is recorded again on its return.
  EXPECT_EQ(History(), (std::vector<QString>{home_, home_}));
  EXPECT_EQ(State().HistoryPos, 1);
  for (int button : {0, 1, 7, 8}) EXPECT_FALSE(Enabled(button)) << button;

  Pages().SwitchPage(PageController::pageContents);
  EXPECT_EQ(State().PageMode, 0);
  EXPECT_TRUE(Enabled(0));
  EXPECT_FALSE(Enabled(1));
  EXPECT_TRUE(Enabled(7));
  EXPECT_TRUE(Enabled(8));
}

TEST_F(PageControllerTest, StepToThePageAlreadyShownLeavesTheNextLinkRecorded) {
  Click(QStringLiteral("toAsk"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return History().size() == 2u && State().CurrentUrl == home_; }, kWait));
  Pages().SwitchPage(PageController::pageContents);
  Pages().SwitchPage(PageController::pageBack);  // entry 0 is the page shown: nothing to load
  EXPECT_EQ(State().HistoryPos, 0);
  EXPECT_FALSE(State().HistoryNavigating);

  const QString a = Lower(QStringLiteral("Help/a.html"));
  Click(QStringLiteral("toA"));
  ASSERT_TRUE(WaitForPage(a));
  EXPECT_EQ(History(), (std::vector<QString>{home_, home_, a}));
}

TEST_F(PageControllerTest, ListIndexThatNamesNoEntryOpensNothing) {
  auto& ui = manager_->Ui();
  ui.ComplexList[1]->SetListIndex(5);
  emit ui.ComplexList[1]->DoubleClick(5);
  emit ui.CommandButton[2]->Click();
  emit ui.WriteBox[1]->KeyPressed(13, 0);
  ui.ComplexList[0]->SetListIndex(-1);
  emit ui.ComplexList[0]->DoubleClick(-1);
  emit ui.CommandButton[1]->Click();
  QTest::qWait(300);
  EXPECT_EQ(History(), std::vector<QString>{home_});
  EXPECT_EQ(ui.WriteBox[1]->Text(), QString());

  // An entry that is there is opened, and its subject shown in the look-up box.
  app::AppState& state = manager_->MutableState();
  state.IndexTable.Set(0, 0, QStringLiteral("page a"));
  state.IndexTable.Set(2, 0, Lower(QStringLiteral("Help/a.html")));
  ui.ComplexList[1]->SetListIndex(0);
  emit ui.ComplexList[1]->DoubleClick(0);
  ASSERT_TRUE(WaitForPage(Lower(QStringLiteral("Help/a.html"))));
  EXPECT_EQ(ui.WriteBox[1]->Text(), QStringLiteral("page a"));
}

TEST_F(PageControllerTest, PagesDifferingOnlyInLetterCaseOpenTheirOwnFiles) {
  Write(QStringLiteral("Help/Guide.html"), "<html><body>Upper guide</body></html>");
  Write(QStringLiteral("Help/guide.html"), "<html><body>Lower guide</body></html>");
  const QString upper = root_ + QStringLiteral("/Help/Guide.html");
  const QString lower = root_ + QStringLiteral("/Help/guide.html");
  app::AppState& state = manager_->MutableState();
  for (const QString& real : {upper, lower}) {
    const int entry = state.IndexTable.Grow();
    state.IndexTable.Set(0, entry, QStringLiteral("guide"));
    state.IndexTable.Set(2, entry, platform::AnsiLower(real));
    state.IndexTable.Set(3, entry, real);
  }
  auto& ui = manager_->Ui();
  auto open = [&](int entry, const QString& page, const char* text) {
    ui.ComplexList[1]->SetListIndex(entry);
    emit ui.CommandButton[2]->Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return State().CurrentPage == page; }, kWait)) << State().CurrentPage.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Script(QStringLiteral("document.body.innerText")).toString() == QLatin1String(text); }, kWait));
  };
  open(0, upper, "Upper guide");
  open(1, lower, "Lower guide");
  EXPECT_EQ(State().History.Count(), 3);
  Pages().SwitchPage(PageController::pageBack);  // History keeps each page's own letters
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().CurrentPage == upper; }, kWait));
}

TEST_F(PageControllerTest, IndexLookUpSelectsTheFirstTopicThatStartsWithTheText) {
  app::AppState& state = manager_->MutableState();
  const char* subjects[] = {"printing a page", "searching", "print preview", "starting lumora"};
  for (const char* subject : subjects) state.IndexTable.Set(0, state.IndexTable.Grow(), QString::fromLatin1(subject));
  auto& ui = manager_->Ui();
  ui.WriteBox[1]->SetText(QStringLiteral("  PRINT "));
  EXPECT_EQ(ui.ComplexList[1]->ListIndex(), 0);
  ui.WriteBox[1]->SetText(QStringLiteral("st"));
  EXPECT_EQ(ui.ComplexList[1]->ListIndex(), 3);
  ui.WriteBox[1]->SetText(QStringLiteral("zebra"));
  EXPECT_EQ(ui.ComplexList[1]->ListIndex(), -1);  // no match selects nothing
  ui.WriteBox[1]->SetText(QString());
  EXPECT_EQ(ui.ComplexList[1]->ListIndex(), 0);

  ui.WriteBox[0]->SetText(QStringLiteral("   "));
  EXPECT_FALSE(ui.CommandButton[0]->Enabled());
  ui.WriteBox[0]->SetText(QStringLiteral(" print "));
  EXPECT_TRUE(ui.CommandButton[0]->Enabled());
}

TEST_F(PageControllerTest, ToolbarCommandsSwitchPages) {
  auto& ui = manager_->Ui();
  emit ui.ToolButton[3]->Click(PageController::pageIndex);
  EXPECT_EQ(State().PageMode, 1);
  EXPECT_TRUE(ui.ExplorerHolder->Visible());
  EXPECT_TRUE(ui.ToolButton[3]->Sunken());
  emit ui.ToolButton[4]->Click(PageController::pageSearch);
  EXPECT_EQ(State().PageMode, 2);
  EXPECT_FALSE(ui.ToolButton[3]->Sunken());
  EXPECT_TRUE(ui.ToolButton[4]->Sunken());
  emit ui.ToolButton[2]->Click(PageController::pageContents);
  EXPECT_EQ(State().PageMode, 0);
  EXPECT_FALSE(ui.ExplorerHolder->Visible());

  const QString a = Lower(QStringLiteral("Help/a.html"));
  Click(QStringLiteral("toA"));
  ASSERT_TRUE(WaitForPage(a));
  emit ui.ToolButton[2]->DoubleClick(PageController::pageIndex);  // only the contents button goes home
  QTest::qWait(200);
  EXPECT_EQ(State().CurrentUrl, a);
  emit ui.ToolButton[2]->DoubleClick(PageController::pageContents);
  ASSERT_TRUE(WaitForPage(home_));
}

TEST_F(PageControllerTest, BadPagesKeepTheProgramRunningAndTheHistoryConsistent) {
  const struct {
    const char* link;
    QString page;
  } cases[] = {
      {"toMissing", Lower(QStringLiteral("Help/missing.html"))},
      {"toText", Lower(QStringLiteral("Help/notes.txt"))},
      {"toFolder", Lower(QStringLiteral("Help/sub/"))},
      {"toPopup", Lower(QStringLiteral("Help/a.html"))},  // the new window opens in the same view
      {"toAnchor", home_ + QStringLiteral("#end")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    if (State().CurrentUrl != home_) {
      ASSERT_TRUE(Pages().NavigateTo(false, QString()));
      ASSERT_TRUE(WaitForPage(home_));
    }
    const int before = State().History.Count();
    Click(QString::fromLatin1(c.link));
    ASSERT_TRUE(WaitForPage(c.page)) << State().CurrentUrl.toStdString();
    EXPECT_EQ(History().back(), c.page);
    EXPECT_GT(State().History.Count(), before);
    EXPECT_EQ(State().HistoryPos, State().History.LastIndex());
  }
  // Every recorded entry is a page that was shown, in the order shown.
  for (const QString& entry : History()) EXPECT_FALSE(entry.isEmpty());
}

namespace {

// What a command-line tool of poppler-utils prints for the file.
QByteArray Poppler(const char* tool, const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
  if (program.isEmpty()) return "poppler-utils is needed to read PDF files";
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return process.readAllStandardOutput();
}

}  // namespace

TEST_F(PageControllerTest, PrintingToAFileKeepsThePagesText) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = root_ + QStringLiteral("/page.pdf");
  printer.setOutputFileName(pdf);
  ASSERT_TRUE(manager_->Ui().WebBrowser[0]->PrintTo(printer));
  EXPECT_TRUE(Poppler("pdftotext", {pdf, QStringLiteral("-")}).contains("Home page of the tests"));
  EXPECT_TRUE(Poppler("pdfinfo", {pdf}).contains("Pages:"));
}

TEST_F(PageControllerTest, PrintingToAPrinterPaintsThePages) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);  // stands in for a device here
  const QString pdf = root_ + QStringLiteral("/device.pdf");
  printer.setOutputFileName(pdf);
  ASSERT_TRUE(manager_->Ui().WebBrowser[0]->RenderTo(printer));
  // Pages are drawn as pictures at 300 dpi, not the 1200 asked for: the
  // finer pictures took tens of seconds a page.
  EXPECT_EQ(printer.resolution(), platform::BrowserView::kPictureDpi);
  const QByteArray info = Poppler("pdfinfo", {pdf});
  ASSERT_TRUE(info.contains("Pages:")) << info.toStdString();
  EXPECT_FALSE(info.contains("Pages:           0"));
  // The first page carries the page's heading: it is not blank.
  Poppler("pdftoppm", {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-f"),
                       QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf,
                       root_ + QStringLiteral("/device")});
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
  EXPECT_EQ(History(), std::vector<QString>{home_});  // previewing navigates nowhere
}

TEST_F(PageControllerTest, ContextMenuOffersNoWayAroundTheHistory) {
  QWebEnginePage& page = *View()->page();
  QMenu menu;
  menu.addAction(page.action(QWebEnginePage::Back));
  menu.addAction(page.action(QWebEnginePage::Forward));
  menu.addAction(page.action(QWebEnginePage::Reload));
  menu.addSeparator();
  menu.addAction(page.action(QWebEnginePage::Copy));
  menu.addAction(page.action(QWebEnginePage::SelectAll));
  menu.addSeparator();
  menu.addAction(page.action(QWebEnginePage::OpenLinkInNewWindow));
  menu.addAction(page.action(QWebEnginePage::OpenLinkInThisWindow));
  menu.addSeparator();
  menu.addAction(page.action(QWebEnginePage::ViewSource));
  platform::RemoveHistoryActions(menu, page);
  const QList<QAction*> expected{page.action(QWebEnginePage::Copy), page.action(QWebEnginePage::SelectAll), nullptr,
                                 page.action(QWebEnginePage::OpenLinkInThisWindow)};
  ASSERT_EQ(menu.actions().size(), expected.size());
  for (qsizetype i = 0; i < expected.size(); ++i) {
    if (expected[i])
      EXPECT_EQ(menu.actions()[i], expected[i]) << i;
    else
      EXPECT_TRUE(menu.actions()[i]->isSeparator()) << i;
  }
}

TEST_F(PageControllerTest, RunModeOpensItsPageAfterStartUp) {
  const struct {
    const char* switchText;
    int pageMode;
  } cases[] = {{" -index", 1}, {" -search", 2}, {" -lmr", 3}, {"", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.switchText);
    ManagerSub owner;
    Manager manager(&owner);
    ASSERT_TRUE(manager.Load(Pack() + QString::fromLatin1(c.switchText)));
    EXPECT_EQ(manager.State().PageMode, c.pageMode);
    EXPECT_EQ(manager.Ui().ExplorerHolder->Visible(), c.pageMode == 1 || c.pageMode == 2);
    EXPECT_EQ(manager.Ui().SimpleBox[1]->Visible(), c.pageMode == 3);
  }
}

TEST_F(PageControllerTest, OnlyTheNavigationFromTheSearchListIsShownFromSearch) {
  auto& ui = manager_->Ui();
  app::AppState& state = manager_->MutableState();
  const QString a = Lower(QStringLiteral("Help/a.html"));
  for (content::StringTable* table : {&state.SearchResults, &state.IndexTable}) {
    table->Set(0, 0, QStringLiteral("page a"));
    table->Set(2, 0, a);
  }
  ui.ComplexList[0]->Submit_Data_Array(state.SearchResults, -1, 1);
  ui.ComplexList[1]->Submit_Data_Array(state.IndexTable, -1, 1);
  ui.ComplexList[0]->SetListIndex(0);
  ui.ComplexList[1]->SetListIndex(0);
  QSignalSpy shown(&Pages(), &PageController::PageShown);
  auto flags = [&] {
    std::vector<bool> all;
    for (const QList<QVariant>& call : shown) all.push_back(call.at(0).toBool());
    return all;
  };
  emit ui.CommandButton[1]->Click();  // Display on the search page
  ASSERT_TRUE(WaitForPage(a));
  emit ui.CommandButton[1]->Click();  // the page shown, from a search again: nothing to load
  Click(QStringLiteral("toHome"));
  ASSERT_TRUE(WaitForPage(home_));
  emit ui.CommandButton[2]->Click();  // Display on the index page
  ASSERT_TRUE(WaitForPage(a));
  Pages().SwitchPage(PageController::pageBack);
  ASSERT_TRUE(WaitForPage(home_));
  Pages().SwitchPage(PageController::pageForward);
  ASSERT_TRUE(WaitForPage(a));
  EXPECT_EQ(flags(), (std::vector<bool>{true, true, false, false, false, false}));
}

TEST_F(PageControllerTest, SearchWordsAreMarkedInThePageTextAndCleared) {
  const QString page = Lower(QStringLiteral("Help/words.html"));
  Write(QStringLiteral("Help/words.html"),
        "<html><head><title>print</title><style>p.print{}</style></head><body>"
        "<p>C++ and c++; Printing <b>prints</b></p><script>var print = 1;</script></body></html>");
  ASSERT_TRUE(Pages().NavigateTo(true, page));
  ASSERT_TRUE(WaitForPage(page));
  app::SearchMarks& marks = manager_->Marks();
  const QString text = Script(QStringLiteral("document.body.innerHTML")).toString();
  // A word holding pattern characters stands for itself; the longer word
  // wins where both match; scripts, styles and the title stay untouched.
  marks.Show(page, {QStringLiteral("print"), QStringLiteral("c++"), QString(), QStringLiteral("printing")});
  EXPECT_EQ(Script(QStringLiteral("Array.from(document.querySelectorAll('mark.lumora-hit'),"
                                  "m => m.textContent).join('|')")),
            QStringLiteral("C++|c++|Printing|print"));
  marks.Clear(page);
  EXPECT_EQ(Script(QStringLiteral("document.body.innerHTML")).toString(), text);
}
