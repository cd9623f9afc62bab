#include "ostrel/framework/message/ProcessMsgServerLauncher.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <sys/prctl.h>
#include <sys/types.h>
#include <unistd.h>

Q_DECLARE_LOGGING_CATEGORY(lcMsgCenter)

namespace ostrel {

namespace {

// True while the process exists and has not ended (a zombie waiting for its parent has ended).
bool processAlive(pid_t pid)
{
    if (::kill(pid, 0) != 0)
        return errno == EPERM;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')'); // the state follows the command name in parentheses
    return close < 0 || close + 2 >= line.size() || line.at(close + 2) != 'Z';
}

bool waitGone(pid_t pid, int ms)
{
    QDeadlineTimer deadline(ms);
    while (processAlive(pid)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

} // namespace

ProcessMsgServerLauncher::ProcessMsgServerLauncher() = default;

ProcessMsgServerLauncher::~ProcessMsgServerLauncher()
{
    if (isRunning())
        terminate(1000);
}

bool ProcessMsgServerLauncher::launch(const QString &path)
{
    if (isRunning())
        terminate(1000);
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->setProgram(path);
    // The device service ends with the dashboard that started it, however the dashboard ends (a
    // kill included): the kernel sends it SIGTERM when its parent dies. (Runs in the child
    // between fork and exec: async-signal-safe calls only.)
    const pid_t parent = ::getpid();
    process->setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) // the parent died before the request took effect
            ::_exit(1);
    });
    process->start();
    if (!process->waitForStarted(5000)) {
        qCWarning(lcMsgCenter).noquote() << "cannot start" << path << ":" << process->errorString();
        return false;
    }
    // The device service ends only when the dashboard ends it: an end of its own (a crash, a kill
    // from outside) leaves the dashboard without a device, which the log says at once.
    QProcess *started = process.get();
    const qint64 pid = started->processId();
    QObject::connect(started, &QProcess::finished, started, [started, pid](int exitCode, QProcess::ExitStatus status) {
        qCWarning(lcMsgCenter).noquote()
            << QStringLiteral("the device service %1 (process %2) ended on its own, %3: no device records follow")
                   .arg(started->program())
                   .arg(pid)
                   .arg(status == QProcess::CrashExit ? QStringLiteral("killed or crashed")
                                                      : QStringLiteral("exit code %1").arg(exitCode));
    });
    process_ = std::move(process);
    return true;
}

bool ProcessMsgServerLauncher::isRunning() const
{
    return process_ && process_->state() != QProcess::NotRunning;
}

qint64 ProcessMsgServerLauncher::processId() const
{
    return process_ ? process_->processId() : 0;
}

void ProcessMsgServerLauncher::forgetLost(int graceMs)
{
    // A service that was killed or crashed is already gone when the bus tells of it: reaping it
    // here lets its end be logged before it is forgotten.
    if (process_ && process_->state() != QProcess::NotRunning)
        process_->waitForFinished(graceMs);
    terminate(0);
}

void ProcessMsgServerLauncher::terminate(int graceMs)
{
    if (!process_)
        return;
    QObject::disconnect(process_.get(), &QProcess::finished, nullptr, nullptr); // ended on request
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(graceMs)) {
            qCWarning(lcMsgCenter) << "device service did not end on request; killing process" << process_->processId();
            process_->kill();
            process_->waitForFinished(1000);
        }
    }
    process_.reset();
}

bool ProcessMsgServerLauncher::endProcess(qint64 pid, int graceMs)
{
    if (pid <= 1)
        return false;
    const auto p = pid_t(pid);
    if (::kill(p, SIGTERM) != 0)
        return false;
    if (waitGone(p, graceMs))
        return true;
    qCWarning(lcMsgCenter) << "process" << pid << "did not end on request; killing it";
    ::kill(p, SIGKILL);
    return waitGone(p, 1000);
}

} // namespace ostrel
