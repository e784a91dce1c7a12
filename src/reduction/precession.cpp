#include "reduction/precession.h"

#include <cmath>

namespace reduction {

namespace {

// Direction of (x, y) in degrees, 0..360, from arctan(y / x) with the quadrant
// added by hand; on the y axis it is 90 or 270, and (0, 0) gives `fallback`.
double direction(double x, double y, double fallback, double pi) {
    if (x == 0.0) {
        if (y > 0.0) return 90.0;
        if (y < 0.0) return 270.0;
        return fallback;
    }
    double r = std::atan(y / x) * 180.0 / pi;
    if (x < 0.0)
        r += 180.0;
    else if (y < 0.0)
        r += 360.0;
    return r;
}

} // namespace

PrecessionDelta PrecessFromJ2000(double epoch, double ra, double dec) {
    const double pi = 4.0 * std::atan(1.0);
    const double t = (epoch - 2000.0) / 100.0;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t, t6 = t5 * t, t7 = t6 * t;
    const double zeta = (2.72767 + 2306.080472 * t + 0.3023262 * t2 + 0.01801752 * t3 -
                         5.708e-6 * t4 - 3.04e-7 * t5 - 1.3e-10 * t6) /
                        3600.0;
    const double z = (-2.72767 + 2306.07607 * t + 1.0956768 * t2 + 0.01826676 * t3 -
                      2.8276e-5 * t4 - 2.486e-7 * t5 - 5e-11 * t6) /
                     3600.0;
    const double theta = (2004.190936 * t - 0.426698 * t2 - 0.04182364 * t3 - 7.291e-6 * t4 -
                          1.127e-7 * t5 + 3.6e-10 * t6 + 9e-12 * t7) /
                         3600.0;

    const double rad = pi / 180.0;
    const double az = (ra + zeta) * rad;
    const double d = dec * rad;
    const double th = theta * rad;
    const double zr = z * rad;

    const double sinDecP = std::cos(az) * std::sin(th) * std::cos(d) + std::sin(d) * std::cos(th);
    const double cosDecP2 = 1.0 - sinDecP * sinDecP;
    double decP = 0;
    if (cosDecP2 > 0.0)
        decP = std::atan(sinDecP / std::sqrt(cosDecP2)) * 180.0 / pi;
    else
        decP = sinDecP < 0.0 ? -90.0 : 90.0;

    const double a = std::sin(az) * std::cos(d);
    const double b = std::cos(az) * std::cos(th) * std::cos(d) - std::sin(d) * std::sin(th);
    const double x = std::cos(zr) * b - std::sin(zr) * a;
    const double y = std::sin(zr) * b + std::cos(zr) * a;
    const double raP = direction(x, y, ra, pi);

    return {raP - ra, decP - dec};
}

PrecessionDelta PrecessToJ2000(double epoch, double ra, double dec) {
    const double pi = 3.1415926535;
    const double rad = pi / 180.0;
    const double t = (epoch - 2000.0) / 100.0;
    const double m = 1.2812323 * t + 0.0003879 * t * t + 0.0000101 * t * t * t;
    const double n = 0.556753 * t - 0.0001185 * t * t - 0.0000116 * t * t * t;
    // tan of a declination, 0 at and beyond a pole where it has no value.
    auto tanDec = [rad](double deg) { return std::abs(deg) >= 90.0 ? 0.0 : std::tan(deg * rad); };

    const double raMid = ra - (m + n * std::sin(ra * rad) * tanDec(dec)) / 2.0;
    const double decMid = dec - n * std::cos(raMid * rad) / 2.0;
    const double raJ2000 = ra - m - n * std::sin(raMid * rad) * tanDec(decMid);
    const double decJ2000 = dec - n * std::cos(raMid * rad);
    return {raJ2000 - ra, decJ2000 - dec};
}

} // namespace reduction
