// The plate as a FITS WCS header file (".wcs"): a primary header without
// data holding a gnomonic world-coordinate system, the form astrometry
// programs exchange plates in.
//
//   CTYPE1 'RA---TAN', CTYPE2 'DEC--TAN', EQUINOX 2000, RADESYS 'FK5'
//   CRVAL1, CRVAL2  tangent point, degrees
//   CRPIX1, CRPIX2  its pixel, 1-based FITS coordinates (0-based pixel + 1)
//   CD1_1 .. CD2_2  degrees per pixel
//   IMAGEW, IMAGEH  image size in pixels
// and for a plate with distortion CTYPEs 'RA---TAN-SIP', 'DEC--TAN-SIP' with
//   A_ORDER, A_p_q, B_ORDER, B_p_q        pixel -> plane terms (see tanplate.h)
//   AP_ORDER, AP_p_q, BP_ORDER, BP_p_q    plane -> pixel terms
//
// The header is written in the image file's own pixel grid, so that other
// tools read it against the file: for a picture row 1 is the top row; for a
// FITS image row 1 is the first row of the data, which is the bottom row
// shown unless the file says ROWORDER = 'TOP-DOWN'. The plate itself is kept
// with y downwards from the top row shown (see tanplate.h).
#pragma once

#include "platform/outcome.h"
#include "reduction/tanplate.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace reduction {

// How the rows of the image file run.
enum class FileRows {
    TopDown,  // row 1 is the top row shown (pictures, ROWORDER = 'TOP-DOWN')
    BottomUp, // row 1 is the bottom row shown (FITS by default)
};

// The plate (y downwards from the top row shown) in the pixel grid of a file
// whose rows run as `rows`, `height` rows high.
TanPlate PlateInFileRows(const TanPlate& plate, int height, FileRows rows);

// The header file's bytes (2880-byte blocks) for an image file whose rows run
// as `rows`; BadContent when the plate or the size cannot make a header or
// the FITS library reports a failure.
outcome::Result<QByteArray, outcome::FileError> WcsHeaderBytes(const TanPlate& plate, int width,
                                                               int height, FileRows rows);

// Writes the header file at `path` atomically (an existing file is replaced
// only when the whole new one is written). On failure BadContent as above, or
// the save's NotRegular or Unwritable.
outcome::Status<outcome::FileError> WriteWcsFile(const QString& path, const TanPlate& plate,
                                                 int width, int height, FileRows rows);

} // namespace reduction
