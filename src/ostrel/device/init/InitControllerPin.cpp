// PIN and PUK: the entry sheets, the device's answers, automatic entry from a PIN the modem keeps
// or from the PIN kept on this computer.
#include "ostrel/device/init/InitController.h"

#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace ostrel {

namespace {
constexpr int kPinFieldWidth = 10;

bool isDigitalString(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
} // namespace

QString InitController::pinPukInputRules(const QString &puk, const QString &pin, const QString &newPin)
{
    if (!puk.isNull()) {
        if (puk.length() != 8)
            return QStringLiteral("PUK must be 8 digits!");
        if (!isDigitalString(puk))
            return QStringLiteral("PUK must be digits only!");
    }
    if (!pin.isNull()) {
        if (pin.length() < 4 || pin.length() > 8)
            return QStringLiteral("Length of PIN must be between 4 and 8!");
        if (!isDigitalString(pin))
            return QStringLiteral("PIN must be digits only!");
    }
    if (!pin.isNull() && !newPin.isNull() && pin != newPin)
        return QStringLiteral("Different inputs of PIN code, please input again!");
    return {};
}

QString InitController::pinPukLeftTimesWarning(int count, bool pin) const
{
    if (count != 1 || topBool("NoNeedAlertOnlyOneLeftTimePinOrPuk"))
        return QString();
    return pin ? QStringLiteral("Only one chance left! If you input the wrong PIN code, your (U)SIM card will be locked.")
               : QStringLiteral("Only one chance left! If you input the wrong PUK code, your (U)SIM card will be destroyed.");
}

void InitController::alertWithPinOrPukLeftTimes(int count, bool pin, std::function<void()> then)
{
    const QString warning = pinPukLeftTimesWarning(count, pin);
    if (warning.isEmpty()) {
        if (then)
            then();
        return;
    }
    alert(warning, std::move(then));
}

void InitController::dealWithMsgOfCountPinPukRemain(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.type != 1 || r.module != 1 || r.result != 0)
        return;
    const int pinLeft = r.payload.int32(0);
    const int pukLeft = r.payload.int32(4);
    const QString left = loc(QStringLiteral("You only have %d time(s) left!"));
    m_InitPinWindow->m_PinTimeLeft->setText(QString(left).replace(QLatin1String("%d"), QString::number(pinLeft)));
    m_InitPukWindow->m_PukTimeLeft->setText(QString(left).replace(QLatin1String("%d"), QString::number(pukLeft)));
    Neighbours::setting().setPinTimeLeft(pinLeft);
    Neighbours::setting().setPukTimeLeft(pukLeft);
    if (m_SimPinState != SimCheckPending)
        return;
    if (isSmartUI()) {
        Neighbours::dial().setDeviceStatusStringRows(2);
        Neighbours::dial().setModemAndSimStateString(QStringLiteral("PIN enabled, please disable PIN"));
        return;
    }
    if (pinLeft > 0) {
        if (isNeedPinAutoValidation()) {
            pinAutoValidation();
            hadDoPinAutoValidation_ = true;
        } else {
            alertWithPinOrPukLeftTimes(pinLeft, true, [this] { openPinWindow(); });
        }
    } else if (pukLeft > 0) {
        alertWithPinOrPukLeftTimes(pukLeft, false, [this] { openPukWindow(); });
    }
}

bool InitController::isNeedPinAutoValidation() const
{
    if (settingBool("Main", "pinAutoValidation") && btnPINAutoValidation_ && btnPINAutoValidation_->isChecked()
        && settingBool("Main", "hadDosavePinToModemByUser") && !hadDoPinAutoValidation_)
        return true;
    // The PIN kept on this computer is used once per SIM, and only for the SIM it was kept for.
    if (settingBool("Main", "AtuoCheckPinAndIccidSavedInConfigFile") && btnPinNumSavedInConfigFile_
        && btnPinNumSavedInConfigFile_->isChecked() && !hadDoPinAutoValidation_)
        return !savedPinStore_.pinForIccid(iccid_).isEmpty();
    return false;
}

void InitController::pinAutoValidation()
{
    checkPinPukStatus = EntryPin;
    if (settingBool("Main", "AtuoCheckPinAndIccidSavedInConfigFile")) {
        const QString kept = savedPinStore_.pinForIccid(iccid_);
        if (!kept.isEmpty())
            pinNum_ = kept;
    }
    m_InitPinWindow->m_PinCode->setText(pinNum_);
    closePinWindow(nullptr);
    m_InitPinWindow->m_PinCode->clear();
}

void InitController::openPinWindow()
{
    checkPinPukStatus = EntryPin;
    m_InitPinWindow->m_PinCode->clear();
    m_InitPinWindow->btnSavePinNum_->setEnabled(true);
    // The modem keeps the PIN only where the device offers it.
    m_InitPinWindow->btnSavePinNum_->setVisible(settingBool("Main", "pinAutoValidation"));
    if (!m_InitPinWindow->isVisible())
        m_InitPinWindow->beginSheetOn(topmostSheetOf(wndMain));
    m_InitPinWindow->m_PinCode->setFocus();
    if (labelPINEnter_)
        labelPINEnter_->setEnabled(false);
}

void InitController::openPukWindow()
{
    checkPinPukStatus = EntryPuk;
    m_InitPukWindow->m_PukCode->clear();
    m_InitPukWindow->m_NewPinCode->clear();
    m_InitPukWindow->m_RepNewPinCode->clear();
    if (!m_InitPukWindow->isVisible())
        m_InitPukWindow->beginSheetOn(topmostSheetOf(wndMain));
    m_InitPukWindow->m_PukCode->setFocus();
    if (labelPINUnlock_)
        labelPINUnlock_->setEnabled(false);
}

void InitController::controlTextDidChange(QLineEdit *field)
{
    if (!field || !settingBool("Setting", "PinLimitFourDigitals"))
        return;
    static const QRegularExpression leading(QStringLiteral("^[0-9]{0,4}"));
    const QString limited = leading.match(field->text()).captured(0);
    if (limited != field->text())
        field->setText(limited);
}

void InitController::closePinWindow(QObject *sender)
{
    manuuallyInputPinFlag_ = sender != nullptr;
    const QString pin = m_InitPinWindow->m_PinCode->text();
    const QString message = checkPinPukAlertMsg(QString(), pin.isNull() ? QLatin1String("") : pin, QString());
    if (!message.isEmpty()) {
        Neighbours::setting().runAlertPanel(message);
        m_InitPinWindow->m_PinCode->clear();
        return;
    }
    m_InitPinWindow->endSheet();
    pinNum_ = pin;
    yov::FixedPayload<kPinFieldWidth> data;
    data.setBytes(0, kPinFieldWidth, pin.toLatin1());
    sendRequest<4, 10>(data);
}

void InitController::closePukWindow(QObject *)
{
    manuuallyInputPinFlag_ = true;
    const QString puk = m_InitPukWindow->m_PukCode->text();
    const QString pin = m_InitPukWindow->m_NewPinCode->text();
    const QString rep = m_InitPukWindow->m_RepNewPinCode->text();
    const QString message = checkPinPukAlertMsg(puk.isNull() ? QLatin1String("") : puk,
                                                pin.isNull() ? QLatin1String("") : pin,
                                                rep.isNull() ? QLatin1String("") : rep);
    if (!message.isEmpty()) {
        Neighbours::setting().runAlertPanel(message);
        m_InitPukWindow->m_PukCode->clear();
        m_InitPukWindow->m_NewPinCode->clear();
        m_InitPukWindow->m_RepNewPinCode->clear();
        m_InitPukWindow->m_PukCode->setFocus();
        return;
    }
    m_InitPukWindow->endSheet();
    pinNum_ = pin;
    yov::FixedPayload<2 * kPinFieldWidth> data;
    data.setBytes(0, kPinFieldWidth, pin.toLatin1());
    data.setBytes(kPinFieldWidth, kPinFieldWidth, puk.toLatin1());
    sendRequest<4, 11>(data, yov::kModuleInit);
}

void InitController::cancelPinWindow(QObject *sender)
{
    if (sender && settingBool("Main", "reAlertWhenCancelPINOrPUKwindow")) {
        pinInputWndDisplayFlag_ = true;
        wndReAlertToCancelPinInput_->labelMessage->setText(loc(QStringLiteral("Are you sure to cancel the PIN input?")));
        wndReAlertToCancelPinInput_->beginSheetOn(m_InitPinWindow);
        return;
    }
    const bool wasOpen = m_InitPinWindow->isVisible();
    m_InitPinWindow->endSheet();
    // While the SIM still asks for its PIN, "Enter PIN" is the way back to the entry: a cancelled
    // entry must be reopenable, whether or not the device was told of the cancel.
    if (labelPINEnter_ && m_SimPinState == SimCheckPending && (wasOpen || sender))
        labelPINEnter_->setEnabled(true);
    if (topBool("needReenterPIN"))
        return;
    if (!wasOpen && !sender)
        return; // nothing was being entered (device removal)
    notificationCenter().post(QStringLiteral("changePinActiveStatusCancel"), nullptr, {});
    if (!settingBool("Setting", "IsPUKwinBeginSheetForDidizu"))
        sendRequest<4, 15>();
}

void InitController::cancelPukWindow(QObject *sender)
{
    if (sender && settingBool("Main", "reAlertWhenCancelPINOrPUKwindow")) {
        pinInputWndDisplayFlag_ = false;
        wndReAlertToCancelPinInput_->labelMessage->setText(loc(QStringLiteral("Are you sure to cancel the PUK input?")));
        wndReAlertToCancelPinInput_->beginSheetOn(m_InitPukWindow);
        return;
    }
    const bool wasOpen = m_InitPukWindow->isVisible();
    m_InitPukWindow->endSheet();
    if (labelPINUnlock_ && (wasOpen || sender))
        labelPINUnlock_->setEnabled(true);
}

void InitController::clickNOOfReAlertPinWindow(QObject *)
{
    wndReAlertToCancelPinInput_->endSheet();
}

void InitController::clickYESOfReAlertPinWindow(QObject *sender)
{
    if (sender) {
        wndReAlertToCancelPinInput_->endSheet();
        if (pinInputWndDisplayFlag_)
            cancelPinWindow(nullptr);
        else
            cancelPukWindow(nullptr);
        if (tfdLockTip_) {
            tfdLockTip_->setText(loc(pinInputWndDisplayFlag_ ? QStringLiteral("PIN is locked") : QStringLiteral("PUK is locked")));
            tfdLockTip_->show();
        }
        if (viewNetWorkStatus_)
            viewNetWorkStatus_->setVisible(false);
        return;
    }
    if (wndReAlertToCancelPinInput_->isVisible())
        wndReAlertToCancelPinInput_->endSheet();
    if (tfdLockTip_) {
        tfdLockTip_->clear();
        tfdLockTip_->hide();
    }
    cancelPinWindow(nullptr);
    cancelPukWindow(nullptr);
}

void InitController::dealWithMsgOfCheckoutPin(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.type == 0 && r.module == 1) {
        m_SimPinState = SimCheckPending;
        if (r.result == -1) {
            if (checkPinPukStatus == EntryPin && manuuallyInputPinFlag_)
                Neighbours::setting().runAlertPanel(QStringLiteral("Incorrect PIN code!"));
            else if (checkPinPukStatus == EntryPuk)
                Neighbours::setting().runAlertPanel(QStringLiteral("Incorrect PUK code!"));
        } else if (r.result == 0) {
            if (settingBool("Main", "pinAutoValidation")) {
                if (manuuallyInputPinFlag_ && btnPINAutoValidation_) {
                    const bool keep = m_InitPinWindow->btnSavePinNum_->isChecked();
                    btnPINAutoValidation_->setChecked(keep);
                    yov::FixedPayload<8> data;
                    data.setInt32(0, keep ? 1 : 0);
                    sendRequest<4, 18>(data, yov::kModuleInit);
                }
            } else if (settingBool("Main", "AtuoCheckPinAndIccidSavedInConfigFile") && btnPinNumSavedInConfigFile_
                       && btnPinNumSavedInConfigFile_->isChecked() && !pinNum_.isEmpty() && !iccid_.isEmpty()) {
                QString error;
                bool sharedFolder = false;
                if (!savedPinStore_.save(iccid_, pinNum_, &error, &sharedFolder)) {
                    qCWarning(lcInit) << "the PIN could not be kept on this computer:" << error;
                    alert(sharedFolder ? QStringLiteral("The PIN was not saved: no private settings folder could be made "
                                                        "for you, and the shipped one is shared by every user.")
                                       : QStringLiteral("The PIN could not be saved on this computer."));
                }
            }
        }
        return;
    }
    if (r.type == 1 && r.result == 0)
        setSimStatus(true);
}

void InitController::dealWithMsgOfCheckoutPuk(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.module != 1)
        return;
    if (r.type == 1 && r.result == 0)
        setSimStatus(true);
    else if (r.type == 0)
        m_SimPinState = SimCheckPending;
}

void InitController::savePinToModem()
{
    if (pinNum_.isNull())
        return;
    yov::FixedPayload<kPinFieldWidth> data;
    data.setBytes(0, kPinFieldWidth, pinNum_.toLatin1());
    sendRequest<4, 17>(data, yov::kModuleInit);
}

void InitController::dealWithMsgOfPinAutoValidation(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.type != 1)
        return;
    QCheckBox *save = m_InitPinWindow->btnSavePinNum_;
    if (r.result != 0 || r.length == 0) {
        save->setChecked(false);
        if (btnPINAutoValidation_)
            btnPINAutoValidation_->setChecked(false);
    } else if (r.length == 8) {
        const bool on = r.payload.int32(0) == 1;
        save->setChecked(on);
        if (btnPINAutoValidation_)
            btnPINAutoValidation_->setChecked(on);
        // Kept in memory only: the modem is the one that remembers it.
        setModuleKey(QStringLiteral("Main"), QStringLiteral("hadDosavePinToModemByUser"), r.payload.int32(4) == 1);
    }
    sendRequest<4, 16>();
}

void InitController::dealWithMsgOfReadPin(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.type == 1 && r.result == 0 && r.length == kPinFieldWidth)
        pinNum_ = r.payload.latin1Text(0, kPinFieldWidth);
}

void InitController::dealWithMsgOfSavePin(const yov::Notification &n)
{
    (void)record(n);
}

void InitController::dealWithMsgOfCheckPinActiveStatus(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.type != 1 || r.result != 0)
        return;
    const int state = r.payload.int32(0);
    Neighbours::setting().setPinActiveStatus(state);
    notificationCenter().post(QStringLiteral("pinActiveStatusForBundle"), this,
                              {{QStringLiteral("pinActiveStatusForBundle"), state}});
}

void InitController::enterPIN(QObject *) { openPinWindow(); }

void InitController::unlockPIN(QObject *) { openPukWindow(); }
void InitController::openPINWindow(const yov::Notification &) { openPinWindow(); }

void InitController::savePinNum(QObject *)
{
    setModuleKey(QStringLiteral("Main"), QStringLiteral("EnableSavePINNum"),
                                                 m_InitPinWindow->btnSavePinNum_->isChecked());
    writeSettingsReported("the PIN keeping choice");
}

void InitController::enableSavePinNum(QObject *)
{
    if (!btnPinNumSavedInConfigFile_)
        return;
    setModuleKey(QStringLiteral("Main"), QStringLiteral("EnableSavePINNum"),
                                                 btnPinNumSavedInConfigFile_->isChecked());
    writeSettingsReported("the PIN keeping choice");
}

void InitController::removeAutoCheckPinByICCID(QObject *)
{
    setModuleKey(QStringLiteral("Main"), QStringLiteral("EnableSavePINNum"), false);
    writeSettingsReported("the PIN keeping choice");
    if (btnPinNumSavedInConfigFile_)
        btnPinNumSavedInConfigFile_->setChecked(false);
    QString error;
    if (savedPinStore_.remove(&error)) {
        alert(QStringLiteral("Remove saved PIN from computer successfully!"));
    } else if (savedPinStore_.exists()) {
        qCWarning(lcInit) << "the saved PIN could not be removed:" << error;
        alert(QStringLiteral("The saved PIN could not be removed from this computer."));
    } else {
        alert(QStringLiteral("No PIN is saved on this computer."));
    }
}

} // namespace ostrel
