// Copying and moving contacts between the computer's groups, the SIM and the device memory, the
// split of a computer contact into SIM entries, the capacity questions, and saving a number that
// another area hands over.
#include "ostrel/phonebook/PBController.h"

#include "common/phonebook/SimAlphaCoding.h"
#include "ostrel/phonebook/ContactLists.h"
#include "ostrel/phonebook/PhoneBookService.h"

namespace ostrel {

namespace {

constexpr int kMaxEntriesOfOneMoveToSim = 250;
// Bits of the device's field flags.
constexpr int kFieldFlagNumber2 = 4;
constexpr int kFieldFlagNumber3 = 8;
constexpr int kFieldFlagEmail = 16;

} // namespace

int PBController::storageOfDestination(const QString &destination)
{
    if (destination == localized(QStringLiteral("(U)SIM")))
        return yov::kPbStorageSim;
    if (destination == localized(QStringLiteral("Data Card")))
        return yov::kPbStorageMe;
    return 0;
}

// ---- the copy and the move ----------------------------------------------------------------------

bool PBController::copySelectedContacts(const ContactSelection &selection, const QString &destination)
{
    copyDestination_ = destination;
    phonebookOperate_ = OperationCopy;
    isMoveAndDelStatus_ = false;
    moveSources_.clear();
    clearAddUserList();
    if (!canCopyContacts(selection)) {
        clearAddUserList();
        return false;
    }
    extensions().setPBMenuAndExportStatus(false);
    setSavePosEnabled(false);
    addContactListToDestPos(destination);
    return true;
}

bool PBController::moveSelectedContacts(const ContactSelection &selection, const QString &destination)
{
    copyDestination_ = destination;
    phonebookOperate_ = OperationMove;
    isMoveAndDelStatus_ = true;
    firstWriteFailedFlag_ = true;
    moveSources_.clear();
    movePhase_ = MovePhase::Writing;
    clearAddUserList();
    if (!canCopyContacts(selection)) {
        clearAddUserList();
        moveSources_.clear();
        movePhase_ = MovePhase::None;
        isMoveAndDelStatus_ = false;
        return false;
    }
    extensions().setPBMenuAndExportStatus(false);
    setSavePosEnabled(false);
    // The sources stay until the destination holds them (continueMoveAfterWrites).
    addContactListToDestPos(destination);
    return true;
}

void PBController::addContactListToDestPos(const QString &destination)
{
    const int storage = storageOfDestination(destination);
    if (storage == 0) {
        copyContactsToPC();
        return;
    }
    if (configuration_.HasMePosition && currentStorage_ != storage) {
        setModemStorage(storage); // the answer continues (continueCopyContactsToPos)
        return;
    }
    if (storage == yov::kPbStorageSim) {
        extensions().preDoWithProcessBeforeOperation(int(m_AddContactList.size()));
        copyContactsToSIM();
    } else {
        copyContactsToME();
    }
}

void PBController::endCopyAfterFailedSwitch()
{
    clearAddUserList();
    setSavePosEnabled(true);
    extensions().setPBMenuAndExportStatus(true);
    firstWriteFailedFlag_ = true;
    tellOperationFailedOnce();
    if (isMoveAndDelStatus_)
        finishMove(false);
}

void PBController::continueMoveAfterWrites()
{
    if (movePhase_ != MovePhase::Writing) {
        finishMove(false);
        return;
    }
    movePhase_ = MovePhase::Deleting;
    deleteMovedPcSources();
    deleteMovedTCardSources();
    clearDelUserList();
    int sourceStorage = 0;
    for (const MoveSource &source : moveSources_) {
        if (!source.moved() || (source.storage != PBStorage::SIM && source.storage != PBStorage::ME))
            continue;
        sourceStorage = source.storage == PBStorage::SIM ? yov::kPbStorageSim : yov::kPbStorageMe;
        addContactToDelUserList(contactIndex(source.contact));
    }
    if (m_DelContactList.isEmpty()) {
        finishMove(false);
        return;
    }
    if (configuration_.HasMePosition && currentStorage_ != sourceStorage) {
        requestStorage(sourceStorage, StorageRequest::MoveDeletes);
        return;
    }
    deletItemFromMoveDelList();
}

void PBController::deleteMovedPcSources()
{
    bool removed = false;
    for (const MoveSource &source : moveSources_) {
        if (source.storage != PBStorage::PC || !source.moved())
            continue;
        const int group = userGroupIndexByGroupName(source.group);
        if (group < 0)
            continue;
        const qsizetype row = m_PcPhoneList.at(group).contacts.indexOf(source.contact);
        if (row < 0)
            continue;
        // The contact chosen for editing and the found contacts keep their places.
        removePcRow(group, int(row));
        if (hasContactIndex(source.contact))
            deleteItemInAllUserList(contactIndex(source.contact), saveposTag::pc);
        removed = true;
    }
    if (!removed)
        return;
    savePhoneList2File();
    repeatSearchIfSearching();
    extensions().reloadContactTable();
    extensions().SetConpacityShow();
}

void PBController::deleteMovedTCardSources()
{
    bool removed = false;
    for (const MoveSource &source : moveSources_) {
        if (source.storage != PBStorage::TCard || !source.moved())
            continue;
        // A card record that cannot be deleted stays, and its contact with it.
        if (!extensions().deleteTCardRecord(source.contact)) {
            qCWarning(lcPhonebook) << "A moved memory-card contact could not be deleted from the card; it stays there";
            tellOperationFailedOnce();
            continue;
        }
        m_TCardPhoneList.removeOne(source.contact);
        deleteItemInAllUserList(contactIndex(source.contact), saveposTag::tcard);
        removed = true;
    }
    if (!removed)
        return;
    repeatSearchIfSearching();
    extensions().reloadContactTable();
    extensions().SetConpacityShow();
}

void PBController::deletItemFromMoveDelList()
{
    if (!isMoveAndDelStatus_)
        return;
    setSavePosEnabled(false);
    QList<int> unsent;
    for (int i = 0; i < m_DelContactList.size(); ++i) {
        delContactStorage_[i] = currentStorage_;
        const int index = contactIndex(m_DelContactList.at(i));
        if (!deleteContactFromSim(index))
            unsent.append(index);
    }
    for (int index : unsent)
        handleWriteResult({index, yov::kPbOperationDelete, 0});
}

void PBController::finishMove(bool failed)
{
    if (failed)
        tellOperationFailedOnce();
    moveSources_.clear();
    movePhase_ = MovePhase::None;
    isMoveAndDelStatus_ = false;
    setSavePosEnabled(true);
    extensions().setPBMenuAndExportStatus(true);
    // A move that deleted no device source may have left the modem on its destination: the side
    // shown works on its own storage again. After a refused switch nothing is asked again.
    if (!failed)
        requestStorageOfShownSide();
}

// ---- preparing --------------------------------------------------------------------------------------

bool PBController::canCopyContacts(const ContactSelection &selection)
{
    if (selection.rows.isEmpty() || !checkFreeSpace(copyDestination_))
        return false;
    filterCopyContacts(selection);
    return reCheckFreeSpace(copyDestination_);
}

void PBController::filterCopyContacts(const ContactSelection &selection)
{
    const bool searching = !m_SearchString.isEmpty();
    for (int row : selection.rows) {
        std::optional<ContactPlace> place;
        if (searching)
            place = placeOfCurSearchGroup(row);
        else if (selection.side == PBStorage::PC)
            place = ContactPlace{PBStorage::PC, m_CurGroupIndex, row};
        else if (selection.side == PBStorage::SIM || selection.side == PBStorage::ME || selection.side == PBStorage::TCard)
            place = ContactPlace{selection.side, -1, row};
        const QVariantMap contact = place ? contactAt(*place) : QVariantMap();
        if (contact.isEmpty())
            continue;
        MoveSource source;
        source.storage = place->storage;
        source.contact = contact;
        if (place->storage == PBStorage::PC)
            source.group = m_PcPhoneList.at(place->group).name();
        moveSources_.append(source);
        preparingSource_ = int(moveSources_.size()) - 1;
        addCopyContactToPos(contact);
        preparingSource_ = -1;
    }
}

void PBController::addCopyContactToPos(const QVariantMap &contact)
{
    const int storage = storageOfDestination(copyDestination_);
    if (storage == 0)
        addCopyContactToPC(contact);
    else
        addCopyContact(contact, storage);
}

void PBController::addCopyContactToPC(const QVariantMap &contact)
{
    const int group = userGroupIndexByGroupName(copyDestination_);
    if (group < 0)
        return;
    using yov::phonebook::deleteExtraContent;
    const QVariantMap copy{
        {contactkey::username, deleteExtraContent(contactName(contact), pcNameMaxLen_)},
        {contactkey::mobilephone, deleteExtraContent(contactMobile(contact), pcNumberMaxLen_)},
        {contactkey::officephone, deleteExtraContent(contactText(contact, contactkey::officephone), pcNumberMaxLen_)},
        {contactkey::homephone, deleteExtraContent(contactText(contact, contactkey::homephone), pcNumberMaxLen_)},
        {contactkey::email, deleteExtraContent(contactText(contact, contactkey::email), pcEmailMaxLen_)},
    };
    if (configuration_.PBNameAndNumberUnique || configuration_.NotAllowSameRecordInOneGroup) {
        const QString name = contactName(copy);
        const QString number = contactMobile(copy);
        if (ContactLists::isSameItemInCurtContent(name, number, m_AddContactList)
            || ContactLists::isSameItemInCurtContent(name, number, m_PcPhoneList.at(group).contacts))
            return;
    }
    appendPendingWrite(copy, 0, preparingSource_);
}

void PBController::addCopyContact(const QVariantMap &contact, int storage)
{
    // Each storage's own limits: the device memory's are not the SIM's.
    const FieldLimits limits = limitsOfStorage(int(storage == yov::kPbStorageSim ? PBStorage::SIM : PBStorage::ME));
    const QString name = yov::phonebook::reSetNameStrWithInputName(contactName(contact), limits.name);
    QList<QVariantMap> entries;
    bool onePerNumber = true;
    if (!configuration_.SimFieldAutoDetectionEnabled) {
        entries = PhoneBookService::entriesPerNumber(contact, name, limits);
    } else {
        const int fieldCount = PhoneBookService::getSimFieldCount(m_simContactFiledsFlag);
        onePerNumber = fieldCount == 1;
        const QVariantMap first{
            {contactkey::username, name},
            {contactkey::mobilephone, yov::phonebook::deleteExtraContent(contactMobile(contact), limits.mobile)}};
        // A name and mobile number already prepared are not prepared again.
        if (!ContactLists::isSameItemInCurtContent(contactName(first), contactMobile(first), m_AddContactList))
            PhoneBookService::changeContactAccordToPBFiledCount(contact, entries, first, fieldCount, limits);
    }
    addPreparedEntries(entries, storage, onePerNumber);
}

void PBController::addPreparedEntries(QList<QVariantMap> entries, int storage, bool dropRepeats)
{
    const bool unique = configuration_.PBNameAndNumberUnique || configuration_.NotAllowSameRecordInOneGroup;
    QList<QVariantMap> kept;
    for (const QVariantMap &entry : entries) {
        const QString name = contactName(entry);
        const QString number = contactMobile(entry);
        if (unique && dropRepeats
            && (ContactLists::isSameItemInCurtContent(name, number, kept)
                || ContactLists::isSameItemInCurtContent(name, number, m_AddContactList)))
            continue;
        // Entries the destination already holds.
        if (unique && (storage == yov::kPbStorageSim ? contactNameExistInSIM(name, number) : contactNameExistInME(name, number)))
            continue;
        kept.append(entry);
    }
    for (const QVariantMap &entry : kept)
        appendPendingWrite(entry, storage, preparingSource_);
    if (kept.isEmpty())
        setSavePosEnabled(true);
}

// ---- writing --------------------------------------------------------------------------------------

void PBController::copyContactsToPC()
{
    const int group = userGroupIndexByGroupName(copyDestination_);
    bool allAdded = group >= 0;
    if (group >= 0) {
        const QString groupName = m_PcPhoneList.at(group).name();
        for (int i = 0; i < m_AddContactList.size(); ++i) {
            QVariantMap copy = m_AddContactList.at(i);
            copy.insert(contactkey::groupname, groupName);
            const bool added = addContactToPcPhoneList(copy, group); // refuses once the computer is full
            markMoveSource(addContactInfo_.at(i).source, added);
            allAdded = allAdded && added;
        }
        // A move deletes its sources only once the computer's file holds their copies.
        if (!savePhoneList2File()) {
            for (const PendingWrite &pending : std::as_const(addContactInfo_))
                markMoveSource(pending.source, false);
            allAdded = false;
        }
    }
    clearAddUserList();
    extensions().reloadContactTable();
    extensions().SetConpacityShow();
    setSavePosEnabled(true);
    if (phonebookOperate_ != OperationMove || !isMoveAndDelStatus_)
        return;
    if (!allAdded)
        tellOperationFailedOnce();
    continueMoveAfterWrites();
}

void PBController::copyContactsToSIM()
{
    if (m_AddContactList.isEmpty())
        return;
    firstWriteFailedFlag_ = true;
    sendPendingWrites(yov::kPbStorageSim, [this] { return simNewContactIndex(); }, false);
}

void PBController::copyContactsToME()
{
    if (m_AddContactList.isEmpty())
        return;
    firstWriteFailedFlag_ = true;
    sendPendingWrites(yov::kPbStorageMe, [this] { return meNewContactIndex(); }, true);
}

void PBController::sendPendingWrites(int storage, const std::function<int()> &newIndex, bool stopWhenFull)
{
    // The whole batch goes out at once; the answers complete it. Indexes numbered in this loop
    // count as taken.
    QList<int> unsent;
    int sent = 0;
    int i = 0;
    for (; i < m_AddContactList.size(); ++i) {
        // The device memory's count grows by what a move sends, as if the contacts were there.
        const int counted = getMeUserNumber() + (phonebookOperate_ == OperationMove ? sent : 0);
        if (stopWhenFull && counted > meMaxIndex_)
            break;
        const int index = newIndex();
        m_AddContactList[i].insert(contactkey::index, index);
        addContactInfo_[i].storage = storage;
        if (!writeContactToSIM(m_AddContactList.at(i)))
            unsent.append(index);
        ++sent;
    }
    // Contacts the loop left unsent would wait for an answer that never comes: they fail now.
    const bool dropped = i < m_AddContactList.size();
    while (m_AddContactList.size() > i)
        failPendingWrite(i);
    if (dropped)
        tellOperationFailedOnce();
    for (int index : unsent)
        handleWriteResult({index, yov::kPbOperationWrite, 0});
    if (sent == 0 && m_AddContactList.isEmpty() && m_DelContactList.isEmpty()) {
        finishDeviceBatch();
        refreshAfterAnswer();
    }
}

// ---- one computer contact as SIM entries -----------------------------------------------------------

bool PBController::moveSelectedContactFromPCToSim(const QVariantMap &contact)
{
    switch (PhoneBookService::getSimFieldCount(m_simContactFiledsFlag)) {
    case 1:
        return moveContactFromPcToSimBy1way(contact);
    case 2:
        return moveContactFromPcToSimBy2way(contact);
    case 3:
        return moveContactFromPcToSimBy3way(contact);
    default:
        return true;
    }
}

bool PBController::saveSplitEntry(QVariantMap entry)
{
    const int index = simNewContactIndex();
    if (index > simMaxIndex_) {
        qCWarning(lcPhonebook).noquote() << QStringLiteral("Invalid SIM index: %1").arg(index);
        return false;
    }
    entry.insert(contactkey::index, index);
    doUniqueCheckIfNeededOfContact(entry, 0);
    saveContactToSim(entry);
    return true;
}

bool PBController::moveContactFromPcToSimBy1way(const QVariantMap &contact)
{
    for (const QString &key : {contactkey::mobilephone, contactkey::homephone, contactkey::officephone}) {
        const QString number = contactText(contact, key);
        if (!number.isEmpty() && !saveSplitEntry({{contactkey::username, contactName(contact)}, {contactkey::mobilephone, number}}))
            return false;
    }
    return true;
}

bool PBController::moveContactFromPcToSimBy2way(const QVariantMap &contact)
{
    const bool hasNumber2 = m_simContactFiledsFlag & kFieldFlagNumber2;
    const bool hasNumber3 = m_simContactFiledsFlag & kFieldFlagNumber3;
    const QString email = (m_simContactFiledsFlag & kFieldFlagEmail) ? contactText(contact, contactkey::email) : QString();
    const auto entryWithName = [&] {
        QVariantMap entry{{contactkey::username, contactName(contact)}};
        if (!email.isEmpty())
            entry.insert(contactkey::email, email);
        return entry;
    };
    QVariantMap first = entryWithName();
    if (!contactMobile(contact).isEmpty())
        first.insert(contactkey::mobilephone, contactMobile(contact));
    // The number the first entry keeps beside the mobile; the other one makes a second entry.
    QString remaining;
    if (hasNumber2 || hasNumber3) {
        const QString &keptKey = hasNumber2 ? contactkey::homephone : contactkey::officephone;
        const QString kept = contactText(contact, keptKey);
        if (!kept.isEmpty())
            first.insert(keptKey, kept);
        remaining = contactText(contact, hasNumber2 ? contactkey::officephone : contactkey::homephone);
    }
    if (!saveSplitEntry(first))
        return false;
    if (remaining.isEmpty())
        return true;
    QVariantMap second = entryWithName();
    second.insert(contactkey::mobilephone, remaining);
    return saveSplitEntry(second);
}

bool PBController::moveContactFromPcToSimBy3way(const QVariantMap &contact) { return saveSplitEntry(contact); }

// ---- capacity questions -----------------------------------------------------------------------------

int PBController::calContactRecordsFromPcToSim(const QList<int> &rows) const
{
    const int fieldCount = PhoneBookService::getSimFieldCount(m_simContactFiledsFlag);
    int records = 0;
    for (int row : rows)
        records += PhoneBookService::recordsNeeded(getUserFromCurGroup(row), fieldCount);
    return records;
}

namespace {
template <typename Contacts>
int numbersOfRows(const Contacts &contactOfRow, const QList<int> &rows)
{
    int numbers = 0;
    for (int row : rows)
        numbers += PhoneBookService::nonEmptyNumbers(contactOfRow(row));
    return numbers;
}
} // namespace

bool PBController::hasEnounghSimSpace(const QList<int> &rows) const
{
    const int needed = configuration_.SimFieldAutoDetectionEnabled
                           ? calContactRecordsFromPcToSim(rows)
                           : numbersOfRows([this](int row) { return getUserFromCurGroup(row); }, rows);
    return simMaxIndex_ >= getSimUserNumber() + needed;
}

int PBController::isMove2SIM(bool flag, const QList<int> &rows) const
{
    int added = int(rows.size());
    if (!flag) {
        added = numbersOfRows([this](int row) { return getUserFromCurGroup(row); }, rows);
        if (added > kMaxEntriesOfOneMoveToSim)
            return 2;
    }
    return getSimUserNumber() + added > simMaxIndex_ ? 1 : 0;
}

bool PBController::isMove2PC(int source, int selected) const
{
    const int added = (source >= 0 && source <= 2) ? selected : 0;
    return sumOfContactInPC() + added <= PCUserMaxCount;
}

bool PBController::isMove2TCard(int selected) const { return getTCardUserNumber() + selected <= PCUserMaxCount; }

int PBController::addUserSimFullProc()
{
    if (configuration_.SaveToPCWhenSimFull)
        return popupAlertOkCancel(QStringLiteral("The SIM card is full.Do you want to save the contact to PC?")) == 1 ? 1 : 2;
    popupAlertOk(QStringLiteral("SIM Record full,Please delete records first!"));
    return 0;
}

bool PBController::canCopyContactToSIM(const QVariantMap &contact, const QString &numberKey) const
{
    if (!configuration_.PBNameAndNumberUnique && !configuration_.NotAllowSameRecordInOneGroup)
        return true;
    const QString mobile = contactMobile(contact);
    const QString home = contactText(contact, contactkey::homephone);
    if (numberKey == contactkey::homephone)
        return home != mobile;
    if (numberKey == contactkey::officephone) {
        const QString office = contactText(contact, contactkey::officephone);
        return office != mobile && office != home;
    }
    return true;
}

// ---- saving a number from another area --------------------------------------------------------------

void PBController::toPbUserWinWithPhoneNumber(const QString &number, const QString &selectPos)
{
    saveToNumberFromOtherModule_ = number;
    saveToNumberAtPos_ = selectPos;
    const int storage = storageOfDestination(selectPos);
    if (storage == 0) {
        savePhoneNumberFromOtherModuleToPC(number);
        return;
    }
    if (configuration_.HasMePosition && currentStorage_ != storage) {
        phonebookOperate_ = OperationSaveNumber;
        setModemStorage(storage); // the answer continues (continueSaveNumberTo)
        return;
    }
    if (storage == yov::kPbStorageSim)
        savePhoneNumberFromOtherModuleToSIM(number);
    else
        savePhoneNumberFromOtherModuleToME(number);
}

void PBController::savePhoneNumberFromOtherModuleToPC(const QString &number)
{
    selectedSavePosition_ = int(PBStorage::PC);
    extensions().openAddDialogToSaveNumber(int(PBStorage::PC), number);
}

void PBController::savePhoneNumberFromOtherModuleToSIM(const QString &number)
{
    currentStorage_ = yov::kPbStorageSim;
    selectedSavePosition_ = int(PBStorage::SIM);
    extensions().openAddDialogToSaveNumber(int(PBStorage::SIM), number);
}

void PBController::savePhoneNumberFromOtherModuleToME(const QString &number)
{
    currentStorage_ = yov::kPbStorageMe;
    selectedSavePosition_ = int(PBStorage::ME);
    extensions().openAddDialogToSaveNumber(int(PBStorage::ME), number);
}

} // namespace ostrel
