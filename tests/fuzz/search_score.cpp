#include "content/page_text.h"
#include "content/search.h"
#include "content/text_helpers.h"
#include "content/topic_index.h"
#include "content/word_index.h"
#include "content/words.h"
#include "fuzz.h"
#include "core/text.h"

using namespace lumora;

// The first line is the query, the rest the page. However the score takes its short cuts, it counts the words in the
// page's decoded text as the list shows it, lower case and case-folded; the word index, which counts from the page's
// runs between blanks, gives the same count. A typed query comes from a text box and never holds the replacement
// character; only broken input bytes give one, and a page's broken bytes may decode to it in more than one way.
FUZZ_TARGET(bytes) {
  const qsizetype newline = bytes.indexOf('\n');
  const QByteArrayView page = newline < 0 ? QByteArrayView() : bytes.sliced(newline + 1);
  const QString typed = QString::fromUtf8(newline < 0 ? bytes : bytes.first(newline));
  const std::vector<QString> words = content::SplitQuery(typed);
  const QByteArray text = core::LowerText(content::EscapeForDisplay(content::DecodePage(page))).toCaseFolded().toUtf8();
  for (const QString& word : words) if (word.contains(QChar::ReplacementCharacter)) return;
  long long expected = 0;
  for (const QString& word : words) {
    const QByteArray utf8 = word.toCaseFolded().toUtf8();
    for (qsizetype at = utf8.isEmpty() ? -1 : text.indexOf(utf8); at >= 0; at = text.indexOf(utf8, at + 1)) ++expected;
  }
  FUZZ_CHECK(content::QueryWords(words).Score(page) == expected);
  content::WordIndex index;
  index.Put(QStringLiteral("/page.html"), page);
  const std::vector<content::Topic> topics{{QStringLiteral("page"), {}, QStringLiteral("/page.html")}};
  const std::vector<content::SearchHit> found = index.Search(topics, words, {typed, QStringLiteral("english")});
  FUZZ_CHECK((found.empty() ? 0 : found[0].hits) == expected);
  // A first search reads the page for the query alone and lists it as the index does.
  const content::Relevance relevance(typed, QStringLiteral("english"));
  const content::PageAnswer answer = content::AnswerPage(page, content::QueryWords(words), relevance);
  FUZZ_CHECK(content::ListAnswers(topics, relevance, [&](const QString&) { return &answer; }) == found);

  // The index reads a page in pieces that end at blanks: they give the words and places the whole page gives.
  using Words = std::vector<std::pair<std::string, content::words::Field>>;
  Words whole, pieces;
  const std::string_view all(page.data(), static_cast<size_t>(page.size()));
  content::words::ForEachWord(all, true, [&](std::string_view word, auto field) { whole.emplace_back(word, field); });
  content::words::WordState state;
  for (size_t at = 0, blank = 0; at <= all.size(); at = blank + 1) {
    blank = std::min(all.find(' ', at), all.size());
    content::words::ForEachWordFrom(all.substr(at, blank - at), true, state,
                                    [&](std::string_view word, auto field) { pieces.emplace_back(word, field); });
  }
  FUZZ_CHECK(whole == pieces);
}
