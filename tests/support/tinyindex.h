// Small astrometry.net index files built during a test from the Tycho-2
// stars around the sample field, with the package's own build tool.
#pragma once

#include <QString>
#include <QStringList>

namespace testing_support {

// Builds an index of the stars of tests/data/tycho2-n7380.tsv into `out`
// with quads of the tool's scale preset `preset` (5: quads of 11' to 16').
// An empty text on success, else why it failed.
QString buildSampleIndex(const QString& out, int preset, int id);

} // namespace testing_support
