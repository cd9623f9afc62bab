#include "ostrel/connection/speedtest/PrivateFileAppend.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ostrel {

bool appendToPrivateFile(const QString &path, const QByteArray &bytes, bool separateWithNewline, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        return fail(QStringLiteral("not a regular file of this user"));
    }
    QByteArray data = bytes;
    if (separateWithNewline && st.st_size > 0)
        data.prepend('\n');
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const QString why = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return fail(why);
        }
        done += n;
    }
    if (::close(fd) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    return true;
}

} // namespace ostrel
