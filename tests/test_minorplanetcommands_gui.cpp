// The minor-planet commands through the real window on the offline sample:
// the local source chosen in "Internet bugs" answers "1-Download" and
// "4-Full map", the element file is downloaded from the menu, and a point
// clicked on the solved image becomes a line of the MPC report.
#include "catalogues/localminorplanets.h"
#include "catalogues/sites.h"
#include "catalogues/webswitches.h"
#include "catalogues/widgets/frminternet.h"
#include "catalogues/widgets/reportpositiondialog.h"
#include "localserver.h"
#include "mainwindow/commandhost.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/messagepanel.h"
#include "mainwindow/minorplanetcommands.h"
#include "mainwindow/optionpages.h"
#include "settings/options.h"
#include "text/language.h"
#include "window.h"

#include <QComboBox>
#include <QPlainTextEdit>

using namespace reduction;
using namespace imaging;
using namespace settings;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;
using namespace text;

using namespace testing_support;

namespace {

// The sample solved in one click (automatic picks, candidates by evidence,
// the refined plate), the first candidate accepted.
class SampleWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Form1>();
        form->ApplyLanguageToForm();
        form->show();
        ASSERT_TRUE(form->OpenReduction(folder.file("sample.pam")));
        form->DownloadData_Click();
        check(*form, "CheckRankEvidence")->setChecked(true);
        check(*form, "CheckRefinePlate")->setChecked(true);
        QTest::mouseClick(control<QPushButton>(*form, "AutoPicks"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(*form, "startCalcul"), Qt::LeftButton);
        ASSERT_TRUE(form->session().MatchFound);
        ASSERT_TRUE(form->session().RefinedPlate);
        boxes.shown.clear();
    }
    void TearDown() override { form.reset(); }

    // Chooses the local minor-planet source in "Internet bugs", the service
    // blocked: nothing of the web is needed.
    void chooseLocalSource() {
        NextDialog<frmInternet> dialog([](frmInternet& w) {
            w.ChkLocalMinorPlanets->setChecked(true);
            w.Chk(2)->setChecked(false);
            w.cmdOK->click();
        });
        form->mnu_webbugs_Click();
        ASSERT_TRUE(dialog.ran);
    }

    Restore<WebSwitches> m_web{Web()};
    Restore<SiteHosts> m_sites{Sites()};
    ProgramFolderFixture folder;
    EnglishTexts english{folder};
    MessageRecorder boxes;
    std::unique_ptr<Form1> form;
};

} // namespace

TEST_F(SampleWindow, LocalSourceAnswersTheDownloadAndTheFullMap) {
    chooseLocalSource();
    EXPECT_TRUE(Sites().localMinorPlanets());
    QFile::remove(folder.file("data2"));

    // "1-Download" after the match asks for the minor planets (Yes): the page
    // is computed for the typed date, not taken from the cache of the service.
    form->DownloadData_Click();
    QTemporaryDir dir;
    const QString expected = dir.filePath("expected");
    ASSERT_TRUE(WriteLocalMinorPlanetAnswer(folder.file("asteroids.dat"), sampleMinorPlanetFields(),
                                            expected)
                    .ok());
    EXPECT_EQ(folder.read("data2"), readFile(expected));
    EXPECT_NE(folder.read("data2"), readSample("data2"));
    EXPECT_TRUE(logged(*form, "3 minor planet(s) computed from "));
    EXPECT_TRUE(control<QPushButton>(*form, "cancelDownload")->isHidden());

    // "4-Full map" places the sample's three minor planets where the shared
    // answer (computed independently) puts them, to within a pixel.
    form->FullMap_Click();
    const SessionState& s = form->session();
    ASSERT_EQ(s.MapState, MapState::Done);
    ASSERT_EQ(s.MinorPlanets.count, 3);
    const QStringList lines = QString::fromLatin1(readSample("data2")).split("\r\n");
    const MarkerStore& m = form->markers();
    const float h = m.aster.size / 2;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(s.MinorPlanets.name[i], lines[12 + i].mid(9, 15).remove(' '));
        double ra = sexagesimal(lines[12 + i].mid(25, 10)) * 15;
        if (ra < 180) ra += 360; // beside the field at 22h47m
        const auto px = s.plateInUse().skyToPixel({ra, sexagesimal(lines[12 + i].mid(36, 9))});
        ASSERT_TRUE(px);
        EXPECT_NEAR(m.aster.left[i] + h, px->x, 1.5) << i;
        EXPECT_NEAR(m.aster.top[i] + h, px->y, 1.5) << i;
        EXPECT_TRUE(m.aster.visible[i]);
    }

    // The session holds the rows the computation handed over: those a
    // reading of the page it wrote gives, in its order, with their scaled
    // view; a "data2" changed afterwards does not change them.
    const QByteArray page = folder.read("data2");
    folder.write("data2", readSample("data2"));
    form->READFILE_ASTER();
    MinorPlanetTable table;
    const MinorPlanetReadResult read =
        ReadMinorPlanetAnswer(page, s.Plate.corrAsd, s.Plate.corrDec, 341.8, table);
    ASSERT_EQ(s.Catalogue.minorPlanets.size(), read.planets.size());
    for (size_t i = 0; i < read.planets.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        const CatalogueRow& held = s.Catalogue.minorPlanets[i];
        EXPECT_EQ(held.id, read.planets[i].id);
        EXPECT_EQ(held.name, read.planets[i].name);
        EXPECT_EQ(held.ra, read.planets[i].ra);
        EXPECT_EQ(held.dec, read.planets[i].dec);
        EXPECT_EQ(held.mag, read.planets[i].mag);
        EXPECT_EQ(held.motion1, read.planets[i].motion1);
        EXPECT_EQ(held.motion2, read.planets[i].motion2);
    }
    EXPECT_EQ(s.MinorPlanets.count, read.count);
    EXPECT_EQ(s.MinorPlanets.ra, table.ra);
    EXPECT_EQ(s.MinorPlanets.dec, table.dec);
    EXPECT_EQ(s.MinorPlanets.name, table.name);
}

TEST_F(SampleWindow, LocalSourceFailureLeavesNoAnswerOfAnotherQuery) {
    chooseLocalSource();
    form->DownloadData_Click();
    ASSERT_TRUE(QFile::exists(folder.file("data2")));

    // Another date, but the element file is gone: no answer at all rather
    // than the previous date's.
    edit(*form, "txt_Adate(0)")->setText("11");
    Sites().minorPlanetElements = "missing.dat";
    form->FullMap_Click();
    EXPECT_FALSE(QFile::exists(folder.file("data2")));
    EXPECT_EQ(form->session().MinorPlanets.count, 0);
    EXPECT_TRUE(logged(*form, "Local minor planets: ")) << "no status line";

    // A date field without a number: the same.
    Sites().minorPlanetElements = "asteroids.dat";
    form->DownloadData_Click();
    ASSERT_TRUE(QFile::exists(folder.file("data2")));
    edit(*form, "txt_Adate(3)")->setText("noon");
    form->DownloadData_Click();
    EXPECT_FALSE(QFile::exists(folder.file("data2")));
}

TEST_F(SampleWindow, ReportsTheClickedPointInTheMpcFormat) {
    // Nothing clicked yet: the command says what to do.
    trigger(*form, "mnu_reportposition");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Exclamation);

    // A click 3 pixels off the star of catalogue row 44 (centroid 100.7,
    // 977.3, near a corner) is measured on the star.
    form->FullMap_Click();
    clickImage(*form, {98, 980});
    QString shownNearest, offered;
    NextDialog<ReportPositionDialog> dialog([&](ReportPositionDialog& w) {
        shownNearest = control<QLabel>(w, "lbl_nearest")->text();
        offered = w.txt_designation->text();
        w.txt_designation->setText("2022 HK5");
        w.txt_magnitude->setText("1x");
        EXPECT_FALSE(w.cmdAppend->isEnabled());
        EXPECT_TRUE(w.lbl_error->text().contains("1x"));
        w.txt_magnitude->setText("10.03");
        w.cmb_band->setCurrentText("R");
        w.txt_observatory->setText("J95");
        ASSERT_TRUE(w.cmdAppend->isEnabled());
        w.cmdAppend->click();
        EXPECT_FALSE(w.cmdAppend->isEnabled()); // once per point
        EXPECT_TRUE(w.txt_report->toPlainText().contains(w.txt_line->text()));
        w.cmdClose->click();
    });
    trigger(*form, "mnu_reportposition");
    ASSERT_TRUE(dialog.ran);
    // The nearest minor planet of the map is 13 degrees away: named, not offered.
    EXPECT_TRUE(shownNearest.contains("(2105) Gudy (02105)")) << shownNearest.toStdString();
    EXPECT_TRUE(offered.isEmpty());

    const QByteArray report = folder.read("mpc-report.txt");
    ASSERT_EQ(report.count("\r\n"), 1);
    const QString line = QString::fromLatin1(report).chopped(2);
    ASSERT_EQ(line.size(), 80);
    EXPECT_EQ(line.left(31), "     K22H05K  C2022 10 10.90000");
    EXPECT_EQ(line.mid(65), "10.0 R      J95");
    // Columns 33-56 hold the star's catalogue position (342.278412, +57.752224)
    // to within the whole pixel of the centring (2.3" a pixel) and the plate.
    const double ra = (line.mid(32, 2).toDouble() + line.mid(35, 2).toDouble() / 60 +
                       line.mid(38, 5).toDouble() / 3600) *
                      15;
    const double dec = line.mid(44, 3).toDouble() + line.mid(48, 2).toDouble() / 60 +
                       line.mid(51, 4).toDouble() / 3600;
    EXPECT_LT(separationArcsec(ra, dec, 342.278412, 57.752224), 3.0) << line.toStdString();
    EXPECT_TRUE(logged(*form, "Added to "));
    EXPECT_EQ(options::Value("report/observatoryCode").toString(), "J95");

    // The next report starts from the stored code and adds a second line.
    NextDialog<ReportPositionDialog> again([](ReportPositionDialog& w) {
        EXPECT_EQ(w.txt_observatory->text(), "J95");
        w.txt_designation->setText("433");
        w.cmdAppend->click();
        w.cmdClose->click();
    });
    trigger(*form, "mnu_reportposition");
    const QList<QByteArray> both = folder.read("mpc-report.txt").split('\n');
    ASSERT_EQ(both.size(), 3);
    EXPECT_TRUE(both[1].startsWith("00433         C2022 10 10.90000"));
}

TEST(ElementsCommand, DownloadsUnpacksAndOffersTheFileForTheSession) {
    ProgramFolderFixture folder;
    Restore keepSites(Sites());
    const QByteArray ceres = kCeresMpcorbLine + "\n";
    const QByteArray packed = gzip(ceres);
    QByteArray served = "<html>Not found</html>";
    LocalHttpServer server([&served](const QByteArray&) {
        return LocalHttpServer::Reply{200, served};
    });
    Sites().minorPlanetElementsUrl = server.base() + "/MPCORB.DAT.gz";
    MessageRecorder boxes;
    Form1 form;

    // An error page: a message, nothing written, the source unchanged.
    trigger(form, "mnu_mpcorb");
    ASSERT_EQ(boxes.shown.size(), 2u); // the question, then the failure
    EXPECT_EQ(boxes.shown[1].kind, messagebox::Kind::Exclamation);
    EXPECT_FALSE(QFile::exists(folder.file("MPCORB.DAT")));
    EXPECT_FALSE(Sites().localMinorPlanets());

    // The archive: unpacked, and taken for the session when the user agrees.
    served = packed;
    boxes.shown.clear();
    trigger(form, "mnu_mpcorb");
    ASSERT_EQ(boxes.shown.size(), 2u); // the question, then the offer
    EXPECT_EQ(folder.read("MPCORB.DAT"), ceres);
    EXPECT_TRUE(Sites().localMinorPlanets());
    EXPECT_EQ(Sites().minorPlanetElements, "MPCORB.DAT");
    EXPECT_TRUE(control<QPushButton>(form, "cancelDownload")->isHidden());

    // Declined at the question: nothing is fetched.
    const qsizetype requests = server.requests.size();
    boxes.answer = [](const messagebox::Shown&) { return messagebox::Answer::No; };
    trigger(form, "mnu_mpcorb");
    EXPECT_EQ(server.requests.size(), requests);
}

namespace {
// The window as the commands see it, without the window.
class FakeHost : public CommandHost {
public:
    QWidget* hostWidget() override { return &widget; }
    SessionState& session() override { return state; }
    MarkerStore& markers() override { return marks; }
    void LogMessage(const QString& text) override { log << text; }
    void SetIdleIndicator(bool idle) override { idleStates.push_back(idle); }
    void ShowSuggestion(const QString& key, int, const QString&, const QString&) override {
        hints << key;
    }
    bool CentreJ2000() override { return false; }
    QString buttonText(const QString& name) override { return name; }

    QWidget widget;
    SessionState state;
    MarkerStore marks;
    QStringList log, hints;
    std::vector<bool> idleStates;
};
} // namespace

// A position report refused before anything is measured: without a plate,
// then without a click on this image. Run against a fake of the window.
TEST(MinorPlanetCommandsAlone, ReportNeedsAPlateAndAClickOnThisImage) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    FakeHost host;
    MessagePanel messages;
    ImageCanvas canvas(host.marks);
    MinorPlanetPage page;
    MinorPlanetCommands commands(host, messages, canvas, page);

    host.state.ImageFileStamp = QStringLiteral("image-1");
    commands.noteClick(10, 20); // clicked before there is a plate
    const struct {
        const char* what;
        bool plate;
        const char* stampNow; // the image shown when the report is asked for
    } rows[] = {
        {"no plate", false, "image-1"},
        {"a click on another image", true, "image-2"},
    };
    for (const auto& r : rows) {
        host.state.MatchFound = r.plate;
        host.state.WorkflowMode = r.plate ? WorkflowMode::Coordinates : WorkflowMode::Select;
        host.state.ImageFileStamp = QString::fromLatin1(r.stampNow);
        boxes.shown.clear();
        commands.reportPosition();
        ASSERT_EQ(boxes.shown.size(), 1u) << r.what;
        EXPECT_EQ(boxes.shown[0].kind, messagebox::Kind::Exclamation) << r.what;
        EXPECT_TRUE(host.log.isEmpty()) << r.what;
    }
    // The button a message names is asked of the host.
    host.state.MatchFound = false;
    boxes.shown.clear();
    commands.reportPosition();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QLatin1String("startCalcul")));
}
