#include "ostrel/framework/service/TcardVolume.h"

#include <QFile>
#include <QLoggingCategory>
#include <QStringList>

#include <libudev.h>

#include <memory>

Q_LOGGING_CATEGORY(lcTcard, "ostrel.tcard")

namespace ostrel {

namespace {

struct UdevDeleter {
    void operator()(udev *u) const { udev_unref(u); }
    void operator()(udev_enumerate *e) const { udev_enumerate_unref(e); }
    void operator()(udev_device *d) const { udev_device_unref(d); }
};
using UdevPtr = std::unique_ptr<udev, UdevDeleter>;
using EnumeratePtr = std::unique_ptr<udev_enumerate, UdevDeleter>;
using DevicePtr = std::unique_ptr<udev_device, UdevDeleter>;

constexpr qint64 kMaxMountTableBytes = 4 * 1024 * 1024;

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

// Syspaths of the devices matching an enumeration, in udev's order.
QStringList scan(udev *u, const char *subsystem, const char *devtype)
{
    QStringList paths;
    EnumeratePtr e(udev_enumerate_new(u));
    if (!e)
        return paths;
    udev_enumerate_add_match_subsystem(e.get(), subsystem);
    if (devtype)
        udev_enumerate_add_match_property(e.get(), "DEVTYPE", devtype);
    if (udev_enumerate_scan_devices(e.get()) < 0)
        return paths;
    udev_list_entry *entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e.get()))
        paths << text(udev_list_entry_get_name(entry));
    return paths;
}

// idVendor of the device or, when it has none, of its nearest parent that has one.
int vendorOf(udev_device *device)
{
    for (udev_device *d = device; d; d = udev_device_get_parent(d)) {
        const char *value = udev_device_get_sysattr_value(d, "idVendor");
        if (value) {
            bool ok = false;
            const int id = QString::fromLatin1(value).trimmed().toInt(&ok, 16);
            return ok ? id : -1;
        }
    }
    return -1;
}

bool isBelow(const QString &syspath, const QString &ancestor)
{
    return syspath.startsWith(ancestor + QLatin1Char('/'));
}

QString nodeOf(udev_device *device)
{
    const QString node = text(udev_device_get_devnode(device));
    if (!node.isEmpty())
        return node;
    const QString name = text(udev_device_get_sysname(device));
    return name.isEmpty() ? QString() : QStringLiteral("/dev/") + name;
}

bool isOptical(udev_device *device)
{
    const QString cdrom = text(udev_device_get_property_value(device, "ID_CDROM"));
    const QString type = text(udev_device_get_property_value(device, "ID_TYPE"));
    return cdrom == QLatin1String("1") || type == QLatin1String("cd");
}

// Decodes the octal escapes (\040 and the like) of a mount-table field.
QString unescapeField(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = digits.size() == 3;
            for (char c : digits)
                ok = ok && c >= '0' && c <= '7';
            if (ok) {
                out.append(char(digits.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QString::fromUtf8(out);
}

} // namespace

std::optional<QString> TcardLookup::mountPointOf(const QByteArray &mountTable, const QStringList &nodes)
{
    for (const QByteArray &line : mountTable.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2 || fields[0].startsWith('#'))
            continue;
        if (nodes.contains(unescapeField(fields[0])))
            return unescapeField(fields[1]);
    }
    return std::nullopt;
}

std::optional<QString> TcardLookup::find() const
{
    UdevPtr u(udev_new());
    if (!u) {
        qCWarning(lcTcard) << "Find no TCard object!";
        return std::nullopt;
    }

    // 1. The modem: the first USB device of the maker.
    QString modemPath;
    for (const QString &path : scan(u.get(), "usb", "usb_device")) {
        DevicePtr device(udev_device_new_from_syspath(u.get(), path.toUtf8().constData()));
        if (device && vendorOf(device.get()) == vendorId) {
            modemPath = path;
            break;
        }
    }
    if (modemPath.isEmpty())
        return std::nullopt;

    // 2. The card: the first removable disk below it.
    DevicePtr card;
    for (const QString &path : scan(u.get(), "block", "disk")) {
        if (!isBelow(path, modemPath))
            continue;
        DevicePtr disk(udev_device_new_from_syspath(u.get(), path.toUtf8().constData()));
        if (!disk || isOptical(disk.get()))
            continue;
        if (text(udev_device_get_sysattr_value(disk.get(), "removable")).trimmed() == QLatin1String("1")) {
            card = std::move(disk);
            break;
        }
    }
    if (!card) {
        qCWarning(lcTcard) << "Find no TCard object!";
        return std::nullopt;
    }

    // 3. Its device node and those of its partitions.
    const QString cardNode = nodeOf(card.get());
    if (cardNode.isEmpty()) {
        qCWarning(lcTcard) << "TCard BSDName is nil!";
        return std::nullopt;
    }
    QStringList nodes{cardNode};
    const QString cardPath = text(udev_device_get_syspath(card.get()));
    for (const QString &path : scan(u.get(), "block", "partition")) {
        DevicePtr partition(udev_device_new_from_syspath(u.get(), path.toUtf8().constData()));
        if (!partition)
            continue;
        udev_device *parent = udev_device_get_parent(partition.get());
        if (parent && text(udev_device_get_syspath(parent)) == cardPath) {
            const QString node = nodeOf(partition.get());
            if (!node.isEmpty())
                nodes << node;
        }
    }

    // 4. Where one of them is mounted.
    QFile table(mountTablePath);
    if (!table.open(QIODevice::ReadOnly)) {
        qCWarning(lcTcard) << "cannot read the mount table" << mountTablePath << table.errorString();
        return std::nullopt;
    }
    return mountPointOf(table.read(kMaxMountTableBytes), nodes);
}

std::optional<QString> getTcardVolume()
{
    // OSTREL_TCARD names a folder that stands in for the card (the stand-in device service uses
    // the same one), in place of the lookup.
    const QString standIn = qEnvironmentVariable("OSTREL_TCARD");
    if (!standIn.isEmpty())
        return standIn;
    return TcardLookup().find();
}

} // namespace ostrel
