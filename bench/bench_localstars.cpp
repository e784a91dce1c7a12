// Speed of the local star source: the whole in-process answer (opening the
// index files, searching them, merging, writing the page) for a 60' field in
// a dense part of the Milky Way, with the index files in the page cache.
//
// The files are those of /usr/share/astrometry, or of the folder named by the
// environment variable ASTROPLATE_INDEX_DIR.
#include "catalogues/localstars.h"
#include "catalogues/usnoa2.h"

#include <QFile>
#include <benchmark/benchmark.h>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

QString indexFolder() {
    const QByteArray dir = qgetenv("ASTROPLATE_INDEX_DIR");
    return dir.isEmpty() ? QString::fromLatin1(kDefaultIndexFolder) : QString::fromLocal8Bit(dir);
}

// The Scutum star cloud around M11 (18 51 06, -6 16 00), radius 30' (a 60'
// field), every star the files hold.
LocalStarQuery milkyWayField(double radius) {
    const auto r = ReadLocalStarQuery(UsnoA2Address("http://localhost", "2000.0", "18+51+6",
                                                    "-6+16+0", QString::number(radius), "20"));
    return r.value_or(LocalStarQuery{});
}

void BM_LocalAnswer(benchmark::State& state) {
    const LocalStarQuery q = milkyWayField(static_cast<double>(state.range(0)));
    int rows = 0;
    {
        // Warm the page cache and check the folder.
        StarIndexFolder folder = OpenStarIndexFolder(indexFolder());
        if (folder.files.empty()) {
            state.SkipWithError("no index file in the folder");
            return;
        }
        state.counters["files"] = static_cast<double>(folder.files.size());
        MakeLocalStarAnswer(q, folder);
    }
    for (auto _ : state) {
        StarIndexFolder folder = OpenStarIndexFolder(indexFolder());
        const LocalStarAnswer a = MakeLocalStarAnswer(q, folder);
        rows = a.rows;
        benchmark::DoNotOptimize(a.page.data());
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_LocalAnswer)->Arg(30)->Arg(42)->Unit(benchmark::kMillisecond);

// The page alone for 5000 stars (the most the query asks for).
void BM_LocalPage(benchmark::State& state) {
    const LocalStarQuery q = milkyWayField(30);
    std::vector<IndexStar> stars;
    for (int i = 0; i < 5000; ++i)
        stars.push_back({282.775 + (i % 71 - 35) * 0.007, -6.2667 + (i / 71 - 35) * 0.007,
                         6 + (i % 97) * 0.06, std::numeric_limits<double>::quiet_NaN()});
    for (auto _ : state) {
        std::vector<IndexStar> copy = stars;
        RemoveDuplicateStars(copy);
        benchmark::DoNotOptimize(LocalStarPage(q, std::move(copy), QStringLiteral("bench")));
    }
}
BENCHMARK(BM_LocalPage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
