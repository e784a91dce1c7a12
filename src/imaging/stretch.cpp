#include "imaging/stretch.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace imaging {

namespace {

constexpr size_t kSampleLimit = 1000000;
constexpr double kMedianLevel = 0.25; // where the median lands on the display

// Midtones parameter m that maps x to y.
double midtoneFor(double x, double y) {
    if (!(x > 0 && x < 1)) return 0.5;
    const double m = x * (y - 1) / (2 * x * y - y - x);
    return std::clamp(m, 1e-6, 1 - 1e-6);
}

} // namespace

DisplayStretch AutoStretch(const PixelImage& pixels) {
    DisplayStretch s;
    if (pixels.isNull() || pixels.values.empty()) return s;
    const std::vector<float>& v = pixels.values;
    const size_t step = std::max<size_t>(1, v.size() / kSampleLimit);
    std::vector<float> sample;
    sample.reserve(v.size() / step + 1);
    float low = v[0], high = v[0];
    for (size_t i = 0; i < v.size(); ++i) {
        low = std::min(low, v[i]);
        high = std::max(high, v[i]);
        if (i % step == 0) sample.push_back(v[i]);
    }
    const auto mid = sample.begin() + static_cast<std::ptrdiff_t>(sample.size() / 2);
    std::nth_element(sample.begin(), mid, sample.end());
    s.median = *mid;
    for (float& x : sample)
        x = std::abs(x - s.median);
    std::nth_element(sample.begin(), mid, sample.end());
    s.sigma = 1.4826f * *mid;

    s.black = std::max(low, s.median - 2.8f * s.sigma);
    s.white = high;
    if (s.sigma <= 0) s.black = low;
    if (!(s.white > s.black)) {
        s.white = s.black + 1;
        s.midtone = 0.5;
        return s;
    }
    s.midtone = midtoneFor((s.median - s.black) / (s.white - s.black), kMedianLevel);
    return s;
}

int StretchLevel(const DisplayStretch& s, float v) {
    double x = (static_cast<double>(v) - s.black) / (static_cast<double>(s.white) - s.black);
    if (!(x > 0)) return 0;
    if (x >= 1) return 255;
    const double m = s.midtone;
    const double y = (m - 1) * x / ((2 * m - 1) * x - m);
    return std::clamp(static_cast<int>(std::lround(y * 255)), 0, 255);
}

QImage StretchedPicture(const PixelImage& pixels, const DisplayStretch& stretch) {
    if (pixels.isNull()) return QImage();
    QImage out(pixels.width, pixels.height, QImage::Format_Grayscale8);
    if (out.isNull()) return out;
    for (int y = 0; y < pixels.height; ++y) {
        uchar* line = out.scanLine(y);
        const float* row = pixels.values.data() + static_cast<size_t>(y) * pixels.width;
        for (int x = 0; x < pixels.width; ++x)
            line[x] = static_cast<uchar>(StretchLevel(stretch, row[x]));
    }
    return out;
}

std::array<int, 27 * 27> MagnifierLevels(const PixelImage& pixels, const DisplayStretch& stretch,
                                         int cx, int cy) {
    std::array<int, 27 * 27> levels;
    levels.fill(-1);
    const auto inside = [&pixels](int x, int y) {
        return x >= 0 && y >= 0 && x < pixels.width && y < pixels.height;
    };
    float top = stretch.median + 10 * stretch.sigma;
    for (int j = -13; j <= 13; ++j)
        for (int i = -13; i <= 13; ++i)
            if (inside(cx + i, cy + j)) top = std::max(top, pixels.at(cx + i, cy + j));
    const double black = stretch.black;
    const double span = top > black ? top - black : 1.0;
    for (int j = -13; j <= 13; ++j)
        for (int i = -13; i <= 13; ++i) {
            if (!inside(cx + i, cy + j)) continue;
            const double x = (pixels.at(cx + i, cy + j) - black) / span;
            levels[(j + 13) * 27 + (i + 13)] =
                std::clamp(static_cast<int>(std::lround(x * 255)), 0, 255);
        }
    return levels;
}

} // namespace imaging
