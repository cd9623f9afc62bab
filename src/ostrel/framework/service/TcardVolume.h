#pragma once
// Where the modem's memory card is mounted.
//
// The modem is the first USB device (udev's enumeration order) whose idVendor is the maker's.
// Its card is the first removable disk below it that is not an optical drive; the card's mount
// point is the first entry of the mount table whose source is the card's device node or the node
// of one of the card's partitions (udev's parent link). Names are compared whole: "/dev/sdb" is
// not "/dev/sdb1x", "disk1" is not "disk10".

#include <QString>

#include <optional>

namespace ostrel {

struct TcardLookup {
    static constexpr int makerVendorId = 12122;

    int vendorId = makerVendorId;
    QString mountTablePath = QStringLiteral("/proc/self/mounts");

    // The card's mount point, or nullopt (logged: "Find no TCard object!", "TCard BSDName is nil!").
    std::optional<QString> find() const;

    // The mount point of the first entry of a mount table (fstab format, octal escapes decoded)
    // whose source is one of nodes.
    static std::optional<QString> mountPointOf(const QByteArray &mountTable, const QStringList &nodes);
};

// The card's volume: the folder OSTREL_TCARD names when it is set, else the default lookup.
std::optional<QString> getTcardVolume();

} // namespace ostrel
