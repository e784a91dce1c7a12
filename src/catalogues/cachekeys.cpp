#include "catalogues/cachekeys.h"

using namespace field;

namespace catalogues {

namespace {
QString position(const TypedCentreFields& c) {
    return c.ra[0] + c.ra[1] + c.ra[2] + c.dec[0] + c.dec[1] + c.dec[2];
}
} // namespace

QString StarCacheKey(const TypedCentreFields& centre, const QString& radius,
                     const QString& magnitude) {
    return position(centre) + radius + magnitude;
}

QString MinorPlanetCacheKey(const TypedCentreFields& centre, const std::array<QString, 5>& date,
                            const QString& field, const QString& magnitude) {
    return position(centre) + date[0] + date[1] + date[2] + date[3] + date[4] + field + magnitude;
}

} // namespace catalogues
