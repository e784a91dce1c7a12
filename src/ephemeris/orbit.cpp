#include "ephemeris/orbit.h"

#include "platform/angles.h"

#include <algorithm>
#include <numbers>

namespace ephemeris {

namespace {

constexpr double kPi = std::numbers::pi;
using angles::kDegree;
constexpr double kKeplerTolerance = 1e-13;

} // namespace

bool PrepareOrbit(const KeplerianElements& el, double h, double g, Orbit& orbit) {
    const double e = el.eccentricity;
    const double a = el.semiMajorAxis;
    const double values[] = {
        el.epoch, el.meanAnomaly, el.perihelionArgument, el.ascendingNode, el.inclination, e,
        a,        el.meanMotion};
    for (double v : values)
        if (!std::isfinite(v)) return false;
    if (e < 0 || e == 1.0 || a == 0 || (e < 1) != (a > 0) || el.meanMotion < 0) return false;

    Orbit o;
    o.epoch = el.epoch;
    o.eccentricity = e;
    o.semiMajorAxis = a;
    o.meanAnomaly = std::remainder(el.meanAnomaly * kDegree, 2 * kPi);
    o.meanMotion =
        el.meanMotion > 0 ? el.meanMotion * kDegree : kGaussK / std::pow(std::abs(a), 1.5);

    // Perihelion and its quadrature direction on the ecliptic axes, then
    // turned about x by the obliquity onto the equatorial axes.
    const double cw = std::cos(el.perihelionArgument * kDegree);
    const double sw = std::sin(el.perihelionArgument * kDegree);
    const double cn = std::cos(el.ascendingNode * kDegree);
    const double sn = std::sin(el.ascendingNode * kDegree);
    const double ci = std::cos(el.inclination * kDegree);
    const double si = std::sin(el.inclination * kDegree);
    const double p[3] = {cw * cn - sw * sn * ci, cw * sn + sw * cn * ci, sw * si};
    const double q[3] = {-sw * cn - cw * sn * ci, -sw * sn + cw * cn * ci, cw * si};
    const double ce = std::cos(kObliquityJ2000), se = std::sin(kObliquityJ2000);
    o.p = {float(p[0]), float(p[1] * ce - p[2] * se), float(p[1] * se + p[2] * ce)};
    o.q = {float(q[0]), float(q[1] * ce - q[2] * se), float(q[1] * se + q[2] * ce)};
    o.h = std::isfinite(h) ? float(h) : NAN;
    o.g = std::isfinite(g) ? float(g) : 0.15f;
    orbit = o;
    return true;
}

double SolveKepler(double m, double e) {
    if (e < 1) {
        // Elliptic: E - e sin E = M with M in [-pi, pi]. Starting at pi (with
        // the sign of M) for eccentric orbits keeps Newton's method monotonic.
        m = std::remainder(m, 2 * kPi);
        double x = e < 0.8 ? m + e * std::sin(m) : std::copysign(kPi, m);
        for (int i = 0; i < 50; ++i) {
            const double f = x - e * std::sin(x) - m;
            const double dx = f / (1 - e * std::cos(x));
            x -= dx;
            if (std::abs(dx) < kKeplerTolerance) break;
        }
        return x;
    }
    // Hyperbolic: e sinh H - H = M.
    double x = std::asinh(m / e);
    if (std::abs(m) > 6 * e) x = std::copysign(std::log(2 * std::abs(m) / e + 1.8), m);
    for (int i = 0; i < 100; ++i) {
        const double f = e * std::sinh(x) - x - m;
        const double dx = f / (e * std::cosh(x) - 1);
        x -= dx;
        if (std::abs(dx) < kKeplerTolerance * std::max(1.0, std::abs(x))) break;
    }
    return x;
}

std::array<double, 3> HeliocentricPosition(const Orbit& o, double tt) {
    const double m = o.meanAnomaly + o.meanMotion * (tt - o.epoch);
    const double e = o.eccentricity;
    const double a = o.semiMajorAxis;
    double x, y;
    if (e < 1) {
        const double big = SolveKepler(m, e);
        x = a * (std::cos(big) - e);
        y = a * std::sqrt(1 - e * e) * std::sin(big);
    } else {
        const double big = SolveKepler(m, e);
        x = a * (std::cosh(big) - e);
        y = -a * std::sqrt(e * e - 1) * std::sinh(big);
    }
    return {x * o.p[0] + y * o.q[0], x * o.p[1] + y * o.q[1], x * o.p[2] + y * o.q[2]};
}

void OrbitCatalogue::reserve(std::size_t n) {
    m_orbits.reserve(n);
    m_numbers.reserve(n);
    m_oppositions.reserve(n);
    m_textEnd.reserve(n);
    m_text.reserve(n * 18);
}

void OrbitCatalogue::add(const Orbit& orbit, int number, QStringView name, QStringView packed,
                         int oppositions) {
    m_orbits.push_back(orbit);
    m_numbers.push_back(number);
    m_oppositions.push_back(uint16_t(std::clamp(oppositions, 0, 65535)));
    QByteArray code = packed.toLatin1().left(7);
    code.append(7 - code.size(), ' ');
    m_text.append(code.constData(), 7);
    const QByteArray utf8 = name.toUtf8();
    m_text.append(utf8.constData(), std::size_t(utf8.size()));
    m_textEnd.push_back(uint32_t(m_text.size()));
}

ObjectName OrbitCatalogue::name(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : m_textEnd[i - 1];
    const std::size_t end = m_textEnd[i];
    ObjectName n;
    n.number = m_numbers[i];
    n.oppositions = m_oppositions[i];
    n.packed = QString::fromLatin1(m_text.data() + begin, 7).trimmed();
    n.name = QString::fromUtf8(m_text.data() + begin + 7, qsizetype(end - begin - 7));
    return n;
}

std::size_t OrbitCatalogue::memoryUsed() const {
    return m_orbits.capacity() * sizeof(Orbit) + m_numbers.capacity() * sizeof(int32_t) +
           m_oppositions.capacity() * sizeof(uint16_t) + m_text.capacity() +
           m_textEnd.capacity() * sizeof(uint32_t);
}

} // namespace ephemeris
