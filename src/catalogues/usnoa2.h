// The USNO-A2.0 star catalogue: the query of the star server and the reader
// of its answer.
//
// The answer is an HTML page whose rows follow the marker "</b>   1 U"; each
// row is 66 bytes long, line end included, with the 14-character identifier
// in columns 6-19, right ascension and declination (degrees, J2000) in 21-29
// and 31-39 and the red and blue magnitudes in 41-44 and 46-49 (1-based).
#pragma once

#include "catalogues/answerfile.h"
#include "field/session.h"
#include "field/typedcentre.h"
#include "platform/regularfile.h"
#include "reduction/fieldcatalogue.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace catalogues {

// Path of the star query on the star server.
inline constexpr const char* kUsnoA2Path = "/skycat/servers/usnoa_res";

// The query address on `host` (scheme and host name, no trailing slash). The
// texts go out as given ("+" separates the parts of ra and dec and stays as
// it is); characters that would break the address are percent-encoded. The
// faint magnitude gets a point appended (15 goes out as "15.").
QString UsnoA2Address(const QString& host, const QString& epoch, const QString& ra,
                      const QString& dec, const QString& radius, const QString& magFaint);

// The ra and dec texts of the query.
struct StarQueryCoordinates {
    QString ra;  // H+M+S, e.g. 5+35+17
    QString dec; // [-]D+M+S, e.g. -5+23+28
};

// Query texts for the centre moved by the precession corrections dRA, dDec
// (degrees, to J2000). Seconds are rounded to whole seconds, halves to even,
// and may read 60. The sign of the declination is the typed one, so a centre
// between 0 and -1 degree gives "-0+...".
StarQueryCoordinates MakeStarQueryCoordinates(const field::TypedCentre& centre, double dRA,
                                              double dDec);

// The star query for the typed centre: the centre read from the fields, and
// the query texts of that centre precessed from the typed equinox to J2000
// (PrecessFromJ2000 at 4000 - equinox). The texts are empty when a field
// holds no number.
struct StarQueryPlan {
    field::TypedCentreReading reading;
    StarQueryCoordinates coordinates;
};
StarQueryPlan PlanStarQuery(const field::TypedCentreFields& fields);

// The rows of an answer as typed rows, in the answer's order: identifier
// (columns 6-19), J2000 degrees, the red and blue magnitudes (none when the
// column is blank). Reading stops at the first row without "U" in column 6,
// at the end of the answer, or after 4000 rows. With `centreRa` (degrees,
// J2000: the field centre) each right ascension is unwrapped to within 180
// degrees of it, so that a field across 0h keeps its stars together.
std::vector<reduction::CatalogueRow> ReadUsnoA2Rows(QByteArrayView answer,
                                                    std::optional<double> centreRa = std::nullopt);

// The first rows the star reader keeps of `rows` (at most 4000), with their
// right ascensions unwrapped about `centreRa` when given, as ReadUsnoA2Rows
// does: the reading of a page holding these rows.
std::vector<reduction::CatalogueRow> KeptStarRows(const std::vector<reduction::CatalogueRow>& rows,
                                                  std::optional<double> centreRa);

// Result of reading an answer.
struct StarReadResult {
    int rowsRead = 0; // rows stored, 0..4000
    int inUse = 0;    // min(rowsRead, 497)
};

// ReadUsnoA2Rows into the scaled table (ScaleStarTable): rows 1..rowsRead,
// the rows above left as they were. Linear in the size of the answer.
StarReadResult ReadUsnoA2Answer(QByteArrayView answer, double corrAsd, double corrDec,
                                field::CatalogueStarTable& table,
                                std::optional<double> centreRa = std::nullopt);

struct StarFileResult {
    // Read, or why not (the message without the path).
    outcome::Status<outcome::FileError> read;
    StarReadResult rows;
    std::vector<reduction::CatalogueRow> stars; // the typed rows the table was scaled from
};

// READFILE's reading of the session's star answer at `path`: when the answer
// on disk belongs to another query (StarAnswerStale) nothing is read, the
// table and the typed rows are left empty and `read` says why (BadContent:
// the answer on disk belongs to another field); otherwise the
// file is read with the right ascensions unwrapped about the typed centre
// (J2000) into the session's typed rows and their scaled table. Rows a local
// source handed over with the answer (StarAnswerRows) are taken instead of
// the file's.
StarFileResult ReadSessionStars(field::SessionState& session, const QString& path,
                                const field::TypedCentreFields& typed);

// The field centre's right ascension (degrees, J2000) of an answer, about
// which its rows are unwrapped when no typed centre is at hand: the query
// centre in the page's heading ("Stars around H M S ..."), else the mean
// direction of the right ascensions of its brightest rows (the first ten);
// nothing for an answer without rows or heading.
std::optional<double> StarAnswerCentreRa(QByteArrayView answer);

// Reads the answer file at `path` (ReadAnswerFile); a file that cannot be
// read, is not a regular file (a FIFO or a device is never opened) or is
// larger than kMaxAnswerFileBytes leaves an empty table (rows read 0).
StarFileResult ReadUsnoA2File(const QString& path, double corrAsd, double corrDec,
                              field::CatalogueStarTable& table,
                              std::optional<double> centreRa = std::nullopt);

// ReadUsnoA2File with the right ascensions unwrapped about the answer's own
// centre (StarAnswerCentreRa), for an answer read without a typed field.
StarFileResult ReadUsnoA2FileAboutItsCentre(const QString& path, double corrAsd, double corrDec,
                                            field::CatalogueStarTable& table);

} // namespace catalogues
