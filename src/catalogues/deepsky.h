// The NGC and IC objects of a field, read from the program folder's files
// deepobj1.txt (NGC) and deepobj2.txt (IC).
//
// Both files are plain text: two heading lines, then one object a line (lines
// end at CR LF, CR or LF) in fixed columns (1-based characters):
//
//   1-5      catalogue number          51-54    magnitude (text)
//   21-22    right ascension, hours    62-67    first size, arcminutes
//   24-25    minutes                   69-73    second size (0 or blank: the first)
//   27-30    seconds                   75-77    position angle, degrees
//   32       declination sign          79-86    description (text)
//   32-34    degrees, sign included    88-94    PGC number (0: none)
//   36-37    minutes                   97-111   a further name (text)
//   39-40    seconds                   113-127  a further name (text)
//
// Numbers are read leniently ("." as decimal point, 0 when there is none);
// positions are J2000.
#pragma once

#include "platform/outcome.h"

#include "field/session.h"
#include "reduction/fieldcatalogue.h"
#include "reduction/platesolution.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace catalogues {

// The two catalogue files and the prefix of their names.
struct DeepSkyCatalogueFile {
    const char* file;
    const char* prefix;
};
inline constexpr std::array<DeepSkyCatalogueFile, 2> kDeepSkyFiles{
    {{"deepobj1.txt", "NGC "}, {"deepobj2.txt", "IC "}}};

// The square window of a field, in scaled coordinates.
struct DeepSkyWindow {
    double centreRa = 0;  // scaled J2000 right ascension of the field centre
    double centreDec = 0; // scaled J2000 declination
    double halfWidth = 0; // scaled units
};

// Half-width of the window for a search radius of `radius` arcminutes:
// round(2 * s / 60 * radius), twice the radius on each side, with s the
// larger of |corrAsd| and |corrDec|. The declination scale is the true number
// of pixels per degree of sky (the right-ascension scale shrinks with cos dec),
// so the window is twice the radius on the sky at every declination.
double DeepSkyWindowHalfWidth(double radius, double corrAsd, double corrDec);

// How one file was read.
struct DeepSkyFileStatus {
    QString name;
    // Read, or why not (the message without the path).
    outcome::Status<outcome::FileError> read;
};

struct DeepSkyReadResult {
    int count = 0;    // objects stored, 0..500
    int inWindow = 0; // objects inside the window, stored or not
    std::array<DeepSkyFileStatus, 2> files;
    // J2000 position of rows 1..count as the file gives it, degrees, before
    // any unwrapping or scaling (element 0 unused).
    std::vector<reduction::SkyPoint> positions = std::vector<reduction::SkyPoint>(1);
    // Rows 1..count as typed rows (right ascensions unwrapped about the
    // window's centre); the table rows are their scaled view.
    std::vector<reduction::CatalogueRow> objects;
    bool truncated() const { return inWindow > count; }
};

// Reads one catalogue's text (its two heading lines first) and appends the
// objects strictly inside `window` to `table` after row `result.count`,
// counting them in `result`. The right ascension in degrees is brought within
// 180 degrees of the window's centre before it is scaled, so that a field at
// 0h sees the objects on both sides of it. Scaled positions are rounded to
// whole numbers, halves to even. Blank lines are skipped. Objects beyond the
// table's 500 rows are counted but not stored.
void ReadDeepSkyCatalogue(QByteArrayView bytes, const QString& prefix, const DeepSkyWindow& window,
                          double corrAsd, double corrDec, field::DeepSkyTable& table,
                          DeepSkyReadResult& result);

// Refills `table` from both files of `folder` (NGC, then IC): the count starts
// from 0, and a file that cannot be read is reported while the other is still
// read. Rows beyond the new count keep older values.
DeepSkyReadResult ReadDeepSkyFiles(const QString& folder, const DeepSkyWindow& window,
                                   double corrAsd, double corrDec, field::DeepSkyTable& table);

// Status lines about a reading beyond its count: a file that could not be
// read, objects left out past the table's end. Empty for a clean read.
QStringList DeepSkyReadNotes(const DeepSkyReadResult& result);

} // namespace catalogues
