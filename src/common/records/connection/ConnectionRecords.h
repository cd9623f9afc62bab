#pragma once
// Payload records of the data connection, carried in the data field of a UI_MSG.
//
// Shared by the dashboard (which sends the dial parameters and reads the status records) and the
// stand-in device service (which reads the dial parameters and sends the status records). Every
// record is little-endian with its fields at fixed offsets; character fields are zero-filled and
// always end in a zero, so a text is at most (field width - 1) bytes. Texts are UTF-8 and are cut
// on a character boundary when they do not fit.
//
// Reading never goes past the bytes a record carries (yov::PayloadReader): a byte that is not
// carried reads as zero. Only the NDIS transfer report is refused when its length is not exact.
//
// The float fields of the PPP and NDIS status records stay floats on the wire. Code that counts
// traffic takes the byte counts as 64-bit integers (transferBytes(), PppTransfer) so that a count
// above 16 MiB is not rounded again after it has been read.

#include "common/records/Payload.h"
#include "common/records/UiMsg.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace yov {

// ---------------------------------------------------------------------------------------------
// Message IDs of the connection records (module 2).

namespace dialmsg {
inline constexpr std::uint16_t kMajorConfig = 257;
inline constexpr std::uint16_t kMinorDialParams = 60;     // MSG_APN_SET_REQ_PARA_T, 920 bytes
inline constexpr std::uint16_t kMinorFreqLockSet = 61;    // FreqLockSetRequest, 8 bytes
inline constexpr std::uint16_t kMinorFreqLockRead = 62;   // no data
inline constexpr std::uint16_t kMinorFreqLockState = 87;  // reply to 62: int32 state first

inline constexpr std::uint16_t kMajorDial = 258;
inline constexpr std::uint16_t kMinorPppConnect = 65;     // no data
inline constexpr std::uint16_t kMinorPppDisconnect = 66;  // no data
inline constexpr std::uint16_t kMinorPppStatus = 67;      // no data; reply: 164 or 36 bytes
inline constexpr std::uint16_t kMinorPppLocalAddress = 68;// no data; reply: uint32 IPv4 address
inline constexpr std::uint16_t kMinorNdisConnect = 69;    // no data
inline constexpr std::uint16_t kMinorNdisDisconnect = 70; // no data
inline constexpr std::uint16_t kMinorNdisStatus = 71;     // report: int32 NdisStatus
inline constexpr std::uint16_t kMinorNdisQuery = 72;      // no data: does an NDIS connection stand
inline constexpr std::uint16_t kMinorNdisTransfer = 73;   // report: NdisTransferData, 156 bytes
inline constexpr std::uint16_t kMinorPsAttach = 76;       // PsAttachRequest, 8 bytes
} // namespace dialmsg

// ---------------------------------------------------------------------------------------------
// Shared values of the connection.

// The connection state of the dashboard.
enum ConnectStatus : int {
    kConnectStatusIdle = 0,
    kConnectStatusConnecting = 1,
    kConnectStatusDisconnecting = 2,
    kConnectStatusConnected = 3,
};

// The top-level settings key ConnectType: 0 (or missing) PPP, 1 NDIS.
enum ConnectType : int {
    kConnectTypePPP = 0,
    kConnectTypeNDIS = 1,
};

// States of the PPP controller as the device service reports them.
enum PppState : int {
    kPppIdle = 0,
    kPppInitialize = 1,
    kPppConnectLink = 2,
    kPppReserved = 3,
    kPppEstablish = 4,
    kPppAuthenticate = 5,
    kPppCallback = 6,
    kPppNetwork = 7,
    kPppRunning = 8,
    kPppTerminate = 9,
    kPppDisconnectLink = 10,
};

// The NDIS status report (258/71).
enum NdisStatus : int {
    kNdisDisconnected = 0,
    kNdisConnected = 1,
    kNdisConnecting = 2,
    kNdisConnectFailed = 3,
};

// Accounting units: 1 KB = 1024 bytes, 1 MB = 1024 KB.
inline constexpr qint64 kBytesPerKB = 1024;
inline constexpr double bytesToKB(qint64 bytes) { return double(bytes) / double(kBytesPerKB); }

// A byte count from a float wire field: rounded to whole bytes, 0 for a negative or NaN value,
// and held below 2^62 so that sums of counts cannot overflow.
qint64 transferBytes(float wireValue);

// Seconds as "%02d:%02d:%02d" (hours are not wrapped at 24; a negative duration shows as 0).
QString formatConnectDuration(qint64 seconds);

// ---------------------------------------------------------------------------------------------
// 257/60: the dial parameters, 920 bytes.

struct MSG_APN_SET_REQ_PARA_T {
    static constexpr int kSize = 920;
    static constexpr int kOffApn = 0, kLenApn = 128;
    static constexpr int kOffTelNumber = 128, kLenTelNumber = 128;
    static constexpr int kOffUserName = 256, kLenUserName = 128;
    static constexpr int kOffPassword = 384, kLenPassword = 128;
    static constexpr int kOffPdpAddress = 512, kLenPdpAddress = 64;
    static constexpr int kOffConnectType = 576;
    static constexpr int kOffAuthType = 580;
    static constexpr int kOffPdpType = 584;
    static constexpr int kOffPdpFlag = 588;
    static constexpr int kOffDisableAlertWindow = 592;
    static constexpr int kOffMtu = 596;
    static constexpr int kOffIPv6Apn = 600, kLenIPv6Apn = 128;
    static constexpr int kOffPreDns = 728, kLenPreDns = 32;
    static constexpr int kOffAltDns = 760, kLenAltDns = 32;
    static constexpr int kOffIPv6PrefDns = 792, kLenIPv6PrefDns = 64;
    static constexpr int kOffIPv6AltDns = 856, kLenIPv6AltDns = 64;

    QString apn;
    QString telNumber;
    QString userName;
    QString password;
    QString pdpAddress;
    std::int32_t connectType = 0;
    std::int32_t authType = 0;
    std::int32_t pdpType = 0;
    std::int32_t pdpFlag = 0;
    std::int32_t disableAlertWindow = 0;
    std::int32_t mtu = 0;
    QString ipv6Apn;
    QString preDns;
    QString altDns;
    QString ipv6PrefDns;
    QString ipv6AltDns;

    // The 920 bytes. When cutFields is given it receives the names of the text fields that were
    // cut to fit ("apn", "telNumber", ...).
    QByteArray encode(QStringList *cutFields = nullptr) const;
    static MSG_APN_SET_REQ_PARA_T decode(const PayloadReader &payload);

    bool operator==(const MSG_APN_SET_REQ_PARA_T &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 258/67 reply with NewDial set: the PPP transfer status, 164 bytes.

struct MSG_DIAL_PPP_TRANSFER_STATUS {
    static constexpr int kSize = 164;
    static constexpr int kOffLocalIp = 0, kLenLocalIp = 128;
    static constexpr int kOffSendBytes = 128;
    static constexpr int kOffReceiveBytes = 132;
    static constexpr int kOffUnread = 136; // four floats the dashboard does not read
    static constexpr int kOffConnectSeconds = 152;
    static constexpr int kOffPppState = 160;

    QString localIp;
    float sendBytes = 0;
    float receiveBytes = 0;
    double connectSeconds = 0;
    std::int32_t pppState = 0;

    QByteArray encode() const;
    static MSG_DIAL_PPP_TRANSFER_STATUS decode(const PayloadReader &payload);

    bool operator==(const MSG_DIAL_PPP_TRANSFER_STATUS &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 258/67 reply without NewDial: the PPP controller's status structure, 36 bytes.

struct ppp_status {
    static constexpr int kSize = 36;

    std::uint32_t status = 0;
    // Meaningful in the connected case only.
    std::uint32_t timeElapsed = 0;
    std::uint32_t timeRemaining = 0;
    std::uint32_t inBytes = 0;
    std::uint32_t inPackets = 0;
    std::uint32_t inErrors = 0;
    std::uint32_t outBytes = 0;
    std::uint32_t outPackets = 0;
    std::uint32_t outErrors = 0;

    QByteArray encode() const;
    static ppp_status decode(const PayloadReader &payload);

    bool operator==(const ppp_status &) const = default;
};

// The 36-byte structure as a transfer status: state = status, sent = bytes out, received = bytes in
// (each unsigned count as a float, never negative), seconds = time elapsed, text empty.
MSG_DIAL_PPP_TRANSFER_STATUS getPppConnectStatus(const ppp_status &status);

// One PPP status as the connection counts it: exact 64-bit byte counts.
struct PppTransfer {
    int state = 0;
    qint64 sentBytes = 0;
    qint64 receivedBytes = 0;
    double connectSeconds = 0;
    QString localIp;

    bool operator==(const PppTransfer &) const = default;
};
PppTransfer pppTransferOf(const MSG_DIAL_PPP_TRANSFER_STATUS &status);
// Taken straight from the unsigned counts: no float rounding in between.
PppTransfer pppTransferOf(const ppp_status &status);

// ---------------------------------------------------------------------------------------------
// 258/68 reply without NewDial: the local IPv4 address as a uint32 at the start of the data.

std::uint32_t readLocalAddress(const PayloadReader &payload);
QByteArray encodeLocalAddress(std::uint32_t address);
// "%d.%d.%d.%d" of (address >> 24, address >> 16 & 255, address >> 8 & 255, address & 255).
QString ipv4AddressText(std::uint32_t address);

// ---------------------------------------------------------------------------------------------
// 258/71: the NDIS status report. nullopt for a value other than 0 to 3.

std::optional<NdisStatus> readNdisStatus(const PayloadReader &payload);
QByteArray encodeNdisStatus(std::int32_t status);

// ---------------------------------------------------------------------------------------------
// 258/73: NDIS transfer data, 156 bytes.

struct NdisTransferData {
    static constexpr int kSize = 156;
    static constexpr int kOffLocalIp = 0, kLenLocalIp = 128;
    static constexpr int kOffSendBytes = 128;
    static constexpr int kOffReceiveBytes = 132;
    static constexpr int kOffUnread = 136; // two floats the dashboard does not read
    static constexpr int kOffSendSpeed = 144;
    static constexpr int kOffReceiveSpeed = 148;
    static constexpr int kOffTail = 152;   // four bytes the dashboard does not read

    QString localIp;
    float sendBytes = 0;
    float receiveBytes = 0;
    float sendSpeed = 0;    // bytes per second
    float receiveSpeed = 0; // bytes per second

    QByteArray encode() const;
    // Only a payload of exactly 156 bytes is transfer data.
    static std::optional<NdisTransferData> decode(const QByteArray &payload);
    // From a whole received record: only when its data length is exactly 156 and the record
    // carries all 156 bytes.
    static std::optional<NdisTransferData> fromRecord(const QByteArray &record);

    bool operator==(const NdisTransferData &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 258/76: packet-domain attach or detach, 8 bytes.

struct PsAttachRequest {
    static constexpr int kSize = 8;
    static constexpr std::int32_t kAttach = 2;
    static constexpr std::int32_t kDetach = 0;

    std::int32_t networkMode = 0;
    std::int32_t action = kDetach;

    QByteArray encode() const;
    static PsAttachRequest decode(const PayloadReader &payload);

    bool operator==(const PsAttachRequest &) const = default;
};

// ---------------------------------------------------------------------------------------------
// 257/61: frequency lock set, 8 bytes {1, value}; 257/87: reply to 257/62, int32 state first.

struct FreqLockSetRequest {
    static constexpr int kSize = 8;

    std::int32_t enable = 1;
    std::int32_t value = 0;

    QByteArray encode() const;
    static FreqLockSetRequest decode(const PayloadReader &payload);

    bool operator==(const FreqLockSetRequest &) const = default;
};

std::int32_t readFreqLockState(const PayloadReader &payload);

} // namespace yov
