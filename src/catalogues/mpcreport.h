// Observation lines in the Minor Planet Center's 80-column format for
// optical astrometry, and the report file they are collected in.
//
// Columns (1-based):
//    1-5   packed minor-planet number, or blank
//    6-12  packed provisional designation, or a temporary designation
//    13    discovery asterisk (blank)   14  note 1 (blank)
//    15    note 2: the kind of observation ("C" for CCD or CMOS)
//    16-32 date of observation, UTC: "YYYY MM DD.ddddd"
//    33-44 R.A. (J2000): "HH MM SS.ss"
//    45-56 Decl. (J2000): "sDD MM SS.s"
//    57-65 blank
//    66-71 magnitude "nn.n" (66-70) and band (71), or blank
//    72-77 blank
//    78-80 observatory code
#pragma once

#include "platform/outcome.h"

#include <QString>
#include <optional>

namespace catalogues {

struct MpcObservation {
    QString designation; // as typed: "433", "(433) Eros", "2022 HK5", a packed form, or a
                         // temporary designation of up to 7 characters
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double seconds = 0; // UTC
    double ra = 0;      // degrees, J2000
    double dec = 0;     // degrees, J2000
    std::optional<double> magnitude;
    QChar band = u'V';
    QString observatory = QStringLiteral("500");
    QChar kind = u'C';
};

// Columns 1-12 for a designation: a number in 1-5 (packed), a provisional
// designation in 6-12 (packed), anything else of 1 to 7 letters and digits
// as a temporary designation in 6-12. Nothing for other texts.
std::optional<QString> MpcDesignationColumns(const QString& typed);

// Which field of an observation line cannot be written.
enum class ReportError {
    Designation, // no number, provisional or temporary designation
    Observatory, // a code of other than 3 characters
    DateTime,    // no date and time (or a date field without a whole number)
    Position,    // not a place in the sky
    Magnitude,   // not a number from -99.9 to 99.9
    Band,        // not one letter
};

// The 80-column line, or the field that cannot be written (designation,
// date, observatory code, position) with a message naming its value.
// The time is rounded to 0.00001 day, R.A. to 0.01 s and Decl. to 0.1",
// halves to even, carrying into the larger units.
outcome::Result<QString, ReportError> FormatMpcObservation(const MpcObservation& observation);

// The largest report file read: some 200,000 lines of 82 bytes.
inline constexpr qint64 kMaxReportBytes = 16 * 1024 * 1024;

// Adds `line` at the end of the report file `path` (created when missing),
// replacing the file atomically. On failure the reason without the path (a
// report that is not a regular file, or larger than kMaxReportBytes, is left
// alone).
outcome::Status<outcome::FileError> AppendReportLine(const QString& path, const QString& line);

} // namespace catalogues
