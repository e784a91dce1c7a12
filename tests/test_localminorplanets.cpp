// The minor-planet answer computed on the machine: the page, its round trip
// through the reader's columns to the overlay, bad input; the MPC report and
// the minor planet a measured point is offered as.
#include "catalogues/localminorplanets.h"
#include "catalogues/mpcreport.h"
#include "catalogues/reportposition.h"
#include "catalogues/sites.h"
#include "catalogues/web/elementsdownload.h"
#include "catalogues/web/minorplanetquery.h"
#include "field/overlay.h"
#include "localserver.h"
#include "platform/numbers.h"
#include "reduction/rightascension.h"
#include "testing.h"

#include <QDir>
#include <QTimer>
#include <erfa.h>
#include <sys/stat.h>

using namespace reduction;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;

using namespace testing_support;

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

QString shippedElements() {
    return QStringLiteral(TEST_PROGRAM_DIR "/asteroids.dat");
}

// A page as the minor-planet reader takes it.
struct PageRow {
    QString designation, name, magnitude, motion1, motion2;
    double ra = 0, dec = 0; // degrees
};

std::vector<PageRow> readPage(const QByteArray& page) {
    MinorPlanetTable table;
    const MinorPlanetReadResult r = ReadMinorPlanetAnswer(page, 1, 1, 0, table);
    EXPECT_TRUE(r.tableFound);
    std::vector<PageRow> rows;
    for (int i = 1; i <= r.count; ++i)
        rows.push_back({table.designation[i], table.name[i], table.magnitude[i], table.motion1[i],
                        table.motion2[i], r.positions[std::size_t(i)].ra,
                        r.positions[std::size_t(i)].dec});
    return rows;
}

} // namespace

TEST(LocalMinorPlanets, SampleQueryGivesTheSampleAnswer) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("data2"));
    const auto result =
        WriteLocalMinorPlanetAnswer(shippedElements(), sampleMinorPlanetFields(), out);
    ASSERT_TRUE(result) << result.error().message.toStdString();
    EXPECT_EQ(result->objects, 3);
    const QByteArray page = readFile(out);

    const auto rows = readPage(page);
    const auto sample = readPage(readSample(QStringLiteral("data2")));
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_EQ(page.count("\r\n"), 56);
    EXPECT_EQ(page.count('\n'), 56);
    ASSERT_EQ(rows.size(), sample.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].designation, sample[i].designation);
        EXPECT_EQ(rows[i].name, sample[i].name);
        EXPECT_EQ(rows[i].magnitude, sample[i].magnitude);
        EXPECT_EQ(rows[i].motion1, sample[i].motion1);
        EXPECT_EQ(rows[i].motion2, sample[i].motion2);
        // Both pages are rounded to 0.1 s and 1": within 1" of each other
        // up to that rounding.
        EXPECT_LT(separationArcsec(rows[i].ra, rows[i].dec, sample[i].ra, sample[i].dec), 1.5)
            << rows[i].name.toStdString();
    }
    // The heading lines and the closing "</pre>" sit where the sample has them.
    const QList<QByteArray> lines = page.split('\n');
    EXPECT_EQ(lines[9], " <pre>\r");
    EXPECT_EQ(lines[16].mid(1, 6), "</pre>");
    EXPECT_TRUE(lines[13].startsWith("  (2105) Gudy            22 31 56.1 +45 23 2"));
}

TEST(LocalMinorPlanets, RoundTripToTheOverlayOnTheSampleField) {
    // An object made to be in the sample field: a circular orbit through a
    // point 1.2 au from the Earth, 6' north-east of the image centre, on
    // 2016-08-15 22:00 UTC.
    const double tt = *ephemeris::UtcToTT(2016, 8, 15, 22, 0);
    const TrueSky target = sampleTrueSky(600, 400);
    const ephemeris::EarthState earth = ephemeris::EarthAt(tt);
    double u[3];
    eraS2c(target.ra * kDeg, target.dec * kDeg, u);
    double helio[3], ecl[3], rm[3][3];
    for (int k = 0; k < 3; ++k)
        helio[k] = earth.earth[k] + 1.2 * u[k];
    eraEcm06(2451545.0, 0, rm);
    eraRxp(rm, helio, ecl);
    double lon = 0, lat = 0;
    eraC2s(ecl, &lon, &lat);
    ASSERT_GT(lat, 0);
    const double a = eraPm(ecl);
    const QByteArray json =
        QStringLiteral(R"json({"fields":["full_name","H","G","epoch_mjd","e","a","i","om","w","ma"],
            "data":[["  9999 Testobject (2016 QA)","12.0","0.15","%1","0","%2","%3","%4","0","90"]]})json")
            .arg(tt + 51544.5, 0, 'f', 8)
            .arg(a, 0, 'f', 10)
            .arg(lat / kDeg, 0, 'f', 10)
            .arg(std::fmod(lon / kDeg - 90 + 360, 360), 0, 'f', 10)
            .toLatin1();
    QTemporaryDir dir;
    const QString elements = dir.filePath(QStringLiteral("test.json"));
    writeFile(elements, json);

    MinorPlanetFields t = sampleMinorPlanetFields();
    t.date[0] = QStringLiteral("15");
    t.date[1] = QStringLiteral("8");
    t.date[2] = QStringLiteral("2016");
    t.date[3] = QStringLiteral("22");
    t.date[4] = QStringLiteral("0");
    t.radius = QStringLiteral("28");
    t.limit = QStringLiteral("16");
    const QString out = dir.filePath(QStringLiteral("data2"));
    const auto result = WriteLocalMinorPlanetAnswer(elements, t, out);
    ASSERT_TRUE(result) << result.error().message.toStdString();
    const auto rows = readPage(readFile(out));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].designation.toStdString(), "  9999");
    EXPECT_EQ(rows[0].name, QLatin1String("Testobject"));

    // Through the reader into the table, then onto the image through an
    // affine plate that agrees with the true plate around the object.
    const PlateSolution plate = sampleAffinePlate();
    MinorPlanetTable table;
    const MinorPlanetReadResult read =
        ReadMinorPlanetAnswer(readFile(out), plate.corrAsd, plate.corrDec, 341.8, table);
    ASSERT_EQ(read.count, 1);
    EXPECT_EQ(table.name[1], QLatin1String("Testobject"));
    MarkerStore markers;
    MarkerPlacer placer(plate, markers.aster.size);
    ASSERT_TRUE(PlaceMinorPlanetMarkers(placer, table, markers.aster, markers.aster_lbl));
    const double x = markers.aster.left[1] + markers.aster.size / 2;
    const double y = markers.aster.top[1] + markers.aster.size / 2;
    // The light time moves the object by some arcseconds from the point the
    // orbit was made through; the marker must show the computed place.
    const TrueSky at = sampleTrueSky(x, y);
    EXPECT_LT(separationArcsec(at.ra, at.dec, rows[0].ra, rows[0].dec), 3 * 2.285);
    EXPECT_LT(std::hypot(x - 600, y - 400), 30);
}

TEST(LocalMinorPlanets, BadQueriesAndFilesWriteNothing) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("data2"));
    writeFile(out, "previous answer");
    struct Case {
        int field; // date index, or 5 radius, 6 limit
        const char* text;
        LocalAnswerError kind;
    };
    const Case cases[] = {
        {0, "30", LocalAnswerError::DateTime},  // 30 February
        {3, "24", LocalAnswerError::DateTime},  // hour 24
        {4, "7.5", LocalAnswerError::DateTime}, // no whole minute
        {2, "", LocalAnswerError::DateTime},    // no year
        {5, "0", LocalAnswerError::Radius},     // nothing around the centre
        {5, "1e9", LocalAnswerError::Radius},   // beyond the whole sky
        {6, "bright", LocalAnswerError::Limit}, // no number
    };
    for (const Case& c : cases) {
        MinorPlanetFields t = sampleMinorPlanetFields();
        t.date[1] = QStringLiteral("2"); // 30 February, or 10 February (a fine date)
        (c.field < 5 ? t.date[c.field] : c.field == 5 ? t.radius : t.limit) = QLatin1String(c.text);
        const auto r = WriteLocalMinorPlanetAnswer(shippedElements(), t, out);
        ASSERT_FALSE(r) << c.text;
        EXPECT_EQ(r.error().kind, c.kind) << c.text;
    }
    EXPECT_EQ(readFile(out), "previous answer");
    MinorPlanetFields t = sampleMinorPlanetFields();
    t.ra[0] = QStringLiteral("25");
    const auto beyond = WriteLocalMinorPlanetAnswer(shippedElements(), t, out);
    ASSERT_FALSE(beyond);
    EXPECT_EQ(beyond.error().kind, LocalAnswerError::Centre);
    const auto missing = WriteLocalMinorPlanetAnswer(dir.filePath(QStringLiteral("none.dat")),
                                                     sampleMinorPlanetFields(), out);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, LocalAnswerError::ElementFile);
    EXPECT_TRUE(missing.error().message.contains(dir.filePath(QStringLiteral("none.dat"))));
    const QString junk = dir.filePath(QStringLiteral("junk.dat"));
    writeFile(junk, "<html>404</html>\n");
    const auto bad = WriteLocalMinorPlanetAnswer(junk, sampleMinorPlanetFields(), out);
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error().kind, LocalAnswerError::ElementFile);
    // An answer that cannot be put in place.
    const auto unwritable = WriteLocalMinorPlanetAnswer(
        shippedElements(), sampleMinorPlanetFields(), dir.filePath(QStringLiteral("no/data2")));
    ASSERT_FALSE(unwritable);
    EXPECT_EQ(unwritable.error().kind, LocalAnswerError::AnswerFile);
    EXPECT_EQ(readFile(out), "previous answer");
}

TEST(LocalMinorPlanets, LongListsStopAtTheTableSize) {
    ephemeris::OrbitCatalogue catalogue;
    ephemeris::Orbit orbit;
    ephemeris::KeplerianElements k;
    k.semiMajorAxis = 2.5;
    ASSERT_TRUE(ephemeris::PrepareOrbit(k, 15, 0.15, orbit));
    std::vector<ephemeris::Sighting> found(620);
    for (std::size_t i = 0; i < found.size(); ++i) {
        catalogue.add(orbit, int(i + 1), QStringLiteral("Obj%1").arg(i + 1), QString(), 0);
        found[i].index = i;
        found[i].place.ra = 1.0;
        found[i].place.dec = -0.5 - 1e-6 * double(i); // south of the centre
        found[i].magnitude = 15;
        found[i].raRate = -0.4; // rounds to 0: no minus sign
        found[i].decRate = 123.5;
    }
    LocalMinorPlanetQuery q;
    q.ra = 1.0 / kDeg;
    q.dec = -0.5 / kDeg;
    q.radius = 100;
    q.limit = 19;
    const QByteArray page =
        LocalMinorPlanetPage(catalogue, found, sampleMinorPlanetFields(), q, "x");
    const auto rows = readPage(page);
    EXPECT_EQ(page.count("\r\n"), kLocalPageRows + 53);
    ASSERT_EQ(int(rows.size()), kLocalPageRows);
    EXPECT_TRUE(page.contains("Found: 620; only the 500 nearest are listed."));
    EXPECT_EQ(rows[0].designation.toStdString(), "     1");
    EXPECT_EQ(rows[0].motion1, QLatin1String(" 0+"));
    EXPECT_EQ(rows[0].motion2, QLatin1String("24+")); // 124 does not fit the reader's 3 columns
    EXPECT_LT(rows[0].dec, 0);
    EXPECT_EQ(page.split('\n')[13].mid(35, 10), " -28 38 52"); // -0.5 rad
}

TEST(MpcReport, ColumnsOfTheEightyColumnFormat) {
    // Worked example: (433) Eros on 2023 March 12 at 02:57:46.08 UTC
    // (12.12345 d), R.A. 10h33m54.128s, Decl. +7 50' 13.84", V 12.64.
    MpcObservation o;
    o.designation = QStringLiteral("(433) Eros");
    o.year = 2023, o.month = 3, o.day = 12, o.hour = 2, o.minute = 57, o.seconds = 46.08;
    o.ra = (10 + 33 / 60.0 + 54.128 / 3600) * 15;
    o.dec = 7 + 50 / 60.0 + 13.84 / 3600;
    o.magnitude = 12.64;
    o.band = u'V';
    o.observatory = QStringLiteral("500");
    const auto line = FormatMpcObservation(o);
    ASSERT_TRUE(line) << line.error().message.toStdString();
    //                      1         2         3         4         5         6         7         8
    //             12345678901234567890123456789012345678901234567890123456789012345678901234567890
    EXPECT_EQ(*line,
              "00433         C2023 03 12.12345 10 33 54.13 +07 50 13.8          12.6 V      500");
    auto cols = [&line](int a, int b) { return line->mid(a - 1, b - a + 1); };
    EXPECT_EQ(line->size(), 80);
    EXPECT_EQ(cols(1, 5), "00433");
    EXPECT_EQ(cols(15, 15), "C");
    EXPECT_EQ(cols(16, 32), "2023 03 12.12345 ");
    EXPECT_EQ(cols(33, 44), "10 33 54.13 ");
    EXPECT_EQ(cols(45, 56), "+07 50 13.8 ");
    EXPECT_EQ(cols(66, 71), "12.6 V");
    EXPECT_EQ(cols(78, 80), "500");

    // Provisional and temporary designations go to columns 6-12; rounding
    // carries into the next day, hour and degree.
    o.designation = QStringLiteral("2022 HK5");
    o.year = 2022, o.month = 12, o.day = 31, o.hour = 23, o.minute = 59, o.seconds = 59.9999;
    o.ra = 359.99999999;
    o.dec = -(29 + 59 / 60.0 + 59.97 / 3600);
    o.magnitude.reset();
    o.observatory = QStringLiteral("J95");
    const auto carried = FormatMpcObservation(o);
    ASSERT_TRUE(carried);
    EXPECT_EQ(carried->toStdString(), "     K22H05K  C2023 01 01.00000 00 00 00.00 -30 00 00.0" +
                                          std::string(22, ' ') + "J95");
    o.designation = QStringLiteral("MyObj1");
    EXPECT_EQ(FormatMpcObservation(o)->mid(0, 12), "     MyObj1 ");
    o.designation = QStringLiteral("124000");
    EXPECT_EQ(FormatMpcObservation(o)->mid(0, 12), "C4000       ");

    // Each field that cannot be written is told apart by its kind.
    const struct {
        const char* what;
        void (*spoil)(MpcObservation&);
        ReportError kind;
    } bad[] = {
        {"no designation", [](MpcObservation& b) { b.designation.clear(); },
         ReportError::Designation},
        {"designation too long", [](MpcObservation& b) { b.designation = "toolongname"; },
         ReportError::Designation},
        {"designation with a space", [](MpcObservation& b) { b.designation = "a b"; },
         ReportError::Designation},
        {"observatory of 2 characters", [](MpcObservation& b) { b.observatory = "50"; },
         ReportError::Observatory},
        {"29 February 2022", [](MpcObservation& b) { b.month = 2, b.day = 29; },
         ReportError::DateTime},
        {"minute 60", [](MpcObservation& b) { b.minute = 60; }, ReportError::DateTime},
        {"declination beyond the pole", [](MpcObservation& b) { b.dec = 90.5; },
         ReportError::Position},
        {"right ascension not a number", [](MpcObservation& b) { b.ra = NAN; },
         ReportError::Position},
    };
    for (const auto& c : bad) {
        MpcObservation spoilt = o;
        c.spoil(spoilt);
        const auto refused = FormatMpcObservation(spoilt);
        ASSERT_FALSE(refused) << c.what;
        EXPECT_EQ(refused.error().kind, c.kind) << c.what;
    }

    QTemporaryDir dir;
    const QString report = dir.filePath(QStringLiteral("report.txt"));
    EXPECT_TRUE(AppendReportLine(report, *line).ok());
    EXPECT_TRUE(AppendReportLine(report, *carried).ok());
    EXPECT_EQ(readFile(report), (*line + "\r\n" + *carried + "\r\n").toLatin1());
}

// The typed rows the computation hands over are the rows the reader takes
// from the page it wrote (same order, same rounding to the page's columns),
// so that a fresh answer and "data2" read later agree.
TEST(LocalMinorPlanets, RowsHandedOverEqualThePageReadBack) {
    QTemporaryDir dir;
    MinorPlanetFields sky = sampleMinorPlanetFields();
    sky.radius = QStringLiteral("10800"); // the whole sky: both hemispheres, both sides of 0h
    sky.limit = QStringLiteral("30");
    struct Case {
        const char* what;
        MinorPlanetFields fields;
        std::size_t atLeast;
    };
    const Case cases[] = {
        {"sample field", sampleMinorPlanetFields(), 3},
        {"whole sky", sky, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString out = dir.filePath(QStringLiteral("data2"));
        const auto result = WriteLocalMinorPlanetAnswer(shippedElements(), c.fields, out);
        ASSERT_TRUE(result) << result.error().message.toStdString();
        MinorPlanetTable table;
        const double centreRa = 341.8; // about the sample field, as the window unwraps
        const MinorPlanetReadResult read =
            ReadMinorPlanetAnswer(readFile(out), 1, 1, centreRa, table);
        ASSERT_GE(read.planets.size(), c.atLeast);
        ASSERT_EQ(result->planets.size(), read.planets.size());
        for (std::size_t i = 0; i < read.planets.size(); ++i) {
            SCOPED_TRACE("row " + std::to_string(i + 1));
            const CatalogueRow& h = result->planets[i];
            const CatalogueRow& r = read.planets[i];
            EXPECT_EQ(h.kind, SkyObjectKind::MinorPlanet);
            EXPECT_EQ(h.id, r.id);
            EXPECT_EQ(h.name, r.name);
            EXPECT_EQ(UnwrapRa(h.ra, centreRa), r.ra);
            EXPECT_EQ(h.sky().ra, read.positions[i + 1].ra); // as the row gives it
            EXPECT_EQ(h.dec, r.dec);
            EXPECT_EQ(h.mag, r.mag);
            EXPECT_EQ(h.motion1, r.motion1);
            EXPECT_EQ(h.motion2, r.motion2);
        }
    }
}

TEST(LocalMinorPlanets, CommandLineMode) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("answer"));
    QStringList args{"--local-minor-planets", shippedElements(), "--day", "10", "--month", "10"};
    args += {"--year", "2022", "--hour", "21", "--minute", "36", "--ra", "22 47 12.2"};
    args += {"--dec", "+58 03 14", "--radius", "960", "--limit", "19.0", "--answer-out", out};
    ASSERT_EQ(runPlatesolve(args).status, 0);
    // Exactly what the window's routine writes for the same texts.
    const QString direct = dir.filePath(QStringLiteral("direct"));
    ASSERT_TRUE(
        WriteLocalMinorPlanetAnswer(shippedElements(), sampleMinorPlanetFields(), direct).ok());
    EXPECT_EQ(readFile(out), readFile(direct));

    QStringList badRa = args, missing = args, fifo = args;
    badRa[args.indexOf("--ra") + 1] = QStringLiteral("22 47");
    missing[1] = dir.filePath(QStringLiteral("missing.dat"));
    fifo[1] = dir.filePath(QStringLiteral("elements.fifo")); // would block the reading for good
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo[1]).constData(), 0600), 0);
    const std::pair<QStringList, const char*> bad[] = {
        {badRa, "--ra"},
        {missing, "missing.dat"},
        {fifo, "elements.fifo"},
        {args.mid(0, args.size() - 2), "--answer-out"}};
    for (const auto& [arguments, says] : bad) {
        const ToolRun r = runPlatesolve(arguments);
        EXPECT_EQ(r.status, 2) << says;
        EXPECT_TRUE(r.err.contains(QLatin1String(says))) << r.err.toStdString();
    }
}

TEST(LocalMinorPlanets, ElementsDownloadAndSiteSettings) {
    ProgramFolderFixture folder;
    folder.write(QStringLiteral("sites.cfg"),
                 "[sites]\nminor_planet_source=local\n"
                 "minor_planet_elements=MPCORB.DAT\n"
                 "minor_planet_elements_url=http://127.0.0.1:1/m.gz\n");
    const SiteHosts sites = ReadSiteHosts(folder.file(QStringLiteral("sites.cfg")));
    EXPECT_TRUE(sites.localMinorPlanets());
    EXPECT_EQ(sites.minorPlanetElements, QLatin1String("MPCORB.DAT"));
    EXPECT_EQ(sites.minorPlanetElementsUrl, QLatin1String("http://127.0.0.1:1/m.gz"));
    EXPECT_FALSE(SiteHosts().localMinorPlanets()); // the service by default

    // One orbit, compressed as the Minor Planet Center serves it.
    const QByteArray ceres = kCeresMpcorbLine + "\n";
    const QByteArray packed = gzip(ceres);
    ASSERT_FALSE(packed.isEmpty());
    QByteArray served = packed;
    LocalHttpServer server([&served](const QByteArray&) {
        LocalHttpServer::Reply r;
        r.body = served;
        return r;
    });
    const QString url = server.base() + QStringLiteral("/iau/MPCORB/MPCORB.DAT.gz");
    const auto first = DownloadMinorPlanetElements(url);
    ASSERT_TRUE(first) << first.error().message.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("MPCORB.DAT")), ceres);
    const auto reading = ephemeris::ReadOrbitFile(first->path);
    ASSERT_TRUE(reading.ok());
    EXPECT_EQ(reading->catalogue.name(0).name, QLatin1String("Ceres"));

    // An error page or a damaged archive leaves the unpacked file as it was.
    served = "<html>Service unavailable</html>";
    const auto page = DownloadMinorPlanetElements(url);
    ASSERT_FALSE(page);
    EXPECT_EQ(page.error().kind, ElementsError::NotAnArchive);
    served = packed.left(packed.size() - 12);
    const auto cut = DownloadMinorPlanetElements(url);
    ASSERT_FALSE(cut);
    EXPECT_EQ(cut.error().kind, ElementsError::Damaged);
    EXPECT_EQ(folder.read(QStringLiteral("MPCORB.DAT")), ceres);
    EXPECT_EQ(folder.read(QStringLiteral("MPCORB.DAT.gz")), packed);
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("MPCORB.DAT.gz.part"))));
}

TEST(LocalMinorPlanets, ElementsDownloadRefusesWhatIsNoElementFileAndKeepsTheOldFiles) {
    ProgramFolderFixture folder;
    const QByteArray oldText = kCeresMpcorbLine + "\n";
    const QByteArray oldArchive = gzip(oldText);
    folder.write(QStringLiteral("MPCORB.DAT"), oldText);
    folder.write(QStringLiteral("MPCORB.DAT.gz"), oldArchive);
    LocalHttpServer::Reply served;
    LocalHttpServer server([&served](const QByteArray&) { return served; });
    const QString url = server.base() + QStringLiteral("/MPCORB.DAT.gz");
    const auto mpcorbFiles = [&folder] {
        return QDir(folder.path()).entryList({QStringLiteral("MPCORB*")}, QDir::Files);
    };
    const QStringList before = mpcorbFiles();

    ephemeris::OrbitFileLimits small;
    small.maxText = 1 << 20;
    struct Case {
        const char* what;
        QByteArray body;
        ephemeris::OrbitFileLimits limits;
        ElementsError kind;
    };
    const Case cases[] = {
        // 64 MiB of zeros in 64 kB: refused after 16 MiB without an orbit.
        {"bomb of zeros",
         gzipRepeated(QByteArray(1024, '\0'), 1 << 16),
         {},
         ElementsError::NotElements},
        // Good records, more of them than the limit allows.
        {"too large", gzipRepeated(kCeresMpcorbLine + "\n", 20000), small, ElementsError::TooLarge},
        // A valid gzip of something else.
        {"compressed page",
         gzip("<html><body>Moved</body></html>\n"),
         {},
         ElementsError::NotElements},
        // Not gzip at all: refused at its first bytes.
        {"page", "<html><body>Moved</body></html>\n", {}, ElementsError::NotAnArchive},
    };
    for (const Case& c : cases) {
        served.body = c.body;
        const auto r = DownloadMinorPlanetElements(url, {}, {}, c.limits);
        ASSERT_FALSE(r) << c.what;
        EXPECT_EQ(r.error().kind, c.kind) << c.what << ": " << r.error().message.toStdString();
        EXPECT_EQ(folder.read(QStringLiteral("MPCORB.DAT")), oldText) << c.what;
        EXPECT_EQ(folder.read(QStringLiteral("MPCORB.DAT.gz")), oldArchive) << c.what;
        EXPECT_EQ(mpcorbFiles(), before) << c.what; // nothing left behind
    }

    // A good archive, sent without a length: both files replaced, the
    // unpacking's progress heard to its end.
    const QByteArray newText = (kCeresMpcorbLine + "\n").repeated(3);
    served.body = gzip(newText);
    served.withLength = false;
    std::pair<qint64, qint64> last{-1, -1};
    const auto r = DownloadMinorPlanetElements(url, {}, [&last](qint64 done, qint64 total) {
        last = {done, total};
    });
    ASSERT_TRUE(r) << r.error().message.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("MPCORB.DAT")), newText);
    EXPECT_EQ(folder.read(QStringLiteral("MPCORB.DAT.gz")), served.body);
    EXPECT_EQ(last, std::make_pair(qint64(served.body.size()), qint64(served.body.size())));
    EXPECT_EQ(mpcorbFiles(), before);
}

TEST(LocalMinorPlanets, ElementFileReadOnAWorkerWithProgressAndCancel) {
    ProgramFolderFixture folder;
    QTemporaryDir dir;
    const QByteArray elements = readFile(shippedElements());
    DownloadOptions options;
    std::pair<qint64, qint64> last{-1, -1};
    options.progress = [&last](qint64 done, qint64 total) { last = {done, total}; };

    // A file not read before this session: its reading's progress arrives.
    const QString first = dir.filePath(QStringLiteral("first.dat"));
    writeFile(first, elements);
    // An event posted before the reading is handled while it runs.
    bool eventHandled = false;
    QTimer::singleShot(0, [&eventHandled] { eventHandled = true; });
    const DownloadResult read = QueryLocalMinorPlanets(sampleMinorPlanetFields(), first, options);
    ASSERT_TRUE(read.ok()) << read.message.toStdString();
    EXPECT_TRUE(eventHandled);
    EXPECT_EQ(last, std::make_pair(qint64(elements.size()), qint64(elements.size())));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("data2"))));

    // Cancelled: no answer, and the file is not taken as read.
    const QString second = dir.filePath(QStringLiteral("second.dat"));
    writeFile(second, elements);
    options.cancelled = [] { return true; };
    EXPECT_FALSE(QueryLocalMinorPlanets(sampleMinorPlanetFields(), second, options).ok());
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("data2"))));
    options.cancelled = {};
    {
        // Asked while a download runs (from an event handled meanwhile).
        const DownloadSlot running;
        EXPECT_FALSE(QueryLocalMinorPlanets(sampleMinorPlanetFields(), second, options).ok());
    }
    EXPECT_TRUE(QueryLocalMinorPlanets(sampleMinorPlanetFields(), second, options).ok());
}

namespace {

void addRow(MinorPlanetTable& t, const QString& designation, const QString& name, double ra,
            double dec, double corrAsd, double corrDec) {
    const int i = ++t.count;
    t.designation[i] = designation;
    t.name[i] = name;
    t.ra[i] = QString::number(std::round(ra * corrAsd), 'f', 0);
    t.dec[i] = QString::number(std::round(dec * corrDec), 'f', 0);
}

ReportTexts typedTexts() {
    ReportTexts t;
    t.designation = QStringLiteral("433");
    t.date = {QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("2022"),
              QStringLiteral("21"), QStringLiteral("36")};
    t.band = QStringLiteral("V");
    t.observatory = QStringLiteral("500");
    return t;
}

} // namespace

TEST(ReportPosition, NearestMinorPlanetOfTheMapInPackedForm) {
    const double asd = 833.27, dec = 1575.63;
    MinorPlanetTable t;
    addRow(t, QStringLiteral("  2105"), QStringLiteral("Gudy"), 341.9, 58.0, asd, dec);
    addRow(t, QString(), QStringLiteral("2022HK5"), 341.8, 58.05, asd, dec);
    // Just past 0h, stored beside a field at 23h59m as the reader unwraps it.
    addRow(t, QStringLiteral("123456"), QStringLiteral("1998SK"), 360.02, 58.0, asd, dec);

    auto n = NearestMinorPlanet(t, asd, dec, {341.79, 58.05});
    ASSERT_TRUE(n);
    EXPECT_EQ(n->row, 2);
    EXPECT_EQ(n->packed, QLatin1String("K22H05K"));
    EXPECT_EQ(n->label, QLatin1String("2022 HK5"));
    EXPECT_NEAR(n->arcminutes, 0.01 * std::cos(58.05 * 3.14159265 / 180) * 60, 0.1);

    n = NearestMinorPlanet(t, asd, dec, {0.01, 58.0});
    ASSERT_TRUE(n);
    EXPECT_EQ(n->row, 3);
    EXPECT_EQ(n->packed, QLatin1String("C3456"));
    EXPECT_EQ(n->label, QLatin1String("(123456) 1998 SK"));
    EXPECT_LT(n->arcminutes, 1.0);

    // Offered only when it is close: 0.6' away yes, 6' away no.
    ReportDraft draft;
    draft.nearest = NearestMinorPlanet(t, asd, dec, {341.8, 58.06});
    EXPECT_EQ(OfferedDesignation(draft), QLatin1String("K22H05K"));
    draft.nearest = NearestMinorPlanet(t, asd, dec, {341.8, 58.15});
    EXPECT_EQ(OfferedDesignation(draft), QString());

    t.count = 0;
    EXPECT_FALSE(NearestMinorPlanet(t, asd, dec, {341.8, 58.0}));

    EXPECT_EQ(PackedDesignation(QStringLiteral("   945"), QStringLiteral("Barcelona")),
              QLatin1String("00945"));
    EXPECT_EQ(PackedDesignation(QString(), QStringLiteral("2040P-L")), QLatin1String("PLS2040"));
    EXPECT_EQ(PackedDesignation(QString(), QStringLiteral("Unnamed")), QString());
}

TEST(ReportPosition, LineFromTheTypedTexts) {
    const SkyPoint sky{341.812042, 57.786152};
    ReportTexts t = typedTexts();
    auto line = ReportLine(t, sky);
    ASSERT_TRUE(line) << line.error().message.toStdString();
    EXPECT_EQ(*line, QStringLiteral("00433         C2022 10 10.90000 22 47 14.89 +57 47 10.1") +
                         QString(22, u' ') + QStringLiteral("500"));

    t.magnitude = QStringLiteral("14,46");
    t.band = QStringLiteral(" R ");
    line = ReportLine(t, sky);
    ASSERT_TRUE(line) << line.error().message.toStdString();
    EXPECT_EQ(line->mid(65, 6), QLatin1String("14.5 R"));

    // Each wrong text is told apart by its kind, and the message shows the
    // value typed (when there is one to show); no line comes out.
    const struct {
        void (*spoil)(ReportTexts&);
        ReportError kind;
        const char* shown;
    } cases[] = {
        {[](ReportTexts& b) { b.date[3] = QStringLiteral("9.5"); }, ReportError::DateTime, "9.5"},
        {[](ReportTexts& b) { b.date[0] = QStringLiteral("31"), b.date[1] = QStringLiteral("11"); },
         ReportError::DateTime, "-11-31"},
        {[](ReportTexts& b) { b.magnitude = QStringLiteral("bright"); }, ReportError::Magnitude,
         "bright"},
        {[](ReportTexts& b) { b.magnitude = QStringLiteral("15"), b.band = QStringLiteral("VR"); },
         ReportError::Band, "VR"},
        {[](ReportTexts& b) { b.observatory = QStringLiteral("50"); }, ReportError::Observatory,
         "\"50\""},
        {[](ReportTexts& b) { b.designation = QStringLiteral("a b"); }, ReportError::Designation,
         "a b"},
    };
    for (const auto& c : cases) {
        ReportTexts bad = typedTexts();
        c.spoil(bad);
        const auto line = ReportLine(bad, sky);
        ASSERT_FALSE(line) << c.shown;
        EXPECT_EQ(line.error().kind, c.kind) << c.shown;
        EXPECT_TRUE(line.error().message.contains(QLatin1String(c.shown)))
            << line.error().message.toStdString();
    }
}
