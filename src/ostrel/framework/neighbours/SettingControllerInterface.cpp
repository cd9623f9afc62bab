#include "ostrel/framework/neighbours/SettingControllerInterface.h"

#include "ostrel/framework/language/Lingrove.h"
#include "platform/alert/AlertPresenter.h"

namespace ostrel {

void DefaultSettingController::runAlertPanel(const QString &message)
{
    // The least a default may do with a message for the user is show it; the device-state
    // handlers raise these, so the alert never blocks the device link.
    yov::AlertPresenter::shared().showAlert({Map_Name_Item_of_IndexString(QStringLiteral("Warning!")),
                                             Map_Name_Item_of_IndexString(message),
                                             Map_Name_Item_of_IndexString(QStringLiteral("OK")), QString()},
                                            {});
}

} // namespace ostrel
