#include "common/PlistBridge.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFileLock.h"
#include "common/sms/SmsListFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace yov::sms;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool appendToInbox(QVariantMap &list, const QString &text)
{
    QVariantList inbox = list.value("InBox").toList();
    inbox.prepend(QVariantMap{{"messagetext", text}});
    list.insert("InBox", inbox);
    return true;
}

} // namespace

TEST(SmsListFile, TheLockIsHeldByOneWriterAtATime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kSmsListPcFileName);
    SmsListFileLock first(path);
    SmsListFileLock second(path);
    ASSERT_TRUE(first.tryLock());
    QString why;
    EXPECT_FALSE(second.tryLock(&why));
    EXPECT_TRUE(why.contains(QLatin1String("held")));
    EXPECT_FALSE(second.lock(50, &why));
    EXPECT_TRUE(why.contains(QLatin1String("50 ms")));
    first.unlock();
    EXPECT_TRUE(second.lock(50));
    EXPECT_EQ(SmsListFileLock::lockPathOf(path), path + QStringLiteral(".lock"));
}

TEST(SmsListFile, ReadModifyWriteUnderTheLock)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kSmsListPcFileName);

    // A missing file is created from the given start; without one the write fails.
    EXPECT_FALSE(updateSmsListFile(path, [](QVariantMap &l) { return appendToInbox(l, "x"); }, std::nullopt, 100));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(updateSmsListFile(path, [](QVariantMap &l) { return appendToInbox(l, "one"); }, emptySmsList(0), 100));
    ASSERT_TRUE(updateSmsListFile(path, [](QVariantMap &l) { return appendToInbox(l, "two"); }, emptySmsList(0), 100));
    auto list = readSmsListFile(path);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->keys().size(), 6);
    EXPECT_EQ(list->value("InBox").toList().at(0).toMap().value("messagetext"), QVariant("two"));

    // While another writer holds the lock, a write that waits too long fails and changes nothing.
    const QByteArray before = bytesOf(path);
    {
        SmsListFileLock other(path);
        ASSERT_TRUE(other.tryLock());
        QString why;
        EXPECT_FALSE(updateSmsListFile(path, [](QVariantMap &l) { return appendToInbox(l, "three"); }, std::nullopt, 100, &why));
        EXPECT_FALSE(why.isEmpty());
    }
    EXPECT_EQ(bytesOf(path), before);

    // A change that declines writes nothing.
    EXPECT_FALSE(updateSmsListFile(path, [](QVariantMap &) { return false; }, std::nullopt, 100));
    EXPECT_EQ(bytesOf(path), before);

    // A file that is no property list is never replaced, not even with a start given.
    QFile bad(path);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("not a property list");
    bad.close();
    EXPECT_FALSE(updateSmsListFile(path, [](QVariantMap &l) { return appendToInbox(l, "four"); }, emptySmsList(0), 100));
    EXPECT_EQ(bytesOf(path), QByteArray("not a property list"));
}

TEST(SmsListFile, CardPathsAndEmptyLists)
{
    EXPECT_EQ(tcardSmsListPath(QStringLiteral("/media/card")), QStringLiteral("/media/card/SMS/SmsList_TCARD.plist"));
    EXPECT_EQ(emptySmsList(kPositionSim).keys(), (QStringList{"DraftBox", "InBox", "OutBox"}));
    EXPECT_TRUE(emptySmsList(kPositionSim).value("InBox").toList().isEmpty());
}
