// The one-click identification of a real field (tests/data/fields/ic1396,
// 512 x 512), stage by stage: star detection, identification from the
// stars of the whole image, verification of the found plate against chance,
// refinement of the accepted model.
#include "catalogues/usnoa2.h"
#include "field/markers.h"
#include "field/solve.h"
#include "field/sources.h"
#include "reduction/fieldidentify.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

namespace {

const QString kField = QStringLiteral(BENCH_SAMPLES_DIR "/fields/ic1396/");

struct Field {
    PixelImage image;
    SessionState s;
    MarkerStore marks;
    std::vector<SkyPoint> stars;
    SkyPoint centre;

    Field() {
        QFile json(kField + QStringLiteral("field.json"));
        json.open(QIODevice::ReadOnly);
        const QJsonObject typed =
            QJsonDocument::fromJson(json.readAll()).object()["typed"].toObject();
        s.Plate.corrAsd = typed["corrasd"].toDouble();
        s.Plate.corrDec = typed["corrdec"].toDouble();
        image = PixelImageFromPicture(QImage(kField + QStringLiteral("image.png")));
        const QString path = kField + QStringLiteral("data");
        const StarFileResult read =
            ReadUsnoA2FileAboutItsCentre(path, s.Plate.corrAsd, s.Plate.corrDec, s.Stars);
        s.Catalogue.stars = read.stars;
        stars = Positions(read.stars, static_cast<size_t>(s.Stars.inUse));
        centre = identify::MeanDirection(stars).value_or(SkyPoint{});
        s.Sources = DetectSources(image);
    }

    identify::ScaleRange scales() const {
        return identify::TypedScaleRange(s.Plate.corrAsd, s.Plate.corrDec, centre.dec);
    }
};

Field& TheField() {
    static Field f;
    return f;
}

void BM_Detection(benchmark::State& state) {
    const Field& f = TheField();
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectSources(f.image));
}
BENCHMARK(BM_Detection)->Unit(benchmark::kMillisecond);

void BM_Identification(benchmark::State& state) {
    const Field& f = TheField();
    for (auto _ : state) {
        const identify::Attempt a = identify::Identify(f.s.Sources, f.stars, f.centre,
                                                       f.image.width, f.image.height, f.scales());
        if (!a.found) state.SkipWithError("not identified");
        state.counters["hypotheses"] = double(a.hypotheses);
    }
}
BENCHMARK(BM_Identification)->Unit(benchmark::kMillisecond);

void BM_Verification(benchmark::State& state) {
    const Field& f = TheField();
    const identify::Attempt a = identify::Identify(f.s.Sources, f.stars, f.centre, f.image.width,
                                                   f.image.height, f.scales());
    if (!a.found) return state.SkipWithError("not identified");
    const int count = a.found->verification.sourcesUsed;
    const auto sources = std::span(f.s.Sources).first(count);
    for (auto _ : state) {
        const SourceIndex index(sources, identify::kQuickRadius);
        benchmark::DoNotOptimize(identify::Verify(a.found->plate, f.stars, index, count,
                                                  f.image.width, f.image.height,
                                                  identify::kVerifyRadius, a.hypotheses));
    }
}
BENCHMARK(BM_Verification)->Unit(benchmark::kMicrosecond);

void BM_Refinement(benchmark::State& state) {
    Field& f = TheField();
    SessionState s = f.s;
    MarkerStore marks;
    if (!AutoIdentify(s, marks.clicpic, f.stars, f.centre, f.image.width, f.image.height).stored)
        return state.SkipWithError("not identified");
    s.Plate.a = *matching::CandidateModel(s.ImageStarX, s.ImageStarY, s.Stars.ra, s.Stars.dec,
                                          *AutoCandidate(s));
    s.MatchFound = true;
    int used = 0;
    for (auto _ : state) {
        const RefineResult r = RefineSessionPlate(s, f.image.width, f.image.height);
        used = r.used;
        benchmark::DoNotOptimize(r);
    }
    if (used == 0) state.SkipWithError("no refined plate");
    state.counters["stars"] = used;
}
BENCHMARK(BM_Refinement)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
