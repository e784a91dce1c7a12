#include "field/catalogueviews.h"

#include "platform/numbers.h"

#include <algorithm>

using namespace reduction;

namespace field {

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

namespace {
QString wholeNumberText(double v) {
    return numbers::Text(numbers::RoundHalfEven(v) + 0.0); // + 0.0 turns -0 into 0
}
} // namespace

int ScaleMinorPlanetTable(std::span<const CatalogueRow> rows, double corrAsd, double corrDec,
                          MinorPlanetTable& table) {
    const int capacity =
        std::min<int>(MinorPlanetTable::kCapacity, static_cast<int>(table.ra.size()) - 1);
    const int n = std::min(static_cast<int>(rows.size()), capacity);
    for (int row = 1; row <= n; ++row) {
        const CatalogueRow& r = rows[row - 1];
        table.designation[row] = r.id;
        table.name[row] = r.name;
        table.ra[row] = wholeNumberText(r.ra * corrAsd);
        table.dec[row] = wholeNumberText(r.dec * corrDec);
        table.magnitude[row] = MagnitudeColumns(r.mag);
        table.motion1[row] = r.motion1;
        table.motion2[row] = r.motion2;
    }
    table.count = static_cast<int16_t>(n);
    return n;
}

void ScaleDeepSkyRow(const CatalogueRow& row, double corrAsd, double corrDec, DeepSkyTable& table,
                     int i) {
    table.ra[i] = numbers::RoundHalfEven(row.ra * corrAsd) + 0.0; // + 0.0 turns -0 into 0
    table.dec[i] = numbers::RoundHalfEven(row.dec * corrDec) + 0.0;
    table.name[i] = row.id;
    table.magnitude[i] = MagnitudeColumns(row.mag);
    table.size1[i] = row.size1;
    table.size2[i] = row.size2;
    table.positionAngle[i] = row.positionAngle;
    table.description[i] = row.description;
    const auto other = [&row](qsizetype k) { return row.otherIds.value(k); };
    table.pgcName[i] = other(0);
    table.otherName1[i] = other(1);
    table.otherName2[i] = other(2);
}

} // namespace field
