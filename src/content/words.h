#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <algorithm>
#include <concepts>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "content/ascii_block.h"
#include "content/text_helpers.h"

// The words of a page as the search weighs them. Used by the query's reader
// and by the word index, which must split text the same way.
namespace lumora::content::words {

enum class Field { Body, Heading, Title };

// What an ASCII byte is to a word: 0 none of it, 1 a letter, digit or "_", 2 a capital.
struct WordBytes {
  unsigned char kind[256] = {};
  constexpr WordBytes() {
    for (int c = 0; c < 128; ++c)
      kind[c] = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ? 1 : c >= 'A' && c <= 'Z' ? 2 : 0;
  }
};
inline constexpr WordBytes kWordBytes;

inline bool IsWordByte(unsigned char c) { return kWordBytes.kind[c] != 0; }

inline void AppendFolded(std::string& word, char32_t c) {
  const QString folded = QString::fromUcs4(&c, 1).toCaseFolded();
  word += folded.toStdString();
}

// The characters a character reference ("&name;" without its "&") stands
// for. Pages repeat a few references many times: each thread keeps those it
// decoded.
inline const std::u32string& DecodedReference(std::string_view reference) {
  thread_local std::unordered_map<std::string, std::u32string> known;
  const auto found = known.find(std::string(reference));
  if (found != known.end()) return found->second;
  if (known.size() >= 1024) known.clear();
  const QString decoded = DecodeCharacterReferences(QLatin1Char('&') + QString::fromUtf8(reference));
  const QList<uint> ucs4 = decoded.toUcs4();
  return known.emplace(std::string(reference), std::u32string(ucs4.begin(), ucs4.end())).first->second;
}

// The beginnings (one to three bytes, ASCII) of the only words a reader of
// words needs one by one: it calls itself a reader that skips, by a member
// `starts` of this type and a call Skipped(count, field) for the words passed.
class WordStarts final {
 public:
  WordStarts() = default;
  explicit WordStarts(const std::vector<std::string>& starts) {
#if defined(__SSE2__)
    for (const std::string& start : starts) {
      Pattern pattern;
      for (size_t k = 0; k < 3; ++k) {
        pattern.byte[k] = _mm_set1_epi8(k < start.size() ? start[k] : '\0');
        pattern.any[k] = _mm_set1_epi8(k < start.size() ? '\0' : static_cast<char>(0xFF));
      }
      patterns_.push_back(pattern);
    }
#endif
  }
#if defined(__SSE2__)
  // Where in sixteen bytes a beginning stands, from the bytes lower-cased at 0, 1 and 2 bytes further.
  __m128i Find(const __m128i (&lowered)[3]) const {
    __m128i found = _mm_setzero_si128();
    for (const Pattern& pattern : patterns_) {
      __m128i here = _mm_cmpeq_epi8(lowered[0], pattern.byte[0]);
      for (size_t k = 1; k < 3; ++k)
        here = _mm_and_si128(here, _mm_or_si128(_mm_cmpeq_epi8(lowered[k], pattern.byte[k]), pattern.any[k]));
      found = _mm_or_si128(found, here);
    }
    return found;
  }

 private:
  struct Pattern {
    __m128i byte[3];
    __m128i any[3];  // all ones where the beginning is shorter
  };
  std::vector<Pattern> patterns_;
#endif
};

template <class OnWord>
concept SkipsWords = requires(OnWord& onWord, unsigned count, Field field) {
  { onWord.starts } -> std::convertible_to<const WordStarts&>;
  onWord.Skipped(count, field);
};

#if defined(__SSE2__)
// The set bits of a 16-bit mask (the machines we build for need not have an
// instruction for it).
inline unsigned Count16(unsigned bits) {
  bits = bits - ((bits >> 1) & 0x5555u);
  bits = (bits & 0x3333u) + ((bits >> 2) & 0x3333u);
  bits = (bits + (bits >> 4)) & 0x0F0Fu;
  return (bits + (bits >> 8)) & 0x1Fu;
}

// Reads the plain stretch of text from at, sixteen bytes at a glance, up to
// the first byte that needs more (markup, a reference, a byte beyond ASCII)
// or the last bytes, and gives each word that ends before it (a reader that
// skips is given only the words it needs, and told how many it passed).
// Returns the bytes read, which stop at the start of a word that may go on
// beyond the stretch (0: nothing could be read).
template <class OnWord>
size_t PlainWords(std::string_view text, size_t at, bool markup, Field field, OnWord& onWord) {
  const char* const data = text.data();
  const size_t n = text.size();
  const auto load = [data](size_t from) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from)); };
  const auto in = [](__m128i b, char low, char high) {
    return _mm_and_si128(_mm_cmpgt_epi8(b, _mm_set1_epi8(static_cast<char>(low - 1))),
                         _mm_cmplt_epi8(b, _mm_set1_epi8(static_cast<char>(high + 1))));
  };
  const auto mask = [](__m128i b) { return static_cast<unsigned>(_mm_movemask_epi8(b)); };
  thread_local std::string lowered;
  unsigned passed = 0;  // words passed and not yet told
  const auto tell = [&] {
    if constexpr (SkipsWords<OnWord>) {
      if (passed > 0) onWord.Skipped(passed, field);
    }
    passed = 0;
  };
  // Gives the word at text[start] and returns where it ends, unless it may
  // go on beyond the stretch (0).
  const auto give = [&](size_t start, size_t end, bool capitals) -> size_t {
    for (unsigned kind; end < n && (kind = kWordBytes.kind[static_cast<unsigned char>(data[end])]) != 0; ++end)
      capitals |= kind == 2;
    if (end == n || static_cast<unsigned char>(data[end]) >= 0x80 || (markup && data[end] == '&')) return 0;
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
  unsigned carry = 0;     // 1 when the byte before the block is in a word
  size_t openStart = at;  // where the last word begun starts
  size_t givenTo = at;    // where the last word given ends
  size_t block = at;
  for (; block + 18 <= n; block += 16) {
    const __m128i bytes = load(block);
    unsigned special = mask(bytes);  // beyond ASCII
    if (markup)
      special |= mask(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('<')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('&'))));
    const unsigned limit = special != 0 ? static_cast<unsigned>(__builtin_ctz(special)) : 16;
    const __m128i low = LowerAsciiBlock(bytes);
    const unsigned inWord = mask(_mm_or_si128(_mm_or_si128(in(low, 'a', 'z'), in(bytes, '0', '9')),
                                              _mm_cmpeq_epi8(bytes, _mm_set1_epi8('_')))) & ((1u << limit) - 1);
    const unsigned starts = inWord & ~(inWord << 1 | carry);
    const unsigned capitals = mask(in(bytes, 'A', 'Z'));
    unsigned wanted = starts;
    if constexpr (SkipsWords<OnWord>) {
      const __m128i lowerBytes[3] = {low, LowerAsciiBlock(load(block + 1)), LowerAsciiBlock(load(block + 2))};
      wanted &= mask(static_cast<const WordStarts&>(onWord.starts).Find(lowerBytes));
    }
    unsigned from = 0;
    for (unsigned rest = wanted; rest != 0; rest &= rest - 1) {
      const auto start = static_cast<unsigned>(__builtin_ctz(rest));
      passed += Count16(starts & ((1u << start) - (1u << from)));
      // Read to the end of the block at a glance, on from there byte by byte.
      const auto stop = static_cast<unsigned>(__builtin_ctz(~inWord >> start << start));
      const size_t end = give(block + start, block + stop, (capitals & ((1u << stop) - (1u << start))) != 0);
      if (end == 0) {
        tell();
        return block + start - at;
      }
      givenTo = end;
      from = start + 1;
    }
    passed += Count16(starts & ((1u << limit) - (1u << from)));
    if (starts != 0) openStart = block + 31 - static_cast<unsigned>(__builtin_clz(starts));
    const bool open = (limit > 0 ? inWord >> (limit - 1) & 1 : carry) != 0 && openStart >= givenTo;
    if (limit < 16) {
      // The word that reaches the byte that needs more is read the long way.
      passed -= open ? 1 : 0;
      tell();
      return (open ? openStart : block + limit) - at;
    }
    carry = inWord >> 15;
  }
  const bool open = carry != 0 && openStart >= givenTo;
  passed -= open ? 1 : 0;
  tell();
  return (open ? openStart : std::max(block, givenTo)) - at;
}
#endif

// Where the reading of a page's markup stands between two pieces of its text.
struct WordState {
  enum class Mode : unsigned char { Text, Tag, Comment, Script, Style };
  Field field = Field::Body;
  Mode mode = Mode::Text;
  bool operator==(const WordState&) const = default;
};

// Calls onWord(word, field) for every word of text (a view valid during the
// call): runs of letters, digits,
// combining marks and "_" (so "autovacuum_naptime" is one word). With markup,
// text is a page as the search writes it: tags, comments, scripts and styles
// are passed over, the title and the subject are one field and h1 to h6
// another, and character references ("&" doubled) read as their characters.
// A page may be read in pieces that each end at a blank or at its end, from
// the state the piece before left: no word, reference or name holds a blank,
// so every piece reads as it does in the whole.
template <class OnWord>
void ForEachWordFrom(std::string_view text, bool markup, WordState& state, OnWord&& onWord) {
  using Mode = WordState::Mode;
  Field& field = state.field;
  std::string word;
  const auto flush = [&] {
    if (!word.empty()) onWord(std::string_view(word), field);
    word.clear();
  };
  const size_t n = text.size();
  // Where the piece before ended inside markup, its end is looked for first.
  size_t resume = 0;
  switch (state.mode) {
    case Mode::Text: break;
    case Mode::Tag: resume = text.find('>'); if (resume != std::string_view::npos) ++resume; break;
    case Mode::Comment: resume = text.find("-->"); if (resume != std::string_view::npos) resume += 3; break;
    case Mode::Script: resume = text.find("</script"); break;
    case Mode::Style: resume = text.find("</style"); break;
  }
  if (resume == std::string_view::npos) return;
  state.mode = Mode::Text;
  for (size_t i = resume; i < n;) {
    const auto c = static_cast<unsigned char>(text[i]);
#if defined(__SSE2__)
    if (word.empty() && c < 0x80 && !(markup && (c == '<' || c == '&'))) {
      const size_t taken = PlainWords(text, i, markup, field, onWord);
      if (taken > 0) {
        i += taken;
        continue;
      }
    }
#endif
    if (c == '<' && markup) {
      flush();
      if (text.substr(i, 4) == "<!--") {
        const size_t end = text.find("-->", i + 4);
        if (end == std::string_view::npos) {
          state.mode = Mode::Comment;
          return;
        }
        i = end + 3;
        continue;
      }
      size_t j = i + 1;
      const bool closing = j < n && text[j] == '/';
      if (closing) ++j;
      const size_t start = j;
      while (j < n && (IsWordByte(static_cast<unsigned char>(text[j])) || text[j] == ':')) ++j;
      const std::string_view name = text.substr(start, j - start);
      if (!closing && (name == "script" || name == "style")) {
        const size_t end = text.find(name == "script" ? "</script" : "</style", j);
        if (end == std::string_view::npos) {
          state.mode = name == "script" ? Mode::Script : Mode::Style;
          return;
        }
        i = end;
        continue;
      }
      if (name == "title" || name == "o:subject")
        field = closing ? Field::Body : Field::Title;
      else if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
        field = closing ? Field::Body : Field::Heading;
      const size_t end = text.find('>', j);
      if (end == std::string_view::npos) {
        state.mode = Mode::Tag;
        return;
      }
      i = end + 1;
      continue;
    }
  const size_t n = text.size();
    if (c == '&' && markup) {
      size_t j = i;
      while (j < n && text[j] == '&') ++j;
      size_t end = j;
      while (end < n && end - j < 12 && (IsWordByte(static_cast<unsigned char>(text[end])) || text[end] == '#')) ++end;
      if (end < n && end > j && text[end] == ';') {
        for (const char32_t u : DecodedReference(text.substr(j, end - j + 1)))
          if (QChar::isLetterOrNumber(u))
            AppendFolded(word, u);
          else
            flush();
        i = end + 1;
      } else {
        flush();
        i = j;
      }
      continue;
    }
    if (c < 0x80) {
      if (!IsWordByte(c)) {
        flush();
        ++i;
        continue;
      }
      // A run of ASCII letters and digits is taken at once.
      size_t end = i + 1;
      unsigned kinds = kWordBytes.kind[c];
      for (unsigned kind; end < n && (kind = kWordBytes.kind[static_cast<unsigned char>(text[end])]) != 0; ++end)
        kinds |= kind;
      const bool capitals = (kinds & 2) != 0;
      // Most words are such a run alone, ended by plain ASCII: given as they stand.
      const bool ends = end == n || (static_cast<unsigned char>(text[end]) < 0x80 && !(markup && text[end] == '&'));
      if (word.empty() && ends && !capitals) {
        onWord(text.substr(i, end - i), field);
        i = end;
        continue;
      }
      const size_t from = word.size();
      word.append(text.substr(i, end - i));
      for (size_t k = from; k < word.size(); ++k)
        if (word[k] >= 'A' && word[k] <= 'Z') word[k] = static_cast<char>(word[k] + 32);
      i = end;
      continue;
    }
    const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    bool whole = length > 1 && i + length <= n;
    for (size_t k = 1; whole && k < length; ++k) whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (!whole) {  // not the start of a whole character
      flush();
      ++i;
      continue;
    }
    char32_t u = c & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) u = (u << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    const QChar::Category category = QChar::category(u);
    if (QChar::isLetterOrNumber(u) || category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining)
      word.append(text.substr(i, length));
    else
      flush();
    i += length;
  }
  flush();
}

template <class OnWord>
void ForEachWord(std::string_view text, bool markup, OnWord&& onWord) {
  WordState state;
  ForEachWordFrom(text, markup, state, onWord);
}

}  // namespace lumora::content::words
