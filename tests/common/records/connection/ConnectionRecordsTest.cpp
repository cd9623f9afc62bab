#include "common/records/connection/ConnectionRecords.h"
#include "support/GoldenBytes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace yov;

namespace {

using golden::le32;
using golden::le64;
using golden::text;

std::uint32_t floatBits(float f) { return std::bit_cast<std::uint32_t>(f); }

MSG_APN_SET_REQ_PARA_T fullDialParams()
{
    MSG_APN_SET_REQ_PARA_T p;
    p.apn = QStringLiteral("internet.example");
    p.telNumber = QStringLiteral("*99#");
    p.userName = QStringLiteral("user");
    p.password = QStringLiteral("secret");
    p.pdpAddress = QStringLiteral("10.0.0.7");
    p.connectType = 1;
    p.authType = 1;
    p.pdpType = 3;
    p.pdpFlag = 1;
    p.disableAlertWindow = -1;
    p.mtu = 1400;
    p.ipv6Apn = QStringLiteral("v6.example");
    p.preDns = QStringLiteral("8.8.8.8");
    p.altDns = QStringLiteral("8.8.4.4");
    p.ipv6PrefDns = QStringLiteral("2001:db8::1");
    p.ipv6AltDns = QStringLiteral("2001:db8::2");
    return p;
}

} // namespace

TEST(DialParamsRecord, EveryFieldAtItsOffsetAndTheRestZero)
{
    QByteArray expected(920, '\0');
    text(expected, 0, "internet.example");
    text(expected, 128, "*99#");
    text(expected, 256, "user");
    text(expected, 384, "secret");
    text(expected, 512, "10.0.0.7");
    le32(expected, 576, 1);
    le32(expected, 580, 1);
    le32(expected, 584, 3);
    le32(expected, 588, 1);
    le32(expected, 592, 0xffffffffu);
    le32(expected, 596, 1400);
    text(expected, 600, "v6.example");
    text(expected, 728, "8.8.8.8");
    text(expected, 760, "8.8.4.4");
    text(expected, 792, "2001:db8::1");
    text(expected, 856, "2001:db8::2");

    QStringList cut;
    const QByteArray bytes = fullDialParams().encode(&cut);
    EXPECT_EQ(bytes.size(), 920);
    EXPECT_EQ(bytes.toHex(), expected.toHex());
    EXPECT_TRUE(cut.isEmpty());
    EXPECT_EQ(MSG_APN_SET_REQ_PARA_T::decode(PayloadReader(bytes)), fullDialParams());
}

TEST(DialParamsRecord, EmptyParametersAreAllZero)
{
    EXPECT_EQ(MSG_APN_SET_REQ_PARA_T().encode(), QByteArray(920, '\0'));
}

TEST(DialParamsRecord, LongTextsAreCutAndStillEndInZero)
{
    struct Case {
        const char *name;
        QString MSG_APN_SET_REQ_PARA_T::*field;
        int offset;
        int width;
    };
    const Case cases[] = {
        {"apn", &MSG_APN_SET_REQ_PARA_T::apn, 0, 128},
        {"telNumber", &MSG_APN_SET_REQ_PARA_T::telNumber, 128, 128},
        {"userName", &MSG_APN_SET_REQ_PARA_T::userName, 256, 128},
        {"password", &MSG_APN_SET_REQ_PARA_T::password, 384, 128},
        {"pdpAddress", &MSG_APN_SET_REQ_PARA_T::pdpAddress, 512, 64},
        {"ipv6Apn", &MSG_APN_SET_REQ_PARA_T::ipv6Apn, 600, 128},
        {"preDns", &MSG_APN_SET_REQ_PARA_T::preDns, 728, 32},
        {"altDns", &MSG_APN_SET_REQ_PARA_T::altDns, 760, 32},
        {"ipv6PrefDns", &MSG_APN_SET_REQ_PARA_T::ipv6PrefDns, 792, 64},
        {"ipv6AltDns", &MSG_APN_SET_REQ_PARA_T::ipv6AltDns, 856, 64},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MSG_APN_SET_REQ_PARA_T p;
        p.*(c.field) = QString(c.width + 20, QLatin1Char('x'));
        p.mtu = 0x01020304; // a neighbour that must stay whole
        QStringList cut;
        const QByteArray bytes = p.encode(&cut);
        ASSERT_EQ(bytes.size(), 920);
        EXPECT_EQ(cut, QStringList{QString::fromLatin1(c.name)});
        EXPECT_EQ(bytes.mid(c.offset, c.width - 1), QByteArray(c.width - 1, 'x'));
        EXPECT_EQ(bytes.at(c.offset + c.width - 1), '\0');
        EXPECT_EQ(bytes.mid(596, 4), QByteArray("\x04\x03\x02\x01", 4));
        const auto back = MSG_APN_SET_REQ_PARA_T::decode(PayloadReader(bytes));
        EXPECT_EQ((back.*(c.field)).size(), c.width - 1);
    }
}

TEST(DialParamsRecord, CutNeverSplitsACharacter)
{
    MSG_APN_SET_REQ_PARA_T p;
    // 30 ASCII bytes and one two-byte character: 32 bytes do not fit the 31 of a DNS field.
    p.preDns = QString(30, QLatin1Char('1')) + QChar(0x00E9);
    QStringList cut;
    const QByteArray bytes = p.encode(&cut);
    EXPECT_EQ(cut, QStringList{QStringLiteral("preDns")});
    EXPECT_EQ(bytes.mid(728, 32), QByteArray(30, '1') + QByteArray(2, '\0'));

    // A character that fits exactly is kept.
    p.preDns = QString(29, QLatin1Char('1')) + QChar(0x00E9);
    cut.clear();
    EXPECT_EQ(MSG_APN_SET_REQ_PARA_T::decode(PayloadReader(p.encode(&cut))).preDns, p.preDns);
    EXPECT_TRUE(cut.isEmpty());
}

TEST(PppTransferStatusRecord, GoldenBytesAndRoundTrip)
{
    MSG_DIAL_PPP_TRANSFER_STATUS s;
    s.localIp = QStringLiteral("10.64.1.2");
    s.sendBytes = 1234.5f;
    s.receiveBytes = 20000000.0f;
    s.connectSeconds = 3661.25;
    s.pppState = kPppRunning;

    QByteArray expected(164, '\0');
    text(expected, 0, "10.64.1.2");
    le32(expected, 128, floatBits(1234.5f));
    le32(expected, 132, floatBits(20000000.0f));
    le64(expected, 152, std::bit_cast<std::uint64_t>(3661.25));
    le32(expected, 160, 8);

    const QByteArray bytes = s.encode();
    EXPECT_EQ(bytes.toHex(), expected.toHex());
    EXPECT_EQ(MSG_DIAL_PPP_TRANSFER_STATUS::decode(PayloadReader(bytes)), s);

    const PppTransfer t = pppTransferOf(s);
    EXPECT_EQ(t.state, 8);
    EXPECT_EQ(t.sentBytes, 1235); // rounded half away from zero
    EXPECT_EQ(t.receivedBytes, 20000000);
    EXPECT_EQ(t.localIp, QStringLiteral("10.64.1.2"));
}

TEST(PppTransferStatusRecord, ShortPayloadReadsMissingBytesAsZero)
{
    MSG_DIAL_PPP_TRANSFER_STATUS s;
    s.localIp = QStringLiteral("1.2.3.4");
    s.sendBytes = 10.0f;
    s.pppState = 8;
    const QByteArray shortened = s.encode().left(132); // ends before bytes received
    const auto back = MSG_DIAL_PPP_TRANSFER_STATUS::decode(PayloadReader(shortened));
    EXPECT_EQ(back.localIp, QStringLiteral("1.2.3.4"));
    EXPECT_EQ(back.sendBytes, 10.0f);
    EXPECT_EQ(back.receiveBytes, 0.0f);
    EXPECT_EQ(back.pppState, 0);
}

TEST(PppControllerStatusRecord, GoldenBytesAndConversionWithoutSignLoss)
{
    ppp_status st;
    st.status = 8;
    st.timeElapsed = 0x80000010u;
    st.timeRemaining = 2;
    st.inBytes = 0xFFFFFFF0u;
    st.inPackets = 4;
    st.inErrors = 5;
    st.outBytes = 0x80000001u;
    st.outPackets = 7;
    st.outErrors = 9;

    QByteArray expected(36, '\0');
    const std::uint32_t words[] = {8, 0x80000010u, 2, 0xFFFFFFF0u, 4, 5, 0x80000001u, 7, 9};
    for (int i = 0; i < 9; ++i)
        le32(expected, 4 * i, words[i]);
    EXPECT_EQ(st.encode().toHex(), expected.toHex());
    EXPECT_EQ(ppp_status::decode(PayloadReader(expected)), st);

    const MSG_DIAL_PPP_TRANSFER_STATUS s = getPppConnectStatus(st);
    EXPECT_EQ(s.pppState, 8);
    EXPECT_GT(s.sendBytes, 2.0e9f);
    EXPECT_EQ(s.sendBytes, 2147483648.0f); // nearest float of 2^31 + 1
    EXPECT_EQ(s.receiveBytes, 4294967296.0f);
    EXPECT_EQ(s.connectSeconds, 2147483664.0);
    EXPECT_TRUE(s.localIp.isEmpty());

    // Counted exactly from the unsigned words.
    const PppTransfer t = pppTransferOf(st);
    EXPECT_EQ(t.sentBytes, 2147483649LL);
    EXPECT_EQ(t.receivedBytes, 4294967280LL);
    EXPECT_EQ(t.connectSeconds, 2147483664.0);
}

TEST(PppControllerStatusRecord, IdleStatusCarriesOnlyItsFirstWord)
{
    QByteArray idle(4, '\0');
    le32(idle, 0, 0);
    const ppp_status st = ppp_status::decode(PayloadReader(idle));
    EXPECT_EQ(st, ppp_status());
    EXPECT_EQ(pppTransferOf(st), PppTransfer());
}

TEST(LocalAddress, DottedTextOfTheAddressWord)
{
    struct Case {
        std::uint32_t address;
        const char *text;
    };
    const Case cases[] = {
        {0x00000000u, "0.0.0.0"},
        {0xC0A80101u, "192.168.1.1"},
        {0x0A000001u, "10.0.0.1"},
        {0xFFFFFFFFu, "255.255.255.255"},
        {0x80FF0102u, "128.255.1.2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const QByteArray payload = encodeLocalAddress(c.address);
        QByteArray expected(4, '\0');
        le32(expected, 0, c.address);
        EXPECT_EQ(payload, expected);
        EXPECT_EQ(readLocalAddress(PayloadReader(payload)), c.address);
        EXPECT_EQ(ipv4AddressText(c.address), QString::fromLatin1(c.text));
    }
}

TEST(NdisStatusRecord, OnlyZeroToThreeAreStatuses)
{
    for (std::int32_t v : {-1, 0, 1, 2, 3, 4, 100}) {
        SCOPED_TRACE(v);
        const auto s = readNdisStatus(PayloadReader(encodeNdisStatus(v)));
        if (v >= 0 && v <= 3) {
            ASSERT_TRUE(s.has_value());
            EXPECT_EQ(int(*s), v);
        } else {
            EXPECT_FALSE(s.has_value());
        }
    }
}

TEST(NdisTransferRecord, GoldenBytes)
{
    NdisTransferData d;
    d.localIp = QStringLiteral("192.168.8.100");
    d.sendBytes = 5000.0f;
    d.receiveBytes = 1.5e9f;
    d.sendSpeed = 125.0f;
    d.receiveSpeed = 65536.0f;

    QByteArray expected(156, '\0');
    text(expected, 0, "192.168.8.100");
    le32(expected, 128, floatBits(5000.0f));
    le32(expected, 132, floatBits(1.5e9f));
    le32(expected, 144, floatBits(125.0f));
    le32(expected, 148, floatBits(65536.0f));
    EXPECT_EQ(d.encode().toHex(), expected.toHex());

    const auto back = NdisTransferData::decode(expected);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, d);
    EXPECT_EQ(transferBytes(back->receiveBytes), 1500000000LL);
}

TEST(NdisTransferRecord, ReadOnlyAtItsExactLength)
{
    NdisTransferData d;
    d.sendBytes = 1.0f;
    const QByteArray payload = d.encode();
    EXPECT_FALSE(NdisTransferData::decode(payload.left(155)).has_value());
    EXPECT_FALSE(NdisTransferData::decode(payload + QByteArray(1, '\0')).has_value());
    EXPECT_TRUE(NdisTransferData::decode(payload).has_value());

    for (std::int32_t length : {0, 4, 155, 156, 157, 8192, -156}) {
        SCOPED_TRACE(length);
        UI_MSG msg = zeroMsg();
        msg.majorID = dialmsg::kMajorDial;
        msg.minorID = dialmsg::kMinorNdisTransfer;
        msg.dataLength = length;
        std::memcpy(msg.data, payload.constData(), size_t(payload.size()));
        const auto read = NdisTransferData::fromRecord(msgBytes(msg));
        EXPECT_EQ(read.has_value(), length == 156);
    }

    // A record cut short of its 156 payload bytes is refused even when its length field says 156.
    UI_MSG msg = zeroMsg();
    msg.dataLength = 156;
    EXPECT_FALSE(NdisTransferData::fromRecord(msgBytes(msg).left(24 + 100)).has_value());
}

TEST(SmallRequests, AttachAndFrequencyLockGoldenBytes)
{
    PsAttachRequest attach;
    attach.networkMode = 3;
    attach.action = PsAttachRequest::kAttach;
    EXPECT_EQ(attach.encode(), QByteArray("\x03\0\0\0\x02\0\0\0", 8));
    EXPECT_EQ(PsAttachRequest::decode(PayloadReader(attach.encode())), attach);

    PsAttachRequest detach;
    detach.networkMode = 0;
    EXPECT_EQ(detach.encode(), QByteArray(8, '\0'));

    FreqLockSetRequest lock;
    lock.value = 0x1234;
    EXPECT_EQ(lock.encode(), QByteArray("\x01\0\0\0\x34\x12\0\0", 8));
    EXPECT_EQ(FreqLockSetRequest::decode(PayloadReader(lock.encode())), lock);

    EXPECT_EQ(readFreqLockState(PayloadReader(QByteArray("\x01\0\0\0", 4))), 1);
    EXPECT_EQ(readFreqLockState(PayloadReader()), 0);
}

TEST(ConnectionUnits, ByteCountsFromFloatsAndDurations)
{
    struct Case {
        float wire;
        qint64 bytes;
    };
    const Case cases[] = {
        {0.0f, 0},
        {-5.0f, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},
        {16777216.0f, 16777216},
        {3.0e9f, 3000000000LL},
        {std::numeric_limits<float>::infinity(), qint64(1) << 62},
    };
    for (const Case &c : cases)
        EXPECT_EQ(transferBytes(c.wire), c.bytes) << c.wire;

    EXPECT_EQ(bytesToKB(1536), 1.5);
    EXPECT_EQ(formatConnectDuration(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(formatConnectDuration(3661), QStringLiteral("01:01:01"));
    EXPECT_EQ(formatConnectDuration(90000), QStringLiteral("25:00:00"));
    EXPECT_EQ(formatConnectDuration(-7), QStringLiteral("00:00:00"));
}
