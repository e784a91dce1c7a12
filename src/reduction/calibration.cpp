#include "reduction/calibration.h"

#include <QCoreApplication>

#include <cmath>

namespace reduction {

double HoursToDegrees(double h, double m, double s) {
    return (h * 3600.0 + m * 60.0 + s) / 3600.0 / 24.0 * 360.0;
}

double SignedDegrees(double d, double m, double s, double sign) {
    return (d * 3600.0 + m * 60.0 + s) * sign / 3600.0;
}

namespace {

// A 16-bit pixel difference, or nothing when it leaves the 16-bit range.
std::optional<double> pixelDifference(int16_t a, int16_t b) {
    const int diff = int{a} - int{b};
    if (diff < -32768 || diff > 32767) return std::nullopt;
    return static_cast<double>(diff);
}

double square(double v) {
    return v * v;
}

} // namespace

ReferenceScales ScalesFromReferenceStars(const ReferenceStars& s) {
    ReferenceScales out;
    const auto dx12 = pixelDifference(s.x[1], s.x[2]);
    const auto dy12 = pixelDifference(s.y[1], s.y[2]);
    const auto dx13 = pixelDifference(s.x[1], s.x[3]);
    const auto dy13 = pixelDifference(s.y[1], s.y[3]);
    if (!dx12 || !dy12 || !dx13 || !dy13) {
        out.error = QCoreApplication::translate(
            "ReferenceStars",
            "Overflow: the pixel positions of the reference stars are too far apart.");
        return out;
    }
    const double d12 = square(*dx12) + square(*dy12);
    const double d13 = square(*dx13) + square(*dy13);
    const double m0 = square(s.ra[1] - s.ra[2]);
    const double m1 = square(s.dec[1] - s.dec[2]);
    const double m2 = square(s.ra[1] - s.ra[3]);
    const double m3 = square(s.dec[1] - s.dec[3]);
    const double det = m0 * m3 - m1 * m2;
    if (det == 0.0) {
        out.error = QCoreApplication::translate(
            "ReferenceStars",
            "Division by zero: the sky positions of the three reference stars give no "
            "solution (two stars at the same position, or stars lined up).");
        return out;
    }
    const double a = (m3 * d12 - m1 * d13) / det;
    const double b = (m0 * d13 - m2 * d12) / det;
    const QString overflow = QCoreApplication::translate(
        "ReferenceStars", "Overflow: the reference star positions give no usable scale.");
    const QString negative = QCoreApplication::translate(
        "ReferenceStars", "Invalid square root: the pixel and sky positions of the reference "
                          "stars are inconsistent (negative %1 scale squared).");
    if (!std::isfinite(a)) {
        out.error = overflow;
        return out;
    }
    if (a < 0) {
        out.error = negative.arg(QCoreApplication::translate("ReferenceStars", "right-ascension"));
        return out;
    }
    out.corrAsd = std::sqrt(a);
    if (!std::isfinite(b)) {
        out.error = overflow;
        return out;
    }
    if (b < 0) {
        out.error = negative.arg(QCoreApplication::translate("ReferenceStars", "declination"));
        return out;
    }
    out.corrDec = std::sqrt(b);
    return out;
}

namespace {

double determinant3(const std::array<PixelPoint, 3>& p) {
    return p[0].x * (p[1].y - p[2].y) - p[0].y * (p[1].x - p[2].x) +
           (p[1].x * p[2].y - p[2].x * p[1].y);
}

// Solves X a + Y b + c = v at the three points by Cramer's rule.
std::array<double, 3> solve(const std::array<PixelPoint, 3>& p, const std::array<double, 3>& v,
                            double det) {
    const double da =
        v[0] * (p[1].y - p[2].y) - p[0].y * (v[1] - v[2]) + (v[1] * p[2].y - v[2] * p[1].y);
    const double db =
        p[0].x * (v[1] - v[2]) - v[0] * (p[1].x - p[2].x) + (p[1].x * v[2] - p[2].x * v[1]);
    const double dc = p[0].x * (p[1].y * v[2] - p[2].y * v[1]) -
                      p[0].y * (p[1].x * v[2] - p[2].x * v[1]) +
                      v[0] * (p[1].x * p[2].y - p[2].x * p[1].y);
    return {da / det, db / det, dc / det};
}

} // namespace

bool Collinear(const std::array<PixelPoint, 3>& pixels) {
    return determinant3(pixels) == 0.0;
}

std::optional<std::array<double, 6>> ThreePointModel(const std::array<PixelPoint, 3>& pixels,
                                                     const std::array<double, 3>& r,
                                                     const std::array<double, 3>& d) {
    const double det = determinant3(pixels);
    if (det == 0.0) return std::nullopt;
    const auto ra = solve(pixels, r, det);
    const auto de = solve(pixels, d, det);
    return std::array<double, 6>{ra[0], ra[1], ra[2], de[0], de[1], de[2]};
}

double FieldAngle(const PlateSolution& plate, double r, double d) {
    const auto p1 = plate.scaledToPixel(r, d);
    const auto p2 = plate.scaledToPixel(r + 1000.0, d);
    if (!p1 || !p2) return 0.0;
    const double dx = p1->x - p2->x;
    const double dy = p1->y - p2->y;
    if (dy == 0.0) return dx >= 0.0 ? 90.0 : -90.0;
    return std::atan(dx / dy) / 3.14159 * 180.0;
}

} // namespace reduction
