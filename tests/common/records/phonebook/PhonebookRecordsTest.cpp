#include "common/records/phonebook/PhonebookRecords.h"
#include "support/GoldenBytes.h"

#include <gtest/gtest.h>

using namespace yov;

TEST(PhonebookInitRecordBytes, EveryFieldAtItsOffset)
{
    PhonebookInitRecord r;
    r.numberLength = 20;
    r.nameLength = 14;
    r.minIndex = 1;
    r.maxIndex = 250;
    r.path = QStringLiteral("/home/ü/ModemList/SIM_Items.plist");
    r.number2Length = 21;
    r.number3Length = 22;
    r.emailLength = 40;
    r.storage = kPbStorageSim;
    QByteArray expected(548, '\0');
    golden::le32(expected, 4, 20);
    golden::le32(expected, 8, 14);
    golden::le32(expected, 12, 1);
    golden::le32(expected, 16, 250);
    golden::text(expected, 20, "/home/ü/ModemList/SIM_Items.plist");
    golden::le32(expected, 532, 21);
    golden::le32(expected, 536, 22);
    golden::le32(expected, 540, 40);
    golden::le32(expected, 544, 2);
    EXPECT_EQ(r.encode(), expected);
    EXPECT_EQ(PhonebookInitRecord::decode(PayloadReader(expected)), r);
}

TEST(PhonebookWriteRequestBytes, ANameCutBeforeACharacterThatDoesNotFit)
{
    PhonebookWriteRequest w;
    w.index = 3;
    w.name = QString(118, QLatin1Char('a')) + QStringLiteral("€"); // 118 bytes, then three
    w.number1 = QStringLiteral("0301");
    const QByteArray bytes = w.encode();
    ASSERT_EQ(bytes.size(), 540);
    EXPECT_EQ(bytes.mid(4, 120), QByteArray(118, 'a') + QByteArray(2, '\0'));
    EXPECT_EQ(PhonebookWriteRequest::decode(PayloadReader(bytes)).name, QString(118, QLatin1Char('a')));
    // A name of two-byte characters keeps whole characters: 59 of them, 118 bytes.
    w.name = QString(70, QChar(0x00E9));
    EXPECT_EQ(PhonebookWriteRequest::decode(PayloadReader(w.encode())).name, QString(59, QChar(0x00E9)));
}

TEST(PhonebookWriteResultBytes, ReadFromSixteenBytesOrFewer)
{
    QByteArray full(16, '\0');
    golden::le32(full, 0, 0xdeadbeef);
    golden::le32(full, 4, 7);
    golden::le32(full, 8, kPbOperationDelete);
    golden::le32(full, 12, 0x100); // only the low byte counts: a failure
    const PhonebookWriteResult r = PhonebookWriteResult::decode(PayloadReader(full));
    EXPECT_EQ(r.index, 7);
    EXPECT_EQ(r.operation, kPbOperationDelete);
    EXPECT_FALSE(r.succeeded());
    EXPECT_EQ((PhonebookWriteResult{7, 1, 1}.encode().mid(4)), QByteArray::fromHex("070000000100000001000000"));

    const PhonebookWriteResult shortOne = PhonebookWriteResult::decode(PayloadReader(full.left(4)));
    EXPECT_EQ(shortOne.index, 0);
    EXPECT_EQ(shortOne.operation, 0);
    EXPECT_FALSE(shortOne.succeeded());
}
