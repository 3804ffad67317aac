#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QDir>
#include <QTest>

#include "controls/vscroll_button.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"
#include "settings/theme_images.h"

using namespace lumora;
using controls::VScrollButton;

namespace {

// A bar 2000 twips high: two 255-twip arrows and a track of 1490.
class VScrollButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, QStringLiteral("/a"), QStringLiteral("/s"), 0);
    bar_ = new VScrollButton(&window_);
    bar_->Move(0, 0, 255, 2000);
    window_.resize(100, 200);
    window_.show();
  }

  void Content(int play, int gap) {
    bar_->SetPlay(play);
    bar_->SetGap(gap);
  }

  QWidget window_;
  VScrollButton* bar_ = nullptr;
};

}  // namespace

TEST_F(VScrollButtonTest, WidthIsFixedAndTheDownArrowSitsAtTheBottom) {
  bar_->Move(0, 0, 900, 3000);
  EXPECT_EQ(bar_->Width(), 255);
  EXPECT_EQ(bar_->Height(), 3000);
  EXPECT_EQ(bar_->ScbFrame[1]->Top(), 3000 - 255);
}

TEST_F(VScrollButtonTest, ArrowsAndGripShowPicturesFiveFourAndSix) {
  platform::ImageList& pictures = settings::PictureLoader(2);
  pictures.Clear();
  for (int i = 0; i < 7; ++i) {
    QPixmap picture(8, 8);
    picture.fill(QColor(i * 30, 0, 0));
    pictures.Add(picture);
  }
  bar_->ResetControl();
  for (const auto& [arrow, picture] : {std::pair{0, 5}, {1, 4}, {2, 6}})
    EXPECT_EQ(bar_->ScBArrow[static_cast<size_t>(arrow)]->Image().toImage().pixelColor(1, 1).red(), (picture - 1) * 30)
        << arrow;
  pictures.Clear();
}

TEST_F(VScrollButtonTest, SliderOffsetMapsOntoTheContentOffset) {
  QSignalSpy reports(bar_, &VScrollButton::SliderDrag);
  Content(10000, 2000);
  bar_->Process_CoOrdinates(2);
  ASSERT_EQ(reports.count(), 1);
  EXPECT_EQ(reports.takeFirst()[0].toInt(), 0);
  EXPECT_EQ(bar_->ScbFrame[2]->Height(), 298);  // 2000 / 10000 of the track
  EXPECT_EQ(bar_->ScbFrame[2]->Top(), 255);

  bar_->SetValue(596);  // half way
  bar_->Process_CoOrdinates(0);
  EXPECT_EQ(reports.takeFirst()[0].toInt(), 4000);

  bar_->SetValue(99999);  // beyond the end: clamped, and the end shows the last screenful
  bar_->Process_CoOrdinates(0);
  EXPECT_EQ(bar_->Value(), 1490 - 298);
  EXPECT_EQ(reports.takeFirst()[0].toInt(), 10000 - 2000);
  EXPECT_TRUE(bar_->VeryBottom());

  bar_->Process_CoOrdinates(0);  // nothing changed: nothing reported
  EXPECT_EQ(reports.count(), 0);
  bar_->Process_CoOrdinates(1);  // reported always
  EXPECT_EQ(reports.count(), 1);

  bar_->SetValue(-50);
  bar_->Process_CoOrdinates(0);
  EXPECT_EQ(bar_->Value(), 0);
  EXPECT_FALSE(bar_->VeryBottom());
}

TEST_F(VScrollButtonTest, VeryBottomHoldsWithinSixPixelsOfTheEnd) {
  Content(10000, 2000);
  bar_->SetValue(1192 - 89);
  bar_->Process_CoOrdinates(0);
  EXPECT_TRUE(bar_->VeryBottom());
  bar_->SetValue(1192 - 90);
  bar_->Process_CoOrdinates(0);
  EXPECT_FALSE(bar_->VeryBottom());
}

TEST_F(VScrollButtonTest, NoContentMovesNothingButThePlacement) {
  QSignalSpy reports(bar_, &VScrollButton::SliderDrag);
  bar_->SetValue(300);
  bar_->Process_CoOrdinates(2);
  EXPECT_EQ(reports.count(), 0);
  EXPECT_EQ(bar_->ScbFrame[2]->Top(), 555);
}

TEST_F(VScrollButtonTest, StepIsEightPixelsOfContent) {
  Content(20000, 2000);
  EXPECT_EQ(bar_->Step(), 12);
  Content(240000, 2000);  // exactly Gap x 120
  EXPECT_EQ(bar_->Step(), 1);
  Content(240001, 2000);  // beyond it the arrows still move the slider
  EXPECT_EQ(bar_->Step(), 1);
  bar_->SetPlay(0);  // a zero keeps the old step
  EXPECT_EQ(bar_->Step(), 1);
  bar_->SetLineHeight(195);  // an owner's row, taller than eight pixels
  Content(20000, 2000);
  EXPECT_EQ(bar_->Step(), 19);
}

TEST_F(VScrollButtonTest, HoldingAnArrowRepeatsUntilReleased) {
  QSignalSpy reports(bar_, &VScrollButton::SliderDrag);
  Content(20000, 2000);
  bar_->Process_CoOrdinates(2);
  reports.clear();
  QTest::mousePress(bar_->ScBHotSpot[1], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(bar_->Repeating());
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar_->Value() >= 36; }));
  QTest::mouseRelease(bar_->ScBHotSpot[1], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(bar_->Repeating());
  EXPECT_EQ(bar_->Value() % 12, 0);  // moved in whole steps
  EXPECT_TRUE(bar_->ImHigh());
  const int stopped = bar_->Value();
  QTest::qWait(50);
  EXPECT_EQ(bar_->Value(), stopped);

  // The up arrow walks back and stops at the top.
  QTest::mousePress(bar_->ScBHotSpot[0], Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar_->Value() == 0; }));
  QTest::mouseRelease(bar_->ScBHotSpot[0], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(reports.last()[0].toInt(), 0);
}

TEST_F(VScrollButtonTest, PressOnTheTrackPagesTowardsThePointer) {
  Content(20000, 2000);
  bar_->Process_CoOrdinates(2);
  const int below = bar_->ScbFrame[2]->Top() + bar_->ScbFrame[2]->Height() + 300;
  QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(5, below / 15));
  EXPECT_EQ(bar_->Value(), 149);  // a page at once: the slider's own height
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar_->Value() >= 149 + 48; }));
  QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(5, below / 15));
  EXPECT_EQ((bar_->Value() - 149) % 24, 0);  // then two steps a tick
}

TEST_F(VScrollButtonTest, DraggingTheSliderStopsAtTheEnds) {
  QSignalSpy reports(bar_, &VScrollButton::SliderDrag);
  Content(10000, 2000);
  bar_->Process_CoOrdinates(2);
  reports.clear();
  QWidget* grip = bar_->ScBHotSpot[2];
  QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(5, 5));
  auto drag = [&](int y) {
    QMouseEvent move(QEvent::MouseMove, QPointF(5, y), grip->mapToGlobal(QPointF(5, y)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grip, &move);
  };
  drag(5 + 20);  // 20 pixels down
  EXPECT_EQ(bar_->Value(), 300);
  drag(5 + 2000);  // far past the end
  EXPECT_EQ(bar_->Value(), 1192);
  const int reported = reports.count();
  drag(5 + 40);  // the pointer is still below the end: no change, no report
  EXPECT_EQ(reports.count(), reported);
  QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(reports.last()[0].toInt(), 8000);
}

TEST_F(VScrollButtonTest, NewCoordinateMovesTheSliderToAContentOffset) {
  QSignalSpy reports(bar_, &VScrollButton::SliderDrag);
  Content(10000, 2000);
  bar_->Process_CoOrdinates(2);
  bar_->Submit_New_Coord(4000);
  EXPECT_EQ(bar_->Value(), 596);
  EXPECT_EQ(reports.last()[0].toInt(), 4000);
}

TEST_F(VScrollButtonTest, HoverColoursTheElementUnderThePointerOnly) {
  settings::Theme().theme_high = 0x00FF00;
  settings::Theme().theme_dark = 0x404040;
  settings::Theme().theme_color = 0x800000;
  settings::Theme().theme_shade = 0xC0C0C0;
  bar_->ResetControl();
  Content(10000, 2000);
  bar_->Process_CoOrdinates(2);
  QTest::mouseMove(bar_->ScBHotSpot[1], QPoint(5, 5));
  EXPECT_EQ(bar_->ScBEffect[1]->FillColor(), 0x00FF00);
  EXPECT_EQ(bar_->ScBEffect[0]->FillColor(), 0x404040);
  EXPECT_EQ(bar_->ScBEffect[2]->FillColor(), 0x800000);
  EXPECT_TRUE(bar_->ImHigh());
  QTest::mouseMove(bar_->ScBHotSpot[2], QPoint(5, 5));
  EXPECT_EQ(bar_->ScBEffect[2]->FillColor(), 0x00FF00);
  EXPECT_EQ(bar_->ScBEffect[1]->FillColor(), 0x404040);

  // Rendered: the track in the shade colour, the hovered slider in the hover colour.
  const QImage image = bar_->grab().toImage();
  const QString folder = QStringLiteral(LUMORA_TEST_OUTPUT) + QStringLiteral("/looks");
  QDir().mkpath(folder);
  image.save(folder + QStringLiteral("/vscroll_button_hover.png"));
  const int sliderMiddle = (bar_->ScbFrame[2]->Top() + bar_->ScbFrame[2]->Height() / 2) / 15;
  EXPECT_EQ(QColor(image.pixel(8, sliderMiddle)), QColor(0, 255, 0));
  EXPECT_EQ(QColor(image.pixel(8, image.height() - 17 - 20)), QColor(0xC0, 0xC0, 0xC0));

  bar_->ForceLooseFocus();
  EXPECT_EQ(bar_->ScBEffect[2]->FillColor(), 0x800000);
}

// 10,000 rows of 195 twips in a 2000-twip view: a slider twip stands for more
// content than a row.
TEST_F(VScrollButtonTest, LongContentScrollsEndToEndByEveryMeans) {
  QSignalSpy reports(bar_, &VScrollButton::SliderDrag);
  bar_->SetLineHeight(195);
  const int play = 10000 * 195;
  Content(play, 2000);
  bar_->Process_CoOrdinates(2);
  EXPECT_GE(bar_->ScbFrame[2]->Height(), VScrollButton::MinSliderHeight());
  EXPECT_GE(bar_->Step(), 1);

  QTest::mouseClick(bar_->ScBHotSpot[1], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_GE(reports.last()[0].toInt(), 195) << "the down arrow moved less than a row";
  const int afterArrow = reports.last()[0].toInt();
  const int below = bar_->ScbFrame[2]->Top() + bar_->ScbFrame[2]->Height() + 150;
  QTest::mouseClick(bar_, Qt::LeftButton, {}, QPoint(5, below / 15));
  EXPECT_GE(reports.last()[0].toInt() - afterArrow, 2000) << "the track moved less than a page";

  // Held, they keep moving; the track above the slider goes back to the top.
  QTest::mousePress(bar_->ScBHotSpot[1], Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(QTest::qWaitFor([&] { return reports.last()[0].toInt() > 20 * 2000; }));
  QTest::mouseRelease(bar_->ScBHotSpot[1], Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(5, 17));  // just below the up arrow
  ASSERT_TRUE(QTest::qWaitFor([&] { return reports.last()[0].toInt() == 0; }));
  QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(5, 17));

  // The slider can be grabbed and dragged to the end.
  QWidget* grip = bar_->ScBHotSpot[2];
  ASSERT_GE(grip->height(), 8);
  QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(5, 4));
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 400), grip->mapToGlobal(QPointF(5, 400)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(grip, &move);
  QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(5, 4));
  EXPECT_EQ(reports.last()[0].toInt(), play - 2000);
  EXPECT_TRUE(bar_->VeryBottom());

  // An offset given by the owner is reported as given, not rounded to a slider twip.
  bar_->Submit_New_Coord(123456);
  EXPECT_EQ(reports.last()[0].toInt(), 123456);
  bar_->Process_CoOrdinates(2);
  EXPECT_EQ(reports.last()[0].toInt(), 123456);
}
