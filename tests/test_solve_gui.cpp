// The one-click solve through the real window: a new user loads the sample,
// downloads (from the cache), presses "Auto", "3-Calcul", answers Yes once,
// reads the residual table and exports a WCS header that another WCS
// implementation reads to the same positions.
#include "catalogues/webswitches.h"
#include "mainwindow/imagecanvas.h"
#include "platform/widgets/filedialog.h"
#include "text/language.h"
#include "window.h"

#include <QRegularExpression>
#include <QTableWidget>
#include <wcslib.h>

using testing_support::control;
using testing_support::MessageRecorder;
using testing_support::ProgramFolderFixture;
using testing_support::sampleTrueSky;
using testing_support::separationArcsec;

namespace {

std::pair<double, double> readoutDegrees(const QTextEdit* panel) {
    static const QRegularExpression number(QStringLiteral("(-?\\d+(?:\\.\\d+)?)  \\("));
    auto it = number.globalMatch(panel->toPlainText());
    double v[2] = {NAN, NAN};
    for (double& d : v)
        if (it.hasNext()) d = it.next().captured(1).toDouble();
    return {v[0], v[1]};
}

// Pixel (0-based) -> sky through the WCS header at `path`, read by wcslib.
std::optional<std::pair<double, double>> WcslibSky(const QString& path, double x, double y) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray header = f.readAll();
    int nreject = 0, nwcs = 0;
    struct wcsprm* wcs = nullptr;
    if (wcspih(header.data(), static_cast<int>(header.size() / 80), WCSHDR_all, 0, &nreject, &nwcs,
               &wcs) != 0 ||
        nwcs < 1 || wcsset(wcs) != 0) {
        wcsvfree(&nwcs, &wcs);
        return std::nullopt;
    }
    double pixcrd[2] = {x + 1, y + 1}, imgcrd[2], phi, theta, world[2];
    int stat = 0;
    const int status = wcsp2s(wcs, 1, 2, pixcrd, imgcrd, &phi, &theta, world, &stat);
    wcsvfree(&nwcs, &wcs);
    if (status != 0) return std::nullopt;
    return std::pair{world[0], world[1]};
}

} // namespace

TEST(SolveGui, AutomaticPicksRankedCandidateRefinedPlateAndWcsExport) {
    ProgramFolderFixture folder;
    ASSERT_TRUE(ReadLanguageFile(folder.file("lang-en.cfg"), Lang()).opened);
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
        form.Picture1_MouseMove(static_cast<float>(at.x()), static_cast<float>(at.y()));
        QTest::mouseClick(control<ImageCanvas>(form, "Picture1"), Qt::LeftButton, {}, at);
        const auto [ra, dec] = readoutDegrees(control<QTextEdit>(form, "InfoMore"));
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
    for (const QPoint& at : points) {
        const auto sky = WcslibSky(path + QStringLiteral(".wcs"), at.x(), at.y());
        ASSERT_TRUE(sky);
        const SkyPoint mine = s.plateInUse().pixelToSky(at.x(), at.y());
        EXPECT_LT(separationArcsec(sky->first, sky->second, mine.ra, mine.dec), 0.01);
    }
}

TEST(SolveGui, OptionsOffKeepTheGuidedWorkflowAndExportNeedsAMatch) {
    ProgramFolderFixture folder;
    ASSERT_TRUE(ReadLanguageFile(folder.file("lang-en.cfg"), Lang()).opened);
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
