// Reading and replacing files named by the user or by outside data, safely:
// only regular files are read (a FIFO would block, a device never ends), each
// read has a size limit fitting its content, and a save never replaces
// something that is not a regular file (a device node, a FIFO, a socket, a
// folder, or a symbolic link to one of them).
#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace regularfile {

// Why a file was refused. Tests and callers tell failures apart by this.
enum class Failure {
    None,       // read or accepted
    Missing,    // no such file
    NotRegular, // a FIFO, device, socket or folder (or a link to one)
    TooLarge,   // more bytes than the reader's limit
    Unreadable, // exists but cannot be opened or read (permissions, I/O)
};

// Reads the whole file at `path` into `bytes` when it is a regular file (a
// symbolic link to one counts) of at most `maxBytes` bytes.
//
// Given: path, maxBytes (> 0).
// Returned: Failure::None and the bytes; otherwise the failure, `bytes` left
// empty and, when `error` is given, a message naming the file.
// Notes: the file is opened without blocking and checked again once open, so
// a file swapped for a FIFO between the check and the open is still refused;
// a file that grows beyond `maxBytes` while it is read is refused too.
Failure Read(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* error = nullptr);

// Opens `file` (not yet open) for reading when its path names a regular file
// of at most `maxBytes` bytes, for readers that stream a large file instead of
// reading it whole. Same failures and messages as Read().
Failure Open(QFile& file, qint64 maxBytes, QString* error = nullptr);

// Whether `path` may be replaced by a save: it does not exist yet, or it is a
// regular file or a symbolic link to one (the save then replaces the link's
// target and the link stays). Anything else is refused with NotRegular and a
// message naming it. A missing path is accepted (None).
Failure CheckSaveTarget(const QString& path, QString* error = nullptr);

// The file a save of `path` must write: the target of a symbolic link (so the
// link is kept), else `path` itself.
QString SaveTargetOf(const QString& path);

// The message for `failure` on `path` (empty for None), in the user's language.
QString Describe(Failure failure, const QString& path, qint64 maxBytes = 0);

} // namespace regularfile
