// The USNO-A2.0 star catalogue: the query of the star server and the reader
// of its answer.
//
// The answer is an HTML page whose rows follow the marker "</b>   1 U"; each
// row is 66 bytes long, line end included, with the 14-character identifier
// in columns 6-19, right ascension and declination (degrees, J2000) in 21-29
// and 31-39 and the red and blue magnitudes in 41-44 and 46-49 (1-based).
#pragma once

#include "field/session.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>

// Path of the star query on the star server.
inline constexpr const char* kUsnoA2Path = "/skycat/servers/usnoa_res";

// The query address on `host` (scheme and host name, no trailing slash). The
// texts go out as given ("+" separates the parts of ra and dec and stays as
// it is); characters that would break the address are percent-encoded. The
// faint magnitude gets a point appended (15 goes out as "15.").
QString UsnoA2Address(const QString& host, const QString& epoch, const QString& ra,
                      const QString& dec, const QString& radius, const QString& magFaint);

// The field centre as the user typed it.
struct TypedCentreFields {
    std::array<QString, 3> ra;  // hours, minutes, seconds
    std::array<QString, 3> dec; // degrees, minutes, seconds, without sign
    QString decSign;            // "+" or "-"
    QString epoch;              // equinox in years
};

// The centre read from those fields.
struct TypedCentre {
    double ra = 0;    // degrees, at the typed equinox
    double dec = 0;   // degrees, at the typed equinox
    double epoch = 0; // years
    bool south = false;
};

struct TypedCentreReading {
    std::optional<TypedCentre> centre;
    QString badField; // what the first field that holds no number is, in words
    QString badText;  // and its text
};

// Reads the centre; every field must hold a number (read strictly).
// ra = (h*3600 + m*60 + s)/3600*15, dec = sign * (d*3600 + m*60 + s)/3600.
TypedCentreReading ReadTypedCentre(const TypedCentreFields& fields);

// The ra and dec texts of the query.
struct StarQueryCoordinates {
    QString ra;  // H+M+S, e.g. 5+35+17
    QString dec; // [-]D+M+S, e.g. -5+23+28
};

// Query texts for the centre moved by the precession corrections dRA, dDec
// (degrees, to J2000). Seconds are rounded to whole seconds, halves to even,
// and may read 60. The sign of the declination is the typed one, so a centre
// between 0 and -1 degree gives "-0+...".
StarQueryCoordinates MakeStarQueryCoordinates(const TypedCentre& centre, double dRA, double dDec);

// Result of reading an answer.
struct StarReadResult {
    int rowsRead = 0; // rows stored, 0..4000
    int inUse = 0;    // min(rowsRead, 497)
};

// Reads the rows of an answer into `table` (rows 1..rowsRead; the rows above
// are left as they were). Positions are stored scaled: degrees * corrAsd and
// degrees * corrDec, rounded to whole numbers, halves to even. Reading stops
// at the first row without "U" in column 6, at the end of the answer, or
// after 4000 rows. Linear in the size of the answer.
StarReadResult ReadUsnoA2Answer(QByteArrayView answer, double corrAsd, double corrDec,
                                CatalogueStarTable& table);

struct StarFileResult {
    bool opened = false;
    QString error; // why the file could not be read
    StarReadResult rows;
};

// Reads the answer file at `path`; a file that cannot be read leaves an empty
// table (rows read 0).
StarFileResult ReadUsnoA2File(const QString& path, double corrAsd, double corrDec,
                              CatalogueStarTable& table);
