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

Failure fail(Failure f, const QString& path, qint64 maxBytes, QString* error) {
    if (error) *error = Describe(f, path, maxBytes);
    return f;
}

// Opens `path` for reading without ever blocking on a FIFO and checks, on the
// open descriptor, that it is a regular file within the limit. -1 on failure.
int openChecked(const QString& path, qint64 maxBytes, Failure& failure) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        failure = errno == ENOENT || errno == ENOTDIR ? Failure::Missing : Failure::Unreadable;
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        failure = Failure::NotRegular;
        return -1;
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failure = errno == ENOENT ? Failure::Missing : Failure::Unreadable;
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        failure = Failure::NotRegular;
        return -1;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        failure = Failure::TooLarge;
        return -1;
    }
    // Regular files never block; clear the flag so reads behave normally.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    failure = Failure::None;
    return fd;
}

} // namespace

Failure Read(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* error) {
    bytes.clear();
    Failure failure = Failure::None;
    const int fd = openChecked(path, maxBytes, failure);
    if (fd < 0) return fail(failure, path, maxBytes, error);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(Failure::Unreadable, path, maxBytes, error);
    }
    // One byte past the limit tells a file that grew while it was read.
    bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        bytes.clear();
        return fail(Failure::Unreadable, path, maxBytes, error);
    }
    if (bytes.size() > maxBytes) {
        bytes.clear();
        return fail(Failure::TooLarge, path, maxBytes, error);
    }
    return Failure::None;
}

Failure Open(QFile& file, qint64 maxBytes, QString* error) {
    const QString path = file.fileName();
    Failure failure = Failure::None;
    const int fd = openChecked(path, maxBytes, failure);
    if (fd < 0) return fail(failure, path, maxBytes, error);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(Failure::Unreadable, path, maxBytes, error);
    }
    return Failure::None;
}

Failure CheckSaveTarget(const QString& path, QString* error) {
    struct stat st {};
    // stat() follows links: a link to a regular file is accepted, a dangling
    // link is a new file at the link's target.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        if (errno == ENOENT) return Failure::None;
        return fail(Failure::Unreadable, path, 0, error);
    }
    if (!S_ISREG(st.st_mode)) return fail(Failure::NotRegular, path, 0, error);
    return Failure::None;
}

QString SaveTargetOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    const QString target = info.symLinkTarget();
    return target.isEmpty() ? path : target;
}

QString Describe(Failure failure, const QString& path, qint64 maxBytes) {
    switch (failure) {
    case Failure::None:
        return QString();
    case Failure::Missing:
        return tr("%1: no such file").arg(path);
    case Failure::NotRegular:
        return tr("%1: not an ordinary file (a device, a pipe or a folder)").arg(path);
    case Failure::TooLarge:
        return tr("%1: larger than the %2 bytes such a file can hold").arg(path).arg(maxBytes);
    case Failure::Unreadable:
        return tr("%1: the file cannot be read").arg(path);
    }
    return QString();
}

} // namespace regularfile
