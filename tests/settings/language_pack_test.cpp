#include <gtest/gtest.h>

#include "settings/language_pack.h"

using namespace lumora;
using settings::LanguagePack;

static LanguagePack Sort(std::initializer_list<std::pair<const char*, const char*>> entries) {
  content::StringTable table(2);
  for (const auto& [key, value] : entries) {
    table.Set(0, table.Append(), QString::fromLatin1(key));
    table.Set(1, table.LastIndex(), QString::fromLatin1(value));
  }
  return settings::SortLanguageEntries(table);
}

TEST(LanguagePack, FamiliesAreMatchedIgnoringCaseWithTheIndexCutOutOfTheKey) {
  LanguagePack pack = Sort({{"lang3", "three"}, {"LANG4", "four"}, {"Short10", "key"}, {"diflb7", "info"},
                            {"frmlb5", "wait"}, {"CmdBt2", "Display"}, {"cmd1", "Clear"}, {"lang10", "ten"},
                            {"AskForm1", "address?"}, {"FindBar0", "%1/%2"}, {"ToolTip7", "Print"},
                            {"titlebtn4", "Close"}, {"cmdbt0", "first"}, {"cmdbt0", "second"}});  // the later wins
  EXPECT_EQ(pack.CommandButton, (std::map<int, QString>{{0, QStringLiteral("second")}, {2, QStringLiteral("Display")}}));
  EXPECT_EQ(QString(pack.LangText[3] + pack.LangText[4] + pack.ShortText[10] + pack.DiffLabel.at(7) +
                    pack.FrameLabel.at(5) + pack.Commander.at(1) + pack.AskForm.at(1) + pack.FindBar.at(0) +
                    pack.ToolTip.at(7) + pack.TitleButton.at(4)),
            QStringLiteral("threefourkeyinfowaitClearaddress?%1/%2PrintClose"));
  settings::Language() = pack;
  EXPECT_EQ(settings::LangText(-1) + settings::LangText(10) + settings::LangText(11), QStringLiteral("ten"));
  // frmlb05 is 5 of "frmlb0"; x1y1 stays "x1y1" (no "11" to cut); "1lang" is lang1. Only lang0..10 and
  // short0..10 are kept; captions are checked against the controls when applied.
  pack = Sort({{"frmlb05", "x"}, {"x1y1", "x"}, {"lang", "x"}, {"", "x"}, {"diflb", "x"}, {"1lang", "first"},
               {"lang11", "x"}, {"short99", "x"}, {"lang99999999999", "x"}, {"cmdbt40", "forty"}});
  EXPECT_TRUE(pack.FrameLabel.empty() && pack.DiffLabel.empty());
  EXPECT_EQ(pack.CommandButton, (std::map<int, QString>{{40, QStringLiteral("forty")}}));
  using Texts = decltype(pack.LangText);
  EXPECT_EQ(std::pair(pack.LangText, pack.ShortText), std::pair(Texts{QString(), QStringLiteral("first")}, Texts{}));
}
