// Right ascensions near 0h.
//
// A field that straddles 0h holds right ascensions just below 360 degrees
// and just above 0. Scaled coordinates (degrees times a scale of hundreds of
// pixels per degree) would put such neighbours 360 degrees apart, so every
// reader unwraps a right ascension about the field centre before scaling it,
// and every position shown or written is brought back into 0..360 first.
#pragma once

namespace reduction {

// Given: ra and centre in degrees.
// Returned: ra plus or minus a multiple of 360 degrees, within 180 degrees of
// centre (centre - 180 < result <= centre + 180). A value that is not finite
// is returned as it is.
double UnwrapRa(double ra, double centre);

// Given: ra in degrees. Returned: the same direction in 0 <= result < 360.
double NormaliseRa(double ra);

} // namespace reduction
