// The stand-in's SMS side as the dashboard meets it over a private session bus: the list files at
// SIM ready, sending, messages that arrive, copy and delete, drafts, settings, restore, loopback
// and the list-file lock, each against a ModemList folder of its own.
#include "BrannocClient.h"

#include "common/PlistBridge.h"
#include "common/records/sms/SmsRecords.h"
#include "common/sms/GsmAlphabet.h"
#include "common/sms/PduCodec.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFileLock.h"
#include "common/sms/SmsListFiles.h"
#include "common/sms/YOVBasicMessage.h"
#include "common/sms/YOVMessageModelManager.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cstring>

using namespace yov;
using namespace yov::sms;

namespace {

constexpr int kSmsModule = 5;
const QString kOwnNumber = QStringLiteral("+491701234567"); // Modem/Sim OwnNumber of the default scenario
const QString kImsi = QStringLiteral("262021234567890");

YOVMessageModelManager &model()
{
    return YOVMessageModelManager::sharedYOVMessageModelManagerInstance();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString textOfSeptets(const std::uint8_t *septets, int count)
{
    std::uint16_t units[200];
    const int n = SMS7toUcs2(SmsCodecOptions(), units, 200, septets, count);
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(units), qMax(n, 0));
}

// One part of a concatenated 7-bit message as an SMS-DELIVER PDU (letters and spaces only: their
// GSM codes are their ASCII codes).
QString concatDeliver(const QString &sender, const QByteArray &text, int reference, int total, int sequence)
{
    SmsPduRecord r{};
    std::strcpy(r.serviceCentre, "+49170");
    std::strcpy(r.address, sender.toLatin1().constData());
    std::strcpy(r.timeStamp, "42502051943040");
    r.headerPresent = 1;
    const std::uint8_t header[] = {5, 0, 3, std::uint8_t(reference), std::uint8_t(total), std::uint8_t(sequence)};
    std::memcpy(r.userData, header, sizeof header);
    std::memcpy(r.userData + sizeof header, text.constData(), size_t(text.size()));
    r.dataLength = std::uint16_t(sizeof header + text.size());
    char out[600];
    EXPECT_GT(EncodePdu_Delivery(SmsCodecOptions(), &r, out, sizeof out), 0);
    return QString::fromLatin1(out);
}

class SmsBrannocTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(modemList.isValid());
        qputenv("OSTREL_MODEMLIST", QFile::encodeName(modemList.path()));
        qunsetenv("OSTREL_TCARD");
    }
    void TearDown() override { client->stop(); }

    void start()
    {
        ASSERT_TRUE(client->start(QStringLiteral("default.plist"))) << qPrintable(client->error());
        ASSERT_GE(client->waitFor(smsmsg::kMajor, smsmsg::kMinorListState), 0)
            << "no list state: " << qPrintable(client->ids().join(QLatin1Char(' ')));
        // No periodic signal reports: the sequences stay exact.
        ASSERT_TRUE(client->setModemState(QStringLiteral("Network"), {{QStringLiteral("SignalIntervalMs"), 0}}));
    }
    void writeSettings(const QVariantMap &settings)
    {
        ASSERT_TRUE(PlistBridge::writeFile(modemList.filePath(QStringLiteral("settings.plist")), settings));
    }
    bool setSms(const QVariantMap &values) { return client->setModemState(QStringLiteral("Sms"), values); }

    QString path(const char *file) const { return modemList.filePath(QLatin1String(file)); }
    QVariantList box(const char *file, const char *name) const
    {
        return readSmsListFile(path(file)).value_or(QVariantMap()).value(QLatin1String(name)).toList();
    }
    QStringList texts(const char *file, const char *name) const
    {
        QStringList out;
        for (const YOVMessage &m : model().yovMessageModelProtocolArrayWithSMSFileStrutArray(box(file, name)))
            out << m->getMessageText();
        return out;
    }

    // Sends a request of major 768; returns the index from which its records arrive.
    int request(std::uint16_t minor, const QByteArray &payload = {}, int type = 0, int module = kSmsModule)
    {
        const int mark = client->size();
        EXPECT_TRUE(client->send(module, smsmsg::kMajor, minor, type, payload));
        return mark;
    }
    int waitSms(std::uint16_t minor, int from, int timeoutMs = BrannocClient::kWaitMs)
    {
        return client->waitFor(smsmsg::kMajor, minor, from, timeoutMs);
    }
    // The SMS records from index from on, as "minor".
    QStringList smsIds(int from) const
    {
        QStringList out;
        for (int i = from; i < client->size(); ++i)
            if (at(i).majorID == smsmsg::kMajor)
                out << QString::number(at(i).minorID);
        return out;
    }
    const UI_MSG &at(int i) const { return client->records()[size_t(i)].msg; }
    qint64 timeOf(int i) const { return client->records()[size_t(i)].atMs; }
    PayloadReader payload(int i) const { return PayloadReader::ofMsg(at(i)); }

    QTemporaryDir modemList;
    std::unique_ptr<BrannocClient> client = std::make_unique<BrannocClient>();
};

} // namespace

TEST_F(SmsBrannocTest, SimReadyWritesTheListsThenReportsCapacityAndListState)
{
    // The computer's file is the dashboard's too: one that exists is left as it is.
    const QVariantMap pcDraft{{"mobilephone", "+4917011"}, {"messagetext", "mine"}, {"stat", ""}};
    QVariantMap pc = emptySmsList(kPositionPc);
    pc.insert("DraftBox", QVariantList{pcDraft});
    ASSERT_TRUE(PlistBridge::writeFile(path(kSmsListPcFileName), pc));
    const QByteArray pcBefore = fileBytes(path(kSmsListPcFileName));
    start();

    const int capacity = client->waitFor(smsmsg::kMajor, smsmsg::kMinorCapacity);
    const int listState = waitSms(smsmsg::kMinorListState, 0);
    ASSERT_GE(capacity, 0);
    EXPECT_LT(capacity, listState);
    EXPECT_EQ(at(capacity).type, 1);
    EXPECT_EQ(SmsCapacity::decode(payload(capacity)), (SmsCapacity{20, 2, 50, 0}));
    EXPECT_EQ(at(listState).dataLength, SmsListState::kSize);
    EXPECT_EQ(payload(listState).bytes(0, SmsListState::kSize), SmsListState{1}.encode());

    // The SIM's file as the dashboard reads it through the model.
    const QVariantList inbox = box(kSmsListSimFileName, "InBox");
    ASSERT_EQ(inbox.size(), 2);
    const QList<YOVMessage> messages = model().yovMessageModelProtocolArrayWithSMSFileStrutArray(inbox);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0]->getMessageStatus(), 0);
    EXPECT_EQ(messages[0]->getPhoneNum(), QStringLiteral("+491705550123"));
    EXPECT_EQ(messages[0]->getMessageText(), QStringLiteral("Welcome to Vandrel! Your data bundle is ready."));
    EXPECT_EQ(messages[0]->getMessageDate(), QDateTime(QDate(2024, 5, 2), QTime(8, 15), Qt::UTC));
    EXPECT_EQ(messages[1]->getMessageStatus(), 1);
    for (const QVariant &e : inbox) {
        const QVariantMap entry = e.toMap();
        EXPECT_TRUE(entry.contains("concatSmsInfo"));
        EXPECT_FALSE(entry.value("concatSmsFlag").toBool());
        // The stored PDU is the message itself.
        const QByteArray pdu = entry.value("smsInfo").toMap().value("pdu").toString().toLatin1();
        SmsPduRecord r{};
        const int n = DecodePdu_Delivery(SmsCodecOptions(), pdu.constData(), int(pdu.size()), &r);
        ASSERT_GT(n, 0);
        EXPECT_EQ(textOfSeptets(r.userData, n), model().getMessageValueWithMessage(entry, "messagetext").toString());
    }
    EXPECT_TRUE(box(kSmsListSimFileName, "OutBox").isEmpty());
    EXPECT_EQ(readSmsListFile(path(kSmsListMeFileName)).value_or(QVariantMap()), emptySmsList(kPositionMe));
    EXPECT_EQ(fileBytes(path(kSmsListPcFileName)), pcBefore);
}

TEST_F(SmsBrannocTest, SendReportsEachPartAnswersOnceAndSavesTheOutbox)
{
    start();
    EXPECT_EQ(readSmsListFile(path(kSmsListPcFileName)).value_or(QVariantMap()), emptySmsList(kPositionPc))
        << "the computer's file is created when missing";

    QString text;
    for (int i = 0; i < 161; ++i)
        text += QChar(u'a' + i % 26);
    SmsSendRequest send;
    send.recipient = QStringLiteral("+4917012345");
    send.text = text;
    send.reference = 0x42;
    send.saveInBox = true;
    int mark = request(smsmsg::kMinorSend, *send.encode());
    int answer = waitSms(smsmsg::kMinorSend, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(smsIds(mark), (QStringList{"112", "112", "94", "97", "90"})); // the file before the answer
    const int progress = waitSms(smsmsg::kMinorSendProgress, mark);
    EXPECT_EQ(SmsSendProgress::decode(payload(progress)), (SmsSendProgress{1, 2, send.recipient}));
    EXPECT_EQ(SmsSendProgress::decode(payload(waitSms(smsmsg::kMinorSendProgress, progress + 1))),
              (SmsSendProgress{2, 2, send.recipient}));
    EXPECT_EQ(at(answer).type, 1);
    EXPECT_EQ(at(answer).moduleID, kSmsModule);
    SmsSendResult result = SmsSendResult::decode(payload(answer));
    EXPECT_EQ(result.partCount, 2);
    EXPECT_EQ(result.sentParts(), 2);

    // The outbox holds the message, "stat" 3, each part with its SMS-SUBMIT.
    const QVariantList outbox = box(kSmsListSimFileName, "OutBox");
    ASSERT_EQ(outbox.size(), 1);
    const QVariantMap entry = outbox.at(0).toMap();
    EXPECT_TRUE(entry.value("concatSmsFlag").toBool());
    EXPECT_EQ(entry.value("concatSmsInfo").toMap().value("stat").toInt(), 3);
    const QVariantList parts = entry.value("smsInfo").toList();
    ASSERT_EQ(parts.size(), 2);
    QString joined;
    for (int i = 0; i < 2; ++i) {
        const QVariantMap part = parts.at(i).toMap();
        EXPECT_EQ(part.value("seqNum").toInt(), i + 1);
        EXPECT_EQ(part.value("totalNum").toInt(), 2);
        EXPECT_EQ(part.value("refIndex").toInt(), 0x42);
        const QByteArray pdu = part.value("pdu").toString().toLatin1();
        SmsPduRecord r{};
        const int n = DecodePdu_Submit(SmsCodecOptions(), pdu.constData(), int(pdu.size()), &r);
        ASSERT_GT(n, 0) << pdu.constData();
        EXPECT_EQ(r.headerPresent, 1);
        EXPECT_EQ(r.reference, 0x42);
        EXPECT_EQ(r.total, 2);
        EXPECT_EQ(r.sequence, i + 1);
        EXPECT_STREQ(r.address, "+4917012345");
        joined += textOfSeptets(r.userData, n);
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(SmsCapacity::decode(payload(waitSms(smsmsg::kMinorCapacity, mark))).simUsed, 4);

    // A scripted failure of the second part shows in the answer.
    ASSERT_TRUE(setSms({{QStringLiteral("SendOutcomes"), QVariantList{1, 0}}}));
    send.saveInBox = false;
    mark = request(smsmsg::kMinorSend, *send.encode());
    answer = waitSms(smsmsg::kMinorSend, mark);
    ASSERT_GE(answer, 0);
    result = SmsSendResult::decode(payload(answer));
    EXPECT_EQ(result.partCount, 2);
    EXPECT_NE(result.outcomes[0], 0);
    EXPECT_EQ(result.outcomes[1], 0);

    // No answer wanted: the parts go out, the next request's answer is the next thing heard.
    send.noResultWanted = true;
    mark = request(smsmsg::kMinorSend, *send.encode());
    const int centre = waitSms(smsmsg::kMinorCentre, request(smsmsg::kMinorCentre));
    ASSERT_GE(centre, 0);
    EXPECT_EQ(smsIds(mark), (QStringList{"112", "112", "109"}));

    // Nothing sendable: every part fails; more than 15 parts: one failed part.
    send.noResultWanted = false;
    send.recipient = QStringLiteral("12#x4");
    mark = request(smsmsg::kMinorSend, *send.encode());
    result = SmsSendResult::decode(payload(waitSms(smsmsg::kMinorSend, mark)));
    EXPECT_EQ(result.partCount, 2);
    EXPECT_EQ(result.sentParts(), 0);
    send.recipient = QStringLiteral("+4917012345");
    send.text = QString(16 * 153 + 1, QLatin1Char('z'));
    mark = request(smsmsg::kMinorSend, *send.encode());
    result = SmsSendResult::decode(payload(waitSms(smsmsg::kMinorSend, mark)));
    EXPECT_EQ(result.partCount, 1);
    EXPECT_EQ(result.outcomes[0], 0);

    // Saving with the memory card as the store but no card in the modem: the computer keeps it.
    ASSERT_TRUE(setSms({{QStringLiteral("StoreCode"), kSmsStoreTcard}}));
    send.text = QStringLiteral("kept on the computer");
    send.saveInBox = true;
    mark = request(smsmsg::kMinorSend, *send.encode());
    ASSERT_GE(waitSms(smsmsg::kMinorSend, mark), 0);
    const QVariantList pcOutbox = box(kSmsListPcFileName, "OutBox");
    ASSERT_EQ(pcOutbox.size(), 1);
    EXPECT_EQ(pcOutbox.at(0).toMap().value("IMSI").toString(), kImsi);
    EXPECT_EQ(texts(kSmsListPcFileName, "OutBox"), QStringList{"kept on the computer"});
}

TEST_F(SmsBrannocTest, PartsThatArriveApartJoinOneEntryAndAFullSimSendsTheRestToTheComputer)
{
    start();
    const QString sender = QStringLiteral("+4917077");
    // The second part comes first.
    int mark = client->size();
    ASSERT_EQ(client->control("DeliverPdu", {"deliver", concatDeliver(sender, " world", 0x2A, 2, 2)}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_EQ(client->control("DeliverPdu", {"deliver", concatDeliver(sender, "hello", 0x2A, 2, 1)}).type(),
              QDBusMessage::ReplyMessage);
    const int first = waitSms(smsmsg::kMinorNewSms, mark);
    ASSERT_GE(first, 0);
    const int second = waitSms(smsmsg::kMinorNewSms, first + 1);
    ASSERT_GE(second, 0);
    for (const auto &[index, part, text] : {std::tuple{first, 2, " world"}, std::tuple{second, 1, "hello"}}) {
        const auto m = MSG_REV_NEW_SMS_RES_PARA_T::decode(payload(index));
        EXPECT_EQ(at(index).type, 0);
        EXPECT_EQ(m.storage, kSmsStoredSim);
        EXPECT_EQ(m.sender, sender);
        EXPECT_EQ(m.timeStamp, QStringLiteral("42502051943040"));
        EXPECT_EQ(m.text, QLatin1String(text));
        EXPECT_TRUE(m.concatenated);
        EXPECT_EQ(m.reference8, 0x2A);
        EXPECT_EQ(m.elementId, 0);
        EXPECT_EQ(m.total, 2);
        EXPECT_EQ(m.part, part);
    }
    // The file was written and announced before each new-SMS record.
    EXPECT_EQ(smsIds(mark).mid(0, 3), (QStringList{"94", "97", "100"}));

    const QVariantList inbox = box(kSmsListSimFileName, "InBox");
    ASSERT_EQ(inbox.size(), 3);
    const QVariantMap joined = inbox.at(0).toMap();
    const QVariantList parts = joined.value("smsInfo").toList();
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts.at(0).toMap().value("seqNum").toInt(), 1);
    EXPECT_EQ(parts.at(1).toMap().value("seqNum").toInt(), 2);
    EXPECT_EQ(joined.value("concatSmsInfo").toMap().value("totalNum").toInt(), 2);
    EXPECT_EQ(texts(kSmsListSimFileName, "InBox").at(0), QStringLiteral("hello world"));
    EXPECT_EQ(client->modemState("Sms").value("SimUsed").toInt(), 4);

    // The SIM full: a new message goes to the computer, storage code 2, with the IMSI.
    mark = client->size();
    ASSERT_TRUE(setSms({{QStringLiteral("SimCapacity"), 4}}));
    mark = waitSms(smsmsg::kMinorCapacity, mark) + 1;
    ASSERT_EQ(client->control("DeliverText", {sender, "overflow"}).type(), QDBusMessage::ReplyMessage);
    const int overflow = waitSms(smsmsg::kMinorNewSms, mark);
    ASSERT_GE(overflow, 0);
    EXPECT_EQ(MSG_REV_NEW_SMS_RES_PARA_T::decode(payload(overflow)).storage, kSmsStoredPcSimFull);
    EXPECT_FALSE(smsIds(mark).mid(0, smsIds(mark).indexOf("100")).contains("97")) << "the SIM did not change";
    const QVariantList pcInbox = box(kSmsListPcFileName, "InBox");
    ASSERT_EQ(pcInbox.size(), 1);
    EXPECT_EQ(pcInbox.at(0).toMap().value("IMSI").toString(), kImsi);
    EXPECT_EQ(texts(kSmsListPcFileName, "InBox"), QStringList{"overflow"});
    EXPECT_EQ(box(kSmsListSimFileName, "InBox").size(), 3);
}

TEST_F(SmsBrannocTest, CopyDeleteAutoDeleteAndDrafts)
{
    start();
    // A message on the computer, copied to the SIM: it lands at the front of the SIM's inbox.
    ASSERT_TRUE(setSms({{QStringLiteral("StoreCode"), kSmsStorePc}}));
    int mark = client->size();
    ASSERT_EQ(client->control("DeliverText", {"+4917088", "copy me"}).type(), QDBusMessage::ReplyMessage);
    ASSERT_GE(waitSms(smsmsg::kMinorNewSms, mark), 0);
    mark = request(smsmsg::kMinorCopy, SmsCopyRequest{0, 0, 0, 1}.encode());
    int answer = waitSms(smsmsg::kMinorCopy, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    EXPECT_EQ(at(answer).type, 1);
    EXPECT_EQ(smsIds(mark), (QStringList{"94", "97", "92"}));
    const QString welcome = QStringLiteral("Welcome to Vandrel! Your data bundle is ready.");
    const QString seeYou = QStringLiteral("See you at 7 at the station.");
    EXPECT_EQ(texts(kSmsListSimFileName, "InBox"), (QStringList{"copy me", welcome, seeYou}));
    EXPECT_FALSE(box(kSmsListSimFileName, "InBox").at(0).toMap().contains("IMSI"));

    // Deletes: a removed index, a scripted failure, a missing index.
    const struct {
        const char *what;
        SmsDeleteRequest del;
        bool failNext;
        bool ok;
        QStringList after;
    } deletes[] = {
        {"index 1", {1, 0, 1}, false, true, {"copy me", seeYou}},
        {"scripted failure", {1, 0, 0}, true, false, {"copy me", seeYou}},
        {"missing index", {1, 0, 5}, false, false, {"copy me", seeYou}},
        {"the SIM has no deleted box", {1, 4, 0}, false, false, {"copy me", seeYou}},
    };
    for (const auto &d : deletes) {
        SCOPED_TRACE(d.what);
        if (d.failNext) {
            ASSERT_TRUE(setSms({{QStringLiteral("FailNextDelete"), true}}));
        }
        mark = request(smsmsg::kMinorDelete, d.del.encode());
        answer = waitSms(smsmsg::kMinorDelete, mark);
        ASSERT_GE(answer, 0);
        EXPECT_EQ(at(answer).result == 0, d.ok);
        EXPECT_EQ(texts(kSmsListSimFileName, "InBox"), d.after);
    }
    // A copy to a SIM without room fails.
    ASSERT_TRUE(setSms({{QStringLiteral("SimCapacity"), 2}}));
    mark = request(smsmsg::kMinorCopy, SmsCopyRequest{0, 0, 0, 1}.encode());
    answer = waitSms(smsmsg::kMinorCopy, mark);
    ASSERT_GE(answer, 0);
    EXPECT_NE(at(answer).result, 0);

    // The SIM full: 768/111 deletes the read message, then reports the lists and the capacity.
    mark = request(smsmsg::kMinorAutoDelete, {}, 1);
    const int capacity = waitSms(smsmsg::kMinorCapacity, mark);
    ASSERT_GE(capacity, 0);
    EXPECT_EQ(smsIds(mark), (QStringList{"94", "97"}));
    EXPECT_EQ(SmsCapacity::decode(payload(capacity)).simUsed, 1);
    EXPECT_EQ(texts(kSmsListSimFileName, "InBox"), QStringList{"copy me"});

    // Drafts: to the SIM when the settings say so, a regular entry with "stat" 2.
    writeSettings({{"SMS", QVariantMap{{"isSaveDraftSMSToSIM", true}}}});
    SmsDraftRequest draft{QStringLiteral("draft text"), QStringLiteral("+4917011;+4917022;"), QStringLiteral("+49170"), 1, 2};
    mark = request(smsmsg::kMinorDraft, *draft.encode());
    answer = waitSms(smsmsg::kMinorDraft, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    const QVariantList simDrafts = box(kSmsListSimFileName, "DraftBox");
    ASSERT_EQ(simDrafts.size(), 1);
    const QVariantMap simDraft = simDrafts.at(0).toMap();
    EXPECT_EQ(simDraft.value("concatSmsInfo").toMap().value("stat").toInt(), 2);
    EXPECT_EQ(simDraft.value("smsInfo").toMap().value("stat").toInt(), 2);
    EXPECT_EQ(simDraft.value("concatSmsInfo").toMap().value("mobilephone").toString(), draft.recipients);
    EXPECT_FALSE(simDraft.value("smsInfo").toMap().value("pdu").toString().isEmpty());

    // The quick form always goes to the computer's drafts, flat: "" for one part, "n/n" for more.
    for (const auto &[draftText, stat] : {std::pair{QString("quick"), QString("")},
                                          std::pair{QString(200, QLatin1Char('q')), QString("2/2")}}) {
        mark = request(smsmsg::kMinorDraft, *SmsDraftRequest{draftText, QStringLiteral("+4917033;"), {}, 0, 0}.encode());
        ASSERT_GE(waitSms(smsmsg::kMinorDraft, mark), 0);
        const QVariantMap flat = box(kSmsListPcFileName, "DraftBox").constLast().toMap();
        EXPECT_FALSE(flat.contains("smsInfo"));
        EXPECT_EQ(flat.value("stat").toString(), stat);
        EXPECT_EQ(flat.value("messagetext").toString(), draftText);
        EXPECT_EQ(flat.value("mobilephone").toString(), QStringLiteral("+4917033;"));
    }
    EXPECT_EQ(box(kSmsListSimFileName, "DraftBox").size(), 1);

    // A computer draft is deleted by position 0, box 2 (as the send road deletes a draft it sent).
    mark = request(smsmsg::kMinorDelete, SmsDeleteRequest{0, 2, 0}.encode());
    answer = waitSms(smsmsg::kMinorDelete, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    ASSERT_EQ(box(kSmsListPcFileName, "DraftBox").size(), 1);
    EXPECT_EQ(box(kSmsListPcFileName, "DraftBox").at(0).toMap().value("messagetext").toString(), QString(200, QLatin1Char('q')));

    // Copies to the SIM from the computer's deleted and important boxes: a message goes back to the
    // box it came from, a computer draft becomes a SIM draft.
    YOVMessageValues sentValues;
    sentValues.messageText = QStringLiteral("once sent");
    sentValues.phoneNum = QStringLiteral("+4917099");
    sentValues.status = int(kMessageSent);
    QVariantMap deletedSent = *model().getSmsContentDictWithMessageProtocol(std::make_shared<YOVSingleMessage>(sentValues));
    deletedSent.insert("preLocationBeforeGoToDelBox", int(kBoxOutBox));
    const QVariantMap importantDraft{{"mobilephone", "+4917098;"}, {"messagetext", "kept draft"}, {"stat", ""},
                                     {"preLocationBeforeGotoImpBox", int(kBoxDraftBox)}};
    ASSERT_TRUE(updateSmsListFile(path(kSmsListPcFileName), [&](QVariantMap &list) {
        list.insert("DeletedBox", QVariantList{deletedSent});
        list.insert("ImportantBox", QVariantList{importantDraft});
        return true;
    }, std::nullopt, 1000));
    ASSERT_TRUE(setSms({{QStringLiteral("SimCapacity"), 20}}));
    for (const SmsCopyRequest &copy : {SmsCopyRequest{0, 4, 0, 1}, SmsCopyRequest{0, 5, 0, 1}}) {
        mark = request(smsmsg::kMinorCopy, copy.encode());
        answer = waitSms(smsmsg::kMinorCopy, mark);
        ASSERT_GE(answer, 0);
        EXPECT_EQ(at(answer).result, 0) << copy.sourceBox;
    }
    EXPECT_EQ(texts(kSmsListSimFileName, "OutBox"), QStringList{"once sent"});
    EXPECT_EQ(texts(kSmsListSimFileName, "InBox"), QStringList{"copy me"});
    const QVariantList simDraftsNow = box(kSmsListSimFileName, "DraftBox");
    ASSERT_EQ(simDraftsNow.size(), 2);
    const QVariantMap copiedDraft = simDraftsNow.at(1).toMap();
    EXPECT_EQ(model().getMessageValueWithMessage(copiedDraft, "messagetext").toString(), QStringLiteral("kept draft"));
    EXPECT_EQ(model().getMessageValueWithMessage(copiedDraft, "stat").toInt(), int(kMessageDraft));
    EXPECT_EQ(model().getMessageValueWithMessage(copiedDraft, "box").toInt(), int(kBoxDraftBox));
}

TEST_F(SmsBrannocTest, DeletesOneByOneHoldANewMessageBackUntilTheyAreDone)
{
    start();
    QVariantList five;
    for (int i = 0; i < 5; ++i)
        five << QVariantMap{{"Number", "+4917010"}, {"Text", QStringLiteral("m%1").arg(i)}};
    int mark = client->size();
    ASSERT_TRUE(setSms({{QStringLiteral("SimMessages"), five}}));
    ASSERT_GE(waitSms(smsmsg::kMinorCapacity, mark), 0);
    ASSERT_EQ(texts(kSmsListSimFileName, "InBox"), (QStringList{"m0", "m1", "m2", "m3", "m4"}));

    // The dashboard deletes 4, 2, 0, each request sent on the previous answer; a message arrives
    // after the first answer.
    int lastAnswer = -1;
    int delivered = -1;
    for (int index : {4, 2, 0}) {
        mark = request(smsmsg::kMinorDelete, SmsDeleteRequest{1, 0, index}.encode());
        lastAnswer = waitSms(smsmsg::kMinorDelete, mark);
        ASSERT_GE(lastAnswer, 0);
        EXPECT_EQ(at(lastAnswer).result, 0);
        if (index == 4) {
            delivered = client->size();
            ASSERT_EQ(client->control("DeliverText", {"+4917055", "late"}).type(), QDBusMessage::ReplyMessage);
        }
    }
    EXPECT_LT(waitSms(smsmsg::kMinorNewSms, delivered, 0), 0) << "landed while the deletes ran";
    const int landed = waitSms(smsmsg::kMinorNewSms, delivered);
    ASSERT_GE(landed, 0);
    EXPECT_GT(landed, lastAnswer);
    EXPECT_GE(timeOf(landed) - timeOf(lastAnswer), 800);
    EXPECT_EQ(texts(kSmsListSimFileName, "InBox"), (QStringList{"late", "m1", "m3"}));
    // Each message read through the model tells its place as its stored index.
    const QList<YOVMessage> messages = model().yovMessageModelProtocolArrayWithSMSFileStrutArray(box(kSmsListSimFileName, "InBox"));
    for (int i = 0; i < messages.size(); ++i)
        EXPECT_EQ(messages.at(i)->getMessageStoredIndex().toInt(), i);
}

TEST_F(SmsBrannocTest, SettingsRestoreAndLoopback)
{
    start();
    // The centre: exactly 32 bytes; set, then read back.
    int mark = request(smsmsg::kMinorCentre, {}, 0, 3);
    int answer = waitSms(smsmsg::kMinorCentre, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).dataLength, 32);
    EXPECT_EQ(at(answer).type, 1);
    EXPECT_EQ(decodeSmsCentre(payload(answer)), QStringLiteral("+491709999000"));
    mark = request(smsmsg::kMinorSetCentre, *encodeSmsCentre("+49170111"));
    ASSERT_GE(waitSms(smsmsg::kMinorSetCentre, mark), 0);
    mark = request(smsmsg::kMinorCentre);
    EXPECT_EQ(decodeSmsCentre(payload(waitSms(smsmsg::kMinorCentre, mark))), QStringLiteral("+49170111"));

    // The store code: exactly 4 bytes; a code that names no store is refused and the old one kept;
    // 0 (the settings page's default store) is taken.
    for (const auto &[code, result, stored] :
         {std::tuple{3, 0, 3}, std::tuple{7, -1, 3}, std::tuple{0, 0, 0}, std::tuple{1, 0, 1}}) {
        mark = request(smsmsg::kMinorStoreCode, encodeSmsInt32(code), 0, 3);
        answer = waitSms(smsmsg::kMinorStoreCode, mark);
        ASSERT_GE(answer, 0);
        EXPECT_EQ(at(answer).dataLength, 4);
        EXPECT_EQ(at(answer).result, result);
        EXPECT_EQ(decodeSmsInt32(payload(answer)), stored);
    }
    // Routing: 768/108, then 768/107 with the routing.
    mark = request(smsmsg::kMinorSetRouting, encodeSmsInt32(2), 0, 3);
    const int routing = waitSms(smsmsg::kMinorRouting, mark);
    ASSERT_GE(routing, 0);
    EXPECT_EQ(smsIds(mark), (QStringList{"108", "107"}));
    EXPECT_EQ(decodeSmsInt32(payload(routing)), 2);

    // Restore from a backup file: the phonebook, then inbox, outbox and drafts.
    const QVariantMap restoredInbox{{"concatSmsFlag", false},
                                    {"concatSmsInfo", QVariantMap{{"mobilephone", "+4917066"}, {"stat", 1}}},
                                    {"smsInfo", QVariantMap{{"messagetext", "from the backup"}, {"stat", 1}}}};
    const QVariantMap restoredDraft{{"mobilephone", "+4917066"}, {"messagetext", "draft"}, {"stat", ""}};
    const QString backup = modemList.filePath("backup.plist");
    ASSERT_TRUE(PlistBridge::writeFile(backup, QVariantList{QVariantList(), QVariantList{restoredInbox}, QVariantList(),
                                                           QVariantList{restoredDraft}}));
    mark = request(smsmsg::kMinorRestore, *encodeSmsRestorePath(backup));
    answer = client->waitFor([](const UI_MSG &m) { return m.minorID == smsmsg::kMinorRestore && m.type == 1; }, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    EXPECT_EQ(at(waitSms(smsmsg::kMinorRestore, mark)).type, 2); // the progress answer first
    EXPECT_EQ(box(kSmsListPcFileName, "InBox"), QVariantList{restoredInbox});
    EXPECT_EQ(box(kSmsListPcFileName, "DraftBox"), QVariantList{restoredDraft});
    EXPECT_TRUE(box(kSmsListPcFileName, "OutBox").isEmpty());
    // A file that is no SMS backup restores nothing and says so; above all a phonebook-only
    // export (one element) never empties the computer's boxes.
    const QByteArray pcBefore = fileBytes(path(kSmsListPcFileName));
    const struct {
        const char *what;
        QVariant content;
    } refused[] = {
        {"no array", QVariantMap{{"InBox", QVariantList()}}},
        {"phonebook only", QVariantList{QVariantList()}},
        {"a box that is no list", QVariantList{QVariantList(), QVariantList(), QStringLiteral("x"), QVariantList()}},
        {"one element too many", QVariantList{QVariantList(), QVariantList(), QVariantList(), QVariantList(), QVariantList()}},
    };
    for (const auto &r : refused) {
        SCOPED_TRACE(r.what);
        ASSERT_TRUE(PlistBridge::writeFile(backup, r.content));
        mark = request(smsmsg::kMinorRestore, *encodeSmsRestorePath(backup));
        answer = client->waitFor([](const UI_MSG &m) { return m.minorID == smsmsg::kMinorRestore && m.type == 1; }, mark);
        ASSERT_GE(answer, 0);
        EXPECT_EQ(at(answer).result, 1);
        EXPECT_EQ(fileBytes(path(kSmsListPcFileName)), pcBefore);
    }
    // With a configured box order the elements follow it; the reports' element is not a box here.
    writeSettings({{"SMS", QVariantMap{{"boxOrder", QVariantMap{{"InBox", 0}, {"DELIVERY_REPORTBOX", 1}, {"ImportantBox", 2}}}}}});
    ASSERT_TRUE(PlistBridge::writeFile(backup, QVariantList{QVariantList(), QVariantList(), QVariantList{QVariantMap()},
                                                           QVariantList{restoredInbox}}));
    mark = request(smsmsg::kMinorRestore, *encodeSmsRestorePath(backup));
    answer = client->waitFor([](const UI_MSG &m) { return m.minorID == smsmsg::kMinorRestore && m.type == 1; }, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    EXPECT_TRUE(box(kSmsListPcFileName, "InBox").isEmpty());
    EXPECT_EQ(box(kSmsListPcFileName, "ImportantBox"), QVariantList{restoredInbox});
    EXPECT_EQ(box(kSmsListPcFileName, "DraftBox"), QVariantList{restoredDraft}) << "a box not in the order is kept";
    EXPECT_FALSE(readSmsListFile(path(kSmsListPcFileName)).value_or(QVariantMap()).contains("DELIVERY_REPORTBOX"));
    // An order with a gap and a repeat: each box once, ascending, ties by name (the layout the
    // dashboard's backup has), so no box is skipped or read twice.
    writeSettings({{"SMS", QVariantMap{{"boxOrder", QVariantMap{{"OutBox", 3}, {"InBox", 5}, {"DraftBox", 3}}}}}});
    const QVariantMap draftTwo{{"mobilephone", "+4917077"}, {"messagetext", "second draft"}, {"stat", ""}};
    const QVariantMap outgoing{{"mobilephone", "+4917088"}, {"messagetext", "sent"}, {"stat", ""}};
    ASSERT_TRUE(PlistBridge::writeFile(backup, QVariantList{QVariantList(), QVariantList{draftTwo}, QVariantList{outgoing},
                                                           QVariantList{restoredInbox}}));
    mark = request(smsmsg::kMinorRestore, *encodeSmsRestorePath(backup));
    answer = client->waitFor([](const UI_MSG &m) { return m.minorID == smsmsg::kMinorRestore && m.type == 1; }, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    EXPECT_EQ(box(kSmsListPcFileName, "DraftBox"), QVariantList{draftTwo});
    EXPECT_EQ(box(kSmsListPcFileName, "OutBox"), QVariantList{outgoing});
    EXPECT_EQ(box(kSmsListPcFileName, "InBox"), QVariantList{restoredInbox});
    writeSettings({});

    // A message to the own number comes back, then its report.
    SmsSendRequest send;
    send.recipient = kOwnNumber;
    send.text = QStringLiteral("note to self \u00e9");
    send.reportWanted = true;
    mark = request(smsmsg::kMinorSend, *send.encode());
    const int sent = waitSms(smsmsg::kMinorSend, mark);
    const int back = waitSms(smsmsg::kMinorNewSms, mark);
    const int report = waitSms(smsmsg::kMinorStatusReport, mark);
    ASSERT_GE(sent, 0);
    ASSERT_GE(back, 0);
    ASSERT_GE(report, 0);
    EXPECT_LT(sent, back);
    EXPECT_LT(back, report);
    const auto m = MSG_REV_NEW_SMS_RES_PARA_T::decode(payload(back));
    EXPECT_EQ(m.sender, kOwnNumber);
    EXPECT_EQ(m.text, send.text);
    EXPECT_EQ(SmsStatusReport::decode(payload(report)).result, SmsStatusReport::kDelivered);
    EXPECT_EQ(texts(kSmsListSimFileName, "InBox").at(0), send.text);
}

TEST_F(SmsBrannocTest, LockedComputerFileHoldsADeliveryAndBadPdusChangeNothing)
{
    start();
    ASSERT_TRUE(setSms({{QStringLiteral("StoreCode"), kSmsStorePc}}));
    const QString pcPath = path(kSmsListPcFileName);
    const QByteArray before = fileBytes(pcPath);
    int mark = client->size();
    {
        SmsListFileLock other(pcPath); // another writer of the file, in this process
        ASSERT_TRUE(other.tryLock());
        ASSERT_EQ(client->control("DeliverText", {"+4917044", "waited"}).type(), QDBusMessage::ReplyMessage);
        QElapsedTimer held;
        held.start();
        while (held.elapsed() < 700) {
            QTest::qWait(50);
            EXPECT_EQ(fileBytes(pcPath), before);
        }
        EXPECT_LT(waitSms(smsmsg::kMinorNewSms, mark, 0), 0);
    }
    const int landed = waitSms(smsmsg::kMinorNewSms, mark);
    ASSERT_GE(landed, 0);
    EXPECT_EQ(MSG_REV_NEW_SMS_RES_PARA_T::decode(payload(landed)).storage, kSmsStoredPc);
    EXPECT_EQ(texts(kSmsListPcFileName, "InBox"), QStringList{"waited"});

    // PDUs the codec refuses: an error reply with the reason; nothing stored, nothing pushed.
    const QByteArray pcNow = fileBytes(pcPath);
    const QByteArray simNow = fileBytes(path(kSmsListSimFileName));
    mark = client->size();
    for (const auto &[kind, hex] : {std::pair{"deliver", "07911326040000F0040B91"}, std::pair{"status", "0006ZZ"},
                                    std::pair{"broadcast", "0010"}, std::pair{"telegram", "00"}}) {
        const QDBusMessage reply = client->control("DeliverPdu", {kind, hex});
        EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage) << kind;
        EXPECT_FALSE(reply.errorMessage().isEmpty()) << kind;
    }
    const int centre = waitSms(smsmsg::kMinorCentre, request(smsmsg::kMinorCentre));
    ASSERT_GE(centre, 0);
    EXPECT_EQ(smsIds(mark), QStringList{"109"});
    EXPECT_EQ(fileBytes(pcPath), pcNow);
    EXPECT_EQ(fileBytes(path(kSmsListSimFileName)), simNow);
}

TEST_F(SmsBrannocTest, ClassZeroStatusReportsAndBroadcastsAreReportedNotStored)
{
    start();
    const QByteArray simBefore = fileBytes(path(kSmsListSimFileName));
    const struct {
        const char *kind;
        const char *hex;
        std::uint16_t minor;
        int type;
        std::function<void(const PayloadReader &)> check;
    } cases[] = {
        // DCS 0x10: class 0, "Hi" from +31641600986.
        {"deliver", "07911326040000F0040B911346610089F600102080629173140802C834", smsmsg::kMinorClass0, 0,
         [](const PayloadReader &p) {
             const SmsClass0Report c = SmsClass0Report::decode(p);
             EXPECT_EQ(c.text, QStringLiteral("Hi"));
             EXPECT_EQ(c.sender, QStringLiteral("+31641600986"));
         }},
        // TP-ST 0x00: delivered.
        {"status", "07911326040000F0062A0B911346610089F6208062917314082080629173240800", smsmsg::kMinorStatusReport, 0,
         [](const PayloadReader &p) {
             const SmsStatusReport s = SmsStatusReport::decode(p);
             EXPECT_EQ(s.result, SmsStatusReport::kDelivered);
             EXPECT_EQ(s.recipient, QStringLiteral("+31641600986"));
             EXPECT_EQ(s.timeStamp, QStringLiteral("20806291731408")); // as the PDU holds it
         }},
        // Message identifier 0x1234.
        {"broadcast", "001012340F1141801000000000000000", smsmsg::kMinorBroadcast, 1,
         [](const PayloadReader &p) { EXPECT_EQ(SmsBroadcastReport::decode(p).originator, QStringLiteral("4660")); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        const int mark = client->size();
        ASSERT_EQ(client->control("DeliverPdu", {c.kind, c.hex}).type(), QDBusMessage::ReplyMessage);
        const int i = waitSms(c.minor, mark);
        ASSERT_GE(i, 0);
        EXPECT_EQ(at(i).type, c.type);
        EXPECT_EQ(at(i).result, 0);
        c.check(payload(i));
    }
    EXPECT_EQ(fileBytes(path(kSmsListSimFileName)), simBefore);
}

TEST_F(SmsBrannocTest, MemoryCardStoreAndHeldAnswers)
{
    QTemporaryDir card;
    ASSERT_TRUE(card.isValid());
    qputenv("OSTREL_TCARD", QFile::encodeName(card.path()));
    start();
    const QString cardList = tcardSmsListPath(card.path());

    // Reload: the card's list is read (none yet is an empty one); new messages go to the card.
    int mark = request(smsmsg::kMinorReloadTcard);
    int answer = waitSms(smsmsg::kMinorReloadTcard, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    ASSERT_TRUE(setSms({{QStringLiteral("StoreCode"), kSmsStoreTcard}}));
    mark = client->size();
    ASSERT_EQ(client->control("DeliverText", {"+4917022", "on the card"}).type(), QDBusMessage::ReplyMessage);
    const int landed = waitSms(smsmsg::kMinorNewSms, mark);
    ASSERT_GE(landed, 0);
    EXPECT_EQ(MSG_REV_NEW_SMS_RES_PARA_T::decode(payload(landed)).storage, kSmsStoredTcard);
    const QVariantList inbox = readSmsListFile(cardList).value_or(QVariantMap()).value("InBox").toList();
    ASSERT_EQ(inbox.size(), 1);
    EXPECT_EQ(model().getMessageValueWithMessage(inbox.at(0).toMap(), "messagetext").toString(), "on the card");

    // Delete on the card, then the synchronisation writes the list back whole.
    mark = request(smsmsg::kMinorDelete, SmsDeleteRequest{3, 0, 0}.encode());
    answer = waitSms(smsmsg::kMinorDelete, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    mark = request(smsmsg::kMinorSyncTcard);
    answer = waitSms(smsmsg::kMinorSyncTcard, mark);
    ASSERT_GE(answer, 0);
    EXPECT_EQ(at(answer).result, 0);
    EXPECT_EQ(readSmsListFile(cardList).value_or(QVariantMap()), emptySmsList(kPositionTcard));

    // An answer held back follows, in its place, once its minor is let go.
    ASSERT_TRUE(setSms({{QStringLiteral("HoldAnswers"), QVariantList{int(smsmsg::kMinorCentre)}}}));
    mark = request(smsmsg::kMinorCentre);
    const int storeCode = waitSms(smsmsg::kMinorStoreCode, request(smsmsg::kMinorStoreCode, encodeSmsInt32(1)));
    ASSERT_GE(storeCode, 0);
    EXPECT_EQ(smsIds(mark), QStringList{"96"});
    EXPECT_EQ(client->modemState("Sms").value("HeldAnswers").toInt(), 1);
    ASSERT_TRUE(setSms({{QStringLiteral("HoldAnswers"), QVariantList()}}));
    ASSERT_GE(waitSms(smsmsg::kMinorCentre, storeCode), 0);
}
