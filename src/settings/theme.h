#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace lumora::settings {

// The fourteen values of a theme: two font names and twelve colours
// (0x00BBGGRR). Every skinned control is drawn with them.
struct ThemeValues {
  QString theme_text;
  QString theme_font;
  int theme_icon = 0;
  int theme_invert = 0;
  int theme_invertlight = 0;
  int theme_high = 0;
  int theme_highlight = 0;
  int theme_light = 0;
  int theme_shade = 0;
  int theme_vague = 0;
  int theme_color = 0;
  int theme_shadow = 0;
  int theme_dark = 0;
  int theme_pitch = 0;

  bool operator==(const ThemeValues&) const = default;
};

// The demo theme's fonts and colours, built in for a window whose theme is
// missing: it stays readable instead of black on black.
ThemeValues BuiltInTheme();

// A whole number within 32 bits, decimal with an optional sign or "&H"
// hexadecimal ("&H80" is 128, "&HFFFFFFFF" is -1); nothing otherwise.
std::optional<int> ParseColour(QByteArrayView text);

// Assigns one value of the theme; the key is compared as given (lower
// case). Unknown keys and colours that are not whole 32-bit numbers change
// nothing and give false.
bool SetThemeValue(ThemeValues& theme, QByteArrayView key, QByteArrayView value);

// Parses the theme file's text line by line into the theme, emptying the
// text as it goes; returns how many values it set.
int ParseThemeText(ThemeValues& theme, QByteArray& text);

// Reads config0.dat of the theme folder into the theme: values the file
// does not set stay as they were. When there is no such file, or it sets no
// value, the theme becomes BuiltInTheme() and the result is false.
bool LoadThemeConfig(const QString& themeFolder, ThemeValues& theme);

}  // namespace lumora::settings
