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
    Start(" -index");
    // Title-bar pictures 16 pixels (240 twips) wide, resting and lit.
    for (int list : {0, 1}) {
      settings::PictureLoader(list).Clear();
      for (int i = 0; i < 8; ++i) settings::PictureLoader(list).Add(Square(list == 0 ? Qt::gray : Qt::yellow));
    }
    for (auto* button : Ui().FormControl) button->SetImage(Square(Qt::gray));
  }
  app::WindowFrame& Frame() { return manager_->Frame(); }
  void Hover(platform::FormElement* element) { emit element->MouseMove(0, 0, 10, 10); }
};

}  // namespace

TEST_F(WindowFrameTest, TitleBarButtonsArePlacedFromTheRightEdge) {
  manager_->resize(9000 / 15, 7000 / 15);
  const int expected[] = {7635, 7935, 8235, 8490, 8745};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Ui().FormControl[i]->Left(), expected[i]) << i;
  manager_->MutableState().WindowMoving = true;  // a resize during a drag changes nothing
  manager_->resize(10500 / 15, 7000 / 15);
  EXPECT_EQ(Ui().FormControl[4]->Left(), 8745);
  manager_->MutableState().WindowMoving = false;
  manager_->Form_Resize_Now();
  EXPECT_EQ(Ui().FormControl[4]->Left(), 10500 - 240 - 15);
  manager_->setMinimumSize(0, 0);  // the fitting itself, in a larger font's stead
  manager_->resize(4500 / 15, 7000 / 15);
  // The shortened title ends before the first button, with its gap, leaving no room unused.
  const auto* caption = Ui().FormCaption[0];
  EXPECT_TRUE(caption->Caption().endsWith(QStringLiteral("...")));
  EXPECT_LE(caption->Left() + caption->Width(), Ui().FormControl[0]->Left() - 60);
  EXPECT_GT(caption->Left() + caption->Width(), Ui().FormControl[0]->Left() - 60 - 600);
}

TEST_F(WindowFrameTest, OneMemberOfAFamilyIsHighlightedAtATime) {
  Hover(Ui().ToolButton[0]);
  Hover(Ui().ToolButton[3]);
  for (size_t i = 0; i < Ui().ToolButton.size(); ++i) EXPECT_TRUE(!Ui().ToolButton[i] || Ui().ToolButton[i]->ImHigh() == (i == 3)) << i;
  Hover(Ui().FormControl[4]);
  EXPECT_EQ(Ui().FormControl[4]->Image().toImage().pixelColor(1, 1), QColor(Qt::yellow));
  Hover(Ui().FormControl[2]);
  EXPECT_EQ(Ui().FormControl[4]->Image().toImage().pixelColor(1, 1), QColor(Qt::gray));
  // A move over a list keeps the list's own highlight; a neutral area clears all.
  Hover(Ui().CommandButton[2]);
  Ui().ComplexList[1]->SetImHigh(true);
  Hover(Ui().ComplexList[1]);
  EXPECT_FALSE(Ui().CommandButton[2]->ImHigh() || Ui().ToolButton[3]->ImHigh());
  EXPECT_TRUE(Ui().ComplexList[1]->ImHigh());
  Hover(Ui().ExplorerHolder);
  EXPECT_FALSE(Ui().ComplexList[1]->ImHigh());
  EXPECT_EQ(Ui().FormControl[2]->Tag(), QStringLiteral("0"));
  // While the program starts, nothing clears a highlight.
  Hover(Ui().ToolButton[1]);
  manager_->MutableState().StartupInProgress = true;
  Hover(Ui().ExplorerHolder);
  EXPECT_TRUE(Ui().ToolButton[1]->ImHigh());
  manager_->MutableState().StartupInProgress = false;
}

// The pointer's entry into the page clears the highlights, once, as does its
// leaving the window; news from the page counts only while over the page.
TEST_F(WindowFrameTest, LateNewsFromThePageKeepsTheHighlightUnderThePointer) {
  const QRect window = manager_->geometry();
  const QPoint page = Ui().SimpleBox[0]->geometry().translated(window.topLeft()).center();
  const QPoint title = window.topLeft() + QPoint(5, 5), outside = window.bottomRight() + QPoint(50, 50);
  auto* button = Ui().ToolButton[3];
  Hover(button);
  Frame().PageReportedPointer(window.topLeft() + button->mapTo(manager_.get(), QPoint(5, 5)));  // on the button
  EXPECT_TRUE(button->ImHigh());
  Frame().PageReportedPointer(page);
  EXPECT_FALSE(button->ImHigh());
  Hover(button);
  Frame().PollCursorAt(title);  // the controls' own business
  EXPECT_TRUE(button->ImHigh());
  Frame().PollCursorAt(page);
  EXPECT_FALSE(button->ImHigh());
  Hover(button);
  Frame().PollCursorAt(page + QPoint(3, 3));  // still inside
  Frame().PollCursorAt(outside);  // straight out: the same latch
  EXPECT_TRUE(button->ImHigh());
  Frame().PollCursorAt(title);
  Frame().PollCursorAt(outside);
  EXPECT_FALSE(button->ImHigh());
}

// Maximising, minimising and a drag of the caption are driven by the
// whole-program tests; these are the parts they do not reach.
TEST_F(WindowFrameTest, GetHelpOpensTheContentsAndADragEndsWithTheButton) {
  Frame().TitleButtonAction(1);
  EXPECT_EQ(State().PageMode, 0);
  const QPoint start = manager_->pos();
  emit Ui().FormCaption[0]->MouseDown(1, 0, 30, 30);
  emit Ui().FormCaption[0]->MouseMove(1, 0, 30 + 150, 30 + 75);  // ten and five pixels
  emit Ui().FormCaption[0]->MouseUp(1, 0, 0, 0);
  emit Ui().FormCaption[0]->MouseMove(1, 0, 500, 500);
  EXPECT_EQ(manager_->pos(), start + QPoint(10, 5));
}

TEST_F(WindowFrameTest, EdgesResizeTheWindowDownToItsLeastSize) {
  manager_->resize(600, 450);
  const QPoint corner = manager_->geometry().topLeft();
  // A press on the right edge, over whatever control lies there, then a drag.
  QWidget* edge = manager_->childAt(599, 300);
  ASSERT_NE(edge, nullptr);
  const QPoint local = edge->mapFromGlobal(corner + QPoint(599, 300));
  QTest::mousePress(edge, Qt::LeftButton, {}, local);
  QMouseEvent drag(QEvent::MouseMove, QPointF(local + QPoint(40, 0)), QPointF(corner + QPoint(639, 300)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(edge, &drag);
  QTest::mouseRelease(edge, Qt::LeftButton, {}, local + QPoint(40, 0));
  EXPECT_EQ(manager_->geometry(), QRect(corner, QSize(640, 450)));
  EXPECT_EQ(Ui().FormControl[4]->Left(), 640 * 15 - 240 - 15);  // the resize ran
  manager_->resize(10, 10);  // never smaller than its least size
  const layout::LeastSize least = layout::LeastWindowSize(Ui());
  EXPECT_EQ(manager_->size(), QSize((least.width + 14) / 15, (least.height + 14) / 15));
}
