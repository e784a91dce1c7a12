// Automatic picks: five stars for the field matching chosen among the
// sources detected on the image, as a careful user would choose them.
//
// A source is eligible when it is not saturated, lies away from the image
// edges and is isolated (no other source within kIsolation pixels brighter
// than a quarter of it). Among the kPool brightest eligible sources (bright
// stars are the ones most likely to be in the catalogue) the five that are
// best spread are taken: the largest smallest pairwise distance, no three of
// them nearly on one line. Picks 1 to 3, which make the candidates' plate
// model, are the three of the five with the largest triangle.
// Saturated sources are used only when fewer than five others qualify.
#pragma once

#include "reduction/evidence.h"
#include "reduction/platesolution.h"

#include <array>
#include <optional>
#include <span>

namespace reduction {

namespace autopicks {

inline constexpr int kPool = 12;
inline constexpr double kIsolation = 10.0;    // pixels
inline constexpr double kEdgeFraction = 0.03; // of the smaller image side, at least 10 pixels
// Three picks count as nearly on one line when the triangle's height over
// its longest side is below this fraction of that side (about 6 degrees).
inline constexpr double kFlatness = 0.1;

// Five picks from `sources` (brightest first) of an image width x height;
// nothing when fewer than five usable sources exist.
std::optional<std::array<PixelPoint, 5>> Choose(std::span<const ImageSource> sources, int width,
                                                int height);

// True when the three points are nearly on one line (see kFlatness).
bool NearlyCollinear(const PixelPoint& a, const PixelPoint& b, const PixelPoint& c);

} // namespace autopicks

} // namespace reduction
