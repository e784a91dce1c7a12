#include "imaging/imagefile.h"

#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace imaging {

namespace {

// The texts of this file, in the translation context "ImageFile".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ImageFile)
};

QString tooLarge(qint64 width, qint64 height) {
    return Texts::tr(
               "the image is %1 × %2 pixels; at most %3 pixels per side and %4 megapixels are "
               "accepted")
        .arg(width)
        .arg(height)
        .arg(kMaxImageSide)
        .arg(kMaxImagePixels / 1000000);
}

bool fits(qint64 width, qint64 height) {
    return width <= kMaxImageSide && height <= kMaxImageSide && width * height <= kMaxImagePixels;
}

outcome::Result<LoadedImage, ImageError> readPicture(QFile& file) {
    LoadedImage result;
    QImageReader reader(&file);
    // A little above what the largest accepted image needs decoded.
    QImageReader::setAllocationLimit(static_cast<int>(kMaxImagePixels * 4 / (1024 * 1024)) + 16);
    const QSize size = reader.size();
    if (size.isValid() && !fits(size.width(), size.height()))
        return outcome::Error{ImageError::TooLarge, tooLarge(size.width(), size.height())};
    result.image = reader.read();
    if (result.image.isNull()) return outcome::Error{ImageError::NotAnImage, reader.errorString()};
    if (!fits(result.image.width(), result.image.height()))
        return outcome::Error{ImageError::TooLarge,
                              tooLarge(result.image.width(), result.image.height())};
    result.description =
        Texts::tr("%1 × %2 picture").arg(result.image.width()).arg(result.image.height());
    return result;
}

} // namespace

QString ImagePath(const QString& typed) {
    if (typed.contains(QLatin1Char(':')) || typed.startsWith(QLatin1Char('/'))) return typed;
    return programfolder::File(typed);
}

QString ImageFileStamp(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) return QString(); // missing, or a folder: no image to reload
    return info.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

outcome::Result<LoadedImage, ImageError> ReadImageFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return outcome::Error{ImageError::Missing, Texts::tr("the file does not exist")};
    // isFile() is false for FIFOs, sockets, devices and folders, also behind
    // a symbolic link: opening those could block or read without end.
    if (!info.isFile())
        return outcome::Error{ImageError::NotRegular, Texts::tr("not a regular file")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return outcome::Error{ImageError::Unreadable, file.errorString()};
    const QByteArray head = file.peek(80);
    if (!LooksLikeFits(head)) return readPicture(file);
    file.close();

    auto fits = ReadFitsImage(path, kMaxImageSide, kMaxImagePixels);
    if (!fits) return fits.error();
    LoadedImage result;
    result.stretch = AutoStretch(fits->pixels);
    result.image = StretchedPicture(fits->pixels, result.stretch);
    if (result.image.isNull())
        return outcome::Error{ImageError::OutOfMemory,
                              Texts::tr("not enough memory to show the image")};
    result.values = std::move(fits->pixels);
    result.header = std::move(fits->header);
    result.description = fits->description;
    result.rowsBottomUp = fits->bottomUp;
    return result;
}

double PickValue(const QImage& picture, const PixelImage& values, int x, int y) {
    if (!values.isNull()) {
        if (x < 0 || y < 0 || x >= values.width || y >= values.height) return -1;
        return values.at(x, y);
    }
    if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height()) return -1;
    const QRgb p = reinterpret_cast<const QRgb*>(picture.constScanLine(y))[x];
    return qRed(p) + 256 * qGreen(p) + 65536 * qBlue(p);
}

} // namespace imaging
