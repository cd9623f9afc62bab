// The rules of adds, edits and copies: field limits and checks, uniqueness, the renaming of
// duplicates, and the free-space tests.
#include "ostrel/phonebook/PBController.h"

#include "common/phonebook/SimAlphaCoding.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/phonebook/ContactLists.h"

#include <algorithm>

namespace ostrel {

// ---- field limits and checks ---------------------------------------------------------------------

FieldLimits PBController::limitsOfStorage(int storage) const
{
    switch (storage) {
    case int(PBStorage::PC):
        return {{pcNameMaxLen_, pcNumberMaxLen_, pcNumberMaxLen_, pcNumberMaxLen_, pcEmailMaxLen_}};
    case int(PBStorage::SIM):
        return {{simNameMaxLen_, simNumberMaxLen_, simNumber2MaxLen_, simNumber3MaxLen_, simMailMaxLen_}};
    case int(PBStorage::ME):
        return {{meNameMaxLen_, meNumberMaxLen_, meNumber2MaxLen_, meNumber3MaxLen_, meMailMaxLen_}};
    default:
        return FieldLimits::none();
    }
}

ConfiguredFieldLengths PBController::configuredFieldLengths() const
{
    return ConfiguredFieldLengths::read(ConfigService(&config()));
}

QString PBController::limitTextFieldLength(ContactField field, const QString &text, int storage) const
{
    return ContactFieldRules::limitFieldText(field, text, configuredFieldLengths(), limitsOfStorage(storage));
}

FieldCheck PBController::validTextFieldContent(const ContactDialogValues &values) const
{
    const FieldCheck content = ContactFieldRules::checkTextFieldContent(values.fields);
    if (!content.passed())
        return content;
    if (configuration_.ContactNameUniqueCheckingEnabled && !newContactNameIsUnique(values))
        return FieldCheck::fail(ContactField::Name, QStringLiteral("The name is already exist !"));
    if ((configuration_.PBNameAndNumberUnique || configuration_.NotAllowSameRecordInOneGroup)
        && !newContactNameAndNumberIsUnique(values))
        return FieldCheck::fail(ContactField::Name, QStringLiteral("You have saved same Name/MobilePhone before!"));
    return FieldCheck::pass();
}

FieldCheck PBController::checkTextFieldLength(const ContactDialogValues &values) const
{
    return ContactFieldRules::checkTextFieldLength(values.fields, configuredFieldLengths());
}

FieldCheck PBController::checkGroupName(const QString &name, int row) const
{
    return ContactFieldRules::checkGroupName(name, row, groupNames(), pcNameMaxLen_);
}

FieldCheck PBController::isUserNameAndMobilePhoneRightful(const ContactFieldTexts &texts) const
{
    if (texts.name.isEmpty())
        return FieldCheck::fail(ContactField::Name, QStringLiteral("The name should not be null!"));
    if (texts.mobile.isEmpty())
        return FieldCheck::fail(ContactField::Mobile, QStringLiteral("The mobilephone should not be null!"));
    if (configuration_.ContactNameUniqueCheckingEnabled && !contactNameIsUnique(texts.name))
        return FieldCheck::fail(ContactField::Name, QStringLiteral("The name is already exist !"));
    return FieldCheck::pass();
}

// ---- uniqueness ----------------------------------------------------------------------------------

bool PBController::contactNameExistInList(const QString &name, const QList<QVariantMap> &list,
                                          const std::optional<ContactPlace> &edited, PBStorage storage) const
{
    for (int row = 0; row < list.size(); ++row) {
        if (contactName(list.at(row)) == name && edited != ContactPlace{storage, -1, row})
            return true;
    }
    return false;
}

bool PBController::contactNameExistInPC(const QString &name) const
{
    for (int g = 0; g < m_PcPhoneList.size(); ++g) {
        const QList<QVariantMap> &contacts = m_PcPhoneList.at(g).contacts;
        for (int row = 0; row < contacts.size(); ++row) {
            if (contactName(contacts.at(row)) == name && m_PcContact != ContactPlace{PBStorage::PC, g, row})
                return true;
        }
    }
    return false;
}

bool PBController::contactNameExistInSIM(const QString &name) const
{
    return contactNameExistInList(name, m_SimPhoneList, m_SimContact, PBStorage::SIM);
}

bool PBController::contactNameExistInME(const QString &name) const
{
    return contactNameExistInList(name, m_MePhoneList, m_MeContact, PBStorage::ME);
}

bool PBController::contactNameIsUnique(const QString &name) const
{
    return !contactNameExistInPC(name) && !contactNameExistInSIM(name);
}

bool PBController::isContactNameExistInGroupContent(const QString &name, const QList<QVariantMap> &group) const
{
    return !ContactLists::getContactByName(name, group).isEmpty();
}

bool PBController::contactNameExist(const QString &name, int storage) const
{
    switch (storage) {
    case int(PBStorage::PC):
        return std::any_of(m_PcPhoneList.begin(), m_PcPhoneList.end(),
                           [&](const PcGroup &group) { return isContactNameExistInGroupContent(name, group.contacts); });
    case int(PBStorage::SIM):
        return isContactNameExistInGroupContent(name, m_SimPhoneList);
    case int(PBStorage::ME):
        return isContactNameExistInGroupContent(name, m_MePhoneList);
    default:
        return false;
    }
}

bool PBController::newContactNameIsUnique(const ContactDialogValues &values) const
{
    switch (targetStorageOf(values)) {
    case int(PBStorage::PC):
        return !contactNameExistInPC(values.fields.name);
    case int(PBStorage::SIM):
        return !contactNameExistInSIM(values.fields.name);
    case int(PBStorage::ME):
        return !contactNameExistInME(values.fields.name);
    default:
        return true;
    }
}

bool PBController::newContactNameAndNumberIsUnique(const ContactDialogValues &values) const
{
    const QString &name = values.fields.name;
    const QString &number = values.fields.mobile;
    if (name.isEmpty() || number.isEmpty())
        return true;
    switch (targetStorageOf(values)) {
    case int(PBStorage::PC):
        return !contactNameExistInPC(name, number, userGroupIndexByGroupName(values.groupName));
    case int(PBStorage::SIM):
        return !contactNameExistInSIM(name, number);
    case int(PBStorage::ME):
        return !contactNameExistInME(name, number);
    default:
        return true;
    }
}

namespace {
// The row of the first contact with that name and mobile number; -1 when none.
int rowOfSameContact(const QList<QVariantMap> &list, const QString &name, const QString &number)
{
    for (int row = 0; row < list.size(); ++row) {
        if (contactName(list.at(row)) == name && contactMobile(list.at(row)) == number)
            return row;
    }
    return -1;
}

std::optional<ContactPlace> placeOfSameContact(const QList<QVariantMap> &list, PBStorage storage, int group,
                                               const QString &name, const QString &number)
{
    const int row = rowOfSameContact(list, name, number);
    if (row < 0)
        return std::nullopt;
    return ContactPlace{storage, group, row};
}
} // namespace

bool PBController::contactNameExistInPC(const QString &name, const QString &number, int destGroupIndex) const
{
    for (int g = 0; g < m_PcPhoneList.size(); ++g) {
        const auto place = placeOfSameContact(m_PcPhoneList.at(g).contacts, PBStorage::PC, g, name, number);
        if (place && sameContactExistInPC(place, destGroupIndex))
            return true;
    }
    return false;
}

bool PBController::contactNameExistInSIM(const QString &name, const QString &number) const
{
    return sameContactExistInSIM(placeOfSameContact(m_SimPhoneList, PBStorage::SIM, -1, name, number));
}

bool PBController::contactNameExistInME(const QString &name, const QString &number) const
{
    return sameContactExistInME(placeOfSameContact(m_MePhoneList, PBStorage::ME, -1, name, number));
}

bool PBController::sameContactExistInPC(const std::optional<ContactPlace> &place, int destGroupIndex) const
{
    if (!place)
        return false;
    if (phonebookOperate_ != OperationAdd && phonebookOperate_ != OperationCopy)
        return !(phonebookOperate_ == OperationEdit && m_PcContact == place);
    return configuration_.PBNameAndNumberUnique || place->group == destGroupIndex
           || !configuration_.NotAllowSameRecordInOneGroup;
}

bool PBController::sameContactExistInSIM(const std::optional<ContactPlace> &place) const
{
    return place && !(phonebookOperate_ == OperationEdit && m_SimContact == place);
}

bool PBController::sameContactExistInME(const std::optional<ContactPlace> &place) const
{
    return place && !(phonebookOperate_ == OperationEdit && m_MeContact == place);
}

// ---- renaming of duplicates ----------------------------------------------------------------------

QStringList PBController::searchResemblesOfContact(const QString &name) const
{
    QStringList resembles;
    const auto collect = [&](const QList<QVariantMap> &list) {
        for (const QVariantMap &contact : list) {
            const QString other = contactName(contact);
            if (other.contains(name))
                resembles.append(other);
        }
    };
    for (const PcGroup &group : m_PcPhoneList)
        collect(group.contacts);
    collect(m_SimPhoneList);
    collect(m_AddContactList);
    return resembles;
}

QString PBController::createUniqueOfContactName(const QString &name, int storage) const
{
    const int limit = storage == int(PBStorage::SIM) ? simNameMaxLen_ : pcNameMaxLen_;
    QString candidate = name;
    for (int n = 1; searchResemblesOfContact(candidate).contains(candidate); ++n) {
        const QString suffix = QString::number(n);
        candidate = yov::phonebook::leadingCharacters(name, std::max(0, limit - int(suffix.size()))) + suffix;
    }
    return candidate;
}

void PBController::doUniqueCheckIfNeededOfContact(QVariantMap &contact, int storage) const
{
    if (!configuration_.ContactNameUniqueCheckingEnabled)
        return;
    const QString name = contactName(contact);
    if (searchResemblesOfContact(name).isEmpty())
        return;
    contact.insert(contactkey::username, createUniqueOfContactName(name, storage));
}

// ---- free space ----------------------------------------------------------------------------------

bool PBController::checkFreeSpace(const QString &destination)
{
    switch (storageOfDestination(destination)) {
    case yov::kPbStorageSim:
        return checkFreeSpaceInSIM();
    case yov::kPbStorageMe:
        return checkFreeSpaceInME();
    default:
        return checkFreeSpaceInPC();
    }
}

bool PBController::checkFreeSpaceInPC()
{
    if (sumOfContactInPC() < PCUserMaxCount)
        return true;
    popupAlertOk(QStringLiteral("PC Record full,Please delete records first!"));
    return false;
}

bool PBController::checkFreeSpaceInSIM()
{
    if (getSimUserNumber() < simMaxIndex_)
        return true;
    popupAlertOk(QStringLiteral("SIM Record full,Please delete records first!"));
    return false;
}

bool PBController::checkFreeSpaceInME()
{
    if (getMeUserNumber() < meMaxIndex_)
        return true;
    popupAlertOk(QStringLiteral("Data Card Record full,Please delete records first!"));
    return false;
}

bool PBController::reCheckFreeSpace(const QString &destination, std::optional<int> prepared)
{
    const int count = prepared.value_or(int(m_AddContactList.size()));
    switch (storageOfDestination(destination)) {
    case yov::kPbStorageSim:
        return reCheckFreeSpaceInSIM(count);
    case yov::kPbStorageMe:
        return reCheckFreeSpaceInME(count);
    default:
        return reCheckFreeSpaceInPC(count);
    }
}

bool PBController::reCheckFreeSpaceInPC(int prepared) { return prepared > 0; }

bool PBController::reCheckFreeSpaceInSIM(int prepared)
{
    return reCheckFreeSpaceOfDevice(
        getSimUserNumber(), simMaxIndex_, prepared, QStringLiteral("SIM card has not enough space,Please delete records first!"),
        QStringLiteral("You are copying more contacts than the left capacity of SIM card, would you like to transfer the number of contacts supported by SIM card?"));
}

bool PBController::reCheckFreeSpaceInME(int prepared)
{
    return reCheckFreeSpaceOfDevice(
        getMeUserNumber(), meMaxIndex_, prepared, QStringLiteral("Data Card has not enough space,Please delete records first!"),
        QStringLiteral("You are copying more contacts than the left capacity of Data Card, would you like to transfer the number of contacts supported by Data card?"));
}

bool PBController::reCheckFreeSpaceOfDevice(int count, int maxIndex, int prepared, const QString &notEnoughSpace,
                                            const QString &question)
{
    if (prepared <= 0)
        return false;
    if (count + prepared <= maxIndex)
        return true;
    if (configuration_.D3UNotEnoughSpaceTip) {
        popupAlertOk(notEnoughSpace);
        return false;
    }
    return popupAlertOkCancel(question) == 1;
}

} // namespace ostrel
