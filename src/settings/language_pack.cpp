#include "settings/language_pack.h"

#include <QFileInfo>

#include "core/text.h"
#include "settings/settings_file.h"

namespace lumora::settings {
namespace {

// The index and family of a key; false for a key without a usable index.
bool SplitKey(const QString& key, int& index, QString& family) {
  const QString digits = core::DigitsOnly(key);
  for (QChar c : digits)
    if (!c.isDigit()) return false;  // control characters inside the key
  bool ok = false;
  index = digits.toInt(&ok);
  if (!ok) return false;
  family = core::AnsiLower(QString(key).remove(QString::number(index)));
  return true;
}

}  // namespace

LanguagePack SortLanguageEntries(const core::StringTable& entries) {
  LanguagePack pack;
  for (int i = 0; i < entries.Count(); ++i) {
    int index = 0;
    QString family;
    if (!SplitKey(entries.At(0, i), index, family)) continue;
    const QString value = entries.At(1, i);
    const bool text = index >= 0 && index < LanguagePack::kTexts;
    if (family == QLatin1String("lang")) {
      if (text) pack.LangText[static_cast<size_t>(index)] = value;
    } else if (family == QLatin1String("short")) {
      if (text) pack.ShortText[static_cast<size_t>(index)] = value;
    } else if (family == QLatin1String("diflb")) {
      pack.DiffLabel[index] = value;
    } else if (family == QLatin1String("frmlb")) {
      pack.FrameLabel[index] = value;
    } else if (family == QLatin1String("cmdbt")) {
      pack.CommandButton[index] = value;
    } else if (family == QLatin1String("cmd")) {
      pack.Commander[index] = value;
    } else if (family == QLatin1String("askform")) {
      pack.AskForm[index] = value;
    } else if (family == QLatin1String("findbar")) {
      pack.FindBar[index] = value;
    } else if (family == QLatin1String("tooltip")) {
      pack.ToolTip[index] = value;
    } else if (family == QLatin1String("titlebtn")) {
      pack.TitleButton[index] = value;
    } else if (family == QLatin1String("status")) {
      pack.Status[index] = value;
    } else if (family == QLatin1String("bookmark")) {
      pack.Bookmark[index] = value;
    }
  }
  return pack;
}

LanguagePack ReadLanguagePack(const QString& path) {
  core::StringTable entries(2);
  if (!ReadSettingsFile(path, entries)) return {};
  return SortLanguageEntries(entries);
}

QString LanguagePack::Lang(int index) const {
  if (index < 0 || index >= kTexts) return {};
  return LangText[static_cast<size_t>(index)];
}

QString TextOr(const std::map<int, QString>& family, int index, std::span<const char* const> english) {
  const auto found = family.find(index);
  if (found != family.end() && !found->second.isEmpty()) return found->second;
  return index >= 0 && static_cast<size_t>(index) < english.size() ? QString::fromUtf8(english[static_cast<size_t>(index)])
                                                                   : QString();
}

}  // namespace lumora::settings
