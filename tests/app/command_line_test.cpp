#include "app/command_line.h"
#include "app/temp_install.h"

using namespace lumora::app;

TEST(CommandLine, ATopicWithBlanksIsQuotedWhenJoined) {
  EXPECT_EQ(JoinArguments({QStringLiteral("my help/x.qlp"), QStringLiteral("-Topic"), QStringLiteral("a b.html")}),
            QStringLiteral("my help/x.qlp -Topic \"a b.html\""));
}

TEST(CommandLine, TopicSwitchesAndPackAreFoundAsTheProductsPassThem) {
  const struct {
    const char *arguments, *commandLine;
    int runMode;
    const char* topic = "";
    bool withoutName = false;
  } cases[] = {
      {"c:\\help\\english.qlp -index", "c:/help/english.qlp", runIndex},
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
      {"/my-topic/x.qlp", "/my-topic/x.qlp", runContents},  // only a word of its own is the switch
      {"/h/x.qlp -topics", "/h/x.qlp", runContents},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ParsedCommandLine parsed = ParseCommandLine(Q(c.arguments));
    EXPECT_EQ(parsed.CommandLine, Q(c.commandLine));
    EXPECT_EQ(parsed.RunMode, c.runMode);
    EXPECT_EQ(parsed.Topic, Q(c.topic));
    EXPECT_EQ(parsed.TopicWithoutName, c.withoutName);
  }
}

// ".", ".." and doubled separators go: the home page is spelled as the browser reports it.
TEST(CommandLine, HelpFolderIsThePacksFolderWithItsSeparator) {
  const char* const cases[][3] = {
      {"/usr/share/help/english.qlp", "/tmp", "/usr/share/help/"},
      {"english.qlp", "/home/Ann/Docs", "/home/ann/docs/"},
      {"help/english.qlp", "/home/ann/", "/home/ann/help/"},
      {"/usr//share/help/../help//english.qlp", "/tmp", "/usr/share/help/"},
      {"../../../english.qlp", "/home", "/"},
  };
  for (const auto& [pack, current, folder] : cases)
    EXPECT_EQ(HelpFolderOf(Q(pack), Q(current)), Q(folder)) << pack;
}
