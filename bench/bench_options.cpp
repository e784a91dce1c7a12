// Speed of the options file with a million keys (a file grown by hand or by
// another program): asking for an option, and toggling one as a check box of
// the option tabs does.
#include "platform/programfolder.h"
#include "settings/options.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace settings;

namespace {

constexpr int kKeys = 1'000'000;

// A program folder whose astroplate.ini holds kKeys keys besides the ones
// the options use.
class BigOptionsFolder {
public:
    BigOptionsFolder() {
        QFile ini(m_dir.filePath(QStringLiteral("astroplate.ini")));
        if (!ini.open(QIODevice::WriteOnly)) return;
        QByteArray text = "[solve]\nautoPicks=false\n[filler]\n";
        for (int i = 0; i < kKeys; ++i)
            text += "key" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
        ini.write(text);
        ini.close();
        programfolder::SetPath(m_dir.path());
    }
    ~BigOptionsFolder() { programfolder::SetPath(QString()); }
    BigOptionsFolder(const BigOptionsFolder&) = delete;
    BigOptionsFolder& operator=(const BigOptionsFolder&) = delete;

private:
    QTemporaryDir m_dir;
};

void BM_AskForAnOption(benchmark::State& state) {
    BigOptionsFolder folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(options::Value(QStringLiteral("solve/autoPicks")));
}
BENCHMARK(BM_AskForAnOption)->Unit(benchmark::kMicrosecond);

// Each toggle is a change, so each one writes the whole file.
void BM_ToggleAnOption(benchmark::State& state) {
    BigOptionsFolder folder;
    bool on = false;
    for (auto _ : state) {
        on = !on;
        if (!options::SetValue(QStringLiteral("solve/autoPicks"), on))
            state.SkipWithError("astroplate.ini cannot be written");
    }
}
BENCHMARK(BM_ToggleAnOption)->Unit(benchmark::kMillisecond)->Iterations(5);

// Setting the value it already has writes nothing.
void BM_SetTheSameValue(benchmark::State& state) {
    BigOptionsFolder folder;
    options::SetValue(QStringLiteral("solve/autoPicks"), true);
    for (auto _ : state)
        options::SetValue(QStringLiteral("solve/autoPicks"), true);
}
BENCHMARK(BM_SetTheSameValue)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
