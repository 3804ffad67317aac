#include "controls/controller_box.h"
#include "test_theme.h"

class ControllerBoxTest : public ControlTest<ControllerBox> {
 protected:
  ControllerBoxTest() : ControlTest({0, 0, 4455, 1575}) {
    // The holder is the frame set's second picture, the texture the background set's first.
    Pictures(0, {Qt::green, Qt::blue});
    Pictures(1, {Qt::blue, Qt::green});
    Pictures(3, {Qt::blue, Qt::red});
    control_->ResetControl(skin_);
  }
};

TEST_F(ControllerBoxTest, EveryPartTakesItsThemeColourAndPicture) {
  const settings::ThemeValues& t = skin_->theme;
  const ControllerBox& b = *control_;
  EXPECT_EQ((std::array{b.BackColor(), b.ClBEffect[0]->BorderColor(), b.ClBEffect[1]->BorderColor(),
                        b.ClBEffect[2]->BorderColor(), b.ClBCaption[0]->ForeColor(), b.ClBCaption[1]->ForeColor(),
                        b.NormLine[0]->BorderColor(), b.NormLine[1]->BorderColor()}),
            (std::array{t.theme_color, t.theme_pitch, t.theme_dark, t.theme_pitch, t.theme_shadow, t.theme_vague,
                        t.theme_dark, t.theme_shade}));
  EXPECT_EQ(std::pair(Shown(b.ClBHolder[0]), Shown(b.ClBBackGround)), std::pair(QColor(Qt::green), QColor(Qt::green)));
  // The pictures are stretched over the frame and the ground, however small they are.
  const QImage shown = control_->grab().toImage();
  EXPECT_EQ(std::pair(shown.pixelColor(10, 90), shown.pixelColor(270, 90)), std::pair(QColor(Qt::green), QColor(Qt::green)));
  EXPECT_EQ(b.ClBImage[0]->Left() + b.ClBImage[0]->Width(), 4455 - 15 - 120);

  control_->ControllerProperty(QStringLiteral("Working"), 2);
  EXPECT_EQ(b.ClBCaption[1]->Caption(), QStringLiteral("Working"));  // the embossed copy
  EXPECT_EQ(Shown(b.ClBImage[0]), QColor(Qt::red));
  control_->ResetControl(skin_);  // the application's icon comes back
  EXPECT_NE(Shown(b.ClBImage[0]), QColor(Qt::red));
}

