#pragma once
// The SMS side of the simulated modem: SIM and device-memory stores, the computer's and the memory
// card's list files, sending, receiving and the SMS settings (records of major 768,
// common/records/sms/SmsRecords.h). Answers to requests carry module 5 and type 1; the device's own
// records carry module 1 and type 0, or type 1 where the dashboard reads them only so (capacity
// 768/97, broadcast 768/105).
//
// State (Modem/Sms):
//   SimCapacity (20), MeCapacity (50)   places of the SIM and the device memory (a part takes one)
//   SimMessages, MeMessages             the stored messages at start: arrays of {Box ("InBox",
//                                       "OutBox", "DraftBox"), Number, Text, Stat (InBox 1, OutBox 3,
//                                       DraftBox 2), Date}; a long text is stored in parts
//   StoreCode (1)                       where new messages go: 1 SIM, 2 computer, 3 device memory,
//                                       4 memory card, 0 the device's default, the SIM (768/96)
//   SmsCentre ("+491709999000")         the SMS centre (768/95, 768/109)
//   Routing (0)                         the SMS routing (768/106, 768/107)
//   SendOutcomes ([])                   outcomes of the next parts sent, in order (0 failed, else
//                                       sent); each is used once, parts beyond them are sent
//   FailNextDelete, FailNextCopy (NO)   the next 768/91 or 768/92 fails (once)
//   RefuseCentre (NO)                   768/95 sets are answered with result -1; the centre stays
//   HoldAnswers ([])                    minors whose answers are held back; they follow in order
//                                       once their minor leaves the list
// Live values in ModemState: SimUsed, MeUsed, HeldAnswers (count).
// The own number is Modem/Sim OwnNumber; the memory card is the folder OSTREL_TCARD names (none
// when unset). The ModemList folder's settings.plist is read (never written) when a request needs
// it: SMSNationalIdentifier, isNeedUcs2EncodingForSingleCharacter, SMS/isSaveDraftSMSToSIM,
// SMS/boxOrder and SMS/isHaveDeliveryReportBox (the layout of a backup file).
//
// Files: on SimReady "SmsList_Sim.plist" and "SmsList_ME.plist" are written and "SmsList_PC.plist"
// created when missing, then 768/97 and 768/94 (state 1) are pushed. After every store change:
// the file first, then 768/94 (state 2) and, for the SIM and the device memory, 768/97. Changes
// of the computer's and the card's files are read-modify-writes under the list-file lock, which
// is awaited at most 5 s without blocking the modem (a time-out is a failed write).
//
// A new message waits while a 768/91, 768/92 or 768/102 naming its store was answered less than
// 1 s ago, so that the indexes the dashboard works with stay stable; then it lands and its
// 768/100 follows. "InBox" takes new and copied messages at its front (index 0 is the newest);
// the other boxes append.

#include "brannoc/ModemArea.h"
#include "brannoc/SmsEntries.h"
#include "brannoc/SmsPdu.h"

#include "common/records/sms/SmsRecords.h"
#include "common/sms/SmsCodecOptions.h"

#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QTimer>

#include <deque>
#include <functional>
#include <map>
#include <optional>

namespace brannoc {

class SmsArea final : public ModemArea {
public:
    // How long a new message waits behind a delete, copy or read of its store.
    static constexpr int kQuietMs = 1000;
    // How often a write that waits for the list-file lock tries again.
    static constexpr int kLockRetryMs = 25;

    SmsArea();

    QString name() const override { return QStringLiteral("Sms"); }
    void load(const QVariantMap &state) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;
    void onEvent(ModemEvent event, ModemContext &context) override;
    QStringList stateKeys() const override;
    QVariantMap state() const override;

    // Test control: a PDU arrives. kind "deliver", "recharge", "status" or "broadcast". false, with
    // the reason, when the codec refuses it (nothing is stored or pushed).
    bool deliverPdu(const QString &kind, const QString &hex, QString *error);
    // Test control: a text arrives from sender as SMS-DELIVER PDUs built by the codec.
    bool deliverText(const QString &sender, const QString &text, QString *error);

protected:
    void changed(const QVariantMap &previous, ModemContext &context) override;

private:
    // One piece of work on the stores. It runs once every PC or card file among positions() is
    // locked (or, after kWaitMs, with locked false) and, for a new message, once waitMs() is 0.
    struct Job {
        std::function<QList<int>()> positions;
        std::function<qint64()> waitMs;
        std::function<void(bool locked)> run;
        QElapsedTimer lockWait;
    };
    using JobQueue = std::deque<Job>;

    // A part of a message that arrived, decoded.
    struct IncomingPart {
        SmsStoredPart part;
        bool concatenated = false;
        int concatKey = 0;
        yov::MSG_REV_NEW_SMS_RES_PARA_T record;
        bool recharge = false;
        bool messageClass0 = false;
    };

    // Settings and codec options, read anew from settings.plist.
    QVariantMap settings() const;
    yov::sms::SmsCodecOptions codecOptions() const;
    QString ownNumber() const;
    QString imsi() const;
    QString tcardVolume() const;
    QString listPath(int position) const;
    // Where new messages go by the store code (the SIM for a code that names no position).
    int storePosition() const;
    // Where a new or sent message of that many parts is stored: the store location, else the
    // computer when the memory card is missing or the SIM or device memory has no room for it.
    int landingPosition(int places) const;

    // Stores.
    void resetStores();
    QVariantMap storedList(const QVariantMap &messagesState, const char *key, int position);
    int capacity(int position) const;
    int used(int position) const;
    std::optional<QVariantMap> readStore(int position, QString *error) const;
    // Changes one store; for the PC and the card the caller holds the file's lock.
    bool changeStore(int position, const std::function<bool(QVariantMap &)> &change, QString *error);
    void writeDeviceFiles();
    void announce(int position);
    // After a store change was tried: announced when it was made, else logged with what failed.
    void settle(int position, bool changed, const char *what, const QString &why);
    void pushCapacity();
    void pushListState(std::int32_t state);

    // Answers and reports.
    void answer(std::uint16_t minor, std::int8_t result, const QByteArray &payload = {},
                std::int32_t type = yov::kSmsTypeAnswer);
    // The device's own records: module 1, type 0 unless the record is read as an answer.
    void report(std::uint16_t minor, const QByteArray &payload, std::int32_t type = yov::kSmsTypeReport);
    void releaseHeldAnswers();

    // Jobs.
    void enqueue(JobQueue &queue, Job job);
    void pump();
    qint64 runQueue(JobQueue &queue);
    void touch(int position);
    qint64 quietWait(int position) const;

    // Requests (SmsAreaRequests.cpp). locked: the job holds the locks of the shared files it
    // writes; without them those files are not written and the request fails.
    void send(const yov::SmsSendRequest &request, bool locked);
    void removeMessage(const yov::SmsDeleteRequest &request, bool locked);
    void copyMessage(const yov::SmsCopyRequest &request, bool locked);
    int draftPosition(const yov::SmsDraftRequest &request) const;
    void storeDraft(const yov::SmsDraftRequest &request, bool locked);
    void markRead(const yov::SmsReadRequest &request, bool locked);
    void restore(const QString &path, bool locked);
    // The computer boxes a backup file restores, by the settings' box order; nullopt (with the
    // reason) when the file is no SMS backup.
    std::optional<QList<QPair<QString, QVariantList>>> backupBoxes(const QVariantList &backup, QString *error) const;
    void freeSimPlace();
    void syncTcard(bool rewrite, bool locked);
    void setting(const yov::UI_MSG &request);
    bool mayWrite(int position, bool locked, QString *error) const;
    int nextOutcome();
    QString centre() const;
    // The parts of a text as SMS-SUBMIT PDUs to recipient ("pdu" empty where the codec refuses).
    QList<SmsStoredPart> submitParts(const QString &text, const QString &recipient, const QString &centre,
                                     std::uint8_t validity, bool report, std::uint8_t reference, int stat, int box);
    // A device (SIM or device-memory) draft: a regular entry of SMS-SUBMIT parts, "stat" 2, with the
    // recipients as typed.
    QVariantMap deviceDraftEntry(const QString &text, const QString &recipients, const QString &centre,
                                 std::uint8_t validity, bool report);
    // The box of the SIM or the device memory that a copied entry goes to.
    static int deviceBoxOfCopy(const QVariantMap &entry, int sourceBox);
    // Adds an entry to a box: "InBox" takes it at its front, the others at their end.
    static void addEntry(QVariantMap &list, int box, const QVariantMap &entry);

    // Arriving messages (SmsAreaDelivery.cpp).
    std::optional<IncomingPart> decodeDeliver(const QString &hex, QString *error) const;
    void receive(const IncomingPart &incoming);
    int targetOf(const IncomingPart &incoming) const;
    void landPart(IncomingPart incoming, int position, bool locked);
    QList<SmsStoredPart> scenarioParts(const QVariantMap &message, int position);
    void loopBack(const QString &text, const QString &centre, bool reportWanted);

    QVariantMap sim_;
    QVariantMap me_;
    JobQueue requests_;
    JobQueue deliveries_;
    QTimer pumpTimer_;
    QElapsedTimer clock_;
    std::map<int, qint64> touchedAtMs_;
    QList<yov::UI_MSG> held_;
    std::uint8_t nextReference_ = 1;
    bool simReady_ = false;
    bool pumping_ = false;
};

} // namespace brannoc
