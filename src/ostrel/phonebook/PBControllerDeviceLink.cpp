// The device phonebook link: the storage reports (1025/0), the storage switch (1027/118), the
// write and delete records (1029/122) with their answers, the pending lists, and the contact
// dialog's adds and edits on the SIM and the device memory.
#include "ostrel/phonebook/PBController.h"

#include "common/records/phonebook/PhonebookItemsFile.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/phonebook/ContactLists.h"

#include <algorithm>
#include <utility>

namespace ostrel {

using namespace yov::pbmsg;

namespace {

// The storage of a contact prepared for the computer in the pending list.
constexpr int kPendingForComputer = 0;

// The data a received record's length field names, at most maxBytes; what it does not carry reads
// as zero.
yov::PayloadReader receivedPhonebookData(const yov::UI_MSG &msg, int maxBytes)
{
    const int length = std::clamp(msg.dataLength, 0, std::min(maxBytes, yov::kUiMsgDataSize));
    return yov::PayloadReader(QByteArray(reinterpret_cast<const char *>(msg.data), length));
}

QString saveposOfDeviceStorage(int storage)
{
    if (storage == yov::kPbStorageSim)
        return saveposTag::sim;
    if (storage == yov::kPbStorageMe)
        return saveposTag::me;
    return {};
}

QVariantMap contactOfItem(const yov::PhonebookItem &item, bool allFields)
{
    QVariantMap contact{{contactkey::index, item.index}};
    const auto put = [&contact](const QString &key, const std::optional<QString> &text) {
        if (text)
            contact.insert(key, *text);
    };
    put(contactkey::username, item.name);
    put(contactkey::mobilephone, item.number1);
    if (allFields) {
        put(contactkey::homephone, item.number2);
        put(contactkey::officephone, item.number3);
        put(contactkey::email, item.email);
    }
    return contact;
}

} // namespace

// ---- registration and handlers ------------------------------------------------------------------

void PBController::registerMessages()
{
    registerNotificationTables();
    YOVMsgCenter *center = yovMsgCenter();
    if (!center)
        return;
    center->registerObserver(this, &PBController::modemStorageChanged, kMajorStorage, kMinorStorage);
    center->registerObserver(this, &PBController::phonebookInitFinished, kMajorInit, kMinorInit);
    center->registerObserver(this, &PBController::phonebookWriteResult, kMajorWrite, kMinorWrite);
}

void PBController::phonebookInitFinished(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    handlePhonebookInit(
        yov::PhonebookInitRecord::decode(receivedPhonebookData(msg, yov::PhonebookInitRecord::kSize)));
}

void PBController::modemStorageChanged(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    handleStorageAnswer(msg.result);
}

void PBController::phonebookWriteResult(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    yovMsgCenter()->getMsgPackage(&msg, &notification);
    handleWriteResult(yov::PhonebookWriteResult::decode(receivedPhonebookData(msg, yov::PhonebookWriteResult::kSize)));
}

// ---- a storage reported -------------------------------------------------------------------------

void PBController::handlePhonebookInit(const yov::PhonebookInitRecord &record)
{
    if (!record.pathTerminated) {
        qCWarning(lcPhonebook) << "A phonebook report whose items path has no terminating zero was ignored";
        return;
    }
    if (!setBaseInfo(record, record.storage)) {
        qCWarning(lcPhonebook) << "A phonebook report of the unknown storage" << record.storage << "was ignored";
        return;
    }
    if (record.storage == yov::kPbStorageSim) {
        simInitFinished_ = true;
        const QList<QVariantMap> contacts = readDevicePhonebook(record.path, yov::kPbStorageSim);
        changeDeviceList(yov::kPbStorageSim, [&contacts](QList<QVariantMap> &list) { list = contacts; });
        // A storage reported again replaces what its first report added.
        removeAllListEntries(saveposTag::sim);
        removeAllListEntries(saveposTag::pc);
        addListToAllPhoneList(m_SimPhoneList, yov::kPbStorageSim);
        addPcPhoneListToAllPhoneList();
        initTCard();
    } else {
        meInitFinished_ = true;
        const QList<QVariantMap> contacts = readDevicePhonebook(record.path, yov::kPbStorageMe);
        changeDeviceList(yov::kPbStorageMe, [&contacts](QList<QVariantMap> &list) { list = contacts; });
        removeAllListEntries(saveposTag::me);
        addListToAllPhoneList(m_MePhoneList, yov::kPbStorageMe);
        postPhonebookInitFinishedMessage();
    }
    repeatSearchIfSearching();
    setSavePosEnabled(true);
    setDefaultSelectMemory();
    Neighbours::sms().loadSaveNumberBtnwithState(true);
    if (!configuration_.HasMePosition)
        postPhonebookInitFinishedMessage();
}

bool PBController::setBaseInfo(const yov::PhonebookInitRecord &record, int storage)
{
    if (storage != yov::kPbStorageMe && storage != yov::kPbStorageSim)
        return false;
    const auto nonNegative = [](std::int32_t value) { return std::max<std::int32_t>(0, value); };
    int minIndex = nonNegative(record.minIndex);
    int maxIndex = nonNegative(record.maxIndex);
    if (minIndex > maxIndex) {
        qCWarning(lcPhonebook) << "Phonebook storage" << storage << "reports the lowest index" << minIndex
                               << "above the highest" << maxIndex << "; it is taken to have no room";
        minIndex = maxIndex = 0;
    }
    const bool sim = storage == yov::kPbStorageSim;
    currentStorage_ = storage;
    (sim ? simMaxIndex_ : meMaxIndex_) = maxIndex;
    (sim ? simMinIndex_ : meMinIndex_) = minIndex;
    (sim ? simNumberMaxLen_ : meNumberMaxLen_) = nonNegative(record.numberLength);
    (sim ? simNameMaxLen_ : meNameMaxLen_) = nonNegative(record.nameLength);
    if (!configuration_.SimFieldAutoDetectionEnabled)
        return true;
    (sim ? simNumber2MaxLen_ : meNumber2MaxLen_) = nonNegative(record.number2Length);
    (sim ? simNumber3MaxLen_ : meNumber3MaxLen_) = nonNegative(record.number3Length);
    (sim ? simMailMaxLen_ : meMailMaxLen_) = nonNegative(record.emailLength);
    if (configuration_.D3UDefinedPBItemLength) {
        simNumberMaxLen_ = simNumber2MaxLen_ = simNumber3MaxLen_ = pcNumberMaxLen_;
        simNameMaxLen_ = pcNameMaxLen_;
        simMailMaxLen_ = pcEmailMaxLen_;
    }
    const struct {
        std::int32_t length;
        ContactField field;
    } fields[] = {
        {record.nameLength, ContactField::Name},       {record.numberLength, ContactField::Mobile},
        {record.number2Length, ContactField::Home},    {record.number3Length, ContactField::Office},
        {record.emailLength, ContactField::Email},
    };
    m_simContactFiledsFlag = 0;
    for (const auto &f : fields) {
        if (f.length > 0)
            m_simContactFiledsFlag |= ContactFieldRules::maskOf(f.field);
    }
    return true;
}

QList<QVariantMap> PBController::readDevicePhonebook(const QString &path, int storage) const
{
    const bool sim = storage == yov::kPbStorageSim;
    // Record indexes count from 1.
    const int minIndex = std::max(1, sim ? simMinIndex_ : meMinIndex_);
    const int maxIndex = sim ? simMaxIndex_ : meMaxIndex_;
    const yov::PhonebookItemsRead read = yov::PhonebookItemsFile::read(path, minIndex, maxIndex);
    for (const QString &note : read.notes)
        qCWarning(lcPhonebook).noquote() << note;
    QList<QVariantMap> contacts;
    contacts.reserve(read.items.size());
    for (const yov::PhonebookItem &item : read.items)
        contacts.append(contactOfItem(item, configuration_.SimFieldAutoDetectionEnabled));
    ContactLists::sortList(contacts);
    return contacts;
}

void PBController::removeAllListEntries(const QString &savepos)
{
    m_allPhoneList.removeIf([&savepos](const QVariantMap &entry) { return contactText(entry, contactkey::savepos) == savepos; });
}

// ---- requests -----------------------------------------------------------------------------------

void PBController::setModemStorage(int storage) { requestStorage(storage, StorageRequest::Operation); }

void PBController::requestStorage(int storage, StorageRequest purpose)
{
    requestedStorage_ = storage;
    storageRequest_ = purpose;
    // A request that did not reach the device service is never answered: it fails at once.
    if (!sendRequest<kMajorStorage, kMinorStorage>(yov::PhonebookStorageRequest{storage}))
        handleStorageAnswer(0);
}

bool PBController::writeContactToSIM(const QVariantMap &contact)
{
    yov::PhonebookWriteRequest request;
    request.index = contactIndex(contact);
    request.name = contactName(contact);
    request.number1 = contactMobile(contact);
    if (configuration_.SimFieldAutoDetectionEnabled) {
        request.number2 = contactText(contact, contactkey::homephone);
        request.number3 = contactText(contact, contactkey::officephone);
        request.email = contactText(contact, contactkey::email);
    }
    request.operation = yov::kPbOperationWrite;
    return sendRequest<kMajorWrite, kMinorWrite>(request);
}

bool PBController::deleteContactFromSim(int index)
{
    yov::PhonebookWriteRequest request;
    request.index = index;
    request.operation = yov::kPbOperationDelete;
    return sendRequest<kMajorWrite, kMinorWrite>(request);
}

void PBController::saveContactToSim(const QVariantMap &contact)
{
    const bool sent = writeContactToSIM(contact);
    appendPendingWrite(contact, currentStorage_);
    if (!sent)
        handleWriteResult({contactIndex(contact), yov::kPbOperationWrite, 0});
}

// ---- pending lists ------------------------------------------------------------------------------

void PBController::appendPendingWrite(const QVariantMap &contact, int storage, int source)
{
    m_AddContactList.append(contact);
    addContactInfo_.append({storage, source});
    if (source >= 0 && source < moveSources_.size())
        ++moveSources_[source].entries;
}

void PBController::removePendingWrite(int position)
{
    m_AddContactList.removeAt(position);
    addContactInfo_.removeAt(position);
}

void PBController::failPendingWrite(int position)
{
    markMoveSource(addContactInfo_.at(position).source, false);
    removePendingWrite(position);
}

int PBController::pendingWritePosition(int index) const
{
    for (int i = 0; i < m_AddContactList.size(); ++i) {
        if (addContactInfo_.at(i).storage != kPendingForComputer && hasContactIndex(m_AddContactList.at(i))
            && contactIndex(m_AddContactList.at(i)) == index)
            return i;
    }
    return -1;
}

void PBController::addContactToAddUserList(const QVariantMap &contact) { appendPendingWrite(contact, currentStorage_); }

void PBController::deleteContactFromAddUserList()
{
    if (m_AddContactList.isEmpty()) {
        beginAlertOk(QStringLiteral("No deletion will take place!"));
        return;
    }
    removePendingWrite(0);
}

void PBController::addContactToDelUserList(int index)
{
    m_DelContactList.append({{contactkey::index, index}});
    delContactStorage_.append(currentStorage_);
}

void PBController::deleteContactFromDelUserList()
{
    if (m_DelContactList.isEmpty())
        return;
    m_DelContactList.removeFirst();
    delContactStorage_.removeFirst();
}

void PBController::clearAddUserList()
{
    m_AddContactList.clear();
    addContactInfo_.clear();
}

void PBController::clearDelUserList()
{
    m_DelContactList.clear();
    delContactStorage_.clear();
}

void PBController::markMoveSource(int source, bool written)
{
    if (source < 0 || source >= moveSources_.size())
        return;
    if (written)
        ++moveSources_[source].written;
    else
        moveSources_[source].failed = true;
}

// ---- answers ------------------------------------------------------------------------------------

void PBController::handleWriteResult(const yov::PhonebookWriteResult &result)
{
    bool matched = false;
    if (result.operation == yov::kPbOperationWrite) {
        matched = pendingWritePosition(result.index) >= 0;
        if (result.succeeded())
            writeContactToSIMSuccess(result.index);
        else
            writeContactToSIMFail(result.index);
    } else if (result.operation == yov::kPbOperationDelete) {
        matched = ContactLists::positionOfIndex(result.index, m_DelContactList) >= 0;
        if (result.succeeded())
            deleteSuccessInModem(result.index);
        else
            deleteFailInModem(result.index);
        if (matched && phonebookOperate_ == OperationRestore && updateOrRestoreRunning_ && m_DelContactList.isEmpty())
            writeContactFromRestoreFileToSIM();
    }
    // An answer nobody waits for ends nothing.
    if (matched && m_AddContactList.isEmpty() && m_DelContactList.isEmpty())
        finishDeviceBatch();
    refreshAfterAnswer();
}

void PBController::finishDeviceBatch()
{
    extensions().updateOrRestoreResult();
    changeModemStorageAfterCopy();
    setSavePosEnabled(true);
    if (phonebookOperate_ == OperationMove && isMoveAndDelStatus_)
        continueMoveAfterWrites();
}

void PBController::refreshAfterAnswer()
{
    repeatSearchIfSearching();
    extensions().SetConpacityShow();
    extensions().doWithProcessWhenOneMoreRecordOperation();
    extensions().reloadContactTable();
    postAddContactResult();
}

void PBController::postAddContactResult()
{
    notificationCenter().post(QStringLiteral("addContactResult"), this,
                              {{QStringLiteral("addContactResult"), contactsAsVariants(m_allPhoneList)}});
}

void PBController::writeContactToSIMSuccess(int index)
{
    const int position = pendingWritePosition(index);
    if (position < 0)
        return;
    const QVariantMap contact = m_AddContactList.at(position);
    const PendingWrite pending = addContactInfo_.at(position);
    // The storage the write went to, whichever is current now.
    if (pending.storage == yov::kPbStorageSim || pending.storage == yov::kPbStorageMe) {
        changeDeviceList(pending.storage, [&](QList<QVariantMap> &list) { writeContactToList(contact, list); });
        writeContactToAllPhoneList(contact, pending.storage);
    }
    removePendingWrite(position);
    markMoveSource(pending.source, true);
}

void PBController::writeContactToList(const QVariantMap &contact, QList<QVariantMap> &list)
{
    switch (phonebookOperate_) {
    case OperationEdit:
    case OperationNumberPlan: {
        const int position = ContactLists::positionOfIndex(contactIndex(contact), list);
        if (position >= 0)
            list[position] = contact;
        break;
    }
    case OperationAdd:
    case OperationCopy:
    case OperationMove: // a move's contact enters its destination once written, as a copy's does
    case OperationRestore:
        list.append(contact);
        break;
    default:
        break;
    }
    ContactLists::sortList(list);
}

void PBController::writeContactToAllPhoneList(const QVariantMap &contact, int storage)
{
    const QString tag = saveposOfDeviceStorage(storage);
    switch (phonebookOperate_) {
    case OperationEdit:
    case OperationNumberPlan:
        deleteItemInAllUserList(contactIndex(contact), tag);
        addContactToAllPhoneList(contact, tag);
        break;
    case OperationAdd:
    case OperationCopy:
    case OperationMove:
    case OperationRestore:
        addContactToAllPhoneList(contact, tag);
        break;
    default:
        return;
    }
    ContactLists::sortList(m_allPhoneList);
}

void PBController::writeContactToSIMFail(int index)
{
    const int position = pendingWritePosition(index);
    if (position < 0) {
        qCInfo(lcPhonebook) << "A refused write of index" << index << "that was not pending";
        return;
    }
    const QVariantMap contact = m_AddContactList.at(position);
    const PendingWrite pending = addContactInfo_.at(position);
    removePendingWrite(position);
    // A computer contact that a move could not put on the SIM is still in its group: it is not
    // added to the computer a second time.
    const bool fromComputer = pending.source >= 0 && pending.source < moveSources_.size()
                              && moveSources_.at(pending.source).storage == PBStorage::PC;
    if (pending.storage == yov::kPbStorageSim && getSimUserNumber() >= simMaxIndex_ && configuration_.SaveToPCWhenSimFull
        && !fromComputer) {
        saveContactToPcWhenSimFull(contact, pending.source);
    } else {
        qCWarning(lcPhonebook).noquote() << QStringLiteral("phonebookWriteResult:: result = Failed ! Index = %1").arg(index);
        tellOperationFailedOnce();
        markMoveSource(pending.source, false);
    }
    updateOrRestoreSuccess_ = false;
}

void PBController::saveContactToPcWhenSimFull(const QVariantMap &contact, int source)
{
    // The SIM does not hold the contact: a move keeps its source whatever happens here.
    markMoveSource(source, false);
    if (m_PcPhoneList.isEmpty()) {
        beginAlertOk(QStringLiteral("There is no group,please create a group first!"));
        return;
    }
    QVariantMap pcContact = contact;
    pcContact.remove(contactkey::index); // the SIM's record number means nothing on the computer
    pcContact.insert(contactkey::groupname, m_PcPhoneList.first().name());
    if (!addContactToPcPhoneList(pcContact, 0)) {
        qCWarning(lcPhonebook) << "The contact the full SIM refused does not fit the computer either";
        beginAlertOk(QStringLiteral("PC Record full,Please delete records first!"));
        return;
    }
    savePhoneList2File();
    extensions().reloadContactTable();
}

void PBController::deleteSuccessInModem(int index)
{
    const int position = ContactLists::positionOfIndex(index, m_DelContactList);
    if (position < 0)
        return;
    const int storage = delContactStorage_.at(position);
    changeDeviceList(storage, [index](QList<QVariantMap> &list) { ContactLists::deleteItemByIndex(index, list); });
    deleteItemInAllUserList(index, saveposOfDeviceStorage(storage));
    m_DelContactList.removeAt(position);
    delContactStorage_.removeAt(position);
}

void PBController::deleteFailInModem(int index)
{
    qCWarning(lcPhonebook).noquote() << QStringLiteral("phonebookDeleteResult:: result = Failed ! Index = %1").arg(index);
    const int position = ContactLists::positionOfIndex(index, m_DelContactList);
    if (position < 0)
        return;
    m_DelContactList.removeAt(position);
    delContactStorage_.removeAt(position);
    updateOrRestoreSuccess_ = false;
    if (isMoveAndDelStatus_)
        tellOperationFailedOnce();
    else if (phonebookOperate_ != OperationRestore || !updateOrRestoreRunning_)
        beginAlertOk(QStringLiteral("The operation failed!"));
}

void PBController::changeDeviceList(int storage, const std::function<void(QList<QVariantMap> &)> &change)
{
    if (storage != yov::kPbStorageSim && storage != yov::kPbStorageMe)
        return;
    const bool sim = storage == yov::kPbStorageSim;
    QList<QVariantMap> &list = sim ? m_SimPhoneList : m_MePhoneList;
    std::optional<ContactPlace> &edited = sim ? m_SimContact : m_MeContact;
    const QVariantMap before = edited ? contactAt(*edited) : QVariantMap();
    change(list);
    if (!edited)
        return;
    // The contact chosen for editing keeps pointing at the same record.
    const int row = hasContactIndex(before) ? ContactLists::positionOfIndex(contactIndex(before), list) : -1;
    if (row < 0)
        edited.reset();
    else
        edited->row = row;
}

void PBController::repeatSearchIfSearching()
{
    if (m_SearchString.isEmpty())
        return;
    clearCurSearchGroup();
    switch (selectedSavePosition_) {
    case int(PBStorage::PC):
        getSearchContactsFromPC();
        break;
    case int(PBStorage::SIM):
        getSearchContactsFromSIM();
        break;
    case int(PBStorage::ME):
        getSearchContactsFromME();
        break;
    default:
        break;
    }
}

// ---- the storage switch answered ------------------------------------------------------------------

void PBController::handleStorageAnswer(int outcome)
{
    const StorageRequest purpose = std::exchange(storageRequest_, StorageRequest::None);
    const int requested = std::exchange(requestedStorage_, 0);
    const bool done = outcome == kStorageSwitchDone;
    // The modem works on the storage it confirmed.
    if (done && (requested == yov::kPbStorageSim || requested == yov::kPbStorageMe))
        currentStorage_ = requested;
    switch (purpose) {
    case StorageRequest::BackAfterCopy:
        return;
    case StorageRequest::MoveDeletes:
        if (done) {
            deletItemFromMoveDelList();
        } else {
            // The deletes were never sent: nothing waits for their answers, and the sources stay.
            clearDelUserList();
            finishMove(true);
        }
        return;
    case StorageRequest::None:
    case StorageRequest::Operation:
        break;
    }
    switch (phonebookOperate_) {
    case OperationSelectSavePos:
        setSavePosEnabled(true);
        continueSelectSavePos(outcome);
        break;
    case OperationSaveNumber:
        setSavePosEnabled(true);
        continueSaveNumberTo(outcome);
        break;
    case OperationCopy:
    case OperationMove:
        continueCopyContactsToPos(outcome);
        break;
    default:
        break;
    }
}

void PBController::continueSelectSavePos(int outcome)
{
    const int tag = outcome == kStorageSwitchDone ? selectedSavePosition_ : lastSelectSavePos_;
    if (tag == int(PBStorage::SIM))
        currentStorage_ = yov::kPbStorageSim;
    else if (tag == int(PBStorage::ME))
        currentStorage_ = yov::kPbStorageMe;
    else if (tag != int(PBStorage::PC))
        return;
    selectedSavePosition_ = tag;
    extensions().showSideOfSavePosition(tag);
}

void PBController::continueSaveNumberTo(int outcome)
{
    const int storage = outcome == kStorageSwitchDone ? storageOfDestination(saveToNumberAtPos_) : 0;
    if (storage == yov::kPbStorageSim)
        savePhoneNumberFromOtherModuleToSIM(saveToNumberFromOtherModule_);
    else if (storage == yov::kPbStorageMe)
        savePhoneNumberFromOtherModuleToME(saveToNumberFromOtherModule_);
    else
        savePhoneNumberFromOtherModuleToPC(saveToNumberFromOtherModule_);
}

void PBController::continueCopyContactsToPos(int outcome)
{
    if (outcome != kStorageSwitchDone) {
        endCopyAfterFailedSwitch();
        return;
    }
    switch (storageOfDestination(copyDestination_)) {
    case yov::kPbStorageSim:
        currentStorage_ = yov::kPbStorageSim;
        extensions().preDoWithProcessBeforeOperation(int(m_AddContactList.size()));
        copyContactsToSIM();
        break;
    case yov::kPbStorageMe:
        currentStorage_ = yov::kPbStorageMe;
        copyContactsToME();
        break;
    default:
        break;
    }
}

void PBController::changeModemStorageAfterCopy()
{
    if (phonebookOperate_ == OperationCopy)
        requestStorageOfShownSide();
}

void PBController::requestStorageOfShownSide()
{
    if (!configuration_.HasMePosition)
        return;
    if (selectedSavePosition_ == int(PBStorage::SIM) && currentStorage_ != yov::kPbStorageSim)
        requestStorage(yov::kPbStorageSim, StorageRequest::BackAfterCopy);
    else if (selectedSavePosition_ == int(PBStorage::ME) && currentStorage_ != yov::kPbStorageMe)
        requestStorage(yov::kPbStorageMe, StorageRequest::BackAfterCopy);
}

// ---- the dialog's adds and edits on the device storages -----------------------------------------

void PBController::collectDialogFields(QVariantMap &contact, const ContactDialogValues &values) const
{
    if (configuration_.SimFieldAutoDetectionEnabled) {
        ContactFieldRules::collectContactFields(contact, values.fields, m_simContactFiledsFlag);
        return;
    }
    contact.insert(contactkey::username, values.fields.name);
    contact.insert(contactkey::mobilephone, values.fields.mobile);
}

void PBController::contactIsAddedInSIM(const ContactDialogValues &values)
{
    QVariantMap contact{{contactkey::index, simNewContactIndex()}};
    collectDialogFields(contact, values);
    saveContactToSim(contact);
}

void PBController::contactIsAddedInME(const ContactDialogValues &values)
{
    QVariantMap contact{{contactkey::index, meNewContactIndex()}};
    collectDialogFields(contact, values);
    saveContactToSim(contact);
}

void PBController::contactIsEditedInSIM(const ContactDialogValues &values)
{
    if (!m_SimContact || m_SimContact->storage != PBStorage::SIM)
        return;
    QVariantMap contact = contactAt(*m_SimContact);
    if (contact.isEmpty())
        return;
    collectDialogFields(contact, values);
    saveContactToSim(contact);
}

void PBController::contactIsEditedInME(const ContactDialogValues &values)
{
    if (!m_MeContact || m_MeContact->storage != PBStorage::ME)
        return;
    QVariantMap contact = contactAt(*m_MeContact);
    if (contact.isEmpty())
        return;
    collectDialogFields(contact, values);
    saveContactToSim(contact);
}

// ---- state --------------------------------------------------------------------------------------

void PBController::initSimVariables()
{
    simMinIndex_ = simMaxIndex_ = simNumberMaxLen_ = simNameMaxLen_ = 0;
    m_nNetCardStatus = 4;
    simInitFinished_ = false;
}

void PBController::initMeVariables()
{
    meMinIndex_ = meMaxIndex_ = meNumberMaxLen_ = meNameMaxLen_ = 0;
    meNumber2MaxLen_ = meNumber3MaxLen_ = meMailMaxLen_ = 0;
    meInitFinished_ = false;
}


void PBController::resetDevicePhonebooks()
{
    // A copy or move cut short by the removal gives the copy and move menus and the export back.
    if (phonebookOperate_ == OperationCopy || phonebookOperate_ == OperationMove)
        extensions().setPBMenuAndExportStatus(true);
    // An update or a restore of the SIM cut short by the removal ends in its failure text, so its
    // sheet gets its OK back.
    if (updateOrRestoreRunning_) {
        updateOrRestoreSuccess_ = false;
        extensions().updateOrRestoreResult();
    }
    clearAddUserList();
    clearDelUserList();
    m_allPhoneList.clear();
    phonebookOperate_ = OperationNone;
    initSimVariables();
    initMeVariables();
    clearUSimUserList();
    clearMePhoneList();
    m_SimContact.reset();
    m_MeContact.reset();
    // The memory card leaves with the modem; it is read again at the next SIM ready.
    tcardInitFinished_ = false;
    tcardFiles_.reset();
    m_TCardPhoneList.clear();
    m_TCardContact.reset();
    currentStorage_ = 0;
    requestedStorage_ = 0;
    storageRequest_ = StorageRequest::None;
    moveSources_.clear();
    movePhase_ = MovePhase::None;
    isMoveAndDelStatus_ = false;
    repeatSearchIfSearching();
    setSavePosEnabled(true);
}

void PBController::postPhonebookInitFinishedMessage()
{
    notificationCenter().post(QStringLiteral("phonebookReadFinshed"), this,
                              {{QStringLiteral("phonebookReadFinshed"), contactsAsVariants(m_allPhoneList)},
                               {QStringLiteral("phonebookInterface"), QVariant::fromValue<QObject *>(this)}});
}

void PBController::setSavePosEnabled(bool enabled)
{
    savePositionCells_.enabled = enabled;
    if (enabled) {
        savePositionCells_.pc = true;
        savePositionCells_.sim = simInitFinished_;
        savePositionCells_.me = configuration_.HasMePosition && meInitFinished_;
    }
    extensions().savePositionsChanged(savePositionCells_);
}

// ---- alerts -------------------------------------------------------------------------------------

void PBController::beginAlertOk(const QString &message)
{
    NSBeginAlertPanelExt(localized(QStringLiteral("Warning!")), localized(message), localized(QStringLiteral("OK")),
                         QString(), {});
}

void PBController::tellOperationFailedOnce()
{
    if (!std::exchange(firstWriteFailedFlag_, false))
        return;
    beginAlertOk(QStringLiteral("The operation failed!"));
}

} // namespace ostrel
