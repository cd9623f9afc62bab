#pragma once
// The rules a contact's fields obey while they are typed and when the dialog is confirmed, as
// functions over the dialog's texts and the target storage's limits. A check gives the field that
// failed (for the keyboard focus) and the alert's English text with its placeholder value.
#include "ostrel/phonebook/PBContact.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <array>

namespace ostrel {

class ConfigService;

// A storage's limits: the name in bytes of the SIM alpha coding, the others in weighted
// characters. kNoLimit: the text stays as typed.
struct FieldLimits : PerContactField<int> {
    static constexpr int kNoLimit = -1;
    static FieldLimits none() { return {{kNoLimit, kNoLimit, kNoLimit, kNoLimit, kNoLimit}}; }
};

// The configured lengths (PhoneBook_UserNameLen and its siblings): a maximum for the name, a
// minimum for the others; 0 where nothing is configured.
struct ConfiguredFieldLengths : PerContactField<int> {
    static ConfiguredFieldLengths read(const ConfigService &switches);
};

// The outcome of a check: passed, or the failing field and the alert's text.
struct FieldCheck {
    ContactField field = ContactField::None;
    QString message;        // English, as the token lists hold it; empty when passed
    QStringList arguments;  // its placeholder values

    bool passed() const { return message.isEmpty(); }
    // The message in the active language with its placeholders filled.
    QString localizedMessage() const;

    static FieldCheck pass() { return {}; }
    static FieldCheck fail(ContactField field, const QString &message, const QStringList &arguments = {})
    {
        return {field, message, arguments};
    }
};

class ContactFieldRules {
public:
    // The text of a field as it may stand while typed: the name cut to the configured maximum
    // (when non-zero) or else to the storage's limit by the SIM byte rule; the other fields as typed
    // when a minimum is configured, else cut to the storage's weighted limit.
    static QString limitFieldText(ContactField field, const QString &text, const ConfiguredFieldLengths &configured,
                                  const FieldLimits &storage);

    // The content checks in the order name, mobile, home, office, e-mail; the first failure.
    static FieldCheck checkTextFieldContent(const ContactFieldTexts &texts);
    static FieldCheck checkUserName(const QString &name);
    static FieldCheck checkPhoneNumber(ContactField field, const QString &number, bool required);
    static FieldCheck checkEmail(const QString &email);
    // The minimum lengths of mobile, home, office and e-mail; an empty text passes.
    static FieldCheck checkTextFieldLength(const ContactFieldTexts &texts, const ConfiguredFieldLengths &configured);

    // A group name for the group at row among the groups' names: not empty, at most maxBytes UTF-8
    // bytes, no white space at either end, borne by no other group.
    static FieldCheck checkGroupName(const QString &name, int row, const QStringList &groupNames, int maxBytes);

    // A number field's text: only '0'-'9', '*', '#' and '+' are kept; when another character went,
    // message gets "The item contains invalid charactor(s)!"; otherwise a text longer than maxLength
    // (when not negative) is cut to it and message gets "This item exceeds the max length!".
    static QString filterNumberText(const QString &text, int maxLength, QString *message);
    // Plug-in character tests: a name of word characters only; a number that is not acceptable
    // (true for any character but digits, "*", "+" and "#", a "+" after the first place, or "+"
    // alone; false for an empty one).
    static bool checkNameItem(const QString &name);
    static bool checkAddFlag(const QString &number);

    // The dialog's fields by the device's field flags: bit 0 name, 1 mobile, 2 home, 3 office,
    // 4 e-mail.
    static const std::array<int, 5> &CONTACT_FIELD_MASKLIST();
    static int maskOf(ContactField field);
    static bool isFieldEnabled(int flags, ContactField field);
    // The texts of an edit dialog over a device contact: each enabled field from the contact (empty
    // when absent), the others empty.
    static ContactFieldTexts rearrangeEditDialogTextfieldsByContact(const QVariantMap &contact, int flags);
    // The dialog's texts of the enabled fields into the contact, empty texts included.
    static void collectContactFields(QVariantMap &contact, const ContactFieldTexts &texts, int flags);
    // The non-empty texts of name, mobile, home, e-mail and office, then the remark when shown.
    static void collectAddContactFields(QVariantMap &contact, const ContactFieldTexts &texts, const QString &remark,
                                        bool displayRemark);
    // All five texts and the remark (when shown), empty ones included, as the edit of a computer
    // contact writes them.
    static void writeAllContactFields(QVariantMap &contact, const ContactFieldTexts &texts, const QString &remark,
                                      bool displayRemark);
};

} // namespace ostrel
