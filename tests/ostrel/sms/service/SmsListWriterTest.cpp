#include "ostrel/sms/SmsTestMessages.h"

#include "common/PlistBridge.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFileLock.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/sms/service/SmsBoxMerge.h"
#include "ostrel/sms/service/SmsListWriter.h"
#include "support/ManualClock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace sms_test;
using yov::sms::SmsListFileLock;

namespace {

QVariantList boxInFile(const QString &path, const QString &box)
{
    const auto list = yov::sms::readSmsListFile(path);
    return list ? list->value(box).toList() : QVariantList();
}

class SmsListWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(yov::sms::kSmsListPcFileName);
    }

    void writeFile(const QVariantMap &list) { ASSERT_TRUE(yov::PlistBridge::writeFile(path_, list)); }

    // One write through the writer; the result when it has finished.
    std::optional<SmsBoxWriteResult> writeNow(int box, SmsBoxChange change)
    {
        std::optional<SmsBoxWriteResult> got;
        writer_.write(path_, yov::sms::kPositionPc, box, std::move(change), [&](const SmsBoxWriteResult &r) { got = r; });
        return got;
    }

    QTemporaryDir dir_;
    QString path_;
    testing_support::ManualClock clock_;
    SmsListWriter writer_{clock_};
};

TEST_F(SmsListWriterTest, AMissingFileIsCreatedWithEveryBoxOfItsPosition)
{
    const auto result = writeNow(yov::sms::kBoxBroadCastBox, SmsListWriter::addMessage(flatDraft("112", "alert", 1), true));
    ASSERT_TRUE(result && result->ok) << (result ? result->error.toStdString() : "pending");
    const auto list = yov::sms::readSmsListFile(path_);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->keys(), yov::sms::emptySmsList(yov::sms::kPositionPc).keys());
    EXPECT_EQ(smsTexts(list->value("BroadCastBox").toList()), QStringList{"alert"});
    EXPECT_EQ(smsTexts(result->newBase), QStringList{"alert"});
}

TEST_F(SmsListWriterTest, AnUnparsableFileIsLeftWholeAndTheWriteFails)
{
    const QByteArray junk("<?xml version=\"1.0\"?><plist><dict><key>InBox</key>");
    {
        QFile f(path_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(junk);
    }
    for (int box : {yov::sms::kBoxInBox, yov::sms::kBoxDraftBox}) {
        const auto result = writeNow(box, SmsListWriter::addMessage(singleSms("1", "x", 1)));
        ASSERT_TRUE(result);
        EXPECT_FALSE(result->ok);
        EXPECT_FALSE(result->error.isEmpty());
    }
    QFile f(path_);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), junk);
}

TEST_F(SmsListWriterTest, BoxesThatNoListFileKeepAreRefused)
{
    for (int box : {int(yov::sms::kBoxDeliveryReport), 7, -1}) {
        const auto result = writeNow(box, SmsListWriter::addMessage(singleSms("1", "x", 1)));
        ASSERT_TRUE(result);
        EXPECT_FALSE(result->ok) << box;
    }
    EXPECT_FALSE(QFile::exists(path_));
}

// The holder loaded the inbox (its base), the device service then stored a new message, and the
// holder writes its copy with one message marked read: the new message stays, in front.
TEST_F(SmsListWriterTest, AMessageAddedAfterTheLoadSurvivesAMarkRead)
{
    const QVariantList base{singleSms("100", "old one", 1), singleSms("200", "old two", 2)};
    writeFile({{"InBox", base}});
    writeFile({{"InBox", QVariantList{singleSms("300", "arrived meanwhile", 3)} + base}});

    QVariantList mine = base;
    mine[1] = withSummaryKey(withKey(mine[1].toMap(), "index", 1), "stat", 1);
    const auto result = writeNow(yov::sms::kBoxInBox, SmsListWriter::replaceMerging(mine, base, yov::sms::kBoxInBox));
    ASSERT_TRUE(result && result->ok);
    const QVariantList inbox = boxInFile(path_, "InBox");
    EXPECT_EQ(smsTexts(inbox), (QStringList{"arrived meanwhile", "old one", "old two"}));
    EXPECT_EQ(inbox.at(2).toMap().value("concatSmsInfo").toMap().value("stat").toInt(), 1);
    EXPECT_EQ(smsTexts(result->newBase), smsTexts(inbox));
}

TEST_F(SmsListWriterTest, MergeTable)
{
    const QVariantMap a = singleSms("1", "a", 1), b = singleSms("2", "b", 2), c = singleSms("3", "c", 3);
    const QVariantMap d1 = flatDraft("5;6;", "draft", 4), d2 = flatDraft("7", "other draft", 5);
    struct Case {
        const char *what;
        int box;
        QVariantList array, base, current;
        QStringList expected;
    };
    const Case cases[] = {
        {"nothing changed elsewhere: the holder's array", 0, {a}, {a, b}, {a, b}, {"a"}},
        {"removed meanwhile stays gone", 2, {d1, d2}, {d1, d2}, {d2}, {"other draft"}},
        {"added meanwhile goes to the end of other boxes", 1, {a}, {a}, {a, c}, {"a", "c"}},
        {"added meanwhile goes to the front of the inbox", 0, {a}, {a}, {c, a}, {"c", "a"}},
        {"a duplicate added meanwhile counts", 0, {a}, {a}, {a, a}, {"a", "a"}},
        {"one of two equal messages removed meanwhile", 0, {a, a, b}, {a, a, b}, {a, b}, {"a", "b"}},
        {"deleted by the holder, still in the file: stays deleted", 0, {b}, {a, b}, {a, b}, {"b"}},
        {"the file lost a box the holder moved on", 4, {a}, {}, {}, {"a"}},
        {"status, index, name and IMSI do not count", 0,
         {withKey(withSummaryKey(withSummaryKey(a, "stat", 1), "username", "Ann"), "IMSI", "999")},
         {withKey(a, "index", 0)}, {a}, {"a"}},
    };
    for (const Case &t : cases)
        EXPECT_EQ(smsTexts(mergeSmsBox(t.array, t.base, t.current, t.box)), t.expected) << t.what;
}

TEST_F(SmsListWriterTest, ConcatenatedMessagesAreMatchedByTheirWholeText)
{
    const QVariantMap m = concatSms("9", {"Hello ", "World"}, 4);
    QVariantMap otherText = concatSms("9", {"Hello ", "there"}, 4);
    EXPECT_EQ(smsMessageIdentity(m), smsMessageIdentity(withKey(m, "IMSI", "1")));
    EXPECT_NE(smsMessageIdentity(m), smsMessageIdentity(otherText));
    EXPECT_NE(smsMessageIdentity(singleSms("9", "x", 1)), smsMessageIdentity(singleSms("9", "x", 2)));
    EXPECT_NE(smsMessageIdentity(singleSms("9", "x", 1)), smsMessageIdentity(singleSms("8", "x", 1)));
}

TEST_F(SmsListWriterTest, AHeldLockIsRetriedOnTheClockWithoutBlocking)
{
    writeFile(yov::sms::emptySmsList(0));
    SmsListFileLock other(path_);
    ASSERT_TRUE(other.tryLock());

    const auto result = writeNow(yov::sms::kBoxOutBox, SmsListWriter::addMessage(singleSms("1", "first", 1)));
    EXPECT_FALSE(result) << "the write must wait, not block";
    std::optional<SmsBoxWriteResult> second;
    writer_.write(path_, 0, yov::sms::kBoxOutBox, SmsListWriter::addMessage(singleSms("2", "second", 2)),
                  [&](const SmsBoxWriteResult &r) { second = r; });
    EXPECT_EQ(writer_.pendingWrites(), 2);
    clock_.advance(2000);
    EXPECT_EQ(writer_.pendingWrites(), 2);
    other.unlock();
    clock_.advance(SmsListWriter::kRetryMs);
    ASSERT_TRUE(second && second->ok);
    EXPECT_EQ(smsTexts(boxInFile(path_, "OutBox")), (QStringList{"first", "second"})) << "writes keep their order";
}

TEST_F(SmsListWriterTest, ALockHeldPastTheLimitFailsTheWrite)
{
    writeFile(yov::sms::emptySmsList(0));
    SmsListFileLock other(path_);
    ASSERT_TRUE(other.tryLock());
    std::optional<SmsBoxWriteResult> got;
    writer_.write(path_, 0, yov::sms::kBoxInBox, SmsListWriter::addMessage(singleSms("1", "x", 1)),
                  [&](const SmsBoxWriteResult &r) { got = r; });
    clock_.advance(SmsListFileLock::kWaitMs - SmsListWriter::kRetryMs);
    EXPECT_FALSE(got);
    clock_.advance(2 * SmsListWriter::kRetryMs);
    ASSERT_TRUE(got);
    EXPECT_FALSE(got->ok);
    EXPECT_TRUE(got->error.contains("5000 ms")) << got->error.toStdString();
    EXPECT_TRUE(boxInFile(path_, "InBox").isEmpty());
    EXPECT_EQ(clock_.pending(), 0);
}

} // namespace
