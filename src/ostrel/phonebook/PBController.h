#pragma once
// The phonebook controller: the contacts of the computer (grouped, kept in the computer phonebook
// file), the SIM, the device memory and the memory card; the rules every add, edit and copy
// applies; the number-to-name lookup and the search. It is the PHONEBOOK neighbour
// (Neighbours::phonebook()) while it lives.
//
// Contacts are dictionaries (PBContact.h). The computer phonebook is a list of groups, each a
// header and its contacts, saved whole and atomically after every change. Contacts found by the
// search, and the contacts chosen for editing, are remembered by their place (storage, group and
// row, or list position), so that an edit or delete acts on exactly that contact even when another
// one holds the same values; a computer place follows its contact when rows or groups move.
//
// The SIM's and the device memory's contacts change only through the device service: each
// storage is reported once with its limits and an items file (1025/0); the controller sends one
// write or delete record per contact (1029/122), keeps it pending with the storage it went to,
// and changes its lists only on the answers, matched by record index in any order. A storage
// switch (1027/118) is answered before anything else is sent to that storage.
//
// The source files: PBController.cpp (life cycle, neighbour calls, alerts), PBControllerPcList.cpp
// (the computer file, groups, counts, record numbers, the all-storage list, the dialog's adds and
// edits), PBControllerRules.cpp (field limits and checks, uniqueness, renaming, free space),
// PBControllerLookup.cpp (number lookup and search), PBControllerDeviceLink.cpp (the device
// phonebook link), PBControllerCopy.cpp (copying and moving between storages, saving a number from
// another area), PBControllerTCard.cpp (the memory card), PBControllerFiles.cpp (export, import,
// number-plan update, backup and restore). Main thread only.
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/PBControllerInterface.h"
#include "ostrel/phonebook/ContactColumns.h"
#include "ostrel/phonebook/ContactFieldRules.h"
#include "ostrel/phonebook/PBConfiguration.h"
#include "ostrel/phonebook/PBContact.h"
#include "ostrel/phonebook/PBExtensions.h"
#include "ostrel/phonebook/NumberPlanRule.h"
#include "ostrel/phonebook/PcPhoneBookFile.h"
#include "ostrel/phonebook/TCardPhonebookFiles.h"

#include "common/records/phonebook/PhonebookRecords.h"

#include <QList>
#include <QLoggingCategory>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcPhonebook)

namespace ostrel {

class PBController : public YOVUIController, public PBControllerInterface {
    Q_OBJECT
public:
    static inline const QString kDefaultFileName = QStringLiteral("phoneBook.plist");
    // deleteUserFromCurSearchGroup() with this value empties the whole result.
    static constexpr int kEmptyWholeSearchResult = 10000;

    // Operations in progress (phonebookOperate_).
    enum Operation { OperationNone = 0, OperationSaveNumber = 1, OperationSelectSavePos = 2, OperationAdd = 3,
                     OperationEdit = 4, OperationPluginDelete = 5, OperationCopy = 6, OperationMove = 7,
                     OperationNumberPlan = 8, OperationRestore = 9 };

    explicit PBController(const ControllerContext &context = ControllerContext::shared(), QObject *parent = nullptr);
    ~PBController() override;

    // The process-wide pointer (g_PBController); null when none exists.
    static PBController *g_PBController();

    // Reads the configuration and the computer phonebook file, then starts the page.
    void initializeController() override;
    void initializeSkin() override { extensions().initializeSkin(); }
    void initializeNibResources() override { extensions().initializeNibResources(); }
    Q_INVOKABLE void updateLanguages() override { extensions().updateLanguages(); }
    // The operator's phonebook plug-in, when one is installed, takes the "Phonebook" tab; without
    // one the tab keeps the page.
    void loadCommonBundle() override { loadPlugin(QStringLiteral("PhoneBookBundle.bundle"), QStringLiteral("Phonebook")); }

    // ---- device events, tab changes and the device lock (PBControllerAlias.cpp) ----------------
    // Stores the device state (2 plugged in, 4 removed, 12 SIM ready) and tells the page.
    void netcardChanged(int state);
    Q_INVOKABLE void devicePlugin(const yov::Notification &notification);
    Q_INVOKABLE void simReady(const yov::Notification &notification);
    Q_INVOKABLE void tabViewItemWillChange(const yov::Notification &notification);
    Q_INVOKABLE void tabViewItemDidChange(const yov::Notification &notification);
    Q_INVOKABLE void notifyDeviceUnlockSuccess(const yov::Notification &notification);
    Q_INVOKABLE void notifyDeviceUnlockFailed(const yov::Notification &notification);
    // The contact table's sorting: the current group's contacts, the SIM list, or the search
    // result, by a contact key (localised comparison; equal contacts keep their order). The
    // remembered places follow their contacts.
    void sortCurrentGroupBy(const QString &key, bool ascending);
    void sortSimListBy(const QString &key, bool ascending);
    void sortSearchResultBy(const QString &key, bool ascending);
    // The call area is ready (from the phonebook plug-in).
    Q_INVOKABLE void callModuleReady(const yov::Notification &notification);

    // ---- the phonebook plug-in's requests (PBControllerPlugin.cpp) ----------------------------
    // Each takes its payload under the key of its notification's name; without it nothing happens.
    // A request that fails its checks shows why and posts nothing.
    // The matching SIM contacts join the search result; "searchUserInUSIM" {the result}.
    Q_INVOKABLE void SearUserInUSIMSide(const yov::Notification &notification);
    // A contact {"username", "mobilephone"}: to the SIM while it has a free index (listed on the
    // answer), else into the computer's first group at once; "addContactResult".
    Q_INVOKABLE void addNewUserInSIMOrPC(const yov::Notification &notification);
    // {"mobilephone", "savePosition"}: the add dialog opens with the number on that storage.
    Q_INVOKABLE void saveNewUserToPB(const yov::Notification &notification);
    // "formatUserName" {the name cut to the SIM's limit}; "formatMobilePhone" {the number filtered}.
    Q_INVOKABLE void CheckBundleUserName(const yov::Notification &notification);
    Q_INVOKABLE void CheckBundleMobilePhone(const yov::Notification &notification);
    // A row of the SIM list becomes the selected SIM contact; "selectUsrInfo" {it}.
    Q_INVOKABLE void getSelectContact(const yov::Notification &notification);
    // A contact with "index" and "savepos": the SIM one is written (changed on the answer), a
    // computer one (by index, in the current group, else in the first) changed at once.
    Q_INVOKABLE void editUserInSIMOrPC(const yov::Notification &notification);
    // The same, after the user's OK, for deleting.
    Q_INVOKABLE void deleteUserInSIMOrPC(const yov::Notification &notification);
    // The plug-in's texts of the dialog's name and mobile fields.
    ContactFieldTexts pluginFields() const { return pluginFields_; }
    // The unlock sheet is the phonebook's while the recorded module is this one.
    static constexpr int kDeviceLockModule = 2;

    // ---- configuration ------------------------------------------------------------------
    void setItemDefaultConfig();
    void readConfigurations();
    const PBConfiguration &configuration() const { return configuration_; }
    bool getPhonebookSettingBoolValue(const QString &key) const;

    // ---- PBControllerInterface -----------------------------------------------------------
    int sumOfGroupInPC() const override { return int(m_PcPhoneList.size()); }
    int sumOfContactInGroup(int group) const override;
    QVariantMap getPCUserByIndex(int group, int row) const override;
    int getSimUserNumber() const override { return int(m_SimPhoneList.size()); }
    QVariantMap getUserFromSim(int index) const override { return m_SimPhoneList.value(index); }
    int getMeUserNumber() const override { return int(m_MePhoneList.size()); }
    QVariantMap getUserFromMe(int index) const override { return m_MePhoneList.value(index); }
    QString deleteExtraContent(const QString &text, int maxLength) const override;
    void popupAlertOk(const QString &message) override;
    void loadPcPhoneListByImsi(const QString &fileName) override;
    void reloadPCPhoneList() override;
    // Shows the computer side of the page.
    void selectAtPCSide() override { extensions().showSideOfSavePosition(int(PBStorage::PC)); }
    QString getDiagnosticsContact() const override;
    void setCurDefGrpName() override;
    // On a language change: the untouched default group (the only group, empty, bearing the
    // stored default name) is replaced by one named in the new language. True when replaced.
    bool changeDefGrpWithLag();
    QString searchNameAtPhoneBook(const QString &number) override;
    bool hasPhoneNumber(const QString &number) override;
    QVariantMap getMatchUserItemAtUSIMSide(const QString &number) override;
    // Saves a number from another area to the computer, the SIM or the device memory (the
    // localised "(U)SIM" and "Data Card"; any other target is the computer): the modem is switched
    // to that storage first when needed, then the add dialog opens with the number.
    void toPbUserWinWithPhoneNumber(const QString &number, const QString &selectPos) override;
    // The save-number menu items and the toolbar buttons belong to the phonebook page.
    void clickSavePhoneNumber(QObject *sender) override { extensions().clickSavePhoneNumber(sender); }
    NSFlickerButton *getFlickerButtonOfToolItemFromID(const QString &identifier) const override
    {
        return extensions().getFlickerButtonOfToolItemFromID(identifier);
    }

    // ---- alerts --------------------------------------------------------------------------
    // "Warning!" with OK and Cancel; 1 for OK.
    int popupAlertOkCancel(const QString &message);

    // ---- the computer phonebook file -----------------------------------------------------
    // Makes the name the current file name and reads the file (nothing for a null name).
    void loadPcPhoneList(const QString &fileName);
    void reloadPhoneList();
    // Writes the computer phonebook to the current file, atomically; false (and the user told)
    // when it cannot be written, the old file then being whole.
    bool savePhoneList2File();
    QString getPhoneBookFilePathWithFileName(const QString &name) const;
    QString currentPcFileName() const { return pcFileName_; }

    // ---- groups --------------------------------------------------------------------------
    void addGroup();
    void addGroupItem();
    // The first of "Group 0", "Group 1", ... (the localised word) that no group bears.
    QString getNewGroupItem(const QString &ignored = QString()) const;
    bool isFindTheSameGroupName(const QString &name) const;
    // false when a group other than the one at groupIndex bears the name.
    bool checktNewGroupItem(const QString &name, int groupIndex) const;
    void deleteGrop(int index);
    void setCurrentgroup(int index);
    int currentGroupIndex() const { return m_CurGroupIndex; }
    void sortGroupInPC();
    QStringList groupNames() const;
    // The first group of that name; -1 when none.
    int userGroupIndexByGroupName(const QString &name) const;
    void sendMessageToIndexedGroup(int groupIndex);
    bool isSendMessageToIndexedGroupValid(int groupIndex) const;
    bool isSendMessageToGroupEnabled() const { return configuration_.SendMessageToGroupEnabled; }

    // ---- computer contacts ---------------------------------------------------------------
    // Contact i of the current group; empty for i < 0 or outside it.
    QVariantMap getUserFromCurGroup(int i) const;
    // 2 when the computer is full, 1 when added to the current group and saved, 0 without a group.
    int addUser2CurGrop(const QVariantMap &contact);
    // Appends to the group and orders it by name; false when the computer is full or there is no
    // such group. Does not save.
    bool addContactToPcPhoneList(const QVariantMap &contact, int groupIndex);
    void deleteUserFromCurGrop(int i);
    // Deletes the computer contacts at the places (each exactly the one there, whatever the others'
    // values), their all-storage entries with them, and saves once. False when none was deleted.
    bool deletePcContacts(const QList<ContactPlace> &places);
    void deleteSmartUserFromPCPhoneListByIndex(int index);
    QVariantMap getSmartUserByIndexFromPCPhoneList(int index) const;
    // The contact at a place; empty when the place holds none.
    QVariantMap contactAt(const ContactPlace &place) const;

    // ---- the contact dialog's OK ----------------------------------------------------------
    // The contacts chosen for editing, by place.
    void setPcContact(const std::optional<ContactPlace> &place) { m_PcContact = place; }
    void setSimContact(const std::optional<ContactPlace> &place) { m_SimContact = place; }
    void setMeContact(const std::optional<ContactPlace> &place) { m_MeContact = place; }
    // The storage the dialog aims at: the group pop-up's index with IsNoGroup, else the save
    // position's tag (0 computer, 1 SIM, 2 device).
    int targetStorageOf(const ContactDialogValues &values) const;
    void contactIsAdded(const ContactDialogValues &values);
    void contactIsEdited(const ContactDialogValues &values);
    void contactIsAddedInPC(const ContactDialogValues &values);
    void contactIsEditedInPC(const ContactDialogValues &values);
    int lastSelectSavePos() const { return lastSelectSavePos_; }

    // ---- counts --------------------------------------------------------------------------
    int sumOfContactInCurrentGroup() const { return sumOfContactInGroup(m_CurGroupIndex); }
    // The count every capacity test of the computer uses.
    int sumOfContactInPC() const;
    int getPCCurUserCountWhenNameAndNumberUnique() const;
    int getTCardUserNumber() const { return int(m_TCardPhoneList.size()); }
    int getAllUserNumber() const { return int(m_allPhoneList.size()); }

    // ---- record numbers ------------------------------------------------------------------
    int pcNewContactIndex() const;
    int simNewContactIndex() const;
    int meNewContactIndex() const;

    // ---- the all-storage list ------------------------------------------------------------
    // Copies of the current group's contacts tagged "SAVEINPC", each with a record number that
    // neither the group nor an earlier copy carries (a contact keeps a number no earlier copy took);
    // the number is written into the group's contact too.
    void addPcPhoneListToAllPhoneList();
    // Storage 2 tags the copies "SAVEINSIM", 1 "SAVEINME", 3 "SAVEINTCARD"; other storages add nothing.
    void addListToAllPhoneList(const QList<QVariantMap> &list, int storage);
    void addContactToAllPhoneList(const QVariantMap &contact, const QString &savepos);
    void deleteItemInAllUserList(int index, const QString &savepos);
    QVariantMap getSmartUserByIndexFromAllPhoneList(int index, const QString &savepos) const;
    QVariantMap getUserFromAllContact(int i) const { return m_allPhoneList.value(i); }

    // ---- other ---------------------------------------------------------------------------
    // For each contact, each non-empty mobile, office and home number shown by the contact table:
    // {"username": name, "mobilephone": "<number>(<label>)"}.
    QList<QVariantMap> availableNumbersOfContacts(const QList<QVariantMap> &contacts) const;
    // The storage selected once the device phonebook is read (the page's).
    void setDefaultSelectMemory() { extensions().setDefaultSelectMemory(); }
    QList<ContactColumn> initUserTableViewColumnsAtPC() const;
    QList<ContactColumn> initUserTableViewColumnsAtTcard() const { return ContactColumns::initUserTableViewColumnsAtTcard(); }

    // ---- field rules (PBControllerRules.cpp) ------------------------------------------------
    // The limits of a target storage (0 computer, 1 SIM, 2 device; none for another value).
    FieldLimits limitsOfStorage(int storage) const;
    ConfiguredFieldLengths configuredFieldLengths() const;
    // The text of a field as it may stand while typed for the target storage.
    QString limitTextFieldLength(ContactField field, const QString &text, int storage) const;
    // The checks of the dialog's OK: the field contents, then the uniqueness switches.
    FieldCheck validTextFieldContent(const ContactDialogValues &values) const;
    FieldCheck checkTextFieldLength(const ContactDialogValues &values) const;
    FieldCheck checkGroupName(const QString &name, int row) const;
    // The plug-in path: name and mobile present and, with ContactNameUniqueCheckingEnabled, the
    // name new in the computer and on the SIM.
    FieldCheck isUserNameAndMobilePhoneRightful(const ContactFieldTexts &texts) const;
    static bool checkNameItem(const QString &name) { return ContactFieldRules::checkNameItem(name); }
    static bool checkAddFlag(const QString &number) { return ContactFieldRules::checkAddFlag(number); }

    // ---- uniqueness ------------------------------------------------------------------------
    bool contactNameExistInPC(const QString &name) const;
    bool contactNameExistInSIM(const QString &name) const;
    bool contactNameExistInME(const QString &name) const;
    bool contactNameIsUnique(const QString &name) const;
    bool contactNameExist(const QString &name, int storage) const;
    bool isContactNameExistInGroupContent(const QString &name, const QList<QVariantMap> &group) const;
    bool newContactNameIsUnique(const ContactDialogValues &values) const;
    bool newContactNameAndNumberIsUnique(const ContactDialogValues &values) const;
    bool contactNameExistInPC(const QString &name, const QString &number, int destGroupIndex) const;
    bool contactNameExistInSIM(const QString &name, const QString &number) const;
    bool contactNameExistInME(const QString &name, const QString &number) const;
    // Whether the contact at the place (nothing: none) duplicates the one the operation brings
    // into the destination group.
    bool sameContactExistInPC(const std::optional<ContactPlace> &place, int destGroupIndex) const;
    bool sameContactExistInSIM(const std::optional<ContactPlace> &place) const;
    bool sameContactExistInME(const std::optional<ContactPlace> &place) const;

    // ---- renaming of duplicates ------------------------------------------------------------
    // With ContactNameUniqueCheckingEnabled, gives a copied contact whose name is taken the first
    // free "<name cut><n>" within the storage's name limit (storage 1 the SIM's, any other the
    // computer's).
    void doUniqueCheckIfNeededOfContact(QVariantMap &contact, int storage) const;
    QString createUniqueOfContactName(const QString &name, int storage) const;
    // The names of the computer, SIM and pending contacts that contain the name.
    QStringList searchResemblesOfContact(const QString &name) const;

    // ---- free space ------------------------------------------------------------------------
    // Room for one more contact in the destination ("(U)SIM", "Data Card", else the computer);
    // the user is told when there is none.
    bool checkFreeSpace(const QString &destination);
    bool checkFreeSpaceInPC();
    bool checkFreeSpaceInSIM();
    bool checkFreeSpaceInME();
    // Room for the prepared contacts (the pending writes by default); asks whether to go on with
    // as many as fit when D3UNotEnoughSpaceTip is off.
    bool reCheckFreeSpace(const QString &destination, std::optional<int> prepared = std::nullopt);
    bool reCheckFreeSpaceInPC(int prepared);
    bool reCheckFreeSpaceInSIM(int prepared);
    bool reCheckFreeSpaceInME(int prepared);

    // ---- search (PBControllerLookup.cpp) -----------------------------------------------------
    // The window's search text.
    void setSearchString(const QString &text) { m_SearchString = text; }
    QString searchString() const { return m_SearchString; }
    bool isMatchforSearchString(const QVariantMap &contact) const;
    void getSearchContactsFromPC();
    void getSearchContactsFromSIM();
    void getSearchContactsFromME();
    void addUser2CurSearchGroup(const ContactPlace &place);
    // An empty result list (the search action's start).
    void clearCurSearchGroup() { m_CurrentSearchGroup = QList<ContactPlace>(); }
    QList<ContactPlace> getCurSearchGroup() const { return m_CurrentSearchGroup.value_or(QList<ContactPlace>()); }
    // -1 when there is no result list.
    int getCurSearchGroupCount() const { return m_CurrentSearchGroup ? int(m_CurrentSearchGroup->size()) : -1; }
    QVariantMap getUserFromCurSearchGroup(int i) const;
    std::optional<ContactPlace> placeOfCurSearchGroup(int i) const;
    // Removes result i; kEmptyWholeSearchResult empties the result.
    void deleteUserFromCurSearchGroup(int i);
    // Deletes the computer contact that result i points to, saves, and drops it from the result.
    bool deleteFoundPcContact(int i);

    // ---- what later parts add (PBExtensions.h) -----------------------------------------------
    // Null puts the default (nothing) back.
    void setExtensions(PBExtensionInterface *extensions) { extensions_ = extensions ? extensions : &defaultExtensions_; }
    PBExtensionInterface &extensions() const { return *extensions_; }

    // ---- the device phonebook link (PBControllerDeviceLink.cpp) -------------------------------
    // Registers the handlers of 1025/0, 1027/118 and 1029/122, the plug-in table and the
    // device-function table.
    void registerMessages() override;
    void phonebookInitFinished(const yov::Notification &notification);
    void modemStorageChanged(const yov::Notification &notification);
    void phonebookWriteResult(const yov::Notification &notification);
    // What the handlers do with a record's contents.
    void handlePhonebookInit(const yov::PhonebookInitRecord &record);
    void handleStorageAnswer(int outcome);
    void handleWriteResult(const yov::PhonebookWriteResult &result);

    // Stores the limits and the field flags of a storage (1 device memory, 2 SIM) and makes it
    // the current one; false, changing nothing, for another storage. Negative values count as 0;
    // a lowest index above the highest leaves the storage without room.
    bool setBaseInfo(const yov::PhonebookInitRecord &record, int storage);
    // The contacts of an items file, sorted by name: index, name and number 1, and with
    // SimFieldAutoDetectionEnabled number 2, number 3 and the e-mail address.
    QList<QVariantMap> readDevicePhonebook(const QString &path, int storage) const;
    int currentStorage() const { return currentStorage_; }

    // Requests that the modem work on the storage from now (1027/118); its answer continues the
    // operation in progress.
    void setModemStorage(int storage);
    // One write or delete record to the current storage; false when it could not be sent.
    bool writeContactToSIM(const QVariantMap &contact);
    bool deleteContactFromSim(int index);
    // Writes the contact and keeps it pending until its answer.
    void saveContactToSim(const QVariantMap &contact);
    void addContactToAddUserList(const QVariantMap &contact);
    void deleteContactFromAddUserList();
    void addContactToDelUserList(int index);
    void deleteContactFromDelUserList();
    void clearAddUserList();
    void clearDelUserList();
    // The storage a pending write or delete was sent to (1 device memory, 2 SIM; 0 a contact
    // prepared for the computer); 0 outside the list.
    int storageOfPendingWrite(int position) const { return addContactInfo_.value(position).storage; }
    int storageOfPendingDelete(int position) const { return delContactStorage_.value(position); }

    void writeContactToSIMSuccess(int index);
    void writeContactToSIMFail(int index);
    void deleteSuccessInModem(int index);
    void deleteFailInModem(int index);

    // The contact dialog's adds and edits on the device storages.
    void contactIsAddedInSIM(const ContactDialogValues &values);
    void contactIsAddedInME(const ContactDialogValues &values);
    void contactIsEditedInSIM(const ContactDialogValues &values);
    void contactIsEditedInME(const ContactDialogValues &values);

    void initSimVariables();
    void initMeVariables();
    void clearUSimUserList() { m_SimPhoneList.clear(); }
    void clearMePhoneList() { m_MePhoneList.clear(); }
    // The device is gone: the device phonebooks are forgotten, the computer phonebook returns to
    // "phoneBook.plist" when it was read from a per-SIM file, the page returns to the computer side
    // and the plug-in is told ("deviceRemovedInfo").
    Q_INVOKABLE void deviceRemoved(const yov::Notification &notification);
    void resetDevicePhonebooks();

    // "phonebookReadFinshed" {"phonebookReadFinshed": the all-storage list, "phonebookInterface": the controller}.
    void postPhonebookInitFinishedMessage();
    void setSavePosEnabled(bool enabled);
    SavePositionCells savePositionCells() const { return savePositionCells_; }
    // The save position the page shows (0 computer, 1 SIM, 2 device, 3 memory card).
    void setSelectedSavePosition(int tag) { selectedSavePosition_ = tag; }
    int selectedSavePosition() const { return selectedSavePosition_; }
    // After a copy, the modem goes back to the storage of the side shown.
    void changeModemStorageAfterCopy();
    void continueSelectSavePos(int outcome);
    void continueSaveNumberTo(int outcome);
    void continueCopyContactsToPos(int outcome);

    // ---- copying and moving (PBControllerCopy.cpp) ---------------------------------------------
    // The contacts the user selected: the side shown and the selected rows of the contact table
    // (of the search result while the search text is not empty).
    struct ContactSelection {
        PBStorage side = PBStorage::PC;
        QList<int> rows;
    };

    // The storage of a destination on the device link: 2 for the localised "(U)SIM", 1 for the
    // localised "Data Card", 0 for anything else (a computer group).
    static int storageOfDestination(const QString &destination);

    // The copy of the selected contacts to the destination (the localised "(U)SIM" or "Data Card",
    // or the name of a computer group), as the page's copy action runs it once its question is
    // answered; false when nothing is copied.
    bool copySelectedContacts(const ContactSelection &selection, const QString &destination);
    // The move: the copy, after which each source is deleted once the destination holds it (a
    // device destination: every entry made from it written), the device sources with the modem
    // back on their storage. Sources whose copies failed stay and the user is told once.
    bool moveSelectedContacts(const ContactSelection &selection, const QString &destination);
    bool getMoveAndDelStatus() const { return isMoveAndDelStatus_; }
    QString getMoveDestName() const { return copyDestination_; }

    // False when nothing is selected or the destination has no room; otherwise prepares the
    // contacts and answers the re-check of room with their count.
    bool canCopyContacts(const ContactSelection &selection);
    void filterCopyContacts(const ContactSelection &selection);
    void addCopyContactToPos(const QVariantMap &contact);
    void addCopyContactToPC(const QVariantMap &contact);
    // storage: 2 the SIM, 1 the device memory.
    void addCopyContact(const QVariantMap &contact, int storage);
    void copyContactsToPC();
    void copyContactsToSIM();
    void copyContactsToME();

    // One computer contact to the SIM as one, two or three entries by the SIM's number fields;
    // false when the SIM has no free index left.
    bool moveSelectedContactFromPCToSim(const QVariantMap &contact);
    bool moveContactFromPcToSimBy1way(const QVariantMap &contact);
    bool moveContactFromPcToSimBy2way(const QVariantMap &contact);
    bool moveContactFromPcToSimBy3way(const QVariantMap &contact);

    // Capacity questions over the selected rows of the current group (isMove2PC: of the side).
    int calContactRecordsFromPcToSim(const QList<int> &rows) const;
    bool hasEnounghSimSpace(const QList<int> &rows) const;
    // 1 when the contacts do not fit the SIM, 0 when they do, 2 when the entries they need exceed 250.
    int isMove2SIM(bool flag, const QList<int> &rows) const;
    bool isMove2PC(int source, int selected) const;
    bool isMove2TCard(int selected) const;
    // With SaveToPCWhenSimFull asks whether to save to the computer (1 OK, 2 Cancel); otherwise
    // says the SIM is full (0).
    int addUserSimFullProc();
    bool canCopyContactToSIM(const QVariantMap &contact, const QString &numberKey) const;

    void savePhoneNumberFromOtherModuleToPC(const QString &number);
    void savePhoneNumberFromOtherModuleToSIM(const QString &number);
    void savePhoneNumberFromOtherModuleToME(const QString &number);

    // ---- the memory card (PBControllerTCard.cpp) ------------------------------------------------
    // With IsShowTCard, once the SIM's phonebook is read: finds the card (the folder OSTREL_TCARD
    // names, else the modem's card volume), prepares its phonebook folder, reads the card list and
    // puts it in the all-storage list ("SAVEINTCARD") in place of what an earlier read put there.
    void initTCard();
    // False (and tcardInitFinished_ false) without a card or a usable card folder.
    bool initTCardFilePath();
    void initTCardList();
    // The card list becomes the scanned contacts (an empty scan empties it), sorted by name.
    void addTCardRecordToList(const QList<QVariantMap> &contacts);
    // The dialog's add and edit on the card: the name-and-number check, then the record file (and,
    // for an add, the key list). False, the user told why, when nothing was written.
    bool addUserItemInTCard(const ContactDialogValues &values);
    bool editUserItemInTCard(const ContactDialogValues &values);
    void setTCardContact(const std::optional<ContactPlace> &place) { m_TCardContact = place; }
    // Deletes the card contacts at the rows (their files and key-list lines); a contact whose file
    // could not be removed stays. False when none was deleted.
    bool deleteUserFromTCard(const QList<int> &rows);
    // Deletes the record of a card contact (a move's source); false while it is still on the card.
    bool deleteRecordOfTCardContact(const QVariantMap &contact);
    QString phonebookFolderPathInTCard() const;

    // ---- files: export, import, number-plan update, backup and restore (PBControllerFiles.cpp) --
    // The rows shown on a side (0 computer, 1 SIM, else the search result; the search result also
    // while searching), as the export counts them.
    int getCurrentGroupWithSearchFlag(bool searching, int position) const;
    // The contacts of the selected rows, from the last row to the first: the search result while
    // searching, else the SIM list (1) or the current computer group (0); other sides give none.
    QList<QVariantMap> addUserToArray(int position, const QList<int> &rows, bool searching) const;
    // Writes the contacts of the selected rows to path with its extension made ".plist"; false
    // when it could not be written (an existing file there stays whole).
    bool exportContacts(const QString &path, int position, const QList<int> &rows, bool searching);
    // Imports an exchange file (nullopt: unreadable) into the SIM (1) or the group of the computer
    // (0); tells the user what failed.
    void importContacts(const std::optional<QList<QVariantMap>> &entries, int position, int groupIndex);

    // The number-plan rule of module "PhoneBook" ("PhonebookUpdatedRule"), read once.
    void initPhonebookUpdatedRule();
    const NumberPlanRule &phonebookUpdatedRule() const { return phonebookUpdatedRule_; }
    bool phonebookIsUpdated(int position) const;
    // Backs the side up, then rewrites its numbers: the computer at once, the SIM by a write per
    // changed contact. The result comes through the page's updateOrRestoreResult(); without a
    // backup nothing changes and the update fails.
    void updateContacts(int position);
    bool backupPhonebook(int position);
    // The backup folder of a side (empty for other sides); the one backup there (see
    // PhonebookBackup::currentFilePath).
    QString backupFileBasePath(int position) const;
    std::optional<QString> currentBackupFilePath(int position) const;
    // True when the file lies directly in the side's backup folder and has the side's shape.
    bool backupFileIsValid(const QString &path, int position) const;
    // Restores the side from a backup; false (nothing changed) when the file is no valid backup of
    // the side's folder. The result comes through the page's updateOrRestoreResult().
    bool restoreFromBackupFile(const QString &path, int position);
    void restoreFromBackupFileToPC(const QVariant &root);
    void restoreFromBackupFileToSIM(const QList<QVariantMap> &contacts);
    void deleteRedundantCantactsInSIM(QList<QVariantMap> &contacts);
    void addNewContactsToSIM(const QList<QVariantMap> &contacts);
    // The restore's queued writes, once its deletes are answered.
    void writeContactFromRestoreFileToSIM();
    // The text of an update's or a restore's result (empty for other operations); a failure is
    // forgotten once told.
    QString takeUpdateOrRestoreResult();
    // The first dictionary with that name and mobile number; -1 when none.
    static int indexOfContactItem(const QString &name, const QString &number, const QList<QVariantMap> &list);

    // ---- the state of the Parts' instance variables -------------------------------------------
    PcPhoneList m_PcPhoneList;
    int m_CurGroupIndex = -1;
    QList<QVariantMap> m_SimPhoneList;
    QList<QVariantMap> m_MePhoneList;
    QList<QVariantMap> m_TCardPhoneList;
    QList<QVariantMap> m_allPhoneList;
    QList<QVariantMap> m_AddContactList;
    QList<QVariantMap> m_DelContactList;
    std::optional<ContactPlace> m_PcContact;
    std::optional<ContactPlace> m_SimContact;
    std::optional<ContactPlace> m_MeContact;
    std::optional<ContactPlace> m_TCardContact;

    int PCUserMaxCount = PBConfiguration::kDefaultCapacity;
    int pcNameMaxLen_ = 40;
    int pcNumberMaxLen_ = 40;
    int pcEmailMaxLen_ = 40;
    int m_threshold = PBConfiguration::kDefaultThreshold;

    int simMinIndex_ = 0;
    int simMaxIndex_ = 0;
    int simNumberMaxLen_ = 0;
    int simNameMaxLen_ = 0;
    int simNumber2MaxLen_ = 0;
    int simNumber3MaxLen_ = 0;
    int simMailMaxLen_ = 0;
    int meMinIndex_ = 0;
    int meMaxIndex_ = 0;
    int meNumberMaxLen_ = 0;
    int meNameMaxLen_ = 0;
    int meNumber2MaxLen_ = 0;
    int meNumber3MaxLen_ = 0;
    int meMailMaxLen_ = 0;
    int m_simContactFiledsFlag = 0;

    bool simInitFinished_ = false;
    bool meInitFinished_ = false;
    bool tcardInitFinished_ = false; // the memory-card list is read
    bool hasMePosition_ = false;
    int phonebookOperate_ = OperationNone;
    int lastSelectSavePos_ = 0;
    bool hasPhoneNumberFlag_ = false;
    int m_nNetCardStatus = 0;
    int currentStorage_ = 0;
    bool firstWriteFailedFlag_ = false;
    bool updateOrRestoreSuccess_ = true;
    // An update or a restore waits for its result; phonebookOperate_ keeps 8 or 9 after it, so a
    // later device answer is no part of it.
    bool updateOrRestoreRunning_ = false;
    bool isMoveAndDelStatus_ = false;
    bool isCallModuleReady_ = false;
    bool isEditing_ = true;
    bool isPopWarningWindow = false;
    QString saveToNumberFromOtherModule_;
    QString saveToNumberAtPos_;

private:
    void registerNotificationTables();
    // The English text in the active language; every visible literal passes here.
    static QString localized(const QString &english);
    // Shows an alert once the current event (a device record, a file load) has been handled.
    void popupAlertOkLater(const QString &localizedMessage);
    // Reads the current file; tells the user when it had to be set aside.
    void readCurrentFile();
    void sortCurrentGroup();
    // Orders a group by name; removes a row of a group (without saving). The remembered places
    // follow their contacts.
    void sortPcGroup(int group);
    void removePcRow(int group, int row);
    // Keeps the remembered computer places (the search result, the contact chosen for editing) on
    // their contacts when rows of a group, or the groups, move: movedTo gives each old position's
    // new one, -1 when it is gone. A found contact that is gone leaves the result.
    void followPcRows(int group, const QList<int> &movedTo);
    void followPcGroups(const QList<int> &movedTo);
    // The computer was read again: no remembered computer place holds any more.
    void forgetPcPlaces();
    void createDefaultGroupIfNone();
    bool isPcFull() const;
    // The lookup of both neighbour calls; the matching contact, if any.
    std::optional<QVariantMap> lookUpNumber(const QString &number);
    // The search of one storage list, with "listindex" set on each match.
    void collectSearchMatches(QList<QVariantMap> &list, PBStorage storage);
    bool contactNameExistInList(const QString &name, const QList<QVariantMap> &list,
                                const std::optional<ContactPlace> &edited, PBStorage storage) const;
    bool reCheckFreeSpaceOfDevice(int count, int maxIndex, int prepared, const QString &notEnoughSpace,
                                  const QString &question);

    // ---- the device link's bookkeeping (PBControllerDeviceLink.cpp, PBControllerCopy.cpp)
    // Beside each entry of m_AddContactList: where it goes and, in a move, the source it was made
    // from (a position in moveSources_, else -1).
    struct PendingWrite {
        int storage = 0;
        int source = -1;
    };
    // A contact a move takes from its storage; it is deleted once every entry made from it is in
    // the destination.
    struct MoveSource {
        PBStorage storage = PBStorage::PC;
        QString group;       // the computer group's name
        QVariantMap contact; // as it was selected
        int entries = 0;
        int written = 0;
        bool failed = false;

        bool moved() const { return entries > 0 && written == entries && !failed; }
    };
    enum class MovePhase { None, Writing, Deleting };
    // Why a storage switch was requested.
    enum class StorageRequest { None, Operation, BackAfterCopy, MoveDeletes };

    void appendPendingWrite(const QVariantMap &contact, int storage, int source = -1);
    void removePendingWrite(int position);
    int pendingWritePosition(int index) const;
    void requestStorage(int storage, StorageRequest purpose);
    void beginAlertOk(const QString &message);
    // "The operation failed!" once per copy or move.
    void tellOperationFailedOnce();
    void removeAllListEntries(const QString &savepos);
    // After each answer: the search, the capacity label, the progress bar, the table and
    // "addContactResult".
    void refreshAfterAnswer();
    // Both pending lists emptied by an answer.
    void finishDeviceBatch();
    // A device list and the edited contact that points into it change together.
    void changeDeviceList(int storage, const std::function<void(QList<QVariantMap> &)> &change);
    void repeatSearchIfSearching();
    void writeContactToList(const QVariantMap &contact, QList<QVariantMap> &list);
    void writeContactToAllPhoneList(const QVariantMap &contact, int storage);
    void saveContactToPcWhenSimFull(const QVariantMap &contact, int source);
    void failPendingWrite(int position);
    void markMoveSource(int source, bool written);
    void collectDialogFields(QVariantMap &contact, const ContactDialogValues &values) const;
    // The copy's and the move's common road from the prepared contacts to the destination.
    void addContactListToDestPos(const QString &destination);
    void endCopyAfterFailedSwitch();
    // With HasMePosition, asks the modem back to the storage of the side shown (SIM or device)
    // when it works on another one.
    void requestStorageOfShownSide();
    // A write that could not be sent counts as refused.
    void sendPendingWrites(int storage, const std::function<int()> &newIndex, bool stopWhenFull);
    void continueMoveAfterWrites();
    void deleteMovedPcSources();
    void deleteMovedTCardSources();
    void deletItemFromMoveDelList();
    void finishMove(bool failed);
    void addPreparedEntries(QList<QVariantMap> entries, int storage, bool dropRepeats);
    bool saveSplitEntry(QVariantMap entry);
    // Numbers the queued SIM records that have no index yet and sends them all; those without room
    // or that could not be sent fail once every one is out, so the batch ends only after the last.
    void sendQueuedSimWrites();

    DefaultPBExtensions defaultExtensions_;
    PBExtensionInterface *extensions_ = &defaultExtensions_;
    QList<PendingWrite> addContactInfo_;
    QList<int> delContactStorage_;
    QList<MoveSource> moveSources_;
    int preparingSource_ = -1;
    MovePhase movePhase_ = MovePhase::None;
    int requestedStorage_ = 0;
    StorageRequest storageRequest_ = StorageRequest::None;
    SavePositionCells savePositionCells_;
    int selectedSavePosition_ = 0;
    QString copyDestination_;

    PBConfiguration configuration_;
    // The plug-in bridge's helpers.
    void postAddContactResult();
    // The computer contact of a record number: in the current group, else in the first group.
    std::optional<ContactPlace> pcPlaceOfPluginIndex(int index) const;
    bool pluginFieldsPass(const QVariantMap &item);

    ContactFieldTexts pluginFields_;
    QString pcFileName_ = kDefaultFileName;
    NumberPlanRule phonebookUpdatedRule_;
    std::optional<TCardPhonebookFiles> tcardFiles_; // the card's phonebook folder, once found
    QString pcFileLeftInPlace_; // an unreadable file that could not be set aside: never written over
    std::optional<QList<ContactPlace>> m_CurrentSearchGroup;
    QString m_SearchString;
};

} // namespace ostrel
