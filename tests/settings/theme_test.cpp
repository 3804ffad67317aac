#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/theme.h"

using namespace lumora::settings;

static const ThemeValues& Parse(QByteArray text, int set = -1) {
  Theme() = ThemeValues();
  const int count = ParseThemeText(text);
  EXPECT_TRUE(text.isEmpty() && (set < 0 || count == set)) << count;
  return Theme();
}

TEST(ThemeText, SetsTheFourteenValuesFromWhole32BitNumbers) {
  // Neither an unknown key nor a colour that is no number counts, nor changes anything.
  const ThemeValues& t = Parse("' classic\r\ntheme_text = Caf\xc3\xa9\r\nTHEME_FONT = Caf\xe9 MS\r\ntheme_icon = 1\r\n"
                               "theme_invert = 2\r\ntheme_invertlight = 3\r\ntheme_high = 4\r\ntheme_highlight = 5\r\n"
                               "theme_light = 6\r\ntheme_shade = 7\r\ntheme_vague = 8\r\ntheme_color = 9\r\n"
                               "theme_shadow = 10\r\ntheme_dark = 11\r\ntheme_pitch = 12\r\ntheme_colour = 13\r\n"
                               "theme_dark = dark grey\r\n", 14);
  const QString text = QString::fromUtf8("Café"), font = QString::fromUtf8("Café MS");  // UTF-8 or ANSI each
  EXPECT_EQ(t, (ThemeValues{text, font, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(Parse("   THEME_PITCH   =   &H80   \r\ntheme_pitch = 99999999999\r\n").theme_pitch, 128);
  EXPECT_EQ(Parse("theme_pitch = 1\r\ntheme_pitch = 2\r\n", 2).theme_pitch, 2);
  EXPECT_EQ(Parse("theme_pitch\t= 5\r\ntheme_pitch = 5", 0).theme_pitch, 0);  // a tab is part of the key; no CR LF
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"-1", -1}, {"+42", 42}, {"&H80", 128}, {"&hff0000", 0xFF0000}, {"&HFFFFFFFF", -1}, {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<int>::min()}, {"2147483648", {}}, {"-2147483649", {}}, {"&H100000000", {}},
      {"12.5", {}}, {"", {}}, {"&H", {}}, {"&HXYZ", {}}, {"-", {}}, {"1-", {}}, {"&H-1", {}}, {"&H+1", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseColour(text), value) << text;
}

// A theme that is not there, or says nothing, leaves the window readable in
// the demo theme's looks; a theme that sets some values keeps the others.
TEST(ThemeConfig, MissingOrEmptyThemeFallsBackToTheBuiltInOne) {
  QTemporaryDir dir;
  const auto folder = [&](const char* name) -> QString { return dir.filePath(QLatin1String(name)) + u'/'; };
  for (const auto& [name, text] : {std::pair{"silent", "theme_dark = dark\r\n"}, {"Classic", "theme_pitch = 3\r\n"}}) {
    QFile file(folder(name) + QStringLiteral("config0.dat"));
    ASSERT_TRUE(QDir().mkpath(folder(name)) && file.open(QIODevice::WriteOnly) && file.write(text) > 0);
  }
  for (const char* name : {"none", "silent"}) {
    Theme() = ThemeValues();
    EXPECT_EQ((std::pair{LoadThemeConfig(folder(name)), Theme()}), std::pair(false, BuiltInTheme())) << name;
  }
  EXPECT_NE(BuiltInTheme(), ThemeValues());  // not black on black
  Theme().theme_dark = 7;
  EXPECT_TRUE(LoadThemeConfig(folder("classic")));  // found ignoring case
  EXPECT_EQ(std::pair(Theme().theme_pitch, Theme().theme_dark), std::pair(3, 7));
}
