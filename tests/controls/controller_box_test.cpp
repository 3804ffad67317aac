#include "controls/controller_box.h"
#include "test_theme.h"

namespace lumora::controls {

class ControllerBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    for (auto& list : settings::PictureLoader()) list.Clear();
    // The holder is the frame set's second picture, the texture the background set's first.
    for (int i = 0; i < 4; ++i) {
      settings::PictureLoader(0).Add(Filled(i == 0 ? Qt::green : Qt::blue));
      settings::PictureLoader(1).Add(Filled(i == 1 ? Qt::green : Qt::blue));
      settings::PictureLoader(3).Add(Filled(Qt::red));
    }
    box_ = new ControllerBox(&window_);
    box_->Move(0, 0, 4455, 1575);
    box_->ResetControl();
    window_.show();
  }

  QWidget window_;
  ControllerBox* box_ = nullptr;
};

TEST_F(ControllerBoxTest, FrameTitleAndPictureFollowTheBox) {
  EXPECT_EQ(box_->ClBImage[0]->Left() + box_->ClBImage[0]->Width(), 4455 - 15 - 120);
  EXPECT_EQ(box_->NormLine[0]->Y1(), box_->ClBCaption[0]->Top() + box_->ClBCaption[0]->Height() + 15);
  box_->ControllerProperty(QStringLiteral("Working"), 2);
  EXPECT_EQ(box_->ClBCaption[1]->Caption(), QStringLiteral("Working"));  // the embossed copy
  EXPECT_EQ(Shown(box_->ClBImage[0]), QColor(Qt::red));
  box_->ResetControl();  // the application's icon comes back
  EXPECT_NE(Shown(box_->ClBImage[0]), QColor(Qt::red));
}

TEST_F(ControllerBoxTest, EveryPartTakesItsThemeColourAndPicture) {
  const settings::ThemeValues& t = settings::Theme();
  EXPECT_EQ(box_->BackColor(), t.theme_color);
  EXPECT_EQ((std::array{box_->ClBEffect[0]->BorderColor(), box_->ClBEffect[1]->BorderColor(), box_->ClBEffect[2]->BorderColor(),
                        box_->ClBCaption[0]->ForeColor(), box_->ClBCaption[1]->ForeColor(), box_->NormLine[0]->BorderColor(),
                        box_->NormLine[1]->BorderColor()}),
            (std::array{t.theme_pitch, t.theme_dark, t.theme_pitch, t.theme_shadow, t.theme_vague, t.theme_dark, t.theme_shade}));
  EXPECT_EQ(Shown(box_->ClBHolder[0]), QColor(Qt::green));
  EXPECT_EQ(Shown(box_->ClBBackGround), QColor(Qt::green));
}

TEST_F(ControllerBoxTest, ClickComesBeforeMouseDown) {
  std::vector<std::string> order;
  QObject::connect(box_, &ControllerBox::Click, [&] { order.push_back("click"); });
  QObject::connect(box_, &platform::FormElement::MouseDown, [&] { order.push_back("down"); });
  QObject::connect(box_, &platform::FormElement::MouseUp, [&] { order.push_back("up"); });
  QTest::mouseClick(box_->ClBHotSpot, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_EQ(order, (std::vector<std::string>{"click", "down", "up"}));
}

}  // namespace lumora::controls
