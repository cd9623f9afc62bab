#include "ostrel/settings/SettingController.h"

#include "ostrel/framework/switches/ConfigService.h"

#include "common/ValueConversion.h"
#include "common/records/UiMsg.h"
#include "ostrel/device/init/DeviceLockGuard.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/plugin/TabPluginInterface.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcSetting, "ostrel.settings")

namespace ostrel {

namespace {

const QString kSettingTab = QStringLiteral("Setting");

// The panel names in the order the page shows them.
const char *const kPanelOrder[] = {"System", "Connect", "Network", "Security", "SMS",
                                   "Call",   "Alert",   "Browser", "FavoriteLinks", "Record"};

// The SmartUI item tags: tab identifier and page title.
struct SmartItem {
    const char *identifier;
    const char *title;
};
const SmartItem kSmartItems[] = {
    {"System", "System Settings"},   {"SMS", "SMS Settings"},           {"Connection", "Connection Settings"},
    {"Network", "Network Settings"}, {"Security", "Security Settings"}, {"Alert", "Alert Settings"},
};

QButtonGroup *radioMatrix(QWidget *box, const QStringList &cells, QButtonGroup **out = nullptr)
{
    auto *group = new QButtonGroup(box);
    auto *layout = new QHBoxLayout(box);
    int id = 0;
    for (const QString &cell : cells) {
        auto *radio = new QRadioButton(cell, box);
        group->addButton(radio, id++);
        layout->addWidget(radio);
    }
    layout->addStretch(1);
    if (!cells.isEmpty())
        group->button(0)->setChecked(true);
    if (out)
        *out = group;
    return group;
}

} // namespace

// --- registrations ---------------------------------------------------------------------------

#define SETTING_ROW(major, minor, name) {major, minor, #name ":", &SettingController::name}
const SettingController::MessageRow SettingController::kMessageTable[] = {
    SETTING_ROW(513, 82, dealWithMsgOfSetBandFrequency),
    SETTING_ROW(513, 76, dealWithMsgOfSetSearchNetMode),
    SETTING_ROW(513, 78, dealWithMsgOfManualSearchNet),
    SETTING_ROW(513, 79, dealWithMsgOfManualSelectNet),
    SETTING_ROW(4, 14, dealWithMsgOfChangePinActiveStatus),
    SETTING_ROW(4, 8, dealWithMsgOfCountPinPukRemain),
    SETTING_ROW(4, 12, dealWithMsgOfChangePin),
    SETTING_ROW(4, 9, dealWithMsgOfCheckPinStatus),
    SETTING_ROW(4, 11, dealWithMsgOfCheckoutPuk),
    SETTING_ROW(4, 18, dealWithMsgOfChangePinAutoValidationStatus),
    SETTING_ROW(768, 95, dealWithMsgOfSMSCenter),
    SETTING_ROW(768, 96, dealWithMsgOfSMSRevPos),
    SETTING_ROW(258, 74, dealWithMsgOfNetDeviceInfo),
    SETTING_ROW(513, 81, dealWithMsgOfCheckNetChannel),
    SETTING_ROW(513, 83, dealWithMsgOfNodeSelectSatus),
    SETTING_ROW(513, 84, dealWithMsgOfSetRoamSwitch),
    SETTING_ROW(8, 26, dealWithMsgOfCheckDeviceLockStatus),
    SETTING_ROW(512, 164, dealWithMsgOfCheckDeviceUnLockResult),
    SETTING_ROW(8, 30, dealWithMsgOfModifyDeviceLockCodeStatus),
    SETTING_ROW(2307, 157, dealWithCallForwardSettingResult),
    SETTING_ROW(2307, 156, dealWithCallBarSettingResult),
    SETTING_ROW(2307, 158, dealWithCallWaitSettingResult),
    SETTING_ROW(2307, 161, dealWithMsgOfReadCallForwardSetting),
    SETTING_ROW(2307, 159, dealWithMsgOfReadCallWaitSetting),
    SETTING_ROW(2307, 160, dealWithMsgOfReadCallBarSetting),
    SETTING_ROW(768, 107, dealWithMsgOfMsgRoutingRead),
    SETTING_ROW(768, 108, dealWithMsgOfMsgRoutingFeedback),
};
#undef SETTING_ROW
const int SettingController::kMessageTableSize = int(std::size(kMessageTable));

const NotificationTableRow SettingController::settingNotificationTable[] = {
    {"updateNetworkStatus:", "init_NetworkStatus"},
    {"activePinStatus:", "changePinActiveStatus"},
    {"pinModifyClicked:", "pinModifyBtnClicked"},
    {"setNetModeChanged:", "setNetModeChanged"},
    {"methodToSelectNetChanged:", "methodToSelectNetChanged"},
    {"btMessageSetApply:", "btMessageSetApply"},
    {"pinUnlockClicked:", "pinSettingUnlockClicked"},
    {"manualRegisterNet:", "manualRegisterNet"},
    {nullptr, nullptr},
};

const NotificationTableRow SettingController::settingObServerTable[] = {
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

const NotificationTableRow SettingController::deviceFunctionNotficationTable[] = {
    {"notifyDeviceUnlockSuccess:", "DeviceUnlockSuccess"},
    {"notifyDeviceUnlockFailed:", "DeviceUnlockFailed"},
    {nullptr, nullptr},
};

// --- creation ----------------------------------------------------------------------------------

SettingController::SettingController(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent), DefaultSettingController(context.config)
{
    sheetQueue_ = new SettingSheetQueue(this);
    lockGuard_ = std::make_unique<DeviceLockGuard>(6, &config(), notificationCenter());
    simReady_ = false;
    smartAutoConnectEnableFlag_ = true;
    hideSMSStoreDefault_ = yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("HideSMSStoreDefault")));
    isSMSInSimCardFull_ = false;
    currentSetSMSPositionIndex_ = 0;
    currentSetSMSPosition_ = 2;
    loadSettingList();
    setSMSPositionManagerInit();
    SettingService::sharedSettingService().isNeedAlertLeftTimesFlag = false;
    SettingService::sharedSettingService().isSecondManualSelectNetFlag = false;
}

SettingController::~SettingController()
{
    if (&Neighbours::setting() == static_cast<SettingControllerInterface *>(this))
        Neighbours::setSetting(nullptr);
    // The queue lets go of its sheets first: a sheet deleted while it shows ends nothing.
    delete sheetQueue_;
    sheetQueue_ = nullptr;
    delete wndSetingUnlockDevice_;
    delete wndModifyUnlockDevice_;
    delete wndAddBrowser_;
    delete m_EnablePinWin_;
    delete m_RevisePinWin_;
    delete m_PukWin_;
    delete netSelectWindow_;
}

void SettingController::install() { Neighbours::setSetting(this); }

QString SettingController::tr_(const QString &english) const { return Map_Name_Item_of_IndexString(english); }

void SettingController::loadSettingList()
{
    // A SettingDefaultItem that is no array reads as missing; items that are no text are skipped.
    const QVariant value = config().getConfigurationByModule(QStringLiteral("SettingDefaultItem"));
    hasSettingList_ = value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList;
    settingItems_.clear();
    for (const QVariant &item : yov::nsArray(value))
        if (item.typeId() == QMetaType::QString)
            settingItems_ << item.toString();
}

bool SettingController::sethasModuleWith(const QString &name) const
{
    return hasSettingList_ && settingItems_.contains(name);
}

// --- the page ----------------------------------------------------------------------------------

void SettingController::buildPage()
{
    if (tabviewSetting)
        return;
    QWidget *page = settingPage_;
    if (!page)
        return;
    auto *layout = qobject_cast<QVBoxLayout *>(page->layout());
    if (!layout && !page->layout())
        layout = new QVBoxLayout(page);
    auto *title = new QLabel(page);
    title->setObjectName(QStringLiteral("labelSettingPageTitle"));
    title->setStyleSheet(QStringLiteral("font-size: 16px; font-weight: bold; padding: 4px;"));
    pageTitle_ = title;
    title->setVisible(false); // the SmartUI page's title (initSmartSkin)

    smartItemsBox_ = new QWidget(page);
    smartItemsBox_->setObjectName(QStringLiteral("matrixSettingItems"));
    QButtonGroup *items = nullptr;
    radioMatrix(smartItemsBox_, {QStringLiteral("General"), QStringLiteral("SMS"), QStringLiteral("Connection"),
                                 QStringLiteral("Network"), QStringLiteral("Security")},
                &items);
    matrixSmartItems_ = items;
    connect(items, &QButtonGroup::idClicked, this, [this](int) { settingTabViewItemSelect(matrixSmartItems_); });
    smartItemsBox_->setVisible(false); // the SmartUI layout shows it (initSmartSkin)

    auto *tabs = new QTabWidget(page);
    tabs->setObjectName(QStringLiteral("tabviewSetting"));
    tabviewSetting = tabs;
    for (const char *name : kPanelOrder) {
        const QString identifier = QString::fromLatin1(name);
        QWidget *panel = buildPanel(identifier);
        setTabViewItemIdentifier(panel, identifier);
        tabs->addTab(panel, identifier);
        panels_.insert(identifier, panel);
    }
    // A refused switch puts the panel shown before back (the tab bar has no veto of its own).
    shownPanel_ = tabs->currentWidget();
    connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (!tabviewSetting || index < 0)
            return;
        QWidget *next = tabviewSetting->widget(index);
        if (next == shownPanel_)
            return;
        if (shownPanel_ && tabviewSetting->indexOf(shownPanel_) >= 0 && !shouldSelectPanel(tabViewItemIdentifier(next))) {
            const QSignalBlocker blocker(tabviewSetting);
            tabviewSetting->setCurrentWidget(shownPanel_);
            return;
        }
        shownPanel_ = next;
    });
    if (layout) {
        layout->addWidget(title);
        layout->addWidget(smartItemsBox_);
        layout->addWidget(tabs, 1);
    } else {
        page->layout()->addWidget(title);
        page->layout()->addWidget(smartItemsBox_);
        page->layout()->addWidget(tabs);
    }
    buildSheets();
    buildPinSheets(wndMain ? wndMain.data() : settingPage_.data());
    buildUpdateControls();
    buildBackupControls();
}

QWidget *SettingController::buildPanel(const QString &name)
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("panelSetting") + name);
    auto *layout = new QVBoxLayout(panel);
    if (name == QLatin1String("Security"))
        buildSecurityPanel(panel);
    else if (name == QLatin1String("Network"))
        buildNetworkPanel(panel);
    else if (name == QLatin1String("System"))
        buildSystemPanel(panel);
    else if (name == QLatin1String("Connect"))
        buildConnectPanel(panel);
    else if (name == QLatin1String("Alert"))
        buildAlertPanel(panel);
    else if (name == QLatin1String("Browser"))
        buildBrowserPanel(panel);
    else if (name == QLatin1String("FavoriteLinks"))
        buildFavoriteLinksPanel(panel);
    else if (name == QLatin1String("Call"))
        buildCallPanel(panel);
    else if (name == QLatin1String("SMS"))
        buildSmsPanel(panel);
    if (name != QLatin1String("Network")) // its scroll area takes the height
        layout->addStretch(1);
    return panel;
}

void SettingController::buildSecurityPanel(QWidget *panel)
{
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    auto *pinBox = new QGroupBox(panel);
    pinBox->setObjectName(QStringLiteral("boxSettingPin"));
    auto *pinLayout = new QHBoxLayout(pinBox);
    m_PINEnable_ = new QCheckBox(QStringLiteral("PIN Enable"), pinBox);
    m_PINEnable_->setObjectName(QStringLiteral("btnSettingPinEnable"));
    m_RevisePinButton_ = new QPushButton(QStringLiteral("Revise PIN"), pinBox);
    m_RevisePinButton_->setObjectName(QStringLiteral("btnSettingRevisePin"));
    pinLayout->addWidget(m_PINEnable_);
    pinLayout->addWidget(m_RevisePinButton_);
    pinLayout->addStretch(1);
    layout->addWidget(pinBox);

    auto *lockBox = new QGroupBox(panel);
    lockBox->setObjectName(QStringLiteral("boxSettingDeviceLock"));
    auto *lockLayout = new QHBoxLayout(lockBox);
    btnCheckDeviceUnlockCodeEnable_ = new QCheckBox(QStringLiteral("Device function lock Enable"), lockBox);
    btnCheckDeviceUnlockCodeEnable_->setObjectName(QStringLiteral("btnSettingCheckDeviceUnlockCodeEnable"));
    btnModifyDeviceUnlockCode_ = new QPushButton(QStringLiteral("Change Unlock Code"), lockBox);
    btnModifyDeviceUnlockCode_->setObjectName(QStringLiteral("btnModifyDeviceUnlockCodeSetting"));
    btnModifyDeviceUnlockCode_->setEnabled(false);
    lockLayout->addWidget(btnCheckDeviceUnlockCodeEnable_);
    lockLayout->addWidget(btnModifyDeviceUnlockCode_);
    lockLayout->addStretch(1);
    layout->addWidget(lockBox);
    // The box toggles first, then its action runs.
    connect(btnCheckDeviceUnlockCodeEnable_, &QCheckBox::clicked, this, [this] { checkDeviceUnlockCodeStatus(); });
    connect(btnModifyDeviceUnlockCode_, &QPushButton::clicked, this, [this] { modifyDeviceUnlockCode(); });

    auto *host = new QWidget(panel);
    host->setObjectName(QStringLiteral("viewSettingSecurityHost"));
    new QVBoxLayout(host);
    host->layout()->setContentsMargins(0, 0, 0, 0);
    securityHost_ = host;
    layout->addWidget(host);
}

void SettingController::buildNetworkPanel(QWidget *panel)
{
    // The panel holds more than the page's height: its controls scroll rather than squeeze.
    auto *scroll = new QScrollArea(panel);
    scroll->setObjectName(QStringLiteral("scrollSettingNetwork"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(content);
    static_cast<QVBoxLayout *>(panel->layout())->addWidget(scroll, 1);
    networkControls_ = new QWidget(content);
    auto *controls = new QVBoxLayout(networkControls_);
    controls->setContentsMargins(0, 0, 0, 0);

    methodBox_ = new QGroupBox(QStringLiteral("Operator Selection"), networkControls_);
    methodBox_->setObjectName(QStringLiteral("matrixSettingMethodToSelectNet"));
    QButtonGroup *method = nullptr;
    radioMatrix(methodBox_, {QStringLiteral("Automatic"), QStringLiteral("Manual")}, &method);
    matrixSettingMethodToSelectNet_ = method;
    controls->addWidget(methodBox_);

    buildModeAndBandControls(controls);

    auto *row = new QWidget(networkControls_);
    auto *rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    bandSaveButton_ = new QPushButton(QStringLiteral("Apply"), row);
    bandSaveButton_->setObjectName(QStringLiteral("btnSettingSaveBand"));
    connect(bandSaveButton_, &QPushButton::clicked, this, [this] { SetNetFrequency(matrixFrequencySelect_); });
    searchResultButton_ = new QPushButton(QStringLiteral("Search"), row);
    searchResultButton_->setObjectName(QStringLiteral("btnSettingInputApplyNetSelect"));
    cancelSearchButton_ = new QPushButton(QStringLiteral("Cancel"), row);
    cancelSearchButton_->setObjectName(QStringLiteral("btnSettingCancelNetSelect"));
    searchProgress_ = new QProgressBar(row);
    searchProgress_->setObjectName(QStringLiteral("BarSsearchProcess"));
    rowLayout->addWidget(bandSaveButton_);
    rowLayout->addWidget(searchResultButton_);
    rowLayout->addWidget(searchProgress_);
    rowLayout->addWidget(cancelSearchButton_);
    rowLayout->addStretch(1);
    controls->addWidget(row);
    layout->addWidget(networkControls_);

    auto *host = new QWidget(content);
    host->setObjectName(QStringLiteral("viewSettingNetworkHost"));
    new QVBoxLayout(host);
    host->layout()->setContentsMargins(0, 0, 0, 0);
    networkHost_ = host;
    layout->addWidget(host);
    buildRoamingControls(content);
    layout->addStretch(1);
    connectNetworkSelection();
}

void SettingController::buildSystemPanel(QWidget *panel)
{
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    const auto check = [panel, layout](const char *text, const char *key) {
        auto *box = new QCheckBox(QString::fromLatin1(text), panel);
        box->setObjectName(QLatin1String(key));
        layout->addWidget(box);
        return box;
    };
    auto *languageRow = new QWidget(panel);
    auto *languageLayout = new QHBoxLayout(languageRow);
    languageLayout->setContentsMargins(0, 0, 0, 0);
    languageLabel_ = new QLabel(QStringLiteral("Select Language:"), languageRow);
    languageLabel_->setObjectName(QStringLiteral("labelselectLanguageSetting"));
    languageCombo_ = new QComboBox(languageRow);
    languageCombo_->setObjectName(QStringLiteral("comboSupportLanguageSetting"));
    languageLayout->addWidget(languageLabel_);
    languageLayout->addWidget(languageCombo_);
    languageLayout->addStretch(1);
    layout->addWidget(languageRow);
    connect(languageCombo_, &QComboBox::activated, this, [this] { changeLanguageTo(); });

    autoLabel_ = new QLabel(QStringLiteral("Auto:"), panel);
    autoLabel_->setObjectName(QStringLiteral("labelAutoSetting"));
    layout->addWidget(autoLabel_);
    startWithSystemBox_ = check("Start with Operating System", "btnSettingStartWithSys");
    startWithDeviceBox_ = check("Auto Start when device is available", "btnSettingStartWithDeviceIsPlugLabel");
    autoConnectBox_ = check("Auto Connect", "btnSettingAutoConnect");
    smartAutoConnectBox_ = new QWidget(panel);
    smartAutoConnectBox_->setObjectName(QStringLiteral("matrixSettingAutoConnect"));
    QButtonGroup *smart = nullptr;
    radioMatrix(smartAutoConnectBox_, {QStringLiteral("Yes"), QStringLiteral("No")}, &smart);
    matrixSmartAutoConnect_ = smart;
    smartAutoConnectBox_->setVisible(false);
    layout->addWidget(smartAutoConnectBox_);
    disconnectAskBox_ = check("Setting_DisconnectAskLable", "btnSettingDisconnectAsk");
    lowPowerBox_ = check("Low Power Mode", "btnSettingLowPowerMode");
    connectWarningBox_ = check("Enable Connection Warning display", "btnSettingConnectWarning");
    connectWarningText_ = new QLabel(panel);
    connectWarningText_->setObjectName(QStringLiteral("labelConnectWarningSetting"));
    connectWarningText_->setWordWrap(true);
    layout->addWidget(connectWarningText_);

    auto *info = new QWidget(panel);
    auto *infoLayout = new QGridLayout(info);
    infoLayout->setContentsMargins(0, 0, 0, 0);
    phoneNumberField_ = new QLineEdit(info);
    phoneNumberField_->setObjectName(QStringLiteral("textPhoneNumberSetting"));
    phoneNumberField_->setReadOnly(true);
    imsiValue_ = new QLabel(info);
    imsiValue_->setObjectName(QStringLiteral("IMSIValue"));
    softwareVersion_ = new QLabel(info);
    softwareVersion_->setObjectName(QStringLiteral("SoftwareVersion"));
    const QWidget *values[] = {phoneNumberField_, imsiValue_, softwareVersion_};
    for (int row = 0; row < int(std::size(values)); ++row) {
        auto *caption = new QLabel(infoCaptions().at(row), info);
        infoLabels_ << caption;
        infoLayout->addWidget(caption, row, 0);
        infoLayout->addWidget(const_cast<QWidget *>(values[row]), row, 1);
    }
    layout->addWidget(info);

    // A box toggles first, then its action runs.
    connect(startWithSystemBox_, &QCheckBox::clicked, this, [this] { StartWithSystem(); });
    connect(startWithDeviceBox_, &QCheckBox::clicked, this, [this] { StartWithPluginDevice(); });
    connect(autoConnectBox_, &QCheckBox::clicked, this, [this] { auto_Connect(); });
    connect(smart, &QButtonGroup::idClicked, this, [this](int) { auto_Connect_Smart(); });
    connect(disconnectAskBox_, &QCheckBox::clicked, this, [this] { DisconnectAsk(); });
    connect(lowPowerBox_, &QCheckBox::clicked, this, [this] { setLPMEnable(); });
    connect(connectWarningBox_, &QCheckBox::clicked, this, [this] { enableConnectWarningDisplay(); });
}

void SettingController::buildConnectPanel(QWidget *panel)
{
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    connectFunctionLabel_ = new QLabel(QStringLiteral("Connecting to the internet With the following function:"), panel);
    connectFunctionLabel_->setObjectName(QStringLiteral("labelConnectSetting"));
    layout->addWidget(connectFunctionLabel_);
    connectTypeLabel_ = new QLabel(QStringLiteral("Select Connection Type:"), panel);
    connectTypeLabel_->setObjectName(QStringLiteral("labelConnectTypeSetting"));
    layout->addWidget(connectTypeLabel_);
    connectTypeBox_ = new QWidget(panel);
    connectTypeBox_->setObjectName(QStringLiteral("MatrixConnectTypeSetting"));
    QButtonGroup *type = nullptr;
    // The cells carry the stored values: 0 RAS, 1 NDIS.
    radioMatrix(connectTypeBox_, {QStringLiteral("Connection With RAS"), QStringLiteral("Connection With NDIS")}, &type);
    matrixConnectType_ = type;
    layout->addWidget(connectTypeBox_);
    connect(type, &QButtonGroup::idClicked, this, [this](int) { SelectConnectType(); });

    auto *serviceRow = new QWidget(panel);
    auto *serviceLayout = new QHBoxLayout(serviceRow);
    serviceLayout->setContentsMargins(0, 0, 0, 0);
    serviceNumberLabel_ = new QLabel(QStringLiteral("Service Number:"), serviceRow);
    // Not the update server's skin keys ("labelServerSetting", "textServiceSetting"): the skin
    // would style this field in place of the server field.
    serviceNumberLabel_->setObjectName(QStringLiteral("labelServiceNumberSetting"));
    serviceNumberField_ = new QLineEdit(serviceRow);
    serviceNumberField_->setObjectName(QStringLiteral("textServiceNumberSetting"));
    serviceLayout->addWidget(serviceNumberLabel_);
    serviceLayout->addWidget(serviceNumberField_, 1);
    layout->addWidget(serviceRow);
    connect(serviceNumberField_, &QLineEdit::editingFinished, this, [this] { setServicesNum(); });
}

void SettingController::buildAlertPanel(QWidget *panel)
{
    auto *layout = static_cast<QVBoxLayout *>(panel->layout());
    // One row per sound type, in type order: description, file, mute, browse, play.
    const struct {
        const char *text, *label, *field, *mute, *browse;
    } rows[] = {
        {"Connect:", "btnConnectTextDiscriptionSetting", "btnConnectSoundFileNameSetting", "btnConnectMuteSetting",
         "btnConnectBrowseSetting"},
        {"Disconnect:", "btnDisconnectTextDiscriptionSetting", "btnDisconnectSoundFileNameSetting",
         "btnDisconnectMuteSetting", "btnDisconnectBrowseSetting"},
        {"Incoming SMS:", "labelSMSTextDiscriptionSetting", "btnSMSSoundFileNameSetting", "btnSMSMuteSetting",
         "btnSMSBrowseSetting"},
        {"Incoming Call:", "btnCallTextDiscriptionSetting", "btnCallSoundFileNameSetting", "btnCallMuteSetting",
         "btnCallBrowseSetting"},
    };
    for (int type = 0; type < int(std::size(rows)); ++type) {
        const auto &r = rows[type];
        auto *row = new QWidget(panel);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        auto *label = new QLabel(QString::fromLatin1(r.text), row);
        label->setObjectName(QLatin1String(r.label));
        label->setMinimumWidth(110);
        auto *field = new QLineEdit(row);
        field->setObjectName(QLatin1String(r.field));
        field->setReadOnly(true);
        auto *mute = new QCheckBox(QStringLiteral("Mute"), row);
        mute->setObjectName(QLatin1String(r.mute));
        auto *browse = new QPushButton(QStringLiteral("Browse"), row);
        browse->setObjectName(QLatin1String(r.browse));
        auto *play = new QPushButton(QStringLiteral("\u25B6"), row);
        play->setObjectName(QStringLiteral("btnPlaySoundSetting%1").arg(type));
        play->setFixedWidth(32);
        rowLayout->addWidget(label);
        rowLayout->addWidget(field, 1);
        rowLayout->addWidget(mute);
        rowLayout->addWidget(browse);
        rowLayout->addWidget(play);
        layout->addWidget(row);
        soundLabels_ << label;
        soundFields_ << field;
        muteBoxes_ << mute;
        browseButtons_ << browse;
        playButtons_ << play;
        connect(mute, &QCheckBox::clicked, this, [this, type] { setSoundMute(type); });
        connect(browse, &QPushButton::clicked, this, [this, type] { browseSoundFile(type); });
        connect(play, &QPushButton::clicked, this, [this, type] { playAlertSound(type); });
        if (type == 2)
            smsSoundRow_ = row;
        else if (type == 3)
            callSoundRow_ = row;
    }
}

QWidget *SettingController::panel(const QString &name) const
{
    QWidget *p = panels_.value(name);
    if (!p || !tabviewSetting || tabviewSetting->indexOf(p) < 0)
        return nullptr;
    return p;
}

QStringList SettingController::panelNames() const
{
    QStringList names;
    if (!tabviewSetting)
        return names;
    for (int i = 0; i < tabviewSetting->count(); ++i)
        names << tabViewItemIdentifier(tabviewSetting->widget(i));
    return names;
}

void SettingController::ConfigSettingToolBarArray()
{
    if (tabviewSetting && hasSettingList_) {
        for (const char *name : kPanelOrder) {
            const QString identifier = QString::fromLatin1(name);
            if (!settingItems_.contains(identifier))
                removeTabViewItemWithIdentifier(tabviewSetting, identifier);
        }
    }
    if (!hasModuleWith(QStringLiteral("SMS"))) {
        if (backupRow_)
            backupRow_->setVisible(false);
        if (smsSoundRow_)
            smsSoundRow_->setVisible(false);
    }
    if (!hasModuleWith(QStringLiteral("Call")) && callSoundRow_)
        callSoundRow_->setVisible(false);
}

void SettingController::updateSet()
{
    if (sethasModuleWith(QStringLiteral("SMS")) && MessageCenter) {
        MessageSetCancel();
        const QVariant centre = setting(QStringLiteral("MessageCenterNum"));
        if (centre.isValid())
            MessageCenter->setText(yov::nsString(centre));
        MessageSetApplyBtn->setEnabled(false);
        MessageSetCancelBtn->setEnabled(false);
    }
    for (int type : {0, 1})
        if (QPushButton *play = soundPlayButton(type))
            play->setVisible(true);
    // The sound files in the order SMS, call, connect, disconnect.
    const struct {
        int type;
        const char *defaultKey;
    } sounds[] = {{2, "/sound/sms.wav"}, {3, "/sound/call.wav"}, {0, "/sound/online.wav"}, {1, "/sound/offline.wav"}};
    for (const auto &sound : sounds)
        updateSoundFile(sound.type, QString::fromLatin1(sound.defaultKey), soundField(sound.type));
    if (yov::nsInt(setting(QStringLiteral("ConnectType"))) == 1 && matrixConnectType_ && matrixConnectType_->button(1))
        matrixConnectType_->button(1)->setChecked(true);
    if (setting(QStringLiteral("serviceNumber")).isValid())
        loadServicesNum();
}

void SettingController::configRecordSettings()
{
    Neighbours::records().periodRecordReset();
    Neighbours::records().loadDefaultRecordSetting();
}

// --- template steps ----------------------------------------------------------------------------

void SettingController::initializeNibResources()
{
    buildPage();
    initWording();
    initFavoriteLinksSettings();
    if (sethasModuleWith(QStringLiteral("FavoriteLinks")))
        checkLauchWebLinksAtMoment(0);
    if (connectWarningBox_)
        connectWarningBox_->setChecked(yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("connectWarningsDisplay"))));
    initUpdateNibWording();
    initUpdateNibState();
    initNibForBackupPhoneBookOnly();
    if (ConfigService(&config()).isRoamingImsiSet())
        setRoamingIMSISelectEnabled(false);
}

void SettingController::registerMessages()
{
    if (YOVMsgCenter *center = yovMsgCenter())
        for (const MessageRow &row : kMessageTable)
            center->registerObserver(this, row.method, row.major, row.minor);
    // The network-status row only with the "Call" item.
    if (sethasModuleWith(QStringLiteral("Call")))
        registerNotification(settingNotificationTable);
    else
        registerNotification(settingNotificationTable + 1);
    registerNotification(settingObServerTable);
    registerNotification(deviceFunctionNotficationTable);
}

void SettingController::initializeController()
{
    const QVariant autoConnect = setting(QStringLiteral("AutoConnect"));
    if (autoConnect.isValid()) {
        if (autoConnectBox_)
            autoConnectBox_->setChecked(yov::nsBool(autoConnect));
        if (matrixSmartAutoConnect_ && matrixSmartAutoConnect_->button(yov::nsBool(autoConnect) ? 0 : 1))
            matrixSmartAutoConnect_->button(yov::nsBool(autoConnect) ? 0 : 1)->setChecked(true);
    } else {
        if (autoConnectBox_)
            autoConnectBox_->setVisible(false);
        if (smartAutoConnectBox_)
            smartAutoConnectBox_->setVisible(false);
    }
    // The start options take a stored value only where there is one.
    const QVariant withSystem = setting(QStringLiteral("StartUIWithSystem"));
    if (withSystem.isValid() && startWithSystemBox_)
        startWithSystemBox_->setChecked(yov::nsBool(withSystem));
    const QVariant lowPower = setting(QStringLiteral("LPMinfo"), QStringLiteral("btnLPMBState"));
    if (lowPower.isValid() && lowPowerBox_)
        lowPowerBox_->setChecked(yov::nsBool(lowPower));
    const QVariant withDevice = setting(QStringLiteral("StartUIWithPluginDevice"));
    if (withDevice.isValid() && startWithDeviceBox_)
        startWithDeviceBox_->setChecked(yov::nsBool(withDevice));
    initDisconnectAskSate();
    LoadBrowserList();
    // SMS auto delete: shown only with an "SMS" module.
    if (btnAutoDeleteSMSLable_) {
        const QVariant sms = setting(QStringLiteral("SMS"));
        btnAutoDeleteSMSLable_->setVisible(sms.isValid());
        btnAutoDeleteSMSLable_->setChecked(yov::nsBool(setting(QStringLiteral("SMS"), QStringLiteral("AutoDeleteState"))));
    }
    deviceRemoved(yov::Notification{});
    ConfigSettingToolBarArray();
    ConfigAlert();
    ConfigBackAndRestore();
    // The "Record" panel holds the records controller's settings view.
    if (QWidget *record = panel(QStringLiteral("Record")))
        Neighbours::records().hostRecordSettings(record);
    updateSet();
    loadLanguageList();
    initLanguageStateInMenu();
    InitSMSSettingNib();
    pinEnableFlag_ = 0;
    smartAutoConnectEnableFlag_ = true;
    registerPinMenuItems();
    setBtnPinEnable(false);
    setPinMenuItems(false, false, false);
    if (m_RevisePinButton_)
        m_RevisePinButton_->setEnabled(false);
    if (sethasModuleWith(QStringLiteral("Network"))) {
        ConfigNetworkSelectMode();
        for (QWidget *w : {methodBox_.data(), searchModeBox_.data(), bandBox_.data(), static_cast<QWidget *>(bandSaveButton_.data()),
                           preferenceModeControl_.data()})
            if (w)
                w->setEnabled(false);
        if (searchProgress_)
            searchProgress_->setVisible(false);
        if (cancelSearchButton_)
            cancelSearchButton_->setVisible(false);
        clearRemptyNetListView();
    }
    notAutolaunch_ = yov::nsBool(setting(QStringLiteral("NotAutolaunch")));
    if (doNotOpenBox_)
        doNotOpenBox_->setChecked(notAutolaunch_);
    SettingService::sharedSettingService().isManualSearchingNetFlag = false;
    hasRegisteringNetFlag_ = false;
    isOperatorSelectionForNetwork_ = false;
    setEnableBRSMSAndPB(false);
    if (matrixSmartItems_ && matrixSmartItems_->button(0))
        matrixSmartItems_->button(0)->setChecked(true);
    // The main menu's way to this page; the page's gate applies to it as to the tab.
    Neighbours::main().registerMenuItem(QStringLiteral("Edit"), QStringLiteral("Preferences..."),
                                        [this] { notifyChangeTabViewItem(kSettingTab); });
    registerLanguageMenuItems();
}

void SettingController::loadCommonBundle()
{
    if (!tabviewMain)
        return;
    if (!loadPlugin(QStringLiteral("SettingBundle.bundle"), kSettingTab))
        return; // our own page stays
    connectPluginToUssd();
}

void SettingController::connectPluginToUssd()
{
    TabPluginInterface *plugin = bundleInstance();
    if (!plugin || !yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("USSDModuleInSetting"))))
        return;
    plugin->setHostController(dynamic_cast<QObject *>(&Neighbours::ussd()));
    Neighbours::ussd().setBundleDelegate(plugin);
}

void SettingController::updateLanguages()
{
    initWording();
    if (sethasModuleWith(QStringLiteral("OnlineUpdate")))
        initUpdateNibWording();
}

// --- enabling by device state ------------------------------------------------------------------

void SettingController::setPinMenuItems(bool modify, bool disable, bool enable)
{
    MainControllerInterface &main = Neighbours::main();
    main.setMenuItemEnabled(QStringLiteral("Modify PIN"), modify);
    main.setMenuItemEnabled(QStringLiteral("Disable PIN"), disable);
    main.setMenuItemEnabled(QStringLiteral("Enable PIN"), enable);
}

void SettingController::setSettingBtnStatus(bool enable)
{
    // 1. PIN controls.
    const bool pinOn = m_PINEnable_ && m_PINEnable_->isChecked();
    setBtnPinEnable(enable);
    if (enable) {
        if (m_RevisePinButton_)
            m_RevisePinButton_->setEnabled(pinOn);
        setPinMenuItems(pinOn, pinOn, !pinOn);
    } else {
        if (m_RevisePinButton_)
            m_RevisePinButton_->setEnabled(false);
        setPinMenuItems(false, false, false);
    }
    // 2. Network.
    if (sethasModuleWith(QStringLiteral("Network"))) {
        const int method = matrixSettingMethodToSelectNet_ ? matrixSettingMethodToSelectNet_->checkedId() : 0;
        for (QWidget *w : {methodBox_.data(), bandBox_.data(), static_cast<QWidget *>(bandSaveButton_.data()),
                           searchModeBox_.data(), preferenceModeControl_.data()})
            if (w)
                w->setEnabled(enable);
        if (searchResultButton_)
            searchResultButton_->setEnabled(enable && method != 0);
        if (method != 0 && searchModeBox_)
            searchModeBox_->setEnabled(false);
        if (enable)
            smartUISetMatrixEnable(method != 0);
    }
    // 3. System.
    if (sethasModuleWith(QStringLiteral("System"))) {
        if (yov::nsBool(uiConfigDict().value(QStringLiteral("SmartUI"))))
            smartAutoConnectEnableFlag_ = enable;
        if (smartAutoConnectBox_)
            smartAutoConnectBox_->setEnabled(enable);
        setSaveAutoConnectSettingBtnEnable(enable);
    }
    // 4. Connect.
    if (sethasModuleWith(QStringLiteral("Connect")) && connectTypeBox_)
        connectTypeBox_->setEnabled(enable);
    // 5. The settings plug-in listens.
    notificationCenter().post(QStringLiteral("setSettingBtnStatus"), this, {{QStringLiteral("index"), enable}});
}

// --- device events -----------------------------------------------------------------------------

void SettingController::deviceRemoved(const yov::Notification &)
{
    // The SIM went with the device: nothing asks it for the centre until the next one is ready.
    simReady_ = false;
    if (sethasModuleWith(QStringLiteral("Network")))
        endNetworkSelection();
    setEnableBRSMSAndPB(false);
    setSettingBtnStatus(false);
    setPinMenuItems(false, false, false);
    if (m_RevisePinButton_)
        m_RevisePinButton_->setEnabled(false);
    if (sethasModuleWith(QStringLiteral("SMS")) && MessageCenter) {
        for (QWidget *w : {static_cast<QWidget *>(MessageSetApplyBtn.data()), static_cast<QWidget *>(MessageSetCancelBtn.data()),
                           static_cast<QWidget *>(MessageStoreLoc.data()), static_cast<QWidget *>(MessageCenter.data()),
                           static_cast<QWidget *>(cboxMsgRouting_.data())})
            if (w)
                w->setEnabled(false);
        MessageCenter->setReadOnly(true);
        MessageCenter->clear();
    }
    if (sethasModuleWith(QStringLiteral("Network"))) {
        for (QWidget *w : {methodBox_.data(), searchModeBox_.data(), bandBox_.data(), static_cast<QWidget *>(bandSaveButton_.data())})
            if (w)
                w->setEnabled(false);
        SettingService::sharedSettingService().isManualSearchingNetFlag = false;
        MainControllerInterface &main = Neighbours::main();
        if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("TooBarEnableBySimStatus")))) {
            main.selectFirstMainTab();
            main.toolbarSetEnable(false);
        } else {
            main.toolbarSetEnable(true);
            main.disableUSSDToolbarForMalaixiya();
            main.setToolbarEnableWhenSimDetected(false);
        }
        if (searchProgress_)
            searchProgress_->setVisible(false);
    }
    if (sethasModuleWith(QStringLiteral("System"))) {
        if (autoConnectBox_)
            autoConnectBox_->setEnabled(false);
        if (smartAutoConnectBox_)
            smartAutoConnectBox_->setEnabled(false);
    }
    // The connection type can be changed without a device.
    if (sethasModuleWith(QStringLiteral("Connect")) && connectTypeBox_)
        connectTypeBox_->setEnabled(true);
    setCheckForUpdateRuzuvoEnable(false);
    if (sethasModuleWith(QStringLiteral("Call")))
        resetCallSetting();
}

void SettingController::devicePlugin(const yov::Notification &)
{
    if (yov::nsBool(setting(QStringLiteral("DialAdaption"))))
        sendGetNetDeviceInfo();
}

void SettingController::simReady(const yov::Notification &)
{
    simReady_ = true;
    setEnableBRSMSAndPB(true);
    // The device can now take a centre: the field opens with the stored one.
    if (sethasModuleWith(QStringLiteral("SMS")))
        openMessageCenterField(readMessageCenter());
    // The device and its SIM are usable: the controls that need them follow the connection, which
    // disables them while it runs (a link kept over the SIM check keeps them off).
    setSettingBtnStatus(!yov::nsBool(runtimeObjectForKey(QStringLiteral("runtimeIsConnecttedFlag"))));
}

void SettingController::connectStatusDidChange(const yov::Notification &)
{
    if (yov::nsBool(runtimeObjectForKey(QStringLiteral("runtimeIsConnecttedFlag"))))
        AutoLaunchURL();
    else
        browserLinkOpened_ = false; // the connection ended: the next one opens the link again
}

void SettingController::tabViewItemWillChange(const yov::Notification &notification)
{
    if (notification.userInfo.value(QStringLiteral("TabViewItemWillChange")).toString() != kSettingTab)
        return;
    changeMainTabViewItemSize(kSettingTab);
    updateIMSINumberAndSoftwareVersionFromSettingDict();
    displayPhoneNum();
    if (yov::nsBool(setting(QStringLiteral("SMS"), QStringLiteral("CheckSMSCenterAfterSTK"))) && tabviewSetting) {
        const int index = tabViewItemOfIdentifier(tabviewSetting, QStringLiteral("Security"));
        if (index >= 0)
            tabviewSetting->setCurrentIndex(index);
    }
    // The tab change goes on behind the unlock sheet; the unlock's answer picks the tab after it.
    // The entry that follows an accepted code passes once: asking again would reopen the sheet
    // after every right code.
    if (passLockGateOnce_) {
        passLockGateOnce_ = false;
        return;
    }
    lockGuard_->passOrAsk(wndMain, [this] { passLockGateOnce_ = true; });
}

void SettingController::notifyDeviceUnlockSuccess(const yov::Notification &)
{
    if (Neighbours::init().getDeviceLockFunctionModule() == 6)
        notifyChangeTabViewItem(kSettingTab);
}

void SettingController::notifyDeviceUnlockFailed(const yov::Notification &)
{
    if (Neighbours::init().getDeviceLockFunctionModule() == 6)
        notifyChangeTabViewItem(QStringLiteral("Internet"));
}

// --- panel switching ---------------------------------------------------------------------------

bool SettingController::isManualSelecting() const { return SettingService::sharedSettingService().isManualSearchingNetFlag; }

bool SettingController::shouldSelectPanel(const QString &identifier)
{
    // A manual network search keeps its panel until it ends.
    if (isManualSelecting())
        return false;
    // Switching panels drops unsaved SMS edits.
    if (sethasModuleWith(QStringLiteral("SMS")))
        MessageSetCancel();
    if (identifier == QLatin1String("SMS") && simReady_
        && yov::nsBool(setting(QStringLiteral("SMS"), QStringLiteral("CheckSMSCenterAfterSTK"))))
        checkMessageCenter();
    return true;
}

bool SettingController::selectSettingPanel(const QString &name)
{
    QWidget *target = panel(name);
    if (!target)
        return false;
    tabviewSetting->setCurrentWidget(target);
    return tabviewSetting->currentWidget() == target;
}

void SettingController::settingTabViewItemSelect(QObject *sender)
{
    int tag = -1;
    if (auto *group = qobject_cast<QButtonGroup *>(sender))
        tag = group->checkedId();
    else if (sender)
        tag = sender->property("tag").isValid() ? sender->property("tag").toInt() : -1;
    settingTabViewItemSelectTag(tag);
}

void SettingController::settingTabViewItemSelectTag(int tag)
{
    notifyChangeTabViewItem(kSettingTab);
    if (tag < 0 || tag >= int(std::size(kSmartItems)))
        return;
    const SmartItem &item = kSmartItems[tag];
    if (tabviewSetting) {
        const int index = tabViewItemOfIdentifier(tabviewSetting, QString::fromLatin1(item.identifier));
        if (index >= 0)
            tabviewSetting->setCurrentIndex(index);
    }
    if (pageTitle_)
        pageTitle_->setText(tr_(QString::fromLatin1(item.title)));
}

// --- alerts ------------------------------------------------------------------------------------

void SettingController::alertWarning(const QString &message, std::function<void()> after, QWidget *on)
{
    sheetQueue_->beginAlert({tr_(QStringLiteral("Warning")), tr_(message), tr_(QStringLiteral("OK")), QString()},
                            [after = std::move(after)](int) {
                                if (after)
                                    after();
                            },
                            on);
}

void SettingController::runAlertPanel(const QString &message)
{
    sheetQueue_->beginAlert(
        {tr_(QStringLiteral("Warning!")), tr_(message), tr_(QStringLiteral("OK")), QString()}, {});
}

bool SettingController::popupAlertSheet(const QString &message, QWidget *window, std::function<void(int)> didEnd)
{
    if (message.isEmpty() || !window)
        return false;
    sheetQueue_->beginAlert({tr_(QStringLiteral("Warning!")), tr_(message), tr_(QStringLiteral("OK")), QString()},
                            std::move(didEnd), window);
    return true;
}

} // namespace ostrel
