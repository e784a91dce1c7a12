// The review of the candidate identifications of the automatic matching: each
// candidate's plate model is drawn and checked, and the user is asked about
// those that pass, until one is accepted.
#pragma once

#include "field/markers.h"
#include "field/session.h"
#include "reduction/matching.h"

#include <functional>
#include <optional>
#include <vector>

namespace field {

// The candidate search for the session's picks among its stars in use, with
// `tolerance` pixels; nothing when picks 1..3 lie on one straight line (no
// plate model exists).
std::optional<reduction::matching::SearchResult> SearchCandidates(const SessionState& session,
                                                                  double tolerance);

enum class ReviewAnswer { Yes, No, Cancel };

struct ReviewHooks {
    // Draws the overlay of the session's current plate model and the crosses
    // of the candidate's five catalogue rows (the markers are read back by
    // the automatic check).
    std::function<void(const reduction::matching::Candidate&)> draw;
    // The decision threshold S in pixels, read again for every candidate;
    // nothing ends the review.
    std::function<std::optional<double>()> threshold;
    // Asks about candidate k of `count`; centreOutside: the typed centre
    // falls off the image with this candidate's model.
    std::function<ReviewAnswer(int k, int count, bool centreOutside)> ask;
};

struct ReviewChoices {
    bool decider = false;       // only candidates whose check finds 4 or more stars are asked
    bool centreOnImage = false; // candidates that put the typed centre off the image are skipped
};

// Goes through `candidates` in order. For each: computes its plate model into
// the session (a model that cannot be computed ends the review), draws it,
// counts the picks with a star marker within S pixels (4 when the decider is
// off), skips it when the overlay failed or fewer than 4 picks are hit or its
// centre is off the image while that is refused, and otherwise asks. "Yes"
// sets MatchFound and the mode Coordinates and ends the review. "Cancel"
// ends it with no candidate accepted and the plate model, the overlay state,
// the centre test and the markers as they were before the review.
struct ReviewOutcome {
    int accepted = 0; // 1-based index of the accepted candidate, 0 for none
    bool cancelled = false;
};
ReviewOutcome ReviewCandidates(SessionState& session, MarkerStore& markers,
                               const std::vector<reduction::matching::Candidate>& candidates,
                               const ReviewChoices& choices, const ReviewHooks& hooks);

} // namespace field
