#include "controls/explorer_holder.h"
#include "controls/simple_box.h"
#include "test_theme.h"

class ExplorerHolderTest : public ControlTest<ExplorerHolder> {
 protected:
  ExplorerHolderTest() : ControlTest({0, 900, 3000, 6525}) {}
  // A pointer move over the drag slider, X relative to the slider.
  void Drag(int button, double x) { emit control_->DragSlider->MouseMove(button, 0, x, 100); }
};

TEST_F(ExplorerHolderTest, StepsThatChangeNothingOnlyReportTheMove) {
  Drag(1, 30);  // width + 30 - 30: the same width
  QSignalSpy aligns(control_, &ExplorerHolder::SelfAlign);
  QSignalSpy moves(control_, &platform::FormElement::MouseMove);
  Drag(1, 30);
  Drag(2, 900);  // the right button never drags
  EXPECT_EQ((std::tuple{control_->Width(), aligns.count(), moves.count()}), (std::tuple{3000, 0LL, 2LL}));
  control_->ResetControl(skin_);
  EXPECT_EQ(aligns.count(), 2);  // a reset aligns twice
  Drag(1, 300);  // steps that change the width follow the pointer within the limits
  EXPECT_EQ(control_->DragSlider->Left(), 3000 + 300 - 30 - 75);
  Drag(1, -9000);
  EXPECT_EQ(control_->Width(), 2540);
  Drag(1, 5800 - 2540 + 30);  // exactly on the wide limit
  EXPECT_EQ(std::pair(control_->Width(), aligns.count()), std::pair(5800, qsizetype{2 + 3}));
  // A step asked for while one is under way (here by a SelfAlign handler) is passed over.
  QObject::connect(control_, &ExplorerHolder::SelfAlign, [this] { Drag(1, -300); });
  Drag(1, -300);
  EXPECT_EQ(control_->Width(), 5800 - 330);
}
