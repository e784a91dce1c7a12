// The one-click solve in the window: automatic picks ("Auto" beside
// "2-Etoiles"), the candidates offered by image evidence, the refined plate of
// an accepted candidate with its residual table, and the WCS export.
#include "field/solve.h"
#include "mainwindow/form1.h"
#include "mainwindow/panels.h"
#include "platform/programfolder.h"
#include "platform/widgets/filedialog.h"
#include "platform/widgets/messagebox.h"
#include "reduction/wcsfile.h"

#include <QDir>
#include <QFileInfo>

void Form1::findStars() {
    const QImage& picture = m_view->canvas().image();
    EnsureSources(m_session, PixelImageFromPicture(picture), m_session.ImageFileStamp);
}

void Form1::AutoPicks_Click() {
    SessionState& s = m_session;
    Loadimg_Click();
    if (!s.ImageLoaded) return ShowSuggestion(QStringLiteral("selectstar"), 2);
    findStars();
    const QImage& picture = m_view->canvas().image();
    if (!StoreAutoPicks(s, m_markers.clicpic, picture.width(), picture.height())) {
        messagebox::Exclamation(this, tr("Fewer than five usable stars were found on the image "
                                         "(%1 found). Pick five stars with \"2-Etoiles\".")
                                          .arg(s.Sources.size()));
        return;
    }
    m_view->magnifier().hide();
    repaintImage();
    LogMessage(tr("Five stars picked among the %1 found on the image.").arg(s.Sources.size()));
    if (s.AutoCalculate == 1) {
        startCalcul_Click();
        s.AutoCalculate = 0;
    }
}

std::vector<int> Form1::rankCandidates(std::vector<matching::Candidate>& candidates) {
    if (!m_decider->rankByEvidence() || candidates.empty()) return {};
    findStars();
    const std::vector<int> evidence = CandidateEvidenceList(m_session, candidates);
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

void Form1::showAcceptedPlate() {
    SessionState& s = m_session;
    if (!m_decider->refinePlate()) {
        m_solve->showPlate(PlateInUseText(s, nullptr), {});
        return;
    }
    findStars();
    const QImage& picture = m_view->canvas().image();
    const RefineResult r = RefineSessionPlate(s, picture.width(), picture.height());
    const QString text = PlateInUseText(s, &r);
    m_solve->showPlate(text, ResidualLines(r, s.Stars));
    LogMessage(text);
}

void Form1::mnu_exportwcs_Click() {
    const SessionState& s = m_session;
    const QImage& picture = m_view->canvas().image();
    if (!s.MatchFound || picture.isNull()) {
        messagebox::Exclamation(this, tr("There is no plate to export yet: accept an "
                                         "identification with \"3-Calcul\" first."));
        return;
    }
    const std::optional<TanPlate> plate =
        s.RefinedPlate ? s.RefinedPlate
                       : TanPlateOf(s.plateInUse(), picture.width(), picture.height());
    if (!plate) {
        messagebox::Exclamation(this, tr("The plate in use cannot be written as a WCS header."));
        return;
    }
    auto path =
        filedialog::Save(this, tr("Export WCS"), tr("WCS header (*.wcs)"), programfolder::Path());
    if (!path || path->isEmpty()) return;
    if (QFileInfo(*path).suffix().isEmpty()) *path += QStringLiteral(".wcs");
    QString error;
    if (!WriteWcsFile(*path, *plate, picture.width(), picture.height(), &error)) {
        messagebox::Exclamation(this, tr("The WCS header could not be written to %1: %2")
                                          .arg(QDir::toNativeSeparators(*path), error));
        return;
    }
    LogMessage(tr("WCS header written: %1 (%2)")
                   .arg(QDir::toNativeSeparators(*path),
                        s.RefinedPlate ? tr("refined plate") : tr("three-star model")));
}
