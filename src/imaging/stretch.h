// The automatic display stretch of an image with physical pixel values.
//
// The sky background sets it: black lies 2.8 robust standard deviations below
// the median (the deviation is 1.4826 times the median absolute deviation),
// white at the brightest value, and a midtones curve
//     y = (m - 1) x / ((2m - 1) x - m),  x = (v - black) / (white - black)
// lifts the median to a quarter of full scale, so that faint stars show while
// bright ones do not turn into flat discs. The statistics come from at most a
// million pixels spread evenly over the image.
#pragma once

#include "imaging/pixelimage.h"

#include <QImage>
#include <array>

namespace imaging {

struct DisplayStretch {
    float black = 0;
    float white = 1;
    float median = 0;
    float sigma = 0;      // robust standard deviation of the values
    double midtone = 0.5; // m of the curve; 0.5 is a straight line
};

DisplayStretch AutoStretch(const PixelImage& pixels);

// The display level (0..255) of value `v`.
int StretchLevel(const DisplayStretch& stretch, float v);

// The 8-bit grey picture of the values under that stretch.
QImage StretchedPicture(const PixelImage& pixels, const DisplayStretch& stretch);

// The grey levels of the magnifier: the 27 x 27 values around (cx, cy),
// row by row from (cx - 13, cy - 13), scaled linearly from the stretch's black
// to the brightest value of the patch (at least ten deviations above the
// median, so that bare sky does not turn into glaring noise). Positions
// outside the image give -1.
std::array<int, 27 * 27> MagnifierLevels(const PixelImage& pixels, const DisplayStretch& stretch,
                                         int cx, int cy);

} // namespace imaging
