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

namespace {

// Why a file with these attributes is not this user's private file; null when it is.
const char *notPrivateReason(const struct stat &st)
{
    if (!S_ISREG(st.st_mode))
        return "it is not a regular file";
    if (st.st_uid != ::geteuid())
        return "it belongs to another user";
    if (st.st_mode & (S_IRWXG | S_IRWXO))
        return "others may read or write it";
    return nullptr;
}

// A saved PIN is a few hundred bytes; anything much larger is not one.
constexpr qint64 kMaxSavedPinFileSize = 64 * 1024;

} // namespace

SavedPinStore::Entry SavedPinStore::load() const
{
    const QString path = filePath();
    if (path.isEmpty())
        return {};
    // The checks are made on the file that is read, not on its name: opened without following a
    // link (and without waiting on a pipe put in its place), then examined and read through the
    // same descriptor, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            qCWarning(lcInit).noquote() << "the saved PIN" << path << "is ignored:"
                                        << (errno == ELOOP ? "it is a link" : std::strerror(errno));
        return {};
    }
    QByteArray bytes;
    struct stat st {};
    const char *why = ::fstat(fd, &st) != 0 ? "it cannot be examined" : notPrivateReason(st);
    if (!why && st.st_size > kMaxSavedPinFileSize)
        why = "it is too large to be a saved PIN";
    if (!why) {
        bytes.resize(qsizetype(st.st_size) + 1);
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n < 0)
                    why = "it cannot be read";
                break;
            }
            got += n;
        }
        if (!why && got > kMaxSavedPinFileSize)
            why = "it is too large to be a saved PIN";
        bytes.truncate(got);
    }
    ::close(fd);
    if (why) {
        qCWarning(lcInit).noquote() << "the saved PIN" << path << "is ignored:" << why;
        return {};
    }
    const auto value = yov::PlistBridge::parse(bytes);
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
