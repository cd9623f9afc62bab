#pragma once
// What the phonebook tab does to contacts and groups (the page's PBPageActions): the contact
// dialog for adding and editing on every side with its room checks and group pop-up, and the
// dialog a number handed over by another area opens (PBRecordActions.cpp); deleting contacts and
// groups, the rename window (PBRecordActionsDelete.cpp); the copy and move pop-ups, the progress
// bar, calling, writing an SMS, saving a list to a file and the number-field filter
// (PBRecordActionsTransfer.cpp).
//
// The controller keeps the contacts, checks the dialog's texts and talks to the device; the SIM
// and device-memory lists change only on the device's answers. A move hands the selection to the
// controller's move, which deletes each source only once the destination holds it.
#include "ostrel/phonebook/PBContact.h"
#include "ostrel/phonebook/page/PBPageActions.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class QLineEdit;
class QWidget;

namespace yov {
class RepeatingTimer;
}

namespace ostrel {

class PBController;
class PBPage;
class PBRenameGroupWindow;
class PBUserWin;
class UpdatePhonebookWindow;
class PBWindow;

class PBRecordActions : public QObject, public PBPageActions {
    Q_OBJECT
public:
    // Becomes the window's actions; puts the default back when destroyed.
    explicit PBRecordActions(PBWindow *window, QObject *parent = nullptr);
    ~PBRecordActions() override;

    // ---- PBPageActions -------------------------------------------------------------------------
    void newUser() override;
    void editUser() override;
    void deleteUser() override;
    void addGroup() override;
    void deleteGroup() override;
    void editGroup() override;
    void setMoveMenu() override;
    void sendSMS() override;
    void callUser() override { call(); }
    void move() override;
    void moveAndDelcont() override;
    void saveAs() override;
    // Export, import, the number-plan update and the restore (PBRecordActionsFiles.cpp).
    void initPhonebookUpdatedRule() override;
    void exportContacts() override;
    void importContacts() override;
    void updatePhonebook() override;
    void restorePhonebook() override;
    void updateOrRestoreResult() override;
    // The sheet of the update and the restore (made on first use, on the main window).
    UpdatePhonebookWindow *updateWindow();
    // Restores the side shown from a backup file; says so when it is none of the side's.
    void restoreFromBackupFile(const QString &path);
    void openAddDialogToSaveNumber(int savePosition, const QString &number) override;
    void preDoWithProcessBeforeOperation(int records) override;
    void doWithProcessWhenOneMoreRecordOperation() override;

    // ---- the contact dialog --------------------------------------------------------------------
    // The dialog (made on first use, on the main window).
    PBUserWin *dialog();
    bool isDialogOpen() const;
    // Room for one more contact on a side (0 computer, 1 SIM, 2 device); tells the user when there
    // is none. A full SIM with SaveToPCWhenSimFull asks to save to the computer and, on OK, starts
    // the add again on the computer side.
    bool canAddNewContact(int tag);
    bool canAddNewContactInPC();
    bool canAddNewContactInSIM();
    bool canAddNewContactInME();
    void addNewContactInPC();
    void addNewContactInSIM() { addNewContactOnDevice(); }
    void addNewContactInME() { addNewContactOnDevice(); }
    void editContactInPC();
    void editContactInSIM() { editContactOnDevice(int(PBStorage::SIM)); }
    void editContactInME() { editContactOnDevice(int(PBStorage::ME)); }
    // The memory card (PBRecordActionsTCard.cpp): its contacts keep name, the three numbers and
    // the e-mail address; no group, no remark.
    void addNewContactInTCard();
    void editUserInTCard();
    void deleteUserInTCard();
    // Fills and enables every field from the contact (empty texts for absent values); nothing for
    // none. The mobile field takes the selected SMS's number while a sender is being saved.
    void setTextFieldWhenEditUser(const std::optional<QVariantMap> &contact);
    void setUserGroupInPC();
    void setUserGroupInNotPC();
    // The group pop-up changed (with IsNoGroup: 0 the computer, 1 the SIM).
    void selectUsrGroup(int index);
    void openPBUserWin();
    void adduserok();
    void canceladduser();
    // A field of the dialog as typed: cut to what the storage of the side shown keeps.
    void limitTextFieldLength(ContactField which);

    // ---- deleting ------------------------------------------------------------------------------
    void deleteContactsInPC();
    // The SIM's (1) or the device memory's (2) selected contacts: one delete each; the rows go on
    // the answers.
    void deleteContactsInPos(int side);
    // The delete of the side shown, without the question.
    void deleteCurrectSelectedUser();

    // ---- groups ----------------------------------------------------------------------------------
    PBRenameGroupWindow *renameWindow();
    void clickRenamGroupOK();
    void clickRenamGroupCancel();

    // ---- calling and writing -------------------------------------------------------------------
    void call();

    // ---- the progress bar ----------------------------------------------------------------------
    // A tick of the progress timer.
    void updateCurOperationProcessBar();
    static constexpr int kProgressIntervalMs = 100;

    // ---- text --------------------------------------------------------------------------------------
    // A number field: keeps '0'-'9', '*', '#' and '+'; says so when other characters went, else cuts
    // a text longer than maxLength and says that.
    void ContentControl(QLineEdit *field, int maxLength);

private:
    static QString localized(const QString &english);
    // The information text says that no contact is selected.
    void resetContactInfo();
    PBPage *page() const;
    QWidget *mainWindow() const;
    void addNewContactOnDevice();
    void editContactOnDevice(int side);
    void setDrawerItemsEnabled(bool enabled);
    void setDeviceFieldsEnabled(bool enabled, bool empty);
    // The remark of a dialog laid out by the device's fields: empty and disabled, shown only with
    // IsDisplayRemark.
    void hideDeviceRemark();
    void closeDialog();
    // The selected rows of the contact table.
    QList<int> selectedRows() const;
    // The contacts behind the selected rows of the side shown (the search result while searching).
    QList<QVariantMap> selectedContacts() const;
    void addMoveMenuItem(const QString &english, bool added, bool enabled);
    // The copy (move false) or move of the selection to the destination chosen in its pop-up.
    void transferSelection(bool move);
    void showInfoLostAlert();

    PBWindow *window_;
    PBController *pb_;
    QPointer<PBUserWin> dialog_;
    QPointer<PBRenameGroupWindow> renameWindow_;
    QPointer<UpdatePhonebookWindow> wndUpdatePhonebook_;
    std::unique_ptr<yov::RepeatingTimer> curOperationTimer_;
    double sumOperationNumbers_ = 0;
    double alreadyOperationNumbers_ = 0;
};

} // namespace ostrel
