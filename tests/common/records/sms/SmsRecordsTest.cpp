#include "common/records/MessageCatalogue.h"
#include "common/records/sms/SmsRecords.h"
#include "support/GoldenBytes.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace yov;

namespace {

using golden::le16;
using golden::le32;
using golden::utf16;
inline void put(QByteArray &b, int offset, const QByteArray &bytes) { golden::text(b, offset, bytes); }

PayloadReader reader(const QByteArray &b) { return PayloadReader(b); }

} // namespace

TEST(SmsRecords, SendRecordEveryFieldAtItsOffset)
{
    SmsSendRequest s;
    s.centre = QStringLiteral("+491709999999");
    s.reportWanted = true;
    s.validity = 0x01020304;
    s.text = QStringLiteral("H\u00e9llo \u20ac");
    s.recipient = QString(40, QLatin1Char('7')); // exactly the 40 characters the field holds
    s.reference = 0xAB;
    s.saveInBox = true;
    s.noResultWanted = true;

    QByteArray expected(6488, '\0');
    put(expected, 0, "+491709999999");
    expected[32] = 1;
    le32(expected, 36, 0x01020304);
    utf16(expected, 40, s.text);
    le32(expected, 6440, 7);
    put(expected, 6444, QByteArray(40, '7'));
    expected[6485] = char(0xAB);
    expected[6486] = 1;
    expected[6487] = 1;

    const auto bytes = s.encode();
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, expected);
    EXPECT_EQ(SmsSendRequest::decode(reader(*bytes)), s);
}

TEST(SmsRecords, BuildersRefuseWhatDoesNotFitInsteadOfCutting)
{
    const auto send = [](auto change) {
        SmsSendRequest s;
        s.recipient = QStringLiteral("+4917012345");
        s.text = QStringLiteral("hi");
        change(s);
        QString error;
        const auto bytes = s.encode(&error);
        return bytes ? QString() : error;
    };
    EXPECT_TRUE(send([](SmsSendRequest &) {}).isEmpty());
    EXPECT_TRUE(send([](SmsSendRequest &s) { s.text = QString(3200, QLatin1Char('a')); }).isEmpty());
    EXPECT_TRUE(send([](SmsSendRequest &s) { s.centre = QString(31, QLatin1Char('1')); }).isEmpty());
    EXPECT_TRUE(send([](SmsSendRequest &s) { s.recipient = QString(41, QLatin1Char('1')); }).contains(QLatin1String("recipient")));
    EXPECT_TRUE(send([](SmsSendRequest &s) { s.text = QString(3201, QLatin1Char('a')); }).contains(QLatin1String("text")));
    EXPECT_TRUE(send([](SmsSendRequest &s) { s.centre = QString(32, QLatin1Char('1')); }).contains(QLatin1String("centre")));
    // Bytes count, not characters: 20 two-byte characters are 40 bytes, 21 are too many.
    EXPECT_TRUE(send([](SmsSendRequest &s) { s.recipient = QString(20, QChar(0xE9)); }).isEmpty());
    EXPECT_FALSE(send([](SmsSendRequest &s) { s.recipient = QString(21, QChar(0xE9)); }).isEmpty());

    const auto draft = [](auto change) {
        SmsDraftRequest d;
        d.text = QStringLiteral("draft");
        change(d);
        return d.encode().has_value();
    };
    EXPECT_TRUE(draft([](SmsDraftRequest &d) { d.recipients = QString(1299, QLatin1Char('1')); }));
    EXPECT_FALSE(draft([](SmsDraftRequest &d) { d.recipients = QString(1300, QLatin1Char('1')); }));
    EXPECT_FALSE(draft([](SmsDraftRequest &d) { d.centre = QString(32, QLatin1Char('1')); }));
    EXPECT_FALSE(draft([](SmsDraftRequest &d) { d.text = QString(3201, QLatin1Char('a')); }));

    EXPECT_TRUE(encodeSmsCentre(QString(31, QLatin1Char('1'))));
    EXPECT_FALSE(encodeSmsCentre(QString(32, QLatin1Char('1'))));
    EXPECT_TRUE(encodeSmsRestorePath(QString(127, QLatin1Char('p'))));
    EXPECT_FALSE(encodeSmsRestorePath(QString(128, QLatin1Char('p'))));
    const SmsClass0Report longClass0{QString(1025, QLatin1Char('a')), {}};
    EXPECT_FALSE(longClass0.encode());
    MSG_REV_NEW_SMS_RES_PARA_T tooLong;
    tooLong.text = QString(162, QLatin1Char('a'));
    EXPECT_FALSE(tooLong.encode());
}

TEST(SmsRecords, SendResultCountsOnlyTheLeadingValidOutcomes)
{
    const struct {
        std::int32_t storedCount;
        std::int32_t readCount;
        int sent;
    } cases[] = {{3, 3, 2}, {99, 15, 14}, {-1, 0, 0}, {0, 0, 0}, {15, 15, 14}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.storedCount);
        QByteArray b(64, '\0');
        // Outcomes 1, 0, 1, then twelve more filled with non-zero values that a count of 3 ignores.
        le32(b, 0, 1);
        le32(b, 4, 0);
        le32(b, 8, 7);
        for (int i = 3; i < 15; ++i)
            le32(b, 4 * i, 0xFFFFFFFFu);
        le32(b, 60, std::uint32_t(c.storedCount));
        const SmsSendResult r = SmsSendResult::decode(reader(b));
        EXPECT_EQ(r.partCount, c.readCount);
        EXPECT_EQ(r.sentParts(), c.sent);
        EXPECT_EQ(r.failedParts(), c.readCount - c.sent);
        EXPECT_EQ(r.outcomes[2], 7);
    }
    SmsSendResult r;
    r.outcomes = {1, 0, 1};
    r.partCount = 3;
    QByteArray expected(64, '\0');
    le32(expected, 0, 1);
    le32(expected, 8, 1);
    le32(expected, 60, 3);
    EXPECT_EQ(r.encode(), expected);
}

TEST(SmsRecords, SmallRecordsGoldenBytes)
{
    const auto words = [](std::initializer_list<std::uint32_t> ws) {
        QByteArray b(int(ws.size()) * 4, '\0');
        int at = 0;
        for (std::uint32_t w : ws) {
            le32(b, at, w);
            at += 4;
        }
        return b;
    };
    const SmsDeleteRequest del{4, 2, 17};
    EXPECT_EQ(del.encode(), words({4, 2, 17}));
    EXPECT_EQ(SmsDeleteRequest::decode(reader(del.encode())), del);
    const SmsCopyRequest copy{0, 1, 9, 1};
    EXPECT_EQ(copy.encode(), words({0, 1, 9, 1}));
    EXPECT_EQ(SmsCopyRequest::decode(reader(copy.encode())), copy);
    const SmsReadRequest read{1, 3};
    EXPECT_EQ(read.encode(), words({1, 3}));
    const SmsCapacity cap{20, 5, 50, 0xFFFF};
    EXPECT_EQ(cap.encode(), words({20, 5, 50, 0xFFFF}));
    EXPECT_EQ(SmsCapacity::decode(reader(cap.encode())), cap);
    EXPECT_EQ(encodeSmsInt32(-2), words({0xFFFFFFFEu}));

    QByteArray list(516, '\0');
    le32(list, 0, 1);
    EXPECT_EQ(SmsListState{1}.encode(), list);
    EXPECT_EQ(SmsListState::decode(reader(list)).state, 1);
}

TEST(SmsRecords, DraftRecordAndItsQuickForm)
{
    SmsDraftRequest d;
    d.text = QStringLiteral("Draft \u00fc");
    d.recipients = QStringLiteral("+4917011;+4917022;");
    d.centre = QStringLiteral("+49170");
    d.reportWanted = 1;
    d.validity = 255;
    QByteArray expected(7744, '\0');
    utf16(expected, 0, d.text);
    le32(expected, 6400, 7);
    put(expected, 6404, "+4917011;+4917022;");
    put(expected, 7704, "+49170");
    le32(expected, 7736, 1);
    le32(expected, 7740, 255);
    ASSERT_TRUE(d.encode());
    EXPECT_EQ(*d.encode(), expected);
    EXPECT_EQ(SmsDraftRequest::decode(reader(expected)), d);
    EXPECT_FALSE(d.isQuickForm());

    SmsDraftRequest quick{d.text, d.recipients, {}, 0, 0};
    const SmsDraftRequest back = SmsDraftRequest::decode(reader(*quick.encode()));
    EXPECT_TRUE(back.isQuickForm());
    EXPECT_EQ(back.recipients, d.recipients);
}

TEST(SmsRecords, ReadersStayWithinTheirRecordWhateverTheLengthFieldsSay)
{
    // Class-0: a length of 5000 reads the 1024 units the text field holds, no more.
    QByteArray class0(2092, '\0');
    for (int i = 0; i < 1024; ++i)
        le16(class0, 2 * i, u'a' + (i % 26));
    le32(class0, 2048, 5000);
    put(class0, 2052, QByteArray(40, '5')); // sender without terminator
    const SmsClass0Report c = SmsClass0Report::decode(reader(class0));
    EXPECT_EQ(c.text.size(), 1024);
    EXPECT_EQ(c.sender, QString(40, QLatin1Char('5')));
    le32(class0, 2048, 0xFFFFFFF0u);
    EXPECT_TRUE(SmsClass0Report::decode(reader(class0)).text.isEmpty());

    // New SMS: a length of 500 reads 161 units; sender and time stamp within their widths.
    QByteArray sms(436, '\0');
    put(sms, 4, QByteArray(45, '1'));
    put(sms, 49, QByteArray(50, '2'));
    for (int i = 0; i < 161; ++i)
        le16(sms, 100 + 2 * i, u'x');
    le16(sms, 422, u'!'); // behind the text field: never part of the text
    le32(sms, 424, 500);
    const MSG_REV_NEW_SMS_RES_PARA_T m = MSG_REV_NEW_SMS_RES_PARA_T::decode(reader(sms));
    EXPECT_EQ(m.text, QString(161, QLatin1Char('x')));
    EXPECT_EQ(m.sender, QString(45, QLatin1Char('1')));
    EXPECT_EQ(m.timeStamp, QString(50, QLatin1Char('2')));

    // Status report: an unterminated time stamp ends with the record's 100 bytes.
    QByteArray report(100, '\0');
    le32(report, 0, 2);
    put(report, 4, "+4917011");
    put(report, 49, QByteArray(51, '9'));
    const SmsStatusReport s = SmsStatusReport::decode(reader(report));
    EXPECT_EQ(s.result, 2);
    EXPECT_EQ(s.timeStamp, QString(51, QLatin1Char('9')));
    // The same bytes carried inside a longer payload still stop at the record's end.
    EXPECT_EQ(SmsStatusReport::decode(reader(report + QByteArray(20, '9'))).timeStamp.size(), 51);

    // SMS centre: 32 characters without terminator.
    EXPECT_EQ(decodeSmsCentre(reader(QByteArray(32, '3') + "tail")), QString(32, QLatin1Char('3')));

    // Broadcast: both strings within the 336 bytes, the text unterminated to the end.
    QByteArray cb(336, '\0');
    put(cb, 36, "4370");
    put(cb, 115, QByteArray(221, 'c'));
    const SmsBroadcastReport b = SmsBroadcastReport::decode(reader(cb + "more"));
    EXPECT_EQ(b.originator, QStringLiteral("4370"));
    EXPECT_EQ(b.text, QString(221, QLatin1Char('c')));
}

TEST(SmsRecords, NewSmsGoldenBytesAndConcatenationKeys)
{
    MSG_REV_NEW_SMS_RES_PARA_T m;
    m.storage = kSmsStoredPcSimFull;
    m.sender = QStringLiteral("+4917033");
    m.timeStamp = QStringLiteral("90108211353040");
    m.text = QStringLiteral("Hi \u03a9");
    m.reference8 = 0x56;
    m.total = 3;
    m.part = 2;
    m.concatenated = true;
    m.elementId = 8;
    m.reference16 = 0x1234;
    QByteArray expected(436, '\0');
    le32(expected, 0, 2);
    put(expected, 4, "+4917033");
    put(expected, 49, "90108211353040");
    utf16(expected, 100, m.text);
    le32(expected, 424, 4);
    expected[428] = 0x56;
    expected[429] = 3;
    expected[430] = 2;
    expected[431] = 1;
    expected[432] = 8;
    le16(expected, 434, 0x1234);
    ASSERT_TRUE(m.encode());
    EXPECT_EQ(*m.encode(), expected);
    EXPECT_EQ(MSG_REV_NEW_SMS_RES_PARA_T::decode(reader(expected)), m);

    EXPECT_EQ(m.concatKey(), 0x1234);
    m.elementId = 0;
    EXPECT_EQ(m.concatKey(), 0x56);
}

TEST(SmsRecords, SendProgressAndBroadcastPlaces)
{
    const SmsSendProgress p{2, 3, QStringLiteral("+4917044")};
    QByteArray expected(100, '\0');
    expected[0] = 2;
    expected[1] = 3;
    put(expected, 4, "+4917044");
    EXPECT_EQ(p.encode(), expected);
    EXPECT_EQ(SmsSendProgress::decode(reader(expected)), p);

    // A broadcast whose strings are too long is cut so that each still ends in its room.
    SmsBroadcastReport b{QString(200, QLatin1Char('o')), QString(300, QChar(0x20AC))};
    const QByteArray bytes = b.encode();
    ASSERT_EQ(bytes.size(), 336);
    EXPECT_EQ(bytes[114], '\0');
    EXPECT_EQ(bytes[335], '\0');
    const SmsBroadcastReport back = SmsBroadcastReport::decode(reader(bytes));
    EXPECT_EQ(back.originator, QString(78, QLatin1Char('o')));
    EXPECT_EQ(back.text, QString(73, QChar(0x20AC))); // 220 bytes hold 73 three-byte characters
}

TEST(SmsRecords, RecordSizesAreTheCatalogueRows)
{
    const struct {
        std::uint16_t minor;
        int size;
    } cases[] = {
        {smsmsg::kMinorSend, SmsSendRequest::kSize},        {smsmsg::kMinorDelete, SmsDeleteRequest::kSize},
        {smsmsg::kMinorCopy, SmsCopyRequest::kSize},        {smsmsg::kMinorDraft, SmsDraftRequest::kSize},
        {smsmsg::kMinorSetCentre, kSmsCentreSize},          {smsmsg::kMinorStoreCode, kSmsInt32Size},
        {smsmsg::kMinorRead, SmsReadRequest::kSize},        {smsmsg::kMinorRestore, kSmsRestorePathSize},
        {smsmsg::kMinorSetRouting, kSmsInt32Size},          {smsmsg::kMinorCentre, 0},
        {smsmsg::kMinorNationalChanged, 0},                 {smsmsg::kMinorAutoDelete, 0},
        {smsmsg::kMinorReloadTcard, 0},                     {smsmsg::kMinorSyncTcard, 0},
    };
    for (const auto &c : cases) {
        const MsgCatalogueEntry *e = findMessage(smsmsg::kMajor, c.minor);
        ASSERT_NE(e, nullptr) << c.minor;
        ASSERT_GT(e->senderCount, 0) << c.minor;
        for (int i = 0; i < e->senderCount; ++i)
            EXPECT_EQ(e->senders[i].payloadSize, c.size) << c.minor;
    }
    // Records the device sends are in the catalogue as handled, with the size of their record (the
    // stand-in sizes what it sends from there); answers without a record of their own have none.
    const struct {
        std::uint16_t minor;
        int size;
    } answers[] = {
        {smsmsg::kMinorSend, SmsSendResult::kSize},        {smsmsg::kMinorListState, SmsListState::kSize},
        {smsmsg::kMinorSetCentre, kSmsCentreSize},         {smsmsg::kMinorStoreCode, kSmsInt32Size},
        {smsmsg::kMinorCapacity, SmsCapacity::kSize},      {smsmsg::kMinorClass0, SmsClass0Report::kSize},
        {smsmsg::kMinorStatusReport, SmsStatusReport::kSize}, {smsmsg::kMinorNewSms, MSG_REV_NEW_SMS_RES_PARA_T::kSize},
        {smsmsg::kMinorRechargeSms, MSG_REV_NEW_SMS_RES_PARA_T::kSize},
        {smsmsg::kMinorBroadcast, SmsBroadcastReport::kSize}, {smsmsg::kMinorRouting, kSmsInt32Size},
        {smsmsg::kMinorCentre, kSmsCentreSize},            {smsmsg::kMinorSendProgress, SmsSendProgress::kSize},
        {smsmsg::kMinorDelete, kAnyAnswerSize},            {smsmsg::kMinorCopy, kAnyAnswerSize},
        {smsmsg::kMinorDraft, kAnyAnswerSize},             {smsmsg::kMinorRestore, kAnyAnswerSize},
        {smsmsg::kMinorRoutingResult, kAnyAnswerSize},     {smsmsg::kMinorReloadTcard, kAnyAnswerSize},
        {smsmsg::kMinorSyncTcard, kAnyAnswerSize},
    };
    for (const auto &a : answers) {
        const MsgCatalogueEntry *e = findMessage(smsmsg::kMajor, a.minor);
        ASSERT_NE(e, nullptr) << a.minor;
        EXPECT_TRUE(e->isHandled()) << a.minor;
        EXPECT_EQ(e->answerSize, a.size) << a.minor;
    }
}

TEST(SmsRecords, TypeRuleAndStoreCodes)
{
    const struct {
        std::uint16_t minor;
        std::int32_t type;
        bool accepted;
    } types[] = {
        {90, 1, true},  {90, 0, false}, {97, 1, true},  {97, 0, false}, {100, 0, true}, {100, 1, false},
        {98, 0, true},  {99, 1, false}, {101, 0, true}, {105, 1, true}, {105, 0, false}, {109, 1, true},
        {94, 0, true},  {94, 7, true},  {103, 2, true}, {103, 1, true}, {112, 0, true}, {113, 5, true},
    };
    for (const auto &t : types)
        EXPECT_EQ(smsTypeAccepted(t.minor, t.type), t.accepted) << t.minor << " type " << t.type;

    const struct {
        int position;
        std::int32_t code;
    } codes[] = {{1, 1}, {0, 2}, {4, 3}, {3, 4}, {2, 0}, {-1, 0}, {5, 0}};
    for (const auto &c : codes) {
        EXPECT_EQ(smsStoreCodeOfPosition(c.position), c.code) << c.position;
        EXPECT_EQ(smsPositionOfStoreCode(c.code), c.code == 0 ? -1 : c.position) << c.code;
    }
    EXPECT_EQ(smsDeliveryResultOfStatus(0x00), SmsStatusReport::kDelivered);
    EXPECT_EQ(smsDeliveryResultOfStatus(0x1F), SmsStatusReport::kDelivered);
    EXPECT_EQ(smsDeliveryResultOfStatus(0x20), SmsStatusReport::kPending);
    EXPECT_EQ(smsDeliveryResultOfStatus(0x3F), SmsStatusReport::kPending);
    EXPECT_EQ(smsDeliveryResultOfStatus(0x40), SmsStatusReport::kFailed);
}

TEST(SmsTimeStamp, SemiOctetTextToDate)
{
    const struct {
        const char *text;
        const char *local; // "" for no date
        int offsetSeconds;
    } cases[] = {
        {"90108211353040", "2009-01-28 11:53:03", 3600},
        {"90108211353048", "2009-01-28 11:53:03", -3600},
        {"90108211353008", "2009-01-28 11:53:03", 0},     // the sign bit alone: Greenwich
        {"9010821135300A", "2009-01-28 11:53:03", -18000}, // -5 h: the tens with the sign bit run past 9
        {"901082113530", "2009-01-28 11:53:03", 0},       // no zone digits
        {"9010821135", "2009-01-28 11:53:00", 0},         // the seconds missing read as 0
        {"9x108211353040", "2000-01-28 11:53:03", 3600},  // "x9" stops at once: year 2000 + 0
        {"9010821135304", "2009-01-28 11:53:03", 3600},   // a short zone: its tens read as 0
        {"90a08211353040", "", 0},                         // month "a0" reads 0: no date
        {"", "", 0},
        {"9", "", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const QDateTime d = calcTimeStamp(QString::fromLatin1(c.text));
        if (!*c.local) {
            EXPECT_FALSE(d.isValid());
            continue;
        }
        ASSERT_TRUE(d.isValid());
        EXPECT_EQ(d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QLatin1String(c.local));
        EXPECT_EQ(d.offsetFromUtc(), c.offsetSeconds);
    }
}
