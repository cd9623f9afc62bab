#pragma once
// The operations of the phonebook page that the contact dialog, the record operations and the
// phonebook files bring (adding, editing and deleting contacts and groups, the copy and move
// destinations, the number-plan rule, export and import). DefaultPBPageActions does nothing, which
// is what the page does until those exist.
#include <QString>

namespace ostrel {

class PBPageActions {
public:
    virtual ~PBPageActions() = default;
    virtual void newUser() {}
    virtual void editUser() {}
    virtual void deleteUser() {}
    virtual void addGroup() {}
    virtual void deleteGroup() {}
    virtual void editGroup() {}
    // Rebuilds the copy and move destination pop-ups.
    virtual void setMoveMenu() {}
    virtual void initPhonebookUpdatedRule() {}
    virtual void exportContacts() {}
    virtual void importContacts() {}
    // The number-plan update and the restore from its backup; their result, once known.
    virtual void updatePhonebook() {}
    virtual void restorePhonebook() {}
    virtual void updateOrRestoreResult() {}
    // The SMS button's writing to the selected contacts.
    virtual void sendSMS() {}
    // The Call button's call to the selected contact.
    virtual void callUser() {}
    // The copy and move pop-ups' destination was chosen.
    virtual void move() {}
    virtual void moveAndDelcont() {}
    // Writes the list of the side shown to a file the user chooses.
    virtual void saveAs() {}
    // Opens the add dialog of a save position (0 computer, 1 SIM, 2 device) with the number in its
    // mobile field.
    virtual void openAddDialogToSaveNumber(int savePosition, const QString &number)
    {
        (void)savePosition;
        (void)number;
    }
    // The progress bar of an operation that writes many device records.
    virtual void preDoWithProcessBeforeOperation(int records) { (void)records; }
    virtual void doWithProcessWhenOneMoreRecordOperation() {}
};

class DefaultPBPageActions : public PBPageActions {};

} // namespace ostrel
