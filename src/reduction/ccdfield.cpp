#include "reduction/ccdfield.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>

namespace reduction {

namespace {

constexpr double kArcminPerRadian = 3438;
constexpr double kArcminPerDegree = 60;

// The texts of this file, in the translation context "CcdField".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(CcdField)
};

} // namespace

std::optional<CcdInput> InputAtFault(CcdError error) {
    switch (error) {
    case CcdError::Width:
        return CcdInput::Width;
    case CcdError::Height:
        return CcdInput::Height;
    case CcdError::WidthPx:
        return CcdInput::WidthPx;
    case CcdError::HeightPx:
        return CcdInput::HeightPx;
    case CcdError::Focal:
        return CcdInput::Focal;
    case CcdError::NoSolution:
    case CcdError::NoUsableScales:
        break;
    }
    return std::nullopt;
}

outcome::Result<CcdField, CcdError> CcdFieldScales(const CcdGeometry& g) {
    const std::pair<CcdError, double> inputs[] = {{CcdError::Width, g.width},
                                                  {CcdError::Height, g.height},
                                                  {CcdError::WidthPx, g.widthPx},
                                                  {CcdError::HeightPx, g.heightPx},
                                                  {CcdError::Focal, g.focal}};
    for (const auto& [input, value] : inputs)
        if (!std::isfinite(value) || value <= 0)
            return outcome::Error{input, Texts::tr("The value must be a number greater than zero.")};
    // Squared angular lengths (degrees^2) of the two reference pixel vectors.
    auto term = [&](double pixels, double count, double size) {
        const double a = pixels / g.focal * kArcminPerRadian / count / kArcminPerDegree * size;
        return a * a;
    };
    const double a0 = term(300, g.widthPx, g.width);
    const double a1 = term(480, g.heightPx, g.height);
    const double a2 = term(600, g.widthPx, g.width);
    const double a3 = term(100, g.heightPx, g.height);
    constexpr double d1 = 300.0 * 300.0 + 480.0 * 480.0;
    constexpr double d2 = 600.0 * 600.0 + 100.0 * 100.0;
    const double det = a0 * a3 - a1 * a2;
    if (det == 0 || !std::isfinite(det))
        return outcome::Error{CcdError::NoSolution,
                              Texts::tr("The sensor size and focal length give no solution (the "
                                        "values are too small or too large).")};
    const double x = (a3 * d1 - a1 * d2) / det;
    const double y = (a0 * d2 - a2 * d1) / det;
    const double cx = std::pow(x, 0.5);
    const double cy = std::pow(y, 0.5);
    // A scale of zero would divide the readout by zero.
    if (!std::isfinite(cx) || !std::isfinite(cy) || !(x > 0) || !(y > 0))
        return outcome::Error{CcdError::NoUsableScales,
                              Texts::tr("The sensor size and focal length give no usable scales.")};
    return CcdField{cx, cy, kArcminPerRadian / g.focal * g.width,
                    kArcminPerRadian / g.focal * g.height};
}

std::optional<double> ReadCcdNumber(QStringView text) {
    QString t = text.trimmed().toString();
    if (t.isEmpty() || (t.contains(QLatin1Char(',')) && t.contains(QLatin1Char('.'))))
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace reduction
