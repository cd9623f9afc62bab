// Export and import of the exchange file, the number-plan update with its backup, and the restore
// from a backup.
#include "common/PlistBridge.h"
#include "common/util/YovFileManager.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/phonebook/ContactLists.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/PhonebookBackup.h"
#include "platform/Clock.h"

#include <utility>

namespace ostrel {

namespace {

const QString kInvalidData = QStringLiteral("Import contact(s) failed.The data is invalid!");

// The file operations' warnings are titled "Warning".
void warn(const QString &message)
{
    NSRunAlertPanelExt(Map_Name_Item_of_IndexString(QStringLiteral("Warning")), Map_Name_Item_of_IndexString(message),
                       Map_Name_Item_of_IndexString(QStringLiteral("OK")));
}

// The contact with every text key as text; nullopt when one holds a list or a dictionary.
std::optional<QVariantMap> importedContact(QVariantMap contact)
{
    for (const QString &key : contactkey::textKeys()) {
        if (!contact.contains(key))
            continue;
        const QVariant value = contact.value(key);
        if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QVariantMap)
            return std::nullopt;
        contact.insert(key, contactText(contact, key));
    }
    contact.remove(contactkey::savepos);
    contact.remove(contactkey::listindex);
    return contact;
}

} // namespace

// ---- export ---------------------------------------------------------------------------------------

int PBController::getCurrentGroupWithSearchFlag(bool searching, int position) const
{
    if (searching || (position != 0 && position != 1))
        return qMax(0, getCurSearchGroupCount());
    return position == 0 ? sumOfContactInCurrentGroup() : getSimUserNumber();
}

QList<QVariantMap> PBController::addUserToArray(int position, const QList<int> &rows, bool searching) const
{
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    QList<QVariantMap> contacts;
    const int count = getCurrentGroupWithSearchFlag(searching, position);
    for (int row : sorted) {
        if (row < 0 || row >= count)
            continue;
        if (searching)
            contacts.append(getUserFromCurSearchGroup(row));
        else if (position == 1)
            contacts.append(getUserFromSim(row));
        else if (position == 0)
            contacts.append(getUserFromCurGroup(row));
    }
    return contacts;
}

bool PBController::exportContacts(const QString &path, int position, const QList<int> &rows, bool searching)
{
    if (rows.isEmpty() || path.isEmpty())
        return true;
    if (PhonebookBackup::writeExchangeFile(PhonebookBackup::withPlistExtension(path), addUserToArray(position, rows, searching)))
        return true;
    warn(QStringLiteral("Export contact(s) failed.Please confirm the access privileges."));
    return false;
}

// ---- import ---------------------------------------------------------------------------------------

void PBController::importContacts(const std::optional<QList<QVariantMap>> &entries, int position, int groupIndex)
{
    int invalid = 0;
    const int total = entries ? int(entries->size()) : 0;
    if (entries && position == int(PBStorage::SIM)) {
        // A copy to the SIM: every confirmed write joins the SIM list and the all-storage list.
        phonebookOperate_ = OperationCopy;
        clearAddUserList();
        for (const QVariantMap &raw : *entries) {
            const std::optional<QVariantMap> entry = importedContact(raw);
            if (!entry || contactName(*entry).isEmpty()) {
                ++invalid;
                continue;
            }
            if (contactMobile(*entry).isEmpty())
                continue;
            QVariantMap record{{contactkey::username, contactName(*entry)}, {contactkey::mobilephone, contactMobile(*entry)}};
            for (const QString &key : {contactkey::officephone, contactkey::homephone, contactkey::email})
                if (entry->contains(key))
                    record.insert(key, contactText(*entry, key));
            if (!moveContactFromPcToSimBy1way(record))
                break;
        }
        extensions().preDoWithProcessBeforeOperation(int(m_AddContactList.size()));
    } else if (entries && position == int(PBStorage::PC)) {
        if (m_PcPhoneList.isEmpty()) {
            warn(QStringLiteral("There is no group,please create a group first!"));
            return;
        }
        const int group = groupIndex >= 0 && groupIndex < m_PcPhoneList.size() ? groupIndex : 0;
        const QString groupName = contactText(m_PcPhoneList.at(group).header, contactkey::groupname);
        bool added = false;
        for (const QVariantMap &raw : *entries) {
            std::optional<QVariantMap> entry = importedContact(raw);
            if (!entry || contactName(*entry).isEmpty()) {
                ++invalid;
                continue;
            }
            entry->insert(contactkey::groupname, groupName);
            if (!addContactToPcPhoneList(*entry, group)) {
                warn(QStringLiteral("PC Record full,Please delete records first!"));
                break;
            }
            added = true;
        }
        // The imported contacts are kept at once.
        if (added) {
            savePhoneList2File();
            removeAllListEntries(saveposTag::pc);
            addPcPhoneListToAllPhoneList();
        }
        extensions().reloadContactTable();
    } else if (entries) {
        return;
    }
    if (invalid >= total)
        warn(kInvalidData);
}

// ---- the number-plan update ---------------------------------------------------------------------

void PBController::initPhonebookUpdatedRule()
{
    const QVariant rule = config().getConfigurationByModuleAndKey(QStringLiteral("PhoneBook"), QStringLiteral("PhonebookUpdatedRule"));
    phonebookUpdatedRule_ = NumberPlanRule(rule.toMap());
}

bool PBController::phonebookIsUpdated(int position) const
{
    if (position == int(PBStorage::PC)) {
        for (const PcGroup &group : m_PcPhoneList)
            if (!phonebookUpdatedRule_.isUpdated(group.contacts))
                return false;
        return true;
    }
    if (position == int(PBStorage::SIM))
        return phonebookUpdatedRule_.isUpdated(m_SimPhoneList);
    return true;
}

QString PBController::backupFileBasePath(int position) const
{
    if (position != int(PBStorage::PC) && position != int(PBStorage::SIM))
        return {};
    return PhonebookBackup::folder(config().modemListPath(),
                                   position == int(PBStorage::PC) ? PhonebookBackup::kPC : PhonebookBackup::kSIM);
}

bool PBController::backupPhonebook(int position)
{
    const QString folder = backupFileBasePath(position);
    if (folder.isEmpty())
        return false;
    const QString kind = position == int(PBStorage::PC) ? PhonebookBackup::kPC : PhonebookBackup::kSIM;
    const QVariant content =
        position == int(PBStorage::PC) ? QVariant(PcPhoneBookFile::toPlist(m_PcPhoneList)) : QVariant(contactsAsVariants(m_SimPhoneList));
    if (!yov::YovFileManager::createFolder(folder)) {
        qCWarning(lcPhonebook) << "The backup folder could not be made:" << folder;
        return false;
    }
    const QString path = PhonebookBackup::newFilePath(folder, kind, clock().now().toLocalTime());
    QString error;
    if (yov::PlistBridge::writeFile(path, content, &error))
        return true;
    qCWarning(lcPhonebook).noquote() << "The phonebook backup could not be written:" << path << error;
    return false;
}

void PBController::updateContacts(int position)
{
    phonebookOperate_ = OperationNumberPlan;
    updateOrRestoreSuccess_ = true;
    updateOrRestoreRunning_ = true;
    // No number is rewritten without a way back.
    if (!backupPhonebook(position)) {
        updateOrRestoreSuccess_ = false;
        extensions().updateOrRestoreResult();
        return;
    }
    if (position == int(PBStorage::PC)) {
        for (PcGroup &group : m_PcPhoneList)
            for (QVariantMap &contact : group.contacts)
                phonebookUpdatedRule_.update(contact);
        if (!savePhoneList2File())
            updateOrRestoreSuccess_ = false;
        setCurrentgroup(0);
        removeAllListEntries(saveposTag::pc);
        addPcPhoneListToAllPhoneList();
        extensions().reloadContactTable();
        extensions().updateOrRestoreResult();
        return;
    }
    if (position != int(PBStorage::SIM)) {
        extensions().updateOrRestoreResult();
        return;
    }
    clearAddUserList();
    clearDelUserList();
    for (QVariantMap contact : m_SimPhoneList)
        if (phonebookUpdatedRule_.update(contact))
            addContactToAddUserList(contact);
    if (m_AddContactList.isEmpty())
        extensions().updateOrRestoreResult();
    else
        sendQueuedSimWrites();
}

QString PBController::takeUpdateOrRestoreResult()
{
    if (!std::exchange(updateOrRestoreRunning_, false))
        return {};
    QString text;
    if (phonebookOperate_ == OperationNumberPlan)
        text = updateOrRestoreSuccess_ ? QStringLiteral("Contacts are updated successfully.")
                                       : QStringLiteral("Contacts are failed to updated.");
    else if (phonebookOperate_ == OperationRestore)
        text = updateOrRestoreSuccess_ ? QStringLiteral("Contacts are restored successfully.")
                                       : QStringLiteral("Contacts are failed to restored.");
    else
        return {};
    updateOrRestoreSuccess_ = true;
    return localized(text);
}

// ---- restore ------------------------------------------------------------------------------------

std::optional<QString> PBController::currentBackupFilePath(int position) const
{
    const QString folder = backupFileBasePath(position);
    if (folder.isEmpty())
        return std::nullopt;
    return PhonebookBackup::currentFilePath(folder);
}

namespace {
std::optional<QVariant> readBackup(const QString &path, const QString &folder, int position)
{
    if (folder.isEmpty())
        return std::nullopt;
    return PhonebookBackup::read(path, folder, position == int(PBStorage::PC) ? PhonebookBackup::kPC : PhonebookBackup::kSIM);
}
} // namespace

bool PBController::backupFileIsValid(const QString &path, int position) const
{
    return readBackup(path, backupFileBasePath(position), position).has_value();
}

bool PBController::restoreFromBackupFile(const QString &path, int position)
{
    const std::optional<QVariant> root = readBackup(path, backupFileBasePath(position), position);
    if (!root)
        return false;
    phonebookOperate_ = OperationRestore;
    updateOrRestoreSuccess_ = true;
    updateOrRestoreRunning_ = true;
    if (position == int(PBStorage::PC)) {
        restoreFromBackupFileToPC(*root);
        return true;
    }
    QList<QVariantMap> contacts;
    for (const QVariant &entry : root->toList())
        contacts.append(entry.toMap());
    restoreFromBackupFileToSIM(contacts);
    return true;
}

void PBController::restoreFromBackupFileToPC(const QVariant &root)
{
    const PcPhoneList groups = PcPhoneBookFile::fromBackup(root).value_or(PcPhoneList());
    // The current computer file (a per-SIM one when in use) is replaced whole, then read again.
    const QString path = getPhoneBookFilePathWithFileName(pcFileName_);
    QString error;
    if (path == pcFileLeftInPlace_ || !PcPhoneBookFile::write(path, groups, &error)) {
        qCWarning(lcPhonebook).noquote() << "The restore could not write" << path << error;
        updateOrRestoreSuccess_ = false;
    } else {
        reloadPhoneList();
        createDefaultGroupIfNone();
        setCurrentgroup(0);
        removeAllListEntries(saveposTag::pc);
        addPcPhoneListToAllPhoneList();
    }
    extensions().reloadContactTable();
    extensions().updateOrRestoreResult();
}

namespace {
// The fields a SIM record of the restore carries beyond name and mobile number.
QStringList restoredSimFields(bool autoDetection, int flags)
{
    QStringList keys;
    if (!autoDetection)
        return keys;
    if (ContactFieldRules::isFieldEnabled(flags, ContactField::Home))
        keys << contactkey::homephone;
    if (ContactFieldRules::isFieldEnabled(flags, ContactField::Office))
        keys << contactkey::officephone;
    if (ContactFieldRules::isFieldEnabled(flags, ContactField::Email))
        keys << contactkey::email;
    return keys;
}
} // namespace

void PBController::restoreFromBackupFileToSIM(const QList<QVariantMap> &contacts)
{
    QList<QVariantMap> remaining = contacts;
    deleteRedundantCantactsInSIM(remaining);
    addNewContactsToSIM(remaining);
    if (m_AddContactList.isEmpty() && m_DelContactList.isEmpty())
        extensions().updateOrRestoreResult();
}

void PBController::deleteRedundantCantactsInSIM(QList<QVariantMap> &contacts)
{
    clearDelUserList();
    const QStringList extra = restoredSimFields(configuration_.SimFieldAutoDetectionEnabled, m_simContactFiledsFlag);
    const QList<QVariantMap> sim = m_SimPhoneList;
    for (const QVariantMap &onSim : sim) {
        int found = -1;
        for (int i = 0; i < contacts.size() && found < 0; ++i) {
            const QVariantMap &wanted = contacts.at(i);
            bool same = contactName(wanted) == contactName(onSim) && contactMobile(wanted) == contactMobile(onSim);
            for (const QString &key : extra)
                same = same && contactText(wanted, key) == contactText(onSim, key);
            if (same)
                found = i;
        }
        if (found >= 0) {
            contacts.removeAt(found); // already on the SIM
            continue;
        }
        const int index = contactIndex(onSim);
        if (deleteContactFromSim(index))
            addContactToDelUserList(index);
        else
            updateOrRestoreSuccess_ = false;
    }
}

void PBController::addNewContactsToSIM(const QList<QVariantMap> &contacts)
{
    clearAddUserList();
    const QStringList extra = restoredSimFields(configuration_.SimFieldAutoDetectionEnabled, m_simContactFiledsFlag);
    const bool deleting = !m_DelContactList.isEmpty();
    for (const QVariantMap &wanted : contacts) {
        QVariantMap record{{contactkey::username, contactName(wanted)}, {contactkey::mobilephone, contactMobile(wanted)}};
        for (const QString &key : extra)
            if (!contactText(wanted, key).isEmpty())
                record.insert(key, contactText(wanted, key));
        addContactToAddUserList(record);
    }
    // With deletes pending, the writes wait for their answers.
    if (!deleting)
        writeContactFromRestoreFileToSIM();
}

void PBController::writeContactFromRestoreFileToSIM() { sendQueuedSimWrites(); }

void PBController::sendQueuedSimWrites()
{
    // Every queued record is numbered first (each number counts as taken), then sent; a record
    // without room or that could not be sent fails once all are out.
    QList<int> failed;
    QList<int> unsent;
    for (int i = 0; i < m_AddContactList.size(); ++i) {
        if (hasContactIndex(m_AddContactList.at(i)))
            continue;
        const int index = simNewContactIndex();
        m_AddContactList[i].insert(contactkey::index, index);
        if (index > simMaxIndex_)
            failed.append(index);
    }
    for (const QVariantMap &record : QList<QVariantMap>(m_AddContactList)) {
        const int index = contactIndex(record);
        if (!failed.contains(index) && !writeContactToSIM(record))
            unsent.append(index);
    }
    for (int index : failed + unsent)
        handleWriteResult({index, yov::kPbOperationWrite, 0});
}

// ---- lookups ------------------------------------------------------------------------------------

int PBController::indexOfContactItem(const QString &name, const QString &number, const QList<QVariantMap> &list)
{
    for (int i = 0; i < list.size(); ++i)
        if (contactName(list.at(i)) == name && contactMobile(list.at(i)) == number)
            return i;
    return -1;
}

} // namespace ostrel
