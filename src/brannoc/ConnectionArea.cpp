#include "brannoc/ConnectionArea.h"

#include "brannoc/ModemRecords.h"
#include "brannoc/NetworkArea.h"
#include "common/records/Payload.h"


namespace brannoc {

using namespace yov::dialmsg;

namespace {
constexpr int kPppRunning = yov::kPppRunning;
} // namespace

ConnectionArea::ConnectionArea()
{
    stepTimer_.setSingleShot(true);
    dropTimer_.setSingleShot(true);
    stepTimer_.callOnTimeout([this] { step(); });
    trafficTimer_.callOnTimeout([this] { pushTransfer(); });
    dropTimer_.callOnTimeout([this] { dropLink(); });
}

QStringList ConnectionArea::stateKeys() const
{
    return {QStringLiteral("NewDial"),     QStringLiteral("ConnectFails"), QStringLiteral("AttachFails"),
            QStringLiteral("StepMs"),      QStringLiteral("SendRate"),     QStringLiteral("ReceiveRate"),
            QStringLiteral("LocalIp"),     QStringLiteral("NdisTransferIntervalMs"),
            QStringLiteral("DropAfterMs"), QStringLiteral("ConnectFailsTimes"), QStringLiteral("ConnectOnlyApn")};
}

void ConnectionArea::load(const QVariantMap &state)
{
    state_ = state;
    stopAll();
    dialParams_.reset();
    freqLock_ = {0, 0};
}

void ConnectionArea::stopAll()
{
    stepTimer_.stop();
    trafficTimer_.stop();
    dropTimer_.stop();
    road_ = Road::None;
    path_.clear();
    index_ = 0;
    linkState_ = 0;
    up_ = false;
}

QVariantMap ConnectionArea::state() const
{
    QVariantMap s = state_;
    s.insert(QStringLiteral("Road"), road_ == Road::Ppp ? QStringLiteral("PPP")
                                     : road_ == Road::Ndis ? QStringLiteral("NDIS")
                                                           : QString());
    s.insert(QStringLiteral("LinkState"), linkState_);
    s.insert(QStringLiteral("LinkUp"), up_);
    s.insert(QStringLiteral("SentBytes"), sentBytes());
    s.insert(QStringLiteral("ReceivedBytes"), receivedBytes());
    s.insert(QStringLiteral("FreqLockEnabled"), freqLock_.enable);
    s.insert(QStringLiteral("FreqLockValue"), freqLock_.value);
    if (dialParams_) {
        s.insert(QStringLiteral("DialParams"),
                 QVariantMap{{QStringLiteral("Apn"), dialParams_->apn},
                             {QStringLiteral("TelNumber"), dialParams_->telNumber},
                             {QStringLiteral("UserName"), dialParams_->userName},
                             // Only whether a password is stored: the state is open to
                             // anyone on the user's bus.
                             {QStringLiteral("PasswordSet"), !dialParams_->password.isEmpty()},
                             {QStringLiteral("PdpAddress"), dialParams_->pdpAddress},
                             {QStringLiteral("ConnectType"), dialParams_->connectType},
                             {QStringLiteral("AuthType"), dialParams_->authType},
                             {QStringLiteral("PdpType"), dialParams_->pdpType},
                             {QStringLiteral("PdpFlag"), dialParams_->pdpFlag},
                             {QStringLiteral("DisableAlertWindow"), dialParams_->disableAlertWindow},
                             {QStringLiteral("Mtu"), dialParams_->mtu},
                             {QStringLiteral("PreDns"), dialParams_->preDns},
                             {QStringLiteral("AltDns"), dialParams_->altDns}});
    }
    return s;
}

qint64 ConnectionArea::sentBytes() const
{
    return up_ ? qint64(stateInt(state_, "SendRate", 2048)) * upClock_.elapsed() / 1000 : 0;
}

qint64 ConnectionArea::receivedBytes() const
{
    return up_ ? qint64(stateInt(state_, "ReceiveRate", 16384)) * upClock_.elapsed() / 1000 : 0;
}

std::uint32_t ConnectionArea::localAddress() const
{
    if (!up_)
        return 0;
    const QStringList parts = stateText(state_, "LocalIp", QStringLiteral("10.64.12.34")).split(QLatin1Char('.'));
    if (parts.size() != 4)
        return 0;
    std::uint32_t v = 0;
    for (const QString &p : parts) {
        bool ok = false;
        const uint octet = p.toUInt(&ok);
        if (!ok || octet > 255)
            return 0;
        v = (v << 8) | octet;
    }
    return v;
}

bool ConnectionArea::linkBusy() const
{
    return up_ || stepTimer_.isActive();
}

void ConnectionArea::startPath(Road road, std::vector<int> path)
{
    road_ = road;
    path_ = std::move(path);
    index_ = 0;
    stepTimer_.stop();
    if (path_.empty())
        return;
    applyLinkState(path_[0]);
    if (path_.size() > 1)
        stepTimer_.start(qMax(1, stateInt(state_, "StepMs", 300)));
}

void ConnectionArea::step()
{
    if (++index_ >= path_.size())
        return;
    applyLinkState(path_[index_]);
    if (index_ + 1 < path_.size())
        stepTimer_.start(qMax(1, stateInt(state_, "StepMs", 300)));
}

void ConnectionArea::applyLinkState(int s)
{
    linkState_ = s;
    const bool nowUp = road_ == Road::Ppp ? s == kPppRunning : (road_ == Road::Ndis && s == yov::kNdisConnected);
    if (nowUp && !up_) {
        up_ = true;
        upClock_.start();
        armDrop();
        if (road_ == Road::Ndis)
            trafficTimer_.start(qMax(50, stateInt(state_, "NdisTransferIntervalMs", 1000)));
    } else if (!nowUp && up_) {
        up_ = false;
        dropTimer_.stop();
        trafficTimer_.stop();
    }
    if (road_ == Road::Ndis && context_)
        context_->push(makeRecord(kMajorDial, kMinorNdisStatus, 1, kOk, requestModule_, yov::encodeNdisStatus(s)));
}

void ConnectionArea::armDrop()
{
    dropTimer_.stop();
    const int after = stateInt(state_, "DropAfterMs", 0);
    if (up_ && after > 0)
        dropTimer_.start(after);
}

void ConnectionArea::dropLink()
{
    if (road_ == Road::Ppp && linkState_ != yov::kPppIdle)
        startPath(Road::Ppp, {yov::kPppDisconnectLink, yov::kPppIdle});
    else if (road_ == Road::Ndis && linkState_ != yov::kNdisDisconnected && linkState_ != yov::kNdisConnectFailed)
        startPath(Road::Ndis, {yov::kNdisDisconnected});
}

void ConnectionArea::pushTransfer()
{
    if (!up_ || road_ != Road::Ndis || !context_)
        return;
    yov::NdisTransferData d;
    d.localIp = stateText(state_, "LocalIp", QStringLiteral("10.64.12.34"));
    d.sendBytes = float(sentBytes());
    d.receiveBytes = float(receivedBytes());
    d.sendSpeed = float(stateInt(state_, "SendRate", 2048));
    d.receiveSpeed = float(stateInt(state_, "ReceiveRate", 16384));
    context_->push(makeRecord(kMajorDial, kMinorNdisTransfer, 1, kOk, requestModule_, d.encode()));
}

void ConnectionArea::onEvent(ModemEvent event, ModemContext &context)
{
    if (event == ModemEvent::DeviceRemoved) {
        stopAll();
        return;
    }
    if (event == ModemEvent::NetworkChanged && linkBusy()) {
        const auto *network = dynamic_cast<const NetworkArea *>(context.area(QStringLiteral("Network")));
        if (network && !network->packetService())
            dropLink(); // the packet domain went away under the link
    }
}

bool ConnectionArea::handleRequest(const yov::UI_MSG &request, ModemContext &context)
{
    const yov::PayloadReader payload = yov::PayloadReader::ofMsg(request);
    const std::int32_t module = request.moduleID;
    const auto reply = [&](std::uint16_t major, std::uint16_t minor, std::int8_t result, const QByteArray &data = {}) {
        context.push(makeRecord(major, minor, 1, result, module, data));
    };
    auto *network = dynamic_cast<NetworkArea *>(context.area(QStringLiteral("Network")));
    // Whether a connect request may bring the link up; a refusal counted by ConnectFailsTimes is
    // spent by the request that meets it.
    const auto canConnect = [&] {
        if (stateBool(state_, "ConnectFails", false) || !network || !network->packetService())
            return false;
        const QString onlyApn = stateText(state_, "ConnectOnlyApn", QString());
        if (!onlyApn.isEmpty() && (!dialParams_ || dialParams_->apn != onlyApn))
            return false;
        const int refusals = stateInt(state_, "ConnectFailsTimes", 0);
        if (refusals > 0) {
            state_.insert(QStringLiteral("ConnectFailsTimes"), refusals - 1);
            return false;
        }
        return true;
    };

    if (request.majorID == kMajorConfig) {
        switch (request.minorID) {
        case kMinorDialParams:
            dialParams_ = yov::MSG_APN_SET_REQ_PARA_T::decode(payload);
            reply(kMajorConfig, kMinorDialParams, kOk);
            return true;
        case kMinorFreqLockSet:
            freqLock_ = yov::FreqLockSetRequest::decode(payload);
            return true;
        case kMinorFreqLockRead:
            reply(kMajorConfig, kMinorFreqLockState, kOk, int32Payload({freqLock_.enable == 1 ? 1 : 0, freqLock_.value}));
            return true;
        default:
            return false;
        }
    }
    if (request.majorID != kMajorDial)
        return false;

    switch (request.minorID) {
    case kMinorPppConnect:
        if (linkBusy()) {
            reply(kMajorDial, kMinorPppConnect, kFailed); // one data call at a time
            return true;
        }
        requestModule_ = module;
        reply(kMajorDial, kMinorPppConnect, kOk);
        if (canConnect())
            startPath(Road::Ppp, {yov::kPppInitialize, yov::kPppConnectLink, yov::kPppEstablish, yov::kPppAuthenticate,
                                  yov::kPppNetwork, yov::kPppRunning});
        else
            startPath(Road::Ppp, {yov::kPppInitialize, yov::kPppConnectLink, yov::kPppEstablish, yov::kPppAuthenticate,
                                  yov::kPppTerminate, yov::kPppDisconnectLink, yov::kPppIdle});
        return true;
    case kMinorPppDisconnect:
        reply(kMajorDial, kMinorPppDisconnect, kOk);
        if (road_ == Road::Ppp && linkState_ != yov::kPppIdle)
            startPath(Road::Ppp, {yov::kPppTerminate, yov::kPppDisconnectLink, yov::kPppIdle});
        return true;
    case kMinorPppStatus: {
        const int s = road_ == Road::Ppp ? linkState_ : yov::kPppIdle;
        const qint64 seconds = up_ ? upClock_.elapsed() / 1000 : 0;
        if (stateBool(state_, "NewDial", false)) {
            yov::MSG_DIAL_PPP_TRANSFER_STATUS st;
            st.localIp = up_ ? stateText(state_, "LocalIp", QStringLiteral("10.64.12.34")) : QString();
            st.sendBytes = float(sentBytes());
            st.receiveBytes = float(receivedBytes());
            st.connectSeconds = up_ ? double(upClock_.elapsed()) / 1000.0 : 0.0;
            st.pppState = s;
            reply(kMajorDial, kMinorPppStatus, kOk, st.encode());
        } else {
            yov::ppp_status st;
            st.status = std::uint32_t(s);
            if (up_) {
                st.timeElapsed = std::uint32_t(seconds);
                st.inBytes = std::uint32_t(receivedBytes());
                st.outBytes = std::uint32_t(sentBytes());
                st.inPackets = st.inBytes / 1400;
                st.outPackets = st.outBytes / 1400;
            }
            reply(kMajorDial, kMinorPppStatus, kOk, st.encode());
        }
        return true;
    }
    case kMinorPppLocalAddress:
        reply(kMajorDial, kMinorPppLocalAddress, kOk, yov::encodeLocalAddress(road_ == Road::Ppp ? localAddress() : 0));
        return true;
    case kMinorNdisConnect:
        if (linkBusy())
            return true; // already connecting or connected: its reports go on
        requestModule_ = module;
        startPath(Road::Ndis, {yov::kNdisConnecting, canConnect() ? yov::kNdisConnected : yov::kNdisConnectFailed});
        return true;
    case kMinorNdisDisconnect:
        if (road_ == Road::Ndis && linkBusy())
            startPath(Road::Ndis, {yov::kNdisDisconnected});
        return true;
    case kMinorNdisQuery:
        reply(kMajorDial, kMinorNdisQuery, road_ == Road::Ndis && up_ ? kOk : kFailed);
        return true;
    case kMinorPsAttach: {
        const yov::PsAttachRequest r = yov::PsAttachRequest::decode(payload);
        const bool attach = r.action == yov::PsAttachRequest::kAttach;
        bool ok = network && !(attach && stateBool(state_, "AttachFails", false));
        if (ok)
            ok = network->attachPacketDomain(attach, context);
        reply(kMajorDial, 64, ok ? kOk : kFailed);
        return true;
    }
    default:
        return false;
    }
}

void ConnectionArea::changed(const QVariantMap &previous, ModemContext &)
{
    if (previous.value(QStringLiteral("DropAfterMs")) != state_.value(QStringLiteral("DropAfterMs")))
        armDrop();
    if (previous.value(QStringLiteral("NdisTransferIntervalMs")) != state_.value(QStringLiteral("NdisTransferIntervalMs"))
        && trafficTimer_.isActive())
        trafficTimer_.start(qMax(50, stateInt(state_, "NdisTransferIntervalMs", 1000)));
}

} // namespace brannoc
