// Stars without the web: the star query answered from catalogue files on this
// machine, as a page in exactly the layout of the star server's answer.
//
// The query is the address the star query would send (so the cache key and
// everything else stay the same): its ra, dec, radmax (arcminutes), magfaint
// and nout. The stars of every index file that covers the field are merged;
// the same star in two files (within 1 arcsecond) is kept once. The page
// holds the marker "</b>   1 U" before the first row and rows of 66 bytes
// (line end included), brightest first, at most nout of them, only stars
// within radmax of the centre and brighter than magfaint:
//
//     columns   what
//      1-4      row number
//      6-19     identifier "Uzzzz_rrrrrrrr": U, the USNO-A zone of the
//               declination (south polar distance in 7.5-degree bands,
//               0000..1725), "_", right ascension in units of 0.00001 degree
//      21-29    right ascension, degrees, J2000 (%9.5f)
//      31-39    declination, degrees, J2000 (%+09.5f)
//      41-44    "R" magnitude: the index's V-band magnitude (Tycho V_T for
//               Tycho-2 files), one decimal; blank when the file has none
//      46-49    "B" magnitude: the index's blue magnitude (B_T) when it has
//               one, else blank
//      51-57    distance from the centre, arcminutes
//      59-63    position angle from the centre, degrees east of north
//
// The identifier is not a USNO-A2.0 number: it is made from the position, so
// the same star always gets the same name. Unlike the web service, the
// magnitudes are Tycho (or the index's own) magnitudes, not USNO red and
// blue plate magnitudes, and the faint limit is that of the index files.
// The page is written with bare LF line ends and no CR, as the reader needs.
#pragma once

#include "catalogues/usnoa2.h"
#include "platform/outcome.h"
#include "reduction/fieldcatalogue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace catalogues {

// One star of a catalogue file: J2000 degrees; magnitudes NaN when unknown.
struct IndexStar {
    double ra = 0;
    double dec = 0;
    double mag = std::numeric_limits<double>::quiet_NaN();
    double magBlue = std::numeric_limits<double>::quiet_NaN();
};

// One catalogue file, as the answer needs it.
class StarIndex {
public:
    virtual ~StarIndex() = default;
    // The file name, for the page and the status list.
    virtual QString name() const = 0;
    // True when the file holds the stars around this point (an all-sky file
    // covers every point; a file of one sky tile only its tile).
    virtual bool covers(double ra, double dec) const = 0;
    // The stars within `radius` degrees of (ra, dec), in any order.
    virtual std::vector<IndexStar> starsWithin(double ra, double dec, double radius) = 0;
};

// The index files of a folder.
struct StarIndexFolder {
    QString folder;
    std::vector<std::unique_ptr<StarIndex>> files;
    QStringList skipped; // "name: why" for each file that could not be used
};

// What the star query asks, read from its address.
struct LocalStarQuery {
    double ra = 0;           // centre, degrees J2000
    double dec = 0;          // centre, degrees J2000
    double radiusArcmin = 0; // radmax
    double magFaint = 0;     // magfaint: only stars brighter than this
    int nout = 5000;         // at most this many rows
    QString raText, decText; // the centre as sent (H+M+S, [-]D+M+S)
};

// Which part of the query is wrong.
enum class StarQueryError {
    RightAscension, // not H+M+S below 24 hours
    Declination,    // not D+M+S within 90 degrees
    Radius,         // not a positive number
    Magnitude,      // the faint limit is no number
    RowLimit,       // not a whole number
    Centre,         // a typed centre field holds no number
};

// The query, or which part of it is wrong with a message naming its text.
using LocalStarQueryReading = outcome::Result<LocalStarQuery, StarQueryError>;

// Reads the star query's address (the whole address or only its query part).
LocalStarQueryReading ReadLocalStarQuery(const QString& address);

// The query the star address of a centre typed as in the main window would
// carry (UsnoA2Address of PlanStarQuery), made without the address: the centre is
// precessed from the typed equinox to J2000 and rounded to whole seconds as
// the download button does. Centre when a field holds no number.
LocalStarQueryReading LocalStarQueryFromTyped(const field::TypedCentreFields& fields,
                                              const QString& radius, const QString& magFaint);

struct LocalStarAnswer {
    enum class Outcome {
        Stars,       // the page holds the stars found (possibly none brighter than the limit)
        NoIndexFile, // the folder holds no usable index file
        NotCovered   // no index file covers the field
    };
    Outcome outcome = Outcome::Stars;
    QByteArray page; // always a page the star reader reads (no rows unless Stars)
    int rows = 0;
    // The page's rows as typed rows, in the page's order: what the star
    // reader takes from the page (positions to 0.00001 degree, magnitudes to
    // one decimal), with right ascensions in [0, 360). Unwrap them about the
    // field centre (LocalStarRows) as the reader does.
    std::vector<reduction::CatalogueRow> stars;
    QString status; // one line for the status list
};

// The answer's rows with their right ascensions unwrapped about `centreRa`,
// as many as the star reader keeps: the rows a reading of the page gives.
std::vector<reduction::CatalogueRow> LocalStarRows(const LocalStarAnswer& answer,
                                                   std::optional<double> centreRa);

// Builds the answer page for `query` from `folder`'s index files.
LocalStarAnswer MakeLocalStarAnswer(const LocalStarQuery& query, StarIndexFolder& folder);

// The rows part of it for a given star list (already merged), for tests and
// the answer above: sorts brightest first (unknown magnitudes last, then by
// distance), drops stars beyond the radius or not brighter than the limit,
// keeps at most nout, and writes the page. `source` is the line saying where
// the stars came from. `rows` gets the page's rows as typed rows.
QByteArray LocalStarPage(const LocalStarQuery& query, const std::vector<IndexStar>& stars,
                         const QString& source, int* rowsWritten = nullptr,
                         std::vector<reduction::CatalogueRow>* rows = nullptr);

// Removes the second of any two stars closer than `arcsec` arcseconds (the
// one listed first is kept; a star with a magnitude is preferred to one
// without).
void RemoveDuplicateStars(std::vector<IndexStar>& stars, double arcsec = 1.0);

// Opens every index file (*.fits, *.fit) of `folder` through the
// astrometry.net index reader. Files that are not star index files, are cut
// short or cannot be read are listed in `skipped`.
StarIndexFolder OpenStarIndexFolder(const QString& folder);

// Checks an index file before the index library maps it: an empty text when
// it is a complete FITS file holding a sound star tree, else why not.
QString CheckStarIndexFile(const QString& path);

// The default folder of the index files of Debian's astrometry-data packages.
inline constexpr const char* kDefaultIndexFolder = "/usr/share/astrometry";

// Where the star query's answer comes from. Read from the group
// [local_stars] of sites.cfg:
//   source=web            the star server (default), or "local"
//   index_folder=DIR      the folder of the index files (default above)
struct StarSourceSetting {
    bool local = false;
    QString indexFolder = QString::fromLatin1(kDefaultIndexFolder);
};

// Reads a sites file; absent keys keep the defaults.
StarSourceSetting ReadStarSourceSetting(const QString& path);

// The program's setting, read from the program folder's sites.cfg at first
// use; the Internet window changes it for the session.
StarSourceSetting& StarSource();

} // namespace catalogues
