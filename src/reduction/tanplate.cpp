#include "reduction/tanplate.h"

#include "reduction/rightascension.h"

#include "platform/angles.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace reduction {

namespace {

using angles::kDegree;

// Solves the symmetric 3 x 3 system m * v = b by elimination with partial
// pivoting; false when it is singular.
bool Solve3(std::array<std::array<double, 3>, 3> m, std::array<double, 3> b,
            std::array<double, 3>& v) {
    for (int c = 0; c < 3; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 3; ++r)
            if (std::abs(m[r][c]) > std::abs(m[pivot][c])) pivot = r;
        if (std::abs(m[pivot][c]) < 1e-300) return false;
        std::swap(m[c], m[pivot]);
        std::swap(b[c], b[pivot]);
        for (int r = c + 1; r < 3; ++r) {
            const double f = m[r][c] / m[c][c];
            for (int k = c; k < 3; ++k)
                m[r][k] -= f * m[c][k];
            b[r] -= f * b[c];
        }
    }
    for (int r = 2; r >= 0; --r) {
        double s = b[r];
        for (int k = r + 1; k < 3; ++k)
            s -= m[r][k] * v[k];
        v[r] = s / m[r][r];
    }
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

} // namespace

std::optional<std::array<double, 2>> SkyToStandard(const SkyPoint& sky, const SkyPoint& centre,
                                                   TangentPlane* status) {
    double xi = 0, eta = 0;
    const int j = eraTpxes(sky.ra * kDegree, sky.dec * kDegree, centre.ra * kDegree,
                           centre.dec * kDegree, &xi, &eta);
    const auto where = static_cast<TangentPlane>(j);
    if (status) *status = where;
    // A position that is no number gives no point on the plane either.
    if (where != TangentPlane::Projected || !std::isfinite(xi) || !std::isfinite(eta))
        return std::nullopt;
    return std::array<double, 2>{xi / kDegree, eta / kDegree};
}

SkyPoint StandardToSky(double xi, double eta, const SkyPoint& centre) {
    double ra = 0, dec = 0;
    eraTpsts(xi * kDegree, eta * kDegree, centre.ra * kDegree, centre.dec * kDegree, &ra, &dec);
    return {NormaliseRa(ra / kDegree), dec / kDegree};
}

double Distortion::Evaluate(const Terms& terms, int order, double u, double v) {
    order = std::clamp(order, 0, kMaxOrder);
    std::array<double, kMaxOrder + 1> up{}, vp{};
    up[0] = vp[0] = 1;
    for (int k = 1; k <= order; ++k)
        up[k] = up[k - 1] * u, vp[k] = vp[k - 1] * v;
    double sum = 0;
    for (int p = 0; p <= order; ++p)
        for (int q = std::max(0, 2 - p); p + q <= order; ++q)
            sum += terms[p][q] * up[p] * vp[q];
    return sum;
}

std::array<double, 2> Distortion::forward(double u, double v) const {
    return {u + Evaluate(a, order, u, v), v + Evaluate(b, order, u, v)};
}

std::optional<std::array<double, 2>> Distortion::inverse(double U, double V) const {
    double u = U, v = V;
    if (inverseOrder >= 2) {
        u = U + Evaluate(ap, inverseOrder, U, V);
        v = V + Evaluate(bp, inverseOrder, U, V);
    }
    // u = U - A(u, v), v = V - B(u, v): a contraction wherever the
    // distortion changes by much less than a pixel per pixel.
    for (int pass = 0; pass < 50; ++pass) {
        const double nu = U - Evaluate(a, order, u, v), nv = V - Evaluate(b, order, u, v);
        if (!std::isfinite(nu) || !std::isfinite(nv)) return std::nullopt;
        const double change = std::hypot(nu - u, nv - v);
        u = nu, v = nv;
        if (change < 1e-9) return std::array<double, 2>{u, v};
    }
    return std::nullopt;
}

SkyPoint TanPlate::pixelToSky(double x, double y) const {
    double dx = x - crpix.x, dy = y - crpix.y;
    if (distortion) {
        const auto undistorted = distortion->forward(dx, dy);
        dx = undistorted[0], dy = undistorted[1];
    }
    return StandardToSky(cd[0] * dx + cd[1] * dy, cd[2] * dx + cd[3] * dy, crval);
}

std::optional<PixelPoint> TanPlate::skyToPixel(const SkyPoint& sky) const {
    const double det = determinant();
    if (det == 0.0 || !std::isfinite(det)) return std::nullopt;
    const auto standard = SkyToStandard(sky, crval);
    if (!standard) return std::nullopt;
    const double xi = (*standard)[0], eta = (*standard)[1];
    const double U = (cd[3] * xi - cd[1] * eta) / det, V = (cd[0] * eta - cd[2] * xi) / det;
    if (!distortion) return PixelPoint{crpix.x + U, crpix.y + V};
    const auto offset = distortion->inverse(U, V);
    if (!offset) return std::nullopt;
    return PixelPoint{crpix.x + (*offset)[0], crpix.y + (*offset)[1]};
}

double TanPlate::pixelScaleArcsec() const {
    return std::sqrt(std::abs(determinant())) * 3600.0;
}

double PairResidual::length() const {
    return std::hypot(dx, dy);
}

std::optional<PairResidual> ResidualOf(const TanPlate& plate, const PlatePair& pair) {
    const auto p = plate.skyToPixel(pair.sky);
    if (!p) return std::nullopt;
    return PairResidual{pair.pixel.x - p->x, pair.pixel.y - p->y};
}

std::optional<TanPlate> FitTanPlate(std::span<const PlatePair> pairs, const PixelPoint& crpix,
                                    const SkyPoint& guess) {
    if (pairs.size() < 3) return std::nullopt;
    // Pixels on one line (or all in one place) leave the plate undetermined:
    // the spread of the pixel positions must have two directions.
    double mx = 0, my = 0;
    for (const PlatePair& p : pairs)
        mx += p.pixel.x, my += p.pixel.y;
    mx /= pairs.size();
    my /= pairs.size();
    double sxx = 0, syy = 0, sxy = 0;
    for (const PlatePair& p : pairs) {
        sxx += (p.pixel.x - mx) * (p.pixel.x - mx);
        syy += (p.pixel.y - my) * (p.pixel.y - my);
        sxy += (p.pixel.x - mx) * (p.pixel.y - my);
    }
    if (!(sxx * syy - sxy * sxy > 1e-9 * (sxx + syy) * (sxx + syy))) return std::nullopt;
    TanPlate plate;
    plate.crpix = crpix;
    plate.crval = guess;
    for (int pass = 0; pass < 8; ++pass) {
        // Normal equations of the rows (dx, dy, 1), shared by xi and eta.
        std::array<std::array<double, 3>, 3> m{};
        std::array<double, 3> bx{}, by{};
        for (const PlatePair& p : pairs) {
            const auto standard = SkyToStandard(p.sky, plate.crval);
            if (!standard) return std::nullopt;
            const std::array<double, 3> row{p.pixel.x - crpix.x, p.pixel.y - crpix.y, 1.0};
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c)
                    m[r][c] += row[r] * row[c];
                bx[r] += row[r] * (*standard)[0];
                by[r] += row[r] * (*standard)[1];
            }
        }
        std::array<double, 3> u{}, v{};
        if (!Solve3(m, bx, u) || !Solve3(m, by, v)) return std::nullopt;
        plate.cd = {u[0], u[1], v[0], v[1]};
        if (plate.determinant() == 0.0) return std::nullopt;
        // Move the tangent point to where the fit puts crpix; done when that
        // is well below a thousandth of a pixel.
        const double offset = std::hypot(u[2], v[2]);
        plate.crval = StandardToSky(u[2], v[2], plate.crval);
        if (offset < 1e-6 * std::sqrt(std::abs(plate.determinant()))) break;
    }
    return plate;
}

std::optional<RejectingFit> FitTanPlateRejecting(std::span<const PlatePair> pairs,
                                                 const PixelPoint& crpix, const SkyPoint& guess,
                                                 int minPairs, double kSigma, double floorPx) {
    return FitPlateRejecting(
        pairs,
        [&](std::span<const PlatePair> kept, const SkyPoint& start) {
            return FitTanPlate(kept, crpix, start);
        },
        guess, minPairs, kSigma, floorPx);
}

std::optional<RejectingFit> FitPlateRejecting(std::span<const PlatePair> pairs,
                                              const PlateFitter& fitPlate, const SkyPoint& guess,
                                              int minPairs, double kSigma, double floorPx) {
    const int n = static_cast<int>(pairs.size());
    if (n < std::max(3, minPairs)) return std::nullopt;
    RejectingFit fit;
    fit.used.assign(n, true);
    fit.usedCount = n;
    std::vector<PlatePair> subset;
    SkyPoint start = guess;
    while (true) {
        subset.clear();
        for (int i = 0; i < n; ++i)
            if (fit.used[i]) subset.push_back(pairs[i]);
        const auto plate = fitPlate(subset, start);
        if (!plate) return std::nullopt;
        fit.plate = *plate;
        start = plate->crval;
        fit.residual.assign(n, {});
        double sum2 = 0, worst = -1;
        int worstIndex = -1;
        for (int i = 0; i < n; ++i) {
            const auto r = ResidualOf(fit.plate, pairs[i]);
            // A pair the plate cannot place is as bad as a pair can be.
            fit.residual[i] = r ? *r : PairResidual{HUGE_VAL, HUGE_VAL};
            if (!fit.used[i]) continue;
            const double len = fit.residual[i].length();
            sum2 += len * len;
            if (len > worst) worst = len, worstIndex = i;
        }
        fit.rmsPx = std::sqrt(sum2 / fit.usedCount);
        fit.maxPx = worst;
        if (fit.usedCount <= minPairs) break;
        // The worst pair is judged against the scatter of the others, so that
        // one large outlier among few pairs cannot hide behind its own share
        // of the rms.
        const double others = std::sqrt(std::max(0.0, sum2 - worst * worst) / (fit.usedCount - 1));
        if (worst <= std::max(kSigma * others, floorPx)) break;
        fit.used[worstIndex] = false;
        --fit.usedCount;
    }
    return fit;
}

} // namespace reduction
