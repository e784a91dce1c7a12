#include "catalogues/web/elementsdownload.h"

#include "platform/background.h"
#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <filesystem>
#include <vector>

namespace catalogues::web {

namespace {

// The texts of this file, in the translation context "ElementsDownload".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ElementsDownload)
};

bool IsGzipStart(const QByteArray& head) {
    return head.size() >= 2 && uchar(head[0]) == 0x1f && uchar(head[1]) == 0x8b;
}

// Streams the body of `url` into the file `path`. Empty on success, else why
// not; `cancelled` is set when the caller cancelled.
QString FetchToFile(const QString& url, const QString& path, const DownloadOptions& options,
                    qint64& bytes, bool& cancelled) {
    http::RequestOptions request;
    request.progress = options.progress;
    request.cancelled = options.cancelled;
    request.limits = options.limits;
    http::InternetSession session;
    const std::unique_ptr<http::InternetRequest> reply = session.openUrl(url, request);
    // A fresh file: whatever a killed download left under this name (or a
    // link planted there) is not written through.
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return file.errorString();
    std::vector<char> buffer(1 << 16);
    QByteArray head;
    bytes = 0;
    for (;;) {
        const qint64 n = reply->read(buffer.data(), qint64(buffer.size()));
        if (n <= 0) break;
        if (head.size() < 2) {
            head.append(buffer.data(), qsizetype(std::min<qint64>(n, 2 - head.size())));
            if (head.size() == 2 && !IsGzipStart(head))
                return Texts::tr("the answer is not a gzip file");
        }
        if (file.write(buffer.data(), n) != n) return file.errorString();
        bytes += n;
    }
    if (reply->outcome() == http::Outcome::Cancelled) {
        cancelled = true;
        return reply->errorText();
    }
    if (reply->outcome() != http::Outcome::Finished)
        return reply->errorText().isEmpty() ? Texts::tr("the answer ended early")
                                            : reply->errorText();
    if (!IsGzipStart(head)) return Texts::tr("the answer is not a gzip file");
    if (!file.flush()) return file.errorString();
    return {};
}

} // namespace

ElementsDownloadResult DownloadMinorPlanetElements(const QString& url, DownloadOptions options,
                                                   const UnpackProgress& unpackProgress,
                                                   const ephemeris::OrbitFileLimits& limits) {
    ElementsDownloadResult result;
    const auto end = [&](ElementsDownloadResult::Status status, const QString& why) {
        result.status = status;
        result.message = Texts::tr("%1: %2").arg(url, why);
        return result;
    };
    if (!options.limits) {
        http::Limits l;
        l.idleTimeoutMs = 30000;
        l.deadlineMs = 60 * 60 * 1000;
        l.maxBodyBytes = 512LL * 1024 * 1024;
        options.limits = l;
    }
    const DownloadSlot slot;
    if (!slot.taken())
        return end(ElementsDownloadResult::Status::Failed,
                   Texts::tr("another download is still running"));

    const QString archiveName = QString::fromLatin1(kMpcorbArchiveName);
    const QString archive = programfolder::File(archiveName);
    const QString fetched = archive + QStringLiteral(".part");
    const QString target = programfolder::File(QString::fromLatin1(kMpcorbName));
    struct RemovePart {
        QString path;
        ~RemovePart() { QFile::remove(path); }
    } removePart{fetched};

    qint64 bytes = 0;
    bool cancelled = false;
    if (const QString error = FetchToFile(url, fetched, options, bytes, cancelled);
        !error.isEmpty())
        return end(cancelled ? ElementsDownloadResult::Status::Cancelled
                             : ElementsDownloadResult::Status::Failed,
                   error);

    // Unpacked on a thread of its own: the real file takes seconds.
    if (options.log)
        options.log(
            Texts::tr("Unpacking %1 to %2").arg(archiveName, QString::fromLatin1(kMpcorbName)));
    background::Progress progress;
    const ephemeris::OrbitFileControl control = ephemeris::ControlThrough(progress);
    ephemeris::ElementArchiveUnpacking unpacked;
    background::Run(
        [&] { unpacked = ephemeris::UnpackElementArchive(fetched, target, limits, control); },
        [&] {
            if (options.cancelled && options.cancelled()) progress.cancel = true;
            if (unpackProgress && progress.total >= 0)
                unpackProgress(progress.done, progress.total);
        });
    if (!unpacked.ok()) {
        result.refusal = unpacked.failure;
        return end(unpacked.failure == ephemeris::OrbitFileFailure::Cancelled
                       ? ElementsDownloadResult::Status::Cancelled
                       : ElementsDownloadResult::Status::Failed,
                   unpacked.error);
    }

    // One rename puts the new archive in place: the old one is never missing.
    std::error_code renameError;
    std::filesystem::rename(QFile::encodeName(fetched).toStdString(),
                            QFile::encodeName(archive).toStdString(), renameError);
    result.ok = true;
    result.status = ElementsDownloadResult::Status::Done;
    result.path = target;
    result.message = Texts::tr("%1 downloaded (%2 bytes) and unpacked to %3 (%4 orbits)")
                         .arg(archiveName)
                         .arg(bytes)
                         .arg(QString::fromLatin1(kMpcorbName))
                         .arg(unpacked.orbits);
    if (renameError)
        result.message +=
            QLatin1Char(' ') + Texts::tr("(the archive could not be kept: %1)")
                                   .arg(QString::fromLocal8Bit(renameError.message().c_str()));
    return result;
}

} // namespace catalogues::web
