#pragma once

#include <QByteArray>
#include <QString>

namespace lumora::core {

// Paths are stored lower-cased; on a case-sensitive file system this finds the
// real file whose path equals the given one ignoring case. The path is used
// as given when it exists, and returned unchanged when nothing matches.
QString ResolvePath(const QString& path);

// A local page to show: the real file and, after a "#", a place in it.
struct LocalTarget {
  QString file;
  QString fragment;
  bool hasFragment = false;
};

// Splits a path that may end in "#name". A "#" can be part of a folder or
// file name, so the file is the whole path when that is a file, otherwise
// the longest part before a "#" that is one (found as ResolvePath finds it):
//   ".../c# help/faq#2.html#top"  ->  ".../C# Help/faq#2.html", "top"
// When no part names a file, the whole path is the file (which is missing).
LocalTarget SplitLocalTarget(const QString& target);

// How many folders ResolvePath has listed so far in this process; a folder
// listing is what makes a lookup slow.
long long FolderListings();

// True when the file can be opened for reading and is longer than zero bytes.
// Never creates the file; any error gives false.
bool FileIsUsable(const QString& path);

// The first maxBytes bytes of a regular file at exactly this path (links are
// followed). Anything else (a folder, a FIFO, a device) reads as empty
// without waiting. wholeFile, when given, tells whether the file ended
// within maxBytes.
QByteArray ReadRegularFile(const QString& path, qint64 maxBytes, bool* wholeFile = nullptr);

// The whole file as bytes, one character per byte; empty for a missing,
// unreadable or empty file, and for anything but a regular file (a FIFO is
// not waited on).
QByteArray ReadWholeFile(const QString& path);

// What tells one version of a file from the next: its size, modification
// time and file number. A file that cannot be reached has the empty stamp.
struct FileStamp {
  qint64 size = -1;
  qint64 modifiedNs = 0;
  quint64 node = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const QString& path);

// The most of one help file that is ever read or shown.
inline constexpr qint64 kMaxHelpFileBytes = 16 * 1024 * 1024;

// Where a path asked for by a help page leads. A help set comes from a
// stranger: its pages may load what lies inside its folder and nothing else.
enum class HelpFileKind {
  Found,       // a regular file inside the folder
  Missing,     // nothing there, inside the folder
  Outside,     // outside the folder, a ".." step, or a link out of it
  NotAFile,    // a folder, FIFO, socket or device
};
struct HelpFile {
  HelpFileKind kind = HelpFileKind::Missing;
  QString path;  // the file in its real letter case, when found
};

// Finds an absolute, decoded path below the help folder whose canonical path
// is canonicalRoot, ignoring letter case as ResolvePath does. A ".." step is
// refused wherever it stands: a URL's own rules have removed the ones written
// plainly, so one left here was percent-encoded to slip past them.
HelpFile FindHelpFile(const QString& canonicalRoot, const QString& path);

// True when canonicalPath is canonicalRoot or lies below it.
bool IsInside(const QString& canonicalPath, const QString& canonicalRoot);

// Like ReadRegularFile, but only when the file opened is inside
// canonicalRoot (checked on the open file, so a link swapped in after
// FindHelpFile cannot lead out); found tells whether it was.
QByteArray ReadHelpFile(const QString& canonicalRoot, const QString& path, bool* found);

// A folder path as the program keeps it: lower case, ending in a separator.
QString NormalizedFolder(const QString& path);

}  // namespace lumora::core
