// The program's own options, beyond the reduction and default files: a small
// INI file "astroplate.ini" in the program folder, read and written through
// QSettings. Keys are "group/name" (for example "solve/autoPicks"). A missing
// file or key gives the default. The file is read once (at the first option
// asked for) and written only when an option takes a new value; a change made
// to the file meanwhile by hand is kept when the program writes it. A FIFO or
// a device in its place is never opened: the options keep their defaults.
#pragma once

#include <QString>
#include <QVariant>

namespace settings {

namespace options {

// The path of the options file in the program folder.
QString Path();

// The value of `key`, or `fallback` when the file does not hold it.
QVariant Value(const QString& key, const QVariant& fallback = {});

// Stores `value` under `key` at once. False when the file cannot be written.
bool SetValue(const QString& key, const QVariant& value);

} // namespace options

} // namespace settings
