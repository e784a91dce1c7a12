// platesolve blind: solves images with no known position from the stars found
// on them and the astrometry.net index files of a folder, and prints one JSON
// line per image. Several images are solved by as many worker processes of
// this program at a time (-j), each line printed as its image finishes, with
// the progress on stderr. Every image is independent, so an archive can also
// be spread over machines by any scheduler that runs one command per image.
#include "blind.h"

#include "command.h"

#include "catalogues/blindsolve.h"
#include "catalogues/localstars.h"
#include "field/sources.h"
#include "imaging/imagefile.h"
#include "platform/angles.h"
#include "reduction/wcsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

namespace platesolve {
namespace {

constexpr const char* kUsage =
    "usage: platesolve blind --index-dir DIR --image IMG [--image IMG ...]\n"
    "                  [--scale-low A --scale-high B] [--ra RA --dec DEC --radius R]\n"
    "                  [--time-limit S] [--wcs-out FILE] [-j N]\n"
    "       platesolve --blind ... (the same)\n"
    "IMG may be a folder: its pictures and FITS files, by name. A scale range is\n"
    "in arcseconds per pixel; without one, field widths of 0.3 to 30 degrees are\n"
    "searched. RA and DEC are degrees, or \"HH MM SS.S\" and \"+DD MM SS\"; R is\n"
    "in degrees. With several images --wcs-out names a folder that receives\n"
    "NAME.wcs for each image solved.\n";

// Set for the worker processes: the parent reports their progress.
constexpr const char* kWorkerVariable = "ASTROPLATE_BLIND_WORKER";

const QStringList kImagePatterns = {"*.png", "*.jpg",  "*.jpeg", "*.bmp", "*.gif",
                                    "*.tif", "*.tiff", "*.fits", "*.fit", "*.fts"};

struct Options {
    QString indexDir;
    QStringList images;
    double scaleLow = 0, scaleHigh = 0;
    std::optional<BlindPositionHint> hint;
    double timeLimit = 60;
    QString wcsOut;
    int jobs = 1;
    QStringList passOn; // the options a worker gets besides its image
};

// Degrees from a number or from "HH MM SS.S" (hours when `hours`) / "+DD MM SS".
std::optional<double> angle(const QString& text, bool hours) {
    const QString t = text.trimmed();
    const QStringList parts =
        t.split(QRegularExpression(QStringLiteral("[\\s:]+")), Qt::SkipEmptyParts);
    if (parts.size() == 1) {
        bool ok = false;
        const double v = t.toDouble(&ok);
        return ok && std::isfinite(v) ? std::optional(v) : std::nullopt;
    }
    if (parts.size() != 3) return std::nullopt;
    const bool negative = t.startsWith(QLatin1Char('-'));
    double value = 0, unit = 1;
    for (const QString& p : parts) {
        bool ok = false;
        const double v = std::abs(p.toDouble(&ok));
        if (!ok || !std::isfinite(v)) return std::nullopt;
        value += v / unit;
        unit *= 60;
    }
    value *= hours ? 15 : 1;
    return negative ? -value : value;
}

Options readOptions(const QStringList& args) {
    const auto s = [](const char* text) { return QString::fromLatin1(text); };
    using O = QCommandLineOption;
    CommandLine line(QString::fromLatin1(kUsage),
                     {O(s("blind"), s("solve with no position known (this command)")),
                      O(s("index-dir"), s("the folder of the index files"), s("DIR")),
                      O(s("image"), s("an image or a folder of images (repeatable)"), s("IMG")),
                      O(s("scale-low"), s("the smallest pixel scale, arcsec/pixel"), s("A")),
                      O(s("scale-high"), s("the largest pixel scale, arcsec/pixel"), s("B")),
                      O(s("ra"), s("hint: the centre's right ascension"), s("RA")),
                      O(s("dec"), s("hint: the centre's declination"), s("DEC")),
                      O(s("radius"), s("hint: the centre lies within R degrees"), s("R")),
                      O(s("time-limit"), s("seconds per image (default 60)"), s("S")),
                      O(s("wcs-out"), s("write the solution as a FITS WCS header"), s("FILE")),
                      O(s("j"), s("images solved at a time (default: the cores)"), s("N"))});
    line.parse(args);
    Options o;
    if (!line.isSet(s("index-dir"))) Fail(QStringLiteral("--index-dir is required\n") + kUsage);
    o.indexDir = line.value(s("index-dir"));
    if (!QFileInfo(o.indexDir).isDir())
        Fail(QStringLiteral("--index-dir: %1 is not a folder").arg(o.indexDir));
    o.passOn << s("--index-dir") << o.indexDir;
    for (const QString& image : line.values(s("image"))) {
        const QFileInfo info(image);
        if (info.isDir()) {
            for (const QFileInfo& f :
                 QDir(image).entryInfoList(kImagePatterns, QDir::Files, QDir::Name))
                if (f.isFile()) o.images << f.filePath();
        } else {
            o.images << image;
        }
    }
    if (o.images.isEmpty()) Fail(QStringLiteral("no image given (--image)\n") + kUsage);
    if (line.isSet(s("scale-low")) != line.isSet(s("scale-high")))
        Fail(QStringLiteral("--scale-low and --scale-high go together"));
    if (line.isSet(s("scale-low"))) {
        o.scaleLow = line.number(s("scale-low"));
        o.scaleHigh = line.number(s("scale-high"));
        if (!(o.scaleLow > 0) || !(o.scaleHigh >= o.scaleLow))
            Fail(QStringLiteral("the scale range must be positive and low <= high"));
        o.passOn << s("--scale-low") << line.value(s("scale-low")) << s("--scale-high")
                 << line.value(s("scale-high"));
    }
    const int hintParts =
        int(line.isSet(s("ra"))) + int(line.isSet(s("dec"))) + int(line.isSet(s("radius")));
    if (hintParts != 0 && hintParts != 3)
        Fail(QStringLiteral("--ra, --dec and --radius go together"));
    if (hintParts == 3) {
        const auto ra = angle(line.value(s("ra")), true);
        const auto dec = angle(line.value(s("dec")), false);
        const double radius = line.number(s("radius"));
        if (!ra || !dec || *dec < -90 || *dec > 90 || !(radius > 0))
            Fail(QStringLiteral("the position hint is not a position and a positive radius"));
        o.hint = BlindPositionHint{*ra, *dec, radius};
        o.passOn << s("--ra") << line.value(s("ra")) << s("--dec") << line.value(s("dec"))
                 << s("--radius") << line.value(s("radius"));
    }
    if (line.isSet(s("time-limit"))) {
        o.timeLimit = line.number(s("time-limit"));
        if (!(o.timeLimit > 0)) Fail(QStringLiteral("--time-limit must be positive"));
        o.passOn << s("--time-limit") << line.value(s("time-limit"));
    }
    o.wcsOut = line.value(s("wcs-out"));
    if (!o.wcsOut.isEmpty() && o.images.size() > 1 && !QFileInfo(o.wcsOut).isDir())
        Fail(QStringLiteral("--wcs-out: with several images, %1 must be a folder").arg(o.wcsOut));
    o.jobs = QThread::idealThreadCount();
    if (line.isSet(s("j"))) {
        const double j = line.number(s("j"));
        if (!(j >= 1) || j > 1024 || j != std::floor(j))
            Fail(QStringLiteral("-j must be a whole number from 1"));
        o.jobs = int(j);
    }
    return o;
}

QString hms(double deg, bool hours) {
    const bool negative = deg < 0;
    double v = std::abs(hours ? std::fmod(std::fmod(deg, 360) + 360, 360) / 15 : deg);
    const int decimals = hours ? 2 : 1;
    const double scale = std::pow(10, decimals);
    long long units = std::llround(v * 3600 * scale);
    if (hours) units %= 24LL * 3600 * llround(scale);
    const long long whole = units / llround(3600 * scale);
    const long long minutes = units / llround(60 * scale) % 60;
    const double seconds = double(units % llround(60 * scale)) / scale;
    QString text = QStringLiteral("%1 %2 %3")
                       .arg(whole, 2, 10, QLatin1Char('0'))
                       .arg(minutes, 2, 10, QLatin1Char('0'))
                       .arg(seconds, decimals + 3, 'f', decimals, QLatin1Char('0'));
    if (!hours) text.prepend(negative && units > 0 ? QLatin1Char('-') : QLatin1Char('+'));
    return text;
}

const char* failureName(BlindFailure f) {
    switch (f) {
    case BlindFailure::None:
        return "none";
    case BlindFailure::NoSolution:
        return "no_solution";
    case BlindFailure::TimeLimit:
        return "time_limit";
    case BlindFailure::Cancelled:
        return "cancelled";
    case BlindFailure::BadInput:
        return "bad_input";
    }
    return "";
}

// Solves one image in this process; the JSON object and the exit status.
std::pair<QJsonObject, int> solveOne(const Options& o, const QString& path, const QString& wcsOut) {
    QElapsedTimer clock;
    clock.start();
    QJsonObject out{{"image", path}, {"solved", false}};
    const auto read = ReadImageFile(path);
    if (!read) {
        out["failure"] = "bad_input";
        out["error"] = read.error().message;
        return {out, kBadInput};
    }
    const LoadedImage& image = *read;
    BlindSolveRequest r;
    r.sources = DetectSources(
        image.isFits() ? image.values
                       : PixelImageFromPicture(image.image.convertToFormat(QImage::Format_RGB32)));
    r.width = image.image.width();
    r.height = image.image.height();
    r.scaleLow = o.scaleLow;
    r.scaleHigh = o.scaleHigh;
    r.hint = o.hint;
    r.indexFiles = BlindIndexFilesIn(o.indexDir);
    r.timeLimitSeconds = o.timeLimit;
    const BlindSolveResult result = BlindSolve(r);
    out["sources"] = int(r.sources.size());
    out["index_files"] = result.indexFilesUsable;
    out["scale_range"] = QJsonArray{result.scaleLow, result.scaleHigh};
    if (!result.skipped.isEmpty()) out["skipped"] = QJsonArray::fromStringList(result.skipped);
    int status = kSuccess;
    if (const auto& s = result.solution) {
        const TanPlate& p = s->plate;
        const double cx = (r.width - 1) / 2.0, cy = (r.height - 1) / 2.0;
        const SkyPoint centre = p.pixelToSky(cx, cy);
        const SkyPoint up = p.pixelToSky(cx, cy - 100);
        double rotation = angles::PositionAngleDeg(centre.ra, centre.dec, up.ra, up.dec);
        if (rotation > 180) rotation -= 360;
        const double scale = p.pixelScaleArcsec();
        out["solved"] = true;
        out["crval"] = QJsonArray{p.crval.ra, p.crval.dec};
        out["crpix"] = QJsonArray{p.crpix.x, p.crpix.y};
        out["cd"] = QJsonArray{QJsonArray{p.cd[0], p.cd[1]}, QJsonArray{p.cd[2], p.cd[3]}};
        out["centre"] = QJsonObject{{"ra", hms(centre.ra, true)}, {"dec", hms(centre.dec, false)}};
        out["corrasd"] = 3600.0 / scale * std::cos(centre.dec * angles::kDegree);
        out["corrdec"] = 3600.0 / scale;
        out["arcsec_per_px"] = scale;
        out["rotation_deg"] = rotation;
        out["mirrored"] = p.determinant() < 0;
        out["index"] = s->indexFile;
        out["log_odds"] = s->logOdds;
        out["stars_matched"] = s->starsMatched;
        if (!wcsOut.isEmpty()) {
            const FileRows rows = image.rowsBottomUp ? FileRows::BottomUp : FileRows::TopDown;
            if (const auto written = WriteWcsFile(wcsOut, p, r.width, r.height, rows); !written) {
                out["wcs_error"] = written.error().message;
                status = kNoResult;
            } else {
                out["wcs"] = wcsOut;
            }
        }
    } else {
        // An image with too few stars is a field that gives no solution.
        const bool tooFew = r.sources.size() < 4;
        out["failure"] = tooFew ? "too_few_sources" : failureName(result.failure);
        status = result.failure == BlindFailure::BadInput && !tooFew ? kBadInput : kUnsolvable;
    }
    out["elapsed_ms"] = clock.elapsed();
    return {out, status};
}

QString wcsPathFor(const Options& o, const QString& image) {
    if (o.wcsOut.isEmpty() || o.images.size() == 1) return o.wcsOut;
    return QDir(o.wcsOut).filePath(QFileInfo(image).completeBaseName() + QStringLiteral(".wcs"));
}

void printLine(const QJsonObject& o) {
    std::fputs(QJsonDocument(o).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void progress(int done, int total, const QJsonObject& o) {
    const QString what = o["solved"].toBool()
                             ? QStringLiteral("solved (%1, %2 %3)")
                                   .arg(o["index"].toString(), o["centre"]["ra"].toString(),
                                        o["centre"]["dec"].toString())
                             : o["failure"].toString();
    std::fprintf(stderr, "platesolve: [%d/%d] %s: %s, %.1f s\n", done, total,
                 qPrintable(o["image"].toString()), qPrintable(what),
                 o["elapsed_ms"].toDouble() / 1000.0);
}

// The worst status of a batch: bad input before no result before unsolved.
int worse(int a, int b) {
    const auto rank = [](int s) {
        return s == kBadInput ? 3 : s == kNoResult ? 2 : s == kUnsolvable ? 1 : 0;
    };
    return rank(b) > rank(a) ? b : a;
}

// Several images: worker processes of this program, `jobs` at a time.
int solveMany(const Options& o) {
    std::deque<QString> waiting(o.images.begin(), o.images.end());
    const int total = int(o.images.size());
    int running = 0, done = 0, status = kSuccess;
    QEventLoop loop;
    std::function<void()> startNext = [&] {
        while (running < o.jobs && !waiting.empty()) {
            const QString image = waiting.front();
            waiting.pop_front();
            auto* p = new QProcess(&loop);
            QStringList args =
                QStringList{QStringLiteral("blind"), QStringLiteral("--image"), image} + o.passOn;
            if (const QString wcs = wcsPathFor(o, image); !wcs.isEmpty())
                args << QStringLiteral("--wcs-out") << wcs;
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QString::fromLatin1(kWorkerVariable), QStringLiteral("1"));
            p->setProcessEnvironment(env);
            QObject::connect(p, &QProcess::finished, &loop, [&, p, image](int code) {
                QJsonObject line =
                    QJsonDocument::fromJson(p->readAllStandardOutput().trimmed()).object();
                const bool answered = !line.isEmpty() && p->exitStatus() == QProcess::NormalExit;
                if (!answered)
                    line =
                        QJsonObject{{"image", image},
                                    {"solved", false},
                                    {"failure", "bad_input"},
                                    {"error", QStringLiteral("the worker ended (%1)").arg(code)}};
                printLine(line);
                status = worse(status, answered ? code : kBadInput);
                ++done;
                progress(done, total, line);
                p->deleteLater();
                --running;
                if (waiting.empty() && running == 0)
                    loop.quit();
                else
                    startNext();
            });
            ++running;
            p->start(QCoreApplication::applicationFilePath(), args);
        }
    };
    startNext();
    if (running > 0) loop.exec();
    return status;
}

} // namespace

int RunBlind(const QStringList& args) {
    const Options o = readOptions(args);
    if (o.images.size() > 1) return solveMany(o);
    const auto [line, status] = solveOne(o, o.images.front(), o.wcsOut);
    printLine(line);
    if (!qEnvironmentVariableIsSet(kWorkerVariable)) progress(1, 1, line);
    return status;
}

} // namespace platesolve
