// The computer phonebook of 2,000 contacts in 20 groups: opening it (read, check, sort) and
// searching it with a plain text, a prefix text and a text that is no pattern (plain-text
// fallback); the number lookup of a number that is in no contact (the whole walk); and the whole
// open with a full SIM of 250 contacts and a device memory of 500 (goal: under 0.2 s).
#include "common/PlistBridge.h"
#include "common/records/phonebook/PhonebookItemsFile.h"
#include "common/records/phonebook/PhonebookRecords.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/phonebook/PBController.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kGroups = 20;
constexpr int kContactsPerGroup = 100;

const char *const kFirstNames[] = {"Anna", "Bert", "Carla", "Dieter", "Emine", "Frank", "Greta", "Hans", "Ines", "Jonas",
                                   "Karin", "Lukas", "Marta", "Nils", "Olga", "Paul", "Rita", "Sven", "Tanja", "Uwe"};
const char *const kLastNames[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner", "Becker",
                                  "Schulz", "Hoffmann", "Koch", "Richter", "Klein", "Wolf", "Neumann", "Schwarz"};

QVariantList bigPhonebook()
{
    QVariantList groups;
    int n = 0;
    for (int g = kGroups - 1; g >= 0; --g) { // written in reverse order: the groups get sorted
        QVariantList group{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Group %1").arg(g, 2, 10, QLatin1Char('0'))}}};
        for (int i = 0; i < kContactsPerGroup; ++i, ++n) {
            const QString name = QStringLiteral("%1 %2 %3").arg(QString::fromUtf8(kFirstNames[(n * 7) % 20]),
                                                                 QString::fromUtf8(kLastNames[(n * 11) % 16])).arg(n);
            group << QVariantMap{{QStringLiteral("username"), name},
                                 {QStringLiteral("mobilephone"), QStringLiteral("+49170%1").arg(1000000 + n * 37)},
                                 {QStringLiteral("homephone"), QStringLiteral("030%1").arg(2000000 + n * 13)},
                                 {QStringLiteral("email"), QStringLiteral("person%1@example.org").arg(n)},
                                 {QStringLiteral("groupname"), group.first().toMap().value(QStringLiteral("groupname"))}};
        }
        groups << QVariant(group);
    }
    return groups;
}

struct Folder {
    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> store;

    explicit Folder(bool prefixMode)
    {
        const QVariantMap settings{{QStringLiteral("PhoneBook"), QVariantMap{{QStringLiteral("PrefixMatchModeEnabled"), prefixMode}}}};
        if (!yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), settings)
            || !yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("phoneBook.plist")), bigPhonebook()))
            qFatal("cannot write the benchmark's files");
        store = std::make_unique<ostrel::ConfigManager>(dir.path());
    }

    std::unique_ptr<ostrel::PBController> controller() const
    {
        ostrel::ControllerContext context;
        context.config = store.get();
        auto pb = std::make_unique<ostrel::PBController>(context);
        pb->readConfigurations();
        return pb;
    }
};

void BM_OpenPcPhonebook(benchmark::State &state)
{
    Folder folder(false);
    auto pb = folder.controller();
    for (auto _ : state) {
        pb->loadPcPhoneList(QStringLiteral("phoneBook.plist"));
        benchmark::DoNotOptimize(pb->sumOfContactInPC());
    }
}
BENCHMARK(BM_OpenPcPhonebook)->Unit(benchmark::kMillisecond);

// Opening and then sorting every group, as selecting each of them in turn does.
void BM_OpenPcPhonebookAndSortEveryGroup(benchmark::State &state)
{
    Folder folder(false);
    auto pb = folder.controller();
    for (auto _ : state) {
        pb->loadPcPhoneList(QStringLiteral("phoneBook.plist"));
        for (int g = 0; g < pb->sumOfGroupInPC(); ++g)
            pb->setCurrentgroup(g);
    }
}
BENCHMARK(BM_OpenPcPhonebookAndSortEveryGroup)->Unit(benchmark::kMillisecond);

void search(benchmark::State &state, bool prefixMode, const char *text)
{
    Folder folder(prefixMode);
    auto pb = folder.controller();
    pb->loadPcPhoneList(QStringLiteral("phoneBook.plist"));
    pb->setSearchString(QString::fromUtf8(text));
    for (auto _ : state) {
        pb->clearCurSearchGroup();
        pb->getSearchContactsFromPC();
        benchmark::DoNotOptimize(pb->getCurSearchGroupCount());
    }
    state.counters["found"] = pb->getCurSearchGroupCount();
}
void BM_SearchPlainText(benchmark::State &state) { search(state, false, "Wolf"); }
void BM_SearchPrefixText(benchmark::State &state) { search(state, true, "an"); }
void BM_SearchFallbackText(benchmark::State &state) { search(state, false, "+491701000"); }
BENCHMARK(BM_SearchPlainText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchPrefixText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchFallbackText)->Unit(benchmark::kMillisecond);

void BM_LookUpAnUnknownNumber(benchmark::State &state)
{
    Folder folder(false);
    auto pb = folder.controller();
    pb->loadPcPhoneList(QStringLiteral("phoneBook.plist"));
    for (auto _ : state)
        benchmark::DoNotOptimize(pb->hasPhoneNumber(QStringLiteral("+4930999999")));
}
BENCHMARK(BM_LookUpAnUnknownNumber)->Unit(benchmark::kMicrosecond);

// One storage of the device filled to its highest index, its names in no order.
QString writeDeviceStore(const QTemporaryDir &dir, const char *fileName, int count)
{
    QList<yov::PhonebookItem> items;
    for (int i = 1; i <= count; ++i) {
        yov::PhonebookItem item;
        item.index = i;
        item.name = QStringLiteral("%1 %2").arg(QString::fromUtf8(kLastNames[(i * 5) % 16])).arg((i * 7919) % 1000);
        item.number1 = QStringLiteral("+49171%1").arg(3000000 + i);
        items << item;
    }
    const QString path = dir.filePath(QLatin1String(fileName));
    if (!yov::PhonebookItemsFile::write(path, items))
        qFatal("cannot write the benchmark's items file");
    return path;
}

yov::PhonebookInitRecord deviceStoreReport(const QString &path, int storage, int maxIndex)
{
    yov::PhonebookInitRecord r;
    r.numberLength = 20;
    r.nameLength = 14;
    r.minIndex = 1;
    r.maxIndex = maxIndex;
    r.path = path;
    r.storage = storage;
    return r;
}

// The computer's file, both items files with their conversion and sorts, and the all-storage list.
void BM_OpenWholePhonebook(benchmark::State &state)
{
    Folder folder(false);
    const yov::PhonebookInitRecord sim =
        deviceStoreReport(writeDeviceStore(folder.dir, yov::kSimItemsFileName, 250), yov::kPbStorageSim, 250);
    const yov::PhonebookInitRecord me =
        deviceStoreReport(writeDeviceStore(folder.dir, yov::kMeItemsFileName, 500), yov::kPbStorageMe, 500);
    auto pb = folder.controller();
    for (auto _ : state) {
        pb->loadPcPhoneList(QStringLiteral("phoneBook.plist"));
        pb->handlePhonebookInit(me);
        pb->handlePhonebookInit(sim);
        benchmark::DoNotOptimize(pb->getAllUserNumber());
    }
    state.counters["all"] = pb->getAllUserNumber();
}
BENCHMARK(BM_OpenWholePhonebook)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
