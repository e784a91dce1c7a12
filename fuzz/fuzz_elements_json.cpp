// The JSON element table (as the shipped asteroids.dat).
#include "ephemeris/elementfile.h"
#include "support.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ephemeris::OrbitFileReading reading =
        ephemeris::ReadElementsJson(fuzzing::Bytes(data, size));
    if (!reading) {
        if (reading.error().message.isEmpty()) __builtin_trap(); // a failure always says why
        return 0;
    }
    const ephemeris::OrbitFile& r = *reading;
    if (r.catalogue.empty()) __builtin_trap();
    for (std::size_t i = 0; i < r.catalogue.size(); ++i) {
        const auto p = ephemeris::HeliocentricPosition(r.catalogue.orbit(i), -3000.0);
        if (!std::isfinite(p[0] + p[1] + p[2])) __builtin_trap();
        (void)r.catalogue.name(i);
    }
    return 0;
}
