#pragma once

#include <QString>

namespace lumora::core {

// Where the program's files are, without a trailing separator. The build tree
// and an installed copy have the same layout around the executable:
//   <prefix>/bin/lumora
//   <prefix>/share/lumora/          program folder (LUMORA_APP_DIR)
//   <prefix>/share/                system folder  (LUMORA_SYSTEM_DIR)
//   <prefix>/etc/quillmark/registry.conf, /etc/... for /usr (LUMORA_REGISTRY)
QString ProgramFolderPath();
QString SystemFolderPath();
QString RegistryStorePath();

// The same, for a given executable folder and without the environment; used
// by the three above and by tests.
QString ProgramFolderFor(const QString& executableFolder);
QString SystemFolderFor(const QString& executableFolder);
QString RegistryStoreFor(const QString& executableFolder);

// A folder only this user can reach, for sockets, locks and copies:
// $XDG_RUNTIME_DIR, else /tmp/lumora-<uid>, made with mode 0700. Empty, with
// the reason in *refusal, when /tmp/lumora-<uid> is not a folder of this
// user's with that mode (another user may have made it to catch our files).
QString PrivateFolder(QString* refusal = nullptr);

}  // namespace lumora::core
