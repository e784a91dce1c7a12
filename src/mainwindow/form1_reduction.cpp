// Main window: field centre, reference-star calibration, matching, catalogues,
// WCS export.
#include "catalogues/widgets/frmdatabase.h"
#include "catalogues/widgets/frminternet.h"
#include "catalogues/widgets/frmmode.h"
#include "field/overlay.h"
#include "field/referencestars.h"
#include "mainwindow/cataloguecommands.h"
#include "mainwindow/form1.h"
#include "mainwindow/minorplanetcommands.h"
#include "mainwindow/panels.h"
#include "mainwindow/settingscommands.h"
#include "mainwindow/solvecommands.h"
#include "platform/numbers.h"
#include "platform/widgets/messagebox.h"
#include "text/language.h"

#include <QScopeGuard>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;
using namespace text;

bool Form1::CentreJ2000() {
    return StoreTypedCentre(m_session, m_field->centre());
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
    ShowSuggestion(QStringLiteral("etalonage"), s.ImageLoaded ? -1 : 0);
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
    ShowSuggestion(QStringLiteral("superetalonage"), s.MatchFound ? -1 : 0);
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
    messagebox::Ok(
        this,
        tr("%1: CX = %2 and CY = %3").arg(FormMessage(7), m_field->corrAsd(), m_field->corrDec()));
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
    const auto idleAgain = qScopeGuard([this] { SetIdleIndicator(true); }); // on every return
    s.Plate.corrAsd = numbers::Lenient(m_field->corrAsd());
    s.Plate.corrDec = numbers::Lenient(m_field->corrDec());
    const MarkerStore shown = m_markers; // put back when the review is cancelled
    m_markers.star.hideAll();
    repaintImage();
    if (!s.SelectionDone) return ShowSuggestion(QStringLiteral("calculannuler"), 0);
    const auto scales = m_field->readScales(); // a scale of 0 would divide the readout by 0
    if (!scales) return;
    std::tie(s.Plate.corrAsd, s.Plate.corrDec) = *scales;
    READFILE();
    READFILE_NGCIC();
    if (s.Stars.inUse > 380 && !messagebox::YesNo(this, FormMessage(15), FormMessage(16)))
        return LogMessage(FormMessage(17));
    Algo();
    if (m_reviewCancelled) {
        const uint64_t version = m_markers.drawingsVersion;
        m_markers = shown;
        m_markers.drawingsVersion = version + 1; // the drawings changed back
        repaintImage();
    } else if (s.MatchFound) {
        // Without an accepted candidate there is no plate to draw the field with.
        map();
    }
}

void Form1::Algo() {
    LogMessage(FormMessage(5));
    m_reviewCancelled = false;
    const SolveCommands::MatchRun run =
        m_solveCommands->searchAndReview([this](const matching::Candidate& c) {
            map();
            mapcroix(c[1], c[2], c[3], c[4], c[5]);
        });
    if (!run.reviewed) return;
    m_reviewCancelled = run.cancelled;
    if (run.cancelled) repaintImage();
    if (!m_session.MatchFound && !run.cancelled) {
        // Nothing accepted: no candidate's drawings stay as if they were the field.
        m_markers.star.hideAll();
        m_markers.aster.hideAll();
        m_markers.aster_lbl.hideAll();
        m_markers.deepobj_lbl.hideAll();
        m_markers.centerpic.visible = false;
        m_markers.clearDrawings();
        repaintImage();
        LogMessage(run.count == 0
                       ? tr("No identification found: no catalogue stars have the distances of "
                            "the picks within the tolerance. Check the two correctors, raise the "
                            "tolerance or pick other stars.")
                       : tr("No identification found: none of the %n candidate(s) was accepted.",
                            nullptr, run.count));
    }
    LogMessage(FormMessage(6));
    ShowSuggestion(QStringLiteral("calcul"), m_session.MatchFound ? -1 : 0,
                   QString::number(run.count), QString::number(m_session.Stars.inUse));
}

void Form1::DownloadData_Click() {
    m_minorPlanetsQueried = false;
    if (!m_field->checkQuery()) return;
    SetIdleIndicator(false);
    const bool read = m_catalogueCommands->downloadStars();
    // The next step, unless the version check has something to say.
    if (read && !m_session.MatchFound && !m_session.StarAnswerStale &&
        !m_hint->showing(QStringLiteral("softupdate"), 1))
        m_hint->showMade([this] {
            return tr("Catalogue downloaded: press %1 and click five stars, or press %2.")
                .arg(commandCaption("SelectStar"), commandCaption("AutoPicks"));
        });
    if (read && m_session.MatchFound && m_minorPlanets->wanted() &&
        messagebox::YesNo(this, FormMessage(23), FormMessage(21))) {
        m_catalogueCommands->queryMinorPlanets();
        m_minorPlanetsQueried = true;
    }
    // Minor planets drawn from an answer that is not the typed query's (a
    // query that failed or was blocked, another date) do not stay shown.
    if (!m_catalogueCommands->minorPlanetAnswerCurrent()) {
        m_session.forgetMinorPlanets();
        m_markers.aster.hideAll();
        m_markers.aster_lbl.hideAll();
        repaintImage();
    }
    SetIdleIndicator(true);
}

void Form1::cancelDownload_Click() {
    m_messages->requestCancel();
}

void Form1::READFILE() {
    m_catalogueCommands->readStars();
}

void Form1::READFILE_ASTER() {
    m_catalogueCommands->readMinorPlanets();
}

void Form1::READFILE_NGCIC() {
    m_catalogueCommands->readDeepSky();
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
    Frmdatabase window(m_catalogueCommands->browserField(), this);
    window.setAnswersCurrent(!m_session.StarAnswerStale,
                             m_catalogueCommands->minorPlanetAnswerCurrent());
    window.exec();
}

void Form1::mnu_exportwcs_Click() {
    m_solveCommands->exportWcs();
}
