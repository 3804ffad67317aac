#include <gtest/gtest.h>

#include "content/string_table.h"

using lumora::content::StringTable;

TEST(StringTable, StartsWithOneEmptyEntry) {
  const StringTable table(3);
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.Fields(), 3);
  EXPECT_EQ(table.At(0, 0), QString());
}

TEST(StringTable, GrowRuleFillsAnEmptyLastEntryInPlace) {
  StringTable table(3);
  int entry = table.Grow();
  EXPECT_EQ(entry, 0);
  table.Set(0, entry, QStringLiteral("first"));
  entry = table.Grow();
  EXPECT_EQ(entry, 1);
  EXPECT_EQ(table.Count(), 2);
  // Field 0 decides: an entry with other fields set but field 0 empty is
  // written over by the next one.
  table.Set(2, entry, QStringLiteral("path only"));
  EXPECT_EQ(table.Grow(), 1);
  EXPECT_EQ(table.At(2, 1), QStringLiteral("path only"));
  EXPECT_EQ(table.At(0, 0), QStringLiteral("first"));
}

TEST(StringTable, AppendAlwaysAddsAndResetEmpties) {
  StringTable table(2);
  EXPECT_EQ(table.Append(), 1);
  EXPECT_EQ(table.Append(), 2);
  EXPECT_EQ(table.LastIndex(), 2);
  table.Set(1, 2, QStringLiteral("x"));
  table.Reset();
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.At(1, 0), QString());
}

TEST(StringTable, ReadsAndWritesOutsideTheTableDoNothing) {
  StringTable table(2);
  table.Set(0, 0, QStringLiteral("kept"));
  table.Set(5, 0, QStringLiteral("lost"));
  table.Set(0, 7, QStringLiteral("lost"));
  table.Set(0, -1, QStringLiteral("lost"));
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.At(0, 0), QStringLiteral("kept"));
  EXPECT_EQ(table.At(0, 1), QString());
  EXPECT_EQ(table.At(-1, 0), QString());
  EXPECT_EQ(table.At(2, 0), QString());
}

TEST(StringTable, SwapMovesWholeEntries) {
  StringTable table(2);
  table.Set(0, 0, QStringLiteral("a"));
  table.Set(1, 0, QStringLiteral("1"));
  const int second = table.Append();
  table.Set(0, second, QStringLiteral("b"));
  table.Set(1, second, QStringLiteral("2"));
  table.SwapEntries(0, 1);
  EXPECT_EQ(table.At(0, 0), QStringLiteral("b"));
  EXPECT_EQ(table.At(1, 0), QStringLiteral("2"));
  EXPECT_EQ(table.At(0, 1), QStringLiteral("a"));
  table.SwapEntries(0, 9);  // no such entry
  EXPECT_EQ(table.At(0, 0), QStringLiteral("b"));
}
