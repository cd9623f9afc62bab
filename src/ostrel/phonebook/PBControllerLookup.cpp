// The number-to-name lookup for the other areas, and the search of the phonebook's window.
#include "ostrel/phonebook/PBController.h"

#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/phonebook/ContactSearch.h"

namespace ostrel {

// ---- number lookup -------------------------------------------------------------------------------

std::optional<QVariantMap> PBController::lookUpNumber(const QString &number)
{
    // Only the computer and the SIM are searched, the computer first; the found flag always tells
    // this lookup's outcome.
    hasPhoneNumberFlag_ = false;
    bool pcEmpty = true;
    for (const PcGroup &group : m_PcPhoneList)
        pcEmpty = pcEmpty && group.contacts.isEmpty();
    if (pcEmpty && simInitFinished_ && m_SimPhoneList.isEmpty())
        return std::nullopt;

    const NumberMatch match(number, m_threshold);
    for (const PcGroup &group : m_PcPhoneList) {
        for (const QVariantMap &contact : group.contacts) {
            if (match.matchesContact(contact)) {
                hasPhoneNumberFlag_ = true;
                return contact;
            }
        }
    }
    if (simInitFinished_) {
        for (const QVariantMap &contact : m_SimPhoneList) {
            if (match.matchesContact(contact)) {
                hasPhoneNumberFlag_ = true;
                return contact;
            }
        }
    }
    return std::nullopt;
}

QString PBController::searchNameAtPhoneBook(const QString &number)
{
    const std::optional<QVariantMap> contact = lookUpNumber(number);
    if (!contact)
        return number;
    // A contact without a name gives a null name.
    return contact->contains(contactkey::username) ? contactName(*contact) : QString();
}

bool PBController::hasPhoneNumber(const QString &number) { return lookUpNumber(number).has_value(); }

QVariantMap PBController::getMatchUserItemAtUSIMSide(const QString &number)
{
    const NumberMatch match(number, m_threshold);
    for (const QVariantMap &contact : m_allPhoneList) {
        if (match.matchesContact(contact))
            return contact;
    }
    return {};
}

// ---- the window's search -------------------------------------------------------------------------

bool PBController::isMatchforSearchString(const QVariantMap &contact) const
{
    ContactSearch search(m_SearchString, configuration_.PrefixMatchModeEnabled,
                         ConfigService(&config()).isSupportCaseSensitiveWhenSearch());
    return search.matches(contact);
}

void PBController::getSearchContactsFromPC()
{
    if (sumOfContactInPC() == 0)
        return;
    ContactSearch search(m_SearchString, configuration_.PrefixMatchModeEnabled,
                         ConfigService(&config()).isSupportCaseSensitiveWhenSearch());
    for (int g = 0; g < m_PcPhoneList.size(); ++g) {
        const QList<QVariantMap> &contacts = m_PcPhoneList.at(g).contacts;
        for (int row = 0; row < contacts.size(); ++row) {
            if (search.matches(contacts.at(row)))
                addUser2CurSearchGroup({PBStorage::PC, g, row});
        }
    }
}

void PBController::collectSearchMatches(QList<QVariantMap> &list, PBStorage storage)
{
    ContactSearch search(m_SearchString, configuration_.PrefixMatchModeEnabled,
                         ConfigService(&config()).isSupportCaseSensitiveWhenSearch());
    for (int row = 0; row < list.size(); ++row) {
        if (!search.matches(list.at(row)))
            continue;
        list[row].insert(contactkey::listindex, QString::number(row));
        addUser2CurSearchGroup({storage, -1, row});
    }
}

void PBController::getSearchContactsFromSIM() { collectSearchMatches(m_SimPhoneList, PBStorage::SIM); }

void PBController::getSearchContactsFromME() { collectSearchMatches(m_MePhoneList, PBStorage::ME); }

void PBController::addUser2CurSearchGroup(const ContactPlace &place)
{
    if (!m_CurrentSearchGroup)
        m_CurrentSearchGroup = QList<ContactPlace>();
    m_CurrentSearchGroup->append(place);
}

std::optional<ContactPlace> PBController::placeOfCurSearchGroup(int i) const
{
    if (!m_CurrentSearchGroup || i < 0 || i >= m_CurrentSearchGroup->size())
        return std::nullopt;
    return m_CurrentSearchGroup->at(i);
}

QVariantMap PBController::getUserFromCurSearchGroup(int i) const
{
    const std::optional<ContactPlace> place = placeOfCurSearchGroup(i);
    return place ? contactAt(*place) : QVariantMap();
}

void PBController::deleteUserFromCurSearchGroup(int i)
{
    if (!m_CurrentSearchGroup)
        return;
    if (i == kEmptyWholeSearchResult)
        m_CurrentSearchGroup->clear();
    else if (i >= 0 && i < m_CurrentSearchGroup->size())
        m_CurrentSearchGroup->removeAt(i);
}

bool PBController::deleteFoundPcContact(int i)
{
    const std::optional<ContactPlace> found = placeOfCurSearchGroup(i);
    if (!found || found->storage != PBStorage::PC || contactAt(*found).isEmpty())
        return false;
    // The result loses the contact; the places behind it in its group move up by one.
    removePcRow(found->group, found->row);
    savePhoneList2File();
    return true;
}

} // namespace ostrel
