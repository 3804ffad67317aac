#pragma once

#include <QString>

namespace lumora::core {

// A registry root: the store file that stands for one hive. Subkey paths are
// written with backslashes ("SOFTWARE\Quillmark Software"), as other
// products that share the store write them.
struct RegistryRoot {
  QString storeFile;
};

// The local-machine hive, kept in RegistryStorePath().
RegistryRoot LocalMachine();

// The value's text up to its first NUL; "" when the store, the key or the
// value is missing or unreadable. Needs read access only. Names are compared
// ignoring case, as the registry does.
QString RegReadText(const RegistryRoot& root, const QString& subKey, const QString& valueName);

// Stores the text under an existing key. Nothing is written when the store or
// the key does not exist or the store may not be written. A write that fails
// (a full disk, a file size limit, the store locked for 2 s) leaves the store
// as it was and says so on standard error.
void RegWriteText(const RegistryRoot& root, const QString& subKey, const QString& valueName, const QString& text);

// The registry key of the maker's products.
inline QString QuillmarkKey() { return QStringLiteral("SOFTWARE\\Quillmark Software"); }

}  // namespace lumora::core
