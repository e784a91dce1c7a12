// The minor planets of a field: the query of the minor-planet service and the
// reader of its answer.
//
// The answer is the service's HTML page. The reader relies on this much of it:
// lines 1-13 are the heading, and one of them opens the "<pre>" block of the
// table; the table rows run from line 14, one object per line, until a line
// whose characters 2-7 are "</pre>"; the page ends with 40 further lines, so
// the rows are lines 14 to N - 40 of an answer of N lines. Lines end at CR LF,
// CR or LF. Row columns (1-based characters):
//
//   1-7    designation, "(" removed ("  (2105" -> "  2105")
//   10-24  name, blanks removed
//   26-27, 29-30, 32-35   right ascension J2000: hours, minutes, seconds
//   37     declination sign ("-" for south)
//   37-39, 41-42, 44-45   declination J2000: degrees (sign included), minutes, seconds
//   48-51  magnitude V
//   70-72  first motion column, 77-79 second motion column (as text)
#pragma once

#include "field/session.h"
#include "platform/regularfile.h"
#include "reduction/fieldcatalogue.h"
#include "reduction/platesolution.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace catalogues {

// Path of the minor-planet query on the minor-planet service.
inline constexpr const char* kMpcCheckerPath = "/~cgi/MPCheck.COM";

// Bounds of an answer: lines read and table rows stored.
inline constexpr int kMinorPlanetMaxLines = 600;
inline constexpr int kMinorPlanetMaxRows = field::MinorPlanetTable::kCapacity;

// The main window's fields that a minor-planet query uses, as typed.
struct MinorPlanetFields {
    std::array<QString, 3> ra;   // txt_ra(0..2): hours, minutes, seconds
    std::array<QString, 3> dec;  // txt_dec(0..2): degrees, minutes, seconds, no sign
    QString decSign;             // caption of txt_dec_sign_show(0): "+" or "-"
    std::array<QString, 5> date; // txt_Adate(0..4): day, month, year, hour, minute (UT)
    QString radius;              // txt_Afield, arcminutes
    QString limit;               // Txt_Amag, faintest magnitude
};

// The key of a cached minor-planet answer (catalogues/cachekeys.h): the texts
// of the centre, the date, the radius and the limit joined without separator,
// in the order ra 0..2, dec 0..2, date 0..4, radius, limit. The declination
// sign is not part of it.
QString MinorPlanetCacheKey(const MinorPlanetFields& fields);

// Puts a "0" before every one of the six texts (ra 0..2, then dec 0..2) that
// is exactly one character long ("5" -> "05"); other texts stay as they are.
void PadCoordinateFields(std::array<QString, 6>& texts);

// The same on the centre texts of `fields`.
void PadCoordinateFields(MinorPlanetFields& fields);

// The texts of a query, as they go into the address.
struct MinorPlanetQuery {
    QString year;
    QString month;
    QString day;  // day of the month with the time as a fraction, "." as decimal point
    QString ra;   // H+M+S as typed, e.g. 05+35+17.3
    QString decl; // [-]D+M+S as typed, e.g. -05+23+28
    QString radius;
    QString limit;
};

// The date boxes a query is made of that must hold numbers.
enum class DateBox { Day, Hour, Minute };
// The box's name in the user's language, for messages.
QString MinorPlanetDateBoxName(DateBox box);

// The query, or the first date box that holds no number: the error's kind is
// that box, its message the box's text as typed.
using MinorPlanetQueryReading = outcome::Result<MinorPlanetQuery, DateBox>;

// The day value of a query: the day plus the time of day as a fraction of a
// day, (hour * 60 + minute) / 1440, rounded to 2 decimals (halves to even)
// and written with "." whatever the locale: day 5 at 13:12 gives "5.55".
// Day, hour and minute must be numbers (read strictly); nothing otherwise.
std::optional<QString> MinorPlanetDayText(const QString& day, const QString& hour,
                                          const QString& minute);

// The query texts of `fields` (padded beforehand, if wanted): ra and decl are
// the typed texts joined by "+" (the declination gets "-" in front when its
// sign is "-"), year, month, radius and limit go as typed. Fails, naming the
// field, when the day, hour or minute holds no number.
MinorPlanetQueryReading MakeMinorPlanetQuery(const MinorPlanetFields& fields);

// The query address on `host` (scheme and host name, no trailing slash). The
// texts go out as given ("+" stays as it is); characters that would break
// the address are percent-encoded.
QString MpcCheckerAddress(const QString& host, const MinorPlanetQuery& query);

// Result of reading an answer.
struct MinorPlanetReadResult {
    int count = 0;             // rows stored, 0..500
    int lines = 0;             // lines read, 0..600
    bool tableFound = false;   // the heading opens a "<pre>" block
    bool tooManyLines = false; // the answer goes on past line 600, which was not read
    bool tooManyRows = false;  // the table goes on past row 500, which was not stored
    // J2000 position of rows 1..count as the row gives it, degrees, before
    // any unwrapping or scaling (element 0 unused).
    std::vector<reduction::SkyPoint> positions;
    // The rows as typed rows (right ascensions unwrapped about the centre);
    // the table is their scaled view.
    std::vector<reduction::CatalogueRow> planets;
};

// One table row of the answer as a typed row, the right ascension as the
// row gives it (0..360, not unwrapped). The local answer makes its typed rows
// with it from the rows it writes, so both always agree.
reduction::CatalogueRow ReadMinorPlanetRow(const QString& line);

// Reads the rows of an answer as typed rows and into their scaled view
// `table` (ScaleMinorPlanetTable), rows 1..count; the count is the number of
// rows actually read, so rows of an earlier, longer answer are never counted.
// The right ascension in degrees is brought within 180 degrees of `centreRa`
// (degrees; a field at 0h keeps its neighbours on both sides together); the
// magnitude is none when its columns are blank or hold no number.
// An answer whose heading opens no "<pre>" block (an error page) gives no row.
MinorPlanetReadResult ReadMinorPlanetAnswer(QByteArrayView answer, double corrAsd, double corrDec,
                                            double centreRa, field::MinorPlanetTable& table);

// ReadMinorPlanetAnswer of the page the local computation wrote, made from
// the rows it handed over (in the page's order, right ascensions as written)
// without reading the page again.
MinorPlanetReadResult ReadHandedMinorPlanetRows(std::vector<reduction::CatalogueRow> rows,
                                                double corrAsd, double corrDec, double centreRa,
                                                field::MinorPlanetTable& table);

struct MinorPlanetFileResult {
    // Read, or why not (the message without the path).
    outcome::Status<outcome::FileError> read;
    MinorPlanetReadResult rows;
};

// Reads the answer file at `path` (ReadAnswerFile); a file that cannot be
// read, is not a regular file (a FIFO or a device is never opened) or is
// larger than kMaxAnswerFileBytes leaves an empty table (count 0).
MinorPlanetFileResult ReadMinorPlanetFile(const QString& path, double corrAsd, double corrDec,
                                          double centreRa, field::MinorPlanetTable& table);

// Status lines about a reading beyond its count: a file that could not be
// read, an answer without a table, the bounds reached. Empty for a clean read.
QStringList MinorPlanetReadNotes(const MinorPlanetFileResult& result);

} // namespace catalogues
