#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <array>

#include "help/help_tool.h"
#include "help/usage.h"
#include "support/test_files.h"

using namespace lumora::help;

namespace {
QString Q(const char* text) { return QString::fromUtf8(text); }
}  // namespace

TEST(HelpTool, IndexSearchAndCheckPrintWhatTheWindowShowsAndWhatToMendAndHelpOrVersionIsAnswered) {
  const QTemporaryDir dir;
  const auto Path = [&](const char* relative) -> QString { return dir.path() + u'/' + Q(relative); };
  const auto Write = [&](const char* relative, const QByteArray& bytes) { ASSERT_TRUE(WriteFile(Path(relative), bytes)); };
  QString out, err;
  auto run = [&](const char* command, const QStringList& more = {}, const char* folder = "Help") {
    out.clear();
    QTextStream o(&out), e(&err);
    return RunHelpTool(QStringList{Q(command), Path(folder)} + more, o, e);
  };
  auto at = [&](const char* page) -> QString { return u'\t' + Path("Help/") + Q(page) + u'\n'; };
  Write("Help/index.html", "<o:Subject>Welcome</o:Subject> print <a href=\"ask_class.html\">ask</a>");
  Write("Help/Using/Print-2.html", "<o:Subject>Printing</o:Subject> print print");
  Write("Help/Using/Tabs\t\\.html", "<o:Subject>Tabs\t&amp; a & b\r\nwrapped</o:Subject>");
  ASSERT_EQ(run("index"), 0);  // in the window's order, without the doubled "&", each record one line
  EXPECT_EQ(out, u"printing\tprint" + at("Using/Print-2.html") + u"tabs\\tand a & b\\r\\nwrapped\ttabs\\t\\\\" +
                     at("Using/Tabs\\t\\\\.html") + u"welcome\tindex" + at("index.html"));
  ASSERT_EQ(run("search", {QStringLiteral("PRINT")}), 0);
  EXPECT_EQ(out, u"printing\t3" + at("Using/Print-2.html") + u"welcome\t1" + at("index.html"));
  // The page named for the word comes first; asked to, the one that says it most.
  Write("Hits/named.html", "<o:Subject>Print</o:Subject>");
  Write("Hits/often.html", "<o:Subject>Other</o:Subject> print print print print print print");
  const auto first = [&](const QStringList& arguments) {
    out.clear();
    QTextStream o(&out), e(&err);
    return RunHelpTool(arguments, o, e) == 0 ? out.section(u'\t', 0, 0) : QString();
  };
  EXPECT_EQ(first({Q("search"), Path("Hits"), Q("print")}), Q("print"));
  EXPECT_EQ(first({Q("search"), Q("--by-hits"), Path("Hits"), Q("print")}), Q("other"));
  Write("Help/bare.html", "<title>No subject</title>");  // a title serves as a subject
  Write("Help/twin.html", "<o:Subject>Printing</o:Subject>");
  EXPECT_EQ(run("check"), 0);
  EXPECT_EQ(out.split(u'\n').filter(QStringLiteral("twin")),
            QStringList{u"duplicate subject\tprinting" + at("twin.html").chopped(1) + at("Using/Print-2.html").chopped(1)});
  // Links to no page, to no place in a page, out of the folder; a page no link reaches that the index does not list.
  Write("Help/links.html", "<title>Links</title>\n<a href='gone.html'>x</a> <a class=b href=\"Using/PRINT-2.html#there\">\n"
                           "<a id=here href=\"#here\"><a href=../../x.html><a href=\"https://example.com/\"><link href=y.css>");
  Write("Help/old.htm", "<a href=\"index.html#top\">home</a> <p id=there>");
  EXPECT_EQ(run("check"), 1);
  const QString links = Path("Help/links.html");
  EXPECT_EQ(out.split(u'\n').filter(QRegularExpression(QStringLiteral("^(broken|not|ask|\\d)"))),
            (QStringList{u"broken link\t" + links + u":2\tgone.html\tno such page",
                         u"broken link\t" + links + u":2\tUsing/PRINT-2.html#there\tno such place",
                         u"broken link\t" + links + u":3\t../../x.html\toutside the help set",
                         u"not reached" + at("old.htm").chopped(1), u"ask_class link" + at("index.html").chopped(1),
                         Q("7 pages: 3 broken links, 0 unreadable, 1 not reached, 1 subjects used twice")}));
  EXPECT_EQ((std::array{run("list"), run("search"), run("index", {}, "None")}), (std::array{2, 2, 2}));  // what, words, where
  const auto asked = [](const char* arguments) { return InfoRequested(Q(arguments).split(u' ', Qt::SkipEmptyParts)); };
  EXPECT_EQ((std::array{asked(""), asked("x.qlp -index"), asked("-h"), asked("x --help --version"), asked("--version -h")}),
            (std::array{InfoRequest::None, InfoRequest::None, InfoRequest::Help, InfoRequest::Help, InfoRequest::Version}));
}
