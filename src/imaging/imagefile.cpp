#include "imaging/imagefile.h"

#include "platform/programfolder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>

QString ImagePath(const QString& typed) {
    if (typed.contains(QLatin1Char(':')) || typed.startsWith(QLatin1Char('/'))) return typed;
    return programfolder::file(typed);
}

QString ImageFileStamp(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) return QString(); // missing, or a folder: no image to reload
    return info.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

LoadedImage ReadImageFile(const QString& path) {
    QImageReader reader(path);
    reader.setAllocationLimit(512); // megabytes: a 4000 x 3000 camera image needs 48
    LoadedImage result;
    result.image = reader.read();
    if (result.image.isNull()) result.error = reader.errorString();
    return result;
}
