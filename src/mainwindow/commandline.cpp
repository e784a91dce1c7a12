#include "mainwindow/commandline.h"

#include <QMimeData>
#include <QUrl>

namespace commandline {

const char* const kUsage =
    "usage: astroplate [FILE]\n"
    "  FILE        a reduction file (.pam) or an image (JPEG, PNG, BMP, GIF, TIFF, FITS)\n"
    "              to open at start\n"
    "  -h, --help  print this help and exit\n"
    "  --version   print the version and exit\n";

Parsed Parse(const QStringList& arguments) {
    Parsed p;
    bool optionsEnd = false;
    for (const QString& a : arguments) {
        if (!optionsEnd && a == QLatin1String("--")) {
            optionsEnd = true;
        } else if (!optionsEnd && (a == QLatin1String("--help") || a == QLatin1String("-h"))) {
            return {Request::Help, {}, {}};
        } else if (!optionsEnd && a == QLatin1String("--version")) {
            return {Request::Version, {}, {}};
        } else if ((!optionsEnd && a.startsWith(QLatin1Char('-')) && a.size() > 1) ||
                   !p.file.isEmpty()) {
            return {Request::Error, {}, a};
        } else {
            p.file = a;
        }
    }
    return p;
}

bool IsReductionFile(const QString& path) {
    return path.endsWith(QLatin1String(".pam"), Qt::CaseInsensitive);
}

QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return QString();
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) return url.toLocalFile();
    return QString();
}

} // namespace commandline
