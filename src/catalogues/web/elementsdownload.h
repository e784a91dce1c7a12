// Fetching the Minor Planet Center's compressed element file and unpacking
// it into the program folder, for the local minor-planet answer.
#pragma once

#include "catalogues/web/download.h"

#include <QString>

struct ElementsDownloadResult {
    bool ok = false;
    QString message; // what went wrong, or what was written
    QString path;    // the unpacked file, when ok
};

// Name of the downloaded file in the program folder, and of the unpacked one.
inline constexpr const char* kMpcorbArchiveName = "MPCORB.DAT.gz";
inline constexpr const char* kMpcorbName = "MPCORB.DAT";

// Downloads `url` (a gzip file) to MPCORB.DAT.gz of the program folder and
// unpacks it to MPCORB.DAT. An answer that is not gzip data (an error page)
// is refused; the archive is fetched as MPCORB.DAT.gz.part and each file is
// replaced only once it is complete and unpacks, so a failure keeps the
// previous files. The download allows 30 s without a byte, one
// hour in all and 512 MB unless `options` names limits.
ElementsDownloadResult DownloadMinorPlanetElements(const QString& url,
                                                   DownloadOptions options = {});
