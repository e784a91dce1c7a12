// The WCS header file, read back with an independent implementation (wcslib):
// a known plate, and the headers the command-line solver writes for the sample
// as a picture and as FITS files of both row orders.
#include "reduction/wcsfile.h"
#include "testing.h"

#include <QImage>

#include "wcsread.h"

using namespace reduction;
using namespace field;
using namespace catalogues;
using outcome::FileError;

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

constexpr int kSide = 1024;

// The 16-bit value stored at file pixel (x, y) (0-based, y counted from the
// file's first row) of the sample's FITS layout (BZERO 32768), read from the
// bytes without the program's reader.
int FitsValue(const QByteArray& file, qsizetype dataStart, int x, int y) {
    const qsizetype at = dataStart + (qsizetype(y) * kSide + x) * 2;
    const int raw = int16_t((uint8_t(file[at]) << 8) | uint8_t(file[at + 1]));
    return raw + 32768;
}

// Where the data of a FITS file starts: after the header block holding END.
qsizetype FitsDataStart(const QByteArray& file) {
    for (qsizetype i = 0; i + 80 <= file.size(); i += 80)
        if (file.mid(i, 8) == "END     ") return (i / 2880 + 1) * 2880;
    return -1;
}

// The sample FITS stored top row first, as ROWORDER = 'TOP-DOWN' says.
QByteArray TopDownCopy(const QByteArray& bottomUp) {
    const qsizetype start = FitsDataStart(bottomUp);
    QByteArray header = bottomUp.left(start);
    header.truncate(header.indexOf("END     "));
    header += QByteArray("ROWORDER= 'TOP-DOWN'").leftJustified(80, ' ');
    header += QByteArray("END").leftJustified(80, ' ');
    header = header.leftJustified((header.size() + 2879) / 2880 * 2880, ' ');
    QByteArray data = bottomUp.mid(start);
    const qsizetype row = kSide * 2;
    for (int y = 0; y < kSide; ++y)
        data.replace(y * row, row, bottomUp.mid(start + (kSide - 1 - y) * row, row));
    return header + data;
}

} // namespace

TEST(WcsFile, AnotherImplementationReadsTheSamePositions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("field.wcs"));
    const TanPlate plate = SamplePlate();
    const auto written = WriteWcsFile(path, plate, 1024, 768, FileRows::TopDown);
    ASSERT_TRUE(written) << written.error().message.toStdString();

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
    const struct {
        const char* what;
        outcome::Status<FileError> written;
        FileError kind;
    } cases[] = {
        {"a plate without numbers", WriteWcsFile(path, broken, 1024, 1024, FileRows::TopDown),
         FileError::BadContent},
        {"no image size", WriteWcsFile(path, SamplePlate(), 0, 1024, FileRows::BottomUp),
         FileError::BadContent},
        {"no such folder",
         WriteWcsFile(dir.filePath(QStringLiteral("no/such/folder/x.wcs")), SamplePlate(), 1024,
                      1024, FileRows::TopDown),
         FileError::Unwritable},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.written) << c.what;
        EXPECT_EQ(c.written.error().kind, c.kind) << c.what;
        EXPECT_FALSE(c.written.error().message.isEmpty()) << c.what; // the user is told why
    }
    EXPECT_EQ(testing_support::readFile(path), "old");
}

// The solver's header, read by wcslib against the file it was made for, puts
// the sample's stars on their pixels of that file: a FITS file's row 1 is its
// first data row (the bottom row shown, unless ROWORDER = 'TOP-DOWN'), a
// picture's row 1 its top row.
TEST(WcsFile, SolverHeaderFitsTheFilesOwnRows) {
    QTemporaryDir dir;
    const QByteArray bottomUp = testing_support::readSample("image.fits");
    const QString topDownPath = dir.filePath("topdown.fits");
    testing_support::writeFile(topDownPath, TopDownCopy(bottomUp));
    const QImage png = QImage(testing_support::sampleFile("image.png"));

    struct Case {
        const char* what;
        QString image;
        QByteArray fits; // empty for the picture
        bool flipped;    // the file's row y is the row kSide - 1 - y shown
    };
    const Case cases[] = {
        {"bottom-up FITS", testing_support::sampleFile("image.fits"), bottomUp, true},
        {"TOP-DOWN FITS", topDownPath, testing_support::readFile(topDownPath), false},
        {"PNG", testing_support::sampleFile("image.png"), {}, false},
    };
    // Stars of the sample as shown (the picks' stars).
    const QPoint stars[] = {{630, 133}, {902, 837}, {301, 262}};
    for (const Case& c : cases) {
        const QString wcs = dir.filePath(QStringLiteral("out.wcs"));
        QFile::remove(wcs);
        const auto run = testing_support::runPlatesolve(
            QStringList{"--image", c.image, "--catalogue", testing_support::sampleFile("data"),
                        "--threshold", "10", "--refine", "--wcs-out", wcs} +
            testing_support::samplePickArgs());
        ASSERT_EQ(run.status, 0) << c.what << run.err.toStdString();
        const testing_support::WcslibHeader header(testing_support::readFile(wcs));
        ASSERT_TRUE(header.ok()) << c.what;
        for (const QPoint& shown : stars) {
            const auto sky = testing_support::sampleTrueSky(shown.x(), shown.y());
            const auto at = header.skyToPixel({sky.ra, sky.dec});
            ASSERT_TRUE(at) << c.what;
            const int fileY = c.flipped ? kSide - 1 - shown.y() : shown.y();
            EXPECT_NEAR(at->x, shown.x(), 1.0) << c.what;
            EXPECT_NEAR(at->y, fileY, 1.0) << c.what;
            // The file holds that star's pixel there.
            const QRgb rgb = png.pixel(shown);
            const int expected =
                int(std::lround(256.0 * (qRed(rgb) + qGreen(rgb) + qBlue(rgb)) / 3));
            const int x = int(std::lround(at->x)), y = int(std::lround(at->y));
            if (!c.fits.isEmpty())
                EXPECT_EQ(FitsValue(c.fits, FitsDataStart(c.fits), x, y), expected) << c.what;
            else
                EXPECT_EQ(png.pixel(x, y), rgb) << c.what;
        }
    }
}

// A plate with distortion terms: wcslib reads the SIP keywords and finds the
// plate's own positions, in the picture's rows and flipped into a FITS file's.
TEST(WcsFile, DistortionTermsReadTheSameInBothRowOrders) {
    TanPlate plate = SamplePlate();
    Distortion d;
    d.order = 3;
    d.a[2][0] = 2e-6, d.a[1][1] = -3e-6, d.a[0][2] = 1e-6, d.a[0][3] = 4e-9, d.a[2][1] = -2e-9;
    d.b[2][0] = -1e-6, d.b[1][1] = 2e-6, d.b[0][2] = 3e-6, d.b[3][0] = 3e-9, d.b[1][2] = 5e-9;
    d.inverseOrder = 2;
    d.ap[2][0] = -2e-6, d.ap[0][2] = -1e-6, d.bp[1][1] = -2e-6, d.bp[0][2] = -3e-6;
    plate.distortion = d;
    const int height = 768;
    for (const FileRows rows : {FileRows::TopDown, FileRows::BottomUp}) {
        SCOPED_TRACE(rows == FileRows::TopDown ? "top-down" : "bottom-up");
        const auto bytes = WcsHeaderBytes(plate, 1024, height, rows);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(Card(*bytes, "CTYPE1"), "'RA---TAN-SIP'");
        EXPECT_EQ(Card(*bytes, "A_ORDER"), "3");
        EXPECT_EQ(Card(*bytes, "AP_ORDER"), "2");
        const testing_support::WcslibHeader wcs(*bytes);
        ASSERT_TRUE(wcs.ok());
        const double points[][2] = {{0, 0}, {511.5, 511.5}, {1023, 0}, {100, 700}, {1023, 767}};
        for (const auto& p : points) {
            const double fileY = rows == FileRows::TopDown ? p[1] : (height - 1) - p[1];
            const auto sky = wcs.pixelToSky(p[0], fileY);
            ASSERT_TRUE(sky);
            // wcslib evaluates the terms in a form of its own: they agree to
            // a few thousandths of an arcsecond (of a pixel of 2.3").
            const SkyPoint mine = plate.pixelToSky(p[0], p[1]);
            EXPECT_LT(testing_support::separationArcsec(sky->ra, sky->dec, mine.ra, mine.dec), 0.01)
                << p[0] << "," << p[1];
            // The terms move the corners by pixels: a plate without them
            // would not pass.
            TanPlate plain = plate;
            plain.distortion.reset();
            const auto off = plain.skyToPixel(mine);
            ASSERT_TRUE(off);
            if (p[0] != 511.5) {
                EXPECT_GT(std::hypot(off->x - p[0], off->y - p[1]), 0.2);
            }
        }
    }
}
