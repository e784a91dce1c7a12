// The CCD field calculator: the two corrector coefficients of a camera behind
// a telescope, from the size of the sensor and the focal length, instead of
// from a calibrated image.
#pragma once

#include "platform/outcome.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace reduction {

// The inputs of the calculator, as the user types them.
enum class CcdInput { Width, Height, WidthPx, HeightPx, Focal };

struct CcdGeometry {
    double width = 0;    // W, sensor width, mm
    double height = 0;   // H, sensor height, mm
    double widthPx = 0;  // Nx, sensor width, pixels
    double heightPx = 0; // Ny, sensor height, pixels
    double focal = 0;    // F, focal length, mm
};

struct CcdField {
    double cx = 0;           // pixels per degree along the sensor width (CorrAsd)
    double cy = 0;           // pixels per degree along the sensor height (CorrDec)
    double widthArcmin = 0;  // angular width of the field
    double heightArcmin = 0; // angular height of the field
};

// Why the calculator gives no result: an input that is not a number greater
// than zero (one kind per input, in the order of CcdInput), or inputs that
// give no solution or no usable scales.
enum class CcdError { Width, Height, WidthPx, HeightPx, Focal, NoSolution, NoUsableScales };

// The input at fault, when the error is one input's.
std::optional<CcdInput> InputAtFault(CcdError error);

/*
**  CcdFieldScales
**
**  Pixel scales and field size of a sensor at the focus of a telescope.
**
**  Given:
**     g       CcdGeometry   W, H (mm), Nx, Ny (pixels), F (mm)
**
**  Returned (function value):
**     field   CX, CY        pixels per degree along the sensor's width and
**                           height; the field's width and height in arcmin
**     error   CcdError      why no result could be given, and a message
**
**  Notes:
**
**  1) Two reference pixel vectors, (300, 480) and (600, 100), are turned into
**     squared angular lengths
**        A0 = (300 / F * 3438 / Nx / 60 * W)^2,  A1 = (480 / F * 3438 / Ny / 60 * H)^2
**        A2 = (600 / F * 3438 / Nx / 60 * W)^2,  A3 = (100 / F * 3438 / Ny / 60 * H)^2
**     (degrees squared, each evaluated left to right), and the system
**        A0 X + A1 Y = 300^2 + 480^2,  A2 X + A3 Y = 600^2 + 100^2
**     is solved by Cramer's rule; CX = sqrt(X), CY = sqrt(Y). Up to rounding
**     this is CX = 60 F Nx / (3438 W) and CY = 60 F Ny / (3438 H).
**
**  2) The field is 3438 / F * W by 3438 / F * H arcminutes; 3438 is the
**     number of arcminutes in a radian, rounded.
**
**  3) Every input must be a finite number greater than zero; a zero would
**     divide by zero or leave the system without a solution. The result is
**     refused when either scale is not a finite number greater than zero.
**
**  4) Example: a 6.9 x 4.6 mm sensor of 768 x 512 pixels at F = 1000 mm gives
**     CX = CY = 1942.484 pixels per degree and a field of 23.7222' x 15.8148'.
**
**  References:
**     The small-angle relation: an object of angular size a (radians) at
**     focal length F makes an image of size F a.
*/
outcome::Result<CcdField, CcdError> CcdFieldScales(const CcdGeometry& g);

// Reads a number typed into the calculator: blanks around are allowed and the
// decimal separator may be "." or "," ("6,9" and "6.9" are both 6.9). Nothing
// for an empty text or one that is not a number.
std::optional<double> ReadCcdNumber(QStringView text);

} // namespace reduction
