// The star query and the reader of its answer, and the download button of the
// main window against a local server.
#include "catalogues/sites.h"
#include "catalogues/usnoa2.h"
#include "catalogues/webswitches.h"
#include "catalogues/widgets/frminternet.h"
#include "catalogues/widgets/frmmode.h"
#include "localserver.h"
#include "platform/net/http.h"
#include "reduction/precession.h"
#include "text/language.h"
#include "text/widgets/translations.h"
#include "window.h"

#include <QElapsedTimer>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;
using namespace text;

using namespace testing_support;

namespace {

// The 66-byte rows of the sample answer.
QList<QByteArray> sampleRows() {
    const QByteArray data = readSample("data");
    qsizetype pos = data.indexOf("</b>   1 U") + 4;
    QList<QByteArray> rows;
    while (data.mid(pos, 66).size() == 66 && data[pos + 5] == 'U') {
        rows << data.mid(pos, 66);
        pos += 66;
    }
    return rows;
}

// An answer of `n` rows made from the sample rows, numbered 1..n.
QByteArray syntheticAnswer(int n) {
    const QList<QByteArray> rows = sampleRows();
    QByteArray answer = "<html><pre>\n<b>   # id  RA  Dec  R  B</b>";
    for (int i = 0; i < n; ++i)
        answer += QByteArray::number(i + 1).rightJustified(4, ' ') + rows[i % rows.size()].mid(4);
    return answer + "</pre></html>\n";
}

TypedCentreFields fieldsOf(const char* h, const char* m, const char* s, const char* sign,
                           const char* d, const char* dm, const char* ds, const char* epoch) {
    TypedCentreFields f;
    f.ra = {h, m, s};
    f.dec = {d, dm, ds};
    f.decSign = sign;
    f.epoch = epoch;
    return f;
}

// The query texts the download button sends for these fields.
StarQueryCoordinates queryFor(const TypedCentreFields& fields) {
    const TypedCentre c = ReadTypedCentre(fields).value();
    const PrecessionDelta d = PrecessFromJ2000(4000 - c.epoch, c.ra, c.dec);
    return MakeStarQueryCoordinates(c, d.dRA, d.dDec);
}

} // namespace

TEST(StarQuery, AddressAndCoordinates) {
    const TypedCentreFields orion = fieldsOf("5", "35", "17.3", "-", "5", "23", "28", "2000.0");
    const StarQueryCoordinates q = queryFor(orion);
    EXPECT_EQ(q.ra, QString("5+35+17"));
    EXPECT_EQ(q.dec, QString("-5+23+28"));
    EXPECT_EQ(UsnoA2Address("http://archive.eso.org", "2000.0", q.ra, q.dec, "10", "15"),
              QString("http://archive.eso.org/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0"
                      "&chart=0&ra=5+35+17&dec=-5+23+28&object=&radmax=10&magbright=0&magfaint=15."
                      "&format=2&sort=mr&nout=5000"));

    // Between 0 and -1 degree the sign still leads; seconds may round to 60.
    EXPECT_EQ(queryFor(fieldsOf("0", "0", "0", "-", "0", "30", "0", "2000.0")).dec,
              QString("-0+30+0"));
    EXPECT_EQ(queryFor(fieldsOf("1", "2", "59.7", "+", "10", "0", "59.6", "2000.0")).ra,
              QString("1+2+60"));
    EXPECT_EQ(queryFor(fieldsOf("1", "2", "59.7", "+", "10", "0", "59.6", "2000.0")).dec,
              QString("10+0+60"));

    // The first box that is no number is named with its text; nothing is computed.
    struct Row {
        TypedCentreFields fields;
        CentreBox box;
        QString text;
    };
    const Row rows[] = {
        {fieldsOf("5h", "3x", "17", "+", "5", "23", "28", "2000"), CentreBox::RaHours, "5h"},
        {fieldsOf("5", "3x", "17", "+", "5", "23", "28", "2000"), CentreBox::RaMinutes, "3x"},
        {fieldsOf("5", "35", "", "+", "5", "23", "28", "2000"), CentreBox::RaSeconds, ""},
        {fieldsOf("5", "35", "17", "+", "-5", "2 3", "28", "2000"), CentreBox::DecMinutes, "2 3"},
        {fieldsOf("5", "35", "17", "+", "5", "23", "28s", "2000"), CentreBox::DecSeconds, "28s"},
        {fieldsOf("5", "35", "17", "+", "5", "23", "28", ""), CentreBox::Epoch, ""},
    };
    for (const Row& r : rows) {
        const TypedCentreReading bad = ReadTypedCentre(r.fields);
        ASSERT_FALSE(bad) << r.text.toStdString();
        EXPECT_EQ(bad.error().kind, r.box) << r.text.toStdString();
        EXPECT_EQ(bad.error().message, r.text);
    }
    EXPECT_EQ(CentreBoxName(CentreBox::RaMinutes), "right ascension, minutes");
    EXPECT_EQ(CentreBoxName(CentreBox::Epoch), "epoch");

    // Typed text cannot add parameters to the query.
    const QString odd = UsnoA2Address("http://h", "2000.0", "1+2+3", "4+5+6", "10&nout=1", "15");
    EXPECT_TRUE(odd.contains("&radmax=10%26nout%3D1&")) << odd.toStdString();
}

TEST(StarQuery, AnEquinoxOf1950IsCarriedToJ2000) {
    // M 31 typed at equinox 1950.0: 0h40m00s +41d00m00s. Precessed with ERFA's
    // IAU 2006 matrix from epoch 1950.0 to J2000 it lies at 0h42m44.19s
    // +41d16m25.9s (10.684136, 41.273870 degrees); the other direction would
    // give about 0h37m16s +40d44m.
    const TypedCentreFields m31 = fieldsOf("0", "40", "0", "+", "41", "0", "0", "1950.0");
    const StarQueryPlan plan = PlanStarQuery(m31);
    ASSERT_TRUE(plan.reading);
    EXPECT_DOUBLE_EQ(plan.reading->ra, 10.0); // the typed centre itself
    const QStringList ra = plan.coordinates.ra.split('+');
    const QStringList dec = plan.coordinates.dec.split('+');
    ASSERT_EQ(ra.size(), 3);
    ASSERT_EQ(dec.size(), 3);
    EXPECT_EQ(ra[0], "0");
    EXPECT_EQ(ra[1], "42");
    EXPECT_NEAR(ra[2].toDouble(), 44.19, 1.0);
    EXPECT_EQ(dec[0], "41");
    EXPECT_EQ(dec[1], "16");
    EXPECT_NEAR(dec[2].toDouble(), 25.9, 3.0);

    // The J2000 centre of the overlay: the same position, in scaled units.
    const auto centre = TypedCentreJ2000(m31, 100, 200);
    ASSERT_TRUE(centre);
    EXPECT_NEAR(centre->ra / 100, 10.684136, 5.0 / 3600);
    EXPECT_NEAR(centre->dec / 200, 41.273870, 3.0 / 3600);
}

TEST(StarReader, PositionsRoundHalvesToEven) {
    // Row 1 of the sample with its right ascension and declination replaced.
    auto row = [](const char* ra, const char* dec) {
        QByteArray r = sampleRows()[0];
        r.replace(20, 9, ra);
        r.replace(30, 9, dec);
        return r;
    };
    const QByteArray answer =
        "<b>   # id</b>" + row("  2.50000", "-02.50000") + row("  3.50000", "+03.50000") + "</pre>";
    CatalogueStarTable t;
    ASSERT_EQ(ReadUsnoA2Answer(answer, 1, 1, t).rowsRead, 2);
    EXPECT_EQ(t.ra[1], 2);
    EXPECT_EQ(t.dec[1], -2);
    EXPECT_EQ(t.ra[2], 4);
    EXPECT_EQ(t.dec[2], 4);
}

// The typed rows keep what the answer says, to the last digit; the scaled
// table is their rounded view and shows the identifier and magnitudes exactly
// as the answer's columns (the readout and the details print them).
TEST(StarReader, TypedRowsKeepTheAnswerAndTheTableShowsItsColumns) {
    QList<QByteArray> rows = sampleRows();
    rows[1].replace(40, 4, "    "); // row 2 without a red magnitude
    rows[2].replace(45, 4, "  ab"); // row 3 with an unreadable blue one
    QByteArray answer = "<b>   # id</b>";
    for (const QByteArray& r : rows)
        answer += r;
    const std::vector<CatalogueRow> typed = ReadUsnoA2Rows(answer);
    CatalogueStarTable t;
    ReadUsnoA2Answer(answer, 833.27, 1575.63, t);
    ASSERT_EQ(typed.size(), 48u);
    for (int i = 0; i < rows.size(); ++i) {
        const QByteArray& r = rows[i];
        const CatalogueRow& row = typed[i];
        EXPECT_EQ(row.kind, SkyObjectKind::Star);
        EXPECT_EQ(row.ra, r.mid(20, 9).trimmed().toDouble()) << i;
        EXPECT_EQ(row.dec, r.mid(30, 9).trimmed().toDouble()) << i;
        EXPECT_EQ(t.id[i + 1], QString::fromLatin1(r.mid(5, 14))) << i;
        EXPECT_EQ(t.magRed[i + 1], QString::fromLatin1(r.mid(40, 4))) << i;
        // an unreadable magnitude is none, shown blank
        EXPECT_EQ(t.magBlue[i + 1], i == 2 ? QString(4, ' ') : QString::fromLatin1(r.mid(45, 4)))
            << i;
    }
    EXPECT_FALSE(typed[1].mag);
    EXPECT_EQ(typed[1].magBlue, 7.1);
    EXPECT_FALSE(typed[2].magBlue);
}

// Near 0h the rows are unwrapped about the field centre before scaling.
TEST(StarReader, RowsAtZeroHoursAreUnwrappedAboutTheCentre) {
    auto row = [](const char* ra) {
        QByteArray r = sampleRows()[0];
        r.replace(20, 9, ra);
        return r;
    };
    const QByteArray answer = "<b>   # id</b>" + row("359.90000") + row("  0.10000") + "</pre>";
    CatalogueStarTable t;
    ReadUsnoA2Answer(answer, 10, 10, t, 0.05);
    EXPECT_EQ(t.ra[1], -1);
    EXPECT_EQ(t.ra[2], 1);
    ReadUsnoA2Answer(answer, 10, 10, t, 359.95);
    EXPECT_EQ(t.ra[1], 3599);
    EXPECT_EQ(t.ra[2], 3601);
    ReadUsnoA2Answer(answer, 10, 10, t); // no centre: as written
    EXPECT_EQ(t.ra[1], 3599);
    EXPECT_EQ(t.ra[2], 1);
}

// The centre an answer is unwrapped about when no field is typed.
TEST(StarReader, CentreOfAnAnswerFromItsHeadingOrItsBrightestRows) {
    auto row = [](const char* ra) {
        QByteArray r = sampleRows()[0];
        r.replace(20, 9, ra);
        return r;
    };
    const QByteArray across = row("359.80000") + row("  0.40000") + row("359.90000");
    const QByteArray sample = readSample("data");
    const struct {
        QByteArray answer;
        std::optional<double> ra;
    } cases[] = {
        // The sample's heading: 22 47 12.2, not the brightest row (341.85).
        {sample, 15 * (22 + 47 / 60.0 + 12.2 / 3600)},
        // A heading as the local answer writes it (declination without sign).
        {"<H3>Stars around 0 0 30 58 3 14 (J2000), radius 28 arcmin</H3>\n<b>   # id</b>" +
             row("200.00000"),
         0.125},
        // No heading: the mean direction of rows on both sides of 0h (an
        // arithmetic mean would give 120 degrees).
        {"<b>   # id</b>" + across, 0.0333333},
        // Hours out of range: the rows decide.
        {"<H3>Stars around 25 0 0 +58 3 14 (J2000)</H3>\n<b>   # id</b>" + across, 0.0333333},
        // A heading cut short: the rows decide.
        {"<H3>Stars around 22 47</H3>\n<b>   # id</b>" + row("100.00000"), 100.0},
        // Neither heading nor rows.
        {"<html>error</html>", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto ra = StarAnswerCentreRa(c.answer);
        ASSERT_EQ(ra.has_value(), c.ra.has_value()) << c.answer.left(60).toStdString();
        if (ra) {
            EXPECT_NEAR(*ra, *c.ra, 1e-4) << c.answer.left(60).toStdString();
        }
    }
}

TEST(StarReader, CountsLimitsAndEnds) {
    CatalogueStarTable t;
    StarReadResult r = ReadUsnoA2Answer(syntheticAnswer(1520), 1, 1, t);
    EXPECT_EQ(r.rowsRead, 1520);
    EXPECT_EQ(r.inUse, 497);
    r = ReadUsnoA2Answer(syntheticAnswer(300), 1, 1, t);
    EXPECT_EQ(r.rowsRead, 300);
    EXPECT_EQ(r.inUse, 300);
    EXPECT_EQ(t.id[301], t.id[301 - 48]) << "rows above the new count are left alone";
    r = ReadUsnoA2Answer(syntheticAnswer(4500), 1, 1, t);
    EXPECT_EQ(r.rowsRead, 4000);
    EXPECT_EQ(t.rowsRead, 4000);

    // A row without "U" in column 6 ends the reading.
    QByteArray answer = readSample("data");
    const qsizetype row3 = answer.indexOf("</b>   1 U") + 4 + 2 * 66;
    answer[row3 + 5] = 'X';
    EXPECT_EQ(ReadUsnoA2Answer(answer, 1, 1, t).rowsRead, 2);

    // A last row without its line end still counts.
    answer = readSample("data");
    answer.truncate(answer.indexOf("</b>   1 U") + 4 + 66 + 65);
    EXPECT_EQ(ReadUsnoA2Answer(answer, 1, 1, t).rowsRead, 2);

    // Error page, empty answer, 20 MB of junk, missing file: no rows.
    EXPECT_EQ(ReadUsnoA2Answer("<html>Server error</html>", 1, 1, t).rowsRead, 0);
    EXPECT_EQ(t.rowsRead, 0);
    EXPECT_EQ(ReadUsnoA2Answer(QByteArray(), 1, 1, t).rowsRead, 0);
    const QByteArray junk(20 * 1024 * 1024, 'U');
    EXPECT_EQ(ReadUsnoA2Answer(junk, 1, 1, t).rowsRead, 0);
    const StarFileResult missing = ReadUsnoA2File("/nonexistent/data", 1, 1, t);
    ASSERT_FALSE(missing.read);
    EXPECT_EQ(missing.read.error().kind, outcome::FileError::Missing);
    EXPECT_EQ(missing.rows.rowsRead, 0);

    // After a failed download the answer on disk belongs to another field:
    // it is refused as such, and the session keeps no star of it.
    auto s = std::make_unique<SessionState>();
    s->Catalogue.stars.resize(3);
    s->StarAnswerStale = true;
    const StarFileResult stale =
        ReadSessionStars(*s, testing_support::sampleFile("data"), TypedCentreFields{});
    ASSERT_FALSE(stale.read);
    EXPECT_EQ(stale.read.error().kind, outcome::FileError::BadContent);
    EXPECT_TRUE(s->Catalogue.stars.empty());
    EXPECT_EQ(s->Stars.rowsRead, 0);
}

namespace {

// A main window in a fresh program folder, its star host on a local server.
class DownloadButton : public ::testing::Test {
protected:
    void SetUp() override {
        http::CurrentLimits().idleTimeoutMs = 400;
        Sites().starServer = server.base();
        Lang().FormMessages[9] = "Stars downloaded";
        Lang().FormTexts[20] = "Stars";
        UseTranslations(QStringLiteral("en")); // the plural forms of the counts
        form = std::make_unique<Form1>();
        ASSERT_TRUE(form->OpenReduction(folder.file("sample.pam")));
        Web().AutonomousMode = false; // never from the cache
        Web().StarSiteEnabled = true;
        form->session().Plate.corrAsd = kSampleCorrAsd; // as "3-Calcul" sets them
        form->session().Plate.corrDec = kSampleCorrDec;
    }
    void TearDown() override { form.reset(); }
    QString topLine() const { return control<QListWidget>(*form, "status")->item(0)->text(); }

    Restore<WebSwitches> m_web{Web()};
    Restore<SiteHosts> m_sites{Sites()};
    Restore<http::Limits> m_limits{http::CurrentLimits()};
    Restore<LanguageTable> m_lang{Lang()};
    ProgramFolderFixture folder;
    LocalHttpServer::Reply reply{200, readSample("data")};
    LocalHttpServer server{[this](const QByteArray&) { return reply; }};
    std::unique_ptr<Form1> form;
};

} // namespace

TEST_F(DownloadButton, FetchesTheFieldAndReadsIt) {
    control<QPushButton>(*form, "DownloadData")->click();
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0],
              QString("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=22+47+12"
                      "&dec=58+3+14&object=&radmax=28&magbright=0&magfaint=11.5.&format=2&sort=mr"
                      "&nout=5000"));
    EXPECT_EQ(Web().StarCacheKey, "224712.2583142811.5"); // the typed texts

    EXPECT_NEAR(form->session().CentreRA, 341.800833, 1e-6);
    EXPECT_EQ(topLine(), QString("Stars downloaded"));
    EXPECT_EQ(control<QListWidget>(*form, "status")->item(1)->text(),
              QString("data: %1 bytes received").arg(readSample("data").size()));
    EXPECT_FALSE(control<QLabel>(*form, "icoG")->isHidden());
    EXPECT_EQ(folder.read("data"), readSample("data"));

    form->READFILE();
    EXPECT_EQ(form->session().Stars.rowsRead, 48);
    EXPECT_EQ(form->session().Stars.inUse, 48);
    EXPECT_EQ(form->session().Stars.id[1], QString("U1425_34184683"));
    EXPECT_EQ(form->session().Stars.ra[1], 284851);  // 341.84683 * 833.27 = 284850.708
    EXPECT_EQ(form->session().Stars.dec[48], 91807); // 58.26691 * 1575.63 = 91807.091
    EXPECT_EQ(form->session().Stars.magBlue[48], QString("12.1"));
    EXPECT_EQ(topLine(), QString("Stars: 48/48 objects read"));

    // Missing answer file: an empty table and a status line.
    QFile::remove(folder.file("data"));
    form->READFILE();
    EXPECT_EQ(form->session().Stars.rowsRead, 0);
    EXPECT_EQ(topLine(), QString("Stars: 0/0 objects read"));
}

TEST_F(DownloadButton, CancelEndsARunningDownloadAndKeepsThePreviousAnswer) {
    const QByteArray previous = folder.read("data");
    reply.dripMs = 50; // the whole answer would take minutes
    auto* cancel = control<QPushButton>(*form, "cancelDownload");
    EXPECT_TRUE(cancel->isHidden());
    bool shownDuring = false;
    QTimer::singleShot(300, [&] {
        shownDuring = !cancel->isHidden() && cancel->isEnabled();
        cancel->click();
    });
    QElapsedTimer clock;
    clock.start();
    form->DownloadData_Click();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(shownDuring);
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_EQ(folder.read("data"), previous);
    EXPECT_TRUE(logged(*form, "cancelled"));
    EXPECT_FALSE(control<QLabel>(*form, "icoG")->isHidden());
}

TEST(SiteWindows, SwitchTheModeAndTheSites) {
    Restore keepWeb(Web());
    Web().AutonomousMode = false;
    FrmMode mode;
    EXPECT_FALSE(mode.Check->isChecked());
    EXPECT_EQ(mode.lbl(0)->text(),
              QString("Les coordonnées, la date, et la magneture doivent  etre identique."));
    mode.Check->setChecked(true);
    mode.cmdOK->click();
    EXPECT_TRUE(Web().AutonomousMode);

    Web().UpdateCheckEnabled = true;
    Web().StarSiteEnabled = true;
    Web().MinorPlanetSiteEnabled = true;
    frmInternet sites;
    EXPECT_EQ(sites.Chk(1)->text(), "Star download: " + Sites().starServer);
    EXPECT_TRUE(sites.Chk(0)->isChecked() && sites.Chk(1)->isChecked() &&
                sites.Chk(2)->isChecked());
    sites.Chk(1)->setChecked(false);
    sites.cmdOK->click();
    EXPECT_TRUE(Web().UpdateCheckEnabled);
    EXPECT_FALSE(Web().StarSiteEnabled);
    EXPECT_TRUE(Web().MinorPlanetSiteEnabled);
}

TEST(SiteWindows, HostsComeFromSitesCfg) {
    ProgramFolderFixture folder;
    SiteHosts hosts = ReadSiteHosts(folder.file("sites.cfg")); // shipped file: all commented
    EXPECT_EQ(hosts.starServer, QString("http://archive.eso.org"));
    EXPECT_EQ(hosts.minorPlanetService, QString("https://scully.cfa.harvard.edu"));
    EXPECT_TRUE(hosts.makerSite.isEmpty());
    folder.write("sites.cfg",
                 "[sites]\nstar_server=http://127.0.0.1:8080/\nmaker_site=https://x.org\n");
    hosts = ReadSiteHosts(folder.file("sites.cfg"));
    EXPECT_EQ(hosts.starServer, QString("http://127.0.0.1:8080"));
    EXPECT_EQ(hosts.makerSite, QString("https://x.org"));
    EXPECT_EQ(hosts.minorPlanetService, QString("https://scully.cfa.harvard.edu"));
}
