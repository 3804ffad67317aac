#include "app/command_line.h"
#include "app/temp_install.h"
#include "core/text.h"

using namespace lumora::app;

TEST(CommandLine, SwitchesPackAndHelpFolderAreFoundAsTheProductsPassThemAndHandedOverLinesAreBoundedText) {
  // The pack is opened in its own letters (/x/Help/ and /x/help/ may both exist), the line kept lower-cased.
  const struct { const char *arguments, *pack; lumora::layout::Page page; const char* topic = ""; bool withoutName = false; } cases[] = {
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
  const char* const folders[][2] = {{"help/x.qlp", "/home/ann/docs/help/"}, {"../../../../../x.qlp", "/"}};
  for (const auto& [pack, folder] : folders) EXPECT_EQ(HelpFolderOf(Q(pack), Q("/home/Ann/Docs")), Q(folder)) << pack;
  // What a later start hands over: one line of UTF-8 text, or it is dropped.
  EXPECT_EQ(ReadHandover("/x/Hilfe/\xC3\xBC.qlp -topic \"a b\""), QString::fromUtf8("/x/Hilfe/\xC3\xBC.qlp -topic \"a b\""));
  EXPECT_EQ(ReadHandover(QByteArray(64 * 1024, 'a')), QString(64 * 1024, u'a'));
  for (const QByteArray& line : {QByteArray(64 * 1024 + 1, 'a'), QByteArray("a\xC3"), QByteArray("a\tb"), QByteArray("a\x7F"),
                                 QByteArray("a\0b", 3)})
    EXPECT_EQ(ReadHandover(line), std::nullopt) << line.left(8).toStdString();
}
