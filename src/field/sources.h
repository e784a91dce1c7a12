// The sources of a loaded image as the solving steps use them (automatic
// picks, candidate evidence, refined plate): the star finder's list, brightest
// first.
#pragma once

#include "imaging/pixelimage.h"
#include "imaging/starfinder.h"
#include "reduction/evidence.h"

#include <vector>

std::vector<ImageSource> ToImageSources(const std::vector<DetectedStar>& stars);

// Finds the stars of `image` (see FindStars) and returns them as sources.
std::vector<ImageSource> DetectSources(const PixelImage& image);
