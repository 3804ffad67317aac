#include "controls/command_button.h"
#include "test_theme.h"

using platform::Shape;

class CommandButtonTest : public ControlTest<CommandButton> {
 protected:
  CommandButtonTest() : ControlTest({150, 150, 960, 330}) { control_->SetCaption(QStringLiteral("Search")); }
  void Mouse(QTest::MouseAction a) { QTest::mouseEvent(a, control_->CmbHotSpot, Qt::LeftButton, {}, {30, 10}); }
};

TEST_F(CommandButtonTest, ANewCaptionIsCentredAtOnceWithItsAccessKeyAndTheDisabledLookShowsNoHover) {
  control_->SetCaption(QStringLiteral("A much longer caption"));
  EXPECT_EQ(control_->CmBLabel->Left(), std::lround((960 - control_->CmBLabel->Width()) / 2.0 - 15));
  EXPECT_EQ(control_->Caption(), QStringLiteral("&A much longer caption"));
  control_->SetImHigh(true);
  EXPECT_EQ(std::pair(control_->CmBShape[5]->Visible(), control_->CmBShape[6]->Visible()), std::pair(true, true));
  control_->SetEnabled(false);
  control_->SetImHigh(true);
  EXPECT_EQ(std::pair(control_->CmBShape[2]->Visible(), control_->CmBShape[6]->Visible()), std::pair(false, false));
  control_->SetEnabled(true);  // still under the pointer: the hover lines are back
  EXPECT_EQ(std::pair(control_->CmBShape[5]->Visible(), control_->CmBShape[2]->Visible()), std::pair(true, true));
}

TEST_F(CommandButtonTest, APressSinksTheCaptionClicksCountAKeyOnItsReleaseAndTheFocusFrameIsDotted) {
  QSignalSpy clicks(control_, &CommandButton::Click);
  const QPoint besideLetters = control_->CmBLabel->geometry().topLeft();
  EXPECT_EQ(control_->grab().toImage().pixelColor(besideLetters), QColor(0xF0, 0xF0, 0xF0));  // the face, not a box
  const int restingTop = control_->CmBLabel->Top();
  Mouse(QTest::MousePress);
  EXPECT_EQ(control_->CmBLabel->Top(), restingTop + 14);  // one pixel less one twip
  EXPECT_EQ(control_->CmBShape[3]->FillColor(), 0xC0C0C0);
  Mouse(QTest::MouseRelease);
  EXPECT_EQ(control_->CmBLabel->Top(), restingTop);
  Mouse(QTest::MouseDClick);
  QTest::keyPress(control_, Qt::Key_Return);
  QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(control_, &repeat);  // auto-repeat of a held key
  EXPECT_EQ(clicks.count(), 2);  // the click and the double click; the repeat none
  QTest::keyRelease(control_, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 3);
  control_->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return control_->CmBShape[4]->BorderStyle() == Shape::Border::Dot; }));
  control_->clearFocus();
  EXPECT_EQ(control_->CmBShape[4]->BorderStyle(), Shape::Border::Solid);
}
