// Main window: field centre, reference-star calibration, matching, catalogues.
#include "catalogues/browser.h"
#include "catalogues/cachekeys.h"
#include "catalogues/deepsky.h"
#include "catalogues/minorplanets.h"
#include "catalogues/sites.h"
#include "catalogues/web/minorplanetquery.h"
#include "catalogues/web/starquery.h"
#include "catalogues/web/versioncheck.h"
#include "catalogues/webswitches.h"
#include "catalogues/widgets/frmdatabase.h"
#include "catalogues/widgets/frminternet.h"
#include "catalogues/widgets/frmmode.h"
#include "field/overlay.h"
#include "field/referencestars.h"
#include "field/review.h"
#include "mainwindow/form1.h"
#include "mainwindow/minorplanetcommands.h"
#include "mainwindow/panels.h"
#include "mainwindow/questions.h"
#include "mainwindow/settingscommands.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/widgets/messagebox.h"
#include "text/language.h"

namespace {

int16_t flag(bool value) {
    return value ? -1 : 0;
}

} // namespace

bool Form1::CentreJ2000() {
    const TypedCentreFields typed = m_field->centre();
    m_session.CentreDecSign =
        typed.decSign == QLatin1String("-") ? QStringLiteral("-1") : QStringLiteral("1");
    const auto c = TypedCentreJ2000(typed, m_session.Plate.corrAsd, m_session.Plate.corrDec);
    if (!c) return false;
    m_session.CentrePlateRA = c->ra;
    m_session.CentrePlateDec = c->dec;
    return true;
}

void Form1::CalculAngle() {
    SessionState& s = m_session;
    s.FieldAngle = FieldAngle(s.Plate, s.Stars.ra[1], s.Stars.dec[1]);
}

void Form1::mnu_etalonage_Click() {
    SessionState& s = m_session;
    if (s.ImageLoaded) {
        s.WorkflowMode = WorkflowMode::Calibration;
        s.RefStarCount = 1;
        m_view->magnifier().show();
        showCalibration(true);
    }
    ShowSuggestion(QStringLiteral("etalonage"), flag(s.ImageLoaded));
}

void Form1::mnu_superetalonage_Click() {
    SessionState& s = m_session;
    if (s.MatchFound) {
        s.ClickMarkAllowed = 1;
        s.WorkflowMode = WorkflowMode::SuperCalibration;
        s.RefStarCount = 1;
        s.PickCount = 0;
        showCalibration(true);
        m_markers.clicpic.hideAll();
        repaintImage();
    }
    ShowSuggestion(QStringLiteral("superetalonage"), flag(s.MatchFound));
}

void Form1::mnu_etalonage2_Click() {
    RunCcdCalculator(this, std::bind_front(&FieldPanel::setCorrectors, m_field));
}

void Form1::LoadCorr_Click() {
    ConfigOpenMode = 2;
    const auto chosen = ChooseConfiguration(this);
    ConfigOpenMode = 0;
    if (chosen) m_field->setCorrectors(chosen->corrAsd, chosen->corrDec);
}

void Form1::BoutonEtalo_Click() {
    m_session.ClickMarkAllowed = 1;
    m_session.RefDecSign =
        m_calibration->decSign() == QLatin1String("-") ? QStringLiteral("-1") : QStringLiteral("1");
    const ReferenceStep step = RecordReferenceStar(m_session, m_calibration->boxes());
    if (step.recorded) m_calibration->clearBoxes();
    if (step.recorded && m_session.RefStarCount == 3)
        m_calibration->setButtonCaption(FormMessage(1));
    if (step.scales) m_field->setScales(step.scales->corrAsd, step.scales->corrDec);
    if (!step.error.isEmpty()) return messagebox::Exclamation(this, step.error);
    if (!step.scales) return;
    messagebox::Ok(this, FormMessage(7) + QStringLiteral(": CX = ") + m_field->corrAsd() +
                             QStringLiteral(" et CY = ") + m_field->corrDec());
    showCalibration(false);
    m_view->magnifier().hide();
}

void Form1::Etalo_Change(int index) {
    m_calibration->hopAndRepair(index);
}

bool Form1::PlaceCentre() {
    if (!CentreJ2000()) return LogMessage(m_field->centreProblem()), false;
    const ImageCanvas& canvas = m_view->canvas();
    PlaceCentreCross(m_session, m_markers, {m_session.CentrePlateRA, m_session.CentrePlateDec},
                     canvas.width(), canvas.height());
    repaintImage();
    return true;
}

void Form1::startCalcul_Click() {
    SessionState& s = m_session;
    Loadimg_Click();
    SetIdleIndicator(false);
    s.Plate.corrAsd = numbers::Lenient(m_field->corrAsd());
    s.Plate.corrDec = numbers::Lenient(m_field->corrDec());
    m_markers.star.hideAll();
    repaintImage();
    if (!s.SelectionDone) return ShowSuggestion(QStringLiteral("calculannuler"), 0);
    const auto scales = m_field->readScales(); // a scale of 0 would divide the readout by 0
    if (!scales) return SetIdleIndicator(true);
    std::tie(s.Plate.corrAsd, s.Plate.corrDec) = *scales;
    READFILE();
    READFILE_NGCIC();
    if (s.Stars.inUse > 380 && !messagebox::YesNo(this, FormMessage(15), FormMessage(16)))
        return LogMessage(FormMessage(17));
    Algo();
    if (!m_reviewCancelled) map();
    SetIdleIndicator(true);
}

void Form1::Algo() {
    SessionState& s = m_session;
    LogMessage(FormMessage(5));
    m_reviewCancelled = false;
    s.MatchFound = false;
    s.CandidateCount = 0;
    s.RefinedPlate.reset();
    m_solve->clearPlate();
    const auto tolerance = m_field->readTolerance();
    if (!tolerance) return;
    s.MatchTolerance = *tolerance;
    auto found = SearchCandidates(s, *tolerance);
    if (!found)
        return messagebox::Exclamation(
            this, tr("The first three picked stars lie on one straight line, so no plate model "
                     "can be computed. Pick other stars."));
    const int count = static_cast<int>(found->candidates.size());
    s.CandidateCount = static_cast<int16_t>(count);
    if (found->tableFull)
        LogMessage(tr("%1+ candidates: the search stopped when its table was full.").arg(count));
    const std::vector<int> evidence = rankCandidates(found->candidates);
    ReviewHooks hooks;
    hooks.draw = [this](const matching::Candidate& c) {
        map();
        mapcroix(c[1], c[2], c[3], c[4], c[5]);
    };
    hooks.threshold = [this] { return m_decider->readThreshold(); };
    hooks.ask = [this, &evidence](int k, int total, bool outside) {
        const int e = k >= 1 && k <= static_cast<int>(evidence.size()) ? evidence[k - 1] : -1;
        return AskAboutCandidate(this, k, total, outside, e);
    };
    ReviewOutcome review;
    if (count > 0 && hooks.threshold())
        review = ReviewCandidates(s, m_markers, found->candidates,
                                  {m_decider->decider(), m_decider->centreOnImage()}, hooks);
    if (review.accepted > 0) {
        LogMessage(FormMessage(4));
        showAcceptedPlate();
    }
    m_reviewCancelled = review.cancelled;
    if (review.cancelled) repaintImage();
    LogMessage(FormMessage(6));
    ShowSuggestion(QStringLiteral("calcul"), s.MatchFound ? -1 : 0, QString::number(count),
                   QString::number(s.Stars.inUse));
}

void Form1::DownloadData_Click() {
    if (!m_field->checkQuery()) return;
    const TypedCentreFields typed = m_field->centre();
    Web().StarCacheKey = StarCacheKey(typed, m_field->radius(), m_field->magnitude());
    Web().MinorPlanetCacheKey = MinorPlanetCacheKey(
        typed, m_minorPlanets->date(), m_minorPlanets->field(), m_minorPlanets->magnitude());
    SetIdleIndicator(false);
    const StarQueryPlan plan = PlanStarQuery(typed);
    if (!plan.reading.centre) {
        LogMessage(
            tr("%1: not a number in %2 (\"%3\"), nothing downloaded")
                .arg(m_commands->downloadCaption(), plan.reading.badField, plan.reading.badText));
        m_session.StarAnswerStale = true;
        return SetIdleIndicator(true);
    }
    m_session.CentreRA = plan.reading.centre->ra;
    m_session.CentreDec = plan.reading.centre->dec;
    LogMessage(FormMessage(8));
    std::shared_ptr<MessagePanel::ProgressLine> progress;
    const DownloadOptions options = m_messages->downloadOptions(
        QStringLiteral("data"), [this](const QString& line) { LogMessage(line); }, progress);
    // The local catalogue, when chosen, answers the same query in-process.
    const DownloadResult result = QueryUsnoA2(
        m_field->epoch(), plan.coordinates.ra, plan.coordinates.dec, m_field->radius(),
        m_field->magnitude(), Web(), Sites().starServer, Web().StarCacheKey, options, StarSource());
    m_messages->endDownload();
    if (result.status == DownloadResult::Status::Blocked)
        LogMessage(tr("Star server blocked (Internet problems): nothing downloaded"));
    else if (result.status == DownloadResult::Status::Downloaded)
        progress->update(result.bytes, true);
    m_session.StarAnswerStale = !result.ok();
    if (CheckForUpdate({Web().UpdateCheckEnabled, Sites().makerSite, RunningVersionText()})
            .newVersion)
        ShowSuggestion(QStringLiteral("softupdate"), 1);
    if (result.ok()) LogMessage(FormMessage(9));

    if (m_session.MatchFound && m_minorPlanets->wanted() &&
        messagebox::YesNo(this, FormMessage(23), FormMessage(21)))
        queryMinorPlanets();
    SetIdleIndicator(true);
}

void Form1::cancelDownload_Click() {
    m_messages->requestCancel();
}

void Form1::READFILE() {
    LogMessage(FormMessage(18));
    const StarFileResult read =
        ReadSessionStars(m_session, programfolder::File(QStringLiteral("data")), m_field->centre());
    if (!read.opened) LogMessage(QStringLiteral("data: %1").arg(read.error));
    LogMessage(FormText(20) + QStringLiteral(": ") + QString::number(read.rows.inUse) +
               QLatin1Char('/') + QString::number(read.rows.rowsRead) + FormMessage(19));
}

void Form1::queryMinorPlanets() {
    MinorPlanetFields f;
    const TypedCentreFields typed = m_field->centre();
    f.ra = typed.ra;
    f.dec = typed.dec;
    f.decSign = typed.decSign;
    f.date = m_minorPlanets->date();
    f.radius = m_minorPlanets->field();
    f.limit = m_minorPlanets->magnitude();
    PadCoordinateFields(f);
    m_field->setCoordinateTexts(f.ra, f.dec);
    const MinorPlanetQueryReading reading = MakeMinorPlanetQuery(f);
    if (!reading.query) {
        DiscardMinorPlanetAnswer(); // it answers another field or date
        return LogMessage(tr("Minor planets: not a number in the %1 field (\"%2\"), nothing "
                             "downloaded")
                              .arg(reading.badField, reading.badText));
    }
    LogMessage(FormMessage(21));
    std::shared_ptr<MessagePanel::ProgressLine> progress;
    const DownloadOptions options = m_messages->downloadOptions(
        QStringLiteral("data2"), [this](const QString& line) { LogMessage(line); }, progress);
    const auto local = ChosenLocalSource(Sites(), f); // computed here instead of downloaded
    const DownloadResult result = QueryMpcChecker(*reading.query, Web(), Sites().minorPlanetService,
                                                  Web().MinorPlanetCacheKey, options, local);
    m_messages->endDownload();
    if (result.status == DownloadResult::Status::Blocked)
        LogMessage(tr("Minor-planet service blocked (Internet bugs): nothing downloaded"));
    else if (result.status == DownloadResult::Status::Downloaded && !local)
        progress->update(result.bytes, true);
    LogMessage(FormMessage(22));
}

void Form1::READFILE_ASTER() {
    // Right ascensions are taken on the field's side of 0h: about the typed
    // centre at J2000, or as typed when it holds no number.
    const auto centre = TypedCentreJ2000(m_field->centre(), 1, 1);
    const double centreRa = centre ? centre->ra : m_session.CentreRA;
    const MinorPlanetFileResult read =
        ReadMinorPlanetFile(programfolder::File(QStringLiteral("data2")), m_session.Plate.corrAsd,
                            m_session.Plate.corrDec, centreRa, m_session.MinorPlanets);
    for (const QString& note : MinorPlanetReadNotes(read))
        LogMessage(note);
    LogMessage(FormText(76) + QStringLiteral(": ") + QString::number(read.rows.count) +
               FormMessage(19));
}

void Form1::READFILE_NGCIC() {
    SessionState& s = m_session;
    if (!CentreJ2000()) {
        s.DeepSky.count = 0;
        LogMessage(tr("NGC/IC objects: the field centre holds no number, none are read"));
    } else {
        const DeepSkyWindow window{s.CentrePlateRA, s.CentrePlateDec,
                                   DeepSkyWindowHalfWidth(numbers::Lenient(m_field->radius()),
                                                          s.Plate.corrAsd, s.Plate.corrDec)};
        const DeepSkyReadResult read = ReadDeepSkyFiles(
            programfolder::Path(), window, s.Plate.corrAsd, s.Plate.corrDec, s.DeepSky);
        for (const QString& note : DeepSkyReadNotes(read))
            LogMessage(note);
    }
    LogMessage(FormText(77) + QStringLiteral(": ") + QString::number(s.DeepSky.count) +
               FormMessage(19));
}

void Form1::mnu_modeauto_Click() {
    FrmMode window(this);
    window.exec();
}

void Form1::mnu_webbugs_Click() {
    frmInternet window(this);
    window.exec();
}

void Form1::mnu_mpcorb_Click() {
    m_minorPlanetCommands->downloadElements();
}

void Form1::mnu_reportposition_Click() {
    m_minorPlanetCommands->reportPosition();
}

void Form1::mnu_database_Click() {
    // The browser's deep-sky window from the typed centre and scales, worked
    // out here without touching the session.
    std::optional<BrowserField> field;
    const auto asd = numbers::Strict(m_field->corrAsd());
    const auto dec = numbers::Strict(m_field->corrDec());
    if (asd && dec) {
        if (const auto c = TypedCentreJ2000(m_field->centre(), *asd, *dec))
            field = BrowserField{
                {c->ra, c->dec,
                 DeepSkyWindowHalfWidth(numbers::Lenient(m_field->radius()), *asd, *dec)},
                *asd,
                *dec};
    }
    Frmdatabase window(field, this);
    window.exec();
}
