// Solving an image whose position is unknown: the stars found on it are
// matched against the quads of astrometry.net index files by the library's
// own solver engine (geometric hashing of four-star quads, then verification
// of every proposed match by its log-odds against all the stars found).
//
// A match is accepted only when its log-odds reach kBlindAcceptLogOdds,
// ln(1e9): the odds that the match is true rather than a chance alignment
// are a billion to one. A noise image or a field the index files do not
// cover therefore gives no solution rather than a wrong one.
//
// The accepted match is fitted again on every star it matched (a TAN plate
// with its tangent point at the centre of the image), so the plate holds at
// the corners too, not only near the four stars of the quad.
#pragma once

#include "platform/background.h"
#include "reduction/evidence.h"
#include "reduction/tanplate.h"

#include <QString>
#include <QStringList>
#include <cmath>
#include <optional>
#include <vector>

namespace catalogues {

// ln(1e9): the log-odds a match must reach to be accepted.
inline const double kBlindAcceptLogOdds = std::log(1e9);

// The field widths searched when the scale is not known, degrees (along the
// longer side of the image): from the narrowest fields the Tycho-2 index
// files of Debian's packages can solve to the widest they cover.
inline constexpr double kBlindWidestFieldDeg = 30.0;
inline constexpr double kBlindNarrowestFieldDeg = 0.3;

// At most this many sources (the brightest) take part in the quads; the
// verification uses them all.
inline constexpr int kBlindMaxQuadSources = 200;

struct BlindPositionHint {
    double ra = 0;     // degrees J2000
    double dec = 0;    // degrees J2000
    double radius = 0; // degrees: the field's centre lies within it
};

struct BlindSolveRequest {
    std::vector<reduction::ImageSource> sources; // pixel positions, 0-based, brightest first
    int width = 0;                               // image size, pixels
    int height = 0;
    // Pixel scale range, arcseconds per pixel; both 0: the wide default
    // (kBlindNarrowestFieldDeg to kBlindWidestFieldDeg over the longer side).
    double scaleLow = 0;
    double scaleHigh = 0;
    std::optional<BlindPositionHint> hint;
    QStringList indexFiles;       // paths of astrometry.net index files
    double timeLimitSeconds = 60; // wall-clock time, the loading of the files included
    // false: only images not mirrored, det CD > 0 with y downwards (east is
    // counter-clockwise from north, as the sky is seen)
    bool tryBothParities = true;
};

struct BlindSolution {
    reduction::TanPlate plate; // crval J2000 degrees, crpix 0-based, cd degrees per pixel
    double logOdds = 0;        // of the accepted match
    QString indexFile;         // file name of the index that gave it
    int starsMatched = 0;      // sources used by the final fit
};

enum class BlindFailure {
    None,
    NoSolution, // every index file and field width tried, no match accepted
    TimeLimit,  // the time limit was reached first
    Cancelled,  // the progress hook asked to stop
    BadInput    // no usable index file, too few sources, or a bad size or range
};

struct BlindSolveResult {
    BlindFailure failure = BlindFailure::NoSolution;
    std::optional<BlindSolution> solution;
    double scaleLow = 0; // the range searched, arcseconds per pixel
    double scaleHigh = 0;
    int indexFilesUsable = 0; // files whose quads fit the range (and the hint)
    QStringList skipped;      // "name: why" for files that could not be used
    qint64 elapsedMs = 0;
};

// The default scale range for an image whose longer side has `pixels`
// pixels, arcseconds per pixel.
std::pair<double, double> BlindDefaultScaleRange(int pixels);

// The *.fits and *.fit regular files of `folder`, by name.
QStringList BlindIndexFilesIn(const QString& folder);

// Solves. `progress` (may be null): `total` is set to the number of steps
// (index files times source depths), `done` counts those finished, and
// setting `cancel` stops the solver within about a second. Safe to call
// from a worker thread; only one call at a time per process.
BlindSolveResult BlindSolve(const BlindSolveRequest& request,
                            background::Progress* progress = nullptr);

} // namespace catalogues
