#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "app/temp_install.h"
#include "layout/page_layout.h"
#include "settings/theme_images.h"

using namespace lumora;

namespace {

QPixmap Square(Qt::GlobalColor colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return pixmap;
}

class WindowFrameTest : public TempInstall {
 protected:
  void SetUp() override {
    TempInstall::SetUp();
    Start(QStringLiteral(" -index"));
    // Title-bar pictures 16 pixels (240 twips) wide, resting and lit.
    for (int list : {0, 1}) {
      settings::PictureLoader(list).Clear();
      for (int i = 0; i < 8; ++i) settings::PictureLoader(list).Add(Square(list == 0 ? Qt::gray : Qt::yellow));
    }
    for (auto* button : Ui().FormControl) button->SetImage(Square(Qt::gray));
  }

  app::WindowFrame& Frame() { return manager_->Frame(); }
};

}  // namespace

TEST_F(WindowFrameTest, TitleBarButtonsArePlacedFromTheRightEdge) {
  manager_->resize(9000 / 15, 7000 / 15);
  const int expected[] = {7635, 7935, 8235, 8490, 8745};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Ui().FormControl[static_cast<size_t>(i)]->Left(), expected[i]) << i;
  manager_->MutableState().WindowMoving = true;  // a resize during a drag changes nothing
  manager_->resize(10500 / 15, 7000 / 15);
  EXPECT_EQ(Ui().FormControl[4]->Left(), 8745);
  manager_->MutableState().WindowMoving = false;
  manager_->Form_Resize_Now();
  EXPECT_EQ(Ui().FormControl[4]->Left(), 10500 - 240 - 15);

  manager_->setMinimumSize(0, 0);  // the fitting itself, in a larger font's stead
  manager_->resize(4500 / 15, 7000 / 15);  // too narrow for the whole title
  EXPECT_TRUE(Ui().FormCaption[0]->Caption().endsWith(QStringLiteral("...")));
  // The shortened title ends before the first button, with its gap.
  const auto* caption = Ui().FormCaption[0];
  EXPECT_LE(caption->Left() + caption->Width(), Ui().FormControl[0]->Left() - 60);
  EXPECT_GT(caption->Left() + caption->Width(), Ui().FormControl[0]->Left() - 60 - 600) << "room left unused";
}

TEST_F(WindowFrameTest, OneMemberOfAFamilyIsHighlightedAtATime) {
  emit Ui().ToolButton[0]->MouseMove(0, 0, 10, 10);
  emit Ui().ToolButton[3]->MouseMove(0, 0, 10, 10);
  for (size_t i = 0; i < Ui().ToolButton.size(); ++i) {
    if (!Ui().ToolButton[i]) continue;
    EXPECT_EQ(Ui().ToolButton[i]->ImHigh(), i == 3) << i;
  }

  emit Ui().FormControl[4]->MouseMove(0, 0, 10, 10);
  EXPECT_EQ(Ui().FormControl[4]->Image().toImage().pixelColor(1, 1), QColor(Qt::yellow));
  emit Ui().FormControl[2]->MouseMove(0, 0, 10, 10);
  EXPECT_EQ(Ui().FormControl[4]->Image().toImage().pixelColor(1, 1), QColor(Qt::gray));

  // A move over a list keeps the list's own highlight; a neutral area clears all.
  emit Ui().CommandButton[2]->MouseMove(0, 0, 10, 10);
  Ui().ComplexList[1]->SetImHigh(true);
  emit Ui().ComplexList[1]->MouseMove(0, 0, 10, 10);
  EXPECT_FALSE(Ui().CommandButton[2]->ImHigh());
  EXPECT_FALSE(Ui().ToolButton[3]->ImHigh());
  Ui().ComplexList[1]->SetImHigh(true);
  emit Ui().ExplorerHolder->MouseMove(0, 0, 10, 10);
  EXPECT_FALSE(Ui().ComplexList[1]->ImHigh());
  EXPECT_EQ(Ui().FormControl[2]->Tag(), QStringLiteral("0"));

  // While the program starts, nothing clears a highlight.
  emit Ui().ToolButton[1]->MouseMove(0, 0, 10, 10);
  manager_->MutableState().StartupInProgress = true;
  emit Ui().ExplorerHolder->MouseMove(0, 0, 10, 10);
  Frame().PollCursorAt(manager_->geometry().bottomRight() + QPoint(50, 50));
  EXPECT_TRUE(Ui().ToolButton[1]->ImHigh());
  manager_->MutableState().StartupInProgress = false;
}

TEST_F(WindowFrameTest, PollClearsHighlightsOnceWhenThePointerEntersTheBrowser) {
  const QRect window = manager_->geometry();
  const QRect browser = Ui().SimpleBox[0]->geometry().translated(window.topLeft());
  emit Ui().ToolButton[2]->MouseMove(0, 0, 10, 10);
  Frame().PollCursorAt(window.topLeft() + QPoint(5, 5));  // over the title bar: the controls' own business
  EXPECT_TRUE(Ui().ToolButton[2]->ImHigh());
  Frame().PollCursorAt(browser.center());
  EXPECT_FALSE(Ui().ToolButton[2]->ImHigh());
  emit Ui().ToolButton[2]->MouseMove(0, 0, 10, 10);
  Frame().PollCursorAt(browser.center() + QPoint(3, 3));  // still inside: cleared only once
  EXPECT_TRUE(Ui().ToolButton[2]->ImHigh());
  Frame().PollCursorAt(window.bottomRight() + QPoint(50, 50));  // straight out: the same latch
  EXPECT_TRUE(Ui().ToolButton[2]->ImHigh());
  Frame().PollCursorAt(window.topLeft() + QPoint(5, 5));  // back over the frame, then out
  Frame().PollCursorAt(window.bottomRight() + QPoint(50, 50));
  EXPECT_FALSE(Ui().ToolButton[2]->ImHigh());
}

TEST_F(WindowFrameTest, LateNewsFromThePageKeepsTheHighlightUnderThePointer) {
  const QRect window = manager_->geometry();
  emit Ui().ToolButton[3]->MouseMove(0, 0, 10, 10);
  // "Link left" arriving once the pointer is on the button.
  Frame().PageReportedPointer(window.topLeft() + Ui().ToolButton[3]->mapTo(manager_.get(), QPoint(5, 5)));
  EXPECT_TRUE(Ui().ToolButton[3]->ImHigh());
  Frame().PageReportedPointer(Ui().SimpleBox[0]->geometry().translated(window.topLeft()).center());
  EXPECT_FALSE(Ui().ToolButton[3]->ImHigh());
}

// Maximising, minimising and a drag of the caption are driven by the
// whole-program tests; these are the parts they do not reach.
TEST_F(WindowFrameTest, GetHelpOpensTheContentsAndADragEndsWithTheButton) {
  Frame().TitleButtonAction(1);
  EXPECT_EQ(manager_->State().PageMode, 0);
  const QPoint start = manager_->pos();
  emit Ui().FormCaption[0]->MouseDown(1, 0, 30, 30);
  emit Ui().FormCaption[0]->MouseMove(1, 0, 30 + 150, 30 + 75);  // ten and five pixels
  emit Ui().FormCaption[0]->MouseUp(1, 0, 0, 0);
  emit Ui().FormCaption[0]->MouseMove(1, 0, 500, 500);
  EXPECT_EQ(manager_->pos(), start + QPoint(10, 5));
}

TEST_F(WindowFrameTest, EdgesResizeTheWindowDownToItsLeastSize) {
  manager_->resize(600, 450);
  const QRect before = manager_->geometry();
  // A press on the right edge, over whatever control lies there, then a drag.
  QWidget* edgeChild = manager_->childAt(599, 300);
  ASSERT_NE(edgeChild, nullptr);
  const QPoint local = edgeChild->mapFromGlobal(before.topLeft() + QPoint(599, 300));
  QTest::mousePress(edgeChild, Qt::LeftButton, {}, local);
  QMouseEvent drag(QEvent::MouseMove, QPointF(local + QPoint(40, 0)),
                   QPointF(before.topLeft() + QPoint(639, 300)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(edgeChild, &drag);
  QTest::mouseRelease(edgeChild, Qt::LeftButton, {}, local + QPoint(40, 0));
  EXPECT_EQ(manager_->width(), 640);
  EXPECT_EQ(manager_->x(), before.x());
  EXPECT_EQ(Ui().FormControl[4]->Left(), 640 * 15 - 240 - 15);  // the resize ran

  manager_->resize(10, 10);  // never smaller than its least size
  const layout::LeastSize least = layout::LeastWindowSize(Ui());
  EXPECT_EQ(manager_->width(), (least.width + 14) / 15);
  EXPECT_EQ(manager_->height(), (least.height + 14) / 15);
}
