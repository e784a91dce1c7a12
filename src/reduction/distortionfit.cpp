#include "reduction/distortionfit.h"

#include <algorithm>
#include <cmath>
#include <vector>

extern "C" {
#include <astrometry/fit-wcs.h>
#include <astrometry/sip.h>
#include <astrometry/starutil.h>
}

namespace reduction {

namespace {

// Terms of one polynomial of SIP order `order` from order 2 up.
int DistortionTerms(int order) {
    return (order + 1) * (order + 2) / 2 - 3;
}

} // namespace

std::optional<TanPlate> FitDistortedPlate(std::span<const PlatePair> pairs, const TanPlate& start,
                                          int order, int width, int height, bool inverse) {
    if (order < 2 || order > Distortion::kMaxOrder || width < 2 || height < 2) return std::nullopt;
    const int n = static_cast<int>(pairs.size());
    if (n < 3 + DistortionTerms(order)) return std::nullopt;

    // The library's pixels are FITS pixels: 1-based.
    tan_t tan{};
    tan.crval[0] = start.crval.ra;
    tan.crval[1] = start.crval.dec;
    tan.crpix[0] = start.crpix.x + 1;
    tan.crpix[1] = start.crpix.y + 1;
    tan.cd[0][0] = start.cd[0];
    tan.cd[0][1] = start.cd[1];
    tan.cd[1][0] = start.cd[2];
    tan.cd[1][1] = start.cd[3];
    tan.imagew = width;
    tan.imageh = height;
    std::vector<double> xyz(3 * static_cast<size_t>(n)), xy(2 * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        radecdeg2xyzarr(pairs[i].sky.ra, pairs[i].sky.dec, &xyz[3 * static_cast<size_t>(i)]);
        xy[2 * static_cast<size_t>(i)] = pairs[i].pixel.x + 1;
        xy[2 * static_cast<size_t>(i) + 1] = pairs[i].pixel.y + 1;
    }
    const int inverseOrder = inverse ? std::min(order + 1, Distortion::kMaxOrder) : order;
    sip_t sip{};
    if (fit_sip_wcs(xyz.data(), xy.data(), nullptr, n, &tan, order, inverseOrder, 1, &sip) != 0)
        return std::nullopt;

    TanPlate plate;
    plate.crval = {sip.wcstan.crval[0], sip.wcstan.crval[1]};
    plate.crpix = {sip.wcstan.crpix[0] - 1, sip.wcstan.crpix[1] - 1};
    plate.cd = {sip.wcstan.cd[0][0], sip.wcstan.cd[0][1], sip.wcstan.cd[1][0], sip.wcstan.cd[1][1]};
    Distortion d;
    d.order = order;
    d.inverseOrder = sip.ap_order >= 2 ? std::min(sip.ap_order, Distortion::kMaxOrder) : 0;
    for (int p = 0; p <= Distortion::kMaxOrder; ++p)
        for (int q = 0; p + q <= Distortion::kMaxOrder; ++q) {
            if (p + q < 2) continue;
            if (p + q <= order) d.a[p][q] = sip.a[p][q], d.b[p][q] = sip.b[p][q];
            if (p + q <= d.inverseOrder) d.ap[p][q] = sip.ap[p][q], d.bp[p][q] = sip.bp[p][q];
        }
    plate.distortion = d;
    const bool finite =
        std::isfinite(plate.crval.ra) && std::isfinite(plate.crval.dec) &&
        std::all_of(plate.cd.begin(), plate.cd.end(), [](double c) { return std::isfinite(c); });
    if (!finite || plate.determinant() == 0.0) return std::nullopt;
    return plate;
}

double DistortionSignificance(double tanSquares, double distortedSquares, int count, int order) {
    // Two coordinates per pair; six linear constants, and the terms of A and B.
    const int extra = 2 * DistortionTerms(order);
    const int freedom = 2 * count - 6 - extra;
    if (freedom <= 0 || !(distortedSquares > 0) || !(tanSquares > distortedSquares)) return 0;
    return ((tanSquares - distortedSquares) / extra) / (distortedSquares / freedom);
}

} // namespace reduction
