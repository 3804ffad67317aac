#include "content/search.h"

#include <string>

#include "content/page_bytes.h"
#include "content/page_text.h"
#include "content/text_helpers.h"
#include "content/topic_index.h"
#include "content/word_index.h"
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

core::StringTable SearchPages(const core::StringTable& index, const std::vector<QString>& words, const core::Pump& pump,
                        const Ranking& ranking) {
  WordIndex pages;
  if (!pages.Update(index, pump)) return core::StringTable(kIndexFields);
  return pages.Search(index, words, ranking);
}

}  // namespace lumora::content
