// Speed of the image view: a full overlay placed and painted, the magnifier,
// one pick, the hit tests, and one panning repaint of a large camera image.
#include "field/overlay.h"
#include "field/picking.h"
#include "mainwindow/imagecanvas.h"
#include "mainwindow/magnifier.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <random>

using namespace reduction;
using namespace imaging;
using namespace field;

namespace {

PlateSolution samplePlate() {
    PlateSolution p;
    p.corrAsd = 833.27;
    p.corrDec = 1575.63;
    p.a = {-0.529, -0.0108, 285224.0, 0.0207, -0.9998, 91973.0};
    return p;
}

// 4000 stars, 500 minor planets and 500 deep-sky objects spread over the
// given pixel area.
struct Field {
    CatalogueStarTable stars;
    MinorPlanetTable planets;
    DeepSkyTable objects;
    Field(const PlateSolution& plate, int width, int height) {
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> ux(0, width), uy(0, height), size(0.5, 6);
        double r = 0, d = 0;
        for (int i = 1; i <= 4000; ++i) {
            plate.pixelToScaled(ux(rng), uy(rng), r, d);
            stars.ra[i] = std::round(r);
            stars.dec[i] = std::round(d);
        }
        stars.rowsRead = 4000;
        stars.inUse = 497;
        for (int i = 1; i <= 500; ++i) {
            plate.pixelToScaled(ux(rng), uy(rng), r, d);
            planets.ra[i] = QString::number(r, 'f', 2);
            planets.dec[i] = QString::number(d, 'f', 2);
            planets.name[i] = QStringLiteral("(%1) 2007 AB%1").arg(i);
            plate.pixelToScaled(ux(rng), uy(rng), r, d);
            objects.ra[i] = r;
            objects.dec[i] = d;
            objects.size1[i] = size(rng);
            objects.size2[i] = size(rng);
            objects.positionAngle[i] = i % 180;
            objects.name[i] = QStringLiteral("NGC %1").arg(7000 + i);
        }
        planets.count = 500;
        objects.count = 500;
    }
};

QImage sampleImage() {
    return QImage(QStringLiteral(BENCH_SAMPLES_DIR "/image.png"));
}

void BM_FullMapPlaceAndPaint(benchmark::State& state) {
    MarkerStore markers;
    ImageCanvas canvas(markers);
    canvas.setImage(sampleImage());
    const PlateSolution plate = samplePlate();
    const Field field(plate, 1024, 1024);
    QImage target(1024, 1024, QImage::Format_RGB32);
    OverlayOptions options;
    options.fullMap = options.minorPlanets = options.deepSky = true;
    options.labelWidth = [&canvas](const QString& s) { return canvas.captionWidth(s); };
    for (auto _ : state) {
        DrawSkyOverlay(plate, field.stars, field.planets, field.objects, options, markers);
        QPainter p(&target);
        canvas.paintArea(p, QRect(0, 0, 1024, 1024));
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["segments"] = static_cast<double>(markers.drawings.size());
}
BENCHMARK(BM_FullMapPlaceAndPaint)->Unit(benchmark::kMillisecond);

void BM_FullMapPlaceOnly(benchmark::State& state) {
    MarkerStore markers;
    const PlateSolution plate = samplePlate();
    const Field field(plate, 1024, 1024);
    OverlayOptions options;
    options.fullMap = options.minorPlanets = options.deepSky = true;
    options.labelWidth = [](const QString& s) { return 6.0f * s.size(); };
    for (auto _ : state)
        DrawSkyOverlay(plate, field.stars, field.planets, field.objects, options, markers);
}
BENCHMARK(BM_FullMapPlaceOnly)->Unit(benchmark::kMillisecond);

// The same through QWidget::render, the way the window paints itself.
void BM_FullMapRenderWidget(benchmark::State& state) {
    MarkerStore markers;
    ImageCanvas canvas(markers);
    canvas.setImage(sampleImage());
    const PlateSolution plate = samplePlate();
    const Field field(plate, 1024, 1024);
    QImage target(1024, 1024, QImage::Format_RGB32);
    OverlayOptions options;
    options.fullMap = options.minorPlanets = options.deepSky = true;
    for (auto _ : state) {
        DrawSkyOverlay(plate, field.stars, field.planets, field.objects, options, markers);
        canvas.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_FullMapRenderWidget)->Unit(benchmark::kMillisecond);

// One panning step over a 4000 x 3000 image carrying the full overlay:
// an 800 x 800 viewport repainted.
void BM_PanRepaintLargeImage(benchmark::State& state) {
    MarkerStore markers;
    ImageCanvas canvas(markers);
    QImage big(4000, 3000, QImage::Format_RGB32);
    big.fill(QColor(20, 20, 30));
    canvas.setImage(big);
    const PlateSolution plate = samplePlate();
    const Field field(plate, 4000, 3000);
    OverlayOptions options;
    options.fullMap = options.minorPlanets = options.deepSky = true;
    DrawSkyOverlay(plate, field.stars, field.planets, field.objects, options, markers);
    QImage target(4000, 3000, QImage::Format_RGB32);
    int x = 0;
    for (auto _ : state) {
        QPainter p(&target);
        canvas.paintArea(p, QRect(x, 1000, 800, 800));
        x = (x + 10) % 3200;
    }
}
BENCHMARK(BM_PanRepaintLargeImage)->Unit(benchmark::kMillisecond);

void BM_Dozoom(benchmark::State& state) {
    MarkerStore markers;
    ImageCanvas canvas(markers);
    canvas.setImage(sampleImage());
    QImage view(102, 102, QImage::Format_RGB32);
    int k = 0;
    for (auto _ : state) {
        Magnifier::paintView(canvas, 300 + k % 400, 500, view);
        ++k;
        benchmark::DoNotOptimize(view.constBits());
    }
}
BENCHMARK(BM_Dozoom)->Unit(benchmark::kMicrosecond);

void BM_OnePick(benchmark::State& state) {
    MarkerStore markers;
    ImageCanvas canvas(markers);
    canvas.setImage(sampleImage());
    const auto pixel = [&](int x, int y) { return canvas.pixelValue(x, y); };
    for (auto _ : state)
        benchmark::DoNotOptimize(FindBrightestNear(pixel, 632, 135));
}
BENCHMARK(BM_OnePick)->Unit(benchmark::kMicrosecond);

void BM_HitTests4000(benchmark::State& state) {
    MarkerStore markers;
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> u(0, 4000);
    for (int i = 1; i <= 4000; ++i)
        markers.star.place(i, u(rng), u(rng));
    float x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadoutStarAt(markers.star, 4000, x, 2000.0f));
        benchmark::DoNotOptimize(FirstMarkerNear(markers.star, 4000, x, 2000.0f));
        x += 1.0f;
    }
}
BENCHMARK(BM_HitTests4000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
