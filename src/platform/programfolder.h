// The program folder: the folder of the executable, where the program keeps
// every file it reads and writes (settings, language files, catalogue answers,
// the cache folder "cat"). Tests point it at a temporary folder.
#pragma once

#include <QString>

namespace programfolder {

// The folder, without a trailing separator.
QString Path();

// Points the program folder somewhere else (tests); an empty text restores the default.
void SetPath(const QString& folder);

// The full path of `name` inside the program folder.
QString File(const QString& name);

} // namespace programfolder
