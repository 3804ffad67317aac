#include "app/command_line.h"
#include "help/help_tool.h"
#include "app/temp_install.h"
#include "core/text.h"

using namespace lumora::app;
using namespace lumora::help;

TEST(CommandLine, TopicSwitchesAndPackAreFoundAsTheProductsPassThem) {
  // The pack is opened in its own letters (/x/Help/ and /x/help/ may both exist), the line kept lower-cased.
  const struct {
    const char *arguments, *pack;
    lumora::layout::Page page;
    const char* topic = "";
    bool withoutName = false;
  } cases[] = {
      {"-search -index c:\\h\\x.qlp", "c:/h/x.qlp", lumora::layout::Page::Search},  // a later switch of the list wins
      {"  /x/Help/English.qlp  -SEARCH  ", "/x/Help/English.qlp", lumora::layout::Page::Search},
      {"C:\\My-Index\\X.QLP More", "C:/My/X.QLP", lumora::layout::Page::Index},  // a switch inside the path is one; what follows goes
      {"/h/x.qlpz", "/h/x.qlpz", lumora::layout::Page::Contents},            // one character past ".qlp" stays
      {"/help/english", "/hel", lumora::layout::Page::Contents},             // no ".qlp": four characters remain
      {"-TOPIC Using/Switches.html#Top /h/x.qlp -index", "/h/x.qlp", lumora::layout::Page::Index, "Using/Switches.html#Top"},
      {"/h/x.qlp -topic", "/h/x.qlp", lumora::layout::Page::Contents, "", true},
      {"/h/x.qlp -topic -index", "/h/x.qlp", lumora::layout::Page::Index, "", true},  // a switch is no name
      {"/h/x.qlp my-topic -topics", "/h/x.qlp", lumora::layout::Page::Contents},  // only a word of its own is the switch
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(Q(c.arguments));
    EXPECT_EQ(std::tuple(parsed.Pack, parsed.CommandLine, parsed.StartPage, parsed.Topic, parsed.TopicWithoutName),
              std::tuple(Q(c.pack), lumora::core::AnsiLower(Q(c.pack)), c.page, Q(c.topic), c.withoutName))
        << c.arguments;
  }
  // A later start passes its words joined: a topic with blanks comes through whole.
  const auto joined = ParseCommandLine(JoinArguments({Q("a b/x.qlp"), Q("-Topic"), Q("a b.html")}));
  EXPECT_EQ(std::pair(joined.CommandLine, joined.Topic), std::pair(Q("a b/x.qlp"), Q("a b.html")));
}

// What a later start hands over: one line of UTF-8 text, or it is dropped.
TEST(CommandLine, HandedOverLinesAreTextOfBoundedLength) {
  EXPECT_EQ(ReadHandover("/x/Hilfe/\xC3\xBC.qlp -topic \"a b\""), QString::fromUtf8("/x/Hilfe/\xC3\xBC.qlp -topic \"a b\""));
  EXPECT_EQ(ReadHandover(QByteArray(64 * 1024, 'a')), QString(64 * 1024, u'a'));
  for (const QByteArray& line : {QByteArray(64 * 1024 + 1, 'a'), QByteArray("a\xC3"), QByteArray("a\tb"), QByteArray("a\x7F"),
                                 QByteArray("a\0b", 3)})
    EXPECT_EQ(ReadHandover(line), std::nullopt) << line.left(8).toStdString();
}

TEST(CommandLine, HelpFolderIsThePacksFolderWithItsSeparator) {
  const char* const cases[][2] = {{"help/x.qlp", "/home/ann/docs/help/"}, {"../../../../../x.qlp", "/"}};
  for (const auto& [pack, folder] : cases)
    EXPECT_EQ(HelpFolderOf(Q(pack), Q("/home/Ann/Docs")), Q(folder)) << pack;
}

// The authors' tool prints what the window lists, and what to mend.
using HelpTool = TempInstall;

TEST_F(HelpTool, IndexSearchAndCheckPrintWhatTheWindowShowsAndWhatToMend) {
  QString out, err;
  auto run = [&](const char* command, const QStringList& more = {}) {
    out.clear();
    QTextStream o(&out), e(&err);
    return RunHelpTool(QStringList{Q(command), Path("Help")} + more, o, e);
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
  EXPECT_EQ(std::pair(run("list"), run("search")), std::pair(2, 2));  // no such command; no words
}
