// The one-click solve through the real window: a new user loads the sample,
// downloads (from the cache), presses "Auto", "3-Calcul", answers Yes once,
// reads the residual table and exports a WCS header that another WCS
// implementation reads to the same positions.
#include "catalogues/webswitches.h"
#include "mainwindow/imagecanvas.h"
#include "platform/widgets/filedialog.h"
#include "text/language.h"
#include "wcsread.h"
#include "window.h"

#include <QRegularExpression>
#include <QTableWidget>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

using namespace testing_support;

TEST(SolveGui, AutomaticPicksRankedCandidateRefinedPlateAndWcsExport) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    Restore keepWeb(Web());
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    form.show();
    Web().StarSiteEnabled = true;
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    form.DownloadData_Click();

    // The two options of the Decider tab; they are kept in the options file.
    control<QCheckBox>(form, "CheckRankEvidence")->setChecked(true);
    control<QCheckBox>(form, "CheckRefinePlate")->setChecked(true);
    EXPECT_TRUE(folder.read("astroplate.ini").contains("rankByEvidence=true"));

    QTest::mouseClick(control<QPushButton>(form, "AutoPicks"), Qt::LeftButton);
    const SessionState& s = form.session();
    ASSERT_TRUE(s.SelectionDone);
    ASSERT_EQ(s.PickCount, 5);
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(form.markers().clicpic.visible[k]);

    // The first candidate offered is the true identification: its model
    // puts every pick within a few arcseconds of its true sky position.
    int questions = 0;
    boxes.answer = [&](const messagebox::Shown& shown) {
        ++questions;
        EXPECT_TRUE(shown.text.contains(QStringLiteral("Evidence: "))) << shown.text.toStdString();
        // Auto identified the field: the question gives its odds against chance.
        EXPECT_TRUE(shown.text.contains(QStringLiteral("log-odds"))) << shown.text.toStdString();
        for (int k = 1; k <= 5; ++k) {
            const SkyPoint sky = s.Plate.pixelToSky(s.ImageStarX[k], s.ImageStarY[k]);
            const auto t = sampleTrueSky(s.ImageStarX[k], s.ImageStarY[k]);
            if (separationArcsec(sky.ra, sky.dec, t.ra, t.dec) > 30) return messagebox::Answer::No;
        }
        return messagebox::Answer::Yes;
    };
    QTest::mouseClick(control<QPushButton>(form, "startCalcul"), Qt::LeftButton);
    EXPECT_EQ(questions, 1);
    ASSERT_TRUE(s.MatchFound);

    // The refined plate is in use; the window says so and shows the residuals.
    ASSERT_TRUE(s.RefinedPlate);
    const QString plateText = control<QLabel>(form, "lbl_plate")->text();
    EXPECT_TRUE(plateText.startsWith("Plate in use: refined TAN plate")) << plateText.toStdString();
    const QRegularExpression rms(QStringLiteral("rms ([0-9.]+) px"));
    const auto m = rms.match(plateText);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_LT(m.captured(1).toDouble(), 1.0);
    const QTableWidget* table = control<QTableWidget>(form, "ResidualTable");
    EXPECT_GE(table->rowCount(), 15);
    EXPECT_TRUE(table->isVisibleTo(&form));
    EXPECT_TRUE(table->item(0, 0)->text().startsWith("U1425_"));

    // Clicks read positions through the refined plate: within about an
    // arcsecond of the true solution, also in the corners.
    const QPoint points[3] = {{512, 512}, {40, 980}, {990, 30}};
    for (const QPoint& at : points) {
        clickImage(form, at);
        const auto [ra, dec] = readoutDegrees(form);
        const auto t = sampleTrueSky(at.x(), at.y());
        EXPECT_LT(separationArcsec(ra, dec, t.ra, t.dec), 1.5) << at.x() << "," << at.y();
    }

    // Export WCS, read back by wcslib: the same positions as the plate in use.
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("sample"));
    filedialog::SetAnswerer([&](bool saving, const QString&) -> std::optional<QString> {
        EXPECT_TRUE(saving);
        return path;
    });
    form.mnu_exportwcs_Click();
    filedialog::SetAnswerer({});
    const WcslibHeader header(readFile(path + ".wcs"));
    for (const QPoint& at : points) {
        const auto sky = header.pixelToSky(at.x(), at.y());
        ASSERT_TRUE(sky);
        const SkyPoint mine = s.plateInUse().pixelToSky(at.x(), at.y());
        EXPECT_LT(separationArcsec(sky->ra, sky->dec, mine.ra, mine.dec), 0.01);
    }
}

TEST(SolveGui, OptionsOffKeepTheGuidedWorkflowAndExportNeedsAMatch) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    Restore keepWeb(Web());
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    EXPECT_FALSE(control<QCheckBox>(form, "CheckRankEvidence")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(form, "CheckRefinePlate")->isChecked());

    // Nothing to export before a match: a message, no dialog.
    bool asked = false;
    filedialog::SetAnswerer([&](bool, const QString&) -> std::optional<QString> {
        asked = true;
        return std::nullopt;
    });
    form.mnu_exportwcs_Click();
    filedialog::SetAnswerer({});
    EXPECT_FALSE(asked);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("no plate")) << boxes.shown[0].text.toStdString();

    // A plain solve: the questions carry no evidence, the three-star model stays.
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    Web().StarSiteEnabled = true;
    form.DownloadData_Click();
    QTest::mouseClick(control<QPushButton>(form, "AutoPicks"), Qt::LeftButton);
    ASSERT_TRUE(form.session().SelectionDone);
    boxes.shown.clear();
    boxes.answer = [](const messagebox::Shown&) { return messagebox::Answer::Yes; };
    form.startCalcul_Click();
    ASSERT_TRUE(form.session().MatchFound);
    for (const auto& shown : boxes.shown)
        EXPECT_FALSE(shown.text.contains("Evidence"));
    EXPECT_FALSE(form.session().RefinedPlate);
    EXPECT_EQ(control<QLabel>(form, "lbl_plate")->text(), "Plate in use: three-star model");
}

// Auto with the star answer of another field: no pick, no candidate, and a
// message that says what was tried.
TEST(SolveGui, AutoWithTheAnswerOfAnotherFieldPicksNothing) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    Restore keepWeb(Web());
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    Web().StarSiteEnabled = true;
    form.DownloadData_Click();
    folder.write("data", readSample("fields/ic1396/data"));
    boxes.shown.clear();
    QTest::mouseClick(control<QPushButton>(form, "AutoPicks"), Qt::LeftButton);
    EXPECT_FALSE(form.session().SelectionDone);
    EXPECT_EQ(form.session().PickCount, 0);
    EXPECT_FALSE(form.session().AutoFound);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith("No identification: "))
        << boxes.shown[0].text.toStdString();
}

// The one-click solve of the sample as a FITS file (BITPIX 16, row 1 at the
// bottom): "Auto", "3-Calcul", Yes to the first candidate offered, and the
// refined plate reads the true sky positions at the centre and in the
// corners of the image as shown. Its WCS export counts rows as the file
// stores them (row 1 = the bottom row shown), so wcslib finds a star of the
// sample on its pixel of the file.
TEST(SolveGui, OneClickSolveOfAFitsImageAndItsWcsExport) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    Restore keepWeb(Web());
    MessageRecorder boxes;
    QFile::copy(sampleFile("image.fits"), folder.file("sample.fits"));
    Form1 form;
    form.ApplyLanguageToForm();
    form.show();
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    edit(form, "txt_url")->setText("sample.fits");
    Web().StarSiteEnabled = true;
    form.DownloadData_Click();
    control<QCheckBox>(form, "CheckRankEvidence")->setChecked(true);
    control<QCheckBox>(form, "CheckRefinePlate")->setChecked(true);

    QTest::mouseClick(control<QPushButton>(form, "AutoPicks"), Qt::LeftButton);
    const SessionState& s = form.session();
    ASSERT_TRUE(s.SelectionDone);
    ASSERT_EQ(s.PickCount, 5);

    int questions = 0;
    boxes.answer = [&](const messagebox::Shown&) {
        ++questions;
        return messagebox::Answer::Yes;
    };
    QTest::mouseClick(control<QPushButton>(form, "startCalcul"), Qt::LeftButton);
    EXPECT_EQ(questions, 1);
    ASSERT_TRUE(s.MatchFound);
    ASSERT_TRUE(s.RefinedPlate);
    const QPoint points[5] = {{512, 512}, {20, 20}, {1003, 20}, {20, 1003}, {1003, 1003}};
    for (const QPoint& at : points) {
        const SkyPoint mine = s.plateInUse().pixelToSky(at.x(), at.y());
        const auto t = sampleTrueSky(at.x(), at.y());
        EXPECT_LT(separationArcsec(mine.ra, mine.dec, t.ra, t.dec), 1.5) << at.x() << "," << at.y();
    }

    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("sample.wcs"));
    filedialog::SetAnswerer([&](bool, const QString&) -> std::optional<QString> { return path; });
    form.mnu_exportwcs_Click();
    filedialog::SetAnswerer({});
    const WcslibHeader header(readFile(path));
    const auto sky = sampleTrueSky(630, 133);
    const auto at = header.skyToPixel({sky.ra, sky.dec});
    ASSERT_TRUE(at);
    // Upside down it would be 757 rows off.
    EXPECT_NEAR(at->x, 630, 5);
    EXPECT_NEAR(at->y, 1023 - 133, 5);
}
