#include "content/relevance.h"

#include <libstemmer.h>

#include <QChar>
#include <QList>
#include <QStringList>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "content/text_helpers.h"

namespace lumora::content {
namespace {

enum class Field { Body, Heading, Title };

bool IsWordByte(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || (c >= 'A' && c <= 'Z'); }

void AppendFolded(std::string& word, char32_t c) {
  const QString folded = QString::fromUcs4(&c, 1).toCaseFolded();
  word += folded.toStdString();
}

// Calls onWord(word, field) for every word of text: runs of letters, digits,
// combining marks and "_" (so "autovacuum_naptime" is one word). With markup,
// text is a page as the search writes it: tags, comments, scripts and styles
// are passed over, the title and the subject are one field and h1 to h6
// another, and character references ("&" doubled) read as their characters.
template <class OnWord>
void ForEachWord(std::string_view text, bool markup, OnWord&& onWord) {
  Field field = Field::Body;
  std::string word;
  const auto flush = [&] {
    if (!word.empty()) onWord(word, field);
    word.clear();
  };
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '<' && markup) {
      flush();
      if (text.substr(i, 4) == "<!--") {
        const size_t end = text.find("-->", i + 4);
        i = end == std::string_view::npos ? n : end + 3;
        continue;
      }
      size_t j = i + 1;
      const bool closing = j < n && text[j] == '/';
      if (closing) ++j;
      const size_t start = j;
      while (j < n && (IsWordByte(static_cast<unsigned char>(text[j])) || text[j] == ':')) ++j;
      const std::string_view name = text.substr(start, j - start);
      if (!closing && (name == "script" || name == "style")) {
        const size_t end = text.find(std::string("</").append(name), j);
        i = end == std::string_view::npos ? n : end;
        continue;
      }
      if (name == "title" || name == "o:subject")
        field = closing ? Field::Body : Field::Title;
      else if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
        field = closing ? Field::Body : Field::Heading;
      const size_t end = text.find('>', j);
      i = end == std::string_view::npos ? n : end + 1;
      continue;
    }
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
      if (IsWordByte(c))
        word += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
      else
        flush();
      ++i;
      continue;
    }
    const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (length == 1 || i + length > n) {  // not the start of a whole character
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

// A Snowball stemmer for each thread that stems: they are not thread-safe.
struct Stemmer {
  std::string language;
  std::unique_ptr<sb_stemmer, void (*)(sb_stemmer*)> stemmer{nullptr, sb_stemmer_delete};
};

// A longer word that starts with the one typed ("vacuum" in "vacuuming"
// where no stemmer joins them) counts this much of a whole word.
constexpr double kPrefixMatch = 0.3;

}  // namespace

Relevance::Relevance(const QString& typed, const QString& language) : language_(language.toStdString()) {
  // Words and quoted phrases; a typed word that holds several page words
  // ("os.path") is a phrase of them.
  const QStringList parts = typed.split(QLatin1Char('"'));
  for (qsizetype p = 0; p < parts.size(); ++p) {
    const bool quoted = p % 2 == 1 && p + 1 < parts.size();
    const QString folded = parts[p].toLower().toCaseFolded();
    const std::string utf8 = folded.toStdString();
    std::vector<std::string> chunk;
    ForEachWord(utf8, false, [&](const std::string& word, Field) { chunk.push_back(word); });
    if (quoted) {
      if (!chunk.empty()) terms_.push_back({chunk, {}});
      continue;
    }
    for (const QString& typedWord : folded.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      Term term;
      ForEachWord(typedWord.toStdString(), false, [&](const std::string& word, Field) { term.words.push_back(word); });
      if (!term.words.empty()) terms_.push_back(std::move(term));
    }
  }
  for (Term& term : terms_)
    for (const std::string& word : term.words) term.stems.push_back(Stem(word));
}

std::string Relevance::Stem(const std::string& word) const {
  thread_local Stemmer own;
  if (own.language != language_) {
    own.language = language_;
    own.stemmer.reset(sb_stemmer_new(language_.c_str(), "UTF_8"));
  }
  if (!own.stemmer) return word;
  const sb_symbol* stem = sb_stemmer_stem(own.stemmer.get(), reinterpret_cast<const sb_symbol*>(word.data()),
                                          static_cast<int>(word.size()));
  if (!stem) return word;  // out of memory: the word as it is
  return std::string(reinterpret_cast<const char*>(stem), static_cast<size_t>(sb_stemmer_length(own.stemmer.get())));
}

PageTerms Relevance::Read(std::string_view text) const {
  PageTerms page;
  page.terms.resize(terms_.size());
  std::vector<size_t> progress(terms_.size(), 0);  // words of each phrase matched so far
  std::unordered_map<std::string, std::string> stems;
  const auto matches = [&](const std::string& word, const Term& term, size_t k) -> double {
    const std::string& wanted = term.words[k];
    const std::string& stem = term.stems[k];
    // Most words differ at once: a word, its stem and its inflections share their first letter.
    if (word[0] != wanted[0] && (stem.empty() || word[0] != stem[0])) return 0;
    if (word == wanted) return 1;
    // Only a word that starts as the stem does can have that stem.
    if (word.compare(0, std::min<size_t>(3, stem.size()), stem, 0, std::min<size_t>(3, stem.size())) == 0) {
      auto known = stems.find(word);
      if (known == stems.end()) known = stems.emplace(word, Stem(word)).first;
      if (known->second == stem) return 1;
    }
    return term.words.size() == 1 && wanted.size() >= 2 && word.size() > wanted.size() && word.starts_with(wanted)
               ? kPrefixMatch
               : 0;
  };
  ForEachWord(text, true, [&](const std::string& word, Field field) {
    ++page.words;
    if (field == Field::Title) ++page.titleWords;
    for (size_t t = 0; t < terms_.size(); ++t) {
      const Term& term = terms_[t];
      double found = 0;
      if (term.words.size() == 1) {
        found = matches(word, term, 0);
      } else {
        size_t& k = progress[t];
        k = matches(word, term, k) >= 1 ? k + 1 : (matches(word, term, 0) >= 1 ? 1 : 0);
        if (k == term.words.size()) {
          found = 1;
          k = 0;
        }
      }
      if (found == 0) continue;
      TermCounts& counts = page.terms[t];
      (field == Field::Title ? counts.title : field == Field::Heading ? counts.heading : counts.body) += found;
    }
  });
  return page;
}

// BM25 for each field, weighed: a word in the title or subject weighs 3, in a
// heading 1.5, in the text 1. Each field's frequency saturates on its own (k1),
// so a long text that repeats a word cannot outweigh the title that names it;
// the title's and the text's are normalised by their length against the
// average (b), so a title that is the word itself ("VACUUM") weighs more than
// one that also names other things.
// Every term is worth its rarity among the pages (idf):
//   score = sum over terms of idf * (3 * S(title, titleWords / averageTitle) + 1.5 * S(heading, 1)
//                                    + S(text, words / average))
//   S(tf, n) = tf * (k1 + 1) / (tf + k1 * (1 - b + b * n)),   k1 = 1.2, b = 0.75
//   idf      = ln(1 + (pages - df + 0.5) / (df + 0.5)),       df: pages that hold the term
// A phrase of all the words typed, found as it stands, adds a term of its own.
std::vector<double> Relevance::Scores(const std::vector<PageTerms>& pages) const {
  constexpr double kTitle = 3, kHeading = 1.5, k1 = 1.2, b = 0.75;
  const auto saturated = [](double tf, double length) { return tf * (k1 + 1) / (tf + k1 * (1 - b + b * length)); };
  std::vector<double> scores(pages.size(), 0);
  if (pages.empty()) return scores;
  double average = 0, averageTitle = 0;
  for (const PageTerms& page : pages) {
    average += page.words;
    averageTitle += page.titleWords;
  }
  average = std::max(1.0, average / static_cast<double>(pages.size()));
  averageTitle = std::max(1.0, averageTitle / static_cast<double>(pages.size()));
  for (size_t t = 0; t < terms_.size(); ++t) {
    double df = 0;
    for (const PageTerms& page : pages) df += page.terms[t].Any() ? 1 : 0;
    const double idf = std::log(1 + (static_cast<double>(pages.size()) - df + 0.5) / (df + 0.5));
    for (size_t p = 0; p < pages.size(); ++p) {
      const TermCounts& counts = pages[p].terms[t];
      if (!counts.Any()) continue;
      scores[p] += idf * (kTitle * saturated(counts.title, pages[p].titleWords / averageTitle) +
                          kHeading * saturated(counts.heading, 1) +
                          saturated(counts.body, pages[p].words / average));
    }
  }
  return scores;
}

QString Relevance::StemmerLanguage(const QString& localeLanguage) {
  const QString name = localeLanguage.toLower();
  const char** known = sb_stemmer_list();
  for (; *known; ++known)
    if (name == QLatin1String(*known)) return name;
  return QStringLiteral("english");
}

}  // namespace lumora::content
