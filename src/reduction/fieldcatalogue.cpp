#include "reduction/fieldcatalogue.h"

#include <algorithm>

namespace reduction {

std::vector<SkyPoint> Positions(std::span<const CatalogueRow> rows, size_t n) {
    n = std::min(n, rows.size());
    std::vector<SkyPoint> out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i)
        out.push_back(rows[i].sky());
    return out;
}

QString MagnitudeColumns(std::optional<double> mag) {
    if (!mag) return QString(4, QLatin1Char(' '));
    return QString::number(*mag, 'f', 1).rightJustified(4, QLatin1Char(' '));
}

} // namespace reduction
