// Changing the records: the periodic reset on the controller's clock, clearing all records, and a
// deletion that keeps a record the connection appended meanwhile.
#include "RecordsHarness.h"

#include "ostrel/connection/dial/DialService.h"
#include "ostrel/connection/records/DialRecordReset.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace recordstest;

namespace {

QString resetText(const QDateTime &t) { return t.toTimeZone(kZone).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

} // namespace

TEST(DialRecordResetTest, ElapsedPeriods)
{
    const QDateTime s = local(2026, 1, 1);
    struct Case {
        qint64 secondsAfterStart;
        int periodDays;
        qint64 expected;
    };
    const Case cases[] = {
        {-5, 10, 0},          {0, 10, 0},           {10 * 86400 - 1, 10, 0}, {10 * 86400, 10, 10},
        {25 * 86400, 10, 20}, {31 * 86400, 30, 30}, {400 * 86400, 1, 400},   {50 * 86400, 0, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DialRecordReset::elapsedPeriodDays(s, s.addSecs(c.secondsAfterStart), c.periodDays), c.expected)
            << c.secondsAfterStart << " " << c.periodDays;
    EXPECT_EQ(DialRecordReset::resetPeriodDays(DialRecordReset::kThirtyDaysIndex), 30);
    EXPECT_EQ(DialRecordReset::resetPeriodDays(-1), 0);
    EXPECT_FALSE(DialRecordReset::readResetTime(QStringLiteral("0"), kZone).isValid());
    EXPECT_EQ(DialRecordReset::readResetTime(QStringLiteral("2026-01-01 00:00:00"), kZone), s);
}

TEST(DialRecordResetTest, ResetOnTheClockDropsThePastPeriods)
{
    const QDateTime now = local(2026, 3, 15, 12);
    struct Case {
        const char *what;
        QVariantMap record;        // the Record module
        QDateTime start;           // S
        QStringList kept;
        QDateTime newStart;        // invalid: the start stays
    };
    const QDateTime s25 = now.addDays(-25);
    const QDateTime s31 = now.addDays(-31);
    const Case cases[] = {
        {"every 10 days, started 25 days ago",
         {{QStringLiteral("IfSetRecordResetEveryDays"), true}, {QStringLiteral("recordResetPeriod"), 9},
          {QStringLiteral("recordResetStartTime"), resetText(s25)}},
         s25, {QStringLiteral("before"), QStringLiteral("after boundary"), QStringLiteral("today")}, s25.addDays(20)},
        {"30 days, started 31 days ago",
         {{QStringLiteral("IfSetRecordResetFrequence"), true}, {QStringLiteral("recordResetPeriod"), QStringLiteral("29")},
          {QStringLiteral("recordResetStartTime"), resetText(s31)}},
         s31, {QStringLiteral("before"), QStringLiteral("after boundary"), QStringLiteral("today")}, s31.addDays(30)},
        {"first period still running",
         {{QStringLiteral("IfSetRecordResetEveryDays"), true}, {QStringLiteral("recordResetPeriod"), 29},
          {QStringLiteral("recordResetStartTime"), resetText(s25)}},
         s25, {QStringLiteral("before"), QStringLiteral("start"), QStringLiteral("inside"), QStringLiteral("boundary"),
               QStringLiteral("after boundary"), QStringLiteral("today")}, {}},
        {"start time that cannot be read",
         {{QStringLiteral("IfSetRecordResetEveryDays"), true}, {QStringLiteral("recordResetPeriod"), 0},
          {QStringLiteral("recordResetStartTime"), QStringLiteral("15.02.2026")}},
         s25, {QStringLiteral("before"), QStringLiteral("start"), QStringLiteral("inside"), QStringLiteral("boundary"),
               QStringLiteral("after boundary"), QStringLiteral("today")}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        // The boundary of the first case; the other cases use the same records.
        const QDateTime boundary = c.start.addDays(c.newStart.isValid() ? c.start.daysTo(c.newStart) : 20);
        const QVariantList records{record(QStringLiteral("before"), c.start.addSecs(-1), 1, 1, 1),
                                   record(QStringLiteral("start"), c.start, 1, 1, 1),
                                   record(QStringLiteral("inside"), c.start.addDays(5), 1, 1, 1),
                                   record(QStringLiteral("boundary"), boundary, 1, 1, 1),
                                   record(QStringLiteral("after boundary"), boundary.addSecs(1), 1, 1, 1),
                                   record(QStringLiteral("today"), now.addSecs(-60), 1, 1, 1)};
        RecordsHarness h({{QStringLiteral("Record"), c.record}}, records, now);
        EXPECT_TRUE(h.controller->resetTimerRunning());
        const QVariant startBefore = h.recordSetting("recordResetStartTime");
        h.clock.advance(DialRecordController::kResetIntervalMs);
        EXPECT_EQ(recordNames(h.fileRecords()), c.kept);
        EXPECT_EQ(recordNames(h.controller->recordList()), c.kept);
        if (c.newStart.isValid()) {
            EXPECT_EQ(h.recordSetting("recordResetStartTime").toString(), resetText(c.newStart));
            EXPECT_EQ(h.recordSetting("recordLastResetTime").toDateTime(), c.newStart);
        } else {
            EXPECT_EQ(h.recordSetting("recordResetStartTime"), startBefore);
        }
        // Once done, the next ticks find nothing more to do.
        const QByteArray file = h.fileBytes(h.recordPath());
        h.clock.advance(10 * DialRecordController::kResetIntervalMs);
        EXPECT_EQ(h.fileBytes(h.recordPath()), file);
        EXPECT_EQ(h.alerts.count(), 0);
    }
}

TEST(DialRecordResetTest, APeriodEndingWithoutRecordsStillShowsItsResetOnTheStatisticsPage)
{
    const QDateTime start = local(2026, 3, 14, 12, 0, 2); // a day's period ends in 2 s
    RecordsHarness h({{QStringLiteral("Record"), QVariantMap{{QStringLiteral("IfSetRecordResetEveryDays"), true},
                                                             {QStringLiteral("recordResetPeriod"), 0},
                                                             {QStringLiteral("recordResetStartTime"), resetText(start)}}}},
                     QVariantList{record(QStringLiteral("earlier"), start.addDays(-3), 1, 1, 1)});
    CountingStatisticsForm form;
    h.controller->setStatisticsForm(&form);
    h.clock.advance(DialRecordController::kResetIntervalMs);
    const int refreshes = form.refreshes;
    h.clock.advance(3000);
    EXPECT_EQ(h.recordSetting("recordLastResetTime").toDateTime(), start.addDays(1));
    EXPECT_EQ(h.fileRecords().size(), 1);
    EXPECT_GT(form.refreshes, refreshes);
    h.controller->setStatisticsForm(nullptr);
}

TEST(DialRecordResetTest, NoResetPeriodNoTimer)
{
    RecordsHarness h({{QStringLiteral("Record"), QVariantMap{{QStringLiteral("recordResetStartTime"),
                                                               QStringLiteral("2020-01-01 00:00:00")}}}},
                     QVariantList{record(QStringLiteral("old"), local(2020, 1, 2), 1, 1, 1)});
    EXPECT_FALSE(h.controller->resetTimerRunning());
    h.clock.advance(2000);
    EXPECT_EQ(h.fileRecords().size(), 1);
}

TEST(DialRecordResetTest, ClearAllRecordEmptiesBothFilesAndStoresTheResetTime)
{
    RecordsHarness h({}, QVariantList{record(QStringLiteral("a"), local(2026, 3, 1), 60, 10, 1)});
    const QString periodFile = h.dir.filePath(QStringLiteral("dialRecordBackData.plist"));
    yov::PlistBridge::writeFile(periodFile, QVariantList{record(QStringLiteral("a"), local(2026, 3, 1), 60, 10, 1)});
    ASSERT_EQ(h.controller->gettotalTime(), 60);
    int reloads = 0;
    QObject::connect(h.controller.get(), &DialRecordController::recordsReloaded, h.controller.get(), [&] { ++reloads; });
    h.clock.advance(5000);
    h.controller->clearAllRecord();
    EXPECT_TRUE(h.fileRecords().isEmpty());
    ASSERT_TRUE(QFile::exists(h.recordPath()));
    EXPECT_EQ(yov::PlistBridge::readFile(periodFile)->toList().size(), 0);
    EXPECT_EQ(h.controller->gettotalTime(), 0);
    EXPECT_EQ(h.controller->getTotalData(), 0.0);
    EXPECT_FALSE(h.controller->showPeriodRecord());
    EXPECT_GT(reloads, 0);
    EXPECT_EQ(h.recordSetting("recordLastResetTime").toDateTime(), h.clock.now().addMSecs(-h.clock.now().time().msec()));

    // The statistics views' request does the same.
    DialService::appendDialRecords(h.recordPath(), {DialRecordEntry{QStringLiteral("b"), local(2026, 3, 2), 5, 1, 1}});
    h.notifications.post(QStringLiteral("resetDataForNetWorkData"));
    EXPECT_TRUE(h.fileRecords().isEmpty());
}

TEST(DialRecordResetTest, ADeletionKeepsARecordAppendedMeanwhile)
{
    const QVariantMap first = record(QStringLiteral("first"), local(2026, 3, 1), 60, 10, 1);
    RecordsHarness h({}, QVariantList{first});
    ASSERT_EQ(h.controller->recordList().size(), 1);
    // The connection appends its record to the file itself.
    ASSERT_EQ(DialService::appendDialRecords(
                  h.recordPath(), {DialRecordEntry{QStringLiteral("appended"), local(2026, 3, 2), 30, 2048, 1024}}),
              DialService::RecordAppend::Written);
    EXPECT_TRUE(h.controller->deleteRecords({h.controller->recordList().first()}));
    EXPECT_EQ(recordNames(h.fileRecords()), QStringList{QStringLiteral("appended")});
    EXPECT_EQ(recordNames(h.controller->recordList()), QStringList{QStringLiteral("appended")});
    EXPECT_EQ(h.controller->gettotalTime(), 30);
}

TEST(DialRecordResetTest, SetUpTakesOverTheFileAndStoresTheFirstResetTime)
{
    testing_support::ManualClock clock;
    QTemporaryDir dir;
    yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), QVariantMap{});
    ConfigManager store(dir.path());
    ConfigManager::setSharedConfigManager(&store);
    Neighbours::installDefaults(nullptr, &store);
    Neighbours::records().loadRecordList(QStringLiteral("262_dialRecordData.plist"));
    yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("262_dialRecordData.plist")),
                                QVariantList{record(QStringLiteral("sim"), local(2026, 1, 1), 7, 1, 1)});
    {
        ControllerContext context;
        context.config = &store;
        context.clock = &clock;
        DialRecordController controller(context);
        controller.awakeFromNib();
        EXPECT_EQ(controller.dialRecordFileName(), QStringLiteral("262_dialRecordData.plist"));
        EXPECT_EQ(controller.gettotalTime(), 7);
        EXPECT_EQ(store.getConfigurationByModuleAndKey(QStringLiteral("Record"), QStringLiteral("recordLastResetTime"))
                      .toDateTime(),
                  clock.now().addMSecs(-clock.now().time().msec()));

        // Without the per-SIM switch a removed device keeps the file; with it the default returns.
        controller.deviceRemoved({});
        EXPECT_EQ(controller.dialRecordFileName(), QStringLiteral("262_dialRecordData.plist"));
        store.setConfigurationByModule(QStringLiteral("PCDataWithIMSI"), true);
        controller.deviceRemoved({});
        EXPECT_EQ(controller.dialRecordFileName(), QStringLiteral("dialRecordData.plist"));
        EXPECT_EQ(controller.gettotalTime(), 0);
    }
    EXPECT_EQ(Neighbours::records().dialRecordFileName(), QStringLiteral("dialRecordData.plist"));
    Neighbours::installDefaults(nullptr);
    ConfigManager::setSharedConfigManager(nullptr);
}

TEST(DialRecordResetTest, AStartStoredInTheResetPatternIsReadBack)
{
    const QDateTime t = local(2026, 2, 5, 15, 4, 9);
    struct Case {
        const char *pattern;
        const char *stored;
        QDateTime read; // invalid: not read
    };
    const Case cases[] = {
        {"", "2026-02-05 15:04:09", t},
        {"%d.%m.%Y %H:%M:%S", "05.02.2026 15:04:09", t},
        {"%B %e, %Y at %I:%M:%S %p", "February 5, 2026 at 03:04:09 PM", t},
        {"%a %d %b %Y %X (100%%)", "Thu 05 Feb 2026 15:04:09 (100%)", t},
        {"%d.%m.%Y %H:%M:%S", "2026-02-05 15:04:09", t}, // the fixed form is read whatever the pattern
        // A two-digit year, a zone or a quote cannot be read back; a pattern without the day
        // reads nothing.
        {"%Y-%m-%d %H:%M:%S 'h'", "2026-02-05 15:04:09 'h'", {}},
        {"%d.%m.%y %H:%M:%S", "05.02.26 15:04:09", {}},
        {"%Y-%m-%d %H:%M:%S %Z", "2026-02-05 15:04:09 +02", {}},
        {"%H:%M:%S", "15:04:09", {}},
        {"%Y-%m %H:%M:%S", "2026-02 15:04:09", {}},
        {"%d.%m.%Y", "not a date", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(DialRecordReset::readResetTime(QString::fromUtf8(c.stored), kZone, QString::fromUtf8(c.pattern)),
                  c.read)
            << c.stored;
    }

    // Every 10 days with the start kept in the operator's pattern: the second period ends on the
    // start the first reset wrote, and its records go too.
    const QDateTime now = local(2026, 3, 15, 12);
    const QDateTime s = now.addDays(-25);
    RecordsHarness h({{QStringLiteral("Record"),
                       QVariantMap{{QStringLiteral("IfSetRecordResetEveryDays"), true},
                                   {QStringLiteral("recordResetPeriod"), 9},
                                   {QStringLiteral("ResetTimePattern"), QStringLiteral("%d.%m.%Y %H:%M:%S")},
                                   {QStringLiteral("recordResetStartTime"), resetText(s)}}}},
                     QVariantList{record(QStringLiteral("first periods"), s.addDays(19), 1, 1, 1),
                                  record(QStringLiteral("third period"), s.addDays(21), 1, 1, 1),
                                  record(QStringLiteral("fourth period"), s.addDays(31), 1, 1, 1)},
                     now);
    h.clock.advance(DialRecordController::kResetIntervalMs);
    EXPECT_EQ(h.recordSetting("recordResetStartTime").toString(),
              s.addDays(20).toTimeZone(kZone).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
    EXPECT_EQ(recordNames(h.fileRecords()), (QStringList{QStringLiteral("third period"), QStringLiteral("fourth period")}));
    h.clock.setNow(h.clock.now().addDays(10));
    h.clock.advance(DialRecordController::kResetIntervalMs);
    EXPECT_EQ(recordNames(h.fileRecords()), QStringList{QStringLiteral("fourth period")});
    EXPECT_EQ(h.recordSetting("recordLastResetTime").toDateTime(), s.addDays(30));
}
