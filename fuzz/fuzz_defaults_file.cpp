// The default settings file defaut.cfg.
#include "settings/defaults.h"
#include "support.h"

using namespace settings;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DefaultsFile read = ReadDefaults(fuzzing::WriteScratchFile(data, size, "defaut.cfg"));
    for (int i = 0; i < 16; ++i)
        if (read.values[i] && DefaultsFile::isCheckBox(i + 1) && read.values[i]->size() > 1)
            __builtin_trap(); // a check-box line is read as one state, 0, 1 or 2
    return 0;
}
