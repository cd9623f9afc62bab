// The settings window's skin bindings, its SmartUI page and its wording.
#include "ostrel/settings/SettingController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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
                          static_cast<QWidget *>(wndModifyUnlockDevice_.data()),
                          static_cast<QWidget *>(wndAddBrowser_.data()),
                          static_cast<QWidget *>(m_EnablePinWin_.data()), static_cast<QWidget *>(m_RevisePinWin_.data()),
                          static_cast<QWidget *>(m_PukWin_.data()), static_cast<QWidget *>(netSelectWindow_.data())}) {
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
    if (sethasModuleWith(QStringLiteral("Network")))
        initNetworkModuleWording();
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
    for (int i = 0; i < pinSheetLabels_.size(); ++i)
        if (pinSheetLabels_[i])
            pinSheetLabels_[i]->setText(tr_(pinSheetLabelTexts_[i]));
    for (int i = 0; i < pinSheetButtons_.size(); ++i)
        if (pinSheetButtons_[i])
            pinSheetButtons_[i]->setText(tr_(pinSheetButtonTexts_[i]));
    initUpdateNibWording();
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
    const auto text = [this](auto *control, const char *english) {
        if (control)
            control->setText(tr_(QString::fromLatin1(english)));
    };
    text(browserTitle_.data(), "Browser auto-launch");
    text(browserLinkLabel_.data(), "Open the browser on the following link at connection startup:");
    text(doNotOpenBox_.data(), "Do not open the browser at connection startup");
    text(advancedButton_.data(), "Advanced...");
    if (wndAddBrowser_)
        wndAddBrowser_->setWindowTitle(tr_(QStringLiteral("Advanced settings")));
    text(labelAdvanced_.data(), "Advanced settings");
    text(labelAddLink_.data(), "Add link");
    text(addLinkButton_.data(), "Add");
    text(labelAvailableLinks_.data(), "Available links:");
    text(editLinkButton_.data(), "Edit");
    text(removeLinkButton_.data(), "Remove");
    text(okAddBrowserButton_.data(), "OK");
    text(cancelAddBrowserButton_.data(), "Cancel");
    text(okEditBrowserButton_.data(), "OK");
    text(cancelEditBrowserButton_.data(), "Cancel");
}

void SettingController::initSystemModuleWording()
{
    const auto text = [this](auto *control, const char *english) {
        if (control)
            control->setText(tr_(QString::fromLatin1(english)));
    };
    text(languageLabel_.data(), "Select Language:");
    text(autoLabel_.data(), "Auto:");
    text(startWithSystemBox_.data(), "Start with Operating System");
    text(startWithDeviceBox_.data(), "Auto Start when device is available");
    text(disconnectAskBox_.data(), "Setting_DisconnectAskLable");
    text(autoConnectBox_.data(), "Auto Connect");
    text(connectWarningBox_.data(), "Enable Connection Warning display");
    text(connectWarningText_.data(),
         "We remind you that before connecting you must subcribe to an Internet Pack in order to get better rates.");
    text(lowPowerBox_.data(), "Low Power Mode");
    text(checkForUpdateButton_.data(), "Check for Updates");
    if (lowPowerBox_)
        lowPowerBox_->setToolTip(tr_(QStringLiteral("Low Power Mode Tip")));
    for (int i = 0; i < infoLabels_.size() && i < infoCaptions().size(); ++i)
        if (infoLabels_[i])
            infoLabels_[i]->setText(tr_(infoCaptions().at(i)));
    // The language pop-up shows native names, which no language changes.
}

void SettingController::initConnectModuleWording()
{
    if (connectFunctionLabel_)
        connectFunctionLabel_->setText(tr_(QStringLiteral("Connecting to the internet With the following function:")));
    if (connectTypeLabel_)
        connectTypeLabel_->setText(tr_(QStringLiteral("Select Connection Type:")));
    if (serviceNumberLabel_)
        serviceNumberLabel_->setText(tr_(QStringLiteral("Service Number:")));
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
    const auto text = [this](auto *control, const char *english) {
        if (control)
            control->setText(tr_(QString::fromLatin1(english)));
    };
    text(backwardButton_.data(), "Backward");
    text(forwardButton_.data(), "ForwardBtnCaption");
    text(linkNameLabel_.data(), "linkNameLabelCaption:");
    text(linkTypeLabel_.data(), "Type:");
    text(linkPathLabel_.data(), "Path:");
    text(linkPathBrowse_.data(), "Browse...");
    text(linkImageBrowse_.data(), "Browse...");
    text(linkImageLabel_.data(), "Image:");
    text(linkParaLabel_.data(), "Para:");
    text(launchAtStartup_.data(), "Auto launch at startup");
    text(launchWhenConnected_.data(), "Auto launch when connected");
    text(favoriteHint_.data(), "Please click \"Modify\" to save changes after finish editing each button.");
    text(modifyLinkButton_.data(), "Modify");
    text(cancelLinkButton_.data(), "Cancel");
    if (linkType_ && linkType_->count() == 2) {
        linkType_->setItemText(0, tr_(QStringLiteral("Application")));
        linkType_->setItemText(1, tr_(QStringLiteral("Web link")));
    }
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
