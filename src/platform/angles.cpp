#include "platform/angles.h"

#include <erfa.h>

namespace angles {

double SeparationDeg(double ra1, double dec1, double ra2, double dec2) {
    return eraSeps(ra1 * kDegree, dec1 * kDegree, ra2 * kDegree, dec2 * kDegree) / kDegree;
}

double PositionAngleDeg(double ra1, double dec1, double ra2, double dec2) {
    return eraAnp(eraPas(ra1 * kDegree, dec1 * kDegree, ra2 * kDegree, dec2 * kDegree)) / kDegree;
}

} // namespace angles
