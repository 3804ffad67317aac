#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>

#include "platform/folders.h"
#include "platform/registry.h"

// The registry store on systems without a registry: an INI file whose section
// path is the subkey, for example
//   [SOFTWARE\Quillmark%20Software]
//   CurrentTheme=classic
namespace lumora::platform {
namespace {

QString GroupOf(const QString& subKey) {
  QString group = subKey;
  group.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (group.endsWith(QLatin1Char('/'))) group.chop(1);
  return group;
}

// The stored spelling of key, found ignoring case; empty when absent.
QString FindKey(const QStringList& keys, const QString& key) {
  for (const QString& k : keys)
    if (k.compare(key, Qt::CaseInsensitive) == 0) return k;
  return {};
}

bool KeyExists(const QStringList& keys, const QString& group) {
  const QString prefix = group + QLatin1Char('/');
  for (const QString& k : keys)
    if (k.startsWith(prefix, Qt::CaseInsensitive)) return true;
  return false;
}

// A section or key name as QSettings reads it: %XX escapes decoded and "\"
// taken as the group separator.
QString UnescapedName(QByteArrayView raw) {
  QByteArray bytes = QByteArray::fromPercentEncoding(raw.trimmed().toByteArray());
  bytes.replace('\\', '/');
  return QString::fromUtf8(bytes);
}

bool IsPlainByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '.' ||
         c == '-' || c == '_' || c == ':' || c == '/';
}

// A value in the form QSettings reads back unchanged: plain when it is safe,
// otherwise quoted with backslash escapes. Control characters other than tab
// and line breaks have no place in a registry text and are dropped.
QByteArray EscapedValue(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const bool plain = !utf8.isEmpty() && utf8.front() != ' ' && utf8.back() != ' ' &&
                     std::all_of(utf8.begin(), utf8.end(), IsPlainByte);
  if (plain) return utf8;
  // QSettings reads a leading "@" as the start of a typed value; "@@" is a plain "@".
  QByteArray quoted = utf8.startsWith('@') ? "\"@" : "\"";
  for (char c : utf8) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\t': quoted += "\\t"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) quoted += c;
    }
  }
  return quoted + '"';
}

// The file text with name=value set in the section of group, every other line
// kept as it stands (comments included). Empty when the section is absent.
QByteArray WithValue(const QByteArray& content, const QString& group, const QString& name, const QString& text) {
  const QByteArray eol = content.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
  QList<QByteArray> lines = content.split('\n');
  for (QByteArray& line : lines)
    if (line.endsWith('\r')) line.chop(1);
  const QByteArray newLine = name.toUtf8() + '=' + EscapedValue(text);

  qsizetype section = -1;
  qsizetype lastInSection = -1;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QByteArray trimmed = lines[i].trimmed();
    if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
      if (section >= 0) break;
      if (UnescapedName(QByteArrayView(trimmed).sliced(1, trimmed.size() - 2)).compare(group, Qt::CaseInsensitive) == 0)
        section = lastInSection = i;
      continue;
    }
    if (section < 0) continue;
    if (!trimmed.isEmpty()) lastInSection = i;
    const qsizetype equals = trimmed.indexOf('=');
    if (equals > 0 && !trimmed.startsWith(';') &&
        UnescapedName(QByteArrayView(trimmed).first(equals)).compare(name, Qt::CaseInsensitive) == 0) {
      lines[i] = trimmed.first(equals).trimmed() + '=' + EscapedValue(text);
      return lines.join(eol);
    }
  }
  if (section < 0) return {};
  lines.insert(lastInSection + 1, newLine);
  return lines.join(eol);
}

QString AsText(const QVariant& value) {
  // A value with an unquoted comma comes back as a list; put it together again.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", "));
  return value.toString();
}

}  // namespace

RegistryRoot LocalMachine() { return RegistryRoot{RegistryStorePath()}; }

QString RegReadText(const RegistryRoot& root, const QString& subKey, const QString& valueName) {
  const QFileInfo info(root.storeFile);
  if (!info.isFile() || !info.isReadable()) return {};
  const QSettings store(root.storeFile, QSettings::IniFormat);
  if (store.status() != QSettings::NoError) return {};
  const QString key = FindKey(store.allKeys(), GroupOf(subKey) + QLatin1Char('/') + valueName);
  if (key.isEmpty()) return {};
  QString text = AsText(store.value(key));
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  if (nul >= 0) text.truncate(nul);
  return text;
}

void RegWriteText(const RegistryRoot& root, const QString& subKey, const QString& valueName, const QString& text) {
  const QFileInfo info(root.storeFile);
  if (!info.isFile() || !info.isWritable()) return;
  QFile file(root.storeFile);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QString group = GroupOf(subKey);
  const QByteArray edited = WithValue(file.readAll(), group, valueName, text);
  file.close();
  if (!edited.isEmpty()) {
    QSaveFile out(root.storeFile);
    if (out.open(QIODevice::WriteOnly) && out.write(edited) == edited.size()) out.commit();
    return;
  }
  // The key may still be there in QSettings' own nested form.
  QSettings store(root.storeFile, QSettings::IniFormat);
  if (store.status() != QSettings::NoError) return;
  const QStringList keys = store.allKeys();
  if (!KeyExists(keys, group)) return;
  const QString wanted = group + QLatin1Char('/') + valueName;
  const QString existing = FindKey(keys, wanted);
  store.setValue(existing.isEmpty() ? wanted : existing, text);
  store.sync();
}

}  // namespace lumora::platform
