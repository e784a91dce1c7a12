// The automatic matching on a crowded field: the 48 catalogue rows of the
// sample field followed by 449 random stars in the same 28' circle (497 rows,
// the most the matching uses), at the sample's scales, with the sample's five
// picks. Times the distance tables, the search, and the review of one
// candidate without drawing (model, 497 marker positions, automatic check).
#include "catalogues/usnoa2.h"
#include "field/markers.h"
#include "reduction/matching.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <random>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

constexpr double kCorrAsd = 833.27;
constexpr double kCorrDec = 1575.63;

struct Field {
    std::array<double, 11> x{}, y{};
    std::vector<double> ra, dec;
    int n = 0;
};

QByteArray readSample(const char* name) {
    QFile f(QStringLiteral(BENCH_SAMPLES_DIR "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const Field& crowdedField() {
    static const Field field = [] {
        Field f;
        CatalogueStarTable table;
        const StarReadResult read = ReadUsnoA2Answer(readSample("data"), kCorrAsd, kCorrDec, table);
        f.n = CatalogueStarTable::kInUseLimit;
        f.ra.assign(f.n + 1, 0);
        f.dec.assign(f.n + 1, 0);
        for (int r = 1; r <= read.rowsRead && r <= f.n; ++r) {
            f.ra[r] = table.ra[r];
            f.dec[r] = table.dec[r];
        }
        // Uniform in a circle of 28' around the field centre.
        const double ra0 = 341.800866, dec0 = 58.053984, radius = 28.0 / 60.0;
        const double cosDec = std::cos(dec0 * 3.14159265358979 / 180.0);
        std::mt19937 rng(7380);
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        for (int r = read.rowsRead + 1; r <= f.n;) {
            const double a = u(rng), b = u(rng);
            if (a * a + b * b > 1.0) continue;
            f.ra[r] = std::nearbyint((ra0 + a * radius / cosDec) * kCorrAsd);
            f.dec[r] = std::nearbyint((dec0 + b * radius) * kCorrDec);
            ++r;
        }
        const QJsonArray picks =
            QJsonDocument::fromJson(readSample("picks.json"))["picks"].toArray();
        for (int k = 1; k <= 5 && k <= picks.size(); ++k) {
            f.x[k] = picks[k - 1]["click_x"].toDouble();
            f.y[k] = picks[k - 1]["click_y"].toDouble();
        }
        return f;
    }();
    return field;
}

void BM_DistanceTables(benchmark::State& state) {
    const Field& f = crowdedField();
    matching::DistanceTables t;
    for (auto _ : state) {
        t.build(f.x, f.y, f.ra, f.dec, f.n);
        benchmark::DoNotOptimize(t.catalogue(f.n, f.n));
    }
}
BENCHMARK(BM_DistanceTables)->Unit(benchmark::kMillisecond);

// Tolerance in tenths of a pixel.
void BM_Search(benchmark::State& state) {
    const Field& f = crowdedField();
    matching::DistanceTables t;
    t.build(f.x, f.y, f.ra, f.dec, f.n);
    const double tolerance = static_cast<double>(state.range(0)) / 10.0;
    size_t found = 0;
    bool right = false;
    for (auto _ : state) {
        const auto r = matching::FindCandidates(t, tolerance);
        found = r.candidates.size();
        right = std::find(r.candidates.begin(), r.candidates.end(),
                          matching::Candidate{0, 9, 13, 19, 20, 45}) != r.candidates.end();
    }
    state.counters["candidates"] = static_cast<double>(found);
    state.counters["right_one_found"] = right ? 1 : 0;
}
BENCHMARK(BM_Search)->Arg(70)->Arg(205)->Unit(benchmark::kMillisecond);

void BM_ReviewCandidate(benchmark::State& state) {
    const Field& f = crowdedField();
    MarkerPool picks(5, 16), stars(4000, 8);
    for (int k = 1; k <= 5; ++k)
        picks.place(k, static_cast<float>(f.x[k] - 8), static_cast<float>(f.y[k] - 8));
    const matching::Candidate c{0, 9, 13, 19, 20, 45};
    int hits = 0;
    for (auto _ : state) {
        PlateSolution plate;
        plate.corrAsd = kCorrAsd;
        plate.corrDec = kCorrDec;
        plate.a = *matching::CandidateModel(f.x, f.y, f.ra, f.dec, c);
        for (int u = 1; u <= f.n; ++u) {
            const auto p = plate.scaledToPixel(f.ra[u], f.dec[u]);
            stars.place(u, static_cast<float>(p->x - 4), static_cast<float>(p->y - 4));
        }
        hits = matching::CountCheckHits({picks.left, picks.top}, {stars.left, stars.top}, f.n, 10.0)
                   .value_or(-1);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
}
BENCHMARK(BM_ReviewCandidate)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
