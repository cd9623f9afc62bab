// The PIN kept on this computer: read only from a file private to this user, never written into a
// shipped ModemList folder.
#include "common/ModemListResolver.h"
#include "ostrel/device/init/SavedPinStore.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char *kIccid = "89860412345678901234";

struct FileCase {
    const char *name;
    // Turns the kept file (written 0600 by the store) into the case's file.
    void (*make)(const QString &path, const QString &folder);
    bool read;
};

void PrintTo(const FileCase &c, std::ostream *out) { *out << c.name; }

void chmodTo(const QString &path, mode_t mode) { ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0); }

const FileCase kFileCases[] = {
    {"private", [](const QString &, const QString &) {}, true},
    {"group may read", [](const QString &p, const QString &) { chmodTo(p, 0640); }, false},
    {"others may read", [](const QString &p, const QString &) { chmodTo(p, 0604); }, false},
    {"group may write", [](const QString &p, const QString &) { chmodTo(p, 0620); }, false},
    {"a link to a private file",
     [](const QString &p, const QString &folder) {
         const QString target = QDir(folder).filePath(QStringLiteral("elsewhere.plist"));
         ASSERT_TRUE(QFile::rename(p, target));
         ASSERT_TRUE(QFile::link(target, p));
     },
     false},
    {"a pipe in its place",
     [](const QString &p, const QString &) {
         ASSERT_TRUE(QFile::remove(p));
         ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
     },
     false},
    {"a file too large to be a saved PIN",
     [](const QString &p, const QString &) {
         QFile file(p);
         ASSERT_TRUE(file.open(QIODevice::Append));
         ASSERT_TRUE(file.write(QByteArray(70 * 1024, ' ')) > 0);
     },
     false},
    {"another user's file",
     [](const QString &p, const QString &) {
         if (::geteuid() != 0)
             GTEST_SKIP() << "only root can hand a file to another user";
         ASSERT_EQ(::chown(QFile::encodeName(p).constData(), 65534, 65534), 0);
     },
     false},
};

class SavedPinFileTest : public ::testing::TestWithParam<FileCase> {};

} // namespace

TEST_P(SavedPinFileTest, IsReadOnlyWhenPrivateToThisUser)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ostrel::SavedPinStore store(dir.path());
    store.setShippedFolderCheck([](const QString &) { return false; });
    ASSERT_TRUE(store.save(QString::fromLatin1(kIccid), QStringLiteral("2468")));
    GetParam().make(store.filePath(), dir.path());
    if (testing::Test::IsSkipped())
        return;
    EXPECT_EQ(store.pinForIccid(QString::fromLatin1(kIccid)), GetParam().read ? QStringLiteral("2468") : QString());
    EXPECT_EQ(store.load().isValid(), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Files, SavedPinFileTest, ::testing::ValuesIn(kFileCases),
                         [](const auto &info) {
                             QString name = QString::fromLatin1(info.param.name);
                             name.remove(QLatin1Char(' ')).remove(QLatin1Char('\''));
                             return name.toStdString();
                         });

TEST(SavedPinStoreTest, NothingIsSavedIntoTheShippedFolder)
{
    // The build tree's shipped ModemList folder stands for the one a user shares with every other
    // user when no private copy can be made.
    const QString shipped = QDir(testing_paths::shareDir()).filePath(QStringLiteral("ModemList"));
    ASSERT_TRUE(QDir(shipped).exists());
    ASSERT_TRUE(yov::ModemListResolver::isShippedLocation(shipped));
    ostrel::SavedPinStore store(shipped);
    const bool existedBefore = QFile::exists(store.filePath());
    QString error;
    bool shared = false;
    EXPECT_FALSE(store.save(QString::fromLatin1(kIccid), QStringLiteral("2468"), &error, &shared));
    EXPECT_TRUE(shared);
    EXPECT_FALSE(error.isEmpty());
    if (!existedBefore && QFile::exists(store.filePath()))
        QFile::remove(store.filePath());
    EXPECT_EQ(QFile::exists(store.filePath()), existedBefore);

    QTemporaryDir own;
    EXPECT_FALSE(yov::ModemListResolver::isShippedLocation(own.path()));
}
