#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace lumora::core {

// Rewrites a file that other programs share (the machine's registry store)
// so that it always holds either its old or its new content in full, on
// disk as for its readers, whatever fails or stops the writer part-way:
//
// - Writers of any process take turns through a lock on the file; one that
//   waits more than lockWaitMs writes nothing.
// - Where the folder may be written, the new content goes to a file beside
//   it, synced, then renamed over it.
// - Where only the file may be written, the new content is first kept, synced,
//   in a file of the user's own (PendingWritePath), then written over the old
//   content; a later call finds a copy left by a crash and finishes its write.
//
// edit gets the file's content, read under the lock, and returns the new
// content, or an empty array to leave the file as it is. Returns false, with
// the reason in *error, when the new content could not be written; the file
// then holds its old content.
bool RewriteSharedFile(const QString& path, const std::function<QByteArray(const QByteArray&)>& edit, QString* error,
                       int lockWaitMs = 2000);

// Where an in-place rewrite of path keeps its copy for this user.
QString PendingWritePath(const QString& path);

// Finishes an in-place rewrite of path that a crash interrupted, when its
// copy is there and the file still holds what that write left; a copy that
// no longer fits the file (another writer came after) is dropped.
void FinishInterruptedWrite(const QString& path);

}  // namespace lumora::core
