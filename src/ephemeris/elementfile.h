// Readers of orbital-element files:
//  - the Minor Planet Center's MPCORB.DAT export format (fixed columns,
//    packed designations and epochs), plain or gzip-compressed;
//  - the JSON element file of the small-body database query service
//    ({"fields": [...], "data": [[...], ...]}), as shipped in asteroids.dat.
// The format is recognised from the content, not from the file name.
#pragma once

#include "ephemeris/orbit.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace ephemeris {

struct OrbitFileReading {
    OrbitCatalogue catalogue;
    QString format;          // "MPCORB" or "JSON"
    QString error;           // why nothing could be read; empty when orbits were read
    std::size_t skipped = 0; // records that could not be read and were left out
    QStringList problems;    // the first few of them, "line 12: ..."
    bool ok() const { return error.isEmpty(); }
};

// Reads an element file of either format, plain or gzip-compressed.
OrbitFileReading ReadOrbitFile(const QString& path);

// Reads MPCORB-format text. Lines up to a line of dashes are a heading when
// there is one; blank lines are skipped. A line that cannot be read is left
// out and counted; the reading fails only when no orbit could be read.
OrbitFileReading ReadMpcorb(QByteArrayView text);

// Reads the JSON element file. Rows that cannot be read are left out and
// counted; a document that is not of that shape fails as a whole.
OrbitFileReading ReadElementsJson(QByteArrayView text);

// Decompresses the gzip file `source` into `target`, replacing it only once
// the whole stream has been checked. Returns an empty text on success, else
// what went wrong.
QString GunzipFile(const QString& source, const QString& target);

} // namespace ephemeris
