#include "content/relevance.h"

#include <libstemmer.h>

#include <QChar>
#include <QList>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "content/words.h"

namespace lumora::content {
namespace {

using words::Field;
using words::ForEachWord;

// A Snowball stemmer for each thread that stems: they are not thread-safe.
struct Stemmer {
  std::string language;
  std::unique_ptr<sb_stemmer, void (*)(sb_stemmer*)> stemmer{nullptr, sb_stemmer_delete};
};

// A longer word that starts with the one typed ("vacuum" in "vacuuming"
// where no stemmer joins them) counts this much of a whole word.
constexpr double kPrefixMatch = 0.3;

}  // namespace

TermCounts TermTally::Counts() const {
  const auto at = [this](Field field) {
    const auto i = static_cast<int>(field);
    return whole[i] + kPrefixMatch * longer[i];
  };
  return {at(Field::Title), at(Field::Heading), at(Field::Body)};
}

Relevance::Relevance(const QString& typed, const QString& language) : language_(language.toStdString()) {
  static std::atomic<uint64_t> made{0};
  serial_ = ++made;
  // Words and quoted phrases; a typed word that holds several page words
  // ("os.path") is a phrase of them.
  const QStringList parts = typed.split(QLatin1Char('"'));
  for (qsizetype p = 0; p < parts.size(); ++p) {
    const bool quoted = p % 2 == 1 && p + 1 < parts.size();
    const QString folded = parts[p].toLower().toCaseFolded();
    const std::string utf8 = folded.toStdString();
    std::vector<std::string> chunk;
    ForEachWord(utf8, false, [&](std::string_view word, Field) { chunk.emplace_back(word); });
    if (quoted) {
      if (!chunk.empty()) terms_.push_back({chunk, {}});
      continue;
    }
    for (const QString& typedWord : folded.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      Term term;
      ForEachWord(typedWord.toStdString(), false, [&](std::string_view word, Field) { term.words.emplace_back(word); });
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

const std::string& Relevance::KnownStem(std::string_view word) const {
  // A page says "printer" many times: each thread keeps the stems it found lately.
  thread_local std::string language;
  thread_local std::unordered_map<std::string, std::string> stems;
  if (language != language_) {
    language = language_;
    stems.clear();
  }
  std::string key(word);
  const auto found = stems.find(key);
  if (found != stems.end()) return found->second;
  if (stems.size() >= 4096) stems.clear();
  std::string stem = Stem(key);
  return stems.emplace(std::move(key), std::move(stem)).first->second;
}

double Relevance::Matches(std::string_view word, size_t term, size_t k) const {
  const Term& wanted = terms_[term];
  const std::string& whole = wanted.words[k];
  const std::string& stem = wanted.stems[k];
  // Most words differ at once: a word, its stem and its inflections share their first letter.
  if (word.empty() || (word[0] != whole[0] && (stem.empty() || word[0] != stem[0]))) return 0;
  if (word == whole) return 1;
  // Only a word that starts as the stem does can have that stem.
  const size_t shared = std::min<size_t>(3, stem.size());
  if (word.compare(0, shared, stem, 0, shared) == 0 && KnownStem(word) == stem) return 1;
  return wanted.words.size() == 1 && whole.size() >= 2 && word.starts_with(whole)  // longer: the word itself matched above
             ? kPrefixMatch
             : 0;
}

std::vector<std::string> Relevance::WordStarts() const {
  std::vector<std::string> starts;
  const auto add = [&starts](const std::string& begin) {
    if (std::find(starts.begin(), starts.end(), begin) == starts.end()) starts.push_back(begin);
  };
  for (const Term& term : terms_)
    for (size_t k = 0; k < term.words.size(); ++k) {
      // The word itself and the longer ones start with its first three bytes; an inflection starts as its stem does.
      add(term.words[k].substr(0, 3));
      add(term.stems[k].empty() ? term.words[k].substr(0, 1) : term.stems[k].substr(0, 3));
    }
  return starts;
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
  if (pages.empty()) return {};
  std::vector<double> scores(pages.size(), 0);
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
