#include "settings/options.h"

#include "platform/programfolder.h"

#include <QSettings>

namespace options {

QString Path() {
    return programfolder::File(QStringLiteral("astroplate.ini"));
}

QVariant Value(const QString& key, const QVariant& fallback) {
    const QSettings ini(Path(), QSettings::IniFormat);
    return ini.value(key, fallback);
}

bool SetValue(const QString& key, const QVariant& value) {
    QSettings ini(Path(), QSettings::IniFormat);
    ini.setValue(key, value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace options
