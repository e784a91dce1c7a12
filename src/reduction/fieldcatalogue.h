// The field catalogue: the sky data of the field in one form, whatever its
// source (the star answer, the local index files, the minor planets, the
// NGC/IC files). Positions are J2000 degrees as the source gives them, never
// rounded; the scaled whole-number tables of the matching and the overlay
// are computed from these rows (field/catalogueviews.h).
#pragma once

#include "reduction/platesolution.h"

#include <QString>
#include <QStringList>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace reduction {

enum class SkyObjectKind { Star, MinorPlanet, DeepSky };

struct CatalogueRow {
    SkyObjectKind kind = SkyObjectKind::Star;
    QString id;   // star identifier, minor-planet designation, NGC/IC name
    QString name; // minor-planet name; empty for the others
    // J2000 degrees. The right ascension lies within 180 degrees of the field
    // centre when the reader was given one (it may then be below 0 or beyond
    // 360), so that a field across 0h keeps its rows together.
    double ra = 0;
    double dec = 0;
    std::optional<double> mag;     // red (stars), V (minor planets), visual (NGC/IC)
    std::optional<double> magBlue; // blue (stars); none for the others
    // Minor planets: the two motion columns of the answer, as text.
    QString motion1;
    QString motion2;
    // NGC/IC objects: the outline's two sizes (arcminutes) and position angle
    // (degrees), the description and the further names (PGC name first).
    double size1 = 0;
    double size2 = 0;
    double positionAngle = 0;
    QString description;
    QStringList otherIds;

    SkyPoint sky() const { return {ra, dec}; }
};

struct FieldCatalogue {
    std::vector<CatalogueRow> stars;        // in the answer's order, brightest first
    std::vector<CatalogueRow> minorPlanets; // in the answer's order
    std::vector<CatalogueRow> deepSky;      // NGC objects of the window, then IC ones
};

// The positions of the first `n` rows (all of them by default), for the
// computations that take plain positions in degrees.
std::vector<SkyPoint> Positions(std::span<const CatalogueRow> rows,
                                size_t n = std::numeric_limits<size_t>::max());

// A magnitude in the star answer's four columns: one decimal, right-aligned
// (" 6.3", "12.1"), four blanks for none.
QString MagnitudeColumns(std::optional<double> mag);

} // namespace reduction
