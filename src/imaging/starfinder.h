// Star detection: the point sources of an image with sub-pixel centres.
//
// The background is estimated locally, so nebulosity, gradients and the black
// unexposed borders of a stacked picture do not turn into sources:
//   1. a coarse background and noise level per cell of a grid (median and
//      median absolute deviation of the cell's pixels, smoothed over the
//      neighbouring cells and interpolated between cell centres);
//   2. the image smoothed with a small binomial kernel (about the size of a
//      star image); every local maximum of the smoothed image that stands
//      `threshold` noise levels above the coarse background is a candidate;
//   3. a candidate is kept when it also stands that far above the median of a
//      ring of pixels around it (the local background), which rejects the
//      edges of dark borders and the ridges of nebulae;
//   4. centre = first moment of the background-subtracted pixels within a
//      small radius, refined once about the first centre; flux = their sum;
//      saturated when a pixel of the aperture is at the saturation level.
#pragma once

#include "imaging/pixelimage.h"

#include <vector>

namespace imaging {

struct DetectedStar {
    double x = 0;          // pixels, x to the right, centre of pixel (0, 0) is 0, 0
    double y = 0;          // pixels, y downwards
    double flux = 0;       // background-subtracted sum over the aperture, image units
    double peak = 0;       // highest pixel value of the aperture, background included
    double background = 0; // local background level under the star
    bool saturated = false;
};

struct StarFinderOptions {
    double threshold = 5.0; // detection level, in noise levels of the smoothed image
    int maxStars = 2000;    // the brightest this many are returned
    int cellSize = 64;      // background grid cell, pixels
    int border = 2;         // sources closer than this to the image edge are dropped
};

// Sources of `image`, brightest (largest flux) first. An empty or degenerate
// image gives an empty list.
std::vector<DetectedStar> FindStars(const PixelImage& image, const StarFinderOptions& options = {});

} // namespace imaging
