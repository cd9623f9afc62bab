// The computer phonebook: its file, groups, contacts, counts and record numbers, the all-storage
// list, and the contact dialog's adds and edits.
#include "ostrel/phonebook/PBController.h"

#include "common/TextFormat.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/phonebook/ContactLists.h"

#include <QPair>
#include <QSet>

#include <algorithm>
#include <limits>
#include <numeric>
#include <utility>

namespace ostrel {

// ---- the file --------------------------------------------------------------------------------

QString PBController::getPhoneBookFilePathWithFileName(const QString &name) const
{
    return config().getFilePathWithFileName(name);
}

void PBController::readCurrentFile()
{
    const QString path = getPhoneBookFilePathWithFileName(pcFileName_);
    PcPhoneBookRead read = PcPhoneBookFile::read(path);
    m_PcPhoneList = std::move(read.groups);
    m_CurGroupIndex = -1;
    forgetPcPlaces();
    if (pcFileLeftInPlace_ == path)
        pcFileLeftInPlace_.clear();
    switch (read.outcome) {
    case PcPhoneBookRead::Outcome::SetAside:
        qCWarning(lcPhonebook).noquote() << QStringLiteral("The phonebook file %1 could not be read (%2); it was renamed to %3 "
                                                          "and the phonebook starts empty")
                                                .arg(path, read.reason, read.setAsideAs);
        popupAlertOkLater(yov::formatPlaceholders(
            localized(QStringLiteral("The phonebook file %@ could not be read. It was renamed to %@ and the phonebook starts empty.")),
            {path, read.setAsideAs}));
        break;
    case PcPhoneBookRead::Outcome::LeftInPlace:
        pcFileLeftInPlace_ = path;
        qCWarning(lcPhonebook).noquote()
            << QStringLiteral("The phonebook file %1 could not be read (%2) nor renamed; nothing will be written over it")
                   .arg(path, read.reason);
        popupAlertOkLater(yov::formatPlaceholders(
            localized(QStringLiteral("The phonebook file %@ could not be read. It is left as it is and changes to the phonebook are not saved.")),
            {path}));
        break;
    case PcPhoneBookRead::Outcome::Read:
    case PcPhoneBookRead::Outcome::Missing:
        break;
    }
}

bool PBController::savePhoneList2File()
{
    const QString path = getPhoneBookFilePathWithFileName(pcFileName_);
    if (path == pcFileLeftInPlace_) {
        qCWarning(lcPhonebook).noquote() << "The phonebook is not saved over the unreadable" << path;
        return false;
    }
    QString error;
    if (PcPhoneBookFile::write(path, m_PcPhoneList, &error))
        return true;
    qCWarning(lcPhonebook).noquote() << "The phonebook could not be saved:" << error;
    popupAlertOkLater(yov::formatPlaceholders(
        localized(QStringLiteral("The phonebook could not be saved to %@. The file keeps its previous contents.")), {path}));
    return false;
}

void PBController::loadPcPhoneList(const QString &fileName)
{
    if (fileName.isNull())
        return;
    // The name is a file of the ModemList folder; a per-SIM name is made of what the device reports.
    if (!PcPhoneBookFile::isPlainFileName(fileName)) {
        qCWarning(lcPhonebook) << "The phonebook file name" << fileName << "is refused: it is no plain file name";
        return;
    }
    pcFileName_ = fileName;
    readCurrentFile();
    createDefaultGroupIfNone();
    sortGroupInPC();
    setCurrentgroup(0);
}

void PBController::loadPcPhoneListByImsi(const QString &fileName) { loadPcPhoneList(fileName); }

void PBController::reloadPhoneList()
{
    // The first group of the file is the current group, wherever the sort puts it.
    readCurrentFile();
    m_CurGroupIndex = m_PcPhoneList.isEmpty() ? -1 : 0;
    sortGroupInPC();
    sortCurrentGroup();
}

void PBController::reloadPCPhoneList() { reloadPhoneList(); }

void PBController::createDefaultGroupIfNone()
{
    if (!configuration_.AddDefGrpWhileInit || !m_PcPhoneList.isEmpty())
        return;
    PcGroup group;
    group.header.insert(contactkey::groupname, getNewGroupItem());
    m_PcPhoneList.append(group);
}

// ---- groups ------------------------------------------------------------------------------------

QStringList PBController::groupNames() const
{
    QStringList names;
    names.reserve(m_PcPhoneList.size());
    for (const PcGroup &group : m_PcPhoneList)
        names.append(group.name());
    return names;
}

int PBController::userGroupIndexByGroupName(const QString &name) const { return int(groupNames().indexOf(name)); }

QString PBController::getNewGroupItem(const QString &) const
{
    const QString word = localized(QStringLiteral("Group"));
    for (int n = 0;; ++n) {
        const QString name = word + QLatin1Char(' ') + QString::number(n);
        if (!isFindTheSameGroupName(name))
            return name;
    }
}

bool PBController::isFindTheSameGroupName(const QString &name) const { return groupNames().contains(name); }

bool PBController::checktNewGroupItem(const QString &name, int groupIndex) const
{
    for (int i = 0; i < m_PcPhoneList.size(); ++i) {
        if (i != groupIndex && m_PcPhoneList.at(i).name() == name)
            return false;
    }
    return true;
}

void PBController::addGroup()
{
    PcGroup group;
    group.header.insert(contactkey::groupname, getNewGroupItem());
    m_PcPhoneList.append(group);
    sortGroupInPC();
    savePhoneList2File();
}

void PBController::addGroupItem() { addGroup(); }

void PBController::deleteGrop(int index)
{
    if (index < 0 || index >= m_PcPhoneList.size())
        return;
    m_PcPhoneList.removeAt(index);
    m_CurGroupIndex = -1;
    followPcGroups(ContactLists::positionsAfterRemoval(int(m_PcPhoneList.size()) + 1, index));
    savePhoneList2File();
}

void PBController::setCurrentgroup(int index)
{
    if (index < 0 || index >= m_PcPhoneList.size())
        return;
    m_CurGroupIndex = index;
    sortCurrentGroup();
}

void PBController::sortCurrentGroup() { sortPcGroup(m_CurGroupIndex); }

void PBController::sortPcGroup(int group)
{
    if (group >= 0 && group < m_PcPhoneList.size())
        followPcRows(group, ContactLists::sortList(m_PcPhoneList[group].contacts));
}

void PBController::removePcRow(int group, int row)
{
    QList<QVariantMap> &contacts = m_PcPhoneList[group].contacts;
    contacts.removeAt(row);
    followPcRows(group, ContactLists::positionsAfterRemoval(int(contacts.size()) + 1, row));
}

void PBController::sortGroupInPC()
{
    // Each pair is exchanged unless it is in ascending order (equal names are exchanged too); the
    // current group keeps being the same group.
    const QCollator &collator = ContactLists::activeCollator();
    const int count = int(m_PcPhoneList.size());
    QList<int> oldAt(count); // the old position of each group
    std::iota(oldAt.begin(), oldAt.end(), 0);
    for (int i = 0; i + 1 < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (collator.compare(m_PcPhoneList.at(i).name(), m_PcPhoneList.at(j).name()) < 0)
                continue;
            m_PcPhoneList.swapItemsAt(i, j);
            oldAt.swapItemsAt(i, j);
        }
    }
    QList<int> movedTo(count);
    for (int n = 0; n < count; ++n)
        movedTo[oldAt.at(n)] = n;
    if (m_CurGroupIndex >= 0 && m_CurGroupIndex < count)
        m_CurGroupIndex = movedTo.at(m_CurGroupIndex);
    followPcGroups(movedTo);
}

// ---- places that follow their contacts -----------------------------------------------------------

namespace {
// Moves a remembered place; false when its contact or group is gone.
bool movePcPlace(ContactPlace &place, int group, const QList<int> &movedTo)
{
    if (place.storage != PBStorage::PC)
        return true;
    int &position = group < 0 ? place.group : place.row;
    if ((group >= 0 && place.group != group) || position < 0 || position >= movedTo.size())
        return true;
    position = movedTo.at(position);
    return position >= 0;
}
} // namespace

void PBController::followPcRows(int group, const QList<int> &movedTo)
{
    if (m_CurrentSearchGroup) {
        QList<ContactPlace> kept;
        kept.reserve(m_CurrentSearchGroup->size());
        for (ContactPlace place : std::as_const(*m_CurrentSearchGroup)) {
            if (movePcPlace(place, group, movedTo))
                kept.append(place);
        }
        *m_CurrentSearchGroup = std::move(kept);
    }
    if (m_PcContact && !movePcPlace(*m_PcContact, group, movedTo))
        m_PcContact.reset();
}

void PBController::followPcGroups(const QList<int> &movedTo) { followPcRows(-1, movedTo); }

void PBController::forgetPcPlaces()
{
    if (m_CurrentSearchGroup) {
        m_CurrentSearchGroup->removeIf([](const ContactPlace &place) { return place.storage == PBStorage::PC; });
    }
    if (m_PcContact && m_PcContact->storage == PBStorage::PC)
        m_PcContact.reset();
}

void PBController::sendMessageToIndexedGroup(int groupIndex)
{
    if (groupIndex < 0 || groupIndex >= m_PcPhoneList.size())
        return;
    QStringList numbers;
    for (const QVariantMap &contact : m_PcPhoneList.at(groupIndex).contacts) {
        const QString number = contactMobile(contact);
        if (!number.isEmpty())
            numbers.append(number);
    }
    Neighbours::sms().toNewMsgWinWithPhoneNumbers(numbers, QStringLiteral("PhoneBook"));
}

bool PBController::isSendMessageToIndexedGroupValid(int groupIndex) const { return sumOfContactInGroup(groupIndex) > 0; }

// ---- computer contacts ---------------------------------------------------------------------------

QVariantMap PBController::getPCUserByIndex(int group, int row) const
{
    if (group < 0 || group >= m_PcPhoneList.size())
        return {};
    return row == -1 ? m_PcPhoneList.at(group).header : m_PcPhoneList.at(group).contacts.value(row);
}

QVariantMap PBController::getUserFromCurGroup(int i) const { return i < 0 ? QVariantMap() : getPCUserByIndex(m_CurGroupIndex, i); }

QVariantMap PBController::contactAt(const ContactPlace &place) const
{
    switch (place.storage) {
    case PBStorage::PC:
        return place.row < 0 ? QVariantMap() : getPCUserByIndex(place.group, place.row);
    case PBStorage::SIM:
        return m_SimPhoneList.value(place.row);
    case PBStorage::ME:
        return m_MePhoneList.value(place.row);
    case PBStorage::TCard:
        return m_TCardPhoneList.value(place.row);
    }
    return {};
}

bool PBController::isPcFull() const { return sumOfContactInPC() >= PCUserMaxCount; }

int PBController::addUser2CurGrop(const QVariantMap &contact)
{
    if (isPcFull())
        return 2;
    if (m_CurGroupIndex < 0 || m_CurGroupIndex >= m_PcPhoneList.size())
        return 0;
    m_PcPhoneList[m_CurGroupIndex].contacts.append(contact);
    savePhoneList2File();
    return 1;
}

bool PBController::addContactToPcPhoneList(const QVariantMap &contact, int groupIndex)
{
    if (isPcFull() || groupIndex < 0 || groupIndex >= m_PcPhoneList.size())
        return false;
    m_PcPhoneList[groupIndex].contacts.append(contact);
    sortPcGroup(groupIndex);
    return true;
}

void PBController::deleteUserFromCurGrop(int i)
{
    if (m_CurGroupIndex < 0 || m_CurGroupIndex >= m_PcPhoneList.size())
        return;
    if (i < 0 || i >= m_PcPhoneList.at(m_CurGroupIndex).contacts.size())
        return;
    removePcRow(m_CurGroupIndex, i);
    savePhoneList2File();
}

bool PBController::deletePcContacts(const QList<ContactPlace> &places)
{
    QList<ContactPlace> ordered;
    for (const ContactPlace &place : places)
        if (place.storage == PBStorage::PC && !contactAt(place).isEmpty() && !ordered.contains(place))
            ordered.append(place);
    if (ordered.isEmpty())
        return false;
    // The last rows first, so that the rows still to go keep their numbers.
    std::sort(ordered.begin(), ordered.end(), [](const ContactPlace &a, const ContactPlace &b) {
        return a.group != b.group ? a.group > b.group : a.row > b.row;
    });
    for (const ContactPlace &place : ordered) {
        const QVariantMap contact = contactAt(place);
        removePcRow(place.group, place.row);
        if (hasContactIndex(contact) && place.group == m_CurGroupIndex)
            deleteItemInAllUserList(contactIndex(contact), saveposTag::pc);
    }
    savePhoneList2File();
    return true;
}

void PBController::deleteSmartUserFromPCPhoneListByIndex(int index)
{
    if (index < 1 || m_CurGroupIndex < 0 || m_CurGroupIndex >= m_PcPhoneList.size())
        return;
    const int row = ContactLists::positionOfIndex(index, m_PcPhoneList.at(m_CurGroupIndex).contacts);
    if (row >= 0)
        removePcRow(m_CurGroupIndex, row);
}

QVariantMap PBController::getSmartUserByIndexFromPCPhoneList(int index) const
{
    if (index < 1 || m_CurGroupIndex < 0 || m_CurGroupIndex >= m_PcPhoneList.size())
        return {};
    return ContactLists::getItemByIndex(index, m_PcPhoneList.at(m_CurGroupIndex).contacts);
}

// ---- the contact dialog's OK -------------------------------------------------------------------

int PBController::targetStorageOf(const ContactDialogValues &values) const
{
    // The memory card has no group pop-up.
    if (values.savePosition == int(PBStorage::TCard))
        return values.savePosition;
    return configuration_.IsNoGroup ? values.groupPopUpIndex : values.savePosition;
}

void PBController::contactIsAdded(const ContactDialogValues &values)
{
    // The SIM and the device take their contacts through the device phonebook link.
    switch (targetStorageOf(values)) {
    case int(PBStorage::PC):
        contactIsAddedInPC(values);
        break;
    case int(PBStorage::SIM):
        contactIsAddedInSIM(values);
        break;
    case int(PBStorage::ME):
        contactIsAddedInME(values);
        break;
    case int(PBStorage::TCard):
        addUserItemInTCard(values);
        break;
    default:
        break;
    }
    if (values.savePosition >= 0 && values.savePosition <= 2)
        lastSelectSavePos_ = values.savePosition;
}

void PBController::contactIsEdited(const ContactDialogValues &values)
{
    switch (values.savePosition) {
    case int(PBStorage::PC):
        contactIsEditedInPC(values);
        break;
    case int(PBStorage::SIM):
        contactIsEditedInSIM(values);
        break;
    case int(PBStorage::ME):
        contactIsEditedInME(values);
        break;
    case int(PBStorage::TCard):
        editUserItemInTCard(values);
        break;
    default:
        break;
    }
}

void PBController::contactIsAddedInPC(const ContactDialogValues &values)
{
    QVariantMap contact{{contactkey::groupname, values.groupName}};
    ContactFieldRules::collectAddContactFields(contact, values.fields, values.remark, configuration_.IsDisplayRemark);
    const int group = userGroupIndexByGroupName(values.groupName);
    if (group < 0 || !addContactToPcPhoneList(contact, group))
        return;
    savePhoneList2File();
}

void PBController::contactIsEditedInPC(const ContactDialogValues &values)
{
    if (!m_PcContact || m_PcContact->storage != PBStorage::PC || contactAt(*m_PcContact).isEmpty())
        return;
    QVariantMap &contact = m_PcPhoneList[m_PcContact->group].contacts[m_PcContact->row];
    ContactFieldRules::writeAllContactFields(contact, values.fields, values.remark, configuration_.IsDisplayRemark);
    savePhoneList2File();
    if (!m_SearchString.isEmpty()) {
        clearCurSearchGroup();
        getSearchContactsFromPC();
    }
}

// ---- counts --------------------------------------------------------------------------------------

int PBController::sumOfContactInGroup(int group) const
{
    return (group < 0 || group >= m_PcPhoneList.size()) ? 0 : int(m_PcPhoneList.at(group).contacts.size());
}

int PBController::sumOfContactInPC() const
{
    if (configuration_.NotAddCountWhenSameRecord)
        return getPCCurUserCountWhenNameAndNumberUnique();
    int sum = 0;
    for (const PcGroup &group : m_PcPhoneList)
        sum += int(group.contacts.size());
    return sum;
}

int PBController::getPCCurUserCountWhenNameAndNumberUnique() const
{
    QSet<QPair<QString, QString>> kept;
    for (const PcGroup &group : m_PcPhoneList) {
        for (const QVariantMap &contact : group.contacts)
            kept.insert({contactName(contact), contactMobile(contact)});
    }
    return int(kept.size());
}

// ---- record numbers ------------------------------------------------------------------------------

int PBController::pcNewContactIndex() const
{
    QSet<int> used;
    if (m_CurGroupIndex >= 0 && m_CurGroupIndex < m_PcPhoneList.size()) {
        for (const QVariantMap &contact : m_PcPhoneList.at(m_CurGroupIndex).contacts) {
            if (hasContactIndex(contact))
                used.insert(contactIndex(contact));
        }
    }
    return ContactLists::lowestFreeIndex(used, PCUserMaxCount);
}

int PBController::simNewContactIndex() const
{
    return ContactLists::lowestFreeIndex(ContactLists::numberedIndexes(m_AddContactList) + ContactLists::numberedIndexes(m_SimPhoneList),
                                         simMaxIndex_);
}

int PBController::meNewContactIndex() const
{
    return ContactLists::lowestFreeIndex(ContactLists::numberedIndexes(m_AddContactList) + ContactLists::numberedIndexes(m_MePhoneList),
                                         meMaxIndex_);
}

// ---- the all-storage list --------------------------------------------------------------------------

void PBController::addPcPhoneListToAllPhoneList()
{
    if (m_CurGroupIndex < 0 || m_CurGroupIndex >= m_PcPhoneList.size())
        return;
    QList<QVariantMap> &contacts = m_PcPhoneList[m_CurGroupIndex].contacts;
    QSet<int> unavailable; // numbers the group carries or a copy took
    for (const QVariantMap &contact : contacts) {
        if (hasContactIndex(contact))
            unavailable.insert(contactIndex(contact));
    }
    QSet<int> taken;
    for (QVariantMap &contact : contacts) {
        int index = contactIndex(contact);
        if (index < 1 || taken.contains(index)) {
            index = ContactLists::lowestFreeIndex(unavailable, std::numeric_limits<int>::max() - 1);
            contact.insert(contactkey::index, index);
            unavailable.insert(index);
        }
        taken.insert(index);
        addContactToAllPhoneList(contact, saveposTag::pc);
    }
}

void PBController::addListToAllPhoneList(const QList<QVariantMap> &list, int storage)
{
    QString tag;
    switch (storage) {
    case 2:
        tag = saveposTag::sim;
        break;
    case 1:
        tag = saveposTag::me;
        break;
    case 3:
        tag = saveposTag::tcard;
        break;
    default:
        return;
    }
    for (const QVariantMap &contact : list)
        addContactToAllPhoneList(contact, tag);
}

void PBController::addContactToAllPhoneList(const QVariantMap &contact, const QString &savepos)
{
    QVariantMap copy = contact;
    copy.insert(contactkey::savepos, savepos);
    m_allPhoneList.append(copy);
}

namespace {
int allListPosition(const QList<QVariantMap> &list, int index, const QString &savepos)
{
    for (int i = 0; i < list.size(); ++i) {
        const QVariantMap &entry = list.at(i);
        if (hasContactIndex(entry) && contactIndex(entry) == index && contactText(entry, contactkey::savepos) == savepos)
            return i;
    }
    return -1;
}
} // namespace

void PBController::deleteItemInAllUserList(int index, const QString &savepos)
{
    const int position = allListPosition(m_allPhoneList, index, savepos);
    if (position >= 0)
        m_allPhoneList.removeAt(position);
}

QVariantMap PBController::getSmartUserByIndexFromAllPhoneList(int index, const QString &savepos) const
{
    return m_allPhoneList.value(allListPosition(m_allPhoneList, index, savepos));
}

// ---- other ---------------------------------------------------------------------------------------

QList<ContactColumn> PBController::initUserTableViewColumnsAtPC() const
{
    return ContactColumns::initUserTableViewColumnsAtPC(configuration_.IsNoGroup, configuration_.IsDisplayRemark,
                                                        ConfigService(&config()).isSupportInterfaceInversionForPhoneBook());
}

QList<QVariantMap> PBController::availableNumbersOfContacts(const QList<QVariantMap> &contacts) const
{
    const QList<ContactColumn> columns = initUserTableViewColumnsAtPC();
    const struct {
        const QString &key;
        QString label;
    } numbers[] = {
        {contactkey::mobilephone, localized(QStringLiteral("Mobile"))},
        {contactkey::officephone, localized(QStringLiteral("Office"))},
        {contactkey::homephone, localized(QStringLiteral("Home"))},
    };
    QList<QVariantMap> available;
    for (const QVariantMap &contact : contacts) {
        for (const auto &number : numbers) {
            const QString value = contactText(contact, number.key);
            if (value.isEmpty() || !ContactColumns::showsColumn(columns, number.key))
                continue;
            available.append({{contactkey::username, contactName(contact)},
                              {contactkey::mobilephone, QStringLiteral("%1(%2)").arg(value, number.label)}});
        }
    }
    return available;
}

} // namespace ostrel
