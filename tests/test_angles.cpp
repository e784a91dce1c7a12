// Distances and directions on the sky: the cases where hand-written
// formulas go wrong (tiny and near-opposite separations, 0h, the poles).
#include "platform/angles.h"

#include <gtest/gtest.h>

TEST(Angles, SeparationAndPositionAngle) {
    const struct {
        const char* what;
        double ra1, dec1, ra2, dec2;
        double separation, positionAngle; // degrees; -1: no position angle to check
    } rows[] = {
        {"the same place", 10, 20, 10, 20, 0, 0},
        {"due east on the equator", 0, 0, 1, 0, 1, 90},
        {"due south", 0, 0, 0, -1, 1, 180},
        {"west across 0h", 0, 0, 359, 0, 1, 270},
        {"north across the pole", 0, 89, 180, 89, 2, 0},
        // No direction leads there rather than another: only the distance counts.
        {"the opposite point", 0, 0, 180, 0, 180, -1},
        {"a milliarcsecond north", 341.8, 58.05, 341.8, 58.05 + 1 / 3.6e6, 1 / 3.6e6, 0},
    };
    for (const auto& r : rows) {
        EXPECT_NEAR(angles::SeparationDeg(r.ra1, r.dec1, r.ra2, r.dec2), r.separation,
                    1e-12 + r.separation * 1e-9)
            << r.what;
        const double pa = angles::PositionAngleDeg(r.ra1, r.dec1, r.ra2, r.dec2);
        EXPECT_GE(pa, 0) << r.what;
        EXPECT_LT(pa, 360) << r.what;
        if (r.positionAngle >= 0) {
            EXPECT_NEAR(pa, r.positionAngle, 1e-9) << r.what;
        }
        // The way back is as long.
        EXPECT_NEAR(angles::SeparationDeg(r.ra2, r.dec2, r.ra1, r.dec1), r.separation,
                    1e-12 + r.separation * 1e-9)
            << r.what;
    }
    EXPECT_DOUBLE_EQ(180 * angles::kDegree, 3.14159265358979323846);
}
