#include <gtest/gtest.h>

#include "app/command_line.h"

using namespace lumora::app;

TEST(CommandLine, ArgumentsAreJoinedWithBlanks) {
  EXPECT_EQ(JoinArguments({QStringLiteral("/help/english.qlp"), QStringLiteral("-index")}),
            QStringLiteral("/help/english.qlp -index"));
  EXPECT_EQ(JoinArguments({}), QString());
}

TEST(CommandLine, SwitchesAndPathAreFoundAsTheProductsPassThem) {
  const struct {
    const char* arguments;
    const char* commandLine;
    int runMode;
  } cases[] = {
      {"c:\\help\\english.qlp -index", "c:/help/english.qlp", runIndex},
      {"/usr/share/help/english.qlp -lmr", "/usr/share/help/english.qlp", runQuestion},
      {"-search /h/x.qlp", "/h/x.qlp", runSearch},
      {"-search -index c:\\h\\x.qlp", "c:/h/x.qlp", runSearch},  // -search is tested last
      {"-index -lmr /h/x.qlp", "/h/x.qlp", runIndex},
      {"C:\\Help\\English.QLP", "c:/help/english.qlp", runContents},
      {"  /Help/English.qlp  -SEARCH  ", "/help/english.qlp", runSearch},
      {"c:\\my-index\\x.qlp", "c:/my/x.qlp", runIndex},  // the switch text inside the path is a switch
      {"/h/x.qlp extra words", "/h/x.qlp", runContents},    // text after the pack is cut off
      {"/h/x.qlpz", "/h/x.qlpz", runContents},              // one character past ".qlp" stays
      {"/help/english", "/hel", runContents},               // no ".qlp": four characters remain
      {"", "", runContents},
      {"-index", "", runIndex},
      {"\"/help/english.qlp\"", "\"/help/english.qlp\"", runContents},  // quotes are kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ParsedCommandLine parsed = ParseCommandLine(QString::fromLatin1(c.arguments));
    EXPECT_EQ(parsed.CommandLine, QString::fromLatin1(c.commandLine));
    EXPECT_EQ(parsed.RunMode, c.runMode);
  }
}

TEST(CommandLine, HelpFolderIsThePacksFolderWithItsSeparator) {
  EXPECT_EQ(HelpFolderOf(QStringLiteral("/usr/share/help/english.qlp"), QStringLiteral("/tmp")),
            QStringLiteral("/usr/share/help/"));
  EXPECT_EQ(HelpFolderOf(QStringLiteral("/english.qlp"), QStringLiteral("/tmp")), QStringLiteral("/"));
  // A bare file name is in the current folder, and a relative path below it.
  EXPECT_EQ(HelpFolderOf(QStringLiteral("english.qlp"), QStringLiteral("/home/Ann/Docs")),
            QStringLiteral("/home/ann/docs/"));
  EXPECT_EQ(HelpFolderOf(QStringLiteral("help/english.qlp"), QStringLiteral("/home/ann/")),
            QStringLiteral("/home/ann/help/"));
}
