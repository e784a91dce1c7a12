#include "imaging/pixelimage.h"

namespace imaging {

PixelImage PixelImageFromPicture(const QImage& picture) {
    PixelImage out;
    if (picture.isNull()) return out;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    out.width = rgb.width();
    out.height = rgb.height();
    out.values.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        float* row = out.values.data() + static_cast<size_t>(y) * out.width;
        for (int x = 0; x < out.width; ++x)
            row[x] = static_cast<float>(qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3.0f;
    }
    return out;
}

} // namespace imaging
