// Right ascensions unwrapped about a field centre near 0h, and normalised.
#include "reduction/rightascension.h"

#include <gtest/gtest.h>

TEST(RightAscension, UnwrapsAboutTheCentreAndNormalises) {
    // A field at 0h: stars on both sides of the cut come out as neighbours.
    EXPECT_NEAR(UnwrapRa(359.9, 0.05), -0.1, 1e-12);
    EXPECT_NEAR(UnwrapRa(0.1, 359.95), 360.1, 1e-12);
    // Far from the cut nothing changes.
    EXPECT_DOUBLE_EQ(UnwrapRa(341.6, 341.8), 341.6);
    // Exactly opposite the centre goes to the far side (centre + 180).
    EXPECT_DOUBLE_EQ(UnwrapRa(190.0, 10.0), 190.0);
    EXPECT_DOUBLE_EQ(UnwrapRa(-170.0, 10.0), 190.0);

    EXPECT_DOUBLE_EQ(NormaliseRa(-0.1), 359.9);
    EXPECT_DOUBLE_EQ(NormaliseRa(360.1), 360.1 - 360.0);
    EXPECT_DOUBLE_EQ(NormaliseRa(720.0), 0.0);
    EXPECT_GE(NormaliseRa(-1e-17), 0.0);
    EXPECT_LT(NormaliseRa(-1e-17), 360.0);
}
