// Speed of the NGC/IC reader: both shipped files (about 13,300 lines) read for
// one field, as the full map and the calculation do. The files come from the
// built program folder.
#include "catalogues/deepsky.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;

void readFor(benchmark::State& state, const DeepSkyWindow& window, int expectedAtLeast) {
    const QString folder = QStringLiteral(BENCH_PROGRAM_DIR);
    if (!QFileInfo::exists(folder + QStringLiteral("/deepobj1.txt"))) {
        state.SkipWithError("deepobj1.txt missing: build the program_data target");
        return;
    }
    DeepSkyTable table;
    for (auto _ : state) {
        const DeepSkyReadResult r = ReadDeepSkyFiles(folder, window, kCorrAsd, kCorrDec, table);
        benchmark::DoNotOptimize(r);
        if (r.count < expectedAtLeast) state.SkipWithError("too few objects in the window");
    }
}

// The sample field (22 47 12.2 +58 03 14, radius 28'): a handful of objects.
void BM_ReadNgcIcSampleField(benchmark::State& state) {
    readFor(state,
            {341.800833 * kCorrAsd, 58.053889 * kCorrDec,
             DeepSkyWindowHalfWidth(28, kCorrAsd, kCorrDec)},
            1);
}
BENCHMARK(BM_ReadNgcIcSampleField)->Unit(benchmark::kMillisecond);

// A wide field in the Virgo cluster (12 27, +12 40, radius 300'): the table
// fills to its 500 rows.
void BM_ReadNgcIcCrowdedField(benchmark::State& state) {
    readFor(state,
            {186.75 * kCorrAsd, 12.667 * kCorrDec, DeepSkyWindowHalfWidth(300, kCorrAsd, kCorrDec)},
            500);
}
BENCHMARK(BM_ReadNgcIcCrowdedField)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
