#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

#include "content/glance.h"
#include "content/text_helpers.h"

// The words of a page as the search weighs them. Used by the query's reader
// and by the word index, which must split text the same way.
namespace lumora::content::words {

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

// Calls onWord(word, field) for every word of text (a view valid during the
// call): runs of letters, digits, combining marks and "_" (so
// "autovacuum_naptime" is one word). A reader that skips (SkipsWords) is
// given only the words that begin as it asks, and told how many it passed,
// which is how a single search reads many pages fast. With markup,
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
    if (word.empty() && !(markup && (c == '<' || c == '&'))) {
      const size_t next = PlainWords(text, i, markup, state, onWord);
      if (next == std::string_view::npos) return;
      if (next > i) {
        i = next;
        continue;
      }
    }
#endif
    if (c == '<' && markup) {
      flush();
      i = SkipMarkup(text, i, state);
      if (i == std::string_view::npos) return;
      continue;
    }
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
    if (IsWordCharacter(u))
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
