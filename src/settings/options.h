// The program's own options, beyond the reduction and default files: a small
// INI file "astroplate.ini" in the program folder, read and written through
// QSettings. Keys are "group/name" (for example "solve/autoPicks"). A missing
// file or key gives the default; the file is written when an option changes.
#pragma once

#include <QString>
#include <QVariant>

namespace options {

// The path of the options file in the program folder.
QString Path();

// The value of `key`, or `fallback` when the file does not hold it.
QVariant Value(const QString& key, const QVariant& fallback = {});

// Stores `value` under `key` at once. False when the file cannot be written.
bool SetValue(const QString& key, const QVariant& value);

} // namespace options
