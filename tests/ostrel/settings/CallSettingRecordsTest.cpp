// The supplementary-service records of major 2307: request bytes laid out by hand, and status
// records read within their room whatever their count says.
#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"
#include "support/GoldenBytes.h"

#include <gtest/gtest.h>

namespace {

QByteArray zeros(int n) { return QByteArray(n, '\0'); }

TEST(CallSettingRecordsTest, RequestsHaveTheirGoldenBytes)
{
    const QByteArray number31 = "+123456789012345678901234567890"; // 31 characters
    ASSERT_EQ(number31.size(), 31);

    QByteArray query = zeros(88);
    golden::le32(query, 0, 1);
    golden::le32(query, 4, 2);
    golden::le32(query, 40, 129);
    golden::le32(query, 44, 1);

    QByteArray reg = zeros(88);
    golden::le32(reg, 0, 0);
    golden::le32(reg, 4, 3);
    golden::text(reg, 8, number31);
    golden::le32(reg, 40, 129); // 129 even for a "+" number
    golden::le32(reg, 44, 1);

    QByteArray erase = zeros(88);
    golden::le32(erase, 0, 3);
    golden::le32(erase, 4, 4);
    golden::text(erase, 8, "0123");
    golden::le32(erase, 40, 129);
    golden::le32(erase, 44, 1);

    QByteArray barQuery = zeros(32);
    golden::text(barQuery, 0, "OI");
    golden::le32(barQuery, 12, 2);
    golden::le32(barQuery, 28, 1);

    QByteArray barLock = zeros(32);
    golden::text(barLock, 0, "AO");
    golden::le32(barLock, 12, 1);
    golden::text(barLock, 16, "12345678901"); // 11 characters, the field's most
    golden::le32(barLock, 28, 1);

    QByteArray wait = zeros(12);
    golden::le32(wait, 0, 1);
    golden::le32(wait, 4, 1);
    golden::le32(wait, 8, 1);

    const struct {
        const char *what;
        QByteArray encoded;
        QByteArray expected;
    } cases[] = {
        {"153 query busy (number not filled)", yov::CallForwardRequest{yov::kForwardBusy, 2, "999", 129, 1}.encode(), query},
        {"153 register all, 31 characters", yov::CallForwardRequest{yov::kForwardAll, 3, number31, 129, 1}.encode(), reg},
        {"153 erase not reachable", yov::CallForwardRequest{yov::kForwardNotReachable, 4, "0123", 129, 1}.encode(), erase},
        {"154 query (password not filled)", yov::CallBarRequest{"OI", 2, "0000", 1}.encode(), barQuery},
        {"154 lock with password", yov::CallBarRequest{"AO", 1, "12345678901", 1}.encode(), barLock},
        {"155 set on", yov::CallWaitRequest{1, 1, 1}.encode(), wait},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.encoded.toHex(), c.expected.toHex());
    }
}

TEST(CallSettingRecordsTest, StatusRecordsAreReadWithinTheirItems)
{
    // A forwarding status whose count says 25 but which has room for 20 items.
    QByteArray full = zeros(yov::CallForwardStatus::kSize);
    golden::le32(full, 0, 25);
    for (int i = 0; i < 20; ++i) {
        golden::le32(full, 4 + i * 84, i % 2);
        golden::le32(full, 8 + i * 84, 1);
        golden::text(full, 12 + i * 84, QByteArray::number(i));
    }
    // A waiting status cut after two items, count 5.
    QByteArray cut = zeros(4 + 2 * 8);
    golden::le32(cut, 0, 5);
    golden::le32(cut, 4, 1);
    golden::le32(cut, 8, 255);
    golden::le32(cut, 12, 0);
    golden::le32(cut, 16, 4);
    QByteArray negative = zeros(yov::CallWaitStatus::kSize);
    golden::le32(negative, 0, -3);

    const auto forward = yov::CallForwardStatus::decode(yov::PayloadReader(full));
    EXPECT_EQ(forward.count, 25);
    ASSERT_EQ(forward.items.size(), 20);
    EXPECT_EQ(forward.items[19].number, "19");
    EXPECT_EQ(forward.items[19].status, 1);

    const struct {
        const char *what;
        QByteArray bytes;
        int items;
    } waits[] = {{"cut short", cut, 2}, {"negative count", negative, 0}, {"empty", {}, 0}};
    for (const auto &w : waits) {
        SCOPED_TRACE(w.what);
        EXPECT_EQ(yov::CallWaitStatus::decode(yov::PayloadReader(w.bytes)).items.size(), w.items);
    }
    const auto two = yov::CallWaitStatus::decode(yov::PayloadReader(cut)).items;
    EXPECT_EQ(two[0].callClass, 255);
    EXPECT_EQ(two[1].callClass, 4);

    // A 32-character number with no terminator reads as its 32 bytes, never past them.
    QByteArray unterminated = zeros(yov::CallForwardStatus::kSize);
    golden::le32(unterminated, 0, 1);
    golden::le32(unterminated, 4, 1);
    golden::le32(unterminated, 8, 1);
    golden::text(unterminated, 12, QByteArray(32, '7'));
    golden::le32(unterminated, 44, 145);
    EXPECT_EQ(yov::CallForwardStatus::decode(yov::PayloadReader(unterminated)).items.value(0).number, QByteArray(32, '7'));
}

} // namespace
