// Speed of the local minor-planet answer: the shipped 7,098-orbit file and a
// full-size MPCORB file (1.4 million orbits, made up here with main-belt-like
// elements in the export layout) for one field and date.
#include "catalogues/localminorplanets.h"
#include "catalogues/web/minorplanetquery.h"
#include "ephemeris/elementfile.h"
#include "ephemeris/search.h"
#include "platform/programfolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>
#include <zlib.h>

using namespace reduction;
using namespace field;
using namespace catalogues;
using namespace catalogues::web;

namespace {

constexpr std::size_t kFullSize = 1400000;

// MPCORB text of `n` orbits.
QByteArray SyntheticMpcorb(std::size_t n) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> angle(0, 360), unit(0, 1);
    QByteArray text;
    text.reserve(qsizetype(n * 203 + 1000));
    text += "MINOR PLANET CENTER ORBIT DATABASE (MPCORB)\n\n" + QByteArray(160, '-') + "\n";
    char line[256];
    for (std::size_t i = 0; i < n; ++i) {
        const double a = 1.8 + 3.4 * unit(rng) * unit(rng) + 0.4 * unit(rng);
        const double e = 0.3 * unit(rng) * unit(rng);
        const double inc = 25 * unit(rng) * unit(rng);
        const double h = 10 + 10 * std::sqrt(unit(rng));
        const double motion = 0.9856076686 / std::pow(a, 1.5);
        std::snprintf(line, sizeof line,
                      "%07zu %5.2f  0.15 K2555 %9.5f  %9.5f  %9.5f  %9.5f  %9.7f %11.8f %11.7f  0 "
                      "E2024-V47  7330 125 1801-2024 0.80 M-v 30k MPCLINUX   0000      (%zu) "
                      "Bench%-16zu 20241101\n",
                      i % 10000000, h, angle(rng), angle(rng), angle(rng), inc, e, motion, a, i + 1,
                      i + 1);
        text += line;
    }
    return text;
}

const ephemeris::OrbitFileReading& FullCatalogue() {
    static const auto reading = std::make_unique<ephemeris::OrbitFileReading>(
        ephemeris::ReadMpcorb(SyntheticMpcorb(kFullSize)));
    return *reading;
}

const ephemeris::OrbitFileReading& ShippedCatalogue() {
    static const auto reading = std::make_unique<ephemeris::OrbitFileReading>(
        ephemeris::ReadOrbitFile(QStringLiteral(BENCH_PROGRAM_DIR "/asteroids.dat")));
    return *reading;
}

MinorPlanetFields SampleQuery(const char* radius, const char* limit) {
    MinorPlanetFields t;
    t.date[0] = QStringLiteral("10");
    t.date[1] = QStringLiteral("10");
    t.date[2] = QStringLiteral("2022");
    t.date[3] = QStringLiteral("21");
    t.date[4] = QStringLiteral("36");
    t.ra = {QStringLiteral("22"), QStringLiteral("47"), QStringLiteral("12.2")};
    t.decSign = QStringLiteral("+");
    t.dec = {QStringLiteral("58"), QStringLiteral("03"), QStringLiteral("14")};
    t.radius = QLatin1String(radius);
    t.limit = QLatin1String(limit);
    return t;
}

// One query: the search and the page, as the download command does them.
void RunQuery(benchmark::State& state, const ephemeris::OrbitFileReading& reading,
              const MinorPlanetFields& texts) {
    if (!reading.ok()) {
        state.SkipWithError("element file not read");
        return;
    }
    const auto q = ReadLocalMinorPlanetQuery(texts);
    const ephemeris::FieldSearch s = FieldSearchOf(*q);
    std::size_t found = 0;
    for (auto _ : state) {
        const auto sightings = ephemeris::FindInField(reading->catalogue, s);
        const QByteArray page = LocalMinorPlanetPage(reading->catalogue, sightings, texts, *q, "x");
        benchmark::DoNotOptimize(page.data());
        found = sightings.size();
    }
    state.counters["orbits"] = double(reading->catalogue.size());
    state.counters["found"] = double(found);
    state.counters["catalogue_MB"] = double(reading->catalogue.memoryUsed()) / 1e6;
}

void BM_ShippedElements_SampleField(benchmark::State& state) {
    RunQuery(state, ShippedCatalogue(), SampleQuery("960", "19.0"));
}
BENCHMARK(BM_ShippedElements_SampleField)->Unit(benchmark::kMillisecond);

// The window's query with the local source, whole: the element file found in
// the session's cache, the search, the page and its atomic write to "data2".
void BM_WindowQuery_ShippedElements(benchmark::State& state) {
    QTemporaryDir folder;
    programfolder::SetPath(folder.path());
    const QString elements = QStringLiteral(BENCH_PROGRAM_DIR "/asteroids.dat");
    const MinorPlanetFields texts = SampleQuery("960", "19.0");
    for (auto _ : state) {
        const DownloadResult r = QueryLocalMinorPlanets(texts, elements);
        if (!r.ok()) state.SkipWithError("no answer");
    }
    programfolder::SetPath(QString());
}
BENCHMARK(BM_WindowQuery_ShippedElements)->Unit(benchmark::kMillisecond);

void BM_FullMpcorb_SampleField(benchmark::State& state) {
    RunQuery(state, FullCatalogue(), SampleQuery("30", "21"));
}
BENCHMARK(BM_FullMpcorb_SampleField)->Unit(benchmark::kMillisecond)->Iterations(5);

// A field on the ecliptic, where the main belt crowds the answer.
void BM_FullMpcorb_EclipticField(benchmark::State& state) {
    MinorPlanetFields t = SampleQuery("60", "21");
    t.ra = {QStringLiteral("01"), QStringLiteral("10"), QStringLiteral("00")};
    t.dec = {QStringLiteral("07"), QStringLiteral("00"), QStringLiteral("00")};
    RunQuery(state, FullCatalogue(), t);
}
BENCHMARK(BM_FullMpcorb_EclipticField)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reading the full file once (from memory: the disk is not measured).
void BM_FullMpcorb_Read(benchmark::State& state) {
    const QByteArray text = SyntheticMpcorb(kFullSize);
    for (auto _ : state) {
        const auto reading = ephemeris::ReadMpcorb(text);
        benchmark::DoNotOptimize(reading->catalogue.size());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FullMpcorb_Read)->Unit(benchmark::kMillisecond)->Iterations(1);

// `unit` repeated until `bytes` of text, gzip-compressed, written to `path`.
void WriteGzip(const QString& path, const QByteArray& unit, qint64 bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    std::vector<char> buffer(1 << 16);
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    for (qint64 done = 0;; done += unit.size()) {
        const bool last = done >= bytes;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(unit.constData()));
        z.avail_in = last ? 0 : uInt(unit.size());
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer.data());
            z.avail_out = uInt(buffer.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            file.write(buffer.data(), qint64(buffer.size() - z.avail_out));
        } while (z.avail_out == 0);
        if (last) break;
    }
    deflateEnd(&z);
}

// A gzip bomb (1 GiB of zeros in about 1 MB; a larger one costs the same,
// only its making takes longer), read as an element file and unpacked as a
// download: both stop once no orbit shows in the first 16 MiB.
void BM_GzipBomb(benchmark::State& state) {
    QTemporaryDir dir;
    const QString bomb = dir.filePath(QStringLiteral("bomb.gz"));
    WriteGzip(bomb, QByteArray(1 << 20, '\0'), 1LL << 30);
    for (auto _ : state) {
        const auto read = ephemeris::ReadOrbitFile(bomb);
        const auto unpacked =
            ephemeris::UnpackElementArchive(bomb, dir.filePath(QStringLiteral("MPCORB.DAT")));
        if (read.ok() || unpacked.ok()) state.SkipWithError("bomb accepted");
    }
}
BENCHMARK(BM_GzipBomb)->Unit(benchmark::kMillisecond);

// The download's unpacking of a full-size archive, checked and streamed to disk.
void BM_FullMpcorb_Unpack(benchmark::State& state) {
    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("MPCORB.DAT.gz"));
    const QByteArray text = SyntheticMpcorb(kFullSize);
    WriteGzip(archive, text, 1);
    for (auto _ : state) {
        const auto unpacked =
            ephemeris::UnpackElementArchive(archive, dir.filePath(QStringLiteral("MPCORB.DAT")));
        if (!unpacked.ok()) state.SkipWithError("not unpacked");
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FullMpcorb_Unpack)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
