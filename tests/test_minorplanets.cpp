// The minor-planet query texts and the reader of the service's answer.
#include "catalogues/minorplanets.h"
#include "catalogues/reportposition.h"
#include "testing.h"

#include <QLocale>

using namespace reduction;
using namespace field;
using namespace catalogues;

using testing_support::ProgramFolderFixture;
using testing_support::readSample;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;

// One table row: designation, name, RA and Dec in their columns.
QByteArray row(const char* name, const char* ra, const char* dec) {
    QByteArray line(100, ' ');
    line.replace(0, 7, "   (10)").replace(9, qstrlen(name), name).replace(25, 10, ra);
    return line.replace(36, 9, dec).replace(47, 4, "14.8").replace(69, 3, "16-");
}

// A page in the service's layout: 13 heading lines (the tenth opens the
// table), the rows, the "</pre>" line, then `closing` lines.
QByteArray page(const QList<QByteArray>& rows, const QByteArray& eol = "\r\n", int closing = 40) {
    QList<QByteArray> lines;
    for (int i = 1; i <= 13; ++i)
        lines << (i == 10 ? QByteArray(" <pre>") : QByteArray("heading"));
    lines << rows << " </pre>";
    for (int i = 0; i < closing; ++i)
        lines << "closing";
    return lines.join(eol) + eol;
}

MinorPlanetReadResult read(const QByteArray& answer, MinorPlanetTable& t, double centre = 341.8) {
    return ReadMinorPlanetAnswer(answer, kCorrAsd, kCorrDec, centre, t);
}

} // namespace

TEST(MinorPlanetQuery, PaddingDayFractionAddressAndKey) {
    MinorPlanetFields f;
    f.ra = {"5", "35", "17.3"};
    f.dec = {"5", "", "123"};
    f.decSign = "-";
    f.date = {"5", "7", "2008", "13", "12"};
    f.radius = "960";
    f.limit = "19.0";
    EXPECT_EQ(MinorPlanetCacheKey(f), "53517.35123572008131296019.0"); // before padding
    PadCoordinateFields(f);
    EXPECT_EQ(f.ra[0], "05");
    EXPECT_EQ(f.dec[1], ""); // empty and three-character boxes stay
    EXPECT_EQ(f.dec[2], "123");

    // 13:12 is 0.55 of a day, written with a point whatever the locale.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const auto q = MakeMinorPlanetQuery(f);
    QLocale::setDefault(before);
    ASSERT_TRUE(q);
    EXPECT_EQ(MpcCheckerAddress("https://mpc.example", *q),
              "https://mpc.example/~cgi/MPCheck.COM?year=2008&month=7&day=5.55&which=pos&"
              "ra=05+35+17.3&decl=-05++123&TextArea=&radius=960&limit=19.0&oc=500&sort=d&mot=h&"
              "tmot=s&pdes=u&needed=f&ps=n&type=p");
    EXPECT_EQ(MinorPlanetDayText("10", "21", "36"), "10.9");
    EXPECT_EQ(MinorPlanetDayText("5", "23", "59"), "6"); // 0.9993 rounds up to a whole day
    EXPECT_EQ(MinorPlanetDayText("5", "0", "3"), "5");

    // The first date box that is no number, and its text.
    for (const auto& [box, index] :
         {std::pair{DateBox::Day, 0}, std::pair{DateBox::Hour, 3}, std::pair{DateBox::Minute, 4}}) {
        MinorPlanetFields wrong = f;
        wrong.date[index] = "12 min";
        const auto bad = MakeMinorPlanetQuery(wrong);
        ASSERT_FALSE(bad);
        EXPECT_EQ(bad.error().kind, box);
        EXPECT_EQ(bad.error().message, "12 min");
    }
}

TEST(MinorPlanetReader, ReadsTheSampleAnswerBesideAFieldAtAnyHour) {
    MinorPlanetTable t;
    const auto r = read(readSample("data2"), t);
    ASSERT_EQ(r.count, 3);
    EXPECT_EQ(t.count, 3);
    EXPECT_EQ(t.designation[1], "  2105");
    EXPECT_EQ(t.name[1], "Gudy");
    EXPECT_EQ(t.ra[1], "281632");
    EXPECT_EQ(t.dec[1], "71520");
    EXPECT_EQ(t.magnitude[1], "14.8");
    EXPECT_EQ(t.motion1[1], "16-");
    EXPECT_EQ(t.motion2[1], "29-");
    EXPECT_EQ(t.name[3], "Barcelona");
    EXPECT_EQ(t.motion2[3], " 9-");
    // Kaplan, just past 0h, stays beside the field at 22h47m (360.0258 degrees).
    EXPECT_EQ(t.ra[2], "299999");
    EXPECT_NEAR(r.positions[2].ra, 0.0258333, 1e-6);
    // A field just past 0h keeps Gudy at -22 degrees instead.
    read(readSample("data2"), t, 0.5);
    EXPECT_EQ(t.ra[2], "22");
    EXPECT_EQ(t.ra[1], "-18345");
}

// The typed rows hold the answer's positions as written (right ascension
// beside the field), its magnitude as a number or none, and the motions as
// text; the report's nearest minor planet is taken from them.
TEST(MinorPlanetReader, TypedRowsAndTheNearestOfThem) {
    QByteArray faint = row("Faint", "22 47 12.0", "+58 03 14");
    faint.replace(47, 4, "    "); // no magnitude
    MinorPlanetTable t;
    const auto r = read(page({row("Gudy", "22 31 56.1", "+45 23 28"),
                              row("Kaplan", "00 00 06.2", "-00 49 57"), faint}),
                        t);
    ASSERT_EQ(r.planets.size(), 3u);
    const struct {
        const char* name;
        double ra, dec;
        std::optional<double> mag;
    } expected[] = {
        {"Gudy", 15 * (22 + 31 / 60.0 + 56.1 / 3600), 45 + 23 / 60.0 + 28 / 3600.0, 14.8},
        // unwrapped beside the field at 22h47m; south of the equator
        {"Kaplan", 360 + 15 * 6.2 / 3600, -(49 / 60.0 + 57 / 3600.0), 14.8},
        {"Faint", 15 * (22 + 47 / 60.0 + 12.0 / 3600), 58 + 3 / 60.0 + 14 / 3600.0, std::nullopt},
    };
    for (size_t i = 0; i < 3; ++i) {
        const CatalogueRow& p = r.planets[i];
        EXPECT_EQ(p.kind, SkyObjectKind::MinorPlanet) << i;
        EXPECT_EQ(p.id, "   10)") << i; // as the table keeps it
        EXPECT_EQ(p.name, expected[i].name) << i;
        EXPECT_NEAR(p.ra, expected[i].ra, 1e-9) << i;
        EXPECT_NEAR(p.dec, expected[i].dec, 1e-9) << i;
        EXPECT_EQ(p.mag, expected[i].mag) << i;
        EXPECT_EQ(p.motion1, "16-") << i;
    }
    EXPECT_EQ(t.magnitude[3], "    "); // the table shows none as blanks

    // At Kaplan's own position the nearest is Kaplan, at no distance: the
    // rounded table would put it a few arcseconds off.
    const auto nearest = NearestMinorPlanet(r.planets, {15 * 6.2 / 3600, expected[1].dec});
    ASSERT_TRUE(nearest);
    EXPECT_EQ(nearest->row, 2);
    EXPECT_LT(nearest->arcminutes, 1e-6);
    EXPECT_FALSE(NearestMinorPlanet(std::vector<CatalogueRow>{}, {0, 0}));
}

TEST(MinorPlanetReader, LineEndsAndTheSignOfMinusZeroDegrees) {
    const QList<QByteArray> rows{row("South", "00 00 00.0", "-00 30 00"),
                                 row("North", "01 00 00.0", "+00 30 00"),
                                 row("Far", "01 00 00.0", "-12 30 00")};
    MinorPlanetTable a, b, c;
    ASSERT_EQ(read(page(rows, "\r\n"), a, 0).count, 3);
    ASSERT_EQ(read(page(rows, "\n"), b, 0).count, 3);
    ASSERT_EQ(read(page(rows, "\r"), c, 0).count, 3);
    EXPECT_EQ(a.dec[1], QString::number(std::nearbyint(-0.5 * kCorrDec)));
    EXPECT_EQ(a.dec[2], QString::number(std::nearbyint(0.5 * kCorrDec)));
    EXPECT_EQ(a.dec[3], QString::number(std::nearbyint(-12.5 * kCorrDec)));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(a.dec[i], b.dec[i]);
        EXPECT_EQ(a.dec[i], c.dec[i]);
        EXPECT_EQ(a.motion1[i], c.motion1[i]);
    }
}

TEST(MinorPlanetReader, CountIsTheRowsReadAndBoundsHold) {
    MinorPlanetTable t;
    ASSERT_EQ(read(page(QList<QByteArray>(12, row("Old", "22 40 00.0", "+58 00 00"))), t).count,
              12);
    // 60 lines with "</pre>" as line 20: rows 1 to 6, none of the earlier 12 counted.
    const QByteArray sixty = page(QList<QByteArray>(6, row("New", "22 41 00.0", "+58 01 00")));
    ASSERT_EQ(sixty.count("\r\n"), 60);
    EXPECT_EQ(read(sixty, t).count, 6);
    EXPECT_EQ(t.count, 6);

    // 550 rows: 500 read, and said so.
    auto r = read(page(QList<QByteArray>(550, row("Rock", "22 40 00.0", "+58 00 00"))), t);
    EXPECT_EQ(r.count, 500);
    EXPECT_TRUE(r.tooManyRows);
    // 700 lines with a short table: the table is read, the length reported.
    r = read(page({row("A", "22 40 00.0", "+58 00 00")}, "\n", 685), t);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.lines, 600);
    EXPECT_TRUE(r.tooManyLines);
    EXPECT_FALSE(r.tooManyRows);
}

TEST(MinorPlanetReader, ErrorPagesAndMissingFilesGiveNoRows) {
    ProgramFolderFixture folder;
    folder.write("data2", readSample("data2"));
    MinorPlanetTable t;
    auto f = ReadMinorPlanetFile(folder.file("data2"), kCorrAsd, kCorrDec, 341.8, t);
    ASSERT_EQ(t.count, 3);
    EXPECT_TRUE(MinorPlanetReadNotes(f).isEmpty());

    // A long error page: its lines are not taken for rows.
    folder.write("data2", QList<QByteArray>(100, "<p>Service unavailable.</p>").join("\n"));
    f = ReadMinorPlanetFile(folder.file("data2"), kCorrAsd, kCorrDec, 341.8, t);
    EXPECT_EQ(t.count, 0);
    EXPECT_FALSE(f.rows.tableFound);
    EXPECT_EQ(MinorPlanetReadNotes(f).size(), 1);
    EXPECT_TRUE(read(page({}), t).tableFound); // an empty table is still a table

    QFile::remove(folder.file("data2"));
    read(readSample("data2"), t);
    f = ReadMinorPlanetFile(folder.file("data2"), kCorrAsd, kCorrDec, 341.8, t);
    ASSERT_FALSE(f.read);
    EXPECT_EQ(f.read.error().kind, outcome::FileError::Missing);
    EXPECT_EQ(t.count, 0);
    EXPECT_EQ(MinorPlanetReadNotes(f).size(), 1);
}
