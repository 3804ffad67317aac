#include "controls/command_button.h"
#include "test_theme.h"

namespace lumora::controls {

using platform::Shape;

std::array<int, 4> Geometry(const platform::FormElement* e) { return {e->Left(), e->Top(), e->Width(), e->Height()}; }

class CommandButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    button_ = new CommandButton(&window_);
    button_->Move(150, 150, 960, 330);
    button_->SetCaption(QStringLiteral("Search"));
    button_->ResetControl();
    window_.show();
  }
  void Mouse(QTest::MouseAction action) {
    QTest::mouseEvent(action, button_->CmbHotSpot, Qt::LeftButton, {}, button_->CmbHotSpot->rect().center());
  }

  QWidget window_;
  CommandButton* button_ = nullptr;
};

TEST_F(CommandButtonTest, ElementsStandWhereTheLayoutPutsThemAndANewCaptionIsCentredAtOnce) {
  const std::array<std::array<int, 4>, 7> shapes{{{0, 0, 945, 315}, {0, 0, 930, 300}, {15, 15, 900, 270}, {0, 0, 960, 330},
                                                  {30, 30, 885, 255}, {30, 30, 900, 270}, {15, 15, 900, 270}}};
  for (size_t i = 0; i < shapes.size(); ++i) EXPECT_EQ(Geometry(button_->CmBShape[i]), shapes[i]) << i;
  button_->SetCaption(QStringLiteral("A much longer caption"));
  const auto* label = button_->CmBLabel;
  EXPECT_EQ(label->Left(), std::lround((960 - label->Width()) / 2.0 - 15));
  EXPECT_EQ(label->Top(), std::lround((330 - label->Height()) / 2.0 - 15));
  EXPECT_EQ(button_->Caption(), QStringLiteral("&A much longer caption"));  // its access key marked
}

TEST_F(CommandButtonTest, DisabledLookKeepsFaceAndOuterLineInShadowAndShowsNoHover) {
  button_->SetImHigh(true);
  EXPECT_TRUE(button_->CmBShape[5]->Visible() && button_->CmBShape[6]->Visible());
  button_->SetEnabled(false);
  EXPECT_FALSE(button_->CmBShape[2]->Visible());
  EXPECT_EQ(button_->CmBLabel->ForeColor(), 0x808080);
  button_->SetImHigh(true);
  EXPECT_FALSE(button_->CmBShape[6]->Visible());
  button_->SetEnabled(true);
  EXPECT_TRUE(button_->CmBShape[2]->Visible());
  EXPECT_FALSE(button_->CmBShape[5]->Visible());  // until the host writes ImHigh again
  EXPECT_EQ(button_->CmBLabel->ForeColor(), 0x101010);
}

TEST_F(CommandButtonTest, PressingShiftsTheCaptionAndDarkensTheFace) {
  const int restingTop = button_->CmBLabel->Top();
  Mouse(QTest::MousePress);
  EXPECT_EQ(button_->CmBLabel->Top(), restingTop + 14);  // one pixel less one twip
  EXPECT_EQ(button_->CmBShape[3]->FillColor(), 0xC0C0C0);
  EXPECT_EQ(button_->CmBShape[5]->BorderColor(), 0xFF0000);
  Mouse(QTest::MouseRelease);
  EXPECT_EQ(button_->CmBLabel->Top(), restingTop);
  EXPECT_EQ(button_->CmBShape[3]->FillColor(), 0xF0F0F0);
}

TEST_F(CommandButtonTest, ADoubleClickCountsTwiceAndAKeyClicksOnItsRelease) {
  QSignalSpy clicks(button_, &CommandButton::Click);
  Mouse(QTest::MouseClick);
  Mouse(QTest::MouseDClick);
  EXPECT_EQ(clicks.count(), 2);
  QTest::keyPress(button_, Qt::Key_Return);
  QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(button_, &repeat);  // auto-repeat of a held key
  EXPECT_EQ(clicks.count(), 2);
  QTest::keyRelease(button_, Qt::Key_Return);
  QTest::keyClick(button_, Qt::Key_A);
  EXPECT_EQ(clicks.count(), 3);
}

TEST_F(CommandButtonTest, FocusFrameIsDottedWhileFocusedAndResetKeepsItDotted) {
  button_->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return button_->hasFocus(); }));
  button_->ResetControl();
  EXPECT_EQ(button_->CmBShape[4]->BorderStyle(), Shape::Border::Dot);
  EXPECT_EQ(button_->CmBShape[4]->BorderColor(), 0x800000);
  button_->clearFocus();
  EXPECT_EQ(button_->CmBShape[4]->BorderStyle(), Shape::Border::Solid);
}

}  // namespace lumora::controls
