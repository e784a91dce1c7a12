#include "catalogues/usnoa2.h"

#include "platform/numbers.h"
#include "reduction/sexagesimal.h"

#include <QFile>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {

// A query value as typed, with only what would break the address encoded.
QString queryValue(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, "+"));
}

// Characters [start, start + length) of `piece` (0-based), cut at its end.
QString column(QByteArrayView piece, qsizetype start, qsizetype length) {
    if (start >= piece.size()) return QString();
    length = std::min(length, piece.size() - start);
    return QString::fromLatin1(piece.sliced(start, length));
}

// The same characters as bytes.
QByteArrayView bytes(QByteArrayView piece, qsizetype start, qsizetype length) {
    if (start >= piece.size()) return QByteArrayView();
    return piece.sliced(start, std::min(length, piece.size() - start));
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

TypedCentreReading ReadTypedCentre(const TypedCentreFields& fields) {
    static const char* const raNames[] = {"right ascension, hours", "right ascension, minutes",
                                          "right ascension, seconds"};
    static const char* const decNames[] = {"declination, degrees", "declination, minutes",
                                           "declination, seconds"};
    TypedCentreReading reading;
    const auto value = [&reading](const QString& text, const char* name) -> std::optional<double> {
        const auto v = numbers::strict(text);
        if (!v && reading.badField.isEmpty()) {
            reading.badField = QString::fromLatin1(name);
            reading.badText = text;
        }
        return v;
    };
    std::array<double, 3> ra{}, dec{};
    for (int i = 0; i < 3; ++i) {
        const auto v = value(fields.ra[i], raNames[i]);
        if (!v) return reading;
        ra[i] = *v;
    }
    for (int i = 0; i < 3; ++i) {
        const auto v = value(fields.dec[i], decNames[i]);
        if (!v) return reading;
        dec[i] = *v;
    }
    const auto epoch = value(fields.epoch, "epoch");
    if (!epoch) return reading;
    TypedCentre c;
    c.south = fields.decSign == QLatin1String("-");
    c.ra = (ra[0] * 3600 + ra[1] * 60 + ra[2]) / 3600 * 15;
    c.dec = (c.south ? -1 : 1) * (dec[0] * 3600 + dec[1] * 60 + dec[2]) / 3600;
    c.epoch = *epoch;
    reading.centre = c;
    return reading;
}

StarQueryCoordinates MakeStarQueryCoordinates(const TypedCentre& centre, double dRA, double dDec) {
    StarQueryCoordinates q;
    int16_t whole = 0, minutes = 0;
    double seconds = 0;
    SplitSexagesimal((centre.ra + dRA) / 15, whole, minutes, seconds);
    q.ra = QString::number(whole) + QLatin1Char('+') + QString::number(minutes) + QLatin1Char('+') +
           wholeText(numbers::roundHalfEven(seconds));
    SplitSexagesimal(centre.dec + dDec, whole, minutes, seconds);
    q.dec = (centre.south ? QStringLiteral("-") : QString()) + QString::number(std::abs(whole)) +
            QLatin1Char('+') + QString::number(minutes) + QLatin1Char('+') +
            wholeText(numbers::roundHalfEven(seconds));
    return q;
}

StarReadResult ReadUsnoA2Answer(QByteArrayView answer, double corrAsd, double corrDec,
                                CatalogueStarTable& table) {
    constexpr qsizetype kRowLength = 66;
    StarReadResult result;
    const qsizetype marker = answer.indexOf(QByteArrayView("</b>   1 U"));
    int row = 1;
    if (marker >= 0) {
        // Rows start right after "</b>": three blanks, the row number, a
        // blank, then the identifier in column 6.
        qsizetype pos = marker + 4;
        while (row <= CatalogueStarTable::kCapacity && pos < answer.size()) {
            const QByteArrayView piece =
                answer.sliced(pos, std::min(kRowLength, answer.size() - pos));
            pos += kRowLength;
            if (piece.size() < 6 || piece[5] != 'U') break;
            table.id[row] = column(piece, 5, 14);
            table.ra[row] = numbers::roundHalfEven(numbers::lenient(bytes(piece, 20, 9)) * corrAsd);
            table.dec[row] =
                numbers::roundHalfEven(numbers::lenient(bytes(piece, 30, 9)) * corrDec);
            table.magRed[row] = column(piece, 40, 4);
            table.magBlue[row] = column(piece, 45, 4);
            ++row;
        }
    }
    result.rowsRead = row - 1;
    result.inUse = std::min(result.rowsRead, int(CatalogueStarTable::kInUseLimit));
    table.rowsRead = static_cast<int16_t>(result.rowsRead);
    table.inUse = static_cast<int16_t>(result.inUse);
    return result;
}

StarFileResult ReadUsnoA2File(const QString& path, double corrAsd, double corrDec,
                              CatalogueStarTable& table) {
    StarFileResult result;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        result.error = f.errorString();
        result.rows = ReadUsnoA2Answer(QByteArrayView(), corrAsd, corrDec, table);
        return result;
    }
    result.opened = true;
    const QByteArray bytes = f.readAll();
    result.rows = ReadUsnoA2Answer(bytes, corrAsd, corrDec, table);
    return result;
}
