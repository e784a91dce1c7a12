// Main window: the image view (loading, reload, magnifier, panning strips),
// files opened from the command line or dropped on the window, star picking
// (by hand or automatic), the sky overlay and the cursor readout.
#include "field/fitshints.h"
#include "field/overlay.h"
#include "field/picking.h"
#include "field/solve.h"
#include "imaging/imagefile.h"
#include "mainwindow/blindsolvecommand.h"
#include "mainwindow/commandline.h"
#include "mainwindow/fitshintfields.h"
#include "mainwindow/form1.h"
#include "mainwindow/mainmenu.h"
#include "mainwindow/minorplanetcommands.h"
#include "mainwindow/objectinfo.h"
#include "mainwindow/panels.h"
#include "mainwindow/solvecommands.h"
#include "platform/widgets/messagebox.h"
#include "reduction/rightascension.h"
#include "settings/options.h"
#include "text/language.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QTimer>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues::web;
using namespace text;

void Form1::Loadimg_Click() {
    const QString path = ImagePath(m_field->imagePath());
    auto read = ReadImageFile(path);
    if (!read) {
        m_session.ImageLoaded = false;
        return messagebox::Ok(this,
                              m_field->imagePath() + QStringLiteral(": ") + read.error().message);
    }
    showLoadedImage(std::move(read).value(), path);
}

void Form1::showLoadedImage(LoadedImage loaded, const QString& path) {
    const bool fits = loaded.isFits();
    const FitsHints hints =
        fits ? HeaderHints(loaded.header, loaded.values.width, loaded.values.height) : FitsHints();
    const QSize before = m_view->canvas().image().size();
    const QSize size = loaded.image.size();
    // The same file read again (by Load, by the commands that read it before
    // they work, or by the automatic reload once it was saved anew) keeps the
    // picks and the plate while its size stays; another image drops them and
    // every mark, since they describe another field.
    if (m_view->showImage(std::move(loaded.image), std::move(loaded.values), loaded.stretch,
                          path) ||
        size != before)
        dropImageWork();
    m_session.ImageLoaded = true;
    m_session.ImageFileStamp = ImageFileStamp(path);
    m_session.ImageRowsBottomUp = loaded.rowsBottomUp;
    if (m_hint->showing(QStringLiteral("selectstar"), 2)) // "no image loaded" no longer holds
        m_hint->showMade([this] {
            return tr("Image loaded: press %1 or %2 to pick five stars.")
                .arg(commandCaption("SelectStar"), commandCaption("AutoPicks"));
        });
    if (fits) {
        LogMessage(loaded.description);
        m_fitsHints->apply(hints, path + QLatin1Char('|') + m_session.ImageFileStamp);
    }
}

bool Form1::OpenFile(const QString& path) {
    if (commandline::IsReductionFile(path)) return OpenReduction(path);
    m_field->setImagePath(path);
    Loadimg_Click();
    return m_session.ImageLoaded;
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (!commandline::DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QString path = commandline::DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop is over: a message about the file must not block
    // the drag source.
    QTimer::singleShot(0, this,
                       [this, file = QFileInfo(path).absoluteFilePath()] { OpenFile(file); });
}

void Form1::dropImageWork() {
    const bool hadWork = m_session.MatchFound || m_session.PickCount > 0;
    ForgetImageWork(m_session);
    m_markers.clearAll();
    m_solveCommands->forgetPlate();
    m_view->magnifier().hide();
    m_view->hideInfo();
    if (hadWork) ShowSuggestion(QStringLiteral("calculannuler"), 0);
}

void Form1::CheckAutoload_Click() {
    // The grey state leaves the reload as it is.
    if (m_field->autoload() != 2) m_view->setAutoReload(m_field->autoload() == 1);
}

void Form1::Timer3_Timer() {
    // A failed reload shows a message box whose event loop keeps this timer
    // running; the guard stops a second tick from stacking another box.
    if (m_reloading) return;
    const QString stamp = ImageFileStamp(ImagePath(m_field->imagePath()));
    if (stamp.isEmpty() || stamp == m_session.ImageFileStamp) return;
    // This version of the file is tried once: one that cannot be read is told
    // once, not at every tick.
    m_session.ImageFileStamp = stamp;
    m_reloading = true;
    Loadimg_Click();
    m_reloading = false;
}

void Form1::dozoom() {
    m_view->magnifier().showAround(m_session.CursorX, m_session.CursorY);
}

void Form1::zoom_MouseMove(float x, float y) {
    m_session.CursorX = PixelInt16(m_view->magnifier().x() + static_cast<double>(x));
    m_session.CursorY = PixelInt16(m_view->magnifier().y() + static_cast<double>(y));
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
    m_view->hideInfo();
}

void Form1::SelectStar_Click() {
    Loadimg_Click();
    ShowSuggestion(QStringLiteral("selectstar"), 1);
    if (!m_session.ImageLoaded) return ShowSuggestion(QStringLiteral("selectstar"), 2);
    m_session.WorkflowMode = WorkflowMode::Select;
    m_session.PickCount = 0;
    m_markers.clicpic.hideAll();
    m_view->magnifier().show();
    repaintImage();
}

void Form1::Picture1_Click() {
    SessionState& s = m_session;
    if (PicksStars(s.WorkflowMode)) {
        doselect();
    } else if (s.WorkflowMode == WorkflowMode::Coordinates) {
        m_minorPlanetCommands->noteClick(s.CursorX, s.CursorY);
        const SkyPoint sky = s.plateInUse().pixelToSky(s.CursorX, s.CursorY);
        text::details::PointInfoText(m_view->infoPanel(), NormaliseRa(sky.ra), sky.dec,
                                     m_field->epoch());
    } else if (s.ClickMarkAllowed == 1) {
        s.ClickMarkAllowed = 0;
        StorePickMark(s, m_markers.clicpic, s.CursorX, s.CursorY);
        repaintImage();
    }
}

void Form1::Picture1_DblClick() {
    const SessionState& s = m_session;
    if (s.MapState != MapState::Done && s.WorkflowMode != WorkflowMode::Coordinates) return;
    ShowObjectInfoAt(m_view->infoPanel(), s, m_markers, s.CursorX, s.CursorY, m_field->epoch());
}

void Form1::doselect() {
    SessionState& s = m_session;
    const ImageCanvas& canvas = m_view->canvas();
    std::function<double(int, int)> pixel;
    if (m_decider->starCentring())
        pixel = [&canvas](int x, int y) { return canvas.pickValue(x, y); };
    const int k = SelectAtCursor(s, m_markers.clicpic, pixel);
    if (k < 0)
        return LogMessage(tr("This star is already pick %1: the click is not recorded; pick "
                             "another star.")
                              .arg(-k));
    if (k == 0) return; // no mark left for this pick: it is not recorded
    m_calibration->setPixel(s.CursorX, s.CursorY);
    repaintImage();
    if (k != MarkerStore::kPicks) return;
    m_view->magnifier().hide();
    calculateIfAuto();
}

void Form1::AutoPicks_Click() {
    Loadimg_Click();
    if (!m_session.ImageLoaded) return ShowSuggestion(QStringLiteral("selectstar"), 2);
    if (m_solveCommands->autoPicks()) calculateIfAuto();
}

void Form1::BlindSolve_Click() {
    Loadimg_Click();
    const QAction* known = m_menu->command(QStringLiteral("mnu_blindscales"));
    if (m_blindSolve->run(known && known->isChecked())) repaintImage();
}

void Form1::mnu_blindsolve_Click() {
    BlindSolve_Click();
}

void Form1::mnu_blindscales_Click() {
    const QAction* known = m_menu->command(QStringLiteral("mnu_blindscales"));
    options::SetValue(QStringLiteral("blind/scalesKnown"), known->isChecked());
}

void Form1::calculateIfAuto() {
    m_hint->showMade(
        [this] { return tr("Five stars picked: press %1.").arg(commandCaption("startCalcul")); });
    if (m_session.AutoCalculate != 1) return;
    startCalcul_Click();
    m_session.AutoCalculate = 0;
}

void Form1::map() {
    ImageCanvas& canvas = m_view->canvas();
    const MapChoices choices{m_minorPlanets->wanted(), m_deepSky->inCalcul(),
                             m_deepSky->inFullMap()};
    MapField(
        m_session, m_markers, choices, [this] { return PlaceCentre(); },
        [&canvas](const QString& caption) { return canvas.captionWidth(caption); });
    repaintImage();
}

void Form1::mapcroix(int s1, int s2, int s3, int s4, int s5) {
    DrawStarCrosses(m_markers, {s1, s2, s3, s4, s5});
    repaintImage();
}

void Form1::FullMap_Click() {
    SessionState& s = m_session;
    if (!s.MatchFound) return ShowSuggestion(QStringLiteral("fullmapannuler"), 0);
    s.SavedMagnitude = m_field->magnitude();
    m_field->setMagnitude(m_field->fullMapMagnitude());
    DownloadData_Click();
    m_field->setMagnitude(s.SavedMagnitude);
    READFILE();
    if (m_minorPlanetsQueried)
        READFILE_ASTER();
    else
        s.forgetMinorPlanets(); // not wanted this time: none drawn, no answer read
    READFILE_NGCIC();
    LogMessage(FormMessage(10));
    s.MapState = MapState::Loading;
    map();
    LogMessage(FormMessage(11) + QStringLiteral("OK"));
}

void Form1::aster_lbl_Click(int index) {
    ShowMinorPlanetInfo(m_view->infoPanel(), m_session, index);
}

void Form1::deepobj_lbl_Click(int index) {
    ShowDeepSkyInfo(m_view->infoPanel(), m_session, index);
}

void Form1::Picture1_MouseMove(float x, float y) {
    SessionState& s = m_session;
    s.CursorX = PixelInt16(x);
    s.CursorY = PixelInt16(y);
    if (PicksStars(s.WorkflowMode)) return dozoom();
    if (s.MapState != MapState::Done && s.WorkflowMode != WorkflowMode::SuperCalibration)
        return m_view->magnifier().hide();
    const int i = ReadoutStarAt(m_markers.star, s.Stars.rowsRead, x, y);
    if (i == 0) return;
    m_messages->setReadout(StarReadoutText(s.Stars, i, s.Plate.corrAsd, s.Plate.corrDec));
    if (s.ClickMarkAllowed != 1) return;
    const CalibrationBoxes b =
        CalibrationBoxesFor(m_markers.star, i, s.Stars, s.Plate.corrAsd, s.Plate.corrDec);
    m_calibration->setBoxes(b.text);
    s.CursorX = b.cursorX;
    s.CursorY = b.cursorY;
}
