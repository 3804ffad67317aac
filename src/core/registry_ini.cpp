#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "core/folders.h"
#include "core/registry.h"
#include "core/safe_write.h"
#include "core/text.h"

// The registry store on systems without a registry: an INI file whose section
// path is the subkey, for example
//   [SOFTWARE\Quillmark%20Software]
//   CurrentTheme=classic
// The file is shared by every product of the maker, so it is read and edited
// line by line: a line another product got wrong costs only that product's
// keys, and writing a value leaves every other byte of the file as it was.
namespace lumora::core {
namespace {

constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";

// A key path with "/" between its parts and no empty parts:
//   "SOFTWARE\Quillmark Software\"  ->  "SOFTWARE/Quillmark Software"
QString KeyPath(QString path) {
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return path.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

// A section or key name as written in the file: %XX escapes decoded, "\"
// between the parts of a path.
QString UnescapedName(QByteArrayView raw) {
  return KeyPath(QString::fromUtf8(QByteArray::fromPercentEncoding(raw.trimmed().toByteArray())));
}

QByteArray EscapedName(const QString& name) {
  QByteArray escaped;
  for (const char c : name.toUtf8()) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
    if (c == '/') escaped += '\\';
    else if (plain) escaped += c;
    else escaped += '%' + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0').toUpper();
  }
  return escaped;
}

// The file's lines without their ends, and what is needed to put it back
// together byte for byte.
struct StoreText {
  QByteArray byteOrderMark;
  QByteArray lineEnd = "\n";
  QList<QByteArray> lines;
};

StoreText SplitStore(QByteArray content) {
  StoreText store;
  if (content.startsWith(kByteOrderMark)) {
    store.byteOrderMark = kByteOrderMark.toByteArray();
    content.remove(0, kByteOrderMark.size());
  }
  if (content.contains("\r\n")) store.lineEnd = "\r\n";
  store.lines = content.split('\n');
  for (QByteArray& line : store.lines)
    if (line.endsWith('\r')) line.chop(1);
  return store;
}

QByteArray JoinStore(const StoreText& store) { return store.byteOrderMark + store.lines.join(store.lineEnd); }

struct Section {
  QString group;                // "SOFTWARE/Quillmark Software"
  bool wellFormed = true;       // false for "[name" without "]": its keys belong to nobody
  qsizetype lastLine = -1;      // the last line that is not blank
};

struct Entry {
  qsizetype line;
  qsizetype section;  // index into StoreIndex::sections, -1 before the first
  QString path;       // section and key as one path: "SOFTWARE/Quillmark Software/CurrentTheme"
  qsizetype equals;   // where "=" stands in the line
};

// Where the sections and keys are. Comments (";" or "#" first) and lines
// without "=" are nobody's keys; a section line without "]" starts a section
// that holds none, so its keys cannot turn up in the section before it.
struct StoreIndex {
  QList<Section> sections;
  QList<Entry> entries;
};

StoreIndex IndexStore(const QList<QByteArray>& lines) {
  StoreIndex index;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QByteArray trimmed = lines[i].trimmed();
    if (trimmed.isEmpty()) continue;
    if (trimmed.startsWith('[')) {
      const qsizetype close = trimmed.indexOf(']');
      Section section;
      section.wellFormed = close > 0;
      if (section.wellFormed) section.group = UnescapedName(QByteArrayView(trimmed).sliced(1, close - 1));
      section.lastLine = i;
      index.sections.append(section);
      continue;
    }
    if (!index.sections.isEmpty()) index.sections.last().lastLine = i;
    if (trimmed.startsWith(';') || trimmed.startsWith('#')) continue;
    const qsizetype equals = lines[i].indexOf('=');
    if (equals < 0 || lines[i].first(equals).trimmed().isEmpty()) continue;
    const qsizetype section = index.sections.size() - 1;
    if (section >= 0 && !index.sections[section].wellFormed) continue;
    const QString group = section >= 0 ? index.sections[section].group : QString();
    const QString path = KeyPath(group + QLatin1Char('/') + UnescapedName(lines[i].first(equals)));
    index.entries.append({i, section, path, equals});
  }
  return index;
}

// The entry a value name stands in; a name written twice counts by its last line.
const Entry* FindEntry(const StoreIndex& index, const QString& path) {
  const auto found = std::find_if(index.entries.rbegin(), index.entries.rend(),
                                  [&](const Entry& e) { return e.path.compare(path, Qt::CaseInsensitive) == 0; });
  return found == index.entries.rend() ? nullptr : &*found;
}

QString DecodedText(QByteArrayView bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  return utf8.hasError() ? FromAnsi(bytes) : text;
}

// The value of c as a digit of base, or -1.
int Digit(QChar c, int base) {
  const char16_t u = c.unicode();
  int digit = -1;
  if (u >= u'0' && u <= u'9') digit = u - u'0';
  else if (u >= u'a' && u <= u'f') digit = u - u'a' + 10;
  else if (u >= u'A' && u <= u'F') digit = u - u'A' + 10;
  return digit < base ? digit : -1;
}

// One backslash sequence inside quotes, starting after the backslash; returns
// the position of its last character. A sequence that means nothing keeps
// its backslash.
qsizetype Unescape(const QString& text, qsizetype at, QString& out) {
  static constexpr std::pair<char16_t, char16_t> kNamed[] = {
      {u'a', 7}, {u'b', 8}, {u'f', 12}, {u'n', 10}, {u'r', 13}, {u't', 9}, {u'v', 11},
      {u'"', u'"'}, {u'\\', u'\\'}, {u'\'', u'\''}, {u'?', u'?'}};
  const char16_t c = text[at].unicode();
  for (const auto& [name, code] : kNamed)
    if (c == name) {
      out += QChar(code);
      return at;
    }
  // \x and up to four hex digits, or up to three octal digits: a character code.
  const bool hex = c == u'x';
  const int base = hex ? 16 : 8;
  const qsizetype first = hex ? at + 1 : at;
  qsizetype end = first;
  unsigned code = 0;
  for (int digit = 0; end < text.size() && end < first + (hex ? 4 : 3) && (digit = Digit(text[end], base)) >= 0; ++end)
    code = code * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
  if (end > first) {
    out += QChar(static_cast<char16_t>(code));
    return end - 1;
  }
  out += QLatin1Char('\\');
  out += text[at];
  return at;
}

// A value as the program means it. Written without quotes it is exactly the
// text after "=" (blanks at the ends aside); in quotes, backslash sequences
// are decoded and the quotes dropped:
//   LMRCPUInfo=CPU; 2 cores, C:\x      ->  CPU; 2 cores, C:\x
//   LMRCPUInfo="say \"hi\", C:\\x"     ->  say "hi", C:\x
// Text that QSettings wrote in its own forms reads as it meant it:
//   @String(3\0\0) and @ByteArray(3\0\0)  ->  3 and two NULs;  @@x  ->  @x
QString ValueText(QByteArrayView raw) {
  const QString text = DecodedText(raw);
  QString value;
  if (text.startsWith(QLatin1Char('"'))) {
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (text[i] == QLatin1Char('"')) quoted = !quoted;
      else if (quoted && text[i] == QLatin1Char('\\') && i + 1 < text.size()) i = Unescape(text, i + 1, value);
      else value += text[i];
    }
  } else {
    for (const QLatin1StringView form : {QLatin1StringView("@String("), QLatin1StringView("@ByteArray(")}) {
      if (!text.startsWith(form) || !text.endsWith(QLatin1Char(')'))) continue;
      const QString inner = text.sliced(form.size(), text.size() - form.size() - 1);
      for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size()) i = Unescape(inner, i + 1, value);
        else value += inner[i];
      }
      return value;
    }
    value = text;
  }
  if (value.startsWith(QLatin1String("@@"))) value.remove(0, 1);
  return value;
}

bool IsPlainByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '.' ||
         c == '-' || c == '_' || c == ':' || c == '/';
}

// A value in the form ValueText reads back unchanged: plain when it is safe,
// otherwise quoted with backslash escapes. Control characters other than tab
// and line breaks have no place in a registry text and are dropped.
QByteArray EscapedValue(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const bool plain = !utf8.isEmpty() && utf8.front() != ' ' && utf8.back() != ' ' &&
                     std::all_of(utf8.begin(), utf8.end(), IsPlainByte);
  if (plain) return utf8;
  // A value that reads "@@..." loses its first "@"; judged after the dropped characters.
  const auto kept = std::find_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t' || c == '\n' || c == '\r';
  });
  QByteArray quoted = kept != utf8.end() && *kept == '@' ? "\"@" : "\"";
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

// The store with the value set: in its own line when it has one, otherwise
// as a new line at the end of the key's section. Empty when the key is not
// in the store.
QByteArray WithValue(const QByteArray& content, const QString& group, const QString& name, const QString& text) {
  StoreText store = SplitStore(content);
  const StoreIndex index = IndexStore(store.lines);
  const QString path = group + QLatin1Char('/') + name;
  if (const Entry* entry = FindEntry(index, path)) {
    QByteArray& line = store.lines[entry->line];
    line = line.first(entry->equals) + '=' + EscapedValue(text);
    return JoinStore(store);
  }
  // The key's own section; or a section above it whose keys name the key's
  // values by a longer path ("[SOFTWARE]" holding "Quillmark%20Software\CurrentTheme").
  for (qsizetype s = index.sections.size() - 1; s >= 0; --s) {
    const Section& section = index.sections[s];
    if (!section.wellFormed) continue;
    QString relative;
    if (section.group.compare(group, Qt::CaseInsensitive) == 0) {
      relative = name;
    } else if (section.group.isEmpty() || group.startsWith(section.group + QLatin1Char('/'), Qt::CaseInsensitive)) {
      const QString prefix = group + QLatin1Char('/');
      const bool holdsKey = std::any_of(index.entries.begin(), index.entries.end(), [&](const Entry& e) {
        return e.section == s && e.path.startsWith(prefix, Qt::CaseInsensitive);
      });
      if (!holdsKey) continue;
      relative = section.group.isEmpty() ? path : path.mid(section.group.size() + 1);
    } else {
      continue;  // a section below the key or beside it
    }
    store.lines.insert(section.lastLine + 1, EscapedName(relative) + '=' + EscapedValue(text));
    return JoinStore(store);
  }
  return {};
}

}  // namespace

RegistryRoot LocalMachine() { return RegistryRoot{RegistryStorePath()}; }

QString RegReadText(const RegistryRoot& root, const QString& subKey, const QString& valueName) {
  const QFileInfo info(root.storeFile);
  if (!info.isFile()) return {};
  // A rewrite of ours that a crash stopped part-way is finished first.
  if (info.isWritable()) FinishInterruptedWrite(info.canonicalFilePath());
  QFile file(root.storeFile);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const StoreText store = SplitStore(file.readAll());
  const StoreIndex index = IndexStore(store.lines);  // the entry points into it
  const Entry* entry = FindEntry(index, KeyPath(subKey + QLatin1Char('/') + valueName));
  if (!entry) return {};
  QString text = ValueText(QByteArrayView(store.lines[entry->line]).sliced(entry->equals + 1).trimmed());
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  if (nul >= 0) text.truncate(nul);
  return text;
}

void RegWriteText(const RegistryRoot& root, const QString& subKey, const QString& valueName, const QString& text) {
  const QFileInfo info(root.storeFile);
  if (!info.isFile() || !info.isWritable()) return;
  // Other products share the store: a write that fails leaves it as it was.
  const QString store = info.canonicalFilePath();
  QString error;
  const bool written = RewriteSharedFile(
      store, [&](const QByteArray& content) { return WithValue(content, KeyPath(subKey), valueName, text); }, &error);
  if (!written)
    std::fprintf(stderr, "lumora: %s was not written to the registry store %s (%s); the store keeps its old content\n",
                 qUtf8Printable(valueName), qUtf8Printable(store), qUtf8Printable(error));
}

}  // namespace lumora::core
