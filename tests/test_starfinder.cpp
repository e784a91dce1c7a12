// Star detection on synthetic fields (on the real sample it feeds the refined
// plate, checked end to end by test_platesolve and test_solve_gui).
#include "imaging/starfinder.h"
#include "testing.h"

#include <random>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

namespace {

struct Star {
    double x, y, amplitude;
};

// A sky of level 40 with noise 2, rising to 100 across the image (a
// gradient), a broad glow of nebula, black unexposed strips of 30 pixels at
// left and right, and Gaussian stars (sigma 1.3 px) clipped at 255.
PixelImage SyntheticField(const std::vector<Star>& stars, int w = 400, int h = 300) {
    PixelImage img;
    img.width = w;
    img.height = h;
    img.values.resize(static_cast<size_t>(w) * h);
    std::mt19937 rng(42);
    std::normal_distribution<float> noise(0, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double v = 40 + 60.0 * x / w + noise(rng);
            const double gx = x - 200, gy = y - 150;
            v += 50 * std::exp(-(gx * gx + gy * gy) / (2 * 60.0 * 60.0));
            for (const Star& s : stars) {
                const double r2 = (x - s.x) * (x - s.x) + (y - s.y) * (y - s.y);
                if (r2 < 100) v += s.amplitude * std::exp(-r2 / (2 * 1.3 * 1.3));
            }
            if (x < 30 || x >= w - 30) v = 0;
            img.values[static_cast<size_t>(y) * w + x] = static_cast<float>(std::min(v, 255.0));
        }
    return img;
}

const DetectedStar* Near(const std::vector<DetectedStar>& found, double x, double y, double r) {
    for (const DetectedStar& s : found)
        if (std::hypot(s.x - x, s.y - y) < r) return &s;
    return nullptr;
}

} // namespace

TEST(StarFinder, FindsStarsWithSubPixelCentresAndNothingElse) {
    const std::vector<Star> stars{{100.3, 80.7, 120}, {250.5, 200.25, 60}, {320.8, 50.1, 40},
                                  {180.0, 150.5, 90}, {60.6, 250.4, 30},   {300.2, 260.9, 400},
                                  {210.75, 60.4, 150}};
    const auto found = FindStars(SyntheticField(stars));
    for (const Star& s : stars) {
        const DetectedStar* d = Near(found, s.x, s.y, 1.0);
        ASSERT_NE(d, nullptr) << "missed star at " << s.x << "," << s.y;
        if (s.amplitude < 200) {
            // A tenth of a pixel; the faintest (signal to noise about 20 at
            // the peak) a fifth.
            const double tolerance = s.amplitude >= 60 ? 0.1 : 0.2;
            EXPECT_NEAR(d->x, s.x, tolerance);
            EXPECT_NEAR(d->y, s.y, tolerance);
            EXPECT_FALSE(d->saturated);
        } else {
            EXPECT_TRUE(d->saturated); // clipped at 255
        }
    }
    // Neither the gradient, the glow nor the edges of the black strips make sources.
    EXPECT_EQ(found.size(), stars.size());

    // Brightest first.
    for (size_t i = 1; i < found.size(); ++i)
        EXPECT_GE(found[i - 1].flux, found[i].flux);
    EXPECT_NEAR(found.front().x, 300.2, 0.5);
}

TEST(StarFinder, HandlesDegenerateImages) {
    EXPECT_TRUE(FindStars(PixelImage{}).empty());
    PixelImage flat;
    flat.width = 50;
    flat.height = 40;
    flat.values.assign(50 * 40, 17.0f);
    EXPECT_TRUE(FindStars(flat).empty());
    PixelImage tiny = flat;
    tiny.width = 3;
    tiny.height = 3;
    tiny.values.assign(9, 0.0f);
    tiny.values[4] = 200;
    EXPECT_TRUE(FindStars(tiny).empty());
    // Values that do not match the size are refused rather than read past.
    PixelImage broken = flat;
    broken.values.resize(10);
    EXPECT_TRUE(FindStars(broken).empty());
}
