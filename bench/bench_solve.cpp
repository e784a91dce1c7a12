// The one-click solve: star detection on a large image, and the whole
// automatic solve of the sample (detection, automatic picks, search, ranking
// by evidence, refined plate), in process and as the command-line solver.
// The refined plate's distance from the field's true plate is reported as
// counters (pixels over a grid on the image).
#include "catalogues/usnoa2.h"
#include "field/markers.h"
#include "field/sources.h"
#include "imaging/starfinder.h"
#include "reduction/autopicks.h"
#include "reduction/evidence.h"
#include "reduction/matching.h"
#include "reduction/refinedplate.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cmath>
#include <random>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;

// 4000 x 3000, sky 100 with noise 5 and a gradient, 3000 Gaussian stars.
const PixelImage& LargeImage() {
    static const PixelImage image = [] {
        PixelImage img;
        img.width = 4000;
        img.height = 3000;
        img.values.resize(size_t(img.width) * img.height);
        std::mt19937 rng(1);
        std::normal_distribution<float> noise(0, 5);
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x)
                img.values[size_t(y) * img.width + x] = 100 + 0.01f * x + noise(rng);
        std::uniform_real_distribution<double> u(0, 1);
        for (int s = 0; s < 3000; ++s) {
            const double cx = u(rng) * img.width, cy = u(rng) * img.height,
                         a = 30 + 3000 * u(rng) * u(rng);
            for (int y = int(cy) - 6; y <= int(cy) + 6; ++y)
                for (int x = int(cx) - 6; x <= int(cx) + 6; ++x) {
                    if (x < 0 || y < 0 || x >= img.width || y >= img.height) continue;
                    const double r2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                    float& v = img.values[size_t(y) * img.width + x];
                    v = std::min(65535.0f, v + float(a * std::exp(-r2 / (2 * 1.5 * 1.5))));
                }
        }
        img.saturation = 65535;
        img.physical = true;
        return img;
    }();
    return image;
}

void BM_FindStars4000x3000(benchmark::State& state) {
    const PixelImage& img = LargeImage();
    size_t found = 0;
    for (auto _ : state) {
        const auto stars = FindStars(img);
        found = stars.size();
        benchmark::DoNotOptimize(stars.data());
    }
    state.counters["sources"] = double(found);
}
BENCHMARK(BM_FindStars4000x3000)->Unit(benchmark::kMillisecond);

TanPlate TruePlate() {
    QFile f(QStringLiteral(BENCH_SAMPLES_DIR "/wcs.json"));
    f.open(QIODevice::ReadOnly);
    const QJsonObject wcs = QJsonDocument::fromJson(f.readAll()).object()["wcs"].toObject();
    TanPlate t;
    t.crval = {wcs["crval"][0].toDouble(), wcs["crval"][1].toDouble()};
    t.crpix = {wcs["crpix_0based"][0].toDouble(), wcs["crpix_0based"][1].toDouble()};
    t.cd = {wcs["cd"][0][0].toDouble(), wcs["cd"][0][1].toDouble(), wcs["cd"][1][0].toDouble(),
            wcs["cd"][1][1].toDouble()};
    return t;
}

// The automatic solve of the sample as the command-line solver runs it, from
// the image file to the refined plate. False when a step finds nothing.
bool SolveSample(std::optional<TanPlate>& refined, int& firstEvidence) {
    const QImage image(QStringLiteral(BENCH_SAMPLES_DIR "/image.png"));
    CatalogueStarTable stars;
    const StarFileResult read =
        ReadUsnoA2File(QStringLiteral(BENCH_SAMPLES_DIR "/data"), kCorrAsd, kCorrDec, stars);
    const int n = read.rows.inUse;
    const auto sources = DetectSources(PixelImageFromPicture(image));
    const auto picks = autopicks::Choose(sources, image.width(), image.height());
    if (!picks) return false;
    std::array<double, 11> x{}, y{};
    for (int i = 0; i < 5; ++i)
        x[i + 1] = (*picks)[i].x, y[i + 1] = (*picks)[i].y;
    matching::DistanceTables tables;
    tables.build(x, y, stars.ra, stars.dec, n);
    const auto found = matching::FindCandidates(tables, 20.5);
    const auto evidenceSources = EvidenceSources(sources);
    const SourceIndex index(evidenceSources, kEvidenceRadius);
    std::vector<PlateSolution> plates;
    std::vector<int> evidence;
    for (const auto& c : found.candidates) {
        const auto model = matching::CandidateModel(x, y, stars.ra, stars.dec, c);
        if (!model) continue;
        plates.push_back({kCorrAsd, kCorrDec, *model});
        evidence.push_back(CandidateEvidence(plates.back(), stars.ra, stars.dec, n, index));
    }
    if (plates.empty()) return false;
    const int first = RankByEvidence(evidence).front();
    firstEvidence = evidence[first];
    refined = RefinePlate(plates[first], stars.ra, stars.dec, n, RefineSources(sources, n),
                          image.width(), image.height())
                  .plate;
    return refined.has_value();
}

void BM_SolveSampleInProcess(benchmark::State& state) {
    std::optional<TanPlate> refined;
    int evidence = 0;
    for (auto _ : state) {
        if (!SolveSample(refined, evidence)) {
            state.SkipWithError("the sample was not solved");
            return;
        }
    }
    // Distance from the true plate over a grid on the image.
    const TanPlate truth = TruePlate();
    double worst = 0, sum2 = 0;
    int count = 0;
    for (int y = 0; y <= 1023; y += 31)
        for (int x = 0; x <= 1023; x += 31) {
            const auto p = refined->skyToPixel(truth.pixelToSky(x, y));
            const double d = std::hypot(p->x - x, p->y - y);
            worst = std::max(worst, d);
            sum2 += d * d;
            ++count;
        }
    state.counters["vs_true_rms_px"] = std::sqrt(sum2 / count);
    state.counters["vs_true_max_px"] = worst;
    state.counters["first_evidence"] = evidence;
}
BENCHMARK(BM_SolveSampleInProcess)->Unit(benchmark::kMillisecond);

void BM_PlatesolveAutoRankRefine(benchmark::State& state) {
    const QStringList args{"--image",     QStringLiteral(BENCH_SAMPLES_DIR "/image.png"),
                           "--catalogue", QStringLiteral(BENCH_SAMPLES_DIR "/data"),
                           "--corrasd",   "833.27",
                           "--corrdec",   "1575.63",
                           "--tolerance", "20.5",
                           "--auto",      "--rank",
                           "--refine"};
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(BENCH_PROGRAM_DIR "/platesolve"), args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("platesolve failed");
            return;
        }
        benchmark::DoNotOptimize(p.readAllStandardOutput());
    }
}
BENCHMARK(BM_PlatesolveAutoRankRefine)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
