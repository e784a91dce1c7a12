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

// Streams the body of `url` into the file `path`: the bytes written, or why
// not.
outcome::Result<qint64, ElementsError> FetchToFile(const QString& url, const QString& path,
                                                   const DownloadOptions& options) {
    const auto fail = [](ElementsError kind, const QString& why) {
        return outcome::Error{kind, why};
    };
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
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(ElementsError::Unwritable, file.errorString());
    std::vector<char> buffer(1 << 16);
    QByteArray head;
    qint64 bytes = 0;
    for (;;) {
        const qint64 n = reply->read(buffer.data(), qint64(buffer.size()));
        if (n <= 0) break;
        if (head.size() < 2) {
            head.append(buffer.data(), qsizetype(std::min<qint64>(n, 2 - head.size())));
            if (head.size() == 2 && !IsGzipStart(head))
                return fail(ElementsError::NotAnArchive,
                            Texts::tr("the answer is not a gzip file"));
        }
        if (file.write(buffer.data(), n) != n)
            return fail(ElementsError::Unwritable, file.errorString());
        bytes += n;
    }
    if (reply->outcome() == http::Outcome::Cancelled)
        return fail(ElementsError::Cancelled, reply->errorText());
    if (reply->outcome() != http::Outcome::Finished)
        return fail(ElementsError::Download, reply->errorText().isEmpty()
                                                 ? Texts::tr("the answer ended early")
                                                 : reply->errorText());
    if (!IsGzipStart(head))
        return fail(ElementsError::NotAnArchive, Texts::tr("the answer is not a gzip file"));
    if (!file.flush()) return fail(ElementsError::Unwritable, file.errorString());
    return bytes;
}

} // namespace

ElementsError ElementsErrorOf(ephemeris::OrbitFileFailure failure) {
    using ephemeris::OrbitFileFailure;
    switch (failure) {
    case OrbitFileFailure::Cancelled:
        return ElementsError::Cancelled;
    case OrbitFileFailure::TooLarge:
        return ElementsError::TooLarge;
    case OrbitFileFailure::Damaged:
        return ElementsError::Damaged;
    case OrbitFileFailure::WriteFailed:
        return ElementsError::Unwritable;
    case OrbitFileFailure::None:
    case OrbitFileFailure::Missing:
    case OrbitFileFailure::NotRegular:
    case OrbitFileFailure::Unreadable:
        return ElementsError::Download; // the archive just written is gone or unreadable
    case OrbitFileFailure::Empty:
    case OrbitFileFailure::NotElements:
        break;
    }
    return ElementsError::NotElements;
}

outcome::Result<ElementsDownload, ElementsError>
DownloadMinorPlanetElements(const QString& url, DownloadOptions options,
                            const UnpackProgress& unpackProgress,
                            const ephemeris::OrbitFileLimits& limits) {
    const auto end = [&url](ElementsError kind, const QString& why) {
        return outcome::Error{kind, Texts::tr("%1: %2").arg(url, why)};
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
        return end(ElementsError::Busy, Texts::tr("another download is still running"));

    const QString archiveName = QString::fromLatin1(kMpcorbArchiveName);
    const QString archive = programfolder::File(archiveName);
    const QString fetched = archive + QStringLiteral(".part");
    const QString target = programfolder::File(QString::fromLatin1(kMpcorbName));
    struct RemovePart {
        QString path;
        ~RemovePart() { QFile::remove(path); }
    } removePart{fetched};

    const auto bytes = FetchToFile(url, fetched, options);
    if (!bytes) return end(bytes.error().kind, bytes.error().message);

    // Unpacked on a thread of its own: the real file takes seconds.
    if (options.log)
        options.log(
            Texts::tr("Unpacking %1 to %2").arg(archiveName, QString::fromLatin1(kMpcorbName)));
    background::Progress progress;
    const ephemeris::OrbitFileControl control = ephemeris::ControlThrough(progress);
    outcome::Result<ephemeris::ElementArchiveUnpacking, ephemeris::OrbitFileFailure> unpacked =
        ephemeris::ElementArchiveUnpacking{};
    background::Run(
        [&] { unpacked = ephemeris::UnpackElementArchive(fetched, target, limits, control); },
        [&] {
            if (options.cancelled && options.cancelled()) progress.cancel = true;
            if (unpackProgress && progress.total >= 0)
                unpackProgress(progress.done, progress.total);
        });
    if (!unpacked) return end(ElementsErrorOf(unpacked.error().kind), unpacked.error().message);

    // One rename puts the new archive in place: the old one is never missing.
    std::error_code renameError;
    std::filesystem::rename(QFile::encodeName(fetched).toStdString(),
                            QFile::encodeName(archive).toStdString(), renameError);
    ElementsDownload result;
    result.path = target;
    result.message = Texts::tr("%1 downloaded (%2 bytes) and unpacked to %3 (%4 orbits)")
                         .arg(archiveName)
                         .arg(*bytes)
                         .arg(QString::fromLatin1(kMpcorbName))
                         .arg(unpacked->orbits);
    if (renameError)
        result.message +=
            QLatin1Char(' ') + Texts::tr("(the archive could not be kept: %1)")
                                   .arg(QString::fromLocal8Bit(renameError.message().c_str()));
    return result;
}

} // namespace catalogues::web
