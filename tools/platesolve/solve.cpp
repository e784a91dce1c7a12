// platesolve solve: the field matching of the main program without a window.
//
// Reads the star server's answer file (or makes the answer from local index
// files, as the window's download would), moves each pick to the brightest
// spot near it (unless --no-snap), runs the candidate search and the
// automatic check, and prints one JSON object on stdout. With --auto the field
// is identified from the stars found on the whole image and the five picks
// are chosen among the matched stars (the identification is the one
// candidate; none at all gives exit status 5); --rank offers the
// candidates by image evidence; --refine fits the TAN plate of the first
// candidate offered; --wcs-out writes that plate as a FITS WCS header in the
// image file's own pixel grid (a FITS file's row 1 is its first data row).
// With --minor-planets it also reads a minor-planet answer and places each
// minor planet with the first candidate's plate model.
#include "solve.h"

#include "command.h"

#include "catalogues/localstars.h"
#include "catalogues/minorplanets.h"
#include "catalogues/sites.h"
#include "catalogues/usnoa2.h"
#include "field/catalogueviews.h"
#include "field/markers.h"
#include "field/overlay.h"
#include "field/picking.h"
#include "field/solve.h"
#include "field/sources.h"
#include "imaging/imagefile.h"
#include "platform/numbers.h"
#include "platform/regularfile.h"
#include "platform/textfile.h"
#include "reduction/evidence.h"
#include "reduction/fieldidentify.h"
#include "reduction/matching.h"
#include "reduction/refinedplate.h"
#include "reduction/wcsfile.h"

#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

namespace platesolve {
namespace {

constexpr const char* kUsage =
    "usage: platesolve [solve] --image IMG --catalogue DATA --corrasd X --corrdec Y\n"
    "                  --tolerance T [--threshold S --decider] [--no-snap]\n"
    "                  (--pick X,Y --pick X,Y --pick X,Y --pick X,Y --pick X,Y | --auto)\n"
    "                  [--rank] [--refine] [--wcs-out FILE] [--xy X,Y ...]\n"
    "                  [--minor-planets FILE]\n"
    "  instead of --catalogue DATA, stars from local index files:\n"
    "       --catalogue-from-index DIR --ra \"HH MM SS.S\" --dec \"+DD MM SS\" --epoch E\n"
    "       --radius R --mag M [--answer-out FILE]\n";

QList<QCommandLineOption> OptionList() {
    using O = QCommandLineOption;
    const auto s = [](const char* t) { return QString::fromLatin1(t); };
    return {
        O(s("image"), s("the image: JPEG, PNG, BMP, GIF, TIFF or FITS"), s("IMG")),
        O(s("catalogue"), s("the star catalogue's answer for the field"), s("DATA")),
        O(s("corrasd"), s("the right ascension scale of the image"), s("X")),
        O(s("corrdec"), s("the declination scale of the image"), s("Y")),
        O(s("tolerance"), s("the matching tolerance in pixels"), s("T")),
        O(s("threshold"), s("the automatic check's reach in pixels (10)"), s("S")),
        O(s("decider"), s("keep only the candidates that pass the check")),
        O(s("no-snap"), s("take the picks as given")),
        O(s("pick"), s("a picked star in image pixels; five are needed"), s("X,Y")),
        O(s("auto"), s("identify the field from the stars found and pick five of them")),
        O(s("rank"), s("offer the candidates by image evidence")),
        O(s("refine"), s("fit the refined plate of the first candidate")),
        O(s("wcs-out"), s("write the first candidate's plate as a FITS WCS header"), s("FILE")),
        O(s("xy"), s("a pixel whose J2000 position is given; may be repeated"), s("X,Y")),
        O(s("minor-planets"), s("also place the minor planets of this answer"), s("FILE")),
        O(s("catalogue-from-index"), s("make the star answer from the index files of DIR"),
          s("DIR")),
        O(s("ra"), s("the field centre's right ascension as typed"), s("\"HH MM SS.S\"")),
        O(s("dec"), s("the field centre's declination as typed"), s("\"+DD MM SS\"")),
        O(s("epoch"), s("the equinox of the typed centre"), s("E")),
        O(s("radius"), s("the search radius in arc-minutes"), s("R")),
        O(s("mag"), s("the faintest magnitude of the star answer"), s("M")),
        O(s("answer-out"), s("also write the star answer made"), s("FILE")),
    };
}

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

std::optional<PixelPoint> parsePoint(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2) return std::nullopt;
    const auto x = numbers::Strict(parts[0]);
    const auto y = numbers::Strict(parts[1]);
    if (!x || !y) return std::nullopt;
    return PixelPoint{*x, *y};
}

std::vector<PixelPoint> points(const CommandLine& line, const QString& name) {
    std::vector<PixelPoint> out;
    for (const QString& text : line.values(name)) {
        const auto p = parsePoint(text);
        if (!p) Fail(QStringLiteral("--%1: \"%2\" is not a pixel position X,Y").arg(name, text));
        out.push_back(*p);
    }
    return out;
}

Options parseArguments(const QStringList& args) {
    CommandLine line(QString::fromLatin1(kUsage), OptionList());
    line.parse(args);
    Options o;
    o.image = line.value(QStringLiteral("image"));
    o.catalogue = line.value(QStringLiteral("catalogue"));
    o.indexFolder = line.value(QStringLiteral("catalogue-from-index"));
    o.ra = line.value(QStringLiteral("ra"));
    o.dec = line.value(QStringLiteral("dec"));
    o.epoch = line.value(QStringLiteral("epoch"));
    o.radius = line.value(QStringLiteral("radius"));
    o.mag = line.value(QStringLiteral("mag"));
    o.answerOut = line.value(QStringLiteral("answer-out"));
    o.minorPlanets = line.value(QStringLiteral("minor-planets"));
    o.wcsOut = line.value(QStringLiteral("wcs-out"));
    // Numbers are checked in the order they are needed, as they come.
    const bool haveAsd = line.isSet(QStringLiteral("corrasd"));
    const bool haveDec = line.isSet(QStringLiteral("corrdec"));
    const bool haveTol = line.isSet(QStringLiteral("tolerance"));
    if (haveAsd) o.corrAsd = line.number(QStringLiteral("corrasd"));
    if (haveDec) o.corrDec = line.number(QStringLiteral("corrdec"));
    if (haveTol) o.tolerance = line.number(QStringLiteral("tolerance"));
    if (line.isSet(QStringLiteral("threshold")))
        o.threshold = line.number(QStringLiteral("threshold"));
    o.decider = line.isSet(QStringLiteral("decider"));
    o.snap = !line.isSet(QStringLiteral("no-snap"));
    o.autoPicks = line.isSet(QStringLiteral("auto"));
    o.rank = line.isSet(QStringLiteral("rank"));
    o.refine = line.isSet(QStringLiteral("refine"));
    o.picks = points(line, QStringLiteral("pick"));
    o.points = points(line, QStringLiteral("xy"));

    if (!o.catalogue.isEmpty() && !o.indexFolder.isEmpty())
        Fail(QStringLiteral("--catalogue and --catalogue-from-index exclude each other"));
    if (!o.indexFolder.isEmpty() && (o.ra.isEmpty() || o.dec.isEmpty() || o.epoch.isEmpty() ||
                                     o.radius.isEmpty() || o.mag.isEmpty()))
        Fail(QStringLiteral(
            "--catalogue-from-index needs --ra, --dec, --epoch, --radius and --mag"));
    if (!o.answerOut.isEmpty() && o.indexFolder.isEmpty())
        Fail(QStringLiteral("--answer-out needs --catalogue-from-index"));
    if (o.image.isEmpty() || (o.catalogue.isEmpty() && o.indexFolder.isEmpty()) || !haveAsd ||
        !haveDec || !haveTol)
        Fail(QStringLiteral("--image, --catalogue (or --catalogue-from-index), --corrasd, "
                            "--corrdec and --tolerance are required\n%1")
                 .arg(QString::fromLatin1(kUsage)));
    if (o.autoPicks && !o.picks.empty())
        Fail(QStringLiteral("--auto chooses the picks itself: give either --auto or five --pick"));
    if (!o.autoPicks && o.picks.size() != 5)
        Fail(QStringLiteral("exactly five --pick positions are needed (got %1)")
                 .arg(o.picks.size()));
    if (o.corrAsd <= 0 || o.corrDec <= 0) Fail(QStringLiteral("the scales must be positive"));
    // The check's window reaches S + 4 pixels either side in 16-bit pixels.
    if (!numbers::ToInt16(-4.0 - o.threshold) || !numbers::ToInt16(o.threshold - 4.0))
        Fail(QStringLiteral("--threshold: %1 does not fit the check's 16-bit pixel window")
                 .arg(o.threshold));
    return o;
}

LoadedImage loadImage(const QString& path) {
    auto read = ReadImageFile(path);
    if (!read) Fail(QStringLiteral("%1: %2").arg(path, read.error().message));
    LoadedImage loaded = std::move(read).value();
    if (!loaded.isFits()) loaded.image = loaded.image.convertToFormat(QImage::Format_RGB32);
    return loaded;
}

// The stars of the local index files for the typed field, as the window's
// download answers them: the page (written to --answer-out) and its rows,
// with right ascensions about the query's centre as a reading of the page
// takes them.
std::vector<CatalogueRow> localStars(const Options& o) {
    TypedCentreFields fields;
    fields.ra = ReadTypedAngle(QStringLiteral("ra"), o.ra, false, false).fields;
    const TypedAngle dec = ReadTypedAngle(QStringLiteral("dec"), o.dec, false, true);
    fields.dec = dec.fields;
    fields.decSign = dec.sign;
    fields.epoch = o.epoch;
    const LocalStarQueryReading reading = LocalStarQueryFromTyped(fields, o.radius, o.mag);
    if (!reading) Fail(reading.error().message);
    StarIndexFolder folder = OpenStarIndexFolder(o.indexFolder);
    for (const QString& skipped : folder.skipped)
        Note(QStringLiteral("not used: %1").arg(skipped));
    const LocalStarAnswer answer = MakeLocalStarAnswer(*reading, folder);
    Note(answer.status);
    if (!o.answerOut.isEmpty()) {
        if (const auto written = textfile::WriteBytes(o.answerOut, answer.page); !written)
            Fail(QStringLiteral("%1: %2").arg(o.answerOut, written.error().message));
    }
    if (answer.outcome != LocalStarAnswer::Outcome::Stars) Fail(answer.status, kNoResult);
    return LocalStarRows(answer, reading->ra);
}

QJsonArray pair(double a, double b) {
    return QJsonArray{a, b};
}

// Reads the minor-planet answer into "minor_planets_read", "minor_planets"
// (each row's texts, its J2000 position as the row gives it and its pixel
// through `plate`, null without a model) and "minor_planet_notes".
void addMinorPlanets(QJsonObject& out, const Options& o, double centreRa,
                     const std::optional<PlateSolution>& plate) {
    auto table = std::make_unique<MinorPlanetTable>();
    const MinorPlanetFileResult read =
        ReadMinorPlanetFile(o.minorPlanets, o.corrAsd, o.corrDec, centreRa, *table);
    if (!read.read) Fail(QStringLiteral("%1: %2").arg(o.minorPlanets, read.read.error().message));
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

// SIP terms under their FITS keywords: {"A_2_0": ..., ...} per polynomial.
QJsonObject sipJson(const Distortion& d) {
    auto terms = [](const char* name, const Distortion::Terms& t, int order) {
        QJsonObject out;
        for (int p = 0; p <= order; ++p)
            for (int q = 0; p + q <= order; ++q)
                if (p + q >= 2)
                    out.insert(QStringLiteral("%1_%2_%3").arg(name).arg(p).arg(q), t[p][q]);
        return out;
    };
    return QJsonObject{{"order", d.order},
                       {"inverse_order", d.inverseOrder},
                       {"a", terms("A", d.a, d.order)},
                       {"b", terms("B", d.b, d.order)},
                       {"ap", terms("AP", d.ap, d.inverseOrder)},
                       {"bp", terms("BP", d.bp, d.inverseOrder)}};
}

QJsonObject refinedJson(const RefineResult& r, const std::vector<PixelPoint>& points) {
    const TanPlate& t = *r.plate;
    QJsonArray radec;
    for (const PixelPoint& p : points) {
        const SkyPoint sky = t.pixelToSky(p.x, p.y);
        radec.append(pair(sky.ra, sky.dec));
    }
    QJsonObject out{{"crval", pair(t.crval.ra, t.crval.dec)},
                    {"crpix", pair(t.crpix.x, t.crpix.y)},
                    {"cd", QJsonArray{pair(t.cd[0], t.cd[1]), pair(t.cd[2], t.cd[3])}},
                    {"stars_matched", r.matched},
                    {"stars_used", r.used},
                    {"rms_px", r.rmsPx},
                    {"max_px", r.maxPx},
                    {"radec", radec}};
    if (t.distortion) out.insert("sip", sipJson(*t.distortion));
    return out;
}

} // namespace

int RunSolve(const QStringList& args) {
    const Options o = parseArguments(args);
    const LoadedImage image = loadImage(o.image);
    auto pixel = [&image](int x, int y) { return PickValue(image.image, image.values, x, y); };

    CatalogueStarTable stars;
    StarFileResult read;
    if (o.indexFolder.isEmpty()) {
        // No field is typed here: the answer's own centre keeps a field
        // across 0h together, as the typed centre does in the window.
        read = ReadUsnoA2FileAboutItsCentre(o.catalogue, o.corrAsd, o.corrDec, stars);
        if (!read.read) Fail(QStringLiteral("%1: %2").arg(o.catalogue, read.read.error().message));
    } else {
        read.stars = localStars(o);
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
    // --auto: the field identified from the stars of the whole image, and
    // the five picks among the matched stars with their catalogue rows.
    std::optional<matching::Candidate> identified;
    QJsonObject identification;
    if (o.autoPicks) {
        if (sources.size() < 5)
            Fail(QStringLiteral("fewer than five stars were found on the image (%1 sources)")
                     .arg(sources.size()),
                 kUnsolvable);
        const std::vector<SkyPoint>& degrees = starsInUse;
        const auto centre = identify::MeanDirection(degrees);
        identify::Attempt attempt;
        if (centre)
            attempt = identify::Identify(
                sources, degrees, *centre, image.image.width(), image.image.height(),
                identify::TypedScaleRange(o.corrAsd, o.corrDec, centre->dec));
        identification = QJsonObject{{"image_stars", attempt.imageStars},
                                     {"catalogue_stars", attempt.catalogueStars},
                                     {"hypotheses", attempt.hypotheses},
                                     {"verified", attempt.verified},
                                     {"threshold", identify::kOddsThreshold}};
        const auto chosen = attempt.found
                                ? identify::ChoosePicks(*attempt.found, sources,
                                                        image.image.width(), image.image.height())
                                : std::nullopt;
        if (!chosen) {
            const QString text = NoIdentificationText(attempt);
            identification.insert("message", text);
            QJsonObject out{{"rows_read", read.rows.rowsRead},
                            {"stars_in_use", n},
                            {"auto_picks", true},
                            {"sources", int(sources.size())},
                            {"identification", identification},
                            {"candidates", QJsonArray{}}};
            std::fputs(QJsonDocument(out).toJson(QJsonDocument::Indented).constData(), stdout);
            std::fflush(stdout);
            Fail(text, kNoIdentification);
        }
        const identify::Identification& found = *attempt.found;
        const identify::FittedScales fitted = identify::ScalesOf(found.plate);
        identification.insert("odds", found.verification.oddsLog10);
        identification.insert("hits", found.verification.hits);
        identification.insert("tested", found.verification.tested);
        identification.insert("matched", static_cast<int>(found.matches.size()));
        identification.insert("mirrored", found.mirrored);
        identification.insert("fitted_corrasd", fitted.corrAsd);
        identification.insert("fitted_corrdec", fitted.corrDec);
        matching::Candidate c{};
        for (int k = 0; k < 5; ++k)
            c[k + 1] = static_cast<int16_t>(chosen->stars[k] + 1);
        identified = c;
        clicks.assign(chosen->picks.begin(), chosen->picks.end());
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
        Fail(
            QStringLiteral("picks 1, 2 and 3 lie on one straight line: no plate model can be made"),
            kUnsolvable);

    QElapsedTimer timer;
    timer.start();
    matching::DistanceTables tables;
    tables.build(x, y, stars.ra, stars.dec, n);
    // Identified picks offer their identification alone; the distance search
    // is for picks given by hand.
    const matching::SearchResult found = identified ? matching::SearchResult{{*identified}, false}
                                                    : matching::FindCandidates(tables, o.tolerance);
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
        if (identified) json.insert("odds", identification["odds"]);
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
    if (o.autoPicks) out.insert("identification", identification);
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
        if (!wcsPlate) Fail(QStringLiteral("no WCS header written: %1").arg(plateError), kNoResult);
        const FileRows rows = image.rowsBottomUp ? FileRows::BottomUp : FileRows::TopDown;
        const auto written =
            WriteWcsFile(o.wcsOut, *wcsPlate, image.image.width(), image.image.height(), rows);
        if (!written)
            Fail(QStringLiteral("%1: %2").arg(o.wcsOut, written.error().message), kNoResult);
    }
    return 0;
}

} // namespace platesolve
