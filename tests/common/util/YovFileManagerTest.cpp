#include "common/util/YovFileManager.h"

#include "common/PlistBridge.h"
#include "support/ManualClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using yov::YovFileManager;
using yov::YovObjectOperation;

namespace {

class FileManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }
    QString path(const QString &relative) const { return QDir(dir.path()).filePath(relative); }
    void touch(const QString &relative, const QByteArray &bytes = "x")
    {
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << relative.toStdString();
        f.write(bytes);
    }

    QTemporaryDir dir;
    QString previous;
};

} // namespace

TEST_F(FileManagerTest, CreateDirectoryMakesOneLevelOnly)
{
    EXPECT_FALSE(YovFileManager::createDirectory(""));
    EXPECT_TRUE(YovFileManager::createDirectory(path("one")));
    EXPECT_TRUE(YovFileManager::createDirectory(path("one"))); // exists
    EXPECT_FALSE(YovFileManager::createDirectory(path("two/three")));
    EXPECT_FALSE(QFileInfo::exists(path("two")));
}

TEST_F(FileManagerTest, CreateFolderWalksEveryLevel)
{
    EXPECT_FALSE(YovFileManager::createFolder(""));
    EXPECT_TRUE(YovFileManager::createFolder("rel/deeper/")); // relative, trailing "/"
    EXPECT_TRUE(QFileInfo(path("rel/deeper")).isDir());
    EXPECT_TRUE(YovFileManager::createFolder(path("abs/a/b")));
    EXPECT_TRUE(QFileInfo(path("abs/a/b")).isDir());
    // The walk stops at the first empty component.
    EXPECT_TRUE(YovFileManager::createFolder("stop//after"));
    EXPECT_TRUE(QFileInfo(path("stop")).isDir());
    EXPECT_FALSE(QFileInfo::exists(path("stop/after")));
    // A level that is a file fails.
    touch("plain");
    EXPECT_TRUE(YovFileManager::createFolder("plain")); // exists, even as a file
    EXPECT_FALSE(YovFileManager::createFolder("plain/below"));
    EXPECT_FALSE(YovFileManager::createFolder("/"));
}

TEST_F(FileManagerTest, WriteToFileByKind)
{
    EXPECT_FALSE(YovFileManager::writeToFile("", QString("x")));
    EXPECT_TRUE(YovFileManager::writeToFile(path("new/folder/text.ini"), QString("caf\u00e9")));
    QFile text(path("new/folder/text.ini"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), QByteArray("caf\xc3\xa9"));

    EXPECT_TRUE(YovFileManager::writeToFile(path("latin.ini"), QString("caf\u00e9"), QStringConverter::Latin1));
    QFile latin(path("latin.ini"));
    ASSERT_TRUE(latin.open(QIODevice::ReadOnly));
    EXPECT_EQ(latin.readAll(), QByteArray("caf\xe9"));

    EXPECT_TRUE(YovFileManager::writeToFile(path("data.bin"), QByteArray("\x00\x01", 2)));
    EXPECT_EQ(QFileInfo(path("data.bin")).size(), 2);

    const QVariantMap dict{{"k", QString("v")}, {"n", qint64(3)}};
    EXPECT_TRUE(YovFileManager::writeToFile(path("dict.plist"), dict));
    EXPECT_EQ(yov::PlistBridge::readFile(path("dict.plist")), QVariant(dict));

    EXPECT_TRUE(YovFileManager::writeToFile(path("number"), 42)); // other kind: nothing written
    EXPECT_FALSE(QFileInfo::exists(path("number")));

    touch("blocker");
    EXPECT_FALSE(YovFileManager::writeToFile(path("blocker/inside.txt"), QString("x")));
}

TEST_F(FileManagerTest, ReadFromFileKeepsTwoPartLinesOnly)
{
    touch("card.ini", "name=Ann\r\nbroken\r\na=b=c\r\nname=Bob\r\n=empty key\r\nphone=123\r\n");
    const QMap<QString, QString> map = YovFileManager::readFromFile(path("card.ini"), "\r\n", "=");
    EXPECT_EQ(map, (QMap<QString, QString>{{"name", "Bob"}, {"", "empty key"}, {"phone", "123"}}));
    EXPECT_TRUE(YovFileManager::readFromFile(path("missing.ini"), "\n", "=").isEmpty());
}

TEST_F(FileManagerTest, FileTypesAndHidden)
{
    touch("file");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(path("folder"), path("link-to-folder")));
    ASSERT_TRUE(QFile::link(path("gone"), path("dangling")));
    EXPECT_EQ(YovFileManager::getFileTypeWithPath(path("file")), YovFileManager::RegularFile);
    EXPECT_EQ(YovFileManager::getFileTypeWithPath(path("folder")), YovFileManager::Directory);
    EXPECT_EQ(YovFileManager::getFileTypeWithPath(path("link-to-folder")), YovFileManager::Directory);
    EXPECT_EQ(YovFileManager::getFileTypeWithPath(path("dangling")), YovFileManager::Missing);
    EXPECT_EQ(YovFileManager::getFileTypeWithPath("/dev/null"), YovFileManager::OtherKind);
    EXPECT_TRUE(YovFileManager::isHiddenFile(path(".hidden")));
    EXPECT_FALSE(YovFileManager::isHiddenFile(path("file")));
}

TEST_F(FileManagerTest, SubPathsFilterByTypeAndHidden)
{
    ASSERT_TRUE(YovFileManager::createFolder(path("root/sub/deep")));
    touch("root/a.ini");
    touch("root/.secret");
    touch("root/sub/b.ini");
    touch("root/sub/deep/c.ini");
    const QString root = path("root");

    EXPECT_EQ(YovFileManager::getSubPathsWithFileDirectoryPath(root, 0, false, false),
              QStringList({"a.ini", "sub/b.ini", "sub/deep/c.ini"}));
    EXPECT_EQ(YovFileManager::getSubPathsWithFileDirectoryPath(root, 1, false, false),
              QStringList({"sub", "sub/deep"}));
    EXPECT_EQ(YovFileManager::getSubPathsWithFileDirectoryPath(root, 2, false, true), QStringList({".secret"}));
    EXPECT_EQ(YovFileManager::getSubPathsWithFileDirectoryPath(root, 1, true, false),
              QStringList({root + "/sub", root + "/sub/deep"}));
    EXPECT_EQ(YovFileManager::getSubPathsWithFileDirectoryPath(root, 9, false, false), QStringList());
    EXPECT_FALSE(YovFileManager::getSubPathsWithFileDirectoryPath(path("root/a.ini"), 2, false, false).has_value());
    EXPECT_FALSE(YovFileManager::getSubPathsWithFileDirectoryPath(path("none"), 2, false, false).has_value());
}

TEST_F(FileManagerTest, RemoveFileAtPath)
{
    EXPECT_TRUE(YovFileManager::removeFileAtPath(path("nothing")));
    ASSERT_TRUE(YovFileManager::createFolder(path("tree/inner")));
    touch("tree/inner/f");
    ASSERT_TRUE(QFile::link(path("tree"), path("link")));
    EXPECT_TRUE(YovFileManager::removeFileAtPath(path("link"))); // the link only
    EXPECT_TRUE(QFileInfo::exists(path("tree/inner/f")));
    EXPECT_TRUE(YovFileManager::removeFileAtPath(path("tree")));
    EXPECT_FALSE(QFileInfo::exists(path("tree")));
}

TEST(YovObjectOperation, CheckNilByClass)
{
    testing_support::ManualClock clock;
    using C = YovObjectOperation::ObjectClass;
    EXPECT_EQ(YovObjectOperation::checkNilWithObject(QVariant(), C::String), QVariant(QString("")));
    EXPECT_EQ(YovObjectOperation::checkNilWithObject(QVariant(), C::Number), QVariant(qint64(0)));
    EXPECT_EQ(YovObjectOperation::checkNilWithObject(QVariant(), C::Date, &clock), QVariant(clock.now()));
    EXPECT_TRUE(YovObjectOperation::isNullObject(YovObjectOperation::checkNilWithObject(QVariant(), C::Other)));
    EXPECT_EQ(YovObjectOperation::checkNilWithObject(QVariant(QString("kept")), C::Number), QVariant(QString("kept")));
    const QVariant null = QVariant::fromValue(nullptr);
    EXPECT_TRUE(YovObjectOperation::isNullObject(YovObjectOperation::checkNilWithObject(null, C::String)));
}
