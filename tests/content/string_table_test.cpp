#include <gtest/gtest.h>

#include "content/string_table.h"

using lumora::content::StringTable;

TEST(StringTable, GrowFillsAnEmptyLastEntryInPlaceAndIgnoresWritesOutside) {
  StringTable table(3);
  EXPECT_EQ(table.Grow(), 0);
  table.Set(0, 0, QStringLiteral("first"));
  EXPECT_EQ(table.Grow(), 1);
  // Field 0 decides: an entry with only other fields set is written over.
  table.Set(2, 1, QStringLiteral("path only"));
  EXPECT_EQ(table.Grow(), 1);
  EXPECT_EQ(table.Count(), 2);

  table.Set(5, 0, QStringLiteral("lost"));
  table.Set(0, -1, QStringLiteral("lost"));
  EXPECT_EQ(table.Count(), 2);
  EXPECT_EQ(table.At(0, 0), QStringLiteral("first"));
  EXPECT_EQ(table.At(-1, 0), QString());
  EXPECT_EQ(table.At(0, 2), QString());
}
