#pragma once
// A DialRecordController over a ModemList folder of its own, a manual clock, scripted alerts and a
// scripted file chooser, with the process's time zone (TZ) two hours east of UTC, so that local
// days differ from UTC days and the controller's own choice of zone, the local one, is what runs.
#include "common/PlistBridge.h"
#include "ostrel/connection/records/DialRecordController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/NotificationCenter.h"
#include "platform/alert/AlertPresenter.h"
#include "platform/filechooser/FileChooser.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/ScriptedFileChooser.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <ctime>
#include <memory>

namespace recordstest {

inline const QTimeZone kZone{2 * 3600};

// Sets TZ (a POSIX rule, which needs no zone database) for its lifetime.
class ScopedTZ {
public:
    explicit ScopedTZ(const char *rule) : had_(qEnvironmentVariableIsSet("TZ")), previous_(qgetenv("TZ"))
    {
        qputenv("TZ", rule);
        tzset();
    }
    ~ScopedTZ()
    {
        if (had_)
            qputenv("TZ", previous_);
        else
            qunsetenv("TZ");
        tzset();
    }
    ScopedTZ(const ScopedTZ &) = delete;
    ScopedTZ &operator=(const ScopedTZ &) = delete;

private:
    bool had_;
    QByteArray previous_;
};

// A local time of the test's zone.
inline QDateTime local(int y, int m, int d, int h = 0, int min = 0, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, s), kZone);
}

inline QVariantMap record(const QString &name, const QDateTime &start, qint64 seconds, double receiveKB, double sendKB)
{
    return {{QStringLiteral("connectname"), name},
            {QStringLiteral("starttime"), start},
            {QStringLiteral("disconnecttime"), start.addSecs(seconds)},
            {QStringLiteral("connecttime"), seconds},
            {QStringLiteral("receivebyte"), receiveKB},
            {QStringLiteral("sendbyte"), sendKB}};
}

class RecordsHarness {
public:
    // now: the clock's time; records: the record file's contents (none: no file).
    explicit RecordsHarness(const QVariantMap &settings = {}, const std::optional<QVariantList> &records = {},
                            const QDateTime &now = local(2026, 3, 15, 12))
        : clock(now.toUTC())
    {
        yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), settings);
        if (records)
            yov::PlistBridge::writeFile(recordPath(), *records);
        store = std::make_unique<ostrel::ConfigManager>(dir.path());
        ostrel::ConfigManager::setSharedConfigManager(store.get());
        ostrel::Neighbours::installDefaults(nullptr, store.get());
        alerts.setHoldOpen(true);
        ostrel::ControllerContext context;
        context.config = store.get();
        context.notificationCenter = &notifications;
        context.clock = &clock;
        controller = std::make_unique<ostrel::DialRecordController>(context);
        controller->awakeFromNib();
    }

    ~RecordsHarness()
    {
        controller.reset();
        ostrel::Neighbours::installDefaults(nullptr);
        ostrel::ConfigManager::setSharedConfigManager(nullptr);
    }

    QString recordPath() const { return dir.filePath(QStringLiteral("dialRecordData.plist")); }
    QVariantList fileRecords() const
    {
        const auto v = yov::PlistBridge::readFile(recordPath());
        return v ? v->toList() : QVariantList();
    }
    QByteArray fileBytes(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QVariant recordSetting(const char *key) const
    {
        return store->getConfigurationByModuleAndKey(QStringLiteral("Record"), QLatin1String(key));
    }

    ScopedTZ tz{"<+02>-2"};
    QTemporaryDir dir;
    testing_support::ManualClock clock;
    yov::NotificationCenter notifications;
    testing_support::ScriptedAlertPresenter alerts;
    yov::ScopedAlertPresenter alertGuard{&alerts};
    testing_support::ScriptedFileChooser files;
    yov::ScopedFileChooser fileGuard{&files};
    std::unique_ptr<ostrel::ConfigManager> store;
    std::unique_ptr<ostrel::DialRecordController> controller;
};

} // namespace recordstest
