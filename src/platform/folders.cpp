#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>

namespace lumora::platform {
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

}  // namespace lumora::platform
