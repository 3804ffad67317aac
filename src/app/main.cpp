#include <unistd.h>

#include <QApplication>
#include <QIcon>

#include "app/command_line.h"
#include "app/manager.h"
#include "app/manager_sub.h"

int main(int argc, char* argv[]) {
  // The browser engine refuses to start its sandbox as root.
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumora"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/lumora/lumora.png")));

  lumora::app::ManagerSub owner;
  lumora::app::Manager manager(&owner);
  if (!manager.Load(lumora::app::JoinArguments(QApplication::arguments().mid(1)))) return 1;
  // Closed while start-up still built the index for -index or -search.
  if (manager.State().QuitRequested) return 0;
  return QApplication::exec();
}
