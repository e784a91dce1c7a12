// Image evidence for a candidate identification: how many catalogue stars in
// use its plate model puts within a few pixels of a source detected on the
// image. The true identification puts many catalogue stars on stars of the
// image; a chance one puts few.
#pragma once

#include "reduction/matching.h"
#include "reduction/platesolution.h"

#include <span>
#include <unordered_map>
#include <vector>

namespace reduction {

// A source found on the image (pixels, y downwards), as the star finder gives it.
struct ImageSource {
    double x = 0;
    double y = 0;
    double flux = 0;
    bool saturated = false;
};

// Sources by position, for nearest-neighbour look-ups.
class SourceIndex {
public:
    // Indexes `sources` (kept by reference: they must outlive the index);
    // `cellSize` in pixels should be about the search radius.
    SourceIndex(std::span<const ImageSource> sources, double cellSize);

    // Index into the sources of the nearest one strictly within `radius` of
    // (x, y), or -1.
    int nearest(double x, double y, double radius) const;

    std::span<const ImageSource> sources() const { return m_sources; }

private:
    long long key(int cx, int cy) const;
    std::span<const ImageSource> m_sources;
    double m_cell;
    std::unordered_map<long long, std::vector<int>> m_cells;
};

// The evidence looks at the kEvidenceSources brightest sources only. Faint
// detections add chance coincidences: with 497 catalogue stars in use and a
// thousand sources on a 1024 x 1024 image, a wrong model would land about 40
// catalogue stars within 5 pixels of some source. With the brightest 100 it
// lands about 4, while the true model still finds the bright catalogue stars.
inline constexpr int kEvidenceSources = 100;
inline constexpr double kEvidenceRadius = 5.0; // pixels

// The brightest sources the evidence uses (`sources` brightest first).
std::span<const ImageSource> EvidenceSources(std::span<const ImageSource> sources);

// Evidence of one plate model: the number of catalogue rows 1..n (scaled
// coordinates ra[1..n], dec[1..n]) whose predicted pixel lies strictly within
// `radius` of an indexed source. 0 when the model has no inverse.
int CandidateEvidence(const PlateSolution& plate, const std::vector<double>& ra,
                      const std::vector<double>& dec, int n, const SourceIndex& index,
                      double radius = kEvidenceRadius);

// The same for catalogue stars given in J2000 degrees (unrounded).
int CandidateEvidence(const PlateSolution& plate, std::span<const SkyPoint> stars,
                      const SourceIndex& index, double radius = kEvidenceRadius);

// The review order of candidates by evidence: indexes into `evidence`,
// largest evidence first, equal evidence in the search order.
std::vector<int> RankByEvidence(std::span<const int> evidence);

} // namespace reduction
