#include "settings/options.h"

#include "platform/programfolder.h"
#include "platform/regularfile.h"

#include <QSettings>
#include <memory>

namespace settings {

namespace options {

namespace {

// The options file, read once per program folder: every later read comes
// from memory, and only a change is written.
struct Store {
    QString path;
    std::unique_ptr<QSettings> ini; // null when the path names no regular file
};

QSettings* file() {
    static Store store;
    const QString path = Path();
    if (store.path != path) {
        store.path = path;
        store.ini.reset();
        // A FIFO or a device in its place would block or never end.
        if (regularfile::CheckSaveTarget(path).ok())
            store.ini = std::make_unique<QSettings>(path, QSettings::IniFormat);
    }
    return store.ini.get();
}

} // namespace

QString Path() {
    return programfolder::File(QStringLiteral("astroplate.ini"));
}

QVariant Value(const QString& key, const QVariant& fallback) {
    const QSettings* ini = file();
    return ini ? ini->value(key, fallback) : fallback;
}

bool SetValue(const QString& key, const QVariant& value) {
    QSettings* ini = file();
    if (!ini) return false;
    if (ini->contains(key)) {
        // The file gives texts ("true", "5"): compare as the new value's type.
        QVariant old = ini->value(key);
        if (old == value || (old.convert(value.metaType()) && old == value)) return true;
    }
    ini->setValue(key, value);
    ini->sync();
    return ini->status() == QSettings::NoError;
}

} // namespace options

} // namespace settings
