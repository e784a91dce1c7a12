// The sensible ranges of the numbers typed for a query or a matching. A
// value outside them (a radius of 1e300 arcminutes, a tolerance of 1e20
// pixels, a negative faintest magnitude) is refused with a message naming
// the box before anything is queried, matched or saved.
#pragma once

#include <QString>

struct NumberRange {
    double low;
    double high;
    bool lowIncluded; // low itself is allowed
};

inline constexpr NumberRange kRadiusRange{0, 1200, false}; // arcminutes (20 degrees)
inline constexpr NumberRange kMagnitudeRange{0, 30,
                                             false}; // faintest magnitude; the brightest is 0
inline constexpr NumberRange kToleranceRange{0, 10000, true}; // pixels

// Empty when `text` holds a number (read strictly) within `range`; otherwise
// why not, naming the box `name` and quoting its text. With numberNeeded
// false a text that is no number at all passes (it is kept as typed).
QString RangeProblem(const QString& name, const QString& text, NumberRange range,
                     bool numberNeeded = true);
