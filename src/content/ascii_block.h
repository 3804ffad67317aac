#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

namespace lumora::content {

// Sixteen bytes with A-Z lowered and every other byte as it was (bytes of
// 0x80 and above are negative as signed bytes, so never taken for capitals).
inline __m128i LowerAsciiBlock(__m128i bytes) {
  const __m128i capital =
      _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('A' - 1)), _mm_cmplt_epi8(bytes, _mm_set1_epi8('Z' + 1)));
  return _mm_or_si128(bytes, _mm_and_si128(capital, _mm_set1_epi8(0x20)));
}

}  // namespace lumora::content
#endif
