// The WCS header file, read back with an independent implementation (wcslib).
#include "reduction/wcsfile.h"
#include "testing.h"

#include "wcsread.h"

namespace {

TanPlate SamplePlate() {
    TanPlate t;
    t.crval = {341.80086579, 58.0539841822};
    t.crpix = {511.5, 511.5};
    t.cd = {-0.000634855640206, -1.29913220754e-05, 1.31159152393e-05, -0.000634533205274};
    return t;
}

// The value text of a header card, or an empty text.
QByteArray Card(const QByteArray& header, const char* key) {
    for (qsizetype i = 0; i + 80 <= header.size(); i += 80) {
        const QByteArray card = header.mid(i, 80);
        if (card.left(8).trimmed() == key) return card.mid(10, 20).trimmed();
    }
    return {};
}

} // namespace

TEST(WcsFile, AnotherImplementationReadsTheSamePositions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("field.wcs"));
    const TanPlate plate = SamplePlate();
    QString error;
    ASSERT_TRUE(WriteWcsFile(path, plate, 1024, 768, &error)) << error.toStdString();

    const QByteArray bytes = testing_support::readFile(path);
    ASSERT_EQ(bytes.size() % 2880, 0);
    EXPECT_TRUE(bytes.startsWith("SIMPLE  =                    T"));
    EXPECT_EQ(Card(bytes, "NAXIS"), "0");
    EXPECT_EQ(Card(bytes, "IMAGEW"), "1024");
    EXPECT_EQ(Card(bytes, "IMAGEH"), "768");
    EXPECT_EQ(Card(bytes, "CTYPE1"), "'RA---TAN'");
    EXPECT_EQ(Card(bytes, "EQUINOX"), "2000.");
    EXPECT_DOUBLE_EQ(Card(bytes, "CRPIX1").toDouble(), 512.5); // FITS pixels are 1-based

    // wcslib parses the header and maps FITS pixels to the sky, and back.
    const testing_support::WcslibHeader wcs(bytes);
    ASSERT_TRUE(wcs.ok());
    const double points[][2] = {{0, 0}, {511.5, 511.5}, {1023, 0}, {100, 700}, {1023, 767}};
    for (const auto& p : points) {
        const auto sky = wcs.pixelToSky(p[0], p[1]);
        ASSERT_TRUE(sky);
        const SkyPoint mine = plate.pixelToSky(p[0], p[1]);
        EXPECT_LT(testing_support::separationArcsec(sky->ra, sky->dec, mine.ra, mine.dec), 1e-4)
            << p[0] << "," << p[1];
        const auto back = wcs.skyToPixel(*sky);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->x, p[0], 1e-6);
        EXPECT_NEAR(back->y, p[1], 1e-6);
    }
}

TEST(WcsFile, FailuresAreReportedAndKeepTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("field.wcs"));
    testing_support::writeFile(path, "old");

    TanPlate broken = SamplePlate();
    broken.cd[0] = std::nan("");
    QString error;
    EXPECT_FALSE(WriteWcsFile(path, broken, 1024, 1024, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WriteWcsFile(path, SamplePlate(), 0, 1024, &error));
    error.clear();
    EXPECT_FALSE(WriteWcsFile(dir.filePath(QStringLiteral("no/such/folder/x.wcs")), SamplePlate(),
                              1024, 1024, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testing_support::readFile(path), "old");
}
