// The gnomonic (TAN) plate: a projection of the sky onto the tangent plane
// at a reference point, tied to the image by a full linear plate (the CD
// matrix), as FITS world coordinates describe it.
//
//   standard coordinates (xi, eta), degrees = CD * (x - crpix.x, y - crpix.y)
//   (ra, dec) = gnomonic deprojection of (xi, eta) about crval
//
// x and y are image pixels, 0-based, x to the right, y downwards (the centre
// of the top-left pixel is 0, 0); FITS pixel coordinates are these + 1. xi
// grows towards increasing right ascension (east), eta towards north.
#pragma once

#include "reduction/platesolution.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace reduction {

// Where a point falls for the gnomonic projection: the status codes of ERFA's
// eraTpxes, with its threshold (the point's cosine of distance from the
// tangent point against 1e-6).
enum class TangentPlane {
    Projected = 0,       // on the plane
    TooFarFromAxis = 1,  // 90 degrees from the tangent point, or just short of it
    AntistarOnPlane = 2, // just beyond 90 degrees: the opposite point's image
    AntistarTooFar = 3,  // beyond: on the far side of the sky
};

// Gnomonic projection of `sky` about the tangent point `centre` (ERFA
// eraTpxes). Given: sky and centre, degrees. Returned: xi, eta in degrees;
// nothing unless the point is Projected (it has no image on the plane), and
// the status in `status` when it is given.
// Reference: Calabretta & Greisen 2002, A&A 395, 1077 (TAN).
std::optional<std::array<double, 2>> SkyToStandard(const SkyPoint& sky, const SkyPoint& centre,
                                                   TangentPlane* status = nullptr);

// Inverse gnomonic projection (ERFA eraTpsts).
// Given: xi, eta in degrees, tangent point `centre` in degrees.
// Returned: the sky position, degrees, right ascension in 0..360.
SkyPoint StandardToSky(double xi, double eta, const SkyPoint& centre);

// Distortion of an image about the plate's reference pixel, in the SIP form
// of FITS world coordinates (Shupe et al. 2005, "The SIP convention for
// representing distortion in FITS image headers"). With u = x - crpix.x and
// v = y - crpix.y in pixels:
//   pixel -> plane: (U, V) = (u + A(u, v), v + B(u, v)), then CD * (U, V)
//   plane -> pixel: (U, V) = CD^-1 * (xi, eta), then (u, v) close to
//                   (U + AP(U, V), V + BP(U, V)), made exact by iteration
// Each polynomial is the sum of terms[p][q] * u^p * v^q over
// 2 <= p + q <= its order; terms of lower order are zero (CD holds them).
struct Distortion {
    static constexpr int kMaxOrder = 4;
    using Terms = std::array<std::array<double, kMaxOrder + 1>, kMaxOrder + 1>;
    int order = 0;        // of A and B, 2..kMaxOrder
    int inverseOrder = 0; // of AP and BP, 0 (none) or 2..kMaxOrder
    Terms a{}, b{}, ap{}, bp{};

    // The polynomial `terms` of order `order` at (u, v).
    static double Evaluate(const Terms& terms, int order, double u, double v);
    // Pixel offsets from crpix -> undistorted offsets (U, V).
    std::array<double, 2> forward(double u, double v) const;
    // Undistorted offsets (U, V) -> pixel offsets from crpix: AP and BP as
    // the first guess, then A and B inverted by iteration to far below a
    // thousandth of a pixel. Nothing when the iteration does not settle
    // (a point far beyond the image, where the polynomials run away).
    std::optional<std::array<double, 2>> inverse(double U, double V) const;
};

struct TanPlate {
    SkyPoint crval;             // tangent point, degrees J2000
    PixelPoint crpix;           // pixel of the tangent point, 0-based
    std::array<double, 4> cd{}; // cd11, cd12, cd21, cd22, degrees per pixel
    // The image's distortion about crpix; none for a plain TAN plate.
    std::optional<Distortion> distortion = std::nullopt;

    double determinant() const { return cd[0] * cd[3] - cd[1] * cd[2]; }

    // Pixel -> sky (degrees J2000, right ascension in 0..360).
    SkyPoint pixelToSky(double x, double y) const;

    // Sky -> pixel; nothing when the plate is singular or the point has no
    // image on the tangent plane.
    std::optional<PixelPoint> skyToPixel(const SkyPoint& sky) const;

    // Mean pixel size, arcseconds (square root of |det CD|).
    double pixelScaleArcsec() const;
};

// One star of a plate fit: where it is on the image and where in the sky.
struct PlatePair {
    PixelPoint pixel;
    SkyPoint sky;
};

// Least-squares TAN plate through `pairs` with the tangent point at pixel
// `crpix`: the six constants of xi = a dx + b dy + c, eta = d dx + e dy + f
// are fitted about `guess`, then the tangent point is moved to (c, f) and the
// fit repeated until the offsets vanish (a few passes). Nothing with fewer
// than three pairs, pixels on one line, or a singular result.
std::optional<TanPlate> FitTanPlate(std::span<const PlatePair> pairs, const PixelPoint& crpix,
                                    const SkyPoint& guess);

// Residual of one pair under a plate: measured pixel minus predicted pixel.
struct PairResidual {
    double dx = 0; // pixels
    double dy = 0; // pixels
    double length() const;
};
std::optional<PairResidual> ResidualOf(const TanPlate& plate, const PlatePair& pair);

// A plate fit through pairs, started about a sky position (see FitTanPlate).
using PlateFitter =
    std::function<std::optional<TanPlate>(std::span<const PlatePair>, const SkyPoint& start)>;

// A fit with iterative outlier rejection.
struct RejectingFit {
    TanPlate plate;
    std::vector<bool> used;             // per pair: kept in the final fit
    std::vector<PairResidual> residual; // per pair, under the final plate
    int usedCount = 0;
    double rmsPx = 0; // over the pairs used
    double maxPx = 0; // over the pairs used
};

// Fits, then drops the worst pair while its residual exceeds
// max(kSigma * rms of the other pairs used, floorPx) and more than minPairs
// remain, refitting after each drop. Nothing when fewer than minPairs pairs are given or no fit can
// be made.
// The same with any fit: `fit` is called on the pairs kept, started about the
// tangent point of the plate before (`guess` at first).
std::optional<RejectingFit> FitPlateRejecting(std::span<const PlatePair> pairs,
                                              const PlateFitter& fit, const SkyPoint& guess,
                                              int minPairs = 6, double kSigma = 3.0,
                                              double floorPx = 0.5);

std::optional<RejectingFit> FitTanPlateRejecting(std::span<const PlatePair> pairs,
                                                 const PixelPoint& crpix, const SkyPoint& guess,
                                                 int minPairs = 6, double kSigma = 3.0,
                                                 double floorPx = 0.5);

} // namespace reduction
