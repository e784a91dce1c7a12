#include "field/typedcentre.h"

#include "platform/numbers.h"
#include "reduction/calibration.h"
#include "reduction/precession.h"

#include <QCoreApplication>

using namespace reduction;

namespace field {

namespace {
// The box names go into messages, in the user's language.
const char* const raNames[] = {QT_TRANSLATE_NOOP("TypedCentre", "right ascension, hours"),
                               QT_TRANSLATE_NOOP("TypedCentre", "right ascension, minutes"),
                               QT_TRANSLATE_NOOP("TypedCentre", "right ascension, seconds")};
const char* const decNames[] = {QT_TRANSLATE_NOOP("TypedCentre", "declination, degrees"),
                                QT_TRANSLATE_NOOP("TypedCentre", "declination, minutes"),
                                QT_TRANSLATE_NOOP("TypedCentre", "declination, seconds")};
const char* const epochName = QT_TRANSLATE_NOOP("TypedCentre", "epoch");
} // namespace

QString CentreBoxName(int box) {
    return QCoreApplication::translate("TypedCentre", box < 3   ? raNames[box]
                                                      : box < 6 ? decNames[box - 3]
                                                                : epochName);
}

QString CentreBoxName(CentreBox box) {
    return CentreBoxName(static_cast<int>(box));
}

TypedCentreReading ReadTypedCentre(const TypedCentreFields& fields) {
    const std::array<const QString*, 7> texts{&fields.ra[0],  &fields.ra[1],  &fields.ra[2],
                                              &fields.dec[0], &fields.dec[1], &fields.dec[2],
                                              &fields.epoch};
    std::array<double, 7> v{};
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto number = numbers::Strict(*texts[i]);
        if (!number) return outcome::Error{static_cast<CentreBox>(i), *texts[i]};
        v[i] = *number;
    }
    TypedCentre c;
    c.south = fields.decSign == QLatin1String("-");
    c.ra = (v[0] * 3600 + v[1] * 60 + v[2]) / 3600 * 15;
    c.dec = (c.south ? -1 : 1) * (v[3] * 3600 + v[4] * 60 + v[5]) / 3600;
    c.epoch = v[6];
    return c;
}

std::optional<ScaledCentre> TypedCentreJ2000(const TypedCentreFields& fields, double corrAsd,
                                             double corrDec) {
    std::array<double, 6> v{};
    for (int k = 0; k < 3; ++k) {
        const auto ra = numbers::Strict(fields.ra[k]);
        const auto dec = numbers::Strict(fields.dec[k]);
        if (!ra || !dec) return std::nullopt;
        v[k] = *ra;
        v[3 + k] = *dec;
    }
    const double ra = HoursToDegrees(v[0], v[1], v[2]);
    const double dec =
        SignedDegrees(v[3], v[4], v[5], fields.decSign == QLatin1String("-") ? -1.0 : 1.0);
    const PrecessionDelta delta = PrecessToJ2000(numbers::Lenient(fields.epoch), ra, dec);
    return ScaledCentre{(delta.dRA + ra) * corrAsd, (delta.dDec + dec) * corrDec};
}

} // namespace field
