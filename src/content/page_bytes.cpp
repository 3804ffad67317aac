#include "content/page_bytes.h"

#include <QChar>
#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "core/text.h"
#include "core/utf8.h"

#include "content/ascii_block.h"
#include "content/text_helpers.h"

namespace lumora::content {
namespace {

// Windows-1252 lower case, byte for byte, as core::AnsiLower has it.
struct AnsiLowerTable {
  unsigned char map[256];
  AnsiLowerTable() {
    for (int b = 0; b < 256; ++b)
      map[b] = static_cast<unsigned char>(core::AnsiLower(QByteArray(1, static_cast<char>(b))).at(0));
  }
};
const AnsiLowerTable kAnsiLower;

char* EncodeUtf8(char32_t c, char* o) {
  if (c < 0x80) {
    *o++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *o++ = static_cast<char>(0xC0 | (c >> 6));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *o++ = static_cast<char>(0xE0 | (c >> 12));
    *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *o++ = static_cast<char>(0xF0 | (c >> 18));
    *o++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return o;
}

// One byte, or one UTF-8 sequence, or one escape, from p[i]; returns the
// next position, or n after bytes that are no valid UTF-8 (valid is cleared).
qsizetype EscapeLowerOne(const unsigned char* p, qsizetype i, qsizetype n, bool utf8, char*& o, bool& valid) {
  const unsigned char b = p[i];
  if (b == '&') {
    constexpr qsizetype kReference = sizeof(kAmpReference) - 1, kWord = sizeof(kAmpWord) - 1;
    if (n - i >= kReference && std::memcmp(p + i, kAmpReference, kReference) == 0) {
      std::memcpy(o, kAmpWord, kWord);
      o += kWord;
      return i + kReference;
    }
    *o++ = '&';
    *o++ = '&';
    return i + 1;
  }
  if (b == '=' && n - i >= 3 && p[i + 1] == '\r' && p[i + 2] == '\n') return i + 3;
  if (!utf8) {
    *o++ = static_cast<char>(kAnsiLower.map[b]);
    return i + 1;
  }
  if (b < 0x80) {
    *o++ = static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
    return i + 1;
  }
  // A whole sequence of valid UTF-8: its character lowered and encoded again.
  const int length = core::Utf8SequenceLength(p, i, n);
  if (length == 0) {
    valid = false;
    return n;
  }
  char32_t c = b & (0x7F >> length);
  for (int k = 1; k < length; ++k) c = (c << 6) | (p[i + k] & 0x3F);
  if (c == 0x130) {  // the one letter whose lower case is two characters: i and a combining dot
    std::memcpy(o, "i\xcc\x87", 3);
    o += 3;
  } else {
    o = EncodeUtf8(QChar::toCaseFolded(c), o);
  }
  return i + length;
}

long long CountScalar(const char* text, qsizetype from, qsizetype n, QByteArrayView word) {
  long long count = 0;
  const qsizetype m = word.size();
  for (qsizetype i = from; i + m <= n; ++i)
    if (text[i] == word[0] && std::memcmp(text + i, word.data(), static_cast<size_t>(m)) == 0) ++count;
  return count;
}

}  // namespace

#if defined(__SSE2__)
namespace {

// The folded form of every character of two UTF-8 bytes (U+0080 to U+07FF:
// the Latin, Greek, Cyrillic, Hebrew and Arabic letters), so that the text
// of most pages never waits on a call.
struct TwoByteFolds {
  struct Folded {
    unsigned char length;
    char bytes[3];
  };
  Folded of[0x800];
  TwoByteFolds() {
    char encoded[4];
    for (char32_t c = 0x80; c < 0x800; ++c) {
      const unsigned char in[2] = {static_cast<unsigned char>(0xC0 | (c >> 6)), static_cast<unsigned char>(0x80 | (c & 0x3F))};
      char* o = encoded;
      bool valid = true;
      EscapeLowerOne(in, 0, 2, true, o, valid);
      of[c].length = static_cast<unsigned char>(o - encoded);
      std::memcpy(of[c].bytes, encoded, 3);
    }
  }
};
const TwoByteFolds kTwoByteFolds;

// Where a byte needs more than lowering: "&", "=" before CR, and every byte
// beyond ASCII. Each reads a block (and the byte after it), stores it with
// A-Z lowered, and gives a bit for each such byte.
struct EscapeLanes16 {
  static constexpr qsizetype kWidth = 16;
  static uint32_t LowerStore(const unsigned char* in, char* out) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), LowerAsciiBlock(bytes));
    const __m128i soft = _mm_and_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('=')), _mm_cmpeq_epi8(next, _mm_set1_epi8('\r')));
    const __m128i special = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('&')), soft);
    // High bytes are negative as signed bytes and show in the mask as they are.
    return static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(special, bytes)));
  }
};

struct EscapeLanes32 {
  static constexpr qsizetype kWidth = 32;
  [[gnu::target("avx2")]] static inline uint32_t LowerStore(const unsigned char* in, char* out) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 1));
    const __m256i capital = _mm256_and_si256(_mm256_cmpgt_epi8(bytes, _mm256_set1_epi8('A' - 1)),
                                             _mm256_cmpgt_epi8(_mm256_set1_epi8('Z' + 1), bytes));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                        _mm256_or_si256(bytes, _mm256_and_si256(capital, _mm256_set1_epi8(0x20))));
    const __m256i soft =
        _mm256_and_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('=')), _mm256_cmpeq_epi8(next, _mm256_set1_epi8('\r')));
    const __m256i special = _mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('&')), soft);
    return static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_or_si256(special, bytes)));
  }
};

// Escapes and lowers blocks of plain bytes at once, and the bytes between
// them one by one; returns where it stopped, near the end.
template <class Lanes>
[[gnu::always_inline]] inline qsizetype EscapeBlocks(const unsigned char* p, qsizetype n, bool utf8, char*& o,
                                                     bool& valid) {
  qsizetype i = 0;
  while (i + Lanes::kWidth + 1 <= n) {
    const uint32_t mask = Lanes::LowerStore(p + i, o);
    if (mask == 0) {
      o += Lanes::kWidth;
      i += Lanes::kWidth;
      continue;
    }
    const int plain = __builtin_ctz(mask);
    o += plain;
    i += plain;
    // Characters beyond ASCII often stand together (a word of another
    // alphabet): they are read on one by one.
    do {
      const unsigned char b = p[i];
      if (b >= 0x80 && !utf8) {
        *o++ = static_cast<char>(kAnsiLower.map[b]);
        ++i;
      } else if (b >= 0xC2 && b <= 0xDF && core::IsContinuation(p[i + 1])) {
        const TwoByteFolds::Folded& folded = kTwoByteFolds.of[(b & 0x1F) << 6 | (p[i + 1] & 0x3F)];
        std::memcpy(o, folded.bytes, 3);
        o += folded.length;
        i += 2;
      } else if (b == 0xE2 && (p[i + 1] & 0xFE) == 0x80 && core::IsContinuation(p[i + 2])) {
        // Punctuation (U+2000 to U+207F: dashes, quotes) has no case.
        std::memcpy(o, p + i, 3);
        o += 3;
        i += 3;
      } else {
        i = EscapeLowerOne(p, i, n, utf8, o, valid);
      }
    } while (i + 3 <= n && p[i] >= 0x80);
  }
  return i;
}

[[gnu::target("avx2"), gnu::flatten]] qsizetype EscapeBlocks32(const unsigned char* p, qsizetype n, bool utf8, char*& o,
                                                                bool& valid) {
  return EscapeBlocks<EscapeLanes32>(p, n, utf8, o, valid);
}

}  // namespace
#endif

bool EscapeAndLower(QByteArrayView page, bool utf8, std::string& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(page.data());
  const qsizetype n = page.size();
  // No byte becomes more than two, and a block is stored whole.
  out.resize(static_cast<size_t>(n) * 2 + 32);
  char* o = out.data();
  qsizetype i = 0;
  bool valid = true;
#if defined(__SSE2__)
  static const bool wide = __builtin_cpu_supports("avx2");
  i = wide ? EscapeBlocks32(p, n, utf8, o, valid) : EscapeBlocks<EscapeLanes16>(p, n, utf8, o, valid);
#endif
  while (i < n) i = EscapeLowerOne(p, i, n, utf8, o, valid);
  out.resize(static_cast<size_t>(o - out.data()));
  return valid;
}

bool IsAscii(std::string_view text) {
  size_t i = 0;
#if defined(__SSE2__)
  // Sixty-four bytes a step: a high bit anywhere among them shows in their union.
  const auto block = [&text](size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at)); };
  for (; i + 64 <= text.size(); i += 64)
    if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(block(i), block(i + 16)), _mm_or_si128(block(i + 32), block(i + 48)))) != 0)
      return false;
  for (; i + 16 <= text.size(); i += 16)
    if (_mm_movemask_epi8(block(i)) != 0) return false;
#endif
  return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

#if defined(__SSE2__)
namespace {

// Positions whose first, second and last bytes match, thirty-two at a time;
// only those are compared whole. Returns where it stopped.
[[gnu::target("avx2")]] qsizetype CountWide(std::string_view text, QByteArrayView word, long long& count) {
  const qsizetype m = word.size();
  const auto n = static_cast<qsizetype>(text.size());
  const __m256i first = _mm256_set1_epi8(word[0]);
  const __m256i second = _mm256_set1_epi8(word[m > 1 ? 1 : 0]);
  const __m256i last = _mm256_set1_epi8(word[m - 1]);
  const char* const at = text.data();
  qsizetype i = 0;
  for (; i + m + 32 <= n; i += 32) {
    const auto load = [at, i](qsizetype k) { return reinterpret_cast<const __m256i*>(at + i + k); };
    const __m256i a = _mm256_loadu_si256(load(0));
    const __m256i b = _mm256_loadu_si256(load(m > 1 ? 1 : 0));
    const __m256i c = _mm256_loadu_si256(load(m - 1));
    auto mask = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_and_si256(
        _mm256_and_si256(_mm256_cmpeq_epi8(a, first), _mm256_cmpeq_epi8(b, second)), _mm256_cmpeq_epi8(c, last))));
    while (mask != 0) {
      const char* here = at + i + __builtin_ctz(mask);
      qsizetype k = 2;  // most words are short: a call to compare costs more than the bytes
      while (k < m - 1 && here[k] == word[k]) ++k;
      count += k >= m - 1 ? 1 : 0;
      mask &= mask - 1;
    }
  }
  return i;
}

}  // namespace
#endif

long long CountOverlapping(std::string_view text, QByteArrayView word) {
  const qsizetype m = word.size();
  const auto n = static_cast<qsizetype>(text.size());
  if (m == 0 || m > n) return 0;
  qsizetype i = 0;
  long long count = 0;
#if defined(__SSE2__)
  static const bool wide = __builtin_cpu_supports("avx2");
  if (wide) i = CountWide(text, word, count);
  // Positions whose first and last bytes match, sixteen at a time; only
  // those are compared whole.
  const __m128i first = _mm_set1_epi8(word[0]);
  const __m128i last = _mm_set1_epi8(word[m - 1]);
  for (; i + m - 1 + 16 <= n; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i + m - 1));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
    while (mask != 0) {
      const int bit = __builtin_ctz(mask);
      if (m <= 2 || std::memcmp(text.data() + i + bit + 1, word.data() + 1, static_cast<size_t>(m - 2)) == 0) ++count;
      mask &= mask - 1;
    }
  }
#endif
  return count + CountScalar(text.data(), i, n, word);
}

}  // namespace lumora::content
