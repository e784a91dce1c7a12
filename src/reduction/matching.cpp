#include "reduction/matching.h"

#include "platform/numbers.h"
#include "reduction/calibration.h"

#include <algorithm>
#include <cmath>

namespace reduction {

namespace matching {

void DistanceTables::build(const std::array<double, 11>& x, const std::array<double, 11>& y,
                           const std::vector<double>& ra, const std::vector<double>& dec, int n) {
    for (int r = 1; r <= kImageStars; ++r)
        for (int c = 1; c <= kImageStars; ++c)
            m_image[r * (kImageStars + 1) + c] =
                std::sqrt((y[r] - y[c]) * (y[r] - y[c]) + (x[r] - x[c]) * (x[r] - x[c]));

    const int available = static_cast<int>(std::min(ra.size(), dec.size())) - 1;
    m_n = std::clamp(std::min(n, available), 0, kMaxCatalogue);
    const int stride = m_n + 1;
    m_catalogue.assign(static_cast<size_t>(stride) * stride, 0.0);
    // The table is symmetric (the squared differences are the same either way).
    for (int r = 1; r <= m_n; ++r)
        for (int c = r; c <= m_n; ++c)
            m_catalogue[r * stride + c] = m_catalogue[c * stride + r] = std::sqrt(
                (dec[c] - dec[r]) * (dec[c] - dec[r]) + (ra[c] - ra[r]) * (ra[c] - ra[r]));
}

SearchResult FindCandidates(const DistanceTables& t, double tolerance) {
    SearchResult result;
    const int n = t.count();
    const double tol = tolerance;
    auto agree = [tol](double d, double e) { return d + tol > e && d - tol < e; };
    const double e12 = t.image(1, 2), e23 = t.image(2, 3), e13 = t.image(1, 3), e14 = t.image(1, 4);
    const double e15 = t.image(1, 5), e45 = t.image(4, 5), e43 = t.image(4, 3), e42 = t.image(4, 2);
    const double e52 = t.image(5, 2), e53 = t.image(5, 3);

    // The rows at the right distance from row i for picks 2, 3, 4 and 5, in
    // ascending order: walking them visits the same rows in the same order as
    // walking 1..n and testing that distance first. The lists for picks 4 and
    // 5 are made only when some (j, m) needs them.
    std::vector<int> ring2(n + 1), ring3(n + 1), ring4(n + 1), ring5(n + 1);
    int size2 = 0, size3 = 0, size4 = 0, size5 = 0;
    auto ring = [&](int i, double e, std::vector<int>& rows) {
        const double* row = &t.catalogue(i, 0);
        int k = 0;
        for (int c = 1; c <= n; ++c) {
            rows[k] = c;
            k += static_cast<int>((row[c] + tol > e) & (row[c] - tol < e));
        }
        return k;
    };

    for (int i = 1; i <= n; ++i) {
        if (static_cast<int>(result.candidates.size()) > kCandidateLimit) break;
        size2 = ring(i, e12, ring2);
        if (size2 == 0) continue;
        size3 = ring(i, e13, ring3);
        bool outer = false;
        for (int a = 0; a < size2; ++a) {
            const int j = ring2[a];
            for (int b = 0; b < size3; ++b) {
                const int m = ring3[b];
                if (!agree(t.catalogue(j, m), e23)) continue;
                if (!outer) {
                    outer = true;
                    size4 = ring(i, e14, ring4);
                    size5 = ring(i, e15, ring5);
                }
                for (int c = 0; c < size4; ++c) {
                    const int p = ring4[c];
                    // These two tests do not depend on q: made once for all q.
                    if (!agree(t.catalogue(p, m), e43) || !agree(t.catalogue(p, j), e42)) continue;
                    for (int d = 0; d < size5; ++d) {
                        const int q = ring5[d];
                        if (!agree(t.catalogue(p, q), e45) || !agree(t.catalogue(q, j), e52) ||
                            !agree(t.catalogue(q, m), e53))
                            continue;
                        result.candidates.push_back(
                            Candidate{0, static_cast<int16_t>(i), static_cast<int16_t>(j),
                                      static_cast<int16_t>(m), static_cast<int16_t>(p),
                                      static_cast<int16_t>(q)});
                        if (static_cast<int>(result.candidates.size()) == kCandidateRows) {
                            result.tableFull = true;
                            return result;
                        }
                    }
                }
            }
        }
    }
    return result;
}

bool PicksCollinear(const std::array<double, 11>& x, const std::array<double, 11>& y) {
    return Collinear({PixelPoint{x[1], y[1]}, PixelPoint{x[2], y[2]}, PixelPoint{x[3], y[3]}});
}

std::optional<std::array<double, 6>>
CandidateModel(const std::array<double, 11>& x, const std::array<double, 11>& y,
               const std::vector<double>& ra, const std::vector<double>& dec, const Candidate& c) {
    for (int s = 1; s <= 3; ++s)
        if (c[s] < 1 || c[s] >= static_cast<int>(std::min(ra.size(), dec.size())))
            return std::nullopt;
    return ThreePointModel({PixelPoint{x[1], y[1]}, PixelPoint{x[2], y[2]}, PixelPoint{x[3], y[3]}},
                           {ra[c[1]], ra[c[2]], ra[c[3]]}, {dec[c[1]], dec[c[2]], dec[c[3]]});
}

std::optional<int> CountCheckHits(MarkerCorners picks, MarkerCorners stars, int n, double s) {
    const auto lo = numbers::ToInt16(-4.0 - s);
    const auto hi = numbers::ToInt16(s - 4.0);
    if (!lo || !hi) return std::nullopt;
    const float flo = *lo, fhi = *hi;
    const int marks =
        std::min<int>(5, static_cast<int>(std::min(picks.left.size(), picks.top.size())) - 1);
    const int last =
        std::min<int>(n, static_cast<int>(std::min(stars.left.size(), stars.top.size())) - 1);
    int hits = 0;
    for (int t = 1; t <= marks; ++t) {
        const float pl = picks.left[t], pt = picks.top[t];
        for (int u = 1; u <= last; ++u) {
            const float sl = stars.left[u], st = stars.top[u];
            if (flo + sl < pl && fhi + sl > pl && flo + st < pt && fhi + st > pt) ++hits;
        }
    }
    return hits;
}

} // namespace matching

} // namespace reduction
