// The pixel values of a loaded image, as the star finder reads them.
//
// One brightness value per pixel, row by row from the top (x to the right,
// y downwards, pixel (0, 0) is the top-left one). For an 8-bit picture the
// value is the grey level (mean of red, green and blue, 0..255); for a FITS
// image it is the file's physical value (BZERO + BSCALE * stored value).
#pragma once

#include <QImage>
#include <vector>

namespace imaging {

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<float> values; // width * height values
    // Values at or above this level are saturated (255 for 8-bit pictures).
    float saturation = 255.0f;
    // True when the values are the file's physical values (FITS), false for
    // display levels of an 8-bit picture.
    bool physical = false;

    bool isNull() const { return width <= 0 || height <= 0; }
    float at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// The grey levels of an 8-bit picture.
PixelImage PixelImageFromPicture(const QImage& picture);

} // namespace imaging
