#include "settings/settings_file.h"

#include <algorithm>

#include "core/utf8.h"
#include "core/files.h"
#include "core/text.h"

namespace lumora::settings {
namespace {

QByteArrayView TrimBlanks(QByteArrayView text) {
  while (!text.isEmpty() && text.front() == ' ') text = text.sliced(1);
  while (!text.isEmpty() && text.back() == ' ') text.chop(1);
  return text;
}

}  // namespace

bool SettingsTextIsUtf8(QByteArrayView text) {
  const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return !ascii && core::IsValidUtf8(text);
}

QString DecodeSettingsText(QByteArrayView text, bool utf8) {
  return utf8 ? QString::fromUtf8(text) : core::FromAnsi(text);
}

void ForEachSettingsLine(QByteArrayView text,
                         const std::function<void(QByteArrayView key, QByteArrayView value)>& handle) {
  if (text.startsWith("\xef\xbb\xbf")) text = text.sliced(3);  // a UTF-8 byte-order mark
  while (!text.isEmpty()) {
    const qsizetype cr = text.indexOf('\r');
    if (cr < 0) return;
    const QByteArrayView line = text.first(cr);
    text = text.sliced(std::min(cr + 2, text.size()));
    if (line.startsWith('\'') || TrimBlanks(line).size() < 2) continue;
    const qsizetype equals = line.indexOf('=');
    if (equals < 0) continue;
    handle(TrimBlanks(line.first(equals)), TrimBlanks(line.sliced(equals + 1)));
  }
}

void ReadSettingsText(QByteArrayView text, core::StringTable& table) {
  const bool utf8 = SettingsTextIsUtf8(text);
  ForEachSettingsLine(text, [&table, utf8](QByteArrayView key, QByteArrayView value) {
    QByteArray shown = value.toByteArray();
    shown.replace("</b>", "\r");
    const int entry = table.Grow();
    table.Set(0, entry, DecodeSettingsText(key, utf8));
    table.Set(1, entry, DecodeSettingsText(shown, utf8));
  });
}

bool ReadSettingsFile(const QString& path, core::StringTable& table) {
  if (!core::FileIsUsable(path)) return false;
  table.Reset();
  ReadSettingsText(core::ReadWholeFile(path), table);
  return true;
}

}  // namespace lumora::settings
