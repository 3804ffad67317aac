#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::content {

// What one page holds of one term of a query, by where it stands: in the
// title or subject, in a heading, in the rest of the text. A whole word (or
// an inflection of it) counts 1, a longer word it starts counts less.
struct TermCounts {
  double title = 0;
  double heading = 0;
  double body = 0;
  bool Any() const { return title + heading + body > 0; }
};

// A term's counts in one page as they are found, whole words apart from the
// longer words that start with the one typed. Every sum is a whole number,
// so the counts come out the same in whatever order the page's words were
// added: the word index and a reading of the page agree to the last bit.
struct TermTally {
  double whole[3] = {};   // by field: text, heading, title
  double longer[3] = {};
  // Without a branch: which terms a word matches is not foreseeable.
  void Add(double weight, int field, double count) {
    whole[field] += weight == 1 ? count : 0;
    longer[field] += weight == 1 ? 0 : count;
  }
  TermCounts Counts() const;
};

struct PageTerms {
  std::vector<TermCounts> terms;  // one per term of the query
  int words = 0;                  // the length of the page, in words
  int titleWords = 0;             // of its title and subject
};

// Orders search results by how well a page answers the words typed. The
// query's words are terms of their own; words in double quotes are one term,
// a phrase. The word index counts what each page holds of the terms.
class Relevance final {
 public:
  // language: the Snowball stemmer's name ("english", "russian" ...); words
  // are matched without inflections when it has none.
  Relevance(const QString& typed, const QString& language);

  bool Empty() const { return terms_.empty(); }
  // A number no other Relevance made in this run has, which copies keep.
  uint64_t Serial() const { return serial_; }

  size_t Terms() const { return terms_.size(); }
  // The number of words of a term: 1, or more for a phrase.
  size_t TermLength(size_t term) const { return terms_[term].words.size(); }
  // How much a word of a page (case-folded UTF-8) counts as word k of a term:
  // 1 for the word or an inflection of it, less for a longer word that starts
  // with a single word typed, else 0.
  double Matches(std::string_view word, size_t term, size_t k) const;
  // The beginnings that every word Matches counts has: one of them starts it.
  std::vector<std::string> WordStarts() const;

  // The score of each page among all of them (BM25F, see the definition).
  std::vector<double> Scores(const std::vector<PageTerms>& pages) const;

  // The Snowball name of a language as QLocale spells it; English when the
  // locale names none.
  static QString StemmerLanguage(const QString& localeLanguage);

 private:
  struct Term {
    std::vector<std::string> words;  // case-folded UTF-8
    std::vector<std::string> stems;
  };
  std::string Stem(const std::string& word) const;
  const std::string& KnownStem(std::string_view word) const;

  std::vector<Term> terms_;
  std::string language_;
  uint64_t serial_;
};

}  // namespace lumora::content
