#include "core/safe_write.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/folders.h"

namespace lumora::core {
namespace {

constexpr char kPendingMagic[] = "lumora pending write 1\n";

QString Reason(const char* what) { return QString::fromLatin1(what) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)); }
bool Fail(QString* error, const char* what) {
  *error = Reason(what);
  return false;
}

// Closes a descriptor when it goes, which also releases its lock.
struct Descriptor {
  explicit Descriptor(int value) : fd(value) {}
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int fd;
};

bool ReadAll(int fd, QByteArray* bytes) {
  bytes->clear();
  char buffer[65536];
  for (off_t at = 0;;) {
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, at);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    bytes->append(buffer, got);
    at += got;
  }
}

bool WriteAll(int fd, const QByteArray& bytes) {
  for (qsizetype done = 0; done < bytes.size();) {
    const ssize_t put = ::pwrite(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done), done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += put;
  }
  return true;
}

// The file's whole content, written over what it held and synced.
bool PutContent(int fd, const QByteArray& bytes) {
  return WriteAll(fd, bytes) && ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
}

// Opens path and takes its lock, waiting at most waitMs. A writer that
// renamed a new file over it meanwhile leaves the lock on a file that is no
// longer the store: then the new one is opened and locked.
int OpenLocked(const QString& path, int waitMs, QString* error) {
  QElapsedTimer waited;
  waited.start();
  const QByteArray name = QFile::encodeName(path);
  for (;;) {
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
      *error = Reason("cannot open it");
      return -1;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (waited.elapsed() >= waitMs) {
        ::close(fd);
        *error = QStringLiteral("another program held it for %1 s").arg(waitMs / 1000.0);
        return -1;
      }
      QThread::msleep(10);
    }
    struct stat opened {}, now {};
    if (::fstat(fd, &opened) == 0 && ::stat(name.constData(), &now) == 0 && opened.st_ino == now.st_ino &&
        opened.st_dev == now.st_dev)
      return fd;
    ::close(fd);
  }
}

// True when current is what an in-place write of after over before leaves
// when it stops part-way: after's first bytes, then before's from there on.
bool IsPartWritten(const QByteArray& current, const QByteArray& before, const QByteArray& after) {
  const qsizetype same = std::mismatch(current.begin(), current.end(), after.begin(), after.end()).first - current.begin();
  return current.mid(same) == before.mid(same);  // both empty where the write went past before's end
}

struct Pending {
  QByteArray before, after;
};

bool ReadPending(const QString& path, Pending* pending) {
  QFile file(PendingWritePath(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  const QByteArray header = kPendingMagic + QFile::encodeName(path) + '\n';
  if (!bytes.startsWith(header)) return false;
  const qsizetype sizeEnd = bytes.indexOf('\n', header.size());
  bool ok = false;
  const qsizetype beforeSize = bytes.mid(header.size(), sizeEnd - header.size()).toLongLong(&ok);
  if (sizeEnd < 0 || !ok || beforeSize < 0 || beforeSize > bytes.size() - sizeEnd - 1) return false;
  pending->before = bytes.mid(sizeEnd + 1, beforeSize);
  pending->after = bytes.mid(sizeEnd + 1 + beforeSize);
  return true;
}

bool WritePending(const QString& path, const QByteArray& before, const QByteArray& after, QString* error) {
  const QString copy = PendingWritePath(path);
  if (copy.isEmpty()) {
    *error = QStringLiteral("no folder of the user's own to keep a copy in while it is rewritten");
    return false;
  }
  QSaveFile file(copy);  // synced before it is renamed into place
  const QByteArray header = kPendingMagic + QFile::encodeName(path) + '\n' + QByteArray::number(before.size()) + '\n';
  if (file.open(QIODevice::WriteOnly) && file.write(header) == header.size() &&
      file.write(before) == before.size() && file.write(after) == after.size() && file.commit())
    return true;
  *error = QStringLiteral("the copy %1 could not be written: %2").arg(copy, file.errorString());
  return false;
}

// Finishes or drops a pending in-place write of path, whose lock fd holds.
void FinishLocked(const QString& path, int fd) {
  Pending pending;
  if (!ReadPending(path, &pending)) return;
  QByteArray current;
  if (!ReadAll(fd, &current)) return;
  if (current != pending.after && IsPartWritten(current, pending.before, pending.after) &&
      !PutContent(fd, pending.after))
    return;  // tried again next time
  QFile::remove(PendingWritePath(path));
}

bool RewriteInPlace(const QString& path, int fd, const QByteArray& before, const QByteArray& after, QString* error) {
  if (!WritePending(path, before, after, error)) return false;
  if (PutContent(fd, after)) {
    QFile::remove(PendingWritePath(path));
    return true;
  }
  *error = Reason("writing it failed");
  if (PutContent(fd, before)) QFile::remove(PendingWritePath(path));  // else the copy finishes it later
  return false;
}

bool ReplaceByRename(const QString& path, int fd, const QByteArray& after, QString* error) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return Fail(error, "cannot look at it");
  QByteArray temporary = QFile::encodeName(path) + ".XXXXXX";
  const Descriptor out(::mkostemp(temporary.data(), O_CLOEXEC));
  if (out.fd < 0) return Fail(error, "cannot make a new file beside it");
  // The new file takes the old one's rights and, where we may, its owner.
  const bool written = ::fchmod(out.fd, info.st_mode & 07777) == 0 &&
                       (::geteuid() != 0 || ::fchown(out.fd, info.st_uid, info.st_gid) == 0) &&
                       WriteAll(out.fd, after) && ::fsync(out.fd) == 0;
  if (!written || ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
    *error = Reason(written ? "cannot put the new file in its place" : "writing the new file failed");
    ::unlink(temporary.constData());
    return false;
  }
  // The rename itself lasts once the folder is synced.
  const Descriptor folder(::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.fd >= 0) ::fsync(folder.fd);
  return true;
}

}  // namespace

QString PendingWritePath(const QString& path) {
  const QString name = QString::fromLatin1(
      QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha256).toHex().left(32) + ".pending");
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QString folder = data + QStringLiteral("/quillmark/pending");
  if (!data.isEmpty() && QDir().mkpath(folder) && QFileInfo(folder).isWritable()) return folder + u'/' + name;
  // No home to write in (a system user): a folder that is ours alone.
  const QString own = PrivateFolder();
  return own.isEmpty() ? QString() : own + u'/' + name;
}

void FinishInterruptedWrite(const QString& path) {
  if (!QFileInfo::exists(PendingWritePath(path))) return;
  QString error;
  const Descriptor fd(OpenLocked(path, 2000, &error));
  if (fd.fd >= 0) FinishLocked(path, fd.fd);
}

bool RewriteSharedFile(const QString& path, const std::function<QByteArray(const QByteArray&)>& edit, QString* error,
                       int lockWaitMs) {
  const Descriptor fd(OpenLocked(path, lockWaitMs, error));
  if (fd.fd < 0) return false;
  FinishLocked(path, fd.fd);
  QByteArray before;
  if (!ReadAll(fd.fd, &before)) return Fail(error, "reading it failed");
  const QByteArray after = edit(before);
  if (after.isEmpty() || after == before) return true;
  // Users are often let write this one file but not its folder.
  if (::access(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), W_OK) == 0)
    return ReplaceByRename(path, fd.fd, after, error);
  return RewriteInPlace(path, fd.fd, before, after, error);
}

}  // namespace lumora::core
