// Osculating heliocentric orbits of minor planets and the unperturbed
// (two-body) motion along them.
//
// Times are TT (taken as TDB, which differs by less than 2 ms) counted in days
// from J2000.0 (JD 2451545.0 TT). Positions are heliocentric, in au, on the
// ICRS axes (equator and equinox J2000.0).
#pragma once

#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace ephemeris {

// Gaussian gravitational constant (rad/day): the mean motion of a massless
// body at 1 au from the Sun.
inline constexpr double kGaussK = 0.01720209895;

// Obliquity of the ecliptic at J2000.0 that defines the ecliptic frame of
// published orbital elements (IAU 1976, 84381.448 arcseconds), in radians.
inline constexpr double kObliquityJ2000 = 84381.448 / 3600.0 * 3.14159265358979323846 / 180.0;

// Classical elements of one orbit, angles in degrees, as element files give
// them (ecliptic and equinox J2000.0).
struct KeplerianElements {
    double epoch = 0;       // TT, days from J2000.0
    double meanAnomaly = 0; // at the epoch
    double perihelionArgument = 0;
    double ascendingNode = 0;
    double inclination = 0;
    double eccentricity = 0;
    double semiMajorAxis = 0; // au; negative for a hyperbolic orbit
    double meanMotion = 0;    // degrees per day; 0: from the semi-major axis
};

// An orbit prepared for fast evaluation (about 72 bytes).
struct Orbit {
    double epoch = 0;       // TT, days from J2000.0
    double meanAnomaly = 0; // radians at the epoch
    double meanMotion = 0;  // radians per day
    double semiMajorAxis = 0;
    double eccentricity = 0;
    // Unit vectors on the ICRS axes: towards perihelion, and 90 degrees
    // ahead of it in the sense of motion.
    std::array<float, 3> p{};
    std::array<float, 3> q{};
    float h = NAN; // absolute magnitude; NaN when unknown
    float g = 0.15f;
};

// Prepares `elements` for evaluation. False (and `orbit` untouched) for
// elements that describe no orbit: eccentricity negative, parabolic (1) or
// not matching the sign of the semi-major axis, values not finite.
bool PrepareOrbit(const KeplerianElements& elements, double h, double g, Orbit& orbit);

// Heliocentric position (au, ICRS axes) of the body at `tt`.
//
// Given:   orbit  prepared orbit
//          tt     TT, days from J2000.0
// Returned: position, au
// Notes:   Unperturbed Keplerian motion from the epoch of the elements;
//          Kepler's equation is solved by Newton's method to 1e-13 rad.
// References: Danby, Fundamentals of Celestial Mechanics, 2nd ed., ch. 6.
std::array<double, 3> HeliocentricPosition(const Orbit& orbit, double tt);

// Eccentric (or, for e > 1, hyperbolic) anomaly for mean anomaly `m` (rad).
double SolveKepler(double m, double e);

// The object names kept beside the orbits.
struct ObjectName {
    int number = 0;      // 0 when unnumbered
    QString name;        // name, or the provisional designation
    QString packed;      // packed designation (5 characters for a number, else 7)
    int oppositions = 0; // 0 when the file does not say
};

// A set of orbits with their names, as read from one element file.
class OrbitCatalogue {
public:
    void reserve(std::size_t n);
    void add(const Orbit& orbit, int number, QStringView name, QStringView packed, int oppositions);

    std::size_t size() const { return m_orbits.size(); }
    bool empty() const { return m_orbits.empty(); }
    const Orbit& orbit(std::size_t i) const { return m_orbits[i]; }
    const std::vector<Orbit>& orbits() const { return m_orbits; }
    ObjectName name(std::size_t i) const;

    // Bytes held (orbits, names and their indexes).
    std::size_t memoryUsed() const;

private:
    std::vector<Orbit> m_orbits;
    std::vector<int32_t> m_numbers;
    std::vector<uint16_t> m_oppositions;
    std::string m_text; // per object: packed designation (7 bytes) then name, UTF-8
    std::vector<uint32_t> m_textEnd;
};

} // namespace ephemeris
