#include "field/sources.h"

using namespace reduction;
using namespace imaging;

namespace field {

std::vector<ImageSource> ToImageSources(const std::vector<DetectedStar>& stars) {
    std::vector<ImageSource> out;
    out.reserve(stars.size());
    for (const DetectedStar& s : stars)
        out.push_back({s.x, s.y, s.flux, s.saturated});
    return out;
}

std::vector<ImageSource> DetectSources(const PixelImage& image) {
    return ToImageSources(FindStars(image));
}

} // namespace field
