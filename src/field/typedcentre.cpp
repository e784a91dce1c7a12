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
} // namespace

QString CentreBoxName(int box) {
    return QCoreApplication::translate("TypedCentre", box < 3 ? raNames[box] : decNames[box - 3]);
}

TypedCentreReading ReadTypedCentre(const TypedCentreFields& fields) {
    TypedCentreReading reading;
    const auto value = [&reading](const QString& text, const char* name) -> std::optional<double> {
        const auto v = numbers::Strict(text);
        if (!v && reading.badField.isEmpty()) {
            reading.badField = QCoreApplication::translate("TypedCentre", name);
            reading.badText = text;
        }
        return v;
    };
    std::array<double, 3> ra{}, dec{};
    for (int i = 0; i < 3; ++i) {
        const auto v = value(fields.ra[i], raNames[i]);
        if (!v) return reading;
        ra[i] = *v;
    }
    for (int i = 0; i < 3; ++i) {
        const auto v = value(fields.dec[i], decNames[i]);
        if (!v) return reading;
        dec[i] = *v;
    }
    const auto epoch = value(fields.epoch, QT_TRANSLATE_NOOP("TypedCentre", "epoch"));
    if (!epoch) return reading;
    TypedCentre c;
    c.south = fields.decSign == QLatin1String("-");
    c.ra = (ra[0] * 3600 + ra[1] * 60 + ra[2]) / 3600 * 15;
    c.dec = (c.south ? -1 : 1) * (dec[0] * 3600 + dec[1] * 60 + dec[2]) / 3600;
    c.epoch = *epoch;
    reading.centre = c;
    return reading;
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
