#include "ephemeris/search.h"

#include "platform/angles.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

namespace ephemeris {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kArcsecond = angles::kDegree / 3600.0;
// Light time moves a direction by at most v/c: 70 km/s at a close perihelion
// gives 48"; two arcminutes leave room.
constexpr double kScreenMargin = 120 * kArcsecond;

void Search(const OrbitCatalogue& catalogue, const FieldSearch& s, const EarthState& earth,
            std::size_t begin, std::size_t end, std::vector<Sighting>& found) {
    std::array<double, 3> centre{};
    eraS2c(s.ra, s.dec, centre.data());
    const double screen = std::cos(std::min(kPi, s.radius + kScreenMargin));
    const double keep = std::cos(std::min(kPi, s.radius));
    const auto& orbits = catalogue.orbits();
    for (std::size_t i = begin; i < end; ++i) {
        const Orbit& o = orbits[i];
        if (std::isnan(o.h)) continue;
        double distance = 0;
        const auto d = GeometricDirection(o, earth, distance);
        if (d[0] * centre[0] + d[1] * centre[1] + d[2] * centre[2] < screen) continue;
        const Place p = AstrometricPlace(o, earth);
        const double cosine =
            p.direction[0] * centre[0] + p.direction[1] * centre[1] + p.direction[2] * centre[2];
        if (cosine < keep) continue;
        const double v = MagnitudeHG(o.h, o.g, p.r, p.delta, p.phase);
        if (!(v <= s.faintest)) continue;
        Sighting sight;
        sight.index = i;
        sight.place = p;
        sight.magnitude = v;
        double direction[3] = {p.direction[0], p.direction[1], p.direction[2]};
        double axis[3] = {centre[0], centre[1], centre[2]};
        sight.distance = eraSepp(direction, axis);
        found.push_back(sight);
    }
}

} // namespace

void MotionRates(const Orbit& orbit, double tt, double& raRate, double& decRate) {
    constexpr double kHalfHour = 1.0 / 48.0;
    const Place before = AstrometricPlace(orbit, EarthAt(tt - kHalfHour));
    const Place after = AstrometricPlace(orbit, EarthAt(tt + kHalfHour));
    const double dra = std::remainder(after.ra - before.ra, 2 * kPi);
    const double dec = (after.dec + before.dec) / 2;
    raRate = dra * std::cos(dec) / kArcsecond;
    decRate = (after.dec - before.dec) / kArcsecond;
}

std::vector<Sighting> FindInField(const OrbitCatalogue& catalogue, const FieldSearch& search,
                                  unsigned threads) {
    const EarthState earth = EarthAt(search.tt);
    const std::size_t n = catalogue.size();
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    // Small catalogues are not worth a thread.
    if (n < 50000) threads = 1;
    std::vector<std::vector<Sighting>> parts(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < threads; ++t)
        workers.emplace_back(Search, std::cref(catalogue), std::cref(search), std::cref(earth),
                             n * t / threads, n * (t + 1) / threads, std::ref(parts[t]));
    Search(catalogue, search, earth, 0, n / threads, parts[0]);
    for (auto& w : workers)
        w.join();

    std::vector<Sighting> found;
    for (auto& part : parts)
        found.insert(found.end(), part.begin(), part.end());
    std::sort(found.begin(), found.end(), [](const Sighting& a, const Sighting& b) {
        return a.distance != b.distance ? a.distance < b.distance : a.index < b.index;
    });
    for (Sighting& s : found)
        MotionRates(catalogue.orbit(s.index), search.tt, s.raRate, s.decRate);
    return found;
}

} // namespace ephemeris
