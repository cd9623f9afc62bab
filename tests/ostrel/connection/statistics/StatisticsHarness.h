#pragma once
// A settings store in a folder of its own, and the records neighbour answering given totals.
#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"

#include <QTemporaryDir>

#include <memory>

namespace statisticstest {

class FakeRecordTotals final : public ostrel::DefaultDialRecordController {
public:
    ostrel::DialRecordSums getDayRecordReceive() override { return day; }
    ostrel::DialRecordSums getMonthRecordReceive() override { return month; }
    ostrel::DialRecordSums getYearRecordReceive() override { return year; }
    ostrel::DialRecordSums day, month, year;
};

class StatisticsStore {
public:
    explicit StatisticsStore(const QVariantMap &settings = {})
    {
        yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), settings);
        store = std::make_unique<ostrel::ConfigManager>(dir.path());
        ostrel::ConfigManager::setSharedConfigManager(store.get());
        ostrel::Neighbours::installDefaults(nullptr, store.get());
        ostrel::Neighbours::setRecords(&records);
    }
    ~StatisticsStore()
    {
        ostrel::Neighbours::installDefaults(nullptr);
        ostrel::ConfigManager::setSharedConfigManager(nullptr);
    }

    QTemporaryDir dir;
    std::unique_ptr<ostrel::ConfigManager> store;
    FakeRecordTotals records;
};

} // namespace statisticstest
