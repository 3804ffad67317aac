#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "layout/page.h"

namespace lumora::app {

struct ParsedCommandLine {
  QString CommandLine;  // the language pack path, lower case, "/" separators
  QString Pack;         // the same path in its own letters: the file that is opened
  layout::Page StartPage = layout::Page::Contents;  // the page its switch opens once start-up is done
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

// Finds the page switch and cuts out the language pack path:
//   "C:\Help\English.QLP -index"  ->  "c:/help/english.qlp", the index page
//   "-search -index x.qlp"        ->  "x.qlp", the search page (-search is tested last)
//   "c:\my-index\x.qlp"           ->  "c:/my/x.qlp", the index page (switch text inside the path)
//   "x.qlp -topic My-Index#Top"   ->  "x.qlp", topic "My-Index#Top", the contents page
//   "x.qlp -topic -index"         ->  "x.qlp", no topic (without a name), the index page
// "-topic" counts only as a word of its own; it and its name are taken out
// first, so neither the name nor the switch is mistaken for a page switch or the
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
