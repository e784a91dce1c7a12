// The refined plate of an accepted identification: a TAN plate fitted by
// least squares to every catalogue star in use that has a detected source
// near it, with outliers rejected.
//
// 1. Each catalogue star in use is placed on the image with the accepted
//    (three-star, affine) model and paired with the nearest source within
//    `firstRadius` pixels; a source claimed by two stars goes to the nearer.
// 2. A TAN plate about the image centre is fitted to the pairs, rejecting
//    outliers (FitTanPlateRejecting).
// 3. The pairing is made again with that plate and the smaller
//    `secondRadius` (the refined plate reaches the corners, where the affine
//    model is several pixels off), and the plate fitted again.
// 4. With at least `distortionMinStars` pairs in use, spread over every
//    quarter of the image, a plate with SIP distortion terms of
//    `distortionOrder` is fitted the same way (pairing again under it); it
//    replaces the TAN plate when its terms pass the F test at
//    `distortionSignificance` (DistortionSignificance), that is when the
//    image's distortion stands out of the scatter of its stars.
// With fewer than `minStars` pairs the accepted model stays in use.
#pragma once

#include "reduction/evidence.h"
#include "reduction/skyplate.h"
#include "reduction/tanplate.h"

#include <optional>
#include <span>
#include <vector>

namespace reduction {

struct RefineSettings {
    double firstRadius = 5.0;  // pixels, pairing under the accepted model
    double secondRadius = 3.0; // pixels, pairing under the first refined plate
    int minStars = 6;
    int distortionOrder = 2; // below 2: TAN plates only
    int distortionMinStars = 20;
    double distortionSignificance = 2.0;
};

// One catalogue star of the final pairing.
struct ResidualRow {
    int row = 0;         // catalogue row (1-based)
    PixelPoint source;   // the detected source's centre
    SkyPoint sky;        // the catalogue position, degrees
    PairResidual offset; // source minus the refined plate's prediction, pixels
    bool used = false;   // kept in the fit (false: rejected as an outlier)
};

struct RefineResult {
    enum class Status { Refined, TooFewStars, NoFit };
    Status status = Status::NoFit;
    std::optional<TanPlate> plate;
    std::vector<ResidualRow> rows; // in catalogue row order
    int matched = 0;               // pairs found (also when too few)
    int used = 0;
    double rmsPx = 0;
    double maxPx = 0;
};

// Refines `accepted` (its affine model and scales) with the catalogue stars
// in use (J2000 degrees, unrounded; residual rows number them from 1) and the
// detected `sources` (brightest first) of an image width x height pixels.
RefineResult RefinePlate(const PlateSolution& accepted, std::span<const SkyPoint> stars,
                         std::span<const ImageSource> sources, int width, int height,
                         const RefineSettings& settings = {});

// The same with the catalogue rows 1..n of a scaled table (ra[1..n],
// dec[1..n], degrees times the scales).
RefineResult RefinePlate(const PlateSolution& accepted, const std::vector<double>& ra,
                         const std::vector<double>& dec, int n,
                         std::span<const ImageSource> sources, int width, int height,
                         const RefineSettings& settings = {});

// The sources the refinement pairs catalogue stars with: the brightest
// max(kEvidenceSources, n) for n catalogue stars in use, about as deep as
// the catalogue (`sources` brightest first).
std::span<const ImageSource> RefineSources(std::span<const ImageSource> sources, int n);

// The image centre as a 0-based pixel, where the refined plate's tangent point lies.
PixelPoint ImageCentre(int width, int height);

// The TAN plate closest to any plate in use over the image: fitted to a
// 7 x 7 grid of points spread over the image, mapped to the sky by `plate`,
// with the tangent point at the image centre. Used to write a WCS header for
// a plate that is not a TAN plate (the affine model). Nothing when the plate
// cannot map the grid.
std::optional<TanPlate> TanPlateOf(const SkyPlate& plate, int width, int height);

} // namespace reduction
