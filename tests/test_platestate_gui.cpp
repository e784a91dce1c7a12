// The plate and the answers in use, through the real window on the solved
// sample: another image, a cancelled review, a project that does not open,
// and minor-planet queries that fail, are declined or are padded.
#include "catalogues/webswitches.h"
#include "catalogues/widgets/frmdatabase.h"
#include "platform/widgets/filedialog.h"
#include "settings/reductionfile.h"
#include "text/language.h"
#include "window.h"

#include <QTableWidget>
#include <QTreeWidget>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;
using namespace text;

using namespace testing_support;

namespace {

// Shown markers of a pool.
int shown(const MarkerPool& pool) {
    return static_cast<int>(std::count(pool.visible.begin(), pool.visible.end(), 1));
}

// How many lines of the status list are exactly `line`.
int loggedLines(const Form1& form, const QString& line) {
    return static_cast<int>(
        control<QListWidget>(form, "status")->findItems(line, Qt::MatchExactly).size());
}

// The sample solved by hand with the refined plate, the true identification accepted.
class SolvedSample : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Form1>();
        form->ApplyLanguageToForm();
        form->show();
        control<QCheckBox>(*form, "CheckRefinePlate")->setChecked(true);
        solveSample(*form, boxes, folder);
    }
    void TearDown() override { form.reset(); }

    // Export WCS into `path`; whether the file dialog was asked.
    bool exportWcs(const QString& path) {
        bool asked = false;
        filedialog::SetAnswerer([&](bool, const QString&) -> std::optional<QString> {
            asked = true;
            return path;
        });
        form->mnu_exportwcs_Click();
        filedialog::SetAnswerer({});
        return asked;
    }

    Restore<WebSwitches> m_web{Web()};
    ProgramFolderFixture folder;
    EnglishTexts english{folder};
    MessageRecorder boxes;
    std::unique_ptr<Form1> form;
};

} // namespace

// The same file read again keeps the plate; another image drops it with the
// picks and every mark, so no click reads a position through the old plate.
TEST_F(SolvedSample, AnotherImageDropsThePlateTheSameFileKeepsIt) {
    const SessionState& s = form->session();
    ASSERT_TRUE(s.RefinedPlate);
    const QString plateText = control<QLabel>(*form, "lbl_plate")->text();

    // Load pressed again, then the automatic reload of the file saved anew.
    QTest::mouseClick(control<QPushButton>(*form, "Loadimg"), Qt::LeftButton);
    touch(folder.file("sample.png"), -100);
    form->Timer3_Timer();
    EXPECT_TRUE(s.MatchFound);
    EXPECT_TRUE(s.RefinedPlate);
    EXPECT_EQ(s.PickCount, 5);
    EXPECT_EQ(shown(form->markers().clicpic), 5);
    EXPECT_EQ(control<QLabel>(*form, "lbl_plate")->text(), plateText);

    // The sample turned a quarter turn, as another file.
    const QImage turned = QImage(folder.file("sample.png")).transformed(QTransform().rotate(90));
    ASSERT_TRUE(turned.save(folder.file("turned.png")));
    edit(*form, "txt_url")->setText("turned.png");
    QTest::mouseClick(control<QPushButton>(*form, "Loadimg"), Qt::LeftButton);
    EXPECT_FALSE(s.MatchFound);
    EXPECT_FALSE(s.RefinedPlate);
    EXPECT_EQ(s.PickCount, 0);
    EXPECT_FALSE(s.SelectionDone);
    EXPECT_EQ(s.WorkflowMode, WorkflowMode::None);
    const MarkerStore& m = form->markers();
    EXPECT_EQ(shown(m.star) + shown(m.clicpic) + shown(m.aster) + shown(m.aster_lbl), 0);
    EXPECT_TRUE(m.drawings.empty());
    EXPECT_FALSE(control<QLabel>(*form, "lbl_plate")->isVisibleTo(form.get()));

    // A click reads nothing, and there is no plate to export.
    clickImage(*form, {300, 300});
    EXPECT_TRUE(control<QFrame>(*form, "Frm6")->isHidden());
    boxes.shown.clear();
    QTemporaryDir out;
    EXPECT_FALSE(exportWcs(out.filePath("x.wcs")));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Exclamation);
}

// Cancel during a new review puts back the accepted plate: the panel, the
// overlay, the readout and the export are those of before.
TEST_F(SolvedSample, CancelledReviewKeepsTheAcceptedPlate) {
    const SessionState& s = form->session();
    ASSERT_TRUE(s.RefinedPlate);
    const TanPlate refined = *s.RefinedPlate;
    const QString plateText = control<QLabel>(*form, "lbl_plate")->text();
    const int residuals = control<QTableWidget>(*form, "ResidualTable")->rowCount();
    const MarkerStore before = form->markers();
    clickImage(*form, {40, 980});
    const auto readout = readoutDegrees(*form);

    int questions = 0;
    boxes.answer = [&](const messagebox::Shown&) {
        ++questions;
        return messagebox::Answer::Cancel;
    };
    form->startCalcul_Click();
    boxes.answer = {};
    EXPECT_EQ(questions, 1);

    EXPECT_TRUE(s.MatchFound);
    EXPECT_EQ(s.WorkflowMode, WorkflowMode::Coordinates);
    ASSERT_TRUE(s.RefinedPlate);
    EXPECT_EQ(s.RefinedPlate->cd, refined.cd);
    EXPECT_EQ(s.RefinedPlate->crval.ra, refined.crval.ra);
    EXPECT_EQ(control<QLabel>(*form, "lbl_plate")->text(), plateText);
    EXPECT_TRUE(control<QLabel>(*form, "lbl_plate")->isVisibleTo(form.get()));
    EXPECT_EQ(control<QTableWidget>(*form, "ResidualTable")->rowCount(), residuals);
    const MarkerStore& after = form->markers();
    EXPECT_EQ(after.star.visible, before.star.visible);
    EXPECT_EQ(after.star.left, before.star.left);
    EXPECT_EQ(after.drawings.size(), before.drawings.size());
    clickImage(*form, {40, 980});
    EXPECT_EQ(readoutDegrees(*form), readout);

    QTemporaryDir out;
    boxes.shown.clear();
    EXPECT_TRUE(exportWcs(out.filePath("kept.wcs")));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(QFile::exists(out.filePath("kept.wcs")));
}

// A project that cannot be applied whole changes nothing: not the boxes, not
// the messages, picks or plate, not the image and its name.
TEST_F(SolvedSample, ProjectThatFailsToOpenChangesNothing) {
    const QStringList& names = reductionfile::controlNames();
    const QStringList values = ControlValues(form.get(), names);
    const int lines = control<QListWidget>(*form, "status")->count();

    QStringList missingImage = QString::fromLatin1(folder.read("sample.pam")).split("\r\n");
    missingImage[names.indexOf("txt_url")] = "missing.png";
    const QByteArray files[] = {
        "hello\r\n",                                                   // one line of 29
        missingImage.join("\r\n").toLatin1(),                          // the image is not there
        folder.read("sample.pam").replace("\r\n1\r\n", "\r\nyes\r\n"), // a check box reads "yes"
    };
    for (const QByteArray& bytes : files) {
        folder.write("bad.pam", bytes);
        boxes.shown.clear();
        EXPECT_FALSE(form->OpenReduction(folder.file("bad.pam")));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Exclamation);
        EXPECT_EQ(ControlValues(form.get(), names), values);
        EXPECT_EQ(control<QListWidget>(*form, "status")->count(), lines);
        EXPECT_TRUE(form->session().MatchFound);
        EXPECT_EQ(form->session().PickCount, 5);
        EXPECT_EQ(shown(form->markers().clicpic), 5);
    }
}

// The minor-planet query pads only its own text; a blocked, failed or
// declined query leaves no minor planets of another query on the overlay and
// says so in the browser, as it does for stars of a failed download.
TEST_F(SolvedSample, MinorPlanetQueriesKeepTheCacheAndShowNoOldAnswer) {
    const SessionState& s = form->session();
    const QString downloaded = Lang().FormMessages[22];
    form->FullMap_Click(); // Yes: from the shipped cache
    ASSERT_EQ(s.MinorPlanets.count, 3);
    EXPECT_EQ(edit(*form, "txt_dec(1)")->text(), "3"); // as typed in sample.pam
    EXPECT_EQ(loggedLines(*form, downloaded), 1);

    // Offline, the same field is found in the cache again.
    form->DownloadData_Click();
    EXPECT_FALSE(s.StarAnswerStale);

    // Each row: what the browser's two listings hold and say afterwards.
    auto browse = [&](int& stars, int& starNotes, int& planets, int& planetNotes) {
        QTimer::singleShot(0, [&] {
            auto* w = qobject_cast<Frmdatabase*>(QApplication::activeModalWidget());
            if (!w) return;
            w->Btn1->click();
            stars = w->ListView1->topLevelItemCount();
            starNotes = static_cast<int>(w->listing().notes.size());
            w->Btn3->click();
            planets = w->ListView1->topLevelItemCount();
            planetNotes = static_cast<int>(w->listing().notes.size());
            w->accept();
        });
        form->mnu_database_Click();
    };
    int stars = -1, starNotes = -1, planets = -1, planetNotes = -1;
    browse(stars, starNotes, planets, planetNotes);
    EXPECT_EQ(std::tie(stars, starNotes, planets, planetNotes), std::tuple(48, 0, 3, 0));

    // The minor-planet site blocked: nothing "downloaded", no data2 left,
    // and the minor planets drawn before are taken off the image.
    ASSERT_EQ(shown(form->markers().aster), 3);
    Web().MinorPlanetSiteEnabled = false;
    const int saidDownloaded = loggedLines(*form, downloaded);
    form->DownloadData_Click();
    EXPECT_EQ(loggedLines(*form, downloaded), saidDownloaded);
    EXPECT_FALSE(QFile::exists(folder.file("data2")));
    EXPECT_EQ(s.MinorPlanets.count, 0);
    EXPECT_EQ(shown(form->markers().aster) + shown(form->markers().aster_lbl), 0);
    Web().MinorPlanetSiteEnabled = true;
    form->FullMap_Click();
    ASSERT_EQ(shown(form->markers().aster), 3);

    // Another date, and No to the minor planets: the old answer is neither
    // drawn nor listed as this date's.
    edit(*form, "txt_Adate(0)")->setText("11");
    boxes.answer = [](const messagebox::Shown&) { return messagebox::Answer::No; };
    form->FullMap_Click();
    EXPECT_EQ(s.MinorPlanets.count, 0);
    EXPECT_EQ(shown(form->markers().aster), 0);
    browse(stars, starNotes, planets, planetNotes);
    EXPECT_EQ(std::tie(stars, starNotes, planets, planetNotes), std::tuple(48, 0, 3, 1));

    // A star download that fails: the browser lists the old stars as old.
    Web().StarSiteEnabled = false;
    Web().AutonomousMode = false;
    form->DownloadData_Click();
    ASSERT_TRUE(s.StarAnswerStale);
    browse(stars, starNotes, planets, planetNotes);
    EXPECT_EQ(std::tie(stars, starNotes), std::tuple(48, 1));
}

// The right-ascension scale a FITS header gives follows the declination that
// ends up in the boxes: the typed one when the header's centre is refused,
// the header's when it is taken.
TEST(FitsHeaderScales, RightAscensionScaleFollowsTheCentreInUse) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    QByteArray fits = readSample("image.fits");
    fits.replace("OBJCTDEC= '+58 03 14'", "OBJCTDEC= '+30 03 14'");
    folder.write("far.fits", fits);
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    QLineEdit* degrees = edit(form, "txt_dec(0)");
    degrees->clear();
    QTest::keyClicks(degrees, "58"); // typed: the header's centre is asked about

    auto ratio = [&form] {
        return edit(form, "txt_corrasd")->text().toDouble() /
               edit(form, "txt_corrdec")->text().toDouble();
    };
    const double rad = M_PI / 180;
    // Each row: the answer about the centre, the declination then in the boxes.
    const std::pair<messagebox::Answer, double> rows[] = {
        {messagebox::Answer::No, 58 + 3 / 60.0 + 14 / 3600.0},
        {messagebox::Answer::Yes, 30 + 3 / 60.0 + 14 / 3600.0},
    };
    for (const auto& [answer, dec] : rows) {
        boxes.answer = [answer](const messagebox::Shown&) { return answer; };
        touch(folder.file("far.fits"), answer == messagebox::Answer::No ? 10 : 20);
        edit(form, "txt_url")->setText("far.fits");
        form.Loadimg_Click();
        EXPECT_EQ(degrees->text(), QString::number(int(dec)));
        EXPECT_NEAR(ratio(), std::cos(dec * rad), 2e-5);
        // Two decimals, as a reduction file holds them.
        const QString text = edit(form, "txt_corrasd")->text();
        EXPECT_LE(text.size() - text.indexOf('.') - 1, 2) << text.toStdString();
    }
}

// A date typed into the minor-planet boxes is the user's: a header's
// DATE-OBS replaces it only when the user says so; a date never typed is
// filled in without a question.
TEST(FitsHeaderDate, TypedDateIsAskedAboutFirst) {
    ProgramFolderFixture folder;
    EnglishTexts english(folder);
    folder.write("dated.fits", readSample("image.fits")); // DATE-OBS 2022-10-10T21:35:30
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    QLineEdit* day = edit(form, "txt_Adate(0)");
    QLineEdit* year = edit(form, "txt_Adate(2)");
    day->clear();
    QTest::keyClicks(day, "5");

    // Each row: the answer to the question, the day and year then in the boxes.
    const std::tuple<messagebox::Answer, QString, QString> rows[] = {
        {messagebox::Answer::No, "5", year->text()},
        {messagebox::Answer::Yes, "10", "2022"},
    };
    int stamp = 10;
    for (const auto& [answer, dayAfter, yearAfter] : rows) {
        SCOPED_TRACE(answer == messagebox::Answer::Yes ? "yes" : "no");
        boxes.shown.clear();
        boxes.answer = [answer](const messagebox::Shown&) { return answer; };
        touch(folder.file("dated.fits"), stamp += 10);
        edit(form, "txt_url")->setText("dated.fits");
        form.Loadimg_Click();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Question);
        EXPECT_EQ(day->text(), dayAfter);
        EXPECT_EQ(year->text(), yearAfter);
    }

    // Filled by the header, the boxes are no longer the user's: a new image
    // fills them without asking.
    boxes.shown.clear();
    touch(folder.file("dated.fits"), stamp += 10);
    form.Loadimg_Click();
    EXPECT_TRUE(boxes.shown.empty());
}
