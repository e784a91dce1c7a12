// Field centre, reference-star calibration of the scales, centre marker.
#include "mainwindow/commatopoint.h"
#include "mainwindow/form1.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/magnifier.h"
#include "platform/widgets/messagebox.h"
#include "platform/numbers.h"
#include "reduction/calibration.h"
#include "reduction/precession.h"
#include "text/language.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

int16_t flag(bool value) {
    return value ? -1 : 0;
}

QString unreadableBox(int index, const QString& text) {
    return QStringLiteral("Type mismatch: calibration box %1 (\"%2\") does not hold a number that "
                          "can be used.")
        .arg(QString::number(index), text);
}

// Reads the reference star typed in the calibration boxes into slot i of the
// session, step by step: what was stored before a failure stays stored.
// Returns an error text, empty on success.
QString readReferenceStar(Form1& f, int i) {
    SessionState& s = f.session();
    auto box = [&f](int k) { return f.Etalo(k)->text(); };
    const auto x = numbers::textToInt16(box(0));
    if (!x) return unreadableBox(0, box(0));
    s.RefStarX[i] = *x;
    const auto y = numbers::textToInt16(box(1));
    if (!y) return unreadableBox(1, box(1));
    s.RefStarY[i] = *y;
    for (int k : {2, 3, 5, 6})
        if (!numbers::strict(box(k))) return unreadableBox(k, box(k));
    s.RefStarRA[i] = HoursToDegrees(*numbers::strict(box(2)), *numbers::strict(box(3)),
                                    numbers::lenient(box(4)));
    s.RefStarDec[i] =
        SignedDegrees(*numbers::strict(box(5)), *numbers::strict(box(6)), numbers::lenient(box(7)),
                      s.RefDecSign == QLatin1String("-1") ? -1.0 : 1.0);
    return {};
}

// Computes the scales from reference stars 1..3 into the two scale boxes and
// shows the result. Returns an error text, empty on success.
QString computeScales(Form1& f) {
    const SessionState& s = f.session();
    const ReferenceScales r =
        ScalesFromReferenceStars({s.RefStarX, s.RefStarY, s.RefStarRA, s.RefStarDec});
    if (r.corrAsd) f.txt_corrasd->setText(numbers::text(*r.corrAsd));
    if (r.corrDec) f.txt_corrdec->setText(numbers::text(*r.corrDec));
    if (!r.error.isEmpty()) return r.error;
    messagebox::ok(&f, FormMessage(7) + QStringLiteral(": CX = ") + f.txt_corrasd->text() +
                           QStringLiteral(" et CY = ") + f.txt_corrdec->text());
    f.frm(4)->hide();
    f.frm(3)->show();
    f.BoutonEtalo->setText(Lang().FormTexts[48]);
    f.zoom->hide();
    return {};
}

// One press of the calibration button; an error text, empty on success.
QString recordAndCompute(Form1& f) {
    SessionState& s = f.session();
    const int i = s.RefStarCount;
    if (i < 0 || i > 3)
        return QStringLiteral(
            "The three reference stars are already recorded. Start the calibration again "
            "from the menu to measure new scales.");
    if (QString error = readReferenceStar(f, i); !error.isEmpty()) return error;
    for (int k = 0; k < 8; ++k)
        f.Etalo(k)->clear();
    s.RefStarCount = static_cast<int16_t>(i + 1);
    if (s.RefStarCount == 3) f.BoutonEtalo->setText(FormMessage(1));
    if (s.RefStarCount == 4) return computeScales(f);
    return {};
}

} // namespace

bool Form1::CentreJ2000() {
    SessionState& s = session();
    s.CentreDecSign = txt_dec_sign_show(0)->text() == QLatin1String("-") ? QStringLiteral("-1")
                                                                         : QStringLiteral("1");
    std::array<double, 6> v{};
    for (int k = 0; k < 3; ++k) {
        const auto ra = numbers::strict(txt_ra(k)->text());
        const auto dec = numbers::strict(txt_dec(k)->text());
        if (!ra || !dec) return false;
        v[k] = *ra;
        v[3 + k] = *dec;
    }
    const double ra = HoursToDegrees(v[0], v[1], v[2]);
    const double dec =
        SignedDegrees(v[3], v[4], v[5], s.CentreDecSign == QLatin1String("-1") ? -1.0 : 1.0);
    const PrecessionDelta delta = PrecessToJ2000(numbers::lenient(txt_epoch->text()), ra, dec);
    s.CentrePlateRA = (delta.dRA + ra) * s.Plate.corrAsd;
    s.CentrePlateDec = (delta.dDec + dec) * s.Plate.corrDec;
    return true;
}

void Form1::CalculAngle() {
    SessionState& s = session();
    s.FieldAngle = FieldAngle(s.Plate, s.Stars.ra[1], s.Stars.dec[1]);
}

void Form1::mnu_etalonage_Click() {
    SessionState& s = session();
    if (s.ImageLoaded) {
        s.WorkflowMode = QStringLiteral("etalo");
        s.RefStarCount = 1;
        BoutonEtalo->setText(Lang().FormTexts[48]);
        zoom->show();
        frm(4)->show();
        frm(3)->hide();
    }
    ShowSuggestion(QStringLiteral("etalonage"), flag(s.ImageLoaded), QStringLiteral("0"),
                   QStringLiteral("0"));
}

void Form1::mnu_superetalonage_Click() {
    SessionState& s = session();
    if (s.MatchFound) {
        s.ClickMarkAllowed = 1;
        s.WorkflowMode = QStringLiteral("superetalo");
        s.RefStarCount = 1;
        s.PickCount = 0;
        BoutonEtalo->setText(Lang().FormTexts[48]);
        frm(4)->show();
        frm(3)->hide();
        markers().clicpic.hideAll();
        Picture1->update();
    }
    ShowSuggestion(QStringLiteral("superetalonage"), flag(s.MatchFound), QStringLiteral("0"),
                   QStringLiteral("0"));
}

void Form1::mnu_etalonage2_Click() {}

void Form1::LoadCorr_Click() {}

void Form1::BoutonEtalo_Click() {
    SessionState& s = session();
    s.ClickMarkAllowed = 1;
    s.RefDecSign = txt_dec_sign_show(1)->text() == QLatin1String("-") ? QStringLiteral("-1")
                                                                      : QStringLiteral("1");
    if (const QString error = recordAndCompute(*this); !error.isEmpty())
        messagebox::exclamation(this, error);
}

void Form1::Etalo_Change(int index) {
    if (index < 0 || index > 7) return;
    if (Etalo(index)->text().size() == 2 && index != 4 && index != 7) Etalo(index + 1)->setFocus();
    CommaToPoint(Etalo(index));
}

void Form1::PlaceCentre() {
    SessionState& s = session();
    if (!CentreJ2000()) return;
    const auto centre = s.Plate.scaledToPixel(s.CentrePlateRA, s.CentrePlateDec);
    if (!centre) return;
    const double x = centre->x, y = centre->y;
    auto& cross = markers().centerpic;
    const double ends[4][4] = {
        {x, y - 8, x, y - 2}, {x, y + 2, x, y + 8}, {x - 8, y, x - 2, y}, {x + 2, y, x + 8, y}};
    for (int k = 0; k < 4; ++k) {
        cross.x1[k] = static_cast<float>(ends[k][0]);
        cross.y1[k] = static_cast<float>(ends[k][1]);
        cross.x2[k] = static_cast<float>(ends[k][2]);
        cross.y2[k] = static_cast<float>(ends[k][3]);
    }
    cross.visible = true;
    Picture1->update();
    if (!(x > 0 && x < Picture1->width() && y > 0 && y < Picture1->height()))
        s.CentreOutside = true;
}
