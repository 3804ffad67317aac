#pragma once

#include <QColor>

namespace lumora::platform {

// Colours are kept as the original platform encodes them: 0x00BBGGRR, red in
// the low byte. The high byte is ignored.
inline QColor ToQColor(int bgr) {
  const auto v = static_cast<unsigned>(bgr);
  return QColor(static_cast<int>(v & 0xFFu), static_cast<int>((v >> 8) & 0xFFu),
                static_cast<int>((v >> 16) & 0xFFu));
}

inline int FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

}  // namespace lumora::platform
