#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>

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

} // namespace programfolder
