#include "support/UpdatePeer.h"

#include "common/PlistBridge.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>

namespace testing_support {

namespace {
const QString kService = QStringLiteral("com.yov.CMUpdate");
const QString kPath = QStringLiteral("/com/yov/CMUpdate");
const QString kConnection = QStringLiteral("update-peer");
} // namespace

UpdatePeer::~UpdatePeer()
{
    if (!started_)
        return;
    QDBusConnection peer(kConnection);
    peer.unregisterService(kService);
    peer.unregisterObject(kPath);
    QDBusConnection::disconnectFromBus(kConnection);
}

bool UpdatePeer::start()
{
    QDBusConnection peer = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnection);
    if (!peer.isConnected() || !peer.registerObject(kPath, this, QDBusConnection::ExportAllSlots)
        || !peer.registerService(kService))
        return false;
    started_ = true;
    // The name is seen by the other connections once the bus has told them.
    QDeadlineTimer deadline(5000);
    while (!QDBusConnection::sessionBus().interface()->isServiceRegistered(kService).value()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void UpdatePeer::UCMS(const QString &xml)
{
    const auto parsed = yov::PlistBridge::parse(xml.toUtf8());
    if (parsed && parsed->typeId() == QMetaType::QVariantMap)
        received << parsed->toMap();
    else
        malformed << xml;
}

} // namespace testing_support
