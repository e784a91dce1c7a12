// Identification of a field from the stars of the whole image: which detected
// sources are which catalogue stars, found without trusting any particular
// source to be a catalogue star.
//
// Method: triangles with voting by verification.
//   1. The brightest sources (tens of them, saturated ones kept, a fragment
//      close to a brighter source dropped) and the brightest catalogue stars
//      near the field centre, projected onto the tangent plane about that
//      centre (gnomonic, degrees), each give every triangle of three of them
//      whose smallest side is not too short.
//   2. A triangle's shape is the pair of side ratios (a/c, b/c), sides sorted
//      a <= b <= c; it does not change under a shift, a rotation, a change of
//      scale or a mirror. Image and catalogue triangles of the same shape,
//      whose longest sides agree with the typed scale +-15 %, make a
//      hypothesis: the similarity (direct or mirrored, from the two
//      triangles' turning senses) through their three vertices.
//   3. A hypothesis is first checked on the brightest catalogue stars (enough
//      of them must land on sources), then verified: a TAN plate is fitted to
//      every catalogue star that lands on a source, the pairing made again,
//      and the number of catalogue stars landing on sources compared with
//      what a random placement would give at this density of sources (see
//      Verify). The first hypothesis whose log-odds reach kOddsThreshold is
//      the identification.
// Image triangles are taken brightest first, so a field usually resolves
// within the first few hundred; an image that does not belong to the answer
// goes through every triangle and gives nothing.
//
// Pixels: x to the right, y downwards, 0-based. Sky: degrees, J2000.
#pragma once

#include "reduction/evidence.h"
#include "reduction/platesolution.h"
#include "reduction/tanplate.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace reduction {

namespace identify {

// Sources and catalogue stars that form triangles.
inline constexpr int kImageStars = 30;
inline constexpr int kCatalogueStars = 40;
// A source within this many pixels of a brighter one is a fragment of it
// (a halo, a diffraction spike) and forms no triangle.
inline constexpr double kFragmentRadius = 6.0;
// Smallest side of a triangle, as a fraction of the image's smaller side.
inline constexpr double kMinSideFraction = 0.08;
// Largest difference of the side ratios of two triangles of the same shape.
inline constexpr double kShapeTolerance = 0.012;
// How far the true scale may lie from the typed one.
inline constexpr double kScaleSlack = 0.15;
// Quick check of a hypothesis: at least this many of the kCatalogueStars
// brightest stars (its three vertices included) within kQuickRadius pixels of
// a source.
inline constexpr int kQuickHits = 6;
inline constexpr double kQuickRadius = 4.0;
// Verification: catalogue stars tested (the brightest on the image), the
// pairing radius (half of it is tried too) and the one threshold of every
// field, in decimal log-odds against chance with the number of hypotheses
// tried accounted for.
inline constexpr int kTestStars = 100;
inline constexpr double kVerifyRadius = 3.0;
inline constexpr double kOddsThreshold = 8.0;
// Hits that a fitted plate owes to its own fit, not counted as evidence.
inline constexpr int kFittedStars = 3;

// Pixels per degree on the sky that the identification accepts.
struct ScaleRange {
    double low = 0;
    double high = 0;
};

// The accepted range from the typed scales: corrAsd pixels per degree of
// right ascension (cos(dec) included), corrDec pixels per degree of
// declination, at the declination `centreDec` (degrees); the two axes give
// the ends, each widened by kScaleSlack.
ScaleRange TypedScaleRange(double corrAsd, double corrDec, double centreDec);

// The scales a plate implies in the typed form: pixels per degree of right
// ascension (cos(dec) at the plate's tangent point included) and of
// declination.
struct FittedScales {
    double corrAsd = 0;
    double corrDec = 0;
};
FittedScales ScalesOf(const TanPlate& plate);

// The centre of a star list: the mean direction of the stars (degrees).
// Nothing for an empty list.
std::optional<SkyPoint> MeanDirection(std::span<const SkyPoint> stars);

// The figures of a verification.
struct Verification {
    int tested = 0;      // catalogue stars that the plate puts on the image, less kFittedStars hits
    int hits = 0;        // of these, within the radius of a source
    int sourcesUsed = 0; // sources the hits could fall on
    double chance = 0;   // mean chance that a random point there lands on one of them
    double radius = 0;   // pixels: the count the odds come from
    double oddsLog10 = 0; // -log10(P(hits - kFittedStars or more by chance) * 2 * hypotheses)
};

// Log-odds of `hits` of `tested` against chance: the binomial probability of
// `hits` or more successes of probability `chance` each, times the number of
// hypotheses tried, as a negative decimal logarithm.
double OddsAgainstChance(int tested, int hits, double chance, long long hypotheses);

// The same for trials of unequal chances (`chances`, one per catalogue star
// tested): the probability of `hits` or more successes.
double OddsAgainstChance(std::span<const double> chances, int hits, long long hypotheses);

// Sources per square pixel about a point of the image: the count in the 3 x 3
// cells of kCell pixels around it, never below the mean over the image (a
// cluster or a galaxy makes chance hits likelier where it lies).
class SourceDensity {
public:
    static constexpr int kCell = 32;
    SourceDensity(std::span<const ImageSource> sources, int width, int height);
    double at(double x, double y) const;

private:
    int m_columns, m_rows;
    std::vector<int> m_counts;
    double m_mean = 0;
};

// Verifies `plate`: the brightest kTestStars catalogue stars (of `stars`,
// brightest first) that it puts on the image width x height are looked up
// among the sources of `index` (sourceCount of them) within `radius` pixels,
// and within half of it; each star's chance of a hit is that of the source
// density where it lands. The odds are those of the better count, paid for
// as two tries (hypotheses doubled); the kFittedStars hits likeliest by
// chance are left out of them, since the plate was fitted to these stars and
// its six constants could place any three of them on sources.
Verification Verify(const TanPlate& plate, std::span<const SkyPoint> stars,
                    const SourceIndex& index, int sourceCount, int width, int height, double radius,
                    long long hypotheses);

// One source paired with one catalogue star (indexes into the lists given).
struct Match {
    int source = 0;
    int star = 0;
};

struct Identification {
    TanPlate plate;             // fitted to every match
    std::vector<Match> matches; // brightest source first
    Verification verification;
    bool mirrored = false; // the image is a mirror view of the sky
};

// What was tried, for the message when nothing is found.
struct Attempt {
    int imageStars = 0;
    int catalogueStars = 0;
    long long imageTriangles = 0;
    long long catalogueTriangles = 0;
    long long hypotheses = 0;    // triangle pairs of the same shape and scale
    long long verified = 0;      // hypotheses that passed the quick check
    long long offAnswer = 0;     // of these, images centred off the answered sky
    double bestOddsLog10 = -1e9; // of the verified ones
    std::optional<Identification> found;
};

// Identifies the field: `sources` detected on an image width x height
// (brightest first), `stars` the catalogue stars of the answer (degrees,
// brightest first), `centre` the field centre the answer was made about,
// `scales` the accepted scale range.
Attempt Identify(std::span<const ImageSource> sources, std::span<const SkyPoint> stars,
                 const SkyPoint& centre, int width, int height, const ScaleRange& scales);

// Five picks chosen among the matched pairs as a user would click them
// (bright, isolated, well spread, no three on one line: autopicks::Choose on
// the matched sources), with the catalogue star of each. Nothing with fewer
// than five usable matches.
struct MatchedPicks {
    std::array<PixelPoint, 5> picks;
    std::array<int, 5> stars; // indexes into the catalogue list
};
std::optional<MatchedPicks> ChoosePicks(const Identification& found,
                                        std::span<const ImageSource> sources, int width,
                                        int height);

} // namespace identify

} // namespace reduction
