// The WCS header file, read back with an independent implementation (wcslib).
#include "reduction/wcsfile.h"
#include "testing.h"

#include <wcslib.h>

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

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size() % 2880, 0);
    EXPECT_TRUE(bytes.startsWith("SIMPLE  =                    T"));
    EXPECT_EQ(Card(bytes, "NAXIS"), "0");
    EXPECT_EQ(Card(bytes, "IMAGEW"), "1024");
    EXPECT_EQ(Card(bytes, "IMAGEH"), "768");
    EXPECT_EQ(Card(bytes, "CTYPE1"), "'RA---TAN'");
    EXPECT_EQ(Card(bytes, "EQUINOX"), "2000.");
    EXPECT_DOUBLE_EQ(Card(bytes, "CRPIX1").toDouble(), 512.5); // FITS pixels are 1-based

    // wcslib parses the header and maps FITS pixels to the sky.
    int nreject = 0, nwcs = 0;
    struct wcsprm* wcs = nullptr;
    QByteArray header = bytes;
    ASSERT_EQ(wcspih(header.data(), static_cast<int>(header.size() / 80), WCSHDR_all, 0, &nreject,
                     &nwcs, &wcs),
              0);
    ASSERT_EQ(nwcs, 1);
    ASSERT_EQ(wcsset(wcs), 0);
    const double points[][2] = {{0, 0}, {511.5, 511.5}, {1023, 0}, {100, 700}, {1023, 767}};
    for (const auto& p : points) {
        double pixcrd[2] = {p[0] + 1, p[1] + 1}, imgcrd[2], phi, theta, world[2];
        int stat = 0;
        ASSERT_EQ(wcsp2s(wcs, 1, 2, pixcrd, imgcrd, &phi, &theta, world, &stat), 0);
        const SkyPoint mine = plate.pixelToSky(p[0], p[1]);
        EXPECT_LT(testing_support::separationArcsec(world[0], world[1], mine.ra, mine.dec), 1e-4)
            << p[0] << "," << p[1];
        // And back from the sky to the same pixel.
        double back[2];
        ASSERT_EQ(wcss2p(wcs, 1, 2, world, &phi, &theta, imgcrd, back, &stat), 0);
        EXPECT_NEAR(back[0] - 1, p[0], 1e-6);
        EXPECT_NEAR(back[1] - 1, p[1], 1e-6);
    }
    wcsvfree(&nwcs, &wcs);
}

TEST(WcsFile, FailuresAreReportedAndKeepTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("field.wcs"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

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
    QFile check(path);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "old");
}
