#include "catalogues/browser.h"

#include "catalogues/minorplanets.h"
#include "catalogues/usnoa2.h"
#include "platform/numbers.h"
#include "reduction/rightascension.h"

#include <QCoreApplication>
#include <memory>

using namespace reduction;
using namespace field;

namespace catalogues {

namespace {

// The texts of this file, in the translation context "CatalogueBrowser".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(CatalogueBrowser)
};

QString degrees(double value) {
    return QString::number(numbers::RoundHalfEven(value, 5) + 0.0, 'f', 5);
}

} // namespace

BrowserListing ListStarAnswer(const QString& path) {
    BrowserListing listing;
    listing.icon = kStarIcon;
    auto table = std::make_unique<CatalogueStarTable>();
    const StarFileResult read = ReadUsnoA2File(path, 1, 1, *table);
    if (!read.read)
        listing.notes
            << Texts::tr("The star answer could not be read: %1").arg(read.read.error().message);
    const int n = std::min(static_cast<int>(read.stars.size()), kBrowserRows);
    listing.rows.reserve(n);
    for (int r = 0; r < n; ++r) {
        const CatalogueRow& star = read.stars[static_cast<size_t>(r)];
        listing.rows.push_back({star.id, degrees(star.ra), degrees(star.dec),
                                MagnitudeColumns(star.mag), MagnitudeColumns(star.magBlue)});
    }
    if (static_cast<int>(read.stars.size()) >= kBrowserRows)
        listing.notes << Texts::tr("The listing ends at %1 rows; the answer may hold more.").arg(n);
    return listing;
}

BrowserListing ListMinorPlanetAnswer(const QString& path) {
    BrowserListing listing;
    listing.icon = kMinorPlanetIcon;
    auto table = std::make_unique<MinorPlanetTable>();
    const MinorPlanetFileResult read = ReadMinorPlanetFile(path, 1, 1, 0, *table);
    listing.notes = MinorPlanetReadNotes(read);
    for (int r = 1; r <= read.rows.count; ++r) {
        const SkyPoint& p = read.rows.positions[r];
        listing.rows.push_back(
            {table->designation[r].trimmed() + QStringLiteral(" - ") + table->name[r],
             degrees(NormaliseRa(p.ra)), degrees(p.dec),
             table->motion1[r] + QStringLiteral(" & ") + table->motion2[r], table->magnitude[r]});
    }
    return listing;
}

BrowserListing ListDeepSkyObjects(const QString& folder, const BrowserField& field) {
    BrowserListing listing;
    listing.icon = kDeepSkyIcon;
    auto table = std::make_unique<DeepSkyTable>();
    const DeepSkyReadResult read =
        ReadDeepSkyFiles(folder, field.window, field.corrAsd, field.corrDec, *table);
    listing.notes = DeepSkyReadNotes(read);
    for (int r = 1; r <= read.count; ++r) {
        const SkyPoint& p = read.positions[r];
        listing.rows.push_back({table->name[r], degrees(NormaliseRa(p.ra)), degrees(p.dec),
                                numbers::Text(table->size1[r]) + QStringLiteral(" x ") +
                                    numbers::Text(table->size2[r]),
                                table->magnitude[r]});
    }
    return listing;
}

} // namespace catalogues
