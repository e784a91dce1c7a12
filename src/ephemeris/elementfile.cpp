#include "ephemeris/elementfile.h"

#include "ephemeris/designation.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <zlib.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <string_view>

namespace ephemeris {

namespace {

constexpr int kProblemsKept = 5;
constexpr std::size_t kShortestRecord = 103; // up to the semi-major axis
// Days from J2000.0 (JD 2451545.0) of MJD 0.
constexpr double kMjdToJ2000 = -51544.5;

// The texts of this file, in the translation context "OrbitFile".
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(OrbitFile)
};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Columns a..b (1-based, inclusive) of a line, blanks trimmed; empty past the end.
std::string_view Columns(std::string_view line, std::size_t a, std::size_t b) {
    if (line.size() < a) return {};
    return Trimmed(line.substr(a - 1, b - a + 1));
}

bool ToDouble(std::string_view s, double& value) {
    if (s.empty()) return false;
    if (s.front() == '+') s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(value);
}

double DaysFromJ2000(const CalendarDate& d) {
    // Julian day number of a Gregorian date (Fliegel and Van Flandern).
    const int a = (14 - d.month) / 12;
    const int y = d.year + 4800 - a;
    const int m = d.month + 12 * a - 3;
    const long jdn = d.day + (153 * m + 2) / 5 + 365L * y + y / 4 - y / 100 + y / 400 - 32045;
    return double(jdn) - 0.5 - 2451545.0;
}

class Problems {
public:
    Problems(OrbitFileReading& out, const char* unit) : m_out(out), m_unit(unit) {}
    void add(std::size_t line, const QString& what) {
        ++m_out.skipped;
        if (m_out.problems.size() < kProblemsKept)
            m_out.problems << Texts::tr("%1 %2: %3").arg(Texts::tr(m_unit)).arg(line).arg(what);
    }

private:
    OrbitFileReading& m_out;
    const char* m_unit;
};

// MPCORB records, fed one line at a time.
class MpcorbParser {
public:
    explicit MpcorbParser(OrbitFileReading& out)
        : m_out(out), m_problems(out, QT_TRANSLATE_NOOP("OrbitFile", "line")) {
        m_out.format = QStringLiteral("MPCORB");
    }

    void line(std::string_view text) {
        ++m_line;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (Trimmed(text).empty()) return;
        if (text.substr(0, 5) == "-----") {
            // End of the heading: whatever came before was not data.
            if (!m_sawRecord) {
                m_out.skipped = 0;
                m_out.problems.clear();
            }
            return;
        }
        const QString problem = record(text);
        if (problem.isEmpty())
            m_sawRecord = true;
        else
            m_problems.add(m_line, problem);
    }

    void finish() {
        if (m_out.catalogue.empty() && m_out.error.isEmpty())
            m_out.error = m_line == 0 ? Texts::tr("the file is empty")
                                      : Texts::tr("no orbit could be read: it is not an element "
                                                  "file in the MPCORB format");
    }

private:
    QString record(std::string_view text) {
        if (text.size() < kShortestRecord)
            return Texts::tr("too short for an orbit (%1 characters; cut short?)").arg(text.size());
        const std::string_view code = Columns(text, 1, 7);
        if (code.empty()) return Texts::tr("no designation in columns 1-7");
        KeplerianElements el;
        double h = NAN, g = NAN;
        const std::string_view hText = Columns(text, 9, 13), gText = Columns(text, 15, 19);
        if (!hText.empty() && !ToDouble(hText, h))
            return Texts::tr("H (columns 9-13) is not a number");
        if (!gText.empty() && !ToDouble(gText, g))
            return Texts::tr("G (columns 15-19) is not a number");
        const QString epochText = QString::fromLatin1(text.substr(20, 5));
        const auto epoch = UnpackDate(epochText);
        if (!epoch)
            return Texts::tr("the epoch \"%1\" (columns 21-25) is not a packed date")
                .arg(epochText);
        el.epoch = DaysFromJ2000(*epoch);
        struct Field {
            std::size_t a, b;
            double* value;
            const char* name;
        };
        const Field fields[] = {
            {27, 35, &el.meanAnomaly,
             QT_TRANSLATE_NOOP("OrbitFile", "the mean anomaly (columns 27-35)")},
            {38, 46, &el.perihelionArgument,
             QT_TRANSLATE_NOOP("OrbitFile", "the argument of perihelion (columns 38-46)")},
            {49, 57, &el.ascendingNode, QT_TRANSLATE_NOOP("OrbitFile", "the node (columns 49-57)")},
            {60, 68, &el.inclination,
             QT_TRANSLATE_NOOP("OrbitFile", "the inclination (columns 60-68)")},
            {71, 79, &el.eccentricity,
             QT_TRANSLATE_NOOP("OrbitFile", "the eccentricity (columns 71-79)")},
            {81, 91, &el.meanMotion,
             QT_TRANSLATE_NOOP("OrbitFile", "the mean daily motion (columns 81-91)")},
            {93, 103, &el.semiMajorAxis,
             QT_TRANSLATE_NOOP("OrbitFile", "the semi-major axis (columns 93-103)")},
        };
        for (const Field& f : fields)
            if (!ToDouble(Columns(text, f.a, f.b), *f.value))
                return Texts::tr("%1 is not a number").arg(Texts::tr(f.name));
        if (el.inclination < 0 || el.inclination > 180)
            return Texts::tr("the inclination %1 is outside 0-180 degrees").arg(el.inclination);
        Orbit orbit;
        if (!PrepareOrbit(el, h, g, orbit))
            return Texts::tr("the elements describe no orbit (e = %1, a = %2)")
                .arg(el.eccentricity)
                .arg(el.semiMajorAxis);

        const QString packed = QString::fromLatin1(code);
        int number = 0;
        if (packed.size() == 5)
            if (const auto n = UnpackNumber(packed)) number = *n;
        QString name = QString::fromUtf8(Columns(text, 167, 194));
        if (name.startsWith(u'(')) {
            const qsizetype close = name.indexOf(u')');
            name = close < 0 ? QString() : name.mid(close + 1).trimmed();
        }
        if (name.isEmpty())
            name = UnpackProvisional(packed).value_or(number > 0 ? QString() : packed);
        int oppositions = 0;
        if (const std::string_view opp = Columns(text, 124, 126); !opp.empty())
            std::from_chars(opp.data(), opp.data() + opp.size(), oppositions);
        m_out.catalogue.add(orbit, number, name, packed, oppositions);
        return {};
    }

    OrbitFileReading& m_out;
    Problems m_problems;
    std::size_t m_line = 0;
    bool m_sawRecord = false;
};

// Splits text into lines for a line consumer; keeps the unfinished end.
class LineSplitter {
public:
    explicit LineSplitter(std::function<void(std::string_view)> sink) : m_sink(std::move(sink)) {}

    void feed(const char* data, std::size_t size) {
        std::string_view rest(data, size);
        while (!rest.empty()) {
            const std::size_t nl = rest.find('\n');
            if (nl == std::string_view::npos) {
                m_pending.append(rest);
                return;
            }
            if (m_pending.empty()) {
                m_sink(rest.substr(0, nl));
            } else {
                m_pending.append(rest.substr(0, nl));
                m_sink(m_pending);
                m_pending.clear();
            }
            rest.remove_prefix(nl + 1);
        }
    }

    void finish() {
        if (!m_pending.empty()) m_sink(m_pending);
        m_pending.clear();
    }

private:
    std::function<void(std::string_view)> m_sink;
    std::string m_pending;
};

// Inflates a gzip stream block by block into `sink`. Empty on success.
QString Inflate(QFile& file, const std::function<void(const char*, std::size_t)>& sink) {
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) return Texts::tr("the decompressor cannot start");
    std::vector<char> in(1 << 16), out(1 << 20);
    int status = Z_OK;
    QString error;
    while (status != Z_STREAM_END && error.isEmpty()) {
        const qint64 got = file.read(in.data(), qint64(in.size()));
        if (got < 0) {
            error = file.errorString();
            break;
        }
        if (got == 0) {
            error = Texts::tr("the compressed file is cut short");
            break;
        }
        z.next_in = reinterpret_cast<Bytef*>(in.data());
        z.avail_in = uInt(got);
        while (z.avail_in > 0 && status != Z_STREAM_END) {
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(out.size());
            status = inflate(&z, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
                error = Texts::tr("the compressed data is damaged (%1)")
                            .arg(QString::fromLatin1(z.msg ? z.msg : "inflate"));
                break;
            }
            const std::size_t produced = out.size() - z.avail_out;
            sink(out.data(), produced);
            if (status == Z_BUF_ERROR && produced == 0) break; // needs more input
        }
    }
    inflateEnd(&z);
    return error;
}

bool IsGzip(QFile& file) {
    char magic[2] = {};
    const bool gz = file.peek(magic, 2) == 2 && uchar(magic[0]) == 0x1f && uchar(magic[1]) == 0x8b;
    return gz;
}

bool LooksLikeJson(QByteArrayView text) {
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        return c == '{';
    }
    return false;
}

double JsonNumber(const QJsonValue& v) {
    if (v.isDouble()) return v.toDouble();
    if (v.isString()) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        return ok ? d : NAN;
    }
    return NAN;
}

} // namespace

OrbitFileReading ReadMpcorb(QByteArrayView text) {
    OrbitFileReading out;
    MpcorbParser parser(out);
    out.catalogue.reserve(std::size_t(text.size() / 203 + 1));
    LineSplitter lines([&parser](std::string_view l) { parser.line(l); });
    lines.feed(text.data(), std::size_t(text.size()));
    lines.finish();
    parser.finish();
    return out;
}

OrbitFileReading ReadElementsJson(QByteArrayView text) {
    OrbitFileReading out;
    out.format = QStringLiteral("JSON");
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toByteArray(), &parseError);
    if (doc.isNull()) {
        out.error = Texts::tr("not a valid JSON document (%1 at byte %2; cut short?)")
                        .arg(parseError.errorString())
                        .arg(parseError.offset);
        return out;
    }
    const QJsonArray fields = doc.object().value(QLatin1String("fields")).toArray();
    const QJsonArray data = doc.object().value(QLatin1String("data")).toArray();
    auto column = [&fields](const char* name) {
        for (qsizetype i = 0; i < fields.size(); ++i)
            if (fields[i].toString() == QLatin1String(name)) return int(i);
        return -1;
    };
    const int cName = column("full_name"), cH = column("H"), cG = column("G");
    const int cEpoch = column("epoch_mjd"), cE = column("e"), cA = column("a"), cQ = column("q");
    const int cI = column("i"), cNode = column("om"), cPeri = column("w"), cM = column("ma");
    if (cName < 0 || cEpoch < 0 || cE < 0 || (cA < 0 && cQ < 0) || cI < 0 || cNode < 0 ||
        cPeri < 0 || cM < 0) {
        out.error =
            Texts::tr("the JSON document has no element table (\"fields\" must name full_name, "
                      "epoch_mjd, e, a or q, i, om, w and ma)");
        return out;
    }
    Problems problems(out, QT_TRANSLATE_NOOP("OrbitFile", "row"));
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)\\s*(.*)$"));
    out.catalogue.reserve(std::size_t(data.size()));
    for (qsizetype row = 0; row < data.size(); ++row) {
        const QJsonArray r = data[row].toArray();
        auto value = [&r](int c) { return c < 0 || c >= r.size() ? NAN : JsonNumber(r[c]); };
        KeplerianElements el;
        el.epoch = value(cEpoch) + kMjdToJ2000;
        el.eccentricity = value(cE);
        el.inclination = value(cI);
        el.ascendingNode = value(cNode);
        el.perihelionArgument = value(cPeri);
        el.meanAnomaly = value(cM);
        el.semiMajorAxis = value(cA);
        if (!std::isfinite(el.semiMajorAxis) && el.eccentricity != 1)
            el.semiMajorAxis = value(cQ) / (1 - el.eccentricity);
        Orbit orbit;
        const QString fullName = cName < r.size() ? r[cName].toString().trimmed() : QString();
        if (fullName.isEmpty() || !PrepareOrbit(el, value(cH), value(cG), orbit) ||
            el.inclination < 0 || el.inclination > 180) {
            problems.add(std::size_t(row + 1),
                         fullName.isEmpty()
                             ? Texts::tr("row without a name")
                             : Texts::tr("%1: incomplete or impossible elements").arg(fullName));
            continue;
        }
        // "1 Ceres (A801 AA)", "3708 (1974 FV1)", "(2022 HK5)".
        int number = 0;
        QString rest = fullName;
        if (const auto m = numbered.match(fullName); m.hasMatch()) {
            number = m.captured(1).toInt();
            rest = m.captured(2);
        }
        QString name = rest, provisional;
        if (const qsizetype open = rest.indexOf(u'('); open >= 0) {
            provisional = rest.mid(open + 1).chopped(rest.endsWith(u')') ? 1 : 0).trimmed();
            name = rest.left(open).trimmed();
        }
        if (name.isEmpty()) name = provisional;
        QString packed;
        if (number > 0)
            packed = PackNumber(number).value_or(QString());
        else
            packed = PackProvisional(provisional).value_or(provisional.left(7));
        out.catalogue.add(orbit, number, name, packed, 0);
    }
    if (out.catalogue.empty())
        out.error = data.isEmpty() ? Texts::tr("the JSON element table has no rows")
                                   : Texts::tr("no row of the JSON element table could be read");
    return out;
}

OrbitFileReading ReadOrbitFile(const QString& path) {
    OrbitFileReading out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.error = file.errorString();
        return out;
    }
    if (IsGzip(file)) {
        // Read the stream as it is inflated; JSON is gathered whole first.
        QByteArray head;
        bool decided = false, json = false;
        QByteArray jsonText;
        std::optional<MpcorbParser> parser;
        std::optional<LineSplitter> lines;
        const QString error = Inflate(file, [&](const char* data, std::size_t size) {
            if (!decided) {
                head.append(data, qsizetype(size));
                if (Trimmed(std::string_view(head.constData(), std::size_t(head.size()))).empty())
                    return;
                decided = true;
                json = LooksLikeJson(head);
                if (json) {
                    jsonText = head;
                } else {
                    parser.emplace(out);
                    lines.emplace([&parser](std::string_view l) { parser->line(l); });
                    lines->feed(head.constData(), std::size_t(head.size()));
                }
                return;
            }
            if (json)
                jsonText.append(data, qsizetype(size));
            else
                lines->feed(data, size);
        });
        if (json) {
            if (!error.isEmpty()) {
                out.error = error;
                return out;
            }
            return ReadElementsJson(jsonText);
        }
        if (!parser) {
            out.error = error.isEmpty() ? Texts::tr("the file is empty") : error;
            return out;
        }
        lines->finish();
        if (!error.isEmpty()) {
            // Keep what was read before the damage, and say so.
            ++out.skipped;
            out.problems << error;
        }
        parser->finish();
        return out;
    }
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    QByteArray whole;
    QByteArrayView text;
    if (mapped) {
        text = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
    } else {
        whole = file.readAll();
        text = whole;
    }
    return LooksLikeJson(text) ? ReadElementsJson(text) : ReadMpcorb(text);
}

QString GunzipFile(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return in.errorString();
    if (!IsGzip(in)) return Texts::tr("%1 is not a gzip file").arg(source);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    QString writeError;
    const QString error = Inflate(in, [&](const char* data, std::size_t size) {
        if (writeError.isEmpty() && out.write(data, qint64(size)) != qint64(size))
            writeError = out.errorString();
    });
    if (!error.isEmpty() || !writeError.isEmpty()) {
        out.cancelWriting();
        return error.isEmpty() ? writeError : error;
    }
    return out.commit() ? QString() : out.errorString();
}

} // namespace ephemeris
