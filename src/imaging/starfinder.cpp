#include "imaging/starfinder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <unordered_map>

namespace imaging {

namespace {

// Noise of the smoothed image relative to that of the raw pixels, for white
// noise and the 5-tap binomial kernel [1 4 6 4 1] / 16 along both axes:
// sum of the squared 1-D weights (70 / 256), which is also the 2-D factor's
// square root.
constexpr double kSmoothedNoise = 70.0 / 256.0;
constexpr double kMadToSigma = 1.4826;
constexpr int kApertureRadius = 3;     // flux and saturation
constexpr double kCentroidSigma = 1.2; // pixels, weight of the centre
constexpr double kRingInner = 5.0;
constexpr double kRingOuter = 7.5;
constexpr double kDuplicateDistance = 2.0;
constexpr double kDeadLevel = 10.0; // noise levels below the background

// Pixels below this are not sky (an unexposed border, a frame edge): far
// below the background both in noise levels and in proportion.
double DeadBelow(double level, double sigma) {
    return level - std::max(kDeadLevel * sigma, 0.5 * std::abs(level));
}

double Median(std::vector<float>& v) {
    if (v.empty()) return 0;
    const auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

// Coarse background and noise, one value per cell, smoothed over the 3 x 3
// neighbouring cells (median) so that a cell filled by a bright star or a
// knot of nebula takes its neighbours' level.
class BackgroundGrid {
public:
    BackgroundGrid(const PixelImage& image, int cellSize) {
        m_cell = std::max(8, cellSize);
        m_nx = (image.width + m_cell - 1) / m_cell;
        m_ny = (image.height + m_cell - 1) / m_cell;
        std::vector<double> level(static_cast<size_t>(m_nx) * m_ny);
        std::vector<double> noise(level.size());
        // About 256 pixels of each cell are plenty for its median.
        const int step = std::max(1, m_cell / 16);
        std::vector<float> sample, differences;
        for (int cy = 0; cy < m_ny; ++cy) {
            for (int cx = 0; cx < m_nx; ++cx) {
                const int x0 = cx * m_cell, x1 = std::min(image.width, (cx + 1) * m_cell);
                const int y0 = cy * m_cell, y1 = std::min(image.height, (cy + 1) * m_cell);
                // Twice: the second time without the pixels far below the
                // first level (an unexposed border in part of the cell),
                // which would lower the level and, with their equal values,
                // the noise.
                double median = 0, sigma = 0;
                for (int pass = 0; pass < 2; ++pass) {
                    const double dead = pass == 0 ? -HUGE_VAL : DeadBelow(median, sigma);
                    sample.clear();
                    differences.clear();
                    for (int y = y0; y < y1; y += step)
                        for (int x = x0; x < x1; x += step) {
                            const float v = image.at(x, y);
                            if (v < dead) continue;
                            sample.push_back(v);
                            if (x + 2 < image.width && image.at(x + 2, y) >= dead)
                                differences.push_back(std::abs(v - image.at(x + 2, y)));
                        }
                    if (sample.empty()) break;
                    const float lowest = *std::min_element(sample.begin(), sample.end());
                    median = Median(sample);
                    // The noise from differences of pixels two apart: a
                    // gradient or a nebula hardly changes it.
                    sigma = kMadToSigma * Median(differences) / std::numbers::sqrt2;
                    if (lowest >= DeadBelow(median, sigma)) break; // nothing to leave out
                }
                level[cy * m_nx + cx] = median;
                noise[cy * m_nx + cx] = sigma;
            }
        }
        // A floor for the noise: flat cells (black borders, clipped or
        // quantised skies) would otherwise make every speck a source.
        std::vector<float> positive;
        for (double s : noise)
            if (s > 0) positive.push_back(static_cast<float>(s));
        double floor = positive.empty() ? 0.0 : 0.5 * Median(positive);
        if (!image.physical) floor = std::max(floor, 0.5);
        if (floor <= 0) floor = 1e-6;
        m_level = smooth(level);
        m_noise = smooth(noise);
        for (double& s : m_noise)
            s = std::max(s, floor);
    }

    // Detection threshold (background + k * noise), background and noise at
    // row y for every column, by bilinear interpolation between cell centres
    // (held constant beyond the outer centres).
    void row(int y, double k, std::vector<float>& threshold, std::vector<float>& level,
             std::vector<float>& noise) const {
        const double fy = std::clamp((y + 0.5) / m_cell - 0.5, 0.0, double(m_ny - 1));
        const int y0 = std::min(static_cast<int>(fy), m_ny - 1);
        const int y1 = std::min(y0 + 1, m_ny - 1);
        const double wy = fy - y0;
        m_rowLevel.resize(m_nx);
        m_rowNoise.resize(m_nx);
        for (int cx = 0; cx < m_nx; ++cx) {
            m_rowLevel[cx] = m_level[y0 * m_nx + cx] * (1 - wy) + m_level[y1 * m_nx + cx] * wy;
            m_rowNoise[cx] = m_noise[y0 * m_nx + cx] * (1 - wy) + m_noise[y1 * m_nx + cx] * wy;
        }
        const int width = static_cast<int>(threshold.size());
        if (m_column.size() != static_cast<size_t>(width)) {
            m_column.resize(width);
            m_weight.resize(width);
            for (int x = 0; x < width; ++x) {
                const double fx = std::clamp((x + 0.5) / m_cell - 0.5, 0.0, double(m_nx - 1));
                m_column[x] = std::min(static_cast<int>(fx), m_nx - 1);
                m_weight[x] = fx - m_column[x];
            }
        }
        for (int x = 0; x < width; ++x) {
            const int x0 = m_column[x];
            const int x1 = std::min(x0 + 1, m_nx - 1);
            const double wx = m_weight[x];
            const double l = m_rowLevel[x0] * (1 - wx) + m_rowLevel[x1] * wx;
            const double n = m_rowNoise[x0] * (1 - wx) + m_rowNoise[x1] * wx;
            level[x] = static_cast<float>(l);
            noise[x] = static_cast<float>(n);
            threshold[x] = static_cast<float>(l + k * n);
        }
    }

private:
    std::vector<double> smooth(const std::vector<double>& g) const {
        std::vector<double> out(g.size());
        std::vector<float> around;
        for (int cy = 0; cy < m_ny; ++cy)
            for (int cx = 0; cx < m_nx; ++cx) {
                around.clear();
                for (int j = std::max(0, cy - 1); j <= std::min(m_ny - 1, cy + 1); ++j)
                    for (int i = std::max(0, cx - 1); i <= std::min(m_nx - 1, cx + 1); ++i)
                        around.push_back(static_cast<float>(g[j * m_nx + i]));
                out[cy * m_nx + cx] = Median(around);
            }
        return out;
    }

    int m_cell = 64;
    int m_nx = 0;
    int m_ny = 0;
    std::vector<double> m_level;
    std::vector<double> m_noise;
    mutable std::vector<double> m_rowLevel;
    mutable std::vector<double> m_rowNoise;
    mutable std::vector<int> m_column;    // per image column: cell column to its left
    mutable std::vector<double> m_weight; // and the weight of the one to its right
};

// The image convolved with [1 4 6 4 1] / 16 along both axes, edges
// clamped, made row by row: only the five rows across and three rows of the
// result around the current one are held.
class SmoothedRows {
public:
    explicit SmoothedRows(const PixelImage& image)
        : m_image(image), m_w(image.width), m_across(5 * static_cast<size_t>(m_w)),
          m_rows(3 * static_cast<size_t>(m_w)) {
        for (int y = -2; y <= 1; ++y)
            across(y);
    }

    // Makes row y (in order 0, 1, 2, ...); rows y - 2 .. y stay readable.
    void advance(int y) {
        across(y + 2);
        float* out = row(y);
        const float *a = acrossRow(y - 2), *b = acrossRow(y - 1), *c = acrossRow(y),
                    *d = acrossRow(y + 1), *e = acrossRow(y + 2);
        for (int x = 0; x < m_w; ++x)
            out[x] = (a[x] + 4 * b[x] + 6 * c[x] + 4 * d[x] + e[x]) / 16;
    }

    float* row(int y) { return m_rows.data() + static_cast<size_t>(y % 3) * m_w; }

private:
    float* acrossRow(int y) { return m_across.data() + static_cast<size_t>((y + 5) % 5) * m_w; }

    void across(int y) {
        const int h = m_image.height;
        const float* in =
            m_image.values.data() + static_cast<size_t>(std::clamp(y, 0, h - 1)) * m_w;
        float* out = acrossRow(y);
        const int w = m_w;
        auto at = [&](int x) { return in[std::clamp(x, 0, w - 1)]; };
        for (int x = 0; x < std::min(w, 2); ++x)
            out[x] = (at(x - 2) + 4 * at(x - 1) + 6 * at(x) + 4 * at(x + 1) + at(x + 2)) / 16;
        for (int x = 2; x < w - 2; ++x)
            out[x] = (in[x - 2] + 4 * in[x - 1] + 6 * in[x] + 4 * in[x + 1] + in[x + 2]) / 16;
        for (int x = std::max(2, w - 2); x < w; ++x)
            out[x] = (at(x - 2) + 4 * at(x - 1) + 6 * at(x) + 4 * at(x + 1) + at(x + 2)) / 16;
    }

    const PixelImage& m_image;
    int m_w;
    std::vector<float> m_across;
    std::vector<float> m_rows;
};

struct Offset {
    int dx;
    int dy;
};

std::vector<Offset> RingOffsets() {
    std::vector<Offset> ring;
    const int r = static_cast<int>(std::ceil(kRingOuter));
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const double d = std::hypot(dx, dy);
            if (d >= kRingInner && d < kRingOuter) ring.push_back({dx, dy});
        }
    return ring;
}

// Centre, flux, peak and saturation of the source near (px, py) over the
// background `bg`: a Gaussian-weighted centre of the background-subtracted
// pixels (the weight keeps the pull of a background gradient small); flux,
// peak and saturation from the pixels within kApertureRadius of the centre.
bool Measure(const PixelImage& image, int px, int py, double bg, DetectedStar& star) {
    auto window = [&](double cx, double cy, double radius, auto&& visit) {
        const int r = static_cast<int>(std::ceil(radius));
        const int ix = static_cast<int>(std::lround(cx)), iy = static_cast<int>(std::lround(cy));
        const double r2 = (radius + 0.5) * (radius + 0.5);
        for (int y = std::max(0, iy - r); y <= std::min(image.height - 1, iy + r); ++y)
            for (int x = std::max(0, ix - r); x <= std::min(image.width - 1, ix + r); ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r2) visit(x, y, image.at(x, y));
    };
    // Gaussian-weighted centre, iterated: x += 2 * sum(w I (x_i - x)) / sum(w I).
    // The smooth weight has no edge to pull the centre, and the fixed point
    // is the centre of any symmetric star image.
    // The weight is separable: one exponential per column and per row of
    // the window instead of one per pixel.
    // With f = i - c (|f| <= 1/2) the weight of column i + k is
    // exp(-(k + f)^2 / 2s^2) = exp(-k^2 / 2s^2) * exp(-f / s^2)^k * exp(-f^2 / 2s^2):
    // a fixed table times powers of one number, three exponentials a pass
    // instead of one per column and row.
    constexpr int kReach = static_cast<int>(4 * kCentroidSigma + 0.999);
    constexpr double kS2 = kCentroidSigma * kCentroidSigma;
    using Weights = std::array<double, 2 * kReach + 1>;
    static const Weights kFixed = [] {
        Weights w{};
        for (int k = -kReach; k <= kReach; ++k)
            w[k + kReach] = std::exp(-double(k) * k / (2 * kS2));
        return w;
    }();
    auto fill = [](double f, Weights& w) {
        const double common = std::exp(-f * f / (2 * kS2));
        const double step = std::exp(-f / kS2), back = 1 / step;
        double up = common, down = common;
        w[kReach] = kFixed[kReach] * common;
        for (int k = 1; k <= kReach; ++k) {
            up *= step;
            down *= back;
            w[kReach + k] = kFixed[kReach + k] * up;
            w[kReach - k] = kFixed[kReach - k] * down;
        }
    };
    Weights wx{}, wy{};
    double cx = px, cy = py;
    for (int pass = 0; pass < 10; ++pass) {
        const int ix = static_cast<int>(std::lround(cx)), iy = static_cast<int>(std::lround(cy));
        fill(ix - cx, wx);
        fill(iy - cy, wy);
        double sum = 0, sx = 0, sy = 0;
        window(cx, cy, 4 * kCentroidSigma, [&](int x, int y, double v) {
            const double dx = x - cx, dy = y - cy;
            const double wgt = wx[x - ix + kReach] * wy[y - iy + kReach] * (v - bg);
            sum += wgt;
            sx += wgt * dx;
            sy += wgt * dy;
        });
        if (sum <= 0) return false;
        const double nx = cx + 2 * sx / sum, ny = cy + 2 * sy / sum;
        // A centre that wanders off the peak means the window was mostly background.
        if (std::abs(nx - px) > kApertureRadius || std::abs(ny - py) > kApertureRadius)
            return false;
        const bool settled = std::abs(nx - cx) < 1e-4 && std::abs(ny - cy) < 1e-4;
        cx = nx;
        cy = ny;
        if (settled) break;
    }
    double flux = 0, peak = -HUGE_VAL;
    bool saturated = false;
    window(cx, cy, kApertureRadius, [&](int, int, double v) {
        flux += v - bg;
        peak = std::max(peak, v);
        saturated = saturated || v >= image.saturation;
    });
    star = {cx, cy, flux, peak, bg, saturated};
    return flux > 0;
}

} // namespace

std::vector<DetectedStar> FindStars(const PixelImage& image, const StarFinderOptions& options) {
    std::vector<DetectedStar> found;
    const int w = image.width, h = image.height;
    if (image.isNull() || image.values.size() != static_cast<size_t>(w) * h) return found;
    const int border = std::max(1, options.border);
    if (w <= 2 * border || h <= 2 * border) return found;

    const BackgroundGrid grid(image, options.cellSize);
    SmoothedRows smoothed(image);
    const std::vector<Offset> ring = RingOffsets();
    const double k = options.threshold * kSmoothedNoise;

    std::vector<float> threshold(w), level(w), noise(w);
    std::vector<float> ringValues;
    ringValues.reserve(ring.size());
    smoothed.advance(0);
    for (int next = 1; next < h; ++next) {
        smoothed.advance(next);
        const int y = next - 1; // rows y - 1 .. y + 1 are ready
        if (y < border || y >= h - border) continue;
        grid.row(y, k, threshold, level, noise);
        const float* above = smoothed.row(y - 1);
        const float* here = smoothed.row(y);
        const float* below = smoothed.row(y + 1);
        for (int x = border; x < w - border; ++x) {
            const float v = here[x];
            if (v <= threshold[x]) continue;
            // A local maximum; on a plateau the first pixel in scan order.
            if (!(v > above[x - 1] && v > above[x] && v > above[x + 1] && v > here[x - 1] &&
                  v >= here[x + 1] && v >= below[x - 1] && v >= below[x] && v >= below[x + 1]))
                continue;
            // Pixels far below the coarse background (an unexposed border,
            // a frame edge) are not sky: they would drag the median down.
            ringValues.clear();
            const double dead = DeadBelow(level[x], noise[x]);
            int deadCount = 0;
            for (const Offset& o : ring) {
                const int rx = x + o.dx, ry = y + o.dy;
                if (rx < 0 || ry < 0 || rx >= w || ry >= h) continue;
                const float r = image.at(rx, ry);
                if (r < dead)
                    ++deadCount;
                else
                    ringValues.push_back(r);
            }
            if (static_cast<int>(ringValues.size()) < deadCount / 2) continue; // mostly border
            const double local = ringValues.empty() ? level[x] : Median(ringValues);
            if (v - local <= k * noise[x]) continue;
            DetectedStar star;
            if (Measure(image, x, y, local, star)) found.push_back(star);
        }
    }

    std::stable_sort(found.begin(), found.end(),
                     [](const DetectedStar& a, const DetectedStar& b) { return a.flux > b.flux; });

    // Two maxima of one star (a flat saturated top, a double peak) give
    // nearly the same centre: keep the brighter.
    std::unordered_map<long long, std::vector<int>> cells;
    auto key = [](int cx, int cy) {
        return (static_cast<long long>(cy) << 32) ^ (cx & 0xffffffffLL);
    };
    std::vector<DetectedStar> kept;
    for (const DetectedStar& star : found) {
        if (static_cast<int>(kept.size()) >= options.maxStars) break;
        const int cx = static_cast<int>(std::floor(star.x / kDuplicateDistance));
        const int cy = static_cast<int>(std::floor(star.y / kDuplicateDistance));
        bool duplicate = false;
        for (int j = cy - 1; j <= cy + 1 && !duplicate; ++j)
            for (int i = cx - 1; i <= cx + 1 && !duplicate; ++i) {
                const auto it = cells.find(key(i, j));
                if (it == cells.end()) continue;
                for (int index : it->second)
                    if (std::hypot(kept[index].x - star.x, kept[index].y - star.y) <
                        kDuplicateDistance)
                        duplicate = true;
            }
        if (duplicate) continue;
        cells[key(cx, cy)].push_back(static_cast<int>(kept.size()));
        kept.push_back(star);
    }
    return kept;
}

} // namespace imaging
