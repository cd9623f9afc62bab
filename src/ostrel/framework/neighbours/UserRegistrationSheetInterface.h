#pragma once
// The user-registration sheet opened at launch when registration is due.
//
// DefaultUserRegistrationSheet has no sheet: nothing opens.
#include <QWidget>

namespace ostrel {

class UserRegistrationSheetInterface {
public:
    virtual ~UserRegistrationSheetInterface() = default;
    // Begins the sheet on the main window when registration is wanted, not yet sent and has a
    // destination number.
    virtual void openUserRegisteWndIfNeedRegiste(QWidget *mainWindow) = 0;
    // At device-ready: sends the stored answers again when they were sent before and the SMS area
    // has not confirmed them.
    virtual void sendUserInfoIfNeededAndSendFailedBefore() {}
};

class DefaultUserRegistrationSheet : public UserRegistrationSheetInterface {
public:
    void openUserRegisteWndIfNeedRegiste(QWidget *) override {}
};

} // namespace ostrel
