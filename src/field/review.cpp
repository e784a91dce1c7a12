#include "field/review.h"

namespace {

enum class Outcome { Declined, Accepted, Stop };

Outcome reviewOne(SessionState& s, const MarkerStore& m, const matching::Candidate& c, int k,
                  int count, const ReviewChoices& choices, const ReviewHooks& hooks) {
    const auto model =
        matching::CandidateModel(s.ImageStarX, s.ImageStarY, s.Stars.ra, s.Stars.dec, c);
    if (!model) return Outcome::Stop;
    s.Plate.a = *model;
    s.RefinedPlate.reset(); // it belonged to the model before
    // The centre test below must reflect this candidate's model alone.
    s.CentreOutside = false;
    hooks.draw(c);

    const auto threshold = hooks.threshold();
    if (!threshold) return Outcome::Stop;
    int hits = matching::CountCheckHits({m.clicpic.left, m.clicpic.top}, {m.star.left, m.star.top},
                                        s.Stars.inUse, *threshold)
                   .value_or(0);
    if (!choices.decider) hits = 4;
    if (s.MapFailed || hits < 4) return Outcome::Declined;

    const bool outside = s.CentreOutside;
    s.CentreOutside = false;
    if (choices.centreOnImage && outside) return Outcome::Declined;
    if (hooks.ask(k, count, outside) != ReviewAnswer::Yes) return Outcome::Declined;
    s.MatchFound = true;
    s.WorkflowMode = WorkflowMode::Coordinates;
    return Outcome::Accepted;
}

} // namespace

std::optional<matching::SearchResult> SearchCandidates(const SessionState& s, double tolerance) {
    if (matching::PicksCollinear(s.ImageStarX, s.ImageStarY)) return std::nullopt;
    matching::DistanceTables tables;
    tables.build(s.ImageStarX, s.ImageStarY, s.Stars.ra, s.Stars.dec, s.Stars.inUse);
    return matching::FindCandidates(tables, tolerance);
}

int ReviewCandidates(SessionState& s, const MarkerStore& m,
                     const std::vector<matching::Candidate>& candidates,
                     const ReviewChoices& choices, const ReviewHooks& hooks) {
    const int count = static_cast<int>(candidates.size());
    for (int k = 1; k <= count; ++k) {
        const Outcome o = reviewOne(s, m, candidates[k - 1], k, count, choices, hooks);
        if (o == Outcome::Accepted) return k;
        if (o == Outcome::Stop) break;
    }
    return 0;
}
