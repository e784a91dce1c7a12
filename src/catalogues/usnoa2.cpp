#include "catalogues/usnoa2.h"

#include "catalogues/answerfile.h"
#include "field/catalogueviews.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "reduction/precession.h"
#include "reduction/rightascension.h"
#include "reduction/sexagesimal.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace reduction;
using namespace field;

namespace catalogues {

namespace {

// A query value as typed, with only what would break the address encoded.
QString queryValue(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, "+"));
}

using textfile::Columns;

// A magnitude column: nothing when it is blank or holds no number.
std::optional<double> magnitude(QByteArrayView text) {
    const QString t = QString::fromLatin1(text).trimmed();
    if (t.isEmpty()) return std::nullopt;
    return numbers::Strict(t);
}

// Calls visit(row, piece) for the rows of an answer, row 1 first, each
// piece the row's 66 bytes (or what is left of the answer); stops at the
// first piece without "U" in column 6 or after `limit` rows. The number of
// rows visited.
template <class Visit> int forEachRow(QByteArrayView answer, int limit, Visit visit) {
    constexpr qsizetype kRowLength = 66;
    const qsizetype marker = answer.indexOf(QByteArrayView("</b>   1 U"));
    if (marker < 0) return 0;
    // Rows start right after "</b>": three blanks, the row number, a blank,
    // then the identifier in column 6.
    qsizetype pos = marker + 4;
    int row = 1;
    while (row <= limit && pos < answer.size()) {
        const QByteArrayView piece = answer.sliced(pos, std::min(kRowLength, answer.size() - pos));
        pos += kRowLength;
        if (piece.size() < 6 || piece[5] != 'U') break;
        visit(row, piece);
        ++row;
    }
    return row - 1;
}

// The right ascension (degrees) of the query centre in the heading before
// the rows, "Stars around H M S [+-]D M S (J2000)...": nothing when the page
// has no such heading or its hours, minutes and seconds are not numbers in
// range.
std::optional<double> headingCentreRa(QByteArrayView answer) {
    const QByteArrayView key("Stars around ");
    qsizetype end = answer.indexOf(QByteArrayView("</b>   1 U"));
    if (end < 0) end = answer.size();
    const qsizetype at = answer.first(end).indexOf(key);
    if (at < 0) return std::nullopt;
    const qsizetype stop = answer.indexOf('\n', at);
    const QByteArray line =
        answer.sliced(at + key.size(), (stop < 0 ? end : stop) - at - key.size()).toByteArray();
    const QList<QByteArray> parts = line.simplified().split(' ');
    if (parts.size() < 3) return std::nullopt;
    double hms[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        hms[i] = parts[i].toDouble(&ok);
        if (!ok || !std::isfinite(hms[i]) || hms[i] < 0) return std::nullopt;
    }
    if (hms[0] >= 24 || hms[1] > 60 || hms[2] > 60) return std::nullopt;
    return NormaliseRa(15 * (hms[0] + hms[1] / 60 + hms[2] / 3600));
}

QString wholeText(double value) {
    return QString::number(static_cast<long long>(value));
}

} // namespace

QString UsnoA2Address(const QString& host, const QString& epoch, const QString& ra,
                      const QString& dec, const QString& radius, const QString& magFaint) {
    return host + QLatin1String(kUsnoA2Path) + QStringLiteral("?catalogue=usnoa&epoch=") +
           queryValue(epoch) + QStringLiteral("&chart=0&ra=") + queryValue(ra) +
           QStringLiteral("&dec=") + queryValue(dec) + QStringLiteral("&object=&radmax=") +
           queryValue(radius) + QStringLiteral("&magbright=0&magfaint=") + queryValue(magFaint) +
           QStringLiteral(".&format=2&sort=mr&nout=5000");
}

StarQueryCoordinates MakeStarQueryCoordinates(const TypedCentre& centre, double dRA, double dDec) {
    StarQueryCoordinates q;
    int16_t whole = 0, minutes = 0;
    double seconds = 0;
    SplitSexagesimal((centre.ra + dRA) / 15, whole, minutes, seconds);
    q.ra = QString::number(whole) + QLatin1Char('+') + QString::number(minutes) + QLatin1Char('+') +
           wholeText(numbers::RoundHalfEven(seconds));
    SplitSexagesimal(centre.dec + dDec, whole, minutes, seconds);
    q.dec = (centre.south ? QStringLiteral("-") : QString()) + QString::number(std::abs(whole)) +
            QLatin1Char('+') + QString::number(minutes) + QLatin1Char('+') +
            wholeText(numbers::RoundHalfEven(seconds));
    return q;
}

StarQueryPlan PlanStarQuery(const TypedCentreFields& fields) {
    StarQueryPlan plan{ReadTypedCentre(fields), {}};
    if (const auto& c = plan.reading) {
        const PrecessionDelta delta = PrecessFromJ2000(4000 - c->epoch, c->ra, c->dec);
        plan.coordinates = MakeStarQueryCoordinates(*c, delta.dRA, delta.dDec);
    }
    return plan;
}

std::vector<CatalogueRow> ReadUsnoA2Rows(QByteArrayView answer, std::optional<double> centreRa) {
    std::vector<CatalogueRow> rows;
    forEachRow(answer, CatalogueStarTable::kCapacity, [&](int, QByteArrayView piece) {
        CatalogueRow r;
        r.id = QString::fromLatin1(Columns(piece, 6, 19));
        r.ra = numbers::Lenient(Columns(piece, 21, 29));
        if (centreRa) r.ra = UnwrapRa(r.ra, *centreRa);
        r.dec = numbers::Lenient(Columns(piece, 31, 39));
        r.mag = magnitude(Columns(piece, 41, 44));
        r.magBlue = magnitude(Columns(piece, 46, 49));
        rows.push_back(std::move(r));
    });
    return rows;
}

std::vector<CatalogueRow> KeptStarRows(const std::vector<CatalogueRow>& rows,
                                       std::optional<double> centreRa) {
    const size_t kept = std::min(rows.size(), static_cast<size_t>(CatalogueStarTable::kCapacity));
    std::vector<CatalogueRow> out(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(kept));
    if (centreRa)
        for (CatalogueRow& r : out)
            r.ra = UnwrapRa(r.ra, *centreRa);
    return out;
}

StarReadResult ReadUsnoA2Answer(QByteArrayView answer, double corrAsd, double corrDec,
                                CatalogueStarTable& table, std::optional<double> centreRa) {
    const std::vector<CatalogueRow> rows = ReadUsnoA2Rows(answer, centreRa);
    StarReadResult result;
    result.rowsRead = ScaleStarTable(rows, corrAsd, corrDec, table);
    result.inUse = table.inUse;
    return result;
}

std::optional<double> StarAnswerCentreRa(QByteArrayView answer) {
    if (const auto ra = headingCentreRa(answer)) return ra;
    // The mean direction of the brightest rows' right ascensions.
    double sumSin = 0, sumCos = 0;
    forEachRow(answer, 10, [&](int, QByteArrayView piece) {
        const double ra = numbers::Lenient(Columns(piece, 21, 29)) * (std::numbers::pi / 180);
        if (!std::isfinite(ra)) return;
        sumSin += std::sin(ra);
        sumCos += std::cos(ra);
    });
    if (sumSin == 0 && sumCos == 0) return std::nullopt;
    return NormaliseRa(std::atan2(sumSin, sumCos) * (180 / std::numbers::pi));
}

namespace {

// ReadUsnoA2File with the right ascensions unwrapped about centreOf(answer).
template <class CentreOf>
StarFileResult readFile(const QString& path, double corrAsd, double corrDec,
                        CatalogueStarTable& table, CentreOf centreOf) {
    StarFileResult result;
    const auto read = ReadAnswerFile(path);
    const QByteArray bytes = read.value_or({});
    if (!read) result.read = read.error();
    result.stars = ReadUsnoA2Rows(bytes, centreOf(bytes));
    result.rows.rowsRead = ScaleStarTable(result.stars, corrAsd, corrDec, table);
    result.rows.inUse = table.inUse;
    return result;
}

} // namespace

StarFileResult ReadUsnoA2File(const QString& path, double corrAsd, double corrDec,
                              CatalogueStarTable& table, std::optional<double> centreRa) {
    return readFile(path, corrAsd, corrDec, table, [centreRa](QByteArrayView) { return centreRa; });
}

StarFileResult ReadUsnoA2FileAboutItsCentre(const QString& path, double corrAsd, double corrDec,
                                            CatalogueStarTable& table) {
    return readFile(path, corrAsd, corrDec, table, StarAnswerCentreRa);
}

StarFileResult ReadSessionStars(SessionState& s, const QString& path,
                                const TypedCentreFields& typed) {
    if (s.StarAnswerStale) {
        s.Catalogue.stars.clear();
        s.Stars.rowsRead = s.Stars.inUse = 0;
        StarFileResult none;
        none.read = outcome::Error{
            outcome::FileError::BadContent,
            QCoreApplication::translate(
                "StarReader", "the last download failed, so the star answer on disk belongs to "
                              "another field; no star is read until a download succeeds")};
        return none;
    }
    const auto centre = TypedCentreJ2000(typed, 1, 1);
    const std::optional<double> centreRa = centre ? std::optional(centre->ra) : std::nullopt;
    if (s.StarAnswerRows) {
        StarFileResult handed;
        handed.stars = KeptStarRows(*s.StarAnswerRows, centreRa);
        handed.rows.rowsRead =
            ScaleStarTable(handed.stars, s.Plate.corrAsd, s.Plate.corrDec, s.Stars);
        handed.rows.inUse = s.Stars.inUse;
        s.Catalogue.stars = handed.stars;
        return handed;
    }
    StarFileResult read = ReadUsnoA2File(path, s.Plate.corrAsd, s.Plate.corrDec, s.Stars, centreRa);
    s.Catalogue.stars = read.stars;
    return read;
}

} // namespace catalogues
