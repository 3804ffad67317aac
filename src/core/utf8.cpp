#include "core/utf8.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumora::core {

bool IsValidUtf8(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n;) {
#if defined(__SSE2__)
    // Sixteen bytes at a time up to the next one beyond ASCII.
    if (n - i >= 16) {
      const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
      if (high == 0) {
        i += 16;
        continue;
      }
      i += __builtin_ctz(static_cast<unsigned>(high));
    }
#endif
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    const int length = Utf8SequenceLength(p, i, n);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

}  // namespace lumora::core
