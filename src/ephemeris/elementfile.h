// Readers of orbital-element files:
//  - the Minor Planet Center's MPCORB.DAT export format (fixed columns,
//    packed designations and epochs), plain or gzip-compressed;
//  - the JSON element file of the small-body database query service
//    ({"fields": [...], "data": [[...], ...]}), as shipped in asteroids.dat.
// The format is recognised from the content, not from the file name.
#pragma once

#include "ephemeris/orbit.h"
#include "platform/background.h"
#include "platform/outcome.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

namespace ephemeris {

// Why an element file gave no orbits; tests and callers tell failures apart
// by this, the message is for the user.
enum class OrbitFileFailure {
    None,        // orbits were read
    Missing,     // no such file
    NotRegular,  // a FIFO, a device or a folder
    Unreadable,  // cannot be opened or read
    TooLarge,    // the file, or its unpacked text, is beyond the limit
    Empty,       // nothing but blanks
    NotElements, // no orbit could be read: not an element file
    Damaged,     // the compressed data is damaged or cut short
    Cancelled,   // the caller cancelled the reading
    WriteFailed, // unpacking: the target could not be written
};

struct OrbitFile {
    OrbitCatalogue catalogue;
    QString format;          // "MPCORB" or "JSON"
    std::size_t skipped = 0; // records that could not be read and were left out
    QStringList problems;    // the first few of them, "line 12: ..."
};

// The orbits read, or why none could be.
using OrbitFileReading = outcome::Result<OrbitFile, OrbitFileFailure>;

// Bounds of an element file's reading. The defaults leave MPCORB.DAT (about
// 300 MB, 1.4 million orbits) room to grow threefold; a larger text is
// refused rather than read into memory.
struct OrbitFileLimits {
    qint64 maxText = 1LL << 30;         // MPCORB text, unpacked
    qint64 maxJson = 256LL << 20;       // a JSON document, unpacked
    qint64 firstOrbitWithin = 16 << 20; // MPCORB text without an orbit this far is refused
};

// Longest line of MPCORB text kept (records are 202 characters); the rest of
// a longer line is skipped and the line left out.
inline constexpr std::size_t kMaxElementLine = 1024;

// Hooks of a long reading, called on the reading's thread.
struct OrbitFileControl {
    // Bytes of the file read so far, and its size.
    std::function<void(qint64 done, qint64 total)> progress;
    // True ends the reading as Cancelled.
    std::function<bool()> cancelled;
};

// A control that stores the reading's progress in `progress` and cancels
// when its `cancel` flag is set: for a reading on a worker thread watched
// from the window's thread.
OrbitFileControl ControlThrough(background::Progress& progress);

// Reads an element file of either format, plain or gzip-compressed. Only a
// regular file is read; its text is read in one pass, in time linear in its
// size, within `limits`.
OrbitFileReading ReadOrbitFile(const QString& path, const OrbitFileLimits& limits = {},
                               const OrbitFileControl& control = {});

// Reads MPCORB-format text. Lines up to a line of dashes are a heading when
// there is one; blank lines are skipped. A line that cannot be read is left
// out and counted; the reading fails only when no orbit could be read.
OrbitFileReading ReadMpcorb(QByteArrayView text);

// Reads the JSON element file. Rows that cannot be read are left out and
// counted; a document that is not of that shape fails as a whole.
OrbitFileReading ReadElementsJson(QByteArrayView text);

struct ElementArchiveUnpacking {
    qint64 unpacked = 0;    // bytes written
    std::size_t orbits = 0; // records that read as orbits
    std::size_t skipped = 0;
};

// Unpacks the gzip file `source` into `target`, streaming, and replaces
// `target` (atomically) only when the whole stream unpacked, stayed within
// `limits.maxText`, and reads as MPCORB text: orbits found, more records
// readable than not. Anything else leaves `target` as it was.
outcome::Result<ElementArchiveUnpacking, OrbitFileFailure>
UnpackElementArchive(const QString& source, const QString& target,
                     const OrbitFileLimits& limits = {}, const OrbitFileControl& control = {});

} // namespace ephemeris
