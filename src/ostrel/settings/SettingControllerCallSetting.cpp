// The "Call" panel: call forwarding, waiting and barring as the network holds them. The sequences
// live in CallSettingSequencer; this file builds the panel, mirrors the sequencer into it and hands
// it the device's records.
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/UiMsg.h"
#include "common/records/settings/SettingsRecords.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/CallSettingSequencer.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ostrel {

namespace {

struct CallForwardRow {
    const char *name;
    const char *title;
};
// In the sequencer's slot order: busy, not reachable, no answer, all calls.
const CallForwardRow kCallForwardRows[CallSettingSequencer::kForwardSlots] = {
    {"DivertWhenBusy", "Divert when busy"},
    {"DivertWhenNotReachable", "Divert if not reachable"},
    {"DivertWhenNotAnswer", "Divert if not answer"},
    {"DivertAll", "Divert all calls without ringing"},
};
// In the facility table's order ("AO", "OI", "OX", "AI", "IR").
const char *const kCallBarNames[CallSettingSequencer::kBarFacilities] = {
    "btnBarAllOutgoing", "btnBarInternational", "btnBarInternationalEXHC", "btnBarAllIncoming", "btnBarIncomingWhenRoaming",
};
const char *const kCallBarTitles[CallSettingSequencer::kBarFacilities] = {
    "Bar All Outgoing Call",
    "Bar Outgoing Internetional Calls",
    "Bar Outgoing Internetional Calls Except To Home Country",
    "Bar All Incoming Calls",
    "Bar Incoming Call When Roaming outside the home country",
};

yov::UI_MSG callRecordOf(YOVMsgCenter *center, const yov::Notification &n)
{
    yov::UI_MSG msg = yov::zeroMsg();
    if (center)
        center->getMsgPackage(&msg, &n);
    return msg;
}

} // namespace

void SettingController::buildCallPanel(QWidget *panel)
{
    callSequencer_ = new CallSettingSequencer(
        yovMsgCenter(), clock(), ConfigService(&config()).isCallBarringSetting(),
        [this](const QString &title, const QString &message) {
            sheetQueue_->beginAlert({title, tr_(message), tr_(QStringLiteral("OK")), QString()}, {});
        },
        this);
    callSequencer_->setChangedHandler([this] { syncCallPanel(); });

    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    auto *tabs = new QTabWidget(panel);
    tabs->setObjectName(QStringLiteral("callSettingView"));
    callSettingView_ = tabs;

    auto *forwardPage = new QWidget;
    auto *forwardGrid = new QGridLayout(forwardPage);
    for (int slot = 0; slot < CallSettingSequencer::kForwardSlots; ++slot) {
        auto *box = new QCheckBox(QString::fromLatin1(kCallForwardRows[slot].title), forwardPage);
        box->setObjectName(QStringLiteral("btn") + QLatin1String(kCallForwardRows[slot].name));
        box->setProperty("tag", CallSettingSequencer::reasonOfSlot(slot));
        auto *field = new QLineEdit(forwardPage);
        field->setObjectName(QStringLiteral("txd") + QLatin1String(kCallForwardRows[slot].name));
        field->setMaxLength(yov::callsetmsg::kNumberMax);
        forwardGrid->addWidget(box, slot, 0);
        forwardGrid->addWidget(field, slot, 1);
        callForwardBoxes_[slot] = box;
        callForwardFields_[slot] = field;
        connect(box, &QCheckBox::clicked, this, [this, slot](bool on) { callSequencer_->setForwardBox(slot, on); });
        connect(field, &QLineEdit::textEdited, this,
                [this, slot](const QString &text) { callSequencer_->setForwardNumber(slot, text); });
    }
    forwardGrid->setRowStretch(CallSettingSequencer::kForwardSlots, 1);
    setTabViewItemIdentifier(forwardPage, QStringLiteral("CallForward"));
    tabs->addTab(forwardPage, QStringLiteral("CallForward"));

    auto *waitPage = new QWidget;
    auto *waitLayout = new QVBoxLayout(waitPage);
    btnCallWaitSetting_ = new QCheckBox(QStringLiteral("Call Waiting"), waitPage);
    btnCallWaitSetting_->setObjectName(QStringLiteral("btnCallWaitSetting"));
    waitLayout->addWidget(btnCallWaitSetting_);
    waitLayout->addStretch(1);
    connect(btnCallWaitSetting_, &QCheckBox::clicked, this, [this](bool on) { callSequencer_->setWaitingBox(on); });
    setTabViewItemIdentifier(waitPage, QStringLiteral("CallWaiting"));
    tabs->addTab(waitPage, QStringLiteral("CallWaiting"));

    auto *barPage = new QWidget;
    auto *barLayout = new QVBoxLayout(barPage);
    for (int i = 0; i < CallSettingSequencer::kBarFacilities; ++i) {
        auto *box = new QCheckBox(QString::fromLatin1(kCallBarTitles[i]), barPage);
        box->setObjectName(QLatin1String(kCallBarNames[i]));
        box->setProperty("tag", i);
        barLayout->addWidget(box);
        callBarBoxes_[i] = box;
        connect(box, &QCheckBox::clicked, this, [this, i](bool on) { callSequencer_->setBarBox(i, on); });
    }
    auto *passwordRow = new QHBoxLayout;
    labelCallBarPassword_ = new QLabel(QStringLiteral("Password:"), barPage);
    labelCallBarPassword_->setObjectName(QStringLiteral("labelCallBarPassword"));
    txdCallBarPassword_ = new QLineEdit(barPage);
    txdCallBarPassword_->setObjectName(QStringLiteral("txdCallBarPassword"));
    txdCallBarPassword_->setEchoMode(QLineEdit::Password);
    txdCallBarPassword_->setMaxLength(yov::callsetmsg::kPasswordMax);
    connect(txdCallBarPassword_, &QLineEdit::textEdited, this,
            [this](const QString &text) { callSequencer_->setPassword(text); });
    passwordRow->addWidget(labelCallBarPassword_);
    passwordRow->addWidget(txdCallBarPassword_, 1);
    barLayout->addLayout(passwordRow);
    barLayout->addStretch(1);
    setTabViewItemIdentifier(barPage, QStringLiteral("CallBarring"));
    tabs->addTab(barPage, QStringLiteral("CallBarring"));
    layout->addWidget(tabs, 1);

    auto *buttons = new QHBoxLayout;
    btnReadCallSetStatus_ = new QPushButton(QStringLiteral("Read Status"), panel);
    btnReadCallSetStatus_->setObjectName(QStringLiteral("btnReadCallSetStatus"));
    btnCallSettingApply_ = new QPushButton(QStringLiteral("Apply"), panel);
    btnCallSettingApply_->setObjectName(QStringLiteral("btnCallSettingApply"));
    buttons->addStretch(1);
    buttons->addWidget(btnReadCallSetStatus_);
    buttons->addWidget(btnCallSettingApply_);
    layout->addLayout(buttons);
    connect(btnCallSettingApply_, &QPushButton::clicked, this, [this] { callSettingApply(); });
    connect(btnReadCallSetStatus_, &QPushButton::clicked, this, [this] { readCallSettingStatues(); });
    syncCallPanel();
}

void SettingController::syncCallPanel()
{
    if (!callSequencer_)
        return;
    const CallSettingSequencer::View &v = callSequencer_->view();
    for (int slot = 0; slot < CallSettingSequencer::kForwardSlots; ++slot) {
        if (QCheckBox *box = callForwardBoxes_[slot]) {
            const QSignalBlocker blocker(box);
            box->setChecked(v.forward[slot].on);
            box->setEnabled(v.forward[slot].boxEnabled);
        }
        if (QLineEdit *field = callForwardFields_[slot]) {
            if (field->text() != v.forward[slot].number)
                field->setText(v.forward[slot].number);
            field->setEnabled(v.forward[slot].fieldEnabled);
        }
    }
    if (btnCallWaitSetting_) {
        const QSignalBlocker blocker(btnCallWaitSetting_);
        btnCallWaitSetting_->setChecked(v.waiting);
        btnCallWaitSetting_->setEnabled(v.waitingEnabled);
    }
    for (int i = 0; i < CallSettingSequencer::kBarFacilities; ++i)
        if (QCheckBox *box = callBarBoxes_[i]) {
            const QSignalBlocker blocker(box);
            box->setChecked(v.bar[i].on);
            box->setEnabled(v.bar[i].enabled);
        }
    if (txdCallBarPassword_) {
        if (txdCallBarPassword_->text() != v.password)
            txdCallBarPassword_->setText(v.password);
        txdCallBarPassword_->setEnabled(v.passwordEnabled);
    }
    if (btnCallSettingApply_)
        btnCallSettingApply_->setEnabled(v.applyEnabled);
    if (btnReadCallSetStatus_)
        btnReadCallSetStatus_->setEnabled(v.readEnabled);
}

QString SettingController::selectedCallSettingTab() const
{
    return callSettingView_ ? tabViewItemIdentifier(callSettingView_->currentWidget()) : QString();
}

void SettingController::callSettingApply()
{
    if (callSequencer_)
        callSequencer_->callSettingApply(selectedCallSettingTab());
}

void SettingController::readCallSettingStatues()
{
    if (callSequencer_)
        callSequencer_->readCallSettingStatues(selectedCallSettingTab());
}

void SettingController::resetCallSetting()
{
    if (callSequencer_)
        callSequencer_->resetCallSetting();
}

void SettingController::callSettingNibEnable(bool enable)
{
    if (callSequencer_)
        callSequencer_->callSettingNibEnable(enable);
}

void SettingController::initCallSettingNibWording()
{
    for (int slot = 0; slot < CallSettingSequencer::kForwardSlots; ++slot)
        if (callForwardBoxes_[slot])
            callForwardBoxes_[slot]->setText(tr_(QString::fromLatin1(kCallForwardRows[slot].title)));
    if (btnCallWaitSetting_)
        btnCallWaitSetting_->setText(tr_(QStringLiteral("Call Waiting")));
    for (int i = 0; i < CallSettingSequencer::kBarFacilities; ++i)
        if (callBarBoxes_[i])
            callBarBoxes_[i]->setText(tr_(QString::fromLatin1(kCallBarTitles[i])));
    if (labelCallBarPassword_)
        labelCallBarPassword_->setText(tr_(QStringLiteral("Password:")));
    if (btnCallSettingApply_)
        btnCallSettingApply_->setText(tr_(QStringLiteral("Apply")));
    if (btnReadCallSetStatus_)
        btnReadCallSetStatus_->setText(tr_(QStringLiteral("Read Status")));
    if (callSettingView_)
        for (int i = 0; i < callSettingView_->count(); ++i)
            callSettingView_->setTabText(i, tr_(tabViewItemIdentifier(callSettingView_->widget(i))));
}

void SettingController::updateNetworkStatus(const yov::Notification &n)
{
    if (callSequencer_ && sethasModuleWith(QStringLiteral("Call")))
        callSequencer_->updateNetworkStatus(yov::nsString(n.userInfo.value(QStringLiteral("init_NetworkStatus"))));
}

// --- the device's records ----------------------------------------------------------------------

void SettingController::dealWithCallForwardSettingResult(const yov::Notification &n)
{
    if (callSequencer_)
        callSequencer_->dealWithCallForwardSettingResult(callRecordOf(yovMsgCenter(), n).result);
}

void SettingController::dealWithCallBarSettingResult(const yov::Notification &n)
{
    if (callSequencer_)
        callSequencer_->dealWithCallBarSettingResult(callRecordOf(yovMsgCenter(), n).result);
}

void SettingController::dealWithCallWaitSettingResult(const yov::Notification &n)
{
    if (callSequencer_)
        callSequencer_->dealWithCallWaitSettingResult(callRecordOf(yovMsgCenter(), n).result);
}

void SettingController::dealWithMsgOfReadCallForwardSetting(const yov::Notification &n)
{
    const yov::UI_MSG msg = callRecordOf(yovMsgCenter(), n);
    if (callSequencer_)
        callSequencer_->dealWithMsgOfReadCallForwardSetting(msg.result, yov::PayloadReader::ofMsg(msg));
}

void SettingController::dealWithMsgOfReadCallWaitSetting(const yov::Notification &n)
{
    const yov::UI_MSG msg = callRecordOf(yovMsgCenter(), n);
    if (callSequencer_)
        callSequencer_->dealWithMsgOfReadCallWaitSetting(msg.result, yov::PayloadReader::ofMsg(msg));
}

void SettingController::dealWithMsgOfReadCallBarSetting(const yov::Notification &n)
{
    const yov::UI_MSG msg = callRecordOf(yovMsgCenter(), n);
    if (callSequencer_)
        callSequencer_->dealWithMsgOfReadCallBarSetting(msg.result, yov::PayloadReader::ofMsg(msg));
}

} // namespace ostrel
