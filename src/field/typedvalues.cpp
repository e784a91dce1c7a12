#include "field/typedvalues.h"

#include "platform/numbers.h"

#include <QCoreApplication>

namespace field {

QString RangeProblem(const QString& name, const QString& text, NumberRange range) {
    const auto v = numbers::Strict(text);
    if (!v) {
        return QCoreApplication::translate("TypedValues", "%1: \"%2\" is not a number.")
            .arg(name, text);
    }
    const bool low = range.lowIncluded ? *v >= range.low : *v > range.low;
    const bool high = range.highIncluded ? *v <= range.high : *v < range.high;
    if (low && high) return {};
    // The message states the bounds as they are: included or not.
    const char* const wording[2][2] = {
        {QT_TRANSLATE_NOOP("TypedValues",
                           "%1: \"%2\" is out of range; a number above %3 and below %4 is "
                           "needed."),
         QT_TRANSLATE_NOOP("TypedValues",
                           "%1: \"%2\" is out of range; a number above %3 and up to %4 is "
                           "needed.")},
        {QT_TRANSLATE_NOOP("TypedValues",
                           "%1: \"%2\" is out of range; a number from %3 to below %4 is "
                           "needed."),
         QT_TRANSLATE_NOOP("TypedValues",
                           "%1: \"%2\" is out of range; a number from %3 to %4 is needed.")}};
    return QCoreApplication::translate("TypedValues",
                                       wording[range.lowIncluded][range.highIncluded])
        .arg(name, text, QString::number(range.low), QString::number(range.high));
}

QString CentreRangeProblem(const TypedCentreFields& fields) {
    for (int i = 0; i < 3; ++i)
        if (QString p = RangeProblem(CentreBoxName(i), fields.ra[i],
                                     i == 0 ? kHoursRange : kSexagesimalRange);
            !p.isEmpty())
            return p;
    double arcsec = 0;
    for (int i = 0; i < 3; ++i) {
        if (QString p = RangeProblem(CentreBoxName(3 + i), fields.dec[i],
                                     i == 0 ? kDecDegreesRange : kSexagesimalRange);
            !p.isEmpty())
            return p;
        arcsec += *numbers::Strict(fields.dec[i]) * (i == 0 ? 3600 : i == 1 ? 60 : 1);
    }
    if (arcsec <= 90 * 3600) return {};
    return QCoreApplication::translate("TypedValues",
                                       "%1: %2 %3 %4 lies beyond the pole; the declination is "
                                       "at most 90 degrees.")
        .arg(CentreBoxName(3), fields.dec[0], fields.dec[1], fields.dec[2]);
}

} // namespace field
