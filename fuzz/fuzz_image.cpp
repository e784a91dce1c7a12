// An image file as the image view loads it: decoded by the image readers
// (with their size limit), then turned into pixel values, picked and searched
// for stars. The decoders belong to the toolkit and are not instrumented, so
// the same bytes are also handed to the program's own pixel code directly, as
// the raw pixels of an image of some format and width.
#include "imaging/imagefile.h"
#include "imaging/pixelimage.h"
#include "imaging/starfinder.h"
#include "support.h"

#include <QImageReader>
#include <array>
#include <cmath>

using namespace imaging;

namespace {

// Decoding larger images costs memory and time in code this program does not
// own: they are skipped (the program's own limit is tested elsewhere).
constexpr qint64 kFuzzPixels = 4'000'000;
// Star search only on small images: it is linear, a larger one only costs time.
constexpr qint64 kStarSearchPixels = 256 * 256;

void Exercise(const QImage& picture) {
    if (picture.isNull()) return;
    const PixelImage pixels = PixelImageFromPicture(picture);
    if (pixels.isNull()) return;
    if (pixels.values.size() !=
        static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height))
        __builtin_trap();
    if (qint64(pixels.width) * pixels.height > kStarSearchPixels) return;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (const auto& [x, y] : {std::pair{0, 0},
                               {pixels.width - 1, pixels.height - 1},
                               {pixels.width / 2, pixels.height / 2},
                               {-1, 0},
                               {pixels.width, 0}})
        (void)PickValue(rgb, PixelImage{}, x, y);
    // A centre may lie a little off the image (a star at its edge), never
    // far off it, nor be no number.
    for (const DetectedStar& s : FindStars(pixels))
        if (!(s.x > -pixels.width && s.x < 2.0 * pixels.width && s.y > -pixels.height &&
              s.y < 2.0 * pixels.height && std::isfinite(s.flux)))
            __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::EnsureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::EnsureApplication();
    const QString path = fuzzing::WriteScratchFile(data, size, "image");
    const QSize declared = QImageReader(path).size();
    if (!declared.isValid() || qint64(declared.width()) * declared.height() <= kFuzzPixels) {
        const auto loaded = ReadImageFile(path);
        if (loaded && qint64(loaded->image.width()) * loaded->image.height() <= kFuzzPixels)
            Exercise(loaded->image);
    }

    // The bytes as raw pixels: a format and a width from the first two bytes.
    static constexpr std::array kFormats = {
        QImage::Format_Mono,       QImage::Format_Indexed8,    QImage::Format_RGB32,
        QImage::Format_ARGB32,     QImage::Format_RGB16,       QImage::Format_RGB888,
        QImage::Format_Grayscale8, QImage::Format_Grayscale16, QImage::Format_RGBA64,
        QImage::Format_RGBX8888,   QImage::Format_BGR888,      QImage::Format_RGBA32FPx4,
    };
    if (size < 3) return 0;
    const QImage::Format format = kFormats[data[0] % kFormats.size()];
    const int width = 1 + data[1] % 96;
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    const qsizetype line = (qsizetype(width) * depth + 31) / 32 * 4;
    const qsizetype height = qsizetype(size - 2) / line;
    if (height == 0) return 0;
    // Copied for the alignment QImage needs.
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 2, qsizetype(size - 2));
    QImage raw(reinterpret_cast<const uchar*>(bytes.constData()), width, int(height), line, format);
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono) {
        QList<QRgb> colours;
        for (int i = 0; i < (format == QImage::Format_Mono ? 2 : 256); ++i)
            colours << qRgb(i, 255 - i, i * 7);
        raw.setColorTable(colours);
    }
    Exercise(raw.copy());
    return 0;
}
