// Minor planets and NGC/IC objects of the shipped sample through the real
// window: solve the field offline, press "4-Full map", check where the
// objects land and what their labels show; the minor-planet query on a local
// server; the catalogue browser from the menu.
#include "catalogues/sites.h"
#include "catalogues/webswitches.h"
#include "catalogues/widgets/frmdatabase.h"
#include "localserver.h"
#include "mainwindow/imagecanvas.h"
#include "platform/net/http.h"
#include "text/language.h"
#include "window.h"

#include <QTreeWidget>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

using namespace testing_support;

namespace {

QString panelText(const Form1& form) {
    return control<QTextEdit>(form, "InfoMore")->toPlainText();
}

// The sample solved by hand, the true identification accepted.
class SampleFullMap : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Form1>();
        form->ApplyLanguageToForm();
        form->show();
        solveSample(*form, boxes, folder);
    }
    void TearDown() override { form.reset(); }

    Restore<WebSwitches> m_web{Web()};
    ProgramFolderFixture folder;
    EnglishTexts english{folder};
    MessageRecorder boxes;
    std::unique_ptr<Form1> form;
};

} // namespace

TEST_F(SampleFullMap, PlacesTheThreeMinorPlanetsAndShowsTheirDetails) {
    ASSERT_TRUE(check(*form, "CheckAster")->isChecked()); // ticked in sample.pam
    form->FullMap_Click();
    const SessionState& s = form->session();
    ASSERT_EQ(s.MapState, MapState::Done);
    EXPECT_EQ(folder.read("data2"), readSample("data2")); // from the shipped cache
    ASSERT_EQ(s.MinorPlanets.count, 3);
    EXPECT_FALSE(
        control<QListWidget>(*form, "status")
            ->findItems(Lang().FormTexts[76] + ": 3" + Lang().FormMessages[19], Qt::MatchExactly)
            .isEmpty());

    // Each marker sits where the accepted plate puts the position its row
    // states; the field is at 22h47m, so a row just past 0h lies beside it.
    const QStringList lines = QString::fromLatin1(readSample("data2")).split("\r\n");
    const MarkerStore& m = form->markers();
    const float h = m.aster.size / 2;
    for (int i = 1; i <= 3; ++i) {
        double ra = sexagesimal(lines[12 + i].mid(25, 10)) * 15;
        if (ra < 180) ra += 360;
        const double dec = sexagesimal(lines[12 + i].mid(36, 9));
        const auto px = s.Plate.scaledToPixel(ra * s.Plate.corrAsd, dec * s.Plate.corrDec);
        ASSERT_TRUE(px);
        EXPECT_NEAR(m.aster.left[i] + h, px->x, 1.0) << "row " << i;
        EXPECT_NEAR(m.aster.top[i] + h, px->y, 1.0) << "row " << i;
        EXPECT_TRUE(m.aster.visible[i]);
        EXPECT_TRUE(m.aster_lbl.visible[i]);
        EXPECT_EQ(m.aster_lbl.caption[i], s.MinorPlanets.name[i]);
        // They lie 13 to 16 degrees from this 39' field.
        EXPECT_GT(std::hypot(px->x - 512, px->y - 512), 10000);
    }
    EXPECT_FALSE(m.aster.visible[4]);

    // A click on Kaplan's label: its details, right ascension back in 0..360.
    form->aster_lbl_Click(2);
    ASSERT_FALSE(control<QFrame>(*form, "Frm6")->isHidden());
    const QString kaplan = panelText(*form);
    EXPECT_TRUE(kaplan.contains("Kaplan")) << kaplan.toStdString();
    // The answer's own position, 00 00 06.2 +47 49 57, not its scaled and
    // rounded copy.
    EXPECT_TRUE(kaplan.contains("RA: 0.02583  (")) << kaplan.toStdString();
    EXPECT_TRUE(kaplan.contains("Dec: 47.8325  (")) << kaplan.toStdString();
    EXPECT_FALSE(kaplan.contains("360.0"));

    // A double-click on Barcelona's marker shows Barcelona.
    form->Picture1_MouseMove(m.aster.left[3] + h, m.aster.top[3] + h);
    form->Picture1_DblClick();
    EXPECT_TRUE(panelText(*form).contains("Barcelona"));
}

TEST_F(SampleFullMap, DrawsNgc7380WhereTheTrueSolutionPutsIt) {
    ASSERT_TRUE(check(*form, "CheckDeepObj2")->isChecked()); // ticked in sample.pam
    form->FullMap_Click();
    const SessionState& s = form->session();
    int i = 0;
    for (int k = 1; k <= s.DeepSky.count; ++k)
        if (s.DeepSky.name[k] == "NGC 7380") i = k;
    ASSERT_GT(i, 0);

    // The overlay's pixel of NGC 7380, read back through the field's true
    // solution, is OpenNGC's position (22 47 21.01, +58 07 56.7) to within
    // the affine model's error.
    const auto px = s.Plate.scaledToPixel(s.DeepSky.ra[i], s.DeepSky.dec[i]);
    ASSERT_TRUE(px);
    const auto sky = sampleTrueSky(px->x, px->y);
    EXPECT_LT(separationArcsec(sky.ra, sky.dec, 341.837542, 58.132417), 20.0);

    // (Its ellipse's size and angle on the sky are measured in test_overlay.)
    const MarkerStore& m = form->markers();
    EXPECT_GE(m.drawings.size(), 361u);

    // Its label, under the ellipse, opens its details.
    ASSERT_TRUE(m.deepobj_lbl.visible[i]);
    EXPECT_EQ(m.deepobj_lbl.caption[i], "NGC 7380");
    const QPoint label(static_cast<int>(m.deepobj_lbl.left[i]) + 3,
                       static_cast<int>(m.deepobj_lbl.top[i]) + 3);
    ASSERT_TRUE(QRect(0, 0, 1024, 1024).contains(label));
    QTest::mouseClick(control<ImageCanvas>(*form, "Picture1"), Qt::LeftButton, {}, label);
    const QString text = panelText(*form);
    EXPECT_TRUE(text.contains("NGC 7380")) << text.toStdString();
    EXPECT_TRUE(text.contains("25 x 20"));
    EXPECT_FALSE(text.contains("PGC 0"));
}

TEST_F(SampleFullMap, BrowserListsTheSampleFromTheMenu) {
    form->FullMap_Click();
    int stars = -1, planets = -1;
    bool ngc7380 = false;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<Frmdatabase*>(QApplication::activeModalWidget());
        if (!w) return;
        w->Btn1->click();
        stars = w->ListView1->topLevelItemCount();
        w->Btn3->click();
        planets = w->ListView1->topLevelItemCount();
        w->Btn2->click();
        for (int r = 0; r < w->ListView1->topLevelItemCount(); ++r)
            ngc7380 |= w->ListView1->topLevelItem(r)->text(1) == "NGC 7380";
        w->accept();
    });
    const double centreRa = form->session().CentrePlateRA;
    form->mnu_database_Click();
    EXPECT_EQ(stars, 48);
    EXPECT_EQ(planets, 3);
    EXPECT_TRUE(ngc7380);
    EXPECT_EQ(form->session().CentrePlateRA, centreRa);
}

// The query from "1-Download" after a match (and only then), on a local
// server: padded fields, the address, then an error page that leaves no
// stale answer.
TEST(MinorPlanetDownload, QueriesTheServiceAndNeverKeepsAStaleAnswer) {
    ProgramFolderFixture folder;
    Restore keepWeb(Web());
    Restore keepSites(Sites());
    Restore keepLimits(http::CurrentLimits());
    EnglishTexts english(folder);
    http::CurrentLimits().idleTimeoutMs = 400;
    bool errorPage = false;
    LocalHttpServer server([&](const QByteArray& path) {
        if (!path.startsWith("/~cgi/")) return LocalHttpServer::Reply{200, readSample("data")};
        if (errorPage) return LocalHttpServer::Reply{200, "<html>Service unavailable</html>"};
        return LocalHttpServer::Reply{200, readSample("data2")};
    });
    Sites().starServer = server.base();
    Sites().minorPlanetService = server.base();
    MessageRecorder boxes;
    Form1 form;
    form.ApplyLanguageToForm();
    Web().AutonomousMode = false;
    ASSERT_TRUE(form.OpenReduction(folder.file("sample.pam")));
    edit(form, "txt_ra(0)")->setText("5");
    const char* date[5] = {"5", "7", "2008", "13", "12"};
    for (int i = 0; i < 5; ++i)
        edit(form, QStringLiteral("txt_Adate(%1)").arg(i))->setText(date[i]);
    form.DownloadData_Click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(server.requests.size(), 1); // no match yet: the stars only

    form.session().MatchFound = true;
    form.DownloadData_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(boxes.shown[0].text.isEmpty());
    EXPECT_EQ(boxes.shown[0].title, Lang().FormMessages[21]);
    EXPECT_EQ(boxes.shown[0].text, Lang().FormMessages[23]);
    ASSERT_EQ(server.requests.size(), 3);
    EXPECT_EQ(server.requests[2],
              "/~cgi/MPCheck.COM?year=2008&month=7&day=5.55&which=pos&ra=05+47+12.2&decl=58+"
              "03+14&TextArea=&radius=960&limit=19.0&oc=500&sort=d&mot=h&tmot=s&pdes=u&"
              "needed=f&ps=n&type=p");
    // Only the query is padded: the boxes (the star cache key) keep what was typed.
    EXPECT_EQ(edit(form, "txt_ra(0)")->text(), "5");
    EXPECT_EQ(edit(form, "txt_dec(1)")->text(), "3");
    EXPECT_EQ(folder.read("data2"), readSample("data2"));

    // The service answers with an error page: no answer of the earlier
    // query is left to be read as this one's.
    errorPage = true;
    form.DownloadData_Click();
    EXPECT_FALSE(QFile::exists(folder.file("data2")));
    form.READFILE_ASTER();
    EXPECT_EQ(form.session().MinorPlanets.count, 0);
}
