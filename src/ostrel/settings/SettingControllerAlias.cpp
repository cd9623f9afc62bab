// The settings window's skin bindings, its SmartUI page and its wording.
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ostrel {

const QStringList &SettingController::skinKeys()
{
    // Registration order; two call-setting keys are registered twice.
    static const QStringList keys = {
    "tabviewSetting", "wndSettingNetSelect", "wndSettingEnablePin", "wndSettingChangePin", "wndSettingPuk",
    "wndSettingAddBrowser", "wndCommonBackGround", "wndSettingAlert", "wndSettingUnlockDevice",
    "wndModifyUnlockDevice", "matrixSettingMethodToSelectNet", "matrixSettingNetworkFindModeSeletion",
    "matrixFrequencySelect", "matrixSettingDeliveryReport", "BarSsearchProcess", "btnSettingPinEnable",
    "btnSettingBRSMSPB", "btnSettingStartWithSys", "btnSettingStartWithDeviceIsPlugLabel",
    "btnSettingAutoConnect", "matrixSettingAutoConnect", "btnSettingMsgSetApply", "btnSettingMsgSetCancel",
    "btnSettingRevisePin", "btnSettingAddBrowser", "CheckSettingAutoUpdate",
    "btnSettingCheckDeviceUnlockCodeEnable", "btnSettingInputPinCancel", "btnSettingInputPinOK",
    "btnSettingRevisePinCancel", "btnSettingRevisePinOK", "btnSettingInputPukCancel", "btnSettingInputPukOK",
    "btnSettingCancelNetSelect", "btnSettingInputApplyNetSelect", "btnSettingAlertOK", "viewSettingsTab",
    "labelServerSetting", "textServiceSetting", "btnApplySetting", "btnUpdateNowSetting",
    "btnModifyDeviceUnlockCodeSetting", "btnBackupSMSandPhonebookSetting", "btnRestoreSMSandPhonebookSetting",
    "labelUpdateBoxSetting", "labelUpdateSetting", "labelOperSelectSetting", "labelSelectModeSetting",
    "textMessageCenterSetting", "labelMessageCenterSetting", "labelValidityPeriodSetting",
    "textMessageValidityPeriodSetting", "labelDeliveryReportSetting", "textLocationSetting",
    "labelMessageStoreLocSetting", "labelBrowserAutoConnectSetting", "textBrowserSetting",
    "cbboxSettingBrowserList", "btnAdvancedSetting", "labelAutoSetting", "labelselectLanguageSetting",
    "comboSupportLanguageSetting", "textPukStringSetting", "textNewPinStringSetting",
    "textRepNewPinStringSetting", "labelInputPUKSetting", "labelPUKNewPinSetting",
    "labelPleaseInputPUKSetting", "labelPUKRepeatNewPinSetting", "labelPukTimeLeftSetting",
    "textEnablePinPinSetting", "labelInputPinSetting", "labelPleaseInputPinSetting",
    "labelEnablePinTimeLeftSetting", "textReviseOldPinSetting", "labelReviseOldPinSetting",
    "textReviseNewPinStringSetting", "labelReviseNewPinSetting", "labelPleaseRevisePinSetting",
    "textReviseRepNewPinStringSetting", "labelReviseRepeatNewPinSetting", "labelRevisePinTimeLeftSetting",
    "labelAlertTextSetting", "labelAdvancedSetting", "labelAddLinkSetting", "textAddBrowserSetting",
    "btnAddLinkSetting", "labelAddBrowserListSetting", "cbboxAddBrowserListSetting", "btnEditAvailableSetting",
    "btnRemoveAvailableSetting", "textEditBrowserSetting", "btnOKAddBrowserSetting",
    "btnCancelAddBrowserSetting", "btnOKEditBrowserSetting", "btnCancelEditBrowserSetting",
    "btnModifyUnlockDeviceOKSetting", "btnModifyUnlockDeviceCancelSetting", "textOldUnlockDeviceCodeSetting",
    "labelOldUnlockDeviceCodeSetting", "textNewUnlockDeviceCodeSetting", "labelNewUnlockDeviceCodeSetting",
    "textVerifyNewUnlockDeviceCodeSetting", "labelVerifyNewUnlockDeviceCodeSetting",
    "labelModifyUnlockDeviceCountSetting", "btnUnlockDeviceOKSetting", "btnUnlockDeviceCancelSetting",
    "textUnlockDeviceCodeSetting", "labelUnlockDeviceCodeSetting", "labelUnlockDeviceCountSetting",
    "btnConnectBrowseSetting", "btnSMSBrowseSetting", "btnDisconnectBrowseSetting", "btnCallBrowseSetting",
    "btnConnectTextDiscriptionSetting", "labelSMSTextDiscriptionSetting",
    "btnDisconnectTextDiscriptionSetting", "btnCallTextDiscriptionSetting", "btnConnectSoundFileNameSetting",
    "btnSMSSoundFileNameSetting", "btnDisconnectSoundFileNameSetting", "btnCallSoundFileNameSetting",
    "btnConnectMuteSetting", "btnSMSMuteSetting", "btnDisconnectMuteSetting", "btnCallMuteSetting",
    "MatrixConnectTypeSetting", "labelConnectTypeSetting", "labelConnectSetting", "btnDivertWhenBusy",
    "btnDivertWhenNotReachable", "btnDivertWhenNotAnswer", "btnDivertAll", "btnCallWaitSetting",
    "btnBarAllOutgoing", "btnBarInternational", "btnBarInternationalEXHC", "btnBarAllIncoming",
    "btnBarIncomingWhenRoaming", "btnCallSettingApply", "btnReadCallSetStatus", "callSettingView",
    "btnCallSettingApply", "btnReadCallSetStatus", "labelCallBarPassword", "txdDivertWhenBusy",
    "txdDivertWhenNotReachable", "txdDivertWhenNotAnswer", "txdDivertAll", "txdCallBarPassword",
    };
    return keys;
}

QObject *SettingController::controlForSkinKey(const QString &key) const
{
    QObject *bound = skinControls_.value(key);
    if (bound)
        return bound;
    // Controls of the page and of its sheets carry their key as their object name.
    if (key == QLatin1String("tabviewSetting"))
        return tabviewSetting;
    for (QWidget *root : {settingPage_.data(), static_cast<QWidget *>(wndSetingUnlockDevice_.data()),
                          static_cast<QWidget *>(wndModifyUnlockDevice_.data())}) {
        if (!root)
            continue;
        if (root->objectName() == key)
            return root;
        if (QWidget *found = root->findChild<QWidget *>(key))
            return found;
    }
    return nullptr;
}

void SettingController::initializeSkin()
{
    // The page exists before the skin binds it: the panels are built in code.
    buildPage();
    SkinManagerAccess *skin = yovSkinManager();
    if (!skin)
        return;
    for (const QString &key : skinKeys()) {
        QObject *control = controlForSkinKey(key);
        if (!control)
            continue; // a control of a panel that is not built yet binds when it comes
        skinControls_.insert(key, control);
        if (skin->hasKey(key))
            skin->registerController(control, key, true);
    }
    initSmartSkin();
}

void SettingController::initSmartSkin()
{
    if (!yov::nsBool(uiConfigDict().value(QStringLiteral("SmartUI"))) || !tabviewMain)
        return;
    QWidget *tab = viewOfIdentifier(tabviewMain, QStringLiteral("Setting"));
    if (!tab)
        return;
    QWidget *view = createNSViewExtByKey(QStringLiteral("viewInSetting"), tab);
    if (!view)
        return;
    initializeLabelsOfView(view, QStringLiteral("labelsInViewInSetting"));
    initializeBtnsOfView(view, QStringLiteral("btnsInViewInSetting"));
    if (!view->layout())
        new QVBoxLayout(view);
    // The search-mode matrix, the selection-method matrix, the search progress bar, the band
    // matrix and the SmartUI auto-connect matrix, in this order.
    for (QWidget *control : {searchModeBox_.data(), methodBox_.data(), static_cast<QWidget *>(searchProgress_.data()),
                             bandBox_.data(), smartAutoConnectBox_.data()}) {
        if (!control)
            continue;
        if (QWidget *old = control->parentWidget(); old && old->layout())
            old->layout()->removeWidget(control);
        control->setParent(view);
        view->layout()->addWidget(control);
        control->show();
    }
    if (smartItemsBox_)
        smartItemsBox_->setVisible(true);
    if (pageTitle_)
        pageTitle_->setVisible(true);
}

// --- wording -----------------------------------------------------------------------------------

void SettingController::initWording()
{
    if (tabviewSetting)
        for (int i = 0; i < tabviewSetting->count(); ++i) {
            const QString identifier = tabViewItemIdentifier(tabviewSetting->widget(i));
            tabviewSetting->setTabText(i, tr_(identifier));
        }
    initGenericWording();
    initSpecialWording();
    initURLLinksWording();
    // The PIN menu items are the main window's: its menus follow the language themselves.
    initSettingItemsWording();
}

void SettingController::initGenericWording()
{
    if (sethasModuleWith(QStringLiteral("Security")))
        initSecurityModuleWording();
    if (sethasModuleWith(QStringLiteral("Alert")))
        initAlertModuleWording();
    if (sethasModuleWith(QStringLiteral("Browser")))
        initBrowserModuleWording();
    if (sethasModuleWith(QStringLiteral("System")))
        initSystemModuleWording();
    if (sethasModuleWith(QStringLiteral("Connect")))
        initConnectModuleWording();
    if (sethasModuleWith(QStringLiteral("Record")))
        Neighbours::records().initRecordSettingNib();
    if (sethasModuleWith(QStringLiteral("Call")))
        initCallSettingNibWording();
    if (sethasModuleWith(QStringLiteral("SMS")))
        initSmsModuleWording();
    // The network, SMS and call wording comes with their panels.
}

void SettingController::initSecurityModuleWording()
{
    if (m_PINEnable_)
        m_PINEnable_->setText(tr_(QStringLiteral("PIN Enable")));
    if (m_RevisePinButton_)
        m_RevisePinButton_->setText(tr_(QStringLiteral("Revise PIN")));
    if (btnCheckDeviceUnlockCodeEnable_)
        btnCheckDeviceUnlockCodeEnable_->setText(tr_(QStringLiteral("Device function lock Enable")));
    if (btnModifyDeviceUnlockCode_)
        btnModifyDeviceUnlockCode_->setText(tr_(QStringLiteral("Change Unlock Code")));
    if (wndSetingUnlockDevice_) {
        wndSetingUnlockDevice_->setWindowTitle(tr_(QStringLiteral("Device function lock Enable")));
        labelUnlockDeviceCode_->setText(tr_(QStringLiteral("Please input the unlock code:")));
        btnUnlockDeviceOK_->setText(tr_(QStringLiteral("OK")));
        btnUnlockDeviceCancel_->setText(tr_(QStringLiteral("Cancel")));
    }
    if (wndModifyUnlockDevice_) {
        wndModifyUnlockDevice_->setWindowTitle(tr_(QStringLiteral("Change Unlock Code")));
        labelOldUnlockDeviceCode_->setText(tr_(QStringLiteral("Old unlock code:")));
        labelNewUnlockDeviceCode_->setText(tr_(QStringLiteral("New unlock code:")));
        labelVerifyNewUnlockDeviceCode_->setText(tr_(QStringLiteral("Confirm new unlock code:")));
        btnModifyUnlockDeviceOK_->setText(tr_(QStringLiteral("OK")));
        btnModifyUnlockDeviceCancel_->setText(tr_(QStringLiteral("Cancel")));
    }
}

void SettingController::initAlertModuleWording()
{
    const char *const rows[] = {"Connect:", "Disconnect:", "Incoming SMS:", "Incoming Call:"};
    for (int i = 0; i < soundLabels_.size() && i < int(std::size(rows)); ++i)
        if (soundLabels_[i])
            soundLabels_[i]->setText(tr_(QString::fromLatin1(rows[i])));
    for (const auto &box : muteBoxes_)
        if (box)
            box->setText(tr_(QStringLiteral("Mute")));
    for (const auto &button : browseButtons_)
        if (button)
            button->setText(tr_(QStringLiteral("Browse")));
}

void SettingController::initBrowserModuleWording()
{
    // The browser panel's controls come with their panel.
}

void SettingController::initSystemModuleWording()
{
    if (languageLabel_)
        languageLabel_->setText(tr_(QStringLiteral("Select Language:")));
    if (autoConnectBox_)
        autoConnectBox_->setText(tr_(QStringLiteral("Auto Connect")));
}

void SettingController::initConnectModuleWording()
{
    if (connectTypeLabel_)
        connectTypeLabel_->setText(tr_(QStringLiteral("Select Connection Type:")));
    if (matrixConnectType_) {
        if (QAbstractButton *ras = matrixConnectType_->button(0))
            ras->setText(tr_(QStringLiteral("Connection With RAS")));
        if (QAbstractButton *ndis = matrixConnectType_->button(1))
            ndis->setText(tr_(QStringLiteral("Connection With NDIS")));
    }
}

void SettingController::initSpecialWording()
{
    if (sethasModuleWith(QStringLiteral("D3USetting"))) {
        // A box with a label of its own keeps its title: the label carries the text.
        const struct {
            const char *box;
            const char *text;
        } boxes[] = {{"boxSettingPin", "Security"}, {"boxSettingDeviceLock", "Security"}};
        for (const auto &b : boxes) {
            auto *box = settingPage_ ? settingPage_->findChild<QGroupBox *>(QLatin1String(b.box)) : nullptr;
            if (!box)
                continue;
            auto *label = box->property("ownLabel").value<QLabel *>();
            if (label)
                label->setText(tr_(QString::fromLatin1(b.text)));
            else
                box->setTitle(tr_(QString::fromLatin1(b.text)));
        }
    }
    if (sethasModuleWith(QStringLiteral("FavoriteLinks")))
        initFavoriteLinksWording();
}

void SettingController::initFavoriteLinksWording()
{
    // The favourite-links editor comes with its panel.
}

void SettingController::initURLLinksWording()
{
    // The layout has no link buttons "btnURL1" ... "btnURL8": nothing to title.
    for (int i = 1; i <= 8; ++i)
        if (auto *button = qobject_cast<QAbstractButton *>(controlForSkinKey(QStringLiteral("btnURL%1").arg(i))))
            button->setText(tr_(QStringLiteral("btnURL%1Title").arg(i)));
}

void SettingController::initSettingItemsWording()
{
    const char *const cells[] = {"General", "SMS", "Connection", "Network", "Security"};
    if (matrixSmartItems_)
        for (int i = 0; i < int(std::size(cells)); ++i)
            if (QAbstractButton *cell = matrixSmartItems_->button(i))
                cell->setText(tr_(QString::fromLatin1(cells[i])));
    const char *const titles[] = {"System Settings",   "SMS Settings",      "Connection Settings",
                                  "Network Settings", "Security Settings", "Alert Settings"};
    const int tag = matrixSmartItems_ ? matrixSmartItems_->checkedId() : 0;
    if (pageTitle_)
        pageTitle_->setText(tr_(QString::fromLatin1(titles[tag >= 0 && tag < 6 ? tag : 0])));
}

} // namespace ostrel
