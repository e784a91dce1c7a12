// Plain text files of the program: 8-bit text, one value per line, CR LF.
#pragma once

#include "platform/regularfile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace textfile {

using outcome::FileError;

// The largest settings or language file read: far beyond any real one.
inline constexpr qint64 kMaxLinesFileBytes = 1024 * 1024;

// The lines of the file at `path`, split at CR LF, CR or LF; the last line
// counts only when it holds text. An error (Missing, NotRegular, TooLarge,
// Unreadable), its message the reason without the path, when it is not a
// regular file (a FIFO or a device is never opened), is larger than
// `maxBytes` or cannot be read.
outcome::Result<QStringList, FileError> ReadLines(const QString& path,
                                                  qint64 maxBytes = kMaxLinesFileBytes);

// The reason, without the path, why a file was refused.
QString ReasonOf(FileError failure, qint64 maxBytes = 0);
// `error` with its message replaced by the reason without the path.
outcome::Error<FileError> Reasoned(const outcome::Error<FileError>& error, qint64 maxBytes = 0);

// Replaces the file at `path` by `bytes` atomically (a failure leaves the old
// file in place). A target that exists and is not a regular file (a device
// node, a FIFO, a folder, or a symbolic link to one) is refused and left
// alone; a symbolic link to a regular file is kept and its target replaced.
// On failure NotRegular or Unwritable, with the reason (the path not
// included).
outcome::Status<FileError> WriteBytes(const QString& path, const QByteArray& bytes);

// Writes `lines`, each followed by CR LF, as WriteBytes() does.
outcome::Status<FileError> WriteLines(const QString& path, const QStringList& lines);

// How the bytes of a text file are read, decided per file: UTF-8 when they
// are UTF-8, or mostly so (no more malformed sequences than well-formed
// multi-byte ones: a UTF-8 file with a stray byte; each malformed byte then
// reads as U+FFFD), otherwise Windows-1252, the code page of files written by
// older versions and by hand on Windows.
enum class TextEncoding { Utf8, Windows1252 };
TextEncoding DetectEncoding(const QByteArray& bytes);

// Text of a file: written as UTF-8; read as DetectEncoding() says, a UTF-8
// byte-order mark dropped.
QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);

// Columns [first, last] (1-based, inclusive) of a fixed-width line, cut at
// the line's end; empty when the line ends before `first`.
QStringView Columns(QStringView line, qsizetype first, qsizetype last);
QByteArrayView Columns(QByteArrayView line, qsizetype first, qsizetype last);

} // namespace textfile

// Removes what saves of the program left behind when the program was killed
// between writing a file's new contents and putting them in place: files
// named after a file the program saves (defaut.cfg, config.cfg, data,
// data2, astroplate.ini, language files, .pam and .wcs files, mpc-report.txt,
// the version check's temp.tmp and version.tmp, MPCORB.DAT and its archive,
// and the answers in the cache folder "cat") followed by the six random
// letters and digits of a temporary save file ("defaut.cfg.a1B2c3"), and the
// element archive's download in progress (MPCORB.DAT.gz.part). Only files last changed before
// `olderThan` go (a running save of another instance is left alone). Returns
// the names removed, relative to `folder`.
QStringList RemoveStaleSaveFiles(const QString& folder, const QDateTime& olderThan);
