#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "settings/settings_file.h"

using namespace lumora;

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs Lines(QByteArrayView text) {
  Pairs pairs;
  settings::ForEachSettingsLine(text, [&pairs](QByteArrayView key, QByteArrayView value) {
    pairs.emplace_back(key.toByteArray().toStdString(), value.toByteArray().toStdString());
  });
  return pairs;
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.path() + QLatin1Char('/') + name;
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

}  // namespace

TEST(SettingsLines, SplitAtTheFirstEqualsSignTrimmingBlanksOnly) {
  EXPECT_EQ(Lines("theme_pitch   =   0\r\na=b=c\r\n\tkey\t= value\t\r\nempty =\r\n=value\r\n"),
            (Pairs{{"theme_pitch", "0"}, {"a", "b=c"}, {"\tkey\t", "value\t"}, {"empty", ""}, {"", "value"}}));
  // Comments, lines of fewer than two characters and lines without "=" are skipped.
  EXPECT_EQ(Lines("'theme_pitch = 1\r\nx\r\n   y   \r\n\r\nno equals sign here\r\n 'not a comment = 2\r\nok = 3\r\n"),
            (Pairs{{"'not a comment", "2"}, {"ok", "3"}}));
}

TEST(SettingsLines, OnlyLinesEndedByCarriageReturnCount) {
  EXPECT_EQ(Lines("a = 1\r\nb = 2"), (Pairs{{"a", "1"}}));  // the last line lacks CR LF
  EXPECT_EQ(Lines("a = 1\nb = 2\n"), Pairs{});               // LF alone ends no line
  // The character after a CR goes with it, whatever it is.
  EXPECT_EQ(Lines("a = 1\rxb = 2\r\n"), (Pairs{{"a", "1"}, {"b", "2"}}));
  EXPECT_EQ(Lines("a = 1\r"), (Pairs{{"a", "1"}}));
}

TEST(ReadSettingsFile, FillsOneEntryPerLineInFileOrderDecodedAsWritten) {
  QTemporaryDir dir;
  const QString first = QString::fromUtf8("Löschen"), second = QString::fromUtf8("Печать — «Справка»");
  const struct {
    const char* name;
    QByteArray bytes;
    QString lang1;
  } cases[] = {
      {"bom.qlp", "\xef\xbb\xbf" "lang0 = " + first.toUtf8() + "\r\nlang1 = " + second.toUtf8() + "\r\n", second},
      {"utf8.qlp", "lang0 = " + first.toUtf8() + "\r\n = nameless\r\nlang1=one</b>" + second.toUtf8() + "\r\n",
       QStringLiteral("one\r") + second},
      // Windows-1252 whose accented letters happen to form no UTF-8 stays 1252.
      {"ansi.qlp", "' pack\r\nlang0 = L\xf6schen\r\nlang1 = \xc9t\xe9\r\n", QString::fromUtf8("Été")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    content::StringTable table(2);
    table.Set(0, 0, QStringLiteral("old"));
    ASSERT_TRUE(settings::ReadSettingsFile(Write(dir, QString::fromLatin1(c.name), c.bytes), table));
    // The entry with an empty key is written over by the next one.
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.At(0, 0), QStringLiteral("lang0"));  // a mark is no part of the first key
    EXPECT_EQ(table.At(1, 0), first);
    EXPECT_EQ(table.At(0, 1), QStringLiteral("lang1"));
    EXPECT_EQ(table.At(1, 1), c.lang1);
  }
}

TEST(ReadSettingsFile, MissingOrEmptyFilesLeaveTheTableAlone) {
  QTemporaryDir dir;
  content::StringTable table(2);
  table.Set(0, 0, QStringLiteral("kept"));
  EXPECT_FALSE(settings::ReadSettingsFile(dir.path() + QStringLiteral("/none.qlp"), table));
  EXPECT_FALSE(settings::ReadSettingsFile(Write(dir, QStringLiteral("empty.qlp"), ""), table));
  EXPECT_FALSE(settings::ReadSettingsFile(dir.path(), table));
  EXPECT_EQ(table.At(0, 0), QStringLiteral("kept"));
}
