#include "settings/settings_file.h"

#include "content/text_helpers.h"
#include "platform/files.h"
#include "platform/text.h"

namespace lumora::settings {
namespace {

QByteArrayView TrimBlanks(QByteArrayView text) {
  while (!text.isEmpty() && text.front() == ' ') text = text.sliced(1);
  while (!text.isEmpty() && text.back() == ' ') text.chop(1);
  return text;
}

}  // namespace

void ForEachSettingsLine(QByteArrayView text,
                         const std::function<void(QByteArrayView key, QByteArrayView value)>& handle) {
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

bool ReadSettingsFile(const QString& path, content::StringTable& table) {
  if (!platform::FileIsUsable(path)) return false;
  table.Reset();
  const QByteArray text = content::ReadWholeFile(path);
  ForEachSettingsLine(text, [&table](QByteArrayView key, QByteArrayView value) {
    QByteArray shown = value.toByteArray();
    shown.replace("</b>", "\r");
    const int entry = table.Grow();
    table.Set(0, entry, platform::FromAnsi(key));
    table.Set(1, entry, platform::FromAnsi(shown));
  });
  return true;
}

}  // namespace lumora::settings
