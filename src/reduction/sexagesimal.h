// Sexagesimal forms of hours and degrees.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace reduction {

// Text of `value` (hours or degrees) as whole part, `unitMark`, minutes, "'",
// seconds and "''", e.g. 12.5824 with "°" -> 12°34'57'', -0.5 -> -0°30'0''.
// The sign "-" leads whenever value < 0. Seconds are rounded to 2 decimals and
// then to a whole number, halves to even; they are not carried into the
// minutes, so 59.5 seconds or more show as 60 (1.99999 h -> 1h59'60'').
QString FormatSexagesimal(double value, const QString& unitMark);

// Splits `value` into whole part, minutes and seconds (seconds rounded to 4
// decimals, halves to even). Only the whole part carries the sign: -10.25
// gives -10, 15, 0 and -0.5 gives 0, 30, 0. A whole part beyond the 16-bit
// range is clamped to it; a value that is not finite is taken as 0.
void SplitSexagesimal(double value, int16_t& whole, int16_t& minutes, double& seconds);

// A sexagesimal text as it is typed, read from a header card or a query: an
// optional sign, then one to three numbers (whole part, minutes, seconds)
// separated by blanks, colons, "+" (an address's blank) or the marks h m s d
// ° ' ". "22 47 12.2", "+58:03:14", "12h30m", "-0 30" and "58+03+14" all read.
struct SexagesimalText {
    bool negative = false; // a leading "-"
    QStringList fields;    // one to three number texts, whole part first
    double value = 0;      // whole + minutes / 60 + seconds / 3600, without the sign
};
// Nothing when there are no numbers, more than three, or one that is not a
// number or is negative.
std::optional<SexagesimalText> ReadSexagesimal(const QString& text);

} // namespace reduction
