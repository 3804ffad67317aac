#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <set>

#include "settings/platform_facts.h"
#include "settings/theme.h"
#include "settings/theme_images.h"
#include "settings/user_settings.h"

using namespace lumora;
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

// A folder with pictures but no settings is no theme. Pictures are read by content whatever the extension;
// the disabled toolbar list has the sixteen VGA colours.
TEST(InstalledThemes, GoRoundInNameOrderAndEachPictureListStopsAtTheFirstMissingOrEmptyFile) {
  QTemporaryDir dir;
  ComputePlatformFacts({}, dir.path() + QStringLiteral("/share/lumora"), dir.path() + QStringLiteral("/share"), 0);
  const QString root = dir.path() + QStringLiteral("/share/quillmark/engine001/");
  const QString theme = root + QStringLiteral("blue/resource");
  const QString data = dir.path() + QStringLiteral("/share/lumora/data/resource");
  ASSERT_TRUE(QDir().mkpath(theme) && QDir().mkpath(data));
  for (const QString& name : {QStringLiteral("night"), QStringLiteral("Classic")})
    ASSERT_TRUE(QDir().mkpath(root + name) && QFile(root + name + QStringLiteral("/config0.dat")).open(QIODevice::WriteOnly));
  const QStringList installed = InstalledThemes();
  EXPECT_EQ(installed, (QStringList{QStringLiteral("Classic"), QStringLiteral("night")}));
  const auto next = [&](const QStringList& themes, const char* current) {
    return NextTheme(themes, QString::fromLatin1(current)).toStdString();
  };
  EXPECT_EQ((std::vector{next(installed, "Classic/"), next(installed, "night"), next(installed, "gone"),
                         next({}, "only\\")}), (std::vector<std::string>{"night", "Classic", "Classic", "only"}));
  SetUserTheme(QStringLiteral("night/"));
  EXPECT_EQ(UserTheme(), QStringLiteral("night"));

  const auto picture = [](const QString& path, QColor colour, const char* format) {
    QImage image(64, 64, QImage::Format_RGB32);
    for (int at = 0; at < 64 * 64; ++at) image.setPixelColor(at % 64, at / 64, colour.lighter(100 + at % 64));
    ASSERT_TRUE(image.save(path, format));
  };
  for (const auto& [name, colour, format] :
       {std::tuple{"0", Qt::green, "ICO"}, {"1", Qt::red, "JPEG"}, {"3", Qt::red, "PNG"}, {"a1", Qt::red, "PNG"},
        {"b0", Qt::blue, "BMP"}}) picture(theme + QLatin1String(name) + QStringLiteral(".dat"), colour, format);
  QFile(theme + QStringLiteral("a0.dat")).open(QIODevice::WriteOnly);  // empty
  for (int k = 0; k <= 100; ++k) QFile::copy(theme + QStringLiteral("b0.dat"), data + QStringLiteral("%1.dat").arg(k));
  QString name = QStringLiteral("blue");
  LoadThemeImages(name);
  const auto list = [](int n) { return PictureLoader(n); };
  EXPECT_EQ((std::vector{list(0).Count(), list(1).Count(), list(2).Count(), list(3).Count(), list(4).Count()}),
            (std::vector{0, 1, 2, 100, 100}));  // up to a hundred each
  EXPECT_EQ(list(2).Item(1).toImage().pixelColor(0, 0), QColor(Qt::green));
  EXPECT_EQ(list(3).Item(1).toImage(), list(1).Item(1).toImage());
  std::set<QRgb> reduced;
  for (int at = 0; at < 64 * 64; ++at) reduced.insert(list(4).Item(1).toImage().pixel(at % 64, at / 64));
  EXPECT_TRUE(reduced.size() > 1 && reduced.size() <= 16) << reduced.size();

  QFile::remove(data + QStringLiteral("0.dat"));
  LoadThemeImages(name);  // starts from empty lists
  EXPECT_EQ(list(3).Count(), 0);
}
