#include "catalogues/usnoa2.h"
#include "field/overlay.h"
#include "mainwindow/form1.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/magnifier.h"
#include "testing.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

using testing_support::check;
using testing_support::control;
using testing_support::edit;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;

// A main window on a fresh program folder holding the sample image.
struct Window {
    testing_support::ProgramFolderFixture folder;
    testing_support::MessageRecorder boxes;
    std::unique_ptr<Form1> form;
    Window() {
        folder.write(QStringLiteral("image.png"),
                     testing_support::readSample(QStringLiteral("image.png")));
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

struct TrueStar {
    double ra, dec, x, y;
    bool onImage, visible;
};

std::vector<TrueStar> trueStars() {
    std::vector<TrueStar> out;
    const QList<QByteArray> lines =
        testing_support::readSample(QStringLiteral("stars.tsv")).split('\n');
    for (qsizetype k = 1; k < lines.size(); ++k) {
        const QList<QByteArray> f = lines[k].split('\t');
        if (f.size() < 11) continue;
        out.push_back({f[2].toDouble(), f[3].toDouble(), f[5].toDouble(), f[6].toDouble(),
                       f[9] == "1", f[10] == "1"});
    }
    return out;
}

// Least-squares affine model pixel -> scaled coordinates over the stars on the image.
PlateSolution fittedPlate() {
    const auto stars = trueStars();
    PlateSolution p;
    p.corrAsd = kCorrAsd;
    p.corrDec = kCorrDec;
    for (int axis = 0; axis < 2; ++axis) {
        double n[3][4] = {};
        for (const TrueStar& t : stars) {
            if (!t.onImage) continue;
            const double row[3] = {t.x, t.y, 1};
            const double target = axis == 0 ? t.ra * kCorrAsd : t.dec * kCorrDec;
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j)
                    n[i][j] += row[i] * row[j];
                n[i][3] += row[i] * target;
            }
        }
        for (int c = 0; c < 3; ++c) // Gauss-Jordan on the normal equations
            for (int r = 0; r < 3; ++r)
                if (r != c) {
                    const double f = n[r][c] / n[c][c];
                    for (int k = 0; k < 4; ++k)
                        n[r][k] -= f * n[c][k];
                }
        for (int i = 0; i < 3; ++i)
            p.a[3 * axis + i] = n[i][3] / n[i][i];
    }
    return p;
}

// Brightness of a pixel (sum of the three channels), -1 outside.
int brightness(const QImage& img, int x, int y) {
    if (!img.rect().contains(x, y)) return -1;
    const QRgb c = img.pixel(x, y);
    return qRed(c) + qGreen(c) + qBlue(c);
}

// True when a local brightness peak lies within 3 pixels of (x, y): the
// brightest 3 x 3 box centred within 3 pixels is also the brightest within 8.
bool nearPeak(const QImage& img, double x, double y) {
    const auto box = [&](int cx, int cy) {
        int s = 0;
        for (int i = -1; i <= 1; ++i)
            for (int j = -1; j <= 1; ++j)
                s += brightness(img, cx + i, cy + j);
        return s;
    };
    const int x0 = static_cast<int>(std::lround(x)), y0 = static_cast<int>(std::lround(y));
    int nearBest = -1000, farBest = -1000;
    for (int i = -8; i <= 8; ++i)
        for (int j = -8; j <= 8; ++j) {
            const int b = box(x0 + i, y0 + j);
            farBest = std::max(farBest, b);
            if (i * i + j * j <= 9) nearBest = std::max(nearBest, b);
        }
    return nearBest == farBest && nearBest > 0;
}

void loadCatalogue(SessionState& s) {
    ReadUsnoA2Answer(testing_support::readSample(QStringLiteral("data")), kCorrAsd, kCorrDec,
                     s.Stars);
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
    QFile file(w.folder.file(QStringLiteral("image.png")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(30),
                                 QFileDevice::FileModificationTime));
    file.close();
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

    // Not a picture; then an absolute path.
    w.folder.write(QStringLiteral("bad.png"), "not a picture");
    edit(f, "txt_url")->setText(QStringLiteral("bad.png"));
    f.Loadimg_Click();
    EXPECT_EQ(w.boxes.shown.size(), 2u);
    EXPECT_FALSE(w.s().ImageLoaded);
    edit(f, "txt_url")->setText(testing_support::sampleFile(QStringLiteral("image.png")));
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

    f.PicMove_MouseDown(3);
    EXPECT_EQ(w.s().PanDirection, 3);
    f.PicMove_MouseUp(3);
    EXPECT_EQ(w.s().PanDirection, 0);
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

    const QJsonArray picks =
        QJsonDocument::fromJson(testing_support::readSample(QStringLiteral("picks.json")))
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

    // A sixth pick (the magnifier still takes clicks) has no mark: refused.
    const auto xs = w.s().ImageStarX;
    f.zoom_Click();
    EXPECT_EQ(w.s().PickCount, 5);
    EXPECT_EQ(w.s().ImageStarX, xs);
    // The same for a calibration click mark with all marks in use.
    w.s().ClickMarkAllowed = 1;
    f.Picture1_Click();
    EXPECT_EQ(w.s().ClickMarkAllowed, 0);
    EXPECT_EQ(w.s().PickCount, 5);

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

TEST(ImageViewGui, OverlayOfTheTruePlateLandsOnTheStars) {
    Window w;
    Form1& f = *w.form;
    w.load();
    w.s().Plate = fittedPlate();
    loadCatalogue(w.s());
    ASSERT_EQ(w.s().Stars.rowsRead, 48);
    f.map();
    EXPECT_EQ(w.s().MapState, MapState::Done);
    EXPECT_FALSE(w.s().MapFailed);

    const QImage& img = control<ImageCanvas>(f, "Picture1")->image();
    const auto stars = trueStars();
    ASSERT_EQ(stars.size(), 48u);
    int visible = 0, onPeak = 0;
    const MarkerPool& star = f.markers().star;
    for (int i = 1; i <= 48; ++i) {
        EXPECT_TRUE(star.visible[i]);
        if (!stars[i - 1].visible) continue;
        const double cx = star.left[i] + 4, cy = star.top[i] + 4;
        if (!img.rect().contains(static_cast<int>(cx), static_cast<int>(cy))) continue;
        ++visible;
        if (nearPeak(img, cx, cy)) ++onPeak;
    }
    EXPECT_GE(visible, 20);
    EXPECT_GE(onPeak * 10, visible * 8) << onPeak << " of " << visible;
}

TEST(ImageViewGui, ReadoutDoubleClickAndFailedMaps) {
    Window w;
    Form1& f = *w.form;
    w.load();
    w.s().Plate = fittedPlate();
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
              StarReadoutText(w.s().Stars, 19, kCorrAsd, kCorrDec));
    EXPECT_TRUE(
        control<QLabel>(f, "info")->text().startsWith(QStringLiteral("U1425_34206079   MagR-B=")));
    f.Picture1_DblClick();
    EXPECT_TRUE(control<QFrame>(f, "Frm6")->isVisible());
    EXPECT_TRUE(control<QTextEdit>(f, "InfoMore")
                    ->toPlainText()
                    .contains(QStringLiteral("U1425_34206079")));
    f.Frm6close_Click();
    EXPECT_FALSE(control<QFrame>(f, "Frm6")->isVisible());

    // A minor planet at the same place wins the double-click.
    MinorPlanetTable& mp = w.s().MinorPlanets;
    mp.count = 1;
    mp.designation[1] = QStringLiteral("K07A00B");
    mp.name[1] = QStringLiteral("(4179) Toutatis");
    mp.ra[1] = QString::number(w.s().Stars.ra[19], 'f', 1);
    mp.dec[1] = QString::number(w.s().Stars.dec[19], 'f', 1);
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
    const CalibrationBoxes b = CalibrationBoxesFor(star, 19, w.s().Stars, kCorrAsd, kCorrDec);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(edit(f, QStringLiteral("Etalo(%1)").arg(k))->text(), b.text[k]) << k;
    EXPECT_EQ(w.s().CursorX, b.cursorX);
    EXPECT_EQ(edit(f, "Etalo(2)")->text(), QStringLiteral("22"));

    // A minor-planet row whose coordinates are not numbers ends the map in
    // "err"; so does a deep-sky object with no second size.
    mp.ra[1] = QStringLiteral("22 47 12");
    f.map();
    EXPECT_EQ(w.s().MapState, MapState::Failed);
    EXPECT_TRUE(w.s().MapFailed);
    mp.count = 0;
    DeepSkyTable& ds = w.s().DeepSky;
    ds.count = 1;
    ds.ra[1] = w.s().Stars.ra[3];
    ds.dec[1] = w.s().Stars.dec[3];
    ds.size1[1] = 3;
    ds.size2[1] = 0;
    SetCheckValue(check(f, "CheckDeepObj2"), 1);
    f.map();
    EXPECT_EQ(w.s().MapState, MapState::Failed);
    ds.size2[1] = 2;
    ds.name[1] = QStringLiteral("NGC 7380");
    f.map();
    EXPECT_EQ(w.s().MapState, MapState::Done);
    EXPECT_FALSE(w.s().MapFailed);
    EXPECT_TRUE(f.markers().deepobj_lbl.visible[1]);
    f.deepobj_lbl_Click(1);
    EXPECT_TRUE(
        control<QTextEdit>(f, "InfoMore")->toPlainText().contains(QStringLiteral("NGC 7380")));

    // Crosses from the matching, then a full map without a match.
    f.mapcroix(1, 2, 3, 4, 5);
    EXPECT_EQ(f.markers().drawColour, QColor(128, 128, 255));
    w.s().MatchFound = false;
    f.FullMap_Click();
    EXPECT_EQ(w.s().MapState, MapState::Done);
}
