// "3-Calcul": reads the catalogue and runs the automatic field matching,
// offering each candidate identification drawn over the image.
#include "mainwindow/form1.h"
#include "mainwindow/imagecanvas.h"
#include "platform/widgets/messagebox.h"
#include "platform/numbers.h"
#include "reduction/matching.h"
#include "text/language.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

enum class Review { Declined, Accepted, Stop };

QString notANumber(const QString& what, const QString& text) {
    return QStringLiteral("The %1 \"%2\" is not a usable number: the matching cannot go on.")
        .arg(what, text);
}

// The decision threshold S of the automatic check, or nothing (after a
// message) when the box holds no usable number.
std::optional<double> readThreshold(Form1& f) {
    const auto s = numbers::strict(f.txt_calcul->text());
    if (!s || !numbers::toInt16(-4.0 - *s) || !numbers::toInt16(*s - 4.0)) {
        messagebox::exclamation(
            &f, notANumber(QStringLiteral("decision threshold"), f.txt_calcul->text()));
        return std::nullopt;
    }
    return s;
}

// Draws candidate k (1-based) of `count`, runs the automatic check and, when
// it passes, asks the user.
Review reviewCandidate(Form1& f, const matching::Candidate& c, int k, int count) {
    SessionState& s = f.session();
    const auto model =
        matching::CandidateModel(s.ImageStarX, s.ImageStarY, s.Stars.ra, s.Stars.dec, c);
    if (!model) return Review::Stop;
    s.Plate.a = *model;
    // The centre test below must reflect this candidate's model alone.
    s.CentreOutside = false;
    f.map();
    f.mapcroix(c[1], c[2], c[3], c[4], c[5]);

    const auto threshold = readThreshold(f);
    if (!threshold) return Review::Stop;
    int hits =
        matching::CountCheckHits({f.markers().clicpic.left, f.markers().clicpic.top},
                                 {f.markers().star.left, f.markers().star.top}, s.Stars.inUse,
                                 *threshold)
            .value_or(0);
    if (CheckValue(f.CheckDecideur) == 0) hits = 4;
    if (s.MapFailed || hits < 4) return Review::Declined;

    QString prefix;
    if (s.CentreOutside) {
        s.CentreOutside = false;
        prefix = FormMessage(20) + QLatin1Char('\r');
    }
    if (CheckValue(f.Checkcenter) == 1 && !prefix.isEmpty()) return Review::Declined;
    const QString question = prefix + FormMessage(2) + QStringLiteral(" (%1/%2)").arg(k).arg(count);
    if (!messagebox::yesNo(&f, question, FormMessage(3))) return Review::Declined;
    f.LogMessage(FormMessage(4));
    s.MatchFound = true;
    s.WorkflowMode = QStringLiteral("coor");
    return Review::Accepted;
}

} // namespace

void Form1::startCalcul_Click() {
    SessionState& s = session();
    Loadimg_Click();
    SetIdleIndicator(false);
    s.Plate.corrAsd = numbers::lenient(txt_corrasd->text());
    s.Plate.corrDec = numbers::lenient(txt_corrdec->text());
    markers().star.hideAll();
    Picture1->update();
    if (!s.SelectionDone) {
        ShowSuggestion(QStringLiteral("calculannuler"), 0, QStringLiteral("0"),
                       QStringLiteral("0"));
        return;
    }
    READFILE();
    READFILE_NGCIC();
    if (s.Stars.inUse > 380 && !messagebox::yesNo(this, FormMessage(15), FormMessage(16))) {
        LogMessage(FormMessage(17));
        return;
    }
    Algo();
    map();
    SetIdleIndicator(true);
}

void Form1::Algo() {
    SessionState& s = session();
    LogMessage(FormMessage(5));
    s.MatchFound = false;
    s.CandidateCount = 0;
    const int n = s.Stars.inUse;
    matching::DistanceTables tables;
    tables.build(s.ImageStarX, s.ImageStarY, s.Stars.ra, s.Stars.dec, n);

    const auto tolerance = numbers::strict(txt_tolerance->text());
    if (!tolerance) {
        messagebox::exclamation(this,
                                notANumber(QStringLiteral("tolerance"), txt_tolerance->text()));
        return;
    }
    s.MatchTolerance = *tolerance;
    if (matching::PicksCollinear(s.ImageStarX, s.ImageStarY)) {
        messagebox::exclamation(
            this, QStringLiteral("The first three picked stars lie on one straight line, so "
                                 "no plate model can be computed. Pick other stars."));
        return;
    }
    const matching::SearchResult found = matching::FindCandidates(tables, *tolerance);
    const int count = static_cast<int>(found.candidates.size());
    s.CandidateCount = static_cast<int16_t>(count);
    if (found.tableFull)
        LogMessage(QStringLiteral("%1+ candidates: the search stopped when its table was full.")
                       .arg(count));

    if (count > 0 && readThreshold(*this)) {
        for (int k = 1; k <= count; ++k)
            if (reviewCandidate(*this, found.candidates[k - 1], k, count) != Review::Declined)
                break;
    }
    LogMessage(FormMessage(6));
    ShowSuggestion(QStringLiteral("calcul"), s.MatchFound ? -1 : 0, QString::number(count),
                   QString::number(n));
}
