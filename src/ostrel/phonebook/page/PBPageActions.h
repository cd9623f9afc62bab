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
    // The SMS button's writing to the selected contacts.
    virtual void sendSMS() {}
    // The Call button's call to the selected contact.
    virtual void callUser() {}
};

class DefaultPBPageActions : public PBPageActions {};

} // namespace ostrel
