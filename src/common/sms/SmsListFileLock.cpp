#include "common/sms/SmsListFileLock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace yov::sms {

QString SmsListFileLock::lockPathOf(const QString &listPath)
{
    return listPath + QStringLiteral(".lock");
}

SmsListFileLock::SmsListFileLock(const QString &listPath) : lockPath_(lockPathOf(listPath)) {}

SmsListFileLock::~SmsListFileLock()
{
    unlock();
}

bool SmsListFileLock::tryLock(QString *error)
{
    if (fd_ >= 0)
        return true;
    QDir().mkpath(QFileInfo(lockPath_).absolutePath());
    const QByteArray path = QFile::encodeName(lockPath_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (error)
            *error = QStringLiteral("cannot open the lock file %1: %2").arg(lockPath_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int why = errno;
        ::close(fd);
        if (error)
            *error = why == EWOULDBLOCK ? QStringLiteral("%1 is held by another writer").arg(lockPath_)
                                        : QStringLiteral("cannot lock %1: %2").arg(lockPath_, QString::fromLocal8Bit(std::strerror(why)));
        return false;
    }
    fd_ = fd;
    return true;
}

bool SmsListFileLock::lock(int waitMs, QString *error)
{
    const QDeadlineTimer deadline(qMax(0, waitMs));
    QString why;
    while (!tryLock(&why)) {
        if (deadline.hasExpired()) {
            if (error)
                *error = QStringLiteral("no lock within %1 ms: %2").arg(waitMs).arg(why);
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

void SmsListFileLock::unlock()
{
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

} // namespace yov::sms
