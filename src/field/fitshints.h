// What a FITS header tells about the fields a user would otherwise type: the
// field centre, the time of the exposure and the two scales.
//
// Centre: RA and DEC (degrees, or sexagesimal texts: RA in hours), else
// OBJCTRA and OBJCTDEC ("HH MM SS.S", "+DD MM SS"), else CRVAL1 and CRVAL2 of
// an RA---/DEC-- plate solution. The equinox comes from EQUINOX or EPOCH;
// without either, none is proposed.
// Time: DATE-OBS (ISO "2022-10-10T21:36:00.0", or the date alone with
// TIME-OBS, UT or UTSTART; old "dd/mm/yy" dates are 19yy), moved to the middle
// of the exposure by half of EXPTIME (or EXPOSURE), rounded to the minute.
// Scales: FOCALLEN (mm) with XPIXSZ and YPIXSZ (micrometres; PIXSIZE1 and
// PIXSIZE2 when those are absent), through the CCD field calculator
// (CcdFieldScales) with the sensor taken as the image: width = NAXIS1 x pixel size,
// height = NAXIS2 x pixel size. The pixel sizes are taken as already
// including the binning (XBINNING, YBINNING), as camera software writes them.
// The calculator gives pixels per degree on the sky along both axes; the
// right-ascension scale the matching needs is per degree of right ascension,
// so it is multiplied by cos(declination) of the header's centre (without a
// centre it is left as the calculator gives it, and the hint says so).
#pragma once

#include "imaging/fitsimage.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

namespace field {

struct FitsCentreHint {
    double raDeg = 0, decDeg = 0; // the centre read, degrees
    std::array<QString, 3> ra;    // hours, minutes, seconds (one decimal)
    QString decSign;              // "+" or "-"
    std::array<QString, 3> dec;   // degrees, minutes, seconds, without sign
    QString epoch;                // equinox in years, e.g. "2000.0"; empty when not given
    QString from;                 // the keywords used, e.g. "OBJCTRA/OBJCTDEC"
};

struct FitsTimeHint {
    QDateTime utc;                 // mid-exposure, rounded to the minute
    std::array<QString, 5> fields; // day, month, year, hour, minute
    QString from;                  // e.g. "DATE-OBS + EXPTIME/2"
};

struct FitsScaleHint {
    double skyAsd = 0;          // pixels per degree on the sky along x (the calculator's)
    double corrAsd = 0;         // pixels per degree of right ascension (x)
    double corrDec = 0;         // pixels per degree of declination (y)
    bool perDegreeOfRa = false; // corrAsd includes cos(declination)
    QString corrAsdText, corrDecText;
    QString source; // e.g. "FOCALLEN 800 mm, XPIXSZ/YPIXSZ 3.76 µm, binning 1x1"
    QString from;   // the source and how the right-ascension scale was made
};

struct FitsHints {
    std::optional<FitsCentreHint> centre;
    std::optional<FitsTimeHint> time;
    std::optional<FitsScaleHint> scales;
    bool empty() const { return !centre && !time && !scales; }
};

// The hints of `header` for an image of width x height pixels.
FitsHints HeaderHints(const imaging::FitsHeader& header, int width, int height);

// Sets the right-ascension scale of `scales` for the declination `decDeg`
// (degrees) of the centre it will be used with: skyAsd x cos(declination),
// or skyAsd itself without a declination. The texts get two decimals, as a
// reduction file holds the scales. False (nothing changed) at a pole, where
// a right-ascension scale means nothing.
bool SetScaleDeclination(FitsScaleHint& scales, std::optional<double> decDeg);

} // namespace field
