#include "ostrel/framework/service/TcardVolume.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// GLib uses "signals" as a field name; Qt defines it as a keyword.
#pragma push_macro("signals")
#undef signals
#include <umockdev.h>
#pragma pop_macro("signals")

using ostrel::TcardLookup;

namespace {

// A umockdev testbed with the devices a test adds, and a mount table of its own.
class TcardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testbed = umockdev_testbed_new();
        ASSERT_NE(testbed, nullptr);
        // The preload answers only once a testbed exists.
        if (!umockdev_in_mock_environment())
            GTEST_SKIP() << "needs umockdev's preload: run under tests/fixtures/umockdev/with-umockdev";
    }
    void TearDown() override
    {
        if (testbed)
            g_object_unref(testbed);
    }

    // A USB device of the given vendor (four hexadecimal digits).
    QByteArray usbDevice(const char *name, const char *vendor)
    {
        gchar *path = umockdev_testbed_add_device(testbed, "usb", name, nullptr, "idVendor", vendor, "idProduct",
                                                  "1506", nullptr, "DEVTYPE", "usb_device", nullptr);
        return take(path);
    }
    QByteArray disk(const QByteArray &parent, const char *name, const char *removable, bool optical = false)
    {
        const QByteArray node = QByteArray("/dev/") + name;
        gchar *path = optical
            ? umockdev_testbed_add_device(testbed, "block", name, parent.constData(), "removable", removable, nullptr,
                                          "DEVNAME", node.constData(), "DEVTYPE", "disk", "ID_CDROM", "1", nullptr)
            : umockdev_testbed_add_device(testbed, "block", name, parent.constData(), "removable", removable, nullptr,
                                          "DEVNAME", node.constData(), "DEVTYPE", "disk", nullptr);
        return take(path);
    }
    QByteArray partition(const QByteArray &parent, const char *name)
    {
        const QByteArray node = QByteArray("/dev/") + name;
        gchar *path = umockdev_testbed_add_device(testbed, "block", name, parent.constData(), "partition", "1", nullptr,
                                                  "DEVNAME", node.constData(), "DEVTYPE", "partition", nullptr);
        return take(path);
    }
    std::optional<QString> lookup(const QByteArray &mountTable)
    {
        const QString path = dir.filePath("mounts");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(mountTable);
        file.close();
        TcardLookup lookup;
        lookup.mountTablePath = path;
        return lookup.find();
    }

    static QByteArray take(gchar *path)
    {
        EXPECT_NE(path, nullptr);
        QByteArray result(path ? path : "");
        g_free(path);
        return result;
    }

    UMockdevTestbed *testbed = nullptr;
    QTemporaryDir dir;
};

const QByteArray kMounts = "proc /proc proc rw 0 0\n"
                           "/dev/sda1 / ext4 rw 0 0\n"
                           "/dev/sdb1 /media/user/CARD vfat rw 0 0\n"
                           "/dev/sdc /media/user/WHOLE vfat rw 0 0\n";

} // namespace

TEST_F(TcardTest, FoundThroughAPartition)
{
    const QByteArray modem = usbDevice("1-1", "2f5a");
    disk(modem, "sda", "1", /*optical=*/true); // the CD-ROM (first by name) is not the card
    const QByteArray card = disk(modem, "sdb", "1");
    partition(card, "sdb1");
    EXPECT_EQ(lookup(kMounts), QString("/media/user/CARD"));
}

TEST_F(TcardTest, FoundOnAnUnpartitionedCard)
{
    const QByteArray modem = usbDevice("1-1", "2F5A");
    disk(modem, "sdc", "1");
    EXPECT_EQ(lookup(kMounts), QString("/media/user/WHOLE"));
}

TEST_F(TcardTest, MountPointWithEscapedSpace)
{
    const QByteArray modem = usbDevice("1-1", "2f5a");
    partition(disk(modem, "sdb", "1"), "sdb1");
    EXPECT_EQ(lookup("/dev/sdb1 /media/user/MY\\040CARD vfat rw 0 0\n"), QString("/media/user/MY CARD"));
}

TEST_F(TcardTest, NoneFound)
{
    // No device of the maker at all.
    const QByteArray other = usbDevice("1-1", "1d6b");
    partition(disk(other, "sdb", "1"), "sdb1");
    EXPECT_FALSE(lookup(kMounts).has_value());

    // The maker's device with a fixed disk only, and a card that is not mounted.
    const QByteArray modem = usbDevice("1-2", "2f5a");
    disk(modem, "sdd", "0");
    EXPECT_FALSE(lookup(kMounts).has_value());
    partition(disk(modem, "sde", "1"), "sde1");
    EXPECT_FALSE(lookup(kMounts).has_value());
    EXPECT_FALSE(lookup("").has_value());
}

TEST_F(TcardTest, FirstOfTwoDevicesDecides)
{
    const QByteArray first = usbDevice("1-1", "2f5a");
    partition(disk(first, "sdb", "1"), "sdb1");
    const QByteArray second = usbDevice("1-2", "2f5a");
    disk(second, "sdc", "1");
    EXPECT_EQ(lookup(kMounts), QString("/media/user/CARD"));
    // The first device's card not mounted: no answer, the second device is not asked.
    EXPECT_FALSE(lookup("/dev/sdc /media/user/WHOLE vfat rw 0 0\n").has_value());
}

TEST_F(TcardTest, NamesAreComparedWhole)
{
    const QByteArray modem = usbDevice("1-1", "2f5a");
    partition(disk(modem, "sdb", "1"), "sdb1");
    EXPECT_FALSE(lookup("/dev/sdb1x /media/wrong vfat rw 0 0\n/dev/sdb10 /media/wrong2 vfat rw 0 0\n"
                        "/dev/sd /media/wrong3 vfat rw 0 0\n")
                     .has_value());
    EXPECT_EQ(lookup("/dev/sdb10 /media/wrong vfat rw 0 0\n/dev/sdb1 /media/right vfat rw 0 0\n"), QString("/media/right"));
}

TEST_F(TcardTest, DiskOneIsNotDiskTen)
{
    const QByteArray modem = usbDevice("1-1", "2f5a");
    disk(modem, "disk1", "1");
    const QByteArray other = usbDevice("2-1", "1d6b");
    disk(other, "disk10", "1");
    EXPECT_FALSE(lookup("/dev/disk10 /media/other vfat rw 0 0\n").has_value());
    EXPECT_EQ(lookup("/dev/disk10 /media/other vfat rw 0 0\n/dev/disk1 /media/card vfat rw 0 0\n"),
              QString("/media/card"));
}

TEST(TcardMountTable, ParsesFieldsAndComments)
{
    const QByteArray table = "# comment /dev/sdb\n\n  /dev/sdb   /media/a\\011b  vfat rw 0 0\n/dev/sdb /second\n";
    EXPECT_EQ(TcardLookup::mountPointOf(table, {"/dev/sdb"}), QString("/media/a\tb"));
    EXPECT_FALSE(TcardLookup::mountPointOf(table, {"/dev/sdc"}).has_value());
}

TEST(TcardVolume, AFolderNamedByTheEnvironmentStandsInForTheCard)
{
    qputenv("OSTREL_TCARD", "/tmp/stand-in-card");
    EXPECT_EQ(ostrel::getTcardVolume(), QString("/tmp/stand-in-card"));
    qunsetenv("OSTREL_TCARD");
}
