#include "field/solve.h"

#include "field/picking.h"
#include "field/sources.h"
#include "reduction/autopicks.h"

#include <QCoreApplication>

using namespace reduction;
using namespace imaging;

namespace field {

void ForgetImageWork(SessionState& s) {
    s.WorkflowMode = WorkflowMode::None;
    s.MapState = MapState::None;
    s.MapFailed = false;
    s.CentreOutside = false;
    s.PickCount = 0;
    s.SelectionDone = false;
    s.ImageStarX = {};
    s.ImageStarY = {};
    s.RefStarCount = 0;
    s.ClickMarkAllowed = 0;
    s.Plate.a = {};
    s.RefinedPlate.reset();
    s.MatchFound = false;
    s.CandidateCount = 0;
    s.Sources.clear();
    s.SourcesStamp.clear();
    s.AutoFound.reset();
}

void EnsureSources(SessionState& session, const PixelImage& image, const QString& stamp) {
    if (!stamp.isEmpty() && stamp == session.SourcesStamp && !session.Sources.empty()) return;
    session.Sources = DetectSources(image);
    session.SourcesStamp = stamp;
}

bool StoreAutoPicks(SessionState& session, MarkerPool& clicpic, int width, int height) {
    const auto picks = autopicks::Choose(session.Sources, width, height);
    if (!picks) return false;
    session.PickCount = 0;
    clicpic.hideAll();
    for (const PixelPoint& p : *picks)
        StorePick(session, clicpic, p.x, p.y);
    // As after the fifth click of a selection.
    session.SelectionDone = true;
    session.WorkflowMode = WorkflowMode::SelectionFinished;
    return true;
}

namespace {
// The catalogue stars in use (the first inUse rows), J2000 degrees as read.
std::vector<SkyPoint> starsInUse(const SessionState& session) {
    return Positions(session.Catalogue.stars,
                     static_cast<size_t>(std::max<int>(0, session.Stars.inUse)));
}
} // namespace

AutoIdentifyResult AutoIdentify(SessionState& session, MarkerPool& clicpic,
                                std::span<const SkyPoint> stars, const SkyPoint& centre, int width,
                                int height) {
    AutoIdentifyResult result;
    session.AutoFound.reset();
    const int n = std::min<int>(static_cast<int>(stars.size()), session.Stars.inUse);
    stars = stars.first(std::max(0, n));
    result.attempt = identify::Identify(
        session.Sources, stars, centre, width, height,
        identify::TypedScaleRange(session.Plate.corrAsd, session.Plate.corrDec, centre.dec));
    if (!result.attempt.found) return result;
    const auto chosen =
        identify::ChoosePicks(*result.attempt.found, session.Sources, width, height);
    if (!chosen) return result;
    session.PickCount = 0;
    clicpic.hideAll();
    SessionState::AutoIdentification found;
    for (int k = 0; k < 5; ++k) {
        StorePick(session, clicpic, chosen->picks[k].x, chosen->picks[k].y);
        found.x[k + 1] = session.ImageStarX[k + 1];
        found.y[k + 1] = session.ImageStarY[k + 1];
        found.rows[k + 1] = static_cast<int16_t>(chosen->stars[k] + 1);
    }
    session.SelectionDone = true;
    session.WorkflowMode = WorkflowMode::SelectionFinished;
    found.odds = result.attempt.found->verification.oddsLog10;
    const identify::FittedScales scales = identify::ScalesOf(result.attempt.found->plate);
    found.corrAsd = scales.corrAsd;
    found.corrDec = scales.corrDec;
    session.AutoFound = found;
    result.stored = true;
    return result;
}

std::optional<matching::Candidate> AutoCandidate(const SessionState& session) {
    if (!session.AutoFound || session.PickCount < 5) return std::nullopt;
    for (int k = 1; k <= 5; ++k)
        if (session.ImageStarX[k] != session.AutoFound->x[k] ||
            session.ImageStarY[k] != session.AutoFound->y[k])
            return std::nullopt;
    return session.AutoFound->rows;
}

namespace {
// The texts of the one-click identification, in the context "Identification".
struct IdentificationTexts {
    Q_DECLARE_TR_FUNCTIONS(Identification)
};
} // namespace

QString NoIdentificationText(const identify::Attempt& a) {
    return IdentificationTexts::tr(
               "No identification: %1 stars of the image and %2 catalogue stars gave %3 "
               "triangle pairs of the same shape and scale; %4 were verified, the best at "
               "log-odds %5 against chance (%6 needed).")
        .arg(a.imageStars)
        .arg(a.catalogueStars)
        .arg(a.hypotheses)
        .arg(a.verified)
        .arg(a.verified > 0 ? a.bestOddsLog10 : 0.0, 0, 'f', 1)
        .arg(identify::kOddsThreshold, 0, 'f', 0);
}

QString IdentifiedText(const identify::Attempt& a, double typedCorrAsd, double typedCorrDec) {
    if (!a.found) return NoIdentificationText(a);
    const identify::FittedScales f = identify::ScalesOf(a.found->plate);
    return IdentificationTexts::tr(
               "Identified: %1 of %2 catalogue stars on stars of the image (log-odds %3 against "
               "chance); fitted scales %4 and %5 (typed %6 and %7).")
        .arg(a.found->verification.hits)
        .arg(a.found->verification.tested)
        .arg(a.found->verification.oddsLog10, 0, 'f', 1)
        .arg(f.corrAsd, 0, 'f', 2)
        .arg(f.corrDec, 0, 'f', 2)
        .arg(typedCorrAsd, 0, 'f', 2)
        .arg(typedCorrDec, 0, 'f', 2);
}

std::vector<int> CandidateEvidenceList(const SessionState& session,
                                       const std::vector<matching::Candidate>& candidates) {
    const SourceIndex index(EvidenceSources(session.Sources), kEvidenceRadius);
    const std::vector<SkyPoint> stars = starsInUse(session);
    std::vector<int> evidence;
    evidence.reserve(candidates.size());
    for (const matching::Candidate& c : candidates) {
        const auto model = matching::CandidateModel(session.ImageStarX, session.ImageStarY,
                                                    session.Stars.ra, session.Stars.dec, c);
        PlateSolution plate = session.Plate;
        if (model) plate.a = *model;
        evidence.push_back(model ? CandidateEvidence(plate, stars, index) : 0);
    }
    return evidence;
}

RefineResult RefineSessionPlate(SessionState& session, int width, int height) {
    const std::vector<SkyPoint> stars = starsInUse(session);
    RefineResult r =
        RefinePlate(session.Plate, stars,
                    RefineSources(session.Sources, static_cast<int>(stars.size())), width, height);
    session.RefinedPlate = r.plate;
    return r;
}

std::vector<ResidualLine> ResidualLines(const RefineResult& result,
                                        std::span<const CatalogueRow> stars) {
    std::vector<ResidualLine> lines;
    const double scale = result.plate ? result.plate->pixelScaleArcsec() : 0.0;
    for (const ResidualRow& row : result.rows) {
        ResidualLine line;
        line.star = row.row >= 1 && row.row <= static_cast<int>(stars.size())
                        ? stars[static_cast<size_t>(row.row - 1)].id
                        : QString::number(row.row);
        line.dxPx = row.offset.dx;
        line.dyPx = row.offset.dy;
        line.dxArcsec = row.offset.dx * scale;
        line.dyArcsec = row.offset.dy * scale;
        line.used = row.used;
        lines.push_back(line);
    }
    return lines;
}

namespace {
// The texts of the plate line, in the translation context "PlateInUse".
struct PlateInUseTexts {
    Q_DECLARE_TR_FUNCTIONS(PlateInUse)
};
} // namespace

QString PlateInUseText(const SessionState& session, const RefineResult* last) {
    if (session.RefinedPlate) {
        const bool distorted = session.RefinedPlate->distortion.has_value();
        if (!last)
            return distorted
                       ? PlateInUseTexts::tr("Plate in use: refined TAN plate with distortion")
                       : PlateInUseTexts::tr("Plate in use: refined TAN plate");
        const double scale = session.RefinedPlate->pixelScaleArcsec();
        return (distorted ? PlateInUseTexts::tr("Plate in use: refined TAN plate with distortion, "
                                                "%1 of %2 stars, rms %3 px (%4\"), max %5 px")
                          : PlateInUseTexts::tr("Plate in use: refined TAN plate, %1 of %2 stars, "
                                                "rms %3 px (%4\"), max %5 px"))
            .arg(last->used)
            .arg(last->matched)
            .arg(last->rmsPx, 0, 'f', 2)
            .arg(last->rmsPx * scale, 0, 'f', 2)
            .arg(last->maxPx, 0, 'f', 2);
    }
    if (!session.MatchFound)
        return PlateInUseTexts::tr("Plate in use: none (no identification accepted)");
    if (last && last->status == RefineResult::Status::TooFewStars)
        return PlateInUseTexts::tr(
                   "Plate in use: three-star model (only %1 catalogue stars have a star found "
                   "near them; 6 are needed to refine)")
            .arg(last->matched);
    if (last && last->status == RefineResult::Status::NoFit)
        return PlateInUseTexts::tr(
            "Plate in use: three-star model (no refined plate could be fitted)");
    return PlateInUseTexts::tr("Plate in use: three-star model");
}

} // namespace field
