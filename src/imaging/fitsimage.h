// FITS images from CCD and CMOS cameras, read through cfitsio.
//
// The first HDU that holds an image with data is read (a primary HDU with
// NAXIS = 0 is skipped, as are tables; tile-compressed images count as
// images). Stored values of every type (8, 16, 32, 64-bit integers, 32 and
// 64-bit floats) become physical values BZERO + BSCALE * stored value, kept
// as floats. Rows are turned so that the image shows the usual way up: FITS
// row 1 is the bottom row, unless the header says ROWORDER = 'TOP-DOWN'.
// A cube of three planes (NAXIS3 = 3) is a colour image and is shown as the
// mean of its planes; any other cube shows its first plane. Blank pixels
// (NaN, or BLANK of integer images) take the lowest value of the image, so
// that they neither attract nor break a pick.
#pragma once

#include "platform/outcome.h"

#include "imaging/pixelimage.h"

#include <QString>
#include <optional>
#include <vector>

namespace imaging {

// One header card: the keyword, its value as text (strings without their
// quotes, '' read as '), and the comment.
struct FitsCard {
    QString key;
    QString value;
    QString comment;
    bool isString = false;
};

// The cards of a header, in file order. When the image lies in an extension,
// the cards of the primary header follow its own, so that keywords written
// only there (often DATE-OBS, the telescope data) are still found.
struct FitsHeader {
    std::vector<FitsCard> cards;

    // The first card with this keyword (case-insensitive), if any.
    const FitsCard* find(const QString& key) const;
    // Its value as text; empty when absent.
    QString text(const QString& key) const;
    // Its value as a number; nothing when absent or not a number.
    std::optional<double> number(const QString& key) const;
};

// Why an image file could not be read.
enum class ImageError {
    Missing,     // no such file
    NotRegular,  // a FIFO, device, socket or folder (or a link to one)
    Unreadable,  // cannot be opened or read
    NotAnImage,  // neither a picture the program reads nor a readable FITS file
    NoImage,     // a FITS file without image data
    CutShort,    // the file ends before the data its header announces
    TooLarge,    // beyond the program's size limits
    OutOfMemory, // no memory for the pixels or the picture shown
};

struct FitsImage {
    PixelImage pixels; // physical values, top row first
    FitsHeader header;
    QString description;  // e.g. "16-bit integers, HDU 1" (what was read, for the status list)
    bool bottomUp = true; // the file's row 1 is the bottom row shown (no ROWORDER = 'TOP-DOWN')
};

// True when `head` (the first bytes of a file) starts like a FITS file.
bool LooksLikeFits(const QByteArray& head);

// Reads the image of a FITS file. Images with more than `maxPixels` pixels or
// a side longer than `maxSide` are refused before any pixel is read, as are
// files shorter than their header says.
outcome::Result<FitsImage, ImageError> ReadFitsImage(const QString& path, int maxSide,
                                                     qint64 maxPixels);

} // namespace imaging
