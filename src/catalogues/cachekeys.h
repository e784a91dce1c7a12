// The cache keys of the autonomous mode: the typed fields of a query joined
// as typed, so that the same query typed again exactly ("5" and "05" differ)
// finds its answer in the cache.
#pragma once

#include "field/typedcentre.h"

#include <QString>
#include <array>

namespace catalogues {

// Right ascension and declination boxes, radius and limiting magnitude.
QString StarCacheKey(const field::TypedCentreFields& centre, const QString& radius,
                     const QString& magnitude);

// Right ascension and declination boxes, the five date fields, the field and
// the limiting magnitude of the minor-planet query.
QString MinorPlanetCacheKey(const field::TypedCentreFields& centre,
                            const std::array<QString, 5>& date, const QString& field,
                            const QString& magnitude);

} // namespace catalogues
