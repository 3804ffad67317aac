#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace lumora::app {

// Which page is opened once start-up is done.
enum RunModeValue { runContents = 0, runQuestion = 1, runIndex = 3, runSearch = 4 };

struct ParsedCommandLine {
  QString CommandLine;  // the language pack path, lower case, "/" separators
  QString Pack;         // the same path in its own letters: the file that is opened
  int RunMode = runContents;
  QString Topic;  // the NAME of "-topic NAME", letter case kept; empty without one
  bool TopicWithoutName = false;  // "-topic" at the end, or before another switch
};

// The one argument string: the arguments after the program path, joined by
// blanks. The name after "-topic" is put in double quotes when it holds a
// blank, so that it stays one name.
QString JoinArguments(const QStringList& arguments);

// A later start hands its argument string to the running window as one line.
// The string it read, or nothing when the line is not one a start of ours
// writes: longer than kLongestHandover, not UTF-8, or holding a control
// character.
inline constexpr qsizetype kLongestHandover = 64 * 1024;
std::optional<QString> ReadHandover(QByteArrayView line);

// Finds the run-mode switch and cuts out the language pack path:
//   "C:\Help\English.QLP -index"  ->  "c:/help/english.qlp", run mode 3
//   "-search -index x.qlp"        ->  "x.qlp", run mode 4 (-search is tested last)
//   "c:\my-index\x.qlp"           ->  "c:/my/x.qlp", run mode 3 (switch text inside the path)
//   "x.qlp -topic My-Index#Top"   ->  "x.qlp", topic "My-Index#Top", run mode 0
//   "x.qlp -topic -index"         ->  "x.qlp", no topic (without a name), run mode 3
// "-topic" counts only as a word of its own; it and its name are taken out
// first, so neither the name nor the switch is mistaken for a run mode or the
// pack. A switch right after it is no name: it stays a switch.
// Both "\" and "/" are accepted as separators.
ParsedCommandLine ParseCommandLine(const QString& argumentString);

// What a start says on standard error when its -topic names no page.
QString NoPageNote(const QString& topic, const QString& helpFolder);

// The folder of the language pack, ending in a separator, without "." or ".."
// parts or doubled separators. A relative path is taken from currentFolder,
// so a bare file name gives the current folder.
QString HelpFolderOf(const QString& commandLine, const QString& currentFolder);

}  // namespace lumora::app
