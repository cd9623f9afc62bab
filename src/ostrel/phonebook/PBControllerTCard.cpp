// The memory-card phonebook: one record file per contact in the card's folder "PB".
#include "common/ValueConversion.h"
#include "ostrel/framework/service/TcardVolume.h"
#include "ostrel/phonebook/ContactLists.h"
#include "ostrel/phonebook/PBController.h"

namespace ostrel {

namespace {

// The dialog's five texts into a card contact.
void writeDialogFields(QVariantMap &contact, const ContactFieldTexts &texts)
{
    contact.insert(contactkey::username, texts.name);
    contact.insert(contactkey::mobilephone, texts.mobile);
    contact.insert(contactkey::homephone, texts.home);
    contact.insert(contactkey::officephone, texts.office);
    contact.insert(contactkey::email, texts.email);
}

const QString kWriteFailed = QStringLiteral("The operation failed!");

} // namespace

QString PBController::phonebookFolderPathInTCard() const { return tcardFiles_ ? tcardFiles_->folderPath() : QString(); }

void PBController::initTCard()
{
    if (!configuration_.IsShowTCard)
        return;
    if (initTCardFilePath())
        initTCardList();
    extensions().initTCard();
}

bool PBController::initTCardFilePath()
{
    tcardInitFinished_ = false;
    tcardFiles_.reset();
    const std::optional<QString> volume = getTcardVolume();
    if (!volume || volume->isEmpty())
        return false;
    tcardFiles_.emplace(*volume);
    tcardInitFinished_ = tcardFiles_->prepare();
    if (!tcardInitFinished_)
        qCWarning(lcPhonebook) << "The memory card's phonebook folder cannot be used:" << tcardFiles_->folderPath();
    return tcardInitFinished_;
}

void PBController::initTCardList()
{
    addTCardRecordToList(tcardFiles_ ? tcardFiles_->scan() : QList<QVariantMap>());
    // A second read replaces the first one's entries.
    removeAllListEntries(saveposTag::tcard);
    addListToAllPhoneList(m_TCardPhoneList, int(PBStorage::TCard));
}

void PBController::addTCardRecordToList(const QList<QVariantMap> &contacts)
{
    m_TCardPhoneList = contacts;
    m_TCardContact.reset();
    ContactLists::sortList(m_TCardPhoneList);
}

bool PBController::addUserItemInTCard(const ContactDialogValues &values)
{
    const FieldCheck check = isUserNameAndMobilePhoneRightful(values.fields);
    if (!check.passed()) {
        popupAlertOk(check.message);
        return false;
    }
    if (!tcardInitFinished_ || !tcardFiles_)
        return false;
    QVariantMap contact;
    for (const QString &key : {QStringLiteral("groupid"), QStringLiteral("secondname"), QStringLiteral("company"),
                               QStringLiteral("duty"), QStringLiteral("email2"), QStringLiteral("qq"), QStringLiteral("msn"),
                               QStringLiteral("notes"), QStringLiteral("homeaddress"), QStringLiteral("workaddress"),
                               QStringLiteral("url"), QStringLiteral("pictureid")})
        contact.insert(key, QString());
    writeDialogFields(contact, values.fields);
    const int fileNumber = tcardFiles_->freeFileNumber(m_TCardPhoneList);
    const int index = TCardPhonebookFiles::newIndex(m_TCardPhoneList);
    contact.insert(tcardkey::fileNameNumber, fileNumber);
    contact.insert(contactkey::index, index);
    if (!tcardFiles_->writeRecord(contact)) {
        popupAlertOk(kWriteFailed);
        return false;
    }
    if (!tcardFiles_->addToKeyList(fileNumber, index, m_TCardPhoneList))
        qCWarning(lcPhonebook) << "The memory card's key list could not be written";
    m_TCardPhoneList.append(contact);
    ContactLists::sortList(m_TCardPhoneList);
    m_TCardContact.reset();
    addContactToAllPhoneList(contact, saveposTag::tcard);
    return true;
}

bool PBController::editUserItemInTCard(const ContactDialogValues &values)
{
    if (!m_TCardContact || m_TCardContact->storage != PBStorage::TCard || !tcardFiles_)
        return false;
    const int row = m_TCardContact->row;
    if (row < 0 || row >= m_TCardPhoneList.size())
        return false;
    const FieldCheck check = isUserNameAndMobilePhoneRightful(values.fields);
    if (!check.passed()) {
        popupAlertOk(check.message);
        return false;
    }
    QVariantMap contact = m_TCardPhoneList.at(row);
    writeDialogFields(contact, values.fields);
    if (!tcardFiles_->writeRecord(contact)) {
        popupAlertOk(kWriteFailed);
        return false;
    }
    m_TCardPhoneList[row] = contact;
    ContactLists::sortList(m_TCardPhoneList);
    m_TCardContact.reset();
    deleteItemInAllUserList(contactIndex(contact), saveposTag::tcard);
    addContactToAllPhoneList(contact, saveposTag::tcard);
    return true;
}

bool PBController::deleteUserFromTCard(const QList<int> &rows)
{
    if (!tcardFiles_)
        return false;
    QList<QVariantMap> remaining = m_TCardPhoneList;
    bool deleted = false;
    for (int row : rows) {
        if (row < 0 || row >= m_TCardPhoneList.size())
            continue;
        const QVariantMap contact = m_TCardPhoneList.at(row);
        QList<QVariantMap> after = remaining;
        after.removeOne(contact);
        if (!tcardFiles_->deleteRecord(yov::nsInt(contact.value(tcardkey::fileNameNumber)), after)) {
            qCWarning(lcPhonebook) << "A memory-card record could not be removed; the contact stays";
            continue;
        }
        remaining = after;
        deleteItemInAllUserList(contactIndex(contact), saveposTag::tcard);
        deleted = true;
    }
    m_TCardPhoneList = remaining;
    m_TCardContact.reset();
    return deleted;
}

bool PBController::deleteRecordOfTCardContact(const QVariantMap &contact)
{
    if (!tcardFiles_)
        return false;
    QList<QVariantMap> after = m_TCardPhoneList;
    after.removeOne(contact);
    return tcardFiles_->deleteRecord(yov::nsInt(contact.value(tcardkey::fileNameNumber)), after);
}

} // namespace ostrel
