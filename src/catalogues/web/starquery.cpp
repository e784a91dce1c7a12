#include "catalogues/web/starquery.h"

#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QCoreApplication>

using namespace reduction;
using namespace field;

namespace catalogues::web {

bool HoldsStarTable(QByteArrayView answer) {
    // The reader takes its first row from just after this marker, and the
    // marker ends with the "U" it checks, so the marker means one row at least.
    return answer.indexOf(QByteArrayView("</b>   1 U")) >= 0;
}

DownloadResult QueryUsnoA2(const QString& epoch, const QString& ra, const QString& dec,
                           const QString& radius, const QString& magFaint, const WebSwitches& web,
                           const QString& host, const QString& cacheKey,
                           const DownloadOptions& options, const StarSourceSetting& source) {
    if (source.local)
        return QueryLocalStars(UsnoA2Address(host, epoch, ra, dec, radius, magFaint),
                               source.indexFolder, options);
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

DownloadResult QueryLocalStars(const QString& address, const QString& folder,
                               const DownloadOptions& options) {
    DownloadResult result;
    const auto fail = [&](const QString& why) {
        result.status = DownloadResult::Status::Failed;
        result.message = why;
        if (options.log) options.log(why);
        return result;
    };
    // The query is read back from the address: the download layer's contract
    // is the address (the cache key, the log and the web answer all go by
    // it). The rows go back with the result, so that the window's reading
    // takes them instead of reading "data" again.
    const LocalStarQueryReading reading = ReadLocalStarQuery(address);
    LocalStarAnswer answer;
    if (reading) {
        StarIndexFolder files = OpenStarIndexFolder(folder);
        answer = MakeLocalStarAnswer(*reading, files);
    } else {
        // Still replace the answer: the previous one is of another query.
        answer.outcome = LocalStarAnswer::Outcome::NoIndexFile;
        answer.status = QCoreApplication::translate("QueryUsnoA2", "Local star catalogue: %1")
                            .arg(reading.error().message);
        answer.page = "<HTML>\n<BODY>\n<p>" + answer.status.toHtmlEscaped().toUtf8() +
                      "</p>\n</BODY>\n</HTML>\n";
    }
    const auto written =
        textfile::WriteBytes(programfolder::File(QStringLiteral("data")), answer.page);
    if (!written)
        return fail(
            QCoreApplication::translate("QueryUsnoA2", "data: %1").arg(written.error().message));
    if (answer.outcome != LocalStarAnswer::Outcome::Stars) return fail(answer.status);
    result.status = DownloadResult::Status::Downloaded;
    result.bytes = answer.page.size();
    result.rows = std::move(answer.stars);
    result.message = answer.status;
    if (options.log) options.log(answer.status);
    return result;
}

} // namespace catalogues::web
