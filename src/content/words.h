#pragma once

#include <QChar>
#include <QList>
#include <QString>
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

// The beginnings (one to three bytes) of the only words a reader of words
// needs one by one: it calls itself a reader that skips, by a member
// `starts` of this type and a call Skipped(count, field) for the words passed.
struct WordStarts {
  std::vector<std::string> starts;
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

// Reads the words of the sixteen bytes at text[at] up to the first byte that
// needs more than a glance (markup, a reference, a byte beyond ASCII) and
// gives each that ends before it. Returns the bytes read, which stop at the
// start of a word that may go on (0: none could be read).
template <class OnWord>
size_t PlainWords(std::string_view text, size_t at, bool markup, Field field, OnWord& onWord) {
  if (at + 18 > text.size()) return 0;
  const auto load = [&text, at](size_t k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at + k)); };
  const __m128i bytes = load(0);
  const auto in = [](__m128i b, char low, char high) {
    return _mm_and_si128(_mm_cmpgt_epi8(b, _mm_set1_epi8(static_cast<char>(low - 1))),
                         _mm_cmplt_epi8(b, _mm_set1_epi8(static_cast<char>(high + 1))));
  };
  const auto mask = [](__m128i b) { return static_cast<unsigned>(_mm_movemask_epi8(b)); };
  unsigned special = mask(bytes);  // beyond ASCII
  if (markup)
    special |= mask(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('<')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('&'))));
  const unsigned limit = special != 0 ? static_cast<unsigned>(__builtin_ctz(special)) : 16;
  const unsigned capitals = mask(in(bytes, 'A', 'Z'));
  const unsigned inWord = capitals | mask(_mm_or_si128(_mm_or_si128(in(bytes, 'a', 'z'), in(bytes, '0', '9')),
                                                       _mm_cmpeq_epi8(bytes, _mm_set1_epi8('_'))));
  const unsigned starts = inWord & ~(inWord << 1);
  // A word that reaches the first byte not read may go on beyond it.
  unsigned cut = limit;
  if (limit > 0 && (inWord >> (limit - 1) & 1) != 0)
    cut = 31 - static_cast<unsigned>(__builtin_clz(starts & ((1u << limit) - 1)));
  const unsigned whole = starts & ((1u << cut) - 1);
  if (whole == 0) return cut;
  thread_local std::string lowered;
  const auto give = [&](unsigned start) {
    const auto end = static_cast<unsigned>(__builtin_ctz(~inWord >> start << start));  // bits 16 and up are set
    std::string_view word = text.substr(at + start, end - start);
    if ((capitals & ((1u << end) - (1u << start))) != 0) {
      lowered.assign(word);
      for (char& c : lowered) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
      word = lowered;
    }
    onWord(word, field);
  };
  unsigned wanted = whole;
  if constexpr (SkipsWords<OnWord>) {
    // Only the words that begin as the reader needs are given one by one.
    const __m128i at1 = LowerAsciiBlock(load(1)), at2 = LowerAsciiBlock(load(2)), at0 = LowerAsciiBlock(bytes);
    wanted = 0;
    for (const std::string& begin : static_cast<const WordStarts&>(onWord.starts).starts) {
      unsigned found = mask(_mm_cmpeq_epi8(at0, _mm_set1_epi8(begin[0])));
      if (begin.size() > 1) found &= mask(_mm_cmpeq_epi8(at1, _mm_set1_epi8(begin[1])));
      if (begin.size() > 2) found &= mask(_mm_cmpeq_epi8(at2, _mm_set1_epi8(begin[2])));
      wanted |= found;
    }
    wanted &= whole;
    unsigned from = 0;
    for (unsigned rest = wanted; rest != 0; rest &= rest - 1) {
      const auto start = static_cast<unsigned>(__builtin_ctz(rest));
      if (const auto passed = Count16(whole & ((1u << start) - (1u << from))))
        onWord.Skipped(passed, field);
      give(start);
      from = start + 1;
    }
    if (const auto passed = Count16(whole & ((1u << cut) - (1u << from))))
      onWord.Skipped(passed, field);
    return cut;
  }
  for (unsigned rest = wanted; rest != 0; rest &= rest - 1) give(static_cast<unsigned>(__builtin_ctz(rest)));
  return cut;
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
#if defined(__SSE2__)
    if (word.empty()) {
      const size_t taken = PlainWords(text, i, markup, field, onWord);
      if (taken > 0) {
        i += taken;
        continue;
      }
    }
#endif
    const auto c = static_cast<unsigned char>(text[i]);
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
