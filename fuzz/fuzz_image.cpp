// An image file as the image view loads it: decoded by the image readers
// (with their size limit), then turned into pixel values.
#include "imaging/imagefile.h"
#include "imaging/pixelimage.h"
#include "support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::EnsureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::EnsureApplication();
    const LoadedImage loaded = ReadImageFile(fuzzing::WriteScratchFile(data, size, "image"));
    if (loaded.image.isNull()) return 0;
    const PixelImage pixels = PixelImageFromPicture(loaded.image);
    if (!pixels.isNull() && pixels.values.size() != static_cast<size_t>(pixels.width) *
                                                        static_cast<size_t>(pixels.height))
        __builtin_trap();
    return 0;
}
