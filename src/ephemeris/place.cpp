#include "ephemeris/place.h"

#include <erfa.h>

#include <cmath>
#include <limits>

namespace ephemeris {

namespace {

constexpr double kJ2000 = 2451545.0; // JD of J2000.0

double Dot(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double Norm(const std::array<double, 3>& a) {
    return std::sqrt(Dot(a, a));
}

// ERFA's eraSepp: accurate for small and large angles.
double AngleBetween(std::array<double, 3> a, std::array<double, 3> b) {
    return eraSepp(a.data(), b.data());
}

} // namespace

std::optional<double> UtcToTT(int year, int month, int day, int hour, int minute, double seconds) {
    double utc1 = 0, utc2 = 0, tai1 = 0, tai2 = 0, tt1 = 0, tt2 = 0;
    if (eraDtf2d("UTC", year, month, day, hour, minute, seconds, &utc1, &utc2) < 0)
        return std::nullopt;
    if (eraUtctai(utc1, utc2, &tai1, &tai2) < 0) return std::nullopt;
    if (eraTaitt(tai1, tai2, &tt1, &tt2) != 0) return std::nullopt;
    return (tt1 - kJ2000) + tt2;
}

EarthState EarthAt(double tt) {
    double pvh[2][3], pvb[2][3];
    eraEpv00(kJ2000, tt, pvh, pvb);
    EarthState s;
    s.tt = tt;
    s.earth = {pvh[0][0], pvh[0][1], pvh[0][2]};
    // Sun's barycentric velocity = Earth's barycentric minus heliocentric.
    s.sunVelocity = {pvb[1][0] - pvh[1][0], pvb[1][1] - pvh[1][1], pvb[1][2] - pvh[1][2]};
    return s;
}

std::array<double, 3> GeometricDirection(const Orbit& orbit, const EarthState& earth,
                                         double& distance) {
    const auto body = HeliocentricPosition(orbit, earth.tt);
    std::array<double, 3> d = {body[0] - earth.earth[0], body[1] - earth.earth[1],
                               body[2] - earth.earth[2]};
    distance = Norm(d);
    for (double& c : d)
        c /= distance;
    return d;
}

Place AstrometricPlace(const Orbit& orbit, const EarthState& earth) {
    double tau = 0;
    std::array<double, 3> body{}, rho{};
    for (int i = 0; i < 10; ++i) {
        body = HeliocentricPosition(orbit, earth.tt - tau);
        // The Sun itself was sunVelocity * tau behind its present place.
        for (int k = 0; k < 3; ++k)
            rho[k] = body[k] - earth.sunVelocity[k] * tau - earth.earth[k];
        const double next = Norm(rho) / kLightAuPerDay;
        const bool done = std::abs(next - tau) < 1e-9;
        tau = next;
        if (done) break;
    }
    Place p;
    p.delta = Norm(rho);
    p.r = Norm(body);
    for (int k = 0; k < 3; ++k)
        p.direction[k] = rho[k] / p.delta;
    double ra = 0, dec = 0;
    eraC2s(rho.data(), &ra, &dec);
    p.ra = eraAnp(ra);
    p.dec = dec;
    p.phase = AngleBetween(body, rho);
    const std::array<double, 3> toSun = {-earth.earth[0], -earth.earth[1], -earth.earth[2]};
    p.elongation = AngleBetween(toSun, rho);
    return p;
}

double MagnitudeHG(double h, double g, double r, double delta, double phase) {
    const double t = std::tan(phase / 2);
    const double phi1 = std::exp(-3.33 * std::pow(t, 0.63));
    const double phi2 = std::exp(-1.87 * std::pow(t, 1.22));
    const double light = (1 - g) * phi1 + g * phi2;
    if (!(light > 0)) return std::numeric_limits<double>::infinity();
    return h + 5 * std::log10(r * delta) - 2.5 * std::log10(light);
}

} // namespace ephemeris
