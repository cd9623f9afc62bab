#include "support/ScriptedAlertPresenter.h"

namespace testing_support {

int ScriptedAlertPresenter::runAlert(const yov::AlertRequest &request)
{
    shown_.append(request);
    const Choice choice = script_.isEmpty() ? Default : script_.takeFirst();
    // An alternate answer makes sense only when the alert has an alternate button.
    if (choice == Alternate && !request.alternateButton.isEmpty())
        return AlternateReturn;
    return DefaultReturn;
}

} // namespace testing_support
