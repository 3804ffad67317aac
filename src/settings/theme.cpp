#include "settings/theme.h"

#include <limits>

#include "core/files.h"
#include "core/text.h"
#include "settings/settings_file.h"

namespace lumora::settings {
namespace {

struct ColourKey {
  const char* key;
  int ThemeValues::*value;
};

constexpr ColourKey kColourKeys[] = {
    {"theme_icon", &ThemeValues::theme_icon},
    {"theme_invert", &ThemeValues::theme_invert},
    {"theme_invertlight", &ThemeValues::theme_invertlight},
    {"theme_high", &ThemeValues::theme_high},
    {"theme_highlight", &ThemeValues::theme_highlight},
    {"theme_light", &ThemeValues::theme_light},
    {"theme_shade", &ThemeValues::theme_shade},
    {"theme_vague", &ThemeValues::theme_vague},
    {"theme_color", &ThemeValues::theme_color},
    {"theme_shadow", &ThemeValues::theme_shadow},
    {"theme_dark", &ThemeValues::theme_dark},
    {"theme_pitch", &ThemeValues::theme_pitch},
};

}  // namespace

std::optional<int> ParseColour(QByteArrayView text) {
  if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    const QByteArrayView digits = text.sliced(2);
    if (digits.size() > 8) return std::nullopt;
    bool ok = false;
    const unsigned value = digits.toByteArray().toUInt(&ok, 16);
    if (!ok || digits.startsWith('+') || digits.startsWith('-')) return std::nullopt;
    return static_cast<int>(value);  // eight hex digits are a signed 32-bit number
  }
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool sign = i == 0 && (c == '-' || c == '+') && text.size() > 1;
    if (!sign && (c < '0' || c > '9')) return std::nullopt;
  }
  bool ok = false;
  const long long value = text.toByteArray().toLongLong(&ok, 10);
  if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

ThemeValues BuiltInTheme() {
  ThemeValues theme;
  theme.theme_text = QStringLiteral("Tahoma");
  theme.theme_font = QStringLiteral("Verdana");
  theme.theme_icon = 0;
  theme.theme_invert = 3186928;
  theme.theme_invertlight = 9228026;
  theme.theme_high = 3186928;
  theme.theme_highlight = 11558186;
  theme.theme_light = 16053492;
  theme.theme_shade = 15261906;
  theme.theme_vague = 16579322;
  theme.theme_color = 11036221;
  theme.theme_shadow = 7368816;
  theme.theme_dark = 6246470;
  theme.theme_pitch = 2105376;
  return theme;
}

bool SetThemeValue(ThemeValues& theme, QByteArrayView key, QByteArrayView value) {
  if (key == "theme_text") {
    theme.theme_text = DecodeSettingsText(value, SettingsTextIsUtf8(value));
    return true;
  }
  if (key == "theme_font") {
    theme.theme_font = DecodeSettingsText(value, SettingsTextIsUtf8(value));
    return true;
  }
  for (const ColourKey& colour : kColourKeys) {
    if (key != colour.key) continue;
    const std::optional<int> parsed = ParseColour(value);
    if (parsed) theme.*colour.value = *parsed;
    return parsed.has_value();
  }
  return false;
}

int ParseThemeText(ThemeValues& theme, QByteArray& text) {
  int set = 0;
  ForEachSettingsLine(text, [&](QByteArrayView key, QByteArrayView value) {
    if (SetThemeValue(theme, core::AnsiLower(key.toByteArray()), value)) ++set;
  });
  text.clear();
  return set;
}

bool LoadThemeConfig(const QString& themeFolder, ThemeValues& theme) {
  QByteArray text = core::ReadWholeFile(themeFolder + QStringLiteral("config0.dat"));
  if (ParseThemeText(theme, text) > 0) return true;
  theme = BuiltInTheme();
  return false;
}

}  // namespace lumora::settings
