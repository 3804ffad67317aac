#include "platform/text.h"

namespace lumora::platform {
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

}  // namespace

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

}  // namespace lumora::platform
