#include "ostrel/app/UnreadableSettingsAlert.h"

#include "common/TextFormat.h"
#include "ostrel/framework/config/SettingsRecovery.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/language/Lingrove.h"

namespace ostrel {

bool showUnreadableSettingsAlert(const SettingsRecovery &recovery)
{
    if (!recovery.unreadable())
        return false;
    QString message;
    if (recovery.templateInstalled) {
        message = yov::formatPlaceholders(
            Map_Name_Item_of_IndexString(QStringLiteral("The settings file could not be read. It was kept as %@ and the shipped settings were put in its place as %@.")),
            {recovery.unreadableCopy, recovery.settingsFile});
    } else if (!recovery.unreadableCopy.isEmpty()) {
        message = yov::formatPlaceholders(
            Map_Name_Item_of_IndexString(QStringLiteral("The settings file could not be read. It was kept as %@; no shipped settings could be put in its place as %@, so the dashboard starts with its built-in settings.")),
            {recovery.unreadableCopy, recovery.settingsFile});
    } else {
        message = yov::formatPlaceholders(
            Map_Name_Item_of_IndexString(QStringLiteral("The settings file %@ could not be read. It is left as it is and nothing is written over it; the dashboard starts with its built-in settings.")),
            {recovery.settingsFile});
    }
    NSRunAlertPanelExt(Map_Name_Item_of_IndexString(QStringLiteral("Warning")), message,
                       Map_Name_Item_of_IndexString(QStringLiteral("OK")), QString());
    return true;
}

void showUnwritableSettingsAlert(const QString &path, const QString &reason)
{
    const QString message = yov::formatPlaceholders(
        Map_Name_Item_of_IndexString(QStringLiteral("The settings could not be saved to %@ (%@). Your changes hold until the dashboard quits and are saved as soon as the file can be written.")),
        {path, reason});
    NSBeginAlertPanelExt(Map_Name_Item_of_IndexString(QStringLiteral("Warning")), message,
                         Map_Name_Item_of_IndexString(QStringLiteral("OK")), QString(), {});
}

} // namespace ostrel
