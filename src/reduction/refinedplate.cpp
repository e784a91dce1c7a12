#include "reduction/refinedplate.h"

#include "reduction/distortionfit.h"

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

// Whether the used pairs of `fit` cover the image: at least kPerQuarter in
// each quarter about the centre.
bool CoversImage(std::span<const PlatePair> pairs, const RejectingFit& fit, int width, int height) {
    constexpr int kPerQuarter = 2;
    std::array<int, 4> quarter{};
    for (size_t i = 0; i < pairs.size(); ++i)
        if (fit.used[i])
            ++quarter[(pairs[i].pixel.x < width / 2.0 ? 0 : 1) +
                      (pairs[i].pixel.y < height / 2.0 ? 0 : 2)];
    return std::all_of(quarter.begin(), quarter.end(), [](int c) { return c >= kPerQuarter; });
}

// Sum of squared residuals of `plate` over the pairs `fit` used.
double UsedSquares(const TanPlate& plate, std::span<const PlatePair> pairs,
                   const std::vector<bool>& used) {
    double sum = 0;
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (!used[i]) continue;
        const auto r = ResidualOf(plate, pairs[i]);
        if (!r) return HUGE_VAL;
        sum += r->dx * r->dx + r->dy * r->dy;
    }
    return sum;
}

// The distorted plate that replaces the TAN plate `tan` (fitted to
// `pairing`), with its pairing; nothing when it is not called for.
template <class PairUnder, class PairsOf>
std::optional<std::pair<RejectingFit, std::vector<Pairing>>>
RefineDistortion(const PairUnder& pairUnder, const PairsOf& pairsOf, const RejectingFit& tan,
                 int width, int height, const RefineSettings& settings) {
    const int order = settings.distortionOrder;
    if (tan.usedCount < settings.distortionMinStars) return std::nullopt;
    // Paired first within the wider radius: towards the corners the TAN
    // plate is off by as much as the distortion.
    const std::vector<PlatePair> tanPairs = pairsOf(pairUnder(tan.plate, settings.firstRadius));
    const PlateFitter fitDistorted = [&](std::span<const PlatePair> kept, const SkyPoint& start) {
        TanPlate from = tan.plate;
        from.crval = start;
        return FitDistortedPlate(kept, from, order, width, height, false);
    };
    const auto first =
        FitPlateRejecting(tanPairs, fitDistorted, tan.plate.crval, settings.distortionMinStars);
    if (!first) return std::nullopt;
    std::vector<Pairing> again = pairUnder(first->plate, settings.secondRadius);
    const std::vector<PlatePair> pairs = pairsOf(again);
    auto fit =
        FitPlateRejecting(pairs, fitDistorted, first->plate.crval, settings.distortionMinStars);
    if (!fit || !CoversImage(pairs, *fit, width, height)) return std::nullopt;

    // The TAN plate through the same stars, against the distorted one.
    std::vector<PlatePair> kept;
    for (size_t i = 0; i < pairs.size(); ++i)
        if (fit->used[i]) kept.push_back(pairs[i]);
    const auto plain = FitTanPlate(kept, tan.plate.crpix, tan.plate.crval);
    if (!plain) return std::nullopt;
    const double significance =
        DistortionSignificance(UsedSquares(*plain, pairs, fit->used),
                               UsedSquares(fit->plate, pairs, fit->used), fit->usedCount, order);
    if (significance < settings.distortionSignificance) return std::nullopt;
    // The inverse terms, once, for the plate kept.
    TanPlate start = fit->plate;
    start.distortion.reset();
    const auto final = FitDistortedPlate(kept, start, order, width, height);
    if (!final) return std::nullopt;
    fit->plate = *final;
    return std::pair{std::move(*fit), std::move(again)};
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

    // Distortion: with enough stars in every quarter of the image, a plate
    // with SIP terms replaces the TAN plate when its terms explain the
    // positions beyond their scatter. It pairs again itself, reaching the
    // corner stars that the TAN plate puts a few pixels off.
    if (settings.distortionOrder >= 2) {
        if (auto distorted = RefineDistortion(
                [&](const TanPlate& plate, double radius) {
                    return Pair(
                        n, [&](int row) { return plate.skyToPixel(skyOf(row)); }, index, radius);
                },
                pairsOf, *fit, width, height, settings)) {
            fit = std::move(distorted->first);
            pairing = std::move(distorted->second);
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
