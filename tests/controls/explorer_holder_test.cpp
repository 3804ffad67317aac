#include <gtest/gtest.h>

#include <QSignalSpy>

#include "controls/explorer_holder.h"
#include "controls/simple_box.h"
#include "test_theme.h"

using namespace lumora;
using controls::ExplorerHolder;

namespace {

class ExplorerHolderTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    pane_.Move(0, 900, 3000, 6525);
    pane_.ResetControl();
  }
  // A pointer move over the drag slider, X relative to the slider.
  void Drag(int button, double x) { emit pane_.DragSlider->MouseMove(button, 0, x, 100); }

  ExplorerHolder pane_;
};

}  // namespace

TEST_F(ExplorerHolderTest, DragFollowsThePointerWithinTheLimits) {
  QSignalSpy aligns(&pane_, &ExplorerHolder::SelfAlign);
  Drag(1, 300);
  EXPECT_EQ(pane_.Width(), 3000 + 300 - 30);
  EXPECT_EQ(pane_.DragSlider->Left(), pane_.Width() - 75);
  Drag(1, -9000);
  EXPECT_EQ(pane_.Width(), 2540);
  Drag(1, 30);  // exactly on the narrow limit
  EXPECT_EQ(pane_.Width(), 2540);
  Drag(1, 5800 - 2540 + 30);  // exactly on the wide limit
  EXPECT_EQ(pane_.Width(), 5800);
  EXPECT_EQ(aligns.count(), 3);  // the step that kept 2540 raised nothing
}

TEST_F(ExplorerHolderTest, StepsThatChangeNothingOnlyReportTheMove) {
  Drag(1, 30);  // width + 30 - 30: the same width
  QSignalSpy aligns(&pane_, &ExplorerHolder::SelfAlign);
  QSignalSpy moves(&pane_, &platform::FormElement::MouseMove);
  Drag(1, 30);
  EXPECT_EQ(aligns.count(), 0);
  EXPECT_EQ(moves.count(), 1);
  Drag(2, 900);  // the right button never drags
  EXPECT_EQ(pane_.Width(), 3000);
  EXPECT_EQ(moves.count(), 2);
}

TEST_F(ExplorerHolderTest, ResetRaisesSelfAlignTwice) {
  QSignalSpy aligns(&pane_, &ExplorerHolder::SelfAlign);
  pane_.ResetControl();
  EXPECT_EQ(aligns.count(), 2);
  EXPECT_EQ(pane_.DragSlider->Height(), settings::Shared().units.ScreenSpanY);
}

TEST(SimpleBox, ShowThisAlwaysAsksTheHost) {
  controls::SimpleBox box;
  QSignalSpy asks(&box, &controls::SimpleBox::MakeVisible);
  box.SetShowThis(false);
  box.SetShowThis(false);
  EXPECT_EQ(asks.count(), 2);
  EXPECT_FALSE(box.ShowThis());
}
