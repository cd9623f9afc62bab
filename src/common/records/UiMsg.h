#pragma once
// The device-service record UI_MSG: one fixed-size, little-endian block that travels in both
// directions between the dashboard and the device service.
//
//   offset  width  field
//        0  int32  marker       1 in every record the dashboard sends
//        4  int32  moduleID     the sending area of the dashboard
//        8  uint16 majorID      message group
//       10  uint16 minorID      message within the group
//       12  int32  type
//       16  int8   result       0 success, -1 failure in replies
//       17  3      padding
//       20  int32  dataLength   payload bytes the sender meant to carry
//       24  8192   data         the payload record, zero-filled behind the payload
//     8216  3      tail         zero in requests; a payload longer than the data field runs into it;
//                               in received records offset 8218 may hold the platform flag '1'
//     8219  1      padding
//
// A payload can therefore carry at most 8196 bytes (the data field and the four bytes behind it).

#include <QByteArray>
#include <QString>

#include <bit>
#include <cstddef>
#include <cstdint>

namespace yov {

static_assert(std::endian::native == std::endian::little,
              "UI_MSG is stored in host order, which must be little-endian");

inline constexpr int kUiMsgSize = 8220;
inline constexpr int kUiMsgDataOffset = 24;
inline constexpr int kUiMsgDataSize = 8192;
inline constexpr int kUiMsgMaxPayload = kUiMsgSize - kUiMsgDataOffset; // 8196
inline constexpr int kUiMsgHeadSize = 12;                             // up to and including minorID
inline constexpr int kUiMsgHeaderSize = kUiMsgDataOffset;             // marker to dataLength
inline constexpr int kUiMsgPlatformFlagOffset = 8218;

struct UI_MSG {
    std::int32_t marker;
    std::int32_t moduleID;
    std::uint16_t majorID;
    std::uint16_t minorID;
    std::int32_t type;
    std::int8_t result;
    std::uint8_t padding1[3];
    std::int32_t dataLength;
    std::uint8_t data[kUiMsgDataSize];
    std::uint8_t tail[3];
    std::uint8_t padding2;
};

static_assert(sizeof(UI_MSG) == kUiMsgSize);
static_assert(alignof(UI_MSG) == 4);
static_assert(offsetof(UI_MSG, marker) == 0);
static_assert(offsetof(UI_MSG, moduleID) == 4);
static_assert(offsetof(UI_MSG, majorID) == 8);
static_assert(offsetof(UI_MSG, minorID) == 10);
static_assert(offsetof(UI_MSG, type) == 12);
static_assert(offsetof(UI_MSG, result) == 16);
static_assert(offsetof(UI_MSG, dataLength) == 20);
static_assert(offsetof(UI_MSG, data) == kUiMsgDataOffset);
static_assert(offsetof(UI_MSG, tail) == 8216);
static_assert(offsetof(UI_MSG, tail) + 2 == kUiMsgPlatformFlagOffset);
static_assert(offsetof(UI_MSG, padding2) == 8219);

// The prefix of every notification name of a received record, and the user-info key that holds it.
inline constexpr char kMsgUserInfo[] = "yUIMsg";
// The device service's bus name.
inline constexpr char kYOVDataCardServer[] = "com.vandrel.DataCardServer";

// Message ID: major shifted left by 16, OR minor. Every major in use is below 32768.
constexpr std::uint32_t messageID(std::uint16_t major, std::uint16_t minor)
{
    return (std::uint32_t(major) << 16) | minor;
}

// "yUIMsg" followed by the decimal message ID: (1, 0) -> "yUIMsg65536".
QString msgNotificationName(std::uint16_t major, std::uint16_t minor);

// A record with every byte zero.
UI_MSG zeroMsg();

// The record's 8220 bytes.
QByteArray msgBytes(const UI_MSG &msg);

// Copies at most 8220 bytes of a received record into msg; bytes the record does not carry are
// zero. Returns the number of bytes copied.
int msgFromBytes(const QByteArray &bytes, UI_MSG &msg);

// Major and minor of a received record; false when it is shorter than the 12-byte head.
bool msgHead(const QByteArray &bytes, std::uint16_t *major, std::uint16_t *minor);

} // namespace yov
