#include "ostrel/framework/message/YOVMsgCenter.h"

#include "common/InstallLayout.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/DBusMsgTransport.h"
#include "ostrel/framework/message/ProcessMsgServerLauncher.h"
#include "platform/RecordDispatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcMsgCenter, "ostrel.message")

namespace ostrel {

namespace {

bool configDoNotLockMsg()
{
    ConfigManager *config = ConfigManager::sharedConfigManager();
    return config && yov::nsBool(config->getConfigurationByModuleAndKey(
                         QStringLiteral("Init"), QStringLiteral("Init_DoNotLockMsg_WhenReadReceiveMsg")));
}

QString idText(const QByteArray &record)
{
    std::uint16_t major = 0, minor = 0;
    if (!yov::msgHead(record, &major, &minor))
        return QStringLiteral("(short record)");
    return QStringLiteral("%1/%2").arg(major).arg(minor);
}

} // namespace

YOVMsgCenter::YOVMsgCenter(QObject *parent)
    : YOVMsgCenter(std::make_unique<DBusMsgTransport>(), std::make_unique<ProcessMsgServerLauncher>(),
                   yov::Clock::system(), yov::NotificationCenter::defaultCenter(), parent)
{
}

YOVMsgCenter::YOVMsgCenter(std::unique_ptr<MsgTransport> transport, std::unique_ptr<MsgServerLauncher> launcher,
                           yov::Clock &clock, yov::NotificationCenter &center, QObject *parent)
    : QObject(parent),
      transport_(std::move(transport)),
      launcher_(std::move(launcher)),
      notifications_(center),
      clock_(clock),
      receiveMsgQueueTimer_(clock, this, [this] { readingReceiveMsg(); }),
      doNotLockReader_(configDoNotLockMsg)
{
    resourceDir_ = yov::InstallLayout::resourcesDir();
    programDir_ = yov::InstallLayout::programDir();
    initlizeMsgCenter();
}

YOVMsgCenter::~YOVMsgCenter()
{
    receiveMsgQueueTimer_.stop();
    stopMsgServer();
    transport_->setReceiver({});
    transport_->setOwnerWatcher({});
}

void YOVMsgCenter::initlizeMsgCenter()
{
    transport_->setReceiver([this](const QByteArray &record) { handleAppleEvent(record); });
    transport_->setOwnerWatcher([this](bool owned) { serviceOwnerChanged(owned); });
    // The drain tick runs only while records wait (putReceiveMsgInQueue arms it): an idle
    // dashboard does not wake up for it.
    isRunning_ = false;
    lockMsgWhenReceiveMsg_ = true;
}

void YOVMsgCenter::awakeFromNib()
{
    lockMsgWhenReceiveMsg_ = !(doNotLockReader_ && doNotLockReader_());
}

void YOVMsgCenter::setDoNotLockMsgReader(std::function<bool()> reader)
{
    doNotLockReader_ = std::move(reader);
}

qint64 YOVMsgCenter::makeIDByMajorID(int major, int minor)
{
    return (qint64(major) << 16) | qint64(minor);
}

QString YOVMsgCenter::notificationName(int major, int minor)
{
    return yov::msgNotificationName(std::uint16_t(major), std::uint16_t(minor));
}

void YOVMsgCenter::getMsgPackage(yov::UI_MSG *msg, const yov::Notification *notification) const
{
    if (!msg || !notification)
        return;
    yov::msgFromBytes(notification->userInfo.value(QLatin1String(yov::kMsgUserInfo)).toByteArray(), *msg);
}

bool YOVMsgCenter::sendCatalogued(std::uint16_t major, std::uint16_t minor, const QByteArray &payload, int module)
{
    const yov::MsgSender *sender = yov::requestSender(major, minor, module);
    if (!sender) {
        const yov::MsgCatalogueEntry *entry = yov::findMessage(major, minor);
        QString why;
        if (!entry || !entry->isSent())
            why = QStringLiteral("the message catalogue lists no request %1/%2").arg(major).arg(minor);
        else if (module == yov::kCatalogueModule)
            why = QStringLiteral("request %1/%2 has per-sender modules and none was given").arg(major).arg(minor);
        else
            why = QStringLiteral("the message catalogue gives request %1/%2 no module %3").arg(major).arg(minor).arg(module);
        qCWarning(lcMsgCenter).noquote() << "send refused:" << why;
        return false;
    }
    if (payload.size() != sender->payloadSize) {
        qCWarning(lcMsgCenter).noquote()
            << QStringLiteral("send refused: request %1/%2 carries %3 bytes, a payload of %4 bytes was given")
                   .arg(major)
                   .arg(minor)
                   .arg(sender->payloadSize)
                   .arg(payload.size());
        return false;
    }
    return sendMessageModuleID(sender->module, major, minor, sender->type, sender->result,
                               payload.isEmpty() ? nullptr : &payload);
}

bool YOVMsgCenter::sendMessageModuleID(int module, int major, int minor, int type, int result, const QByteArray *data)
{
    yov::UI_MSG msg = yov::zeroMsg();
    msg.marker = 1;
    msg.moduleID = module;
    msg.majorID = std::uint16_t(major);
    msg.minorID = std::uint16_t(minor);
    msg.type = type;
    msg.result = std::int8_t(std::uint8_t(result));
    if (data) {
        const qsizetype size = data->size();
        if (size > yov::kUiMsgMaxPayload) {
            const char *cut = data->constData() + yov::kUiMsgMaxPayload;
            const char *end = data->constData() + size;
            if (size > INT32_MAX || std::any_of(cut, end, [](char c) { return c != 0; })) {
                qCWarning(lcMsgCenter).nospace()
                    << "send " << major << "/" << minor << " refused: payload of " << size
                    << " bytes does not fit in a record (" << yov::kUiMsgMaxPayload
                    << " bytes) and what would be cut is not zero";
                return false;
            }
        }
        msg.dataLength = std::int32_t(size);
        const qsizetype n = std::min<qsizetype>(size, yov::kUiMsgMaxPayload);
        if (n > 0)
            std::memcpy(reinterpret_cast<char *>(&msg) + yov::kUiMsgDataOffset, data->constData(), size_t(n));
    }
    return sendMessage(&msg) == kMsgSendOK;
}

int YOVMsgCenter::sendMessage(const yov::UI_MSG *msg)
{
    if (!msg)
        return kMsgSendFailed;
    std::lock_guard<std::mutex> lock(sendMsgLocker_);
    if (notAnswering_) {
        // Handed over all the same (the service gets it when it runs again), but not waited for:
        // a stalled service would otherwise hold the window a second per request.
        transport_->post(yov::msgBytes(*msg));
        qCInfo(lcMsgCenter).nospace() << "send " << msg->majorID << "/" << msg->minorID
                                      << " not waited for: the device service does not answer";
        return kMsgSendTimedOut;
    }
    const int status = transport_->send(yov::msgBytes(*msg), kSendTimeoutMs);
    if (status != kMsgSendOK)
        qCInfo(lcMsgCenter).nospace() << "send " << msg->majorID << "/" << msg->minorID << " failed, status " << status;
    if (status == kMsgSendOK)
        silentSinceMs_ = -1;
    if (status == kMsgSendTimedOut)
        QMetaObject::invokeMethod(this, [this] { beginNotAnswering(); });
    return status;
}

void YOVMsgCenter::beginNotAnswering()
{
    if (notAnswering_)
        return;
    notAnswering_ = true;
    // Silence is counted from the first request left unanswered since the last one answered: a
    // service whose bus library still answers the probe while it handles no request gets there too.
    if (silentSinceMs_ < 0)
        silentSinceMs_ = clock_.monotonicMs();
    qCWarning(lcMsgCenter) << "the device service does not answer: requests are not waited for until it answers again";
    probeTimer_ = clock_.schedule(kProbeIntervalMs, this, [this] { probeService(); });
}

void YOVMsgCenter::endNotAnswering()
{
    if (!notAnswering_)
        return;
    notAnswering_ = false;
    if (probeTimer_)
        clock_.cancel(probeTimer_);
    probeTimer_ = 0;
    qCInfo(lcMsgCenter) << "the device service answers again";
}

void YOVMsgCenter::probeService()
{
    probeTimer_ = 0;
    if (!notAnswering_)
        return;
    if (serviceUp_ && silentSinceMs_ >= 0 && clock_.monotonicMs() - silentSinceMs_ >= kNotAnsweringLimitMs) {
        // A service that neither answers nor ends holds every area at its last request: it is
        // ended, and the road of a lost service (the device counts as removed, the service is
        // started again) gives the user the dashboard back.
        qCWarning(lcMsgCenter) << "the device service has not answered for" << kNotAnsweringLimitMs / 1000
                               << "s: it is ended and started again";
        endNotAnswering();
        silentSinceMs_ = -1;
        serviceUp_ = false;
        isRunning_ = false;
        launcher_->terminate(kStopWaitMs);
        lostForNoAnswer_ = true;
        emit msgServerLost();
        return;
    }
    QPointer<YOVMsgCenter> self(this);
    transport_->probe([self](bool answered) {
        if (self && answered)
            self->endNotAnswering();
    });
    if (notAnswering_)
        probeTimer_ = clock_.schedule(kProbeIntervalMs, this, [this] { probeService(); });
}

void YOVMsgCenter::handleAppleEvent(const QByteArray &param)
{
    // Bounded on receipt: only something the size of a record (at least its header, at most the
    // whole record) reaches the queue.
    if (param.size() < yov::kUiMsgHeaderSize || param.size() > yov::kUiMsgSize) {
        ++refused_;
        qCWarning(lcMsgCenter).noquote()
            << QStringLiteral("refused a received record of %1 bytes %2: a record has %3 to %4 bytes")
                   .arg(param.size())
                   .arg(param.size() >= yov::kUiMsgHeadSize ? QStringLiteral("(%1)").arg(idText(param))
                                                            : QStringLiteral("(no message ID)"))
                   .arg(yov::kUiMsgHeaderSize)
                   .arg(yov::kUiMsgSize);
        return;
    }
    putReceiveMsgInQueue(param);
}

int YOVMsgCenter::putReceiveMsgInQueue(const QByteArray &record)
{
    if (int(receiveMsgQueue_.size()) >= kReceiveQueueLimit) {
        ++dropped_;
        qCWarning(lcMsgCenter).noquote() << QStringLiteral("receive queue full (%1 records): dropped record %2 (%3 dropped so far)")
                                                .arg(kReceiveQueueLimit)
                                                .arg(idText(record))
                                                .arg(dropped_);
        return -1;
    }
    // A record from the device service: it runs.
    silentSinceMs_ = -1;
    endNotAnswering();
    receiveMsgQueue_.push_back(record);
    if (!receiveMsgQueueTimer_.isActive()) {
        lastDrainTickMs_ = clock_.monotonicMs();
        receiveMsgQueueTimer_.start(kDrainIntervalMs);
    }
    return 0;
}

void YOVMsgCenter::readingReceiveMsg()
{
    // One record per tick, paced in real time: when the event loop could not run the tick on time
    // (a starved or busy process), the late tick stands for the ticks it missed. Otherwise a
    // backlog that the nominal 200 records a second would drain fills the queue, and records are
    // dropped although they arrived slower than the drain's pace.
    const qint64 now = clock_.monotonicMs();
    const qint64 sinceLast = now - lastDrainTickMs_;
    lastDrainTickMs_ = now;
    int quota = int(std::clamp<qint64>(sinceLast / kDrainIntervalMs, 1, kMaxRecordsPerTick));

    const bool guard = lockMsgWhenReceiveMsg_;
    if (guard) {
        if (receiveMsgBusy_)
            return;
        receiveMsgBusy_ = true;
    }
    struct Release {
        bool *flag;
        ~Release() { if (flag) *flag = false; }
    } release{guard ? &receiveMsgBusy_ : nullptr};

    while (quota-- > 0 && !receiveMsgQueue_.empty()) {
        const QByteArray record = std::move(receiveMsgQueue_.front());
        receiveMsgQueue_.pop_front();
        msgDispatch(record);
    }
    if (receiveMsgQueue_.empty())
        receiveMsgQueueTimer_.stop();
}

void YOVMsgCenter::msgDispatch(const QByteArray &record)
{
    // While the handlers run, the process knows which record they handle (a blocking alert
    // raised now is reported with it).
    std::uint16_t major = 0, minor = 0;
    yov::msgHead(record, &major, &minor);
    const yov::RecordDispatchScope dispatching(major, minor);
    postNotificationWithMsg(record);
}

bool YOVMsgCenter::isDispatching()
{
    return yov::RecordDispatchScope::active();
}

void YOVMsgCenter::postNotificationWithMsg(const QByteArray &record)
{
    std::uint16_t major = 0, minor = 0;
    if (!yov::msgHead(record, &major, &minor))
        return;
    notifications_.post(yov::msgNotificationName(major, minor), this,
                        {{QLatin1String(yov::kMsgUserInfo), QVariant(record)}});
}

QString YOVMsgCenter::msgServerPath() const
{
    const QString overridePath = qEnvironmentVariable("OSTREL_BRANNOC");
    if (!overridePath.isEmpty())
        return overridePath;

    const QString infoPath = QDir(resourceDir_).filePath(QStringLiteral("yUIInfo"));
    if (QFileInfo::exists(infoPath)) {
        QString error;
        const auto info = yov::PlistBridge::readFile(infoPath, &error);
        if (!info)
            qCWarning(lcMsgCenter).noquote() << "yUIInfo unreadable:" << error;
        const QVariantMap dict = info ? yov::nsDict(*info) : QVariantMap();
        const QString configured = yov::nsString(dict.value(QStringLiteral("PathOfServer")));
        if (yov::nsBool(dict.value(QStringLiteral("UseConfigPath"))) && !configured.isEmpty())
            return configured;
    }
    return QDir(programDir_).filePath(QStringLiteral("Brannoc"));
}

bool YOVMsgCenter::startMsgServer()
{
    if (isRunning_)
        return false;
    const QString path = msgServerPath();
    qCInfo(lcMsgCenter).noquote() << "device service:" << path;
    if (path.isEmpty() || !QFileInfo(path).isExecutable()) {
        qCWarning(lcMsgCenter).noquote() << "device service not started: no executable at" << path;
        return false;
    }
    if (!launcher_->launch(path)) {
        qCWarning(lcMsgCenter).noquote() << "device service could not be started:" << path;
        return false;
    }
    isRunning_ = true;
    serviceUp_ = true;
    return true;
}

void YOVMsgCenter::serviceOwnerChanged(bool owned)
{
    if (owned || !serviceUp_)
        return; // a new owner, or a service this center did not start or has stopped itself
    serviceUp_ = false;
    isRunning_ = false;
    lostForNoAnswer_ = false;
    silentSinceMs_ = -1;
    endNotAnswering();
    launcher_->forgetLost(500); // the program it started has ended (or is made to): forget it
    qCWarning(lcMsgCenter) << "the device service left the bus without being stopped";
    emit msgServerLost();
}

bool YOVMsgCenter::stopMsgServer()
{
    serviceUp_ = false; // the service's leaving from here on is this center's doing
    silentSinceMs_ = -1;
    endNotAnswering();
    bool result = false;
    if (launcher_->isRunning()) {
        launcher_->terminate(kStopWaitMs);
        result = true;
        transport_->waitForServiceGone(kStopWaitMs);
    }
    const qint64 owner = transport_->serviceOwnerPid();
    if (owner > 1 && owner != QCoreApplication::applicationPid()) {
        qCInfo(lcMsgCenter) << "ending the device service that owns the bus name, process" << owner;
        launcher_->endProcess(owner, kStopWaitMs);
        if (!transport_->waitForServiceGone(kStopWaitMs))
            qCWarning(lcMsgCenter) << "the device service's bus name is still owned";
    }
    return result;
}

} // namespace ostrel
