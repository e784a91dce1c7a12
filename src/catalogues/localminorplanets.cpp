#include "catalogues/localminorplanets.h"

#include "catalogues/sites.h"
#include "catalogues/usnoa2.h"
#include "platform/angles.h"
#include "platform/background.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

#include <cmath>

using namespace reduction;
using namespace field;

namespace catalogues {

namespace {

using angles::kDegree;
constexpr double kMaxRadius = 10800; // arc-minutes: the whole sky
constexpr int kHeadingLines = 13;
constexpr int kClosingLines = 40; // from the " </pre>" line to the end

// The texts of this file, in the translation context "LocalMinorPlanets".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(LocalMinorPlanets)
};

// "hh mm ss.s" of a right ascension in degrees, tenths of seconds rounded
// half to even and carried (23 59 59.96 becomes 00 00 00.0).
QString RaText(double degrees) {
    const long total = long(numbers::RoundHalfEven(degrees / 15.0 * 36000.0)) % 864000;
    const long tenths = total < 0 ? total + 864000 : total;
    return QStringLiteral("%1 %2 %3.%4")
        .arg(tenths / 36000, 2, 10, QLatin1Char('0'))
        .arg(tenths / 600 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths / 10 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

// "+dd mm ss" of a declination in degrees, whole seconds rounded half to even.
QString DecText(double degrees) {
    const long total = long(numbers::RoundHalfEven(std::abs(degrees) * 3600.0));
    const QChar sign = degrees < 0 && total > 0 ? u'-' : u'+';
    return QStringLiteral("%1%2 %3 %4")
        .arg(sign)
        .arg(total / 3600, 2, 10, QLatin1Char('0'))
        .arg(total / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 60, 2, 10, QLatin1Char('0'));
}

// Seven columns: "nnnn.n" and the direction letter.
QString OffsetText(double arcminutes, QChar positive, QChar negative) {
    const double size = std::abs(arcminutes);
    const QString number = size < 9999.95 ? QString::number(numbers::RoundHalfEven(size, 1), 'f', 1)
                                          : QString::number(numbers::RoundHalfEven(size), 'f', 0);
    return number.rightJustified(6) + (arcminutes < 0 ? negative : positive);
}

// Seven columns: the whole number of arcseconds per hour, then its sign.
QString MotionText(double rate) {
    const double rounded = numbers::RoundHalfEven(rate);
    return QString::number(std::abs(rounded), 'f', 0).rightJustified(6) +
           (rounded < 0 ? u'-' : u'+');
}

QString Fixed(double value, int decimals) {
    return QString::number(numbers::RoundHalfEven(value, decimals), 'f', decimals);
}

// The page is read column by column as 8-bit text: names are kept to ASCII
// (accents dropped) so that one character is one byte.
QString AsciiName(const QString& name) {
    QString out;
    for (QChar c : name.normalized(QString::NormalizationForm_KD))
        if (c.unicode() >= 32 && c.unicode() < 127) out += c;
    return out;
}

QString Row(const ephemeris::ObjectName& object, const ephemeris::Sighting& s,
            const LocalMinorPlanetQuery& q) {
    const double ra = s.place.ra / kDegree;
    const double dec = s.place.dec / kDegree;
    QString number;
    if (object.number > 0) {
        number = QStringLiteral("(%1)").arg(object.number);
        if (number.size() > 8) number.remove(0, 1); // keeps ")" in column 8
    }
    const double dRa = std::remainder(ra - q.ra, 360.0) * 60.0 * std::cos(q.dec * kDegree);
    const double dDec = (dec - q.dec) * 60.0;
    QString line = number.rightJustified(8) + QLatin1Char(' ') +
                   AsciiName(object.name).left(15).leftJustified(15) + QLatin1Char(' ') +
                   RaText(ra) + QLatin1Char(' ') + DecText(dec) + QStringLiteral("  ") +
                   Fixed(s.magnitude, 1).rightJustified(4) + OffsetText(dRa, u'E', u'W') +
                   OffsetText(dDec, u'N', u'S') + MotionText(s.raRate) + MotionText(s.decRate);
    line += object.oppositions > 0 ? QStringLiteral("%1o").arg(object.oppositions, 5)
                                   : QString(6, QLatin1Char(' '));
    line += QStringLiteral("  elong. %1, r %2 AU, Delta %3 AU")
                .arg(Fixed(s.place.elongation / kDegree, 0))
                .arg(Fixed(s.place.r, 2))
                .arg(Fixed(s.place.delta, 2));
    return line;
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped().replace(QStringLiteral("--"), QStringLiteral("- -"));
}

} // namespace

outcome::Result<LocalMinorPlanetQuery, LocalAnswerError>
ReadLocalMinorPlanetQuery(const MinorPlanetFields& t) {
    QString error;
    auto whole = [&error](const QString& text, const QString& field) -> std::optional<int> {
        const auto v = numbers::Strict(text);
        if (!v || *v != std::floor(*v) || std::abs(*v) > 1e6) {
            error = Texts::tr("the %1 \"%2\" is not a whole number").arg(field, text);
            return std::nullopt;
        }
        return int(*v);
    };
    const auto wrongDate = [&error] { return outcome::Error{LocalAnswerError::DateTime, error}; };
    const auto day = whole(t.date[0], Texts::tr("day"));
    if (!day) return wrongDate();
    const auto month = whole(t.date[1], Texts::tr("month"));
    if (!month) return wrongDate();
    const auto year = whole(t.date[2], Texts::tr("year"));
    if (!year) return wrongDate();
    const auto hour = whole(t.date[3], Texts::tr("hour"));
    if (!hour) return wrongDate();
    const auto minute = whole(t.date[4], Texts::tr("minute"));
    if (!minute) return wrongDate();
    const auto tt = ephemeris::UtcToTT(*year, *month, *day, *hour, *minute);
    if (!tt || *hour > 23 || *minute > 59) {
        return outcome::Error{LocalAnswerError::DateTime,
                              Texts::tr("%1-%2-%3 %4:%5 is not a date and time")
                                  .arg(t.date[2], t.date[1], t.date[0], t.date[3], t.date[4])};
    }

    TypedCentreFields fields;
    fields.ra = t.ra;
    fields.dec = t.dec;
    fields.decSign = t.decSign;
    fields.epoch = QStringLiteral("2000");
    const TypedCentreReading centre = ReadTypedCentre(fields);
    if (!centre) {
        return outcome::Error{
            LocalAnswerError::Centre,
            Texts::tr("the %1 \"%2\" is not a number")
                .arg(field::CentreBoxName(centre.error().kind), centre.error().message)};
    }
    if (centre->ra < 0 || centre->ra >= 360 || std::abs(centre->dec) > 90) {
        return outcome::Error{
            LocalAnswerError::Centre,
            Texts::tr("the centre %1 %2 %3, %4%5 %6 %7 is not a place in the sky")
                .arg(t.ra[0], t.ra[1], t.ra[2], t.decSign, t.dec[0], t.dec[1], t.dec[2])};
    }
    const auto radius = numbers::Strict(t.radius);
    if (!radius || *radius <= 0 || *radius > kMaxRadius) {
        return outcome::Error{
            LocalAnswerError::Radius,
            Texts::tr("the radius \"%1\" is not a number of arc-minutes from 0 to %2")
                .arg(t.radius)
                .arg(kMaxRadius)};
    }
    const auto limit = numbers::Strict(t.limit);
    if (!limit) {
        return outcome::Error{LocalAnswerError::Limit,
                              Texts::tr("the magnitude limit \"%1\" is not a number").arg(t.limit)};
    }
    LocalMinorPlanetQuery q;
    q.year = *year;
    q.month = *month;
    q.day = *day;
    q.hour = *hour;
    q.minute = *minute;
    q.tt = *tt;
    q.ra = centre->ra;
    q.dec = centre->dec;
    q.radius = *radius;
    q.limit = *limit;
    return q;
}

ephemeris::FieldSearch FieldSearchOf(const LocalMinorPlanetQuery& query) {
    ephemeris::FieldSearch search;
    search.tt = query.tt;
    search.ra = query.ra * kDegree;
    search.dec = query.dec * kDegree;
    search.radius = query.radius / 60.0 * kDegree;
    search.faintest = query.limit;
    return search;
}

QByteArray LocalMinorPlanetPage(const ephemeris::OrbitCatalogue& catalogue,
                                const std::vector<ephemeris::Sighting>& found,
                                const MinorPlanetFields& texts, const LocalMinorPlanetQuery& q,
                                const QString& source, std::vector<CatalogueRow>* rows) {
    const qsizetype listed = std::min<qsizetype>(qsizetype(found.size()), kLocalPageRows);
    // The day as the service is asked for it: day + fraction to 0.01 day.
    const double fraction = numbers::RoundHalfEven((q.hour * 60 + q.minute) / 60.0 / 24.0, 2);
    const QString when = QStringLiteral("%1 %2 %3 (%4:%5 UTC)")
                             .arg(q.year)
                             .arg(q.month, 2, 10, QLatin1Char('0'))
                             .arg(Fixed(q.day + fraction, 2).rightJustified(5, QLatin1Char('0')))
                             .arg(q.hour, 2, 10, QLatin1Char('0'))
                             .arg(q.minute, 2, 10, QLatin1Char('0'));
    const QString centre = QStringLiteral("R.A. = %1 %2 %3, Decl. = %4%5 %6 %7")
                               .arg(texts.ra[0], texts.ra[1], texts.ra[2], texts.decSign,
                                    texts.dec[0], texts.dec[1], texts.dec[2]);

    QStringList lines = {
        QStringLiteral("<html>"),
        QStringLiteral("<head><title>Minor planets in the field (computed on this "
                       "machine)</title></head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<!-- Computed by astroplate from the orbital elements of %1: two-body "
                       "positions, not produced by the Minor Planet Center. -->")
            .arg(Escaped(source)),
        QStringLiteral("<h1>Minor planets in the field</h1>"),
        QStringLiteral("Here are the results of your search in the requested field"),
        QStringLiteral(" (positions computed on this machine from osculating elements; see the "
                       "notes below)"),
        QStringLiteral(":<p><hr><p>"),
        QStringLiteral("The following objects, brighter than <i>V</i> = %1, were found in the "
                       "%2-arcminute region around %3 (J2000.0) on %4:")
            .arg(Fixed(q.limit, 1), Fixed(q.radius, 1), Escaped(centre), when),
        QStringLiteral(" <pre>"),
        QStringLiteral(" Object designation         R.A.      Decl.     V       Offsets     "
                       "Motion/hr   Orbit  Comment"),
        QStringLiteral("                           h  m  s     &#176;  '  \"        R.A.   "
                       "Decl.  R.A.  Decl.        (elongation, distances)"),
        QStringLiteral(" "),
    };
    Q_ASSERT(lines.size() == kHeadingLines);
    if (rows) rows->clear();
    for (qsizetype i = 0; i < listed; ++i) {
        lines << Row(catalogue.name(found[std::size_t(i)].index), found[std::size_t(i)], q);
        // Taken from the row as written, so that it is what the reader takes.
        if (rows) rows->push_back(ReadMinorPlanetRow(lines.constLast()));
    }
    QStringList closing = {
        QStringLiteral(" </pre>"),
        QStringLiteral(" <p><hr><p>"),
        QStringLiteral(" Number of objects checked = %1").arg(catalogue.size(), 8),
        listed < qsizetype(found.size())
            ? QStringLiteral(" Found: %1; only the %2 nearest are listed.")
                  .arg(found.size())
                  .arg(listed)
            : QStringLiteral(" Found: %1.").arg(found.size()),
        QStringLiteral(" <p><hr><p>"),
        QStringLiteral(" <h2>Explanatory Notes</h2>"),
        QStringLiteral(" <ul>"),
        QStringLiteral(" <li>Positions are geocentric (code 500) astrometric J2000.0 positions,"),
        QStringLiteral("     light time included, no aberration: they compare directly with"),
        QStringLiteral("     catalogue star positions."),
        QStringLiteral(" <li>Each orbit is carried from the epoch of its elements as an"),
        QStringLiteral("     unperturbed two-body orbit, so positions drift away from the"),
        QStringLiteral("     true ones as the date moves away from that epoch; elements"),
        QStringLiteral("     with an epoch near the date keep the error small."),
        QStringLiteral(" <li>Only the objects of the element file were checked."),
        QStringLiteral(" <li>Offsets from the search position are in arc-minutes, east or west"),
        QStringLiteral("     (R.A. difference times cos(Decl.) of the centre) and north or"),
        QStringLiteral("     south."),
        QStringLiteral(" <li>Motions are in arcseconds per hour; the R.A. motion includes the"),
        QStringLiteral("     cos(Decl.) factor, and the sign follows the number."),
        QStringLiteral(" <li>V is computed from H and G (G = 0.15 where none is known); objects"),
        QStringLiteral("     without H are left out."),
        QStringLiteral(" <li>The orbit column holds the number of oppositions where the element"),
        QStringLiteral("     file gives it."),
        QStringLiteral(" <li>The comment gives the elongation from the Sun (degrees) and the"),
        QStringLiteral("     distances from the Sun and the Earth."),
        QStringLiteral(" </ul>"),
        QStringLiteral(" <p><hr><p>"),
        QStringLiteral(" <h2>Query</h2>"),
        QStringLiteral(" <ul>"),
        QStringLiteral(" <li>around a position, observatory code 500 (geocentre)"),
        QStringLiteral(" <li>sorted by increasing distance from the position"),
        QStringLiteral(" <li>motions per hour, R.A. and Decl. separately"),
        QStringLiteral(" </ul>"),
        QStringLiteral(" <p><hr><p>"),
        QStringLiteral("<address>"),
        QStringLiteral("astroplate"),
        QStringLiteral("</address>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    Q_ASSERT(closing.size() == kClosingLines);
    lines << closing;
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

std::shared_ptr<const ephemeris::OrbitFileReading>
OrbitFileCache::read(const QString& path, const ephemeris::OrbitFileControl& control) {
    if (m_busy) {
        return std::make_shared<ephemeris::OrbitFileReading>(
            outcome::Error{ephemeris::OrbitFileFailure::Cancelled,
                           Texts::tr("another element file is still being read")});
    }
    const QFileInfo info(path);
    const QString stamp =
        QStringLiteral("%1/%2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    if (m_reading && path == m_path && stamp == m_stamp) return m_reading;
    m_reading.reset(); // frees a large catalogue before the next one is read

    // Read on a worker; the hooks are relayed to this thread.
    background::Progress progress;
    const ephemeris::OrbitFileControl relay = ephemeris::ControlThrough(progress);
    progress.cancel = control.cancelled && control.cancelled();
    auto reading = std::make_shared<ephemeris::OrbitFileReading>(ephemeris::OrbitFile{});
    m_busy = true;
    background::Run([&] { *reading = ephemeris::ReadOrbitFile(path, limits, relay); },
                    [&] {
                        if (control.cancelled && control.cancelled()) progress.cancel = true;
                        if (control.progress && progress.total >= 0)
                            control.progress(progress.done, progress.total);
                    });
    m_busy = false;
    if (reading->ok()) {
        m_path = path;
        m_stamp = stamp;
        m_reading = reading;
    }
    return reading;
}

OrbitFileCache& LoadedOrbitFiles() {
    static OrbitFileCache cache;
    return cache;
}

QString LocalMinorPlanetElementsPath() {
    return LocalMinorPlanetElementsPath(Sites());
}

QString LocalMinorPlanetElementsPath(const SiteHosts& sites) {
    const QString name = sites.minorPlanetElements;
    return QFileInfo(name).isAbsolute() ? name : programfolder::File(name);
}

outcome::Result<LocalAnswer, LocalAnswerError>
WriteLocalMinorPlanetAnswer(const QString& elementsPath, const MinorPlanetFields& texts,
                            const QString& answerPath, const ephemeris::OrbitFileControl& control) {
    const auto query = ReadLocalMinorPlanetQuery(texts);
    if (!query) return query.error();
    const auto reading = LoadedOrbitFiles().read(elementsPath, control);
    if (!reading->ok())
        return outcome::Error{LocalAnswerError::ElementFile,
                              Texts::tr("%1: %2").arg(elementsPath, reading->error().message)};
    const ephemeris::OrbitFile& file = **reading;
    LocalAnswer result;
    if (file.skipped > 0)
        result.warnings << Texts::tr("%1: %2 record(s) left out; first: %3")
                               .arg(QFileInfo(elementsPath).fileName())
                               .arg(file.skipped)
                               .arg(file.problems.value(0));

    const auto found = ephemeris::FindInField(file.catalogue, FieldSearchOf(*query));
    std::vector<CatalogueRow> planets;
    const QByteArray page = LocalMinorPlanetPage(file.catalogue, found, texts, *query,
                                                 QFileInfo(elementsPath).fileName(), &planets);
    if (const auto written = textfile::WriteBytes(answerPath, page); !written)
        return outcome::Error{LocalAnswerError::AnswerFile,
                              Texts::tr("%1: %2").arg(answerPath, written.error().message)};
    result.planets = std::move(planets);
    result.objects = int(std::min<std::size_t>(found.size(), kLocalPageRows));
    if (found.size() > std::size_t(kLocalPageRows))
        result.warnings << Texts::tr("%1 minor planets found; only the %2 nearest are listed")
                               .arg(found.size())
                               .arg(kLocalPageRows);
    result.status = Texts::tr("%1 minor planet(s) computed from %2 orbits of %3")
                        .arg(result.objects)
                        .arg(file.catalogue.size())
                        .arg(QFileInfo(elementsPath).fileName());
    return result;
}

} // namespace catalogues
