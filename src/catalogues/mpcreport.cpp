#include "catalogues/mpcreport.h"

#include "ephemeris/designation.h"
#include "platform/numbers.h"
#include "platform/regularfile.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>
#include <erfa.h>

using outcome::FileError;

namespace catalogues {

namespace {

// The texts of this file, in the translation context "MpcReport".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(MpcReport)
};

QString Two(long v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// The modified Julian date of 0h on a day of the Gregorian calendar (ERFA
// eraCal2jd); nothing for a month or day that does not exist.
std::optional<double> DayMjd(int y, int m, int d) {
    double mjd0 = 0, mjd = 0;
    if (eraCal2jd(y, m, d, &mjd0, &mjd) != 0) return std::nullopt;
    return mjd;
}

} // namespace

std::optional<QString> MpcDesignationColumns(const QString& typed) {
    QString text = typed.simplified();
    if (const auto packed = ephemeris::PackProvisional(text))
        return QString(5, QLatin1Char(' ')) + *packed;
    // "(433) Eros" or "433 Eros": the number is what counts.
    static const QRegularExpression numbered(QStringLiteral("^\\(?(\\d+)\\)?(\\s.*)?$"));
    if (const auto m = numbered.match(text); m.hasMatch() && m.captured(1).size() <= 8) {
        if (const auto packed = ephemeris::PackNumber(m.captured(1).toInt()))
            return *packed + QString(7, QLatin1Char(' '));
        return std::nullopt;
    }
    if (text.size() == 5 && ephemeris::UnpackNumber(text) && !text.front().isDigit())
        return text + QString(7, QLatin1Char(' '));
    if (ephemeris::UnpackProvisional(text)) return QString(5, QLatin1Char(' ')) + text;
    static const QRegularExpression temporary(QStringLiteral("^[A-Za-z0-9]{1,7}$"));
    if (temporary.match(text).hasMatch())
        return QString(5, QLatin1Char(' ')) + text.leftJustified(7);
    return std::nullopt;
}

outcome::Result<QString, ReportError> FormatMpcObservation(const MpcObservation& o) {
    const auto designation = MpcDesignationColumns(o.designation);
    if (!designation) {
        return outcome::Error{
            ReportError::Designation,
            Texts::tr("\"%1\" is not a minor-planet number, a provisional designation or a "
                      "temporary designation of up to 7 letters and digits")
                .arg(o.designation)};
    }
    const QString code = o.observatory.trimmed();
    if (code.size() != 3 || code.toLatin1() != code.toUtf8()) {
        return outcome::Error{
            ReportError::Observatory,
            Texts::tr("the observatory code \"%1\" is not 3 characters").arg(o.observatory)};
    }
    const std::optional<double> dayMjd = DayMjd(o.year, o.month, o.day);
    if (!dayMjd || o.hour < 0 || o.hour > 23 || o.minute < 0 || o.minute > 59 || o.seconds < 0 ||
        o.seconds >= 61 || o.year < 1000 || o.year > 9999) {
        return outcome::Error{ReportError::DateTime,
                              Texts::tr("%1-%2-%3 %4:%5 is not a date and time")
                                  .arg(o.year)
                                  .arg(o.month)
                                  .arg(o.day)
                                  .arg(o.hour)
                                  .arg(o.minute)};
    }
    if (!std::isfinite(o.ra) || !std::isfinite(o.dec) || std::abs(o.dec) > 90) {
        return outcome::Error{ReportError::Position,
                              Texts::tr("the position is not a place in the sky")};
    }

    // Date: whole days and hundred-thousandths, carried into the next day.
    const double fraction = (o.hour * 3600 + o.minute * 60 + o.seconds) / 86400.0;
    const long units = long(numbers::RoundHalfEven(fraction * 1e5));
    int y = 0, m = 0, d = 0;
    double dayFraction = 0;
    eraJd2cal(2400000.5, *dayMjd + double(units / 100000), &y, &m, &d, &dayFraction);
    const QString date = QStringLiteral("%1 %2 %3.%4")
                             .arg(y, 4, 10, QLatin1Char('0'))
                             .arg(Two(m), Two(d))
                             .arg(units % 100000, 5, 10, QLatin1Char('0'));

    // R.A. in hundredths of a second of time, Decl. in tenths of an arcsecond.
    long ra = long(numbers::RoundHalfEven(std::fmod(o.ra, 360.0) / 15.0 * 360000.0)) % 8640000;
    if (ra < 0) ra += 8640000;
    const QString raText =
        QStringLiteral("%1 %2 %3.%4")
            .arg(Two(ra / 360000), Two(ra / 6000 % 60), Two(ra / 100 % 60), Two(ra % 100));
    const long dec = long(numbers::RoundHalfEven(std::abs(o.dec) * 36000.0));
    const QString decText = QStringLiteral("%1%2 %3 %4.%5")
                                .arg(QChar(o.dec < 0 && dec > 0 ? u'-' : u'+'))
                                .arg(Two(dec / 36000), Two(dec / 600 % 60), Two(dec / 10 % 60))
                                .arg(dec % 10);

    QString magnitude(6, QLatin1Char(' '));
    if (o.magnitude && std::isfinite(*o.magnitude) && std::abs(*o.magnitude) < 99.95)
        magnitude = QString::number(numbers::RoundHalfEven(*o.magnitude, 1), 'f', 1)
                        .rightJustified(4)
                        .leftJustified(5) +
                    o.band;

    const QString line = *designation + QStringLiteral("  ") + o.kind + date + QLatin1Char(' ') +
                         raText + QLatin1Char(' ') + decText + QString(10, QLatin1Char(' ')) +
                         magnitude + QString(6, QLatin1Char(' ')) + code;
    Q_ASSERT(line.size() == 80);
    return line;
}

outcome::Status<FileError> AppendReportLine(const QString& path, const QString& line) {
    const auto read = regularfile::Read(path, kMaxReportBytes);
    if (!read && read.error().kind != FileError::Missing)
        return textfile::Reasoned(read.error(), kMaxReportBytes);
    QByteArray text = read.value_or({});
    if (!text.isEmpty() && !text.endsWith('\n')) text += "\r\n";
    text += line.toLatin1() + "\r\n";
    return textfile::WriteBytes(path, text);
}

} // namespace catalogues
