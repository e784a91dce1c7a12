// The star query sent to the star server: the address built from the typed
// fields, fetched into the program folder's file "data".
#pragma once

#include "catalogues/usnoa2.h"
#include "catalogues/web/download.h"

#include <optional>

// Runs the star query into the program folder's file "data" (from the cache
// in autonomous mode). Nothing is done, and nothing is returned, when the
// star site is blocked.
std::optional<DownloadResult> QueryUsnoA2(const QString& epoch, const QString& ra,
                                          const QString& dec, const QString& radius,
                                          const QString& magFaint,
                                          const DownloadOptions& options = {});
