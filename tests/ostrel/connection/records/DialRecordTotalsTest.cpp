// Totals of the connection records: the day, month and year in the local zone (month ends of
// 28, 29, 30 and 31 days), records stored the older way, broken records, the records of a period,
// what the controller answers for a record file it cannot read, and when it refreshes the
// statistics.
#include "RecordsHarness.h"

#include "ostrel/connection/dial/DialService.h"
#include "ostrel/connection/records/DialRecordTotals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace recordstest;

TEST(DialRecordTotalsTest, DayMonthAndYearInTheLocalZone)
{
    struct Case {
        const char *what;
        QDateTime now;
        QDateTime start;
        bool today, thisMonth, thisYear;
    };
    const Case cases[] = {
        {"23:59:59 today", local(2026, 2, 28, 9), local(2026, 2, 28, 23, 59, 59), true, true, true},
        {"00:00:00 today", local(2026, 2, 28, 9), local(2026, 2, 28), true, true, true},
        {"23:59:59 yesterday", local(2026, 2, 28, 9), local(2026, 2, 27, 23, 59, 59), false, true, true},
        // The same instant is still "today" in UTC: the local zone decides.
        {"00:30 local is yesterday in UTC", local(2026, 2, 28, 9), local(2026, 2, 28, 0, 30), true, true, true},
        {"last second of February", local(2026, 2, 3), local(2026, 2, 28, 23, 59, 59), false, true, true},
        {"first second of March", local(2026, 2, 3), local(2026, 3, 1), false, false, true},
        {"last second of a leap February", local(2028, 2, 1), local(2028, 2, 29, 23, 59, 59), false, true, true},
        {"last second of April (30 days)", local(2026, 4, 30, 8), local(2026, 4, 30, 23, 59, 59), true, true, true},
        {"first second of May", local(2026, 4, 30, 8), local(2026, 5, 1), false, false, true},
        {"last second of January (31 days)", local(2026, 1, 31, 8), local(2026, 1, 31, 23, 59, 59), true, true, true},
        {"last second of the year", local(2026, 12, 31, 8), local(2026, 12, 31, 23, 59, 59), true, true, true},
        {"last second of the year before", local(2026, 1, 1, 8), local(2025, 12, 31, 23, 59, 59), false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QVariantList records{record(QStringLiteral("a"), c.start.toUTC(), 60, 2.5, 1.5)};
        const auto inside = [&](const DialRecordPeriod &p) { return DialRecordTotals::sum(records, p).seconds == 60; };
        EXPECT_EQ(inside(DialRecordTotals::day(c.now.toUTC(), kZone)), c.today);
        EXPECT_EQ(inside(DialRecordTotals::month(c.now.toUTC(), kZone)), c.thisMonth);
        EXPECT_EQ(inside(DialRecordTotals::year(c.now.toUTC(), kZone)), c.thisYear);
    }
}

TEST(DialRecordTotalsTest, OlderTextFormsAndBrokenRecordsCountWhatTheyHold)
{
    const QVariantList records{
        record(QStringLiteral("real"), local(2026, 3, 15, 8), 62, 1024.5, 10.25),
        // "%0.2f" texts and a numeric text for the seconds, as older files hold them.
        QVariantMap{{QStringLiteral("starttime"), local(2026, 3, 15, 9)},
                    {QStringLiteral("connecttime"), QStringLiteral("900")},
                    {QStringLiteral("receivebyte"), QStringLiteral("12.50")},
                    {QStringLiteral("sendbyte"), QStringLiteral("0.25")}},
        QStringLiteral("not a record"),
        QVariantMap{{QStringLiteral("connectname"), QStringLiteral("no numbers")}},
        QVariantMap{{QStringLiteral("receivebyte"), qQNaN()}, {QStringLiteral("connecttime"), 5}},
    };
    const DialRecordSums all = DialRecordTotals::sum(records);
    EXPECT_DOUBLE_EQ(all.receiveKB, 1037.0);
    EXPECT_DOUBLE_EQ(all.sendKB, 10.5);
    EXPECT_EQ(all.seconds, 967);
    // Without a start a record lies in no period.
    EXPECT_EQ(DialRecordTotals::sum(records, DialRecordTotals::day(local(2026, 3, 15, 12), kZone)).seconds, 962);
}

TEST(DialRecordTotalsTest, ControllerTotalsAndPeriodBothEndsIncluded)
{
    const QVariantList records{record(QStringLiteral("a"), local(2026, 3, 15, 0), 100, 10, 1),
                               record(QStringLiteral("b"), local(2026, 3, 15, 23, 59, 59), 200, 20, 2),
                               record(QStringLiteral("c"), local(2026, 2, 28, 23, 59, 59), 400, 40, 4),
                               record(QStringLiteral("d"), local(2025, 12, 31, 23, 59, 59), 800, 80, 8)};
    RecordsHarness h({}, records);
    auto &c = *h.controller;
    EXPECT_EQ(&Neighbours::records(), static_cast<DialRecordControllerInterface *>(&c));
    EXPECT_DOUBLE_EQ(c.getTotalData(), 165.0);
    EXPECT_EQ(c.gettotalTime(), 1500);
    EXPECT_EQ(c.totalDataText(), QStringLiteral("165.00 KB"));
    EXPECT_EQ(c.totalTimeText(), QStringLiteral("00:25:00"));
    EXPECT_EQ(c.getDayRecordReceive().seconds, 300);
    EXPECT_EQ(c.getMonthRecordReceive().seconds, 300);
    const DialRecordSums year = c.getYearRecordReceive();
    EXPECT_EQ(year.seconds, 700);
    EXPECT_DOUBLE_EQ(year.receiveKB, 70.0);
    EXPECT_DOUBLE_EQ(year.sendKB, 7.0);

    const QVariantList period = c.getRecordsFrom(local(2026, 2, 28, 23, 59, 59), local(2026, 3, 15, 0));
    ASSERT_EQ(period.size(), 2);
    EXPECT_EQ(period[0].toMap().value(QStringLiteral("connectname")).toString(), QStringLiteral("a"));
    EXPECT_EQ(period[1].toMap().value(QStringLiteral("connectname")).toString(), QStringLiteral("c"));
    EXPECT_TRUE(c.getRecordsForOtherFunctionFrom(local(2027, 1, 1), local(2027, 2, 1)).isEmpty());
}

TEST(DialRecordTotalsTest, AnUnreadableRecordFileIsKeptAsideOnceAndTheRecordsStartAfresh)
{
    RecordsHarness h;
    const QByteArray damaged("<?xml version=\"1.0\"?><plist><array><dict><key>connecttime</key>");
    {
        QFile f(h.recordPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(damaged);
    }
    auto &c = *h.controller;
    c.updateInterface();
    c.updateInterface();
    EXPECT_EQ(c.getTotalData(), 0.0);
    EXPECT_EQ(c.gettotalTime(), 0);
    ASSERT_EQ(h.alerts.count(), 1) << "told once, not on every refresh";
    EXPECT_TRUE(h.alerts.shown().first().message.contains(h.recordPath()));

    // The damaged file is kept byte for byte beside a fresh one, which later changes use.
    const QFileInfo path(h.recordPath());
    const QStringList copies = path.dir().entryList({path.fileName() + QStringLiteral(".unreadable-*")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(h.alerts.shown().first().message.contains(copies.first()));
    EXPECT_EQ(h.fileBytes(path.dir().filePath(copies.first())), damaged);
    ASSERT_EQ(DialService::appendDialRecords(h.recordPath(), {DialRecordEntry{QStringLiteral("a"), local(2026, 3, 1), 60, 1, 1}}),
              DialService::RecordAppend::Written);
    c.updateInterface();
    EXPECT_EQ(c.gettotalTime(), 60);
    EXPECT_EQ(h.alerts.count(), 1);
}

namespace {
struct CountingStatisticsForm : StatisticsFormInterface {
    int refreshes = 0;
    void updateInterface() override { ++refreshes; }
};
} // namespace

TEST(DialRecordTotalsTest, TheStatisticsRefreshWhenTheFileChangesOrANewDayBegins)
{
    for (const bool resetPeriod : {false, true}) {
        SCOPED_TRACE(resetPeriod);
        // With a reset period the 0.5 s reset timer refreshes by itself; without one, the
        // refreshes of the limit checks and of an appended record do.
        QVariantMap module;
        if (resetPeriod)
            module = {{QStringLiteral("IfSetRecordResetFrequence"), true},
                      {QStringLiteral("recordResetStartTime"), QStringLiteral("2026-03-15 00:00:00")}};
        RecordsHarness h({{QStringLiteral("Record"), module}},
                         QVariantList{record(QStringLiteral("a"), local(2026, 3, 15, 9), 60, 1, 1)},
                         local(2026, 3, 15, 23, 59, 58));
        CountingStatisticsForm form;
        h.controller->setStatisticsForm(&form);
        const auto tick = [&] {
            h.clock.advance(DialRecordController::kResetIntervalMs);
            if (!resetPeriod)
                h.controller->updateInterface();
        };
        tick();
        const int first = form.refreshes;
        tick();
        tick();
        EXPECT_EQ(form.refreshes, first) << "nothing new: no refresh";
        EXPECT_EQ(h.controller->getDayRecordReceive().seconds, 60);

        h.clock.advance(1000); // past midnight
        tick();
        EXPECT_EQ(form.refreshes, first + 1);
        EXPECT_EQ(h.controller->getDayRecordReceive().seconds, 0);
        tick();
        EXPECT_EQ(form.refreshes, first + 1);

        DialService::appendDialRecords(h.recordPath(), {DialRecordEntry{QStringLiteral("b"), h.clock.now(), 5, 1, 1}});
        tick();
        EXPECT_EQ(form.refreshes, first + 2);
        h.controller->setStatisticsForm(nullptr);
    }
}
