#include "catalogues/web/versioncheck.h"

#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

namespace catalogues::web {

namespace {

// The version answer is a line of text; a page of markup (a proxy's or a
// portal's page answering in the site's place) is not one.
bool LooksLikeVersionAnswer(QByteArrayView answer) {
    const qsizetype end = answer.indexOf('\n');
    const QByteArrayView first = end < 0 ? answer : answer.first(end);
    return first.size() <= 64 && !first.contains('<');
}

} // namespace

QString RunningVersionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(APP_VERSION_MAJOR)
        .arg(APP_VERSION_MINOR)
        .arg(APP_VERSION_PATCH);
}

UpdateCheckResult CheckForUpdate(const UpdateCheckRequest& request) {
    UpdateCheckResult result;
    if (!request.enabled || request.makerSite.isEmpty()) return result;
    QElapsedTimer clock;
    clock.start();
    // Each request gets what is left of the budget, so a silent site delays
    // the caller by the budget at most.
    auto options = [&]() -> std::optional<DownloadOptions> {
        const qint64 left = request.budgetMs - clock.elapsed();
        if (left <= 0) return std::nullopt;
        DownloadOptions o;
        o.limits = http::Limits{static_cast<int>(left), static_cast<int>(left), 64 * 1024};
        return o;
    };

    result.contacted = true;
    if (const auto o = options())
        DownloadUrl(request.makerSite + QStringLiteral("/compteur.php"), QStringLiteral("temp.tmp"),
                    CacheUse{}, *o);

    const QString versionFile = programfolder::File(QStringLiteral("version.tmp"));
    if (QFile::exists(versionFile) && !QFile::remove(versionFile)) return result;
    auto o = options();
    if (!o) return result;
    o->accept = LooksLikeVersionAnswer;
    DownloadUrl(request.makerSite + QStringLiteral("/version.txt"), QStringLiteral("version.tmp"),
                CacheUse{}, *o);

    const QStringList lines =
        QFile::exists(versionFile) ? textfile::ReadLines(versionFile).value_or({}) : QStringList();
    if (lines.isEmpty()) return result;
    result.latest = lines.first();
    result.newVersion = !result.latest.isEmpty() && result.latest != request.runningVersion;
    return result;
}

} // namespace catalogues::web
