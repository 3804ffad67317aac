#include "core/text.h"

#include <QFileInfo>

namespace lumora::core {
namespace {

char16_t LowerChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  switch (c) {
    case 0x0160: return 0x0161;  // S caron
    case 0x0152: return 0x0153;  // OE ligature
    case 0x017D: return 0x017E;  // Z caron
    case 0x0178: return 0x00FF;  // Y diaeresis
    default: return c;
  }
}

unsigned char LowerByte(unsigned char b) {
  if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b + 32);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<unsigned char>(b + 32);
  switch (b) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return b;
  }
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unused
// bytes map to the control characters of the same number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t AnsiToUnicode(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHighControls[b - 0x80];
  return b;
}

char UnicodeToAnsi(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

QString TrimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == QLatin1Char(' ')) ++first;
  while (last > first && text[last - 1] == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

QString FromAnsi(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i) text[i] = QChar(AnsiToUnicode(static_cast<unsigned char>(bytes[i])));
  return text;
}

QByteArray ToAnsi(const QString& text) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) bytes[i] = UnicodeToAnsi(text[i].unicode());
  return bytes;
}

QString LowerText(const QString& text) { return text.toLower(); }

QString AnsiLower(const QString& text) {
  QString result = text;
  for (QChar& c : result) c = QChar(LowerChar(c.unicode()));
  return result;
}

QByteArray AnsiLower(const QByteArray& bytes) {
  QByteArray result = bytes;
  for (char& c : result) c = static_cast<char>(LowerByte(static_cast<unsigned char>(c)));
  return result;
}

QLocale PackLocale(const QString& path) {
  const QString name = QFileInfo(path).completeBaseName();
  for (int language = QLocale::AnyLanguage + 1; language <= QLocale::LastLanguage; ++language) {
    const auto candidate = static_cast<QLocale::Language>(language);
    if (QLocale::languageToString(candidate).compare(name, Qt::CaseInsensitive) == 0) return QLocale(candidate);
  }
  const QLocale coded(name);
  return coded.language() == QLocale::C ? QLocale() : coded;
}

namespace {

template <typename Keep>
QString KeepOnly(const QString& text, Keep keep) {
  QString result;
  result.reserve(text.size());
  for (QChar c : text)
    if (keep(c.unicode())) result.append(c);
  return result;
}

}  // namespace

// Characters beyond Latin-1 have no place in the single-byte code page these
// keys were defined on, so they go like every other character above 122.
QString NameKey(const QString& text) {
  return KeepOnly(text, [](char16_t c) { return !((c >= 32 && c <= 64) || c >= 123); });
}

QString DigitsOnly(const QString& text) {
  return KeepOnly(text, [](char16_t c) { return !((c >= 32 && c <= 47) || c >= 58); });
}

}  // namespace lumora::core
