#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "controls/tool_button.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"
#include "settings/theme_images.h"

#include "test_theme.h"

using namespace lumora;
using controls::ToolButton;
using platform::Shape;

namespace {

QPixmap Square(int size, Qt::GlobalColor colour) {
  QPixmap pixmap(size, size);
  pixmap.fill(colour);
  return pixmap;
}

class ToolButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    for (auto& list : settings::PictureLoader()) list.Clear();
    for (int i = 0; i < 4; ++i) {
      settings::PictureLoader(3).Add(Square(16, Qt::red));
      settings::PictureLoader(4).Add(Square(16, Qt::blue));
    }
    button_ = new ToolButton(&window_);
    button_->Move(15, 15, 1215, 555);
    button_->ResetControl();
    window_.resize(300, 100);
    window_.show();
  }

  QWidget window_;
  ToolButton* button_ = nullptr;
};

}  // namespace

TEST_F(ToolButtonTest, WidthFollowsTheContent) {
  button_->ToolProperty(2, QString(), 3, true, 0);
  EXPECT_EQ(button_->Width(), 120 + 240 + 120 + 15);  // image left + image + 8 px + 1 px
  EXPECT_EQ(button_->TlBImage->Left(), 120);
  EXPECT_FALSE(button_->NormLine[0]->Visible());

  button_->ToolProperty(8, QString(), 3, true, 1);  // starts a group: indented, separator shown
  EXPECT_EQ(button_->Width(), 180 + 240 + 120);
  EXPECT_EQ(button_->TlBImage->Left(), 180);
  EXPECT_TRUE(button_->NormLine[0]->Visible());
  EXPECT_EQ(button_->NormLine[1]->X1(), 30);
  EXPECT_EQ(button_->TlBShape[0]->Left(), 45);

  button_->ToolProperty(3, QStringLiteral("Contents"), 4, true, 1);
  EXPECT_EQ(button_->Width(), 480 + button_->TlBCaption->Width() + 120);
  EXPECT_EQ(button_->TlBCaption->Left(), 480);
  EXPECT_EQ(button_->TlBHotSpot->Left(), 45);
  EXPECT_EQ(button_->Height(), 555);  // the host's
}

TEST_F(ToolButtonTest, ClicksCarryTheCommandOnlyWhileCommandEnabled) {
  QSignalSpy clicks(button_, &ToolButton::Click);
  QSignalSpy doubles(button_, &ToolButton::DoubleClick);
  QTest::mouseClick(button_->TlBHotSpot, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 0);  // ToolProperty never called

  button_->ToolProperty(5, QStringLiteral("Search"), 2, true, 0);
  QTest::mousePress(button_->TlBHotSpot, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(button_->TlBHotSpot, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseDClick(button_->TlBHotSpot, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(button_->TlBHotSpot, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks[0][0].toInt(), 5);
  ASSERT_EQ(doubles.count(), 1);
  EXPECT_EQ(doubles[0][0].toInt(), 5);
  EXPECT_EQ(button_->TlBShape[0]->FillColor(), 0xC0C0C0);  // the closing release restores the released look
}

TEST_F(ToolButtonTest, TheKeyboardPressesItOnReleaseWithAFrameShowingTheFocus) {
  EXPECT_EQ(button_->TlBShape[0]->BorderStyle(), Shape::Border::Transparent);  // at rest no body shows
  button_->ToolProperty(5, QStringLiteral("Search"), 2, true, 0);
  QSignalSpy clicks(button_, &ToolButton::Click);
  QApplication::setActiveWindow(&window_);
  button_->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(button_->hasFocus());
  EXPECT_TRUE(button_->TlBFocus->Visible());
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
    const qsizetype before = clicks.count();
    QTest::keyPress(button_, key);
    EXPECT_EQ(clicks.count(), before) << "nothing before the release";
    QTest::keyRelease(button_, key);
    EXPECT_EQ(clicks.count(), before + 1) << key;
  }
  QTest::keyRelease(button_, Qt::Key_Return);  // its press went elsewhere
  EXPECT_EQ(clicks.count(), 2);
  button_->clearFocus();
  EXPECT_FALSE(button_->TlBFocus->Visible());
}

TEST_F(ToolButtonTest, PressMovesContentDownAndRecolours) {
  button_->ToolProperty(4, QStringLiteral("Index"), 2, true, 0);
  const int captionTop = button_->TlBCaption->Top();
  QTest::mousePress(button_->TlBHotSpot, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(button_->TlBCaption->Top(), captionTop + 15);
  EXPECT_EQ(button_->TlBShape[0]->FillColor(), 0x800000);
  EXPECT_EQ(button_->TlBCaption->ForeColor(), 0x101010);
  QTest::mouseRelease(button_->TlBHotSpot, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(button_->TlBCaption->Top(), captionTop);
  EXPECT_EQ(button_->TlBCaption->ForeColor(), 0x808080);
}

TEST_F(ToolButtonTest, HoverAndSunkenDecideWhichFramesShow) {
  button_->ToolProperty(4, QStringLiteral("Index"), 2, true, 0);
  EXPECT_EQ(button_->TlBShape[0]->FillStyle(), Shape::Fill::Transparent);
  button_->SetImHigh(true);
  EXPECT_EQ(button_->TlBShape[0]->FillStyle(), Shape::Fill::Solid);
  EXPECT_EQ(button_->TlBShape[1]->BorderStyle(), Shape::Border::Solid);
  button_->SetSunken(true);
  button_->SetImHigh(false);  // a sunken button keeps its body
  EXPECT_EQ(button_->TlBShape[0]->FillStyle(), Shape::Fill::Solid);
  EXPECT_EQ(button_->TlBShape[1]->BorderStyle(), Shape::Border::Transparent);
  EXPECT_EQ(button_->TlBShape[2]->BorderStyle(), Shape::Border::Transparent);
  button_->SetSunken(false);
  EXPECT_EQ(button_->TlBShape[0]->FillStyle(), Shape::Fill::Transparent);
}

TEST_F(ToolButtonTest, DisabledButtonShowsTheReducedPicture) {
  button_->ToolProperty(1, QStringLiteral("Back"), 2, true, 0);
  EXPECT_EQ(button_->TlBImage->Image().toImage().pixelColor(1, 1), QColor(Qt::red));
  button_->SetEnabled(false);
  EXPECT_EQ(button_->TlBImage->Image().toImage().pixelColor(1, 1), QColor(Qt::blue));
  EXPECT_EQ(button_->TlBCaption->ForeColor(), 0x404040);
  // A write with the current value reloads nothing.
  button_->TlBImage->SetImage(Square(16, Qt::green));
  button_->SetEnabled(false);
  EXPECT_EQ(button_->TlBImage->Image().toImage().pixelColor(1, 1), QColor(Qt::green));
  button_->ResetControl();  // the enabled caption colour, the picture untouched
  EXPECT_EQ(button_->TlBCaption->ForeColor(), 0x808080);
  EXPECT_EQ(button_->TlBImage->Image().toImage().pixelColor(1, 1), QColor(Qt::green));
}
