// The plate solution: the two pixel scales and the affine plate model.
//
//   scaled RA  = a0 * X + a1 * Y + a2      (RA in degrees * CorrAsd)
//   scaled Dec = a3 * X + a4 * Y + a5      (Dec in degrees * CorrDec)
//
// X, Y are image pixels (X to the right, Y downwards). CorrAsd and CorrDec are
// pixels per degree of right ascension and of declination (no cos(dec) factor).
#pragma once

#include <array>
#include <optional>

namespace reduction {

struct PixelPoint {
    double x = 0;
    double y = 0;
};

struct SkyPoint {
    double ra = 0;  // degrees, J2000
    double dec = 0; // degrees, J2000
};

struct PlateSolution {
    double corrAsd = 0;
    double corrDec = 0;
    std::array<double, 6> a{}; // a0..a5

    // Determinant of the linear part, a1*a3 - a0*a4; 0 means the model has no inverse.
    double determinant() const { return a[1] * a[3] - a[0] * a[4]; }

    // Pixel (X, Y) -> scaled coordinates (R, D).
    void pixelToScaled(double x, double y, double& r, double& d) const {
        r = a[0] * x + a[1] * y + a[2];
        d = a[3] * x + a[4] * y + a[5];
    }

    // Pixel -> sky, degrees J2000 (scaled coordinates divided by the scales).
    SkyPoint pixelToSky(double x, double y) const {
        double r = 0, d = 0;
        pixelToScaled(x, y, r, d);
        return {r / corrAsd, d / corrDec};
    }

    // Scaled coordinates (R, D) -> pixel; nothing when the model has no inverse.
    std::optional<PixelPoint> scaledToPixel(double r, double d) const {
        const double det = determinant();
        if (det == 0.0) return std::nullopt;
        return PixelPoint{(a[4] * (a[2] - r) + a[1] * (d - a[5])) / det,
                          (a[3] * (r - a[2]) + a[0] * (a[5] - d)) / det};
    }
};

} // namespace reduction
