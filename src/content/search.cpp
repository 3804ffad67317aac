#include "content/search.h"

#include <string>

#include "content/page_bytes.h"
#include "content/page_text.h"
#include "content/text_helpers.h"
#include "content/topic_index.h"
#include "platform/files.h"
#include "platform/text.h"

namespace lumora::content {

std::vector<QString> SplitQuery(const QString& query) {
  std::vector<QString> words{QString()};
  QString rest = platform::TrimBlanks(query);
  // The append rule looks at word 0, not at the last word.
  auto store = [&words](const QString& word) {
    if (!words.front().isEmpty()) words.emplace_back();
    words.back() = platform::LowerText(word).remove(QLatin1Char('"'));
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
    const QByteArray ansi = platform::ToAnsi(word);
    // A character the code page lacks can never occur in an ANSI page.
    ansi_.push_back(platform::FromAnsi(ansi) == word ? ansi : QByteArray());
    // Pages are counted case-folded, so a final sigma finds its capital.
    utf8_.push_back(word.isValidUtf16() ? word.toCaseFolded().toUtf8() : QByteArray());
  }
}

bool QueryWords::Lowered(QByteArrayView page, std::string& text) const {
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
  return Lowered(page, text) ? Count(text, utf8_) : Count(text, ansi_);
}

long long QueryWords::Score(QByteArrayView page, const Relevance& relevance, PageTerms& terms) const {
  thread_local std::string text;
  if (Lowered(page, text)) {
    terms = relevance.Read(text);
    return Count(text, utf8_);
  }
  const long long count = Count(text, ansi_);
  terms = relevance.Read(platform::FromAnsi(QByteArrayView(text.data(), static_cast<qsizetype>(text.size()))).toStdString());
  return count;
}

long long QueryWords::Count(std::string_view text, const std::vector<QByteArray>& words) {
  long long score = 0;
  for (const QByteArray& word : words) score += CountOverlapping(text, word);
  return score;
}

long long ScorePage(const QString& path, const std::vector<QString>& words) {
  return QueryWords(words).Score(platform::ReadRegularFile(path, kMaxPageBytes));
}

StringTable SearchPages(const StringTable& index, const std::vector<QString>& words, const Pump& pump,
                        const Ranking& ranking) {
  const QueryWords query(words);
  const Relevance relevance(ranking.typed, ranking.language);
  const bool ranked = !relevance.Empty();
  const int count = index.Count();
  std::vector<QString> paths(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const QString real = index.At(indexRealPath, i);
    paths[static_cast<size_t>(i)] = real.isEmpty() ? index.At(indexPath, i) : real;
  }
  std::vector<long long> scores(static_cast<size_t>(count), 0);
  std::vector<PageTerms> terms(ranked ? static_cast<size_t>(count) : 0);
  const bool done = RunInParallel(
      count,
      [&](int i) {
        const auto at = static_cast<size_t>(i);
        if (paths[at].isEmpty()) return;
        const QByteArray page = platform::ReadRegularFile(paths[at], kMaxPageBytes);
        scores[at] = ranked ? query.Score(page, relevance, terms[at]) : query.Score(page);
      },
      pump);
  StringTable results(kIndexFields);
  if (!done) return results;
  std::vector<int> held(static_cast<size_t>(count), 0);
  std::vector<double> relevant(static_cast<size_t>(count), 0);
  if (ranked) {
    relevant = relevance.Scores(terms);
    for (size_t i = 0; i < terms.size(); ++i)
      for (const TermCounts& term : terms[i].terms) held[i] += term.Any() ? 1 : 0;
  }
  std::vector<int> listed;
  for (int i = 0; i < count; ++i)
    if (scores[static_cast<size_t>(i)] > 0 || held[static_cast<size_t>(i)] > 0) listed.push_back(i);
  std::stable_sort(listed.begin(), listed.end(), [&](int a, int b) {
    const auto x = static_cast<size_t>(a), y = static_cast<size_t>(b);
    if (held[x] != held[y]) return held[x] > held[y];
    if (relevant[x] != relevant[y]) return relevant[x] > relevant[y];
    return scores[x] > scores[y];
  });
  for (const int i : listed) {
    const int entry = results.Grow();
    results.Set(0, entry, index.At(indexSubject, i));
    results.Set(1, entry, QString::number(scores[static_cast<size_t>(i)]));
    results.Set(indexPath, entry, index.At(indexPath, i));
    results.Set(indexRealPath, entry, paths[static_cast<size_t>(i)]);
  }
  return results;
}

}  // namespace lumora::content
