#include "brannoc/BrannocService.h"

#include "brannoc/DBusValues.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/MessageCatalogue.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTimer>

Q_LOGGING_CATEGORY(lcBrannoc, "brannoc")
Q_LOGGING_CATEGORY(lcBrannocRecords, "brannoc.records", QtWarningMsg)

namespace brannoc {

namespace {

QString describe(const QByteArray &bytes)
{
    yov::UI_MSG m;
    const int n = yov::msgFromBytes(bytes, m);
    if (n < yov::kUiMsgHeadSize)
        return QStringLiteral("a record of %1 bytes, shorter than its head").arg(bytes.size());
    const std::string_view group = yov::msgGroupLabel(m.majorID);
    const yov::MsgCatalogueEntry *entry = yov::findMessage(m.majorID, m.minorID);
    return QStringLiteral("%1/%2 (%3%4) module %5 type %6 result %7 length %8, %9 bytes")
        .arg(m.majorID)
        .arg(m.minorID)
        .arg(group.empty() ? QStringLiteral("unknown group") : QString::fromLatin1(group.data(), qsizetype(group.size())))
        .arg(entry ? QString() : QStringLiteral(", not in the catalogue"))
        .arg(m.moduleID)
        .arg(m.type)
        .arg(int(m.result))
        .arg(m.dataLength)
        .arg(bytes.size());
}

} // namespace

BrannocService::BrannocService(Scenario scenario, const QDBusConnection &bus, QObject *parent)
    : QDBusVirtualObject(parent), bus_(bus), areas_(createModemAreas()),
      control_(std::make_unique<BrannocTestControl>(this)), voice_(std::make_unique<VoiceProxy>())
{
    for (auto &area : areas_)
        area->bind(this);
    qDBusRegisterMetaType<QList<QByteArray>>();
    clock_.start();
    loadScenario(std::move(scenario));
}

BrannocService::~BrannocService()
{
    if (bus_.isConnected()) {
        bus_.unregisterObject(QLatin1String(VoiceProxy::objectPath));
        bus_.unregisterObject(QLatin1String(yov::devicebus::kTestPath));
        bus_.unregisterObject(QLatin1String(yov::devicebus::kPath));
        bus_.unregisterService(QLatin1String(yov::devicebus::kService));
    }
}

bool BrannocService::start(QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!bus_.isConnected())
        return fail(QStringLiteral("no session bus: ") + bus_.lastError().message());
    if (!bus_.registerVirtualObject(QLatin1String(yov::devicebus::kPath), this))
        return fail(QStringLiteral("cannot register ") + QLatin1String(yov::devicebus::kPath));
    if (!bus_.registerObject(QLatin1String(yov::devicebus::kTestPath), control_.get(),
                             QDBusConnection::ExportAllSlots))
        return fail(QStringLiteral("cannot register ") + QLatin1String(yov::devicebus::kTestPath));
    if (!bus_.registerObject(QLatin1String(VoiceProxy::objectPath), voice_.get(), QDBusConnection::ExportAllSlots))
        return fail(QStringLiteral("cannot register ") + QLatin1String(VoiceProxy::objectPath));
    // Do not queue behind another owner: a second device service must not wait for the name.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus_.interface()->registerService(
        QLatin1String(yov::devicebus::kService), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered)
        return fail(QStringLiteral("the bus name %1 is already owned").arg(QLatin1String(yov::devicebus::kService)));
    QTimer::singleShot(scenario_.startupDelayMs, this, [this] { pushStartup(); });
    return true;
}

void BrannocService::loadScenario(Scenario scenario)
{
    scenario_ = std::move(scenario);
    // A misspelt key would silently leave an area at its default: say so.
    for (auto it = scenario_.modem.constBegin(); it != scenario_.modem.constEnd(); ++it) {
        const ModemArea *known = area(it.key());
        if (!known) {
            qCWarning(lcBrannoc).noquote() << "scenario: no modem area" << it.key();
            continue;
        }
        const QStringList keys = known->stateKeys();
        for (const QString &key : it.value().toMap().keys())
            if (!keys.contains(key))
                qCWarning(lcBrannoc).noquote() << "scenario:" << it.key() << "has no state key" << key;
    }
    for (auto &area : areas_)
        area->load(scenario_.modem.value(area->name()).toMap());
}

void BrannocService::notify(ModemEvent event)
{
    for (auto &area : areas_)
        area->onEvent(event, *this);
}

ModemArea *BrannocService::area(const QString &name)
{
    for (auto &area : areas_)
        if (area->name() == name)
            return area.get();
    return nullptr;
}

bool BrannocService::setModemState(const QString &name, const QVariantMap &values, QString *error)
{
    ModemArea *a = area(name);
    if (!a) {
        if (error)
            *error = QStringLiteral("no modem area %1").arg(name);
        return false;
    }
    if (present_)
        return a->set(values, *this, error);
    // No modem plugged: the values are for the modem plugged next.
    const QStringList keys = a->stateKeys();
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (!keys.contains(it.key())) {
            if (error)
                *error = QStringLiteral("%1 has no state key %2").arg(name, it.key());
            return false;
        }
    QVariantMap next = scenario_.modem.value(name).toMap();
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        next.insert(it.key(), it.value());
    scenario_.modem.insert(name, next);
    return true;
}

std::optional<QVariantMap> BrannocService::modemState(const QString &name) const
{
    for (const auto &area : areas_)
        if (area->name() == name)
            return area->state();
    return std::nullopt;
}

void BrannocService::removeDevice()
{
    if (!present_)
        return;
    present_ = false;
    qCInfo(lcBrannoc) << "device removed";
    push([] {
        yov::UI_MSG m = yov::zeroMsg();
        m.moduleID = 1;
        m.majorID = 8;
        m.minorID = 58;
        m.result = -1;
        return m;
    }());
    notify(ModemEvent::DeviceRemoved);
}

void BrannocService::plugDevice()
{
    if (!present_)
        notify(ModemEvent::DeviceRemoved);
    present_ = true;
    qCInfo(lcBrannoc) << "device plugged";
    for (auto &area : areas_)
        area->load(scenario_.modem.value(area->name()).toMap());
    QTimer::singleShot(scenario_.startupDelayMs, this, [this] {
        if (present_)
            pushStartup();
    });
}

void BrannocService::pushStartup()
{
    qCInfo(lcBrannoc) << "pushing the start-up records";
    for (auto &area : areas_)
        area->startup(*this);
    for (const ScriptedRecord &r : scenario_.startup)
        push(r.build());
}

void BrannocService::push(const yov::UI_MSG &record)
{
    pushRaw(yov::msgBytes(record));
}

void BrannocService::pushRaw(const QByteArray &bytes)
{
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(yov::devicebus::kPath),
                                                     QLatin1String(yov::devicebus::kInterface),
                                                     QLatin1String(yov::devicebus::kMember));
    signal << bytes;
    if (!bus_.send(signal))
        qCWarning(lcBrannoc).noquote() << "cannot send" << describe(bytes);
}

void BrannocService::stall(int ms)
{
    stallUntilMs_ = clock_.elapsed() + qMax(0, ms);
}

QString BrannocService::introspect(const QString &) const
{
    return QStringLiteral("<interface name=\"%1\">\n"
                          "  <method name=\"yMsg\"><arg name=\"record\" type=\"ay\" direction=\"in\"/></method>\n"
                          "  <signal name=\"yMsg\"><arg name=\"record\" type=\"ay\"/></signal>\n"
                          "</interface>\n")
        .arg(QLatin1String(yov::devicebus::kInterface));
}

bool BrannocService::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage
        || message.interface() != QLatin1String(yov::devicebus::kInterface)
        || message.member() != QLatin1String(yov::devicebus::kMember))
        return false;
    if (message.signature() != QLatin1String("ay")) {
        connection.send(message.createErrorReply(QDBusError::InvalidSignature, QStringLiteral("yMsg takes ay")));
        return true;
    }
    const QByteArray bytes = message.arguments().constFirst().toByteArray();
    qCInfo(lcBrannocRecords).noquote() << "received" << describe(bytes);
    received_ << bytes;
    if (received_.size() > kReceivedLimit)
        received_.removeFirst();

    if (dropNextReply_) {
        dropNextReply_ = false;
        qCInfo(lcBrannoc) << "reply dropped on request";
        QTimer::singleShot(0, this, [this, bytes] { handleRequest(bytes); });
        return true;
    }
    const qint64 holdMs = stallUntilMs_ - clock_.elapsed();
    QDBusMessage reply = message.createReply();
    QDBusConnection bus = connection;
    if (holdMs > 0) {
        qCInfo(lcBrannoc) << "stalled: reply held back for" << holdMs << "ms";
        QTimer::singleShot(int(holdMs), this, [this, bus, reply, bytes]() mutable {
            bus.send(reply);
            handleRequest(bytes);
        });
        return true;
    }
    bus.send(reply);
    QTimer::singleShot(0, this, [this, bytes] { handleRequest(bytes); });
    return true;
}

void BrannocService::handleRequest(const QByteArray &bytes)
{
    yov::UI_MSG request;
    if (yov::msgFromBytes(bytes, request) < yov::kUiMsgHeadSize)
        return;
    if (const ScriptedReply *scripted = scenario_.replyFor(request)) {
        for (const ScriptedRecord &r : scripted->records)
            push(r.build(request.majorID, request.minorID));
        return;
    }
    if (!present_) {
        qCInfo(lcBrannocRecords) << "no modem plugged: no answer to" << request.majorID << "/" << request.minorID;
        return;
    }
    for (auto &area : areas_)
        if (area->handleRequest(request, *this))
            return;
    qCInfo(lcBrannocRecords) << "no answer to" << request.majorID << "/" << request.minorID;
}

void BrannocTestControl::InjectRecord(const QByteArray &record)
{
    service_->pushRaw(record);
}

void BrannocTestControl::InjectRecords(const QList<QByteArray> &records)
{
    for (const QByteArray &r : records)
        service_->pushRaw(r);
}

bool BrannocTestControl::LoadScenario(const QString &path)
{
    QString error;
    auto scenario = Scenario::load(path, &error);
    if (!scenario) {
        qCWarning(lcBrannoc).noquote() << "scenario not loaded:" << error;
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs, error);
        return false;
    }
    service_->loadScenario(std::move(*scenario));
    qCInfo(lcBrannoc).noquote() << "scenario loaded:" << path;
    return true;
}

bool BrannocTestControl::SetModemState(const QString &area, const QVariantMap &values)
{
    QString error;
    if (service_->setModemState(area, plainDBusMap(values), &error)) {
        qCInfo(lcBrannoc).noquote() << "modem state of" << area << "changed:" << values.keys().join(QStringLiteral(", "));
        return true;
    }
    qCWarning(lcBrannoc).noquote() << error;
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, error);
    return false;
}

QVariantMap BrannocTestControl::ModemState(const QString &area)
{
    const auto state = service_->modemState(area);
    if (!state && calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("no modem area %1").arg(area));
    return state.value_or(QVariantMap());
}

void BrannocTestControl::RemoveDevice()
{
    service_->removeDevice();
}

void BrannocTestControl::PlugDevice()
{
    service_->plugDevice();
}

QList<QByteArray> BrannocTestControl::ReceivedRecords()
{
    return service_->receivedRecords();
}

void BrannocTestControl::ClearReceived()
{
    service_->clearReceived();
}

void BrannocTestControl::Stall(int ms)
{
    service_->stall(ms);
}

void BrannocTestControl::DropNextReply()
{
    service_->dropNextReply();
}

} // namespace brannoc
