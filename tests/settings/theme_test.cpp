#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/theme.h"

using namespace lumora::settings;

namespace {

ThemeValues Parse(QByteArray text) {
  Theme() = ThemeValues();
  ParseThemeText(text);
  EXPECT_TRUE(text.isEmpty());
  return Theme();
}

}  // namespace

TEST(ThemeText, SetsTheFourteenValues) {
  const ThemeValues theme = Parse(
      "' classic\r\n"
      "theme_text = Tahoma\r\ntheme_font = Trebuchet MS\r\ntheme_icon = 1\r\ntheme_invert = 2\r\n"
      "theme_invertlight = 3\r\ntheme_high = 4\r\ntheme_highlight = 5\r\ntheme_light = 6\r\n"
      "theme_shade = 7\r\ntheme_vague = 8\r\ntheme_color = 9\r\ntheme_shadow = 10\r\n"
      "theme_dark = 11\r\ntheme_pitch = 12\r\n");
  EXPECT_EQ(theme.theme_text, QStringLiteral("Tahoma"));
  EXPECT_EQ(theme.theme_font, QStringLiteral("Trebuchet MS"));
  const int colours[] = {theme.theme_icon,  theme.theme_invert, theme.theme_invertlight, theme.theme_high,
                         theme.theme_highlight, theme.theme_light, theme.theme_shade, theme.theme_vague,
                         theme.theme_color, theme.theme_shadow, theme.theme_dark, theme.theme_pitch};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(colours[i], i + 1);
}

TEST(ThemeText, KeysAreComparedInLowerCaseAndTheLastOneWins) {
  EXPECT_EQ(Parse("   THEME_PITCH   =   &H80   \r\n").theme_pitch, 128);
  EXPECT_EQ(Parse("theme_pitch = 1\r\ntheme_pitch = 2\r\n").theme_pitch, 2);
  EXPECT_EQ(Parse("'theme_pitch = 5\r\n").theme_pitch, 0);
  EXPECT_EQ(Parse("theme_pitch = 5").theme_pitch, 0);      // no CR LF at the end
  EXPECT_EQ(Parse("theme_pitch = 5\n").theme_pitch, 0);    // LF alone
  EXPECT_EQ(Parse("theme_pitch\t= 5\r\n").theme_pitch, 0);  // a tab is part of the key
  EXPECT_EQ(Parse("theme_colour = 5\r\n").theme_color, 0);  // unknown key
}

TEST(ThemeText, ColoursAreWhole32BitNumbers) {
  const struct {
    const char* text;
    std::optional<int> value;
  } cases[] = {
      {"16777215", 16777215}, {"255", 255},         {"-1", -1},          {"+42", 42},
      {"&H80", 128},          {"&hff0000", 0xFF0000}, {"&HFFFFFFFF", -1}, {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<int>::min()},
      {"2147483648", std::nullopt}, {"&H100000000", std::nullopt}, {"12.5", std::nullopt},
      {"red", std::nullopt},        {"", std::nullopt},            {"&H", std::nullopt},
      {"&HXYZ", std::nullopt},      {"1 2", std::nullopt},         {"-", std::nullopt},
      {"&H-1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseColour(c.text), c.value);
  }
}

TEST(ThemeText, AColourThatIsNoNumberKeepsThePreviousValue) {
  const ThemeValues theme = Parse("theme_dark = 100\r\ntheme_dark = dark grey\r\ntheme_light = 99999999999\r\n");
  EXPECT_EQ(theme.theme_dark, 100);
  EXPECT_EQ(theme.theme_light, 0);
}

// A theme that is not there, or says nothing, leaves the window readable in
// the demo theme's looks; a theme that sets some values keeps the others.
TEST(ThemeConfig, MissingOrEmptyThemeFallsBackToTheBuiltInOne) {
  QTemporaryDir dir;
  const auto writeConfig = [&](const char* folder, const QByteArray& text) {
    QDir().mkpath(dir.path() + QLatin1Char('/') + QLatin1String(folder));
    QFile file(dir.path() + QLatin1Char('/') + QLatin1String(folder) + QStringLiteral("/config0.dat"));
    file.open(QIODevice::WriteOnly);
    file.write(text);
  };
  writeConfig("empty", "");
  writeConfig("silent", "' only a comment\r\ntheme_colour = 5\r\ntheme_dark = dark\r\n");
  writeConfig("Classic", "theme_pitch = 3\r\n");
  for (const char* folder : {"none", "empty", "silent"}) {
    SCOPED_TRACE(folder);
    Theme() = ThemeValues();
    EXPECT_FALSE(LoadThemeConfig(dir.path() + QLatin1Char('/') + QLatin1String(folder) + QLatin1Char('/')));
    EXPECT_EQ(Theme(), BuiltInTheme());
  }

  Theme() = ThemeValues();
  Theme().theme_dark = 7;
  EXPECT_TRUE(LoadThemeConfig(dir.path() + QStringLiteral("/classic/")));  // found ignoring case
  EXPECT_EQ(Theme().theme_pitch, 3);
  EXPECT_EQ(Theme().theme_dark, 7);
}
