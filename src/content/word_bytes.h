#pragma once

#include <QChar>
#include <cstddef>
#include <string_view>
#include <vector>

// What bytes and characters are to a word, and how a page's markup is passed
// over: shared by every reader of words, at a glance or byte by byte.
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

// Whether a character beyond ASCII belongs to a word: a letter, a digit or a
// combining mark. The alphabets most pages use are looked up in a table.
inline constexpr char32_t kTabledCharacters = 0x3000;
inline bool IsWordCharacter(char32_t u) {
  const auto ask = [](char32_t c) {
    const QChar::Category category = QChar::category(c);
    return QChar::isLetterOrNumber(c) || category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining;
  };
  static const std::vector<bool> tabled = [&ask] {
    std::vector<bool> table(kTabledCharacters);
    for (char32_t c = 0; c < kTabledCharacters; ++c) table[c] = ask(c);
    return table;
  }();
  return u < kTabledCharacters ? tabled[u] : ask(u);
}

// Where the reading of a page's markup stands between two pieces of its text.
struct WordState {
  enum class Mode : unsigned char { Text, Tag, Comment, Script, Style };
  Field field = Field::Body;
  Mode mode = Mode::Text;
  bool operator==(const WordState&) const = default;
};

// Passes the markup that starts at text[i] ("<"): a tag, with the field it
// opens or closes, a comment, or a script or style up to its closing tag.
// Returns where the text goes on, or npos when it ends inside the markup
// (the state then says in what).
inline size_t SkipMarkup(std::string_view text, size_t i, WordState& state) {
  using Mode = WordState::Mode;
  constexpr size_t npos = std::string_view::npos;
  const size_t n = text.size();
  if (text.substr(i, 4) == "<!--") {
    const size_t end = text.find("-->", i + 4);
    if (end == npos) state.mode = Mode::Comment;
    return end == npos ? npos : end + 3;
  }
  size_t j = i + 1;
  const bool closing = j < n && text[j] == '/';
  if (closing) ++j;
  const size_t start = j;
  while (j < n && (IsWordByte(static_cast<unsigned char>(text[j])) || text[j] == ':')) ++j;
  const std::string_view name = text.substr(start, j - start);
  if (!closing && (name == "script" || name == "style")) {
    const size_t end = text.find(name == "script" ? "</script" : "</style", j);
    if (end == npos) state.mode = name == "script" ? Mode::Script : Mode::Style;
    return end;
  }
  if (name == "title" || name == "o:subject")
    state.field = closing ? Field::Body : Field::Title;
  else if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
    state.field = closing ? Field::Body : Field::Heading;
  const size_t end = text.find('>', j);
  if (end == npos) state.mode = Mode::Tag;
  return end == npos ? npos : end + 1;
}

}  // namespace lumora::content::words
