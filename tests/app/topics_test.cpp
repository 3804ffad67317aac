#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "app/temp_install.h"

using namespace lumora;
using app::PageController;

namespace {

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

}  // namespace

TEST_F(TopicsTest, IndexIsBuiltOnTheFirstVisitOnly) {
  manager_->Pages().SwitchPage(PageController::pageIndex);
  ASSERT_EQ(State().IndexTable.Count(), 3);
  EXPECT_EQ(Column(1, 0), QStringLiteral("welcome\rprinting a page\rsetting up"));
  EXPECT_EQ(Column(1, 1), QStringLiteral("index\rprinting\rsetup"));
  EXPECT_EQ(Ui().FrameLabel[4]->Caption(), QStringLiteral("Topics: 3"));
  Write("Help/late.html", "<o:Subject>Late</o:Subject>");
  manager_->Pages().SwitchPage(PageController::pageSearch);
  EXPECT_EQ(State().IndexTable.Count(), 3);

  // A sort keeps the selected topic selected; the look-up box selects the
  // first topic starting with its text, trimmed, in any case, or none.
  controls::ComplexList* list = Ui().ComplexList[1];
  list->SetListIndex(2);  // "setting up"
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
  manager_->Pages().SwitchPage(PageController::pageSearch);
  Ui().WriteBox[0]->SetText(QStringLiteral("   "));
  EXPECT_FALSE(Ui().CommandButton[0]->Enabled());  // offered once there is more than blanks to search for
  Ui().WriteBox[0]->SetText(QStringLiteral(" Print "));
  ASSERT_TRUE(Ui().CommandButton[0]->Enabled());
  emit Ui().CommandButton[0]->Click();
  EXPECT_EQ(Column(0, 0), QStringLiteral("printing a page\rabout printing\rwelcome"));
  EXPECT_EQ(Column(0, 1), QStringLiteral("4\r2\r1"));
  EXPECT_EQ(Ui().FrameLabel[2]->Caption(), QStringLiteral("Matches: 3"));
  EXPECT_TRUE(Ui().CommandButton[1]->Enabled());
  emit Ui().ComplexList[0]->HeaderClick(0);  // by topic, A to Z
  EXPECT_EQ(Column(0, 0), QStringLiteral("about printing\rprinting a page\rwelcome"));
  emit Ui().ComplexList[0]->HeaderClick(1);  // by hits, most first
  EXPECT_EQ(Column(0, 1), QStringLiteral("4\r2\r1"));
  Ui().ComplexList[0]->SetListIndex(1);
  emit Ui().CommandButton[1]->Click();  // Display opens the selected result
  EXPECT_TRUE(QTest::qWaitFor([&] { return State().CurrentUrl.endsWith(QLatin1String("/using/about.html")); }, 30000))
      << State().CurrentUrl.toStdString();
}

TEST_F(TopicsTest, TheWindowIsBusyWhileTheWorkRunsAndACloseStopsIt) {
  struct Seen {
    bool statusBox = false, toolbar = true, pane = true;
    QString status;
  };
  // Runs inside the work, at its first pause for the window.
  auto watch = [this](Seen& seen) {
    QTimer::singleShot(0, [this, &seen] {
      seen = {Ui().ControllerBox[0]->Visible(), Ui().FormHeader[1]->Enabled(), Ui().ExplorerHolder->Enabled(),
              Ui().FrameLabel[5]->Caption()};
    });
  };
  Seen indexing, searching;
  watch(indexing);
  manager_->Pages().SwitchPage(PageController::pageSearch);
  EXPECT_TRUE(indexing.statusBox);
  EXPECT_FALSE(indexing.toolbar || indexing.pane);
  EXPECT_EQ(indexing.status, QStringLiteral("Indexing"));
  EXPECT_TRUE(Ui().ExplorerHolder->Enabled());
  platform::Label* count = Ui().FrameLabel[2];
  const int right = count->Left() + count->Width();
  watch(searching);
  Search("print");
  EXPECT_TRUE(searching.statusBox);
  EXPECT_FALSE(searching.toolbar);
  EXPECT_EQ(searching.status, QStringLiteral("Searching"));
  EXPECT_FALSE(Ui().ControllerBox[0]->Visible());
  EXPECT_TRUE(Ui().FormHeader[1]->Enabled());
  EXPECT_EQ(count->Caption(), QStringLiteral("Matches: 2"));
  EXPECT_EQ(count->Left() + count->Width(), right);  // the count grows leftwards

  // Blanks alone find nothing; a new result has its first row selected.
  Ui().ComplexList[0]->SetListIndex(1);
  Search("   ");
  EXPECT_EQ(Column(0, 0), QStringLiteral("Nothing found"));
  EXPECT_EQ(Ui().ComplexList[0]->ListIndex(), 0);
  EXPECT_EQ(count->Caption(), QStringLiteral("Matches: 0"));
  EXPECT_FALSE(Ui().CommandButton[1]->Enabled());

  // Closed while it searches: the search stops and shows nothing more.
  QTimer::singleShot(0, manager_.get(), [this] { manager_->RequestQuit(); });
  Search("print");
  EXPECT_TRUE(State().QuitRequested);
  EXPECT_FALSE(manager_->isVisible());
  EXPECT_EQ(count->Caption(), QStringLiteral("Matches: 0"));
}
