#include "controls/controller_box.h"
#include "test_theme.h"

namespace lumora::controls {

class ControllerBoxTest : public ControlTest<ControllerBox> {
 protected:
  ControllerBoxTest() : ControlTest({0, 0, 4455, 1575}) {
    for (auto& list : settings::PictureLoader()) list.Clear();
    // The holder is the frame set's second picture, the texture the background set's first.
    for (int i = 0; i < 4; ++i) {
      settings::PictureLoader(0).Add(Filled(i == 0 ? Qt::green : Qt::blue));
      settings::PictureLoader(1).Add(Filled(i == 1 ? Qt::green : Qt::blue));
      settings::PictureLoader(3).Add(Filled(Qt::red));
    }
    control_->ResetControl();
  }
};

TEST_F(ControllerBoxTest, FrameTitleAndPictureFollowTheBox) {
  EXPECT_EQ(control_->ClBImage[0]->Left() + control_->ClBImage[0]->Width(), 4455 - 15 - 120);
  control_->ControllerProperty(QStringLiteral("Working"), 2);
  EXPECT_EQ(control_->ClBCaption[1]->Caption(), QStringLiteral("Working"));  // the embossed copy
  EXPECT_EQ(Shown(control_->ClBImage[0]), QColor(Qt::red));
  control_->ResetControl();  // the application's icon comes back
  EXPECT_NE(Shown(control_->ClBImage[0]), QColor(Qt::red));
}

TEST_F(ControllerBoxTest, EveryPartTakesItsThemeColourAndPicture) {
  const settings::ThemeValues& t = settings::Theme();
  const ControllerBox& b = *control_;
  EXPECT_EQ((std::array{b.BackColor(), b.ClBEffect[0]->BorderColor(), b.ClBEffect[1]->BorderColor(),
                        b.ClBEffect[2]->BorderColor(), b.ClBCaption[0]->ForeColor(), b.ClBCaption[1]->ForeColor(),
                        b.NormLine[0]->BorderColor(), b.NormLine[1]->BorderColor()}),
            (std::array{t.theme_color, t.theme_pitch, t.theme_dark, t.theme_pitch, t.theme_shadow, t.theme_vague,
                        t.theme_dark, t.theme_shade}));
  EXPECT_EQ(Shown(control_->ClBHolder[0]), QColor(Qt::green));
  EXPECT_EQ(Shown(control_->ClBBackGround), QColor(Qt::green));
}

TEST_F(ControllerBoxTest, ClickComesBeforeMouseDown) {
  std::vector<std::string> order;
  QObject::connect(control_, &ControllerBox::Click, [&] { order.push_back("click"); });
  QObject::connect(control_, &platform::FormElement::MouseDown, [&] { order.push_back("down"); });
  QObject::connect(control_, &platform::FormElement::MouseUp, [&] { order.push_back("up"); });
  QTest::mouseClick(control_->ClBHotSpot, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_EQ(order, (std::vector<std::string>{"click", "down", "up"}));
}

}  // namespace lumora::controls
