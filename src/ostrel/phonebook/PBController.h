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
// The source files: PBController.cpp (life cycle, neighbour calls, alerts), PBControllerPcList.cpp
// (the computer file, groups, counts, record numbers, the all-storage list, the dialog's adds and
// edits), PBControllerRules.cpp (field limits and checks, uniqueness, renaming, free space),
// PBControllerLookup.cpp (number lookup and search). Main thread only.
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/PBControllerInterface.h"
#include "ostrel/phonebook/ContactColumns.h"
#include "ostrel/phonebook/ContactFieldRules.h"
#include "ostrel/phonebook/PBConfiguration.h"
#include "ostrel/phonebook/PBContact.h"
#include "ostrel/phonebook/PcPhoneBookFile.h"

#include <QList>
#include <QLoggingCategory>
#include <QStringList>
#include <QVariantMap>

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

    // Reads the configuration and the computer phonebook file.
    void initializeController() override;

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
    // The computer side of the page comes with the page.
    void selectAtPCSide() override {}
    QString getDiagnosticsContact() const override;
    void setCurDefGrpName() override;
    QString searchNameAtPhoneBook(const QString &number) override;
    bool hasPhoneNumber(const QString &number) override;
    QVariantMap getMatchUserItemAtUSIMSide(const QString &number) override;
    // The new-contact window, the save-number menu items and the toolbar buttons come with the
    // phonebook page.
    void toPbUserWinWithPhoneNumber(const QString &, const QString &) override {}
    void clickSavePhoneNumber(QObject *) override {}
    NSFlickerButton *getFlickerButtonOfToolItemFromID(const QString &) const override { return nullptr; }

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
    // The storage selected once the device phonebook is read: the page's matrix comes with the page.
    void setDefaultSelectMemory() {}
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
    bool hasMePosition_ = false;
    int phonebookOperate_ = OperationNone;
    int lastSelectSavePos_ = 0;
    bool hasPhoneNumberFlag_ = false;

private:
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

    PBConfiguration configuration_;
    QString pcFileName_ = kDefaultFileName;
    QString pcFileLeftInPlace_; // an unreadable file that could not be set aside: never written over
    std::optional<QList<ContactPlace>> m_CurrentSearchGroup;
    QString m_SearchString;
};

} // namespace ostrel
