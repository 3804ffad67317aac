#include "app/temp_install.h"
#include "controls/skin.h"

using namespace lumora;

class WindowFrameTest : public TempInstall {
 protected:
  void SetUp() override {
    TempInstall::SetUp();
    Start(" -index");
    QPixmap square(16, 16);  // title-bar pictures 240 twips wide, resting and lit; the start left the lists empty
    square.fill(Qt::gray);
    for (int i = 0; i < 16; ++i) manager_->WindowSkin().Pictures(i / 8).Add(square);
    for (auto* button : Ui().FormControl) button->SetImage(square);
  }
};

TEST_F(WindowFrameTest, TitleBarButtonsFollowTheRightEdgeWhichADragStopsAtTheLeastWidth) {
  manager_->resize(9000 / 15, 7000 / 15);
  const int expected[] = {7635, 7935, 8235, 8490, 8745};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Ui().FormControl[i]->Left(), expected[i]) << i;
  manager_->Frame().SetMoving(true);  // a resize during a drag changes nothing
  manager_->resize(10500 / 15, 7000 / 15);
  EXPECT_EQ(Ui().FormControl[4]->Left(), 8745);
  manager_->Frame().SetMoving(false);
  manager_->Form_Resize_Now();
  EXPECT_EQ(Ui().FormControl[4]->Left(), 10500 - 240 - 15);
  const QPoint corner = manager_->geometry().topLeft();
  QWidget* edge = manager_->childAt(699, 300);  // whatever control lies on the right edge
  ASSERT_NE(edge, nullptr);
  const QPoint local = edge->mapFromGlobal(corner + QPoint(699, 300));
  QTest::mousePress(edge, Qt::LeftButton, {}, local);
  QTest::mouseMove(edge, local - QPoint(600, 0));
  QTest::mouseRelease(edge, Qt::LeftButton, {}, local - QPoint(600, 0));
  EXPECT_EQ(manager_->geometry(), QRect(corner, QSize(manager_->minimumWidth(), 7000 / 15)));  // the least width
  EXPECT_EQ(Ui().FormControl[4]->Left(), manager_->minimumWidth() * 15 - 240 - 15);  // the resize ran
  manager_->setMinimumSize(0, 0);  // the fitting itself, in a larger font's stead
  manager_->resize(4500 / 15, 7000 / 15);
  // The shortened title ends before the first button, with its gap, and uses the room.
  const auto* caption = Ui().FormCaption[0];
  const int room = Ui().FormControl[0]->Left() - 60 - (caption->Left() + caption->Width());
  EXPECT_TRUE(caption->Caption().endsWith(QStringLiteral("...")) && room >= 0 && room < 600) << room;
}

// Entering the page or leaving the window clears the highlights once; the page's news only over it.
TEST_F(WindowFrameTest, LateNewsFromThePageKeepsTheHighlightUnderThePointer) {
  app::WindowFrame& frame = manager_->Frame();
  const QRect window = manager_->geometry();
  const QPoint page = Ui().SimpleBox[0]->geometry().translated(window.topLeft()).center();
  const QPoint title = window.topLeft() + QPoint(5, 5), outside = window.bottomRight() + QPoint(50, 50);
  auto* button = Ui().ToolButton[3];
  const QPoint onButton = window.topLeft() + button->mapTo(manager_.get(), QPoint(5, 5));
  // The button lit afresh, then the pointer's places as the page reports them or the frame polls them.
  const struct { bool fromPage; std::vector<QPoint> at; bool lit; } steps[] = {
      {true, {onButton}, true}, {true, {page}, false}, {false, {title}, true}, {false, {page}, false},
      {false, {page + QPoint(3, 3), outside}, true},  // still inside, then straight out: the same latch
      {false, {title, outside}, false}};
  for (const auto& step : steps) {
    emit button->MouseMove(0, 0, 10, 10);
    for (const QPoint& at : step.at) step.fromPage ? frame.PageReportedPointer(at) : frame.PollCursorAt(at);
    EXPECT_EQ(button->ImHigh(), step.lit) << "step " << &step - steps;
  }
}
