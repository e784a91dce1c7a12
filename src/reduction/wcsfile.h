// The plate as a FITS WCS header file (".wcs"): a primary header without
// data holding a gnomonic world-coordinate system, the form astrometry
// programs exchange plates in.
//
//   CTYPE1 'RA---TAN', CTYPE2 'DEC--TAN', EQUINOX 2000, RADESYS 'FK5'
//   CRVAL1, CRVAL2  tangent point, degrees
//   CRPIX1, CRPIX2  its pixel, 1-based FITS coordinates (0-based pixel + 1)
//   CD1_1 .. CD2_2  degrees per pixel
//   IMAGEW, IMAGEH  image size in pixels
//
// FITS pixel 2 counts rows from the top of the picture, as the image is
// stored (row 1 = top row), so the CD matrix applies to (x, y) with y down.
#pragma once

#include "reduction/tanplate.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The header file's bytes (2880-byte blocks); nothing, with `error` set,
// when the FITS library reports a failure.
std::optional<QByteArray> WcsHeaderBytes(const TanPlate& plate, int width, int height,
                                         QString* error = nullptr);

// Writes the header file at `path` atomically (an existing file is replaced
// only when the whole new one is written). False, with `error` set, on failure.
bool WriteWcsFile(const QString& path, const TanPlate& plate, int width, int height,
                  QString* error = nullptr);
