// platesolve minor-planets: the minor-planet answer of a field computed from
// an element file, written as the window stores it.
#pragma once

#include <QStringList>

namespace platesolve {

// Runs the command on `args` (args[0] names the program); returns the exit
// status or exits with it.
int RunMinorPlanets(const QStringList& args);

} // namespace platesolve
