#include "catalogues/web/minorplanetquery.h"

#include "catalogues/localminorplanets.h"
#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

using namespace reduction;
using namespace field;

namespace catalogues::web {

bool HoldsMinorPlanetTable(QByteArrayView answer) {
    MinorPlanetTable scratch;
    return ReadMinorPlanetAnswer(answer, 1, 1, 0, scratch).tableFound;
}

DownloadResult QueryMpcChecker(const MinorPlanetQuery& query, const WebSwitches& web,
                               const QString& host, const QString& cacheKey,
                               const DownloadOptions& options,
                               const std::optional<LocalMinorPlanetSource>& local) {
    if (local) return QueryLocalMinorPlanets(local->typed, local->elementsPath, options);
    if (!web.MinorPlanetSiteEnabled) {
        DiscardMinorPlanetAnswer(); // it answers another query
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
    DownloadResult result = DownloadUrl(MpcCheckerAddress(host, query), name,
                                        CacheUse{web.AutonomousMode, cacheKey}, o);
    if (!result.ok()) DiscardMinorPlanetAnswer();
    return result;
}

void DiscardMinorPlanetAnswer() {
    QFile::remove(programfolder::File(QStringLiteral("data2")));
}

std::optional<LocalMinorPlanetSource> ChosenLocalSource(const SiteHosts& sites,
                                                        const MinorPlanetFields& typed) {
    if (!sites.localMinorPlanets()) return std::nullopt;
    return LocalMinorPlanetSource{LocalMinorPlanetElementsPath(sites), typed};
}

DownloadResult QueryLocalMinorPlanets(const MinorPlanetFields& typed, const QString& elementsPath,
                                      const DownloadOptions& options) {
    const QString answer = programfolder::File(QStringLiteral("data2"));
    DownloadResult result;
    // The window's events flow while the file is read: the download slot is
    // held so that no download starts meanwhile, and none may be running.
    const DownloadSlot slot;
    if (!slot.taken()) {
        result.message =
            QCoreApplication::translate("DownloadUrl", "another download is still running");
        if (options.log)
            options.log(
                QCoreApplication::translate("QueryMpcChecker", "Local minor planets: %1; no answer")
                    .arg(result.message));
        return result;
    }
    // A large element file is read on a worker: its progress goes to the
    // progress line and the cancel button ends it.
    ephemeris::OrbitFileControl control;
    control.progress = options.progress;
    control.cancelled = options.cancelled;
    const auto local = WriteLocalMinorPlanetAnswer(elementsPath, typed, answer, control);
    const auto log = [&options](const QString& line) {
        if (options.log) options.log(line);
    };
    if (!local) {
        DiscardMinorPlanetAnswer();
        result.status = DownloadResult::Status::Failed;
        result.message = local.error().message;
        log(QCoreApplication::translate("QueryMpcChecker", "Local minor planets: %1; no answer")
                .arg(result.message));
        return result;
    }
    for (const QString& warning : local->warnings)
        log(warning);
    result.status = DownloadResult::Status::Downloaded;
    result.bytes = QFileInfo(answer).size();
    result.rows = local->planets;
    result.message = local->status;
    log(local->status);
    return result;
}

} // namespace catalogues::web
