// registry_probe STORE VALUE [TEXT]: writes the text if given, then prints the value, as whoever runs it.
#include <cstdio>

#include "platform/registry.h"

int main(int argc, char* argv[]) {
  using namespace lumora::platform;
  if (argc < 3) return 2;
  const RegistryRoot root{QString::fromLocal8Bit(argv[1])};
  const QString key = QStringLiteral("SOFTWARE\\Quillmark Software"), value = QString::fromLocal8Bit(argv[2]);
  if (argc > 3) RegWriteText(root, key, value, QString::fromLocal8Bit(argv[3]));
  std::printf("%s\n", RegReadText(root, key, value).toUtf8().constData());
}
