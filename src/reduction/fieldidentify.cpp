#include "reduction/fieldidentify.h"

#include "platform/angles.h"
#include "reduction/autopicks.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <unordered_map>

namespace reduction {

namespace identify {

namespace {

constexpr double kDeg = angles::kDegree;

using Complex = std::complex<double>;

// A triangle of three points of one list: vertices opposite the shortest,
// middle and longest side, its shape and size.
struct Triangle {
    std::array<int, 3> vertex{};
    double u = 0;       // shortest / longest side
    double v = 0;       // middle / longest side
    double longest = 0; // pixels or degrees
    bool counterClockwise = false;
};

// Every triangle of `points` whose smallest side is at least `minSide`.
std::vector<Triangle> Triangles(std::span<const Complex> points, double minSide) {
    std::vector<Triangle> out;
    const int n = static_cast<int>(points.size());
    // Largest vertex index outermost: the triangles of the brightest come first.
    for (int k = 2; k < n; ++k)
        for (int j = 1; j < k; ++j)
            for (int i = 0; i < j; ++i) {
                const std::array<int, 3> p{i, j, k};
                // Side s lies opposite vertex s.
                std::array<double, 3> side{std::abs(points[j] - points[k]),
                                           std::abs(points[i] - points[k]),
                                           std::abs(points[i] - points[j])};
                std::array<int, 3> order{0, 1, 2};
                std::sort(order.begin(), order.end(),
                          [&](int a, int b) { return side[a] < side[b]; });
                if (side[order[0]] < minSide) continue;
                Triangle t;
                for (int s = 0; s < 3; ++s)
                    t.vertex[s] = p[order[s]];
                t.longest = side[order[2]];
                t.u = side[order[0]] / t.longest;
                t.v = side[order[1]] / t.longest;
                const Complex a = points[t.vertex[1]] - points[t.vertex[0]];
                const Complex b = points[t.vertex[2]] - points[t.vertex[0]];
                t.counterClockwise = a.real() * b.imag() - a.imag() * b.real() > 0;
                out.push_back(t);
            }
    return out;
}

// Triangles by shape, in cells of kShapeTolerance.
class ShapeIndex {
public:
    explicit ShapeIndex(const std::vector<Triangle>& triangles) : m_triangles(triangles) {
        for (int i = 0; i < static_cast<int>(triangles.size()); ++i)
            m_cells[key(cell(triangles[i].u), cell(triangles[i].v))].push_back(i);
    }

    // Calls visit(triangle) for each triangle within kShapeTolerance of (u, v).
    template <class Visit> void near(double u, double v, Visit visit) const {
        const int cu = cell(u), cv = cell(v);
        for (int du = -1; du <= 1; ++du)
            for (int dv = -1; dv <= 1; ++dv) {
                const auto it = m_cells.find(key(cu + du, cv + dv));
                if (it == m_cells.end()) continue;
                for (int i : it->second) {
                    const Triangle& t = m_triangles[i];
                    if (std::abs(t.u - u) < kShapeTolerance && std::abs(t.v - v) < kShapeTolerance)
                        visit(t);
                }
            }
    }

private:
    static int cell(double r) { return static_cast<int>(std::floor(r / kShapeTolerance)); }
    static long long key(int a, int b) { return static_cast<long long>(a) * 100003 + b; }
    const std::vector<Triangle>& m_triangles;
    std::unordered_map<long long, std::vector<int>> m_cells;
};

// The similarity z = a * w + b (or a * conj(w) + b when mirrored) that maps
// the three standard coordinates `w` onto the three pixels `z` best (least
// squares).
struct Similarity {
    Complex a;
    Complex b;
    bool mirrored = false;

    Complex apply(Complex w) const { return a * (mirrored ? std::conj(w) : w) + b; }
};

Similarity FitSimilarity(const std::array<Complex, 3>& z, std::array<Complex, 3> w, bool mirrored) {
    if (mirrored)
        for (Complex& c : w)
            c = std::conj(c);
    const Complex zm = (z[0] + z[1] + z[2]) / 3.0;
    const Complex wm = (w[0] + w[1] + w[2]) / 3.0;
    Complex num = 0;
    double den = 0;
    for (int i = 0; i < 3; ++i) {
        num += (z[i] - zm) * std::conj(w[i] - wm);
        den += std::norm(w[i] - wm);
    }
    Similarity s;
    s.a = den > 0 ? num / den : Complex(0);
    s.b = zm - s.a * wm;
    s.mirrored = mirrored;
    return s;
}

// The TAN plate about `centre` of a similarity from standard coordinates to
// pixels: CD is the inverse of its linear part, the tangent point at b.
std::optional<TanPlate> PlateOf(const Similarity& s, const SkyPoint& centre) {
    // pixel = M (xi, eta) + b
    const double m11 = s.a.real(), m21 = s.a.imag();
    const double m12 = s.mirrored ? s.a.imag() : -s.a.imag();
    const double m22 = s.mirrored ? -s.a.real() : s.a.real();
    const double det = m11 * m22 - m12 * m21;
    if (det == 0 || !std::isfinite(det)) return std::nullopt;
    TanPlate p;
    p.crval = centre;
    p.crpix = {s.b.real(), s.b.imag()};
    p.cd = {m22 / det, -m12 / det, -m21 / det, m11 / det};
    return p;
}

// The matches of a plate: each catalogue star of `stars` (at most `limit`,
// brightest first) that the plate puts within `radius` of a source, paired
// with the nearest; a source claimed twice goes to the nearer star.
std::vector<Match> Pair(const TanPlate& plate, std::span<const SkyPoint> stars, int limit,
                        const SourceIndex& index, double radius) {
    std::vector<Match> out;
    std::unordered_map<int, std::pair<int, double>> claimed; // source -> (match, distance)
    const int n = std::min<int>(limit, static_cast<int>(stars.size()));
    for (int i = 0; i < n; ++i) {
        const auto p = plate.skyToPixel(stars[i]);
        if (!p) continue;
        const int s = index.nearest(p->x, p->y, radius);
        if (s < 0) continue;
        const ImageSource& src = index.sources()[s];
        const double d = std::hypot(src.x - p->x, src.y - p->y);
        const auto it = claimed.find(s);
        if (it == claimed.end()) {
            claimed[s] = {static_cast<int>(out.size()), d};
            out.push_back({s, i});
        } else if (d < it->second.second) {
            out[it->second.first].star = i;
            it->second.second = d;
        }
    }
    std::sort(out.begin(), out.end(),
              [](const Match& a, const Match& b) { return a.source < b.source; });
    return out;
}

std::optional<TanPlate> FitMatches(const std::vector<Match>& matches,
                                   std::span<const ImageSource> sources,
                                   std::span<const SkyPoint> stars, const PixelPoint& crpix,
                                   const SkyPoint& guess) {
    std::vector<PlatePair> pairs;
    for (const Match& m : matches)
        pairs.push_back({{sources[m.source].x, sources[m.source].y}, stars[m.star]});
    if (pairs.size() >= 6) {
        if (auto fit = FitTanPlateRejecting(pairs, crpix, guess)) return fit->plate;
        return std::nullopt;
    }
    return FitTanPlate(pairs, crpix, guess);
}

// log(n choose k)
double LogChoose(int n, int k) {
    return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
}

} // namespace

ScaleRange TypedScaleRange(double corrAsd, double corrDec, double centreDec) {
    const double c = std::cos(centreDec * kDeg);
    const double sx = c > 1e-9 ? std::abs(corrAsd) / c : 0.0;
    const double sy = std::abs(corrDec);
    return {std::min(sx, sy) * (1 - kScaleSlack), std::max(sx, sy) * (1 + kScaleSlack)};
}

FittedScales ScalesOf(const TanPlate& plate) {
    const double det = plate.determinant();
    if (det == 0) return {};
    // Inverse CD: pixels per degree of xi (column 1) and of eta (column 2).
    const double i11 = plate.cd[3] / det, i12 = -plate.cd[1] / det;
    const double i21 = -plate.cd[2] / det, i22 = plate.cd[0] / det;
    return {std::hypot(i11, i21) * std::cos(plate.crval.dec * kDeg), std::hypot(i12, i22)};
}

std::optional<SkyPoint> MeanDirection(std::span<const SkyPoint> stars) {
    double x = 0, y = 0, z = 0;
    for (const SkyPoint& s : stars) {
        x += std::cos(s.dec * kDeg) * std::cos(s.ra * kDeg);
        y += std::cos(s.dec * kDeg) * std::sin(s.ra * kDeg);
        z += std::sin(s.dec * kDeg);
    }
    const double r = std::sqrt(x * x + y * y + z * z);
    if (stars.empty() || r == 0) return std::nullopt;
    double ra = std::atan2(y, x) / kDeg;
    if (ra < 0) ra += 360;
    return SkyPoint{ra, std::asin(z / r) / kDeg};
}

double OddsAgainstChance(int tested, int hits, double chance, long long hypotheses) {
    if (tested <= 0 || hits <= 0) return -std::log10(std::max(1LL, hypotheses));
    hits = std::min(hits, tested);
    const double p = std::clamp(chance, 1e-12, 1 - 1e-12);
    // log P(X >= hits), summed from the largest term down.
    double largest = -HUGE_VAL;
    std::vector<double> terms;
    for (int j = hits; j <= tested; ++j) {
        terms.push_back(LogChoose(tested, j) + j * std::log(p) + (tested - j) * std::log1p(-p));
        largest = std::max(largest, terms.back());
    }
    double sum = 0;
    for (double t : terms)
        sum += std::exp(t - largest);
    const double logTail = std::min(0.0, largest + std::log(sum));
    return -(logTail / std::log(10.0)) - std::log10(std::max(1LL, hypotheses));
}

double OddsAgainstChance(std::span<const double> chances, int hits, long long hypotheses) {
    const int n = static_cast<int>(chances.size());
    if (n == 0 || hits <= 0) return -std::log10(std::max(1LL, hypotheses));
    hits = std::min(hits, n);
    // at[j]: probability of exactly j successes among the trials so far,
    // j < hits; tail: probability of hits or more.
    std::vector<double> at(hits, 0.0);
    at[0] = 1;
    double tail = 0;
    for (double c : chances) {
        const double p = std::clamp(c, 0.0, 1.0);
        tail += at[hits - 1] * p;
        for (int j = hits - 1; j >= 1; --j)
            at[j] = at[j] * (1 - p) + at[j - 1] * p;
        at[0] *= 1 - p;
    }
    tail = std::clamp(tail, 1e-300, 1.0);
    return -std::log10(tail) - std::log10(std::max(1LL, hypotheses));
}

SourceDensity::SourceDensity(std::span<const ImageSource> sources, int width, int height)
    : m_columns(std::max(1, (width + kCell - 1) / kCell)),
      m_rows(std::max(1, (height + kCell - 1) / kCell)),
      m_counts(static_cast<size_t>(m_columns) * m_rows, 0) {
    for (const ImageSource& s : sources) {
        if (!(s.x >= 0 && s.y >= 0)) continue;
        const int cx = static_cast<int>(s.x) / kCell, cy = static_cast<int>(s.y) / kCell;
        if (cx < m_columns && cy < m_rows) ++m_counts[static_cast<size_t>(cy) * m_columns + cx];
    }
    m_mean = sources.size() / std::max(1.0, double(width) * height);
}

double SourceDensity::at(double x, double y) const {
    const int cx = static_cast<int>(std::floor(x / kCell));
    const int cy = static_cast<int>(std::floor(y / kCell));
    int count = 0, cells = 0;
    for (int j = cy - 1; j <= cy + 1; ++j)
        for (int i = cx - 1; i <= cx + 1; ++i) {
            if (i < 0 || j < 0 || i >= m_columns || j >= m_rows) continue;
            count += m_counts[static_cast<size_t>(j) * m_columns + i];
            ++cells;
        }
    const double local = cells > 0 ? count / (double(cells) * kCell * kCell) : 0.0;
    return std::max(local, m_mean);
}

Verification Verify(const TanPlate& plate, std::span<const SkyPoint> stars,
                    const SourceIndex& index, int sourceCount, int width, int height, double radius,
                    long long hypotheses) {
    const SourceDensity density(index.sources(), width, height);
    // Where the catalogue stars land, and how many sources lie about each.
    std::vector<PixelPoint> landed;
    std::vector<double> perPixel;
    for (const SkyPoint& star : stars) {
        if (static_cast<int>(landed.size()) >= kTestStars) break;
        const auto p = plate.skyToPixel(star);
        if (!p || !(p->x >= 0 && p->y >= 0 && p->x <= width - 1 && p->y <= height - 1)) continue;
        landed.push_back(*p);
        perPixel.push_back(density.at(p->x, p->y));
    }
    // A true plate puts its stars within a fraction of a pixel, where
    // chance hits are four times rarer than within the whole radius.
    Verification best;
    best.oddsLog10 = -HUGE_VAL;
    for (const double r : {radius, radius / 2}) {
        Verification v;
        v.sourcesUsed = sourceCount;
        v.radius = r;
        const double disc = std::numbers::pi * r * r;
        std::vector<double> chances, hitChances;
        for (size_t i = 0; i < landed.size(); ++i) {
            const double c = std::min(0.5, perPixel[i] * disc);
            if (index.nearest(landed[i].x, landed[i].y, r) >= 0)
                hitChances.push_back(c);
            else
                chances.push_back(c);
        }
        v.tested = static_cast<int>(landed.size());
        v.hits = static_cast<int>(hitChances.size());
        double sum = 0;
        for (double c : chances)
            sum += c;
        for (double c : hitChances)
            sum += c;
        v.chance = landed.empty() ? 0.0 : sum / landed.size();
        std::sort(hitChances.begin(), hitChances.end());
        const size_t free = std::min<size_t>(kFittedStars, hitChances.size());
        chances.insert(chances.end(), hitChances.begin(), hitChances.end() - free);
        v.oddsLog10 = OddsAgainstChance(chances, v.hits - static_cast<int>(free), 2 * hypotheses);
        if (v.oddsLog10 > best.oddsLog10) best = v;
    }
    return best;
}

Attempt Identify(std::span<const ImageSource> sources, std::span<const SkyPoint> stars,
                 const SkyPoint& centre, int width, int height, const ScaleRange& scales) {
    Attempt attempt;
    if (width <= 0 || height <= 0 || scales.high <= 0) return attempt;

    // Triangle sources: the brightest, fragments of brighter ones left out.
    std::vector<int> imageList;
    std::vector<Complex> imagePoints;
    for (int i = 0;
         i < static_cast<int>(sources.size()) && static_cast<int>(imageList.size()) < kImageStars;
         ++i) {
        const ImageSource& s = sources[i];
        if (!std::isfinite(s.x) || !std::isfinite(s.y)) continue;
        const Complex z(s.x, s.y);
        const bool fragment = std::any_of(imagePoints.begin(), imagePoints.end(), [&](Complex o) {
            return std::abs(o - z) < kFragmentRadius;
        });
        if (fragment) continue;
        imageList.push_back(i);
        imagePoints.push_back(z);
    }

    // Catalogue stars within reach of the image about the centre.
    const double reach = 0.5 * std::hypot(width, height) / std::max(scales.low, 1e-9) * 1.2;
    std::vector<int> starList;
    std::vector<Complex> starPoints;
    std::vector<Complex> allStandard(stars.size());
    std::vector<bool> projected(stars.size(), false);
    for (int i = 0; i < static_cast<int>(stars.size()); ++i) {
        const auto xy = SkyToStandard(stars[i], centre);
        if (!xy) continue;
        allStandard[i] = Complex((*xy)[0], (*xy)[1]);
        projected[i] = true;
        if (static_cast<int>(starList.size()) < kCatalogueStars &&
            std::abs(allStandard[i]) <= reach) {
            starList.push_back(i);
            starPoints.push_back(allStandard[i]);
        }
    }
    // How far the answer reaches from its centre: an image centred beyond
    // it lies off the answered patch of sky, whatever matches there.
    double answerReach = 0;
    for (size_t i = 0; i < stars.size(); ++i)
        if (projected[i]) answerReach = std::max(answerReach, std::abs(allStandard[i]));
    attempt.imageStars = static_cast<int>(imageList.size());
    attempt.catalogueStars = static_cast<int>(starList.size());
    if (imageList.size() < 3 || starList.size() < 3) return attempt;

    const double minSide = kMinSideFraction * std::min(width, height);
    const std::vector<Triangle> imageTriangles = Triangles(imagePoints, minSide);
    const std::vector<Triangle> starTriangles = Triangles(starPoints, minSide / scales.high);
    attempt.imageTriangles = static_cast<long long>(imageTriangles.size());
    attempt.catalogueTriangles = static_cast<long long>(starTriangles.size());
    const ShapeIndex shapes(starTriangles);

    // Verification sources: about twice the catalogue stars that could lie
    // on the image, at least 50.
    const int onImage = static_cast<int>(std::count_if(
        allStandard.begin(), allStandard.end(), [&](Complex w) { return std::abs(w) <= reach; }));
    const int sourceCount = std::min<int>(static_cast<int>(sources.size()),
                                          std::max(50, 2 * std::min(onImage, kTestStars)));
    const std::span<const ImageSource> verifySources = sources.first(sourceCount);
    const SourceIndex index(verifySources, kQuickRadius);
    const PixelPoint crpix{(width - 1) / 2.0, (height - 1) / 2.0};

    auto tryHypothesis = [&](const Triangle& it, const Triangle& st) -> bool {
        const double scale = it.longest / st.longest;
        if (scale < scales.low || scale > scales.high) return false;
        ++attempt.hypotheses;
        std::array<Complex, 3> z, w;
        for (int s = 0; s < 3; ++s) {
            z[s] = imagePoints[it.vertex[s]];
            w[s] = starPoints[st.vertex[s]];
        }
        const Similarity sim = FitSimilarity(z, w, it.counterClockwise != st.counterClockwise);
        const double fitted = std::abs(sim.a);
        if (fitted < scales.low || fitted > scales.high) return false;
        // Quick check on the brightest catalogue stars.
        int quick = 0;
        for (size_t k = 0; k < starPoints.size(); ++k) {
            const Complex p = sim.apply(starPoints[k]);
            if (index.nearest(p.real(), p.imag(), kQuickRadius) >= 0) ++quick;
        }
        if (quick < kQuickHits) return false;
        ++attempt.verified;
        const auto first = PlateOf(sim, centre);
        if (!first) return false;
        // Pair, fit, pair again closer and fit again.
        std::optional<TanPlate> plate = first;
        for (double radius : {kQuickRadius + 1, kVerifyRadius}) {
            const std::vector<Match> m = Pair(*plate, stars, kTestStars * 2, index, radius);
            if (m.size() < 3) return false;
            plate = FitMatches(m, verifySources, stars, crpix, plate->pixelToSky(crpix.x, crpix.y));
            if (!plate) return false;
        }
        const auto middle = SkyToStandard(plate->pixelToSky(crpix.x, crpix.y), centre);
        if (!middle || std::hypot((*middle)[0], (*middle)[1]) > answerReach) {
            ++attempt.offAnswer;
            return false;
        }
        const Verification v = Verify(*plate, stars, index, sourceCount, width, height,
                                      kVerifyRadius, attempt.hypotheses);
        attempt.bestOddsLog10 = std::max(attempt.bestOddsLog10, v.oddsLog10);
        if (v.oddsLog10 < kOddsThreshold) return false;
        Identification found;
        found.plate = *plate;
        found.matches = Pair(*plate, stars, static_cast<int>(stars.size()), index, kVerifyRadius);
        found.verification = v;
        found.mirrored = plate->determinant() < 0;
        attempt.found = std::move(found);
        return true;
    };

    for (const Triangle& it : imageTriangles) {
        bool done = false;
        shapes.near(it.u, it.v, [&](const Triangle& st) {
            if (!done) done = tryHypothesis(it, st);
        });
        if (done) break;
    }
    return attempt;
}

std::optional<MatchedPicks> ChoosePicks(const Identification& found,
                                        std::span<const ImageSource> sources, int width,
                                        int height) {
    std::vector<ImageSource> matched;
    std::vector<int> starOf;
    for (const Match& m : found.matches) {
        if (m.source < 0 || m.source >= static_cast<int>(sources.size())) continue;
        matched.push_back(sources[m.source]);
        starOf.push_back(m.star);
    }
    auto picks = autopicks::Choose(matched, width, height);
    if (!picks) {
        // A saturated star whose centre lies within the pairing radius of its
        // catalogue position has a good centre: take it like any other.
        for (ImageSource& s : matched)
            s.saturated = false;
        picks = autopicks::Choose(matched, width, height);
    }
    if (!picks) return std::nullopt;
    MatchedPicks out;
    for (int k = 0; k < 5; ++k) {
        out.picks[k] = (*picks)[k];
        const auto it = std::find_if(matched.begin(), matched.end(), [&](const ImageSource& s) {
            return s.x == out.picks[k].x && s.y == out.picks[k].y;
        });
        if (it == matched.end()) return std::nullopt;
        out.stars[k] = starOf[it - matched.begin()];
    }
    return out;
}

} // namespace identify

} // namespace reduction
