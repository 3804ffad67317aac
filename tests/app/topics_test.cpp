#include <QSettings>

#include "app/temp_install.h"

using namespace lumora;

class TopicsTest : public TempInstall {
 protected:
  void SetUp() override {
    TempInstall::SetUp();
    Write("Help/English.qlp", "lang3 = Topics:\r\nlang4 = Indexing\r\nlang5 = Searching\r\nlang6 = Matches:\r\n"
                              "lang7 = Nothing found\r\nshort0 = Topic\r\nshort1 = Hits\r\nshort2 = Topic\r\n"
                              "short10 = Key\r\n");
    Write("Help/index.html", "<o:Subject>Welcome</o:Subject> print");
    Write("Help/Using/Printing.html", "<o:Subject>Printing a page</o:Subject> print print print");
    Write("Help/Using/setup.html", "<o:Subject>Setting up</o:Subject> nothing to see");
    Start();
  }
  void Search(const char* words) {
    Ui().WriteBox[0]->SetText(Q(words));
    emit Ui().WriteBox[0]->KeyPressed(13, 0);
  }
  QString Column(size_t list, size_t column) { return Ui().ComplexList[list]->CxLColText[column]->Caption(); }
};

TEST_F(TopicsTest, IndexIsBuiltOnTheFirstVisitOnlyInReadingOrder) {
  Write("Help/tips.html", "<o:Subject>Tips & tricks</o:Subject>");
  manager_->Pages().Show(layout::Page::Index);
  EXPECT_EQ((QStringList{Column(1, 0), Column(1, 1), Ui().FrameLabel[4]->Caption()}).join(u'|'),
            QStringLiteral("printing a page\rsetting up\rtips && tricks\rwelcome|printing\rsetup\rtips\rindex|Topics: 4"));
  EXPECT_EQ(Ui().ComplexList[1]->ListIndex(), 0);  // Enter opens the first topic
  Write("Help/late.html", "<o:Subject>Late</o:Subject>");
  manager_->Pages().Show(layout::Page::Search);
  EXPECT_EQ(Ui().FrameLabel[4]->Caption(), Q("Topics: 4"));  // not built again
  // The look-up: a topic that starts with the text (blanks trimmed, any case), else one with a word that does.
  QList<int> selected;
  for (const char* typed : {" SET  ", "up", "xyz", "TIPS & T"}) {
    Ui().WriteBox[1]->SetText(Q(typed));
    selected << Ui().ComplexList[1]->ListIndex();
  }
  EXPECT_EQ(selected, (QList<int>{1, 1, -1, 2}));
  emit Ui().ComplexList[1]->DoubleClick(2);  // the topic opened fills the look-up as it reads
  EXPECT_EQ(Ui().WriteBox[1]->Text(), Q("tips & tricks"));
}

TEST_F(TopicsTest, SearchListsMatchesBestFirst) {
  Write("Help/Using/about.html", "<o:Subject>About printing</o:Subject> prints");
  manager_->Pages().Show(layout::Page::Search);
  Ui().WriteBox[0]->SetText(QStringLiteral("   "));
  EXPECT_FALSE(Ui().CommandButton[0]->Enabled());  // offered once there is more than blanks to search for
  Ui().WriteBox[0]->SetText(QStringLiteral(" Print "));
  emit Ui().CommandButton[0]->Click();
  // By relevance: both subjects name printing, the shorter is more about it; Hits keeps the count.
  EXPECT_EQ((QStringList{Column(0, 0), Column(0, 1), Ui().FrameLabel[2]->Caption()}),
            (QStringList{Q("about printing\rprinting a page\rwelcome"), Q("2\r4\r1"), Q("Matches: 3")}));
  QSettings(QSettings::IniFormat, QSettings::UserScope, Q("quillmark"), Q("lumora")).setValue(Q("Search/Order"), Q("hits"));
  emit Ui().CommandButton[0]->Click();  // the reader's choice: by the count
  EXPECT_EQ(Column(0, 0), Q("printing a page\rabout printing\rwelcome"));
  emit Ui().ComplexList[0]->HeaderClick(0);  // by topic, A to Z, the best match still selected
  EXPECT_EQ(Column(0, 0), QStringLiteral("about printing\rprinting a page\rwelcome"));
  emit Ui().CommandButton[1]->Click();  // Display opens the selected result
  EXPECT_TRUE(WaitForPage(Lower("Help/Using/Printing.html")));
}

TEST_F(TopicsTest, ASearchAskedForWhileThePagesAreReadFollowsTheReading) {
  manager_->Pages().Show(layout::Page::Search);  // the pages' words are read once idle
  QString whileReading;
  QTimer::singleShot(0, [&] {  // runs at the reading's first pause for the window
    Search("print");
    whileReading = QString::number(Ui().ControllerBox[0]->Visible()) + QString::number(Ui().FormHeader[1]->Enabled()) +
                   Ui().FrameLabel[2]->Caption();
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return Ui().FrameLabel[2]->Caption() == Q("Matches: 2"); }, 20000));
  EXPECT_EQ(std::pair(whileReading, Ui().FormHeader[1]->Enabled()), std::pair(Q("10"), true));
}

TEST_F(TopicsTest, TheWindowIsBusyWhileTheWorkRunsAndACloseStopsIt) {
  // The status box, toolbar and pane, and the status, at the work's first pause for the window.
  auto seen = [this]() -> QString {
    return QString::number(Ui().ControllerBox[0]->Visible()) + QString::number(Ui().FormHeader[1]->Enabled()) +
           QString::number(Ui().ExplorerHolder->Enabled()) + u' ' + Ui().FrameLabel[5]->Caption();
  };
  QStringList states;
  QTimer::singleShot(0, [&] { states << seen(); });
  manager_->Pages().Show(layout::Page::Search);
  platform::Label* count = Ui().FrameLabel[2];
  QTimer::singleShot(0, [&] { states << seen(); });
  Search("print");
  EXPECT_EQ(states << seen(), (QStringList{Q("100 Indexing"), Q("100 Searching"), Q("011 Searching")}));
  EXPECT_EQ(std::pair(count->Caption(), Ui().CommandButton[1]->Enabled()), std::pair(Q("Matches: 2"), true));
  Search("   ");  // blanks alone find nothing, and there is nothing to display
  EXPECT_EQ(std::tuple(Column(0, 0), count->Caption(), Ui().CommandButton[1]->Enabled()),
            std::tuple(Q("Nothing found"), Q("Matches: 0"), false));
  // Closed while it searches: the search stops and shows nothing more.
  QTimer::singleShot(0, manager_.get(), [this] { manager_->RequestQuit(); });
  Search("print");
  EXPECT_EQ(std::tuple(manager_->QuitRequested(), manager_->isVisible(), count->Caption()), std::tuple(true, false, Q("Matches: 0")));
}
