#include "app/command_line.h"

#include <QDir>

#include "platform/text.h"
#include "settings/platform_facts.h"

namespace lumora::app {
namespace {

struct Switch {
  QLatin1StringView text;
  int runMode;
};

// Tested in this order; a later hit wins.
constexpr Switch kSwitches[] = {
    {QLatin1StringView("-lmr"), runQuestion},
    {QLatin1StringView("-index"), runIndex},
    {QLatin1StringView("-search"), runSearch},
};

}  // namespace

QString JoinArguments(const QStringList& arguments) { return arguments.join(QLatin1Char(' ')); }

ParsedCommandLine ParseCommandLine(const QString& argumentString) {
  ParsedCommandLine parsed;
  QString line = platform::AnsiLower(platform::TrimBlanks(argumentString));
  for (const Switch& s : kSwitches)
    if (line.contains(s.text)) parsed.RunMode = s.runMode;
  for (const Switch& s : kSwitches) line.remove(s.text);
  line = platform::TrimBlanks(line);

  const QLatin1StringView extension(".qlp");
  if (!line.isEmpty() && !line.endsWith(extension)) {
    // Keeps one character past ".qlp" (normally the blank before further
    // text); without ".qlp" only four characters remain, which then fail.
    const qsizetype found = line.indexOf(extension);
    const qsizetype position = found < 0 ? 0 : found + 1;
    line = platform::TrimBlanks(line.left(position + 4));
  }
  line.replace(QLatin1Char('\\'), QLatin1Char('/'));
  parsed.CommandLine = line;
  return parsed;
}

QString HelpFolderOf(const QString& commandLine, const QString& currentFolder) {
  const qsizetype separator = commandLine.lastIndexOf(QLatin1Char('/'));
  const QString folder = separator < 0 ? QString() : commandLine.left(separator + 1);
  const QString absolute =
      folder.startsWith(QLatin1Char('/')) ? folder : settings::NormalizedFolder(currentFolder) + folder;
  // "./", "../" and "//" would make the home page differ from the path the
  // browser reports for it, and every look at it a new navigation.
  QString clean = QDir::cleanPath(absolute);
  // Above the root is the root.
  while (clean == QLatin1String("/..") || clean.startsWith(QLatin1String("/../"))) clean.remove(0, 3);
  return settings::NormalizedFolder(clean.isEmpty() ? QStringLiteral("/") : clean);
}

}  // namespace lumora::app
