#pragma once
// Payload records of the SMS link (major 768), carried in the data field of a UI_MSG.
//
// Shared by the dashboard (which hands over whole texts, numbers and storage coordinates and reads
// the answers and reports) and the stand-in device service (which splits, encodes, stores and lists
// the messages). Every record is little-endian with its fields at fixed offsets, built zero-filled;
// a char[n] field holds at most n - 1 bytes and a zero; a UTF-16 text field holds its units without
// terminator, with its length in a field of its own.
//
// Readers never go past the bytes a record carries (yov::PayloadReader) and are bounded by their
// record whatever its length fields say: a part count is clamped to 0..15, a class-0 text to 1024
// units, a new-SMS text to 161, a character field is read within its width, terminated or not.
//
// Builders refuse what does not fit instead of cutting it: encode() then logs the reason, hands it
// to the caller and returns nothing, so that a recipient, a text or an SMS centre is never sent
// shortened.

#include "common/records/Payload.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace yov {

// ---------------------------------------------------------------------------------------------
// Message IDs of the SMS records.

namespace smsmsg {
inline constexpr std::uint16_t kMajor = 768;
inline constexpr std::uint16_t kMinorSend = 90;           // SmsSendRequest; answer SmsSendResult
inline constexpr std::uint16_t kMinorDelete = 91;         // SmsDeleteRequest; answer: result byte
inline constexpr std::uint16_t kMinorCopy = 92;           // SmsCopyRequest; answer: result byte
inline constexpr std::uint16_t kMinorDraft = 93;          // SmsDraftRequest; answer: type 1
inline constexpr std::uint16_t kMinorListState = 94;      // SmsListState
inline constexpr std::uint16_t kMinorSetCentre = 95;      // char[32] SMS centre
inline constexpr std::uint16_t kMinorStoreCode = 96;      // int32 store code, both ways
inline constexpr std::uint16_t kMinorCapacity = 97;       // SmsCapacity
inline constexpr std::uint16_t kMinorClass0 = 98;         // SmsClass0Report
inline constexpr std::uint16_t kMinorStatusReport = 99;   // SmsStatusReport
inline constexpr std::uint16_t kMinorNewSms = 100;        // MSG_REV_NEW_SMS_RES_PARA_T
inline constexpr std::uint16_t kMinorRechargeSms = 101;   // MSG_REV_NEW_SMS_RES_PARA_T
inline constexpr std::uint16_t kMinorRead = 102;          // SmsReadRequest
inline constexpr std::uint16_t kMinorRestore = 103;       // char[128] backup path; answer type 2, then 1
inline constexpr std::uint16_t kMinorBroadcast = 105;     // SmsBroadcastReport
inline constexpr std::uint16_t kMinorSetRouting = 106;    // int32 routing
inline constexpr std::uint16_t kMinorRouting = 107;       // int32 routing
inline constexpr std::uint16_t kMinorRoutingResult = 108; // result byte
inline constexpr std::uint16_t kMinorCentre = 109;        // no data; answer char[32]
inline constexpr std::uint16_t kMinorNationalChanged = 110; // no data
inline constexpr std::uint16_t kMinorAutoDelete = 111;    // no data, type 1
inline constexpr std::uint16_t kMinorSendProgress = 112;  // SmsSendProgress
inline constexpr std::uint16_t kMinorReloadTcard = 113;   // no data
inline constexpr std::uint16_t kMinorSyncTcard = 114;     // no data
} // namespace smsmsg

// ---------------------------------------------------------------------------------------------
// Type rule of the SMS link: answers to a request carry type 1, the device's own reports type 0;
// a handler ignores a record of the other type. A few records are read whatever their type.

inline constexpr std::int32_t kSmsTypeReport = 0;
inline constexpr std::int32_t kSmsTypeAnswer = 1;
inline constexpr std::int32_t kSmsTypeProgress = 2; // restore under way (768/103)

// The type a handler of that minor reads; nullopt when it reads any type.
std::optional<std::int32_t> smsExpectedType(std::uint16_t minor);
// Whether a received 768 record of that minor and type is one its handler reads.
bool smsTypeAccepted(std::uint16_t minor, std::int32_t type);

// ---------------------------------------------------------------------------------------------
// Store codes (768/96): where the device service stores new messages.

enum SmsStoreCode : std::int32_t {
    kSmsStoreNone = 0,
    kSmsStoreSim = 1,
    kSmsStorePc = 2,
    kSmsStoreMe = 3,
    kSmsStoreTcard = 4,
};

// Storage position (0 computer, 1 SIM, 3 memory card, 4 device memory) to store code; 0 for any
// other position.
std::int32_t smsStoreCodeOfPosition(int position);
// Store code back to the storage position; -1 for a code that names none.
int smsPositionOfStoreCode(std::int32_t code);

// Where a new message was stored, as the new-SMS record tells it (offset 0).
enum SmsStorageCode : std::int32_t {
    kSmsStoredPc = 0,
    kSmsStoredSim = 1,
    kSmsStoredPcSimFull = 2, // on the computer because it did not fit the SIM
    kSmsStoredTcard = 3,
    kSmsStoredMe = 4,        // the device memory's position code
};

// ---------------------------------------------------------------------------------------------
// 768/90: one SMS to one recipient, 6488 bytes.

struct SmsSendRequest {
    static constexpr int kSize = 6488;
    static constexpr int kOffCentre = 0, kLenCentre = 32;
    static constexpr int kOffReport = 32;
    static constexpr int kOffValidity = 36;
    static constexpr int kOffText = 40, kMaxTextUnits = 3200;
    static constexpr int kOffTextLength = 6440;
    static constexpr int kOffRecipient = 6444, kLenRecipient = 41;
    static constexpr int kOffReference = 6485;
    static constexpr int kOffSave = 6486;
    static constexpr int kOffNoResult = 6487;

    QString centre;
    bool reportWanted = false;
    std::int32_t validity = 0;
    QString text;
    QString recipient;
    std::uint8_t reference = 0;
    bool saveInBox = false;
    bool noResultWanted = false;

    // Refuses a centre over 31 bytes, a text over 3200 units or a recipient over 40 bytes.
    std::optional<QByteArray> encode(QString *error = nullptr) const;
    static SmsSendRequest decode(const PayloadReader &payload);

    bool operator==(const SmsSendRequest &) const = default;
};

// 768/90 answer: one outcome per part (non-zero: sent), 64 bytes.
struct SmsSendResult {
    static constexpr int kSize = 64;
    static constexpr int kMaxParts = 15;
    static constexpr int kOffOutcomes = 0;
    static constexpr int kOffPartCount = 60;

    std::array<std::int32_t, kMaxParts> outcomes{};
    // The leading entries of outcomes that count; the reader clamps it to 0..15.
    std::int32_t partCount = 0;

    int sentParts() const;
    int failedParts() const;

    QByteArray encode() const;
    static SmsSendResult decode(const PayloadReader &payload);

    bool operator==(const SmsSendResult &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 768/91 delete (12 bytes), 768/92 copy (16 bytes), 768/102 read (8 bytes).

struct SmsDeleteRequest {
    static constexpr int kSize = 12;
    std::int32_t position = 0;
    std::int32_t box = 0;
    std::int32_t index = 0;

    QByteArray encode() const;
    static SmsDeleteRequest decode(const PayloadReader &payload);
    bool operator==(const SmsDeleteRequest &) const = default;
};

struct SmsCopyRequest {
    static constexpr int kSize = 16;
    std::int32_t sourcePosition = 0;
    std::int32_t sourceBox = 0;
    std::int32_t sourceIndex = 0;
    std::int32_t destinationPosition = 0;

    QByteArray encode() const;
    static SmsCopyRequest decode(const PayloadReader &payload);
    bool operator==(const SmsCopyRequest &) const = default;
};

struct SmsReadRequest {
    static constexpr int kSize = 8;
    std::int32_t position = 0;
    std::int32_t index = 0;

    QByteArray encode() const;
    static SmsReadRequest decode(const PayloadReader &payload);
    bool operator==(const SmsReadRequest &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 768/93: a draft, 7744 bytes. The quick form (a draft straight into the computer's drafts) fills
// only the text and the recipients and leaves centre, report and validity zero.

struct SmsDraftRequest {
    static constexpr int kSize = 7744;
    static constexpr int kOffText = 0, kMaxTextUnits = 3200;
    static constexpr int kOffTextLength = 6400;
    static constexpr int kOffRecipients = 6404, kLenRecipients = 1300;
    static constexpr int kOffCentre = 7704, kLenCentre = 32;
    static constexpr int kOffReport = 7736;
    static constexpr int kOffValidity = 7740;

    QString text;
    QString recipients; // as typed: numbers joined by the phone separator
    QString centre;
    std::int32_t reportWanted = 0;
    std::int32_t validity = 0;

    bool isQuickForm() const { return centre.isEmpty() && reportWanted == 0 && validity == 0; }

    // Refuses a text over 3200 units, recipients over 1299 bytes or a centre over 31 bytes.
    std::optional<QByteArray> encode(QString *error = nullptr) const;
    static SmsDraftRequest decode(const PayloadReader &payload);

    bool operator==(const SmsDraftRequest &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 768/94: the lists were (re)written, 516 bytes. State 1: the lists are ready; any other value
// only asks for a reload.

struct SmsListState {
    static constexpr int kSize = 516;
    static constexpr std::int32_t kReady = 1;
    static constexpr std::int32_t kChanged = 2;

    std::int32_t state = kReady;

    QByteArray encode() const;
    static SmsListState decode(const PayloadReader &payload);
    bool operator==(const SmsListState &) const = default;
};

// 768/97 answer: SIM and device-memory capacity and use (counted in stored parts), 16 bytes.
struct SmsCapacity {
    static constexpr int kSize = 16;
    std::int32_t simCapacity = 0;
    std::int32_t simUsed = 0;
    std::int32_t meCapacity = 0;
    std::int32_t meUsed = 0;

    QByteArray encode() const;
    static SmsCapacity decode(const PayloadReader &payload);
    bool operator==(const SmsCapacity &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 768/98: a class-0 (flash) message, 2092 bytes.

struct SmsClass0Report {
    static constexpr int kSize = 2092;
    static constexpr int kOffText = 0, kMaxTextUnits = 1024;
    static constexpr int kOffTextLength = 2048;
    static constexpr int kOffSender = 2052, kLenSender = 40;

    QString text;
    QString sender;

    // Refuses a text over 1024 units; a sender over 39 bytes is cut on a character boundary.
    std::optional<QByteArray> encode(QString *error = nullptr) const;
    static SmsClass0Report decode(const PayloadReader &payload);
    bool operator==(const SmsClass0Report &) const = default;
};

// 768/99: a delivery report, 100 bytes. The time stamp runs from offset 49 to the end of the record.
struct SmsStatusReport {
    static constexpr int kSize = 100;
    static constexpr int kOffResult = 0;
    static constexpr int kOffRecipient = 4, kLenRecipient = 45;
    static constexpr int kOffTimeStamp = 49, kLenTimeStamp = kSize - 49;

    enum Result : std::int32_t { kFailed = 0, kDelivered = 1, kPending = 2 };

    std::int32_t result = kFailed;
    QString recipient;
    QString timeStamp; // semi-octet text (calcTimeStamp)

    QByteArray encode() const;
    static SmsStatusReport decode(const PayloadReader &payload);
    bool operator==(const SmsStatusReport &) const = default;
};

// The delivery result of a status report's TP-ST: below 0x20 delivered, below 0x40 still pending,
// anything else failed.
std::int32_t smsDeliveryResultOfStatus(std::uint8_t tpStatus);

// ---------------------------------------------------------------------------------------------
// 768/100 and 768/101: one part of a new message, 436 bytes.

struct MSG_REV_NEW_SMS_RES_PARA_T {
    static constexpr int kSize = 436;
    static constexpr int kOffStorage = 0;
    static constexpr int kOffSender = 4, kLenSender = 45;
    static constexpr int kOffTimeStamp = 49, kLenTimeStamp = 50;
    static constexpr int kOffText = 100, kMaxTextUnits = 161;
    static constexpr int kOffTextLength = 424;
    static constexpr int kOffReference8 = 428;
    static constexpr int kOffTotal = 429;
    static constexpr int kOffPart = 430;
    static constexpr int kOffConcatenated = 431;
    static constexpr int kOffElementId = 432;
    static constexpr int kOffReference16 = 434;
    // The concatenation element with a 16-bit reference (3GPP TS 23.040).
    static constexpr std::uint8_t kElement16BitReference = 8;

    std::int32_t storage = kSmsStoredPc; // SmsStorageCode
    QString sender;
    QString timeStamp; // semi-octet text, PDU order
    QString text;
    std::uint8_t reference8 = 0;
    std::uint8_t total = 0;
    std::uint8_t part = 0;
    bool concatenated = false;
    std::uint8_t elementId = 0;
    std::uint16_t reference16 = 0;

    // The reference the parts of one message share: the 16-bit one when the element id is 8, else
    // the 8-bit one.
    int concatKey() const;

    // Refuses a text over 161 units; sender and time stamp are cut to their fields.
    std::optional<QByteArray> encode(QString *error = nullptr) const;
    static MSG_REV_NEW_SMS_RES_PARA_T decode(const PayloadReader &payload);
    bool operator==(const MSG_REV_NEW_SMS_RES_PARA_T &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 768/105 answer: a cell-broadcast page, 336 bytes; read only as type 1 with result 0. Bytes 0 to
// 35 are the device's own and stay zero here.

struct SmsBroadcastReport {
    static constexpr int kSize = 336;
    static constexpr int kOffOriginator = 36;
    static constexpr int kOffText = 115;

    QString originator; // the message identifier
    QString text;

    // Both strings end within their room (the originator before the text's offset); longer ones
    // are cut on a character boundary.
    QByteArray encode() const;
    static SmsBroadcastReport decode(const PayloadReader &payload);
    bool operator==(const SmsBroadcastReport &) const = default;
};

// 768/112: which part of which send is under way, 100 bytes: uint8 part being sent (offset 0),
// uint8 total parts (1), the recipient from offset 4 to the end.
struct SmsSendProgress {
    static constexpr int kSize = 100;
    static constexpr int kOffPart = 0;
    static constexpr int kOffTotal = 1;
    static constexpr int kOffRecipient = 4, kLenRecipient = kSize - 4;

    std::uint8_t part = 0;
    std::uint8_t total = 0;
    QString recipient;

    QByteArray encode() const;
    static SmsSendProgress decode(const PayloadReader &payload);
    bool operator==(const SmsSendProgress &) const = default;
};

// ---------------------------------------------------------------------------------------------
// Small payloads: the SMS centre (768/95 request, 768/109 answer: char[32]), the backup path of a
// restore (768/103: char[128]), the routing (768/106, 768/107) and the store code (768/96): int32.

inline constexpr int kSmsCentreSize = 32;
inline constexpr int kSmsRestorePathSize = 128;
inline constexpr int kSmsInt32Size = 4;

// Refuse a centre over 31 bytes and a path over 127 bytes.
std::optional<QByteArray> encodeSmsCentre(const QString &centre, QString *error = nullptr);
QString decodeSmsCentre(const PayloadReader &payload);
std::optional<QByteArray> encodeSmsRestorePath(const QString &path, QString *error = nullptr);
QString decodeSmsRestorePath(const PayloadReader &payload);
QByteArray encodeSmsInt32(std::int32_t value);
std::int32_t decodeSmsInt32(const PayloadReader &payload);

// ---------------------------------------------------------------------------------------------
// The service-centre time stamp of a record (14 semi-octet characters, each octet's digits
// swapped) as a date in its own time zone; an invalid date when the fields give none.
QDateTime calcTimeStamp(const QString &text);

} // namespace yov
