// rendericon: writes an SVG drawing as a square PNG of the given side, for
// the icon theme (used by the build only).
//
//   rendericon IN.svg SIZE OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

namespace {
// A drawing the SVG reader only partly understands fails the build.
bool g_warned = false;
void noteWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    if (text.startsWith(QLatin1String("QStandardPaths:"))) return;
    std::fprintf(stderr, "rendericon: %s\n", qPrintable(text));
    g_warned = true;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("usage: rendericon IN.svg SIZE OUT.png\n", stderr);
        return 2;
    }
    // No display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(noteWarning);
    QGuiApplication app(argc, argv);
    const int size = QString::fromLocal8Bit(argv[2]).toInt();
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "svg");
    reader.setScaledSize(QSize(size, size));
    QImage image = reader.read();
    if (image.isNull() || size <= 0 || g_warned) {
        std::fprintf(stderr, "rendericon: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "rendericon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
