#include "support/FakeLogind.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QTest>

namespace testing_support {

namespace {
constexpr int kLogindStartMs = 15000;
const QString kLogindName = QStringLiteral("org.freedesktop.login1");
const QString kLogindObject = QStringLiteral("/org/freedesktop/login1");
} // namespace

FakeLogind::~FakeLogind()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000))
        process_.kill();
    process_.waitForFinished(3000);
}

bool FakeLogind::privateSystemBus()
{
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && address.startsWith(QStringLiteral("unix:path=") + runtime + QLatin1Char('/'));
}

bool FakeLogind::onBus()
{
    QDBusConnectionInterface *names = QDBusConnection::systemBus().interface();
    return names && names->isServiceRegistered(kLogindName).value();
}

bool FakeLogind::start()
{
    if (!privateSystemBus())
        return false;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                                                        QStringLiteral("--system"), QStringLiteral("--template"),
                                                        QStringLiteral("logind")});
    return process_.waitForStarted(kLogindStartMs) && QTest::qWaitFor(&FakeLogind::onBus, kLogindStartMs);
}

bool FakeLogind::prepareForSleep(bool start)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kLogindName, kLogindObject, QStringLiteral("org.freedesktop.DBus.Mock"),
                                                       QStringLiteral("EmitSignal"));
    call << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("PrepareForSleep") << QStringLiteral("b")
         << QVariantList{QVariant::fromValue(QDBusVariant(start))};
    return QDBusConnection::systemBus().call(call).type() == QDBusMessage::ReplyMessage;
}

QStringList FakeLogind::inhibitors()
{
    const QDBusMessage reply = QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
        kLogindName, kLogindObject, QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors")));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {QStringLiteral("<no answer>")};
    QStringList out;
    const QDBusArgument list = reply.arguments().at(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        out << QStringList{what, who, why, mode}.join(QLatin1Char('/'));
    }
    list.endArray();
    return out;
}

} // namespace testing_support
