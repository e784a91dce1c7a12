#include "ephemeris/designation.h"

#include <QRegularExpression>
#include <erfa.h>

namespace ephemeris {

namespace {

constexpr int kBase62Start = 620000;
constexpr int kLargestPackable = kBase62Start + 62 * 62 * 62 * 62 - 1;

// 0..9, A..Z = 10..35, a..z = 36..61.
QChar Digit62(int value) {
    if (value < 10) return QChar(u'0' + value);
    if (value < 36) return QChar(u'A' + value - 10);
    return QChar(u'a' + value - 36);
}

int Value62(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'Z') return u - u'A' + 10;
    if (u >= u'a' && u <= u'z') return u - u'a' + 36;
    return -1;
}

int DigitValue(QChar c) {
    return c.isDigit() ? c.unicode() - u'0' : -1;
}

// Century letter of a four-digit year: I = 18, J = 19, K = 20.
std::optional<QChar> CenturyLetter(int year) {
    const int century = year / 100;
    if (century < 18 || century > 20) return std::nullopt;
    return QChar(u'A' + century - 10);
}

std::optional<int> CenturyOf(QChar letter) {
    const int v = Value62(letter);
    if (v < 18 || v > 20) return std::nullopt;
    return v;
}

bool IsHalfMonth(QChar c) {
    return c >= u'A' && c <= u'Y' && c != u'I';
}

bool IsSecondLetter(QChar c) {
    return c >= u'A' && c <= u'Z' && c != u'I';
}

// A day of the Gregorian calendar (ERFA eraCal2jd refuses the others).
bool IsCalendarDay(int y, int m, int d) {
    double jd0 = 0, jd = 0;
    return eraCal2jd(y, m, d, &jd0, &jd) == 0;
}

} // namespace

std::optional<QString> PackNumber(int number) {
    if (number < 1 || number > kLargestPackable) return std::nullopt;
    if (number < 100000) return QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
    if (number < kBase62Start)
        return Digit62(number / 10000) +
               QStringLiteral("%1").arg(number % 10000, 4, 10, QLatin1Char('0'));
    int rest = number - kBase62Start;
    QString digits(4, QLatin1Char('0'));
    for (int i = 3; i >= 0; --i) {
        digits[i] = Digit62(rest % 62);
        rest /= 62;
    }
    return QLatin1Char('~') + digits;
}

std::optional<int> UnpackNumber(const QString& packed) {
    if (packed.size() != 5) return std::nullopt;
    if (packed[0] == u'~') {
        int value = 0;
        for (int i = 1; i < 5; ++i) {
            const int d = Value62(packed[i]);
            if (d < 0) return std::nullopt;
            value = value * 62 + d;
        }
        return kBase62Start + value;
    }
    const int lead = Value62(packed[0]);
    if (lead < 0) return std::nullopt;
    int value = lead;
    for (int i = 1; i < 5; ++i) {
        const int d = DigitValue(packed[i]);
        if (d < 0) return std::nullopt;
        value = value * 10 + d;
    }
    return value > 0 ? std::optional<int>(value) : std::nullopt;
}

std::optional<QString> PackProvisional(const QString& readable) {
    const QString text = readable.trimmed();
    static const QRegularExpression survey(QStringLiteral("^(\\d{4}) (P-L|T-1|T-2|T-3)$"));
    if (const auto m = survey.match(text); m.hasMatch()) {
        const QString kind = m.captured(2);
        const QString prefix = kind == u"P-L" ? QStringLiteral("PL") : u'T' + kind.right(1);
        return prefix + QLatin1Char('S') + m.captured(1);
    }
    static const QRegularExpression provisional(QStringLiteral("^(\\d{4}) ([A-Z])([A-Z])(\\d*)$"));
    const auto m = provisional.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int year = m.captured(1).toInt();
    const QChar half = m.captured(2)[0];
    const QChar second = m.captured(3)[0];
    const auto century = CenturyLetter(year);
    if (!century || !IsHalfMonth(half) || !IsSecondLetter(second)) return std::nullopt;
    const QString cycleText = m.captured(4);
    if (cycleText.startsWith(u'0')) return std::nullopt;
    const int cycle = cycleText.isEmpty() ? 0 : cycleText.toInt();
    if (cycle >= 620) return std::nullopt;
    const QString cycleCode = cycle < 100 ? QStringLiteral("%1").arg(cycle, 2, 10, QLatin1Char('0'))
                                          : Digit62(cycle / 10) + QString::number(cycle % 10);
    return *century + QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0')) + half +
           cycleCode + second;
}

std::optional<QString> UnpackProvisional(const QString& packed) {
    if (packed.size() != 7) return std::nullopt;
    if (packed[2] == u'S' && (packed.startsWith(u"PL") || packed.startsWith(u"T1") ||
                              packed.startsWith(u"T2") || packed.startsWith(u"T3"))) {
        const QString number = packed.mid(3);
        for (QChar c : number)
            if (!c.isDigit()) return std::nullopt;
        const QString kind =
            packed[0] == u'P' ? QStringLiteral("P-L") : QStringLiteral("T-") + packed[1];
        return number + QLatin1Char(' ') + kind;
    }
    const auto century = CenturyOf(packed[0]);
    const int y1 = DigitValue(packed[1]), y2 = DigitValue(packed[2]);
    const int c1 = Value62(packed[4]), c2 = DigitValue(packed[5]);
    if (!century || y1 < 0 || y2 < 0 || c1 < 0 || c2 < 0 || !IsHalfMonth(packed[3]) ||
        !IsSecondLetter(packed[6]))
        return std::nullopt;
    const int year = *century * 100 + y1 * 10 + y2;
    const int cycle = c1 * 10 + c2;
    QString text = QString::number(year) + QLatin1Char(' ') + packed[3] + packed[6];
    if (cycle > 0) text += QString::number(cycle);
    return text;
}

std::optional<CalendarDate> UnpackDate(const QString& packed) {
    if (packed.size() != 5) return std::nullopt;
    const auto century = CenturyOf(packed[0]);
    const int y1 = DigitValue(packed[1]), y2 = DigitValue(packed[2]);
    const int month = Value62(packed[3]), day = Value62(packed[4]);
    if (!century || y1 < 0 || y2 < 0) return std::nullopt;
    CalendarDate date{*century * 100 + y1 * 10 + y2, month, day};
    if (!IsCalendarDay(date.year, month, day)) return std::nullopt;
    return date;
}

} // namespace ephemeris
