#include "core/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumora::core {
namespace {

QString Override(const char* variable) { return qEnvironmentVariable(variable); }

QString Prefix(const QString& executableFolder) {
  return QDir::cleanPath(executableFolder + QStringLiteral("/.."));
}

QString WithoutTrailingSeparator(QString path) {
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

}  // namespace

QString ProgramFolderFor(const QString& executableFolder) {
  return Prefix(executableFolder) + QStringLiteral("/share/lumora");
}

QString SystemFolderFor(const QString& executableFolder) {
  return Prefix(executableFolder) + QStringLiteral("/share");
}

QString RegistryStoreFor(const QString& executableFolder) {
  const QString prefix = Prefix(executableFolder);
  // A system-wide install keeps its configuration in /etc, not /usr/etc.
  const QString etc = prefix == QLatin1String("/usr") ? QStringLiteral("/etc") : prefix + QStringLiteral("/etc");
  return etc + QStringLiteral("/quillmark/registry.conf");
}

QString ProgramFolderPath() {
  const QString given = Override("LUMORA_APP_DIR");
  if (!given.isEmpty()) return WithoutTrailingSeparator(given);
  return ProgramFolderFor(QCoreApplication::applicationDirPath());
}

QString SystemFolderPath() {
  const QString given = Override("LUMORA_SYSTEM_DIR");
  if (!given.isEmpty()) return WithoutTrailingSeparator(given);
  return SystemFolderFor(QCoreApplication::applicationDirPath());
}

QString RegistryStorePath() {
  const QString given = Override("LUMORA_REGISTRY");
  if (!given.isEmpty()) return given;
  return RegistryStoreFor(QCoreApplication::applicationDirPath());
}

QString PrivateFolder(QString* refusal) {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime;
  const QString own = QStringLiteral("/tmp/lumora-%1").arg(::getuid());
  const QByteArray name = QFile::encodeName(own);
  ::mkdir(name.constData(), 0700);
  struct stat info {};
  if (::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
      (info.st_mode & 0777) == 0700)
    return own;
  if (refusal) *refusal = own + QStringLiteral(" is not a folder of this user's that only this user can reach");
  return {};
}

}  // namespace lumora::core
