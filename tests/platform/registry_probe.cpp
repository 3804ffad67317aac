// registry_probe STORE VALUE TEXT: writes the text as whoever runs it.
#include "platform/registry.h"

int main(int argc, char* argv[]) {
  if (argc != 4) return 2;
  const auto arg = [argv](int i) { return QString::fromLocal8Bit(argv[i]); };
  lumora::platform::RegWriteText({arg(1)}, QStringLiteral("SOFTWARE\\Quillmark Software"), arg(2), arg(3));
}
