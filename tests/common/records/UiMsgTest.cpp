#include "common/records/Payload.h"
#include "common/records/UiMsg.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace yov;

namespace {

QByteArray recordWith(std::uint16_t major, std::uint16_t minor, std::int32_t claimedLength, const QByteArray &payload)
{
    UI_MSG m = zeroMsg();
    m.majorID = major;
    m.minorID = minor;
    m.dataLength = claimedLength;
    QByteArray bytes = msgBytes(m);
    bytes.truncate(kUiMsgDataOffset);
    return bytes + payload;
}

} // namespace

TEST(UiMsg, BytesAreLittleEndianAtTheirOffsets)
{
    UI_MSG m = zeroMsg();
    m.marker = 1;
    m.moduleID = 0x01020304;
    m.majorID = 258;
    m.minorID = 65;
    m.type = 2;
    m.result = -1;
    m.dataLength = 8200;
    m.data[0] = 0xAA;
    m.tail[2] = '1';
    const QByteArray b = msgBytes(m);
    ASSERT_EQ(b.size(), 8220);
    EXPECT_EQ(b.mid(0, 4), QByteArray::fromHex("01000000"));
    EXPECT_EQ(b.mid(4, 4), QByteArray::fromHex("04030201"));
    EXPECT_EQ(b.mid(8, 4), QByteArray::fromHex("02014100"));
    EXPECT_EQ(b.mid(12, 4), QByteArray::fromHex("02000000"));
    EXPECT_EQ(b.mid(16, 4), QByteArray::fromHex("ff000000"));
    EXPECT_EQ(b.mid(20, 4), QByteArray::fromHex("08200000"));
    EXPECT_EQ(quint8(b[24]), 0xAA);
    EXPECT_EQ(b[kUiMsgPlatformFlagOffset], '1');
}

TEST(UiMsg, NotificationNamesFollowTheMessageID)
{
    const struct { std::uint16_t major, minor; const char *name; } cases[] = {
        {1, 0, "yUIMsg65536"}, {4, 9, "yUIMsg262153"}, {258, 65, "yUIMsg16908353"},
        {0, 26, "yUIMsg26"}, {8192, 193, "yUIMsg536871105"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(msgNotificationName(c.major, c.minor), QString::fromLatin1(c.name)) << c.major << "/" << c.minor;
}

TEST(UiMsg, CopyFromBytesIsBoundedAndZeroFillsTheRest)
{
    UI_MSG m;
    std::memset(&m, 0x55, sizeof m); // stale contents must not survive

    const QByteArray shortRecord = recordWith(6, 32, 8192, QByteArray::fromHex("01000000"));
    EXPECT_EQ(msgFromBytes(shortRecord, m), 28);
    EXPECT_EQ(m.majorID, 6);
    EXPECT_EQ(m.minorID, 32);
    EXPECT_EQ(m.dataLength, 8192);
    EXPECT_EQ(m.data[0], 1);
    EXPECT_EQ(m.data[4], 0);
    EXPECT_EQ(m.tail[2], 0);

    QByteArray longRecord(9000, '\x07');
    EXPECT_EQ(msgFromBytes(longRecord, m), 8220);
    EXPECT_EQ(m.padding2, 7);

    std::uint16_t ma = 0, mi = 0;
    EXPECT_FALSE(msgHead(QByteArray(11, '\0'), &ma, &mi));
    EXPECT_TRUE(msgHead(shortRecord.left(12), &ma, &mi));
    EXPECT_EQ(ma, 6);
    EXPECT_EQ(mi, 32);
}

TEST(PayloadReader, NeverReadsPastTheCarriedBytesWhateverTheLengthClaims)
{
    // The record claims 8192 payload bytes but carries 6.
    const QByteArray rec = recordWith(7, 36, 8192, QByteArray::fromHex("2a0000004142"));
    const PayloadReader r = PayloadReader::ofRecord(rec);
    EXPECT_EQ(r.size(), 6);
    EXPECT_EQ(r.int32(0), 42);
    EXPECT_TRUE(r.has(0, 6));
    EXPECT_FALSE(r.has(4, 4));
    EXPECT_EQ(r.int32(4), 0x4241); // carried bytes, then zero
    EXPECT_EQ(r.int32(100), 0);
    EXPECT_EQ(r.int32(-4), 0);
    EXPECT_EQ(r.text(4, 64), QByteArray("AB"));
    EXPECT_EQ(r.bytes(4, 64), QByteArray("AB"));

    EXPECT_EQ(PayloadReader::ofRecord(QByteArray(20, '\x01')).size(), 0);
    EXPECT_EQ(PayloadReader::ofRecord(QByteArray(9000, '\x01')).size(), kUiMsgMaxPayload);
}

TEST(PayloadReader, TextFieldsStopAtTheirWidth)
{
    QByteArray p("ABCDEFGH");
    p += QByteArray("xy\0zz", 5);
    const PayloadReader r(p);
    EXPECT_EQ(r.text(0, 4), QByteArray("ABCD")); // no zero inside the field: all of its width, no more
    EXPECT_EQ(r.text(8, 5), QByteArray("xy"));
    EXPECT_EQ(r.latin1Text(2, 3), QStringLiteral("CDE"));

    PayloadWriter w(16);
    EXPECT_TRUE(w.setUtf16(0, 8, QStringLiteral("h\u00e9")));
    EXPECT_FALSE(w.setUtf16(8, 8, QStringLiteral("abcdef"))); // 3 units and a zero fit
    const PayloadReader u(w.data());
    EXPECT_EQ(u.utf16Text(0, 8), QStringLiteral("h\u00e9"));
    EXPECT_EQ(u.utf16Text(8, 8), QStringLiteral("abc"));
    EXPECT_EQ(u.utf16Text(8, 4), QStringLiteral("ab"));
}

TEST(PayloadWriter, RefusesFieldsOutsideThePayload)
{
    PayloadWriter w(8);
    EXPECT_TRUE(w.setInt32(4, -2));
    EXPECT_FALSE(w.setInt32(5, 1));
    EXPECT_FALSE(w.setUint8(8, 1));
    EXPECT_FALSE(w.setInt32(-1, 1));
    EXPECT_EQ(w.data(), QByteArray::fromHex("00000000feffffff"));

    EXPECT_FALSE(w.setText(0, 4, "abcd")); // a zero must end the field
    EXPECT_EQ(w.data().left(4), QByteArray("abc\0", 4));
    EXPECT_TRUE(w.setBytes(0, 4, "wxyz"));
    EXPECT_EQ(w.data().left(4), QByteArray("wxyz"));
    EXPECT_TRUE(w.setBytes(0, 4, "q"));
    EXPECT_EQ(w.data().left(4), QByteArray("q\0\0\0", 4));

    EXPECT_EQ(PayloadWriter(100000).data().size(), kUiMsgMaxPayload);
    EXPECT_EQ(PayloadWriter(-3).data().size(), 0);
}
