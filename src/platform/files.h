#pragma once

#include <QString>

namespace lumora::platform {

// Paths are stored lower-cased; on a case-sensitive file system this finds the
// real file whose path equals the given one ignoring case. The path is used
// as given when it exists, and returned unchanged when nothing matches.
QString ResolvePath(const QString& path);

// True when the file can be opened for reading and is longer than zero bytes.
// Never creates the file; any error gives false.
bool FileIsUsable(const QString& path);

}  // namespace lumora::platform
