#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "content/search.h"
#include "content/topic_index.h"

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

TEST_F(HelpFolder, ScanGoesFolderByFolderAndNeverLoopsOnLinks) {
  Write(QStringLiteral("b.html"), "x");
  Write(QStringLiteral("A.html"), "x");
  Write(QStringLiteral("Sub/c.html"), "x");
  Write(QStringLiteral("Sub/Deep/d.html"), "x");
  Write(QStringLiteral("Other/e.txt"), "x");
  QFile::link(dir_.path(), dir_.path() + QStringLiteral("/Sub/back"));  // a link up the tree
  int pumps = 0;
  const StringTable files = ScanFolderTree(Root(), [&] { ++pumps; });
  std::vector<QString> found;
  for (int i = 0; i < files.Count(); ++i) found.push_back(files.At(0, i).mid(Root().size()) + files.At(1, i));
  EXPECT_EQ(found, (std::vector<QString>{QStringLiteral("a.html"), QStringLiteral("b.html"), QStringLiteral("other/e.txt"),
                                         QStringLiteral("sub/c.html"), QStringLiteral("sub/deep/d.html")}));
  EXPECT_GT(pumps, 0);
  EXPECT_EQ(ScanFolderTree(Root() + QStringLiteral("missing")).Count(), 1);  // one empty entry
}

TEST_F(HelpFolder, IndexListsSubjectsNameKeysAndPaths) {
  Write(QStringLiteral("Page2-Setup.html"), Page("Setting Up"));
  Write(QStringLiteral("tips.html"), Page("Tips &amp; Tricks"));
  Write(QStringLiteral("amp.html"), Page("a & b"));
  Write(QStringLiteral("old.htm"), Page("Not indexed"));
  Write(QStringLiteral("notes.txt"), "plain");
  StringTable index(3);
  BuildTopicIndex(Root(), index);
  ASSERT_EQ(index.Count(), 3);
  EXPECT_EQ(index.At(0, 0), QStringLiteral("a && b"));
  EXPECT_EQ(index.At(0, 1), QStringLiteral("setting up"));
  EXPECT_EQ(index.At(1, 1), QStringLiteral("pagesetup"));
  EXPECT_EQ(index.At(2, 1), Root().toLower() + QStringLiteral("page2-setup.html"));
  EXPECT_EQ(index.At(0, 2), QStringLiteral("tips and tricks"));

  Write(QStringLiteral("new.html"), Page("Added later"));
  BuildTopicIndex(Root(), index);  // built once
  EXPECT_EQ(index.Count(), 3);
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
  const char* rows[][2] = {{"Chapter 1", "3"}, {"apple", "12"}, {"Banana", "7"}, {"cherry", "12"}};
  for (const auto& row : rows) {
    const int entry = table.Grow();
    table.Set(0, entry, QString::fromLatin1(row[0]));
    table.Set(1, entry, QString::fromLatin1(row[1]));
  }
  SortTable(table, true, 0);  // "Chapter 1" is a word: text mode
  EXPECT_EQ(table.At(0, 0), QStringLiteral("apple"));
  EXPECT_EQ(table.At(0, 1), QStringLiteral("Banana"));
  EXPECT_EQ(table.At(0, 2), QStringLiteral("Chapter 1"));
  EXPECT_EQ(table.At(0, 3), QStringLiteral("cherry"));
  SortTable(table, true, 1);  // "12" first: numbers, largest first
  EXPECT_EQ(table.At(1, 0), QStringLiteral("12"));
  EXPECT_EQ(table.At(1, 1), QStringLiteral("12"));
  EXPECT_EQ(table.At(1, 2), QStringLiteral("7"));
  EXPECT_EQ(table.At(1, 3), QStringLiteral("3"));
  SortTable(table, false, 0);  // not asked to sort
  EXPECT_EQ(table.At(1, 3), QStringLiteral("3"));
}

TEST(SortTable, ReadsLeadingNumbersAsTheOriginalDoes) {
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("12")), 12);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral(" 1 2 3abc")), 123);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("-4.5x")), -4.5);
  EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("abc")), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber(QString()), 0);
}

TEST_F(HelpFolder, SearchCountsEveryOccurrenceAndRanksBestFirst) {
  // setup five times (once in the subject), print twice: 7.
  Write(QStringLiteral("a.html"), Page("Setup", "setup setup setup setup print print"));
  Write(QStringLiteral("b.html"), Page("Printing", "print"));
  Write(QStringLiteral("c.html"), Page("Other", "nothing here"));
  StringTable index(3);
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
  // The empty word matches at every position of a page with text.
  EXPECT_EQ(ScorePage(Root() + QStringLiteral("d.txt"), {QString()}), 18);  // "aaa fish and chips"
}
