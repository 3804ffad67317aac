#include <gtest/gtest.h>

#include "app/shortcuts.h"

using lumora::app::Shortcuts;

TEST(Shortcuts, ZoomStepsThroughTheLevelsAndStopsAtTheEnds) {
  const struct { double current; int steps; double expected; } cases[] = {
      {1.0, 2, 1.25}, {0.9, -5, 0.5}, {3.0, 1, 3.0},
      {1.3, 1, 1.5}, {7.0, -1, 2.5}};  // the nearer level counts; one beyond them comes back into them
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(Shortcuts::StepZoom(c.current, c.steps), c.expected) << c.current << " by " << c.steps;
}
