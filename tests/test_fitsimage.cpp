// Image files: FITS of every pixel type, refused and broken files, the display
// stretch, what picking reads, and the hints of a FITS header.
#include "field/fitshints.h"
#include "field/picking.h"
#include "imaging/imagefile.h"
#include "mainwindow/imagecanvas.h"
#include "testing.h"

#include <QImage>
#include <QPainter>
#include <fitsio.h>
#include <random>
#include <sys/stat.h>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

namespace {

struct FitsLayout {
    int bitpix = 16;
    long width = 8, height = 6, planes = 1;
    double bzero = 0, bscale = 1;
    bool inExtension = false;
    QList<QPair<QByteArray, QByteArray>> stringCards; // key, value
};

// Writes physical values (plane after plane, FITS row 1 first) as `layout`
// says; cfitsio applies BZERO and BSCALE on the way out.
void writeFits(const QString& path, const FitsLayout& layout, const std::vector<double>& values) {
    QFile::remove(path);
    int status = 0;
    fitsfile* f = nullptr;
    fits_create_diskfile(&f, QFile::encodeName(path).constData(), &status);
    if (layout.inExtension) fits_create_img(f, 8, 0, nullptr, &status);
    long axes[3] = {layout.width, layout.height, layout.planes};
    fits_create_img(f, layout.bitpix, layout.planes > 1 ? 3 : 2, axes, &status);
    if (layout.bzero != 0 || layout.bscale != 1) {
        double z = layout.bzero, s = layout.bscale;
        fits_update_key(f, TDOUBLE, "BZERO", &z, nullptr, &status);
        fits_update_key(f, TDOUBLE, "BSCALE", &s, nullptr, &status);
        fits_set_bscale(f, s, z, &status);
    }
    for (const auto& [key, value] : layout.stringCards)
        fits_update_key(f, TSTRING, key.constData(), const_cast<char*>(value.constData()), nullptr,
                        &status);
    std::vector<double> v = values;
    fits_write_img(f, TDOUBLE, 1, static_cast<LONGLONG>(v.size()), v.data(), &status);
    fits_close_file(f, &status);
    ASSERT_EQ(status, 0) << path.toStdString();
}

// Values v(x, y) = base + x + 10 * fileRow, fileRow 0 being FITS row 1.
std::vector<double> ramp(const FitsLayout& s, double base) {
    std::vector<double> v;
    for (long p = 0; p < s.planes; ++p)
        for (long y = 0; y < s.height; ++y)
            for (long x = 0; x < s.width; ++x)
                v.push_back(base + x + 10 * y + 100 * p);
    return v;
}

FitsHeader header(std::initializer_list<std::tuple<const char*, const char*, bool>> cards) {
    FitsHeader h;
    for (const auto& [k, v, isString] : cards)
        h.cards.push_back({k, v, {}, isString});
    return h;
}

} // namespace

TEST(FitsImage, PixelTypesScalingAndOrientation) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.fits");
    struct Case {
        int bitpix;
        double bzero, bscale, base;
    };
    const Case cases[] = {{BYTE_IMG, 10, 2, 10},
                          {SHORT_IMG, 32768, 1, 60000},
                          {LONG_IMG, -100, 0.5, -100},
                          {FLOAT_IMG, 0, 1, -3.25},
                          {DOUBLE_IMG, 0, 1, 1e-6}};
    for (const Case& c : cases) {
        FitsLayout s;
        s.bitpix = c.bitpix;
        s.bzero = c.bzero;
        s.bscale = c.bscale;
        // Stored values must fit the type: the ramp of a scaled byte image
        // steps by BSCALE.
        std::vector<double> v = ramp(s, c.base);
        if (c.bitpix == BYTE_IMG)
            for (double& x : v)
                x = c.base + (x - c.base) * 2;
        writeFits(path, s, v);
        const auto read = ReadImageFile(path);
        ASSERT_TRUE(read) << c.bitpix << " " << read.error().message.toStdString();
        const LoadedImage& img = *read;
        ASSERT_TRUE(img.isFits()) << c.bitpix;
        EXPECT_EQ(img.values.width, 8);
        EXPECT_EQ(img.values.height, 6);
        EXPECT_EQ(img.image.size(), QSize(8, 6));
        // FITS row 1 is the bottom row of the picture.
        const double step = c.bitpix == BYTE_IMG ? 2 : 1;
        EXPECT_FLOAT_EQ(img.values.at(3, 5), static_cast<float>(c.base + 3 * step)) << c.bitpix;
        EXPECT_FLOAT_EQ(img.values.at(0, 0), static_cast<float>(c.base + 50 * step)) << c.bitpix;
        EXPECT_DOUBLE_EQ(PickValue(img.image, img.values, 3, 5), img.values.at(3, 5));
    }

    // Rows written top first, in an extension after an empty primary HDU.
    FitsLayout s;
    s.inExtension = true;
    s.stringCards = {{"ROWORDER", "TOP-DOWN"}, {"DATE-OBS", "2022-10-10T21:36:00"}};
    writeFits(path, s, ramp(s, 1000));
    const auto read = ReadImageFile(path);
    ASSERT_TRUE(read) << read.error().message.toStdString();
    const LoadedImage& img = *read;
    ASSERT_TRUE(img.isFits());
    EXPECT_FLOAT_EQ(img.values.at(3, 0), 1003);
    EXPECT_EQ(img.header.text("DATE-OBS"), "2022-10-10T21:36:00");
    EXPECT_TRUE(img.description.contains("HDU 2")) << img.description.toStdString();
}

TEST(FitsImage, CubesAndBlankPixels) {
    QTemporaryDir dir;
    const QString path = dir.filePath("c.fits");
    FitsLayout s;
    s.bitpix = FLOAT_IMG;
    s.planes = 3; // colour: the mean of the planes (plane p adds 100 p)
    writeFits(path, s, ramp(s, 0));
    LoadedImage img = ReadImageFile(path).value_or({});
    ASSERT_TRUE(img.isFits());
    EXPECT_FLOAT_EQ(img.values.at(2, 5), 2 + 100);

    s.planes = 5; // any other cube: its first plane
    writeFits(path, s, ramp(s, 0));
    img = ReadImageFile(path).value_or({});
    ASSERT_TRUE(img.isFits());
    EXPECT_FLOAT_EQ(img.values.at(2, 5), 2);

    s.planes = 1;
    std::vector<double> v = ramp(s, 50);
    v[0] = NAN;
    writeFits(path, s, v);
    img = ReadImageFile(path).value_or({});
    ASSERT_TRUE(img.isFits());
    EXPECT_FLOAT_EQ(img.values.at(0, 5), 51); // the lowest value present
}

TEST(FitsImage, RefusedAndBrokenFilesAreToldApart) {
    QTemporaryDir dir;
    // A FIFO must be refused without opening it (opening would block).
    const QString fifo = dir.filePath("pipe.fits");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString fifoLink = dir.filePath("link.png");
    ASSERT_TRUE(QFile::link(fifo, fifoLink));

    // Cut short: the header promises more data than the file holds.
    const QString cut = dir.filePath("cut.fits");
    FitsLayout s;
    s.width = s.height = 200;
    writeFits(cut, s, ramp(s, 0));
    QFile f(cut);
    ASSERT_TRUE(f.resize(2880 * 3));

    // A header announcing a huge image is refused before anything is read.
    QByteArray head;
    for (const char* card : {"SIMPLE  =                    T", "BITPIX  =                   16",
                             "NAXIS   =                    2", "NAXIS1  =                40000",
                             "NAXIS2  =                   10", "END"})
        head += QByteArray(card).leftJustified(80, ' ');
    testing_support::writeFile(dir.filePath("big.fits"), head.leftJustified(2880, ' '));
    // A header alone, without any image.
    QByteArray empty;
    for (const char* card : {"SIMPLE  =                    T", "BITPIX  =                   16",
                             "NAXIS   =                    0", "END"})
        empty += QByteArray(card).leftJustified(80, ' ');
    testing_support::writeFile(dir.filePath("empty.fits"), empty.leftJustified(2880, ' '));
    // Not FITS after all, and a picture wider than the program accepts.
    testing_support::writeFile(dir.filePath("text.fits"), "hello");
    testing_support::writeFile(dir.filePath("text.png"), "hello");
    QImage(32001, 1, QImage::Format_Grayscale8).save(dir.filePath("wide.png"));

    const struct {
        const char* name;
        ImageError kind;
    } cases[] = {
        {"pipe.fits", ImageError::NotRegular}, // a FIFO
        {"link.png", ImageError::NotRegular},  // a link to it
        {".", ImageError::NotRegular},         // a folder
        {"missing.png", ImageError::Missing},  // nothing there
        {"cut.fits", ImageError::CutShort},    // data missing
        {"big.fits", ImageError::TooLarge},    // 40000 pixels wide
        {"empty.fits", ImageError::NoImage},   // no image data
        {"text.fits", ImageError::NotAnImage}, // neither FITS nor a picture
        {"text.png", ImageError::NotAnImage},  // not a picture either
        {"wide.png", ImageError::TooLarge},    // 32001 pixels wide
    };
    for (const auto& c : cases) {
        const auto read = ReadImageFile(dir.filePath(c.name));
        ASSERT_FALSE(read) << c.name;
        EXPECT_EQ(read.error().kind, c.kind)
            << c.name << ": " << read.error().message.toStdString();
        EXPECT_FALSE(read.error().message.isEmpty()) << c.name; // the user is told why
    }
    // The size limits are named in the message.
    EXPECT_TRUE(ReadImageFile(dir.filePath("big.fits")).error().message.contains("32000"));
}

TEST(FitsImage, StretchShowsFaintStarsAndPickingReadsPhysicalValues) {
    PixelImage px;
    px.width = px.height = 200;
    px.physical = true;
    px.values.resize(200 * 200);
    std::mt19937 random(7);
    std::normal_distribution<float> noise(1000.0f, 10.0f);
    for (float& v : px.values)
        v = noise(random);
    auto addStar = [&px](int cx, int cy, float peak, float width) {
        for (int y = cy - 10; y <= cy + 10; ++y)
            for (int x = cx - 10; x <= cx + 10; ++x)
                px.values[static_cast<size_t>(y) * 200 + x] +=
                    peak *
                    std::exp(-((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (2.0f * width * width));
    };
    addStar(100, 100, 80, 1);     // 8 standard deviations of the sky
    addStar(50, 50, 60000, 1);    // saturating
    addStar(150, 150, 5000, 2.5); // a wide star for the snap
    const DisplayStretch s = AutoStretch(px);
    EXPECT_NEAR(s.median, 1000, 2);
    EXPECT_NEAR(s.sigma, 10, 1);
    EXPECT_NEAR(StretchLevel(s, s.median), 64, 2);
    EXPECT_EQ(StretchLevel(s, 0), 0);
    EXPECT_EQ(StretchLevel(s, 70000), 255);
    const QImage shown = StretchedPicture(px, s);
    EXPECT_GT(qGray(shown.pixel(100, 100)) - qGray(shown.pixel(120, 120)), 40);

    // The snap finds a star from the physical values.
    const auto value = [&px](int x, int y) { return PickValue(QImage(), px, x, y); };
    const BrightestSpot spot = FindBrightestNear(value, 148, 152);
    EXPECT_EQ(spot.x, 150);
    EXPECT_EQ(spot.y, 150);
    EXPECT_EQ(PickValue(QImage(), px, -1, 0), -1);

    // An 8-bit picture keeps the colour number red + 256 green + 65536 blue.
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    EXPECT_EQ(PickValue(picture, PixelImage(), 1, 1), 1 + 256 * 2 + 65536 * 3);
    EXPECT_EQ(PickValue(picture, PixelImage(), 2, 0), -1);

    // The magnifier scales its patch to the star's own peak.
    const auto levels = MagnifierLevels(px, s, 50, 50);
    EXPECT_EQ(levels[13 * 27 + 13], 255);
    EXPECT_LT(levels[0], 10);
    EXPECT_EQ(MagnifierLevels(px, s, 0, 0)[0], -1);
}

TEST(FitsHints, CentreTimeAndScales) {
    // OBJCTRA/OBJCTDEC texts with an equinox; seconds carried into minutes.
    FitsHints h = HeaderHints(header({{"OBJCTRA", "22 47 12.20", true},
                                      {"OBJCTDEC", "+58 03 14.3", true},
                                      {"EQUINOX", "2000.", false}}),
                              0, 0);
    ASSERT_TRUE(h.centre);
    EXPECT_EQ(h.centre->ra, (std::array<QString, 3>{"22", "47", "12.2"}));
    EXPECT_EQ(h.centre->decSign, "+");
    EXPECT_EQ(h.centre->dec, (std::array<QString, 3>{"58", "3", "14"}));
    EXPECT_EQ(h.centre->epoch, "2000.0");

    // RA/DEC in degrees come first; no equinox, none proposed.
    h = HeaderHints(header({{"OBJCTRA", "01 00 00", true},
                            {"OBJCTDEC", "+01 00 00", true},
                            {"RA", "29.99983333", false},
                            {"DEC", "-0.5", false}}),
                    0, 0);
    ASSERT_TRUE(h.centre);
    EXPECT_EQ(h.centre->ra, (std::array<QString, 3>{"2", "0", "0.0"}));
    EXPECT_EQ(h.centre->decSign, "-");
    EXPECT_EQ(h.centre->dec, (std::array<QString, 3>{"0", "30", "0"}));
    EXPECT_TRUE(h.centre->epoch.isEmpty());

    // Mid-exposure, rounded to the minute, across midnight.
    h = HeaderHints(header({{"DATE-OBS", "2022-10-10T21:35:30", true}, {"EXPTIME", "60", false}}),
                    0, 0);
    ASSERT_TRUE(h.time);
    EXPECT_EQ(h.time->fields, (std::array<QString, 5>{"10", "10", "2022", "21", "36"}));
    h = HeaderHints(header({{"DATE-OBS", "2022-10-10T21:35:20", true}, {"EXPTIME", "60", false}}),
                    0, 0); // 21:35:50 is nearer 21:36
    ASSERT_TRUE(h.time);
    EXPECT_EQ(h.time->fields[4], "36");
    h = HeaderHints(header({{"DATE-OBS", "2022-10-10", true},
                            {"TIME-OBS", "23:59:50", true},
                            {"EXPOSURE", "40", false}}),
                    0, 0);
    ASSERT_TRUE(h.time);
    EXPECT_EQ(h.time->fields, (std::array<QString, 5>{"11", "10", "2022", "0", "0"}));
    EXPECT_FALSE(HeaderHints(header({{"DATE-OBS", "yesterday", true}}), 0, 0).time);
    // Before 1970 too, to the nearest minute (an old photographic plate).
    h = HeaderHints(header({{"DATE-OBS", "1951-11-29T12:07:10", true}}), 0, 0);
    ASSERT_TRUE(h.time);
    EXPECT_EQ(h.time->fields, (std::array<QString, 5>{"29", "11", "1951", "12", "7"}));
    h = HeaderHints(header({{"DATE-OBS", "1951-11-29T12:07:40", true}}), 0, 0);
    ASSERT_TRUE(h.time);
    EXPECT_EQ(h.time->fields[4], "8");

    // The calculator's example (6.9 x 4.6 mm, 768 x 512 px, F = 1000 mm)
    // through a header: pixel 8.984375 um. Without a centre the
    // right-ascension scale is the calculator's; with one it is per degree
    // of right ascension.
    h = HeaderHints(header({{"FOCALLEN", "1000", false}, {"XPIXSZ", "8.984375", false}}), 768, 512);
    ASSERT_TRUE(h.scales);
    EXPECT_NEAR(h.scales->corrAsd, 1942.484, 1e-3);
    EXPECT_FALSE(h.scales->perDegreeOfRa);
    h = HeaderHints(header({{"FOCALLEN", "1000", false},
                            {"XPIXSZ", "8.984375", false},
                            {"YPIXSZ", "8.984375", false},
                            {"RA", "0", false},
                            {"DEC", "60", false}}),
                    768, 512);
    ASSERT_TRUE(h.scales);
    EXPECT_NEAR(h.scales->corrAsd, 1942.484 / 2, 1e-3);
    EXPECT_NEAR(h.scales->corrDec, 1942.484, 1e-3);
    // The boxes get two decimals, as a reduction file holds the scales.
    EXPECT_EQ(h.scales->corrAsdText, "971.24");
    EXPECT_EQ(h.scales->corrDecText, "1942.48");
}

// The sample as a FITS file: the same picture as the PNG (its header's
// fields are checked through the window, in test_localstars).
TEST(FitsHints, SampleFitsHoldsTheSamplePicture) {
    const LoadedImage fits = ReadImageFile(testing_support::sampleFile("image.fits")).value_or({});
    ASSERT_TRUE(fits.isFits());
    const QImage png =
        QImage(testing_support::sampleFile("image.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(fits.image.size(), png.size());
    for (const QPoint p : {QPoint(630, 133), QPoint(0, 1023), QPoint(1023, 0)}) {
        const QRgb c = png.pixel(p);
        EXPECT_NEAR(fits.values.at(p.x(), p.y()), (qRed(c) + qGreen(c) + qBlue(c)) * 256.0 / 3, 1);
    }
}

// The image view keeps a FITS image as grey levels for the screen and its
// values for picking; the drawings (one byte per pixel) paint in their colours.
TEST(FitsImage, CanvasShowsLevelsPicksValuesAndPaintsDrawings) {
    MarkerStore markers;
    ImageCanvas canvas(markers);
    PixelImage px;
    px.width = 40;
    px.height = 30;
    px.physical = true;
    px.values.assign(40 * 30, 1000.0f);
    px.values[5 * 40 + 7] = 5000.0f;
    const DisplayStretch s = AutoStretch(px);
    canvas.setImage(StretchedPicture(px, s), px, s);
    EXPECT_EQ(canvas.image().format(), QImage::Format_Grayscale8);
    EXPECT_EQ(canvas.pickValue(7, 5), 5000.0);
    EXPECT_EQ(canvas.pickValue(40, 0), -1);
    EXPECT_EQ(canvas.pixelValue(7, 5), 255 * 0x010101);

    markers.line(0, 20, 39, 20, qRgb(255, 0, 0));
    markers.line(10, 0, 10, 29, qRgb(0, 255, 0));
    QImage shown(40, 30, QImage::Format_RGB32);
    QPainter p(&shown);
    canvas.paintArea(p, shown.rect());
    p.end();
    EXPECT_EQ(shown.pixel(3, 20), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(10, 3), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(30, 10), qRgb(0, 0, 0)); // background: the image's black
}
