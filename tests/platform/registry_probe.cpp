// Reads and writes one registry value from the command line, so tests can run
// the store as another user:  registry_probe STORE VALUE [NEW_TEXT]
#include <QCoreApplication>
#include <cstdio>

#include "platform/registry.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 3) return 2;
  const lumora::platform::RegistryRoot root{args[1]};
  const QString key = QStringLiteral("SOFTWARE\\Quillmark Software");
  if (args.size() > 3) lumora::platform::RegWriteText(root, key, args[2], args[3]);
  std::printf("%s\n", lumora::platform::RegReadText(root, key, args[2]).toUtf8().constData());
  return 0;
}
