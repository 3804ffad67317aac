#include "app/command_line.h"
#include "app/help_tool.h"
#include "app/temp_install.h"

using namespace lumora::app;

TEST(CommandLine, ATopicWithBlanksIsQuotedWhenJoined) {
  EXPECT_EQ(JoinArguments({Q("a b/x.qlp"), Q("-Topic"), Q("a b.html")}), Q("a b/x.qlp -Topic \"a b.html\""));
}

TEST(CommandLine, TopicSwitchesAndPackAreFoundAsTheProductsPassThem) {
  const struct {
    const char *arguments, *commandLine; int runMode; const char* topic = ""; bool withoutName = false;
  } cases[] = {
      {"-search -index c:\\h\\x.qlp", "c:/h/x.qlp", runSearch},  // a later switch of the list wins
      {"  /Help/English.qlp  -SEARCH  ", "/help/english.qlp", runSearch},
      {"c:\\my-index\\x.qlp", "c:/my/x.qlp", runIndex},  // the switch text inside the path is a switch
      {"/h/x.qlp extra words", "/h/x.qlp", runContents},  // text after the pack is cut off
      {"/h/x.qlpz", "/h/x.qlpz", runContents},            // one character past ".qlp" stays
      {"/help/english", "/hel", runContents},             // no ".qlp": four characters remain
      {"-index", "", runIndex},
      {"-TOPIC Using/Switches.html#Top /h/x.qlp -index", "/h/x.qlp", runIndex, "Using/Switches.html#Top"},
      {"/h/x.qlp -topic my-index-page -search", "/h/x.qlp", runSearch, "my-index-page"},  // taken out first
      {"/h/x.qlp -topic \"getting started.html\" -lmr", "/h/x.qlp", runQuestion, "getting started.html"},
      {"/h/x.qlp -topic", "/h/x.qlp", runContents, "", true},
      {"/h/x.qlp -topic -index", "/h/x.qlp", runIndex, "", true},  // a switch is no name
      {"/h/x.qlp my-topic -topics", "/h/x.qlp", runContents},  // only a word of its own is the switch
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(Q(c.arguments));
    EXPECT_EQ(std::tuple(parsed.CommandLine, parsed.RunMode, parsed.Topic, parsed.TopicWithoutName),
              std::tuple(Q(c.commandLine), c.runMode, Q(c.topic), c.withoutName)) << c.arguments;
  }
}

// ".", ".." and doubled separators go: the home page is spelled as the browser reports it.
TEST(CommandLine, HelpFolderIsThePacksFolderWithItsSeparator) {
  const char* const cases[][2] = {{"x.qlp", "/home/ann/docs/"}, {"help/x.qlp", "/home/ann/docs/help/"},
                                  {"/a//b/./../b//x.qlp", "/a/b/"}, {"../../../../../x.qlp", "/"}};
  for (const auto& [pack, folder] : cases)
    EXPECT_EQ(HelpFolderOf(Q(pack), Q("/home/Ann/Docs")), Q(folder)) << pack;
}

// The authors' tool prints what the window lists, and what to mend.
class HelpTool : public TempInstall {
 protected:
  int Run(const char* command, const QStringList& more = {}) {
    out_.clear();
    QTextStream out(&out_), err(&err_);
    return RunHelpTool(QStringList{Q(command), Path("Help")} + more, out, err);
  }
  QString At(const char* page) const { return u'\t' + Path("Help/") + Q(page) + u'\n'; }
  QString out_, err_;
};

TEST_F(HelpTool, IndexSearchAndCheckPrintWhatTheWindowShowsAndWhatToMend) {
  Write("Help/index.html", "<o:Subject>Welcome</o:Subject> print <a href=\"ask_class.html\">ask</a>");
  Write("Help/Using/Print-2.html", "<o:Subject>Printing</o:Subject> print print");
  Write("Help/Using/Tabs.html", "<o:Subject>Tabs\t&amp; a & b\r\nwrapped</o:Subject>");
  ASSERT_EQ(Run("index"), 0);  // subjects as the index shows them, without the doubled "&", on one line
  EXPECT_EQ(out_, u"welcome\tindex" + At("index.html") + u"printing\tprint" + At("Using/Print-2.html") +
                      u"tabs and a & b  wrapped\ttabs" + At("Using/Tabs.html"));
  ASSERT_EQ(Run("search", {QStringLiteral("PRINT")}), 0);
  EXPECT_EQ(out_, u"printing\t3" + At("Using/Print-2.html") + u"welcome\t1" + At("index.html"));
  Write("Help/bare.html", "<title>No subject</title>");
  Write("Help/twin.html", "<o:Subject>Printing</o:Subject>");
  EXPECT_EQ(Run("check"), 1);
  for (const QString& line : QStringList{u"no subject" + At("bare.html"), u"ask_class link" + At("index.html"),
                                         QStringLiteral("duplicate subject\tprinting\t")})
    EXPECT_TRUE(out_.contains(line)) << line.toStdString();
  EXPECT_EQ(Run("list"), 2);
  EXPECT_EQ(Run("search"), 2);  // no words
}
