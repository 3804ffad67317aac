#include "controls/tool_button.h"
#include "test_theme.h"

namespace lumora::controls {

using platform::Shape;

class ToolButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    for (auto& list : settings::PictureLoader()) list.Clear();
    for (int i = 0; i < 4; ++i) settings::PictureLoader(3).Add(Filled(Qt::red));
    for (int i = 0; i < 4; ++i) settings::PictureLoader(4).Add(Filled(Qt::blue));
    button_ = new ToolButton(&window_);
    button_->Move(15, 15, 1215, 555);
    button_->ResetControl();
    window_.show();
  }

  void Mouse(QTest::MouseAction action) { QTest::mouseEvent(action, button_->TlBHotSpot, Qt::LeftButton, {}, QPoint(5, 5)); }

  QWidget window_;
  ToolButton* button_ = nullptr;
};

TEST_F(ToolButtonTest, WidthFollowsTheContent) {
  button_->ToolProperty(2, QString(), 3, true, 0);
  EXPECT_EQ(button_->Width(), 120 + 240 + 120 + 15);  // image left + image + 8 px + 1 px
  EXPECT_FALSE(button_->NormLine[0]->Visible());
  button_->ToolProperty(8, QString(), 3, true, 1);  // starts a group: indented, separator shown
  EXPECT_EQ(button_->Width(), 180 + 240 + 120);
  EXPECT_TRUE(button_->NormLine[0]->Visible());
  button_->ToolProperty(3, QStringLiteral("Contents"), 4, true, 1);
  EXPECT_EQ(button_->Width(), 480 + button_->TlBCaption->Width() + 120);
  EXPECT_EQ(button_->TlBHotSpot->Left(), 45);
}

TEST_F(ToolButtonTest, APressSinksTheContentAndClicksCarryTheCommandOnlyOnceItIsGiven) {
  QSignalSpy clicks(button_, &ToolButton::Click);
  QSignalSpy doubles(button_, &ToolButton::DoubleClick);
  Mouse(QTest::MouseClick);  // no command yet
  button_->ToolProperty(5, QStringLiteral("Search"), 2, true, 0);
  const int captionTop = button_->TlBCaption->Top();
  Mouse(QTest::MousePress);
  EXPECT_EQ(button_->TlBCaption->Top(), captionTop + 15);
  EXPECT_EQ(button_->TlBShape[0]->FillColor(), 0x800000);
  Mouse(QTest::MouseRelease);
  EXPECT_EQ(button_->TlBCaption->Top(), captionTop);
  Mouse(QTest::MouseDClick);
  Mouse(QTest::MouseRelease);
  EXPECT_EQ(button_->TlBShape[0]->FillColor(), 0xC0C0C0);  // the closing release restores the released look
  EXPECT_EQ(clicks, QList<QVariantList>{{5}});
  EXPECT_EQ(doubles, QList<QVariantList>{{5}});
}

TEST_F(ToolButtonTest, TheKeyboardPressesOnlyWhatItPressedWithAFrameShowingTheFocus) {
  button_->ToolProperty(5, QStringLiteral("Search"), 2, true, 0);
  QSignalSpy clicks(button_, &ToolButton::Click);
  QApplication::setActiveWindow(&window_);
  button_->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return button_->hasFocus(); }));
  EXPECT_TRUE(button_->TlBFocus->Visible());
  QTest::keyRelease(button_, Qt::Key_Return);  // its press went elsewhere
  QTest::keyPress(button_, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 0);
  QTest::keyRelease(button_, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 1);
  QTest::keyPress(button_, Qt::Key_Space);
  button_->clearFocus();  // the press goes with the focus
  EXPECT_FALSE(button_->TlBFocus->Visible());
  EXPECT_EQ(button_->TlBShape[0]->FillColor(), 0xC0C0C0);
  QTest::keyRelease(button_, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ToolButtonTest, HoverAndSunkenDecideWhichFramesShow) {
  EXPECT_EQ(button_->TlBShape[0]->BorderStyle(), Shape::Border::Transparent);  // at rest no body shows
  button_->SetImHigh(true);
  EXPECT_EQ(button_->TlBShape[1]->BorderStyle(), Shape::Border::Solid);
  button_->SetSunken(true);
  button_->SetImHigh(false);  // a sunken button keeps its body
  EXPECT_EQ(button_->TlBShape[0]->FillStyle(), Shape::Fill::Solid);
  EXPECT_EQ(button_->TlBShape[2]->BorderStyle(), Shape::Border::Transparent);
  button_->SetSunken(false);
  EXPECT_EQ(button_->TlBShape[0]->FillStyle(), Shape::Fill::Transparent);
}

TEST_F(ToolButtonTest, DisabledButtonShowsTheReducedPicture) {
  button_->ToolProperty(1, QStringLiteral("Back"), 2, true, 0);
  EXPECT_EQ(Shown(button_->TlBImage), QColor(Qt::red));
  button_->SetEnabled(false);
  EXPECT_EQ(Shown(button_->TlBImage), QColor(Qt::blue));
  EXPECT_EQ(button_->TlBCaption->ForeColor(), 0x404040);
  button_->TlBImage->SetImage(Filled(Qt::green));
  button_->SetEnabled(false);  // the current value reloads nothing
  button_->ResetControl();     // the enabled caption colour, the picture untouched
  EXPECT_EQ(button_->TlBCaption->ForeColor(), 0x808080);
  EXPECT_EQ(Shown(button_->TlBImage), QColor(Qt::green));
}

}  // namespace lumora::controls
