// platesolve: the field matching of the main program without a window.
//
//   platesolve --image IMG --catalogue DATA --corrasd X --corrdec Y --tolerance T
//              [--threshold S --decider] [--no-snap]
//              --pick X,Y (five times) [--xy X,Y ...]
//
// Reads the star server's answer file, moves each pick to the brightest spot
// near it (unless --no-snap), runs the candidate search and the automatic
// check, and prints one JSON object on stdout. Errors go to stderr with a
// non-zero exit status.
#include "catalogues/usnoa2.h"
#include "field/markers.h"
#include "field/overlay.h"
#include "field/picking.h"
#include "platform/numbers.h"
#include "reduction/matching.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <optional>

namespace {

constexpr const char* kUsage =
    "usage: platesolve --image IMG --catalogue DATA --corrasd X --corrdec Y --tolerance T\n"
    "                  [--threshold S --decider] [--no-snap]\n"
    "                  --pick X,Y --pick X,Y --pick X,Y --pick X,Y --pick X,Y [--xy X,Y ...]\n";

struct Options {
    QString image;
    QString catalogue;
    double corrAsd = 0;
    double corrDec = 0;
    double tolerance = 0;
    double threshold = 10;
    bool decider = false;
    bool snap = true;
    std::vector<PixelPoint> picks;
    std::vector<PixelPoint> points;
};

[[noreturn]] void fail(const QString& message, int status = 2) {
    std::fprintf(stderr, "platesolve: %s\n", qPrintable(message));
    std::exit(status);
}

std::optional<PixelPoint> parsePoint(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2) return std::nullopt;
    const auto x = numbers::strict(parts[0]);
    const auto y = numbers::strict(parts[1]);
    if (!x || !y) return std::nullopt;
    return PixelPoint{*x, *y};
}

Options parseArguments(const QStringList& args) {
    Options o;
    bool haveAsd = false, haveDec = false, haveTol = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                fail(QStringLiteral("%1 needs a value\n%2").arg(a, QString::fromLatin1(kUsage)));
            return args[++i];
        };
        auto number = [&](const QString& text) {
            const auto v = numbers::strict(text);
            if (!v) fail(QStringLiteral("%1: \"%2\" is not a number").arg(a, text));
            return *v;
        };
        auto point = [&](const QString& text) {
            const auto p = parsePoint(text);
            if (!p) fail(QStringLiteral("%1: \"%2\" is not a pixel position X,Y").arg(a, text));
            return *p;
        };
        if (a == QLatin1String("--image"))
            o.image = value();
        else if (a == QLatin1String("--catalogue"))
            o.catalogue = value();
        else if (a == QLatin1String("--corrasd"))
            o.corrAsd = number(value()), haveAsd = true;
        else if (a == QLatin1String("--corrdec"))
            o.corrDec = number(value()), haveDec = true;
        else if (a == QLatin1String("--tolerance"))
            o.tolerance = number(value()), haveTol = true;
        else if (a == QLatin1String("--threshold"))
            o.threshold = number(value());
        else if (a == QLatin1String("--decider"))
            o.decider = true;
        else if (a == QLatin1String("--no-snap"))
            o.snap = false;
        else if (a == QLatin1String("--pick"))
            o.picks.push_back(point(value()));
        else if (a == QLatin1String("--xy"))
            o.points.push_back(point(value()));
        else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else
            fail(QStringLiteral("unknown argument \"%1\"\n%2").arg(a, QString::fromLatin1(kUsage)));
    }
    if (o.image.isEmpty() || o.catalogue.isEmpty() || !haveAsd || !haveDec || !haveTol)
        fail(QStringLiteral(
                 "--image, --catalogue, --corrasd, --corrdec and --tolerance are required\n%1")
                 .arg(QString::fromLatin1(kUsage)));
    if (o.picks.size() != 5)
        fail(QStringLiteral("exactly five --pick positions are needed (got %1)")
                 .arg(o.picks.size()));
    if (o.corrAsd <= 0 || o.corrDec <= 0) fail(QStringLiteral("the scales must be positive"));
    // The check's window reaches S + 4 pixels either side in 16-bit pixels.
    if (!numbers::toInt16(-4.0 - o.threshold) || !numbers::toInt16(o.threshold - 4.0))
        fail(QStringLiteral("--threshold: %1 does not fit the check's 16-bit pixel window")
                 .arg(o.threshold));
    return o;
}

QImage loadImage(const QString& path) {
    QImageReader reader(path);
    QImageReader::setAllocationLimit(1024);
    QImage image = reader.read();
    if (image.isNull()) fail(QStringLiteral("%1: %2").arg(path, reader.errorString()));
    return image.convertToFormat(QImage::Format_RGB32);
}

QJsonArray pair(double a, double b) {
    return QJsonArray{a, b};
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const Options o = parseArguments(QCoreApplication::arguments());
    const QImage image = loadImage(o.image);
    auto pixel = [&image](int x, int y) {
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return -1;
        const QRgb p = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
        return qRed(p) + 256 * qGreen(p) + 65536 * qBlue(p);
    };

    CatalogueStarTable stars;
    const StarFileResult read = ReadUsnoA2File(o.catalogue, o.corrAsd, o.corrDec, stars);
    if (!read.opened) fail(QStringLiteral("%1: %2").arg(o.catalogue, read.error));
    const int n = read.rows.inUse;

    // The picks, each moved to the brightest spot near it like a click would be.
    std::array<double, 11> x{}, y{};
    MarkerStore marks;
    QJsonArray picksJson;
    for (int i = 0; i < 5; ++i) {
        const int cx = static_cast<int>(numbers::roundHalfEven(o.picks[i].x));
        const int cy = static_cast<int>(numbers::roundHalfEven(o.picks[i].y));
        const BrightestSpot spot =
            o.snap ? FindBrightestNear(pixel, cx, cy) : BrightestSpot{cx, cy, 0, false};
        x[i + 1] = spot.x;
        y[i + 1] = spot.y;
        PlacePickMark(marks.clicpic, i + 1, spot.x, spot.y);
        picksJson.append(pair(spot.x, spot.y));
    }
    if (matching::PicksCollinear(x, y))
        fail(
            QStringLiteral("picks 1, 2 and 3 lie on one straight line: no plate model can be made"),
            3);

    QElapsedTimer timer;
    timer.start();
    matching::DistanceTables tables;
    tables.build(x, y, stars.ra, stars.dec, n);
    const matching::SearchResult found = matching::FindCandidates(tables, o.tolerance);
    const double elapsedMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

    QJsonArray candidates;
    for (const matching::Candidate& c : found.candidates) {
        const auto model = matching::CandidateModel(x, y, stars.ra, stars.dec, c);
        if (!model) continue;
        PlateSolution plate;
        plate.corrAsd = o.corrAsd;
        plate.corrDec = o.corrDec;
        plate.a = *model;
        MarkerPlacer placer(plate, marks.star.size);
        PlaceStarMarkers(placer, stars, n, marks.star);
        const auto hits =
            matching::CountCheckHits({marks.clicpic.left, marks.clicpic.top},
                                     {marks.star.left, marks.star.top}, n, o.threshold);
        const bool passes = hits && *hits >= 4;
        if (o.decider && !passes) continue;

        QJsonArray rows, ids, a, radec;
        for (int s = 1; s <= 5; ++s) {
            rows.append(c[s]);
            ids.append(stars.id[c[s]]);
        }
        for (double v : plate.a)
            a.append(v);
        for (const PixelPoint& p : o.points) {
            const SkyPoint sky = plate.pixelToSky(p.x, p.y);
            radec.append(pair(sky.ra, sky.dec));
        }
        candidates.append(QJsonObject{{"rows", rows},
                                      {"ids", ids},
                                      {"hits", hits ? *hits : 0},
                                      {"passes_decider", passes},
                                      {"a", a},
                                      {"radec", radec}});
    }

    const QJsonObject out{{"rows_read", read.rows.rowsRead},
                          {"stars_in_use", n},
                          {"picks", picksJson},
                          {"elapsed_ms", elapsedMs},
                          {"candidate_table_full", found.tableFull},
                          {"candidates", candidates}};
    std::fputs(QJsonDocument(out).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}
