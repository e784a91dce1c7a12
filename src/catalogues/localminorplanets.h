// The minor-planet answer computed on this machine from an orbital-elements
// file, written as the same page the minor-planet service answers with, so
// that the minor-planet reader and the overlay take it unchanged.
//
// Page layout (lines end in CR LF): 13 heading lines, one row per object
// (nearest first), then 40 closing lines starting with " </pre>"; a page with
// N lines therefore holds N - 53 rows. Row columns (1-based):
//   1-8    "(number)", right-justified so that ")" is in column 8; blank for
//          an unnumbered object
//   10-24  name, or the provisional designation
//   26-35  R.A. "hh mm ss.s"      37-45  Decl. "+dd mm ss"
//   48-51  V "nn.n"
//   52-58, 59-65  offsets from the centre in arc-minutes, "nnnn.nE" / "nnnn.nN"
//                 (R.A. difference times cos(Decl.) of the centre)
//   66-72, 73-79  motions in arcseconds per hour, R.A. (times cos Decl.) and
//                 Decl., sign after the number: "    16-"
//   80-85  number of oppositions "   42o" when the element file gives it
//   88-    comment: elongation from the Sun, distances
#pragma once

#include "catalogues/minorplanets.h"
#include "catalogues/sites.h"
#include "ephemeris/elementfile.h"
#include "ephemeris/search.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>
#include <optional>

namespace catalogues {

// The same query read into numbers.
struct LocalMinorPlanetQuery {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double tt = 0;     // the typed instant, TT days from J2000.0
    double ra = 0;     // degrees, J2000
    double dec = 0;    // degrees, J2000
    double radius = 0; // arc-minutes
    double limit = 0;  // faintest V
};

// Why no local answer was made.
enum class LocalAnswerError {
    DateTime,    // a date field holds no whole number, or no date and time
    Centre,      // a centre field holds no number, or no place in the sky
    Radius,      // not a number of arc-minutes in 0..10800
    Limit,       // the magnitude limit is no number
    ElementFile, // the element file cannot be read
    AnswerFile,  // the answer cannot be written
};

// Reads the typed query. Every field must hold a number (read strictly), the
// date and time must exist (UTC) and the radius must lie in 0..10800
// arc-minutes. On failure the kind and a message naming the field and its
// text.
outcome::Result<LocalMinorPlanetQuery, LocalAnswerError>
ReadLocalMinorPlanetQuery(const MinorPlanetFields& texts);

// The search of the element file the query asks for (radians, TT).
ephemeris::FieldSearch FieldSearchOf(const LocalMinorPlanetQuery& query);

// Rows of a page at most; the minor-planet table holds no more.
inline constexpr int kLocalPageRows = 500;

// The answer page for the objects `found` (nearest first) of `catalogue`.
// Only the first kLocalPageRows are listed; the notes say how many were left
// out. `source` names the element file in the notes. `rows` gets the listed
// rows as typed rows (ReadMinorPlanetRow of each row written).
QByteArray LocalMinorPlanetPage(const ephemeris::OrbitCatalogue& catalogue,
                                const std::vector<ephemeris::Sighting>& found,
                                const MinorPlanetFields& texts, const LocalMinorPlanetQuery& query,
                                const QString& source,
                                std::vector<reduction::CatalogueRow>* rows = nullptr);

// Element files read once and kept for the session, found again by path,
// size and modification time.
class OrbitFileCache {
public:
    // The reading of `path`, from the cache when the file is unchanged.
    // Otherwise the file is read on a worker thread while the calling
    // thread's events keep flowing; the hooks of `control` are then called on
    // the calling thread, about ten times a second. A call made while a
    // reading runs (from an event handled meanwhile) fails at once.
    std::shared_ptr<const ephemeris::OrbitFileReading>
    read(const QString& path, const ephemeris::OrbitFileControl& control = {});

    // Limits of the readings (tests make them small).
    ephemeris::OrbitFileLimits limits;

private:
    QString m_path;
    QString m_stamp;
    std::shared_ptr<const ephemeris::OrbitFileReading> m_reading;
    bool m_busy = false;
};

// The program's cache of element files.
OrbitFileCache& LoadedOrbitFiles();

// The element file named in sites.cfg: relative names are in the program folder.
QString LocalMinorPlanetElementsPath();
// The same for the sites `sites`.
QString LocalMinorPlanetElementsPath(const SiteHosts& sites);

struct LocalAnswer {
    QString status;       // a status line: how many found, from which file
    QStringList warnings; // element records left out, rows cut
    int objects = 0;      // rows written
    // The rows written, as typed rows in the page's order: what the reader
    // takes from the page, right ascensions as the rows give them (unwrap
    // them about the field centre as the reader does).
    std::vector<reduction::CatalogueRow> planets;
};

// Reads the query and the element file (through LoadedOrbitFiles(), with
// `control`), finds the objects of the field and writes the page to
// `answerPath` atomically. Nothing is written when the query or the file
// cannot be read; the error's kind says which.
outcome::Result<LocalAnswer, LocalAnswerError>
WriteLocalMinorPlanetAnswer(const QString& elementsPath, const MinorPlanetFields& texts,
                            const QString& answerPath,
                            const ephemeris::OrbitFileControl& control = {});

} // namespace catalogues
