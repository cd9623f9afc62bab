// The computer phonebook of 2,000 contacts in 20 groups: opening it (read, check, sort) and
// searching it with a plain text, a prefix text and a text that is no pattern (plain-text
// fallback); the number lookup of a number that is in no contact (the whole walk).
#include "common/PlistBridge.h"
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
