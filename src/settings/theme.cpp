#include "settings/theme.h"

#include <limits>

#include "content/text_helpers.h"
#include "platform/text.h"
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

ThemeValues& Theme() {
  static ThemeValues values;
  return values;
}

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

void SetThemeValue(QByteArrayView key, QByteArrayView value) {
  ThemeValues& theme = Theme();
  if (key == "theme_text") {
    theme.theme_text = DecodeSettingsText(value, SettingsTextIsUtf8(value));
    return;
  }
  if (key == "theme_font") {
    theme.theme_font = DecodeSettingsText(value, SettingsTextIsUtf8(value));
    return;
  }
  for (const ColourKey& colour : kColourKeys) {
    if (key != colour.key) continue;
    if (const std::optional<int> parsed = ParseColour(value)) theme.*colour.value = *parsed;
    return;
  }
}

void ParseThemeText(QByteArray& text) {
  ForEachSettingsLine(text, [](QByteArrayView key, QByteArrayView value) {
    SetThemeValue(platform::AnsiLower(key.toByteArray()), value);
  });
  text.clear();
}

void LoadThemeConfig(const QString& themeFolder) {
  QByteArray text = content::ReadWholeFile(themeFolder + QStringLiteral("config0.dat"));
  ParseThemeText(text);
}

}  // namespace lumora::settings
