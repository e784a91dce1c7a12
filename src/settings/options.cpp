#include "settings/options.h"

#include "platform/programfolder.h"

#include <QSettings>

namespace options {

QString path() {
    return programfolder::file(QStringLiteral("astroplate.ini"));
}

QVariant value(const QString& key, const QVariant& fallback) {
    const QSettings ini(path(), QSettings::IniFormat);
    return ini.value(key, fallback);
}

bool setValue(const QString& key, const QVariant& value) {
    QSettings ini(path(), QSettings::IniFormat);
    ini.setValue(key, value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace options
