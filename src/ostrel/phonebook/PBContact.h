#pragma once
// The contact as every area reads it: a dictionary (QVariantMap) with the keys below, so that keys
// the dashboard does not know survive a load and a save and plug-ins get the dictionary they
// expect. A missing key is an empty field. The accessors read values through the project's
// conversions (a number stored where a text belongs reads as its text).
//
// Storages as the phonebook's window numbers them: 0 the computer (grouped), 1 the SIM, 2 the
// device memory, 3 the memory card.
#include <QList>
#include <QString>
#include <QVariantMap>

namespace ostrel {

namespace contactkey {
inline const QString index = QStringLiteral("index");             // record number (integer)
inline const QString username = QStringLiteral("username");
inline const QString mobilephone = QStringLiteral("mobilephone"); // the device's number 1
inline const QString homephone = QStringLiteral("homephone");     // number 2
inline const QString officephone = QStringLiteral("officephone"); // number 3
inline const QString email = QStringLiteral("email");
inline const QString groupname = QStringLiteral("groupname");     // computer contacts and group headers
inline const QString remark = QStringLiteral("remark");
inline const QString savepos = QStringLiteral("savepos");         // entries of the all-storage list
inline const QString listindex = QStringLiteral("listindex");     // position of a found SIM or device contact

// The keys whose values are texts.
const QStringList &textKeys();
} // namespace contactkey

// "savepos" values of the all-storage list.
namespace saveposTag {
inline const QString pc = QStringLiteral("SAVEINPC");
inline const QString sim = QStringLiteral("SAVEINSIM");
inline const QString me = QStringLiteral("SAVEINME");
inline const QString tcard = QStringLiteral("SAVEINTCARD");
} // namespace saveposTag

enum class PBStorage { PC = 0, SIM = 1, ME = 2, TCard = 3 };

// Where a contact lives: a computer contact by group and row, any other by its list position.
// The controller moves the places it keeps when computer contacts or groups move (an add, a
// delete, a sort); a SIM, device or card place stays valid until its list changes.
struct ContactPlace {
    PBStorage storage = PBStorage::PC;
    int group = -1; // computer only
    int row = -1;

    bool operator==(const ContactPlace &) const = default;
};

// Typed reads of a contact.
QString contactText(const QVariantMap &contact, const QString &key);
inline QString contactName(const QVariantMap &contact) { return contactText(contact, contactkey::username); }
inline QString contactMobile(const QVariantMap &contact) { return contactText(contact, contactkey::mobilephone); }
bool hasContactIndex(const QVariantMap &contact);
// The contacts as a property-list array.
QVariantList contactsAsVariants(const QList<QVariantMap> &contacts);
// The record number; 0 when the contact carries none.
int contactIndex(const QVariantMap &contact);

// The five texts of the contact dialog.
enum class ContactField { None = -1, Name = 0, Mobile, Home, Office, Email };

// One value for each of the five fields.
template <typename T>
struct PerContactField {
    T name{};
    T mobile{};
    T home{};
    T office{};
    T email{};

    T &of(ContactField field)
    {
        switch (field) {
        case ContactField::Mobile:
            return mobile;
        case ContactField::Home:
            return home;
        case ContactField::Office:
            return office;
        case ContactField::Email:
            return email;
        default:
            return name;
        }
    }
    const T &of(ContactField field) const { return const_cast<PerContactField *>(this)->of(field); }
};

using ContactFieldTexts = PerContactField<QString>;

// What the contact dialog hands over on OK: its texts, the group field, the group pop-up's selected
// index and the save position's tag (0 computer, 1 SIM, 2 device).
struct ContactDialogValues {
    ContactFieldTexts fields;
    QString remark;
    QString groupName;
    int groupPopUpIndex = 0;
    int savePosition = 0;
};

} // namespace ostrel
