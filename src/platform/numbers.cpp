#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numbers {

namespace {

// The extent [start, end) of the leading number of `text`: blanks skipped, an
// optional sign, digits with at most one ".", and an exponent only when digits
// follow it. `end` equals `start` when there is no number.
template <class Text> void leadingNumber(const Text& text, qsizetype& start, qsizetype& end) {
    auto digit = [&](qsizetype k) { return text[k] >= '0' && text[k] <= '9'; };
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    start = end = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    qsizetype digits = 0;
    for (; i < n && digit(i); ++i)
        ++digits;
    if (i < n && text[i] == '.')
        for (++i; i < n && digit(i); ++i)
            ++digits;
    if (digits == 0) return;
    end = i;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        const qsizetype expStart = j;
        while (j < n && digit(j))
            ++j;
        if (j > expStart) end = j;
    }
}

double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

} // namespace

double Lenient(QStringView text) {
    qsizetype start = 0, end = 0;
    leadingNumber(text, start, end);
    if (end == start) return 0.0;
    return Lenient(QByteArrayView(text.mid(start, end - start).toLatin1()));
}

double Lenient(QByteArrayView text) {
    qsizetype start = 0, end = 0;
    leadingNumber(text, start, end);
    if (end == start) return 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    if (*first == '+') ++first; // from_chars takes no plus sign
    double v = 0;
    const auto r = std::from_chars(first, last, v);
    if (r.ec == std::errc::result_out_of_range) return 0.0;
    return r.ec == std::errc() ? finiteOrZero(v) : 0.0;
}

std::optional<double> Strict(QStringView text) {
    // Sign, digits with at most one decimal separator ("." or ","), an
    // optional exponent, and nothing else: no group separators, blanks
    // inside, "inf" or "nan". The text is copied to "." form for from_chars.
    const QStringView t = text.trimmed();
    if (t.isEmpty() || t.size() > 400) return std::nullopt;
    std::string ascii;
    ascii.reserve(static_cast<size_t>(t.size()));
    qsizetype i = 0;
    const qsizetype n = t.size();
    const auto digitAt = [&](qsizetype k) { return k < n && t[k] >= u'0' && t[k] <= u'9'; };
    if (t[i] == u'+' || t[i] == u'-') {
        if (t[i] == u'-') ascii += '-';
        ++i;
    }
    qsizetype digits = 0;
    for (; digitAt(i); ++i, ++digits)
        ascii += static_cast<char>(t[i].unicode());
    if (i < n && (t[i] == u'.' || t[i] == u',')) {
        ascii += '.';
        for (++i; digitAt(i); ++i, ++digits)
            ascii += static_cast<char>(t[i].unicode());
    }
    if (digits == 0) return std::nullopt;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) ascii += static_cast<char>(t[i++].unicode());
        if (!digitAt(i)) return std::nullopt;
        for (; digitAt(i); ++i)
            ascii += static_cast<char>(t[i].unicode());
    }
    if (i != n) return std::nullopt;
    double v = 0;
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    const auto r = std::from_chars(first, last, v);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v)) return std::nullopt;
    return v;
}

double RoundHalfEven(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    if (decimals == 0) return std::nearbyint(value);
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled)) return value;
    return std::nearbyint(scaled) / scale;
}

std::optional<int16_t> ToInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int16_t> TextToInt16(QStringView text) {
    const auto v = Strict(text);
    if (!v) return std::nullopt;
    return ToInt16(*v);
}

QString Text(double value) {
    if (value == 0.0) return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    return s;
}

} // namespace numbers
