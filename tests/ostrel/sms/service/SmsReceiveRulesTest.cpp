// The receive road's UI-free rules: the parts of long messages, special numbers and the report box.
#include "common/PlistBridge.h"
#include "ostrel/sms/service/SmsDeliveryReportBox.h"
#include "ostrel/sms/service/SmsReceiveHistory.h"
#include "ostrel/sms/service/SmsSpecialNumbers.h"

#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace ostrel;
using yov::MSG_REV_NEW_SMS_RES_PARA_T;
using yov::sms::YOVMessageDeliveryReport;

namespace {

MSG_REV_NEW_SMS_RES_PARA_T part(const char *sender, int part, int total, std::uint16_t reference16, std::uint8_t elementId = 8,
                                std::uint8_t reference8 = 0)
{
    MSG_REV_NEW_SMS_RES_PARA_T r;
    r.sender = QString::fromLatin1(sender);
    r.concatenated = true;
    r.part = std::uint8_t(part);
    r.total = std::uint8_t(total);
    r.elementId = elementId;
    r.reference16 = reference16;
    r.reference8 = reference8;
    return r;
}

} // namespace

TEST(SmsReceiveHistory, ThreePartsAreCountedThenTheMessageIsComplete)
{
    SmsReceiveHistory h;
    const QList<MSG_REV_NEW_SMS_RES_PARA_T> parts{part("+491", 1, 3, 0x1234), part("+491", 2, 3, 0x1234),
                                                  part("+491", 3, 3, 0x1234)};
    const int counts[] = {1, 2, 0};
    const bool finished[] = {false, false, true};
    for (int i = 0; i < 3; ++i) {
        h.setReciveHistoryWithNewConcatSms(parts[i]);
        EXPECT_EQ(h.receivedCount(parts[i]), counts[i]) << i;
        EXPECT_EQ(h.isFinishReceiveNewSms(parts[i]), finished[i]) << i;
        EXPECT_EQ(h.isDoNotifyWhenNewSmsArrived(parts[i], true), finished[i]) << "one note: only the last part";
        EXPECT_TRUE(h.isDoNotifyWhenNewSmsArrived(parts[i], false)) << "every part";
    }
    EXPECT_TRUE(h.isEmpty());
}

TEST(SmsReceiveHistory, TheKeyIsTheEightBitReferenceWithoutElementEight)
{
    SmsReceiveHistory h;
    // Element id 0: byte 428 is the reference, whatever the 16-bit field holds.
    h.setReciveHistoryWithNewConcatSms(part("+491", 1, 2, 0x1111, 0, 0x42));
    const MSG_REV_NEW_SMS_RES_PARA_T second = part("+491", 2, 2, 0x2222, 0, 0x42);
    EXPECT_FALSE(h.isFinishReceiveNewSms(second));
    h.setReciveHistoryWithNewConcatSms(second);
    EXPECT_TRUE(h.isFinishReceiveNewSms(second));
}

TEST(SmsReceiveHistory, SendersRepeatsAndBadPartNumbersDoNotCompleteAMessage)
{
    SmsReceiveHistory h;
    // Two senders with one reference keep apart.
    h.setReciveHistoryWithNewConcatSms(part("+491", 1, 2, 7));
    h.setReciveHistoryWithNewConcatSms(part("+492", 2, 2, 7));
    EXPECT_FALSE(h.isFinishReceiveNewSms(part("+491", 1, 2, 7)));
    EXPECT_FALSE(h.isFinishReceiveNewSms(part("+492", 1, 2, 7)));
    // A part reported twice counts once.
    h.setReciveHistoryWithNewConcatSms(part("+491", 1, 2, 7));
    EXPECT_EQ(h.receivedCount(part("+491", 1, 2, 7)), 1);
    EXPECT_FALSE(h.isFinishReceiveNewSms(part("+491", 1, 2, 7)));
    // Part 0 and a part above the total are not counted.
    h.setReciveHistoryWithNewConcatSms(part("+493", 1, 3, 9));
    h.setReciveHistoryWithNewConcatSms(part("+493", 0, 3, 9));
    h.setReciveHistoryWithNewConcatSms(part("+493", 4, 3, 9));
    EXPECT_EQ(h.receivedCount(part("+493", 1, 3, 9)), 1);
    EXPECT_FALSE(h.isFinishReceiveNewSms(part("+493", 1, 3, 9)));
    // A single message never touches the history and is always announced.
    MSG_REV_NEW_SMS_RES_PARA_T single;
    single.sender = QStringLiteral("+491");
    h.setReciveHistoryWithNewConcatSms(single);
    EXPECT_TRUE(h.isFinishReceiveNewSms(single));
    EXPECT_TRUE(h.isDoNotifyWhenNewSmsArrived(single, true));
}

TEST(SmsSpecialNumbers, NumbersMatchOnTheirLastDigits)
{
    struct Case {
        const char *a;
        const char *b;
        bool precision;
        int threshold;
        bool match;
    } cases[] = {
        {"+15550001234", "015550001234", false, 8, true}, // last 8: 50001234
        {"12345", "912345", false, 8, true},              // last 5
        {"12345", "912346", false, 8, false},
        {"+15550001234", "015550001234", true, 8, false},
        {"015550001234", "015550001234", true, 8, true},
        {"+15550001234", "+25550001234", false, 0, true}, // no threshold: 8
        {"+15550001234", "+25550001234", false, 12, false},
        {"", "12345", false, 8, false},
        {"12345", "", false, 8, false},
        {"", "", true, 8, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SmsSpecialNumbers::ifTwoNumbersMatch(c.a, c.b, c.precision, c.threshold), c.match) << c.a << " / " << c.b;
    EXPECT_FALSE(SmsSpecialNumbers::isSpecailSMSNumber(QString(), {"", "123"}, false, 8)) << "an empty number matches nothing";
    EXPECT_TRUE(SmsSpecialNumbers::isSpecailSMSNumber("0049123", {"555", "49123"}, false, 8));
}

TEST(SmsDeliveryReportBox, TheFileKeepsTheReportsInOrderAndReadsThemWithTheCallersDateFormat)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("smsReportsBoxData.plist"));
    EXPECT_TRUE(SmsDeliveryReportBox::readDeliveryReportBox(path, {}).isEmpty()) << "no file: no reports";

    QList<YOVMessageDeliveryReport> reports;
    const QDateTime base(QDate(2024, 5, 1), QTime(10, 0), Qt::UTC);
    for (int i = 0; i < 5; ++i) {
        YOVMessageDeliveryReport r = YOVMessageDeliveryReport::initWithMesssgeText(
            SmsDeliveryReportBox::reportText(i % 2, QStringLiteral("+4917%1").arg(i), {}), i % 2, QString(), QString(),
            QStringLiteral("+4917%1").arg(i), base.addSecs(60 * i));
        r.setStatus(0);
        reports << r;
    }
    reports.removeAt(3);
    reports.removeAt(1);
    ASSERT_TRUE(SmsDeliveryReportBox::writeToDeliveryReportBox(path, reports));
    const auto back = SmsDeliveryReportBox::readDeliveryReportBox(
        path, [](const QDateTime &d) { return d.toUTC().toString(QStringLiteral("dd.MM.yyyy HH:mm")); });
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(back[0].receiveMobilephone(), QStringLiteral("+49170"));
    EXPECT_EQ(back[1].receiveMobilephone(), QStringLiteral("+49172"));
    EXPECT_EQ(back[2].receiveMobilephone(), QStringLiteral("+49174"));
    EXPECT_EQ(back[1].dateString(), QStringLiteral("01.05.2024 10:02"));
    EXPECT_EQ(back[0].reportText(), QStringLiteral("Failed to send message(s) to:+49170"));
    EXPECT_EQ(SmsDeliveryReportBox::reportText(1, "+1", {}), QStringLiteral("Successful to send message(s) to:+1"));
    const auto file = yov::PlistBridge::readFile(path);
    ASSERT_TRUE(file && file->typeId() == QMetaType::QVariantList);
    EXPECT_EQ(file->toList().at(2).toMap().value(QStringLiteral("stat")).toInt(), 0);

    // A file that is not a list of reports reads as none.
    ASSERT_TRUE(yov::PlistBridge::writeFile(path, QVariantMap{{QStringLiteral("x"), 1}}));
    EXPECT_TRUE(SmsDeliveryReportBox::readDeliveryReportBox(path, {}).isEmpty());
}
