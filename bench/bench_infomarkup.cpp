// Rendering the info panel's markup: a real panel text, and 32,760
// characters of tags (the longest text a field can hold).
#include "text/widgets/infoview.h"

#include <QApplication>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

void render(benchmark::State& state, const QString& markup) {
    QWidget frame;
    auto* box = new QTextEdit(&frame);
    frame.show();
    for (auto _ : state) {
        text::details::ShowInfoMarkup({box, &frame}, markup);
        benchmark::DoNotOptimize(box->document()->characterCount());
    }
    state.SetBytesProcessed(state.iterations() * markup.size());
}

void BM_PanelText(benchmark::State& state) {
    const QString title = "<B><I><S><S2>U1425_34184683</B></I></S></S2>\r\n   \r\n";
    QString markup = title;
    for (int i = 0; i < 16; ++i)
        markup += "   <B>Label </B>341.84683  (22H47'23'')\r\n";
    render(state, markup);
}
BENCHMARK(BM_PanelText)->Unit(benchmark::kMicrosecond);

void BM_TagSoup32k(benchmark::State& state) {
    const QString unit = state.range(0) == 0 ? "<B>x</B>" : "<S1><C1>";
    QString markup;
    while (markup.size() + unit.size() <= state.range(1))
        markup += unit;
    render(state, markup);
}
BENCHMARK(BM_TagSoup32k)
    ->Args({0, 16380})
    ->Args({0, 32760})
    ->Args({1, 16380})
    ->Args({1, 32760})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
