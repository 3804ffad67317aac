#include <QFile>

#include "fuzz.h"
#include "core/registry.h"

using namespace lumora::core;

// Before the first NUL a store, after it a text to write into it. A value written reads back as written, less the
// control characters a registry text cannot hold, and leaves the other values as they were.
FUZZ_TARGET(bytes) {
  const QList<QByteArray> pieces = Pieces(bytes, 2);
  const RegistryRoot root{ScratchFile(QStringLiteral("registry.conf"), pieces[0])};
  const QString key = QStringLiteral("SOFTWARE\\Quillmark Software");
  const QString theme = RegReadText(root, key, QStringLiteral("CurrentTheme"));
  const QString text = QString::fromUtf8(pieces[1]);
  RegWriteText(root, key, QStringLiteral("LMRCPUInfo"), text);
  FUZZ_CHECK(RegReadText(root, key, QStringLiteral("CurrentTheme")) == theme);
  QFile store(root.storeFile);
  if (!store.open(QIODevice::ReadOnly) || store.readAll() == pieces[0]) return;
  QString expected;
  for (const QChar c : text)
    if ((c.unicode() >= 0x20 && c.unicode() != 0x7F) || c == u'\t' || c == u'\n' || c == u'\r') expected += c;
  FUZZ_CHECK(RegReadText(root, key, QStringLiteral("LMRCPUInfo")) == expected);
}
