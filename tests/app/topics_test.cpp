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
    Write(QStringLiteral("Help/English.qlp"),
          "lang3 = Topics:\r\nlang4 = Indexing\r\nlang5 = Searching\r\nlang6 = Matches:\r\nlang7 = Nothing found\r\n"
          "short0 = Topic\r\nshort1 = Hits\r\nshort2 = Topic\r\nshort10 = Key\r\n");
    Write(QStringLiteral("Help/index.html"), "<o:Subject>Welcome</o:Subject> print");
    Write(QStringLiteral("Help/Using/Printing.html"), "<o:Subject>Printing a page</o:Subject> print print print");
    Write(QStringLiteral("Help/Using/setup.html"), "<o:Subject>Setting up</o:Subject> nothing to see");
    Start();
  }

  void Search(const QString& words) {
    Ui().WriteBox[0]->SetText(words);
    emit Ui().WriteBox[0]->KeyPressed(13, 0);
  }
  QString Column(int list, int column) {
    return Ui().ComplexList[static_cast<size_t>(list)]->CxLColText[static_cast<size_t>(column)]->Caption();
  }
};

}  // namespace

TEST_F(TopicsTest, IndexIsBuiltOnTheFirstVisitOnly) {
  manager_->Pages().SwitchPage(PageController::pageIndex);
  ASSERT_EQ(State().IndexTable.Count(), 3);
  EXPECT_EQ(Column(1, 0), QStringLiteral("welcome\rprinting a page\rsetting up"));
  EXPECT_EQ(Column(1, 1), QStringLiteral("index\rprinting\rsetup"));
  EXPECT_EQ(Ui().FrameLabel[4]->Caption(), QStringLiteral("Topics: 3"));
  EXPECT_TRUE(Ui().ExplorerHolder->Enabled());  // no longer busy

  Write(QStringLiteral("Help/late.html"), "<o:Subject>Late</o:Subject>");
  manager_->Pages().SwitchPage(PageController::pageSearch);
  EXPECT_EQ(State().IndexTable.Count(), 3);  // not scanned again
}

TEST_F(TopicsTest, SearchListsMatchesBestFirst) {
  Write(QStringLiteral("Help/Using/about.html"), "<o:Subject>About printing</o:Subject> prints");
  manager_->Pages().SwitchPage(PageController::pageSearch);
  Search(QStringLiteral(" Print "));
  EXPECT_EQ(Column(0, 0), QStringLiteral("printing a page\rabout printing\rwelcome"));
  EXPECT_EQ(Column(0, 1), QStringLiteral("4\r2\r1"));
  EXPECT_EQ(Ui().FrameLabel[2]->Caption(), QStringLiteral("Matches: 3"));
  EXPECT_TRUE(Ui().CommandButton[1]->Enabled());

  emit Ui().ComplexList[0]->HeaderClick(0);  // sort by topic, A to Z
  EXPECT_EQ(State().SearchResults.At(0, 0), QStringLiteral("about printing"));
  EXPECT_EQ(Column(0, 0), QStringLiteral("about printing\rprinting a page\rwelcome"));
  emit Ui().ComplexList[0]->HeaderClick(1);  // by hits, most first
  EXPECT_EQ(Column(0, 1), QStringLiteral("4\r2\r1"));

  // The selected result opens with the Display button.
  Ui().ComplexList[0]->SetListIndex(1);
  emit Ui().CommandButton[1]->Click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return State().CurrentUrl.endsWith(QLatin1String("/using/about.html")); }, 30000))
      << State().CurrentUrl.toStdString();
}

TEST_F(TopicsTest, TheWindowIsBusyWhileTheWorkRunsAndACloseStopsIt) {
  struct Seen {
    bool statusBox = false;
    bool toolbar = true;
    bool pane = true;
    QString status;
  };
  // Runs inside the work, at its first pause for the window.
  auto watch = [this](Seen& seen) {
    QTimer::singleShot(0, [this, &seen] {
      seen = {Ui().ControllerBox[0]->Visible(), Ui().FormHeader[1]->Enabled(), Ui().ExplorerHolder->Enabled(),
              Ui().FrameLabel[5]->Caption()};
    });
  };
  Seen indexing;
  watch(indexing);
  manager_->Pages().SwitchPage(PageController::pageSearch);
  EXPECT_TRUE(indexing.statusBox);
  EXPECT_FALSE(indexing.toolbar);
  EXPECT_FALSE(indexing.pane);
  EXPECT_EQ(indexing.status, QStringLiteral("Indexing"));
  Seen searching;
  watch(searching);
  Search(QStringLiteral("print"));
  EXPECT_TRUE(searching.statusBox);
  EXPECT_FALSE(searching.toolbar);
  EXPECT_EQ(searching.status, QStringLiteral("Searching"));
  EXPECT_FALSE(Ui().ControllerBox[0]->Visible());
  EXPECT_TRUE(Ui().FormHeader[1]->Enabled());

  // Blanks alone find nothing.
  Search(QStringLiteral("   "));
  EXPECT_TRUE(State().SearchResults.At(0, 0).isEmpty());
  EXPECT_EQ(Ui().ComplexList[0]->CxLColText[0]->Caption(), QStringLiteral("Nothing found"));
  EXPECT_EQ(Ui().FrameLabel[2]->Caption(), QStringLiteral("Matches: 0"));

  // Closed while it searches: the search stops and shows nothing more.
  QTimer::singleShot(0, manager_.get(), [this] { manager_->RequestQuit(); });
  Search(QStringLiteral("print"));
  EXPECT_TRUE(State().QuitRequested);
  EXPECT_FALSE(manager_->isVisible());
  EXPECT_EQ(Ui().FrameLabel[2]->Caption(), QStringLiteral("Matches: 0"));
}

TEST_F(TopicsTest, SearchWithoutMatchShowsARowThatOpensNothing) {
  manager_->Pages().SwitchPage(PageController::pageSearch);
  Search(QStringLiteral("zebra"));
  EXPECT_EQ(Column(0, 0), QStringLiteral("Nothing found"));
  EXPECT_FALSE(Ui().CommandButton[1]->Enabled());
  const int entries = State().History.Count();
  emit Ui().ComplexList[0]->DoubleClick(0);
  EXPECT_EQ(State().History.Count(), entries);

  Ui().WriteBox[0]->SetText(QStringLiteral("print"));
  emit Ui().CommandButton[0]->Click();  // the button searches too
  EXPECT_EQ(Ui().FrameLabel[2]->Caption(), QStringLiteral("Matches: 2"));
}

TEST_F(TopicsTest, SortingKeepsTheSelectedTopicAndAFailedLookUpSelectsNothing) {
  manager_->Pages().SwitchPage(PageController::pageIndex);
  controls::ComplexList* list = Ui().ComplexList[1];
  list->SetListIndex(2);  // "setting up"
  emit list->HeaderClick(0);  // printing a page, setting up, welcome
  EXPECT_EQ(list->ListIndex(), 1);
  emit list->HeaderClick(1);  // index, printing, setup
  EXPECT_EQ(list->ListIndex(), 2);
  EXPECT_EQ(State().IndexTable.At(0, list->ListIndex()), QStringLiteral("setting up"));

  Ui().WriteBox[1]->SetText(QStringLiteral("Wel"));
  EXPECT_EQ(list->ListIndex(), 0);
  Ui().WriteBox[1]->SetText(QStringLiteral("zebra"));
  EXPECT_EQ(list->ListIndex(), -1);
  const int entries = State().History.Count();
  const QString shown = State().CurrentUrl;
  emit Ui().WriteBox[1]->KeyPressed(13, 0);
  emit Ui().CommandButton[2]->Click();
  EXPECT_EQ(State().History.Count(), entries);
  EXPECT_EQ(State().CurrentUrl, shown);
}

TEST_F(TopicsTest, ANewSearchSelectsItsBestMatchAndKeepsItsCountRightAligned) {
  manager_->Pages().SwitchPage(PageController::pageSearch);
  platform::Label* count = Ui().FrameLabel[2];
  const int right = count->Left() + count->Width();
  Search(QStringLiteral("print"));
  ASSERT_EQ(count->Caption(), QStringLiteral("Matches: 2"));
  EXPECT_EQ(count->Left() + count->Width(), right);
  Ui().ComplexList[0]->SetListIndex(1);
  Search(QStringLiteral("setting"));
  EXPECT_EQ(Ui().ComplexList[0]->ListIndex(), 0);
  Search(QStringLiteral("zebra"));
  EXPECT_EQ(count->Left() + count->Width(), right);
}
