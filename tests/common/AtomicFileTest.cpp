#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(AtomicFile, WritesCreatesFoldersAndReplaces)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/folder/file.txt");
    ASSERT_TRUE(yov::AtomicFile::write(path, "one"));
    ASSERT_TRUE(yov::AtomicFile::write(path, "two"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("two"));
    EXPECT_EQ(QDir(dir.filePath("sub/folder")).entryList(QDir::Files).size(), 1) << "no temporary left behind";
}

TEST(AtomicFile, FailureIsReportedAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    // A regular file where a folder is needed: fails even for root.
    const QString blocker = dir.filePath("blocker");
    ASSERT_TRUE(yov::AtomicFile::write(blocker, "keep"));
    QString error;
    EXPECT_FALSE(yov::AtomicFile::write(blocker + "/child.txt", "x", &error));
    EXPECT_TRUE(error.contains("child.txt"));
    EXPECT_FALSE(yov::AtomicFile::write(QString(), "x"));
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep"));
}

TEST(AtomicFile, PrivateWriteLeavesTheFileToItsOwnerAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("secret.plist"));
    auto mode = [&path] {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 0u;
    };
    // A new file, and one that others could read before.
    ASSERT_TRUE(yov::AtomicFile::writePrivate(path, "one"));
    EXPECT_EQ(mode(), 0600u);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                                | QFileDevice::ReadOther));
    ASSERT_TRUE(yov::AtomicFile::writePrivate(path, "two"));
    EXPECT_EQ(mode(), 0600u);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("two"));
    // The ordinary write keeps the mode the file has.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    ASSERT_TRUE(yov::AtomicFile::write(path, "three"));
    EXPECT_EQ(mode(), 0604u);
}
