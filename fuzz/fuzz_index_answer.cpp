// The local star answer: the query read from an address, and the page written
// for any star list. The input's first line is the address's query part; the
// rest is read as stars, three doubles each (RA, Dec, magnitude).
#include "catalogues/localstars.h"
#include "catalogues/usnoa2.h"
#include "catalogues/web/starquery.h"
#include "support.h"

#include <cstring>

using namespace reduction;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input = fuzzing::Bytes(data, size);
    const qsizetype eol = input.indexOf('\n');
    const QString address = QString::fromUtf8(eol < 0 ? input : input.left(eol));
    const LocalStarQueryReading reading = ReadLocalStarQuery(address);
    if (!reading) return 0;
    LocalStarQuery q = *reading;

    std::vector<IndexStar> stars;
    const QByteArray rest = eol < 0 ? QByteArray() : input.mid(eol + 1);
    for (qsizetype at = 0; at + 24 <= rest.size() && stars.size() < 6000; at += 24) {
        double v[3];
        std::memcpy(v, rest.constData() + at, sizeof v);
        stars.push_back({v[0], v[1], v[2], v[2] + 0.5});
    }
    RemoveDuplicateStars(stars);
    int rows = 0;
    const QByteArray page = LocalStarPage(q, stars, QStringLiteral("fuzz </b>   1 U\r"), &rows);
    if (rows < 0 || rows > q.nout) __builtin_trap();
    if (page.contains('\r')) __builtin_trap();
    // The reader finds exactly the rows written (up to its 4000), and the
    // download's answer check agrees.
    static CatalogueStarTable table;
    const StarReadResult read = ReadUsnoA2Answer(page, 1e5, 1e5, table);
    if (read.rowsRead != std::min(rows, CatalogueStarTable::kCapacity)) __builtin_trap();
    if (HoldsStarTable(page) != (rows > 0)) __builtin_trap();
    return 0;
}
