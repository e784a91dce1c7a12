// The sensible ranges of the numbers typed for a query or a matching. A
// value outside them (a radius of 1e300 arcminutes, a tolerance of 1e20
// pixels, a negative faintest magnitude) is refused with a message naming
// the box before anything is queried, matched or saved.
#pragma once

#include "field/typedcentre.h"

#include <QString>

namespace field {

struct NumberRange {
    double low;
    double high;
    bool lowIncluded;         // low itself is allowed
    bool highIncluded = true; // high itself is allowed
};

inline constexpr NumberRange kRadiusRange{0, 1200, false}; // arcminutes (20 degrees)
inline constexpr NumberRange kMagnitudeRange{0, 30,
                                             false}; // faintest magnitude; the brightest is 0
inline constexpr NumberRange kToleranceRange{0, 10000, true}; // pixels

// Empty when `text` holds a number (read strictly) within `range`; otherwise
// why not, naming the box `name` and quoting its text.
QString RangeProblem(const QString& name, const QString& text, NumberRange range);

// The field centre's boxes: hours 0 to below 24, minutes and seconds 0 to
// below 60, degrees of declination 0 to 90 (the sign has its own box) and
// the declination as a whole no further than 90 degrees from the equator.
inline constexpr NumberRange kHoursRange{0, 24, true, false};
inline constexpr NumberRange kSexagesimalRange{0, 60, true, false};
inline constexpr NumberRange kDecDegreesRange{0, 90, true};

// Empty when the six coordinate boxes of `fields` hold numbers within those
// ranges; otherwise why not, naming the first wrong box (the equinox is not
// checked here).
QString CentreRangeProblem(const TypedCentreFields& fields);

} // namespace field
