// Plates with distortion: a TAN plate with SIP terms fitted to pairs of
// image and catalogue positions (astrometry.net's fit_sip_wcs), and the test
// that decides whether the terms say more about the image than the scatter
// of its stars.
#pragma once

#include "reduction/tanplate.h"

#include <optional>
#include <span>

namespace reduction {

// Fits a plate with SIP terms of `order` (2..Distortion::kMaxOrder) to
// `pairs`, the linear part and the tangent point refitted with them, the
// reference pixel kept at start.crpix. The inverse terms (the first guess of
// sky -> pixel, which a WCS header carries, and which the library also uses
// to move the tangent point) are fitted over the image width x height: of
// order + 1 with `inverse`, else of `order` only, which costs a third less
// and serves while the fit is being repeated. Given: `start` a TAN plate close to the truth
// (its tangent point is where the fit begins). Nothing with fewer pairs than
// the polynomials have terms, or when the fit fails.
std::optional<TanPlate> FitDistortedPlate(std::span<const PlatePair> pairs, const TanPlate& start,
                                          int order, int width, int height, bool inverse = true);

// Does the distortion explain the pairs beyond their scatter? The residual
// sums of squares (pixels squared) of a TAN plate and of a distorted plate
// of `order`, fitted to the same `count` pairs, give the F statistic of the
// extra terms; returned: that statistic (0 when the extra terms do not help
// or the pairs are too few to tell).
// Reference: the F test for nested linear models (e.g. Draper & Smith,
// Applied Regression Analysis, ch. 6).
double DistortionSignificance(double tanSquares, double distortedSquares, int count, int order);

} // namespace reduction
