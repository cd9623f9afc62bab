#pragma once
// What the rest of the dashboard asks of the phonebook controller (PBController).
//
// DefaultPBController: an empty phonebook: no groups, no contacts, a number is looked up as itself
// and found nowhere; loading or reloading a phonebook does nothing; an alert is shown as given.
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace ostrel {

class NSFlickerButton;

class PBControllerInterface {
public:
    virtual ~PBControllerInterface() = default;

    virtual int sumOfGroupInPC() const = 0;
    virtual int sumOfContactInGroup(int group) const = 0;
    // Row -1 gives the group's header dictionary; an empty map outside the group.
    virtual QVariantMap getPCUserByIndex(int group, int row) const = 0;
    virtual int getSimUserNumber() const = 0;
    virtual QVariantMap getUserFromSim(int index) const = 0;
    virtual int getMeUserNumber() const = 0;
    virtual QVariantMap getUserFromMe(int index) const = 0;
    // The longest leading part of the text whose weight is at most maxLength: one for a character
    // whose UTF-8 form takes one byte, two for any other.
    virtual QString deleteExtraContent(const QString &text, int maxLength) const = 0;
    // A modal alert titled "Warning!" with the localised message and "OK".
    virtual void popupAlertOk(const QString &message) = 0;
    // Loads the computer phonebook from the per-SIM file name; it is the file of every later save.
    virtual void loadPcPhoneListByImsi(const QString &fileName) = 0;
    // Reads the computer phonebook's current file again.
    virtual void reloadPCPhoneList() = 0;
    virtual void selectAtPCSide() = 0;
    // "%d/%d": SIM contacts used / SIM phonebook capacity.
    virtual QString getDiagnosticsContact() const = 0;
    // With ChangeDefGrpNameWithLag: stores the localised default group name and writes the settings.
    virtual void setCurDefGrpName() = 0;

    // The name of the first contact (computer first, then SIM) whose mobile number ends like the
    // number: a null string when that contact has no name; the number itself when none matches.
    virtual QString searchNameAtPhoneBook(const QString &number) = 0;
    // Whether a contact's mobile number matches (the same lookup).
    virtual bool hasPhoneNumber(const QString &number) = 0;
    // The first contact of the all-storage list whose mobile number matches; empty when none.
    virtual QVariantMap getMatchUserItemAtUSIMSide(const QString &number) = 0;

    // Opens the new-contact window for the store ("PC", "(U)SIM", "Data Card") with the number.
    virtual void toPbUserWinWithPhoneNumber(const QString &number, const QString &selectPos) = 0;
    // The SMS page's "save number" menu items.
    virtual void clickSavePhoneNumber(QObject *sender) = 0;
    // The main toolbar's flicker button of that identifier; null when there is none.
    virtual NSFlickerButton *getFlickerButtonOfToolItemFromID(const QString &identifier) const = 0;
};

class DefaultPBController : public PBControllerInterface {
public:
    int sumOfGroupInPC() const override { return 0; }
    int sumOfContactInGroup(int) const override { return 0; }
    QVariantMap getPCUserByIndex(int, int) const override { return {}; }
    int getSimUserNumber() const override { return 0; }
    QVariantMap getUserFromSim(int) const override { return {}; }
    int getMeUserNumber() const override { return 0; }
    QVariantMap getUserFromMe(int) const override { return {}; }
    QString deleteExtraContent(const QString &text, int maxLength) const override;
    void popupAlertOk(const QString &message) override;
    void loadPcPhoneListByImsi(const QString &) override {}
    void reloadPCPhoneList() override {}
    void selectAtPCSide() override {}
    QString getDiagnosticsContact() const override { return {}; }
    void setCurDefGrpName() override {}
    QString searchNameAtPhoneBook(const QString &number) override { return number; }
    bool hasPhoneNumber(const QString &) override { return false; }
    QVariantMap getMatchUserItemAtUSIMSide(const QString &) override { return {}; }
    void toPbUserWinWithPhoneNumber(const QString &, const QString &) override {}
    void clickSavePhoneNumber(QObject *) override {}
    NSFlickerButton *getFlickerButtonOfToolItemFromID(const QString &) const override { return nullptr; }
};

} // namespace ostrel
