// A deep-sky catalogue file (deepobj1.txt or deepobj2.txt), as the window
// reader sees it: once with a window that takes every object, once with a
// narrow one.
#include "catalogues/deepsky.h"
#include "support.h"

#include <limits>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

void check(const QByteArray& text, const DeepSkyWindow& window, double corrAsd, double corrDec) {
    static DeepSkyTable table;
    DeepSkyReadResult r;
    ReadDeepSkyCatalogue(text, QStringLiteral("NGC "), window, corrAsd, corrDec, table, r);
    if (r.count < 0 || r.count > DeepSkyTable::kCapacity || r.inWindow < r.count) __builtin_trap();
    if (table.count != r.count) __builtin_trap();
    if (static_cast<int>(r.positions.size()) != r.count + 1) __builtin_trap();
    const double w = window.halfWidth;
    for (int i = 1; i <= r.count; ++i) {
        if (!(window.centreRa - w < table.ra[i] && table.ra[i] < window.centreRa + w))
            __builtin_trap();
        if (!(window.centreDec - w < table.dec[i] && table.dec[i] < window.centreDec + w))
            __builtin_trap();
        if (table.size2[i] == 0 && table.size1[i] != 0) __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text = fuzzing::Bytes(data, size);
    check(text, {0, 0, std::numeric_limits<double>::max()}, 833.27, 1575.63);
    check(text, {341.8 * 833.27, 58.05 * 1575.63, DeepSkyWindowHalfWidth(28, 833.27, 1575.63)},
          833.27, 1575.63);
    return 0;
}
