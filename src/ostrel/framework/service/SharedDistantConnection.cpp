#include "ostrel/framework/service/SharedDistantConnection.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcVoiceProxy, "ostrel.voiceproxy")

namespace ostrel {

SharedDistantConnection *SharedDistantConnection::shardConnection()
{
    static SharedDistantConnection instance(QDBusConnection::sessionBus());
    return &instance;
}

SharedDistantConnection::SharedDistantConnection(const QDBusConnection &bus)
    : bus_(bus), brannocServiceName_(QString::fromLatin1(serviceName))
{
}

bool SharedDistantConnection::doConnection()
{
    bool found = false;
    if (bus_.isConnected() && bus_.interface())
        found = bus_.interface()->isServiceRegistered(brannocServiceName_).value();
    if (!found)
        qCInfo(lcVoiceProxy) << "voice proxy: the device service is not on the bus";
    connected_.store(found);
    return found;
}

int SharedDistantConnection::call(const char *method, const QVariantList &arguments)
{
    if (!connected_.load())
        return 0;
    QDBusMessage message = QDBusMessage::createMethodCall(brannocServiceName_, QString::fromLatin1(objectPath),
                                                          QString::fromLatin1(interfaceName), QString::fromLatin1(method));
    message.setArguments(arguments);
    message.setAutoStartService(false);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1
        || reply.arguments().at(0).metaType() != QMetaType::fromType<int>()) {
        qCInfo(lcVoiceProxy) << "voice proxy call" << method << "failed:" << reply.errorMessage();
        return 0;
    }
    return reply.arguments().at(0).toInt();
}

int SharedDistantConnection::prepareVoiceTransfer()
{
    return call("prepareVoiceTransfer", {});
}

int SharedDistantConnection::readVoiceData()
{
    return call("readVoiceData", {});
}

int SharedDistantConnection::writeVoiceData(int value)
{
    return call("writeVoiceData", {QVariant::fromValue<int>(value)});
}

int SharedDistantConnection::stopVoiceTransfer()
{
    return call("stopVoiceTransfer", {});
}

} // namespace ostrel
