// The sources of a loaded image as the solving steps use them (automatic
// picks, candidate evidence, refined plate): the star finder's list, brightest
// first.
#pragma once

#include "imaging/pixelimage.h"
#include "imaging/starfinder.h"
#include "reduction/evidence.h"

#include <vector>

namespace field {

std::vector<reduction::ImageSource> ToImageSources(const std::vector<imaging::DetectedStar>& stars);

// Finds the stars of `image` (see FindStars) and returns them as sources.
std::vector<reduction::ImageSource> DetectSources(const imaging::PixelImage& image);

} // namespace field
