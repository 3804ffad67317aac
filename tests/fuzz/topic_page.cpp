#include <QDir>

#include "content/topic_index.h"
#include "fuzz.h"
#include "core/files.h"

using namespace lumora;

namespace {

// A small help folder beside a page outside it.
struct Help {
  Help() {
    for (const char* name : {"help/index.html", "help/Using/Page2-Setup.html", "help/c#/faq#2.html", "outside.html"}) {
      const QString path = dir.filePath(QLatin1String(name));
      QDir().mkpath(QFileInfo(path).absolutePath());
      QFile file(path);
      if (!file.open(QIODevice::WriteOnly) || file.write("<o:Subject>S</o:Subject>") < 0) std::abort();
    }
    folder = dir.filePath(QStringLiteral("help/"));
    root = QFileInfo(folder).canonicalFilePath();
    index = content::BuildTopicIndex(folder).value_or(std::vector<content::Topic>());
  }
  QTemporaryDir dir;
  QString folder, root;
  std::vector<content::Topic> index;
};

}  // namespace

// Whatever a calling program names, the page found is a file inside the help folder (with the place that followed the
// name), found alike with and without the index.
FUZZ_TARGET(bytes) {
  static const Help help;
  const QString name = QString::fromUtf8(bytes);
  const QString page = content::FindTopicPage(help.folder, name, &help.index);
  FUZZ_CHECK(page == content::FindTopicPage(help.folder, name, nullptr));
  if (page.isEmpty()) return;
  const core::LocalTarget target = core::SplitLocalTarget(page);
  FUZZ_CHECK(core::IsInside(QFileInfo(target.file).canonicalFilePath(), help.root));
  FUZZ_CHECK(!target.hasFragment || name.endsWith(target.fragment));
}
