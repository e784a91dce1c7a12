#include "catalogues/web/minorplanetquery.h"

#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QFile>

bool HoldsMinorPlanetTable(QByteArrayView answer) {
    MinorPlanetTable scratch;
    return ReadMinorPlanetAnswer(answer, 1, 1, 0, scratch).tableFound;
}

DownloadResult QueryMpcChecker(const MinorPlanetQuery& query, const WebSwitches& web,
                               const QString& host, const QString& cacheKey,
                               const DownloadOptions& options) {
    if (!web.MinorPlanetSiteEnabled) {
        DownloadResult blocked;
        blocked.status = DownloadResult::Status::Blocked;
        blocked.message =
            QCoreApplication::translate("QueryMpcChecker", "the minor-planet site is blocked");
        return blocked;
    }
    DownloadOptions o = options;
    o.accept = HoldsMinorPlanetTable;
    o.rejectedText = QCoreApplication::translate(
        "QueryMpcChecker",
        "the service's answer held no minor-planet table (an error page, or no object found)");
    const QString name = QStringLiteral("data2");
    const DownloadResult result = DownloadUrl(MpcCheckerAddress(host, query), name,
                                              CacheUse{web.AutonomousMode, cacheKey}, o);
    if (!result.ok()) QFile::remove(programfolder::file(name));
    return result;
}
