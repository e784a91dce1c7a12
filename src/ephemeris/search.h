// The minor planets of an orbit catalogue that are in a field at one time.
#pragma once

#include "ephemeris/orbit.h"
#include "ephemeris/place.h"

#include <vector>

namespace ephemeris {

struct FieldSearch {
    double tt = 0;        // TT, days from J2000.0
    double ra = 0;        // field centre, radians (ICRS)
    double dec = 0;       // radians
    double radius = 0;    // radians
    double faintest = 99; // magnitude limit: objects with V above it are left out
};

struct Sighting {
    std::size_t index = 0; // orbit in the catalogue
    Place place;
    double distance = 0;  // from the field centre, radians
    double magnitude = 0; // V
    double raRate = 0;    // arcseconds per hour, times cos(dec), positive eastwards
    double decRate = 0;   // arcseconds per hour, positive northwards
};

// Every orbit of `catalogue` whose astrometric place at `search.tt` is within
// `search.radius` of the centre and whose V is at most `search.faintest`,
// nearest first. Orbits without an absolute magnitude are left out.
//
// Notes: the orbits are screened by their geometric direction, with a margin
//        for the light time (the direction moves by at most v/c, under 1
//        arcminute); the survivors get the full place. The work is shared
//        between `threads` threads (0: as many as the machine has).
std::vector<Sighting> FindInField(const OrbitCatalogue& catalogue, const FieldSearch& search,
                                  unsigned threads = 0);

// Rates of motion (arcseconds per hour) of one orbit at `tt`, from places one
// hour apart centred on it.
void MotionRates(const Orbit& orbit, double tt, double& raRate, double& decRate);

} // namespace ephemeris
