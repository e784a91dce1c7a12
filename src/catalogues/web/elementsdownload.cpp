#include "catalogues/web/elementsdownload.h"

#include "ephemeris/elementfile.h"
#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// The texts of this file, in the translation context "ElementsDownload".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ElementsDownload)
};

} // namespace

ElementsDownloadResult DownloadMinorPlanetElements(const QString& url, DownloadOptions options) {
    ElementsDownloadResult result;
    if (!options.limits) {
        http::Limits limits;
        limits.idleTimeoutMs = 30000;
        limits.deadlineMs = 60 * 60 * 1000;
        limits.maxBodyBytes = 512LL * 1024 * 1024;
        options.limits = limits;
    }
    options.accept = [](QByteArrayView answer) {
        return answer.size() >= 2 && uchar(answer[0]) == 0x1f && uchar(answer[1]) == 0x8b;
    };
    options.rejectedText = Texts::tr("the answer is not a gzip file");
    // Fetched under a temporary name: a damaged archive never replaces a good one.
    const QString archive = QString::fromLatin1(kMpcorbArchiveName);
    const QString fetched = archive + QStringLiteral(".part");
    const DownloadResult got = DownloadUrl(url, fetched, CacheUse{}, options);
    if (!got.ok()) {
        result.message = Texts::tr("%1: %2").arg(url, got.message);
        return result;
    }
    const QString target = programfolder::File(QString::fromLatin1(kMpcorbName));
    const QString error = ephemeris::GunzipFile(programfolder::File(fetched), target);
    if (!error.isEmpty()) {
        QFile::remove(programfolder::File(fetched));
        result.message = Texts::tr("%1: %2").arg(url, error);
        return result;
    }
    QFile::remove(programfolder::File(archive));
    QFile::rename(programfolder::File(fetched), programfolder::File(archive));
    result.ok = true;
    result.path = target;
    result.message = Texts::tr("%1 downloaded (%2 bytes) and unpacked to %3")
                         .arg(archive)
                         .arg(got.bytes)
                         .arg(QString::fromLatin1(kMpcorbName));
    return result;
}
