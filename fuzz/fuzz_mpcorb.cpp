// Element files as the local minor-planet answer reads them from disk:
// MPCORB text, gzip-compressed or not (the format is found from the content).
#include "ephemeris/elementfile.h"
#include "support.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzzing::WriteScratchFile(data, size, QStringLiteral("elements"));
    const ephemeris::OrbitFileReading r = ephemeris::ReadOrbitFile(path);
    // Either orbits or a reason, never both missing.
    if (r.ok() == r.catalogue.empty()) __builtin_trap();
    for (std::size_t i = 0; i < r.catalogue.size(); ++i) {
        const auto p = ephemeris::HeliocentricPosition(r.catalogue.orbit(i), 8000.0);
        if (!std::isfinite(p[0] + p[1] + p[2])) __builtin_trap();
        (void)r.catalogue.name(i);
    }
    return 0;
}
