#include <gtest/gtest.h>

#include "platform/color.h"
#include "platform/random.h"

using namespace lumora::platform;

TEST(Color, RedIsInTheLowByte) {
  EXPECT_EQ(ToQColor(255), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(ToQColor(16777215), QColor(255, 255, 255));
  EXPECT_EQ(ToQColor(static_cast<int>(0xFF00FF00u)), QColor(0, 255, 0));  // high byte ignored
  EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
}

TEST(Random, DrawsStayInTheUnitIntervalAndRepeatForASeed) {
  Randomize(42);
  std::vector<double> first;
  for (int i = 0; i < 1000; ++i) {
    const double r = Rnd();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
    first.push_back(r);
  }
  Randomize(42);
  for (double r : first) EXPECT_EQ(Rnd(), r);
}
