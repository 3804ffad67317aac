#pragma once

#include <QChar>
#include <QString>
#include <string>
#include <string_view>

#include "content/text_helpers.h"

// The words of a page as the search weighs them. Used by the query's reader
// and by the word index, which must split text the same way.
namespace lumora::content::words {

enum class Field { Body, Heading, Title };

inline bool IsWordByte(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || (c >= 'A' && c <= 'Z'); }

inline void AppendFolded(std::string& word, char32_t c) {
  const QString folded = QString::fromUcs4(&c, 1).toCaseFolded();
  word += folded.toStdString();
}

// Where the reading of a page's markup stands between two pieces of its text.
struct WordState {
  enum class Mode : unsigned char { Text, Tag, Comment, Script, Style };
  Field field = Field::Body;
  Mode mode = Mode::Text;
  bool operator==(const WordState&) const = default;
};

// Calls onWord(word, field) for every word of text: runs of letters, digits,
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
    if (!word.empty()) onWord(word, field);
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
        const QString decoded = DecodeCharacterReferences(
            QLatin1Char('&') + QString::fromUtf8(text.substr(j, end - j + 1)));
        for (const char32_t u : decoded.toUcs4())
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
      while (end < n && IsWordByte(static_cast<unsigned char>(text[end]))) ++end;
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
