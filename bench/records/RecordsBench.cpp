// A record file of 10,000 connections: reading it, totalling it (all, this month), exporting it
// as text and CSV, appending one connection, and the refresh the limit checks run on every poll
// tick while the file stands unchanged.
#include "common/AtomicFile.h"
#include "common/PlistBridge.h"
#include "ostrel/connection/dial/ConnectionFormat.h"
#include "ostrel/connection/dial/DialRecordFile.h"
#include "ostrel/connection/dial/DialService.h"
#include "ostrel/connection/records/DialRecordController.h"
#include "ostrel/connection/records/DialRecordExport.h"
#include "ostrel/connection/records/DialRecordTotals.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "common/util/CalendarFormat.h"
#include "ostrel/framework/neighbours/Neighbours.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 10000;

QVariantList bigRecordList()
{
    QVariantList records;
    const QDateTime first = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    for (int i = 0; i < kRecords; ++i) {
        const QDateTime start = first.addSecs(qint64(i) * 3000);
        const qint64 seconds = 60 + i % 2000;
        records.append(QVariantMap{{QStringLiteral("connectname"), QStringLiteral("Profile %1, \"web\"").arg(i % 7)},
                                   {QStringLiteral("starttime"), start},
                                   {QStringLiteral("disconnecttime"), start.addSecs(seconds)},
                                   {QStringLiteral("connecttime"), seconds},
                                   {QStringLiteral("receivebyte"), 1024.5 * (i % 300)},
                                   {QStringLiteral("sendbyte"), 64.25 * (i % 90)}});
    }
    return records;
}

struct RecordFolder {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("dialRecordData.plist"));
    RecordFolder()
    {
        if (!yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")),
                                         QVariantMap{{QStringLiteral("Record"), QVariantMap{}}})
            || !yov::PlistBridge::writeFile(path, bigRecordList()))
            qFatal("cannot write the benchmark's files");
    }
};

ostrel::DialRecordExportFormat exportFormat()
{
    ostrel::DialRecordExportFormat format;
    format.columnNames = QStringList{QStringLiteral("Connect Name"), QStringLiteral("Start Time"),
                                    QStringLiteral("Disconnect Time"), QStringLiteral("Duration"),
                                    QStringLiteral("Data Receive"), QStringLiteral("Data Transport")};
    format.date = [](const QDateTime &d) { return yov::formatSystemDate(d); };
    format.data = [](double bytes) { return ostrel::formatTransferData(bytes, ostrel::ConnectionUnits{}); };
    return format;
}

void BM_ReadRecordFile(benchmark::State &state)
{
    RecordFolder folder;
    for (auto _ : state) {
        QVariantList records;
        if (!ostrel::DialRecordFile::read(folder.path, &records))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(records.size());
    }
}
BENCHMARK(BM_ReadRecordFile)->Unit(benchmark::kMillisecond);

void BM_TotalAllAndThisMonth(benchmark::State &state)
{
    const QVariantList records = bigRecordList();
    const QDateTime now = records.last().toMap().value(QStringLiteral("starttime")).toDateTime();
    const QTimeZone zone = QTimeZone::systemTimeZone();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ostrel::DialRecordTotals::sum(records).seconds);
        benchmark::DoNotOptimize(ostrel::DialRecordTotals::sum(records, ostrel::DialRecordTotals::month(now, zone)).seconds);
    }
}
BENCHMARK(BM_TotalAllAndThisMonth)->Unit(benchmark::kMillisecond);

// Argument 0: the text export, 1: the CSV export, each written to a file.
void BM_Export(benchmark::State &state)
{
    RecordFolder folder;
    const QVariantList records = bigRecordList();
    const ostrel::DialRecordExportFormat format = exportFormat();
    const bool csv = state.range(0) == 1;
    const QString path = folder.dir.filePath(csv ? QStringLiteral("out.csv") : QStringLiteral("out.txt"));
    for (auto _ : state) {
        const QByteArray bytes = csv ? ostrel::DialRecordExport::csv(records, format)
                                     : ostrel::DialRecordExport::text(records, format);
        if (!yov::AtomicFile::write(path, bytes))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_Export)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AppendOneConnection(benchmark::State &state)
{
    RecordFolder folder;
    ostrel::DialRecordEntry entry{QStringLiteral("Web"), QDateTime::currentDateTimeUtc(), 62, 2048, 4096};
    for (auto _ : state) {
        if (ostrel::DialService::appendDialRecords(folder.path, {entry}) != ostrel::DialService::RecordAppend::Written)
            state.SkipWithError("append failed");
    }
}
BENCHMARK(BM_AppendOneConnection)->Unit(benchmark::kMillisecond);

// What a limit check costs on each 0.1 s poll tick: the records controller finds the file
// unchanged and keeps its totals.
void BM_RefreshUnchangedFile(benchmark::State &state)
{
    RecordFolder folder;
    ostrel::ConfigManager store(folder.dir.path());
    ostrel::Neighbours::installDefaults(nullptr, &store);
    ostrel::ControllerContext context;
    context.config = &store;
    ostrel::DialRecordController controller(context);
    controller.loadRecordList(QStringLiteral("dialRecordData.plist"));
    for (auto _ : state) {
        controller.updateInterface();
        benchmark::DoNotOptimize(controller.getTotalData());
    }
    ostrel::Neighbours::installDefaults(nullptr);
}
BENCHMARK(BM_RefreshUnchangedFile)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
