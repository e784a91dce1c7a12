#include "field/typedvalues.h"

#include "platform/numbers.h"

#include <QCoreApplication>

QString RangeProblem(const QString& name, const QString& text, NumberRange range,
                     bool numberNeeded) {
    const auto v = numbers::Strict(text);
    if (!v) {
        if (!numberNeeded) return {};
        return QCoreApplication::translate("TypedValues", "%1: \"%2\" is not a number.")
            .arg(name, text);
    }
    const bool low = range.lowIncluded ? *v >= range.low : *v > range.low;
    if (low && *v <= range.high) return {};
    return QCoreApplication::translate("TypedValues",
                                       "%1: \"%2\" is out of range; a number between %3 and %4 "
                                       "is needed.")
        .arg(name, text, QString::number(range.low), QString::number(range.high));
}
