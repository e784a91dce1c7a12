// Speed of the star reader on the largest answer it takes: 4000 rows, made
// from the rows of the sample answer, read from memory and from a file.
#include "catalogues/usnoa2.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace reduction;
using namespace field;
using namespace catalogues;

namespace {

QByteArray answerOf4000Rows() {
    QFile f(QStringLiteral(BENCH_SAMPLES_DIR "/data"));
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    const QByteArray sample = f.readAll();
    qsizetype pos = sample.indexOf("</b>   1 U") + 4;
    QList<QByteArray> rows;
    while (sample.mid(pos, 66).size() == 66 && sample[pos + 5] == 'U') {
        rows << sample.mid(pos, 66);
        pos += 66;
    }
    QByteArray answer = sample.left(sample.indexOf("</b>   1 U") + 4);
    for (int i = 0; i < 4000 && !rows.isEmpty(); ++i)
        answer += QByteArray::number(i + 1).rightJustified(4, ' ') + rows[i % rows.size()].mid(4);
    return answer + sample.mid(pos);
}

void BM_ReadAnswer(benchmark::State& state) {
    const QByteArray answer = answerOf4000Rows();
    CatalogueStarTable table;
    for (auto _ : state) {
        const StarReadResult r = ReadUsnoA2Answer(answer, 833.27, 1575.63, table);
        benchmark::DoNotOptimize(r);
        if (r.rowsRead != 4000) state.SkipWithError("expected 4000 rows");
    }
    state.SetBytesProcessed(state.iterations() * answer.size());
}
BENCHMARK(BM_ReadAnswer)->Unit(benchmark::kMillisecond);

void BM_ReadAnswerFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(answerOf4000Rows()) <= 0) {
        state.SkipWithError("cannot write the answer");
        return;
    }
    f.close();
    CatalogueStarTable table;
    for (auto _ : state) {
        const StarFileResult r = ReadUsnoA2File(path, 833.27, 1575.63, table);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ReadAnswerFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
