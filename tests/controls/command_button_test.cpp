#include "controls/command_button.h"
#include "test_theme.h"

using platform::Shape;

class CommandButtonTest : public ControlTest<CommandButton> {
 protected:
  CommandButtonTest() : ControlTest({150, 150, 960, 330}) { control_->SetCaption(QStringLiteral("Search")); }
  void Mouse(QTest::MouseAction a) { QTest::mouseEvent(a, control_->CmbHotSpot, Qt::LeftButton, {}, {30, 10}); }
};

TEST_F(CommandButtonTest, AReleaseRaisesTheCaptionClicksCountAKeyOnItsReleaseAndTheFocusFrameIsDotted) {
  QSignalSpy clicks(control_, &CommandButton::Click);
  const int restingTop = control_->CmBLabel->Top();
  Mouse(QTest::MousePress);
  Mouse(QTest::MouseRelease);
  EXPECT_EQ(control_->CmBLabel->Top(), restingTop);
  Mouse(QTest::MouseDClick);
  EXPECT_GT(control_->CmBLabel->Top(), restingTop);  // the second press of a double click sinks it too
  Mouse(QTest::MouseRelease);
  const auto topAfter = [&](Qt::Key key) { QTest::keyPress(control_, key); return control_->CmBLabel->Top(); };
  EXPECT_EQ((std::pair{topAfter(Qt::Key_A), topAfter(Qt::Key_Return) > restingTop}), std::pair(restingTop, true));  // only a key that presses sinks it
  QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(control_, &repeat);  // auto-repeat of a held key
  EXPECT_EQ(clicks.count(), 2);  // the click and the double click; the repeat none
  QTest::keyRelease(control_, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 3);
  control_->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return control_->CmBShape[4]->BorderStyle() == Shape::Border::Dot; }));
  control_->clearFocus();
  EXPECT_EQ(control_->CmBShape[4]->BorderStyle(), Shape::Border::Solid);
  control_->SetCaption(QStringLiteral("A much longer caption"));  // a new caption has its access key
  EXPECT_EQ(control_->Caption(), QStringLiteral("&A much longer caption"));
}
