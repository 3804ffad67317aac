#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <limits>

#include "core/text.h"

namespace lumora::core {
namespace {

std::atomic<long long> listings{0};

bool Exists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

// The entry of folder whose name equals name ignoring case; the first in
// name order when several do, so the choice is stable.
QString MatchEntry(const QString& folder, const QString& name) {
  const QString wanted = AnsiLower(name);
  const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
  ++listings;
  const QStringList entries =
      dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& entry : entries)
    if (AnsiLower(entry) == wanted) return entry;
  return {};
}

}  // namespace

QString ResolvePath(const QString& path) {
  if (path.isEmpty() || Exists(path)) return path;
  const QStringList parts = path.split(QLatin1Char('/'));
  QString resolved;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    const bool last = i == parts.size() - 1;
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
      resolved += part;
    } else if (Exists(resolved + part)) {
      resolved += part;
    } else {
      const QString match = MatchEntry(resolved, part);
      if (match.isEmpty()) return path;
      resolved += match;
    }
    if (!last) resolved += QLatin1Char('/');
  }
  return resolved;
}

LocalTarget SplitLocalTarget(const QString& target) {
  const QString whole = ResolvePath(target);
  if (QFileInfo(whole).isFile()) return {whole, {}, false};
  for (qsizetype hash = target.lastIndexOf(QLatin1Char('#')); hash > 0;
       hash = target.lastIndexOf(QLatin1Char('#'), hash - 1)) {
    const QString file = ResolvePath(target.left(hash));
    if (QFileInfo(file).isFile()) return {file, target.mid(hash + 1), true};
  }
  return {whole, {}, false};
}

long long FolderListings() { return listings.load(); }

bool FileIsUsable(const QString& path) {
  const QString real = ResolvePath(path);
  if (!QFileInfo(real).isFile()) return false;
  QFile file(real);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return file.size() > 0;
}

namespace {

// Reads up to maxBytes of an open regular file; anything else reads as empty.
QByteArray ReadOpenFile(int fd, qint64 maxBytes, bool* wholeFile) {
  QByteArray bytes;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return bytes;
  const qint64 expected = std::min<qint64>(info.st_size, maxBytes);
  bytes.resize(expected);
  qint64 filled = 0;
  // A file may grow or shrink while it is read; read until it ends or the
  // limit is reached.
  for (;;) {
    // Most files end where their size said: past it, a small read finds out
    // before the buffer is grown (and its bytes copied).
    char more[4096];
    const bool full = filled == bytes.size();
    if (full && filled >= maxBytes) break;
    const qint64 room = full ? std::min<qint64>(sizeof more, maxBytes - filled) : bytes.size() - filled;
    const ssize_t got = ::read(fd, full ? more : bytes.data() + filled, static_cast<size_t>(room));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (wholeFile) *wholeFile = got == 0;
      break;
    }
    if (full) bytes.append(more, got);
    filled += got;
  }
  bytes.resize(filled);
  return bytes;
}

// Opened without waiting, so a FIFO with no writer cannot stop the caller;
// only then is it asked what it is.
int OpenForReading(const QString& path) {
  return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

}  // namespace

QByteArray ReadRegularFile(const QString& path, qint64 maxBytes, bool* wholeFile) {
  if (wholeFile) *wholeFile = false;
  const int fd = OpenForReading(path);
  if (fd < 0) return {};
  QByteArray bytes = ReadOpenFile(fd, maxBytes, wholeFile);
  ::close(fd);
  return bytes;
}

FileStamp StampOf(const QString& path) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) return {};
  return {static_cast<qint64>(info.st_size), static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
          static_cast<quint64>(info.st_ino)};
}

bool IsInside(const QString& canonicalPath, const QString& canonicalRoot) {
  if (canonicalPath.isEmpty() || canonicalRoot.isEmpty()) return false;
  if (canonicalPath == canonicalRoot) return true;
  return canonicalPath.startsWith(canonicalRoot.endsWith(QLatin1Char('/')) ? canonicalRoot
                                                                             : canonicalRoot + QLatin1Char('/'));
}

HelpFile FindHelpFile(const QString& canonicalRoot, const QString& path) {
  if (!path.startsWith(QLatin1Char('/'))) return {HelpFileKind::Outside, {}};
  const QStringList steps = path.split(QLatin1Char('/'));
  if (steps.contains(QStringLiteral(".."))) return {HelpFileKind::Outside, {}};
  const QString real = ResolvePath(path);
  const QFileInfo info(real);
  const QString canonical = info.canonicalFilePath();
  if (canonical.isEmpty()) {
    // Nothing there (or a link to nothing): missing when the nearest folder
    // on its way that exists lies inside the help folder.
    QString folder = real;
    do folder = QFileInfo(folder).absolutePath();
    while (!QFileInfo::exists(folder) && folder != QLatin1String("/"));
    const bool inside = IsInside(QFileInfo(folder).canonicalFilePath(), canonicalRoot);
    return {inside ? HelpFileKind::Missing : HelpFileKind::Outside, {}};
  }
  if (!IsInside(canonical, canonicalRoot)) return {HelpFileKind::Outside, {}};
  if (!info.isFile()) return {HelpFileKind::NotAFile, {}};
  return {HelpFileKind::Found, real};
}

QByteArray ReadHelpFile(const QString& canonicalRoot, const QString& path, bool* found) {
  *found = false;
  const int fd = OpenForReading(path);
  if (fd < 0) return {};
  // The file actually opened, whatever links led to it.
  const QString opened = QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget();
  QByteArray bytes;
  if (IsInside(opened, canonicalRoot)) {
    struct stat info {};
    *found = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (*found) bytes = ReadOpenFile(fd, kMaxHelpFileBytes, nullptr);
  }
  ::close(fd);
  return bytes;
}

QString NormalizedFolder(const QString& path) {
  QString folder = AnsiLower(path);
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

QByteArray ReadWholeFile(const QString& path) {
  return ReadRegularFile(ResolvePath(path), std::numeric_limits<qint64>::max());
}

}  // namespace lumora::core
