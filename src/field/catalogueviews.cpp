#include "field/catalogueviews.h"

#include "platform/numbers.h"

#include <algorithm>

int ScaleStarTable(std::span<const CatalogueRow> rows, double corrAsd, double corrDec,
                   CatalogueStarTable& table) {
    const int capacity =
        std::min<int>(CatalogueStarTable::kCapacity,
                      static_cast<int>(std::min(table.ra.size(), table.dec.size())) - 1);
    const int n = std::min(static_cast<int>(rows.size()), capacity);
    for (int row = 1; row <= n; ++row) {
        const CatalogueRow& r = rows[row - 1];
        table.id[row] = r.id;
        table.ra[row] = numbers::RoundHalfEven(r.ra * corrAsd);
        table.dec[row] = numbers::RoundHalfEven(r.dec * corrDec);
        table.magRed[row] = MagnitudeColumns(r.mag);
        table.magBlue[row] = MagnitudeColumns(r.magBlue);
    }
    table.rowsRead = static_cast<int16_t>(n);
    table.inUse = static_cast<int16_t>(std::min(n, int(CatalogueStarTable::kInUseLimit)));
    return n;
}
