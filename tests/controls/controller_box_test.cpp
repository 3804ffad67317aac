#include <gtest/gtest.h>

#include <QTest>

#include "controls/controller_box.h"
#include "settings/theme.h"
#include "settings/theme_images.h"

#include "test_theme.h"

using namespace lumora;
using controls::ControllerBox;

namespace {

class ControllerBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    for (auto& list : settings::PictureLoader()) list.Clear();
    QPixmap red(16, 16);
    red.fill(Qt::red);
    for (int i = 0; i < 4; ++i) settings::PictureLoader(3).Add(red);
    window_.resize(400, 200);
    box_ = new ControllerBox(&window_);
    box_->Move(0, 0, 4455, 1575);
    box_->ResetControl();
    window_.show();
  }

  QWidget window_;
  ControllerBox* box_ = nullptr;
};

}  // namespace

TEST_F(ControllerBoxTest, FrameTitleAndPictureFollowTheBox) {
  EXPECT_EQ(box_->ClBEffect[2]->Width(), 4455);
  EXPECT_EQ(box_->ClBEffect[0]->Width(), 4440);
  EXPECT_EQ(box_->ClBImage[0]->Left() + box_->ClBImage[0]->Width(), 4440 - 120);
  box_->ControllerProperty(QStringLiteral("Working"), 2);
  EXPECT_EQ(box_->Caption(), QStringLiteral("Working"));
  EXPECT_EQ(box_->ClBCaption[1]->Caption(), QStringLiteral("Working"));  // the embossed copy
  EXPECT_EQ(box_->ClBImage[0]->Image().toImage().pixelColor(1, 1), QColor(Qt::red));
  box_->ResetControl();  // the application's icon comes back
  EXPECT_NE(box_->ClBImage[0]->Image().toImage().pixelColor(1, 1), QColor(Qt::red));
  EXPECT_EQ(box_->NormLine[0]->Y1(), box_->ClBCaption[0]->Top() + box_->ClBCaption[0]->Height() + 15);

  // Disabling the box leaves its colours as they are.
  const int caption = box_->ClBCaption[0]->ForeColor();
  box_->SetEnabled(false);
  EXPECT_EQ(box_->ClBCaption[0]->ForeColor(), caption);
}

TEST_F(ControllerBoxTest, EveryPartTakesItsThemeColourAndPicture) {
  const settings::ThemeValues& theme = settings::Theme();
  EXPECT_EQ(box_->BackColor(), theme.theme_color);
  EXPECT_EQ(box_->ClBEffect[0]->BorderColor(), theme.theme_pitch);
  EXPECT_EQ(box_->ClBEffect[1]->BorderColor(), theme.theme_dark);
  EXPECT_EQ(box_->ClBEffect[2]->BorderColor(), theme.theme_pitch);
  EXPECT_EQ(box_->ClBCaption[0]->ForeColor(), theme.theme_shadow);
  EXPECT_EQ(box_->ClBCaption[1]->ForeColor(), theme.theme_vague);
  EXPECT_EQ(box_->NormLine[0]->BorderColor(), theme.theme_dark);
  EXPECT_EQ(box_->NormLine[1]->BorderColor(), theme.theme_shade);
  // The holder is the frame set's second picture, the texture the background set's first.
  QPixmap green(8, 8), blue(8, 8);
  green.fill(Qt::green);
  blue.fill(Qt::blue);
  for (int i = 0; i < 3; ++i) {
    settings::PictureLoader(1).Add(i == 1 ? green : blue);
    settings::PictureLoader(0).Add(i == 0 ? green : blue);
  }
  box_->ResetControl();
  EXPECT_EQ(box_->ClBHolder[0]->Image().toImage().pixelColor(1, 1), QColor(Qt::green));
  EXPECT_EQ(box_->ClBBackGround->Image().toImage().pixelColor(1, 1), QColor(Qt::green));
}

TEST_F(ControllerBoxTest, ClickComesBeforeMouseDown) {
  std::vector<std::string> order;
  QObject::connect(box_, &ControllerBox::Click, [&] { order.push_back("click"); });
  QObject::connect(box_, &platform::FormElement::MouseDown, [&] { order.push_back("down"); });
  QObject::connect(box_, &platform::FormElement::MouseUp, [&] { order.push_back("up"); });
  QTest::mouseClick(box_->ClBHotSpot, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_EQ(order, (std::vector<std::string>{"click", "down", "up"}));
  // The picture lets presses through to the box.
  EXPECT_EQ(box_->childAt(box_->ClBImage[0]->geometry().center()), box_->ClBHotSpot);
}
