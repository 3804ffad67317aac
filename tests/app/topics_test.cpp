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

TEST_F(TopicsTest, IndexIsBuiltOnTheFirstVisitOnly) {
  manager_->Pages().SwitchPage(app::PageController::pageIndex);
  EXPECT_EQ(Column(1, 0), QStringLiteral("welcome\rprinting a page\rsetting up"));
  EXPECT_EQ(Column(1, 1), QStringLiteral("index\rprinting\rsetup"));
  EXPECT_EQ(Ui().FrameLabel[4]->Caption(), QStringLiteral("Topics: 3"));
  Write("Help/late.html", "<o:Subject>Late</o:Subject>");
  manager_->Pages().SwitchPage(app::PageController::pageSearch);
  EXPECT_EQ(State().IndexTable.Count(), 3);
  // A sort keeps the selection; look-up selects the first topic starting with the trimmed text.
  controls::ComplexList* list = Ui().ComplexList[1];
  list->SetListIndex(2);      // "setting up"
  emit list->HeaderClick(0);  // printing a page, setting up, welcome
  EXPECT_EQ(list->ListIndex(), 1);
  emit list->HeaderClick(1);  // index, printing, setup
  EXPECT_EQ(list->ListIndex(), 2);
  for (auto [typed, row] : {std::pair{" SET  ", 2}, {"", 0}, {"p", 1}, {"zebra", -1}}) {
    Ui().WriteBox[1]->SetText(Q(typed));
    EXPECT_EQ(list->ListIndex(), row) << typed;
  }
}

TEST_F(TopicsTest, SearchListsMatchesBestFirst) {
  Write("Help/Using/about.html", "<o:Subject>About printing</o:Subject> prints");
  manager_->Pages().SwitchPage(app::PageController::pageSearch);
  Ui().WriteBox[0]->SetText(QStringLiteral("   "));
  EXPECT_FALSE(Ui().CommandButton[0]->Enabled());  // offered once there is more than blanks to search for
  Ui().WriteBox[0]->SetText(QStringLiteral(" Print "));
  emit Ui().CommandButton[0]->Click();
  EXPECT_EQ((QStringList{Column(0, 0), Column(0, 1), Ui().FrameLabel[2]->Caption()}),
            (QStringList{Q("printing a page\rabout printing\rwelcome"), Q("4\r2\r1"), Q("Matches: 3")}));
  emit Ui().ComplexList[0]->HeaderClick(0);  // by topic, A to Z
  EXPECT_EQ(Column(0, 0), QStringLiteral("about printing\rprinting a page\rwelcome"));
  emit Ui().ComplexList[0]->HeaderClick(1);  // by hits, most first
  EXPECT_EQ(Column(0, 1), QStringLiteral("4\r2\r1"));
  Ui().ComplexList[0]->SetListIndex(1);
  emit Ui().CommandButton[1]->Click();  // Display opens the selected result
  EXPECT_TRUE(WaitForPage(Lower("Help/Using/about.html")));
}

TEST_F(TopicsTest, TheWindowIsBusyWhileTheWorkRunsAndACloseStopsIt) {
  // The status box, toolbar and pane, and the status, at the work's first pause for the window.
  auto seen = [this]() -> QString {
    return QString::number(Ui().ControllerBox[0]->Visible()) + QString::number(Ui().FormHeader[1]->Enabled()) +
           QString::number(Ui().ExplorerHolder->Enabled()) + u' ' + Ui().FrameLabel[5]->Caption();
  };
  QStringList states;
  QTimer::singleShot(0, [&] { states << seen(); });
  manager_->Pages().SwitchPage(app::PageController::pageSearch);
  platform::Label* count = Ui().FrameLabel[2];
  auto* display = Ui().CommandButton[1];
  const int right = count->Left() + count->Width();
  QTimer::singleShot(0, [&] { states << seen(); });
  Search("print");
  EXPECT_EQ(states << seen(), (QStringList{Q("100 Indexing"), Q("100 Searching"), Q("011 Searching")}));
  EXPECT_EQ(std::tuple(count->Caption(), count->Left() + count->Width(), display->Enabled()),
            std::tuple(Q("Matches: 2"), right, true));  // the count grows leftwards
  // Blanks alone find nothing; a new result has its first row selected.
  Ui().ComplexList[0]->SetListIndex(1);
  Search("   ");
  EXPECT_EQ(std::tuple(Column(0, 0), Ui().ComplexList[0]->ListIndex(), count->Caption(), display->Enabled()),
            std::tuple(Q("Nothing found"), 0, Q("Matches: 0"), false));
  // Closed while it searches: the search stops and shows nothing more.
  QTimer::singleShot(0, manager_.get(), [this] { manager_->RequestQuit(); });
  Search("print");
  EXPECT_TRUE(State().QuitRequested && !manager_->isVisible());
  EXPECT_EQ(count->Caption(), QStringLiteral("Matches: 0"));
}
