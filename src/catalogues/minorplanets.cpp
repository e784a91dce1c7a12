#include "catalogues/minorplanets.h"

#include "catalogues/answerfile.h"
#include "catalogues/cachekeys.h"
#include "field/catalogueviews.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "reduction/rightascension.h"

#include <QCoreApplication>
#include <QUrl>
#include <algorithm>
#include <limits>

using namespace reduction;
using namespace field;

namespace catalogues {

namespace {

constexpr int kFirstRowLine = 14; // lines 1-13 are the heading
constexpr int kClosingLines = 40; // lines after the table
constexpr int kHeadingLines = kFirstRowLine - 1;

// The texts of this file, in the translation context "MinorPlanets".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(MinorPlanets)
};

// A query value as typed, with only what would break the address encoded.
QString queryValue(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, "+"));
}

using textfile::Columns;

double value(QStringView line, qsizetype first, qsizetype last) {
    return numbers::Lenient(Columns(line, first, last));
}

// Splits `answer` into at most `maxLines` lines ending at CR LF, CR or LF; a
// last line without a line end counts when it holds anything. `more` tells
// whether anything follows the last line taken.
std::vector<QByteArrayView> splitLines(QByteArrayView answer, int maxLines, bool& more) {
    std::vector<QByteArrayView> lines;
    qsizetype pos = 0;
    const qsizetype n = answer.size();
    while (pos < n && static_cast<int>(lines.size()) < maxLines) {
        qsizetype end = pos;
        while (end < n && answer[end] != '\r' && answer[end] != '\n')
            ++end;
        lines.push_back(answer.sliced(pos, end - pos));
        if (end < n) end += (answer[end] == '\r' && end + 1 < n && answer[end + 1] == '\n') ? 2 : 1;
        pos = end;
    }
    more = pos < n;
    return lines;
}

QString decodeLine(QByteArrayView bytes) {
    return textfile::Decode(bytes.toByteArray());
}

bool isTableEnd(QStringView line) {
    return Columns(line, 2, 7) == QLatin1String("</pre>");
}

} // namespace

QString MinorPlanetCacheKey(const MinorPlanetFields& f) {
    TypedCentreFields centre;
    centre.ra = f.ra;
    centre.dec = f.dec;
    return MinorPlanetCacheKey(centre, f.date, f.radius, f.limit);
}

void PadCoordinateFields(std::array<QString, 6>& texts) {
    for (QString& t : texts)
        if (t.size() == 1) t.prepend(QLatin1Char('0'));
}

void PadCoordinateFields(MinorPlanetFields& fields) {
    std::array<QString, 6> t{fields.ra[0],  fields.ra[1],  fields.ra[2],
                             fields.dec[0], fields.dec[1], fields.dec[2]};
    PadCoordinateFields(t);
    for (int i = 0; i < 3; ++i) {
        fields.ra[i] = t[i];
        fields.dec[i] = t[3 + i];
    }
}

std::optional<QString> MinorPlanetDayText(const QString& day, const QString& hour,
                                          const QString& minute) {
    const auto d = numbers::Strict(day);
    const auto h = numbers::Strict(hour);
    const auto m = numbers::Strict(minute);
    if (!d || !h || !m) return std::nullopt;
    const double fraction = numbers::RoundHalfEven((*h * 60 + *m) / 60 / 24, 2);
    return numbers::Text(*d + fraction);
}

namespace {
const char* const dateBoxNames[] = {QT_TRANSLATE_NOOP("MinorPlanets", "day"),
                                    QT_TRANSLATE_NOOP("MinorPlanets", "hour"),
                                    QT_TRANSLATE_NOOP("MinorPlanets", "minute")};
} // namespace

QString MinorPlanetDateBoxName(DateBox box) {
    return Texts::tr(dateBoxNames[static_cast<int>(box)]);
}

MinorPlanetQueryReading MakeMinorPlanetQuery(const MinorPlanetFields& f) {
    const QString* texts[] = {&f.date[0], &f.date[3], &f.date[4]};
    for (int i = 0; i < 3; ++i)
        if (!numbers::Strict(*texts[i])) return outcome::Error{static_cast<DateBox>(i), *texts[i]};
    MinorPlanetQuery q;
    q.year = f.date[2];
    q.month = f.date[1];
    q.day = *MinorPlanetDayText(f.date[0], f.date[3], f.date[4]);
    const QChar plus = QLatin1Char('+');
    q.ra = f.ra[0] + plus + f.ra[1] + plus + f.ra[2];
    q.decl = (f.decSign == QLatin1String("-") ? QStringLiteral("-") : QString()) + f.dec[0] + plus +
             f.dec[1] + plus + f.dec[2];
    q.radius = f.radius;
    q.limit = f.limit;
    return q;
}

QString MpcCheckerAddress(const QString& host, const MinorPlanetQuery& q) {
    return host + QLatin1String(kMpcCheckerPath) + QStringLiteral("?year=") + queryValue(q.year) +
           QStringLiteral("&month=") + queryValue(q.month) + QStringLiteral("&day=") +
           queryValue(q.day) + QStringLiteral("&which=pos&ra=") + queryValue(q.ra) +
           QStringLiteral("&decl=") + queryValue(q.decl) + QStringLiteral("&TextArea=&radius=") +
           queryValue(q.radius) + QStringLiteral("&limit=") + queryValue(q.limit) +
           QStringLiteral("&oc=500&sort=d&mot=h&tmot=s&pdes=u&needed=f&ps=n&type=p");
}

CatalogueRow ReadMinorPlanetRow(const QString& line) {
    CatalogueRow planet;
    planet.kind = SkyObjectKind::MinorPlanet;
    planet.id = Columns(line, 1, 7).toString().remove(QLatin1Char('('));
    planet.name = Columns(line, 10, 24).toString().remove(QLatin1Char(' '));

    const double hours =
        (value(line, 29, 30) * 60 + value(line, 26, 27) * 3600 + value(line, 32, 35)) / 3600;
    const double factor = Columns(line, 37, 37) == QLatin1String("-") ? -1.0 : 1.0;
    const double d = value(line, 37, 39);
    const double m = value(line, 41, 42);
    const double s = value(line, 44, 45);
    planet.ra = hours * 15;
    planet.dec = ((factor * d * 3600 + m * 60) + s) * factor / 3600;

    const QString magnitude = Columns(line, 48, 51).trimmed().toString();
    if (!magnitude.isEmpty()) planet.mag = numbers::Strict(magnitude);
    planet.motion1 = Columns(line, 70, 72).toString();
    planet.motion2 = Columns(line, 77, 79).toString();
    return planet;
}

MinorPlanetReadResult ReadMinorPlanetAnswer(QByteArrayView answer, double corrAsd, double corrDec,
                                            double centreRa, MinorPlanetTable& table) {
    MinorPlanetReadResult result;
    result.positions.resize(1);
    bool more = false;
    const std::vector<QByteArrayView> raw = splitLines(answer, kMinorPlanetMaxLines, more);
    result.lines = static_cast<int>(raw.size());
    result.tooManyLines = more;

    for (int i = 0; i < std::min(kHeadingLines, result.lines) && !result.tableFound; ++i)
        result.tableFound = raw[i].toByteArray().toLower().contains("<pre>");

    const int capacity = std::min(kMinorPlanetMaxRows, static_cast<int>(table.ra.size()) - 1);
    const int lastLine = result.lines - kClosingLines;
    int row = 0;
    for (int i = kFirstRowLine; result.tableFound && i <= lastLine; ++i) {
        const QString line = decodeLine(raw[i - 1]);
        if (isTableEnd(line)) break;
        if (row == capacity) {
            result.tooManyRows = true;
            break;
        }
        ++row;
        CatalogueRow planet = ReadMinorPlanetRow(line);
        result.positions.push_back(planet.sky());
        planet.ra = UnwrapRa(planet.ra, centreRa);
        result.planets.push_back(std::move(planet));
    }
    ScaleMinorPlanetTable(result.planets, corrAsd, corrDec, table);
    result.count = row;
    return result;
}

MinorPlanetReadResult ReadHandedMinorPlanetRows(std::vector<CatalogueRow> rows, double corrAsd,
                                                double corrDec, double centreRa,
                                                MinorPlanetTable& table) {
    MinorPlanetReadResult result;
    result.tableFound = true;
    const size_t capacity =
        static_cast<size_t>(std::min(kMinorPlanetMaxRows, static_cast<int>(table.ra.size()) - 1));
    if (rows.size() > capacity) {
        result.tooManyRows = true;
        rows.resize(capacity);
    }
    result.positions.resize(1);
    for (CatalogueRow& planet : rows) {
        result.positions.push_back(planet.sky());
        planet.ra = UnwrapRa(planet.ra, centreRa);
    }
    result.planets = std::move(rows);
    result.count = static_cast<int>(result.planets.size());
    result.lines = kHeadingLines + result.count + kClosingLines;
    ScaleMinorPlanetTable(result.planets, corrAsd, corrDec, table);
    return result;
}

MinorPlanetFileResult ReadMinorPlanetFile(const QString& path, double corrAsd, double corrDec,
                                          double centreRa, MinorPlanetTable& table) {
    MinorPlanetFileResult result;
    const auto read = ReadAnswerFile(path);
    if (!read) result.read = read.error();
    result.rows = ReadMinorPlanetAnswer(read.value_or({}), corrAsd, corrDec, centreRa, table);
    return result;
}

QStringList MinorPlanetReadNotes(const MinorPlanetFileResult& r) {
    QStringList notes;
    if (!r.read) {
        notes << Texts::tr(
                     "Minor planets: the answer file could not be read (%1); no minor planet is "
                     "shown")
                     .arg(r.read.error().message);
        return notes;
    }
    if (!r.rows.tableFound)
        notes << Texts::tr(
            "Minor planets: the service's answer holds no table (an error page?); no "
            "minor planet is shown");
    if (r.rows.tooManyLines)
        notes << Texts::tr(
                     "Minor planets: the answer is too long; only its first %1 lines were read")
                     .arg(kMinorPlanetMaxLines);
    if (r.rows.tooManyRows)
        notes << Texts::tr(
                     "Minor planets: the table has more than %1 rows; only the first %1 were read")
                     .arg(kMinorPlanetMaxRows);
    return notes;
}

} // namespace catalogues
