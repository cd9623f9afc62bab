#include "ostrel/framework/neighbours/PBControllerInterface.h"

#include "common/phonebook/SimAlphaCoding.h"
#include "platform/alert/AlertPresenter.h"

namespace ostrel {

QString DefaultPBController::deleteExtraContent(const QString &text, int maxLength) const
{
    return yov::phonebook::deleteExtraContent(text, maxLength);
}

void DefaultPBController::popupAlertOk(const QString &message)
{
    yov::AlertPresenter::shared().runAlert({QStringLiteral("Warning!"), message, QStringLiteral("OK"), QString()});
}

} // namespace ostrel
