#pragma once
// The behaviour of the phonebook tab: choosing the side shown (computer, SIM, device memory,
// memory card), the two tables' data, sorting and inline group rename, the enabling rules of
// every button and menu, the capacity label, the search and the information texts
// (PBWindow.cpp); the skin keys, wording, save-position cells, start-up, language change, device
// events, tab changes and the device-lock gate (PBWindowAlias.cpp); the storage tree, the call
// menu, SMS to a group and saving an SMS sender (PBWindowNodeExcute.cpp).
//
// It is the page side of PBController (its PBExtensionInterface; what the page does not do yet
// keeps the defaults): the controller keeps the contacts and the device link, and tells the page
// when lists, cells or sides change.
#include "ostrel/phonebook/PBExtensions.h"
#include "ostrel/phonebook/page/PBPage.h"
#include "ostrel/phonebook/page/PBPageActions.h"
#include "ostrel/phonebook/page/PBTableModel.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <memory>

class QAbstractButton;
class QAction;
class QTableView;

namespace ostrel {

class Node;
class PBController;
class PBSource;

class PBWindow : public QObject, public DefaultPBExtensions, public PBTableDataSource {
    Q_OBJECT
public:
    // Builds the page (with a tree when the layout asks for one) and becomes the controller's page.
    PBWindow(PBController *controller, const PBPage::Layout &layout = {}, QObject *parent = nullptr);
    ~PBWindow() override;

    PBController *controller() const { return pb_; }
    PBPage *page() const { return page_; }
    // The page is handed to its tab; the window keeps a guarded pointer.
    PBPage *takePage();
    PBSource *source() const { return source_.get(); }
    PBTableModel *groupModel() const { return groupModel_; }
    PBTableModel *userModel() const { return userModel_; }
    // Null puts the default (nothing) back.
    void setActions(PBPageActions *actions) { actions_ = actions ? actions : &defaultActions_; }

    // ---- choosing the side --------------------------------------------------------------------
    // The matrix's tag (-1 with no cell selected).
    int savePositionTag() const;
    void selectSavePositionCell(int tag);
    // The save-position matrix was clicked.
    void selectSavePos();
    void selectAtPCSide();
    void selectNotPcSide();
    void selectAtSimSide();
    void selectAtMeSide();
    void selectAtTCardSide();

    // ---- columns ------------------------------------------------------------------------------
    void clearUserTableViewColumns();
    void addUserTableViewColumn(const QString &identifier, const QString &title, int width);
    void initUserTableViewColumnsAtPC();
    void initUserTableViewColumnsAtNotPC();
    void averageUserTableViewColumnWidth();

    // ---- the tables' data (PBTableDataSource) -------------------------------------------------
    int numberOfRowsInTableView(const PBTableModel *table) const override;
    QVariant objectValueForTableColumn(const PBTableModel *table, const QString &identifier, int row) const override;
    void setObjectValue(PBTableModel *table, const QVariant &value, const QString &identifier, int row) override;
    bool shouldEditTableColumn(const PBTableModel *table, const QString &identifier, int row) const override;
    void sortDescriptorsDidChange(int column, Qt::SortOrder order);

    // ---- enabling -----------------------------------------------------------------------------
    void buttonControl(bool addGroup, bool deleteGroup, bool editGroup, bool addUser, bool deleteUser, bool editUser);
    void SetMutexButton(bool moveCopyExport, bool call, bool sms);
    void SetPopMenuItem(bool cut, bool copy, bool paste);
    void setButtonEnable(QAbstractButton *button, bool enabled);

    // ---- selection ----------------------------------------------------------------------------
    void tableViewSelectionDidChange(QTableView *table);
    void showTabViewSelectedPCGrpList(int row);
    void showTabViewSelectedPCUserList(int row);
    void showTabViewSelectedUSIMUserList(int row);
    void showTabViewSelectedMEUserList(int row);
    void groupListclicked(const QModelIndex &index);
    void userListclicked(const QModelIndex &index);
    bool shouldEnableSendSmsButton() const;
    static QList<int> getSelectedRowIndexes(const QTableView *table);
    // The edit menu's actions do nothing.
    void cut() {}
    void copy() {}
    void paste() {}

    // ---- texts --------------------------------------------------------------------------------
    QString capacityText() const;
    void setContactInfo();
    void displayPhonebookText();

    // ---- search -------------------------------------------------------------------------------
    void searchUser();
    void showOrHideSearchbar();
    bool isSearching() const;

    // ---- start-up, language, device events (PBWindowAlias.cpp) --------------------------------
    // The skin keys of the page's controls, with their controls.
    QList<QPair<QString, QObject *>> skinBindings() const;
    void initializeSkin() override;
    void initializeNibResources() override;
    void initializeController() override;
    void updateLanguages() override;
    void initSelectSavePosControl();
    void applyWording();
    void netcardChanged(int state) override;
    // The sheet of an update or a restore shows its result.
    void updateOrRestoreResult() override { actions_->updateOrRestoreResult(); }
    // A moved card contact's record leaves the card.
    bool deleteTCardRecord(const QVariantMap &contact) override;
    void deviceRemoved() override;
    void tabViewItemWillChange(const QString &identifier) override;
    void tabViewItemDidChange() override;
    void deviceUnlockAnswered(bool success) override;
    // The contact dialog while it is open (issue of the dialog); the unlock sheet hangs on it.
    void setContactDialog(QWidget *dialog) { pbUserwin_ = dialog; }

    // ---- tree, call menu, group SMS, saving a sender (PBWindowNodeExcute.cpp) ------------------
    void initialNodeOfPc();
    void createNodeOfSimWhenSimCardvalid();
    void deleteNodeOfSimWhenSimCardInvalid();
    void addGroupNodeWithGroupName(const QString &name);
    void deleteSeletedGroupNode();
    // A node of the tree was selected.
    void outlineViewSelectionIsChanging(Node *node);
    NSFlickerButton *getFlickerButtonOfToolItemFromID(const QString &identifier) const override;
    void setCallButtonPopMenu();
    void clickMenuItemToCall(QAction *item);
    void sendSMSToOneGroup();
    QStringList getPhoneNumbersInOneGroup() const;
    QList<QVariantMap> getContactsFromPC() const;
    void clickSavePhoneNumber(QObject *sender) override;
    void selectTabViewOfPhoneBook();
    bool savePhoneNumberFromSMS() const { return savePhoneNumberFromSMS_; }
    void setSavePhoneNumberFromSMS(bool on) { savePhoneNumberFromSMS_ = on; }
    // The SMS page's items that save a sender to the computer and to the SIM.
    QAction *menuItemOfSaveNumberToPC() const { return menuItemOfSaveNumberToPC_; }
    QAction *menuItemOfSaveNumberToSim() const { return menuItemOfSaveNumberToSim_; }

    // Performs a page action by its selector ("newUser:", "addGroup:", "sendSMSToOneGroup:", ...);
    // false for an unknown one.
    bool perform(const QString &selector);
    // The selector a button performs now.
    QString actionOf(const QAbstractButton *button) const { return buttonActions_.value(button); }

    // ---- PBExtensionInterface -----------------------------------------------------------------
    void reloadContactTable() override;
    void SetConpacityShow() override;
    void showSearchText(const QString &text) override;
    void savePositionsChanged(const SavePositionCells &cells) override;
    void showSideOfSavePosition(int tag) override;
    void setPBMenuAndExportStatus(bool enabled) override;
    // The contact dialog and the progress bar belong to the page's actions.
    void openAddDialogToSaveNumber(int savePosition, const QString &number) override
    {
        actions_->openAddDialogToSaveNumber(savePosition, number);
    }
    void preDoWithProcessBeforeOperation(int records) override { actions_->preDoWithProcessBeforeOperation(records); }
    void doWithProcessWhenOneMoreRecordOperation() override { actions_->doWithProcessWhenOneMoreRecordOperation(); }
    PBPageActions *actions() const { return actions_; }

    bool m_bGroupsentSMS = false;
    int cutstatus = 0;
    int copystatus = 0;

private:
    void connectControls();
    void setButtonAction(QAbstractButton *button, const QString &selector);
    void reloadBothTables();
    void deselect(QTableView *table);
    void allSixButtons(bool enabled);
    void applySelectionRules(int side, int selected);
    // Shows a side other than the computer's (1 SIM, 2 device memory, 3 memory card).
    void selectDeviceSide(int tag);
    // A row of the contact table (-1: none) on a side (0 computer, 1 SIM, 2 device memory).
    void showSelectedContactOfSide(int side, int row);
    bool pasteStatus() const { return cutstatus != 0 || copystatus != 0; }
    QString localized(const QString &english) const;
    QWidget *mainWindow() const;

    PBController *pb_;
    QPointer<PBPage> page_;
    std::unique_ptr<PBPage> ownedPage_;
    std::unique_ptr<PBSource> source_;
    PBTableModel *groupModel_ = nullptr;
    PBTableModel *userModel_ = nullptr;
    DefaultPBPageActions defaultActions_;
    PBPageActions *actions_ = &defaultActions_;
    QHash<const QAbstractButton *, QString> buttonActions_;
    QPointer<QWidget> pbUserwin_;
    QAction *menuItemOfSaveNumberToPC_ = nullptr;
    QAction *menuItemOfSaveNumberToSim_ = nullptr;
    bool searchBarShown_ = false;
    bool savePhoneNumberFromSMS_ = false;
    bool reloading_ = false;
};

} // namespace ostrel
