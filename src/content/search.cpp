#include "content/search.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "content/page_bytes.h"
#include "content/page_text.h"
#include "content/text_helpers.h"
#include "content/words.h"
#include "core/files.h"
#include "core/text.h"

namespace lumora::content {

std::vector<QString> SplitQuery(const QString& query) {
  std::vector<QString> words{QString()};
  QString rest = core::TrimBlanks(query);
  // The append rule looks at word 0, not at the last word.
  auto store = [&words](const QString& word) {
    if (!words.front().isEmpty()) words.emplace_back();
    words.back() = core::LowerText(word).remove(QLatin1Char('"'));
  };
  for (qsizetype blank = rest.indexOf(QLatin1Char(' ')); blank >= 0; blank = rest.indexOf(QLatin1Char(' '))) {
    store(rest.left(blank));
    rest = rest.mid(blank + 1);
  }
  store(rest);
  return words;
}

QueryWords::QueryWords(const std::vector<QString>& words) {
  for (const QString& word : words) {
    const QByteArray ansi = core::ToAnsi(word);
    // A character the code page lacks can never occur in an ANSI page.
    ansi_.push_back(core::FromAnsi(ansi) == word ? ansi : QByteArray());
    // Pages are counted case-folded, so a final sigma finds its capital.
    utf8_.push_back(word.isValidUtf16() ? word.toCaseFolded().toUtf8() : QByteArray());
  }
}

bool SearchText(QByteArrayView page, std::string& text) {
  const PageEncoding encoding = DetectEncoding(page);
  if (encoding.kind == PageEncoding::Ansi) {
    EscapeAndLower(page, false, text);
    return false;
  }
  const QByteArrayView body = WithoutCutCharacter(page).sliced(encoding.bom);
  if (encoding.kind != PageEncoding::Utf8 || !EscapeAndLower(body, true, text)) {
    // Other encodings, and bytes that do not decode cleanly, are counted
    // in their decoded text, written as UTF-8.
    EscapeAndLower(Decode(page, encoding).toUtf8(), true, text);
  }
  return true;
}

long long QueryWords::Score(QByteArrayView page) const {
  thread_local std::string text;
  return SearchText(page, text) ? Count(text, utf8_) : Count(text, ansi_);
}

long long QueryWords::Count(std::string_view text, const std::vector<QByteArray>& words) {
  long long score = 0;
  for (const QByteArray& word : words) score += CountOverlapping(text, word);
  return score;
}

long long ScorePage(const QString& path, const std::vector<QString>& words) {
  return QueryWords(words).Score(core::ReadRegularFile(path, kMaxPageBytes));
}


namespace {

// What a thread keeps of the query it reads pages for: the beginnings of the
// words it needs, and what the words it met lately count for each word of
// each term (a page gives the same few words again and again).
class QueryMemory final {
 public:
  static QueryMemory& For(const Relevance& relevance) {
    thread_local QueryMemory memory;
    if (memory.serial_ != relevance.Serial()) memory.Reset(relevance);
    memory.relevance_ = &relevance;  // a copy of the one it was made for may ask
    return memory;
  }
  // Matches(word, t, k) for every term t and each of its words k, in that order.
  const double* Weights(std::string_view word) {
    // A word of up to eight bytes is its own key (its bytes, read in
    // fixed-size pieces that overlap, with its size); a longer one is known
    // by its hash and compared.
    const char* const bytes = word.data();
    const size_t size = word.size();
    uint64_t key = 0;
    if (size >= 8) {
      std::memcpy(&key, bytes, 8);
      for (const char c : word.substr(8)) key = (key ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    } else if (size >= 4) {
      uint32_t first = 0, last = 0;
      std::memcpy(&first, bytes, 4);
      std::memcpy(&last, bytes + size - 4, 4);
      key = first | uint64_t{last} << 32;
    } else if (size > 0) {
      const auto byte = [bytes](size_t k) { return uint64_t{static_cast<unsigned char>(bytes[k])}; };
      key = byte(0) | byte(size / 2) << 8 | byte(size - 1) << 16;
    }
    const size_t slot = ((key ^ word.size()) * 0x9E3779B97F4A7C15ull) >> 56;
    Known& known = known_[slot];
    double* weights = weights_.data() + slot * pairs_;
    if (known.key != key || known.size != word.size() || (word.size() > 8 && known.word != word)) {
      known = {key, word.size(), word.size() > 8 ? std::string(word) : std::string()};
      for (size_t t = 0, at = 0; t < relevance_->Terms(); ++t)
        for (size_t k = 0; k < relevance_->TermLength(t); ++k) weights[at++] = relevance_->Matches(word, t, k);
    }
    return weights;
  }
  words::WordStarts starts;

 private:
  void Reset(const Relevance& relevance) {
    serial_ = relevance.Serial();
    starts = words::WordStarts(relevance.WordStarts());
    pairs_ = 0;
    for (size_t t = 0; t < relevance.Terms(); ++t) pairs_ += relevance.TermLength(t);
    weights_.assign(known_.size() * pairs_, 0);
    known_.fill(Known{});
  }
  struct Known {
    uint64_t key = 0;
    size_t size = SIZE_MAX;  // none yet
    std::string word;        // a word longer than its key
  };
  uint64_t serial_ = 0;
  const Relevance* relevance_ = nullptr;
  size_t pairs_ = 0;
  std::array<Known, 256> known_;
  std::vector<double> weights_;
};

// Reads a page's words for the terms of one query; words that cannot match
// any term are only counted.
struct TermReader {
  explicit TermReader(const Relevance& relevance)
      : relevance(relevance), memory(QueryMemory::For(relevance)), starts(memory.starts),
        tallies(relevance.Terms()), phrases(relevance.Terms()), reached(relevance.Terms(), 0) {
    for (size_t t = 0; t < relevance.Terms(); ++t) {
      lengths.push_back(relevance.TermLength(t));
      hasPhrase = hasPhrase || lengths.back() > 1;
    }
  }
  void operator()(std::string_view word, words::Field field) {
    ++held.words;
    held.titleWords += field == words::Field::Title ? 1 : 0;
    const double* weights = memory.Weights(word);
    for (size_t t = 0; t < tallies.size(); ++t) {
      const size_t length = lengths[t];
      const double* of = weights;  // this term's words
      weights += length;
      if (length == 1) {
        tallies[t].Add(of[0], static_cast<int>(field), of[0] > 0 ? 1 : 0);
        continue;
      }
      size_t& k = reached[t];
      k = of[k] >= 1 ? k + 1 : (of[0] >= 1 ? 1 : 0);
      if (k < length) continue;
      k = 0;
      TermCounts& found = phrases[t];
      (field == words::Field::Title ? found.title : field == words::Field::Heading ? found.heading : found.body) += 1;
    }
  }
  // Words that match no term: counted, and no phrase goes on across them.
  void Skipped(unsigned count, words::Field field) {
    held.words += static_cast<int>(count);
    held.titleWords += field == words::Field::Title ? static_cast<int>(count) : 0;
    if (hasPhrase) std::fill(reached.begin(), reached.end(), 0);  // told only of words passed, never of none
  }
  PageTerms Counts() {
    held.terms.resize(tallies.size());
    for (size_t t = 0; t < tallies.size(); ++t)
      held.terms[t] = relevance.TermLength(t) == 1 ? tallies[t].Counts() : phrases[t];
    return std::move(held);
  }

  const Relevance& relevance;
  QueryMemory& memory;
  const words::WordStarts& starts;
  PageTerms held;
  std::vector<TermTally> tallies;
  std::vector<TermCounts> phrases;
  std::vector<size_t> reached;  // how many words of each phrase the last words were
  std::vector<size_t> lengths;  // of each term, in words
  bool hasPhrase = false;
};

}  // namespace

PageAnswer AnswerPage(QByteArrayView page, const QueryWords& query, const Relevance& relevance) {
  thread_local std::string text, converted;
  PageAnswer answer;
  const bool utf8 = SearchText(page, text);
  answer.hits = query.Count(text, utf8);
  if (relevance.Empty()) return answer;
  std::string_view readable = text;
  // Words are read in UTF-8, as the word index reads them.
  if (!utf8 && !IsAscii(text)) {
    converted = core::FromAnsi(QByteArrayView(text.data(), static_cast<qsizetype>(text.size()))).toStdString();
    readable = converted;
  }
  TermReader reader(relevance);
  words::ForEachWord(readable, true, reader);
  answer.terms = reader.Counts();
  return answer;
}

std::vector<SearchHit> ListAnswers(const std::vector<Topic>& index, const Relevance& relevance,
                                   const std::function<const PageAnswer*(const QString& path)>& answerOf) {
  const bool ranked = !relevance.Empty();
  const size_t terms = relevance.Terms();
  const size_t count = index.size();
  std::vector<long long> scores(count, 0);
  std::vector<PageTerms> pageTerms(ranked ? count : 0);
  for (size_t row = 0; row < count; ++row) {
    const PageAnswer* answer = answerOf(index[row].path);
    if (answer) scores[row] = answer->hits;
    if (!ranked) continue;
    if (answer) pageTerms[row] = answer->terms;
    pageTerms[row].terms.resize(terms);
  }
  std::vector<int> held(count, 0);
  std::vector<double> relevant(count, 0);
  if (ranked) {
    relevant = relevance.Scores(pageTerms);
    for (size_t i = 0; i < count; ++i)
      for (const TermCounts& term : pageTerms[i].terms) held[i] += term.Any() ? 1 : 0;
  }
  std::vector<size_t> listed;
  for (size_t i = 0; i < count; ++i)
    if (scores[i] > 0 || held[i] > 0) listed.push_back(i);
  std::stable_sort(listed.begin(), listed.end(), [&](size_t x, size_t y) {
    if (held[x] != held[y]) return held[x] > held[y];
    if (relevant[x] != relevant[y]) return relevant[x] > relevant[y];
    return scores[x] > scores[y];
  });
  std::vector<SearchHit> results;
  results.reserve(listed.size());
  for (const size_t i : listed) results.push_back({index[i], scores[i]});
  return results;
}

// A first search reads every page for the query alone: building the word
// index on the way would take several times as long, and the window keeps
// its own index for the searches after.
std::vector<SearchHit> SearchPages(const std::vector<Topic>& index, const std::vector<QString>& words,
                                   const core::Pump& pump, const Ranking& ranking) {
  const QueryWords query(words);
  const Relevance relevance(ranking.typed, ranking.language);
  std::vector<QString> paths;
  QHash<QString, size_t> slotOf;
  for (const Topic& topic : index) {
    const QString& path = topic.path;
    if (path.isEmpty() || slotOf.contains(path)) continue;
    slotOf.insert(path, paths.size());
    paths.push_back(path);
  }
  std::vector<PageAnswer> answers(paths.size());
  const bool done = RunInParallel(
      static_cast<int>(paths.size()),
      [&](int i) {
        const auto at = static_cast<size_t>(i);
        answers[at] = AnswerPage(core::ReadRegularFile(paths[at], kMaxPageBytes), query, relevance);
      },
      pump);
  if (!done) return {};
  return ListAnswers(index, relevance, [&](const QString& path) -> const PageAnswer* {
    const auto slot = slotOf.constFind(path);
    return slot == slotOf.constEnd() ? nullptr : &answers[*slot];
  });
}

}  // namespace lumora::content
