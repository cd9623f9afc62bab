#include "common/ModemListResolver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using yov::ModemListResolver;

namespace {

void touch(const QString &path, const QByteArray &content = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Tree {
    QTemporaryDir root;
    ModemListResolver::Inputs in;
    Tree()
    {
        in.programDir = root.filePath("prefix/bin");
        in.dataHome = root.filePath("home/.local/share");
        in.systemDir = root.filePath("usr/share/ostrel/ModemList");
        QDir().mkpath(in.programDir);
    }
    QString shipped() const { return root.filePath("prefix/share/ostrel/ModemList"); }
    QString userCopy() const { return root.filePath("home/.local/share/ostrel/ModemList"); }
};

} // namespace

TEST(ModemListResolver, OverrideComesFirst)
{
    Tree t;
    touch(t.shipped() + "/settings.plist");
    t.in.overridePath = t.root.filePath("custom");
    EXPECT_EQ(ModemListResolver::resolve(t.in), QDir::cleanPath(t.root.filePath("custom")));
    EXPECT_TRUE(QFileInfo(t.root.filePath("custom")).isDir());
    EXPECT_FALSE(QFileInfo::exists(t.userCopy()));
}

TEST(ModemListResolver, PerUserCopyIsSeededOnceAndKeepsUserChanges)
{
    Tree t;
    touch(t.shipped() + "/settings.plist", "shipped");
    touch(t.shipped() + "/sound/sms.wav", "wav");
    EXPECT_EQ(ModemListResolver::resolve(t.in), QDir::cleanPath(t.userCopy()));
    EXPECT_EQ(read(t.userCopy() + "/settings.plist"), QByteArray("shipped"));
    EXPECT_EQ(read(t.userCopy() + "/sound/sms.wav"), QByteArray("wav"));

    touch(t.userCopy() + "/settings.plist", "user's");
    touch(t.shipped() + "/dialConfig.plist", "new in template");
    EXPECT_EQ(ModemListResolver::resolve(t.in), QDir::cleanPath(t.userCopy()));
    EXPECT_EQ(read(t.userCopy() + "/settings.plist"), QByteArray("user's"));
    EXPECT_EQ(read(t.userCopy() + "/dialConfig.plist"), QByteArray("new in template"));
}

TEST(ModemListResolver, SearchOrderOfShippedLocations)
{
    Tree t;
    const QStringList order = ModemListResolver::searchedLocations(t.in);
    ASSERT_EQ(order.size(), 4);
    EXPECT_EQ(order[0], QDir::cleanPath(t.shipped()));
    EXPECT_EQ(order[1], QDir::cleanPath(t.root.filePath("ModemList")));
    EXPECT_EQ(order[2], QDir::cleanPath(t.root.filePath("../Resources/ModemList")));
    EXPECT_EQ(order[3], QDir::cleanPath(t.in.systemDir));

    // Without a per-user folder the first existing location is used directly.
    t.in.dataHome.clear();
    touch(t.in.systemDir + "/settings.plist");
    EXPECT_EQ(ModemListResolver::resolve(t.in), QDir::cleanPath(t.in.systemDir));
    touch(t.root.filePath("ModemList/settings.plist"));
    EXPECT_EQ(ModemListResolver::resolve(t.in), QDir::cleanPath(t.root.filePath("ModemList")));
    touch(t.shipped() + "/settings.plist");
    EXPECT_EQ(ModemListResolver::resolve(t.in), QDir::cleanPath(t.shipped()));
}

TEST(ModemListResolver, NothingFoundGivesEmptyPath)
{
    Tree t;
    EXPECT_EQ(ModemListResolver::resolve(t.in), QString());
    EXPECT_FALSE(QFileInfo::exists(t.userCopy()));
}
