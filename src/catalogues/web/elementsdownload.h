// Fetching the Minor Planet Center's compressed element file and unpacking
// it into the program folder, for the local minor-planet answer.
#pragma once

#include "catalogues/web/download.h"
#include "ephemeris/elementfile.h"
#include "platform/outcome.h"

#include <QString>
#include <functional>

namespace catalogues::web {

// Why no new element file was put in place.
enum class ElementsError {
    Busy,         // another download is running
    Download,     // the connection or the server failed, or the answer was cut short
    Cancelled,    // the caller cancelled (downloading or unpacking)
    NotAnArchive, // the answer is not gzip data (an error page)
    Damaged,      // the compressed data is damaged or cut short
    TooLarge,     // the unpacked text is beyond the limit
    NotElements,  // the unpacked text is no MPCORB text
    Unwritable,   // a file of the program folder could not be written
};

struct ElementsDownload {
    QString message; // what was written
    QString path;    // the unpacked file
};

// The kind for an unpacking's failure.
ElementsError ElementsErrorOf(ephemeris::OrbitFileFailure failure);

// Name of the downloaded file in the program folder, and of the unpacked one.
inline constexpr const char* kMpcorbArchiveName = "MPCORB.DAT.gz";
inline constexpr const char* kMpcorbName = "MPCORB.DAT";

// Compressed bytes unpacked so far and the archive's size, on the calling
// thread while the unpacking runs on its own.
using UnpackProgress = std::function<void(qint64 done, qint64 total)>;

// Downloads `url` (a gzip file) to MPCORB.DAT.gz of the program folder and
// unpacks it to MPCORB.DAT.
//
// The answer is written to MPCORB.DAT.gz.part as it arrives (refused at its
// first bytes when it is not gzip data, e.g. an error page), then unpacked on
// a worker thread while the caller's events keep flowing. The unpacked text
// must be MPCORB text within `limits` (a bomb or another file is refused as
// soon as that shows) before MPCORB.DAT is replaced; the archive then replaces
// MPCORB.DAT.gz in one rename. Whatever fails, the previous files stay. The
// download allows 30 s without a byte, one hour in all and 512 MB unless
// `options` names limits; `options.cancelled` is heard while unpacking too.
outcome::Result<ElementsDownload, ElementsError>
DownloadMinorPlanetElements(const QString& url, DownloadOptions options = {},
                            const UnpackProgress& unpackProgress = {},
                            const ephemeris::OrbitFileLimits& limits = {});

} // namespace catalogues::web
