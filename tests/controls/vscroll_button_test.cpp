#include "controls/vscroll_button.h"
#include "test_theme.h"

// A bar 2000 twips high: two 255-twip arrows and a track of 1490.
class VScrollButtonTest : public ControlTest<VScrollButton> {
 protected:
  VScrollButtonTest() : ControlTest({0, 0, 255, 2000}) {}

  // Content of play twips seen through the 2000-twip bar, the slider at its top.
  int Content(int play) {
    control_->SetPlay(play);
    control_->SetGap(2000);
    return Place(0, 2);
  }
  // Puts the slider at value; gives the content offset reported, or -1 for none.
  int Place(int value, int processType = 0) {
    QSignalSpy reports(control_, &VScrollButton::SliderDrag);
    control_->SetValue(value);
    control_->Process_CoOrdinates(processType);
    return reports.isEmpty() ? -1 : reports.last()[0].toInt();
  }
};

TEST_F(VScrollButtonTest, TheSliderOffsetMapsOntoTheContentOffset) {
  control_->SetPlay(10000);  // content, but no view of it (a zero gap): nothing reported, the slider only placed
  EXPECT_EQ((std::array{Place(300, 2), control_->ScbFrame[2]->Top(), Content(0), Content(1), Content(10000), control_->ScbFrame[2]->Height()}),
            (std::array{-1, 555, -1, 0, 0, 298}));  // no content reports nothing either; then a slider 2000 / 10000 of the track
  // Half way; clamped to the last screenful; unchanged, so reported only when asked; clamped to the top.
  EXPECT_EQ((std::array{Place(596), Place(99999), Place(1192), Place(1192, 1), Place(-50)}),
            (std::array{4000, 10000 - 2000, -1, 8000, 0}));
  auto bottomAt = [&](int value) { Place(value); return control_->VeryBottom(); };
  EXPECT_EQ((std::pair{bottomAt(1192 - 89), bottomAt(1192 - 90)}), (std::pair{true, false}));  // six pixels
  control_->Submit_New_Coord(4000);
  EXPECT_EQ(control_->Value(), 596);
  std::vector<int> shortOfTheEnd;  // the slider at its end, dragged or sent there, shows the content's end however rounded
  for (int play = 2001; play < 90000; play += 89) {
    Content(play);
    control_->Submit_New_Coord(1 << 30);
    if (Place(control_->Value(), 1) != play - 2000 || Place(99999, 1) != play - 2000) shortOfTheEnd.push_back(play);
  }
  EXPECT_EQ(shortOfTheEnd, std::vector<int>{});
  Content(20000);  // the arrows' step: eight pixels of content
  control_->SetPlay(0);  // a zero keeps the old step
  EXPECT_EQ(control_->Step(), 12);
  Content(240001);  // beyond Gap x 120 the arrows still move the slider
  EXPECT_EQ(control_->Step(), 1);
}

// 10,000 rows of 195 twips in a 2000-twip view: a slider twip stands for more content than a row.
TEST_F(VScrollButtonTest, ThePointerHighlightsItsPartAndScrollsLongContentEndToEndByEveryMeans) {
  QSignalSpy reports(control_, &VScrollButton::SliderDrag);
  auto last = [&] { return reports.last()[0].toInt(); };
  control_->SetLineHeight(195);
  Content(10000 * 195);
  EXPECT_EQ(control_->ScbFrame[2]->Height(), VScrollButton::MinSliderHeight());
  QTest::mouseMove(control_->ScBHotSpot[1], QPoint(5, 5));
  EXPECT_EQ((std::array{control_->ScBEffect[0]->FillColor(), control_->ScBEffect[1]->FillColor()}),
            (std::array{0x404040, 0x00FF00}));
  QTest::mouseMove(control_->ScBHotSpot[2], QPoint(5, 5));
  EXPECT_EQ(std::pair(control_->ScBEffect[2]->FillColor(), control_->ImHigh()), std::pair(0x00FF00, true));
  QTest::mouseClick(control_->ScBHotSpot[1], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_GE(last(), 195) << "the down arrow moved less than a row";
  const int afterArrow = last();
  QTest::mouseClick(control_, Qt::LeftButton, {}, QPoint(5, 60));  // on the track, below the slider
  EXPECT_GE(last() - afterArrow, 2000) << "the track moved less than a page";
  QTest::mousePress(control_->ScBHotSpot[0], Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(QTest::qWaitFor([&] { return last() == 0; }));
  QTest::mouseRelease(control_->ScBHotSpot[0], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(std::pair(control_->Repeating(), control_->ImHigh()), std::pair(false, true));

  QTest::mousePress(control_->ScBHotSpot[2], Qt::LeftButton, {}, QPoint(5, 4));
  QTest::mouseMove(control_->ScBHotSpot[2], QPoint(5, 4 + 20));  // the grip follows the pointer: 20 pixels down
  EXPECT_EQ(control_->Value(), 300);
  QTest::mouseMove(control_->ScBHotSpot[2], QPoint(5, 400));  // and stops at the end
  QTest::mouseRelease(control_->ScBHotSpot[2], Qt::LeftButton, {}, QPoint(5, 4));
  EXPECT_EQ(last(), 10000 * 195 - 2000);
  // An offset given by the owner is reported as given, not rounded to a slider twip.
  control_->Submit_New_Coord(123456);
  EXPECT_EQ(last(), 123456);
  control_->Process_CoOrdinates(2);
  EXPECT_EQ(last(), 123456);
  // A double click held on the down arrow goes on down until released.
  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, {});
  QCoreApplication::sendEvent(control_->ScBHotSpot[1], &twice);
  EXPECT_TRUE(QTest::qWaitFor([&] { return last() > 123456 + 3 * 195; }));
  QTest::mouseRelease(control_->ScBHotSpot[1], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(control_->Repeating());
  // New content, or a new view of it: that offset no longer stands for the slider's place.
  std::vector<int> offsets;
  for (const bool content : {true, false}) {
    control_->Submit_New_Coord(123456);
    content ? control_->SetPlay(20000 * 195) : control_->SetGap(1000);
    control_->Process_CoOrdinates(2);
    offsets.push_back(last());
  }
  EXPECT_EQ(offsets, (std::vector{247537, 372127}));  // about twice, and thrice, as far
}
