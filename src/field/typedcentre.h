// The field centre as the user types it (right ascension in hours, minutes
// and seconds, declination in degrees, minutes and seconds with a separate
// sign, and the equinox), read into degrees.
#pragma once

#include "platform/outcome.h"

#include <QString>
#include <array>
#include <optional>

namespace field {

// The field centre as the user typed it.
struct TypedCentreFields {
    std::array<QString, 3> ra;  // hours, minutes, seconds
    std::array<QString, 3> dec; // degrees, minutes, seconds, without sign
    QString decSign;            // "+" or "-"
    QString epoch;              // equinox in years
};

// The centre read from those fields.
struct TypedCentre {
    double ra = 0;    // degrees, at the typed equinox
    double dec = 0;   // degrees, at the typed equinox
    double epoch = 0; // years
    bool south = false;
};

// The boxes of the typed centre, in the order they are read.
enum class CentreBox { RaHours, RaMinutes, RaSeconds, DecDegrees, DecMinutes, DecSeconds, Epoch };

// The centre, or the first box that holds no number: the error's kind is
// that box, its message the box's text as typed (messages quote it after the
// box's name, CentreBoxName).
using TypedCentreReading = outcome::Result<TypedCentre, CentreBox>;

// The name of a coordinate box in the user's language, for messages: 0..2
// the hours, minutes and seconds of right ascension, 3..5 the degrees,
// minutes and seconds of declination, 6 the equinox.
QString CentreBoxName(int box);
QString CentreBoxName(CentreBox box);

// Reads the centre; every field must hold a number (read strictly).
// ra = (h*3600 + m*60 + s)/3600*15, dec = sign * (d*3600 + m*60 + s)/3600.
TypedCentreReading ReadTypedCentre(const TypedCentreFields& fields);

// The typed centre in scaled J2000 coordinates, for the overlay's centre cross.
// Given: the typed fields (the six coordinate boxes read strictly, the equinox
// leniently) and the scales corrAsd, corrDec (pixels per degree).
// Returned: right ascension and declination at J2000, degrees times the
// scales (the position is precessed from the typed equinox to J2000 with
// PrecessToJ2000); nothing when a coordinate box holds no number.
struct ScaledCentre {
    double ra = 0;
    double dec = 0;
};
std::optional<ScaledCentre> TypedCentreJ2000(const TypedCentreFields& fields, double corrAsd,
                                             double corrDec);

} // namespace field
