#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "controls/command_button.h"
#include "platform/color.h"
#include "test_theme.h"

using namespace lumora;
using controls::CommandButton;
using platform::Shape;

namespace {

std::array<int, 4> Geometry(const platform::FormElement* e) { return {e->Left(), e->Top(), e->Width(), e->Height()}; }

class CommandButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    window_.resize(400, 200);
    button_ = new CommandButton(&window_);
    button_->Move(150, 150, 960, 330);
    button_->SetCaption(QStringLiteral("Search"));
    button_->ResetControl();
    window_.show();
  }

  void Press() { QTest::mousePress(button_->CmbHotSpot, Qt::LeftButton, {}, button_->CmbHotSpot->rect().center()); }
  void Release() { QTest::mouseRelease(button_->CmbHotSpot, Qt::LeftButton, {}, button_->CmbHotSpot->rect().center()); }

  QWidget window_;
  CommandButton* button_ = nullptr;
};

}  // namespace

TEST_F(CommandButtonTest, ElementsStandWhereTheLayoutPutsThemAndANewCaptionIsCentredAtOnce) {
  const std::array<std::array<int, 4>, 7> shapes{{{0, 0, 945, 315}, {0, 0, 930, 300}, {15, 15, 900, 270}, {0, 0, 960, 330},
                                                  {30, 30, 885, 255}, {30, 30, 900, 270}, {15, 15, 900, 270}}};
  for (size_t i = 0; i < shapes.size(); ++i) EXPECT_EQ(Geometry(button_->CmBShape[i]), shapes[i]) << i;
  EXPECT_EQ(Geometry(button_->CmbHotSpot), (std::array{0, 0, 960, 330}));
  button_->SetCaption(QStringLiteral("A much longer caption"));
  const auto* label = button_->CmBLabel;
  EXPECT_EQ(label->Left(), std::lround((960 - label->Width()) / 2.0 - 15));
  EXPECT_EQ(label->Top(), std::lround((330 - label->Height()) / 2.0 - 15));
  EXPECT_EQ(button_->Caption(), QStringLiteral("&A much longer caption"));  // its access key marked
}

TEST_F(CommandButtonTest, DisabledLookKeepsFaceAndOuterLineInShadowAndHidesTheHoverLines) {
  button_->SetImHigh(true);
  EXPECT_TRUE(button_->CmBShape[5]->Visible() && button_->CmBShape[6]->Visible());
  button_->SetImHigh(false);
  EXPECT_FALSE(button_->CmBShape[5]->Visible());
  button_->SetEnabled(false);
  for (int i : {1, 2, 4}) EXPECT_FALSE(button_->CmBShape[static_cast<size_t>(i)]->Visible()) << i;
  EXPECT_EQ(button_->CmBShape[0]->BorderColor(), 0x808080);
  EXPECT_EQ(button_->CmBLabel->ForeColor(), 0x808080);
  button_->SetImHigh(true);
  EXPECT_TRUE(button_->ImHigh());
  EXPECT_FALSE(button_->CmBShape[6]->Visible());

  button_->SetEnabled(true);
  EXPECT_FALSE(button_->CmBShape[5]->Visible());  // until the host writes ImHigh again
  for (int i : {1, 2, 4}) EXPECT_TRUE(button_->CmBShape[static_cast<size_t>(i)]->Visible()) << i;
  EXPECT_EQ(button_->CmBLabel->ForeColor(), 0x101010);
}

TEST_F(CommandButtonTest, PressingShiftsTheCaptionAndDarkensTheFace) {
  const int restingTop = button_->CmBLabel->Top();
  Press();
  EXPECT_EQ(button_->CmBLabel->Top(), restingTop + 14);  // one pixel less one twip
  EXPECT_EQ(button_->CmBShape[3]->FillColor(), 0xC0C0C0);
  EXPECT_EQ(button_->CmBShape[5]->BorderColor(), 0xFF0000);
  EXPECT_EQ(button_->CmBShape[6]->BorderColor(), 0x00FF00);
  Release();
  EXPECT_EQ(button_->CmBLabel->Top(), restingTop);
  EXPECT_EQ(button_->CmBShape[3]->FillColor(), 0xF0F0F0);
  EXPECT_EQ(button_->CmBShape[5]->BorderColor(), 0x0000FF);
  EXPECT_EQ(button_->CmBShape[6]->BorderColor(), 0x00FFFF);
}

TEST_F(CommandButtonTest, ADoubleClickCountsTwiceAndAKeyClicksOnItsRelease) {
  QSignalSpy clicks(button_, &CommandButton::Click);
  Press();
  Release();
  QTest::mouseDClick(button_->CmbHotSpot, Qt::LeftButton, {}, button_->CmbHotSpot->rect().center());
  EXPECT_EQ(clicks.count(), 2);
  QTest::keyPress(button_, Qt::Key_Return);
  QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(button_, &repeat);  // auto-repeat of a held key
  EXPECT_EQ(clicks.count(), 2);
  QTest::keyRelease(button_, Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 3);
  QTest::keyClick(button_, Qt::Key_A);
  EXPECT_EQ(clicks.count(), 3);
}

TEST_F(CommandButtonTest, FocusFrameIsDottedWhileFocusedAndResetKeepsItDotted) {
  button_->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return button_->hasFocus(); }));
  EXPECT_EQ(button_->CmBShape[4]->BorderStyle(), Shape::Border::Dot);
  EXPECT_EQ(button_->CmBShape[4]->BorderColor(), 0x00FF00);
  button_->ResetControl();
  EXPECT_EQ(button_->CmBShape[4]->BorderStyle(), Shape::Border::Dot);
  button_->clearFocus();
  EXPECT_EQ(button_->CmBShape[4]->BorderStyle(), Shape::Border::Solid);
  EXPECT_EQ(button_->CmBShape[4]->BorderColor(), 0x800000);
}

TEST_F(CommandButtonTest, TheFaceLiesBehindItsFrameLines) {
  button_->SetImHigh(true);
  const QImage image = button_->grab().toImage();
  EXPECT_EQ(image.pixelColor(6, button_->height() / 2), platform::ToQColor(0xF0F0F0));
  EXPECT_EQ(image.pixelColor(2, button_->height() / 2), platform::ToQColor(0x0000FF));  // the outer hover line
}
