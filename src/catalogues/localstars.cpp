#include "catalogues/localstars.h"

#include "platform/angles.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "reduction/rightascension.h"
#include "reduction/sexagesimal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <numeric>

using namespace reduction;
using namespace field;

namespace catalogues {

namespace {

// The texts of this file, in the translation context "LocalStars".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(LocalStars)
};

// The address's query values by key, percent-decoded; "+" stays "+".
QString queryItem(const QString& address, const QString& key) {
    const qsizetype q = address.indexOf(QLatin1Char('?'));
    const QString query = q >= 0 ? address.mid(q + 1) : address;
    for (const QString& item : query.split(QLatin1Char('&'))) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq < 0 || item.left(eq) != key) continue;
        return QUrl::fromPercentEncoding(item.mid(eq + 1).toUtf8());
    }
    return QString();
}

// Up to three numbers separated by "+" or blanks; the first may carry a sign.
std::optional<double> sexagesimal(const QString& text, bool* negative) {
    const auto read = ReadSexagesimal(text);
    if (!read) return std::nullopt;
    *negative = read->negative;
    return read->value;
}

QByteArray htmlText(const QString& text) {
    QString t = text.toHtmlEscaped();
    for (QChar& c : t)
        if (c.unicode() < 0x20) c = QLatin1Char(' '); // never a CR or LF inside a line
    return t.toUtf8();
}

QByteArray fixed(double value, int decimals, int width) {
    return QByteArray::number(value, 'f', decimals).rightJustified(width, ' ');
}

QByteArray magnitudeText(double mag) {
    if (!std::isfinite(mag) || mag <= -9.95 || mag >= 99.95) return QByteArray(4, ' ');
    return fixed(mag, 1, 4);
}

// A magnitude as its written column gives it: one decimal, none when blank.
std::optional<double> writtenMagnitude(double mag) {
    const QByteArray text = magnitudeText(mag).trimmed();
    if (text.isEmpty()) return std::nullopt;
    return text.toDouble();
}

QByteArray distanceText(double arcmin) {
    if (arcmin < 999.9995) return fixed(arcmin, 3, 7);
    if (arcmin < 9999.995) return fixed(arcmin, 2, 7);
    return fixed(std::min(arcmin, 99999.9), 1, 7);
}

// One row of 66 bytes, line end included.
// One row of the page; `typed` gets the same star as the star reader takes
// it from the row: the written identifier, the position to 0.00001 degree
// and the magnitudes to one decimal, each rounded exactly as written.
QByteArray row(int number, const IndexStar& s, double distArcmin, double pa, CatalogueRow& typed) {
    // Right ascension in units of 0.00001 degree, as in the identifier.
    long long raUnits = std::llround(std::fmod(std::fmod(s.ra, 360.0) + 360.0, 360.0) * 1e5);
    if (raUnits >= 36000000) raUnits -= 36000000;
    const int zone = std::clamp(static_cast<int>(std::floor((s.dec + 90.0) / 7.5)), 0, 23) * 75;
    const double dec = std::clamp(s.dec, -90.0, 90.0);
    QByteArray decText = QByteArray::number(std::abs(dec), 'f', 5).rightJustified(8, '0');
    const bool minus = dec < 0 && decText != "00.00000";
    QByteArray paText = fixed(pa, 1, 5);
    if (paText == "360.0") paText = "  0.0";

    QByteArray r;
    r.reserve(66);
    r += QByteArray::number(number).rightJustified(4, ' ');
    r += " U" + QByteArray::number(zone).rightJustified(4, '0') + '_' +
         QByteArray::number(raUnits).rightJustified(8, '0');
    r += ' ' + fixed(static_cast<double>(raUnits) / 1e5, 5, 9);
    r += ' ' + QByteArray(1, minus ? '-' : '+') + decText;
    r += ' ' + magnitudeText(s.mag) + ' ' + magnitudeText(s.magBlue);
    r += ' ' + distanceText(distArcmin) + ' ' + paText + "  \n";

    typed = CatalogueRow{};
    typed.id = QString::fromLatin1(r.mid(5, 14));
    // raUnits / 1e5 is the double nearest the written decimal, as is the
    // written declination read back.
    typed.ra = static_cast<double>(raUnits) / 1e5;
    typed.dec = (minus ? -1.0 : 1.0) * decText.toDouble();
    typed.mag = writtenMagnitude(s.mag);
    typed.magBlue = writtenMagnitude(s.magBlue);
    return r;
}

} // namespace

namespace {

// The query's values as the address carries them (percent-decoded).
struct QueryTexts {
    QString ra, dec, radius, magFaint, nout;
};

LocalStarQueryReading readQuery(const QueryTexts& texts) {
    LocalStarQuery q;
    q.raText = texts.ra;
    q.decText = texts.dec;
    bool negative = false;
    const auto ra = sexagesimal(q.raText, &negative);
    if (!ra || negative || *ra >= 24) {
        return outcome::Error{StarQueryError::RightAscension,
                              Texts::tr("the right ascension \"%1\" is not H+M+S").arg(q.raText)};
    }
    const auto dec = sexagesimal(q.decText, &negative);
    if (!dec || *dec > 90) {
        return outcome::Error{StarQueryError::Declination,
                              Texts::tr("the declination \"%1\" is not D+M+S").arg(q.decText)};
    }
    q.ra = *ra * 15;
    q.dec = negative ? -*dec : *dec;

    const QString& radius = texts.radius;
    const auto r = numbers::Strict(radius);
    if (!r || !(*r > 0)) {
        return outcome::Error{
            StarQueryError::Radius,
            Texts::tr("the search radius \"%1\" is not a positive number").arg(radius)};
    }
    q.radiusArcmin = std::min(*r, 180.0 * 60);

    // The faint limit goes out with a point appended ("15" as "15.").
    QString mag = texts.magFaint;
    if (mag.endsWith(QLatin1Char('.'))) mag.chop(1);
    const auto m = numbers::Strict(mag);
    if (!m) {
        return outcome::Error{StarQueryError::Magnitude,
                              Texts::tr("the magnitude limit \"%1\" is not a number").arg(mag)};
    }
    q.magFaint = *m;

    const QString& nout = texts.nout;
    if (!nout.isEmpty()) {
        bool ok = false;
        const int n = nout.toInt(&ok);
        if (!ok || n < 0) {
            return outcome::Error{
                StarQueryError::RowLimit,
                Texts::tr("the row limit \"%1\" is not a whole number").arg(nout)};
        }
        q.nout = std::min(n, 9999);
    }
    return q;
}

} // namespace

LocalStarQueryReading ReadLocalStarQuery(const QString& address) {
    return readQuery({queryItem(address, QStringLiteral("ra")),
                      queryItem(address, QStringLiteral("dec")),
                      queryItem(address, QStringLiteral("radmax")),
                      queryItem(address, QStringLiteral("magfaint")),
                      queryItem(address, QStringLiteral("nout"))});
}

LocalStarQueryReading LocalStarQueryFromTyped(const TypedCentreFields& fields,
                                              const QString& radius, const QString& magFaint) {
    const StarQueryPlan plan = PlanStarQuery(fields);
    if (!plan.reading)
        return outcome::Error{StarQueryError::Centre,
                              Texts::tr("not a number in %1 (\"%2\")")
                                  .arg(field::CentreBoxName(plan.reading.error().kind),
                                       plan.reading.error().message)};
    // The texts the star address would carry (UsnoA2Address): the faint
    // limit goes out with a point appended, the row limit is 5000.
    return readQuery({plan.coordinates.ra, plan.coordinates.dec, radius,
                      magFaint + QLatin1Char('.'), QStringLiteral("5000")});
}

void RemoveDuplicateStars(std::vector<IndexStar>& stars, double arcsec) {
    const double tolerance = arcsec / 3600.0;
    // Positions that are no numbers sort and compare as nothing: set them apart.
    stars.erase(std::remove_if(stars.begin(), stars.end(),
                               [](const IndexStar& s) {
                                   return !std::isfinite(s.ra) || !std::isfinite(s.dec);
                               }),
                stars.end());
    std::vector<size_t> byDec(stars.size());
    std::iota(byDec.begin(), byDec.end(), size_t{0});
    std::sort(byDec.begin(), byDec.end(),
              [&stars](size_t a, size_t b) { return stars[a].dec < stars[b].dec; });
    std::vector<char> removed(stars.size(), 0);
    for (size_t i = 0; i < byDec.size(); ++i) {
        const size_t a = byDec[i];
        if (removed[a]) continue;
        for (size_t k = i + 1; k < byDec.size(); ++k) {
            const size_t b = byDec[k];
            if (stars[b].dec - stars[a].dec > tolerance) break;
            if (removed[b]) continue;
            if (angles::SeparationDeg(stars[a].ra, stars[a].dec, stars[b].ra, stars[b].dec) >
                tolerance)
                continue;
            // Keep the one listed first, unless only the other has a magnitude.
            size_t first = std::min(a, b), second = std::max(a, b);
            if (std::isnan(stars[first].mag) && !std::isnan(stars[second].mag))
                std::swap(first, second);
            removed[second] = 1;
            if (second == a) break;
        }
    }
    size_t out = 0;
    for (size_t i = 0; i < stars.size(); ++i)
        if (!removed[i]) stars[out++] = stars[i];
    stars.resize(out);
}

QByteArray LocalStarPage(const LocalStarQuery& query, const std::vector<IndexStar>& stars,
                         const QString& source, int* rowsWritten, std::vector<CatalogueRow>* rows) {
    struct Entry {
        IndexStar star;
        double dist; // arcminutes
    };
    std::vector<Entry> kept;
    kept.reserve(stars.size());
    for (IndexStar s : stars) {
        if (!std::isfinite(s.ra) || !std::isfinite(s.dec) || std::abs(s.dec) > 90) continue;
        s.ra = std::fmod(std::fmod(s.ra, 360.0) + 360.0, 360.0);
        const double d = angles::SeparationDeg(query.ra, query.dec, s.ra, s.dec) * 60;
        if (d > query.radiusArcmin) continue;
        if (std::isfinite(s.mag) && !(s.mag < query.magFaint)) continue;
        kept.push_back({s, d});
    }
    std::sort(kept.begin(), kept.end(), [](const Entry& a, const Entry& b) {
        const bool ka = std::isfinite(a.star.mag), kb = std::isfinite(b.star.mag);
        if (ka != kb) return ka;
        if (ka && a.star.mag != b.star.mag) return a.star.mag < b.star.mag;
        if (a.dist != b.dist) return a.dist < b.dist;
        return a.star.ra < b.star.ra;
    });
    if (kept.size() > static_cast<size_t>(query.nout)) kept.resize(static_cast<size_t>(query.nout));

    QString centre = query.raText + QLatin1Char(' ') + query.decText;
    centre.replace(QLatin1Char('+'), QLatin1Char(' '));
    QByteArray page;
    page.reserve(600 + 66 * static_cast<qsizetype>(kept.size()));
    page += "<HTML>\n<HEAD>\n<TITLE>Catalogue query result</TITLE>\n</HEAD>\n<BODY>\n";
    page += "<H3>Stars around " + htmlText(centre) + " (J2000), radius " +
            QByteArray::number(query.radiusArcmin) + " arcmin, mag &lt; " +
            QByteArray::number(query.magFaint) + "</H3>\n";
    page += "<p>" + htmlText(source) + "</p>\n<pre>\n";
    page += "<b>   # id             RA(J2000) Dec(J2000) R    B      d'    PA  </b>";
    int n = 0;
    std::vector<CatalogueRow> typed(kept.size());
    for (const Entry& e : kept) {
        page += row(n + 1, e.star, e.dist,
                    angles::PositionAngleDeg(query.ra, query.dec, e.star.ra, e.star.dec),
                    typed[static_cast<size_t>(n)]);
        ++n;
    }
    if (n == 0) page += '\n';
    page += "</pre>\n<p>" + QByteArray::number(n) + " stars.</p>\n</BODY>\n</HTML>\n";
    if (rowsWritten) *rowsWritten = n;
    if (rows) *rows = std::move(typed);
    return page;
}

LocalStarAnswer MakeLocalStarAnswer(const LocalStarQuery& query, StarIndexFolder& folder) {
    LocalStarAnswer answer;
    const QString where = QDir::toNativeSeparators(folder.folder);
    // Files skipped as damaged are named whatever the others answer.
    const auto notUsed = [&] {
        if (!folder.skipped.isEmpty())
            answer.status +=
                Texts::tr(" (not used: %1)").arg(folder.skipped.join(QStringLiteral("; ")));
    };
    if (folder.files.empty()) {
        answer.outcome = LocalStarAnswer::Outcome::NoIndexFile;
        answer.status = Texts::tr("Local star catalogue: no star index file in %1").arg(where);
        notUsed();
        answer.page = LocalStarPage(query, {}, answer.status);
        return answer;
    }
    std::vector<StarIndex*> covering;
    for (const auto& f : folder.files)
        if (f->covers(query.ra, query.dec)) covering.push_back(f.get());
    if (covering.empty()) {
        answer.outcome = LocalStarAnswer::Outcome::NotCovered;
        answer.status =
            Texts::tr("Local star catalogue: no index file in %1 covers the field at %2 %3")
                .arg(where, query.raText, query.decText);
        notUsed();
        answer.page = LocalStarPage(query, {}, answer.status);
        return answer;
    }
    std::vector<IndexStar> stars;
    QStringList names;
    const double radius = query.radiusArcmin / 60.0;
    for (StarIndex* f : covering) {
        std::vector<IndexStar> found = f->starsWithin(query.ra, query.dec, radius);
        stars.insert(stars.end(), found.begin(), found.end());
        names << f->name();
    }
    RemoveDuplicateStars(stars);
    const QString source =
        Texts::tr(
            "Source: local star catalogue, astrometry.net index files in %1 (%2). R is the "
            "V magnitude of the files (Tycho V_T), B their blue magnitude where they have one; "
            "identifiers are made from the positions.")
            .arg(where, names.join(QStringLiteral(", ")));
    answer.page = LocalStarPage(query, std::move(stars), source, &answer.rows, &answer.stars);
    answer.status =
        QCoreApplication::translate("LocalStars", "Local star catalogue: %n star(s) from %1",
                                    nullptr, answer.rows)
            .arg(names.size() == 1
                     ? names.first()
                     : Texts::tr("%1 index files in %2").arg(names.size()).arg(where));
    notUsed();
    return answer;
}

std::vector<CatalogueRow> LocalStarRows(const LocalStarAnswer& answer,
                                        std::optional<double> centreRa) {
    return KeptStarRows(answer.stars, centreRa);
}

StarSourceSetting ReadStarSourceSetting(const QString& path) {
    StarSourceSetting setting;
    if (!QFileInfo::exists(path)) return setting;
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("local_stars"));
    setting.local = ini.value(QStringLiteral("source"))
                        .toString()
                        .trimmed()
                        .compare(QLatin1String("local"), Qt::CaseInsensitive) == 0;
    const QString folder = ini.value(QStringLiteral("index_folder")).toString().trimmed();
    if (!folder.isEmpty()) setting.indexFolder = folder;
    return setting;
}

StarSourceSetting& StarSource() {
    static StarSourceSetting setting =
        ReadStarSourceSetting(programfolder::File(QStringLiteral("sites.cfg")));
    return setting;
}

} // namespace catalogues
