#include "platform/process/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QStandardPaths>

namespace yov {

SingleInstance::SingleInstance(QString busName, QString objectPath, QObject *parent)
    : QObject(parent), busName_(std::move(busName)), objectPath_(std::move(objectPath))
{
}

SingleInstance::~SingleInstance()
{
    if (registered_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(objectPath_);
        bus.unregisterService(busName_);
    }
}

bool SingleInstance::claim()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qWarning("No D-Bus session bus; falling back to a lock file for the single-instance check");
        return claimLockFile();
    }
    // Serve Reopen() before taking the name, so that a launch that sees the name can call it.
    bus.registerObject(objectPath_, this, QDBusConnection::ExportScriptableSlots);
    auto reply = bus.interface()->registerService(busName_, QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        registered_ = true;
        return true;
    }
    bus.unregisterObject(objectPath_);
    QDBusMessage call = QDBusMessage::createMethodCall(busName_, objectPath_,
                                                       QStringLiteral("org.ostrel.Instance"),
                                                       QStringLiteral("Reopen"));
    call.setAutoStartService(false);
    broughtForward_ = bus.call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
    return false;
}

bool SingleInstance::claimLockFile()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    lock_ = std::make_unique<QLockFile>(QDir(dir).filePath(busName_ + QStringLiteral(".lock")));
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

void SingleInstance::Reopen()
{
    emit reopenRequested();
}

} // namespace yov
