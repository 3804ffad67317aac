#include <unistd.h>

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include "app/command_line.h"
#include "app/manager.h"
#include "app/manager_sub.h"
#include "app/single_window.h"
#include "controls/accessibility.h"
#include "help/usage.h"
#include "content/topic_index.h"
#include "platform/browser_view.h"
#include "core/files.h"

int main(int argc, char* argv[]) {
  // Answered before any window, display or language pack is touched.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  switch (lumora::help::InfoRequested(arguments)) {
    case lumora::help::InfoRequest::Help: std::fputs(lumora::help::LumoraUsage().toLocal8Bit().constData(), stdout); return 0;
    case lumora::help::InfoRequest::Version:
      std::fputs(lumora::help::VersionText(QStringLiteral("lumora")).toLocal8Bit().constData(), stdout);
      return 0;
    case lumora::help::InfoRequest::None: break;
  }
  // Nothing to open: say what to pass before the fatal message.
  if (arguments.isEmpty()) std::fputs(lumora::help::LumoraUsage().toLocal8Bit().constData(), stderr);

  if (lumora::platform::PrepareBrowserEngine())
    std::fputs(geteuid() == 0 ? "lumora: running as root: help pages run without the browser engine's sandbox\n"
                              : "lumora: QTWEBENGINE_DISABLE_SANDBOX is set: help pages run without the browser "
                                "engine's sandbox\n",
               stderr);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  lumora::controls::InstallAccessibility();
  QApplication::setApplicationName(QStringLiteral("Lumora"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/lumora/lumora.png")));

  const QString argumentString = lumora::app::JoinArguments(QApplication::arguments().mid(1));
  // A help set already open on this display takes the start over: one
  // window however often the calling program asks for help.
  const lumora::app::ParsedCommandLine parsed = lumora::app::ParseCommandLine(argumentString);
  if (parsed.TopicWithoutName) std::fputs("lumora: -topic is not followed by a page name; it is left out\n", stderr);
  const QString pack = parsed.Pack;
  std::unique_ptr<lumora::app::SingleWindow> single;
  if (lumora::core::FileIsUsable(pack)) {
    const QString realPack = QFileInfo(lumora::core::ResolvePath(pack)).canonicalFilePath();
    single = std::make_unique<lumora::app::SingleWindow>(realPack);
    if (single->HandOverOrListen(argumentString) == lumora::app::SingleWindow::Start::HandedOver) {
      // The caller hears of a page that is not there, as from a first start.
      const QString folder = lumora::app::HelpFolderOf(pack, QDir::currentPath());
      if (!parsed.Topic.isEmpty() && lumora::content::FindTopicPage(folder, parsed.Topic, nullptr).isEmpty())
        std::fputs(qUtf8Printable(lumora::app::NoPageNote(parsed.Topic, folder)), stderr);
      return 0;
    }
  }

  lumora::app::ManagerSub owner;
  lumora::app::Manager manager(&owner);
  if (single) {
    QObject::connect(single.get(), &lumora::app::SingleWindow::Request, &manager, &lumora::app::Manager::TakeRequest);
    QObject::connect(&manager, &lumora::app::Manager::Quitting, single.get(), &lumora::app::SingleWindow::Close);
  }
  if (!manager.Load(argumentString)) return 1;
  // Closed while start-up still built the index for -index or -search.
  if (manager.QuitRequested()) return 0;
  return QApplication::exec();
}
