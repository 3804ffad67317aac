#pragma once

// What the fuzz targets share. Each defines FUZZ_TARGET(bytes) { ... }.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken promise is a crash, so the fuzzer keeps the input that shows it.
#define FUZZ_CHECK(condition)                                                      \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                \
    }                                                                              \
  } while (false)

#define FUZZ_TARGET(bytes)                                                       \
  static void FuzzOne(QByteArrayView bytes);                                     \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    FuzzOne(QByteArrayView(data, static_cast<qsizetype>(size)));                 \
    return 0;                                                                    \
  }                                                                              \
  static void FuzzOne(QByteArrayView bytes)

// The input cut at NUL bytes into exactly count pieces: missing ones are
// empty, the last one holds the rest, NULs and all.
inline QList<QByteArray> Pieces(QByteArrayView bytes, qsizetype count) {
  QList<QByteArray> pieces;
  for (qsizetype i = 1; i < count; ++i) {
    const qsizetype nul = bytes.indexOf('\0');
    pieces.append(bytes.first(nul < 0 ? bytes.size() : nul).toByteArray());
    bytes = nul < 0 ? QByteArrayView() : bytes.sliced(nul + 1);
  }
  pieces.append(bytes.toByteArray());
  return pieces;
}

// A file of this name in a folder of the run's own, holding exactly the bytes.
inline QString ScratchFile(const QString& name, QByteArrayView bytes) {
  static const QTemporaryDir folder;
  const QString path = folder.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
    std::abort();
  return path;
}
