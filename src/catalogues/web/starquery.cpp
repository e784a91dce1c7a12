#include "catalogues/web/starquery.h"

#include "catalogues/sites.h"
#include "catalogues/webswitches.h"

std::optional<DownloadResult> QueryUsnoA2(const QString& epoch, const QString& ra,
                                          const QString& dec, const QString& radius,
                                          const QString& magFaint, const DownloadOptions& options) {
    if (!Web().StarSiteEnabled) return std::nullopt;
    const QString address = UsnoA2Address(Sites().starServer, epoch, ra, dec, radius, magFaint);
    return DownloadUrl(address, QStringLiteral("data"), options);
}
