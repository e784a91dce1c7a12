#include "support.h"

#include "platform/programfolder.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace fuzzing {

namespace {

QTemporaryDir& scratchFolder() {
    static QTemporaryDir dir;
    static const bool set = [] {
        programfolder::SetPath(dir.path());
        return true;
    }();
    (void)set;
    return dir;
}

} // namespace

QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                   static_cast<qsizetype>(size));
}

QString WriteScratchFile(const uint8_t* data, size_t size, const QString& name) {
    const QString path = scratchFolder().filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

QString Text(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void EnsureApplication() {
    // Made once and never destroyed: it lives as long as the fuzzing process.
    static QApplication* app = nullptr;
    if (app) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
    scratchFolder();
}

} // namespace fuzzing
