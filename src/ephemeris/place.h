// Where a minor planet is seen from the geocentre: astrometric J2000 places,
// the magnitude from H and G, and the time scales they need.
#pragma once

#include "ephemeris/orbit.h"

#include <array>
#include <optional>

namespace ephemeris {

// Speed of light in au per day.
inline constexpr double kLightAuPerDay = 173.144632674240;

// UTC date and time to TT.
//
// Given:   year, month, day, hour, minute, seconds (UTC, Gregorian calendar)
// Returned: TT in days from J2000.0, or nothing for a date or time that does
//          not exist (month 13, 31 April, hour 24, ...)
// Notes:   Leap seconds from ERFA's table (eraDat); before 1960 and after
//          the table's last entry its nearest value is used.
// References: ERFA eraDtf2d, eraUtctai, eraTaitt.
std::optional<double> UtcToTT(int year, int month, int day, int hour, int minute,
                              double seconds = 0);

// The Earth's heliocentric position and the Sun's barycentric motion at one
// instant, computed once for all the orbits of a search.
struct EarthState {
    double tt = 0;                       // TT, days from J2000.0
    std::array<double, 3> earth{};       // heliocentric Earth, au, ICRS axes
    std::array<double, 3> sunVelocity{}; // barycentric Sun, au/day
};

// Given:   tt  TT, days from J2000.0 (used as TDB)
// Returned: the Earth state
// References: ERFA eraEpv00 (VSOP2000-based, about 5 km before 1900-2100 ends).
EarthState EarthAt(double tt);

// A geocentric astrometric place with the quantities its magnitude needs.
struct Place {
    double ra = 0;                     // radians, 0..2pi, ICRS (J2000)
    double dec = 0;                    // radians
    double r = 0;                      // Sun-object distance at the emission time, au
    double delta = 0;                  // Earth-object distance, au
    double phase = 0;                  // Sun-object-Earth angle, radians
    double elongation = 0;             // Sun-Earth-object angle, radians
    std::array<double, 3> direction{}; // unit vector Earth to object
};

// Astrometric place of an orbit seen from the geocentre.
//
// Given:   orbit  prepared orbit
//          earth  Earth state at the observation time
// Returned: the place
// Notes:   Light time is iterated until it changes by less than 1e-9 day:
//          the object is taken where it was when the light left it. No
//          aberration, no light deflection: the place compares directly with
//          catalogue star positions. The Sun's barycentric motion during the
//          light time is allowed for.
Place AstrometricPlace(const Orbit& orbit, const EarthState& earth);

// The geometric direction (no light time) from the geocentre, unit vector,
// and the distance in au. Cheap enough to screen every orbit of a file.
std::array<double, 3> GeometricDirection(const Orbit& orbit, const EarthState& earth,
                                         double& distance);

// Visual magnitude from the H, G system.
//
// Given:   h, g   absolute magnitude and slope parameter
//          r, delta  heliocentric and geocentric distances, au
//          phase  phase angle, radians
// Returned: V; +infinity when the phase functions vanish (phase near 180 degrees)
// References: Bowell et al. (1989), Asteroids II, pp. 524-556.
double MagnitudeHG(double h, double g, double r, double delta, double phase);

} // namespace ephemeris
