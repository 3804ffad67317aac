#include "app/command_line.h"
#include "fuzz.h"
#include "core/text.h"

using namespace lumora;

// Any argument string gives a lower-case pack path with "/" separators; a topic name without quotes comes through
// joining and parsing as it was, unless it is itself a switch, which stays one.
FUZZ_TARGET(bytes) {
  const QString input = QString::fromUtf8(bytes);
  const app::ParsedCommandLine given = app::ParseCommandLine(input);
  const QString path = given.CommandLine;
  FUZZ_CHECK(!path.contains(u'\\') && core::AnsiLower(path) == path && core::TrimBlanks(path) == path);
  FUZZ_CHECK(core::AnsiLower(given.Pack) == path);  // the pack as typed, cut alike
  if (input.contains(u'"')) return;
  for (const char* word : {"-lmr", "-index", "-search", "-topic"})
    if (input.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) return;
  const app::ParsedCommandLine parsed = app::ParseCommandLine(
      app::JoinArguments({QStringLiteral("C:\\Help\\X.QLP"), QStringLiteral("-Topic"), input}));
  FUZZ_CHECK(parsed.Topic == input && parsed.CommandLine == u"c:/help/x.qlp" && parsed.StartPage == layout::Page::Contents);
}
