// The star server's answer, as the star table reader and the answer check see it.
#include "catalogues/usnoa2.h"
#include "catalogues/web/starquery.h"
#include "support.h"

using namespace reduction;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CatalogueStarTable table;
    const QByteArray answer = fuzzing::Bytes(data, size);
    const StarReadResult read = ReadUsnoA2Answer(answer, 833.27, 1575.63, table);
    if (read.rowsRead < 0 || read.rowsRead > CatalogueStarTable::kCapacity) __builtin_trap();
    if (read.inUse > read.rowsRead) __builtin_trap();
    // The download keeps an answer only when the reader finds rows in it.
    if (HoldsStarTable(answer) != (read.rowsRead > 0)) __builtin_trap();
    // The centre a field across 0h is unwrapped about is a right ascension.
    if (const auto ra = StarAnswerCentreRa(answer); ra && !(*ra >= 0 && *ra < 360))
        __builtin_trap();
    return 0;
}
