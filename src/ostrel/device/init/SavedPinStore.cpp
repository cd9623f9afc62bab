#include "ostrel/device/init/SavedPinStore.h"

#include "common/ModemListResolver.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QVariantMap>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_LOGGING_CATEGORY(lcInit)

namespace ostrel {

SavedPinStore::SavedPinStore(const QString &folder) : folder_(folder) {}

QString SavedPinStore::filePath() const
{
    if (folder_.isEmpty())
        return {};
    return QDir(folder_).filePath(QString::fromLatin1(kFileName));
}

bool SavedPinStore::exists() const
{
    const QString path = filePath();
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool SavedPinStore::isPrivateFile(const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    const char *why = nullptr;
    if (!S_ISREG(st.st_mode))
        why = "it is not a regular file";
    else if (st.st_uid != ::geteuid())
        why = "it belongs to another user";
    else if (st.st_mode & (S_IRWXG | S_IRWXO))
        why = "others may read or write it";
    if (!why)
        return true;
    qCWarning(lcInit).noquote() << "the saved PIN" << path << "is ignored:" << why;
    return false;
}

SavedPinStore::Entry SavedPinStore::load() const
{
    const QString path = filePath();
    if (path.isEmpty() || !QFileInfo::exists(path) || !isPrivateFile(path))
        return {};
    const auto value = yov::PlistBridge::readFile(path);
    if (!value)
        return {};
    const QVariantMap map = yov::nsDict(*value);
    return {yov::nsString(map.value(QStringLiteral("Iccid"))), yov::nsString(map.value(QStringLiteral("PinNum")))};
}

QString SavedPinStore::pinForIccid(const QString &iccid) const
{
    if (iccid.isEmpty())
        return {};
    const Entry entry = load();
    return entry.isValid() && entry.iccid == iccid ? entry.pin : QString();
}

namespace {
bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}
} // namespace

bool SavedPinStore::save(const QString &iccid, const QString &pin, QString *error, bool *sharedFolder)
{
    const QString path = filePath();
    if (path.isEmpty())
        return fail(error, QStringLiteral("no folder for the saved PIN"));
    const bool shipped = isShipped_ ? isShipped_(folder_) : yov::ModemListResolver::isShippedLocation(folder_);
    if (sharedFolder)
        *sharedFolder = shipped;
    if (shipped)
        return fail(error, QStringLiteral("%1 is the shipped folder, shared by every user").arg(folder_));
    if (iccid.isEmpty() || pin.isEmpty())
        return fail(error, QStringLiteral("no ICCID or no PIN to keep"));
    QVariantMap map;
    map.insert(QStringLiteral("Iccid"), iccid);
    map.insert(QStringLiteral("PinNum"), pin);
    const auto xml = yov::PlistBridge::toXml(map, error);
    if (!xml)
        return false;
    if (!QDir().mkpath(folder_))
        return fail(error, QStringLiteral("cannot create %1").arg(folder_));

    // The temporary file is created 0600 from the start, so the PIN is never readable by others,
    // not even for a moment; it then replaces the old file in one rename.
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return fail(error, QStringLiteral("cannot create a temporary file: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    bool ok = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    qsizetype written = 0;
    while (ok && written < xml->size()) {
        const ssize_t n = ::write(fd, xml->constData() + written, size_t(xml->size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            written += n;
    }
    const int savedErrno = errno;
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(savedErrno ? savedErrno : errno))));
    }
    return true;
}

bool SavedPinStore::remove(QString *error)
{
    const QString path = filePath();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return fail(error, QStringLiteral("no PIN is kept on this computer"));
    if (!QFile::remove(path))
        return fail(error, QStringLiteral("cannot remove %1").arg(path));
    return true;
}

} // namespace ostrel
