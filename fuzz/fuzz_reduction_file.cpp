// A reduction file (.pam): its lines as the opening reads them, each checked
// the way its control takes it (check-box states, numbers of the numeric
// boxes).
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "settings/reductionfile.h"
#include "support.h"

#include <QStringList>

using namespace settings;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto read = textfile::ReadLines(fuzzing::WriteScratchFile(data, size, "field.pam"));
    if (!read) return 0;
    const QStringList& lines = *read;
    const int count = static_cast<int>(reductionfile::controlNames().size());
    for (int i = 0; i < count && i < lines.size(); ++i) {
        if (reductionfile::isCheckBox(i + 1))
            (void)numbers::TextToInt16(lines[i]);
        else {
            (void)numbers::Strict(lines[i]);
            (void)numbers::Lenient(lines[i]);
        }
        (void)reductionfile::withExtension(lines[i]);
    }
    return 0;
}
