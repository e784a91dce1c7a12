#include "reduction/rightascension.h"

#include <cmath>

namespace reduction {

double UnwrapRa(double ra, double centre) {
    if (!std::isfinite(ra) || !std::isfinite(centre)) return ra;
    double d = std::fmod(ra - centre, 360.0); // -360 < d < 360
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;
    return centre + d;
}

double NormaliseRa(double ra) {
    if (!std::isfinite(ra)) return ra;
    double r = std::fmod(ra, 360.0);
    if (r < 0) r += 360.0;
    if (r >= 360.0) r -= 360.0; // -1e-17 + 360 rounds to 360
    return r;
}

} // namespace reduction
