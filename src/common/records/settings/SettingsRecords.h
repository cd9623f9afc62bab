#pragma once
// Payload records of the settings window's requests (module 3), carried in the data field of a
// UI_MSG. Shared by the dashboard, which sends them, and the stand-in device service, which reads
// them. Little-endian, zero-filled, fields at fixed offsets.
#include "common/records/MessageCatalogue.h"
#include "common/records/Payload.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

namespace yov {

namespace settingmsg {
inline constexpr std::uint16_t kMajorDeviceLock = 5;
inline constexpr std::uint16_t kMinorLockSwitch = 28;  // DeviceLockSwitchRequest, 12 bytes
inline constexpr std::uint16_t kMinorCodeChange = 30;  // DeviceLockCodeChange, 10 bytes
inline constexpr std::uint16_t kMajorLockStatus = 8;
inline constexpr std::uint16_t kMinorLockSwitchResult = 26; // result byte only
inline constexpr std::uint16_t kMinorCodeChangeResult = 30; // result byte only
inline constexpr std::uint16_t kMajorUnlockResult = 512;
inline constexpr std::uint16_t kMinorUnlockResult = 164;    // result byte only
} // namespace settingmsg

// True for a user device-lock code: exactly four characters, each an ASCII digit.
bool isDeviceLockCode(const QByteArray &code);

// 5/28: the user device lock on or off: int32 enable at 0 (1 on, 0 off), the four code digits at
// 4 (no terminator), int32 0 at 8.
struct DeviceLockSwitchRequest {
    static constexpr int kSize = 12;

    std::int32_t enable = 0;
    QByteArray code; // four ASCII digits

    QByteArray encode() const;
    static DeviceLockSwitchRequest decode(const PayloadReader &payload);
};

// 5/30: a new code for the lock: the old code at 0 and the new one at 5, each four digits and a
// terminating zero.
struct DeviceLockCodeChange {
    static constexpr int kSize = 10;

    QByteArray oldCode;
    QByteArray newCode;

    QByteArray encode() const;
    static DeviceLockCodeChange decode(const PayloadReader &payload);
};

// --- the SIM's PIN (major 4), sent by the settings window ---------------------------------------
// Codes are the texts' bytes with a terminating zero inside their field.

// 4/8: ask for the PIN and PUK tries: two int32, both 0. The answer: int32 PIN tries at 0, int32
// PUK tries at 4.
struct PinTriesRequest {
    static constexpr int kSize = 8;
    QByteArray encode() const { return QByteArray(kSize, '\0'); }
};

// 4/11 (unblock: new PIN at 0, PUK at 10) and 4/12 (change: old PIN at 0, new PIN at 10).
struct PinPair {
    static constexpr int kSize = 20;

    QByteArray first;
    QByteArray second;

    QByteArray encode() const;
    static PinPair decode(const PayloadReader &payload);
};

// 4/14: the PIN request on or off: char pin[12] at 0, int32 enable at 12 (1 on, 0 off).
struct PinRequestSwitch {
    static constexpr int kSize = 16;

    QByteArray pin;
    std::int32_t enable = 0;

    QByteArray encode() const;
    static PinRequestSwitch decode(const PayloadReader &payload);
};

// 4/17: the PIN the modem keeps for entering it by itself: char pin[10].
struct PinToKeep {
    static constexpr int kSize = 10;

    QByteArray pin;

    QByteArray encode() const;
};

// 4/18: the modem's own PIN entry on or off: int32 enable at 0, int32 0 at 4.
struct PinAutoValidationSwitch {
    static constexpr int kSize = 8;

    std::int32_t enable = 0;

    QByteArray encode() const;
};

static_assert(messageIndex(settingmsg::kMajorDeviceLock, settingmsg::kMinorLockSwitch) >= 0 &&
                  kMsgCatalogue[messageIndex(settingmsg::kMajorDeviceLock, settingmsg::kMinorLockSwitch)]
                          .senders[0]
                          .payloadSize == DeviceLockSwitchRequest::kSize,
              "5/28 size differs from the catalogue");
static_assert(messageIndex(settingmsg::kMajorDeviceLock, settingmsg::kMinorCodeChange) >= 0 &&
                  kMsgCatalogue[messageIndex(settingmsg::kMajorDeviceLock, settingmsg::kMinorCodeChange)]
                          .senders[0]
                          .payloadSize == DeviceLockCodeChange::kSize,
              "5/30 size differs from the catalogue");

// ---------------------------------------------------------------------------------------------
// Supplementary services of the network (major 2307): call forwarding, waiting and barring, read
// and written one condition at a time. Requests carry module 3; mode 2 queries the status.

namespace callsetmsg {
inline constexpr std::uint16_t kMajor = 2307;
inline constexpr std::uint16_t kMinorForward = 153;       // CallForwardRequest
inline constexpr std::uint16_t kMinorBar = 154;           // CallBarRequest
inline constexpr std::uint16_t kMinorWait = 155;          // CallWaitRequest
inline constexpr std::uint16_t kMinorBarResult = 156;     // result byte only
inline constexpr std::uint16_t kMinorForwardResult = 157; // result byte only
inline constexpr std::uint16_t kMinorWaitResult = 158;    // result byte only
inline constexpr std::uint16_t kMinorWaitStatus = 159;    // CallWaitStatus
inline constexpr std::uint16_t kMinorBarStatus = 160;     // CallBarStatus
inline constexpr std::uint16_t kMinorForwardStatus = 161; // CallForwardStatus

inline constexpr std::int32_t kModeQuery = 2;
inline constexpr std::int32_t kModeRegister = 3; // forwarding on, with the number
inline constexpr std::int32_t kModeErase = 4;    // forwarding off
inline constexpr std::int32_t kNumberTypeDefault = 129;
inline constexpr std::int32_t kClassVoice = 1;
inline constexpr std::int32_t kClassAny = 255;
inline constexpr int kStatusItems = 20; // the items a status record has room for
inline constexpr int kNumberMax = 31;   // characters of a forwarding number
inline constexpr int kPasswordMax = 11; // characters of a barring password
} // namespace callsetmsg

// Forwarding reasons (the codes of +CCFC).
enum CallForwardReason : std::int32_t {
    kForwardAll = 0,
    kForwardBusy = 1,
    kForwardNoAnswer = 2,
    kForwardNotReachable = 3,
};

// The barring facilities, indexed 0-4.
inline constexpr const char *kCallBarringFacility[5] = {"AO", "OI", "OX", "AI", "IR"};
// The index of a facility's two letters; -1 for none.
int callBarringFacilityIndex(const QByteArray &facility);

// Whether an item's class is one the dashboard reads (voice, or any).
inline bool isUsedCallClass(std::int32_t cls)
{
    return cls == callsetmsg::kClassVoice || cls == callsetmsg::kClassAny;
}

// 2307/153: int32 reason at 0, int32 mode at 4, char number[32] at 8 (at most 31 characters, not
// filled for a query), int32 number type at 40 (129), int32 class at 44 (1), 40 zero bytes.
struct CallForwardRequest {
    static constexpr int kSize = 88;

    std::int32_t reason = 0;
    std::int32_t mode = callsetmsg::kModeQuery;
    QByteArray number;
    std::int32_t numberType = callsetmsg::kNumberTypeDefault;
    std::int32_t callClass = callsetmsg::kClassVoice;

    QByteArray encode() const;
    static CallForwardRequest decode(const PayloadReader &payload);
};

// 2307/154: the facility's two letters and a NUL at 0 (bytes 3-11 zero), int32 mode at 12 (1 lock,
// 0 unlock, 2 query), char password[12] at 16 (at most 11 characters, not filled for a query),
// int32 class at 28 (1).
struct CallBarRequest {
    static constexpr int kSize = 32;

    QByteArray facility;
    std::int32_t mode = callsetmsg::kModeQuery;
    QByteArray password;
    std::int32_t callClass = callsetmsg::kClassVoice;

    QByteArray encode() const;
    static CallBarRequest decode(const PayloadReader &payload);
};

// 2307/155: int32 enable at 0, int32 mode at 4, int32 class at 8 (1).
struct CallWaitRequest {
    static constexpr int kSize = 12;

    std::int32_t enable = 0;
    std::int32_t mode = callsetmsg::kModeQuery;
    std::int32_t callClass = callsetmsg::kClassVoice;

    QByteArray encode() const;
    static CallWaitRequest decode(const PayloadReader &payload);
};

// 2307/161: int32 count, then 20 items of 84 bytes: int32 status (0 off, 1 on), int32 class,
// char number[32], int32 number type, char subaddress[32], int32 subaddress type, int32 time.
// Decoding reads count clamped to 0..20 and only the items the record carries.
struct CallForwardStatus {
    static constexpr int kSize = 1684;
    static constexpr int kItemSize = 84;

    struct Item {
        std::int32_t status = 0;
        std::int32_t callClass = callsetmsg::kClassVoice;
        QByteArray number;
        std::int32_t numberType = callsetmsg::kNumberTypeDefault;
    };
    std::int32_t count = 0; // as carried (may lie)
    QList<Item> items;      // at most 20, and no more than count

    QByteArray encode() const; // writes count as given, items as many as fit
    static CallForwardStatus decode(const PayloadReader &payload);
};

// 2307/159: int32 count, then 20 items of int32 status and int32 class.
struct CallWaitStatus {
    static constexpr int kSize = 164;

    struct Item {
        std::int32_t status = 0;
        std::int32_t callClass = callsetmsg::kClassVoice;
    };
    std::int32_t count = 0;
    QList<Item> items;

    QByteArray encode() const;
    static CallWaitStatus decode(const PayloadReader &payload);
};

// 2307/160: int32 status.
struct CallBarStatus {
    static constexpr int kSize = 4;
    std::int32_t status = 0;

    QByteArray encode() const;
    static CallBarStatus decode(const PayloadReader &payload);
};

static_assert(requestPayloadSize(callsetmsg::kMajor, callsetmsg::kMinorForward) == CallForwardRequest::kSize);
static_assert(requestPayloadSize(callsetmsg::kMajor, callsetmsg::kMinorBar) == CallBarRequest::kSize);
static_assert(requestPayloadSize(callsetmsg::kMajor, callsetmsg::kMinorWait) == CallWaitRequest::kSize);

// ---------------------------------------------------------------------------------------------
// The "Network" panel's device settings (module 3): preferred mode, CDMA preference, frequency
// band, roaming switches and the network device information.

namespace netsetmsg {
inline constexpr std::uint16_t kMajorCdma = 3;
inline constexpr std::uint16_t kMinorCdmaPreference = 6; // Int32Record: 8, 2 or 4
inline constexpr std::uint16_t kMajor = 513;
inline constexpr std::uint16_t kMinorModeReport = 75;    // int32 mode, selected mode, preference
inline constexpr std::uint16_t kMinorSearchMode = 76;    // SearchModeRecord; answer: result byte
inline constexpr std::uint16_t kMinorManualSearch = 78;  // SearchModeRecord
inline constexpr std::uint16_t kMinorCdmaReport = 80;    // int32 CDMA value
inline constexpr std::uint16_t kMinorBandReport = 81;    // int32 band tag
inline constexpr std::uint16_t kMinorBand = 82;          // Int32Record band tag; answer: result byte
inline constexpr std::uint16_t kMinorRoamSwitch = 84;    // RoamSwitchRecord; answer: result byte
inline constexpr std::uint16_t kMinorRoamReport = 85;    // int32 national, int32 international
inline constexpr std::uint16_t kMajorDeviceInfo = 258;
inline constexpr std::uint16_t kMinorNetDeviceInfo = 74; // no data; answer: two int32
// Results of the band answer.
inline constexpr int kBandOk = 0;
inline constexpr int kBandFailed = 0xFF;
inline constexpr int kBandReplug = 0xFD;
} // namespace netsetmsg

// A request whose data is one little-endian int32 (3/6 CDMA value, 513/82 band tag).
struct Int32Record {
    static constexpr int kSize = 4;
    std::int32_t value = 0;

    QByteArray encode() const;
    static Int32Record decode(const PayloadReader &payload);
};

// 513/76 and 513/78: int32 search mode at 0, int32 0 at 4.
struct SearchModeRecord {
    static constexpr int kSize = 8;
    std::int32_t searchMode = 0;

    QByteArray encode() const;
    static SearchModeRecord decode(const PayloadReader &payload);
};

// 513/84: int32 national roaming at 0, int32 international roaming at 4 (1 on, 0 off).
struct RoamSwitchRecord {
    static constexpr int kSize = 8;
    std::int32_t nRoam = 0;
    std::int32_t iRoam = 0;

    QByteArray encode() const;
    static RoamSwitchRecord decode(const PayloadReader &payload);
};

static_assert(requestPayloadSize(netsetmsg::kMajorCdma, netsetmsg::kMinorCdmaPreference) == Int32Record::kSize);
static_assert(requestPayloadSize(netsetmsg::kMajor, netsetmsg::kMinorBand) == Int32Record::kSize);
static_assert(requestPayloadSize(netsetmsg::kMajor, netsetmsg::kMinorSearchMode) == SearchModeRecord::kSize);
static_assert(requestPayloadSize(netsetmsg::kMajor, netsetmsg::kMinorManualSearch) == SearchModeRecord::kSize);
static_assert(requestPayloadSize(netsetmsg::kMajor, netsetmsg::kMinorRoamSwitch) == RoamSwitchRecord::kSize);

} // namespace yov
