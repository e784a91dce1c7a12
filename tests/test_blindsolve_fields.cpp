// Solving real fields with no position: pictures of tests/data/fields against
// Debian's Tycho-2 index files 10-19 (/usr/share/astrometry, installed by
// scripts/setup.sh), the pixel scale known to 10 per cent, then nothing known.
#include "catalogues/blindsolve.h"
#include "field/sources.h"
#include "testing.h"

#include <QElapsedTimer>
#include <QImage>
#include <QJsonDocument>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

using namespace testing_support;

namespace {

const QString kIndexFolder = QStringLiteral("/usr/share/astrometry");

// The reference solution: a TAN plate with SIP distortion terms (pixel
// offsets u, v from crpix gain sum A_pq u^p v^q and sum B_pq u^p v^q before
// the CD matrix).
struct Reference {
    TanPlate plate;
    std::vector<std::array<double, 3>> a, b; // p, q, coefficient
    SkyPoint pixelToSky(double x, double y) const {
        const double u = x - plate.crpix.x, v = y - plate.crpix.y;
        double du = 0, dv = 0;
        for (const auto& [p, q, c] : a)
            du += c * std::pow(u, p) * std::pow(v, q);
        for (const auto& [p, q, c] : b)
            dv += c * std::pow(u, p) * std::pow(v, q);
        const double xi = plate.cd[0] * (u + du) + plate.cd[1] * (v + dv);
        const double eta = plate.cd[2] * (u + du) + plate.cd[3] * (v + dv);
        return StandardToSky(xi, eta, plate.crval);
    }
    int width = 0, height = 0;
    double arcsecPerPx = 0;
    bool mirrored = false;
};

Reference referenceOf(const QString& field) {
    const QJsonObject o =
        QJsonDocument::fromJson(readSample("fields/" + field + "/wcs.json")).object();
    const QJsonObject w = o["wcs"].toObject();
    Reference r;
    r.plate.crval = {w["crval"][0].toDouble(), w["crval"][1].toDouble()};
    r.plate.crpix = {w["crpix_0based"][0].toDouble(), w["crpix_0based"][1].toDouble()};
    r.plate.cd = {w["cd"][0][0].toDouble(), w["cd"][0][1].toDouble(), w["cd"][1][0].toDouble(),
                  w["cd"][1][1].toDouble()};
    const QJsonObject sip = w["sip"].toObject();
    for (const auto& [letter, terms] : {std::pair{"A", &r.a}, std::pair{"B", &r.b}}) {
        const QJsonObject t = sip[QString(letter).toLower()].toObject();
        for (auto it = t.begin(); it != t.end(); ++it) {
            const QStringList pq = it.key().split('_'); // A_p_q
            terms->push_back({pq[1].toDouble(), pq[2].toDouble(), it.value().toDouble()});
        }
    }
    r.width = o["image"]["width"].toInt();
    r.height = o["image"]["height"].toInt();
    r.arcsecPerPx = o["scale"]["arcsec_per_px"].toDouble();
    r.mirrored = o["orientation"]["mirrored"].toBool();
    return r;
}

// Largest distance, pixels, between where the two plates put the sky of the
// corners and the centre.
double worstOffsetPx(const TanPlate& solved, const Reference& ref) {
    double worst = 0;
    const double w = ref.width - 1, h = ref.height - 1;
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{w, 0.0}, std::pair{0.0, h},
                               std::pair{w, h}, std::pair{w / 2, h / 2}}) {
        const auto at = solved.skyToPixel(ref.pixelToSky(x, y));
        if (!at) return INFINITY;
        worst = std::max(worst, std::hypot(at->x - x, at->y - y));
    }
    return worst;
}

} // namespace

TEST(BlindSolveFields, RealFieldsWithTheScaleKnownAndWithNothingKnown) {
    const QStringList indexes = BlindIndexFilesIn(kIndexFolder);
    ASSERT_FALSE(indexes.isEmpty())
        << "no index files in /usr/share/astrometry: install astrometry-data-tycho2-10-19";
    struct Row {
        const char* field;
        bool withoutScale;        // also solved with nothing known
        double tolerancePx = 2.0; // a TAN plate against the reference with its distortion
    };
    const Row rows[] = {
        {"GammaCygni-vasey", false}, // 3.4 degrees, Milky Way star cloud
        {"barnard22", false},        // 1.8 degrees, dark nebula in Taurus
        {"ic1396", false},           // 3.4 degrees
        {"ic1848", true},            // 2.2 degrees
        {"ic1848-mirrored", true},   // the same, mirrored left to right
        {"ic2177", false},           // 2.4 degrees, DSS plate
        {"m8", false, 2.5}, // 2.4 degrees, bright nebula; the reference bends 2.3 px at the corners
        {"n104", false, 2.5},    // 2.1 degrees, globular cluster beside the SMC; 3.0 px of bending
        {"n2170", false},        // 1.7 degrees
        {"n2244", false},        // 1.6 degrees, open cluster in nebulosity
        {"n7000", false},        // 4.2 degrees
        {"pleiades", false},     // 1.5 degrees, bright stars in reflection nebulosity
        {"rho-a00", false},      // 3.8 degrees
        {"smc29-2", false, 4.5}, // 2.6 degrees, the SMC; 3.7 px of bending at the corners
    };
    for (const Row& row : rows) {
        const QString field = QString::fromLatin1(row.field);
        const Reference ref = referenceOf(field);
        BlindSolveRequest r;
        r.sources =
            DetectSources(PixelImageFromPicture(QImage(sampleFile("fields/" + field + "/image.png"))
                                                    .convertToFormat(QImage::Format_RGB32)));
        r.width = ref.width;
        r.height = ref.height;
        r.indexFiles = indexes;
        for (const bool scaleKnown : {true, false}) {
            if (!scaleKnown && !row.withoutScale) continue;
            r.scaleLow = scaleKnown ? 0.9 * ref.arcsecPerPx : 0;
            r.scaleHigh = scaleKnown ? 1.1 * ref.arcsecPerPx : 0;
            // Whether a field solves must not hang on the speed of the machine
            // (a sanitised build is ten times slower): the limit only stops a
            // search gone wrong. The times are measured in bench/.
            r.timeLimitSeconds = 600;
            QElapsedTimer clock;
            clock.start();
            const BlindSolveResult result = BlindSolve(r);
            const QString what = field + (scaleKnown ? " (scale +-10%)" : " (nothing known)");
            std::fprintf(stderr, "%-36s %-12s %6lld ms %s\n", qPrintable(what),
                         result.solution ? "solved" : "unsolved", (long long)clock.elapsed(),
                         result.solution ? qPrintable(result.solution->indexFile) : "");
            EXPECT_TRUE(result.solution) << what.toStdString();
            if (!result.solution) continue;
            EXPECT_LT(worstOffsetPx(result.solution->plate, ref), row.tolerancePx)
                << what.toStdString();
            EXPECT_EQ(result.solution->plate.determinant() < 0, ref.mirrored) << what.toStdString();
        }
    }
}
