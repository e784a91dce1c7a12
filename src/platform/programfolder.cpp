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

QString path() {
    if (!overridePath().isEmpty()) return overridePath();
    return QCoreApplication::applicationDirPath();
}

void setPath(const QString& folder) {
    overridePath() = QDir::cleanPath(folder);
}

QString file(const QString& name) {
    return path() + QLatin1Char('/') + name;
}

} // namespace programfolder
