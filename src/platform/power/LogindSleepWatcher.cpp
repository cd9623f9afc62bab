#include "platform/power/LogindSleepWatcher.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

Q_LOGGING_CATEGORY(lcSleep, "ostrel.sleep")

namespace yov {

namespace {
const QString kLogindService = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kLogindManager = QStringLiteral("org.freedesktop.login1.Manager");
// logind answers at once; a bus that does not is not waited on for long.
constexpr int kLogindCallTimeoutMs = 2000;
} // namespace

LogindSleepWatcher::LogindSleepWatcher(Handlers handlers, const QString &who, const QString &why,
                                       const QDBusConnection &bus, QObject *parent)
    : QObject(parent), handlers_(std::move(handlers)), who_(who), why_(why), bus_(bus)
{
    if (!bus_.isConnected()) {
        qCInfo(lcSleep) << "no system bus: sleep and wake are not followed";
        return;
    }
    QDBusConnectionInterface *names = bus_.interface();
    if (!names || !names->isServiceRegistered(kLogindService).value()) {
        qCInfo(lcSleep) << "logind is not on the system bus: sleep and wake are not followed";
        return;
    }
    active_ = bus_.connect(kLogindService, kLogindPath, kLogindManager, QStringLiteral("PrepareForSleep"), this,
                           SLOT(prepareForSleep(bool)));
    if (!active_) {
        qCInfo(lcSleep) << "logind's sleep signal cannot be followed:" << bus_.lastError().message();
        return;
    }
    takeDelayLock();
}

LogindSleepWatcher::~LogindSleepWatcher()
{
    if (active_)
        bus_.disconnect(kLogindService, kLogindPath, kLogindManager, QStringLiteral("PrepareForSleep"), this,
                        SLOT(prepareForSleep(bool)));
    releaseDelayLock();
}

void LogindSleepWatcher::takeDelayLock()
{
    if (lock_.isValid())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kLogindService, kLogindPath, kLogindManager, QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << who_ << why_ << QStringLiteral("delay");
    const QDBusReply<QDBusUnixFileDescriptor> reply = bus_.call(call, QDBus::Block, kLogindCallTimeoutMs);
    if (!reply.isValid() || !reply.value().isValid()) {
        qCWarning(lcSleep) << "no sleep delay lock:" << reply.error().message();
        return;
    }
    lock_ = reply.value();
}

void LogindSleepWatcher::releaseDelayLock()
{
    // The descriptor is closed with the last copy of it: logind then lets the sleep go on.
    lock_ = QDBusUnixFileDescriptor();
}

void LogindSleepWatcher::prepareForSleep(bool start)
{
    if (start) {
        if (handlers_.willSleep)
            handlers_.willSleep();
        releaseDelayLock();
    } else {
        if (handlers_.didWake)
            handlers_.didWake();
        takeDelayLock();
    }
}

} // namespace yov
