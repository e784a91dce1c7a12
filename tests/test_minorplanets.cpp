// The minor-planet query texts and the reader of the service's answer.
#include "catalogues/minorplanets.h"
#include "testing.h"

#include <QLocale>
#include <gtest/gtest.h>

using testing_support::ProgramFolderFixture;
using testing_support::readSample;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;
constexpr double kSampleCentreRa = 341.8; // 22h47m

// One table row with the columns in their places (1-based).
QByteArray row(const char* designation, const char* name, const char* ra, const char* dec,
               const char* mag = "14.8", const char* motion1 = "16-", const char* motion2 = "29-") {
    QByteArray line(100, ' ');
    auto put = [&line](int column, const char* text) {
        const QByteArray t(text);
        line.replace(column - 1, t.size(), t);
    };
    put(1, designation);
    put(10, name);
    put(26, ra);
    put(37, dec);
    put(48, mag);
    put(70, motion1);
    put(77, motion2);
    return line;
}

// A page in the service's layout: 13 heading lines (the tenth opens the
// table), the rows, the closing "</pre>" line and then `closing` lines.
QByteArray page(const QList<QByteArray>& rows, const QByteArray& eol = "\r\n", int closing = 40) {
    QList<QByteArray> lines;
    for (int i = 1; i <= 13; ++i)
        lines << (i == 10 ? QByteArray(" <pre>") : QByteArray("heading ") + QByteArray::number(i));
    lines << rows;
    lines << " </pre>";
    for (int i = 0; i < closing; ++i)
        lines << "closing";
    return lines.join(eol) + eol;
}

MinorPlanetFields sampleFields() {
    MinorPlanetFields f;
    f.ra = {"22", "47", "12.2"};
    f.dec = {"58", "03", "14"};
    f.decSign = "+";
    f.date = {"10", "10", "2022", "21", "36"};
    f.radius = "960";
    f.limit = "19.0";
    return f;
}

} // namespace

TEST(MinorPlanetQuery, PadsOneCharacterFieldsOnly) {
    std::array<QString, 6> t{"5", "35", "17.3", "", "123", "7"};
    PadCoordinateFields(t);
    EXPECT_EQ(t, (std::array<QString, 6>{"05", "35", "17.3", "", "123", "07"}));

    MinorPlanetFields f = sampleFields();
    f.ra = {"5", "35", "17.3"};
    f.dec = {"5", "2", "28"};
    f.decSign = "-";
    PadCoordinateFields(f);
    const auto q = MakeMinorPlanetQuery(f);
    ASSERT_TRUE(q.query);
    EXPECT_EQ(q.query->ra, "05+35+17.3");
    EXPECT_EQ(q.query->decl, "-05+02+28");
}

TEST(MinorPlanetQuery, DayFractionRoundedToTwoDecimalsWithAPoint) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(MinorPlanetDayText("5", "13", "12"), "5.55");
    EXPECT_EQ(MinorPlanetDayText("10", "21", "36"), "10.9");
    EXPECT_EQ(MinorPlanetDayText("5", "0", "0"), "5");
    // 23:59 is 0.99930 of a day: 0.9993 -> 1.00, the next day.
    EXPECT_EQ(MinorPlanetDayText("5", "23", "59"), "6");
    // 3 minutes are 0.00208: 0.00.
    EXPECT_EQ(MinorPlanetDayText("5", "0", "3"), "5");
    EXPECT_EQ(MinorPlanetDayText("5", "x", "0"), std::nullopt);
    QLocale::setDefault(before);

    MinorPlanetFields f = sampleFields();
    f.date = {"5", "7", "2008", "13", "12"};
    const auto q = MakeMinorPlanetQuery(f);
    ASSERT_TRUE(q.query);
    EXPECT_TRUE(MpcCheckerAddress("http://h", *q.query).contains("year=2008&month=7&day=5.55&"));

    f.date[4] = "";
    const auto bad = MakeMinorPlanetQuery(f);
    EXPECT_FALSE(bad.query);
    EXPECT_EQ(bad.badField, "minute");
}

TEST(MinorPlanetQuery, SampleAddressAndCacheKey) {
    const MinorPlanetFields f = sampleFields();
    const auto q = MakeMinorPlanetQuery(f);
    ASSERT_TRUE(q.query);
    EXPECT_EQ(MpcCheckerAddress("https://mpc.example", *q.query),
              "https://mpc.example/~cgi/"
              "MPCheck.COM?year=2022&month=10&day=10.9&which=pos&ra=22+47+12.2&decl=58+03+14&"
              "TextArea=&radius=960&limit=19.0&oc=500&sort=d&mot=h&tmot=s&pdes=u&needed=f&ps=n&"
              "type=p");
    EXPECT_EQ(MinorPlanetCacheKey(f), "224712.258031410102022213696019.0");

    // What could break the address is encoded; the separators stay.
    MinorPlanetFields odd = f;
    odd.limit = "19&x=1";
    EXPECT_TRUE(MpcCheckerAddress("h", *MakeMinorPlanetQuery(odd).query)
                    .contains("&limit=19%26x%3D1&oc=500"));
}

TEST(MinorPlanetReader, ReadsTheSampleAnswer) {
    MinorPlanetTable t;
    const auto r =
        ReadMinorPlanetAnswer(readSample("data2"), kCorrAsd, kCorrDec, kSampleCentreRa, t);
    ASSERT_EQ(r.count, 3);
    EXPECT_EQ(t.count, 3);
    EXPECT_EQ(r.lines, 56);
    EXPECT_TRUE(r.tableFound);
    EXPECT_FALSE(r.tooManyLines || r.tooManyRows);

    EXPECT_EQ(t.designation[1], "  2105");
    EXPECT_EQ(t.name[1], "Gudy");
    EXPECT_EQ(t.ra[1], "281632");
    EXPECT_EQ(t.dec[1], "71520");
    EXPECT_EQ(t.magnitude[1], "14.8");
    EXPECT_EQ(t.motion1[1], "16-");
    EXPECT_EQ(t.motion2[1], "29-");
    EXPECT_EQ(t.designation[3], "   945");
    EXPECT_EQ(t.name[3], "Barcelona");
    EXPECT_EQ(t.ra[3], "290966");
    EXPECT_EQ(t.dec[3], "67540");
    EXPECT_EQ(t.motion2[3], " 9-");

    // Kaplan lies just past 0h while the field is at 22h47m: it stays beside
    // the field, at 360.0258 degrees rather than 0.0258.
    EXPECT_EQ(t.name[2], "Kaplan");
    EXPECT_EQ(t.ra[2], "299999");
    EXPECT_EQ(t.dec[2], "75366");
    EXPECT_NEAR(r.positions[2].ra, 0.0258333, 1e-6);
    EXPECT_NEAR(r.positions[2].dec, 47.8325, 1e-6);

    // A field centred just past 0h keeps Gudy at -22 degrees instead.
    MinorPlanetTable t0;
    ReadMinorPlanetAnswer(readSample("data2"), kCorrAsd, kCorrDec, 0.5, t0);
    EXPECT_EQ(t0.ra[2], "22");
    EXPECT_EQ(t0.ra[1], "-18345");
}

TEST(MinorPlanetReader, LineEndsCrLfLfAndCrReadAlike) {
    const QList<QByteArray> rows{row("  (2105)", "Gudy", "22 31 56.1", "+45 23 28"),
                                 row("   (945)", "Barcelona", "23 16 44.7", "+42 51 55")};
    MinorPlanetTable a, b, c;
    const auto ra = ReadMinorPlanetAnswer(page(rows, "\r\n"), kCorrAsd, kCorrDec, 341.8, a);
    const auto rb = ReadMinorPlanetAnswer(page(rows, "\n"), kCorrAsd, kCorrDec, 341.8, b);
    const auto rc = ReadMinorPlanetAnswer(page(rows, "\r"), kCorrAsd, kCorrDec, 341.8, c);
    EXPECT_EQ(ra.count, 2);
    EXPECT_EQ(rb.count, 2);
    EXPECT_EQ(rc.count, 2);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(a.ra[i], b.ra[i]);
        EXPECT_EQ(a.ra[i], c.ra[i]);
        EXPECT_EQ(a.dec[i], b.dec[i]);
        EXPECT_EQ(a.motion2[i], b.motion2[i]);
        EXPECT_EQ(a.name[i], c.name[i]);
    }
    EXPECT_EQ(a.motion2[1], "29-"); // no CR left at the end of a column
    // The real service's page closes with the same 40 lines whatever the line end.
    EXPECT_EQ(ra.lines, rb.lines);
}

TEST(MinorPlanetReader, DeclinationSignOfMinusZeroDegrees) {
    const QList<QByteArray> rows{row("     (1)", "South", "00 00 00.0", "-00 30 00"),
                                 row("     (2)", "North", "00 00 00.0", "+00 30 00"),
                                 row("     (3)", "Far", "01 00 00.0", "-12 30 00")};
    MinorPlanetTable t;
    const auto r = ReadMinorPlanetAnswer(page(rows), 1000, 1000, 0, t);
    ASSERT_EQ(r.count, 3);
    EXPECT_EQ(t.dec[1], "-500");
    EXPECT_EQ(t.dec[2], "500");
    EXPECT_EQ(t.dec[3], "-12500");
    EXPECT_EQ(t.ra[3], "15000");
    EXPECT_DOUBLE_EQ(r.positions[1].dec, -0.5);
}

TEST(MinorPlanetReader, CountIsTheRowsReadBeforeTheTableEnd) {
    // A longer answer first, so that stale rows would show.
    QList<QByteArray> many;
    for (int i = 0; i < 12; ++i)
        many << row("   (10)", "Old", "22 40 00.0", "+58 00 00");
    MinorPlanetTable t;
    ASSERT_EQ(ReadMinorPlanetAnswer(page(many), kCorrAsd, kCorrDec, 341.8, t).count, 12);

    // 60 lines with the "</pre>" line at line 20: rows 1 to 6.
    QList<QByteArray> six;
    for (int i = 0; i < 6; ++i)
        six << row("   (20)", "New", "22 41 00.0", "+58 01 00");
    const QByteArray answer = page(six, "\r\n", 40);
    ASSERT_EQ(answer.count("\r\n"), 60);
    const auto r = ReadMinorPlanetAnswer(answer, kCorrAsd, kCorrDec, 341.8, t);
    EXPECT_EQ(r.count, 6);
    EXPECT_EQ(t.count, 6);
    EXPECT_EQ(t.name[6], "New");
    EXPECT_EQ(t.name[7], "Old"); // still there, but beyond the count
}

TEST(MinorPlanetReader, BoundsOfLinesAndRows) {
    // 550 rows: 500 are read, the table never grows.
    QList<QByteArray> rows;
    for (int i = 1; i <= 550; ++i)
        rows << row(QByteArray::number(i).rightJustified(7).constData(), "Rock", "22 40 00.0",
                    "+58 00 00");
    MinorPlanetTable t;
    auto r = ReadMinorPlanetAnswer(page(rows), kCorrAsd, kCorrDec, 341.8, t);
    EXPECT_EQ(r.count, 500);
    EXPECT_TRUE(r.tooManyRows);
    EXPECT_EQ(t.designation[500].trimmed(), "500");
    EXPECT_EQ(t.ra.size(), 501u);

    // 700 lines with a short table: the table is read, the length is reported.
    const QByteArray longPage =
        page({row("   (1)", "A", "22 40 00.0", "+58 00 00")}, "\n", 700 - 15);
    r = ReadMinorPlanetAnswer(longPage, kCorrAsd, kCorrDec, 341.8, t);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.lines, 600);
    EXPECT_TRUE(r.tooManyLines);
    EXPECT_FALSE(r.tooManyRows);

    MinorPlanetFileResult fr;
    fr.opened = true;
    fr.rows = r;
    EXPECT_EQ(MinorPlanetReadNotes(fr).size(), 1);
}

TEST(MinorPlanetReader, ErrorPagesGiveNoRows) {
    MinorPlanetTable t;
    ReadMinorPlanetAnswer(readSample("data2"), kCorrAsd, kCorrDec, 341.8, t);
    ASSERT_EQ(t.count, 3);

    // A long error page without a table: its lines are not taken for rows.
    QList<QByteArray> html;
    for (int i = 0; i < 100; ++i)
        html << "<p>The service is unavailable; please try again later.</p>";
    auto r = ReadMinorPlanetAnswer(html.join("\n"), kCorrAsd, kCorrDec, 341.8, t);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(t.count, 0);
    EXPECT_FALSE(r.tableFound);

    for (const QByteArray& bytes : {QByteArray(), QByteArray("\r\n\r\n"), QByteArray("short")}) {
        r = ReadMinorPlanetAnswer(bytes, kCorrAsd, kCorrDec, 341.8, t);
        EXPECT_EQ(r.count, 0);
    }

    // A table with no row is a table, just empty.
    r = ReadMinorPlanetAnswer(page({}), kCorrAsd, kCorrDec, 341.8, t);
    EXPECT_EQ(r.count, 0);
    EXPECT_TRUE(r.tableFound);
}

TEST(MinorPlanetReader, MissingFileEmptiesTheTable) {
    ProgramFolderFixture folder;
    folder.write("data2", readSample("data2"));
    MinorPlanetTable t;
    auto r = ReadMinorPlanetFile(folder.file("data2"), kCorrAsd, kCorrDec, 341.8, t);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(t.count, 3);
    EXPECT_TRUE(MinorPlanetReadNotes(r).isEmpty());

    QFile::remove(folder.file("data2"));
    r = ReadMinorPlanetFile(folder.file("data2"), kCorrAsd, kCorrDec, 341.8, t);
    EXPECT_FALSE(r.opened);
    EXPECT_EQ(t.count, 0);
    ASSERT_EQ(MinorPlanetReadNotes(r).size(), 1);
}
