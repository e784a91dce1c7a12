#include "reduction/evidence.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace reduction {

SourceIndex::SourceIndex(std::span<const ImageSource> sources, double cellSize)
    : m_sources(sources), m_cell(cellSize > 0 ? cellSize : 1.0) {
    for (int i = 0; i < static_cast<int>(sources.size()); ++i) {
        const ImageSource& s = sources[i];
        if (!std::isfinite(s.x) || !std::isfinite(s.y)) continue;
        m_cells[key(static_cast<int>(std::floor(s.x / m_cell)),
                    static_cast<int>(std::floor(s.y / m_cell)))]
            .push_back(i);
    }
}

long long SourceIndex::key(int cx, int cy) const {
    return (static_cast<long long>(cy) << 32) ^ (static_cast<long long>(cx) & 0xffffffffLL);
}

int SourceIndex::nearest(double x, double y, double radius) const {
    if (!std::isfinite(x) || !std::isfinite(y) || m_cells.empty()) return -1;
    // Far outside every cell: nothing near (and no overflow of the cell numbers).
    if (std::abs(x) > 1e8 || std::abs(y) > 1e8) return -1;
    const int reach = static_cast<int>(std::ceil(radius / m_cell));
    const int cx = static_cast<int>(std::floor(x / m_cell));
    const int cy = static_cast<int>(std::floor(y / m_cell));
    int best = -1;
    double bestDistance = radius;
    for (int j = cy - reach; j <= cy + reach; ++j)
        for (int i = cx - reach; i <= cx + reach; ++i) {
            const auto it = m_cells.find(key(i, j));
            if (it == m_cells.end()) continue;
            for (int index : it->second) {
                const double d = std::hypot(m_sources[index].x - x, m_sources[index].y - y);
                if (d < bestDistance) {
                    best = index;
                    bestDistance = d;
                }
            }
        }
    return best;
}

std::span<const ImageSource> EvidenceSources(std::span<const ImageSource> sources) {
    return sources.first(std::min(static_cast<size_t>(kEvidenceSources), sources.size()));
}

int CandidateEvidence(const PlateSolution& plate, const std::vector<double>& ra,
                      const std::vector<double>& dec, int n, const SourceIndex& index,
                      double radius) {
    const int last = std::min<int>(n, static_cast<int>(std::min(ra.size(), dec.size())) - 1);
    if (last < 1 || plate.corrAsd == 0.0 || plate.corrDec == 0.0) return 0;
    std::vector<SkyPoint> stars;
    stars.reserve(static_cast<size_t>(last));
    for (int row = 1; row <= last; ++row)
        stars.push_back({ra[row] / plate.corrAsd, dec[row] / plate.corrDec});
    return CandidateEvidence(plate, stars, index, radius);
}

int CandidateEvidence(const PlateSolution& plate, std::span<const SkyPoint> stars,
                      const SourceIndex& index, double radius) {
    int hits = 0;
    for (const SkyPoint& sky : stars) {
        const auto p = plate.scaledToPixel(sky.ra * plate.corrAsd, sky.dec * plate.corrDec);
        if (!p) return 0;
        if (index.nearest(p->x, p->y, radius) >= 0) ++hits;
    }
    return hits;
}

std::vector<int> RankByEvidence(std::span<const int> evidence) {
    std::vector<int> order(evidence.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return evidence[a] > evidence[b]; });
    return order;
}

} // namespace reduction
