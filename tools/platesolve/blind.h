#pragma once

#include <QStringList>

namespace platesolve {

// platesolve blind (or --blind): solves images with no position known.
int RunBlind(const QStringList& args);

} // namespace platesolve
