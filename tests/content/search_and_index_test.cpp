#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <map>

#include "content/search.h"
#include "content/page_bytes.h"
#include "content/page_text.h"
#include "content/text_helpers.h"
#include "content/topic_index.h"
#include "platform/files.h"
#include "platform/text.h"

using namespace lumora::content;

namespace {

class HelpFolder : public testing::Test {
 protected:
  void Write(const QString& relative, const QByteArray& bytes) {
    const QString path = dir_.path() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  static QByteArray Page(const char* subject, const char* body = "") {
    return QByteArray("<html><head><title>T</title><!--[if gte mso 9]><xml><o:DocumentProperties><o:Subject>") +
           subject + "</o:Subject></o:DocumentProperties></xml><![endif]--></head><body>" + body + "</body></html>";
  }
  QString Root() const { return dir_.path() + QLatin1Char('/'); }

  QTemporaryDir dir_;
};

}  // namespace

TEST_F(HelpFolder, ScanGoesFolderByFolderAndReadsOnlyRegularFilesInside) {
  Write(QStringLiteral("b.html"), "x");
  Write(QStringLiteral("A.html"), "x");
  Write(QStringLiteral("Sub/c.html"), "x");
  Write(QStringLiteral("Sub/Deep/d.html"), "x");
  Write(QStringLiteral("Other/e.txt"), "x");
  QTemporaryDir outside;
  QFile(outside.path() + QStringLiteral("/o.html")).open(QIODevice::WriteOnly);
  QFile::link(dir_.path(), dir_.path() + QStringLiteral("/Sub/back"));     // a link up the tree
  QFile::link(outside.path(), dir_.path() + QStringLiteral("/elsewhere"));  // a link out of it
  ASSERT_EQ(mkfifo(QFile::encodeName(dir_.path() + QStringLiteral("/pipe.html")).constData(), 0600), 0);
  int pumps = 0;
  const StringTable files = ScanFolderTree(Root(), [&] { return ++pumps > 0; });
  std::vector<QString> found;
  for (int i = 0; i < files.Count(); ++i) {
    found.push_back(files.At(0, i).mid(Root().size()) + files.At(1, i));
    EXPECT_TRUE(QFileInfo(files.At(2, i)).isFile()) << files.At(2, i).toStdString();
  }
  EXPECT_EQ(found, (std::vector<QString>{QStringLiteral("a.html"), QStringLiteral("b.html"), QStringLiteral("other/e.txt"),
                                         QStringLiteral("sub/c.html"), QStringLiteral("sub/deep/d.html")}));
  EXPECT_EQ(files.At(2, 0), Root() + QStringLiteral("A.html"));  // the name as it is on disk
  EXPECT_GT(pumps, 0);
  EXPECT_EQ(ScanFolderTree(Root() + QStringLiteral("missing")).Count(), 1);  // one empty entry
}

TEST_F(HelpFolder, IndexListsSubjectsNameKeysAndPaths) {
  Write(QStringLiteral("Page2-Setup.html"), Page("Setting Up"));
  Write(QStringLiteral("tips.html"), Page("Tips &amp; Tricks"));
  Write(QStringLiteral("amp.html"), Page("a & b"));
  Write(QStringLiteral("old.htm"), Page("Not indexed"));
  Write(QStringLiteral("notes.txt"), "plain");
  StringTable index(kIndexFields);
  BuildTopicIndex(Root(), index);
  ASSERT_EQ(index.Count(), 3);
  EXPECT_EQ(index.At(0, 0), QStringLiteral("a && b"));
  EXPECT_EQ(index.At(3, 1), Root() + QStringLiteral("Page2-Setup.html"));
  EXPECT_EQ(index.At(0, 1), QStringLiteral("setting up"));
  EXPECT_EQ(index.At(1, 1), QStringLiteral("pagesetup"));
  EXPECT_EQ(index.At(2, 1), Root().toLower() + QStringLiteral("page2-setup.html"));
  EXPECT_EQ(index.At(0, 2), QStringLiteral("tips and tricks"));

  Write(QStringLiteral("new.html"), Page("Added later"));
  BuildTopicIndex(Root(), index);  // built once
  EXPECT_EQ(index.Count(), 3);
}

TEST_F(HelpFolder, TopicNamesFindPathsFileNamesAndNameKeys) {
  Write(QStringLiteral("Help/Using/Switches.html"), Page("Switches"));
  Write(QStringLiteral("Help/guide/Page2-Setup.html"), Page("Setup"));
  Write(QStringLiteral("Help/faq#2.html"), Page("FAQ"));
  Write(QStringLiteral("Help/more/guide.html"), Page("Guide"));
  Write(QStringLiteral("outside.html"), Page("Outside"));
  const QString help = Root() + QStringLiteral("Help/");
  const char* const cases[][2] = {
      {"using/switches.html", "Using/Switches.html"},
      {"\\Using\\switches#Top", "Using/Switches.html#Top"},
      {"SWITCHES.html", "Using/Switches.html"},
      {"page2-setup#a#b", "guide/Page2-Setup.html#a#b"},
      {"PageSetup", "guide/Page2-Setup.html"},  // the name key
      {"faq#2.html#x", "faq#2.html#x"},
      {"guide", "more/guide.html"},             // a file name, not the folder
      {"../outside.html", ""},
      {"using/setup", ""},
      {"nothing", ""},
      {"#top", ""},
  };
  StringTable index(kIndexFields);
  for (const bool built : {false, true}) {
    if (built) BuildTopicIndex(help.toLower(), index);
    for (const auto& [name, page] : cases) {
      SCOPED_TRACE(name);
      EXPECT_EQ(FindTopicPage(help.toLower(), QString::fromLatin1(name), index),
                *page ? help + QString::fromLatin1(page) : QString());
    }
  }
}

TEST_F(HelpFolder, PagesWithoutAGoodSubjectFallBackToTitleOrName) {
  Write(QStringLiteral("none.html"), "<html><head><title> Printing   a page </title></head></html>");
  Write(QStringLiteral("reversed.html"), "</o:subject> <o:subject>x<title>Reversed</title>");
  Write(QStringLiteral("empty.html"), "<o:Subject></o:Subject>");
  Write(QStringLiteral("Bare.html"), "no markers at all");
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("none.html")), QStringLiteral("printing a page"));
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("reversed.html")), QStringLiteral("reversed"));
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("empty.html")), QStringLiteral("empty.html"));
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("Bare.html")), QStringLiteral("bare.html"));
  Write(QStringLiteral("utf8.html"), "<meta charset=\"UTF-8\"><o:Subject>Caf\xc3\xa9 \xc3\x89T\xc3\x89</o:Subject>");
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("utf8.html")), QString::fromUtf8("café été"));
  Write(QStringLiteral("ansi.html"), "<o:Subject>Caf\xe9 \xc9T\xc9</o:Subject>");
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("ansi.html")), QString::fromUtf8("café été"));
  // Declared UTF-8 with a broken byte: decoded as the page is, the byte replaced.
  Write(QStringLiteral("broken.html"), "<meta charset=\"UTF-8\"><title> Caf\xe9  Menu </title>");
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("broken.html")), QString::fromUtf8("caf\ufffd menu"));
  Write(QStringLiteral("broken2.html"), "<meta charset=\"UTF-8\"><o:Subject>\xff Drucken</o:Subject>");
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("broken2.html")), QString::fromUtf8("\ufffd drucken"));
  EXPECT_EQ(DeclaredSubject(QStringLiteral("<title>t</title><o:subject> x </o:subject>")), QStringLiteral(" x "));
  // Markers far into a long page are found as in a short one.
  const QByteArray filler(300 * 1024, 'x');
  Write(QStringLiteral("late.html"), "<title>Early</title>" + filler + "<o:Subject>Late</o:Subject>");
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("late.html")), QStringLiteral("late"));
  // Long subjects are cut to a thousand characters, never inside a surrogate pair.
  Write(QStringLiteral("notitle.html"), "<title>" + filler + "</title>");
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("notitle.html")), QString::fromLatin1(filler.left(1000)));
  Write(QStringLiteral("emoji.html"),
        "<meta charset=\"UTF-8\"><o:Subject>" + QByteArray(999, 'y') + "\xf0\x9f\x98\x80 z</o:Subject>");
  EXPECT_EQ(ReadSubject(Root() + QStringLiteral("emoji.html")), QString(999, QLatin1Char('y')));
}

TEST_F(HelpFolder, CapitalisedNamesAreReadWithoutListingTheirFolder) {
  for (int i = 0; i < 40; ++i)
    Write(QStringLiteral("Topics/Topic%1.html").arg(i, 5, 10, QLatin1Char('0')),
          Page("Topic", i == 7 ? "needle" : "hay"));
  // The window passes the help folder in lower case.
  const QString lowerRoot = Root().toLower();
  StringTable index(kIndexFields);
  const long long before = lumora::platform::FolderListings();
  BuildTopicIndex(lowerRoot, index);
  EXPECT_LE(lumora::platform::FolderListings() - before, 1);  // the root's own name, once
  ASSERT_EQ(index.Count(), 40);
  EXPECT_EQ(index.At(2, 7), lowerRoot + QStringLiteral("topics/topic00007.html"));
  EXPECT_EQ(index.At(3, 7), Root() + QStringLiteral("Topics/Topic00007.html"));
  const long long indexed = lumora::platform::FolderListings();
  const StringTable results = SearchPages(index, SplitQuery(QStringLiteral("Needle")));
  EXPECT_EQ(lumora::platform::FolderListings(), indexed);
  EXPECT_EQ(results.At(3, 0), Root() + QStringLiteral("Topics/Topic00007.html"));
  EXPECT_EQ(results.Count(), 1);
}

TEST_F(HelpFolder, PagesDifferingOnlyInLetterCaseStayTwoPages) {
  Write(QStringLiteral("Guide.html"), Page("Upper", "alpha"));
  Write(QStringLiteral("guide.html"), Page("Lower", "beta beta"));
  StringTable index(kIndexFields);
  BuildTopicIndex(Root(), index);
  ASSERT_EQ(index.Count(), 2);
  std::map<QString, QString> subjectByFile;
  for (int i = 0; i < 2; ++i) subjectByFile[QFileInfo(index.At(3, i)).fileName()] = index.At(0, i);
  EXPECT_EQ(subjectByFile[QStringLiteral("Guide.html")], QStringLiteral("upper"));
  EXPECT_EQ(subjectByFile[QStringLiteral("guide.html")], QStringLiteral("lower"));
  const StringTable results = SearchPages(index, SplitQuery(QStringLiteral("beta")));
  ASSERT_EQ(results.Count(), 1);
  EXPECT_EQ(results.At(1, 0), QStringLiteral("2"));
  EXPECT_EQ(results.At(3, 0), Root() + QStringLiteral("guide.html"));
}

TEST_F(HelpFolder, AStoppedBuildOrSearchLeavesNothingHalfDone) {
  for (int i = 0; i < 20; ++i) Write(QStringLiteral("p%1.html").arg(i), Page("Page", "word"));
  StringTable index(kIndexFields);
  EXPECT_FALSE(BuildTopicIndex(Root(), index, [] { return false; }));
  EXPECT_TRUE(index.At(0, 0).isEmpty());
  ASSERT_TRUE(BuildTopicIndex(Root(), index));
  EXPECT_EQ(SearchPages(index, {QStringLiteral("word")}).Count(), 20);
  const StringTable stopped = SearchPages(index, {QStringLiteral("word")}, [] { return false; });
  EXPECT_TRUE(stopped.At(0, 0).isEmpty());
}

TEST_F(HelpFolder, EmptyFolderLeavesTheIndexUnbuilt) {
  Write(QStringLiteral("readme.txt"), "x");
  StringTable index(3);
  BuildTopicIndex(Root(), index);
  EXPECT_EQ(index.Count(), 1);
  EXPECT_TRUE(index.At(0, 0).isEmpty());
}

TEST(SortTable, NumbersLargestFirstWordsAToZ) {
  StringTable table(2);
  const char* rows[][2] = {{"Chapter 1", "3"}, {"apple", "12"}, {"Banana", "7"}, {"cherry", "12"}, {"Apple", "3"}};
  for (const auto& row : rows) {
    const int entry = table.Grow();
    table.Set(0, entry, QString::fromLatin1(row[0]));
    table.Set(1, entry, QString::fromLatin1(row[1]));
  }
  auto column = [&](int field) {
    std::vector<QString> values;
    for (int i = 0; i < table.Count(); ++i) values.push_back(table.At(field, i));
    return values;
  };
  using Texts = std::vector<QString>;
  SortTable(table, true, 0);  // "Chapter 1" is a word: text mode, ties in their order
  EXPECT_EQ(column(0), (Texts{QStringLiteral("apple"), QStringLiteral("Apple"), QStringLiteral("Banana"),
                              QStringLiteral("Chapter 1"), QStringLiteral("cherry")}));
  SortTable(table, true, 1);  // "12" first: numbers, largest first, ties in their order
  EXPECT_EQ(column(0), (Texts{QStringLiteral("apple"), QStringLiteral("cherry"), QStringLiteral("Banana"),
                              QStringLiteral("Apple"), QStringLiteral("Chapter 1")}));
  SortTable(table, true, 1);  // sorting again changes nothing
  EXPECT_EQ(column(0)[3], QStringLiteral("Apple"));
  SortTable(table, false, 0);  // not asked to sort
  EXPECT_EQ(column(0)[0], QStringLiteral("apple"));

  // An empty field stays where it is; the entries on each side sort apart.
  table.Set(0, 2, QString());
  SortTable(table, true, 0);
  EXPECT_EQ(column(0), (Texts{QStringLiteral("apple"), QStringLiteral("cherry"), QString(), QStringLiteral("Apple"),
                              QStringLiteral("Chapter 1")}));
}

TEST(SortTable, FiveThousandScoresKeepTheirIndexOrderAmongTies) {
  StringTable table(2);
  for (int i = 0; i < 5000; ++i) {
    const int entry = table.Grow();
    table.Set(0, entry, QString::number(i));
    table.Set(1, entry, QString::number(i % 7));
  }
  SortTable(table, true, 1);
  for (int i = 1; i < table.Count(); ++i) {
    const int previous = table.At(1, i - 1).toInt(), current = table.At(1, i).toInt();
    ASSERT_GE(previous, current);
    if (previous == current) {
      ASSERT_LT(table.At(0, i - 1).toInt(), table.At(0, i).toInt());
    }
  }
}

TEST(SortTable, ReadsLeadingNumbersAsTheOriginalDoes) {
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("12")), 12);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral(" 1 2 3abc")), 123);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("-4.5x")), -4.5);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("1.5.9")), 1.5);  // a second point ends the number
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("abc")), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber(QString()), 0);
}

TEST_F(HelpFolder, SearchCountsEveryOccurrenceAndRanksBestFirst) {
  // setup five times (once in the subject), print twice: 7.
  Write(QStringLiteral("a.html"), Page("Setup", "setup setup setup setup print print"));
  Write(QStringLiteral("b.html"), Page("Printing", "print"));
  Write(QStringLiteral("c.html"), Page("Other", "nothing here"));
  StringTable index(kIndexFields);
  BuildTopicIndex(Root(), index);
  EXPECT_EQ(SplitQuery(QStringLiteral("  Print  ")), std::vector<QString>{QStringLiteral("print")});
  EXPECT_EQ(SplitQuery(QStringLiteral("print  setup")),
            (std::vector<QString>{QStringLiteral("print"), QString(), QStringLiteral("setup")}));
  EXPECT_EQ(SplitQuery(QString()), std::vector<QString>{QString()});

  const StringTable results = SearchPages(index, SplitQuery(QStringLiteral("print setup")));
  ASSERT_EQ(results.Count(), 2);
  EXPECT_EQ(results.At(0, 0), QStringLiteral("setup"));
  EXPECT_EQ(results.At(1, 0), QStringLiteral("7"));
  EXPECT_EQ(results.At(0, 1), QStringLiteral("printing"));
  EXPECT_EQ(SearchPages(index, {QStringLiteral("zebra")}).At(0, 0), QString());

  // Overlapping occurrences count; "and" matches each "&amp;".
  Write(QStringLiteral("d.txt"), "aaa Fish &amp; Chips");
  EXPECT_EQ(ScorePage(Root() + QStringLiteral("d.txt"), {QStringLiteral("aa")}), 2);
  EXPECT_EQ(ScorePage(Root() + QStringLiteral("d.txt"), {QStringLiteral("and")}), 1);
  EXPECT_EQ(ScorePage(Root() + QStringLiteral("missing.html"), {QStringLiteral("a")}), 0);
  // An empty word (two blanks, a blank box) matches nothing.
  EXPECT_EQ(ScorePage(Root() + QStringLiteral("d.txt"), {QString()}), 0);
  EXPECT_EQ(ScorePage(Root() + QStringLiteral("d.txt"), SplitQuery(QStringLiteral("fish  chips"))), 2);
  EXPECT_TRUE(SearchPages(index, SplitQuery(QStringLiteral("   "))).At(0, 0).isEmpty());
}

namespace {

// The score as the decoded text gives it, the slow way.
long long DecodedScore(const QByteArray& page, const std::vector<QString>& words) {
  const QString text = lumora::platform::LowerText(EscapeForDisplay(DecodePage(page)));
  long long score = 0;
  for (const QString& word : words) {
    for (qsizetype at = word.isEmpty() ? -1 : text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) ++score;
  }
  return score;
}

}  // namespace

TEST(QueryWords, CountsInPageBytesAsInTheDecodedText) {
  const QByteArray utf8Head = "<meta charset=\"utf-8\">";
  const QByteArray pages[] = {
      "Fish &amp; Chips &AMP; & more=\r\nover \xc9t\xc9 \x8a\x9a \x9f\xff caf\xe9 \x80 and",
      utf8Head + "Fish &amp; Chips \xc3\x89t\xc3\xa9 \xc5\xa0\xc5\xa1 \xc5\xb8\xc3\xbf \xc3\x97 \xe2\x82\xac \xf0\x9f\x98\x80 =\r\nand",
      utf8Head + "broken \xc3 \xff \xed\xa0\x80 \xc3\x89t\xc3\xa9 caf\xe9",  // declared UTF-8, not valid
      "\xef\xbb\xbf\xc3\x89T\xc3\x89 \xc5\x92uvre",                         // a byte-order mark
      "aaaa &&&& ====\r\n\r\n",
  };
  const std::vector<std::vector<QString>> queries = {
      SplitQuery(QStringLiteral("and & && fish")),
      SplitQuery(QString::fromUtf8("été ÉTÉ šš ÿÿ × € 😀 café")),
      SplitQuery(QStringLiteral("aa = over QUICK brown again, g")),
      SplitQuery(QString::fromUtf8("œuvre é t")),
      {QString(QChar(0xD800)), QString::fromUtf8("Ω"), QStringLiteral("?")},
  };
  // Long runs of plain text go sixteen bytes at a time.
  const QByteArray plain = "THE QUICK Brown FOX jumps OVER the lazy DOG, again and AGAIN. ";
  const QByteArray padded[] = {QByteArray(pages[1] + plain.repeated(3)), QByteArray(plain.repeated(2) + pages[0] + plain),
                               QByteArray(utf8Head + plain.repeated(2) + pages[2] + plain)};
  std::vector<QByteArray> all(std::begin(pages), std::end(pages));
  all.insert(all.end(), std::begin(padded), std::end(padded));
  for (const QByteArray& page : all) {
    for (const std::vector<QString>& words : queries) {
      SCOPED_TRACE(page.toStdString() + " / " + QStringList(words.begin(), words.end()).join(u'|').toStdString());
      EXPECT_EQ(QueryWords(words).Score(page), DecodedScore(page, words));
    }
  }
  EXPECT_EQ(QueryWords(SplitQuery(QString::fromUtf8("été"))).Score(pages[0]), 1);
  EXPECT_EQ(QueryWords(SplitQuery(QString::fromUtf8("šš"))).Score(pages[1]), 1);
}

namespace {

struct EncodedPage {
  const char* encoding;  // as QStringEncoder names it
  const char* head;      // what the page says of its encoding
  bool bom;
  const char* subject;
  const char* body;
  const char* query;
  int score;
};

}  // namespace

TEST_F(HelpFolder, PagesInEveryEncodingGiveTheirSubjectAndTheirWords) {
  const EncodedPage pages[] = {
      {"windows-1251", "<meta charset=\"windows-1251\">", false, "Печать Документа", "ПЕЧАТЬ Печать", "печать", 3},
      {"ISO-8859-2", "<meta http-equiv=Content-Type content=\"text/html; charset=iso-8859-2\">", false, "Łódź Miasto",
       "ŁÓDŹ łódź", "łódź", 3},
      {"KOI8-R", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=KOI8-R\">", false, "Справка",
       "СПРАВКА справка", "справка", 3},
      {"Shift_JIS", "<meta charset=shift_jis>", false, "印刷の設定", "印刷 ＰＲＩＮＴ", "印刷 ｐｒｉｎｔ", 3},
      {"UTF-16LE", "", true, "Εκτύπωση Σελίδας", "ΕΚΤΎΠΩΣΗ", "εκτύπωση", 2},
      {"UTF-16BE", "", true, "Εκτύπωση", "Εκτύπωση", "εκτύπωση", 2},
      {"UTF-8", "", true, "Ürün Kılavuzu", "ÜRÜN", "ürün", 2},
      {"UTF-8", "<meta charset=\"utf-8\">", false, "Справка", "СПРАВКА", "справка", 2},
      {"UTF-8", "", false, "Čeština Nápověda", "ČEŠTINA", "čeština", 2},  // declares nothing, valid UTF-8
      {"windows-1252", "", false, "Café Été", "CAFÉ", "café", 2},          // declares nothing, not UTF-8
  };
  int n = 0;
  for (const EncodedPage& page : pages) {
    const QString text = QString::fromUtf8(page.head) + QStringLiteral("<title>T</title><o:Subject>") +
                         QString::fromUtf8(page.subject) + QStringLiteral("</o:Subject><body>") +
                         QString::fromUtf8(page.body) + QStringLiteral("</body>");
    QStringEncoder encoder(page.encoding, page.bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    ASSERT_TRUE(encoder.isValid()) << page.encoding;
    Write(QStringLiteral("p%1.html").arg(n++, 2, 10, QLatin1Char('0')), encoder.encode(text));
  }
  StringTable index(kIndexFields);
  BuildTopicIndex(Root(), index);
  ASSERT_EQ(index.Count(), n);
  for (int i = 0; i < n; ++i) {
    const EncodedPage& page = pages[i];
    SCOPED_TRACE(std::string(page.encoding) + " " + page.subject);
    EXPECT_EQ(index.At(0, i), QString::fromUtf8(page.subject).toLower());
    const QString path = index.At(3, i);
    EXPECT_EQ(ScorePage(path, SplitQuery(QString::fromUtf8(page.query))), page.score);
    EXPECT_EQ(ScorePage(path, SplitQuery(QString::fromUtf8(page.query).toUpper())), page.score);
  }
}

TEST(PageEncodings, AreReadFromTheMarkOrTheMetaTag) {
  struct Case {
    QByteArray page;
    PageEncoding::Kind kind;
    QByteArray name;
  };
  const Case cases[] = {
      {"\xef\xbb\xbf<meta charset=windows-1251>", PageEncoding::Utf8, {}},  // the mark wins
      {"\xff\xfe<\0", PageEncoding::Other, "UTF-16LE"},
      {"<meta charset = 'Windows-1251' >", PageEncoding::Other, "windows-1251"},
      {"<meta content=\"text/html;charset=ISO-8859-1\" http-equiv=content-type>", PageEncoding::Ansi, {}},
      {"<meta charset=\"utf-16\">plain", PageEncoding::Utf8, {}},     // a readable tag is not UTF-16
      {"<meta charset=\"no-such-set\">caf\xe9", PageEncoding::Ansi, {}},  // unknown: as if undeclared
      {"<p>charset=koi8-r</p>caf\xc3\xa9", PageEncoding::Utf8, {}},    // not in a meta tag
      {"caf\xe9", PageEncoding::Ansi, {}},
      {"<meta charset=\"utf-8\">caf\xe9", PageEncoding::Utf8, {}},  // declared wins over broken bytes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page.toStdString());
    const PageEncoding encoding = DetectEncoding(c.page);
    EXPECT_EQ(encoding.kind, c.kind);
    EXPECT_EQ(encoding.name, c.name);
  }
}

TEST(Lowering, EveryCharacterLowersInPageBytesAsInText) {
  std::string lowered;
  for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const QString text = QString::fromUcs4(&c, 1);
    EscapeAndLower(text.toUtf8(), true, lowered);
    ASSERT_EQ(QByteArray::fromStdString(lowered), text.toLower().toUtf8()) << std::hex << static_cast<unsigned>(c);
  }
  for (int b = 0; b < 256; ++b) {
    if (b == '&' || b == '=') continue;
    const QByteArray byte(1, static_cast<char>(b));
    EscapeAndLower(byte, false, lowered);
    ASSERT_EQ(lumora::platform::FromAnsi(QByteArray::fromStdString(lowered)),
              lumora::platform::FromAnsi(byte).toLower()) << b;
  }
}

TEST_F(HelpFolder, SubjectsShowTheCharactersTheirReferencesStandFor) {
  Write(QStringLiteral("a.html"), Page("Dealing with Bugs &#8212; Python &mdash; &quot;3.11&quot; &lt;b&gt; &#x41;&nbsp;z"));
  Write(QStringLiteral("b.html"), Page("Tips &amp; Tricks &#38; more &unknown; &#xZZ; & end"));
  Write(QStringLiteral("c.html"), "<title>&Eacute;t&eacute; &amp;amp;</title>");
  StringTable index(kIndexFields);
  BuildTopicIndex(Root(), index);
  EXPECT_EQ(index.At(0, 0), QString::fromUtf8("dealing with bugs — python — \"3.11\" <b> a\u00a0z"));
  EXPECT_EQ(index.At(0, 1), QStringLiteral("tips and tricks && more &&unknown; &&#xzz; && end"));
  EXPECT_EQ(index.At(0, 2), QString::fromUtf8("été andamp;"));
  // The search still counts in the page as it is written.
  EXPECT_EQ(ScorePage(index.At(3, 0), {QStringLiteral("&&mdash;")}), 1);
}
