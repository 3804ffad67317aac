#pragma once

#include <QColor>

namespace lumora::platform {

// Colours are kept as theme files store them: 0x00BBGGRR, red in the low
// byte. The high byte is ignored.
inline QColor ToQColor(int bgr) {
  const auto v = static_cast<unsigned>(bgr);
  return QColor(static_cast<int>(v & 0xFFu), static_cast<int>((v >> 8) & 0xFFu),
                static_cast<int>((v >> 16) & 0xFFu));
}

inline int FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

// The colour share of the way from one colour to another (share 0: from, 1: to).
inline int MixColours(int from, int to, double share) {
  const QColor a = ToQColor(from), b = ToQColor(to);
  const auto mix = [share](int x, int y) { return x + static_cast<int>((y - x) * share + (y > x ? 0.5 : -0.5)); };
  return FromQColor(QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue())));
}

}  // namespace lumora::platform
