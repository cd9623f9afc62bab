// The user's device lock in the "Security" panel: switching it on and off with the current code,
// changing the code, and the device's answers (8/26, 8/30) and the start-up unlock's (512/164).
#include "ostrel/settings/SettingController.h"

#include "common/TextFormat.h"
#include "common/records/settings/SettingsRecords.h"
#include "ostrel/framework/language/Lingrove.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel {

namespace {

QLineEdit *codeField(QWidget *parent, const char *name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setEchoMode(QLineEdit::Password);
    field->setMaxLength(8);
    return field;
}

} // namespace

void SettingController::buildSheets()
{
    QWidget *parent = wndMain ? wndMain.data() : settingPage_.data();

    // The code sheet. Its count line stays hidden: the device does not report the attempts left.
    auto *unlock = new QDialog(parent);
    unlock->setObjectName(QStringLiteral("wndSettingUnlockDevice"));
    auto *u = new QVBoxLayout(unlock);
    labelUnlockDeviceCode_ = new QLabel(unlock);
    labelUnlockDeviceCode_->setObjectName(QStringLiteral("labelUnlockDeviceCodeSetting"));
    tfdUnlockDeviceCode_ = codeField(unlock, "textUnlockDeviceCodeSetting");
    labelUnlockDeviceCount_ = new QLabel(unlock);
    labelUnlockDeviceCount_->setObjectName(QStringLiteral("labelUnlockDeviceCountSetting"));
    labelUnlockDeviceCount_->setVisible(false);
    btnUnlockDeviceOK_ = new QPushButton(unlock);
    btnUnlockDeviceOK_->setObjectName(QStringLiteral("btnUnlockDeviceOKSetting"));
    btnUnlockDeviceOK_->setDefault(true);
    btnUnlockDeviceCancel_ = new QPushButton(unlock);
    btnUnlockDeviceCancel_->setObjectName(QStringLiteral("btnUnlockDeviceCancelSetting"));
    u->addWidget(labelUnlockDeviceCode_);
    u->addWidget(tfdUnlockDeviceCode_);
    u->addWidget(labelUnlockDeviceCount_);
    auto *ub = new QHBoxLayout;
    ub->addStretch(1);
    ub->addWidget(btnUnlockDeviceCancel_);
    ub->addWidget(btnUnlockDeviceOK_);
    u->addLayout(ub);
    connect(btnUnlockDeviceOK_, &QPushButton::clicked, this, [this] { enableDeviceUnlockCodeOK(); });
    connect(btnUnlockDeviceCancel_, &QPushButton::clicked, this, [this] { enableDeviceUnlockCodeCancel(); });
    // Escape is the Cancel button (the box flips back), not a bare close.
    connect(unlock, &QDialog::rejected, this, [this] {
        if (btnCheckDeviceUnlockCodeEnable_ && !unlockClosing_)
            enableDeviceUnlockCodeCancel();
    });
    wndSetingUnlockDevice_ = unlock;

    // The change sheet.
    auto *modify = new QDialog(parent);
    modify->setObjectName(QStringLiteral("wndModifyUnlockDevice"));
    auto *grid = new QGridLayout(modify);
    labelOldUnlockDeviceCode_ = new QLabel(modify);
    labelOldUnlockDeviceCode_->setObjectName(QStringLiteral("labelOldUnlockDeviceCodeSetting"));
    labelNewUnlockDeviceCode_ = new QLabel(modify);
    labelNewUnlockDeviceCode_->setObjectName(QStringLiteral("labelNewUnlockDeviceCodeSetting"));
    labelVerifyNewUnlockDeviceCode_ = new QLabel(modify);
    labelVerifyNewUnlockDeviceCode_->setObjectName(QStringLiteral("labelVerifyNewUnlockDeviceCodeSetting"));
    tfdOldUnlockDeviceCode_ = codeField(modify, "textOldUnlockDeviceCodeSetting");
    tfdNewUnlockDeviceCode_ = codeField(modify, "textNewUnlockDeviceCodeSetting");
    tfdVerifyNewUnlockDeviceCode_ = codeField(modify, "textVerifyNewUnlockDeviceCodeSetting");
    labelModifyUnlockDeviceCount_ = new QLabel(modify);
    labelModifyUnlockDeviceCount_->setObjectName(QStringLiteral("labelModifyUnlockDeviceCountSetting"));
    labelModifyUnlockDeviceCount_->setVisible(false);
    btnModifyUnlockDeviceOK_ = new QPushButton(modify);
    btnModifyUnlockDeviceOK_->setObjectName(QStringLiteral("btnModifyUnlockDeviceOKSetting"));
    btnModifyUnlockDeviceOK_->setDefault(true);
    btnModifyUnlockDeviceCancel_ = new QPushButton(modify);
    btnModifyUnlockDeviceCancel_->setObjectName(QStringLiteral("btnModifyUnlockDeviceCancelSetting"));
    grid->addWidget(labelOldUnlockDeviceCode_, 0, 0);
    grid->addWidget(tfdOldUnlockDeviceCode_, 0, 1);
    grid->addWidget(labelNewUnlockDeviceCode_, 1, 0);
    grid->addWidget(tfdNewUnlockDeviceCode_, 1, 1);
    grid->addWidget(labelVerifyNewUnlockDeviceCode_, 2, 0);
    grid->addWidget(tfdVerifyNewUnlockDeviceCode_, 2, 1);
    grid->addWidget(labelModifyUnlockDeviceCount_, 3, 0, 1, 2);
    auto *mb = new QHBoxLayout;
    mb->addStretch(1);
    mb->addWidget(btnModifyUnlockDeviceCancel_);
    mb->addWidget(btnModifyUnlockDeviceOK_);
    grid->addLayout(mb, 4, 0, 1, 2);
    connect(btnModifyUnlockDeviceOK_, &QPushButton::clicked, this, [this] { modifyDeviceUnlockCodeOK(); });
    connect(btnModifyUnlockDeviceCancel_, &QPushButton::clicked, this, [this] { modifyDeviceUnlockCodeCancel(); });
    wndModifyUnlockDevice_ = modify;
}

bool SettingController::getDeviceUnlockCodeState() const
{
    return btnCheckDeviceUnlockCodeEnable_ ? btnCheckDeviceUnlockCodeEnable_->isChecked() : deviceLockState_;
}

void SettingController::setDeviceUnlockCodeState(bool on)
{
    deviceLockState_ = on;
    if (btnCheckDeviceUnlockCodeEnable_)
        btnCheckDeviceUnlockCodeEnable_->setChecked(on);
    if (btnModifyDeviceUnlockCode_)
        btnModifyDeviceUnlockCode_->setEnabled(on);
}

void SettingController::checkDeviceUnlockCodeStatus(QObject *) { openUnlockDeviceWindow(); }

void SettingController::openUnlockDeviceWindow()
{
    if (!wndSetingUnlockDevice_)
        return;
    tfdUnlockDeviceCode_->clear();
    sheetQueue_->beginSheet(wndSetingUnlockDevice_);
    tfdUnlockDeviceCode_->setFocus();
}

void SettingController::enableDeviceUnlockCodeOK(QObject *)
{
    const QByteArray code = tfdUnlockDeviceCode_->text().toLatin1();
    if (!yov::isDeviceLockCode(code) || tfdUnlockDeviceCode_->text().size() != 4) {
        alertWarning(QStringLiteral("The unlock device code must be 4 digitals"), {}, wndSetingUnlockDevice_);
        return;
    }
    const bool on = btnCheckDeviceUnlockCodeEnable_->isChecked();
    btnModifyDeviceUnlockCode_->setEnabled(on);
    yov::DeviceLockSwitchRequest request;
    request.enable = on ? 1 : 0;
    request.code = code;
    sendRequest<yov::settingmsg::kMajorDeviceLock, yov::settingmsg::kMinorLockSwitch>(request);
    unlockClosing_ = true;
    wndSetingUnlockDevice_->accept();
    unlockClosing_ = false;
}

void SettingController::enableDeviceUnlockCodeCancel(QObject *)
{
    btnCheckDeviceUnlockCodeEnable_->setChecked(!btnCheckDeviceUnlockCodeEnable_->isChecked());
    deviceLockState_ = btnCheckDeviceUnlockCodeEnable_->isChecked();
    unlockClosing_ = true;
    wndSetingUnlockDevice_->reject();
    unlockClosing_ = false;
}

void SettingController::modifyDeviceUnlockCode(QObject *)
{
    if (!wndModifyUnlockDevice_)
        return;
    labelModifyUnlockDeviceCount_->setText(
        yov::formatPlaceholders(tr_(QStringLiteral("You have only %d time(s) to unlock!")), {QString::number(unlockCount_)}));
    tfdOldUnlockDeviceCode_->clear();
    tfdNewUnlockDeviceCode_->clear();
    tfdVerifyNewUnlockDeviceCode_->clear();
    sheetQueue_->beginSheet(wndModifyUnlockDevice_);
    tfdOldUnlockDeviceCode_->setFocus();
}

void SettingController::modifyDeviceUnlockCodeOK(QObject *)
{
    const QString oldCode = tfdOldUnlockDeviceCode_->text();
    const QString newCode = tfdNewUnlockDeviceCode_->text();
    const QString verify = tfdVerifyNewUnlockDeviceCode_->text();
    for (const QString &code : {oldCode, newCode, verify})
        if (code.size() != 4 || !yov::isDeviceLockCode(code.toLatin1())) {
            alertWarning(QStringLiteral("The unlock device code must be 4 digitals"), {}, wndModifyUnlockDevice_);
            return;
        }
    if (newCode != verify) {
        alertWarning(QStringLiteral("Please input same unlock code!"), {}, wndModifyUnlockDevice_);
        return;
    }
    yov::DeviceLockCodeChange change;
    change.oldCode = oldCode.toLatin1();
    change.newCode = newCode.toLatin1();
    sendRequest<yov::settingmsg::kMajorDeviceLock, yov::settingmsg::kMinorCodeChange>(change);
    wndModifyUnlockDevice_->accept();
}

void SettingController::modifyDeviceUnlockCodeCancel(QObject *) { wndModifyUnlockDevice_->reject(); }

void SettingController::dealWithMsgOfCheckDeviceLockStatus(const yov::Notification &n)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &n);
    const bool on = btnCheckDeviceUnlockCodeEnable_ ? btnCheckDeviceUnlockCodeEnable_->isChecked() : deviceLockState_;
    if (msg.result != 0) {
        // The lock stays as it was; the box keeps the user's choice so that OK retries it.
        if (btnModifyDeviceUnlockCode_)
            btnModifyDeviceUnlockCode_->setEnabled(!on);
        alertWarning(QStringLiteral("Invalid password!"));
        openUnlockDeviceWindow();
        return;
    }
    deviceLockState_ = on;
    alertWarning(on ? QStringLiteral("Device lock enabled!") : QStringLiteral("Device lock disabled!"));
}

void SettingController::dealWithMsgOfModifyDeviceLockCodeStatus(const yov::Notification &n)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &n);
    if (static_cast<unsigned char>(msg.result) == 255) {
        alertWarning(QStringLiteral("Invalid password!"));
        modifyDeviceUnlockCode();
        return;
    }
    alertWarning(QStringLiteral("Modify device unlock code successfully!"));
}

void SettingController::dealWithMsgOfCheckDeviceUnLockResult(const yov::Notification &n)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &n);
    const int result = static_cast<unsigned char>(msg.result);
    if (result == 0) {
        notificationCenter().post(QStringLiteral("DeviceUnlockSuccess"), this, {});
    } else if (result == 255) {
        // Told once the user has seen the alert; the device link keeps flowing meanwhile.
        QPointer<SettingController> self(this);
        alertWarning(QStringLiteral("Invalid password!"), [self] {
            if (self)
                self->notificationCenter().post(QStringLiteral("DeviceUnlockFailed"), self.data(), {});
        });
    }
}

} // namespace ostrel
