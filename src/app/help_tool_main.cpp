#include <QCoreApplication>
#include <QTextStream>

#include "app/help_tool.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  return lumora::app::RunHelpTool(QCoreApplication::arguments().mid(1), out, err);
}
