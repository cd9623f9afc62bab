#include "common/records/connection/ConnectionRecords.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace yov {

namespace {

void putText(PayloadWriter &w, int offset, int width, const QString &text, const char *name,
             QStringList *cutFields)
{
    bool cut = false;
    w.setText(offset, width, utf8Within(text, width - 1, &cut));
    if (cut && cutFields)
        cutFields->append(QString::fromLatin1(name));
}

QString getText(const PayloadReader &r, int offset, int width)
{
    return r.utf8Text(offset, width);
}

void putFloat(PayloadWriter &w, int offset, float v)
{
    w.setInt32(offset, std::bit_cast<std::int32_t>(v));
}

float getFloat(const PayloadReader &r, int offset)
{
    return std::bit_cast<float>(r.uint32(offset));
}

void putDouble(PayloadWriter &w, int offset, double v)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    w.setInt32(offset, std::int32_t(std::uint32_t(bits & 0xffffffffu)));
    w.setInt32(offset + 4, std::int32_t(std::uint32_t(bits >> 32)));
}

double getDouble(const PayloadReader &r, int offset)
{
    const std::uint64_t bits = std::uint64_t(r.uint32(offset)) | (std::uint64_t(r.uint32(offset + 4)) << 32);
    return std::bit_cast<double>(bits);
}

} // namespace

qint64 transferBytes(float wireValue)
{
    if (!(wireValue > 0.0f)) // negative, zero or NaN
        return 0;
    constexpr double kMax = 4611686018427387904.0; // 2^62
    const double v = double(wireValue);
    if (v >= kMax)
        return qint64(1) << 62;
    return qint64(std::llround(v));
}

QString formatConnectDuration(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds / 60) % 60;
    const qint64 s = seconds % 60;
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

// ---------------------------------------------------------------------------------------------

QByteArray MSG_APN_SET_REQ_PARA_T::encode(QStringList *cutFields) const
{
    PayloadWriter w(kSize);
    putText(w, kOffApn, kLenApn, apn, "apn", cutFields);
    putText(w, kOffTelNumber, kLenTelNumber, telNumber, "telNumber", cutFields);
    putText(w, kOffUserName, kLenUserName, userName, "userName", cutFields);
    putText(w, kOffPassword, kLenPassword, password, "password", cutFields);
    putText(w, kOffPdpAddress, kLenPdpAddress, pdpAddress, "pdpAddress", cutFields);
    w.setInt32(kOffConnectType, connectType);
    w.setInt32(kOffAuthType, authType);
    w.setInt32(kOffPdpType, pdpType);
    w.setInt32(kOffPdpFlag, pdpFlag);
    w.setInt32(kOffDisableAlertWindow, disableAlertWindow);
    w.setInt32(kOffMtu, mtu);
    putText(w, kOffIPv6Apn, kLenIPv6Apn, ipv6Apn, "ipv6Apn", cutFields);
    putText(w, kOffPreDns, kLenPreDns, preDns, "preDns", cutFields);
    putText(w, kOffAltDns, kLenAltDns, altDns, "altDns", cutFields);
    putText(w, kOffIPv6PrefDns, kLenIPv6PrefDns, ipv6PrefDns, "ipv6PrefDns", cutFields);
    putText(w, kOffIPv6AltDns, kLenIPv6AltDns, ipv6AltDns, "ipv6AltDns", cutFields);
    return w.data();
}

MSG_APN_SET_REQ_PARA_T MSG_APN_SET_REQ_PARA_T::decode(const PayloadReader &r)
{
    MSG_APN_SET_REQ_PARA_T p;
    p.apn = getText(r, kOffApn, kLenApn);
    p.telNumber = getText(r, kOffTelNumber, kLenTelNumber);
    p.userName = getText(r, kOffUserName, kLenUserName);
    p.password = getText(r, kOffPassword, kLenPassword);
    p.pdpAddress = getText(r, kOffPdpAddress, kLenPdpAddress);
    p.connectType = r.int32(kOffConnectType);
    p.authType = r.int32(kOffAuthType);
    p.pdpType = r.int32(kOffPdpType);
    p.pdpFlag = r.int32(kOffPdpFlag);
    p.disableAlertWindow = r.int32(kOffDisableAlertWindow);
    p.mtu = r.int32(kOffMtu);
    p.ipv6Apn = getText(r, kOffIPv6Apn, kLenIPv6Apn);
    p.preDns = getText(r, kOffPreDns, kLenPreDns);
    p.altDns = getText(r, kOffAltDns, kLenAltDns);
    p.ipv6PrefDns = getText(r, kOffIPv6PrefDns, kLenIPv6PrefDns);
    p.ipv6AltDns = getText(r, kOffIPv6AltDns, kLenIPv6AltDns);
    return p;
}

// ---------------------------------------------------------------------------------------------

QByteArray MSG_DIAL_PPP_TRANSFER_STATUS::encode() const
{
    PayloadWriter w(kSize);
    putText(w, kOffLocalIp, kLenLocalIp, localIp, "localIp", nullptr);
    putFloat(w, kOffSendBytes, sendBytes);
    putFloat(w, kOffReceiveBytes, receiveBytes);
    putDouble(w, kOffConnectSeconds, connectSeconds);
    w.setInt32(kOffPppState, pppState);
    return w.data();
}

MSG_DIAL_PPP_TRANSFER_STATUS MSG_DIAL_PPP_TRANSFER_STATUS::decode(const PayloadReader &r)
{
    MSG_DIAL_PPP_TRANSFER_STATUS s;
    s.localIp = getText(r, kOffLocalIp, kLenLocalIp);
    s.sendBytes = getFloat(r, kOffSendBytes);
    s.receiveBytes = getFloat(r, kOffReceiveBytes);
    s.connectSeconds = getDouble(r, kOffConnectSeconds);
    s.pppState = r.int32(kOffPppState);
    return s;
}

// ---------------------------------------------------------------------------------------------

QByteArray ppp_status::encode() const
{
    PayloadWriter w(kSize);
    const std::uint32_t words[] = {status,    timeElapsed, timeRemaining, inBytes,  inPackets,
                                   inErrors,  outBytes,    outPackets,    outErrors};
    for (int i = 0; i < 9; ++i)
        w.setInt32(4 * i, std::int32_t(words[i]));
    return w.data();
}

ppp_status ppp_status::decode(const PayloadReader &r)
{
    ppp_status s;
    s.status = r.uint32(0);
    s.timeElapsed = r.uint32(4);
    s.timeRemaining = r.uint32(8);
    s.inBytes = r.uint32(12);
    s.inPackets = r.uint32(16);
    s.inErrors = r.uint32(20);
    s.outBytes = r.uint32(24);
    s.outPackets = r.uint32(28);
    s.outErrors = r.uint32(32);
    return s;
}

namespace {
// An unsigned 32-bit count as a float: high half x 65536 + low half, never negative.
float unsignedCountAsFloat(std::uint32_t v)
{
    return float(v >> 16) * 65536.0f + float(v & 0xffffu);
}
} // namespace

MSG_DIAL_PPP_TRANSFER_STATUS getPppConnectStatus(const ppp_status &status)
{
    MSG_DIAL_PPP_TRANSFER_STATUS s;
    s.pppState = std::int32_t(status.status);
    s.sendBytes = unsignedCountAsFloat(status.outBytes);
    s.receiveBytes = unsignedCountAsFloat(status.inBytes);
    s.connectSeconds = double(status.timeElapsed);
    return s;
}

PppTransfer pppTransferOf(const MSG_DIAL_PPP_TRANSFER_STATUS &status)
{
    PppTransfer t;
    t.state = status.pppState;
    t.sentBytes = transferBytes(status.sendBytes);
    t.receivedBytes = transferBytes(status.receiveBytes);
    t.connectSeconds = std::isfinite(status.connectSeconds) && status.connectSeconds > 0 ? status.connectSeconds : 0.0;
    t.localIp = status.localIp;
    return t;
}

PppTransfer pppTransferOf(const ppp_status &status)
{
    PppTransfer t;
    t.state = std::int32_t(status.status);
    t.sentBytes = qint64(status.outBytes);
    t.receivedBytes = qint64(status.inBytes);
    t.connectSeconds = double(status.timeElapsed);
    return t;
}

// ---------------------------------------------------------------------------------------------

std::uint32_t readLocalAddress(const PayloadReader &payload)
{
    return payload.uint32(0);
}

QByteArray encodeLocalAddress(std::uint32_t address)
{
    PayloadWriter w(4);
    w.setInt32(0, std::int32_t(address));
    return w.data();
}

QString ipv4AddressText(std::uint32_t address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 255)
        .arg((address >> 8) & 255)
        .arg(address & 255);
}

// ---------------------------------------------------------------------------------------------

std::optional<NdisStatus> readNdisStatus(const PayloadReader &payload)
{
    const std::int32_t v = payload.int32(0);
    if (v < kNdisDisconnected || v > kNdisConnectFailed)
        return std::nullopt;
    return NdisStatus(v);
}

QByteArray encodeNdisStatus(std::int32_t status)
{
    PayloadWriter w(4);
    w.setInt32(0, status);
    return w.data();
}

// ---------------------------------------------------------------------------------------------

QByteArray NdisTransferData::encode() const
{
    PayloadWriter w(kSize);
    putText(w, kOffLocalIp, kLenLocalIp, localIp, "localIp", nullptr);
    putFloat(w, kOffSendBytes, sendBytes);
    putFloat(w, kOffReceiveBytes, receiveBytes);
    putFloat(w, kOffSendSpeed, sendSpeed);
    putFloat(w, kOffReceiveSpeed, receiveSpeed);
    return w.data();
}

std::optional<NdisTransferData> NdisTransferData::decode(const QByteArray &payload)
{
    if (payload.size() != kSize)
        return std::nullopt;
    const PayloadReader r(payload);
    NdisTransferData d;
    d.localIp = getText(r, kOffLocalIp, kLenLocalIp);
    d.sendBytes = getFloat(r, kOffSendBytes);
    d.receiveBytes = getFloat(r, kOffReceiveBytes);
    d.sendSpeed = getFloat(r, kOffSendSpeed);
    d.receiveSpeed = getFloat(r, kOffReceiveSpeed);
    return d;
}

std::optional<NdisTransferData> NdisTransferData::fromRecord(const QByteArray &record)
{
    constexpr int kLengthOffset = int(offsetof(UI_MSG, dataLength));
    if (record.size() < kUiMsgDataOffset + kSize)
        return std::nullopt;
    std::int32_t length = 0;
    std::memcpy(&length, record.constData() + kLengthOffset, sizeof length);
    if (length != kSize)
        return std::nullopt;
    return decode(record.mid(kUiMsgDataOffset, kSize));
}

// ---------------------------------------------------------------------------------------------

QByteArray PsAttachRequest::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, networkMode);
    w.setInt32(4, action);
    return w.data();
}

PsAttachRequest PsAttachRequest::decode(const PayloadReader &r)
{
    PsAttachRequest p;
    p.networkMode = r.int32(0);
    p.action = r.int32(4);
    return p;
}

QByteArray FreqLockSetRequest::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, enable);
    w.setInt32(4, value);
    return w.data();
}

FreqLockSetRequest FreqLockSetRequest::decode(const PayloadReader &r)
{
    FreqLockSetRequest f;
    f.enable = r.int32(0);
    f.value = r.int32(4);
    return f;
}

std::int32_t readFreqLockState(const PayloadReader &payload)
{
    return payload.int32(0);
}

} // namespace yov
