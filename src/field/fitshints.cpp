#include "field/fitshints.h"

#include "platform/angles.h"
#include "platform/numbers.h"
#include "reduction/ccdfield.h"
#include "reduction/sexagesimal.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cmath>

using namespace reduction;
using namespace imaging;

namespace field {

namespace {

// The texts of this file, in the translation context "FitsHints".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(FitsHints)
};

// A number card, or a sexagesimal text card: value in the text's unit, and
// whether it was sexagesimal.
std::optional<double> angleValue(const FitsHeader& header, const QString& key, bool* sexagesimal) {
    *sexagesimal = false;
    const FitsCard* card = header.find(key);
    if (!card || card->value.trimmed().isEmpty()) return std::nullopt;
    if (!card->isString)
        if (const auto v = header.number(key)) return v;
    const auto read = ReadSexagesimal(card->value);
    if (!read) return std::nullopt;
    *sexagesimal = read->fields.size() > 1;
    return read->negative ? -read->value : read->value;
}

FitsCentreHint centreTexts(double raDeg, double decDeg) {
    FitsCentreHint c;
    raDeg = std::fmod(std::fmod(raDeg, 360.0) + 360.0, 360.0);
    long long tenths = std::llround(raDeg / 15.0 * 36000.0) % (24LL * 36000);
    c.ra = {QString::number(tenths / 36000), QString::number(tenths % 36000 / 600),
            QString::number(static_cast<double>(tenths % 600) / 10.0, 'f', 1)};
    c.decSign = decDeg < 0 ? QStringLiteral("-") : QStringLiteral("+");
    const long long seconds = std::llround(std::min(std::abs(decDeg), 90.0) * 3600.0);
    c.dec = {QString::number(seconds / 3600), QString::number(seconds % 3600 / 60),
             QString::number(seconds % 60)};
    if (seconds == 0) c.decSign = QStringLiteral("+");
    return c;
}

std::optional<FitsCentreHint> centreHint(const FitsHeader& header) {
    struct Pair {
        const char* ra;
        const char* dec;
        bool raInHoursWhenNumber;
    };
    static const Pair pairs[] = {
        {"RA", "DEC", false}, {"OBJCTRA", "OBJCTDEC", true}, {"CRVAL1", "CRVAL2", false}};
    for (const Pair& p : pairs) {
        const QString raKey = QString::fromLatin1(p.ra), decKey = QString::fromLatin1(p.dec);
        if (raKey == QLatin1String("CRVAL1") &&
            !header.text(QStringLiteral("CTYPE1")).startsWith(QLatin1String("RA---")))
            continue;
        bool raSexagesimal = false, decSexagesimal = false;
        const auto ra = angleValue(header, raKey, &raSexagesimal);
        const auto dec = angleValue(header, decKey, &decSexagesimal);
        if (!ra || !dec || std::abs(*dec) > 90) continue;
        const bool hours = raSexagesimal || p.raInHoursWhenNumber;
        const double raDeg = hours ? *ra * 15.0 : *ra;
        if (raDeg < 0 || raDeg >= 360 + 1e-9) continue;
        FitsCentreHint c = centreTexts(raDeg, *dec);
        c.raDeg = raDeg;
        c.decDeg = *dec;
        c.from = raKey + QLatin1Char('/') + decKey;
        for (const char* key : {"EQUINOX", "EPOCH"}) {
            const auto e = header.number(QString::fromLatin1(key));
            if (e && *e > 1000 && *e < 3000) {
                c.epoch = QString::number(*e, 'f', 1);
                c.from += QStringLiteral(", ") + QString::fromLatin1(key);
                break;
            }
        }
        return c;
    }
    return std::nullopt;
}

std::optional<QDateTime> parseDate(const QString& date, const QString& time) {
    static const QRegularExpression iso(
        QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[T "
                       "](\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}(?:\\.\\d*)?))?)?$"));
    static const QRegularExpression old(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2})$"));
    static const QRegularExpression clock(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}(?:\\.\\d*)?))?$"));
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    double s = 0;
    bool haveTime = false;
    if (const auto m = iso.match(date.trimmed()); m.hasMatch()) {
        y = m.captured(1).toInt();
        mo = m.captured(2).toInt();
        d = m.captured(3).toInt();
        if (m.hasCaptured(4)) {
            haveTime = true;
            h = m.captured(4).toInt();
            mi = m.captured(5).toInt();
            s = m.captured(6).toDouble();
        }
    } else if (const auto o = old.match(date.trimmed()); o.hasMatch()) {
        d = o.captured(1).toInt();
        mo = o.captured(2).toInt();
        y = 1900 + o.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    if (!haveTime) {
        const auto c = clock.match(time.trimmed());
        if (!c.hasMatch()) return std::nullopt;
        h = c.captured(1).toInt();
        mi = c.captured(2).toInt();
        s = c.captured(3).toDouble();
    }
    const QDate day(y, mo, d);
    if (!day.isValid() || h > 23 || mi > 59 || s >= 61) return std::nullopt;
    const qint64 ms = std::llround(s * 1000);
    return QDateTime(day, QTime(h, mi), Qt::UTC).addMSecs(ms);
}

std::optional<FitsTimeHint> timeHint(const FitsHeader& header) {
    const QString date = header.text(QStringLiteral("DATE-OBS"));
    if (date.isEmpty()) return std::nullopt;
    QString time;
    QString timeKey;
    for (const char* key : {"TIME-OBS", "UT", "UTSTART"}) {
        time = header.text(QString::fromLatin1(key));
        if (!time.isEmpty()) {
            timeKey = QString::fromLatin1(key);
            break;
        }
    }
    auto start = parseDate(date, time);
    if (!start) return std::nullopt;
    FitsTimeHint t;
    t.from = QStringLiteral("DATE-OBS");
    if (!date.contains(QLatin1Char('T')) && !timeKey.isEmpty())
        t.from += QLatin1Char('/') + timeKey;
    for (const char* key : {"EXPTIME", "EXPOSURE"}) {
        const auto e = header.number(QString::fromLatin1(key));
        if (e && *e > 0 && *e < 1e6) {
            start = start->addMSecs(std::llround(*e * 500.0));
            t.from += QStringLiteral(" + ") + QString::fromLatin1(key) + QStringLiteral("/2");
            break;
        }
    }
    // To the nearest minute.
    // (Floor division: before 1970 the count of milliseconds is negative.)
    const qint64 shifted = start->toMSecsSinceEpoch() + 30000;
    const qint64 minutes = shifted / 60000 - (shifted % 60000 < 0 ? 1 : 0);
    t.utc = QDateTime::fromMSecsSinceEpoch(minutes * 60000, Qt::UTC);
    const QDate d = t.utc.date();
    const QTime c = t.utc.time();
    t.fields = {QString::number(d.day()), QString::number(d.month()), QString::number(d.year()),
                QString::number(c.hour()), QString::number(c.minute())};
    return t;
}

std::optional<FitsScaleHint> scaleHint(const FitsHeader& header, int width, int height) {
    const auto f = header.number(QStringLiteral("FOCALLEN"));
    if (!f || !(*f > 0)) return std::nullopt;
    QString xKey = QStringLiteral("XPIXSZ"), yKey = QStringLiteral("YPIXSZ");
    auto px = header.number(xKey);
    if (!px) {
        xKey = QStringLiteral("PIXSIZE1");
        yKey = QStringLiteral("PIXSIZE2");
        px = header.number(xKey);
    }
    if (!px || !(*px > 0)) return std::nullopt;
    auto py = header.number(yKey);
    if (!py || !(*py > 0)) py = px;
    const double w = width * *px / 1000.0, h = height * *py / 1000.0;
    const auto ccd = CcdFieldScales({w, h, double(width), double(height), *f});
    if (!ccd) return std::nullopt;
    FitsScaleHint s;
    s.skyAsd = ccd->cx;
    s.corrAsd = ccd->cx;
    s.corrDec = ccd->cy;
    const int bx = static_cast<int>(header.number(QStringLiteral("XBINNING")).value_or(1));
    const int by = static_cast<int>(header.number(QStringLiteral("YBINNING")).value_or(bx));
    s.source = Texts::tr("FOCALLEN %1 mm, %2/%3 %4 × %5 µm (binning %6×%7 included)")
                   .arg(numbers::Text(*f), xKey, yKey, numbers::Text(*px), numbers::Text(*py))
                   .arg(bx)
                   .arg(by);
    return s;
}

} // namespace

FitsHints HeaderHints(const FitsHeader& header, int width, int height) {
    FitsHints hints;
    hints.centre = centreHint(header);
    hints.time = timeHint(header);
    if (width > 0 && height > 0) hints.scales = scaleHint(header, width, height);
    if (hints.scales) {
        const std::optional<double> dec =
            hints.centre ? std::optional(hints.centre->decDeg) : std::nullopt;
        if (!SetScaleDeclination(*hints.scales, dec))
            hints.scales.reset();
        else
            hints.scales->from =
                hints.scales->source +
                (dec ? Texts::tr(", × cos(Dec)")
                     : Texts::tr(", no centre: right-ascension scale without cos(Dec)"));
    }
    return hints;
}

bool SetScaleDeclination(FitsScaleHint& s, std::optional<double> decDeg) {
    const double c = decDeg ? std::cos(*decDeg * angles::kDegree) : 1.0;
    if (c < 1e-3) return false; // at the pole a right-ascension scale means nothing
    s.corrAsd = s.skyAsd * c;
    s.perDegreeOfRa = decDeg.has_value();
    s.corrAsdText = numbers::Text(numbers::RoundHalfEven(s.corrAsd, 2));
    s.corrDecText = numbers::Text(numbers::RoundHalfEven(s.corrDec, 2));
    return true;
}

} // namespace field
