#include "catalogues/reportposition.h"

#include "catalogues/mpcreport.h"
#include "ephemeris/designation.h"
#include "field/picking.h"
#include "platform/angles.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "settings/options.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>

using namespace reduction;
using namespace settings;
using namespace field;

namespace catalogues {

namespace {

const QString kObservatoryKey = QStringLiteral("report/observatoryCode");

// The texts of this file, in the translation context "ReportPosition".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ReportPosition)
};

// Angular distance in arc-minutes between two positions in degrees.
double ArcminutesBetween(const SkyPoint& a, const SkyPoint& b) {
    return angles::SeparationDeg(a.ra, a.dec, b.ra, b.dec) * 60;
}

// The number of a designation column ("  2105", "(2105)"), or 0.
int RowNumber(const QString& designation) {
    QString digits = designation.trimmed();
    digits.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok && n > 0 ? n : 0;
}

// The provisional designation of a name column, its blank put back
// ("2022HK5" -> "2022 HK5", "2040P-L" -> "2040 P-L"), or nothing.
std::optional<QString> Provisional(const QString& name) {
    static const QRegularExpression squeezed(QStringLiteral("^(\\d{4})([A-Z].*)$"));
    const auto m = squeezed.match(name.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const QString readable = m.captured(1) + QLatin1Char(' ') + m.captured(2);
    if (!ephemeris::PackProvisional(readable)) return std::nullopt;
    return readable;
}

// A whole number typed in a date field.
std::optional<int> WholeNumber(const QString& text) {
    const auto v = numbers::Strict(text);
    if (!v || *v != std::floor(*v) || std::abs(*v) > 1e6) return std::nullopt;
    return int(*v);
}

} // namespace

MeasuredPoint MeasurePoint(const SkyPlate& plate, int x, int y,
                           const std::function<double(int, int)>& pixel) {
    MeasuredPoint p;
    p.clickX = p.x = x;
    p.clickY = p.y = y;
    if (pixel) {
        const BrightestSpot spot = FindBrightestNear(pixel, x, y);
        p.x = spot.x;
        p.y = spot.y;
    }
    p.sky = plate.pixelToSky(p.x, p.y);
    p.sky.ra = std::fmod(p.sky.ra, 360.0);
    if (p.sky.ra < 0) p.sky.ra += 360.0;
    p.refinedPlate = plate.isRefined();
    return p;
}

std::optional<NearbyMinorPlanet> NearestMinorPlanet(std::span<const CatalogueRow> planets,
                                                    const SkyPoint& sky) {
    std::optional<NearbyMinorPlanet> nearest;
    for (size_t i = 0; i < planets.size(); ++i) {
        const CatalogueRow& planet = planets[i];
        const double distance = ArcminutesBetween(planet.sky(), sky);
        if (nearest && distance >= nearest->arcminutes) continue;
        NearbyMinorPlanet n;
        n.row = static_cast<int>(i) + 1;
        n.arcminutes = distance;
        n.packed = PackedDesignation(planet.id, planet.name);
        const int number = RowNumber(planet.id);
        const QString name = Provisional(planet.name).value_or(planet.name);
        n.label = number > 0 ? QStringLiteral("(%1) %2").arg(number).arg(name).trimmed() : name;
        nearest = n;
    }
    return nearest;
}

std::optional<NearbyMinorPlanet> NearestMinorPlanet(const MinorPlanetTable& table, double corrAsd,
                                                    double corrDec, const SkyPoint& sky) {
    if (corrAsd == 0.0 || corrDec == 0.0) return std::nullopt;
    const int count = std::min<int>(table.count, MinorPlanetTable::kCapacity);
    std::vector<CatalogueRow> planets;
    for (int i = 1; i <= count; ++i) {
        CatalogueRow row;
        row.id = table.designation[i];
        row.name = table.name[i];
        row.ra = numbers::Lenient(table.ra[i]) / corrAsd;
        row.dec = numbers::Lenient(table.dec[i]) / corrDec;
        planets.push_back(row);
    }
    return NearestMinorPlanet(planets, sky);
}

QString PackedDesignation(const QString& designation, const QString& name) {
    if (const int number = RowNumber(designation))
        return ephemeris::PackNumber(number).value_or(QString());
    if (const auto readable = Provisional(name))
        return ephemeris::PackProvisional(*readable).value_or(QString());
    return {};
}

outcome::Result<QString, ReportError> ReportLine(const ReportTexts& t, const SkyPoint& sky) {
    static const char* const fields[5] = {
        QT_TRANSLATE_NOOP("ReportPosition", "day"), QT_TRANSLATE_NOOP("ReportPosition", "month"),
        QT_TRANSLATE_NOOP("ReportPosition", "year"), QT_TRANSLATE_NOOP("ReportPosition", "hour"),
        QT_TRANSLATE_NOOP("ReportPosition", "minute")};
    std::array<int, 5> date{};
    for (int i = 0; i < 5; ++i) {
        const auto v = WholeNumber(t.date[std::size_t(i)]);
        if (!v) {
            return outcome::Error{
                ReportError::DateTime,
                Texts::tr("the %1 \"%2\" of the date fields is not a whole number")
                    .arg(Texts::tr(fields[i]), t.date[std::size_t(i)])};
        }
        date[std::size_t(i)] = *v;
    }
    MpcObservation o;
    o.designation = t.designation;
    o.day = date[0];
    o.month = date[1];
    o.year = date[2];
    o.hour = date[3];
    o.minute = date[4];
    o.ra = sky.ra;
    o.dec = sky.dec;
    o.observatory = t.observatory;
    if (!t.magnitude.trimmed().isEmpty()) {
        const auto m = numbers::Strict(t.magnitude);
        if (!m || std::abs(*m) >= 99.95) {
            return outcome::Error{
                ReportError::Magnitude,
                Texts::tr("the magnitude \"%1\" is not a number from -99.9 to 99.9")
                    .arg(t.magnitude)};
        }
        o.magnitude = *m;
        const QString band = t.band.trimmed();
        if (band.size() != 1 || !band.front().isLetter() || band.front().unicode() > 127) {
            return outcome::Error{ReportError::Band,
                                  Texts::tr("the band \"%1\" is not one letter").arg(t.band)};
        }
        o.band = band.front();
    }
    return FormatMpcObservation(o);
}

QString OfferedDesignation(const ReportDraft& draft) {
    if (!draft.nearest || draft.nearest->arcminutes > kOfferArcminutes) return {};
    return draft.nearest->packed;
}

QString ReportFilePath() {
    return programfolder::File(QStringLiteral("mpc-report.txt"));
}

QString StoredObservatoryCode() {
    return options::Value(kObservatoryKey, QStringLiteral("500")).toString();
}

bool StoreObservatoryCode(const QString& code) {
    return options::SetValue(kObservatoryKey, code.trimmed());
}

} // namespace catalogues
