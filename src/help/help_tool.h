#pragma once

#include <QStringList>
#include <QTextStream>

namespace lumora::help {

// The help authors' companion, on the same code as the window:
//   index FOLDER           subject, name key and path of every topic, tab-separated
//   search [--by-hits] FOLDER WORDS...
//                          subject, score and path of every match, the most
//                          relevant first (--by-hits: the highest score first)
//   check FOLDER           links to no page or place, unreadable pages, pages
//                          neither linked from the home page nor listed,
//                          subjects used twice, links that open the question
//                          form; a summary line
// Returns the exit status: 0, 1 when check finds a broken link or an
// unreadable page, 2 for a wrong command line.
int RunHelpTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace lumora::help
