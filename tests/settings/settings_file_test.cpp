#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "settings/settings_file.h"

using namespace lumora;

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
