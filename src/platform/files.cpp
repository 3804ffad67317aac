#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/text.h"

namespace lumora::platform {
namespace {

bool Exists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

// The entry of folder whose name equals name ignoring case; the first in
// name order when several do, so the choice is stable.
QString MatchEntry(const QString& folder, const QString& name) {
  const QString wanted = AnsiLower(name);
  const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
  const QStringList entries =
      dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& entry : entries)
    if (AnsiLower(entry) == wanted) return entry;
  return {};
}

}  // namespace

QString ResolvePath(const QString& path) {
  if (path.isEmpty() || Exists(path)) return path;
  const QStringList parts = path.split(QLatin1Char('/'));
  QString resolved;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    const bool last = i == parts.size() - 1;
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
      resolved += part;
    } else if (Exists(resolved + part)) {
      resolved += part;
    } else {
      const QString match = MatchEntry(resolved, part);
      if (match.isEmpty()) return path;
      resolved += match;
    }
    if (!last) resolved += QLatin1Char('/');
  }
  return resolved;
}

bool FileIsUsable(const QString& path) {
  const QString real = ResolvePath(path);
  if (!QFileInfo(real).isFile()) return false;
  QFile file(real);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return file.size() > 0;
}

}  // namespace lumora::platform
