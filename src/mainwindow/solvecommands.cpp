#include "mainwindow/solvecommands.h"

#include "catalogues/usnoa2.h"
#include "field/markers.h"
#include "field/review.h"
#include "field/session.h"
#include "field/solve.h"
#include "mainwindow/commandhost.h"
#include "mainwindow/panels.h"
#include "mainwindow/questions.h"
#include "platform/programfolder.h"
#include "platform/regularfile.h"
#include "platform/widgets/filedialog.h"
#include "platform/widgets/messagebox.h"
#include "reduction/wcsfile.h"
#include "text/language.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;
using namespace text;

SolveCommands::SolveCommands(CommandHost& host, ImageView& view, FieldPanel& field,
                             DeciderPage& decider, SolvePanel& solve)
    : QObject(host.hostWidget()), m_host(host), m_view(view), m_field(field), m_decider(decider),
      m_solve(solve) {
    setObjectName(QStringLiteral("solveCommands"));
}

void SolveCommands::findStars() {
    // A FITS image is searched in its physical values (rows as shown), as
    // platesolve does: its display is an 8-bit midtones stretch that lifts
    // faint nebulosity and noise and squeezes the bright stars together, so
    // the brightest sources found there are often not stars of the catalogue.
    const ImageCanvas& canvas = m_view.canvas();
    SessionState& s = m_host.session();
    EnsureSources(
        s, canvas.values().isNull() ? PixelImageFromPicture(canvas.image()) : canvas.values(),
        s.ImageFileStamp);
}

SolveCommands::MatchRun
SolveCommands::searchAndReview(const std::function<void(const matching::Candidate&)>& draw) {
    SessionState& s = m_host.session();
    MatchRun run;
    // A cancelled review leaves the accepted identification and its plate in
    // use, as before the search.
    const bool matchFound = s.MatchFound;
    const WorkflowMode mode = s.WorkflowMode;
    const int16_t candidateCount = s.CandidateCount;
    const std::optional<TanPlate> refined = s.RefinedPlate;
    const std::optional<ShownPlate> shown = m_shown;
    s.MatchFound = false;
    s.CandidateCount = 0;
    s.RefinedPlate.reset();
    forgetPlate();
    const auto tolerance = m_field.readTolerance();
    if (!tolerance) return run;
    s.MatchTolerance = *tolerance;
    // Picks that Auto identified from the whole image offer that candidate
    // alone; the distance search is for picks clicked by hand.
    const auto automatic = AutoCandidate(s);
    auto found = automatic ? std::optional(matching::SearchResult{{*automatic}, false})
                           : SearchCandidates(s, *tolerance);
    if (!found) {
        messagebox::Exclamation(
            m_host.hostWidget(),
            tr("The first three picked stars lie on one straight line, so no plate "
               "model can be computed. Pick other stars."));
        return run;
    }
    run.count = static_cast<int>(found->candidates.size());
    s.CandidateCount = static_cast<int16_t>(run.count);
    if (found->tableFull)
        m_host.LogMessage(
            tr("%1+ candidates: the search stopped when its table was full.").arg(run.count));
    const std::vector<int> evidence = rankCandidates(found->candidates);
    ReviewHooks hooks;
    hooks.draw = draw;
    hooks.threshold = [this] { return m_decider.readThreshold(); };
    hooks.ask = [this, &evidence, &automatic, &s](int k, int total, bool outside) {
        const int e = k >= 1 && k <= static_cast<int>(evidence.size()) ? evidence[k - 1] : -1;
        return AskAboutCandidate(m_host.hostWidget(), k, total, outside, e,
                                 automatic ? std::optional(s.AutoFound->odds) : std::nullopt);
    };
    ReviewOutcome review;
    if (run.count > 0 && hooks.threshold())
        review = ReviewCandidates(s, m_host.markers(), found->candidates,
                                  {m_decider.decider(), m_decider.centreOnImage()}, hooks);
    if (review.accepted > 0) {
        m_host.LogMessage(FormMessage(4));
        showAcceptedPlate();
    }
    run.reviewed = true;
    run.cancelled = review.cancelled;
    if (review.cancelled) {
        s.MatchFound = matchFound;
        s.WorkflowMode = mode;
        s.CandidateCount = candidateCount;
        s.RefinedPlate = refined;
        if (shown) showPlate(shown->text, shown->lines);
    }
    return run;
}

bool SolveCommands::autoPicks() {
    SessionState& s = m_host.session();
    findStars();
    const QImage& picture = m_view.canvas().image();
    // The field is identified from the stars of the whole image against the
    // star answer of the typed field, in degrees as the answer gives them.
    const auto scales = m_field.readScales();
    if (!scales) return false;
    std::tie(s.Plate.corrAsd, s.Plate.corrDec) = *scales;
    const QString path = programfolder::File(QStringLiteral("data"));
    const StarFileResult read = ReadSessionStars(s, path, m_field.centre());
    const std::vector<SkyPoint> stars =
        read.read.ok()
            ? Positions(s.Catalogue.stars, static_cast<size_t>(std::max<int>(0, s.Stars.inUse)))
            : std::vector<SkyPoint>{};
    const auto centre = identify::MeanDirection(stars);
    const AutoIdentifyResult found = centre
                                         ? AutoIdentify(s, m_host.markers().clicpic, stars, *centre,
                                                        picture.width(), picture.height())
                                         : AutoIdentifyResult{};
    if (!found.stored) {
        messagebox::Exclamation(
            m_host.hostWidget(),
            tr("%1 (%2 stars found on the image, %3 catalogue stars in use.) Pick five "
               "stars with \"2-Stars\".")
                .arg(NoIdentificationText(found.attempt))
                .arg(s.Sources.size())
                .arg(s.Stars.inUse));
        return false;
    }
    m_view.magnifier().hide();
    m_view.canvas().update();
    m_host.LogMessage(
        tr("Five stars picked among the %1 found on the image.").arg(s.Sources.size()));
    m_host.LogMessage(IdentifiedText(found.attempt, s.Plate.corrAsd, s.Plate.corrDec));
    return true;
}

std::vector<int> SolveCommands::rankCandidates(std::vector<matching::Candidate>& candidates) {
    if (!m_decider.rankByEvidence() || candidates.empty()) return {};
    findStars();
    const std::vector<int> evidence = CandidateEvidenceList(m_host.session(), candidates);
    const std::vector<int> order = RankByEvidence(evidence);
    std::vector<matching::Candidate> ranked;
    std::vector<int> rankedEvidence;
    for (int i : order) {
        ranked.push_back(candidates[i]);
        rankedEvidence.push_back(evidence[i]);
    }
    candidates = std::move(ranked);
    return rankedEvidence;
}

void SolveCommands::showAcceptedPlate() {
    SessionState& s = m_host.session();
    if (!m_decider.refinePlate()) {
        showPlate([&s] { return PlateInUseText(s, nullptr); }, {});
        return;
    }
    findStars();
    const QImage& picture = m_view.canvas().image();
    const RefineResult r = RefineSessionPlate(s, picture.width(), picture.height());
    showPlate([&s, r] { return PlateInUseText(s, &r); }, ResidualLines(r, s.Catalogue.stars));
    m_host.LogMessage(PlateInUseText(s, &r));
}

void SolveCommands::showPlate(const std::function<QString()>& text,
                              const std::vector<ResidualLine>& lines) {
    m_shown = ShownPlate{text, lines};
    m_solve.showPlate(text, lines);
}

void SolveCommands::forgetPlate() {
    m_shown.reset();
    m_solve.clearPlate();
}

void SolveCommands::exportWcs() {
    const SessionState& s = m_host.session();
    const QImage& picture = m_view.canvas().image();
    if (!s.MatchFound || picture.isNull()) {
        messagebox::Exclamation(
            m_host.hostWidget(),
            tr("There is no plate to export yet: accept an identification with \"%1\" "
               "first.")
                .arg(m_host.buttonText(QStringLiteral("startCalcul"))));
        return;
    }
    const std::optional<TanPlate> plate =
        s.RefinedPlate ? s.RefinedPlate
                       : TanPlateOf(s.plateInUse(), picture.width(), picture.height());
    if (!plate) {
        messagebox::Exclamation(m_host.hostWidget(),
                                tr("The plate in use cannot be written as a WCS header."));
        return;
    }
    auto path = filedialog::Save(m_host.hostWidget(), tr("Export WCS"), tr("WCS header (*.wcs)"),
                                 programfolder::Path());
    if (!path || path->isEmpty()) return;
    if (QFileInfo(*path).suffix().isEmpty()) *path += QStringLiteral(".wcs");
    const FileRows rows = s.ImageRowsBottomUp ? FileRows::BottomUp : FileRows::TopDown;
    const auto written = WriteWcsFile(*path, *plate, picture.width(), picture.height(), rows);
    if (!written) {
        messagebox::Exclamation(m_host.hostWidget(),
                                tr("The WCS header could not be written to %1: %2")
                                    .arg(QDir::toNativeSeparators(*path), written.error().message));
        return;
    }
    m_host.LogMessage(tr("WCS header written: %1 (%2)")
                          .arg(QDir::toNativeSeparators(*path),
                               s.RefinedPlate ? tr("refined plate") : tr("three-star model")));
}
