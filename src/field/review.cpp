#include "field/review.h"

using namespace reduction;

namespace field {

namespace {

enum class Outcome { Declined, Accepted, Stop, Cancelled };

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
    const ReviewAnswer answer = hooks.ask(k, count, outside);
    if (answer == ReviewAnswer::Cancel) return Outcome::Cancelled;
    if (answer != ReviewAnswer::Yes) return Outcome::Declined;
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

ReviewOutcome ReviewCandidates(SessionState& s, MarkerStore& m,
                               const std::vector<matching::Candidate>& candidates,
                               const ReviewChoices& choices, const ReviewHooks& hooks) {
    // What the review changes, kept for a cancel.
    const PlateSolution plate = s.Plate;
    const field::MapState mapState = s.MapState;
    const bool mapFailed = s.MapFailed, centreOutside = s.CentreOutside;
    const double centreRa = s.CentrePlateRA, centreDec = s.CentrePlateDec;
    const double fieldAngle = s.FieldAngle;
    const MarkerStore markers = m;

    const int count = static_cast<int>(candidates.size());
    for (int k = 1; k <= count; ++k) {
        const Outcome o = reviewOne(s, m, candidates[k - 1], k, count, choices, hooks);
        if (o == Outcome::Accepted) return {k, false};
        if (o == Outcome::Stop) break;
        if (o == Outcome::Cancelled) {
            s.Plate = plate;
            s.MapState = mapState;
            s.MapFailed = mapFailed;
            s.CentreOutside = centreOutside;
            s.CentrePlateRA = centreRa;
            s.CentrePlateDec = centreDec;
            s.FieldAngle = fieldAngle;
            const uint64_t version = m.drawingsVersion;
            m = markers;
            m.drawingsVersion = version + 1; // the drawings changed back
            return {0, true};
        }
    }
    return {};
}

} // namespace field
