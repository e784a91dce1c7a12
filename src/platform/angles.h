// Angles on the sky: the one degrees-to-radians factor of the program and the
// distance and direction between two positions, from ERFA.
#pragma once

#include <numbers>

namespace angles {

// Radians per degree.
inline constexpr double kDegree = std::numbers::pi / 180.0;

// Angular distance between two positions; degrees in, degrees out (0..180).
// ERFA eraSeps: accurate for tiny and for near-opposite separations alike.
double SeparationDeg(double ra1, double dec1, double ra2, double dec2);

// Position angle of position 2 seen from position 1, degrees east of north
// in 0..360 (0 when the two coincide). ERFA eraPas, normalised with eraAnp.
double PositionAngleDeg(double ra1, double dec1, double ra2, double dec2);

} // namespace angles
