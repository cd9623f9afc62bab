// The statistics page's outlines: the formatters at their unit boundaries, the running
// connection's rows from "ConnectStatistics", the period totals with the running connection, the
// time of the last reset and the row names.
#include "StatisticsHarness.h"

#include "ostrel/connection/statistics/StatisticsFormat.h"
#include "ostrel/connection/statistics/statisticSource.h"
#include "ostrel/connection/statistics/transferSource.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "platform/NotificationCenter.h"

#include <QHeaderView>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace statisticstest;

namespace {

struct Sources {
    explicit Sources(StatisticsStore &s)
    {
        context.config = s.store.get();
        context.notificationCenter = &notifications;
        statistics = std::make_unique<statisticSource>(context);
        transfer = std::make_unique<transferSource>(context);
        statistics->awakeFromNib();
        transfer->awakeFromNib();
    }
    QStringList transferValues() const
    {
        QStringList values;
        for (int row = 0; row < 8; ++row)
            values << transfer->valueOfRow(row);
        return values;
    }

    yov::NotificationCenter notifications;
    ControllerContext context;
    std::unique_ptr<statisticSource> statistics;
    std::unique_ptr<transferSource> transfer;
};

} // namespace

TEST(StatisticsOutlineTest, FormattersAtTheirBoundaries)
{
    struct Case {
        double kb;
        bool bits;
        const char *period;   // autoSwitchStatisticData
        const char *transfer; // transferVolumeText
    };
    const Case cases[] = {
        {0, false, "0.00 KB", "0.00(KB)"},
        {1023.99, false, "1023.99 KB", "1023.99(KB)"},
        {1024, false, "1.00 MB", "1024.00(KB)"},
        {1048576, false, "1.00 GB", "1024.00(MB)"},
        {1048577, false, "1.00 GB", "1.00(GB)"},
        {200, true, "1.56 Mb", "1600.00(Kb)"},
        {127.99, true, "1023.92 Kb", "1023.92(Kb)"},
        {1025, true, "8.01 Mb", "8.01(Mb)"},
        {-1, false, "", "-1.00(KB)"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(StatisticsFormat::autoSwitchStatisticData(c.kb, c.bits), QLatin1String(c.period)) << c.kb << c.bits;
        EXPECT_EQ(StatisticsFormat::transferVolumeText(c.kb, c.bits), QLatin1String(c.transfer)) << c.kb << c.bits;
    }
    const std::tuple<double, bool, const char *> speeds[] = {
        {1024, false, "1024.00(KB/s)"}, {1025, false, "1.00(MB/s)"}, {100, true, "800.00(Kb/s)"}};
    for (const auto &[speed, bits, text] : speeds)
        EXPECT_EQ(StatisticsFormat::transferSpeedText(speed, bits), QLatin1String(text)) << speed;
    EXPECT_EQ(StatisticsFormat::switchDataUnit(3, 1024, 1), 3072);
    // A localised format is filled, never used as a printf format.
    EXPECT_EQ(StatisticsFormat::autoSwitchStatisticData(2, false, [](const QString &) { return QStringLiteral("%n %s %0.2f KiB"); }),
              QStringLiteral("%n %s 2.00 KiB"));
}

TEST(StatisticsOutlineTest, TheRunningConnectionFillsExactlyTheRowsItNames)
{
    StatisticsStore s;
    Sources src(s);
    const QStringList initial{QString(""),           QStringLiteral("00:00:00"), QString(""),
                              QStringLiteral("0.00KB/s"), QStringLiteral("0.00KB"),   QString(""),
                              QStringLiteral("0.00KB/s"), QStringLiteral("0.00KB")};
    EXPECT_EQ(src.transferValues(), initial);
    EXPECT_EQ(src.transfer->nameOfRow(3), QStringLiteral("Speed:"));

    src.notifications.post(QStringLiteral("ConnectStatistics"), nullptr, {});
    EXPECT_EQ(src.transferValues(), initial) << "no user info changes nothing";

    src.notifications.post(QStringLiteral("ConnectStatistics"), nullptr,
                           {{QStringLiteral("ConnectTime"), QStringLiteral("00:00:07")},
                            {QStringLiteral("DowloadSpeed"), QStringLiteral("12.00 KB/s")}});
    QStringList expected = initial;
    expected[1] = QStringLiteral("00:00:07");
    expected[6] = QStringLiteral("12.00 KB/s");
    EXPECT_EQ(src.transferValues(), expected);

    src.transfer->reloadTransferSendData(1025, 3, 2, 2048, 3725);
    EXPECT_EQ(src.transferValues(),
              (QStringList{QString(""), QStringLiteral("01:02:05"), QString(""), QStringLiteral("2.00(KB/s)"),
                           QStringLiteral("1.00(MB)"), QString(""), QStringLiteral("2.00(MB/s)"), QStringLiteral("3.00(KB)")}));
}

TEST(StatisticsOutlineTest, PeriodTotalsAddTheRunningConnection)
{
    StatisticsStore s({{QStringLiteral("Record"), QVariantMap{{QStringLiteral("recordLastResetTime"), QStringLiteral("0")}}}});
    s.records.day = {100, 50, 60};
    s.records.month = {1000, 500, 600};
    s.records.year = {2048, 1024, 6000};
    Sources src(s);
    QVariantMap yearTotals;
    int yearPosts = 0;
    QObject observer;
    src.notifications.addObserver(&observer, QStringLiteral("yearReceiveDateAndSendData"), nullptr,
                                  [&](const yov::Notification &n) {
                                      yearTotals = n.userInfo;
                                      ++yearPosts;
                                  });

    src.statistics->updateInterface();
    EXPECT_EQ(src.statistics->valueOfRow(1), QStringLiteral("00:00:00")) << "a last reset that is not a date";
    EXPECT_EQ(src.statistics->valueOfRow(3), QStringLiteral("50.00 KB"));
    EXPECT_EQ(src.statistics->valueOfRow(4), QStringLiteral("100.00 KB"));
    EXPECT_EQ(src.statistics->getMonthTotalData(), 1500.0);

    const int posts = yearPosts;
    src.notifications.post(QStringLiteral("ConnectStatistics"), nullptr, {});
    EXPECT_EQ(yearPosts, posts) << "no user info changes nothing";

    // The running connection counts in every period; a missing amount counts 0.
    src.notifications.post(QStringLiteral("ConnectStatistics"), nullptr,
                           {{QStringLiteral("DowloadDataUnitWithKB"), QStringLiteral("24.000000")}});
    const QStringList names{QStringLiteral("Statistics"),   QStringLiteral("Time Last Reset:"), QStringLiteral("Daily"),
                            QStringLiteral("Upload Data:"), QStringLiteral("Download Data:"),   QStringLiteral("Monthly"),
                            QStringLiteral("Upload Data:"), QStringLiteral("Download Data:"),   QStringLiteral("Yearly"),
                            QStringLiteral("Upload Data:"), QStringLiteral("Download Data:")};
    const QStringList values{QString(""),                QStringLiteral("00:00:00"), QString(""),
                             QStringLiteral("50.00 KB"), QStringLiteral("124.00 KB"), QString(""),
                             QStringLiteral("500.00 KB"), QStringLiteral("1.00 MB"),  QString(""),
                             QStringLiteral("1.00 MB"),  QStringLiteral("2.02 MB")};
    for (int row = 0; row < names.size(); ++row) {
        EXPECT_EQ(src.statistics->nameOfRow(row), names[row]) << row;
        EXPECT_EQ(src.statistics->valueOfRow(row), values[row]) << row;
    }
    EXPECT_EQ(src.statistics->getMonthTotalData(), 1524.0);
    EXPECT_GT(yearPosts, posts);
    EXPECT_FLOAT_EQ(yearTotals.value(QStringLiteral("yearSendData")).toFloat(), 1024.0f);
    EXPECT_FLOAT_EQ(yearTotals.value(QStringLiteral("yearReceiveData")).toFloat(), 2072.0f);

    // The zero values posted when a connection ends take the running connection out.
    src.notifications.post(QStringLiteral("ConnectStatistics"), nullptr,
                           {{QStringLiteral("UploadDataUnitWithKB"), QStringLiteral("0.00 KB")},
                            {QStringLiteral("DowloadDataUnitWithKB"), QStringLiteral("0.00 KB")}});
    EXPECT_EQ(src.statistics->valueOfRow(4), QStringLiteral("100.00 KB"));

    // A stored date shows through the controller base's date form; in bits with dataType "Kb".
    const QDateTime last = QDateTime(QDate(2026, 3, 1), QTime(8, 0), QTimeZone::utc());
    s.store->setConfigurationByModuleKeyAndValue(QStringLiteral("Record"), QStringLiteral("recordLastResetTime"), last);
    s.store->setConfigurationByModule(QStringLiteral("Internet"), QVariantMap{{QStringLiteral("dataType"), QStringLiteral("Kb")}});
    src.notifications.post(QStringLiteral("TabViewItemWillChange"), nullptr,
                           {{QStringLiteral("TabViewItemWillChange"), QStringLiteral("Statistics")}});
    EXPECT_EQ(src.statistics->valueOfRow(1), src.statistics->formatStringFromDate(last));
    EXPECT_FALSE(src.statistics->valueOfRow(1).isEmpty());
    EXPECT_EQ(src.statistics->valueOfRow(3), QStringLiteral("400.00 Kb"));
}

TEST(StatisticsOutlineTest, OutlinesStayExpandedAndInPlaceAndTheSpeedRowsMayBeNamedApart)
{
    StatisticsStore s({{QStringLiteral("DiffSpeedWording"), true}});
    Sources src(s);
    NSOutlineViewExt statistics;
    NSOutlineViewExt transfer;
    src.statistics->setOutlineView(&statistics);
    src.transfer->setOutlineView(&transfer);
    src.transfer->init_transfer_view();
    EXPECT_EQ(src.transfer->nameOfRow(3), QStringLiteral("Upload Speed:"));
    EXPECT_EQ(src.transfer->nameOfRow(6), QStringLiteral("Download Speed:"));
    EXPECT_EQ(src.transfer->nameOfRow(4), QStringLiteral("Data:"));
    for (NSOutlineViewExt *view : {&statistics, &transfer}) {
        const QModelIndex group = view->model()->index(0, 0);
        EXPECT_TRUE(view->isExpanded(group));
        EXPECT_TRUE(view->isExpanded(view->model()->index(1, 0, group)));
        EXPECT_FALSE(view->itemsExpandable()) << "the user cannot collapse";
        EXPECT_FALSE(view->header()->sectionsMovable());
        EXPECT_FALSE(view->model()->flags(group).testFlag(Qt::ItemIsEditable));
        EXPECT_EQ(view->model()->index(0, 0, group).data().toString(), view == &statistics ? QStringLiteral("Time Last Reset:")
                                                                                          : QStringLiteral("Transfer Time:"));
        EXPECT_EQ(view->model()->index(0, 1, group).data().toString(), QStringLiteral("00:00:00"));
    }
}
