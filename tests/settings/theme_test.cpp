#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/theme.h"

using namespace lumora::settings;

namespace {

const ThemeValues& Parse(QByteArray text, int set = -1) {
  Theme() = ThemeValues();
  const int count = ParseThemeText(text);
  EXPECT_TRUE(text.isEmpty());
  EXPECT_TRUE(set < 0 || count == set) << count;
  return Theme();
}

}  // namespace

TEST(ThemeText, SetsTheFourteenValues) {
  // Neither an unknown key nor a colour that is no number counts, nor changes anything.
  const ThemeValues& t = Parse("' classic\r\ntheme_text = Caf\xc3\xa9\r\nTHEME_FONT = Caf\xe9 MS\r\ntheme_icon = 1\r\n"
                               "theme_invert = 2\r\ntheme_invertlight = 3\r\ntheme_high = 4\r\ntheme_highlight = 5\r\n"
                               "theme_light = 6\r\ntheme_shade = 7\r\ntheme_vague = 8\r\ntheme_color = 9\r\n"
                               "theme_shadow = 10\r\ntheme_dark = 11\r\ntheme_pitch = 12\r\ntheme_colour = 13\r\n"
                               "theme_dark = dark grey\r\n", 14);
  EXPECT_EQ(t.theme_text, QString::fromUtf8("Café"));  // each value in UTF-8 or the ANSI code page
  EXPECT_EQ(t.theme_font, QString::fromUtf8("Café MS"));
  EXPECT_EQ((std::vector<int>{t.theme_icon, t.theme_invert, t.theme_invertlight, t.theme_high, t.theme_highlight,
                              t.theme_light, t.theme_shade, t.theme_vague, t.theme_color, t.theme_shadow,
                              t.theme_dark, t.theme_pitch}),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(Parse("   THEME_PITCH   =   &H80   \r\ntheme_pitch = 99999999999\r\n").theme_pitch, 128);
  EXPECT_EQ(Parse("theme_pitch = 1\r\ntheme_pitch = 2\r\n", 2).theme_pitch, 2);
  EXPECT_EQ(Parse("theme_pitch\t= 5\r\ntheme_pitch = 5", 0).theme_pitch, 0);  // a tab is part of the key; no CR LF
}

TEST(ThemeText, ColoursAreWhole32BitNumbers) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"16777215", 16777215}, {"-1", -1}, {"+42", 42}, {"&H80", 128}, {"&hff0000", 0xFF0000},
      {"&HFFFFFFFF", -1}, {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<int>::min()},
      {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"&H100000000", std::nullopt},
      {"12.5", std::nullopt}, {"", std::nullopt}, {"&H", std::nullopt}, {"&HXYZ", std::nullopt},
      {"1 2", std::nullopt}, {"-", std::nullopt}, {"1-", std::nullopt}, {"&H-1", std::nullopt}, {"&H+1", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseColour(text), value) << text;
}

// A theme that is not there, or says nothing, leaves the window readable in
// the demo theme's looks; a theme that sets some values keeps the others.
TEST(ThemeConfig, MissingOrEmptyThemeFallsBackToTheBuiltInOne) {
  QTemporaryDir dir;
  const auto folder = [&](const char* name) -> QString {
    return dir.path() + QLatin1Char('/') + QLatin1String(name) + QLatin1Char('/');
  };
  for (const auto& [name, text] : {std::pair<const char*, QByteArray>{"empty", ""}, {"silent", "theme_dark = dark\r\n"},
                                   {"Classic", "theme_pitch = 3\r\n"}}) {
    QDir().mkpath(folder(name));
    QFile file(folder(name) + QStringLiteral("config0.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  for (const char* name : {"none", "empty", "silent"}) {
    Theme() = ThemeValues();
    EXPECT_FALSE(LoadThemeConfig(folder(name))) << name;
    EXPECT_EQ(Theme(), BuiltInTheme()) << name;
  }
  EXPECT_NE(BuiltInTheme(), ThemeValues());  // not black on black
  Theme() = ThemeValues();
  Theme().theme_dark = 7;
  EXPECT_TRUE(LoadThemeConfig(folder("classic")));  // found ignoring case
  EXPECT_EQ(Theme().theme_pitch, 3);
  EXPECT_EQ(Theme().theme_dark, 7);
}
