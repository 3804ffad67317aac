#pragma once

// The files a test writes and reads back, each in one call.
#include <QDir>
#include <QFile>
#include <QFileInfo>

// Writes the bytes over path, making its folders first; false unless all of them went.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
         file.write(bytes) == bytes.size() && file.flush();
}

// What path holds, or nothing when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
