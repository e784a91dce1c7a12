#include "reduction/sexagesimal.h"

#include "platform/numbers.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace reduction {

namespace {

int16_t clampToInt16(double v) {
    return static_cast<int16_t>(std::clamp(v, -32768.0, 32767.0));
}

// Whole part, minutes and unrounded seconds of |value|; a value that is not
// finite is taken as 0.
struct Parts {
    double whole, minutes, seconds;
};

Parts split(double value) {
    const double a = std::isfinite(value) ? std::abs(value) : 0.0;
    const double w = std::floor(a);
    const double f = (a - w) * 60.0;
    const double mi = std::floor(f);
    return {w, mi, (f - mi) * 60.0};
}

} // namespace

QString FormatSexagesimal(double value, const QString& unitMark) {
    const Parts p = split(value);
    const double se = numbers::RoundHalfEven(numbers::RoundHalfEven(p.seconds, 2));
    QString text;
    if (value < 0) text += QLatin1Char('-');
    text += QString::number(clampToInt16(p.whole)) + unitMark +
            QString::number(static_cast<int>(p.minutes)) + QLatin1Char('\'') +
            QString::number(static_cast<int>(se)) + QStringLiteral("''");
    return text;
}

void SplitSexagesimal(double value, int16_t& whole, int16_t& minutes, double& seconds) {
    const Parts p = split(value);
    whole = clampToInt16(value < 0 ? -p.whole : p.whole);
    minutes = static_cast<int16_t>(p.minutes);
    seconds = numbers::RoundHalfEven(p.seconds, 4);
}

std::optional<SexagesimalText> ReadSexagesimal(const QString& text) {
    SexagesimalText read;
    QString t = text.trimmed();
    read.negative = t.startsWith(QLatin1Char('-'));
    if (read.negative || t.startsWith(QLatin1Char('+'))) t = t.mid(1);
    static const QRegularExpression separators(QStringLiteral("[\\s:+hmsd\u00b0'\"]+"));
    read.fields = t.split(separators, Qt::SkipEmptyParts);
    if (read.fields.isEmpty() || read.fields.size() > 3) return std::nullopt;
    double unit = 1;
    for (const QString& field : read.fields) {
        const auto v = numbers::Strict(field);
        if (!v || *v < 0) return std::nullopt;
        read.value += *v / unit;
        unit *= 60;
    }
    return read;
}

} // namespace reduction
