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
                            {"titlebtn4", "Close"}, {"cmdbt0", "first"}, {"cmdbt0", "second"}});
  // Later entries override earlier ones.
  EXPECT_EQ(pack.CommandButton, (std::map<int, QString>{{0, QStringLiteral("second")}, {2, QStringLiteral("Display")}}));
  EXPECT_EQ(QString(pack.LangText[3] + pack.LangText[4] + pack.ShortText[10] + pack.DiffLabel.at(7) +
                    pack.FrameLabel.at(5) + pack.Commander.at(1) + pack.AskForm.at(1) + pack.FindBar.at(0) +
                    pack.ToolTip.at(7) + pack.TitleButton.at(4)),
            QStringLiteral("threefourkeyinfowaitClearaddress?%1/%2PrintClose"));
  settings::Language() = pack;
  EXPECT_EQ(settings::LangText(10), QStringLiteral("ten"));
  EXPECT_EQ(settings::LangText(-1) + settings::LangText(11), QString());  // outside the table
  // frmlb05: index 5, family "frmlb0"; x1y1: index 11, which it does not contain, so family "x1y1"; "1lang": index 1,
  // family lang. Texts beyond lang10/short10 are skipped; captions are checked against the controls when applied.
  pack = Sort({{"frmlb05", "x"}, {"x1y1", "x"}, {"lang", "x"}, {"", "x"}, {"diflb", "x"}, {"1lang", "first"},
               {"lang11", "x"}, {"short99", "x"}, {"lang99999999999", "x"}, {"cmdbt40", "forty"}});
  EXPECT_TRUE(pack.FrameLabel.empty() && pack.DiffLabel.empty());
  EXPECT_EQ(pack.CommandButton, (std::map<int, QString>{{40, QStringLiteral("forty")}}));
  decltype(pack.LangText) lang, shortTexts;
  lang[1] = QStringLiteral("first");
  EXPECT_EQ(std::pair(pack.LangText, pack.ShortText), std::pair(lang, shortTexts));
}
