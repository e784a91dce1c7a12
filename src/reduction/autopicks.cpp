#include "reduction/autopicks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace reduction {

namespace autopicks {

namespace {

double Distance(const PixelPoint& a, const PixelPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double TriangleArea(const PixelPoint& a, const PixelPoint& b, const PixelPoint& c) {
    return std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
}

bool Isolated(std::span<const ImageSource> sources, size_t self) {
    const ImageSource& s = sources[self];
    for (size_t i = 0; i < sources.size(); ++i) {
        if (i == self) continue;
        const ImageSource& o = sources[i];
        if (std::abs(o.x - s.x) >= kIsolation || std::abs(o.y - s.y) >= kIsolation) continue;
        if (std::hypot(o.x - s.x, o.y - s.y) < kIsolation && o.flux > 0.25 * s.flux) return false;
    }
    return true;
}

// The kPool brightest eligible sources, unsaturated ones only unless that
// leaves fewer than five.
std::vector<PixelPoint> Pool(std::span<const ImageSource> sources, int width, int height) {
    const double margin = std::max(10.0, kEdgeFraction * std::min(width, height));
    std::vector<PixelPoint> pool, saturated;
    for (size_t i = 0; i < sources.size() && static_cast<int>(pool.size()) < kPool; ++i) {
        const ImageSource& s = sources[i];
        if (s.x < margin || s.y < margin || s.x > width - 1 - margin || s.y > height - 1 - margin)
            continue;
        if (!Isolated(sources, i)) continue;
        if (s.saturated)
            saturated.push_back({s.x, s.y});
        else
            pool.push_back({s.x, s.y});
    }
    for (size_t i = 0; pool.size() < 5 && i < saturated.size(); ++i)
        pool.push_back(saturated[i]);
    return pool;
}

} // namespace

bool NearlyCollinear(const PixelPoint& a, const PixelPoint& b, const PixelPoint& c) {
    const double longest = std::max({Distance(a, b), Distance(b, c), Distance(a, c)});
    if (longest <= 0) return true;
    const double height = 2 * TriangleArea(a, b, c) / longest;
    return height < kFlatness * longest;
}

std::optional<std::array<PixelPoint, 5>> Choose(std::span<const ImageSource> sources, int width,
                                                int height) {
    const std::vector<PixelPoint> pool = Pool(sources, width, height);
    const int m = static_cast<int>(pool.size());
    if (m < 5) return std::nullopt;

    // Every five of the pool (at most 792 sets), brightest-first order kept.
    std::array<int, 5> best{};
    double bestSpread = -1;
    std::array<int, 5> set{};
    for (set[0] = 0; set[0] < m; ++set[0])
        for (set[1] = set[0] + 1; set[1] < m; ++set[1])
            for (set[2] = set[1] + 1; set[2] < m; ++set[2])
                for (set[3] = set[2] + 1; set[3] < m; ++set[3])
                    for (set[4] = set[3] + 1; set[4] < m; ++set[4]) {
                        double spread = HUGE_VAL;
                        bool flat = false;
                        for (int a = 0; a < 5 && !flat; ++a)
                            for (int b = a + 1; b < 5 && !flat; ++b) {
                                spread = std::min(spread, Distance(pool[set[a]], pool[set[b]]));
                                for (int c = b + 1; c < 5 && !flat; ++c)
                                    flat =
                                        NearlyCollinear(pool[set[a]], pool[set[b]], pool[set[c]]);
                            }
                        if (!flat && spread > bestSpread) {
                            bestSpread = spread;
                            best = set;
                        }
                    }
    if (bestSpread < 0) return std::nullopt;

    // Picks 1..3: the largest triangle of the five, then the other two.
    std::array<int, 3> triple{0, 1, 2};
    double largest = -1;
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b)
            for (int c = b + 1; c < 5; ++c) {
                const double area = TriangleArea(pool[best[a]], pool[best[b]], pool[best[c]]);
                if (area > largest) largest = area, triple = {a, b, c};
            }
    std::array<PixelPoint, 5> picks;
    int k = 0;
    for (int t : triple)
        picks[k++] = pool[best[t]];
    for (int i = 0; i < 5; ++i)
        if (i != triple[0] && i != triple[1] && i != triple[2]) picks[k++] = pool[best[i]];
    return picks;
}

} // namespace autopicks

} // namespace reduction
