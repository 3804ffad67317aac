#pragma once

#include <algorithm>
#include <bit>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "content/word_bytes.h"

// Reading words a block of bytes at a glance: whole stretches of plain text,
// tags and letters beyond ASCII are read with vector instructions, and a
// reader that needs only some words is handed just those.
namespace lumora::content::words {

// The beginnings (one to three bytes) of the only words a reader of
// words needs one by one: it calls itself a reader that skips, by a member
// `starts` of this type and a call Skipped(count, field) for the words passed.
class WordStarts final {
 public:
  WordStarts() = default;
  // Bytes are compared with 0x20 set, which makes capitals small letters.
  // It also takes "_" for DEL, digits for control bytes and some bytes
  // beyond ASCII for others: a word is never missed, and one found wrongly
  // is only asked about.
  explicit WordStarts(const std::vector<std::string>& starts) {
    for (const std::string& start : starts) {
      Pattern pattern;
      for (size_t k = 0; k < 3; ++k) {
        std::fill(std::begin(pattern.byte[k]), std::end(pattern.byte[k]), k < start.size() ? start[k] | 0x20 : 0);
        std::fill(std::begin(pattern.any[k]), std::end(pattern.any[k]), k < start.size() ? 0 : -1);
      }
      pattern.full = start.size() >= 3;
      patterns_.push_back(pattern);
    }
  }
  struct Pattern {
    alignas(32) char byte[3][32];
    alignas(32) char any[3][32];  // all ones where the beginning is shorter
    bool full = false;            // three bytes long: no "any" to mind
  };
  const std::vector<Pattern>& Patterns() const { return patterns_; }

 private:
  std::vector<Pattern> patterns_;
};

template <class OnWord>
concept SkipsWords = requires(OnWord& onWord, unsigned count, Field field) {
  { onWord.starts } -> std::convertible_to<const WordStarts&>;
  onWord.Skipped(count, field);
};

#if defined(__SSE2__)
// What a glance at a block of bytes tells, a bit for each byte.
struct Glance {
  uint64_t special;   // a tag's "<" and a reference's "&" in markup
  uint64_t high;      // beyond ASCII
  uint64_t inWord;    // a letter, digit or "_"
  uint64_t capitals;
  uint64_t wanted;    // a beginning the reader needs stands here
};

// Glances at sixteen bytes with SSE2, which every x86-64 machine has.
struct Lanes16 {
  static constexpr unsigned kWidth = 16;
  [[gnu::always_inline]] static inline Glance Read(const char* at, bool markup, const WordStarts* starts) {
    const auto load = [at](size_t k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k)); };
    const auto bytes = load(0);
    const auto folded = _mm_or_si128(bytes, _mm_set1_epi8(0x20));
    const auto below = [](__m128i b, char from, int count) {  // from <= b < from + count
      return _mm_cmplt_epi8(_mm_add_epi8(b, _mm_set1_epi8(static_cast<char>(-128 - from))),
                            _mm_set1_epi8(static_cast<char>(-128 + count)));
    };
    __m128i special = _mm_setzero_si128();
    if (markup)
      special = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('<')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('&')));
    const auto letters = below(folded, 'a', 26);
    const auto capitals = _mm_andnot_si128(below(bytes, 'a', 26), letters);
    const auto inWord = _mm_or_si128(_mm_or_si128(letters, below(bytes, '0', 10)), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('_')));
    Glance glance{static_cast<uint32_t>(_mm_movemask_epi8(special)), static_cast<uint32_t>(_mm_movemask_epi8(bytes)),
                  static_cast<uint32_t>(_mm_movemask_epi8(inWord)),
                  static_cast<uint32_t>(_mm_movemask_epi8(capitals)), 0xFFFFu};
    if (starts) {
      const __m128i at1 = _mm_or_si128(load(1), _mm_set1_epi8(0x20)), at2 = _mm_or_si128(load(2), _mm_set1_epi8(0x20));
      const auto vector = [](const char* bytes) { return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes)); };
      __m128i found = _mm_setzero_si128();
      for (const WordStarts::Pattern& pattern : starts->Patterns()) {
        __m128i here = _mm_cmpeq_epi8(folded, vector(pattern.byte[0]));
        here = _mm_and_si128(here, _mm_or_si128(_mm_cmpeq_epi8(at1, vector(pattern.byte[1])), vector(pattern.any[1])));
        here = _mm_and_si128(here, _mm_or_si128(_mm_cmpeq_epi8(at2, vector(pattern.byte[2])), vector(pattern.any[2])));
        found = _mm_or_si128(found, here);
      }
      glance.wanted = static_cast<uint32_t>(_mm_movemask_epi8(found));
    }
    return glance;
  }
};

// The same for thirty-two bytes with AVX2, where the machine has it.
struct Lanes32 {
  static constexpr unsigned kWidth = 32;
  [[gnu::target("avx2")]] static inline Glance Read(const char* at, bool markup,
                                                                        const WordStarts* starts) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i fold = _mm256_set1_epi8(0x20);
    const __m256i folded = _mm256_or_si256(bytes, fold);
    const __m256i letters = _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(-128 + 26)),
                                              _mm256_add_epi8(folded, _mm256_set1_epi8(static_cast<char>(-128 - 'a'))));
    const __m256i small = _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(-128 + 26)),
                                            _mm256_add_epi8(bytes, _mm256_set1_epi8(static_cast<char>(-128 - 'a'))));
    const __m256i digits = _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(-128 + 10)),
                                             _mm256_add_epi8(bytes, _mm256_set1_epi8(static_cast<char>(-128 - '0'))));
    __m256i special = _mm256_setzero_si256();
    if (markup)
      special = _mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('<')), _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('&')));
    const __m256i inWord =
        _mm256_or_si256(_mm256_or_si256(letters, digits), _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('_')));
    Glance glance{static_cast<uint32_t>(_mm256_movemask_epi8(special)),
                  static_cast<uint32_t>(_mm256_movemask_epi8(bytes)),
                  static_cast<uint32_t>(_mm256_movemask_epi8(inWord)),
                  static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_andnot_si256(small, letters))), 0xFFFFFFFFu};
    if (starts) {
      const __m256i at1 = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 1)), fold);
      const __m256i at2 = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 2)), fold);
      __m256i found = _mm256_setzero_si256();
      for (const WordStarts::Pattern& pattern : starts->Patterns()) {
        const auto* byte = reinterpret_cast<const __m256i*>(pattern.byte);
        const auto* any = reinterpret_cast<const __m256i*>(pattern.any);
        __m256i first = _mm256_cmpeq_epi8(folded, _mm256_load_si256(byte));
        __m256i second = _mm256_cmpeq_epi8(at1, _mm256_load_si256(byte + 1));
        __m256i third = _mm256_cmpeq_epi8(at2, _mm256_load_si256(byte + 2));
        if (!pattern.full) {
          second = _mm256_or_si256(second, _mm256_load_si256(any + 1));
          third = _mm256_or_si256(third, _mm256_load_si256(any + 2));
        }
        found = _mm256_or_si256(found, _mm256_and_si256(first, _mm256_and_si256(second, third)));
      }
      glance.wanted = static_cast<uint32_t>(_mm256_movemask_epi8(found));
    }
    return glance;
  }
};

// Sixty-four bytes, two reads of thirty-two: fewer steps between the bytes.
struct Lanes64 {
  static constexpr unsigned kWidth = 64;
  [[gnu::target("avx2")]] static inline Glance Read(const char* at, bool markup,
                                                                       const WordStarts* starts) {
    const Glance low = Lanes32::Read(at, markup, starts), high = Lanes32::Read(at + 32, markup, starts);
    return {low.special | high.special << 32, low.high | high.high << 32, low.inWord | high.inWord << 32,
            low.capitals | high.capitals << 32, low.wanted | high.wanted << 32};
  }
};

// Reads the characters beyond ASCII that start in a block of width bytes
// (high: a bit for each byte beyond ASCII not yet read). A whole character
// below U+3000 is looked up, and its bytes marked as in a word or not; one
// that ends beyond the block leaves its last bytes to the next (owed, and
// those in a word). Returns the bytes left for the long way: from the first
// that starts no whole character, or one beyond the table, on.
template <unsigned kWidth>
[[gnu::always_inline]] inline uint64_t ReadCharacters(const unsigned char* block, uint64_t high, uint64_t& inWord,
                                                      uint64_t& owed, uint64_t& owedInWord) {
  while (high != 0) {
    const auto k = static_cast<unsigned>(__builtin_ctzll(high));
    const unsigned char lead = block[k];
    if (lead < 0xC0 || lead >= 0xF0) break;
    const unsigned length = lead >= 0xE0 ? 3 : 2;
    // The two bytes after the block can be read (the caller leaves them).
    if ((block[k + 1] & 0xC0) != 0x80 || (length == 3 && (block[k + 2] & 0xC0) != 0x80)) break;
    const char32_t u = length == 2 ? (lead & 0x1Fu) << 6 | (block[k + 1] & 0x3Fu)
                                   : (lead & 0x0Fu) << 12 | (block[k + 1] & 0x3Fu) << 6 | (block[k + 2] & 0x3Fu);
    if (u >= kTabledCharacters) break;
    const uint64_t bytes = ((uint64_t{1} << length) - 1) << k;  // those in the block
    const bool word = IsWordCharacter(u);
    if (word) inWord |= bytes;
    high &= ~bytes;
    if (k + length > kWidth) {
      owed = (uint64_t{1} << (k + length - kWidth)) - 1;
      owedInWord = word ? owed : 0;
    }
  }
  return high;
}

// Reads text from at, a block of bytes at a glance and the tags between
// them as SkipMarkup does, up to the first byte that needs more (a
// reference, a character beyond the table) or the last bytes, and gives
// each word that ends before it (a reader that skips is given only the
// words it needs, and told how many it passed). Returns where it stopped,
// at the start of a word that may go on beyond, or npos when the text ends
// inside markup.
template <class Lanes, class OnWord>
[[gnu::always_inline]] inline size_t PlainWordsIn(std::string_view text, size_t at, bool markup, WordState& state,
                                                  OnWord& onWord) {
  constexpr unsigned kWidth = Lanes::kWidth;
  // A mask's first bit is here when it has none (64 bits count to 64 alone).
  constexpr uint64_t kNone = kWidth < 64 ? uint64_t{1} << (kWidth % 64) : 0;
  const Field& field = state.field;
  const char* const data = text.data();
  const size_t n = text.size();
  const WordStarts* starts = nullptr;
  if constexpr (SkipsWords<OnWord>) starts = &static_cast<const WordStarts&>(onWord.starts);
  const auto below = [](unsigned k) { return k >= 64 ? ~uint64_t{0} : (uint64_t{1} << k) - 1; };
  const auto bits = [below](unsigned from, unsigned to) { return below(to) & ~below(from); };
  thread_local std::string lowered;
  uint64_t passed = 0;  // words passed and not yet told
  const auto tell = [&] {
    if constexpr (SkipsWords<OnWord>) {
      if (passed > 0) onWord.Skipped(static_cast<unsigned>(passed), field);
    }
    passed = 0;
  };
  // Gives the word at text[start], read at a glance to end (where it ended,
  // or else byte by byte from there), and returns where it ends, unless it
  // may go on beyond the stretch (0).
  const auto give = [&](size_t start, size_t end, bool capitals, bool ended) -> size_t {
    if (!ended) {
      for (unsigned kind; end < n && (kind = kWordBytes.kind[static_cast<unsigned char>(data[end])]) != 0; ++end)
        capitals |= kind == 2;
      if (end == n || static_cast<unsigned char>(data[end]) >= 0x80 || (markup && data[end] == '&')) return 0;
    }
    tell();
    std::string_view word = text.substr(start, end - start);
    if (capitals) {
      lowered.assign(word);
      for (char& c : lowered) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
      word = lowered;
    }
    onWord(word, field);
    return end;
  };
  uint64_t carry = 0;     // 1 when the byte before the block is in a word
  size_t openStart = at;  // where the last word begun starts
  size_t givenTo = at;    // where the last word given ends
  size_t block = at;
  uint64_t owed = 0, owedInWord = 0;  // the last bytes of a character the block before began
  while (block + kWidth + 2 <= n) {
    const Glance glance = Lanes::Read(data + block, markup, starts);
    uint64_t high = glance.high & ~owed;
    uint64_t inCharacters = glance.inWord | owedInWord;
    owed = owedInWord = 0;
    if (high != 0) {
      // Characters after the first byte of markup are not read.
      const uint64_t before = bits(0, static_cast<unsigned>(std::countr_zero(glance.special | kNone)));
      high = ReadCharacters<kWidth>(reinterpret_cast<const unsigned char*>(data + block), high & before, inCharacters, owed,
                                    owedInWord);
    }
    const uint64_t special = glance.special | high;
    const auto limit = static_cast<unsigned>(std::countr_zero(special | kNone));
    const uint64_t inWord = inCharacters & bits(0, limit);
    const uint64_t begins = inWord & ~(inWord << 1 | carry);
    unsigned from = 0;
    for (uint64_t rest = begins & glance.wanted; rest != 0; rest &= rest - 1) {
      const auto start = static_cast<unsigned>(__builtin_ctzll(rest));
      passed += static_cast<uint64_t>(__builtin_popcountll(begins & bits(from, start)));
      const auto stop = static_cast<unsigned>(std::countr_zero(~inWord >> start << start));
      const size_t end = give(block + start, block + stop, (glance.capitals & bits(start, stop)) != 0, stop < limit);
      if (end == 0) {
        tell();
        return block + start;
      }
      givenTo = end;
      from = start + 1;
    }
    passed += static_cast<uint64_t>(__builtin_popcountll(begins & bits(from, limit)));
    if (begins != 0) openStart = block + 63 - static_cast<unsigned>(__builtin_clzll(begins));
    const bool open = (limit > 0 ? inWord >> (limit - 1) & 1 : carry) != 0 && openStart >= givenTo;
    if (limit < kWidth && data[block + limit] == '<') {
      // A tag ends the word before it; the glance goes on after the tag.
      tell();
      block = SkipMarkup(text, block + limit, state);
      if (block == std::string_view::npos) return block;
      carry = 0;
      openStart = givenTo = block;
      continue;
    }
    if (limit < kWidth) {
      // The word that reaches the byte that needs more is read the long way.
      passed -= open ? 1 : 0;
      tell();
      return open ? openStart : block + limit;
    }
    carry = inWord >> (kWidth - 1);
    block += kWidth;
  }
  const bool open = carry != 0 && openStart >= givenTo;
  passed -= open ? 1 : 0;
  tell();
  // (The last bytes of a character the last block began, when it is in no
  // word, are passed over by the long way as bytes in no word.)
  return open ? openStart : std::max(block, givenTo);
}

template <class OnWord>
[[gnu::target("avx2,bmi,bmi2,popcnt"), gnu::flatten]] size_t PlainWords32(std::string_view text, size_t at, bool markup,
                                                                WordState& state, OnWord& onWord) {
  const size_t next = PlainWordsIn<Lanes64>(text, at, markup, state, onWord);
  // The last bytes too few for sixty-four, thirty-two at a time.
  if (next == std::string_view::npos || text.size() - next >= Lanes64::kWidth + 2) return next;
  return PlainWordsIn<Lanes32>(text, next, markup, state, onWord);
}

template <class OnWord>
size_t PlainWords(std::string_view text, size_t at, bool markup, WordState& state, OnWord& onWord) {
  static const bool wide = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
                           __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
  return wide ? PlainWords32(text, at, markup, state, onWord) : PlainWordsIn<Lanes16>(text, at, markup, state, onWord);
}
#endif

}  // namespace lumora::content::words
