// platesolve solve: an image's picks matched with the stars of a catalogue
// answer; the JSON result on stdout.
#pragma once

#include <QStringList>

namespace platesolve {

// Runs the command on `args` (args[0] names the program); returns the exit
// status or exits with it.
int RunSolve(const QStringList& args);

} // namespace platesolve
