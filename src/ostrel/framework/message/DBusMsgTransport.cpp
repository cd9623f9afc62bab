#include "ostrel/framework/message/DBusMsgTransport.h"

#include "common/records/DeviceServiceBus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QThread>

Q_DECLARE_LOGGING_CATEGORY(lcMsgCenter)

namespace ostrel {

namespace {

const QString kBusService = QStringLiteral("org.freedesktop.DBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/DBus");

// A call to the bus daemon itself, blocking without an event loop.
QDBusMessage callBus(const QDBusConnection &bus, const QString &method, const QString &name)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kBusService, kBusPath, kBusService, method);
    call << name;
    return bus.call(call, QDBus::Block, 1000);
}

QDBusMessage recordCall(const QByteArray &record)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(yov::devicebus::kService), QLatin1String(yov::devicebus::kPath),
        QLatin1String(yov::devicebus::kInterface), QLatin1String(yov::devicebus::kMember));
    call.setAutoStartService(false);
    call << record;
    return call;
}

} // namespace

DBusMsgTransport::DBusMsgTransport(const QDBusConnection &bus, QObject *parent) : QObject(parent), bus_(bus)
{
    if (!bus_.isConnected()) {
        qCWarning(lcMsgCenter).noquote() << "no session bus:" << bus_.lastError().message();
        return;
    }
    subscribed_ = bus_.connect(QLatin1String(yov::devicebus::kService), QLatin1String(yov::devicebus::kPath),
                               QLatin1String(yov::devicebus::kInterface), QLatin1String(yov::devicebus::kMember),
                               this, SLOT(onYMsg(QByteArray)));
    if (!subscribed_)
        qCWarning(lcMsgCenter).noquote() << "cannot follow the device service's records:" << bus_.lastError().message();
}

DBusMsgTransport::~DBusMsgTransport()
{
    if (subscribed_)
        bus_.disconnect(QLatin1String(yov::devicebus::kService), QLatin1String(yov::devicebus::kPath),
                        QLatin1String(yov::devicebus::kInterface), QLatin1String(yov::devicebus::kMember), this,
                        SLOT(onYMsg(QByteArray)));
}

void DBusMsgTransport::setOwnerWatcher(OwnerWatcher watcher)
{
    ownerWatcher_ = std::move(watcher);
    if (serviceWatcher_ || !bus_.isConnected())
        return;
    // The bus daemon tells of every change of the name's owner (a crash or a kill included).
    serviceWatcher_ = new QDBusServiceWatcher(QLatin1String(yov::devicebus::kService), bus_,
                                              QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(serviceWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &oldOwner, const QString &newOwner) {
                if (!ownerWatcher_)
                    return;
                if (!oldOwner.isEmpty())
                    ownerWatcher_(false);
                if (!newOwner.isEmpty())
                    ownerWatcher_(true);
            });
}

void DBusMsgTransport::setReceiver(Receiver receiver)
{
    receiver_ = std::move(receiver);
}

void DBusMsgTransport::onYMsg(const QByteArray &record)
{
    if (receiver_)
        receiver_(record);
}

void DBusMsgTransport::post(const QByteArray &record)
{
    if (bus_.isConnected())
        bus_.send(recordCall(record)); // its answer, when one comes, is dropped by the bus library
}

void DBusMsgTransport::probe(std::function<void(bool answered)> done)
{
    if (!bus_.isConnected()) {
        done(false);
        return;
    }
    // The bus library of the device service answers the standard Ping by itself, whatever the
    // service is doing, as long as its process runs.
    QDBusMessage ping = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                       QLatin1String(yov::devicebus::kPath),
                                                       QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    ping.setAutoStartService(false);
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(ping, 1000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [done = std::move(done)](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        done(!w->isError());
    });
}

int DBusMsgTransport::send(const QByteArray &record, int timeoutMs)
{
    if (!bus_.isConnected())
        return kMsgSendNoService;
    const QDBusMessage call = recordCall(record);
    const QDBusMessage reply = bus_.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return kMsgSendOK;
    const QString error = reply.errorName();
    if (error == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown")
        || error == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return kMsgSendNoService;
    if (error == QLatin1String("org.freedesktop.DBus.Error.NoReply")
        || error == QLatin1String("org.freedesktop.DBus.Error.Timeout"))
        return kMsgSendTimedOut;
    return kMsgSendFailed;
}

qint64 DBusMsgTransport::serviceOwnerPid()
{
    if (!bus_.isConnected())
        return 0;
    const QDBusMessage reply = callBus(bus_, QStringLiteral("GetConnectionUnixProcessID"),
                                       QLatin1String(yov::devicebus::kService));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return 0;
    return qint64(reply.arguments().constFirst().toUInt());
}

bool DBusMsgTransport::waitForServiceGone(int timeoutMs)
{
    if (!bus_.isConnected())
        return true;
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QDBusMessage reply =
            callBus(bus_, QStringLiteral("NameHasOwner"), QLatin1String(yov::devicebus::kService));
        const bool owned = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                           && reply.arguments().constFirst().toBool();
        if (!owned)
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
}

} // namespace ostrel
