// platesolve: the field matching of the main program without a window.
//
//   platesolve --image IMG --catalogue DATA --corrasd X --corrdec Y --tolerance T
//              [--threshold S --decider] [--no-snap]
//              (--pick X,Y five times | --auto) [--rank] [--refine] [--wcs-out FILE]
//              [--xy X,Y ...] [--minor-planets FILE]
//
// In place of --catalogue DATA, the stars can come from local index files:
//   --catalogue-from-index DIR --ra "HH MM SS.S" --dec "+DD MM SS"
//   --epoch E --radius R --mag M [--answer-out FILE]
// (the texts typed in the window); --answer-out also writes the answer page.
//
// Reads the star server's answer file, moves each pick to the brightest spot
// near it (unless --no-snap), runs the candidate search and the automatic
// check, and prints one JSON object on stdout. With --auto the five picks are
// chosen among the stars found on the image; --rank offers the candidates by
// image evidence; --refine fits the TAN plate of the first candidate offered;
// --wcs-out writes that plate as a FITS WCS header in the image file's own
// pixel grid (a FITS file's row 1 is its first data row). With --minor-planets it also
// reads a minor-planet answer and places each minor planet with the first
// candidate's plate model. Errors go to stderr with a
// non-zero exit status.
//
//   platesolve --local-minor-planets ELEMENTS --day D --month M --year Y
//              --hour H --minute MIN --ra "HH MM SS.S" --dec "+DD MM SS"
//              --radius R --limit V --answer-out FILE
//
// Computes the minor-planet answer from an element file (MPCORB.DAT, plain
// or .gz, or the JSON element file) and writes it to FILE as the main window
// stores it in data2. Exit status 0, or 2 with a message for bad arguments,
// an unreadable element file or an answer that cannot be written.
#include "catalogues/localminorplanets.h"
#include "catalogues/localstars.h"
#include "catalogues/minorplanets.h"
#include "catalogues/sites.h"
#include "catalogues/usnoa2.h"
#include "field/catalogueviews.h"
#include "field/markers.h"
#include "field/overlay.h"
#include "field/picking.h"
#include "field/sources.h"
#include "imaging/imagefile.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "reduction/autopicks.h"
#include "reduction/evidence.h"
#include "reduction/matching.h"
#include "reduction/refinedplate.h"
#include "reduction/wcsfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

constexpr const char* kUsage =
    "usage: platesolve --image IMG --catalogue DATA --corrasd X --corrdec Y --tolerance T\n"
    "                  [--threshold S --decider] [--no-snap]\n"
    "                  (--pick X,Y --pick X,Y --pick X,Y --pick X,Y --pick X,Y | --auto)\n"
    "                  [--rank] [--refine] [--wcs-out FILE] [--xy X,Y ...]\n"
    "                  [--minor-planets FILE]\n"
    "  instead of --catalogue DATA, stars from local index files:\n"
    "       --catalogue-from-index DIR --ra \"HH MM SS.S\" --dec \"+DD MM SS\" --epoch E\n"
    "       --radius R --mag M [--answer-out FILE]\n"
    "  the minor planets of a field from an element file, without image or stars:\n"
    "       platesolve --local-minor-planets ELEMENTS --day D --month M --year Y\n"
    "                  --hour H --minute MIN --ra \"HH MM SS.S\" --dec \"+DD MM SS\"\n"
    "                  --radius R --limit V --answer-out FILE\n"
    "  platesolve -h | --help: print this help and exit\n";

struct Options {
    QString image;
    QString catalogue;
    QString indexFolder; // --catalogue-from-index
    QString ra, dec, epoch, radius, mag;
    QString answerOut;
    QString minorPlanets;
    double corrAsd = 0;
    double corrDec = 0;
    double tolerance = 0;
    double threshold = 10;
    bool decider = false;
    bool snap = true;
    bool autoPicks = false;
    bool rank = false;
    bool refine = false;
    QString wcsOut;
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
    const auto x = numbers::Strict(parts[0]);
    const auto y = numbers::Strict(parts[1]);
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
            const auto v = numbers::Strict(text);
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
        else if (a == QLatin1String("--catalogue-from-index"))
            o.indexFolder = value();
        else if (a == QLatin1String("--ra"))
            o.ra = value();
        else if (a == QLatin1String("--dec"))
            o.dec = value();
        else if (a == QLatin1String("--epoch"))
            o.epoch = value();
        else if (a == QLatin1String("--radius"))
            o.radius = value();
        else if (a == QLatin1String("--mag"))
            o.mag = value();
        else if (a == QLatin1String("--answer-out"))
            o.answerOut = value();
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
        else if (a == QLatin1String("--auto"))
            o.autoPicks = true;
        else if (a == QLatin1String("--rank"))
            o.rank = true;
        else if (a == QLatin1String("--refine"))
            o.refine = true;
        else if (a == QLatin1String("--wcs-out"))
            o.wcsOut = value();
        else if (a == QLatin1String("--pick"))
            o.picks.push_back(point(value()));
        else if (a == QLatin1String("--minor-planets"))
            o.minorPlanets = value();
        else if (a == QLatin1String("--xy"))
            o.points.push_back(point(value()));
        else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else
            fail(QStringLiteral("unknown argument \"%1\"\n%2").arg(a, QString::fromLatin1(kUsage)));
    }
    if (!o.catalogue.isEmpty() && !o.indexFolder.isEmpty())
        fail(QStringLiteral("--catalogue and --catalogue-from-index exclude each other"));
    if (!o.indexFolder.isEmpty() && (o.ra.isEmpty() || o.dec.isEmpty() || o.epoch.isEmpty() ||
                                     o.radius.isEmpty() || o.mag.isEmpty()))
        fail(QStringLiteral(
            "--catalogue-from-index needs --ra, --dec, --epoch, --radius and --mag"));
    if (!o.answerOut.isEmpty() && o.indexFolder.isEmpty())
        fail(QStringLiteral("--answer-out needs --catalogue-from-index"));
    if (o.image.isEmpty() || (o.catalogue.isEmpty() && o.indexFolder.isEmpty()) || !haveAsd ||
        !haveDec || !haveTol)
        fail(QStringLiteral("--image, --catalogue (or --catalogue-from-index), --corrasd, "
                            "--corrdec and --tolerance are required\n%1")
                 .arg(QString::fromLatin1(kUsage)));
    if (o.autoPicks && !o.picks.empty())
        fail(QStringLiteral("--auto chooses the picks itself: give either --auto or five --pick"));
    if (!o.autoPicks && o.picks.size() != 5)
        fail(QStringLiteral("exactly five --pick positions are needed (got %1)")
                 .arg(o.picks.size()));
    if (o.corrAsd <= 0 || o.corrDec <= 0) fail(QStringLiteral("the scales must be positive"));
    // The check's window reaches S + 4 pixels either side in 16-bit pixels.
    if (!numbers::ToInt16(-4.0 - o.threshold) || !numbers::ToInt16(o.threshold - 4.0))
        fail(QStringLiteral("--threshold: %1 does not fit the check's 16-bit pixel window")
                 .arg(o.threshold));
    return o;
}

LoadedImage loadImage(const QString& path) {
    LoadedImage loaded = ReadImageFile(path);
    if (loaded.image.isNull()) fail(QStringLiteral("%1: %2").arg(path, loaded.error));
    if (!loaded.isFits()) loaded.image = loaded.image.convertToFormat(QImage::Format_RGB32);
    return loaded;
}

// "HH MM SS.S" (or with colons) as three field texts; "+DD MM SS" with its sign.
std::array<QString, 3> fieldTexts(QString text, QString* sign) {
    text = text.trimmed();
    if (sign) {
        *sign = text.startsWith(QLatin1Char('-')) ? QStringLiteral("-") : QStringLiteral("+");
        if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')))
            text = text.mid(1);
    }
    const QStringList parts =
        text.split(QRegularExpression(QStringLiteral("[\\s:]+")), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 3) fail(QStringLiteral("\"%1\" is not H M S").arg(text));
    std::array<QString, 3> fields{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    for (int i = 0; i < parts.size(); ++i)
        fields[i] = parts[i];
    return fields;
}

// The answer page from the local index files, as the window's download
// would produce it.
QByteArray localAnswer(const Options& o) {
    TypedCentreFields fields;
    fields.ra = fieldTexts(o.ra, nullptr);
    fields.dec = fieldTexts(o.dec, &fields.decSign);
    fields.epoch = o.epoch;
    QString error;
    const QString address =
        StarAddressFromTyped(Sites().starServer, fields, o.radius, o.mag, &error);
    if (address.isEmpty()) fail(error);
    const LocalStarQueryReading reading = ReadLocalStarQuery(address);
    if (!reading.query) fail(reading.error);
    StarIndexFolder folder = OpenStarIndexFolder(o.indexFolder);
    for (const QString& skipped : folder.skipped)
        std::fprintf(stderr, "platesolve: not used: %s\n", qPrintable(skipped));
    const LocalStarAnswer answer = MakeLocalStarAnswer(*reading.query, folder);
    std::fprintf(stderr, "platesolve: %s\n", qPrintable(answer.status));
    if (!o.answerOut.isEmpty()) {
        QString error;
        if (!textfile::WriteBytes(o.answerOut, answer.page, &error))
            fail(QStringLiteral("%1: %2").arg(o.answerOut, error));
    }
    if (answer.outcome != LocalStarAnswer::Outcome::Stars) fail(answer.status, 4);
    return answer.page;
}

QJsonArray pair(double a, double b) {
    return QJsonArray{a, b};
}

constexpr const char* kMinorPlanetUsage =
    "usage: platesolve --local-minor-planets ELEMENTS --day D --month M --year Y\n"
    "                  --hour H --minute MIN --ra \"HH MM SS.S\" --dec \"+DD MM SS\"\n"
    "                  --radius R --limit V --answer-out FILE\n";

// The local minor-planet answer: the typed texts go to the same routine the
// main window uses.
int localMinorPlanets(const QStringList& args) {
    QString elements, answer;
    MinorPlanetFields t;
    QString ra, dec;
    const std::pair<const char*, QString*> named[] = {{"--local-minor-planets", &elements},
                                                      {"--day", &t.date[0]},
                                                      {"--month", &t.date[1]},
                                                      {"--year", &t.date[2]},
                                                      {"--hour", &t.date[3]},
                                                      {"--minute", &t.date[4]},
                                                      {"--ra", &ra},
                                                      {"--dec", &dec},
                                                      {"--radius", &t.radius},
                                                      {"--limit", &t.limit},
                                                      {"--answer-out", &answer}};
    std::vector<bool> seen(std::size(named), false);
    for (int i = 1; i < args.size(); ++i) {
        std::size_t k = 0;
        while (k < std::size(named) && args[i] != QLatin1String(named[k].first))
            ++k;
        if (k == std::size(named))
            fail(QStringLiteral("unknown argument \"%1\"\n%2")
                     .arg(args[i], QString::fromLatin1(kMinorPlanetUsage)));
        if (i + 1 >= args.size())
            fail(QStringLiteral("%1 needs a value\n%2")
                     .arg(args[i], QString::fromLatin1(kMinorPlanetUsage)));
        *named[k].second = args[++i];
        seen[k] = true;
    }
    for (std::size_t k = 0; k < std::size(named); ++k)
        if (!seen[k])
            fail(QStringLiteral("%1 is required\n%2")
                     .arg(QLatin1String(named[k].first), QString::fromLatin1(kMinorPlanetUsage)));
    const QStringList raParts = ra.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (raParts.size() != 3) fail(QStringLiteral("--ra: \"%1\" is not \"HH MM SS.S\"").arg(ra));
    QString decTrimmed = dec.trimmed();
    t.decSign = QStringLiteral("+");
    if (decTrimmed.startsWith(u'-') || decTrimmed.startsWith(u'+')) {
        t.decSign = decTrimmed.left(1);
        decTrimmed.remove(0, 1);
    }
    const QStringList decParts = decTrimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (decParts.size() != 3) fail(QStringLiteral("--dec: \"%1\" is not \"+DD MM SS\"").arg(dec));
    for (int i = 0; i < 3; ++i) {
        t.ra[i] = raParts[i];
        t.dec[i] = decParts[i];
    }
    const LocalAnswerResult result = WriteLocalMinorPlanetAnswer(elements, t, answer);
    for (const QString& w : result.warnings)
        std::fprintf(stderr, "platesolve: %s\n", qPrintable(w));
    if (!result.ok) fail(result.message);
    std::printf("%s\n", qPrintable(result.message));
    return 0;
}

// Reads the minor-planet answer into "minor_planets_read", "minor_planets"
// (each row's texts, its J2000 position as the row gives it and its pixel
// through `plate`, null without a model) and "minor_planet_notes".
void addMinorPlanets(QJsonObject& out, const Options& o, double centreRa,
                     const std::optional<PlateSolution>& plate) {
    auto table = std::make_unique<MinorPlanetTable>();
    const MinorPlanetFileResult read =
        ReadMinorPlanetFile(o.minorPlanets, o.corrAsd, o.corrDec, centreRa, *table);
    if (!read.opened) fail(QStringLiteral("%1: %2").arg(o.minorPlanets, read.error));
    QJsonArray rows;
    for (int i = 1; i <= read.rows.count; ++i) {
        QJsonValue x, y;
        if (plate) {
            const auto p = plate->scaledToPixel(numbers::Lenient(table->ra[i]),
                                                numbers::Lenient(table->dec[i]));
            if (p) x = p->x, y = p->y;
        }
        rows.append(QJsonObject{{"designation", table->designation[i].trimmed()},
                                {"name", table->name[i]},
                                {"ra", read.rows.positions[i].ra},
                                {"dec", read.rows.positions[i].dec},
                                {"mag", table->magnitude[i].trimmed()},
                                {"motion1", table->motion1[i].trimmed()},
                                {"motion2", table->motion2[i].trimmed()},
                                {"x", x},
                                {"y", y}});
    }
    out.insert("minor_planets_read", read.rows.count);
    out.insert("minor_planets", rows);
    out.insert("minor_planet_notes", QJsonArray::fromStringList(MinorPlanetReadNotes(read)));
}

QJsonObject refinedJson(const RefineResult& r, const std::vector<PixelPoint>& points) {
    const TanPlate& t = *r.plate;
    QJsonArray radec;
    for (const PixelPoint& p : points) {
        const SkyPoint sky = t.pixelToSky(p.x, p.y);
        radec.append(pair(sky.ra, sky.dec));
    }
    return QJsonObject{{"crval", pair(t.crval.ra, t.crval.dec)},
                       {"crpix", pair(t.crpix.x, t.crpix.y)},
                       {"cd", QJsonArray{pair(t.cd[0], t.cd[1]), pair(t.cd[2], t.cd[3])}},
                       {"stars_matched", r.matched},
                       {"stars_used", r.used},
                       {"rms_px", r.rmsPx},
                       {"max_px", r.maxPx},
                       {"radec", radec}};
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    programfolder::SetApplicationNames();
    if (const QString problem = programfolder::SetUp(); !problem.isEmpty())
        std::fprintf(stderr, "platesolve: %s\n", qPrintable(problem));
    if (QCoreApplication::arguments().contains(QLatin1String("--local-minor-planets")))
        return localMinorPlanets(QCoreApplication::arguments());
    const Options o = parseArguments(QCoreApplication::arguments());
    const LoadedImage image = loadImage(o.image);
    auto pixel = [&image](int x, int y) { return PickValue(image.image, image.values, x, y); };

    CatalogueStarTable stars;
    StarFileResult read;
    if (o.indexFolder.isEmpty()) {
        // No field is typed here: the answer's own centre keeps a field
        // across 0h together, as the typed centre does in the window.
        read = ReadUsnoA2FileAboutItsCentre(o.catalogue, o.corrAsd, o.corrDec, stars);
        if (!read.opened) fail(QStringLiteral("%1: %2").arg(o.catalogue, read.error));
    } else {
        read.opened = true;
        const QByteArray answer = localAnswer(o);
        read.stars = ReadUsnoA2Rows(answer, StarAnswerCentreRa(answer));
        read.rows.rowsRead = ScaleStarTable(read.stars, o.corrAsd, o.corrDec, stars);
        read.rows.inUse = stars.inUse;
    }
    const int n = read.rows.inUse;
    // The stars in use as read (degrees), for the evidence and the refined plate.
    const std::vector<SkyPoint> starsInUse = Positions(read.stars, static_cast<size_t>(n));

    // The stars found on the image, for the automatic picks, the evidence and
    // the refined plate.
    const bool detect = o.autoPicks || o.rank || o.refine || !o.wcsOut.isEmpty();
    const std::vector<ImageSource> sources =
        detect ? DetectSources(image.isFits() ? image.values : PixelImageFromPicture(image.image))
               : std::vector<ImageSource>{};

    std::vector<PixelPoint> clicks = o.picks;
    if (o.autoPicks) {
        const auto chosen = autopicks::Choose(sources, image.image.width(), image.image.height());
        if (!chosen)
            fail(QStringLiteral("fewer than five usable stars were found on the image (%1 sources)")
                     .arg(sources.size()),
                 3);
        clicks.assign(chosen->begin(), chosen->end());
    }

    // The picks, each moved to the brightest spot near it like a click would
    // be; automatic picks are star centres already and stay where they are.
    std::array<double, 11> x{}, y{};
    MarkerStore marks;
    QJsonArray picksJson;
    for (int i = 0; i < 5; ++i) {
        double px = clicks[i].x, py = clicks[i].y;
        if (!o.autoPicks) {
            const int cx = static_cast<int>(numbers::RoundHalfEven(px));
            const int cy = static_cast<int>(numbers::RoundHalfEven(py));
            const BrightestSpot spot =
                o.snap ? FindBrightestNear(pixel, cx, cy) : BrightestSpot{cx, cy, 0, false};
            px = spot.x;
            py = spot.y;
        }
        x[i + 1] = px;
        y[i + 1] = py;
        PlacePickMark(marks.clicpic, i + 1, px, py);
        picksJson.append(pair(px, py));
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

    const std::span<const ImageSource> evidenceSources = EvidenceSources(sources);
    const SourceIndex evidenceIndex(evidenceSources, kEvidenceRadius);

    struct Reviewed {
        QJsonObject json;
        PlateSolution plate;
    };
    std::vector<Reviewed> reviewed;
    std::vector<int> evidence;
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
        QJsonObject json{
            {"rows", rows}, {"ids", ids},    {"hits", hits ? *hits : 0}, {"passes_decider", passes},
            {"a", a},       {"radec", radec}};
        if (detect) {
            evidence.push_back(CandidateEvidence(plate, starsInUse, evidenceIndex));
            json.insert("evidence", evidence.back());
        }
        reviewed.push_back({json, plate});
    }

    // The order the window offers them in.
    std::vector<int> order(reviewed.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    if (o.rank) order = RankByEvidence(evidence);
    QJsonArray candidates;
    for (int i : order)
        candidates.append(reviewed[i].json);

    QJsonObject out{{"rows_read", read.rows.rowsRead}, {"stars_in_use", n},
                    {"auto_picks", o.autoPicks},       {"picks", picksJson},
                    {"elapsed_ms", elapsedMs},         {"candidate_table_full", found.tableFull},
                    {"candidates", candidates}};
    if (detect) out.insert("sources", static_cast<int>(sources.size()));
    if (!o.minorPlanets.isEmpty()) {
        // Right ascensions are unwrapped about the field: the first offered
        // model's centre of the image, or the brightest catalogue star
        // without one.
        std::optional<PlateSolution> firstPlate;
        if (!order.empty()) firstPlate = reviewed[order.front()].plate;
        double centreRa = n > 0 ? stars.ra[1] / o.corrAsd : 0.0;
        if (firstPlate)
            centreRa =
                firstPlate->pixelToSky(image.image.width() / 2.0, image.image.height() / 2.0).ra;
        addMinorPlanets(out, o, centreRa, firstPlate);
    }

    // The refined plate of the first candidate offered, and the WCS header.
    std::optional<TanPlate> wcsPlate;
    QString plateError;
    if (order.empty()) {
        plateError = QStringLiteral("no candidate identification");
    } else {
        const PlateSolution& first = reviewed[order.front()].plate;
        if (o.refine) {
            const RefineResult r = RefinePlate(first, starsInUse, RefineSources(sources, n),
                                               image.image.width(), image.image.height());
            if (r.plate) {
                out.insert("refined", refinedJson(r, o.points));
                wcsPlate = r.plate;
            } else {
                out.insert("refined", QJsonValue::Null);
                out.insert("refine_error",
                           r.status == RefineResult::Status::TooFewStars
                               ? QStringLiteral("only %1 catalogue stars have a source near "
                                                "them (6 needed): the three-star model stays")
                                     .arg(r.matched)
                               : QStringLiteral("no plate could be fitted: the three-star "
                                                "model stays"));
            }
        }
        if (!wcsPlate)
            wcsPlate = TanPlateOf(SkyPlate{first, std::nullopt}, image.image.width(),
                                  image.image.height());
        if (!wcsPlate)
            plateError = QStringLiteral("the plate model cannot be turned into a TAN plate");
    }
    std::fputs(QJsonDocument(out).toJson(QJsonDocument::Indented).constData(), stdout);

    if (!o.wcsOut.isEmpty()) {
        if (!wcsPlate) fail(QStringLiteral("no WCS header written: %1").arg(plateError), 4);
        QString error;
        const FileRows rows = image.rowsBottomUp ? FileRows::BottomUp : FileRows::TopDown;
        if (!WriteWcsFile(o.wcsOut, *wcsPlate, image.image.width(), image.image.height(), rows,
                          &error))
            fail(QStringLiteral("%1: %2").arg(o.wcsOut, error), 4);
    }
    return 0;
}
