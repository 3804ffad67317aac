// registry_probe STORE VALUE TEXT: writes the text, then prints the value, as whoever runs it.
#include <cstdio>

#include "platform/registry.h"

int main(int argc, char* argv[]) {
  if (argc != 4) return 2;
  const lumora::platform::RegistryRoot root{QString::fromLocal8Bit(argv[1])};
  const QString key = QStringLiteral("SOFTWARE\\Quillmark Software"), value = QString::fromLocal8Bit(argv[2]);
  lumora::platform::RegWriteText(root, key, value, QString::fromLocal8Bit(argv[3]));
  std::printf("%s\n", lumora::platform::RegReadText(root, key, value).toUtf8().constData());
}
