// The NGC/IC reader, on made-up lines and on the shipped files.
#include "catalogues/deepsky.h"
#include "testing.h"

#include <QFile>
#include <gtest/gtest.h>

using testing_support::ProgramFolderFixture;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;

struct Line {
    QByteArray bytes = QByteArray(127, ' ');
    Line& put(int column, const char* text) {
        const QByteArray t(text);
        bytes.replace(column - 1, t.size(), t);
        return *this;
    }
};

// A catalogue line: number, position, sizes; the rest blank unless put.
Line object(const char* number, const char* ra, const char* dec, const char* size1 = "  2.00",
            const char* size2 = " 1.00") {
    Line l;
    l.put(1, number).put(21, ra).put(32, dec).put(62, size1).put(69, size2);
    return l;
}

QByteArray catalogue(const QList<Line>& lines, const char* eol = "\r\n") {
    QByteArray text = QByteArray("heading\r\ncolumns") + eol;
    for (const Line& l : lines)
        text += l.bytes + eol;
    return text;
}

// The window of a centre given in degrees.
DeepSkyWindow windowAt(double ra, double dec, double halfWidth) {
    return {ra * kCorrAsd, dec * kCorrDec, halfWidth};
}

} // namespace

TEST(DeepSkyReader, WindowHalfWidthUsesTheLargerScale) {
    EXPECT_EQ(DeepSkyWindowHalfWidth(28, kCorrAsd, kCorrDec), 1471); // 2 * 1575.63 / 60 * 28
    EXPECT_EQ(DeepSkyWindowHalfWidth(28, -kCorrDec, kCorrAsd), 1471);
    EXPECT_EQ(DeepSkyWindowHalfWidth(0, kCorrAsd, kCorrDec), 0);
}

TEST(DeepSkyReader, ColumnsOfAKeptObject) {
    Line l = object(" 7380", "22 47 21.0", "+58 07 57", " 25.00", "20.00");
    l.put(51, " 7.6").put(75, " 35").put(79, "Nebula").put(88, "   1305");
    l.put(97, "M 99").put(113, "Wizard Neb.");
    Line noPgc = object("   12", "22 47 00.0", "-00 30 00", "  3.50", "     ");
    noPgc.put(88, "      0");

    DeepSkyTable t;
    DeepSkyReadResult r;
    ReadDeepSkyCatalogue(catalogue({l}), "NGC ", windowAt(341.8, 58.05, 1471), kCorrAsd, kCorrDec,
                         t, r);
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(t.name[1], "NGC 7380");
    EXPECT_EQ(t.magnitude[1], " 7.6");
    EXPECT_EQ(t.size1[1], 25);
    EXPECT_EQ(t.size2[1], 20);
    EXPECT_EQ(t.positionAngle[1], 35);
    EXPECT_EQ(t.description[1], "Nebula  ");
    EXPECT_EQ(t.pgcName[1], "PGC 1305");
    EXPECT_EQ(t.otherName1[1], "M 99           ");
    EXPECT_EQ(t.otherName2[1], "Wizard Neb.    ");
    const double ra = (47 * 60 + 22 * 3600 + 21.0) / 3600.0 * 15;
    const double dec = (58 * 3600 + 7 * 60 + 57) / 3600.0;
    EXPECT_DOUBLE_EQ(t.ra[1], std::nearbyint(ra * kCorrAsd));
    EXPECT_DOUBLE_EQ(t.dec[1], std::nearbyint(dec * kCorrDec));
    EXPECT_DOUBLE_EQ(r.positions[1].ra, ra);

    // A blank second size repeats the first, no PGC number reads "PGC 0", and
    // -00 30 00 is half a degree south.
    DeepSkyTable u;
    DeepSkyReadResult s;
    ReadDeepSkyCatalogue(catalogue({noPgc}), "IC ", {341750, 0, 1000}, 1000, 1000, u, s);
    ASSERT_EQ(s.count, 1);
    EXPECT_EQ(u.name[1], "IC 12");
    EXPECT_EQ(u.size1[1], 3.5);
    EXPECT_EQ(u.size2[1], 3.5);
    EXPECT_EQ(u.pgcName[1], "PGC 0");
    EXPECT_EQ(u.dec[1], -500);
    EXPECT_DOUBLE_EQ(s.positions[1].dec, -0.5);
}

TEST(DeepSkyReader, WindowIsStrictOnItsEdges) {
    // Scale 1 per degree and a half-width of 2: RA 10 and 14 lie on the edges.
    const DeepSkyWindow w{12, 0, 2};
    const QList<Line> lines{
        object("    1", "00 40 00.0", "+00 00 00"),  // RA 10: on the edge, out
        object("    2", "00 40 00.4", "+00 00 00"),  // RA 10.0017 -> 10 after rounding: out
        object("    3", "00 44 00.0", "+00 00 00"),  // RA 11: in
        object("    4", "00 56 00.0", "+00 00 00"),  // RA 14: on the edge, out
        object("    5", "00 48 00.0", "+02 00 00"),  // Dec 2: on the edge, out
        object("    6", "00 48 00.0", "-01 00 00"),  // Dec -1: in
        object("    7", "00 48 00.0", "-02 00 00")}; // Dec -2: on the edge, out
    DeepSkyTable t;
    DeepSkyReadResult r;
    ReadDeepSkyCatalogue(catalogue(lines), "NGC ", w, 1, 1, t, r);
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(t.name[1], "NGC 3");
    EXPECT_EQ(t.name[2], "NGC 6");
}

TEST(DeepSkyReader, FieldAtZeroHoursKeepsBothSides) {
    const QList<Line> lines{object("    1", "23 59 00.0", "+10 00 00"),
                            object("    2", "00 01 00.0", "+10 00 00"),
                            object("    3", "12 00 00.0", "+10 00 00")};
    DeepSkyTable t;
    DeepSkyReadResult r;
    ReadDeepSkyCatalogue(catalogue(lines, "\n"), "NGC ", windowAt(0.05, 10, 1471), kCorrAsd,
                         kCorrDec, t, r);
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(t.name[1], "NGC 1");
    EXPECT_DOUBLE_EQ(t.ra[1], std::nearbyint(-0.25 * kCorrAsd)); // just west of 0h
    EXPECT_DOUBLE_EQ(r.positions[1].ra, 359.75);

    // Blank lines near the end of a file are no objects at 0h, 0 degrees.
    DeepSkyReadResult blank;
    ReadDeepSkyCatalogue("h\r\nh\r\n\r\n    \r\n", "NGC ", windowAt(0.01, 0.01, 100), kCorrAsd,
                         kCorrDec, t, blank);
    EXPECT_EQ(blank.count, 0);
}

TEST(DeepSkyReader, BoundsBlankLinesAndMissingFiles) {
    QList<Line> many;
    for (int i = 1; i <= 530; ++i)
        many << object(QByteArray::number(i).rightJustified(5).constData(), "10 00 00.0",
                       "+20 00 00");
    ProgramFolderFixture folder;
    folder.write("deepobj1.txt", catalogue(many));
    folder.write("deepobj2.txt", catalogue({object("  999", "10 00 00.0", "+20 00 00")}) +
                                     "\r\n   \r\n"); // blank lines hold no object
    DeepSkyTable t;
    const DeepSkyWindow w = windowAt(150, 20, 100);
    auto r = ReadDeepSkyFiles(folder.path(), w, kCorrAsd, kCorrDec, t);
    EXPECT_EQ(r.count, 500);
    EXPECT_EQ(r.inWindow, 531);
    EXPECT_EQ(t.count, 500);
    EXPECT_EQ(t.name[500], "NGC 500");
    EXPECT_EQ(t.name.size(), 501u);
    ASSERT_EQ(DeepSkyReadNotes(r).size(), 1);

    // Without the NGC file the IC file is still read, and the count starts again.
    QFile::remove(folder.file("deepobj1.txt"));
    r = ReadDeepSkyFiles(folder.path(), w, kCorrAsd, kCorrDec, t);
    EXPECT_FALSE(r.files[0].opened);
    EXPECT_TRUE(r.files[1].opened);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(t.name[1], "IC 999");
    EXPECT_EQ(DeepSkyReadNotes(r).size(), 1);

    // Without either file nothing of the earlier reading is left in use.
    QFile::remove(folder.file("deepobj2.txt"));
    r = ReadDeepSkyFiles(folder.path(), w, kCorrAsd, kCorrDec, t);
    EXPECT_EQ(t.count, 0);
    EXPECT_EQ(DeepSkyReadNotes(r).size(), 2);
}

// The shipped files, checked against OpenNGC (release v20210306) looked up by
// hand: NGC 7380 at RA 341.837542 deg, Dec +58.132417 deg, V 7.62, 25' x 20';
// IC 10 at 5.072250 deg, +59.303778 deg, 13.6, 6.76' x 6.03', PA 129, PGC 1305.
TEST(DeepSkyFiles, ConvertedObjectsOfOpenNgc) {
    ProgramFolderFixture folder;
    DeepSkyTable t;
    // The sample field: 22 47 12.2 +58 03 14, radius 28'.
    auto r = ReadDeepSkyFiles(folder.path(), windowAt(341.800833, 58.053889, 1471), kCorrAsd,
                              kCorrDec, t);
    ASSERT_TRUE(r.files[0].opened && r.files[1].opened);
    int ngc7380 = 0;
    for (int i = 1; i <= t.count; ++i)
        if (t.name[i] == "NGC 7380") ngc7380 = i;
    ASSERT_GT(ngc7380, 0);
    EXPECT_NEAR(r.positions[ngc7380].ra, 341.837542, 0.1 * 15 / 3600);
    EXPECT_NEAR(r.positions[ngc7380].dec, 58.132417, 1.0 / 3600);
    EXPECT_EQ(t.magnitude[ngc7380], " 7.6");
    EXPECT_EQ(t.size1[ngc7380], 25);
    EXPECT_EQ(t.size2[ngc7380], 20);

    r = ReadDeepSkyFiles(folder.path(), windowAt(5.07225, 59.303778, 20), kCorrAsd, kCorrDec, t);
    ASSERT_EQ(t.count, 1);
    EXPECT_EQ(t.name[1], "IC 10");
    EXPECT_EQ(t.pgcName[1], "PGC 1305");
    EXPECT_EQ(t.size1[1], 6.76);
    EXPECT_EQ(t.size2[1], 6.03);
    EXPECT_EQ(t.positionAngle[1], 129);
    EXPECT_EQ(t.magnitude[1], "13.6");

    // IC 11 is NGC 281 catalogued twice: one object, named both ways.
    r = ReadDeepSkyFiles(folder.path(), windowAt(13.247292, 56.621889, 20), kCorrAsd, kCorrDec, t);
    ASSERT_EQ(t.count, 1);
    EXPECT_EQ(t.name[1], "NGC 281");
    EXPECT_EQ(t.otherName1[1].trimmed(), "IC 11");

    // Every line has a size, so that the overlay can draw it.
    QFile f(folder.file("deepobj2.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    f.readLine();
    f.readLine();
    int lines = 0;
    while (!f.atEnd()) {
        const QByteArray l = f.readLine();
        ++lines;
        ASSERT_GT(l.mid(61, 6).trimmed().toDouble(), 0) << l.constData();
    }
    EXPECT_GT(lines, 5000);
}
