#include "content/search.h"

#include "content/text_helpers.h"
#include "platform/text.h"

namespace lumora::content {

std::vector<QString> SplitQuery(const QString& query) {
  std::vector<QString> words{QString()};
  QString rest = platform::TrimBlanks(query);
  // The append rule looks at word 0, not at the last word.
  auto store = [&words](const QString& word) {
    if (!words.front().isEmpty()) words.emplace_back();
    words.back() = platform::AnsiLower(word);
  };
  for (qsizetype blank = rest.indexOf(QLatin1Char(' ')); blank >= 0; blank = rest.indexOf(QLatin1Char(' '))) {
    store(rest.left(blank));
    rest = rest.mid(blank + 1);
  }
  store(rest);
  return words;
}

long long ScorePage(const QString& path, const std::vector<QString>& words, const Pump& pump) {
  const QString text = platform::AnsiLower(EscapeForDisplay(ReadPageText(path)));
  long long score = 0;
  for (const QString& word : words) {
    // An empty word matches at every position, as in the original.
    for (qsizetype at = text.indexOf(word, 0); at >= 0 && at < text.size(); at = text.indexOf(word, at + 1)) ++score;
    if (pump) pump();
  }
  return score;
}

StringTable SearchPages(const StringTable& index, const std::vector<QString>& words, const Pump& pump) {
  StringTable results(3);
  for (int i = 0; i < index.Count(); ++i) {
    const long long score = ScorePage(index.At(2, i), words, pump);
    if (score <= 0) continue;
    const int entry = results.Grow();
    results.Set(0, entry, index.At(0, i));
    results.Set(1, entry, QString::number(score));
    results.Set(2, entry, index.At(2, i));
    if (pump) pump();
  }
  SortTable(results, true, 1);
  return results;
}

}  // namespace lumora::content
