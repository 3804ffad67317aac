#include <QCoreApplication>
#include <QTextStream>

#include "app/help_tool.h"
#include "app/usage.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  switch (lumora::app::InfoRequested(arguments)) {
    case lumora::app::InfoRequest::Help: out << lumora::app::HelpToolUsage(); return 0;
    case lumora::app::InfoRequest::Version: out << lumora::app::VersionText(QStringLiteral("lumora-help")); return 0;
    case lumora::app::InfoRequest::None: break;
  }
  return lumora::app::RunHelpTool(arguments, out, err);
}
