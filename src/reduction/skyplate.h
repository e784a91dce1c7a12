// The plate in use: what turns image pixels into sky positions and back for
// the readout, the overlay and everything that shows a position.
//
// It is the affine model of the accepted candidate (PlateSolution, in scaled
// coordinates) until a refined TAN plate is fitted; from then on the refined
// plate answers. The scales always come from the affine part, since the
// catalogue tables hold scaled coordinates.
#pragma once

#include "reduction/platesolution.h"
#include "reduction/tanplate.h"

#include <optional>

namespace reduction {

struct SkyPlate {
    PlateSolution affine;
    std::optional<TanPlate> refined;

    bool isRefined() const { return refined.has_value(); }

    // Pixel -> sky, degrees J2000.
    SkyPoint pixelToSky(double x, double y) const {
        if (refined) return refined->pixelToSky(x, y);
        return affine.pixelToSky(x, y);
    }

    // Scaled coordinates (degrees times CorrAsd, CorrDec) -> pixel; nothing
    // when the plate in use cannot place the point.
    std::optional<PixelPoint> scaledToPixel(double r, double d) const {
        if (refined) {
            if (affine.corrAsd == 0.0 || affine.corrDec == 0.0) return std::nullopt;
            return refined->skyToPixel({r / affine.corrAsd, d / affine.corrDec});
        }
        return affine.scaledToPixel(r, d);
    }

    // Sky (degrees) -> pixel.
    std::optional<PixelPoint> skyToPixel(const SkyPoint& sky) const {
        if (refined) return refined->skyToPixel(sky);
        return affine.scaledToPixel(sky.ra * affine.corrAsd, sky.dec * affine.corrDec);
    }
};

} // namespace reduction
