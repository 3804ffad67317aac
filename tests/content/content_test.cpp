#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "content/help_check.h"
#include "content/page_bytes.h"
#include "content/page_text.h"
#include "content/parallel.h"
#include "content/search.h"
#include "content/text_helpers.h"
#include "content/topic_index.h"
#include "content/word_index.h"
#include "content/words.h"
#include "core/files.h"
#include "core/text.h"
#include "support/test_files.h"

using namespace lumora::content;
using lumora::core::StringTable;
using Texts = std::vector<QString>;

namespace {

struct HelpFolder : testing::Test {
  QString Write(const QString& relative, const QByteArray& bytes) {
    EXPECT_TRUE(WriteFile(Root() + relative, bytes)) << relative.toStdString();
    return Root() + relative;
  }
  static QByteArray Page(const char* subject, const char* body = "") {
    return "<html><head><title>T</title><xml><o:Subject>" + QByteArray(subject) + "</o:Subject></xml></head><body>" + body;
  }
  QString Root() const { return dir_.path() + QLatin1Char('/'); }

  QTemporaryDir dir_;
};

QString Subjects(const std::vector<Topic>& topics) {  // joined by "|"
  QStringList texts;
  for (const Topic& topic : topics) texts += topic.subject;
  return texts.join(u'|');
}

QString Ranked(const std::vector<SearchHit>& hits) {  // subjects/hits
  QStringList subjects, counts;
  for (const SearchHit& hit : hits) subjects += hit.topic.subject, counts += QString::number(hit.hits);
  return subjects.join(u'|') + u'/' + counts.join(u'|');
}

std::vector<Topic> Built(const QString& folder) { return BuildTopicIndex(folder).value_or(std::vector<Topic>()); }

QByteArray Encoded(const char* encoding, const char* text) { return QStringEncoder(encoding).encode(QString::fromUtf8(text)); }

// Every character is 100 twips wide and a line 200 high; counts what fitting costs.
struct FixedWidthMeasurer final : TextMeasurer {
  void SetFont(const QString& fontName, bool) override { font = fontName; }
  void SetText(const QString& value) override { text = value; }
  QString Text() const override { return text; }
  int Width() const override {
    measured += text.size();
    return static_cast<int>(text.size()) * 100;
  }
  int Height() const override { return 200; }

  QString text, font;
  mutable qsizetype measured = 0;
};

}  // namespace

TEST_F(HelpFolder, ScanGoesFolderByFolderReadingOnlyRegularFilesAndTopicNamesFindPathsFileNamesAndNameKeys) {
  for (const char* name : {"b.html", "A.html", "Sub/c.html", "Sub/Deep/d.html", "Other/e.txt"})
    Write(QString::fromLatin1(name), "x");
  QTemporaryDir outside;
  QFile(outside.path() + QStringLiteral("/o.html")).open(QIODevice::WriteOnly);
  QFile::link(dir_.path(), Root() + QStringLiteral("Sub/back"));       // a link up the tree
  QFile::link(outside.path(), Root() + QStringLiteral("elsewhere"));  // a link out of it
  QFile::link(outside.path() + QStringLiteral("/o.html"), Root() + QStringLiteral("Sub/out.html"));  // a page out of it
  QFile::link(Root() + QStringLiteral("b.html"), Root() + QStringLiteral("Sub/in.html"));            // one inside
  ASSERT_EQ(mkfifo(QFile::encodeName(Root() + QStringLiteral("pipe.html")).constData(), 0600), 0);
  int pumps = 0;
  const StringTable files = ScanFolderTree(Root(), [&] { return ++pumps > 0; });
  const auto column = [&](int field) {  // one field of every entry, joined by "|"
    QStringList texts;
    for (int i = 0; i < files.Count(); ++i) texts += files.At(field, i);
    return texts.join(u'|').remove(Root(), Qt::CaseInsensitive);
  };
  EXPECT_EQ((Texts{column(0), column(1), column(2)}),  // the last with the names as they are on disk
            (Texts{QStringLiteral("||other/|sub/|sub/|sub/deep/"), QStringLiteral("a.html|b.html|e.txt|c.html|in.html|d.html"),
                   QStringLiteral("A.html|b.html|Other/e.txt|Sub/c.html|Sub/in.html|Sub/Deep/d.html")}));
  EXPECT_EQ(std::pair(pumps > 0, ScanFolderTree(Root() + QStringLiteral("missing")).Count()), std::pair(true, 1));
  for (const char* name : {"Help/Using/Switches.html", "Help/guide/Page2-Setup.html", "Help/faq#2.html", "Help/Guide!.html",
                           "Help/more/guide.html", "outside.html", "Help/h#1#2#3#4#5#6#7#8#9#a#b#c#d#e#f#g#h.html"})
    Write(QString::fromLatin1(name), Page("S"));
  const QString help = Root() + QStringLiteral("Help/");
  const char* const cases[][2] = {
      {"using/switches.html", "Using/Switches.html"}, {"\\Using\\switches#Top", "Using/Switches.html#Top"},
      {"SWITCHES.html", "Using/Switches.html"},       {"page2-setup#a#b", "guide/Page2-Setup.html#a#b"},
      {"PageSetup", "guide/Page2-Setup.html"},        {"faq#2.html#x", "faq#2.html#x"},  // the name key; a "#" in a name
      {"faq#2.html#x#y", "faq#2.html#x#y"},  // and a name of more "#"s than are tried from the left:
      {"h#1#2#3#4#5#6#7#8#9#a#b#c#d#e#f#g#h.html#p#q", "h#1#2#3#4#5#6#7#8#9#a#b#c#d#e#f#g#h.html#p#q"},
      {"guide", "more/guide.html"},  // a file name, not the folder, and before one of the same key
      {"../outside.html", ""},        {"using/setup", ""}};
  const std::vector<Topic> index = Built(help.toLower());
  for (const std::vector<Topic>* built : {static_cast<const std::vector<Topic>*>(nullptr), &index})
    for (const auto& [name, page] : cases) EXPECT_EQ(FindTopicPage(help.toLower(), QString::fromLatin1(name), built),
                                                     *page ? help + QString::fromLatin1(page) : QString()) << name;
  // A place of any length is kept; a name longer than a path can be names nothing.
  const QString place = QStringLiteral("#a").repeated(20000);
  EXPECT_EQ(FindTopicPage(help, QStringLiteral("faq#2") + place, &index), help + QStringLiteral("faq#2.html") + place);
  EXPECT_EQ(FindTopicPage(help, QString(5000, u'x') + QStringLiteral("#switches"), &index), QString());
}

TEST_F(HelpFolder, PagesWithoutAGoodSubjectFallBackToTitleOrName) {
  const QByteArray filler(300 * 1024, 'x');
  const struct { const char* name; QByteArray bytes; QString subject; } cases[] = {
      {"none", "<html><head><title> Printing   a page </title></head></html>", QStringLiteral("printing a page")},
      {"reversed", "</o:subject> <o:subject>x<title>Reversed</title>", QStringLiteral("reversed")},
      {"unopened", "<title>Unopened</title> and a long text before</o:subject>", QStringLiteral("unopened")},
      {"Empty", "<o:Subject></o:Subject>", QStringLiteral("empty.html")},
      {"ansi", "<o:Subject>Caf\xe9 \xc9T\xc9</o:Subject>", QString::fromUtf8("café été")},
      {"utf8", "<o:Subject>Caf\xc3\xa9 \xc3\x89T\xc3\x89</o:Subject>", QString::fromUtf8("café été")},
      {"broken", "<meta charset=\"UTF-8\"><title> Caf\xe9  Menu </title>", QString::fromUtf8("caf\ufffd menu")},
      {"late", "<title>Early</title>" + filler + "<o:Subject>Late</o:Subject>", QStringLiteral("late")},
      {"long", "<title>" + filler + "</title>", QString(1000, u'x')},  // cut at 1000, not in a surrogate pair
      {"emoji", "<meta charset=\"UTF-8\"><o:Subject>" + QByteArray(999, 'y') + "\xf0\x9f\x98\x80 z</o:Subject>", QString(999, u'y')},
      {"koi8", Encoded("KOI8-R", "<META CONTENT=\"text/html; charset=KOI8-R\"><o:Subject>Справка Всё</o:Subject>"),
       QString::fromUtf8("справка всё")},
      {"xml", Encoded("EUC-JP", "<?xml version=\"1.0\" encoding='EUC-JP'?><title>日本語の手引き</title>"), QString::fromUtf8("日本語の手引き")},
      {"blank", "<o:Subject> &nbsp;=\r\n </o:Subject><title>Listed</title>", QStringLiteral("listed")},  // shows as nothing
      {"blankutf8", "<o:Subject>\xc2\xa0</o:Subject><title>\xc3\x89t\xc3\xa9</title>", QString::fromUtf8("été")}};
  for (const auto& c : cases)
    EXPECT_EQ(ReadSubject(Write(QString::fromLatin1(c.name) + QStringLiteral(".html"), c.bytes)), c.subject) << c.name;
  EXPECT_EQ(DeclaredSubject(QStringLiteral("<title>t</title><o:subject> x </o:subject>")), QStringLiteral(" x "));
  EXPECT_EQ(DeclaredSubject(QStringLiteral("<o:subject>first</o:subject>")), QStringLiteral("first"));
  EXPECT_EQ(DeclaredSubject(QStringLiteral("<o:subject>never closed")), QString());
}

TEST(StringTable, GrowFillsAnEmptyLastEntryInPlaceAndIgnoresWritesOutside) {
  StringTable table(3);
  EXPECT_EQ(table.Grow(), 0);
  table.Set(0, 0, QStringLiteral("first"));
  EXPECT_EQ(table.Grow(), 1);
  table.Set(2, 1, QStringLiteral("path only"));  // field 0 decides: this entry is written over
  EXPECT_EQ(table.Grow(), 1);
  for (const auto& [field, entry] : {std::pair{3, 0}, {0, -1}, {0, 2}}) table.Set(field, entry, QStringLiteral("x"));
  EXPECT_EQ(std::pair(table.Count(), table.At(0, 0)), std::pair(2, QStringLiteral("first")));
  EXPECT_EQ(table.At(-1, 0) + table.At(3, 0) + table.At(0, 2), QString());
}

TEST(Topics, SortByAColumnOrForReading) {
  const std::pair<const char*, long long> rows[] = {{"10 ways", 3}, {"apple", 12}, {"Banana", 7}, {"cherry", 12}, {"Apple", 3}};
  std::vector<SearchHit> hits;
  for (const auto& [subject, count] : rows) hits.push_back({{QString::fromLatin1(subject), {}, {}}, count});
  const auto sorted = [&](HitColumn column, bool reversed) {
    SortByColumn(hits, column, reversed);
    return Ranked(hits);
  };
  // Subjects are words even where they start with a number; hits most first; ties keep their order.
  EXPECT_EQ(sorted(HitColumn::Subject, false), QStringLiteral("10 ways|apple|Apple|Banana|cherry/3|12|3|7|12"));
  EXPECT_EQ(sorted(HitColumn::Hits, false), QStringLiteral("apple|cherry|Banana|10 ways|Apple/12|12|7|3|3"));
  EXPECT_EQ(sorted(HitColumn::Hits, true), QStringLiteral("10 ways|Apple|Banana|apple|cherry/3|3|7|12|12"));
  EXPECT_EQ(sorted(HitColumn::Subject, true), QStringLiteral("cherry|Banana|Apple|apple|10 ways/12|7|3|12|3"));
  std::vector<Topic> topics;
  for (const char* key : {"b", "a", "C", "a"}) topics.push_back({QString::fromLatin1(key) + u'1', QString::fromLatin1(key), {}});
  SortByColumn(topics, TopicColumn::NameKey, false);
  EXPECT_EQ(Subjects(topics), QStringLiteral("a1|a1|b1|C1"));
  SortByColumn(topics, TopicColumn::Subject, true);
  EXPECT_EQ(Subjects(topics), QStringLiteral("C1|b1|a1|a1"));
  // For reading: the language's order, numbers as numbers, case ignored.
  std::vector<Topic> index;
  for (const char* subject : {"page 10", "Zebra", "25.1. routine", "\xc3\xa9t\xc3\xa9", "page 2", "3.2 x", "apple"})
    index.push_back({QString::fromUtf8(subject), {}, {}});
  SortForReading(index, QLocale(QLocale::French));
  EXPECT_EQ(Subjects(index), QString::fromUtf8("3.2 x|25.1. routine|apple|\xc3\xa9t\xc3\xa9|page 2|page 10|Zebra"));
}

TEST_F(HelpFolder, TitlesLoseThePartMostShareAndTwinsShowTheirFolder) {
  for (const char* name : {"a", "b", "one/intro", "t&o/intro"})
    Write(QString::fromLatin1(name) + QStringLiteral(".html"),
          "<title>" + QByteArray(name).mid(QByteArray(name).lastIndexOf('/') + 1) + " &#8212; Py: 3 docs</title>");
  Write(QStringLiteral("c.html"), "<title>Py: Gamma</title>");  // no shared tail; "py: " is held by too few
  Write(QStringLiteral("d.html"), Page("Delta \xe2\x80\x94 Py: 3 docs"));  // a subject of its own is kept whole
  Write(QStringLiteral("e.html"), "<title> \xe2\x80\x94 Py: 3 docs</title>");  // nothing would be left
  for (const char* name : {"f", "g"})  // a longer tail that few titles hold is not the one left out
    Write(QString::fromLatin1(name) + QStringLiteral(".html"), "<title>" + QByteArray(name) + " &#8212; rare " + name + " &#8212; Py: 3 docs</title>");
  EXPECT_EQ(Subjects(Built(Root())), QString::fromUtf8("a|b|py: gamma|delta \u2014 py: 3 docs|\u2014 py: 3 docs|f \u2014 rare f|"
                                                       "g \u2014 rare g|intro (one)|intro (t&o)"));
  // Two parts as long, each held by half the titles: the first in text order goes, in every run.
  for (const char* name : {"a", "b", "c", "d"}) Write(QStringLiteral("tied/%1.html").arg(QLatin1String(name)),
          "<title>" + QByteArray(name) + (*name < 'c' ? " - alpha docs" : " - gamma docs") + "</title>");
  EXPECT_EQ(Subjects(Built(Root() + QStringLiteral("tied/"))), QStringLiteral("a|b|c - gamma docs|d - gamma docs"));
  for (const char* name : {"Install", "Upgrade", "Other"})  // a leading part goes as a trailing one does
    Write(QStringLiteral("heads/%1.html").arg(QLatin1String(name)), "<title>" + QByteArray(*name == 'O' ? "" : "Manual: ") + name + "</title>");
  EXPECT_EQ(Subjects(Built(Root() + QStringLiteral("heads/"))), QStringLiteral("install|other|upgrade"));
}

TEST_F(HelpFolder, RelevanceWeighsTitlesHeadingsWordsAndPhrasesNotMarkup) {
  const char* pages[][2] = {
      {"a", "<title>Tables</title><p>A table.</p>"},  // a plural in the title
      {"b", "<title>Other</title><table><tr><td>table</td></tr></table>"},
      {"c", "<title>Print</title><h2>Tables &amp; printing</h2>"},  // both words
      {"d", "<script>table print</script><style>.table{}</style><!-- table -->tab&lt;le"},  // markup only
      {"e", "<title>Joins</title><p>a tablespace</p>"},                                    // a longer word
      {"f", "<title>Buttons</title><p>The table table&#32;print button.</p>"},  // a phrase begun again
      {"i", "<title>Study</title>"},  // found by its word's stem alone
      {"k", "<title>Caf\xe9</title>"}, {"l", "<meta charset=utf-8>caf\xc3\xa9 caf\xc3\xa9"},  // Windows-1252, UTF-8
      {"m", "<title>Trail vapour</title>vapour trail"}, {"n", "<title>Vapour trail</title>trail vapour"}};
  for (const auto& [name, page] : pages) Write(QString::fromLatin1(name) + QStringLiteral(".html"), page);
  // The shorter title is the more about its word, however long the text under it.
  Write(QStringLiteral("g.html"), "<title>Vacuum</title><p>" + QByteArray("words ").repeated(60) + "vacuum</p>");
  Write(QStringLiteral("h.html"), "<title>Vacuum full guide</title><p>vacuum</p>");
  Write(QStringLiteral("o.html"), "<p>table " + QByteArray("wide ").repeated(16) + "print</p>");  // no phrase across other words
  const std::vector<Topic> index = Built(Root());
  WordIndex pageWords;
  ASSERT_TRUE(pageWords.Update(index));
  const auto ranked = [&](const char* typed) {
    const QString query = QString::fromLatin1(typed);
    const Ranking ranking{query, QStringLiteral("english")};
    const QString read = Ranked(SearchPages(index, SplitQuery(query), {}, ranking));
    EXPECT_EQ(Ranked(pageWords.Search(index, SplitQuery(query), ranking)), read) << typed;  // the window's index agrees
    return read;
  };
  // Pages with both words first, a title before a heading before the text, a whole word before a longer one;
  // markup weighs nothing, though Hits still counts it.
  EXPECT_EQ(ranked("table print"), QStringLiteral("print|buttons|o.html|tables|other|joins|d.html/3|3|2|2|3|1|4"));
  // A phrase is held only where its words stand together; the rest follow by Hits.
  EXPECT_EQ(ranked("\"table print\""), QStringLiteral("buttons|d.html|other|print|tables|o.html|joins/3|4|3|3|2|2|1"));
  EXPECT_EQ(ranked("vacuum"), QStringLiteral("vacuum|vacuum full guide/2|2"));
  EXPECT_EQ(ranked("\"vapour trail\""), QStringLiteral("vapour trail|trail vapour/4|4"));  // a phrase in a title weighs more
  EXPECT_EQ(ranked("studies"), QStringLiteral("study/0"));
  EXPECT_EQ(ranked("caf\xe9"), QString::fromUtf8("caf\xc3\xa9|l.html/1|2"));  // the title's word, from either encoding
  // A stem may lose the word's first accent: "Äpfel" finds "Apfel".
  EXPECT_EQ(Relevance(QString::fromUtf8("Äpfel"), QStringLiteral("german")).Matches("apfel", 0, 0), 1);
  // A language is stemmed by its own stemmer where there is one, else by the English one.
  EXPECT_EQ((Texts{Relevance::StemmerLanguage(QStringLiteral("German")), Relevance::StemmerLanguage(QStringLiteral("Klingon"))}),
            (Texts{QStringLiteral("german"), QStringLiteral("english")}));
  const Relevance unstemmed(QStringLiteral("print"), QStringLiteral("klingon"));  // no stemmer: whole words only
  EXPECT_EQ(std::pair(unstemmed.Matches("print", 0, 0), unstemmed.Matches("pencil", 0, 0)), std::pair(1.0, 0.0));
  EXPECT_EQ(std::pair(Relevance(QStringLiteral("ta"), {}).Matches("table", 0, 0), Relevance(QStringLiteral("t"), {}).Matches("table", 0, 0)), std::pair(0.3, 0.0));  // two letters start longer words; one, none
  const auto terms = [](const char* typed) { return Relevance(QString::fromLatin1(typed), QStringLiteral("english")).Terms(); };
  EXPECT_EQ(std::pair(terms("\"table print\""), terms("\"table print")), std::pair(size_t{1}, size_t{2}));  // unclosed: words
}

// Words read sixteen bytes at a glance are the words read byte by byte (each run between blanks alone is too
// short to be glanced at): capitals, references, letters beyond ASCII and tags at every offset of a block.
TEST(Words, AGlanceReadsTheWordsAByteByByteReadingFinds) {
  std::string text = "<title>Tables</title>";
  for (int i = 0; i < 40; ++i)
    text += std::string(static_cast<size_t>(i % 7), 'x') + ", Print-table_index&&eacute;t\xc3\xa9 caf\xc3\xa9s " +
            "\xe2\x80\x94\xc3\x97\xce\xb5\xce\xbbx \xe6\x97\xa5 <b>bold</b>and" +
            std::to_string(i) + (i % 3 == 0 ? "&&nbsp;" : " ") +
            (i % 5 == 0 ? "plain words that run on past sixteen bytes_and_some_longer_words_too " : "");
  text += "plain words that run on past sixteen bytes";
  using Words = std::vector<std::pair<std::string, words::Field>>;
  Words whole, pieces;
  words::ForEachWord(text, true, [&](std::string_view word, words::Field field) { whole.emplace_back(word, field); });
  words::WordState state;
  for (size_t at = 0, blank = 0; at <= text.size(); at = blank + 1) {
    blank = std::min(text.find(' ', at), text.size());
    words::ForEachWordFrom(std::string_view(text).substr(at, blank - at), true, state,
                           [&](std::string_view word, words::Field field) { pieces.emplace_back(word, field); });
  }
  EXPECT_EQ(whole, pieces);
  ASSERT_EQ(whole.size(), 1u + 40 * 8 - 6 + 9 * 8);  // "x..." before the first comma comes in 34 of 40
  EXPECT_EQ(whole[4], std::pair(std::string("\xce\xb5\xce\xbbx"), words::Field::Body));  // after a dash and a sign
  EXPECT_EQ(whole[1], std::pair(std::string("print"), words::Field::Body));
  // A first search passes the words no term needs at a glance, and still counts them.
  const Relevance relevance(QString::fromUtf8("print \"bold and0\" plain \xce\xb5\xce\xbbx"), QStringLiteral("english"));
  const QByteArray page = "<meta charset=utf-8>" + QByteArray::fromStdString(text);
  const PageTerms held = AnswerPage(page, QueryWords({}), relevance).terms;
  EXPECT_EQ(std::tuple(held.words, held.titleWords), std::tuple(static_cast<int>(whole.size()), 1));
  EXPECT_EQ(std::tuple(held.terms[0].body, held.terms[1].body, held.terms[2].body, held.terms[3].body), std::tuple(40.0, 1.0, 9.0, 40.0));
  // Sixteen and thirty-two bytes at a glance give and pass the same words from every place a word can begin.
  struct Reader {
    words::WordStarts starts{{"pri", "tab", "an"}};
    std::string seen;
    void operator()(std::string_view word, words::Field) { seen.append(word).push_back(','); }
    void Skipped(unsigned count, words::Field) { seen += std::to_string(count) + ';'; }
  };
  const std::string padded = text + std::string(40, '.');
  for (size_t at = 0; at < padded.size() && __builtin_cpu_supports("avx2"); ++at) {
    if (at > 0 && words::IsWordByte(static_cast<unsigned char>(padded[at - 1]))) continue;
    Reader narrow, wide;
    words::WordState narrowState, wideState;
    words::PlainWordsIn<words::Lanes16>(padded, at, true, narrowState, narrow);
    words::PlainWords32(padded, at, true, wideState, wide);
    ASSERT_EQ(narrow.seen, wide.seen) << at;
  }
  for (qsizetype cut = 1; cut <= 16; ++cut) {  // the last word ends anywhere in the last bytes glanced at
    int count = 0;
    words::ForEachWord(text.substr(0, text.size() - static_cast<size_t>(cut)), true, [&](std::string_view, words::Field) { ++count; });
    EXPECT_EQ(AnswerPage(page.chopped(cut), QueryWords({}), relevance).terms.words, count) << cut;
  }
  // Words of one length sharing their first and last bytes are weighed apart; a phrase's word a glance away is read.
  const Relevance tab(QStringLiteral("tab table \"table print\""), QStringLiteral("english"));
  const QByteArray glance(80, ' ');
  const PageTerms apart = AnswerPage(QByteArray("<meta charset=utf-8><p>&#116;xb tab tablx table" + glance + "print" + glance), QueryWords({}), tab).terms;
  EXPECT_EQ(apart.terms[0].body, tab.Matches("tab", 0, 0) + tab.Matches("tablx", 0, 0) + tab.Matches("table", 0, 0));
  EXPECT_EQ(std::pair(apart.terms[1].body, apart.terms[2].body), std::pair(1.0, 1.0));
  QByteArray alike = "print";  // words of one length, many to each slot of the memory of weights, each weighed as itself
  for (int i = 36 * 36; i < 2 * 36 * 36; ++i) alike += " pri" + QByteArray::number(i, 36).right(2);
  EXPECT_EQ(AnswerPage(QByteArray(alike + " print"), QueryWords({}), Relevance(QStringLiteral("print"), QStringLiteral("english"))).terms.terms[0].body, 3.0);  // "pri" + "nt" among them
  // The next query on the same thread weighs its own words.
  const PageTerms next = AnswerPage(page, QueryWords({}), Relevance(QStringLiteral("plain print"), QStringLiteral("english"))).terms;
  EXPECT_EQ(std::pair(next.terms[0].body, next.terms[1].body), std::pair(9.0, 40.0));
}

// Keys of every length, short ones that differ only in their last byte, each read where it stands in a text.
TEST(WordIndex, KeysAreNumberedOnceInTheOrderTheyCameAndAWordSaidTwiceWeighsMoreWhateverTheMarkupHolds) {
  std::string text;
  std::vector<std::pair<size_t, size_t>> places;
  for (int i = 0; i < 3000; ++i) {
    const std::string key = std::string(i % 40 < 20 ? 0 : static_cast<size_t>(i % 40), 'k') + std::to_string(i);
    places.emplace_back(text.size(), key.size());
    text += key + ' ';
  }
  Interner keys;
  for (int pass = 0; pass < 2; ++pass)
    for (size_t i = 0; i < places.size(); ++i)
      ASSERT_EQ(keys.Intern(std::string_view(text).substr(places[i].first, places[i].second)), i) << pass;
  EXPECT_EQ(std::tuple(keys.Size(), keys.Key(2999), keys.Keys().KeyAt(text.rfind('k'))),
            std::tuple(3000u, std::string_view(text).substr(places.back().first, places.back().second), 2999u));
  // Both pages hold "table" twice by the count, markup included; the text of one says it twice.
  WordIndex pages;
  std::vector<Topic> topics;
  for (const auto& [path, page] : {std::pair{"a", "<p class=table>table</p>"}, std::pair{"b", "<p>table table</p>"}}) {
    pages.Put(QString::fromLatin1(path), page);
    topics.push_back({QString::fromLatin1(path), {}, QString::fromLatin1(path)});
  }
  const auto found = pages.Search(topics, {QStringLiteral("table")}, {QStringLiteral("table"), QStringLiteral("english")});
  EXPECT_EQ(Ranked(found), QStringLiteral("b|a/2|2"));
  // Where each word stands is kept on pages of more words than one or two bytes can number: a phrase is held
  // only where its words stand together, after all the others.
  for (const int distinct : {300, 70000}) {
    std::string many;
    for (int i = 0; i < distinct; ++i) many += 'w' + std::to_string(i) + ' ';
    pages.Put(QStringLiteral("c"), QByteArray::fromStdString(many + "trail w1 vapour vapour trail"));
    pages.Put(QStringLiteral("d"), "trail trail vapour vapour vapour");
    const std::vector<Topic> pair = {{QStringLiteral("c"), {}, QStringLiteral("c")}, {QStringLiteral("d"), {}, QStringLiteral("d")}};
    const QString phrase = QStringLiteral("\"vapour trail\"");
    EXPECT_EQ(Ranked(pages.Search(pair, SplitQuery(phrase), {phrase, QStringLiteral("english")})), QStringLiteral("c|d/4|5")) << distinct;
  }
}

// A stopped run starts no more work: only what the threads held when it stopped is done.
TEST(RunInParallel, AStoppedRunStartsNothingMore) {
  std::atomic<bool> stopped{false};
  std::atomic<int> done{0};
  const bool completed = RunInParallel(1000, [&](int) {
    for (int wait = 0; !stopped && wait < 5000; ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ++done;
  }, [&] { return !(stopped = true); });
  EXPECT_TRUE(!completed && done.load() <= 16) << done.load();
}

TEST_F(HelpFolder, TheWordIndexRereadsWhatChangedAndForgetsWhatIsNoLongerListed) {
  Write(QStringLiteral("a.html"), Page("Alpha", "vacuum full"));
  Write(QStringLiteral("b.html"), Page("Beta", "vacuum"));
  std::vector<Topic> index = Built(Root());
  WordIndex pageWords;
  const auto found = [&](const char* typed) {
    const QString query = QString::fromLatin1(typed);
    return Ranked(pageWords.Search(index, SplitQuery(query), {query, QStringLiteral("english")}));
  };
  EXPECT_FALSE(pageWords.Update(index, [] { return false; }));
  ASSERT_TRUE(pageWords.Update(index));
  EXPECT_EQ(found("vacuum"), QStringLiteral("beta|alpha/1|1"));  // the shorter page
  Write(QStringLiteral("b.html"), Page("Beta", "vacuum vacuum vacuuming analyze"));
  ASSERT_TRUE(pageWords.Update(index));
  EXPECT_EQ(found("vacuum"), QStringLiteral("beta|alpha/3|1"));
  EXPECT_EQ(found("\"vacuuming analyze\" full"), QStringLiteral("alpha|beta/1|2"));  // each holds one term
  EXPECT_EQ(found("\"vacuum full\""), QStringLiteral("alpha|beta/2|3"));  // held where the words stand together
  index.erase(index.begin());  // the index lists "alpha" no longer
  ASSERT_TRUE(pageWords.Update(index));
  EXPECT_EQ(std::pair(pageWords.Pages(), found("full")), std::pair(1, QStringLiteral("/")));
}

TEST_F(HelpFolder, SearchCountsEveryOccurrenceAndRanksBestFirst) {
  EXPECT_EQ(BuildTopicIndex(Root()), std::vector<Topic>());  // nothing to list
  Write(QStringLiteral("a.html"), Page("Bugs &#8212; Python &mdash; &quot;3.11&quot; &lt;b&gt; &#x41;&nbsp;z"));
  Write(QStringLiteral("b.html"), Page("Tips &amp; Tricks &#0000000038; more &unknown; &#xZZ; & end"));
  Write(QStringLiteral("c.html"), "<title>&Eacute;t&eacute; &amp;amp;</title>");
  Write(QStringLiteral("d.html"), Page("Setup", "setup setup setup setup print print"));  // 5 + 2 = 7
  Write(QStringLiteral("e.html"), Page("Printing", "print"));
  Write(QStringLiteral("Page2-Setup.html"), Page("Setting Up"));
  Write(QStringLiteral("old.htm"), Page("Not indexed"));
  const std::vector<Topic> index = Built(Root().toLower());  // as the window passes it: real names are looked up
  EXPECT_EQ(Subjects(index), QString::fromUtf8("bugs — python — \"3.11\" <b> a\u00a0z|tips and tricks & more "
                                               "&unknown; &#xzz; & end|été andamp;|setup|printing|setting up"));
  const QString real = Root() + QStringLiteral("Page2-Setup.html");
  EXPECT_EQ((Texts{index[5].nameKey, index[5].path}), (Texts{QStringLiteral("pagesetup"), real}));
  const long long listings = lumora::core::FolderListings();
  EXPECT_EQ(SearchPages(index, {QStringLiteral("setting")}).at(0).topic.path, real);
  EXPECT_EQ(lumora::core::FolderListings(), listings);  // a page with capitals is read without a listing
  EXPECT_EQ(ScorePage(index[0].path, {QStringLiteral("&&mdash;")}), 1);  // counted in the page as written
  EXPECT_EQ(SplitQuery(QStringLiteral("  Print  setup ")), (Texts{QStringLiteral("print"), QString(), QStringLiteral("setup")}));
  EXPECT_EQ(Ranked(SearchPages(index, SplitQuery(QStringLiteral("print setup")))), QStringLiteral("setup|printing/7|2"));
  EXPECT_EQ(BuildTopicIndex(Root(), [] { return false; }), std::nullopt);
  EXPECT_EQ(SearchPages(index, SplitQuery(QStringLiteral("  zebra "))).size() +
                SearchPages(index, {QStringLiteral("print")}, [] { return false; }).size(), 0u);
  EXPECT_EQ(ScorePage(Root() + QStringLiteral("missing.html"), {QStringLiteral("a")}), 0);
}

// A byte beyond ASCII is seen wherever it stands, in a long block or the short ones after it.
TEST(PageBytes, AByteBeyondAsciiIsSeenAnywhere) {
  for (const size_t length : {0, 15, 16, 63, 64, 65, 130}) {
    const std::string plain(length, 'a');
    EXPECT_TRUE(IsAscii(plain)) << length;
    for (size_t at = 0; at < length; ++at) {
      std::string high = plain;
      high[at] = '\x80';
      ASSERT_FALSE(IsAscii(high)) << length << " " << at;
    }
  }
}

// The score in page bytes equals the count in the decoded, escaped, lower-cased text; an empty word counts none.
TEST(QueryWords, CountsInPageBytesAsInTheDecodedTextOfItsEncoding) {
  const QByteArray utf8Head = "<meta charset=\"utf-8\">";
  const QByteArray pages[] = {
      "Fish &amp; Chips &AMP; & more=\r\nover \xc9t\xc9 \x8a\x9a \x9f\xff caf\xe9 \x80 and",
      utf8Head + "Fish &amp; Chips \xc3\x89t\xc3\xa9 \xc5\xa0\xc5\xa1 \xc5\xb8\xc3\xbf \xc3\x97 \xe2\x82\xac \xf0\x9f\x98\x80 =\r\nand",
      utf8Head + "broken \xc3 \xff \xed\xa0\x80 \xc3\x89t\xc3\xa9 caf\xe9",  // declared UTF-8, not valid
      "\xef\xbb\xbf\xc3\x89T\xc3\x89 \xc5\x92uvre",                         // a byte-order mark
      "aaaa &&&& ====\r\n\r\n",
      Encoded("windows-1251", "<meta charset=windows-1251>ПЕЧАТЬ Печать &amp; Справка"),
      "a soft line break at the very end=\r\n", "fish"};  // the last: a page that is just one word
  const QString queries[] = {QStringLiteral("and & && fish  aa = over g"), QString::fromUtf8("été ÉTÉ šš ÿÿ × € 😀 café"),
                             QString::fromUtf8("œuvre é t печать справка ω ?") + QChar(0xD800)};  // a lone surrogate
  // The word index counts the same from the runs between blanks of all the pages at once.
  WordIndex pageWords;
  std::vector<Topic> topics;
  for (size_t i = 0; i < std::size(pages); ++i) {
    const QString path = QString::number(i);
    pageWords.Put(path, pages[i]);
    topics.push_back({path, {}, path});
  }
  for (const QString& query : queries) {
    const Texts words = SplitQuery(query);
    const std::vector<SearchHit> found = pageWords.Search(topics, words);
    for (size_t i = 0; i < topics.size(); ++i) {
      const QString text = lumora::core::LowerText(EscapeForDisplay(DecodePage(pages[i])));
      long long expected = 0;  // overlapping occurrences count
      for (const QString& word : words) expected += word.isEmpty() ? 0 : text.count(word);
      EXPECT_EQ(QueryWords(words).Score(pages[i]), expected) << pages[i].toStdString() << " / " << query.toStdString();
      long long indexed = 0;
      for (const SearchHit& hit : found) if (hit.topic.path == topics[i].path) indexed = hit.hits;
      EXPECT_EQ(indexed, expected) << pages[i].toStdString() << " / " << query.toStdString();
    }
  }
  // Windows-1252, UTF-8 and other pages all find a typed accented word.
  for (const auto& [word, page, count] : {std::tuple{"été", 0, 1}, {"šš", 1, 1}, {"печать", 5, 2}})
    EXPECT_EQ(QueryWords(SplitQuery(QString::fromUtf8(word))).Score(pages[page]), count) << word;
  using E = PageEncoding;
  const struct { QByteArray page; E::Kind kind; QByteArray name; } cases[] = {
      {"\xef\xbb\xbf<meta charset=windows-1251>", E::Utf8, {}},  // the mark wins
      {"\xff\xfe<\0", E::Other, "UTF-16LE"}, {"<meta charset = 'Windows-1251' >", E::Other, "windows-1251"},
      {"<meta content=\"text/html;charset=ISO-8859-1\" http-equiv=content-type>", E::Ansi, {}},
      {"<meta charset=\"utf-16\">plain", E::Utf8, {}},  // a readable tag is not UTF-16
      {"\xfe\xff\0<", E::Other, "UTF-16BE"}, {"<meta charset=\"no-such-set\">caf\xe9", E::Ansi, {}},  // unknown
      {"<p>charset=koi8-r</p>caf\xc3\xa9", E::Utf8, {}},  // not in a meta tag
      {"          <META CHARSET=KOI8-R>", E::Other, "koi8-r"},  // capitals past the last block of sixteen too
      {"<meta data-charset-note charset=koi8-r>", E::Other, "koi8-r"},  // a longer word is not the key
      {"<meta charset=\"\" content=\"text/html; charset=koi8-r\">", E::Other, "koi8-r"}};  // an empty name: the next
  for (const auto& c : cases)
    EXPECT_EQ(std::pair(DetectEncoding(c.page).kind, DetectEncoding(c.page).name), std::pair(c.kind, c.name))
        << c.page.toStdString();
}

TEST_F(HelpFolder, AFinalSigmaFindsItsCapitalAndACutCharacterLeavesAPageUtf8) {
  const QString greek = Write(QStringLiteral("greek.html"), "<p>\xce\x9f\xce\x94\xce\x9f\xce\xa3 \xce\xbf\xce\xb4\xce\xbf\xcf\x82");
  const QByteArray cut = "caf\xc3\xa9 " + QByteArray(kMaxPageBytes - 7, 'x') + "\xc3\xa9";  // the limit falls in the last "é"
  const QString big = Write(QStringLiteral("big.html"), cut);
  EXPECT_EQ((std::vector<long long>{ScorePage(greek, SplitQuery(QString::fromUtf8("\xce\xbf\xce\xb4\xce\xbf\xcf\x82"))),
                                     ScorePage(greek, SplitQuery(QString::fromUtf8("\xce\x9f\xce\x94\xce\x9f\xce\xa3"))),
                                     ScorePage(big, {QString::fromUtf8("café")})}), (std::vector<long long>{2, 2, 1}));
  EXPECT_EQ(ReadSubject(big), QStringLiteral("big.html"));  // read as far as any page is, then named by its file
  // Cut after 1 to 3 bytes of a 2-, 3- or 4-byte character, the character is left out; whole, it stays.
  for (const QByteArray& character : {QByteArray("\xc3\xa9"), QByteArray("\xe2\x82\xac"), QByteArray("\xf0\x9f\x98\x80")})
    for (qsizetype kept = 1; kept <= character.size(); ++kept)
      EXPECT_EQ(WithoutCutCharacter(QByteArray(QByteArray(kMaxPageBytes - kept, 'x') + character.first(kept))).size(),
                kept < character.size() ? kMaxPageBytes - kept : kMaxPageBytes) << character.size() << "/" << kept;
  std::vector<Topic> index{{QString::fromUtf8("\xce\xbf\xce\xb4\xcf\x8c\xcf\x82"), {}, {}}};
  EXPECT_EQ(LookUpEntry(index, QString::fromUtf8("\xce\x9f\xce\x94\xce\x8c\xce\xa3")), 0);
  index = {{QStringLiteral("xroutine"), {}, {}}, {QStringLiteral("25.1. routine vacuuming"), {}, {}}};
  EXPECT_EQ(LookUpEntry(index, QStringLiteral("routine")), 1);  // a word starts after a blank, not inside a word
}

TEST(Lowering, EveryCharacterLowersAndFoldsInPageBytesAsInText) {
  std::string lowered;
  const QString after(40, u'Q');  // read a block at a time, as pages are
  for (char32_t c = 0x80; c <= 0x10FFFF; c = c == 0xD7FF ? 0xE000 : c + 1) {  // no surrogates
    const QString character = QString::fromUcs4(&c, 1);
    EscapeAndLower(character.toUtf8(), true, lowered);
    ASSERT_EQ(QByteArray::fromStdString(lowered), character.toLower().toCaseFolded().toUtf8()) << std::hex << static_cast<unsigned>(c);
    const QString text = QStringLiteral("Ab") + character + character + after;
    EscapeAndLower(text.toUtf8(), true, lowered);
    ASSERT_EQ(QByteArray::fromStdString(lowered), text.toLower().toCaseFolded().toUtf8()) << std::hex << static_cast<unsigned>(c);
  }
  // Long texts are lowered sixteen bytes at a time: every byte alone and at every place of a block, in both code pages.
  for (int b = 0; b < 256; ++b)
    for (int at = -1; at < 40; ++at) {  // -1: the byte alone
      if (b == '&' || b == '=') continue;
      QByteArray text = at < 0 ? QByteArray(1, static_cast<char>(b)) : QByteArray(40, 'Q');
      if (at >= 0) text[at] = static_cast<char>(b);
      for (const bool utf8 : {false, true}) {
        if (utf8 && b >= 0x80) continue;
        EscapeAndLower(text, utf8, lowered);
        ASSERT_EQ(lumora::core::FromAnsi(QByteArray::fromStdString(lowered)), lumora::core::FromAnsi(text).toLower())
            << b << " at " << at << (utf8 ? " utf-8" : " ansi");
      }
    }
}

TEST(TextHelpers, EscapeAmpersandsAndSoftLineBreaksAndKeepTheirCharacterClasses) {
  EXPECT_EQ(EscapeForDisplay(QByteArray("Fish &amp; Chips & more")), QByteArray("Fish and Chips && more"));
  EXPECT_EQ(EscapeForDisplay(QByteArray("long=\r\nline a=b\r\n &amp;amp;")), QByteArray("longline a=b\r\n andamp;"));
  EXPECT_EQ(EscapeForDisplay(QStringLiteral("Tips &amp; Tricks & more=\r\n")), QStringLiteral("Tips and Tricks && more"));
  EXPECT_EQ(DecodeCharacterReferences(QStringLiteral("&; &lt;")), QStringLiteral("&; <"));  // an empty name is no reference
  // Surrogates, nothing and beyond Unicode stand for the replacement character; their neighbours for themselves.
  EXPECT_EQ(DecodeCharacterReferences(QStringLiteral("&#xD7FF;&#xD800;&#xDFFF;&#xE000;&#x10FFFF;&#x110000;&#0;")),
            QString::fromUcs4(U"\uD7FF\uFFFD\uFFFD\uE000\U0010FFFF\uFFFD\uFFFD"));
  // Name keys and digits keep their classes; each class's edges: ' ', '/', '0', '9', ':', '@', 'z', '{'
  EXPECT_EQ(lumora::core::NameKey(QString::fromUtf8("Page2-Setup a[b]\\c^d_e`f{g}~h @1 caf\u00e9\t\u20acuro \u03b1\u03b2 \u6f22xz")),
            QStringLiteral("PageSetupa[b]\\c^d_e`fghcaf\turoxz"));
  EXPECT_EQ(lumora::core::DigitsOnly(QString::fromUtf8("\u20ac12\u0663 -3.5e\x01 /09:")), QStringLiteral("1235\x01" "09"));
}

TEST(FitText, ShortensWithAnEllipsisUntilItFits) {
  const QString pair = QString::fromUcs4(U"\U0001F600");
  const QString two = QStringLiteral("two words");  // 900 wide; 6 characters and a 300-wide ellipsis fit
  const struct { QString text; int maxWidth; QString fitted; } cases[] = {
      {two, 901, two}, {two, 900, QStringLiteral("two wo...")}, {two, 350, QString()}, {two, 0, QString()},
      {QStringLiteral("Supercalifragilistic"), 1, QStringLiteral("Supercalifragilistic")},  // no blank
      // Four characters fit before the ellipsis: never half of "&&" or of a surrogate pair.
      {QStringLiteral("ab &&cdef gh"), 750, QStringLiteral("ab ...")},
      {QStringLiteral("ab&&cdef gh"), 750, QStringLiteral("ab&&...")},
      {QStringLiteral("ab ") + pair + QStringLiteral("cdef gh"), 750, QStringLiteral("ab ...")}};
  FixedWidthMeasurer m;
  for (const auto& c : cases)
    EXPECT_EQ(FitText(m, c.text, c.maxWidth, QStringLiteral("Tahoma"), true, 300), c.fitted) << c.text.toStdString();
  EXPECT_EQ((std::pair{MeasureLineHeight(m, QStringLiteral("Verdana"), false), m.font}), std::pair(200, QStringLiteral("Verdana")));
  // A long text costs a few measurements of about what can show (297 characters and the ellipsis fit).
  const QString text = QStringLiteral("word ").repeated(41 * 1024);
  m = FixedWidthMeasurer();
  EXPECT_EQ(FitText(m, text, 30000, QString(), false, 300), text.left(297) + QStringLiteral("..."));
  EXPECT_LE(m.measured, 20 * 600);
}

// Places by id and by name count; the desktop's links are passed over.
TEST_F(HelpFolder, CheckTellsBrokenLinksTheirLinesPagesNoLinkReachesAndSubjectsUsedTwice) {
  Write(QStringLiteral("outside.html"), Page("Outside"));
  Write(QStringLiteral("Help/index.html"), Page("Home", "<a href=\"a.html\">a</a>\n"
                                        "<a href='A.HTML#part'>name</a> <a href=a.html#byid>id</a> <a href=\"a.html#top\">top</a>\n"
                                        "<a href=\"missing.html\">gone</a> <a href=gone.html#a=b>unquoted</a>\n"
                                        "<a href=\"a.html#nowhere\">no place</a>\n"
                                        "<area href=\"../outside.html\">\n"
                                        "<a href=\"https://example.com/x\">web</a> <a href=\"mailto:a@b\">mail</a>\n"
                                        "<a href=\"ask_class.html\">ask</a> <link href=\"missing.css\">"));
  Write(QStringLiteral("Help/a.html"), Page("Twin", "<a name=part></a><p id=byid><a href=\"sub/linked.htm\">on</a>"));
  Write(QStringLiteral("Help/b.html"), Page("Twin"));
  Write(QStringLiteral("Help/sub/linked.htm"), Page("Linked", "<a href=\"../a.html\">back</a>"));
  Write(QStringLiteral("Help/sub/orphan.htm"), Page("Orphan"));  // the index lists .html pages only
  const HelpSetCheck check = CheckHelpSet(Root() + QStringLiteral("Help"));
  QStringList broken;
  for (const auto& link : check.brokenLinks)
    broken << QStringLiteral("%1:%2 %3 %4").arg(QFileInfo(link.page).fileName()).arg(link.line).arg(link.target, link.reason);
  EXPECT_EQ(broken, (QStringList{QStringLiteral("index.html:3 missing.html no such page"),
                                 QStringLiteral("index.html:3 gone.html#a=b no such page"),
                                 QStringLiteral("index.html:4 a.html#nowhere no such place"),
                                 QStringLiteral("index.html:5 ../outside.html outside the help set")}));
  EXPECT_EQ(check.unreached, QStringList{Root() + QStringLiteral("Help/sub/orphan.htm")});
  ASSERT_EQ(std::pair(check.pages, check.sharedSubjects.size()), std::pair(5, size_t{1}));
  EXPECT_EQ(check.sharedSubjects[0].pages.size(), 2);
  EXPECT_EQ(check.questionLinks, QStringList{Root() + QStringLiteral("Help/index.html")});
}
