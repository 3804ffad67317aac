#include <gtest/gtest.h>

#include "settings/language_pack.h"

using namespace lumora;
using settings::LanguagePack;

namespace {

LanguagePack Sort(std::initializer_list<std::pair<const char*, const char*>> entries) {
  content::StringTable table(2);
  for (const auto& [key, value] : entries) {
    const int entry = table.Append();
    table.Set(0, entry, QString::fromLatin1(key));
    table.Set(1, entry, QString::fromLatin1(value));
  }
  return settings::SortLanguageEntries(table);
}

}  // namespace

TEST(LanguagePack, FamiliesAreMatchedIgnoringCase) {
  const LanguagePack pack = Sort({{"lang3", "three"}, {"LANG4", "four"}, {"Short10", "key"}, {"diflb7", "info"},
                                  {"frmlb5", "wait"}, {"CmdBt2", "Display"}, {"cmd1", "Clear"}, {"lang10", "ten"},
                                  {"AskForm1", "address?"}, {"FindBar0", "%1/%2"}, {"ToolTip7", "Print"},
                                  {"titlebtn4", "Close"}});
  EXPECT_EQ(pack.LangText[3], QStringLiteral("three"));
  EXPECT_EQ(pack.LangText[4], QStringLiteral("four"));
  EXPECT_EQ(pack.LangText[10], QStringLiteral("ten"));
  EXPECT_EQ(pack.ShortText[10], QStringLiteral("key"));
  EXPECT_EQ(pack.DiffLabel.at(7), QStringLiteral("info"));
  EXPECT_EQ(pack.FrameLabel.at(5), QStringLiteral("wait"));
  EXPECT_EQ(pack.CommandButton.at(2), QStringLiteral("Display"));
  EXPECT_EQ(pack.Commander.at(1), QStringLiteral("Clear"));
  EXPECT_TRUE(pack.Commander.count(2) == 0);
  EXPECT_EQ(pack.AskForm.at(1), QStringLiteral("address?"));
  EXPECT_EQ(pack.FindBar.at(0), QStringLiteral("%1/%2"));
  EXPECT_EQ(pack.ToolTip.at(7), QStringLiteral("Print"));
  EXPECT_EQ(pack.TitleButton.at(4), QStringLiteral("Close"));
}

TEST(LanguagePack, TheIndexTextIsCutOutOfTheKey) {
  // frmlb05: index 5, family "frmlb0"; x1y1: index 11, which it does not
  // contain, so family "x1y1". Neither is a family.
  const LanguagePack pack = Sort({{"frmlb05", "no"}, {"x1y1", "no"}, {"cmdbt0", "Search"}, {"lang", "no digits"},
                                  {"", "empty key"}, {"diflb", "no digits"}, {"1lang", "index first"}});
  EXPECT_TRUE(pack.FrameLabel.empty());
  EXPECT_EQ(pack.CommandButton.at(0), QStringLiteral("Search"));
  EXPECT_EQ(pack.CommandButton.size(), 1u);
  EXPECT_TRUE(pack.DiffLabel.empty());
  EXPECT_EQ(pack.LangText[1], QStringLiteral("index first"));  // "1lang": index 1, family lang
  for (int i = 0; i < LanguagePack::kTexts; ++i) {
    if (i == 1) continue;
    EXPECT_EQ(pack.LangText[static_cast<size_t>(i)], QString()) << i;
  }
}

TEST(LanguagePack, IndicesBeyondTheTablesAreSkipped) {
  const LanguagePack pack = Sort({{"lang11", "x"}, {"short99", "x"}, {"lang99999999999", "x"}, {"cmdbt40", "x"}});
  for (const QString& text : pack.LangText) EXPECT_EQ(text, QString());
  for (const QString& text : pack.ShortText) EXPECT_EQ(text, QString());
  // Caption indices are checked against the window's controls when applied.
  EXPECT_EQ(pack.CommandButton.at(40), QStringLiteral("x"));
}

TEST(LanguagePack, LaterEntriesOverrideEarlierOnes) {
  const LanguagePack pack = Sort({{"cmdbt0", "first"}, {"cmdbt0", "second"}, {"lang1", "a"}, {"LANG1", "b"}});
  EXPECT_EQ(pack.CommandButton.at(0), QStringLiteral("second"));
  EXPECT_EQ(pack.LangText[1], QStringLiteral("b"));
}

TEST(LanguagePack, LangTextOutsideTheTableIsEmpty) {
  settings::Language() = Sort({{"lang0", "zero"}, {"lang10", "ten"}});
  EXPECT_EQ(settings::LangText(0), QStringLiteral("zero"));
  EXPECT_EQ(settings::LangText(10), QStringLiteral("ten"));
  EXPECT_EQ(settings::LangText(-1), QString());
  EXPECT_EQ(settings::LangText(11), QString());
}
