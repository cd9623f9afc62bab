#include "common/sms/YOVCompositeConcatMessage.h"
#include "common/sms/YOVConcatMessage.h"
#include "common/sms/YOVMessageModelManager.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace yov::sms;

namespace {

YOVMessageModelManager &manager()
{
    return YOVMessageModelManager::sharedYOVMessageModelManagerInstance();
}

const QDateTime kDate(QDate(2024, 3, 5), QTime(9, 8, 7), Qt::UTC);

// One stored part of a concatenated message, as a list file holds it.
QVariantMap partDict(int seq, const QString &text, int stat, const QString &pdu)
{
    return {{"messagetext", text}, {"mobilephone", "+4917011"}, {"sca", "+49170"}, {"pdu", pdu},
            {"pid", 0},            {"stat", stat},              {"dcs", 0},        {"date", kDate},
            {"box", 0},            {"index", 4},                {"seqNum", seq},   {"refIndex", 9},
            {"totalNum", 3}};
}

QVariantMap concatEntry(const QVariantList &parts)
{
    return {{"concatSmsFlag", true},
            {"concatSmsInfo",
             QVariantMap{{"mobilephone", "+4917011"}, {"date", kDate}, {"messagetext", "joined"}, {"stat", 0},
                         {"totalNum", 3}, {"refIndex", 9}, {"username", "Ann"}}},
            {"smsInfo", parts}};
}

YOVMessage concatPart(int seq, int status, const QString &text = {}, const QString &pdu = {})
{
    YOVMessageValues v;
    v.messageText = text;
    v.status = status;
    v.messagePDU = pdu;
    return std::make_shared<YOVConcatMessage>(2, 7, seq, v);
}

} // namespace

TEST(SmsMessageModel, CompositeStatusIsTheFirstUnreadElseTheLastPart)
{
    const struct {
        std::vector<int> statuses;
        int expected;
    } cases[] = {{{1, 0, 1}, 0}, {{1, 3}, 3}, {{3, 1}, 1}, {{0}, 0}, {{}, 1}};
    for (const auto &c : cases) {
        YOVCompositeConcatMessage m;
        for (size_t i = 0; i < c.statuses.size(); ++i)
            m.addConcatMessage(concatPart(int(i) + 1, c.statuses[i]));
        EXPECT_EQ(m.getMessageStatus(), c.expected) << testing::PrintToString(c.statuses);
    }
}

TEST(SmsMessageModel, CompositeJoinsTextInListOrderAndPduBySequence)
{
    YOVCompositeConcatMessage m;
    m.addConcatMessage(concatPart(2, 1, QStringLiteral("world"), QStringLiteral("BB")));
    m.addConcatMessage(concatPart(1, 1, QStringLiteral("hello "), QStringLiteral("AA")));
    m.addConcatMessage(concatPart(3, 1, QString(), QStringLiteral("CC"))); // no text: skipped
    EXPECT_EQ(m.getMessageText(), QStringLiteral("worldhello "));
    EXPECT_EQ(m.getMessagePDU(), QStringLiteral("AABBCC"));
    EXPECT_EQ(m.getMessageSeqNum().toInt(), 2); // the first part's
    EXPECT_EQ(m.getMessageRealTotalNum().toInt(), 3);
    EXPECT_EQ(m.getMessageTotalNum(), 2);
}

TEST(SmsMessageModel, EmptyCompositeAnswersWithoutValues)
{
    YOVCompositeConcatMessage m;
    EXPECT_EQ(m.getMessageText(), QStringLiteral(""));
    EXPECT_FALSE(m.getMessageText().isNull());
    EXPECT_FALSE(m.getMessageDate().isValid());
    EXPECT_EQ(m.getMessageStatus(), kMessageRead);
    EXPECT_FALSE(m.getMessageStoredLocation().isValid());
    EXPECT_FALSE(m.messageBox().isValid());
    EXPECT_TRUE(m.getUserName().isNull());
    EXPECT_EQ(m.getMessageTotalNum(), 0);
    m.setMessageBox(2); // ignored, never a crash
    // Written back it is still a regular entry with no parts.
    const auto d = manager().getSmsContentDictWithMessageProtocol(std::make_shared<YOVCompositeConcatMessage>());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->value("smsInfo").toList().size(), 0);
    EXPECT_TRUE(d->value("concatSmsFlag").toBool());
}

TEST(SmsMessageModel, ConcatenatedEntryToObjectsAndBack)
{
    // Parts stored in the order 2, 1: the text follows the list, the PDU the sequence.
    const QVariantMap entry = concatEntry({partDict(2, "world", 1, "P2"), partDict(1, "hello ", 0, "P1")});
    const YOVMessage m = manager().yovMessageModelProtocolWithSMSFileStrut(entry, 5);
    ASSERT_TRUE(m);
    EXPECT_FALSE(m->isLeaf());
    EXPECT_EQ(m->getMessageText(), QStringLiteral("worldhello "));
    EXPECT_EQ(m->getMessagePDU(), QStringLiteral("P1P2"));
    EXPECT_EQ(m->getMessageStatus(), 0);
    EXPECT_EQ(m->getUserName(), QStringLiteral("Ann"));
    EXPECT_EQ(m->getMessageStoredIndex().toInt(), 5);
    EXPECT_EQ(m->getMessageRefIndex().toInt(), 9);
    EXPECT_EQ(m->getMessageTotalNum(), 3);

    const auto back = manager().getSmsContentDictWithMessageProtocol(m);
    ASSERT_TRUE(back);
    const QVariantMap summary = back->value("concatSmsInfo").toMap();
    EXPECT_EQ(summary.value("messagetext").toString(), QStringLiteral("worldhello "));
    EXPECT_EQ(summary.value("refIndex").toInt(), 9);
    EXPECT_EQ(summary.value("totalNum").toInt(), 3);
    EXPECT_EQ(summary.value("stat").toInt(), 0);
    EXPECT_EQ(summary.value("date").toDateTime(), kDate);
    const QVariantList parts = back->value("smsInfo").toList();
    ASSERT_EQ(parts.size(), 2);
    QVariantMap expectedPart = partDict(2, "world", 1, "P2");
    expectedPart.remove("refIndex"); // the part layout of the model; the device adds these two
    expectedPart.remove("totalNum");
    EXPECT_EQ(parts.at(0).toMap(), expectedPart);
}

TEST(SmsMessageModel, ListFileValuesAsTheModelReadsThem)
{
    const QVariantMap concat = concatEntry({partDict(1, "a", 1, ""), partDict(2, "b", 1, "")});
    const QVariantMap single{{"concatSmsFlag", false},
                             {"concatSmsInfo", QVariantMap{{"username", "Bo"}, {"totalNum", 4}}},
                             {"smsInfo", QVariantMap{{"messagetext", "solo"}, {"stat", 3}, {"index", 6}}}};
    const struct {
        const QVariantMap *dict;
        const char *key;
        QVariant expected;
    } cases[] = {
        {&concat, "messagetext", "ab"}, {&concat, "totalNum", 3},   {&concat, "username", "Ann"},
        {&concat, "stat", 0},           {&single, "totalNum", 1},   {&single, "messagetext", "solo"},
        {&single, "username", "Bo"},    {&single, "stat", 3},       {&single, "concatSmsFlag", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(manager().getMessageValueWithMessage(*c.dict, QLatin1String(c.key)), c.expected) << c.key;

    const YOVMessage m = manager().yovMessageModelProtocolWithSMSFileStrut(single, 99);
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->isLeaf());
    EXPECT_EQ(m->getMessageStoredIndex().toInt(), 6); // the part's index, not the one given
    EXPECT_FALSE(manager().yovMessageModelProtocolWithSMSFileStrut(QVariant()));
    EXPECT_FALSE(manager().yovMessageModelProtocolWithSMSFileStrut(QStringLiteral("no dictionary")));
}

TEST(SmsMessageModel, FlatDraftsBothWays)
{
    const QVariantMap flat{{"mobilephone", "+4917011;+4917022;"}, {"messagetext", "later"}, {"stat", "1"}};
    const YOVMessage m = manager().yovMessageModelProtocolWithSMSFileStrut(flat);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->getMessageStatus(), kMessageDraft);
    EXPECT_EQ(m->getPhoneNum(), QStringLiteral("+4917011;+4917022;"));
    EXPECT_TRUE(m->getMessageDate().isValid()); // a missing date becomes the current one
    EXPECT_FALSE(m->getMessageStoredIndex().isValid());

    const auto one = manager().getSmsContentDictWithMessageProtocol(m);
    ASSERT_TRUE(one);
    EXPECT_FALSE(one->contains("smsInfo"));
    EXPECT_EQ(one->value("stat").toString(), QStringLiteral(""));

    YOVMessageValues v;
    v.messageText = QStringLiteral("two parts");
    v.status = kMessageDraft;
    const auto two = manager().getSmsContentDictWithMessageProtocol(std::make_shared<YOVConcatMessage>(2, 1, 1, v));
    ASSERT_TRUE(two);
    EXPECT_EQ(two->value("stat").toString(), QStringLiteral("2/2"));
    EXPECT_EQ(two->value("mobilephone").toString(), QStringLiteral("")); // nil rule
}

TEST(SmsMessageModel, UnknownStatusWritesNoDictionaryAndTheArraySkipsIt)
{
    YOVMessageValues v;
    v.status = 4;
    const YOVMessage four = std::make_shared<YOVSingleMessage>(v);
    EXPECT_FALSE(manager().getSmsContentDictWithMessageProtocol(four));
    v.status = 1;
    const YOVMessage read = std::make_shared<YOVSingleMessage>(v);
    EXPECT_EQ(manager().getSmsContentArrayWithMessageProtocol({four, read, four}).size(), 1);
}

TEST(SmsMessageModel, ReportsBothWaysAndTheirDate)
{
    YOVMessageDeliveryReport r(QStringLiteral("delivered"), 1, QDateTime(), QString(), QString(),
                               QStringLiteral("+4917011"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const QVariantMap d = manager().deliveryReportFileStructWithYOVMessageDeliveryReport(r);
    EXPECT_GE(d.value("date").toDateTime(), before); // no date: the current one
    EXPECT_EQ(d.value("username").toString(), QStringLiteral(""));
    EXPECT_EQ(d.value("stat").toInt(), 0);

    QVariantMap stored = d;
    stored.insert("date", kDate);
    const YOVMessageDeliveryReport back = manager().yOVMessageDeliveryReportWithdeliveryReportFileStruct(stored);
    EXPECT_EQ(back.date(), kDate);
    EXPECT_TRUE(back.dateString().isNull());
    EXPECT_EQ(back.reportText(), QStringLiteral("delivered"));
    EXPECT_EQ(back.receiver(), QStringLiteral(""));
    EXPECT_EQ(back.receiveMobilephone(), QStringLiteral("+4917011"));
    EXPECT_EQ(back.result().toInt(), 1);
    EXPECT_EQ(back.dateFormatString(), YOVMessageModelManager::dateFormatStringWithDate(kDate, QString()));

    const YOVMessageDeliveryReport shown =
        YOVMessageDeliveryReport::initWithMesssgeText(QString(), 1, QStringLiteral("shown as"), {}, {}, kDate);
    EXPECT_EQ(shown.dateFormatString(), QStringLiteral("shown as"));
}

TEST(SmsMessageModel, DateFormatStrings)
{
    const QDateTime local(QDate(2007, 6, 4), QTime(23, 30, 30));
    EXPECT_EQ(YOVMessageModelManager::dateFormatStringWithDate(local, QString()), QStringLiteral("2007-06-04 23:30:30"));
    EXPECT_EQ(YOVMessageModelManager::dateFormatStringWithDate(QDateTime(), QString()), QStringLiteral(""));
    EXPECT_EQ(YOVMessageModelManager::dateFormatStringWithDate(local, QStringLiteral("%d.%m.%Y")),
              QStringLiteral("04.06.2007"));
    EXPECT_EQ(YOVMessageModelManager::dateFormatStringWithDate(local, QStringLiteral("%A %d %B %Y, %H:%M")),
              QStringLiteral("Monday 04 June 2007")); // cut to 19 characters
}

TEST(SmsMessageModel, ObjectsFromParametersAndTheNilRule)
{
    EXPECT_FALSE(YOVMessageModelManager::getYovMessageFromMessageParam(QVariant(3)));
    EXPECT_FALSE(YOVMessageModelManager::getYovMessageFromMessageParam(QVariant()));
    const YOVMessage composite = YOVMessageModelManager::getYovMessageFromMessageParam(
        QVariantList{QVariantMap{{"messageText", "x"}, {"messageSeqNum", 1}}});
    ASSERT_TRUE(composite);
    EXPECT_FALSE(composite->isLeaf());
    EXPECT_EQ(composite->getMessageText(), QStringLiteral("x"));
    const YOVMessage part = YOVMessageModelManager::getYovMessageFromMessageParam(
        QVariantMap{{"concatSmsFlag", true}, {"messageTotalNum", 4}, {"box", 1}});
    ASSERT_TRUE(part);
    EXPECT_TRUE(part->isConcatMessage());
    EXPECT_EQ(part->getMessageTotalNum(), 4);
    EXPECT_EQ(part->messageBox().toInt(), 1);
    const YOVMessage single = YOVMessageModelManager::getYovMessageFromMessageParam(QVariantMap{{"userName", QVariant()}});
    ASSERT_TRUE(single);
    EXPECT_FALSE(single->isConcatMessage());
    EXPECT_EQ(single->getUserName(), QStringLiteral("")); // never nil

    using Nil = YOVMessageModelManager::NilClass;
    EXPECT_EQ(YOVMessageModelManager::checkNilWithObject({}, Nil::String), QVariant(QStringLiteral("")));
    EXPECT_EQ(YOVMessageModelManager::checkNilWithObject({}, Nil::Number), QVariant(0));
    EXPECT_EQ(YOVMessageModelManager::checkNilWithObject({}, Nil::Date).typeId(), QMetaType::QDateTime);
    EXPECT_FALSE(YOVMessageModelManager::checkNilWithObject({}, Nil::Other).isValid());
    EXPECT_EQ(YOVMessageModelManager::checkNilWithObject(7, Nil::String), QVariant(7));

    // Sharing: a reference taken keeps the object alive after the first holder let it go.
    YOVMessage first = single;
    YOVMessage kept = manager().retainYOVMessageModelProtocol(first);
    manager().releaseYOVMessageModelProtocol(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(kept.use_count(), 2); // kept and single
}
