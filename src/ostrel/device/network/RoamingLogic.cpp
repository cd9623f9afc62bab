#include "ostrel/device/network/RoamingLogic.h"

#include "common/ValueConversion.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/switches/ConfigService.h"

namespace ostrel {

namespace {

bool listContains(const QVariant &list, const QString &text)
{
    for (const QVariant &v : yov::nsArray(list)) {
        if (yov::nsString(v) == text)
            return true;
    }
    return false;
}

} // namespace

RoamingLogic::RoamingLogic(InitService &service, const RegisteredNetworkState &network, ConfigManager *store)
    : service_(service)
    , network_(network)
    , store_(store)
{
}

int RoamingLogic::getNetworkRoamStatusWithCregResult(int creg)
{
    if (creg == 5)
        return 0;
    if (creg == 1)
        return 1;
    return 2;
}

int RoamingLogic::getNetworkRoamStatusWithYdonResult(const QString &text)
{
    if (text == QLatin1String("ROAM_ON"))
        return 0;
    if (text == QLatin1String("ROAM_OFF"))
        return 1;
    return 2;
}

bool RoamingLogic::hideRoaming() const
{
    // Both lists are operator configuration: they list the texts as the dashboard keeps them.
    const ConfigService switches(store_);
    const QVariant networks = switches.readMCCMNCListFromConfig();
    const QVariant homes = switches.readHMCCMNCListNeededHideRoamStatus();
    return !yov::nsArray(networks).isEmpty() && listContains(networks, network_.mccmnc)
        && !yov::nsArray(homes).isEmpty() && listContains(homes, service_.currentHmccmnc());
}

void RoamingLogic::setRoamInfoWithNetworkRoamStatus(int status, const NetworkContext &context, NetworkEffects &e)
{
    if (status == 0 && hideRoaming())
        status = 1;
    networkRoamStatus_ = status;
    if (status == 0) {
        setRoamTransferModeWithPreStatus(registeredNetworkRoamStatus_, 0, context, e);
        e.roamMark = QStringLiteral("R");
        registeredNetworkRoamStatus_ = 0;
    } else if (status == 1) {
        setRoamTransferModeWithPreStatus(registeredNetworkRoamStatus_, 1, context, e);
        e.roamMark = QString(QLatin1String(""));
        registeredNetworkRoamStatus_ = 1;
    } else {
        e.roamMark = QString(QLatin1String(""));
    }
    e.post(QStringLiteral("init_RoamStatus"), status);
    setRoamStatusForDidizu(status, e);
}

void RoamingLogic::setRoamTransferModeWithPreStatus(int pre, int status, const NetworkContext &context, NetworkEffects &e)
{
    if (pre == 2 || status == 2)
        return; // a first registration is no transfer
    if (pre == status) {
        roamTransferMode_ = NoTransfer;
    } else if (pre == 1 && status == 0) {
        roamTransferMode_ = HomeToRoam;
        disconnectDeclined_ = false;
        disconnectQuestionPending_ = false;
        disconectNetIfConfig(context, e);
    } else if (pre == 0 && status == 1) {
        roamTransferMode_ = RoamToHome;
        disconnectDeclined_ = false;
        disconnectQuestionPending_ = false;
    }
}

void RoamingLogic::disconectNetIfConfig(const NetworkContext &context, NetworkEffects &e)
{
    if (!netconfig::flag(store_, "Internet", "disNetWhileToRoam") || context.connectStatus != 3)
        return;
    e.askRoamDisconnect = true;
    disconnectQuestionPending_ = true;
}

NetworkEffects RoamingLogic::answerRoamDisconnect(bool disconnect)
{
    NetworkEffects e;
    // The question waits without blocking the device link: an answer that comes after the device
    // has left that roaming network (a new transfer cleared the question) changes nothing.
    if (!disconnectQuestionPending_)
        return e;
    disconnectQuestionPending_ = false;
    disconnectDeclined_ = !disconnect;
    e.disconnect = disconnect;
    return e;
}

void RoamingLogic::showRoamAlertWindow(int status, NetworkEffects &e)
{
    if (!netconfig::topFlag(store_, "enableRoamAlert"))
        return;
    if (status == 0 && !hasAlertRoam_) {
        hasAlertRoam_ = true;
        e.showRoamAlert = true;
    } else if (status == 1 && hasAlertRoam_) {
        hasAlertRoam_ = false;
    }
}

void RoamingLogic::doWhenNetWorkChanged(const NetworkContext &c, NetworkEffects &e)
{
    if (netconfig::flag(store_, "Internet", "autoConnectWhenRoamToNoRoam") && roamTransferMode_ == RoamToHome) {
        if (c.allowAutoConnect && !c.hadDoManualDisconnect) {
            e.apnCycleEnable = true;
            if (c.connectStatus == 3)
                apnCyleWhenRoamToNoRoam_ = true;
        }
        if (c.connectStatus == 3)
            e.disconnect = true;
        else if (c.connectStatus == 0 && !c.hadDoManualDisconnect && !c.isDoingConnect)
            e.reconnect = true;
    }
    // Entering roaming ends a connection, unless the user was asked and keeps it (or has not
    // answered yet: the answer decides).
    if (roamTransferMode_ == HomeToRoam && (c.connectStatus == 3 || c.connectStatus == 1) && !disconnectQuestionPending_
        && !disconnectDeclined_)
        e.disconnect = true;
    whiteListCheck(e);
}

bool RoamingLogic::isInWhiteList() const
{
    const QVariant list = netconfig::value(store_, "Internet", "InternetWhiteList");
    if (!list.isValid() || network_.mccmnc.isEmpty())
        return false;
    const QVariantMap dict = yov::nsDict(list);
    for (auto it = dict.cbegin(); it != dict.cend(); ++it) {
        if (yov::nsString(it.value()) == network_.mccmnc)
            return true;
    }
    return false;
}

void RoamingLogic::whiteListCheck(NetworkEffects &e)
{
    if (!netconfig::flag(store_, "Internet", "paySameAsHomeNetIfIsWhilteNet") || networkRoamStatus_ != 0 || !isInWhiteList())
        return;
    whiteListCheckFlag_ = false;
    e.showWhiteListSheet = true;
}

void RoamingLogic::checkIsNationnalRoam(NetworkEffects &e) const
{
    if (!netconfig::flag(store_, "Internet", "NotAutoConnectForInterRoam"))
        return;
    const QString homeMcc = QString::number(network_.currentHMcc);
    // The registered MCC as reported: the "mccmnc" text of a three-digit MNC does not begin with
    // the MCC (310/260 is "31260").
    if (network_.plmn.isValid())
        e.runtimeIsSameMCC = network_.plmn.mcc == homeMcc;
    else
        e.runtimeIsSameMCC = network_.mccmnc.startsWith(homeMcc);
}

int RoamingLogic::closeRoamAtDomesticRoaming(int status, const QString &homeMcc, const QString &netMcc) const
{
    if (netconfig::flag(store_, "Internet", "CloseRoamAtDomesticRoaming") && status == 0 && !homeMcc.isEmpty()
        && homeMcc == netMcc)
        return 1;
    return status;
}

NetworkEffects RoamingLogic::dealWithMsgOfCheckRoamInfo(const QByteArray &record, const NetworkContext &context)
{
    NetworkEffects e;
    if (context.platform != 1)
        return e;
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    const int status = getNetworkRoamStatusWithCregResult(r.data.int32(0));
    setRoamInfoWithNetworkRoamStatus(status, context, e);
    showRoamAlertWindow(status, e);
    service_.setNetworkRoamStatus(status);
    return e;
}

NetworkEffects RoamingLogic::dealWithMsgOfReadRoamSwitch(const QByteArray &record)
{
    NetworkEffects e;
    const ReceivedRecord r = ReceivedRecord::fromBytes(record);
    if (r.type != 1 || r.moduleID != 1 || r.result != 0)
        return e;
    const int national = r.data.int32(0);
    const int international = r.data.int32(4);
    e.roamSwitchesEnabled = true;
    e.nRoamSwitchOn = national == 1;
    e.iRoamSwitchOn = international == 1;
    nRoamDefaultValue_ = national;
    iRoamDefaultValue_ = international;
    if (netconfig::flag(store_, "Setting", "SetDefaultIroamSwitchOnAfterFinishInstalling")) {
        e.iRoamSwitchOn = true;
        iRoamDefaultValue_ = 1;
        e.sendSetRoamSwitch = true;
        netconfig::writeNow(store_, "Setting", "SetDefaultIroamSwitchOnAfterFinishInstalling", false);
    }
    return e;
}

void RoamingLogic::setRoamStatusForDidizu(int status, NetworkEffects &e) const
{
    if (!netconfig::flag(store_, "Init", "setRoamStatusForDidizu"))
        return;
    auto image = [this](const char *key) { return yov::nsString(netconfig::value(store_, "Init", key)); };
    e.didizuRoamImage = image(status == 0 ? "imageNameOfRoamOnForDidizu" : "imageNameOfRoamOffForDidizu");
    e.didizuHomeNetImage =
        image(status == 1 ? "imageNameOfHomeNetSelectedForDidizu" : "imageNameOfHomeNetUnSelectedForDidizu");
}

void RoamingLogic::deviceRemoved(NetworkEffects &e)
{
    networkRoamStatus_ = 2;
    roamTipWhenInWhiteList_ = true;
    roamTransferMode_ = NoTransfer;
    registeredNetworkRoamStatus_ = 2;
    hasAlertRoam_ = false;
    disconnectQuestionPending_ = false;
    disconnectDeclined_ = false;
    e.roamSwitchesEnabled = false;
}

} // namespace ostrel
