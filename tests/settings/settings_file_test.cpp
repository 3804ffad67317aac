#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "settings/language_pack.h"
#include "settings/settings_file.h"

using namespace lumora;
using settings::LanguagePack;

using Pairs = std::vector<std::pair<std::string, std::string>>;

static Pairs Lines(QByteArrayView text) {
  Pairs pairs;
  settings::ForEachSettingsLine(text, [&pairs](QByteArrayView key, QByteArrayView value) {
    pairs.emplace_back(key.toByteArray().toStdString(), value.toByteArray().toStdString());
  });
  return pairs;
}

TEST(SettingsLines, SplitAtTheFirstEqualsSignTrimmingBlanksOnly) {
  EXPECT_EQ(Lines("theme_pitch   =   0\r\na=b=c\r\n\tkey\t= value\t\r\nempty =\r\n=value\r\n"),
            (Pairs{{"theme_pitch", "0"}, {"a", "b=c"}, {"\tkey\t", "value\t"}, {"empty", ""}, {"", "value"}}));
  // Comments, lines of fewer than two characters and lines without "=" are skipped.
  EXPECT_EQ(Lines("'theme_pitch = 1\r\nx\r\n   y   \r\n\r\nno equals sign here\r\n 'not a comment = 2\r\nok = 3\r"),
            (Pairs{{"'not a comment", "2"}, {"ok", "3"}}));
  // Only a CR ends a line (the last one too), and the character after it goes with it, whatever it is.
  EXPECT_EQ(Lines("a = 1\rxb = 2\r\nc = 3\nd = 4\n"), (Pairs{{"a", "1"}, {"b", "2"}}));
}

TEST(ReadSettingsFile, FillsOneEntryPerLineInFileOrderDecodedAsWritten) {
  QTemporaryDir dir;
  const QString second = QString::fromUtf8("Печать — «Справка»");
  const std::pair<QByteArray, QString> cases[] = {  // the file, its lang1; a nameless entry is written over
      {"\xef\xbb\xbf" "lang0 = L\xc3\xb6schen\r\n = nameless\r\nlang1=one</b>" + second.toUtf8() + "\r\n",
       QStringLiteral("one\r") + second},
      // Windows-1252 whose accented letters happen to form no UTF-8 stays 1252.
      {"' pack\r\nlang0 = L\xf6schen\r\nlang1 = \xc9t\xe9\r\n", QString::fromUtf8("Été")}};
  const QString pack = dir.filePath(QStringLiteral("pack.qlp"));
  content::StringTable table(2);
  table.Set(0, 0, QStringLiteral("old"));
  for (const auto& [bytes, lang1] : cases) {
    QFile file(pack);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
    ASSERT_TRUE(settings::ReadSettingsFile(pack, table));
    QStringList entries;
    for (int i = 0; i < table.Count(); ++i) entries += table.At(0, i) + u'=' + table.At(1, i);
    EXPECT_EQ(entries, (QStringList{QString::fromUtf8("lang0=Löschen"), QStringLiteral("lang1=") + lang1}));
  }
  QFile(pack).resize(0);  // missing, empty or a folder: the table is left alone
  for (const QString& path : {dir.filePath(QStringLiteral("none.qlp")), pack, dir.path()})
    EXPECT_FALSE(settings::ReadSettingsFile(path, table)) << path.toStdString();
  EXPECT_EQ(table.At(1, 1), QString::fromUtf8("Été"));
}

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
