// The window-free side of the one-click solve: finding the stars of the
// loaded image once, the automatic picks, the review order by evidence, the
// refined plate of an accepted candidate and its residual table.
#pragma once

#include "field/markers.h"
#include "field/session.h"
#include "imaging/pixelimage.h"
#include "reduction/fieldidentify.h"
#include "reduction/matching.h"
#include "reduction/refinedplate.h"

#include <QString>
#include <vector>

namespace field {

// Forgets what belongs to the image shown, for another image: the picks, the
// reference stars, the stars found, the plate model, the refined plate and
// the accepted identification (the scales and the catalogue tables stay).
void ForgetImageWork(SessionState& session);

// Finds the stars of `image` into session.Sources unless they were already
// found for the image named `stamp`.
void EnsureSources(SessionState& session, const imaging::PixelImage& image, const QString& stamp);

// Five automatic picks from session.Sources stored as picks 1..5 (with their
// marks), as five clicks would store them; the selection is then done
// (SelectionDone, mode SelectionFinished).
// False (nothing changed) when fewer than five usable stars were found.
bool StoreAutoPicks(SessionState& session, MarkerPool& clicpic, int width, int height);

// The one-click identification: the field identified from session.Sources
// and the catalogue stars `stars` (degrees, rows 1..n of the star table in
// order, brightest first) made about `centre`, with the typed scales of
// session.Plate. When found, five picks chosen among the matched stars are
// stored as picks 1..5 (as StoreAutoPicks does) and session.AutoFound holds
// their candidate; otherwise nothing changes but session.AutoFound, cleared.
struct AutoIdentifyResult {
    reduction::identify::Attempt attempt;
    bool stored = false; // picks and candidate stored
};
AutoIdentifyResult AutoIdentify(SessionState& session, MarkerPool& clicpic,
                                std::span<const reduction::SkyPoint> stars,
                                const reduction::SkyPoint& centre, int width, int height);

// The identification Auto found, as the candidate list of the search, while
// picks 1..5 are still the ones it stored; nothing otherwise.
std::optional<reduction::matching::Candidate> AutoCandidate(const SessionState& session);

// "No identification: ..." with what was tried.
QString NoIdentificationText(const reduction::identify::Attempt& attempt);

// "Identified: ..." with the odds, the matched stars and the fitted scales
// against the typed ones.
QString IdentifiedText(const reduction::identify::Attempt& attempt, double typedCorrAsd,
                       double typedCorrDec);

// Evidence of each candidate's model (catalogue stars in use landing on one
// of the brightest stars found), in the order of `candidates`.
std::vector<int>
CandidateEvidenceList(const SessionState& session,
                      const std::vector<reduction::matching::Candidate>& candidates);

// Refines the accepted model in session.Plate with the catalogue stars in
// use and the stars found; on success session.RefinedPlate is set, otherwise
// it is cleared and the three-star model stays in use.
reduction::RefineResult RefineSessionPlate(SessionState& session, int width, int height);

// One line of the residual table.
struct ResidualLine {
    QString star;    // catalogue identifier
    double dxPx = 0; // found minus predicted, pixels
    double dyPx = 0;
    double dxArcsec = 0;
    double dyArcsec = 0;
    bool used = false; // false: rejected as an outlier
};
std::vector<ResidualLine> ResidualLines(const reduction::RefineResult& result,
                                        std::span<const reduction::CatalogueRow> stars);

// "Which plate is in use" in words, with the fit's figures or the reason the
// three-star model stays.
QString PlateInUseText(const SessionState& session, const reduction::RefineResult* last);

} // namespace field
