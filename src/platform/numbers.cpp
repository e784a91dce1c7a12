#include "platform/numbers.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace numbers {

double lenient(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    qsizetype end = i;
    // An exponent counts only when digits follow it.
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) ++j;
        qsizetype expDigits = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0) end = j;
    }
    bool ok = false;
    const double v = text.mid(start, end - start).toString().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

std::optional<double> strict(QStringView text) {
    const QString t = text.trimmed().toString();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    double v = QLocale::c().toDouble(t, &ok);
    if (!ok) v = QLocale().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

double roundHalfEven(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    if (decimals == 0) return std::nearbyint(value);
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled)) return value;
    return std::nearbyint(scaled) / scale;
}

std::optional<int16_t> toInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int16_t> textToInt16(QStringView text) {
    const auto v = strict(text);
    if (!v) return std::nullopt;
    return toInt16(*v);
}

QString text(double value) {
    if (value == 0.0) return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    return s;
}

} // namespace numbers
