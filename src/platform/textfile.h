// Plain text files of the program: 8-bit text, one value per line, CR LF.
#pragma once

#include <QString>
#include <QStringList>

namespace textfile {

// The lines of the file at `path`, split at CR LF, CR or LF; the last line
// counts only when it holds text. False when the file cannot be opened.
bool readLines(const QString& path, QStringList& lines, QString* error = nullptr);

// Writes `lines`, each followed by CR LF, replacing the file atomically (a
// failure leaves the old file in place). False, with `error`, on failure.
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Text of a file: written as UTF-8; read as UTF-8, or as Latin-1 when it is not valid UTF-8.
QString decode(const QByteArray& bytes);
QByteArray encode(const QString& text);

} // namespace textfile
