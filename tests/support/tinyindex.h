// Small astrometry.net index files built during a test with the package's
// own build tool, from a handful of stars (the Tycho-2 stars around the
// sample field, or a test's own).
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace testing_support {

// One star of an index: J2000 right ascension and declination (degrees) and
// magnitude.
using TinyIndexStar = std::array<double, 3>;

// The stars of tests/data/tycho2-n7380.tsv.
std::vector<TinyIndexStar> sampleIndexStars();

// Builds an index of `stars` into `out` with quads of the tool's scale preset
// `preset` (5: quads of 11' to 16') and index id `id`; `extra` adds options
// (e.g. a single sky tile). An empty text on success, else why it failed.
QString buildIndex(const std::vector<TinyIndexStar>& stars, const QString& out, int preset, int id,
                   const QStringList& extra = {});

// buildIndex of the sample's stars.
QString buildSampleIndex(const QString& out, int preset, int id);

} // namespace testing_support
