#include "ostrel/framework/neighbours/SettingControllerInterface.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "platform/alert/AlertPresenter.h"

namespace ostrel {

bool SettingControllerInterface::settingDefaultItemHolds(ConfigManager *config, const QString &name)
{
    ConfigManager *store = config ? config : ConfigManager::sharedConfigManager();
    if (!store || name.isEmpty())
        return false;
    const QVariantList pages = yov::nsArray(store->getConfigurationByModule(QStringLiteral("SettingDefaultItem")));
    for (const QVariant &page : pages)
        if (page.typeId() == QMetaType::QString && page.toString() == name)
            return true;
    return false;
}

void DefaultSettingController::runAlertPanel(const QString &message)
{
    // The least a default may do with a message for the user is show it; the device-state
    // handlers raise these, so the alert never blocks the device link.
    yov::AlertPresenter::shared().showAlert({Map_Name_Item_of_IndexString(QStringLiteral("Warning!")),
                                             Map_Name_Item_of_IndexString(message),
                                             Map_Name_Item_of_IndexString(QStringLiteral("OK")), QString()},
                                            {});
}

ConfigManager *DefaultSettingController::store() const
{
    return config_ ? config_ : ConfigManager::sharedConfigManager();
}

bool DefaultSettingController::allowAutoConnect() const
{
    ConfigManager *config = store();
    if (!config)
        return false;
    return yov::nsBool(config->getConfigurationByModuleAndKey(QStringLiteral("Internet"), QStringLiteral("DefaultAutoConnect")))
           && autoConnectBtnEnabled_ && yov::nsBool(config->getConfigurationByModule(QStringLiteral("AutoConnect")));
}

bool DefaultSettingController::allowAutoReconnect() const
{
    ConfigManager *config = store();
    if (config
        && yov::nsBool(config->getConfigurationByModuleAndKey(QStringLiteral("Internet"),
                                                            QStringLiteral("EnableAutoReconnectNotDependOnAutoConnectLable"))))
        return true;
    return allowAutoConnect();
}

QString DefaultSettingController::readMessageCenter() const
{
    return yov::nsString(store()->getConfigurationByModule(QStringLiteral("MessageCenterNum")));
}

void DefaultSettingController::writeMessageCenter(const QString &number)
{
    ConfigManager *config = store();
    config->setConfigurationByModule(QStringLiteral("MessageCenterNum"), number);
    config->writeToFile();
}

bool DefaultSettingController::readDeliveryReport() const
{
    return yov::nsBool(store()->getConfigurationByModule(QStringLiteral("SwitchDeliveryReport")));
}

int DefaultSettingController::readValidityPeriod() const
{
    const QVariant period = store()->getConfigurationByModule(QStringLiteral("MessageValidPeriod"));
    return period.isValid() ? yov::nsInt(period) : 3;
}

void DefaultSettingController::restoreAlertPanel(bool success)
{
    runAlertPanel(success ? QStringLiteral("Restore SMS And PhoneBook Success.")
                          : QStringLiteral("Restore SMS And PhoneBook Failed.Invalid data file!"));
}

QString DefaultSettingController::getPhoneBookFilePath() const
{
    ConfigManager *config = store();
    const QString plain = QStringLiteral("phoneBook.plist");
    if (!config)
        return plain;
    // Without an IMSI the phonebook is the plain file, as the phonebook page reads it then.
    const QString imsi = yov::nsString(config->getConfigurationByModule(QStringLiteral("IMSI")));
    if (yov::nsBool(config->getConfigurationByModule(QStringLiteral("PCDataWithIMSI"))) && !imsi.isEmpty())
        return config->getFilePathWithFileName(QStringLiteral("%1_%2").arg(imsi, plain));
    return config->getFilePathWithFileName(plain);
}

} // namespace ostrel
