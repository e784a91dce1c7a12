// FITS images: the file reader, the display stretch, the magnifier levels
// and the header hints, on any bytes.
#include "field/fitshints.h"
#include "imaging/fitsimage.h"
#include "imaging/stretch.h"
#include "support.h"

using namespace imaging;
using namespace field;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzzing::WriteScratchFile(data, size, "image.fits");
    // Smaller limits than the program's keep each run fast.
    const auto read = ReadFitsImage(path, 2048, 1 << 20);
    if (!read) {
        if (read.error().message.isEmpty()) __builtin_trap(); // a failure always says why
        return 0;
    }
    const FitsImage& image = *read;
    const PixelImage& px = image.pixels;
    if (px.values.size() != static_cast<size_t>(px.width) * px.height) __builtin_trap();
    const DisplayStretch stretch = AutoStretch(px);
    const QImage shown = StretchedPicture(px, stretch);
    if (shown.width() != px.width || shown.height() != px.height) __builtin_trap();
    MagnifierLevels(px, stretch, px.width / 2, px.height / 2);
    HeaderHints(image.header, px.width, px.height);
    return 0;
}
