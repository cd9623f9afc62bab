#include "common/util/KLog.h"

#include "common/ModemListResolver.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcKLog, "ostrel.klog")

namespace yov {

namespace {

QMutex sharedMutex;
KLog *sharedOverride = nullptr;

QByteArray formatted(const char *format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0)
        return {};
    QByteArray text(length, Qt::Uninitialized);
    std::vsnprintf(text.data(), size_t(length) + 1, format, args);
    return text;
}

} // namespace

QString KLog::chooseLogDir(const QString &configuredDir, const QString &runtimeDir)
{
    if (!configuredDir.isEmpty())
        return configuredDir;
    if (!runtimeDir.isEmpty())
        return runtimeDir;
    return QStringLiteral("/tmp");
}

KLog &KLog::sharedLog()
{
    QMutexLocker lock(&sharedMutex);
    if (sharedOverride)
        return *sharedOverride;
    static std::unique_ptr<KLog> instance;
    if (!instance) {
        Options options;
        const QString modemList = ModemListResolver::modemListPath();
        if (!modemList.isEmpty()) {
            const auto settings = PlistBridge::readFile(QDir(modemList).filePath(QStringLiteral("settings.plist")));
            if (settings)
                options.configuredDir = nsString(nsDict(*settings).value(QStringLiteral("LogFileDir")));
        }
        options.runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
        instance = std::make_unique<KLog>(std::move(options));
    }
    return *instance;
}

void KLog::setSharedLog(KLog *log)
{
    QMutexLocker lock(&sharedMutex);
    sharedOverride = log;
}

KLog::KLog(Options options)
    : options_(std::move(options))
{
    if (!options_.clock)
        options_.clock = &Clock::system();
    logDir_ = chooseLogDir(options_.configuredDir, options_.runtimeDir);
    writeFd_ = openTrace(QStringLiteral("at_write.log"));
    readFd_ = openTrace(QStringLiteral("at_read.log"));
}

KLog::~KLog()
{
    if (writeFd_ >= 0)
        ::close(writeFd_);
    if (readFd_ >= 0)
        ::close(readFd_);
}

int KLog::openTrace(const QString &name)
{
    const QByteArray path = QFile::encodeName(QDir(logDir_).filePath(name));
    // No symbolic link is followed, and a file someone else made (in a shared folder such as /tmp)
    // is left alone.
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) {
        qCWarning(lcKLog) << "cannot open trace file" << path << std::strerror(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        qCWarning(lcKLog) << "trace file" << path << "is not a regular file of this user; not used";
        ::close(fd);
        return -1;
    }
    // Regular file: back to ordinary blocking writes.
    ::fcntl(fd, F_SETFL, O_APPEND);
    return fd;
}

void KLog::SetKLogOpen(bool open)
{
    QMutexLocker lock(&mutex_);
    logFlag_ = open;
}

bool KLog::IsKLogOpen() const
{
    QMutexLocker lock(&mutex_);
    return logFlag_;
}

QByteArray KLog::timeStamp() const
{
    const QDateTime now = options_.clock->now().toTimeZone(options_.timeZone);
    return now.toString(QStringLiteral("MM/dd/yy HH:mm:ss:zzz")).toLatin1();
}

void KLog::append(int fd, const QByteArray &bytes)
{
    if (fd < 0)
        return;
    QMutexLocker lock(&mutex_);
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        left -= written;
    }
}

void KLog::putATWriteLog(const char *text)
{
    append(writeFd_, timeStamp() + '\t' + QByteArray(text ? text : ""));
}

void KLog::putATReadLog(const char *text)
{
    append(readFd_, '\n' + timeStamp() + '\n' + QByteArray(text ? text : ""));
}

void KLog::output(const char *text)
{
    const QByteArray bytes(text ? text : "");
    if (options_.systemLog)
        options_.systemLog(bytes);
    else
        ::syslog(LOG_NOTICE, "%s", bytes.constData());
}

void KLog::output(int level, const char *text)
{
    switch (level) {
    case 0:
        putATWriteLog(text);
        break;
    case 1:
        putATReadLog(text);
        break;
    case 2:
        putDiagWriteLog(text);
        break;
    case 3:
        putDiagReadLog(text);
        break;
    case 4:
    case 5:
    case 6:
        output(text);
        break;
    default:
        break;
    }
}

void DCLog(int level, const char *format, ...)
{
    if (!format)
        return;
    QByteArray text;
    if (level >= 4 && level <= 6) {
        va_list args;
        va_start(args, format);
        text = formatted(format, args);
        va_end(args);
    } else {
        text = format;
    }
    KLog::sharedLog().output(level, text.constData());
}

void ShowKLog(const char *format, ...)
{
    if (!format)
        return;
    KLog &log = KLog::sharedLog();
    if (!log.IsKLogOpen())
        return;
    va_list args;
    va_start(args, format);
    const QByteArray text = formatted(format, args);
    va_end(args);
    log.output(text.constData());
}

} // namespace yov
