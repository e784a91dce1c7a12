// Reading an answer file (the star answer `data`, the minor-planet answer
// `data2`, or one named on the command line): one reader, one size limit.
#pragma once

#include "platform/regularfile.h"

#include <QByteArray>
#include <QString>

namespace catalogues {

// The largest answer file read: the largest answer a download keeps.
inline constexpr qint64 kMaxAnswerFileBytes = 64LL * 1024 * 1024;

// Reads the whole answer file at `path` when it is a regular file (a FIFO or
// a device is never opened) of at most kMaxAnswerFileBytes. The error's
// message is the reason in words, without the path.
outcome::Result<QByteArray, outcome::FileError> ReadAnswerFile(const QString& path);

} // namespace catalogues
