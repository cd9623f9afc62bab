// The live speed graph: 10,000 sample pairs added (one a second while connected), and the graph
// painted offscreen into an image after each sample, as a redraw would.
#include "common/PlistBridge.h"
#include "ostrel/connection/statistics/statisticsView.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kSamples = 10000;

struct GraphBench {
    GraphBench()
    {
        yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), QVariantMap{});
        store = std::make_unique<ostrel::ConfigManager>(dir.path());
        view = std::make_unique<ostrel::statisticsView>(nullptr, store.get());
        view->resize(640, 260);
    }
    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> store;
    std::unique_ptr<ostrel::statisticsView> view;
};

// A speed that wanders over the ruler's range.
double benchSpeed(int i, int scale) { return double((i * 7919) % scale) + (i % 13) * 0.25; }

void BM_AddSamples(benchmark::State &state)
{
    GraphBench bench;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i)
            bench.view->setSpeedPointSend(benchSpeed(i, 900), benchSpeed(i + 17, 4000));
        benchmark::DoNotOptimize(bench.view->currentRulerPos());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_AddSamples)->Unit(benchmark::kMillisecond);

void BM_AddAndPaintSamples(benchmark::State &state)
{
    GraphBench bench;
    QImage image(bench.view->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i) {
            bench.view->setSpeedPointSend(benchSpeed(i, 900), benchSpeed(i + 17, 4000));
            bench.view->render(&image);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_AddAndPaintSamples)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
