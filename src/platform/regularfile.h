// Reading and replacing files named by the user or by outside data, safely:
// only regular files are read (a FIFO would block, a device never ends), each
// read has a size limit fitting its content, and a save never replaces
// something that is not a regular file (a device node, a FIFO, a socket, a
// folder, or a symbolic link to one of them).
#pragma once

#include "platform/outcome.h"

#include <QByteArray>
#include <QString>

class QFile;

namespace regularfile {

using outcome::FileError;

// Reads the whole file at `path` when it is a regular file (a symbolic link
// to one counts) of at most `maxBytes` bytes.
//
// Given: path, maxBytes (> 0).
// Returned: the bytes; otherwise Missing, NotRegular, TooLarge or Unreadable
// with a message naming the file (Describe).
// Notes: the file is opened without blocking and checked again once open, so
// a file swapped for a FIFO between the check and the open is still refused;
// a file that grows beyond `maxBytes` while it is read is refused too.
outcome::Result<QByteArray, FileError> Read(const QString& path, qint64 maxBytes);

// Opens `file` (not yet open) for reading when its path names a regular file
// of at most `maxBytes` bytes, for readers that stream a large file instead of
// reading it whole. Same failures and messages as Read().
outcome::Status<FileError> Open(QFile& file, qint64 maxBytes);

// Whether `path` may be replaced by a save: it does not exist yet, or it is a
// regular file or a symbolic link to one (the save then replaces the link's
// target and the link stays). Anything else is refused with NotRegular (or
// Unreadable when it cannot be looked at) and a message naming it. A missing
// path is accepted.
outcome::Status<FileError> CheckSaveTarget(const QString& path);

// The file a save of `path` must write: the target of a symbolic link (so the
// link is kept), else `path` itself.
QString SaveTargetOf(const QString& path);

// The message for `error` on `path`, in the user's language.
QString Describe(FileError error, const QString& path, qint64 maxBytes = 0);

} // namespace regularfile
