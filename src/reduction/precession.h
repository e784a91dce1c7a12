// Precession of mean equatorial positions between J2000.0 and another epoch.
//
// Both routines take an epoch in years (2000.0 = J2000.0) and a position in
// degrees, and give back the corrections to add to it.
#pragma once

namespace reduction {

struct PrecessionDelta {
    double dRA = 0;  // degrees, precessed right ascension minus the given one
    double dDec = 0; // degrees, precessed declination minus the given one
};

// Rigorous precession with the three angles zeta, z and theta.
// Given: epoch in years, ra and dec in degrees referred to the mean equator
// and equinox of J2000.0. Returned: the corrections that carry the position to
// the mean equator and equinox of `epoch`; ra + dRA lies in 0..360.
// At a pole of the date (cos dec' = 0) the declination is +-90 and, where the
// right ascension has no direction at all, dRA is 0.
PrecessionDelta PrecessFromJ2000(double epoch, double ra, double dec);

// Two-step approximate precession with the annual terms m and n, applied
// backwards. Given: epoch in years, ra and dec in degrees referred to the
// equinox of `epoch`. Returned: the corrections that carry the position to
// J2000.0 (no wrap into 0..360). At |dec| >= 90 (and at |dec_mid| >= 90) the
// tan dec terms are dropped, so a pole gives finite corrections.
PrecessionDelta PrecessToJ2000(double epoch, double ra, double dec);

} // namespace reduction
