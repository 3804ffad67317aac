#pragma once

#include <QByteArrayView>

namespace lumora::core {

inline bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence that starts at p[i] with a byte
// beyond ASCII; 0 when it is no valid one (overlong, a surrogate, beyond
// U+10FFFF, cut short).
inline int Utf8SequenceLength(const unsigned char* p, qsizetype i, qsizetype n) {
  const unsigned char b = p[i];
  int length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (n - i < length || p[i + 1] < low || p[i + 1] > high) return 0;
  for (int k = 2; k < length; ++k)
    if (!IsContinuation(p[i + k])) return 0;
  return length;
}

// Valid UTF-8 as Qt's decoder takes it: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool IsValidUtf8(QByteArrayView bytes);

}  // namespace lumora::core
