// The SIM's PIN in the "Security" panel: the PIN request on and off, changing the PIN, unblocking
// with the PUK, and the modem's own PIN entry (auto-validation), with their sheets, the main menu's
// three PIN items and the device's answers (4/8, 4/11, 4/12, 4/14, 4/18).
//
// A wrong PIN is followed by a tries request of our own (4/8): its answer reopens the sheet with
// the tries left, or opens the PUK sheet when none is left.
#include "ostrel/settings/SettingController.h"

#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/settings/SettingService.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <initializer_list>
#include <tuple>

namespace ostrel {

namespace {

const QString kTimeLeftText = QStringLiteral("You only have %d time(s) left!");

QLineEdit *pinField(QWidget *parent, const char *name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setEchoMode(QLineEdit::Password);
    return field;
}

SettingService &pinService() { return SettingService::sharedSettingService(); }

} // namespace

// --- the sheets --------------------------------------------------------------------------------

void SettingController::buildPinSheets(QWidget *parent)
{
    if (m_EnablePinWin_)
        return;
    const auto label = [this](QWidget *sheet, const char *name, const char *english) {
        auto *l = new QLabel(QString::fromLatin1(english), sheet);
        l->setObjectName(QLatin1String(name));
        pinSheetLabels_ << l;
        pinSheetLabelTexts_ << QString::fromLatin1(english);
        return l;
    };
    const auto buttons = [this](QDialog *sheet, const char *ok, const char *cancel, QLayout *into) {
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        auto *c = new QPushButton(QStringLiteral("Cancel"), sheet);
        c->setObjectName(QLatin1String(cancel));
        auto *o = new QPushButton(QStringLiteral("OK"), sheet);
        o->setObjectName(QLatin1String(ok));
        o->setDefault(true);
        row->addWidget(c);
        row->addWidget(o);
        pinSheetButtons_ << c << o;
        pinSheetButtonTexts_ << QStringLiteral("Cancel") << QStringLiteral("OK");
        if (auto *grid = qobject_cast<QGridLayout *>(into))
            grid->addLayout(row, grid->rowCount(), 0, 1, 2);
        return std::pair{o, c};
    };

    // A sheet: its heading, a row of label and hidden field per PIN asked, the tries-left line
    // and the Cancel and OK buttons.
    struct FieldRow {
        const char *labelName;
        const char *english;
        const char *fieldName;
    };
    struct Sheet {
        QDialog *dialog;
        QList<QLineEdit *> fields;
        QLabel *timeLeft;
        QPushButton *ok;
        QPushButton *cancel;
    };
    const auto pinSheet = [&](const char *name, const char *headingName, const char *heading,
                              std::initializer_list<FieldRow> rows, const char *timeLeftName, const char *ok,
                              const char *cancel) {
        Sheet made{new QDialog(parent), {}, nullptr, nullptr, nullptr};
        made.dialog->setObjectName(QLatin1String(name));
        auto *grid = new QGridLayout(made.dialog);
        grid->addWidget(label(made.dialog, headingName, heading), 0, 0, 1, 2);
        int line = 1;
        for (const FieldRow &row : rows) {
            grid->addWidget(label(made.dialog, row.labelName, row.english), line, 0);
            made.fields << pinField(made.dialog, row.fieldName);
            grid->addWidget(made.fields.last(), line++, 1);
        }
        made.timeLeft = new QLabel(made.dialog);
        made.timeLeft->setObjectName(QLatin1String(timeLeftName));
        grid->addWidget(made.timeLeft, line, 0, 1, 2);
        std::tie(made.ok, made.cancel) = buttons(made.dialog, ok, cancel, grid);
        return made;
    };

    // The PIN sheet (enable/disable, and the auto-validation's confirmation).
    const Sheet enable = pinSheet("wndSettingEnablePin", "labelPleaseInputPinSetting", "Please input PIN:",
                                  {{"labelInputPinSetting", "PIN:", "textEnablePinPinSetting"}},
                                  "labelEnablePinTimeLeftSetting", "btnSettingInputPinOK", "btnSettingInputPinCancel");
    m_EnablePinPinString_ = enable.fields.at(0);
    m_EnablePinTimeLeft_ = enable.timeLeft;
    connect(enable.ok, &QPushButton::clicked, this, [this] { ChangePinActiveStatusOK(); });
    connect(enable.cancel, &QPushButton::clicked, this, [this] { ChangePinActiveStatusCancel(); });
    m_EnablePinWin_ = enable.dialog;

    // The change sheet.
    const Sheet revise = pinSheet("wndSettingChangePin", "labelPleaseRevisePinSetting", "Please input:",
                                  {{"labelReviseOldPinSetting", "Old PIN:", "textReviseOldPinSetting"},
                                   {"labelReviseNewPinSetting", "New PIN:", "textReviseNewPinStringSetting"},
                                   {"labelReviseRepeatNewPinSetting", "Repeat New PIN:", "textReviseRepNewPinStringSetting"}},
                                  "labelRevisePinTimeLeftSetting", "btnSettingRevisePinOK", "btnSettingRevisePinCancel");
    m_ReviseOldPinString_ = revise.fields.at(0);
    m_ReviseNewPinString_ = revise.fields.at(1);
    m_ReviseRepNewPinString_ = revise.fields.at(2);
    m_RevisePinTimeLeft_ = revise.timeLeft;
    connect(revise.ok, &QPushButton::clicked, this, [this] { ChangePinOK(); });
    connect(revise.cancel, &QPushButton::clicked, this, [this] { ChangePinCancel(); });
    m_RevisePinWin_ = revise.dialog;

    // The PUK sheet.
    const Sheet puk = pinSheet("wndSettingPuk", "labelPleaseInputPUKSetting", "Please input:",
                               {{"labelInputPUKSetting", "PUK:", "textPukStringSetting"},
                                {"labelPUKNewPinSetting", "New PIN:", "textNewPinStringSetting"},
                                {"labelPUKRepeatNewPinSetting", "Repeat New PIN:", "textRepNewPinStringSetting"}},
                               "labelPukTimeLeftSetting", "btnSettingInputPukOK", "btnSettingInputPukCancel");
    m_PukString_ = puk.fields.at(0);
    m_NewPinString_ = puk.fields.at(1);
    m_RepNewPinString_ = puk.fields.at(2);
    m_PukTimeLeft_ = puk.timeLeft;
    connect(puk.ok, &QPushButton::clicked, this, [this] { CheckoutPukOK(); });
    connect(puk.cancel, &QPushButton::clicked, this, [this] { CheckoutPukCancel(); });
    m_PukWin_ = puk.dialog;

    // Escape is the sheet's Cancel button.
    connect(enable.dialog, &QDialog::rejected, this, [this] {
        if (!pinSheetClosing_)
            ChangePinActiveStatusCancel();
    });
    connect(revise.dialog, &QDialog::rejected, this, [this] {
        if (!pinSheetClosing_)
            ChangePinCancel();
    });
    connect(puk.dialog, &QDialog::rejected, this, [this] {
        if (!pinSheetClosing_)
            CheckoutPukCancel();
    });

    // The typing filter: every PIN field, not the PUK's.
    for (QLineEdit *field : {m_EnablePinPinString_.data(), m_ReviseOldPinString_.data(), m_ReviseNewPinString_.data(),
                             m_ReviseRepNewPinString_.data(), m_NewPinString_.data(), m_RepNewPinString_.data()})
        connect(field, &QLineEdit::textEdited, this, [this, field] { controlTextDidChange(field); });

    // The panel's box toggles first, then asks for the PIN; the button opens the change sheet.
    if (m_PINEnable_)
        connect(m_PINEnable_, &QCheckBox::clicked, this, [this] { ChangePinActiveStatus(); });
    if (m_RevisePinButton_)
        connect(m_RevisePinButton_, &QPushButton::clicked, this, [this] { ChangePin(); });
}

void SettingController::setPinAutoValidationBox(QCheckBox *box)
{
    if (btnPINAutoValidat_)
        disconnect(btnPINAutoValidat_, nullptr, this, nullptr);
    btnPINAutoValidat_ = box;
    if (box)
        connect(box, &QCheckBox::clicked, this, [this] { pinAutoValidation(); });
}

void SettingController::registerPinMenuItems()
{
    MainControllerInterface &main = Neighbours::main();
    main.registerMenuItem(QStringLiteral("PIN Operations"), QStringLiteral("Enable PIN"), [this] { EnablePIN(); });
    main.registerMenuItem(QStringLiteral("PIN Operations"), QStringLiteral("Disable PIN"), [this] { DisablePIN(); });
    main.registerMenuItem(QStringLiteral("PIN Operations"), QStringLiteral("Modify PIN"), [this] { ChangePin(); });
}

void SettingController::pinAlert(const QString &title, const QString &message, QWidget *on)
{
    sheetQueue_->beginAlert({tr_(title), tr_(message), tr_(QStringLiteral("OK")), QString()}, {}, on);
}

void SettingController::beginPinSheet(QDialog *sheet)
{
    if (sheet && !sheetQueue_->holdsSheet(sheet))
        sheetQueue_->beginSheet(sheet);
}

void SettingController::closePinSheet(QDialog *sheet, bool accepted)
{
    if (!sheet)
        return;
    pinSheetClosing_ = true;
    if (sheet->isVisible())
        accepted ? sheet->accept() : sheet->reject();
    pinSheetClosing_ = false;
}

void SettingController::controlTextDidChange(QLineEdit *field)
{
    if (!field || !yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("PinLimitFourDigitals"))))
        return;
    static const QRegularExpression leadingDigits(QStringLiteral("^[0-9]{0,4}"));
    const QString limited = leadingDigits.match(field->text()).captured(0);
    if (limited != field->text())
        field->setText(limited);
}

// --- box and menu states -----------------------------------------------------------------------

void SettingController::setBtnPinEnable(bool enable)
{
    if (m_PINEnable_)
        m_PINEnable_->setEnabled(enable);
    if (btnPINAutoValidat_) {
        if (!enable)
            btnPINAutoValidat_->setEnabled(false);
        else if (m_PINEnable_ && m_PINEnable_->isChecked())
            btnPINAutoValidat_->setEnabled(true);
    }
}

void SettingController::setBtnPinState(bool state)
{
    if (m_PINEnable_)
        m_PINEnable_->setChecked(state);
    if (m_RevisePinButton_)
        m_RevisePinButton_->setEnabled(state);
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Modify PIN"), state);
    if (btnPINAutoValidat_) {
        if (!state)
            btnPINAutoValidat_->setEnabled(false);
        else if (m_PINEnable_ && m_PINEnable_->isEnabled())
            btnPINAutoValidat_->setEnabled(true);
    }
}

// The box to on or off with the two menu items that follow it: on leaves "Disable PIN" to choose.
void SettingController::setPinBoxAndItems(bool on)
{
    setBtnPinState(on);
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Enable PIN"), !on);
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Disable PIN"), on);
}

void SettingController::setPinActiveStatus(int state)
{
    setBtnPinEnable(true);
    setPinBoxAndItems(state != 0);
}

void SettingController::setPinTimeLeft(int count)
{
    const QString text = yov::formatPlaceholders(tr_(kTimeLeftText), {QString::number(count)});
    if (m_EnablePinTimeLeft_)
        m_EnablePinTimeLeft_->setText(text);
    if (m_RevisePinTimeLeft_)
        m_RevisePinTimeLeft_->setText(text);
    pinNum_ = count;
}

void SettingController::setPukTimeLeft(int count)
{
    if (m_PukTimeLeft_)
        m_PukTimeLeft_->setText(yov::formatPlaceholders(tr_(kTimeLeftText), {QString::number(count)}));
    pukNum_ = count;
}

QString SettingController::getPinStatus() const
{
    return tr_(m_PINEnable_ && m_PINEnable_->isChecked() ? QStringLiteral("Enabled") : QStringLiteral("Disabled"));
}

bool SettingController::isPinPukOrNetSelectWinBeginSheet() const
{
    for (QDialog *sheet : {m_EnablePinWin_.data(), m_RevisePinWin_.data(), m_PukWin_.data(), netSelectWindow_.data()})
        if (sheetQueue_->holdsSheet(sheet))
            return true;
    return resultAlerts_ > 0;
}

void SettingController::storePinAutoValidationState()
{
    if (!btnPINAutoValidat_)
        return;
    config().setConfigurationByModule(QStringLiteral("pinAutoValidationState"), btnPINAutoValidat_->isChecked());
    writeSettings();
}

// --- actions -----------------------------------------------------------------------------------

void SettingController::activePinStatus(const yov::Notification &)
{
    if (m_PINEnable_)
        m_PINEnable_->setChecked(!m_PINEnable_->isChecked());
    ChangePinActiveStatus();
}

void SettingController::pinModifyClicked(const yov::Notification &) { ChangePin(); }
void SettingController::pinUnlockClicked(const yov::Notification &) { CheckoutPuk(); }

void SettingController::EnablePIN(QObject *)
{
    setBtnPinState(true);
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Disable PIN"), true);
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Enable PIN"), false);
    ChangePinActiveStatus();
}

void SettingController::DisablePIN(QObject *)
{
    setBtnPinState(false);
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Disable PIN"), false);
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Enable PIN"), true);
    ChangePinActiveStatus();
}

void SettingController::ChangePinActiveStatus(QObject *)
{
    pinEnableFlag_ = 1;
    if (m_EnablePinPinString_)
        m_EnablePinPinString_->clear();
    if (yov::nsBool(setting(QStringLiteral("Main"), QStringLiteral("pinAutoValidation"))))
        pinAutoValidationStatusWinFlag_ = false;
    beginPinSheet(m_EnablePinWin_);
}

void SettingController::ChangePinActiveStatusOK(QObject *)
{
    const QString pin = m_EnablePinPinString_->text();
    const QString message = Neighbours::init().checkPinPukAlertMsg(QString(), pin.isNull() ? QLatin1String("") : pin, QString());
    if (!message.isEmpty()) {
        pinAlert(QStringLiteral("Warning!"), message, m_EnablePinWin_);
        m_EnablePinPinString_->clear();
        return;
    }
    closePinSheet(m_EnablePinWin_, true);
    if (pinAutoValidationStatusWinFlag_)
        SendCPWD();
    else
        SendCLCK();
}

void SettingController::ChangePinActiveStatusCancel(QObject *)
{
    if (pinAutoValidationStatusWinFlag_) {
        if (btnPINAutoValidat_) {
            btnPINAutoValidat_->setChecked(!btnPINAutoValidat_->isChecked());
            // The stored choice follows the box: the PIN was never confirmed.
            storePinAutoValidationState();
        }
    } else if (m_PINEnable_) {
        setPinBoxAndItems(!m_PINEnable_->isChecked());
    }
    closePinSheet(m_EnablePinWin_, false);
}

void SettingController::ChangePin(QObject *)
{
    pinEnableFlag_ = 0;
    for (QLineEdit *field : {m_ReviseOldPinString_.data(), m_ReviseNewPinString_.data(), m_ReviseRepNewPinString_.data()})
        if (field)
            field->clear();
    beginPinSheet(m_RevisePinWin_);
    if (m_ReviseOldPinString_)
        m_ReviseOldPinString_->setFocus();
}

void SettingController::ChangePinOK(QObject *)
{
    if (yov::nsBool(setting(QStringLiteral("Main"), QStringLiteral("pinAutoValidation"))))
        pinAutoValidationStatusWinFlag_ = false;
    const auto text = [](QLineEdit *f) { return f->text().isNull() ? QStringLiteral("") : f->text(); };
    InitControllerInterface &init = Neighbours::init();
    QString message = init.checkPinPukAlertMsg(QString(), text(m_ReviseOldPinString_), QString());
    if (message.isEmpty())
        message = init.checkPinPukAlertMsg(QString(), text(m_ReviseNewPinString_), text(m_ReviseRepNewPinString_));
    if (!message.isEmpty()) {
        pinAlert(QStringLiteral("Warning!"), message, m_RevisePinWin_);
        m_ReviseOldPinString_->clear();
        m_ReviseNewPinString_->clear();
        m_ReviseRepNewPinString_->clear();
        m_ReviseOldPinString_->setFocus();
        return;
    }
    closePinSheet(m_RevisePinWin_, true);
    SendCPWD();
}

void SettingController::ChangePinCancel(QObject *) { closePinSheet(m_RevisePinWin_, false); }

void SettingController::CheckoutPuk(QObject *)
{
    for (QLineEdit *field : {m_PukString_.data(), m_NewPinString_.data(), m_RepNewPinString_.data()})
        if (field)
            field->clear();
    beginPinSheet(m_PukWin_);
    if (m_PukString_)
        m_PukString_->setFocus();
}

void SettingController::CheckoutPukOK(QObject *)
{
    const auto text = [](QLineEdit *f) { return f->text().isNull() ? QStringLiteral("") : f->text(); };
    const QString message =
        Neighbours::init().checkPinPukAlertMsg(text(m_PukString_), text(m_NewPinString_), text(m_RepNewPinString_));
    if (!message.isEmpty()) {
        pinAlert(QStringLiteral("Warning!"), message, m_PukWin_);
        m_PukString_->clear();
        m_NewPinString_->clear();
        m_RepNewPinString_->clear();
        m_PukString_->setFocus();
        return;
    }
    closePinSheet(m_PukWin_, true);
    SendPukCheckout();
}

void SettingController::CheckoutPukCancel(QObject *)
{
    closePinSheet(m_PukWin_, false);
    // Without the PUK the SIM is unusable: the pages fall back to their no-device state.
    notifyDeviceRemoved();
}

void SettingController::pinAutoValidation(QObject *)
{
    pinAutoValidationStatusWinFlag_ = true;
    pinEnableFlag_ = 0;
    storePinAutoValidationState();
    if (m_EnablePinPinString_)
        m_EnablePinPinString_->clear();
    beginPinSheet(m_EnablePinWin_);
}

// --- requests ----------------------------------------------------------------------------------

void SettingController::SendCLCK()
{
    yov::PinRequestSwitch request;
    request.pin = m_EnablePinPinString_->text().toUtf8();
    request.enable = m_PINEnable_ && m_PINEnable_->isChecked() ? 1 : 0;
    sendRequest<4, 14>(request);
}

void SettingController::SendCPWD()
{
    yov::PinPair change;
    if (pinAutoValidationStatusWinFlag_) {
        // The PIN is confirmed by changing it to itself.
        change.first = m_EnablePinPinString_->text().toUtf8();
        change.second = change.first;
    } else {
        change.first = m_ReviseOldPinString_->text().toUtf8();
        change.second = m_ReviseNewPinString_->text().toUtf8();
    }
    sendRequest<4, 12>(change);
}

void SettingController::SendPukCheckout()
{
    yov::PinPair unblock;
    unblock.first = m_NewPinString_->text().toUtf8();
    unblock.second = m_PukString_->text().toUtf8();
    sendRequest<4, 11>(unblock, yov::kModuleSetting);
}

void SettingController::CheckPinPukRemainCount() { sendRequest<4, 8>(yov::PinTriesRequest{}); }

void SettingController::setPinAutoValidationStatusWithLeftPinTimes(int pinTimes)
{
    switch (pinService().checkPinInputStatusByLeftTimes(pinTimes)) {
    case 1:
        if (m_EnablePinPinString_)
            m_EnablePinPinString_->clear();
        beginPinSheet(m_EnablePinWin_);
        break;
    case 0: {
        yov::PinToKeep keep;
        keep.pin = m_EnablePinPinString_->text().toUtf8();
        sendRequest<4, 17>(keep, yov::kModuleSetting);
        yov::PinAutoValidationSwitch onOff;
        onOff.enable = btnPINAutoValidat_ && btnPINAutoValidat_->isChecked() ? 1 : 0;
        sendRequest<4, 18>(onOff, yov::kModuleSetting);
        break;
    }
    default:
        break;
    }
}

// --- the device's answers ----------------------------------------------------------------------

namespace {
// The answer's header; the handlers of this panel read type 1 answers only.
struct PinAnswer {
    int type = 0;
    int module = 0;
    int result = 0;
    yov::PayloadReader payload;
};
} // namespace

#define PIN_ANSWER(n)                                                                              \
    [&] {                                                                                          \
        yov::UI_MSG msg = yov::zeroMsg();                                                          \
        if (yovMsgCenter())                                                                        \
            yovMsgCenter()->getMsgPackage(&msg, &n);                                               \
        return PinAnswer{msg.type, msg.moduleID, int(msg.result), yov::PayloadReader::ofMsg(msg)}; \
    }()

void SettingController::dealWithMsgOfChangePinActiveStatus(const yov::Notification &n)
{
    const PinAnswer a = PIN_ANSWER(n);
    if (a.type != 1)
        return;
    const bool on = m_PINEnable_ && m_PINEnable_->isChecked();
    if (a.result != 0) {
        pinService().isNeedAlertLeftTimesFlag = true;
        setPinBoxAndItems(!on); // back to what the SIM still has
        pinAlert(QStringLiteral("Warning!"), QStringLiteral("Incorrect PIN code!"));
        CheckPinPukRemainCount();
        return;
    }
    pinService().isNeedAlertLeftTimesFlag = false;
    pinEnableFlag_ = 0;
    setPinBoxAndItems(on);
    notificationCenter().post(QStringLiteral("changePinActiveStatusSuccessful"), this, {});
    pinAlert(QStringLiteral(" "), QStringLiteral("Settings successful!"));
}

void SettingController::dealWithMsgOfChangePin(const yov::Notification &n)
{
    const PinAnswer a = PIN_ANSWER(n);
    if (a.type != 1 || a.module != yov::kModuleSetting)
        return;
    const bool autoValidation = pinAutoValidationStatusWinFlag_;
    if (a.result != 0) {
        pinService().isNeedAlertLeftTimesFlag = true;
        pinAlert(QStringLiteral(" "), QStringLiteral("Incorrect PIN code!"));
        CheckPinPukRemainCount();
        return;
    }
    pinService().isNeedAlertLeftTimesFlag = false;
    if (!autoValidation) {
        pinAlert(QStringLiteral(" "), QStringLiteral("New PIN enabled!"));
        return;
    }
    // The PIN is confirmed: the tries report's answer goes on with 4/17 and 4/18.
    CheckPinPukRemainCount();
}

void SettingController::dealWithMsgOfCountPinPukRemain(const yov::Notification &n)
{
    const PinAnswer a = PIN_ANSWER(n);
    qCDebug(lcSetting) << "dealWithMsgOfCountPinPukRemain module" << a.module << "type" << a.type << "result" << a.result;
    if (a.type != 1 || a.module != yov::kModuleSetting || a.result != 0)
        return;
    const int pinTimes = a.payload.int32(0);
    const int pukTimes = a.payload.int32(4);
    setPinTimeLeft(pinTimes);
    setPukTimeLeft(pukTimes);
    InitControllerInterface &init = Neighbours::init();
    if (pinEnableFlag_ == 1) {
        if (pinService().checkPinInputStatusByLeftTimes(pinTimes) == 1) {
            // Ask again for what the user asked for.
            setPinBoxAndItems(!(m_PINEnable_ && m_PINEnable_->isChecked()));
            const QString warning = init.pinPukLeftTimesWarning(pinTimes, true);
            if (!warning.isEmpty())
                pinAlert(QStringLiteral("Warning"), warning);
            ChangePinActiveStatus();
        }
    } else if (pinAutoValidationStatusWinFlag_) {
        setPinAutoValidationStatusWithLeftPinTimes(pinTimes);
    }
    if (pinTimes <= 0) {
        const QString warning = init.pinPukLeftTimesWarning(pukTimes, false);
        if (!warning.isEmpty())
            pinAlert(QStringLiteral("Warning"), warning);
        if (yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("IsPUKwinBeginSheetForDidizu"))))
            notificationCenter().post(QStringLiteral("setPinUnlockStatusForBundle"), nullptr, {});
        else
            CheckoutPuk();
    }
}

void SettingController::dealWithMsgOfCheckPinStatus(const yov::Notification &n) { (void)PIN_ANSWER(n); }

void SettingController::dealWithMsgOfCheckoutPuk(const yov::Notification &n)
{
    const PinAnswer a = PIN_ANSWER(n);
    if (a.type != 1 || a.module != yov::kModuleSetting)
        return;
    setPinBoxAndItems(true); // an unblocked SIM keeps its PIN request
    if (a.result != 0) {
        pinAlert(QStringLiteral(" "), QStringLiteral("Incorrect PUK code!"));
        return;
    }
    pinAlert(QStringLiteral(" "), QStringLiteral("New PIN enabled!"));
    if (yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("IsPUKwinBeginSheetForDidizu"))))
        notificationCenter().post(QStringLiteral("changePukStatusSuccessfulForBundle"), nullptr, {});
}

void SettingController::dealWithMsgOfChangePinAutoValidationStatus(const yov::Notification &n)
{
    const PinAnswer a = PIN_ANSWER(n);
    // The device-state window's own 4/18 (module 1, after a PIN entry at start) is its business.
    if (a.type != 1 || a.module != yov::kModuleSetting)
        return;
    if (a.result != 0) {
        if (btnPINAutoValidat_) {
            btnPINAutoValidat_->setChecked(!btnPINAutoValidat_->isChecked());
            storePinAutoValidationState();
        }
        pinAlert(QStringLiteral("Warning!"), QStringLiteral("The operation failed!"));
        return;
    }
    pinAlert(QStringLiteral(" "), QStringLiteral("Settings successful!"));
}

#undef PIN_ANSWER

} // namespace ostrel
