// The NGC/IC reader, on made-up lines and on the shipped files.
#include "catalogues/deepsky.h"
#include "testing.h"

using namespace reduction;
using namespace field;
using namespace catalogues;

using testing_support::ProgramFolderFixture;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;

// A catalogue line: number, position and sizes in their columns, then any
// further (column, text) pairs; the rest blank.
QByteArray object(const char* number, const char* ra, const char* dec, const char* sizes = "",
                  const QList<std::pair<int, const char*>>& more = {}) {
    QByteArray l(127, ' ');
    auto put = [&l](int column, const char* text) { l.replace(column - 1, qstrlen(text), text); };
    put(1, number);
    put(21, ra);
    put(32, dec);
    put(62, sizes);
    for (const auto& [column, text] : more)
        put(column, text);
    return l;
}

QByteArray catalogue(const QList<QByteArray>& lines, const char* eol = "\r\n") {
    return "heading" + QByteArray(eol) + "columns" + eol + lines.join(eol) + eol;
}

// The window of a centre given in degrees.
DeepSkyWindow windowAt(double ra, double dec, double halfWidth) {
    return {ra * kCorrAsd, dec * kCorrDec, halfWidth};
}

DeepSkyReadResult read(const QByteArray& text, const DeepSkyWindow& w, DeepSkyTable& t,
                       double corrAsd = kCorrAsd, double corrDec = kCorrDec) {
    DeepSkyReadResult r;
    ReadDeepSkyCatalogue(text, "NGC ", w, corrAsd, corrDec, t, r);
    return r;
}

} // namespace

// The typed rows keep the file's position to the arcsecond (the table rounds
// it to its scaled units), beside a field across 0h, and no magnitude as none.
TEST(DeepSkyReader, TypedRowsKeepTheFilesPositions) {
    const QByteArray past = object("    1", "00 00 06.2", "-00 49 57", "  3.50", {{51, "12.5"}});
    const QByteArray before = object("    2", "23 59 50.0", "+01 00 01", "  2.00");
    DeepSkyTable t;
    const auto r = read(catalogue({past, before}), windowAt(359.9, 0, 1e9), t);
    ASSERT_EQ(r.objects.size(), 2u);
    EXPECT_EQ(r.objects[0].kind, SkyObjectKind::DeepSky);
    EXPECT_EQ(r.objects[0].id, "NGC 1");
    EXPECT_NEAR(r.objects[0].ra, 360 + 6.2 / 240, 1e-9); // beside the field, past 360
    EXPECT_NEAR(r.objects[0].dec, -(49 / 60.0 + 57 / 3600.0), 1e-9);
    EXPECT_EQ(r.objects[0].mag, 12.5);
    EXPECT_NEAR(r.objects[1].ra, 359 + 57.5 / 60, 1e-9);
    EXPECT_FALSE(r.objects[1].mag);
    EXPECT_EQ(t.magnitude[2], "    ");
    EXPECT_EQ(r.objects[1].otherIds.value(0), "PGC 0");
}

TEST(DeepSkyReader, ColumnsSizesAndSigns) {
    // The window is twice the radius on the sky: the declination scale sizes it.
    EXPECT_EQ(DeepSkyWindowHalfWidth(28, kCorrAsd, kCorrDec), 1471); // 2 * 1575.63 / 60 * 28
    const QByteArray full = object(" 7380", "22 47 21.0", "+58 07 57", " 25.00 20.00  35 Nebula",
                                   {{51, " 7.6"}, {88, "   1305"}, {97, "M 99"}, {113, "Wizard"}});
    const QByteArray bare = object("   12", "22 47 00.0", "-00 30 00", "  3.50", {{88, "      0"}});
    const QByteArray large = object(" 7331", "22 37 04.1", "+34 24 56", " 10.47  3.72 171 Galaxy",
                                    {{88, "4098011"}}); // seven digits: the column's width
    DeepSkyTable t;
    const auto r = read(catalogue({full, bare, large}), windowAt(341.8, 0, 1e9), t);
    ASSERT_EQ(r.count, 3);
    EXPECT_EQ(t.pgcName[3], "PGC 4098011");
    EXPECT_EQ(t.name[1], "NGC 7380");
    EXPECT_EQ(t.magnitude[1], " 7.6");
    EXPECT_EQ(t.size1[1], 25);
    EXPECT_EQ(t.size2[1], 20);
    EXPECT_EQ(t.positionAngle[1], 35);
    EXPECT_EQ(t.description[1], "Nebula  ");
    EXPECT_EQ(t.pgcName[1], "PGC 1305");
    EXPECT_EQ(t.otherName1[1].trimmed(), "M 99");
    EXPECT_EQ(t.otherName2[1].trimmed(), "Wizard");
    const double ra = (47 * 60 + 22 * 3600 + 21.0) / 3600.0 * 15;
    EXPECT_EQ(t.ra[1], std::nearbyint(ra * kCorrAsd));
    EXPECT_EQ(t.dec[1], std::nearbyint((58 + 7 / 60.0 + 57 / 3600.0) * kCorrDec));
    // A blank second size repeats the first; no PGC number reads "PGC 0";
    // -00 30 00 is half a degree south.
    EXPECT_EQ(t.size2[2], 3.5);
    EXPECT_EQ(t.pgcName[2], "PGC 0");
    EXPECT_EQ(t.dec[2], std::nearbyint(-0.5 * kCorrDec));
}

TEST(DeepSkyReader, WindowIsStrictAndWrapsAtZeroHours) {
    // Scale 1 per degree, centre RA 12, Dec 0, half-width 2: the edges are out.
    const QList<QByteArray> lines{object("    1", "00 40 00.0", "+00 00 00"),  // RA 10: out
                                  object("    2", "00 44 00.0", "+00 00 00"),  // RA 11: in
                                  object("    3", "00 56 00.0", "+00 00 00"),  // RA 14: out
                                  object("    4", "00 48 00.0", "+02 00 00"),  // Dec 2: out
                                  object("    5", "00 48 00.0", "-01 00 00"),  // Dec -1: in
                                  object("    6", "00 48 00.0", "-02 00 00")}; // Dec -2: out
    DeepSkyTable t;
    ASSERT_EQ(read(catalogue(lines), {12, 0, 2}, t, 1, 1).count, 2);
    EXPECT_EQ(t.name[1], "NGC 2");
    EXPECT_EQ(t.name[2], "NGC 5");

    // A field at 0h keeps the objects on both sides; blank lines are no objects.
    const QList<QByteArray> zero{object("    7", "23 59 00.0", "+00 00 00"), "   ", "",
                                 object("    8", "00 01 00.0", "+00 00 00")};
    const auto r = read(catalogue(zero, "\n"), windowAt(0.01, 0.01, 1471), t);
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(t.ra[1], std::nearbyint(-0.25 * kCorrAsd));
    EXPECT_EQ(r.positions[1].ra, 359.75);
}

TEST(DeepSkyReader, BoundsAndMissingFiles) {
    QList<QByteArray> many;
    for (int i = 1; i <= 530; ++i)
        many << object(QByteArray::number(i).rightJustified(5).constData(), "10 00 00.0",
                       "+20 00 00");
    ProgramFolderFixture folder;
    folder.write("deepobj1.txt", catalogue(many));
    folder.write("deepobj2.txt", catalogue({object("  999", "10 00 00.0", "+20 00 00")}));
    DeepSkyTable t;
    const DeepSkyWindow w = windowAt(150, 20, 100);
    auto r = ReadDeepSkyFiles(folder.path(), w, kCorrAsd, kCorrDec, t);
    EXPECT_EQ(t.count, 500);
    EXPECT_EQ(r.inWindow, 531);
    EXPECT_EQ(DeepSkyReadNotes(r).size(), 1);

    EXPECT_TRUE(r.files[0].read.ok() && r.files[1].read.ok());

    // Without the NGC file the IC file is still read; without both, nothing is left.
    QFile::remove(folder.file("deepobj1.txt"));
    r = ReadDeepSkyFiles(folder.path(), w, kCorrAsd, kCorrDec, t);
    EXPECT_EQ(t.count, 1);
    EXPECT_EQ(t.name[1], "IC 999");
    EXPECT_EQ(DeepSkyReadNotes(r).size(), 1);
    ASSERT_FALSE(r.files[0].read);
    EXPECT_EQ(r.files[0].read.error().kind, outcome::FileError::Missing);
    EXPECT_TRUE(r.files[1].read.ok());
    // A folder in the IC file's place is refused by kind, never opened.
    QFile::remove(folder.file("deepobj2.txt"));
    QDir(folder.path()).mkdir("deepobj2.txt");
    r = ReadDeepSkyFiles(folder.path(), w, kCorrAsd, kCorrDec, t);
    EXPECT_EQ(t.count, 0);
    EXPECT_EQ(DeepSkyReadNotes(r).size(), 2);
    ASSERT_FALSE(r.files[1].read);
    EXPECT_EQ(r.files[1].read.error().kind, outcome::FileError::NotRegular);
}

// The shipped files against OpenNGC (release v20210306) looked up by hand:
// IC 10 at RA 5.072250, Dec +59.303778, 13.6 mag, 6.76' x 6.03', PA 129,
// PGC 1305; NGC 7380 (341.837542, +58.132417, 25' x 20') is checked on the
// sample field by the window tests. IC 11 repeats NGC 281.
TEST(DeepSkyFiles, ConvertedObjectsOfOpenNgc) {
    ProgramFolderFixture folder;
    DeepSkyTable t;
    ReadDeepSkyFiles(folder.path(), windowAt(5.07225, 59.303778, 20), kCorrAsd, kCorrDec, t);
    ASSERT_EQ(t.count, 1);
    EXPECT_EQ(t.name[1], "IC 10");
    EXPECT_EQ(t.pgcName[1], "PGC 1305");
    EXPECT_EQ(t.size1[1], 6.76);
    EXPECT_EQ(t.size2[1], 6.03);
    EXPECT_EQ(t.positionAngle[1], 129);
    EXPECT_EQ(t.magnitude[1], "13.6");

    ReadDeepSkyFiles(folder.path(), windowAt(13.247292, 56.621889, 20), kCorrAsd, kCorrDec, t);
    ASSERT_EQ(t.count, 1);
    EXPECT_EQ(t.name[1], "NGC 281");
    EXPECT_EQ(t.otherName1[1].trimmed(), "IC 11");

    // Every object has a size, which the overlay needs to draw it.
    for (const char* file : {"deepobj1.txt", "deepobj2.txt"}) {
        QFile f(folder.file(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        EXPECT_GT(lines.size(), 5000);
        for (qsizetype i = 2; i < lines.size() && !lines[i].trimmed().isEmpty(); ++i)
            ASSERT_GT(lines[i].mid(61, 6).trimmed().toDouble(), 0) << lines[i].constData();
    }
}
