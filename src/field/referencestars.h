// The reference-star calibration of the scales, one button press at a time.
#pragma once

#include "field/session.h"
#include "reduction/calibration.h"

#include <QString>
#include <array>
#include <optional>

namespace field {

// The outcome of one press.
struct ReferenceStep {
    QString error;         // empty on success
    bool recorded = false; // the star was stored and RefStarCount advanced
    std::optional<reduction::ReferenceScales>
        scales; // measured after the third star (may hold an error)
};

// Records the reference star typed in the eight calibration boxes (pixel x and
// y; right ascension h, m, s; declination d, m, s, signed by RefDecSign) in
// slot RefStarCount of the session, then advances RefStarCount. After the
// third star (the count reaches 4) the scales are measured from stars 1..3.
// The boxes are read step by step and what was stored before an unreadable
// box stays stored; a press after the third star records nothing.
ReferenceStep RecordReferenceStar(SessionState& session, const std::array<QString, 8>& boxes);

} // namespace field
