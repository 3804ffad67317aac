#include <QCoreApplication>
#include <QTextStream>

#include "help/help_tool.h"
#include "help/usage.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  switch (lumora::help::InfoRequested(arguments)) {
    case lumora::help::InfoRequest::Help: out << lumora::help::HelpToolUsage(); return 0;
    case lumora::help::InfoRequest::Version: out << lumora::help::VersionText(QStringLiteral("lumora-help")); return 0;
    case lumora::help::InfoRequest::None: break;
  }
  return lumora::help::RunHelpTool(arguments, out, err);
}
