// Fetching the Minor Planet Center's compressed element file and unpacking
// it into the program folder, for the local minor-planet answer.
#pragma once

#include "catalogues/web/download.h"
#include "ephemeris/elementfile.h"

#include <QString>
#include <functional>

namespace catalogues::web {

struct ElementsDownloadResult {
    enum class Status { Done, Cancelled, Failed };
    Status status = Status::Failed;
    // Why it failed when the unpacked text was refused (None otherwise).
    ephemeris::OrbitFileFailure refusal = ephemeris::OrbitFileFailure::None;
    bool ok = false;
    QString message; // what went wrong, or what was written
    QString path;    // the unpacked file, when ok
};

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
ElementsDownloadResult DownloadMinorPlanetElements(const QString& url, DownloadOptions options = {},
                                                   const UnpackProgress& unpackProgress = {},
                                                   const ephemeris::OrbitFileLimits& limits = {});

} // namespace catalogues::web
