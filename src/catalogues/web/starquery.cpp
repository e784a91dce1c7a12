#include "catalogues/web/starquery.h"

#include <QCoreApplication>

bool HoldsStarTable(QByteArrayView answer) {
    // The reader takes its first row from just after this marker, and the
    // marker ends with the "U" it checks, so the marker means one row at least.
    return answer.indexOf(QByteArrayView("</b>   1 U")) >= 0;
}

DownloadResult QueryUsnoA2(const QString& epoch, const QString& ra, const QString& dec,
                           const QString& radius, const QString& magFaint, const WebSwitches& web,
                           const QString& host, const QString& cacheKey,
                           const DownloadOptions& options) {
    if (!web.StarSiteEnabled) {
        DownloadResult blocked;
        blocked.status = DownloadResult::Status::Blocked;
        blocked.message = QCoreApplication::translate("QueryUsnoA2", "the star site is blocked");
        return blocked;
    }
    const QString address = UsnoA2Address(host, epoch, ra, dec, radius, magFaint);
    DownloadOptions o = options;
    o.accept = HoldsStarTable;
    o.rejectedText =
        QCoreApplication::translate("QueryUsnoA2", "the server's answer held no star table");
    return DownloadUrl(address, QStringLiteral("data"), CacheUse{web.AutonomousMode, cacheKey}, o);
}
