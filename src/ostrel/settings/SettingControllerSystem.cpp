// The "System" and "Connect" panels: the language, the start options, automatic connection, the
// question before disconnecting, the connection warning, low-power mode, the connection type, the
// service number and the read-only displays of phone number, IMSI and software version.
#include "ostrel/settings/SettingController.h"

#include "common/BuildInfo.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/LanguageOperation.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace ostrel {

namespace {

// The languages with a native name: the English name is the key stored in CurrentLanguage and the
// name of the language folder; the native name is what the pop-up and the menu show.
struct LanguageName {
    const char *english;
    const char *native; // UTF-8
};
const LanguageName kLanguageTable[] = {
    {"Arabic", "\u0644\u0639\u0631\u0628\u064A\u0629"},
    {"Bulgarian", "Български"},
    {"Croatian", "Hrvatski"},
    {"Czech", "Česky"},
    {"Danish", "Dansk"},
    {"Dutch", "Nederlands"},
    {"English", "English"},
    {"Estonian", "Eesti"},
    {"French", "Français"},
    {"German", "Deutsch"},
    {"Hungarian", "Magyar"},
    {"Indonesian", "Indonesia"},
    {"Italian", "Italiano"},
    {"Japanese", "日本語"},
    {"Norwegian", "Norsk"},
    {"Polish", "Polski"},
    {"Portuguese", "Português"},
    {"Romanian", "Română"},
    {"Russian", "Русский"},
    {"Slovak", "Slovenčina"},
    {"Spanish", "Español"},
    {"Swedish", "Svenska"},
    {"Turkish", "Türkçe"},
    {"zh_CN", "简体中文"},
    {"zh_TW", "繁體中文"},
    {"Albanian", "Shqip"},
    {"Serbian", "Српски"},
    {"Vietnamese", "Tiếng Việt"},
    {"Armenian", "Հայերեն"},
    {"Lithuanian", "Lietuvių"},
};

} // namespace

// --- language ----------------------------------------------------------------------------------

QString SettingController::EnglishToNative(const QString &english)
{
    for (const LanguageName &row : kLanguageTable)
        if (english == QLatin1String(row.english))
            return QString::fromUtf8(row.native);
    return QString();
}

QString SettingController::displayNameOfLanguage(const QString &english)
{
    const QString native = EnglishToNative(english);
    return native.isNull() ? english : native;
}

void SettingController::loadLanguageList()
{
    const QVariant supported = setting(QStringLiteral("SupportLanguages"));
    if (!supported.isValid() || !languageCombo_)
        return;
    const QStringList languages = LanguageOperation(&config()).getSupportLanguageArray();
    if (languages.size() == 1) {
        if (languageLabel_)
            languageLabel_->setVisible(false);
        languageCombo_->setVisible(false);
    }
    const QSignalBlocker blocker(languageCombo_);
    languageCombo_->clear();
    for (const QString &language : languages)
        languageCombo_->addItem(displayNameOfLanguage(language), language);
    const int current = languageCombo_->findData(yov::nsString(setting(QStringLiteral("CurrentLanguage"))));
    if (current >= 0)
        languageCombo_->setCurrentIndex(current);
}

void SettingController::registerLanguageMenuItems()
{
    // The main menu's language items take this panel's steps in place of their own switching:
    // the first two through their own actions, any further one through its name.
    menuLanguages_ = LanguageOperation(&config()).getSupportLanguageArray();
    MainControllerInterface &main = Neighbours::main();
    for (int i = 0; i < menuLanguages_.size(); ++i) {
        const QString language = menuLanguages_.at(i);
        std::function<void()> action;
        if (i == 0)
            action = [this] { changeLanguageToFirst(); };
        else if (i == 1)
            action = [this] { changeLanguageToSecond(); };
        else
            action = [this, language] {
                if (languageCombo_)
                    languageCombo_->setCurrentIndex(languageCombo_->findData(language));
                changeLanguageby(displayNameOfLanguage(language));
                initLanguageStateInMenu();
            };
        main.registerMenuItem(QStringLiteral("Language"), language, std::move(action));
        main.setMenuItemTitle(language, displayNameOfLanguage(language));
    }
    initLanguageStateInMenu();
}

void SettingController::initLanguageStateInMenu()
{
    const QString current = yov::nsString(setting(QStringLiteral("CurrentLanguage")));
    if (!menuLanguages_.contains(current))
        return; // no item names the current language: the marks stay
    for (const QString &language : menuLanguages_)
        Neighbours::main().setMenuItemChecked(language, language == current);
}

void SettingController::changeLanguageTo()
{
    if (!languageCombo_)
        return;
    changeLanguageby(languageCombo_->currentText());
    initLanguageStateInMenu();
}

void SettingController::changeLanguageToFirst()
{
    if (menuLanguages_.size() < 1)
        return;
    const QString language = menuLanguages_.at(0);
    if (menuLanguages_.size() > 1)
        Neighbours::main().setMenuItemChecked(menuLanguages_.at(1), false);
    Neighbours::main().setMenuItemChecked(language, true);
    if (languageCombo_)
        languageCombo_->setCurrentIndex(languageCombo_->findData(language));
    changeLanguageby(displayNameOfLanguage(language));
}

void SettingController::changeLanguageToSecond()
{
    if (menuLanguages_.size() < 2)
        return;
    const QString language = menuLanguages_.at(1);
    Neighbours::main().setMenuItemChecked(menuLanguages_.at(0), false);
    Neighbours::main().setMenuItemChecked(language, true);
    if (languageCombo_)
        languageCombo_->setCurrentIndex(languageCombo_->findData(language));
    changeLanguageby(displayNameOfLanguage(language));
}

void SettingController::changeLanguageby(const QString &nativeName)
{
    QString english;
    for (const LanguageName &row : kLanguageTable)
        if (nativeName == QString::fromUtf8(row.native))
            english = QString::fromLatin1(row.english);
    // A supported language outside the table is shown, and so chosen, by its English name.
    if (english.isEmpty())
        for (const QString &language : LanguageOperation(&config()).getSupportLanguageArray())
            if (EnglishToNative(language).isNull() && language == nativeName)
                english = language;
    if (!english.isEmpty())
        config().setConfigurationByModule(QStringLiteral("CurrentLanguage"), english);
    else
        qCInfo(lcSetting).noquote() << "no language is named" << nativeName << "- the language stays";
    // The token list and the wording are reloaded either way.
    Neighbours::phonebook().setCurDefGrpName();
    writeSettings();
    LanguageOperation(&config()).loadTokenList();
    notifyChangeLanguage();
}

// --- start options, warnings, low power --------------------------------------------------------

void SettingController::StartWithSystem()
{
    if (!startWithSystemBox_)
        return;
    config().setConfigurationByModule(QStringLiteral("StartUIWithSystem"), startWithSystemBox_->isChecked());
    writeSettings();
}

void SettingController::StartWithPluginDevice()
{
    if (!startWithDeviceBox_)
        return;
    config().setConfigurationByModule(QStringLiteral("StartUIWithPluginDevice"), startWithDeviceBox_->isChecked());
    writeSettings();
}

void SettingController::setLPMEnable()
{
    const QVariant info = setting(QStringLiteral("LPMinfo"));
    if (!lowPowerBox_ || info.typeId() != QMetaType::QVariantMap)
        return; // without its dictionary nothing is stored
    QVariantMap map = info.toMap();
    map.insert(QStringLiteral("btnLPMBState"), lowPowerBox_->isChecked());
    config().setConfigurationByModule(QStringLiteral("LPMinfo"), map);
    writeSettings();
}

void SettingController::enableConnectWarningDisplay()
{
    if (!connectWarningBox_)
        return;
    QVariantMap module = setting(QStringLiteral("Setting")).toMap();
    module.insert(QStringLiteral("connectWarningsDisplay"), connectWarningBox_->isChecked());
    config().setConfigurationByModule(QStringLiteral("Setting"), module);
    writeSettings();
}

void SettingController::DisconnectAsk()
{
    if (disconnectAskBox_)
        ConfigService(&config()).writeDisconnectAskState(disconnectAskBox_->isChecked());
}

void SettingController::initDisconnectAskSate()
{
    if (disconnectAskBox_)
        disconnectAskBox_->setChecked(ConfigService(&config()).isDisconnectAsk());
}

// --- automatic connection ----------------------------------------------------------------------

void SettingController::auto_Connect()
{
    if (!autoConnectBox_)
        return;
    const auto store = [this] {
        config().setConfigurationByModule(QStringLiteral("AutoConnect"), autoConnectBox_ && autoConnectBox_->isChecked());
        writeSettings();
    };
    if (!autoConnectBox_->isChecked()) {
        store();
        return;
    }
    const QString title = tr_(QStringLiteral("Warning!"));
    const QString question = tr_(QStringLiteral("Do you start the autoconnect function?"));
    if (yov::nsBool(setting(QStringLiteral("Setting"), QStringLiteral("NoStartAutoConnectWhenClickAutoBtn")))) {
        // Only a warning: the choice stands.
        store();
        sheetQueue_->beginAlert({title, question, tr_(QStringLiteral("OK")), QString()}, {});
        return;
    }
    sheetQueue_->beginAlert({title, question, tr_(QStringLiteral("OK")), tr_(QStringLiteral("Cancel"))},
                            [this, store](int answer) {
                                if (answer != 1) {
                                    if (autoConnectBox_)
                                        autoConnectBox_->setChecked(false);
                                } else if (!Neighbours::dial().GetisDialNow()) {
                                    notifyChangeTabViewItem(QStringLiteral("Internet"));
                                    if (yovSkinManager())
                                        Neighbours::main().updateUIForBraVuzod(QStringLiteral("Internet"));
                                    qCInfo(lcSetting) << "reconnect...re1";
                                    Neighbours::dial().reconnect(true);
                                    Neighbours::dial().setApnCycleEnable(true);
                                }
                                store();
                            });
}

void SettingController::auto_Connect_Smart()
{
    if (!matrixSmartAutoConnect_)
        return;
    const bool on = matrixSmartAutoConnect_->checkedId() == 0;
    if (on && !Neighbours::dial().GetisDialNow()) {
        Neighbours::dial().reconnect(true);
        Neighbours::dial().setApnCycleEnable(true);
    }
    config().setConfigurationByModule(QStringLiteral("AutoConnect"), on);
    writeSettings();
}

void SettingController::setAutoConnectBtnEnable(bool enable)
{
    if (autoConnectBox_)
        autoConnectBox_->setEnabled(enable);
    if (smartAutoConnectEnableFlag_ && smartAutoConnectBox_)
        smartAutoConnectBox_->setEnabled(enable);
}

bool SettingController::allowAutoConnect() const
{
    bool result = false;
    const bool byDefault = yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("DefaultAutoConnect")));
    // A control counts when it is shown (or by default), and decides while it is enabled.
    if (autoConnectBox_ && (!autoConnectBox_->isHidden() || byDefault) && autoConnectBox_->isEnabled())
        result = autoConnectBox_->isChecked();
    if (smartAutoConnectBox_ && matrixSmartAutoConnect_ && (!smartAutoConnectBox_->isHidden() || byDefault)
        && smartAutoConnectBox_->isEnabled()) {
        const int row = matrixSmartAutoConnect_->checkedId();
        if (row == 0)
            result = true;
        else if (row == 1)
            result = false;
    }
    return result;
}

bool SettingController::allowAutoReconnect() const
{
    if (yov::nsBool(setting(QStringLiteral("Internet"), QStringLiteral("EnableAutoReconnectNotDependOnAutoConnectLable"))))
        return true;
    return allowAutoConnect();
}

// --- connection type and service number --------------------------------------------------------

void SettingController::SelectConnectType()
{
    if (!matrixConnectType_)
        return;
    writeConnectType(matrixConnectType_->checkedId());
    if (Platform::sharedPlatform()->platform() == Platform::Icera)
        notificationCenter().post(QStringLiteral("ConnectTypeChange"), this);
}

void SettingController::writeConnectType(int type)
{
    config().setConfigurationByModule(QStringLiteral("ConnectType"), type);
    writeSettings();
}

void SettingController::setServicesNum()
{
    if (!serviceNumberField_)
        return;
    config().setConfigurationByModule(QStringLiteral("serviceNumber"), serviceNumberField_->text());
    writeSettings();
}

void SettingController::loadServicesNum()
{
    if (serviceNumberField_)
        serviceNumberField_->setText(yov::nsString(setting(QStringLiteral("serviceNumber"))));
}

// --- read-only displays ------------------------------------------------------------------------

const QStringList &SettingController::infoCaptions()
{
    static const QStringList captions = {QStringLiteral("Phone Number:"), QStringLiteral("IMSI:"),
                                         QStringLiteral("Software Version:")};
    return captions;
}

void SettingController::displayPhoneNum()
{
    if (phoneNumberField_)
        phoneNumberField_->setText(Neighbours::init().getPhoneNum());
}

void SettingController::updateIMSINumberAndSoftwareVersionFromSettingDict()
{
    const QVariant imsi = setting(QStringLiteral("IMSI"));
    if (imsi.isValid() && imsiValue_)
        imsiValue_->setText(yov::nsString(imsi));
    const QString version = yov::BuildInfo::version();
    if (!version.isEmpty() && softwareVersion_)
        softwareVersion_->setText(version);
}

} // namespace ostrel
