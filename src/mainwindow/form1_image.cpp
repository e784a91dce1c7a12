// Main window: the image view (loading, reload, magnifier, panning strips),
// star picking, the sky overlay and the cursor readout.
#include "mainwindow/form1.h"

#include "mainwindow/imagecanvas.h"
#include "imaging/imagefile.h"
#include "mainwindow/magnifier.h"
#include "field/overlay.h"
#include "field/picking.h"
#include "platform/widgets/messagebox.h"
#include "platform/numbers.h"
#include "text/infopanel.h"
#include "text/widgets/infoview.h"
#include "text/language.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

// The details of minor planet `i` in the info panel; its scaled coordinate
// texts are read leniently (a text that is no number counts 0).
void showMinorPlanetInfo(const details::InfoPanel& panel, const SessionState& s, int i) {
    const MinorPlanetTable& t = s.MinorPlanets;
    details::MinorPlanetInfoText(
        panel, t.designation[i], t.name[i], numbers::lenient(t.ra[i]) / s.Plate.corrAsd,
        numbers::lenient(t.dec[i]) / s.Plate.corrDec, t.magnitude[i], t.motion2[i], t.motion1[i]);
}

} // namespace

// ---- image view -------------------------------------------------------------

void Form1::Loadimg_Click() {
    const QString path = ImagePath(txt_url->text());
    LoadedImage loaded = ReadImageFile(path);
    if (loaded.image.isNull()) {
        m_session.ImageLoaded = false;
        messagebox::ok(this, txt_url->text() + QStringLiteral(": ") + loaded.error);
        return;
    }
    Picture1->setImage(std::move(loaded.image));
    m_session.ImageLoaded = true;
    Picture1->move(0, 0);
    m_session.ImageFileStamp = ImageFileStamp(path);
}

void Form1::CheckAutoload_Click() {
    switch (CheckValue(CheckAutoload)) {
    case 1:
        Timer3->start();
        break;
    case 0:
        Timer3->stop();
        break;
    default:
        break; // the grey state leaves the reload as it is
    }
}

void Form1::Timer3_Timer() {
    // A failed reload shows a message box whose event loop keeps this timer
    // running; the guard stops a second tick from stacking another box.
    if (m_reloading) return;
    const QString stamp = ImageFileStamp(ImagePath(txt_url->text()));
    if (stamp.isEmpty() || stamp == m_session.ImageFileStamp) return;
    m_reloading = true;
    Loadimg_Click();
    m_reloading = false;
}

void Form1::dozoom() {
    zoom->showAround(m_session.CursorX, m_session.CursorY);
}

void Form1::zoom_MouseMove(float x, float y) {
    m_session.CursorX = PixelInt16(zoom->x() + static_cast<double>(x));
    m_session.CursorY = PixelInt16(zoom->y() + static_cast<double>(y));
    dozoom();
}

void Form1::zoom_Click() {
    doselect();
}

void Form1::PicMove_MouseDown(int index) {
    m_session.PanDirection = static_cast<int16_t>(index);
}

void Form1::PicMove_MouseUp(int) {
    m_session.PanDirection = 0;
}

void Form1::Frm6close_Click() {
    Frm6->hide();
}

// ---- star picking -----------------------------------------------------------

void Form1::SelectStar_Click() {
    Loadimg_Click();
    ShowSuggestion(QStringLiteral("selectstar"), 1, QStringLiteral("0"), QStringLiteral("0"));
    if (!m_session.ImageLoaded) {
        ShowSuggestion(QStringLiteral("selectstar"), 2, QStringLiteral("0"), QStringLiteral("0"));
        return;
    }
    m_session.WorkflowMode = QStringLiteral("select");
    m_session.PickCount = 0;
    m_markers.clicpic.hideAll();
    zoom->show();
    Picture1->update();
}

void Form1::Picture1_Click() {
    SessionState& s = m_session;
    if (s.WorkflowMode == QLatin1String("etalo") || s.WorkflowMode == QLatin1String("select")) {
        doselect();
    } else if (s.WorkflowMode == QLatin1String("coor")) {
        const SkyPoint sky = s.Plate.pixelToSky(s.CursorX, s.CursorY);
        details::PointInfoText({InfoMore, Frm6}, sky.ra, sky.dec, txt_epoch->text());
    } else if (s.ClickMarkAllowed == 1) {
        s.ClickMarkAllowed = 0;
        StorePickMark(s, m_markers.clicpic, s.CursorX, s.CursorY);
        Picture1->update();
    }
}

void Form1::Picture1_DblClick() {
    const SessionState& s = m_session;
    if (s.MapState != QLatin1String("done") && s.WorkflowMode != QLatin1String("coor")) return;
    const float x = s.CursorX, y = s.CursorY;
    if (const int i = FirstMarkerNear(m_markers.aster, s.MinorPlanets.count, x, y)) {
        showMinorPlanetInfo({InfoMore, Frm6}, s, i);
        return;
    }
    if (const int i = FirstMarkerNear(m_markers.star, s.Stars.rowsRead, x, y)) {
        const CatalogueStarTable& t = s.Stars;
        details::StarInfoText({InfoMore, Frm6}, t.id[i], t.ra[i] / s.Plate.corrAsd,
                              t.dec[i] / s.Plate.corrDec, t.magRed[i], t.magBlue[i],
                              txt_epoch->text());
    }
}

void Form1::doselect() {
    SessionState& s = m_session;
    if (s.WorkflowMode == QLatin1String("etalo"))
        s.PickCount = static_cast<int16_t>(s.RefStarCount - 1);
    if (s.RefStarCount == 3) s.WorkflowMode = QStringLiteral("done");
    if (CheckValue(CheckSelectStars) == 1) {
        const auto pixel = [this](int x, int y) { return Picture1->pixelValue(x, y); };
        const BrightestSpot spot = FindBrightestNear(pixel, s.CursorX, s.CursorY);
        s.CursorX = static_cast<int16_t>(spot.x);
        s.CursorY = static_cast<int16_t>(spot.y);
    }
    const int k = StorePick(s, m_markers.clicpic, s.CursorX, s.CursorY);
    if (k == 0) return; // no mark left for this pick: it is not recorded
    Etalo(0)->setText(QString::number(s.CursorX));
    Etalo(1)->setText(QString::number(s.CursorY));
    Picture1->update();
    if (k == MarkerStore::kPicks) {
        zoom->hide();
        s.WorkflowMode = QStringLiteral("0");
        s.SelectionDone = true;
        if (s.AutoCalculate == 1) {
            startCalcul_Click();
            s.AutoCalculate = 0;
        }
    }
}

// ---- sky overlay ------------------------------------------------------------

void Form1::map() {
    SessionState& s = m_session;
    s.MapFailed = false;
    auto fail = [&] {
        s.MapFailed = true;
        s.MapState = QStringLiteral("err");
        Picture1->update();
    };
    const bool full = s.MapState == QLatin1String("loading");
    const int n = OverlayStarCount(s.Stars, full, m_markers.star.count());
    if (full) {
        m_markers.star.hideAll();
        m_markers.aster.hideAll();
        m_markers.aster_lbl.hideAll();
        m_markers.deepobj_lbl.hideAll();
    }
    MarkerPlacer placer(s.Plate, m_markers.star.size);
    PlaceStarMarkers(placer, s.Stars, n, m_markers.star);
    if (CheckValue(CheckAster) == 1 && s.MatchFound &&
        !PlaceMinorPlanetMarkers(placer, s.MinorPlanets, m_markers.aster, m_markers.aster_lbl))
        return fail();
    PlaceCentre();
    if ((!s.MatchFound && CheckValue(CheckDeepObj1) == 1) ||
        (s.MatchFound && CheckValue(CheckDeepObj2) == 1)) {
        m_markers.clearDrawings();
        CalculAngle();
        const LabelWidth width = [this](const QString& caption) {
            return Picture1->captionWidth(caption);
        };
        if (!DrawDeepSkyObjects(placer, s.DeepSky, s.Plate.corrAsd, s.FieldAngle, m_markers, width))
            return fail();
    }
    ShowMarkers(m_markers.star, n);
    s.MapState = QStringLiteral("done");
    Picture1->update();
}

void Form1::mapcroix(int s1, int s2, int s3, int s4, int s5) {
    DrawStarCrosses(m_markers, {s1, s2, s3, s4, s5});
    Picture1->update();
}

void Form1::FullMap_Click() {
    SessionState& s = m_session;
    if (!s.MatchFound) {
        ShowSuggestion(QStringLiteral("fullmapannuler"), 0, QStringLiteral("0"),
                       QStringLiteral("0"));
        return;
    }
    s.SavedMagnitude = txt_mag->text();
    txt_mag->setText(txt_mag2->text());
    DownloadData_Click();
    txt_mag->setText(s.SavedMagnitude);
    READFILE();
    READFILE_ASTER();
    READFILE_NGCIC();
    LogMessage(FormMessage(10));
    s.MapState = QStringLiteral("loading");
    map();
    LogMessage(FormMessage(11) + QStringLiteral("OK"));
}

void Form1::aster_lbl_Click(int index) {
    const MinorPlanetTable& t = m_session.MinorPlanets;
    if (index >= 1 && index <= t.count && index < static_cast<int>(t.ra.size()))
        showMinorPlanetInfo({InfoMore, Frm6}, m_session, index);
}

void Form1::deepobj_lbl_Click(int index) {
    const DeepSkyTable& t = m_session.DeepSky;
    if (index < 1 || index > t.count || index >= static_cast<int>(t.ra.size())) return;
    details::DeepSkyInfoText({InfoMore, Frm6}, t.name[index], t.ra[index] / m_session.Plate.corrAsd,
                             t.dec[index] / m_session.Plate.corrDec, t.magnitude[index],
                             t.size1[index], t.size2[index], t.description[index], t.pgcName[index],
                             t.otherName1[index], t.otherName2[index]);
}

// ---- cursor readout ---------------------------------------------------------

void Form1::Picture1_MouseMove(float x, float y) {
    SessionState& s = m_session;
    s.CursorX = PixelInt16(x);
    s.CursorY = PixelInt16(y);
    if (s.WorkflowMode == QLatin1String("etalo") || s.WorkflowMode == QLatin1String("select")) {
        dozoom();
        return;
    }
    if (s.MapState != QLatin1String("done") && s.WorkflowMode != QLatin1String("superetalo")) {
        zoom->hide();
        return;
    }
    const int i = ReadoutStarAt(m_markers.star, s.Stars.rowsRead, x, y);
    if (i == 0) return;
    info->setText(StarReadoutText(s.Stars, i, s.Plate.corrAsd, s.Plate.corrDec));
    if (s.ClickMarkAllowed == 1) {
        const CalibrationBoxes b =
            CalibrationBoxesFor(m_markers.star, i, s.Stars, s.Plate.corrAsd, s.Plate.corrDec);
        for (int k = 0; k < 8; ++k)
            Etalo(k)->setText(b.text[k]);
        s.CursorX = b.cursorX;
        s.CursorY = b.cursorY;
    }
}
