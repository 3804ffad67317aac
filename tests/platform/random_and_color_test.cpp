#include <gtest/gtest.h>

#include "platform/color.h"

using namespace lumora::platform;

TEST(Color, RedIsInTheLowByteAndTheHighByteIsIgnored) {
  EXPECT_EQ(ToQColor(static_cast<int>(0xFF563412u)), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
}
