#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace regularfile {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("regularfile", text);
}

outcome::Error<FileError> fail(FileError f, const QString& path, qint64 maxBytes) {
    return {f, Describe(f, path, maxBytes)};
}

// Opens `path` for reading without ever blocking on a FIFO and checks, on the
// open descriptor, that it is a regular file within the limit. -1 on failure.
int openChecked(const QString& path, qint64 maxBytes, FileError& failure) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        failure = errno == ENOENT || errno == ENOTDIR ? FileError::Missing : FileError::Unreadable;
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        failure = FileError::NotRegular;
        return -1;
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failure = errno == ENOENT ? FileError::Missing : FileError::Unreadable;
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        failure = FileError::NotRegular;
        return -1;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        failure = FileError::TooLarge;
        return -1;
    }
    // Regular files never block; clear the flag so reads behave normally.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

outcome::Result<QByteArray, FileError> Read(const QString& path, qint64 maxBytes) {
    FileError failure = FileError::Unreadable;
    const int fd = openChecked(path, maxBytes, failure);
    if (fd < 0) return fail(failure, path, maxBytes);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(FileError::Unreadable, path, maxBytes);
    }
    // One byte past the limit tells a file that grew while it was read.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) return fail(FileError::Unreadable, path, maxBytes);
    if (bytes.size() > maxBytes) return fail(FileError::TooLarge, path, maxBytes);
    return bytes;
}

outcome::Status<FileError> Open(QFile& file, qint64 maxBytes) {
    const QString path = file.fileName();
    FileError failure = FileError::Unreadable;
    const int fd = openChecked(path, maxBytes, failure);
    if (fd < 0) return fail(failure, path, maxBytes);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(FileError::Unreadable, path, maxBytes);
    }
    return {};
}

outcome::Status<FileError> CheckSaveTarget(const QString& path) {
    struct stat st {};
    // stat() follows links: a link to a regular file is accepted, a dangling
    // link is a new file at the link's target.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        if (errno == ENOENT) return {};
        return fail(FileError::Unreadable, path, 0);
    }
    if (!S_ISREG(st.st_mode)) return fail(FileError::NotRegular, path, 0);
    return {};
}

QString SaveTargetOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    const QString target = info.symLinkTarget();
    return target.isEmpty() ? path : target;
}

QString Describe(FileError failure, const QString& path, qint64 maxBytes) {
    switch (failure) {
    case FileError::Missing:
        return tr("%1: no such file").arg(path);
    case FileError::NotRegular:
        return tr("%1: not an ordinary file (a device, a pipe or a folder)").arg(path);
    case FileError::TooLarge:
        return tr("%1: larger than the %2 bytes such a file can hold").arg(path).arg(maxBytes);
    case FileError::Unreadable:
        return tr("%1: the file cannot be read").arg(path);
    case FileError::Unwritable: // not a failure of a reading: the writer says why
    case FileError::BadContent: // the reader of the content says what is wrong
        return path;
    }
    return QString();
}

} // namespace regularfile
