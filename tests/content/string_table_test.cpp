#include <gtest/gtest.h>

#include "content/string_table.h"

using lumora::content::StringTable;

TEST(StringTable, GrowFillsAnEmptyLastEntryInPlaceAndIgnoresWritesOutside) {
  StringTable table(3);
  EXPECT_EQ(table.Grow(), 0);
  table.Set(0, 0, QStringLiteral("first"));
  EXPECT_EQ(table.Grow(), 1);
  table.Set(2, 1, QStringLiteral("path only"));  // field 0 decides: this entry is written over
  EXPECT_EQ(table.Grow(), 1);
  for (const auto& [field, entry] : {std::pair{3, 0}, {0, -1}, {0, 2}}) table.Set(field, entry, QStringLiteral("x"));
  EXPECT_EQ(std::pair(table.Count(), table.At(0, 0)), std::pair(2, QStringLiteral("first")));
  EXPECT_EQ(table.At(-1, 0) + table.At(3, 0) + table.At(0, 2), QString());
}
