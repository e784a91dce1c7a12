#include "field/draw.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace field {

namespace draw {

namespace {

struct CosSin {
    double c;
    double s;
};

// Degrees to radians in single precision; the trigonometry itself runs in
// double and the results are stored back as single precision.
CosSin cosSinOfRadians(float degrees) {
    const double a = static_cast<double>(degrees * kPi / 180.0f);
    return {std::cos(a), std::sin(a)};
}

// The same values, taken from a table for the whole degrees that the
// ellipse loop walks through (the results are identical, only cheaper).
constexpr int kTable = 1024;
using DegreeTable = std::array<CosSin, kTable>;

const DegreeTable& degreeTable() {
    static const DegreeTable table = [] {
        DegreeTable t{};
        for (int k = 0; k < kTable; ++k)
            t[k] = cosSinOfRadians(static_cast<float>(k));
        return t;
    }();
    return table;
}

inline CosSin cosSinDegrees(float degrees, const DegreeTable& table) {
    if (degrees >= 0.0f && degrees < static_cast<float>(kTable)) {
        const int whole = static_cast<int>(degrees);
        if (static_cast<float>(whole) == degrees) return table[static_cast<size_t>(whole)];
    }
    return cosSinOfRadians(degrees);
}

inline void polar(const CosSin& a, float radius, float& x, float& y) {
    x = static_cast<float>(radius * a.c);
    y = static_cast<float>(radius * a.s);
}

inline void rotate(const CosSin& r, float& x, float& y) {
    const float nx = static_cast<float>(x * r.c + y * r.s);
    const float ny = static_cast<float>(x * r.s - y * r.c);
    x = nx;
    y = ny;
}

inline void scale(float sx, float sy, float& x, float& y) {
    x = sx * x;
    y = sy * y;
}

inline void translate(float dx, float dy, float& x, float& y) {
    x = x + dx;
    y = y + dy;
}

// EllipsePoint with the rotation's cosine and sine worked out once.
inline void ellipsePoint(float cx, float cy, float radius, const CosSin& rotation, float ratio,
                         float t, const DegreeTable& table, float& x, float& y) {
    polar(cosSinDegrees(t, table), radius, x, y);
    scale(1.0f, ratio, x, y);
    rotate(rotation, x, y);
    translate(cx, cy, x, y);
}

} // namespace

void PolarPoint(float angle, float radius, float& x, float& y) {
    polar(cosSinDegrees(angle, degreeTable()), radius, x, y);
}

void RotatePoint(float angle, float& x, float& y) {
    rotate(cosSinDegrees(angle, degreeTable()), x, y);
}

void ScalePoint(float sx, float sy, float& x, float& y) {
    scale(sx, sy, x, y);
}

void TranslatePoint(float dx, float dy, float& x, float& y) {
    translate(dx, dy, x, y);
}

void EllipsePoint(float cx, float cy, float radius, float angle, float ratio, float t, float& x,
                  float& y) {
    const DegreeTable& table = degreeTable();
    ellipsePoint(cx, cy, radius, cosSinDegrees(angle, table), ratio, t, table, x, y);
}

std::optional<int16_t> DrawEllipse(MarkerStore& canvas, float cx, float cy, float radius,
                                   float angle, float start, float end, float ratio, float step) {
    for (float v : {cx, cy, radius, angle, start, end, ratio, step})
        if (!std::isfinite(v)) return std::nullopt;
    // A step too small to move the single-precision parameter would never end.
    if (!(step > 0.0f) || start + step <= start || end + step <= end) return std::nullopt;
    const DegreeTable& table = degreeTable();
    const CosSin rotation = cosSinDegrees(angle, table);
    const QRgb colour = canvas.drawColour.rgb();
    float px = 0, py = 0;
    ellipsePoint(cx, cy, radius, rotation, ratio, start, table, px, py);
    float bottom = 0;
    float t = start;
    // The parameter advances in single precision, so its values (and the
    // number of points) are those of a float loop from start to end.
    while (t <= end) {
        float x = 0, y = 0;
        ellipsePoint(cx, cy, radius, rotation, ratio, t, table, x, y);
        canvas.line(px, py, x, y, colour);
        if (y > bottom) bottom = y;
        px = x;
        py = y;
        t += step;
    }
    float x = 0, y = 0;
    ellipsePoint(cx, cy, radius, rotation, ratio, t, table, x, y);
    canvas.line(px, py, x, y, colour);

    const float whole = std::floor(bottom);
    if (!std::isfinite(whole) || whole > std::numeric_limits<int16_t>::max() ||
        whole < std::numeric_limits<int16_t>::min())
        return std::nullopt;
    return static_cast<int16_t>(whole);
}

} // namespace draw

} // namespace field
