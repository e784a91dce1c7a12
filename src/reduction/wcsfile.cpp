#include "reduction/wcsfile.h"

#include "platform/textfile.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdlib>
#include <fitsio.h>

namespace reduction {

namespace {

QString FitsError(int status) {
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    return QCoreApplication::translate("WcsFile", "FITS library error %1: %2")
        .arg(status)
        .arg(QString::fromLatin1(text));
}

} // namespace

TanPlate PlateInFileRows(const TanPlate& plate, int height, FileRows rows) {
    if (rows == FileRows::TopDown) return plate;
    // File row y' = (height - 1) - y: the tangent pixel moves, and the
    // column of the CD matrix that multiplies y changes sign.
    TanPlate flipped = plate;
    flipped.crpix.y = (height - 1) - plate.crpix.y;
    flipped.cd[1] = -plate.cd[1];
    flipped.cd[3] = -plate.cd[3];
    // With v' = -v, a term u^p v^q changes sign with odd q; the second
    // polynomial of each pair changes sign as a whole, since it gives the
    // offset along y.
    if (flipped.distortion) {
        Distortion& d = *flipped.distortion;
        for (int p = 0; p <= Distortion::kMaxOrder; ++p)
            for (int q = 0; p + q <= Distortion::kMaxOrder; ++q) {
                const double odd = q % 2 ? -1.0 : 1.0;
                d.a[p][q] *= odd, d.ap[p][q] *= odd;
                d.b[p][q] *= -odd, d.bp[p][q] *= -odd;
            }
    }
    return flipped;
}

outcome::Result<QByteArray, outcome::FileError> WcsHeaderBytes(const TanPlate& shown, int width,
                                                               int height, FileRows rows) {
    auto failed = [](const QString& why) {
        return outcome::Error{outcome::FileError::BadContent, why};
    };
    const double values[] = {shown.crval.ra, shown.crval.dec, shown.crpix.x, shown.crpix.y,
                             shown.cd[0],    shown.cd[1],     shown.cd[2],   shown.cd[3]};
    for (double v : values)
        if (!std::isfinite(v))
            return failed(
                QCoreApplication::translate("WcsFile", "The plate holds no valid numbers."));
    if (width <= 0 || height <= 0)
        return failed(QCoreApplication::translate("WcsFile", "No image size is known."));
    const TanPlate plate = PlateInFileRows(shown, height, rows);

    size_t size = 2880;
    void* memory = std::malloc(size);
    fitsfile* f = nullptr;
    int status = 0;
    fits_create_memfile(&f, &memory, &size, 2880, std::realloc, &status);
    fits_create_img(f, BYTE_IMG, 0, nullptr, &status);
    auto text = [&](const char* key, const char* value, const char* comment) {
        fits_write_key_str(f, key, value, comment, &status);
    };
    auto real = [&](const char* key, double value, const char* comment) {
        fits_write_key_dbl(f, key, value, -15, comment, &status);
    };
    auto whole = [&](const char* key, long value, const char* comment) {
        fits_write_key_lng(f, key, value, comment, &status);
    };
    const bool sip = plate.distortion.has_value();
    whole("WCSAXES", 2, "Number of world coordinate axes");
    if (sip) {
        text("CTYPE1", "RA---TAN-SIP", "Right ascension, gnomonic projection, SIP distortion");
        text("CTYPE2", "DEC--TAN-SIP", "Declination, gnomonic projection, SIP distortion");
    } else {
        text("CTYPE1", "RA---TAN", "Right ascension, gnomonic projection");
        text("CTYPE2", "DEC--TAN", "Declination, gnomonic projection");
    }
    text("CUNIT1", "deg", "Unit of CRVAL1 and CD1_*");
    text("CUNIT2", "deg", "Unit of CRVAL2 and CD2_*");
    real("EQUINOX", 2000.0, "Equinox of the coordinates");
    text("RADESYS", "FK5", "Reference frame");
    real("CRVAL1", plate.crval.ra, "RA of the tangent point, degrees");
    real("CRVAL2", plate.crval.dec, "Dec of the tangent point, degrees");
    real("CRPIX1", plate.crpix.x + 1.0, "X of the tangent point, pixels (1-based)");
    real("CRPIX2", plate.crpix.y + 1.0, "Y of the tangent point, pixels (1-based)");
    real("CD1_1", plate.cd[0], "Linear plate, degrees per pixel");
    real("CD1_2", plate.cd[1], "Linear plate, degrees per pixel");
    real("CD2_1", plate.cd[2], "Linear plate, degrees per pixel");
    real("CD2_2", plate.cd[3], "Linear plate, degrees per pixel");
    if (sip) {
        const Distortion& d = *plate.distortion;
        auto terms = [&](const char* name, const Distortion::Terms& t, int order,
                         const char* comment) {
            whole(qPrintable(QStringLiteral("%1_ORDER").arg(QLatin1String(name))), order, comment);
            for (int p = 0; p <= order; ++p)
                for (int q = 0; p + q <= order; ++q)
                    if (p + q >= 2)
                        real(qPrintable(
                                 QStringLiteral("%1_%2_%3").arg(QLatin1String(name)).arg(p).arg(q)),
                             t[p][q], "");
        };
        terms("A", d.a, d.order, "Distortion polynomial order, pixel to plane, x");
        terms("B", d.b, d.order, "Distortion polynomial order, pixel to plane, y");
        if (d.inverseOrder >= 2) {
            terms("AP", d.ap, d.inverseOrder, "Distortion polynomial order, plane to pixel, x");
            terms("BP", d.bp, d.inverseOrder, "Distortion polynomial order, plane to pixel, y");
        }
    }
    whole("IMAGEW", width, "Image width, pixels");
    whole("IMAGEH", height, "Image height, pixels");
    fits_write_comment(f,
                       rows == FileRows::BottomUp
                           ? "Row 1 is the first row of the FITS data (the bottom row shown)."
                           : "Row 1 is the top row of the image.",
                       &status);
    LONGLONG headStart = 0, dataStart = 0, dataEnd = 0;
    fits_get_hduaddrll(f, &headStart, &dataStart, &dataEnd, &status);
    // Closing writes the header out to the memory; the memory stays ours.
    int closeStatus = 0;
    if (f) fits_close_file(f, &closeStatus);
    if (status == 0) status = closeStatus;
    std::optional<QByteArray> bytes;
    if (status == 0 && dataEnd > 0 && static_cast<size_t>(dataEnd) <= size)
        bytes = QByteArray(static_cast<const char*>(memory), static_cast<qsizetype>(dataEnd));
    std::free(memory);
    if (!bytes) return failed(FitsError(status));
    return *std::move(bytes);
}

outcome::Status<outcome::FileError> WriteWcsFile(const QString& path, const TanPlate& plate,
                                                 int width, int height, FileRows rows) {
    const auto bytes = WcsHeaderBytes(plate, width, height, rows);
    if (!bytes) return bytes.error();
    return textfile::WriteBytes(path, *bytes);
}

} // namespace reduction
