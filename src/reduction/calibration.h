// Plate calibration: the two pixel scales from three reference stars, the
// exact affine model through three star pairs, and the direction of
// increasing right ascension on the image.
#pragma once

#include "reduction/platesolution.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace reduction {

// Right ascension in degrees from hours, minutes and seconds.
double HoursToDegrees(double h, double m, double s);

// Declination in degrees from unsigned degrees, minutes and seconds and the
// sign (+1 or -1), which multiplies the whole sum: 10 30 0 with -1 -> -10.5.
double SignedDegrees(double d, double m, double s, double sign);

// The reference stars 1..3 of a calibration: pixel positions and sky
// positions in degrees (index 0 unused).
struct ReferenceStars {
    std::array<int16_t, 4> x{};
    std::array<int16_t, 4> y{};
    std::array<double, 4> ra{};
    std::array<double, 4> dec{};
};

// The scales measured from three reference stars, taking the image axes along
// right ascension and declination (no rotation): a squared pixel distance is
// A * dRA^2 + B * dDec^2, solved for A and B from the pairs (1, 2) and (1, 3);
// CorrAsd = sqrt(A), CorrDec = sqrt(B) in pixels per degree.
// On failure `error` describes it; corrAsd is still given when only B failed
// (A is used first). Failures: a pixel difference beyond 16 bits, proportional
// coordinate differences (determinant 0), a negative A or B, or a result that
// is not a finite number.
struct ReferenceScales {
    std::optional<double> corrAsd;
    std::optional<double> corrDec;
    QString error; // empty on success
};
ReferenceScales ScalesFromReferenceStars(const ReferenceStars& stars);

// The affine model that maps three pixel positions exactly onto three scaled
// sky positions (Cramer's rule on the rows (X, Y, 1)): a0..a5 with
// R = a0 X + a1 Y + a2 and D = a3 X + a4 Y + a5. Nothing when the three pixel
// positions lie on one straight line.
std::optional<std::array<double, 6>> ThreePointModel(const std::array<PixelPoint, 3>& pixels,
                                                     const std::array<double, 3>& r,
                                                     const std::array<double, 3>& d);

// True when three pixel positions lie on one straight line (no model exists).
bool Collinear(const std::array<PixelPoint, 3>& pixels);

// Direction of increasing right ascension on the image, in degrees in
// -90..90: arctan(dx / dy) between the pixel positions of the scaled point
// (r, d) and of (r + 1000, d). When dy is 0 (right ascension runs along the
// image rows) the angle is +90 for dx >= 0 and -90 otherwise; a model without
// inverse gives 0.
double FieldAngle(const PlateSolution& plate, double r, double d);

} // namespace reduction
