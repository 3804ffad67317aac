#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include "controls/command_button.h"
#include "platform/color.h"
#include "platform/shape.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

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

  QPoint Centre() const { return button_->CmbHotSpot->rect().center(); }

  QWidget window_;
  CommandButton* button_ = nullptr;
};

}  // namespace

TEST_F(CommandButtonTest, ElementsStandWhereTheLayoutPutsThem) {
  const std::array<std::array<int, 4>, 7> shapes{{{0, 0, 945, 315},
                                                  {0, 0, 930, 300},
                                                  {15, 15, 900, 270},
                                                  {0, 0, 960, 330},
                                                  {30, 30, 885, 255},
                                                  {30, 30, 900, 270},
                                                  {15, 15, 900, 270}}};
  for (size_t i = 0; i < shapes.size(); ++i) EXPECT_EQ(Geometry(button_->CmBShape[i]), shapes[i]) << i;
  EXPECT_EQ(Geometry(button_->CmbHotSpot), (std::array{0, 0, 960, 330}));
  const auto* label = button_->CmBLabel;
  EXPECT_EQ(label->Left(), std::lround((960 - label->Width()) / 2.0 - 15));
  EXPECT_EQ(label->Top(), std::lround((330 - label->Height()) / 2.0 - 15));

  // A new caption is centred at once, without a resize.
  button_->SetCaption(QStringLiteral("A much longer caption"));
  EXPECT_EQ(label->Left(), std::lround((960 - label->Width()) / 2.0 - 15));
  EXPECT_EQ(button_->Caption(), QStringLiteral("&A much longer caption"));  // its access key marked
  EXPECT_EQ(label->DisplayText(), QStringLiteral("&A much longer caption"));
}

TEST_F(CommandButtonTest, HoverLinesFollowImHighOnlyWhileEnabled) {
  button_->SetImHigh(true);
  EXPECT_TRUE(button_->CmBShape[5]->Visible());
  EXPECT_TRUE(button_->CmBShape[6]->Visible());
  button_->SetImHigh(false);
  EXPECT_FALSE(button_->CmBShape[5]->Visible());

  button_->SetEnabled(false);
  button_->SetImHigh(true);
  EXPECT_TRUE(button_->ImHigh());
  EXPECT_FALSE(button_->CmBShape[5]->Visible());
  button_->SetEnabled(true);
  EXPECT_FALSE(button_->CmBShape[5]->Visible());  // until the host writes ImHigh again
  button_->SetImHigh(true);
  EXPECT_TRUE(button_->CmBShape[6]->Visible());
}

TEST_F(CommandButtonTest, DisabledLookKeepsFaceOuterLineAndCaptionInShadow) {
  button_->SetEnabled(false);
  EXPECT_FALSE(button_->Enabled());
  for (int i : {1, 2, 4}) EXPECT_FALSE(button_->CmBShape[static_cast<size_t>(i)]->Visible()) << i;
  EXPECT_TRUE(button_->CmBShape[0]->Visible());
  EXPECT_TRUE(button_->CmBShape[3]->Visible());
  EXPECT_EQ(button_->CmBShape[0]->BorderColor(), 0x808080);
  EXPECT_EQ(button_->CmBLabel->ForeColor(), 0x808080);

  QSignalSpy clicks(button_, &CommandButton::Click);
  QTest::mouseClick(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  EXPECT_EQ(clicks.count(), 0);

  button_->SetEnabled(true);
  for (int i : {1, 2, 4}) EXPECT_TRUE(button_->CmBShape[static_cast<size_t>(i)]->Visible()) << i;
  EXPECT_EQ(button_->CmBLabel->ForeColor(), 0x101010);
}

TEST_F(CommandButtonTest, PressingShiftsTheCaptionAndDarkensTheFace) {
  const int restingTop = button_->CmBLabel->Top();
  QTest::mousePress(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  EXPECT_EQ(button_->CmBLabel->Top(), restingTop + 14);  // one pixel less one twip
  EXPECT_EQ(button_->CmBShape[3]->FillColor(), 0xC0C0C0);
  EXPECT_EQ(button_->CmBShape[5]->BorderColor(), 0xFF0000);
  EXPECT_EQ(button_->CmBShape[6]->BorderColor(), 0x00FF00);
  QTest::mouseRelease(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  EXPECT_EQ(button_->CmBLabel->Top(), restingTop);
  EXPECT_EQ(button_->CmBShape[3]->FillColor(), 0xF0F0F0);
  EXPECT_EQ(button_->CmBShape[5]->BorderColor(), 0x0000FF);
}

TEST_F(CommandButtonTest, ClicksDoubleClicksAndKeysRaiseClickAsManyTimesAsTheyShould) {
  QSignalSpy clicks(button_, &CommandButton::Click);
  QTest::mouseClick(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  EXPECT_EQ(clicks.count(), 1);

  // A double click counts as two clicks.
  clicks.clear();
  QTest::mousePress(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  QTest::mouseRelease(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  QTest::mouseDClick(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  QTest::mouseRelease(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  EXPECT_EQ(clicks.count(), 2);

  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
    clicks.clear();
    QTest::keyPress(button_, key);
    EXPECT_EQ(clicks.count(), 0) << "nothing before the release";
    QKeyEvent repeat(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(button_, &repeat);  // auto-repeat of a held key
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(button_, key);
    EXPECT_EQ(clicks.count(), 1);
  }
  clicks.clear();
  QTest::keyClick(button_, Qt::Key_A);
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(CommandButtonTest, FocusFrameIsDottedWhileFocusedAndResetKeepsItDotted) {
  button_->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return button_->hasFocus(); }));
  EXPECT_EQ(button_->CmBShape[4]->BorderStyle(), Shape::Border::Dot);
  EXPECT_EQ(button_->CmBShape[4]->BorderColor(), 0x00FF00);
  button_->ResetControl();
  EXPECT_EQ(button_->CmBShape[4]->BorderStyle(), Shape::Border::Dot);
  EXPECT_EQ(button_->CmBShape[4]->BorderColor(), 0x800000);
  button_->clearFocus();
  EXPECT_EQ(button_->CmBShape[4]->BorderStyle(), Shape::Border::Solid);
  EXPECT_EQ(button_->CmBShape[4]->BorderColor(), 0x800000);
}

TEST_F(CommandButtonTest, RenderedLooksShowTheThemeColours) {
  const QString folder = QStringLiteral(LUMORA_TEST_OUTPUT) + QStringLiteral("/looks");
  QDir().mkpath(folder);
  // A point on the face, clear of caption and frame lines.
  const QPoint face(6, button_->height() / 2);
  auto look = [&](const char* name) {
    const QImage image = button_->grab().toImage();
    image.save(folder + QStringLiteral("/command_button_%1.png").arg(QString::fromLatin1(name)));
    return image;
  };
  EXPECT_EQ(look("resting").pixelColor(face), platform::ToQColor(0xF0F0F0));
  button_->SetImHigh(true);
  const QImage hover = look("hover");
  EXPECT_EQ(hover.pixelColor(2, button_->height() / 2), platform::ToQColor(0x0000FF));  // the outer hover line
  QTest::mousePress(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  EXPECT_EQ(look("pressed").pixelColor(face), platform::ToQColor(0xC0C0C0));
  QTest::mouseRelease(button_->CmbHotSpot, Qt::LeftButton, {}, Centre());
  button_->SetImHigh(false);
  button_->SetEnabled(false);
  const QImage disabled = look("disabled");
  EXPECT_EQ(disabled.pixelColor(face), platform::ToQColor(0xF0F0F0));
  EXPECT_EQ(disabled.pixelColor(button_->width() / 2, 0), platform::ToQColor(0x808080));  // the outer line
}
