#include "imaging/fitsimage.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <fitsio.h>
#include <limits>
#include <memory>

namespace imaging {

namespace {

// The texts of this file, in the translation context "FitsImage".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(FitsImage)
};

// cfitsio's short description of a status code.
QString statusText(int status) {
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    fits_clear_errmsg();
    return QString::fromLatin1(text);
}

struct FileCloser {
    void operator()(fitsfile* f) const {
        int status = 0;
        fits_close_file(f, &status);
    }
};
using FitsFile = std::unique_ptr<fitsfile, FileCloser>;

// A card's value text without quotes; '' inside a string stands for '.
FitsCard makeCard(const char* key, const char* value, const char* comment) {
    FitsCard card;
    card.key = QString::fromLatin1(key).trimmed();
    card.comment = QString::fromLatin1(comment).trimmed();
    QString v = QString::fromLatin1(value).trimmed();
    if (v.startsWith(QLatin1Char('\''))) {
        card.isString = true;
        v = v.mid(1);
        if (v.endsWith(QLatin1Char('\''))) v.chop(1);
        v.replace(QStringLiteral("''"), QStringLiteral("'"));
        v = v.trimmed();
    }
    card.value = v;
    return card;
}

bool readCards(fitsfile* f, std::vector<FitsCard>& cards) {
    int status = 0, count = 0;
    if (fits_get_hdrspace(f, &count, nullptr, &status)) return false;
    for (int i = 1; i <= count; ++i) {
        char key[FLEN_KEYWORD] = {}, value[FLEN_VALUE] = {}, comment[FLEN_COMMENT] = {};
        if (fits_read_keyn(f, i, key, value, comment, &status)) return false;
        if (key[0] == '\0') continue;
        cards.push_back(makeCard(key, value, comment));
    }
    return true;
}

QString typeText(int equivalentType) {
    switch (equivalentType) {
    case BYTE_IMG:
        return Texts::tr("8-bit integers");
    case SBYTE_IMG:
        return Texts::tr("signed 8-bit integers");
    case SHORT_IMG:
        return Texts::tr("16-bit integers");
    case USHORT_IMG:
        return Texts::tr("unsigned 16-bit integers");
    case LONG_IMG:
        return Texts::tr("32-bit integers");
    case ULONG_IMG:
        return Texts::tr("unsigned 32-bit integers");
    case LONGLONG_IMG:
        return Texts::tr("64-bit integers");
    case FLOAT_IMG:
        return Texts::tr("32-bit floats");
    case DOUBLE_IMG:
        return Texts::tr("64-bit floats");
    default:
        return Texts::tr("values of type %1").arg(equivalentType);
    }
}

// The largest physical value an integer image can hold (its saturation).
std::optional<double> integerCeiling(int bitpix, double bzero, double bscale) {
    double stored = 0;
    switch (bitpix) {
    case BYTE_IMG:
        stored = 255;
        break;
    case SHORT_IMG:
        stored = 32767;
        break;
    case LONG_IMG:
        stored = 2147483647.0;
        break;
    case LONGLONG_IMG:
        stored = 9.2233720368547758e18;
        break;
    default:
        return std::nullopt;
    }
    return bzero + bscale * stored;
}

} // namespace

const FitsCard* FitsHeader::find(const QString& key) const {
    for (const FitsCard& c : cards)
        if (c.key.compare(key, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

QString FitsHeader::text(const QString& key) const {
    const FitsCard* c = find(key);
    return c ? c->value : QString();
}

std::optional<double> FitsHeader::number(const QString& key) const {
    const FitsCard* c = find(key);
    if (!c) return std::nullopt;
    QString v = c->value.trimmed();
    // FITS writes double-precision exponents with D.
    v.replace(QLatin1Char('D'), QLatin1Char('E')).replace(QLatin1Char('d'), QLatin1Char('e'));
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

bool LooksLikeFits(const QByteArray& head) {
    return head.startsWith("SIMPLE  =");
}

outcome::Result<FitsImage, ImageError> ReadFitsImage(const QString& path, int maxSide,
                                                     qint64 maxPixels) {
    FitsImage out;
    auto fail = [](ImageError kind, const QString& why) { return outcome::Error{kind, why}; };

    // The disk-file open takes the name literally: no extended file-name
    // syntax, no pipes, no network, no decompression of whole files.
    int status = 0;
    fitsfile* raw = nullptr;
    if (fits_open_diskfile(&raw, QFile::encodeName(path).constData(), READONLY, &status))
        return fail(ImageError::NotAnImage,
                    Texts::tr("not a readable FITS file (%1)").arg(statusText(status)));
    FitsFile file(raw);
    fitsfile* f = file.get();

    int hduCount = 0;
    if (fits_get_num_hdus(f, &hduCount, &status))
        return fail(ImageError::NotAnImage,
                    Texts::tr("not a readable FITS file (%1)").arg(statusText(status)));

    // The first image HDU with data.
    int hdu = 0, bitpix = 0, naxis = 0;
    LONGLONG naxes[9] = {};
    for (int i = 1; i <= hduCount && hdu == 0; ++i) {
        int type = 0;
        if (fits_movabs_hdu(f, i, &type, &status)) {
            // A damaged extension after an image already found does not
            // matter; one before it ends the search.
            return fail(ImageError::NotAnImage,
                        Texts::tr("not a readable FITS file (%1)").arg(statusText(status)));
        }
        if (type != IMAGE_HDU) continue;
        std::fill(std::begin(naxes), std::end(naxes), 0);
        if (fits_get_img_paramll(f, 9, &bitpix, &naxis, naxes, &status))
            return fail(ImageError::NotAnImage,
                        Texts::tr("not a readable FITS file (%1)").arg(statusText(status)));
        if (naxis < 2 || naxes[0] <= 0 || naxes[1] <= 0) continue;
        bool empty = false;
        for (int a = 2; a < std::min(naxis, 9); ++a)
            empty = empty || naxes[a] <= 0;
        if (!empty) hdu = i;
    }
    if (hdu == 0) return fail(ImageError::NoImage, Texts::tr("the FITS file holds no image"));

    const LONGLONG width = naxes[0], height = naxes[1];
    if (width > maxSide || height > maxSide || width * height > maxPixels)
        return fail(ImageError::TooLarge,
                    Texts::tr("the image is %1 × %2 pixels; at most %3 pixels per side and %4 "
                              "megapixels are accepted")
                        .arg(width)
                        .arg(height)
                        .arg(maxSide)
                        .arg(maxPixels / 1000000));
    const int planes = (naxis >= 3 && naxes[2] == 3) ? 3 : 1;
    const qint64 planeSize = width * height;

    // An uncompressed image must be all there before anything is allocated.
    int compressed = fits_is_compressed_image(f, &status);
    if (!compressed) {
        LONGLONG headStart = 0, dataStart = 0, dataEnd = 0;
        if (fits_get_hduaddrll(f, &headStart, &dataStart, &dataEnd, &status))
            return fail(ImageError::NotAnImage,
                        Texts::tr("not a readable FITS file (%1)").arg(statusText(status)));
        const LONGLONG needed = dataStart + planeSize * planes * (std::abs(bitpix) / 8);
        if (needed > QFileInfo(path).size())
            return fail(ImageError::CutShort,
                        Texts::tr("the FITS file is cut short: its header announces %1 bytes of "
                                  "image data, the file ends before")
                            .arg(planeSize * planes * (std::abs(bitpix) / 8)));
    }

    if (!readCards(f, out.header.cards))
        return fail(ImageError::NotAnImage,
                    Texts::tr("the FITS header cannot be read (%1)").arg(statusText(status)));
    if (hdu != 1) {
        int type = 0;
        if (!fits_movabs_hdu(f, 1, &type, &status)) readCards(f, out.header.cards);
        status = 0;
        fits_clear_errmsg();
        if (fits_movabs_hdu(f, hdu, &type, &status))
            return fail(ImageError::NotAnImage,
                        Texts::tr("not a readable FITS file (%1)").arg(statusText(status)));
    }

    int equivalentType = bitpix;
    fits_get_img_equivtype(f, &equivalentType, &status);
    status = 0;

    PixelImage& px = out.pixels;
    px.width = static_cast<int>(width);
    px.height = static_cast<int>(height);
    px.physical = true;
    try {
        px.values.resize(static_cast<size_t>(planeSize));
    } catch (const std::bad_alloc&) {
        return fail(
            ImageError::OutOfMemory,
            Texts::tr("not enough memory for an image of %1 × %2 pixels").arg(width).arg(height));
    }

    const bool topDown = out.header.text(QStringLiteral("ROWORDER"))
                             .compare(QLatin1String("TOP-DOWN"), Qt::CaseInsensitive) == 0;
    out.bottomUp = !topDown;
    float blank = std::numeric_limits<float>::quiet_NaN();
    int anyBlank = 0;
    std::vector<float> row;
    for (int p = 0; p < planes; ++p) {
        if (p == 0) {
            LONGLONG first[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
            if (fits_read_pixll(f, TFLOAT, first, planeSize, &blank, px.values.data(), &anyBlank,
                                &status))
                return fail(
                    ImageError::Unreadable,
                    Texts::tr("the FITS image data cannot be read (%1)").arg(statusText(status)));
            continue;
        }
        row.resize(static_cast<size_t>(width));
        for (LONGLONG y = 0; y < height; ++y) {
            LONGLONG first[9] = {1, y + 1, p + 1, 1, 1, 1, 1, 1, 1};
            if (fits_read_pixll(f, TFLOAT, first, width, &blank, row.data(), &anyBlank, &status))
                return fail(
                    ImageError::Unreadable,
                    Texts::tr("the FITS image data cannot be read (%1)").arg(statusText(status)));
            float* dst = px.values.data() + y * width;
            for (LONGLONG x = 0; x < width; ++x)
                dst[x] += row[static_cast<size_t>(x)];
        }
    }
    if (planes == 3)
        for (float& v : px.values)
            v /= 3.0f;

    // File order is bottom row first; the picture is kept top row first.
    if (!topDown) {
        for (LONGLONG y = 0; y < height / 2; ++y)
            std::swap_ranges(px.values.begin() + y * width, px.values.begin() + (y + 1) * width,
                             px.values.begin() + (height - 1 - y) * width);
    }

    // Blank pixels take the lowest value present.
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();
    size_t blanks = 0;
    for (float v : px.values) {
        if (!std::isfinite(v)) {
            ++blanks;
            continue;
        }
        low = std::min(low, v);
        high = std::max(high, v);
    }
    if (blanks == px.values.size())
        return fail(ImageError::NoImage, Texts::tr("the FITS image holds no valid pixel value"));
    if (blanks > 0)
        for (float& v : px.values)
            if (!std::isfinite(v)) v = low;

    const double bzero = out.header.number(QStringLiteral("BZERO")).value_or(0.0);
    const double bscale = out.header.number(QStringLiteral("BSCALE")).value_or(1.0);
    if (const auto saturate = out.header.number(QStringLiteral("SATURATE")))
        px.saturation = static_cast<float>(*saturate);
    else if (const auto ceiling = integerCeiling(bitpix, bzero, bscale))
        px.saturation = static_cast<float>(*ceiling);
    else
        px.saturation = high;

    out.description =
        Texts::tr("FITS, %1 × %2, %3").arg(width).arg(height).arg(typeText(equivalentType));
    if (hdu != 1) out.description += Texts::tr(", HDU %1").arg(hdu);
    if (planes == 3)
        out.description += Texts::tr(", colour: mean of 3 planes");
    else if (naxis >= 3 && naxes[2] > 1)
        out.description += Texts::tr(", first of %1 planes").arg(naxes[2]);
    if (blanks > 0) out.description += Texts::tr(", %1 blank pixels").arg(blanks);
    return out;
}

} // namespace imaging
