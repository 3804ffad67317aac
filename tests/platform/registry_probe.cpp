// registry_probe STORE VALUE TEXT [TIMES]: writes the text (TIMES times, as TEXT-1, TEXT-2 ...) as whoever runs it.
// registry_probe STORE VALUE: prints the value.
#include <cstdio>

#include "core/registry.h"

int main(int argc, char* argv[]) {
  if (argc < 3 || argc > 5) return 2;
  const auto arg = [argv](int i) { return QString::fromLocal8Bit(argv[i]); };
  const QString key = QStringLiteral("SOFTWARE\\Quillmark Software");
  if (argc == 3) {
    std::puts(qUtf8Printable(lumora::core::RegReadText({arg(1)}, key, arg(2))));
    return 0;
  }
  const int times = argc == 5 ? arg(4).toInt() : 0;
  for (int i = 1; i <= times || (times == 0 && i == 1); ++i)
    lumora::core::RegWriteText({arg(1)}, key, arg(2), times ? arg(3) + u'-' + QString::number(i) : arg(3));
}
