#include "ephemeris/elementfile.h"

#include "ephemeris/designation.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

using outcome::FileError;
#include <erfa.h>
#include <zlib.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <string_view>

namespace ephemeris {

namespace {

// A reading as it goes: the file's contents read so far, or why nothing could
// be read.
struct OrbitFileParse : OrbitFile {
    QString error; // empty while orbits can be read
    OrbitFileFailure failure = OrbitFileFailure::None;
    bool ok() const { return error.isEmpty(); }
};

// The reading as the callers get it.
OrbitFileReading Finished(OrbitFileParse&& parse) {
    if (!parse.ok()) return outcome::Error{parse.failure, parse.error};
    return OrbitFile(std::move(parse));
}

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

// Days from J2000.0 of 0h on a date the designation reader has checked.
double DaysFromJ2000(const CalendarDate& d) {
    double mjd0 = 0, mjd = 0;
    eraCal2jd(d.year, d.month, d.day, &mjd0, &mjd);
    return mjd + kMjdToJ2000;
}

class Problems {
public:
    Problems(OrbitFileParse& out, const char* unit) : m_out(out), m_unit(unit) {}
    void add(std::size_t line, const QString& what) {
        ++m_out.skipped;
        if (m_out.problems.size() < kProblemsKept)
            m_out.problems << Texts::tr("%1 %2: %3").arg(Texts::tr(m_unit)).arg(line).arg(what);
    }

private:
    OrbitFileParse& m_out;
    const char* m_unit;
};

// MPCORB records, fed one line at a time.
class MpcorbParser {
public:
    // With `keep` false the records are checked and counted, not kept.
    explicit MpcorbParser(OrbitFileParse& out, bool keep = true)
        : m_out(out), m_problems(out, QT_TRANSLATE_NOOP("OrbitFile", "line")), m_keep(keep) {
        m_out.format = QStringLiteral("MPCORB");
    }

    // One line; `cut` when it was longer than kMaxElementLine and only its
    // start is given.
    void line(std::string_view text, bool cut) {
        ++m_line;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (Trimmed(text).empty()) return;
        if (cut) {
            m_problems.add(
                m_line, Texts::tr("longer than %1 characters: not a record").arg(kMaxElementLine));
            return;
        }
        if (text.substr(0, 5) == "-----") {
            // End of the heading: whatever came before was not data.
            if (!m_sawRecord) {
                m_out.skipped = 0;
                m_out.problems.clear();
            }
            return;
        }
        const QString problem = record(text);
        if (problem.isEmpty()) {
            m_sawRecord = true;
            ++m_records;
        } else {
            m_problems.add(m_line, problem);
        }
    }

    std::size_t records() const { return m_records; }

    void finish() {
        if (m_records > 0 || !m_out.error.isEmpty()) return;
        if (m_line == 0) {
            m_out.failure = OrbitFileFailure::Empty;
            m_out.error = Texts::tr("the file is empty");
        } else {
            m_out.failure = OrbitFileFailure::NotElements;
            m_out.error = Texts::tr("no orbit could be read: it is not an element file in the "
                                    "MPCORB format");
        }
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
        if (m_keep) m_out.catalogue.add(orbit, number, name, packed, oppositions);
        return {};
    }

    OrbitFileParse& m_out;
    Problems m_problems;
    bool m_keep;
    std::size_t m_line = 0;
    std::size_t m_records = 0;
    bool m_sawRecord = false;
};

// Splits text into lines for a line consumer; keeps the unfinished end, at
// most kMaxElementLine bytes of it (the consumer is told the line was cut).
class LineSplitter {
public:
    using Sink = std::function<void(std::string_view, bool cut)>;
    explicit LineSplitter(Sink sink) : m_sink(std::move(sink)) {}

    void feed(const char* data, std::size_t size) {
        std::string_view rest(data, size);
        while (!rest.empty()) {
            const std::size_t nl = rest.find('\n');
            const std::string_view piece = nl == std::string_view::npos ? rest : rest.substr(0, nl);
            if (nl != std::string_view::npos && m_pending.empty() && !m_cut &&
                piece.size() <= kMaxElementLine) {
                m_sink(piece, false);
            } else {
                const std::size_t room = kMaxElementLine - m_pending.size();
                m_pending.append(piece.substr(0, room));
                m_cut |= piece.size() > room;
                if (nl == std::string_view::npos) return;
                m_sink(m_pending, m_cut);
                m_pending.clear();
                m_cut = false;
            }
            rest.remove_prefix(nl + 1);
        }
    }

    void finish() {
        if (!m_pending.empty() || m_cut) m_sink(m_pending, m_cut);
        m_pending.clear();
        m_cut = false;
    }

private:
    Sink m_sink;
    std::string m_pending;
    bool m_cut = false;
};

// How an inflation ended.
enum class InflateEnd { Complete, Stopped, Cut, Damaged, ReadError };

struct Inflation {
    InflateEnd end = InflateEnd::Complete;
    QString error; // for Cut, Damaged and ReadError
};

// Inflates a gzip stream block by block into `sink`, which returns false to
// stop; `consumed` hears the compressed bytes read so far.
Inflation Inflate(QFile& file, const std::function<bool(const char*, std::size_t)>& sink,
                  const std::function<void(qint64)>& consumed) {
    Inflation result;
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK)
        return {InflateEnd::Damaged, Texts::tr("the decompressor cannot start")};
    std::vector<char> in(1 << 16), out(1 << 20);
    qint64 read = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        const qint64 got = file.read(in.data(), qint64(in.size()));
        if (got < 0) {
            result = {InflateEnd::ReadError, file.errorString()};
            break;
        }
        if (got == 0) {
            result = {InflateEnd::Cut, Texts::tr("the compressed file is cut short")};
            break;
        }
        read += got;
        z.next_in = reinterpret_cast<Bytef*>(in.data());
        z.avail_in = uInt(got);
        bool stop = false;
        // Until the input is used up and no output is left pending.
        do {
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(out.size());
            status = inflate(&z, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
                result = {InflateEnd::Damaged,
                          Texts::tr("the compressed data is damaged (%1)")
                              .arg(QString::fromLatin1(z.msg ? z.msg : "inflate"))};
                stop = true;
                break;
            }
            const std::size_t produced = out.size() - z.avail_out;
            if (produced > 0 && !sink(out.data(), produced)) {
                result.end = InflateEnd::Stopped;
                stop = true;
                break;
            }
            if (status == Z_BUF_ERROR && produced == 0) break; // needs more input
        } while (status != Z_STREAM_END && (z.avail_in > 0 || z.avail_out == 0));
        if (consumed) consumed(read);
        if (stop) break;
    }
    inflateEnd(&z);
    return result;
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

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

OrbitFileParse Failed(OrbitFileFailure failure, const QString& error) {
    OrbitFileParse out;
    out.failure = failure;
    out.error = error;
    return out;
}

// The text of an element file, fed piece by piece as it is read or unpacked:
// the format is decided at the first character that is not blank, MPCORB
// lines are parsed as they come (each byte looked at a bounded number of
// times), JSON is gathered whole. The limits are checked as it grows.
class ElementText {
public:
    ElementText(OrbitFileParse& out, const OrbitFileLimits& limits, bool keep)
        : m_out(out), m_limits(limits), m_parser(out, keep),
          m_lines([this](std::string_view l, bool cut) { m_parser.line(l, cut); }) {}

    // False when the reading must stop; the failure is then in `out`.
    bool feed(const char* data, std::size_t size) {
        m_size += qint64(size);
        if (m_mode == Mode::Undecided) {
            std::size_t i = 0;
            while (i < size && IsBlank(data[i]))
                ++i;
            if (i < size) m_mode = data[i] == '{' ? Mode::Json : Mode::Mpcorb;
            if (m_mode == Mode::Json) {
                data += i;
                size -= i;
            }
        }
        if (m_mode == Mode::Json) {
            if (m_size > m_limits.maxJson) return tooLarge(m_limits.maxJson);
            m_json.append(data, qsizetype(size));
            return true;
        }
        if (m_size > m_limits.maxText) return tooLarge(m_limits.maxText);
        // Text without an orbit is read up to the limit for the first orbit
        // exactly, not up to the end of the piece.
        const qint64 before = m_size - qint64(size);
        std::size_t first = size;
        if (m_parser.records() == 0 && before < m_limits.firstOrbitWithin &&
            m_size > m_limits.firstOrbitWithin)
            first = std::size_t(m_limits.firstOrbitWithin - before);
        m_lines.feed(data, first);
        if (m_parser.records() == 0 && before + qint64(first) >= m_limits.firstOrbitWithin &&
            m_size > m_limits.firstOrbitWithin) {
            m_out.failure = OrbitFileFailure::NotElements;
            m_out.error = Texts::tr("no orbit in the first %1 bytes: it is not an element file")
                              .arg(m_limits.firstOrbitWithin);
            return false;
        }
        m_lines.feed(data + first, size - first);
        return true;
    }

    bool undecided() const { return m_mode == Mode::Undecided; }
    bool json() const { return m_mode == Mode::Json; }
    const QByteArray& jsonText() const { return m_json; }
    std::size_t records() const { return m_parser.records(); }

    // The end of MPCORB text.
    void finishLines() {
        m_lines.finish();
        m_parser.finish();
    }

private:
    enum class Mode { Undecided, Mpcorb, Json };

    bool tooLarge(qint64 limit) {
        m_out.failure = OrbitFileFailure::TooLarge;
        m_out.error =
            Texts::tr("more than %1 bytes of text: too large for an element file").arg(limit);
        return false;
    }

    OrbitFileParse& m_out;
    OrbitFileLimits m_limits;
    MpcorbParser m_parser;
    LineSplitter m_lines;
    Mode m_mode = Mode::Undecided;
    qint64 m_size = 0;
    QByteArray m_json;
};

// Opens the element file `file` for reading when it is a regular file of at
// most `maxBytes`; otherwise the failure.
OrbitFileParse OpenElementFile(QFile& file, qint64 maxBytes) {
    const auto opened = regularfile::Open(file, maxBytes);
    if (opened) return {};
    switch (opened.error().kind) {
    case FileError::Missing:
        return Failed(OrbitFileFailure::Missing, Texts::tr("no such file"));
    case FileError::NotRegular:
        return Failed(OrbitFileFailure::NotRegular,
                      Texts::tr("not an ordinary file (a device, a pipe or a folder)"));
    case FileError::TooLarge:
        return Failed(OrbitFileFailure::TooLarge,
                      Texts::tr("larger than the %1 bytes an element file may hold").arg(maxBytes));
    case FileError::Unreadable:
    case FileError::Unwritable:
    case FileError::BadContent:
        break;
    }
    return Failed(OrbitFileFailure::Unreadable, Texts::tr("the file cannot be read"));
}

OrbitFileParse Cancelled() {
    return Failed(OrbitFileFailure::Cancelled, Texts::tr("the reading was cancelled"));
}

} // namespace

OrbitFileParse parseMpcorb(QByteArrayView text) {
    OrbitFileParse out;
    MpcorbParser parser(out);
    out.catalogue.reserve(std::size_t(text.size() / 203 + 1));
    LineSplitter lines([&parser](std::string_view l, bool cut) { parser.line(l, cut); });
    lines.feed(text.data(), std::size_t(text.size()));
    lines.finish();
    parser.finish();
    return out;
}

OrbitFileParse parseElementsJson(QByteArrayView text) {
    OrbitFileParse out;
    out.format = QStringLiteral("JSON");
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toByteArray(), &parseError);
    if (doc.isNull()) {
        out.failure = OrbitFileFailure::NotElements;
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
        out.failure = OrbitFileFailure::NotElements;
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
    if (out.catalogue.empty()) {
        out.failure = OrbitFileFailure::NotElements;
        out.error = data.isEmpty() ? Texts::tr("the JSON element table has no rows")
                                   : Texts::tr("no row of the JSON element table could be read");
    }
    return out;
}

OrbitFileControl ControlThrough(background::Progress& progress) {
    OrbitFileControl control;
    control.progress = [&progress](qint64 done, qint64 total) {
        progress.total = total;
        progress.done = done;
    };
    control.cancelled = [&progress] { return progress.cancel.load(); };
    return control;
}

OrbitFileParse parseOrbitFile(const QString& path, const OrbitFileLimits& limits,
                              const OrbitFileControl& control) {
    QFile file(path);
    if (OrbitFileParse opened = OpenElementFile(file, std::max(limits.maxText, limits.maxJson));
        !opened.ok())
        return opened;
    const qint64 total = file.size();
    const auto cancelled = [&control] { return control.cancelled && control.cancelled(); };
    const auto progress = [&control, total](qint64 done) {
        if (control.progress) control.progress(done, total);
    };

    OrbitFileParse out;
    ElementText text(out, limits, true);
    if (IsGzip(file)) {
        bool stopped = false;
        const Inflation inflation = Inflate(
            file,
            [&](const char* data, std::size_t size) {
                stopped = cancelled();
                return !stopped && text.feed(data, size);
            },
            progress);
        if (stopped) return Cancelled();
        if (inflation.end == InflateEnd::Stopped) return Failed(out.failure, out.error);
        const bool complete = inflation.end == InflateEnd::Complete;
        const OrbitFileFailure broken = inflation.end == InflateEnd::ReadError
                                            ? OrbitFileFailure::Unreadable
                                            : OrbitFileFailure::Damaged;
        if (text.json())
            return complete ? parseElementsJson(text.jsonText()) : Failed(broken, inflation.error);
        if (text.undecided())
            return complete ? Failed(OrbitFileFailure::Empty, Texts::tr("the file is empty"))
                            : Failed(broken, inflation.error);
        text.finishLines();
        if (!complete) {
            if (!out.ok()) return Failed(broken, inflation.error);
            // Keep what was read before the damage, and say so.
            ++out.skipped;
            out.problems << inflation.error;
        }
        return out;
    }

    // Plain text: mapped when possible, read in slices so that progress and
    // cancelling are heard.
    const uchar* mapped = total > 0 ? file.map(0, total) : nullptr;
    QByteArray whole;
    QByteArrayView bytes;
    if (mapped) {
        bytes = QByteArrayView(reinterpret_cast<const char*>(mapped), total);
    } else {
        whole = file.read(total);
        bytes = whole;
    }
    if (!LooksLikeJson(bytes)) out.catalogue.reserve(std::size_t(bytes.size() / 203 + 1));
    constexpr qsizetype kSlice = 4 << 20;
    for (qsizetype at = 0; at < bytes.size(); at += kSlice) {
        if (cancelled()) return Cancelled();
        const QByteArrayView slice = bytes.sliced(at, std::min(kSlice, bytes.size() - at));
        if (!text.feed(slice.data(), std::size_t(slice.size())))
            return Failed(out.failure, out.error);
        progress(at + slice.size());
    }
    if (text.json()) return parseElementsJson(text.jsonText());
    if (text.undecided()) return Failed(OrbitFileFailure::Empty, Texts::tr("the file is empty"));
    text.finishLines();
    return out;
}

outcome::Result<ElementArchiveUnpacking, OrbitFileFailure>
UnpackElementArchive(const QString& source, const QString& target, const OrbitFileLimits& limits,
                     const OrbitFileControl& control) {
    ElementArchiveUnpacking result;
    const auto fail = [](OrbitFileFailure failure, const QString& error) {
        return outcome::Error{failure, error};
    };
    QFile in(source);
    if (const OrbitFileParse opened = OpenElementFile(in, limits.maxText); !opened.ok())
        return fail(opened.failure, opened.error);
    if (!IsGzip(in))
        return fail(OrbitFileFailure::NotElements, Texts::tr("%1 is not a gzip file").arg(source));
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(OrbitFileFailure::WriteFailed, out.errorString());

    OrbitFileParse scratch; // checked, not kept
    ElementText text(scratch, limits, false);
    const qint64 total = in.size();
    bool stopped = false;
    QString writeError;
    const Inflation inflation = Inflate(
        in,
        [&](const char* data, std::size_t size) {
            if ((stopped = control.cancelled && control.cancelled())) return false;
            if (!text.feed(data, size)) return false;
            if (out.write(data, qint64(size)) != qint64(size)) {
                writeError = out.errorString();
                return false;
            }
            result.unpacked += qint64(size);
            return true;
        },
        [&control, total](qint64 done) {
            if (control.progress) control.progress(done, total);
        });
    const auto refuse = [&](OrbitFileFailure failure, const QString& error) {
        out.cancelWriting();
        return fail(failure, error);
    };
    if (stopped)
        return refuse(OrbitFileFailure::Cancelled, Texts::tr("the unpacking was cancelled"));
    if (!writeError.isEmpty()) return refuse(OrbitFileFailure::WriteFailed, writeError);
    if (inflation.end == InflateEnd::Stopped) return refuse(scratch.failure, scratch.error);
    if (inflation.end != InflateEnd::Complete)
        return refuse(inflation.end == InflateEnd::ReadError ? OrbitFileFailure::Unreadable
                                                             : OrbitFileFailure::Damaged,
                      inflation.error);
    if (text.json() || text.undecided())
        return refuse(OrbitFileFailure::NotElements,
                      Texts::tr("the unpacked file is not in the MPCORB format"));
    text.finishLines();
    if (!scratch.ok()) return refuse(scratch.failure, scratch.error);
    result.orbits = text.records();
    result.skipped = scratch.skipped;
    if (result.skipped >= result.orbits)
        return refuse(OrbitFileFailure::NotElements,
                      Texts::tr("only %1 of %2 records read as orbits: it is not an element file")
                          .arg(result.orbits)
                          .arg(result.orbits + result.skipped));
    if (!out.commit()) return fail(OrbitFileFailure::WriteFailed, out.errorString());
    return result;
}

OrbitFileReading ReadMpcorb(QByteArrayView text) {
    return Finished(parseMpcorb(text));
}

OrbitFileReading ReadElementsJson(QByteArrayView text) {
    return Finished(parseElementsJson(text));
}

OrbitFileReading ReadOrbitFile(const QString& path, const OrbitFileLimits& limits,
                               const OrbitFileControl& control) {
    return Finished(parseOrbitFile(path, limits, control));
}

} // namespace ephemeris
