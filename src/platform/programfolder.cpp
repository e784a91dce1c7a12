#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace programfolder {
namespace {
QString& overridePath() {
    static QString p;
    return p;
}
} // namespace

QString Path() {
    if (!overridePath().isEmpty()) return overridePath();
    return QCoreApplication::applicationDirPath();
}

void SetPath(const QString& folder) {
    overridePath() = QDir::cleanPath(folder);
}

QString File(const QString& name) {
    return Path() + QLatin1Char('/') + name;
}

void SetApplicationNames() {
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("astroplate"));
}

bool HoldsProgramFiles(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(folder + QStringLiteral("/defaut.cfg")).isFile();
}

Layout ChooseLayout(const QString& exeDir, const QString& userDir, const QString& sharedDir,
                    bool exeDirWritable) {
    const bool exeHolds = HoldsProgramFiles(exeDir);
    if (exeHolds && exeDirWritable) return {QDir::cleanPath(exeDir), QString()};
    QString from;
    if (exeHolds)
        from = QDir::cleanPath(exeDir);
    else if (HoldsProgramFiles(sharedDir))
        from = QDir::cleanPath(sharedDir);
    return {QDir::cleanPath(userDir), from};
}

SeedResult Seed(const QString& from, const QString& to) {
    SeedResult result;
    const QDir source(from);
    if (!QDir().mkpath(to)) {
        result.failed << QStringLiteral(".");
        return result;
    }
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        // Only regular files are shipped; anything else there is not copied.
        if (!file.isFile() || file.isSymLink()) continue;
        const QString relative = source.relativeFilePath(file.filePath());
        const QString target = to + QLatin1Char('/') + relative;
        // What the user has (even a broken link or a folder) stays.
        if (QFileInfo(target).exists() || QFileInfo(target).isSymLink()) continue;
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file.filePath(), target)) {
            result.failed << relative;
            continue;
        }
        // The installed files are read-only; the user's copies are the user's.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        ++result.copied;
    }
    return result;
}

QString SetUp() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString sharedDir = exeDir + QStringLiteral("/../share/astroplate");
    const Layout layout = ChooseLayout(exeDir, userDir, sharedDir, QFileInfo(exeDir).isWritable());
    if (layout.folder.isEmpty())
        return QCoreApplication::translate("programfolder", "No folder for the program's files.");
    SetPath(layout.folder);
    if (layout.seedFrom.isEmpty()) {
        if (layout.folder == QDir::cleanPath(exeDir)) return QString();
        return QCoreApplication::translate("programfolder",
                                           "The program's files were not found beside %1.")
            .arg(exeDir);
    }
    const SeedResult seeded = Seed(layout.seedFrom, layout.folder);
    if (seeded.failed.isEmpty()) return QString();
    return QCoreApplication::translate("programfolder", "Could not copy to %1: %2")
        .arg(layout.folder, seeded.failed.join(QStringLiteral(", ")));
}

} // namespace programfolder
