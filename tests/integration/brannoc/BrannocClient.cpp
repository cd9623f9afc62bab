#include "BrannocClient.h"

#include "common/records/DeviceServiceBus.h"
#include "support/QuickScenario.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <cstring>

BrannocClient::BrannocClient()
{
    qDBusRegisterMetaType<QList<QByteArray>>();
    clock_.start();
    QDBusConnection::sessionBus().connect(QString(), QLatin1String(yov::devicebus::kPath),
                                          QLatin1String(yov::devicebus::kInterface),
                                          QLatin1String(yov::devicebus::kMember), this, SLOT(onMsg(QByteArray)));
}

BrannocClient::~BrannocClient()
{
    stop();
    QDBusConnection::sessionBus().disconnect(QString(), QLatin1String(yov::devicebus::kPath),
                                             QLatin1String(yov::devicebus::kInterface),
                                             QLatin1String(yov::devicebus::kMember), this, SLOT(onMsg(QByteArray)));
}

QString BrannocClient::scenarioPath(const QString &name)
{
    if (name.contains(QLatin1Char('/')))
        return name;
    return testing_support::quickScenario(name, scenarios_.path());
}

bool BrannocClient::start(const QString &scenario, bool keepLog, const QStringList &environment)
{
    const QString program =
        QDir(qEnvironmentVariable("OSTREL_BIN_DIR", testing_paths::binDir())).filePath(QStringLiteral("Brannoc"));
    if (!QFileInfo(program).isExecutable()) {
        error_ = program + QStringLiteral(" is not there");
        return false;
    }
    const QString path = scenarioPath(scenario);
    if (path.isEmpty()) {
        error_ = QStringLiteral("no quick copy of the scenario ") + scenario;
        return false;
    }
    process_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OSTREL_BRANNOC_SCENARIO"), path);
    for (const QString &variable : environment)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    process_->setProcessEnvironment(env);
    process_->setProgram(program);
    process_->setProcessChannelMode(keepLog ? QProcess::MergedChannels : QProcess::ForwardedChannels);
    log_.clear();
    process_->start();
    if (!process_->waitForStarted(5000)) {
        error_ = QStringLiteral("Brannoc did not start");
        return false;
    }
    const bool owned = QTest::qWaitFor(
        [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                QLatin1String(yov::devicebus::kService));
        },
        kWaitMs);
    if (!owned)
        error_ = QStringLiteral("Brannoc did not take its bus name");
    return owned;
}

QByteArray BrannocClient::log()
{
    if (process_)
        log_ += process_->readAll();
    return log_;
}

void BrannocClient::stop()
{
    if (!process_ || process_->state() == QProcess::NotRunning)
        return;
    process_->terminate();
    if (!process_->waitForFinished(5000)) {
        process_->kill();
        process_->waitForFinished(2000);
    }
    log_ += process_->readAll();
    // The bus drops the name a moment after the process is gone; the next start must not see it.
    const bool released = QTest::qWaitFor(
        [] {
            return !QDBusConnection::sessionBus().interface()->isServiceRegistered(
                QLatin1String(yov::devicebus::kService));
        },
        kWaitMs);
    if (!released)
        qWarning("the device service's bus name is still owned after it ended");
}

bool BrannocClient::send(int module, int major, int minor, int type, const QByteArray &payload)
{
    yov::UI_MSG m = yov::zeroMsg();
    m.marker = 1;
    m.moduleID = module;
    m.majorID = std::uint16_t(major);
    m.minorID = std::uint16_t(minor);
    m.type = type;
    m.dataLength = int(payload.size());
    if (!payload.isEmpty())
        std::memcpy(m.data, payload.constData(), size_t(qMin<qsizetype>(payload.size(), yov::kUiMsgDataSize)));
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                       QLatin1String(yov::devicebus::kPath),
                                                       QLatin1String(yov::devicebus::kInterface),
                                                       QLatin1String(yov::devicebus::kMember));
    call << yov::msgBytes(m);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 25000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

QDBusMessage BrannocClient::control(const QString &method, const QVariantList &args)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                       QLatin1String(yov::devicebus::kTestPath),
                                                       QLatin1String(yov::devicebus::kTestInterface), method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 25000);
}

QVariantMap BrannocClient::modemState(const QString &area)
{
    const QDBusMessage r = control(QStringLiteral("ModemState"), {area});
    if (r.arguments().isEmpty())
        return {};
    return mapOf(r.arguments().constFirst());
}

QVariantMap BrannocClient::mapOf(const QVariant &v)
{
    return v.canConvert<QDBusArgument>() ? qdbus_cast<QVariantMap>(v.value<QDBusArgument>()) : v.toMap();
}

bool BrannocClient::setModemState(const QString &area, const QVariantMap &values)
{
    return control(QStringLiteral("SetModemState"), {area, values}).type() == QDBusMessage::ReplyMessage;
}

void BrannocClient::onMsg(const QByteArray &record)
{
    Received r;
    yov::msgFromBytes(record, r.msg);
    r.raw = record;
    r.atMs = clock_.elapsed();
    records_.push_back(std::move(r));
}

int BrannocClient::waitFor(const std::function<bool(const yov::UI_MSG &)> &match, int from, int timeoutMs)
{
    int found = -1;
    [[maybe_unused]] const bool matched = QTest::qWaitFor(
        [&] {
            for (int i = qMax(0, from); i < size(); ++i)
                if (match(records_[size_t(i)].msg)) {
                    found = i;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

int BrannocClient::waitFor(int major, int minor, int from, int timeoutMs)
{
    return waitFor([=](const yov::UI_MSG &m) { return m.majorID == major && m.minorID == minor; }, from, timeoutMs);
}

QStringList BrannocClient::ids(int from, int to) const
{
    QStringList out;
    const int end = to < 0 ? size() : qMin(size(), to + 1);
    for (int i = qMax(0, from); i < end; ++i)
        out << QStringLiteral("%1/%2").arg(records_[size_t(i)].msg.majorID).arg(records_[size_t(i)].msg.minorID);
    return out;
}
