// The image view of the main window: loading and reloading, the magnifier,
// picking with the mouse, the readout and the double-click.
#include "catalogues/usnoa2.h"
#include "field/catalogueviews.h"
#include "field/overlay.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/magnifier.h"
#include "window.h"

#include <QJsonDocument>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

using namespace testing_support;

namespace {

// A main window on a fresh program folder holding the sample image.
struct Window {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    std::unique_ptr<Form1> form;
    Window() {
        folder.write(QStringLiteral("image.png"), readSample(QStringLiteral("image.png")));
        form = std::make_unique<Form1>();
        // The sample field's centre: the overlay needs a readable centre.
        const char* centre[6] = {"22", "47", "12.2", "58", "3", "14"};
        for (int i = 0; i < 3; ++i) {
            edit(*form, QStringLiteral("txt_ra(%1)").arg(i))->setText(centre[i]);
            edit(*form, QStringLiteral("txt_dec(%1)").arg(i))->setText(centre[3 + i]);
        }
        boxes.shown.clear();
    }
    SessionState& s() { return form->session(); }
    void load() {
        edit(*form, "txt_url")->setText(QStringLiteral("image.png"));
        form->Loadimg_Click();
    }
};

void loadCatalogue(SessionState& s) {
    const QByteArray answer = readSample(QStringLiteral("data"));
    s.Catalogue.stars = ReadUsnoA2Rows(answer);
    ReadUsnoA2Answer(answer, kSampleCorrAsd, kSampleCorrDec, s.Stars);
}

} // namespace

TEST(ImageViewGui, LoadFailureAndAutomaticReload) {
    Window w;
    Form1& f = *w.form;
    w.load();
    EXPECT_TRUE(w.s().ImageLoaded);
    EXPECT_EQ(control<ImageCanvas>(f, "Picture1")->size(), QSize(1024, 1024));
    EXPECT_EQ(control<ImageCanvas>(f, "Picture1")->pos(), QPoint(0, 0));
    EXPECT_FALSE(w.s().ImageFileStamp.isEmpty());
    EXPECT_TRUE(w.boxes.shown.empty());

    // The file changes: the reload brings the image back to the top-left corner.
    control<ImageCanvas>(f, "Picture1")->move(-40, -70);
    touch(w.folder.file(QStringLiteral("image.png")), 30);
    SetCheckValue(check(f, "CheckAutoload"), 1);
    EXPECT_TRUE(control<QTimer>(f, "Timer3")->isActive());
    const QString oldStamp = w.s().ImageFileStamp;
    f.Timer3_Timer();
    EXPECT_EQ(control<ImageCanvas>(f, "Picture1")->pos(), QPoint(0, 0));
    EXPECT_NE(w.s().ImageFileStamp, oldStamp);
    control<ImageCanvas>(f, "Picture1")->move(-40, -70);
    f.Timer3_Timer(); // unchanged file: nothing happens
    EXPECT_EQ(control<ImageCanvas>(f, "Picture1")->pos(), QPoint(-40, -70));
    SetCheckValue(check(f, "CheckAutoload"), 2); // grey changes nothing
    EXPECT_TRUE(control<QTimer>(f, "Timer3")->isActive());
    SetCheckValue(check(f, "CheckAutoload"), 0);
    EXPECT_FALSE(control<QTimer>(f, "Timer3")->isActive());
    SetCheckValue(check(f, "CheckAutoload"), 2);
    EXPECT_FALSE(control<QTimer>(f, "Timer3")->isActive());

    // A missing file: the typed text and the reader's reason, the old image stays.
    edit(f, "txt_url")->setText(QStringLiteral("nothere.jpg"));
    f.Loadimg_Click();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_TRUE(w.boxes.shown[0].text.startsWith(QStringLiteral("nothere.jpg: ")))
        << w.boxes.shown[0].text.toStdString();
    EXPECT_GT(w.boxes.shown[0].text.size(), 13);
    EXPECT_FALSE(w.s().ImageLoaded);
    EXPECT_EQ(control<ImageCanvas>(f, "Picture1")->size(), QSize(1024, 1024));
    f.Timer3_Timer(); // a missing file makes the reload tick silent
    EXPECT_EQ(w.boxes.shown.size(), 1u);

    // An absolute path.
    edit(f, "txt_url")->setText(sampleFile(QStringLiteral("image.png")));
    f.Loadimg_Click();
    EXPECT_TRUE(w.s().ImageLoaded);

    // A large camera image loads.
    QImage big(4200, 3100, QImage::Format_RGB32);
    big.fill(QColor(10, 20, 30));
    ASSERT_TRUE(big.save(w.folder.file(QStringLiteral("big.bmp"))));
    edit(f, "txt_url")->setText(QStringLiteral("big.bmp"));
    f.Loadimg_Click();
    EXPECT_TRUE(w.s().ImageLoaded);
    EXPECT_EQ(control<ImageCanvas>(f, "Picture1")->size(), QSize(4200, 3100));
    EXPECT_EQ(control<ImageCanvas>(f, "Picture1")->pixelValue(4199, 3099),
              10 + 256 * 20 + 65536 * 30);
}

TEST(ImageViewGui, MagnifierFollowsTheCursor) {
    Window w;
    Form1& f = *w.form;
    w.load();
    const QImage& img = control<ImageCanvas>(f, "Picture1")->image();
    w.s().CursorX = 300;
    w.s().CursorY = 262;
    f.dozoom();
    EXPECT_EQ(control<Magnifier>(f, "zoom")->pos(), QPoint(250, 212));
    const QImage& v = control<Magnifier>(f, "zoom")->view();
    EXPECT_EQ(v.pixel(51, 51), img.pixel(300, 262));
    EXPECT_EQ(v.pixel(53, 51), img.pixel(301, 262)); // the next dot covers the overlap
    EXPECT_EQ(v.pixel(58, 66), img.pixel(302, 266));
    EXPECT_EQ(v.pixel(58, 68), img.pixel(302, 267)); // the later dot covers the overlap
    EXPECT_EQ(v.pixel(30, 46), qRgb(255, 255, 0));   // cross-hair
    EXPECT_EQ(v.pixel(50, 20), qRgb(255, 255, 0));

    // Near the corner the dots beyond the image have their own colour.
    w.s().CursorX = 2;
    w.s().CursorY = 2;
    f.dozoom();
    EXPECT_EQ(control<Magnifier>(f, "zoom")->view().pixel(10, 10), Magnifier::kOutsideColour);
    EXPECT_EQ(control<Magnifier>(f, "zoom")->view().pixel(51, 51), img.pixel(2, 2));

    // Moves over the magnifier map back to image pixels (halves to even).
    w.s().CursorX = 300;
    w.s().CursorY = 262;
    f.dozoom();
    f.zoom_MouseMove(60.5f, 47.5f);
    EXPECT_EQ(w.s().CursorX, 310);
    EXPECT_EQ(w.s().CursorY, 260);
    EXPECT_EQ(control<Magnifier>(f, "zoom")->pos(), QPoint(260, 210));
}

TEST(ImageViewGui, PickingFiveStarsWithTheMouse) {
    Window w;
    Form1& f = *w.form;
    edit(f, "txt_url")->setText(QStringLiteral("nothere.jpg"));
    f.SelectStar_Click(); // no image: refused
    EXPECT_EQ(w.s().WorkflowMode, WorkflowMode::None);
    EXPECT_EQ(w.boxes.shown.size(), 1u);

    edit(f, "txt_url")->setText(QStringLiteral("image.png"));
    SetCheckValue(check(f, "CheckSelectStars"), 1);
    f.show();
    f.SelectStar_Click();
    EXPECT_EQ(w.s().WorkflowMode, WorkflowMode::Select);
    EXPECT_TRUE(control<Magnifier>(f, "zoom")->isVisible());

    const QJsonArray picks = QJsonDocument::fromJson(readSample(QStringLiteral("picks.json")))
                                 .object()[QStringLiteral("picks")]
                                 .toArray();
    for (qsizetype k = 0; k < picks.size(); ++k) {
        const QJsonObject p = picks[k].toObject();
        const QPoint at(p[QStringLiteral("click_x")].toInt() + 2,
                        p[QStringLiteral("click_y")].toInt() - 2);
        // Pan the star into the viewport (at a new screen place each time, or
        // the pointer would not move), keep the magnifier out of the way of
        // the move, then point and click.
        const int view = 150 + 20 * static_cast<int>(k);
        control<ImageCanvas>(f, "Picture1")->move(view - at.x(), view - at.y());
        control<Magnifier>(f, "zoom")->hide();
        QTest::mouseMove(control<ImageCanvas>(f, "Picture1"), at);
        EXPECT_EQ(w.s().CursorX, at.x());
        EXPECT_EQ(w.s().CursorY, at.y());
        EXPECT_EQ(control<Magnifier>(f, "zoom")->pos(), at - QPoint(50, 50));
        QTest::mouseClick(control<ImageCanvas>(f, "Picture1"), Qt::LeftButton, {}, at);
        const int n = static_cast<int>(k) + 1;
        EXPECT_EQ(w.s().PickCount, n);
        EXPECT_NEAR(w.s().ImageStarX[n], p[QStringLiteral("measured_centroid_x")].toDouble(), 1.5);
        EXPECT_NEAR(w.s().ImageStarY[n], p[QStringLiteral("measured_centroid_y")].toDouble(), 1.5);
        EXPECT_EQ(edit(f, "Etalo(0)")->text(), QString::number(w.s().CursorX));
        EXPECT_TRUE(f.markers().clicpic.visible[n]);
        EXPECT_FLOAT_EQ(f.markers().clicpic.left[n], static_cast<float>(w.s().ImageStarX[n] - 8));
    }
    EXPECT_EQ(w.s().WorkflowMode, WorkflowMode::SelectionFinished);
    EXPECT_TRUE(w.s().SelectionDone);
    EXPECT_FALSE(control<Magnifier>(f, "zoom")->isVisible());

    // A new selection starts over; a pick during an unfinished calibration
    // step 3 ends in "done".
    f.SelectStar_Click();
    EXPECT_EQ(w.s().PickCount, 0);
    EXPECT_FALSE(f.markers().clicpic.visible[1]);
    SetCheckValue(check(f, "CheckSelectStars"), 0);
    w.s().RefStarCount = 3;
    w.s().CursorX = 100;
    w.s().CursorY = 120;
    f.Picture1_Click();
    EXPECT_EQ(w.s().WorkflowMode, WorkflowMode::ReferencesPicked);
    EXPECT_EQ(w.s().ImageStarX[1], 100); // unchecked box: the click position
}

TEST(ImageViewGui, ReadoutDoubleClickAndFailedMaps) {
    Window w;
    Form1& f = *w.form;
    w.load();
    w.s().Plate = sampleAffinePlate();
    loadCatalogue(w.s());
    f.show();

    // Before the overlay: the readout stays empty and the double-click does nothing.
    const QString before = control<QLabel>(f, "info")->text();
    QTest::mouseMove(control<ImageCanvas>(f, "Picture1"), QPoint(300, 262));
    EXPECT_EQ(control<QLabel>(f, "info")->text(), before);
    f.Picture1_DblClick();
    EXPECT_FALSE(control<QFrame>(f, "Frm6")->isVisible());

    f.map();
    const MarkerPool& star = f.markers().star;
    const QPoint on(static_cast<int>(std::lround(star.left[19] + 1)),
                    static_cast<int>(std::lround(star.top[19])));
    QTest::mouseMove(control<ImageCanvas>(f, "Picture1"), on);
    EXPECT_EQ(control<QLabel>(f, "info")->text(),
              StarReadoutText(w.s().Stars, 19, kSampleCorrAsd, kSampleCorrDec));
    EXPECT_TRUE(
        control<QLabel>(f, "info")->text().startsWith(QStringLiteral("U1425_34206079   MagR-B=")));
    f.Picture1_DblClick();
    EXPECT_TRUE(control<QFrame>(f, "Frm6")->isVisible());
    // The details show the answer's own position (342.06079, +58.20903), not
    // its scaled and rounded copy (342.06080, 58.20910 at these scales).
    const QString details = control<QTextEdit>(f, "InfoMore")->toPlainText();
    EXPECT_TRUE(details.contains(QStringLiteral("U1425_34206079")));
    EXPECT_TRUE(details.contains(QStringLiteral("342.06079  (")));
    EXPECT_TRUE(details.contains(QStringLiteral("58.20903  (")));
    f.Frm6close_Click();
    EXPECT_FALSE(control<QFrame>(f, "Frm6")->isVisible());

    // A minor planet at the same place wins the double-click.
    CatalogueRow planet = w.s().Catalogue.stars[18];
    planet.kind = SkyObjectKind::MinorPlanet;
    planet.id = QStringLiteral("K07A00B");
    planet.name = QStringLiteral("(4179) Toutatis");
    w.s().Catalogue.minorPlanets = {planet};
    ScaleMinorPlanetTable(w.s().Catalogue.minorPlanets, kSampleCorrAsd, kSampleCorrDec,
                          w.s().MinorPlanets);
    w.s().MatchFound = true;
    SetCheckValue(check(f, "CheckAster"), 1);
    f.map();
    EXPECT_TRUE(f.markers().aster.visible[1]);
    EXPECT_EQ(f.markers().aster_lbl.caption[1], QStringLiteral("(4179) Toutatis"));
    f.Picture1_DblClick();
    EXPECT_TRUE(
        control<QTextEdit>(f, "InfoMore")->toPlainText().contains(QStringLiteral("Toutatis")));
    EXPECT_FALSE(control<QTextEdit>(f, "InfoMore")
                     ->toPlainText()
                     .contains(QStringLiteral("U1425_34206079")));

    // In "select" mode the readout is left alone and the magnifier moves.
    w.s().WorkflowMode = WorkflowMode::Select;
    control<QLabel>(f, "info")->setText(QStringLiteral("x"));
    f.Picture1_MouseMove(on.x(), on.y());
    EXPECT_EQ(control<QLabel>(f, "info")->text(), QStringLiteral("x"));
    EXPECT_EQ(control<Magnifier>(f, "zoom")->pos(), on - QPoint(50, 50));

    // Super-calibration: hovering a star fills the eight boxes and moves the
    // cursor to the marker centre, even with no overlay done.
    w.s().WorkflowMode = WorkflowMode::SuperCalibration;
    w.s().MapState = MapState::None;
    w.s().ClickMarkAllowed = 1;
    f.Picture1_MouseMove(on.x() + 0.5f, on.y() + 0.5f);
    const CalibrationBoxes b =
        CalibrationBoxesFor(star, 19, w.s().Stars, kSampleCorrAsd, kSampleCorrDec);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(edit(f, QStringLiteral("Etalo(%1)").arg(k))->text(), b.text[k]) << k;
    EXPECT_EQ(w.s().CursorX, b.cursorX);
    EXPECT_EQ(edit(f, "Etalo(2)")->text(), QStringLiteral("22"));

    // A minor-planet row whose coordinates are not numbers ends the map in
    // "err"; the next map without that row is done again.
    MinorPlanetTable& mp = w.s().MinorPlanets;
    mp.ra[1] = QStringLiteral("22 47 12");
    f.map();
    EXPECT_EQ(w.s().MapState, MapState::Failed);
    EXPECT_TRUE(w.s().MapFailed);
    mp.count = 0;
    f.map();
    EXPECT_EQ(w.s().MapState, MapState::Done);
    EXPECT_FALSE(w.s().MapFailed);
}
