#pragma once
// Payload records of the settings window's requests (module 3), carried in the data field of a
// UI_MSG. Shared by the dashboard, which sends them, and the stand-in device service, which reads
// them. Little-endian, zero-filled, fields at fixed offsets.
#include "common/records/MessageCatalogue.h"
#include "common/records/Payload.h"

#include <QByteArray>

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

} // namespace yov
