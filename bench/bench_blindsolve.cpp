// Solving without position on real fields (tests/data/fields) against the
// Tycho-2 index files of /usr/share/astrometry: star detection and the solve,
// with the pixel scale known to 10 per cent and with nothing known. Fields
// that give no solution within the time limit are reported as such
// (counter "solved" = 0).
#include "catalogues/blindsolve.h"
#include "field/sources.h"

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

const char* const kFields[] = {"barnard22", "ic1848", "ic1848-mirrored", "m8", "n2244", "pleiades"};

QString fieldFile(const char* field, const char* name) {
    return QStringLiteral(BENCH_SAMPLES_DIR "/fields/%1/%2")
        .arg(QLatin1String(field), QLatin1String(name));
}

void BlindSolveField(benchmark::State& state) {
    const char* field = kFields[state.range(0)];
    const bool scaleKnown = state.range(1) != 0;
    QFile f(fieldFile(field, "wcs.json"));
    f.open(QIODevice::ReadOnly);
    const double scale = QJsonDocument::fromJson(f.readAll())
                             .object()["scale"]
                             .toObject()["arcsec_per_px"]
                             .toDouble();
    const QImage picture =
        QImage(fieldFile(field, "image.png")).convertToFormat(QImage::Format_RGB32);
    BlindSolveRequest r;
    r.width = picture.width();
    r.height = picture.height();
    r.indexFiles = BlindIndexFilesIn(QStringLiteral("/usr/share/astrometry"));
    r.timeLimitSeconds = scaleKnown ? 60 : 30;
    if (scaleKnown) {
        r.scaleLow = 0.9 * scale;
        r.scaleHigh = 1.1 * scale;
    }
    if (r.indexFiles.isEmpty()) {
        state.SkipWithError("no index files in /usr/share/astrometry");
        return;
    }
    bool solved = false;
    for (auto _ : state) {
        r.sources = DetectSources(PixelImageFromPicture(picture));
        solved = BlindSolve(r).solution.has_value();
    }
    state.SetLabel(std::string(field) + (scaleKnown ? ", scale +-10%" : ", nothing known"));
    state.counters["solved"] = solved ? 1 : 0;
}
BENCHMARK(BlindSolveField)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
