// The image file named in the image box: where it is, when it last changed,
// and reading it.
//
// Pictures (JPEG, PNG, BMP, GIF, TIFF, whatever the image plug-ins read) and
// FITS images are read. Only regular files are opened: a FIFO, a device or a
// folder named as the image is refused before anything could block. The
// largest image accepted is kMaxImageSide pixels on either side and
// kMaxImagePixels pixels in all; larger ones are refused with a message
// before they are decoded. Picked positions are kept in 16-bit integers, and
// the side limit leaves room for the 13-pixel magnifier and the 3-pixel snap
// beyond the last pixel.
#pragma once

#include "imaging/fitsimage.h"
#include "imaging/pixelimage.h"
#include "imaging/stretch.h"

#include <QImage>
#include <QString>

namespace imaging {

inline constexpr int kMaxImageSide = 32000;
inline constexpr qint64 kMaxImagePixels = 100'000'000;

// The path of the typed image name: a name without ":" that does not start
// with "/" is taken relative to the program folder.
QString ImagePath(const QString& typed);

// The file's modification time as text (to the millisecond); empty when the
// path is not a regular file (missing, or a folder).
QString ImageFileStamp(const QString& path);

struct LoadedImage {
    // What is shown: the picture itself, or the stretched levels of a FITS
    // image (8-bit grey).
    QImage image;
    // FITS only: the physical values, the stretch that made `image`, and
    // the header. Empty for pictures.
    PixelImage values;
    DisplayStretch stretch;
    FitsHeader header;
    QString description; // what was read, for the status list
    // FITS: the file's row 1 is the bottom row shown (pictures and
    // ROWORDER = 'TOP-DOWN' files store the top row first).
    bool rowsBottomUp = false;
    bool isFits() const { return !values.isNull(); }
};

// Reads a picture or FITS file; on failure the kind and the reason (without
// the path).
outcome::Result<LoadedImage, ImageError> ReadImageFile(const QString& path);

// What the brightest-spot search and the magnifier read at pixel (x, y): the
// colour of a picture as one number, red + 256 * green + 65536 * blue, or the
// physical value of a FITS image; -1 outside the image. `picture` must be
// 32-bit RGB for pictures; `values` is empty for pictures.
double PickValue(const QImage& picture, const PixelImage& values, int x, int y);

} // namespace imaging
