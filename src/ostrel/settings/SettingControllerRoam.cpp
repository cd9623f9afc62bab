// The "Network" panel's roaming controls: the national and international roaming switches, which
// the device service keeps and which always travel together (513/84), and the choice between the
// home and the roaming identity of a dual-identity SIM, made through the SIM's own toolkit menu.
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "common/records/UiMsg.h"
#include "common/records/settings/SettingsRecords.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "platform/Clock.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QBoxLayout>
#include <QVBoxLayout>

namespace ostrel {

namespace {
QStringList textsOf(const QVariant &list)
{
    QStringList texts;
    for (const QVariant &v : yov::nsArray(list))
        texts << yov::nsString(v);
    return texts;
}
} // namespace

void SettingController::buildRoamingControls(QWidget *panel)
{
    roamingBox_ = new QGroupBox(QStringLiteral("Roaming"), panel);
    roamingBox_->setObjectName(QStringLiteral("boxRoamingSetting"));
    auto *row = new QHBoxLayout(roamingBox_);
    roamingBox_->hide(); // shown once it holds the switches
    // The identity choice only for SIMs that switch identities through their toolkit menu.
    if (ConfigService(&config()).isRoamingImsiSet()) {
        roamingSetBox_ = new QWidget(roamingBox_);
        roamingSetBox_->setObjectName(QStringLiteral("matrixRoamingSet"));
        auto *cells = new QHBoxLayout(roamingSetBox_);
        cells->setContentsMargins(0, 0, 0, 0);
        matrixRoamingSet_ = new QButtonGroup(roamingSetBox_);
        int id = 0;
        for (const char *title : {"Home IMSI", "Roaming IMSI"}) {
            auto *cell = new QRadioButton(QLatin1String(title), roamingSetBox_);
            matrixRoamingSet_->addButton(cell, id++);
            cells->addWidget(cell);
        }
        matrixRoamingSet_->button(0)->setChecked(true);
        connect(matrixRoamingSet_, &QButtonGroup::idClicked, this, [this] { roamingIMSISelect(matrixRoamingSet_); });
        row->addWidget(roamingSetBox_);
        roamingBox_->show();
    }
    row->addStretch(1);
    static_cast<QVBoxLayout *>(panel->layout())->addWidget(roamingBox_);
}

void SettingController::setRoamSwitches(QCheckBox *nRoam, QCheckBox *iRoam)
{
    // Without the "Network" panel there are no boxes: the device's own values travel.
    if (!roamingBox_)
        return;
    btnNroamSwitchSetting_ = nRoam;
    btnIroamSwitchSetting_ = iRoam;
    for (QCheckBox *box : {nRoam, iRoam}) {
        if (!box)
            continue;
        if (QWidget *old = box->parentWidget(); old && old->layout())
            old->layout()->removeWidget(box);
        box->setParent(roamingBox_);
        // National first, international after it, the identity choice last.
        static_cast<QBoxLayout *>(roamingBox_->layout())->insertWidget(box == iRoam && nRoam ? 1 : 0, box);
        box->show();
    }
    if (nRoam)
        connect(nRoam, &QCheckBox::clicked, this, [this] { clickNroamSwitch(btnNroamSwitchSetting_); });
    if (iRoam)
        connect(iRoam, &QCheckBox::clicked, this, [this] { clickIroamSwitch(btnIroamSwitchSetting_); });
    roamingBox_->setVisible(nRoam || iRoam || roamingSetBox_);
    initNetworkModuleWording();
}

void SettingController::sendSetRoamSwitch()
{
    InitControllerInterface &init = Neighbours::init();
    RoamSwitchTracker::Switches sent{init.nRoamDefaultValue(), init.iRoamDefaultValue()};
    if (btnNroamSwitchSetting_)
        sent.nRoam = btnNroamSwitchSetting_->isChecked() ? 1 : 0;
    if (btnIroamSwitchSetting_)
        sent.iRoam = btnIroamSwitchSetting_->isChecked() ? 1 : 0;
    const bool byUser = nextRoamSendByUser_;
    nextRoamSendByUser_ = false;
    RoamSwitchTracker::Switches before = sent;
    if (byUser)
        before = roamSwitchesBeforeClick_;
    roamSwitchSent(byUser, before, sent);
}

void SettingController::roamSwitchSent(bool byUser, RoamSwitchTracker::Switches before, RoamSwitchTracker::Switches sent)
{
    const bool delivered =
        yovMsgCenter()
        && yovMsgCenter()->sendCatalogued<yov::netsetmsg::kMajor, yov::netsetmsg::kMinorRoamSwitch>(
            yov::RoamSwitchRecord{sent.nRoam, sent.iRoam});
    const RoamSwitchTracker::Pending pending{byUser, before, sent, clock().monotonicMs()};
    if (!delivered) {
        // No answer will come: the request failed now.
        roamSwitchFailed(pending);
        return;
    }
    roamSwitches_.sent(byUser, before, sent, pending.sentAtMs);
    clock().schedule(int(RoamSwitchTracker::kAnswerTimeoutMs), this, [this] { expireRoamSwitches(); });
}

void SettingController::clickNroamSwitch(QObject *) { roamSwitchClicked(btnNroamSwitchSetting_); }

void SettingController::clickIroamSwitch(QObject *) { roamSwitchClicked(btnIroamSwitchSetting_); }

void SettingController::roamSwitchClicked(QCheckBox *changed)
{
    // The clicked box has already taken its new state; before the click it showed the opposite.
    // Without a box the device's value stands.
    const auto before = [changed](QCheckBox *box, int deviceValue) {
        return box ? ((box == changed) != box->isChecked() ? 1 : 0) : deviceValue;
    };
    roamSwitchesBeforeClick_ = {before(btnNroamSwitchSetting_, Neighbours::init().nRoamDefaultValue()),
                                before(btnIroamSwitchSetting_, Neighbours::init().iRoamDefaultValue())};
    setisManualSetRoamSwitch(true);
    sendSetRoamSwitch();
}

void SettingController::roamSwitchFailed(const RoamSwitchTracker::Pending &pending)
{
    const RoamSwitchTracker::Switches shown{btnNroamSwitchSetting_ && btnNroamSwitchSetting_->isChecked() ? 1 : 0,
                                            btnIroamSwitchSetting_ && btnIroamSwitchSetting_->isChecked() ? 1 : 0};
    const RoamSwitchTracker::Switches back = RoamSwitchTracker::restored(pending, shown);
    if (btnNroamSwitchSetting_)
        btnNroamSwitchSetting_->setChecked(back.nRoam != 0);
    if (btnIroamSwitchSetting_)
        btnIroamSwitchSetting_->setChecked(back.iRoam != 0);
    if (pending.byUser)
        sheetQueue_->beginAlert({tr_(QStringLiteral(" ")), tr_(QStringLiteral("Settings Failed!")), tr_(QStringLiteral("OK")), QString()});
}

void SettingController::expireRoamSwitches()
{
    for (const RoamSwitchTracker::Pending &pending : roamSwitches_.expire(clock().monotonicMs()))
        roamSwitchFailed(pending);
}

void SettingController::dealWithMsgOfSetRoamSwitch(const yov::Notification &n)
{
    yov::UI_MSG msg = yov::zeroMsg();
    if (yovMsgCenter())
        yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != 1 || msg.moduleID != 3)
        return;
    RoamSwitchTracker::Pending pending;
    if (!roamSwitches_.answered(&pending))
        return; // no request waits (it was answered or given up on)
    if (msg.result != 0) {
        roamSwitchFailed(pending);
        return;
    }
    if (pending.byUser)
        sheetQueue_->beginAlert({tr_(QStringLiteral(" ")), tr_(QStringLiteral("Settings successful!")), tr_(QStringLiteral("OK")), QString()});
}

void SettingController::setRoamingStateAccordImsi(const QString &imsi)
{
    const std::optional<int> tag = netmode::roamingImsiTag(imsi, Neighbours::init().iccidStr(),
                                                           textsOf(setting(QStringLiteral("IMSIHomeCfg"))),
                                                           textsOf(setting(QStringLiteral("IMSIRoamingCfg"))));
    if (!tag || !matrixRoamingSet_)
        return;
    if (QAbstractButton *cell = matrixRoamingSet_->button(*tag))
        cell->setChecked(true);
}

void SettingController::roamingIMSISelect(QObject *)
{
    roamingImsiSet_ = true;
    roamingImsiType_ = matrixRoamingSet_ ? matrixRoamingSet_->checkedId() : 0;
    STKControllerInterface &stk = Neighbours::stk();
    stk.ExitClicked();
    stk.SelectClicked(0);
}

void SettingController::setRoamingIMSISelectEnabled(bool enable)
{
    if (roamingSetBox_)
        roamingSetBox_->setEnabled(enable);
}

} // namespace ostrel
