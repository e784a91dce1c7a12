// The scaled whole-number tables of the five-star search, the three-star
// model and the overlay, computed from the typed rows of the field catalogue.
#pragma once

#include "field/session.h"
#include "reduction/fieldcatalogue.h"

#include <span>

namespace field {

// Fills rows 1..n of `table` from the first n = min(rows, 4000) typed rows
// (the rows above are left as they were): positions as degrees * corrAsd and
// degrees * corrDec rounded to whole numbers, halves to even; magnitudes in
// the answer's four columns. Sets rowsRead to n and inUse to min(n, 497);
// returns n.
int ScaleStarTable(std::span<const reduction::CatalogueRow> rows, double corrAsd, double corrDec,
                   CatalogueStarTable& table);

// Fills rows 1..n of `table` from the first n = min(rows, 500) typed rows:
// positions as the text of degrees * corrAsd and degrees * corrDec rounded to
// whole numbers, halves to even; the magnitude in four columns, the motions
// as read. Sets count to n and returns it.
int ScaleMinorPlanetTable(std::span<const reduction::CatalogueRow> rows, double corrAsd,
                          double corrDec, MinorPlanetTable& table);

// Fills row i of `table` from the typed NGC/IC row: position scaled and
// rounded to whole numbers, halves to even; magnitude in four columns; sizes,
// position angle, description and names as read.
void ScaleDeepSkyRow(const reduction::CatalogueRow& row, double corrAsd, double corrDec,
                     DeepSkyTable& table, int i);

} // namespace field
