// The minor-planet service's answer, as the minor-planet reader and the
// catalogue browser see it.
#include "catalogues/browser.h"
#include "catalogues/minorplanets.h"
#include "support.h"

using namespace reduction;
using namespace field;
using namespace catalogues;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MinorPlanetTable table;
    const QByteArray answer = fuzzing::Bytes(data, size);
    const MinorPlanetReadResult read = ReadMinorPlanetAnswer(answer, 833.27, 1575.63, 341.8, table);
    if (read.count < 0 || read.count > MinorPlanetTable::kCapacity) __builtin_trap();
    if (read.lines < 0 || read.lines > kMinorPlanetMaxLines) __builtin_trap();
    if (table.count != read.count) __builtin_trap();
    if (static_cast<int>(read.positions.size()) != read.count + 1) __builtin_trap();
    if (!read.tableFound && read.count != 0) __builtin_trap();
    // Every stored position is a number the overlay can place.
    for (int i = 1; i <= read.count; ++i) {
        bool ok = false;
        table.ra[i].toDouble(&ok);
        if (!ok) __builtin_trap();
        table.dec[i].toDouble(&ok);
        if (!ok) __builtin_trap();
    }
    // The browser lists what the reader reads.
    const BrowserListing listing =
        ListMinorPlanetAnswer(fuzzing::WriteScratchFile(data, size, QStringLiteral("data2")));
    if (static_cast<int>(listing.rows.size()) != read.count) __builtin_trap();
    return 0;
}
