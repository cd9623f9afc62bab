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
};

class DefaultUserRegistrationSheet : public UserRegistrationSheetInterface {
public:
    void openUserRegisteWndIfNeedRegiste(QWidget *) override {}
};

} // namespace ostrel
