// What the operator's phonebook plug-in asks through the notification center, and the answers
// posted back to it. The plug-in's own notifications are kept below as data for it.
#include "ostrel/phonebook/PBController.h"

#include "common/phonebook/SimAlphaCoding.h"
#include "ostrel/phonebook/ContactLists.h"

namespace ostrel {

namespace {

// The notifications the plug-in itself observes, with its handlers' names. The dashboard keeps the
// table for the plug-in and does not read it.
[[maybe_unused]] const NotificationTableRow phoneBookBundleNotficationTable[] = {
    {"TheWriteItemResultOK:", "GetTheOKResultFromHostToBundle"},
    {"PhoneBookInitFinshed:", "phonebookReadFinshed"},
    {"DisplaySearchResult:", "searchResultInSIMAndPC"},
    {"DisplayAddContactResult:", "addContactResult"},
    {"showFromatUserName:", "formatUserName"},
    {"showFromatMobilePhone:", "formatMobilePhone"},
    {"getTheSelectedUserInfo:", "selectUsrInfo"},
    {"saveContactFromSMSInfo:", "saveNumberToPhoneBook"},
    {"editContactFromCallRecordInfo:", "editPBwithPhonNumber"},
    {"clearContactList:", "deviceRemovedInfo"},
    {nullptr, nullptr},
};

// The payload of a request: the user-info value under the notification's name.
std::optional<QVariant> payloadOf(const yov::Notification &notification)
{
    const auto it = notification.userInfo.constFind(notification.name);
    if (it == notification.userInfo.constEnd())
        return std::nullopt;
    return it.value();
}

QVariantList placesAsContacts(const PBController &pb, const QList<ContactPlace> &places)
{
    QVariantList contacts;
    for (const ContactPlace &place : places)
        contacts.append(pb.contactAt(place));
    return contacts;
}

} // namespace

bool PBController::pluginFieldsPass(const QVariantMap &item)
{
    pluginFields_.name = contactName(item);
    pluginFields_.mobile = contactMobile(item);
    const FieldCheck check = isUserNameAndMobilePhoneRightful(pluginFields_);
    if (check.passed())
        return true;
    popupAlertOk(check.localizedMessage());
    return false;
}

std::optional<ContactPlace> PBController::pcPlaceOfPluginIndex(int index) const
{
    for (int group : {m_CurGroupIndex, 0}) {
        if (group < 0 || group >= m_PcPhoneList.size())
            continue;
        const int row = ContactLists::positionOfIndex(index, m_PcPhoneList.at(group).contacts);
        if (row >= 0)
            return ContactPlace{PBStorage::PC, group, row};
    }
    return std::nullopt;
}

void PBController::SearUserInUSIMSide(const yov::Notification &notification)
{
    const std::optional<QVariant> text = payloadOf(notification);
    if (!text)
        return;
    setSearchString(text->toString());
    extensions().showSearchText(text->toString());
    // The result is not emptied first: the plug-in gets what it had and the new matches.
    getSearchContactsFromSIM();
    notificationCenter().post(QStringLiteral("searchUserInUSIM"), this,
                              {{QStringLiteral("searchUserInUSIM"), placesAsContacts(*this, getCurSearchGroup())}});
}

void PBController::addNewUserInSIMOrPC(const yov::Notification &notification)
{
    const std::optional<QVariant> payload = payloadOf(notification);
    if (!payload || !pluginFieldsPass(payload->toMap()) || !simInitFinished_)
        return;
    const int simIndex = simNewContactIndex();
    if (simIndex <= simMaxIndex_) {
        phonebookOperate_ = OperationAdd;
        saveContactToSim({{contactkey::username, pluginFields_.name},
                          {contactkey::mobilephone, pluginFields_.mobile},
                          {contactkey::index, simIndex},
                          {contactkey::savepos, saveposTag::sim}});
        return;
    }
    // The SIM is full: the computer's first group takes the contact, when it exists and has room.
    if (m_PcPhoneList.isEmpty()) {
        popupAlertOk(QStringLiteral("There is no group,please create a group first!"));
        return;
    }
    if (isPcFull()) {
        popupAlertOk(QStringLiteral("PC Record full,Please delete records first!"));
        return;
    }
    // A number neither the first group nor the all-storage list's computer entries carry, so that
    // a later edit or delete by it finds this contact and no other.
    QSet<int> used;
    for (const QVariantMap &c : m_PcPhoneList.first().contacts)
        if (hasContactIndex(c))
            used.insert(contactIndex(c));
    for (const QVariantMap &c : m_allPhoneList)
        if (contactText(c, contactkey::savepos) == saveposTag::pc && hasContactIndex(c))
            used.insert(contactIndex(c));
    const QVariantMap contact{{contactkey::username, pluginFields_.name},
                              {contactkey::mobilephone, pluginFields_.mobile},
                              {contactkey::index, ContactLists::lowestFreeIndex(used, std::numeric_limits<int>::max() - 1)},
                              {contactkey::groupname, m_PcPhoneList.first().name()}};
    if (!addContactToPcPhoneList(contact, 0))
        return;
    savePhoneList2File();
    addContactToAllPhoneList(contact, saveposTag::pc);
    extensions().reloadContactTable();
    extensions().SetConpacityShow();
    postAddContactResult();
}

void PBController::saveNewUserToPB(const yov::Notification &notification)
{
    const std::optional<QVariant> payload = payloadOf(notification);
    if (!payload)
        return;
    const QVariantMap request = payload->toMap();
    toPbUserWinWithPhoneNumber(contactText(request, contactkey::mobilephone),
                               request.value(QStringLiteral("savePosition")).toString());
}

void PBController::CheckBundleUserName(const yov::Notification &notification)
{
    const std::optional<QVariant> text = payloadOf(notification);
    if (!text)
        return;
    pluginFields_.name = yov::phonebook::reSetNameStrWithInputName(text->toString(), simNameMaxLen_);
    notificationCenter().post(QStringLiteral("formatUserName"), this, {{QStringLiteral("formatUserName"), pluginFields_.name}});
}

void PBController::CheckBundleMobilePhone(const yov::Notification &notification)
{
    const std::optional<QVariant> text = payloadOf(notification);
    if (!text)
        return;
    QString message;
    pluginFields_.mobile = ContactFieldRules::filterNumberText(text->toString(), simNumberMaxLen_, &message);
    if (!message.isEmpty())
        popupAlertOk(message);
    notificationCenter().post(QStringLiteral("formatMobilePhone"), this,
                              {{QStringLiteral("formatMobilePhone"), pluginFields_.mobile}});
}

void PBController::getSelectContact(const yov::Notification &notification)
{
    const std::optional<QVariant> row = payloadOf(notification);
    if (!row)
        return;
    const int r = row->toInt();
    if (r < 0 || r >= m_SimPhoneList.size())
        return;
    m_SimContact = ContactPlace{PBStorage::SIM, -1, r};
    notificationCenter().post(QStringLiteral("selectUsrInfo"), this, {{QStringLiteral("selectUsrInfo"), m_SimPhoneList.at(r)}});
}

void PBController::editUserInSIMOrPC(const yov::Notification &notification)
{
    const std::optional<QVariant> payload = payloadOf(notification);
    if (!payload)
        return;
    const QVariantMap item = payload->toMap();
    if (!pluginFieldsPass(item))
        return;
    const int index = contactIndex(item);
    if (contactText(item, contactkey::savepos) == saveposTag::sim) {
        phonebookOperate_ = OperationEdit;
        // The SIM contact keeps the fields the plug-in does not show.
        const int row = ContactLists::positionOfIndex(index, m_SimPhoneList);
        QVariantMap contact = row >= 0 ? m_SimPhoneList.at(row) : QVariantMap();
        if (row >= 0)
            m_SimContact = ContactPlace{PBStorage::SIM, -1, row};
        contact.insert(contactkey::index, index);
        contact.insert(contactkey::username, pluginFields_.name);
        contact.insert(contactkey::mobilephone, pluginFields_.mobile);
        contact.insert(contactkey::savepos, saveposTag::sim);
        saveContactToSim(contact);
        return;
    }
    if (const std::optional<ContactPlace> place = pcPlaceOfPluginIndex(index)) {
        QVariantMap &contact = m_PcPhoneList[place->group].contacts[place->row];
        contact.insert(contactkey::username, pluginFields_.name);
        contact.insert(contactkey::mobilephone, pluginFields_.mobile);
        m_PcContact = place;
        sortPcGroup(place->group);
        savePhoneList2File();
        for (QVariantMap &entry : m_allPhoneList) {
            if (contactIndex(entry) == index && contactText(entry, contactkey::savepos) == saveposTag::pc) {
                entry.insert(contactkey::username, pluginFields_.name);
                entry.insert(contactkey::mobilephone, pluginFields_.mobile);
            }
        }
        extensions().reloadContactTable();
    }
    postAddContactResult();
}

void PBController::deleteUserInSIMOrPC(const yov::Notification &notification)
{
    const std::optional<QVariant> payload = payloadOf(notification);
    if (!payload)
        return;
    if (popupAlertOkCancel(QStringLiteral("Are you sure you want to delete the selected record(s)?")) != 1)
        return;
    const QVariantMap item = payload->toMap();
    const int index = contactIndex(item);
    if (contactText(item, contactkey::savepos) == saveposTag::sim) {
        phonebookOperate_ = OperationPluginDelete;
        addContactToDelUserList(index);
        if (!deleteContactFromSim(index))
            handleWriteResult({index, yov::kPbOperationDelete, 0});
        return;
    }
    if (const std::optional<ContactPlace> place = pcPlaceOfPluginIndex(index)) {
        removePcRow(place->group, place->row);
        savePhoneList2File();
        deleteItemInAllUserList(index, saveposTag::pc);
        extensions().reloadContactTable();
        extensions().SetConpacityShow();
    }
    postAddContactResult();
}

} // namespace ostrel
