#pragma once
// What the phonebook page, the contact dialog, the memory-card phonebook and the backup restore
// add to the controller's device-link and copy operations. The controller calls these at the
// Part's steps; DefaultPBExtensions does nothing, which is what the dashboard does until those
// pieces exist.
#include <QString>
#include <QVariantMap>

class QObject;

namespace ostrel {

class NSFlickerButton;

// The save-position matrix as the controller wants it: the matrix itself and its cells (the
// computer, the SIM, the device memory).
struct SavePositionCells {
    bool enabled = true;
    bool pc = true;
    bool sim = false;
    bool me = false;

    bool operator==(const SavePositionCells &) const = default;
};

class PBExtensionInterface {
public:
    virtual ~PBExtensionInterface() = default;

    // ---- the page
    // Reloads the contact table and clears its selection.
    virtual void reloadContactTable() = 0;
    // Refreshes the capacity label.
    virtual void SetConpacityShow() = 0;
    virtual void savePositionsChanged(const SavePositionCells &cells) = 0;
    // Shows the side of a save position (0 computer, 1 SIM, 2 device) with its cell selected.
    virtual void showSideOfSavePosition(int tag) = 0;
    // Enables or disables the copy and move pop-ups and the export.
    virtual void setPBMenuAndExportStatus(bool enabled) = 0;
    // The progress bar: a multi-record operation of that many records starts; one more is done.
    virtual void preDoWithProcessBeforeOperation(int records) = 0;
    virtual void doWithProcessWhenOneMoreRecordOperation() = 0;
    // Selects the storage named by defaultSelectMemory once the device phonebook is read.
    virtual void setDefaultSelectMemory() = 0;

    // ---- the page's start-up steps, language and events (the controller's template steps and
    // notification handlers hand them on)
    virtual void initializeSkin() {}
    virtual void initializeNibResources() {}
    virtual void initializeController() {}
    virtual void updateLanguages() {}
    // The device state: 2 plugged in, 4 removed, 12 SIM ready.
    virtual void netcardChanged(int state) { (void)state; }
    // The device is gone: the controller has forgotten the device phonebooks; the page returns to
    // the computer side.
    virtual void deviceRemoved() {}
    virtual void tabViewItemWillChange(const QString &identifier) { (void)identifier; }
    virtual void tabViewItemDidChange() {}
    // The answer of an unlock the phonebook asked for.
    virtual void deviceUnlockAnswered(bool success) { (void)success; }
    // The SMS page's save-number menu items; the main toolbar's flicker button of an identifier.
    virtual void clickSavePhoneNumber(QObject *sender) { (void)sender; }
    // The search field shows a text searched for elsewhere (the phonebook plug-in); nothing is
    // searched again.
    virtual void showSearchText(const QString &text) { (void)text; }
    virtual NSFlickerButton *getFlickerButtonOfToolItemFromID(const QString &identifier) const
    {
        (void)identifier;
        return nullptr;
    }

    // ---- the contact dialog
    // Opens the add dialog of a save position (0 computer, 1 SIM, 2 device) with the number in
    // its mobile field, the name field focused, in the phonebook tab.
    virtual void openAddDialogToSaveNumber(int savePosition, const QString &number) = 0;

    // ---- the memory card and the backup restore
    // The memory-card phonebook starts once the SIM's phonebook is read.
    virtual void initTCard() = 0;
    // A restore's queued writes go out once its deletes are answered.
    virtual void writeContactFromRestoreFileToSIM() = 0;
    // The result of an update or a restore, once its device records are answered.
    virtual void updateOrRestoreResult() = 0;
    // Deletes the memory-card record of a card contact (its file and its key-list line); false
    // while the record is still on the card (without a card phonebook nothing is deleted).
    virtual bool deleteTCardRecord(const QVariantMap &contact)
    {
        (void)contact;
        return false;
    }
};

class DefaultPBExtensions : public PBExtensionInterface {
public:
    void reloadContactTable() override {}
    void SetConpacityShow() override {}
    void savePositionsChanged(const SavePositionCells &) override {}
    void showSideOfSavePosition(int) override {}
    void setPBMenuAndExportStatus(bool) override {}
    void preDoWithProcessBeforeOperation(int) override {}
    void doWithProcessWhenOneMoreRecordOperation() override {}
    void setDefaultSelectMemory() override {}
    void openAddDialogToSaveNumber(int, const QString &) override {}
    void initTCard() override {}
    void writeContactFromRestoreFileToSIM() override {}
    void updateOrRestoreResult() override {}
};

} // namespace ostrel
