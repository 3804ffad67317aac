#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "content/parallel.h"
#include "content/relevance.h"
#include "content/topic.h"

namespace lumora::content {

// The query's words, lower case, split at every blank after trimming, the
// double quotes of phrases left out:
//   "  Print  "        -> {"print"}
//   "print  setup"     -> {"print", "", "setup"}   (two blanks: an empty word)
std::vector<QString> SplitQuery(const QString& query);

// The query's words made ready to count in page bytes of either encoding.
class QueryWords final {
 public:
  explicit QueryWords(const std::vector<QString>& words);

  // How often the words occur in the page's text (decoded as the page
  // declares, escaped for display, lower case), overlapping occurrences
  // included: "aa" counts twice in "aaa". An empty word matches nothing.
  long long Score(QByteArrayView page) const;

  size_t Size() const { return utf8_.size(); }
  // How often the words occur in a page's search text (see SearchText).
  long long Count(std::string_view text, bool utf8) const { return Count(text, utf8 ? utf8_ : ansi_); }
  // Word i as it is counted in a UTF-8 or an ANSI page's text (empty when it
  // cannot occur there).
  const QByteArray& Encoded(size_t i, bool utf8) const { return utf8 ? utf8_[i] : ansi_[i]; }

 private:
  static long long Count(std::string_view text, const std::vector<QByteArray>& words);

  std::vector<QByteArray> ansi_;  // empty where the word cannot occur in an ANSI page
  std::vector<QByteArray> utf8_;
};

// Writes the page as the search counts in it into text: decoded as it
// declares, escaped for display, lower case and case-folded, as UTF-8; an
// ANSI page stays in its code page, lower case. True when text is UTF-8.
bool SearchText(QByteArrayView page, std::string& text);

// The score of the page at exactly this path; 0 when it cannot be read.
long long ScorePage(const QString& path, const std::vector<QString>& words);

// How results are ordered: by relevance to the query as typed, with the
// stemmer of this language; by the score (the count of the words) when the
// query is empty.
struct Ranking {
  QString typed;
  QString language;
};

// The pages of the index with a score above 0, highest score first and in
// index order among equal scores. Ranked, pages are listed that have a score
// or hold a term, those that hold more of the terms first, then by
// relevance, then by score. Stopped by the pump, it returns none.
std::vector<SearchHit> SearchPages(const std::vector<Topic>& index, const std::vector<QString>& words,
                                   const core::Pump& pump = {}, const Ranking& ranking = {});

// What one page holds of a query: the count the Hits column shows and, when
// ranked, what it holds of each term.
struct PageAnswer {
  long long hits = 0;
  PageTerms terms;
};

// Reads a page's bytes for one query, keeping nothing of its words: what the
// word index answers for the page, without building it.
PageAnswer AnswerPage(QByteArrayView page, const QueryWords& query, const Relevance& relevance);

// The pages of the index in the order SearchPages lists them, from the
// answer of the page at each searched path (nullptr: a page holding nothing).
std::vector<SearchHit> ListAnswers(const std::vector<Topic>& index, const Relevance& relevance,
                                   const std::function<const PageAnswer*(const QString& path)>& answerOf);

}  // namespace lumora::content
