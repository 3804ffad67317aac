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
  file.open(QIODevice::WriteOnly);
  file.write(bytes);
  return path;
}

}  // namespace

TEST(SettingsLines, SplitAtTheFirstEqualsSignTrimmingBlanksOnly) {
  EXPECT_EQ(Lines("theme_pitch   =   0\r\n"), (Pairs{{"theme_pitch", "0"}}));
  EXPECT_EQ(Lines("a=b=c\r\n"), (Pairs{{"a", "b=c"}}));
  EXPECT_EQ(Lines("\tkey\t= value\t\r\n"), (Pairs{{"\tkey\t", "value\t"}}));
  EXPECT_EQ(Lines("KEY = Two Words\r\n"), (Pairs{{"KEY", "Two Words"}}));
  EXPECT_EQ(Lines("empty =\r\n"), (Pairs{{"empty", ""}}));
  EXPECT_EQ(Lines("=value\r\n"), (Pairs{{"", "value"}}));
}

TEST(SettingsLines, CommentsShortLinesAndLinesWithoutEqualsAreSkipped) {
  EXPECT_EQ(Lines("'theme_pitch = 1\r\n"
                  "x\r\n"
                  "   y   \r\n"
                  "\r\n"
                  "no equals sign here\r\n"
                  " 'not a comment = 2\r\n"
                  "ok = 3\r\n"),
            (Pairs{{"'not a comment", "2"}, {"ok", "3"}}));
}

TEST(SettingsLines, OnlyLinesEndedByCarriageReturnCount) {
  EXPECT_EQ(Lines("a = 1\r\nb = 2"), (Pairs{{"a", "1"}}));  // the last line lacks CR LF
  EXPECT_EQ(Lines("a = 1\nb = 2\n"), Pairs{});               // LF alone ends no line
  // The character after a CR goes with it, whatever it is.
  EXPECT_EQ(Lines("a = 1\rxb = 2\r\n"), (Pairs{{"a", "1"}, {"b", "2"}}));
  EXPECT_EQ(Lines("a = 1\r"), (Pairs{{"a", "1"}}));
  EXPECT_EQ(Lines(""), Pairs{});
}

TEST(ReadSettingsFile, FillsOneEntryPerLineInFileOrder) {
  QTemporaryDir dir;
  const QString path = Write(dir, QStringLiteral("pack.qlp"),
                             "' pack\r\ndiflb1 = Ask a Question\r\nlang1=one</b>two\r\n\r\n = nameless\r\n"
                             "cmd0 = Send\r\nlang7 = Caf\xE9\r\n");
  content::StringTable table(2);
  table.Set(0, 0, QStringLiteral("old"));
  ASSERT_TRUE(settings::ReadSettingsFile(path, table));
  // The entry with an empty key is written over by the next one.
  ASSERT_EQ(table.Count(), 4);
  EXPECT_EQ(table.At(0, 0), QStringLiteral("diflb1"));
  EXPECT_EQ(table.At(1, 0), QStringLiteral("Ask a Question"));
  EXPECT_EQ(table.At(1, 1), QStringLiteral("one\rtwo"));
  EXPECT_EQ(table.At(0, 2), QStringLiteral("cmd0"));
  EXPECT_EQ(table.At(1, 3), QString::fromUtf8("Café"));  // the ANSI code page, decoded
}

TEST(ReadSettingsFile, PacksInUtf8OrTheAnsiCodePageReadAsWritten) {
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const QString first = QString::fromUtf8("Löschen"), second = QString::fromUtf8("Печать — «Справка»");
  const Case cases[] = {
      {"bom.qlp", "\xef\xbb\xbflang0 = " + first.toUtf8() + "\r\nlang1 = " + second.toUtf8() + "\r\n"},
      {"utf8.qlp", "lang0 = " + first.toUtf8() + "\r\nlang1 = " + second.toUtf8() + "\r\n"},
  };
  QTemporaryDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    content::StringTable table(2);
    ASSERT_TRUE(settings::ReadSettingsFile(Write(dir, QString::fromLatin1(c.name), c.bytes), table));
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.At(0, 0), QStringLiteral("lang0"));  // the mark is no part of the first key
    EXPECT_EQ(table.At(1, 0), first);
    EXPECT_EQ(table.At(1, 1), second);
  }
  // Windows-1252 whose accented letters happen to form no UTF-8 stays 1252.
  content::StringTable table(2);
  ASSERT_TRUE(settings::ReadSettingsFile(Write(dir, QStringLiteral("ansi.qlp"), "lang0 = L\xf6schen \xc9t\xe9\r\n"), table));
  EXPECT_EQ(table.At(1, 0), QString::fromUtf8("Löschen Été"));
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

TEST(ReadSettingsFile, BinaryAndHugeFilesAreReadWithoutHarm) {
  QTemporaryDir dir;
  QByteArray binary;
  for (int i = 0; i < 65536; ++i) binary.append(static_cast<char>((i * 131 + 7) & 0xFF));
  content::StringTable table(2);
  EXPECT_TRUE(settings::ReadSettingsFile(Write(dir, QStringLiteral("binary.qlp"), binary), table));

  // 50 MB of lines: every one is read.
  QByteArray big;
  big.reserve(50 * 1024 * 1024 + 64);
  const QByteArray line = "lang3 = a value of some length to fill the file up well\r\n";
  int lines = 0;
  while (big.size() < 50 * 1024 * 1024) {
    big += line;
    ++lines;
  }
  big += "lang4 = last\r\n";
  ASSERT_TRUE(settings::ReadSettingsFile(Write(dir, QStringLiteral("big.qlp"), big), table));
  EXPECT_EQ(table.Count(), lines + 1);
  EXPECT_EQ(table.At(1, table.LastIndex()), QStringLiteral("last"));
}
