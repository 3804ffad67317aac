#include <optional>

#include "fuzz.h"
#include "settings/settings_file.h"
#include "settings/theme.h"

using namespace lumora::settings;

FUZZ_TARGET(bytes) {
  int lines = 0;
  ForEachSettingsLine(bytes, [&lines](QByteArrayView key, QByteArrayView value) {
    ++lines;
    FUZZ_CHECK(!key.contains('=') && !key.contains('\r') && !value.contains('\r'));
    for (const QByteArrayView part : {key, value}) FUZZ_CHECK(!part.startsWith(' ') && !part.endsWith(' '));
    if (const std::optional<int> colour = ParseColour(value)) {  // a colour reads the same written back either way
      FUZZ_CHECK(ParseColour(QByteArray::number(*colour)) == colour);
      FUZZ_CHECK(ParseColour(QByteArray("&H" + QByteArray::number(static_cast<unsigned>(*colour), 16))) == colour);
    }
  });
  QByteArray text = bytes.toByteArray();
  ThemeValues theme;
  FUZZ_CHECK(ParseThemeText(theme, text) <= lines && text.isEmpty());
}
