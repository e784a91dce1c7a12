// Automatic field matching: which catalogue stars are the five picked image
// stars, found by comparing their ten pairwise distances.
//
// Image positions are pixels; catalogue positions are scaled coordinates
// (RA * CorrAsd, Dec * CorrDec), which the scales make comparable with pixel
// distances. A catalogue distance d agrees with an image distance e when
// d + T > e and d - T < e (|d - e| < T, strictly). No orientation or
// handedness test is made: a mirrored field matches like a direct one.
//
// Nothing here touches a window, so the command-line solver uses it too.
#pragma once

#include "reduction/platesolution.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace reduction {

namespace matching {

constexpr int kImageStars = 9;       // picked image stars in the distance table, 1..9
constexpr int kMaxCatalogue = 500;   // catalogue rows in the distance table, 1..N
constexpr int kCandidateRows = 2000; // size of the candidate table
constexpr int kCandidateLimit = 300; // no new first star once more candidates than this

// One candidate: slot s (1..5) is the catalogue row matched to picked star s;
// slot 0 is unused.
using Candidate = std::array<int16_t, 6>;

// Pairwise distances, indexes from 1 like the tables they come from.
class DistanceTables {
public:
    // Image stars 1..9 from x[1..9], y[1..9] (pixels; 0 for stars not picked);
    // catalogue rows 1..n from ra[1..n], dec[1..n] (scaled). n is cut to 500.
    void build(const std::array<double, 11>& x, const std::array<double, 11>& y,
               const std::vector<double>& ra, const std::vector<double>& dec, int n);

    double image(int r, int c) const { return m_image[r * (kImageStars + 1) + c]; }
    const double& catalogue(int r, int c) const { return m_catalogue[r * (m_n + 1) + c]; }
    int count() const { return m_n; }

private:
    std::array<double, (kImageStars + 1) * (kImageStars + 1)> m_image{};
    std::vector<double> m_catalogue;
    int m_n = 0;
};

struct SearchResult {
    std::vector<Candidate> candidates; // in the order found, at most kCandidateRows
    bool tableFull = false;            // the search stopped because the table was full
};

// Depth-first search: picked stars 1..5 are matched in this order to rows
// i, j, m, p, q, each level pruned by the distances to the rows already
// chosen:
//   j: DC(i,j)~DI(1,2); m: DC(j,m)~DI(2,3), DC(i,m)~DI(1,3); p: DC(i,p)~DI(1,4);
//   q: DC(i,q)~DI(1,5), DC(p,q)~DI(4,5), DC(p,m)~DI(4,3), DC(p,j)~DI(4,2),
//      DC(q,j)~DI(5,2), DC(q,m)~DI(5,3).
// A new row i is begun only while at most 300 candidates are stored, so the
// last i may take the count beyond 300. The table holds 2000 rows: when it is
// full, storing stops and so does the search (tableFull is then set).
// Rows need not be distinct when the tolerance exceeds a pattern distance.
// The candidates and their order are those of the plain five nested loops
// over 1..n; the tests are only grouped so that each is made once (the rows
// at the right distance from i are listed first).
SearchResult FindCandidates(const DistanceTables& tables, double tolerance);

// The plate model of a candidate: the exact affine map through picked stars
// 1..3 and the candidate's rows 1..3. Nothing when picks 1..3 lie on one
// straight line (see PicksCollinear).
std::optional<std::array<double, 6>> CandidateModel(const std::array<double, 11>& x,
                                                    const std::array<double, 11>& y,
                                                    const std::vector<double>& ra,
                                                    const std::vector<double>& dec,
                                                    const Candidate& candidate);

// True when picked stars 1, 2 and 3 lie on one straight line, so that no
// candidate can have a model.
bool PicksCollinear(const std::array<double, 11>& x, const std::array<double, 11>& y);

// The automatic check: counts the pairs (pick mark t = 1..5, star marker
// u = 1..n) whose left and top positions satisfy lo + L(star) < L(mark) <
// hi + L(star) (and the same for top), with lo = -4 - s and hi = s - 4 each
// rounded half to even to a 16-bit integer and the sums taken in single
// precision. With 16-pixel pick marks and 8-pixel star markers this counts a
// star whose centre lies strictly within s pixels of a pick on both axes.
// Nothing when lo or hi does not fit 16 bits.
// Marker corners are given as parallel left and top arrays indexed from 1
// (element 0 unused); the first min(5, size - 1) pick marks and the first n
// star markers take part.
struct MarkerCorners {
    std::span<const float> left;
    std::span<const float> top;
};
std::optional<int> CountCheckHits(MarkerCorners picks, MarkerCorners stars, int n, double s);

} // namespace matching

} // namespace reduction
