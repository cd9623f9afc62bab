// Loading and saving a settings.plist of 10,000 keys: 100 modules of 100 keys of mixed types.
#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QVariantMap bigSettings()
{
    QVariantMap settings;
    const QDateTime when = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    for (int m = 0; m < 100; ++m) {
        QVariantMap module;
        for (int k = 0; k < 100; ++k) {
            const QString key = QStringLiteral("Module%1_Key%2").arg(m).arg(k);
            switch (k % 6) {
            case 0: module.insert(key, k % 2 == 0); break;
            case 1: module.insert(key, qint64(m * 1000 + k)); break;
            case 2: module.insert(key, m + k / 100.0); break;
            case 3: module.insert(key, QStringLiteral("value %1 of module %2").arg(k).arg(m)); break;
            case 4: module.insert(key, when.addSecs(k)); break;
            default: module.insert(key, QVariantList{QStringLiteral("a%1").arg(k), qint64(k)}); break;
            }
        }
        settings.insert(QStringLiteral("Module%1").arg(m), module);
    }
    return settings;
}

struct Folder {
    QTemporaryDir dir;
    Folder()
    {
        if (!yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), bigSettings()))
            qFatal("cannot write the benchmark's settings.plist");
    }
};

void BM_LoadSettings(benchmark::State &state)
{
    Folder folder;
    for (auto _ : state) {
        ostrel::ConfigManager store(folder.dir.path());
        benchmark::DoNotOptimize(store.getConfigurationByModuleAndKey(QStringLiteral("Module99"),
                                                                      QStringLiteral("Module99_Key99")));
    }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

void BM_ReloadSettings(benchmark::State &state)
{
    Folder folder;
    ostrel::ConfigManager store(folder.dir.path());
    for (auto _ : state)
        store.resetSettings();
}
BENCHMARK(BM_ReloadSettings)->Unit(benchmark::kMillisecond);

void BM_SaveSettings(benchmark::State &state)
{
    Folder folder;
    ostrel::ConfigManager store(folder.dir.path());
    qint64 i = 0;
    for (auto _ : state) {
        store.setConfigurationByModuleKeyAndValue(QStringLiteral("Module0"), QStringLiteral("Counter"), ++i);
        if (!store.writeToFile())
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void BM_ReadKey(benchmark::State &state)
{
    Folder folder;
    ostrel::ConfigManager store(folder.dir.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(store.getConfigurationByModuleAndKey(QStringLiteral("Module50"),
                                                                      QStringLiteral("Module50_Key50")));
}
BENCHMARK(BM_ReadKey);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
