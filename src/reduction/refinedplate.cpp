#include "reduction/refinedplate.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace reduction {

namespace {

struct Pairing {
    int row;
    int source;
    double distance;
};

// Pairs each catalogue row with the nearest source within `radius` of where
// `place` puts it; a source claimed by several rows goes to the nearest.
std::vector<Pairing> Pair(int n, const std::function<std::optional<PixelPoint>(int)>& place,
                          const SourceIndex& index, double radius) {
    std::map<int, Pairing> bySource;
    for (int row = 1; row <= n; ++row) {
        const auto p = place(row);
        if (!p) continue;
        const int s = index.nearest(p->x, p->y, radius);
        if (s < 0) continue;
        const double d = std::hypot(index.sources()[s].x - p->x, index.sources()[s].y - p->y);
        const auto it = bySource.find(s);
        if (it == bySource.end() || d < it->second.distance) bySource[s] = {row, s, d};
    }
    std::vector<Pairing> out;
    out.reserve(bySource.size());
    for (const auto& [s, pairing] : bySource)
        out.push_back(pairing);
    std::sort(out.begin(), out.end(),
              [](const Pairing& a, const Pairing& b) { return a.row < b.row; });
    return out;
}

} // namespace

std::span<const ImageSource> RefineSources(std::span<const ImageSource> sources, int n) {
    const size_t count = static_cast<size_t>(std::max(kEvidenceSources, n));
    return sources.first(std::min(count, sources.size()));
}

PixelPoint ImageCentre(int width, int height) {
    return {(width - 1) / 2.0, (height - 1) / 2.0};
}

RefineResult RefinePlate(const PlateSolution& accepted, const std::vector<double>& ra,
                         const std::vector<double>& dec, int n,
                         std::span<const ImageSource> sources, int width, int height,
                         const RefineSettings& settings) {
    n = std::min<int>(n, static_cast<int>(std::min(ra.size(), dec.size())) - 1);
    if (n < 1 || accepted.corrAsd == 0.0 || accepted.corrDec == 0.0) return {};
    std::vector<SkyPoint> stars;
    stars.reserve(static_cast<size_t>(n));
    for (int row = 1; row <= n; ++row)
        stars.push_back({ra[row] / accepted.corrAsd, dec[row] / accepted.corrDec});
    return RefinePlate(accepted, stars, sources, width, height, settings);
}

RefineResult RefinePlate(const PlateSolution& accepted, std::span<const SkyPoint> stars,
                         std::span<const ImageSource> sources, int width, int height,
                         const RefineSettings& settings) {
    RefineResult result;
    const int n = static_cast<int>(stars.size());
    if (n < 1 || accepted.corrAsd == 0.0 || accepted.corrDec == 0.0) return result;
    const SourceIndex index(sources, std::max(settings.firstRadius, settings.secondRadius));
    const PixelPoint centre = ImageCentre(width, height);
    auto skyOf = [&](int row) { return stars[static_cast<size_t>(row - 1)]; };
    auto pairsOf = [&](const std::vector<Pairing>& pairing) {
        std::vector<PlatePair> pairs;
        pairs.reserve(pairing.size());
        for (const Pairing& p : pairing)
            pairs.push_back(
                {{index.sources()[p.source].x, index.sources()[p.source].y}, skyOf(p.row)});
        return pairs;
    };

    std::vector<Pairing> pairing = Pair(
        n,
        [&](int row) {
            const SkyPoint sky = skyOf(row);
            return accepted.scaledToPixel(sky.ra * accepted.corrAsd, sky.dec * accepted.corrDec);
        },
        index, settings.firstRadius);
    result.matched = static_cast<int>(pairing.size());
    if (result.matched < settings.minStars) {
        result.status = RefineResult::Status::TooFewStars;
        return result;
    }
    const SkyPoint guess = accepted.pixelToSky(centre.x, centre.y);
    auto fit = FitTanPlateRejecting(pairsOf(pairing), centre, guess, settings.minStars);
    if (!fit) return result;

    // Pair again with the refined plate, which is good over the whole image.
    const TanPlate first = fit->plate;
    std::vector<Pairing> second = Pair(
        n, [&](int row) { return first.skyToPixel(skyOf(row)); }, index, settings.secondRadius);
    if (static_cast<int>(second.size()) >= settings.minStars) {
        if (auto again =
                FitTanPlateRejecting(pairsOf(second), centre, first.crval, settings.minStars)) {
            fit = again;
            pairing = std::move(second);
        }
    }

    result.status = RefineResult::Status::Refined;
    result.plate = fit->plate;
    result.matched = static_cast<int>(pairing.size());
    result.used = fit->usedCount;
    result.rmsPx = fit->rmsPx;
    result.maxPx = fit->maxPx;
    for (size_t i = 0; i < pairing.size(); ++i) {
        const ImageSource& s = index.sources()[pairing[i].source];
        result.rows.push_back(
            {pairing[i].row, {s.x, s.y}, skyOf(pairing[i].row), fit->residual[i], fit->used[i]});
    }
    return result;
}

std::optional<TanPlate> TanPlateOf(const SkyPlate& plate, int width, int height) {
    if (width < 2 || height < 2) return std::nullopt;
    std::vector<PlatePair> pairs;
    constexpr int kSteps = 6;
    for (int j = 0; j <= kSteps; ++j)
        for (int i = 0; i <= kSteps; ++i) {
            const double x = (width - 1) * double(i) / kSteps,
                         y = (height - 1) * double(j) / kSteps;
            const SkyPoint sky = plate.pixelToSky(x, y);
            if (!std::isfinite(sky.ra) || !std::isfinite(sky.dec)) return std::nullopt;
            pairs.push_back({{x, y}, sky});
        }
    const PixelPoint centre = ImageCentre(width, height);
    return FitTanPlate(pairs, centre, plate.pixelToSky(centre.x, centre.y));
}

} // namespace reduction
