// The texts of the connection display and the counted duration.
#include "ostrel/connection/dial/ConnectionFormat.h"
#include "ostrel/connection/dial/DialService.h"

#include <gtest/gtest.h>

using namespace ostrel;

TEST(ConnectionFormatTest, DataAndSpeedTexts)
{
    ConnectionUnits bytes;
    ConnectionUnits bits;
    bits.dataTypeKb = true;
    ConnectionUnits mb;
    mb.dataWithMB = true;
    ConnectionUnits kbit;
    kbit.speedUnitKBit = true;
    ConnectionUnits onlyKbit;
    onlyKbit.speedUnitOnlyKBit = true;
    struct Case {
        double value;
        const ConnectionUnits *units;
        bool speed;
        const char *text;
    };
    const Case cases[] = {
        {1536, &bytes, false, "1.50 KB"},
        {1048576, &bytes, false, "1.00 MB"},
        {1073741824, &bytes, false, "1.00 GB"},
        {0, &bytes, false, "0.00 KB"},
        {-1, &bytes, false, ""},
        {1024, &bits, false, "8.00 Kb"},
        {3 * 1048576.0, &mb, false, "3.00"},
        {2048, &bytes, true, "2.00 KB/s"},
        {128, &kbit, true, "1.00 Kb/s"},
        {1024, &onlyKbit, true, "8.00 Kbit/s"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = c.speed ? formatTransferSpeed(c.value, *c.units) : formatTransferData(c.value, *c.units);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
    }
}

TEST(ConnectionFormatTest, LocalisedFormatIsNeverAPrintfFormat)
{
    const Localizer hostile = [](const QString &s) { return s == QLatin1String("%0.2f KB") ? QStringLiteral("%s%n %0.2f Ko") : s; };
    EXPECT_EQ(formatTransferData(2048, ConnectionUnits{}, hostile), QStringLiteral("%s%n 2.00 Ko"));
}

TEST(ConnectionFormatTest, QuarterHourRounding)
{
    const std::pair<qint64, qint64> cases[] = {{0, 900}, {62, 900}, {899, 900}, {900, 1800}, {3601, 4500}};
    for (auto [seconds, counted] : cases)
        EXPECT_EQ(countedConnectSeconds(seconds, true), counted) << seconds;
    EXPECT_EQ(countedConnectSeconds(62, false), 62);
    EXPECT_EQ(countedConnectSeconds(-5, false), 0);
}

TEST(ConnectionFormatTest, RecordFileNameAndStoredForm)
{
    EXPECT_EQ(DialService::dialRecordFileNameForImsi(QStringLiteral("262021234567890")),
              QStringLiteral("262021234567890_dialRecordData.plist"));
    EXPECT_EQ(DialService::dialRecordFileNameForImsi(QString()), QStringLiteral("dialRecordData.plist"));
    DialRecordEntry e;
    e.connectName = QStringLiteral("Web");
    e.startTime = QDateTime(QDate(2026, 3, 1), QTime(8, 0), Qt::UTC);
    e.connectSeconds = 90;
    e.sentBytes = (qint64(1) << 40) + 1;
    e.receivedBytes = 512;
    const QVariantMap r = e.storedForm();
    EXPECT_EQ(r.value(QStringLiteral("disconnecttime")).toDateTime(), e.startTime.addSecs(90));
    EXPECT_DOUBLE_EQ(r.value(QStringLiteral("sendbyte")).toDouble(), double((qint64(1) << 40) + 1) / 1024.0);
    EXPECT_DOUBLE_EQ(r.value(QStringLiteral("receivebyte")).toDouble(), 0.5);
    EXPECT_FALSE(r.contains(QStringLiteral("roaming")));
}
