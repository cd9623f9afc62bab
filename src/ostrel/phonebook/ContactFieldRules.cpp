#include "ostrel/phonebook/ContactFieldRules.h"

#include "common/TextFormat.h"
#include "common/phonebook/SimAlphaCoding.h"
#include "common/util/Regex.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/switches/ConfigService.h"

namespace ostrel {

namespace {

// Texts of the checks, as the token lists hold them.
const QString kNameNull = QStringLiteral("The name should not be null!");
const QString kMobileNull = QStringLiteral("The mobilephone should not be null!");
const QString kInvalidCharacters = QStringLiteral("The item contains invalid charactor(s)!");
const QString kMailWithoutAt = QStringLiteral("Mail address should contain '@'!");
const QString kItemNull = QStringLiteral("The item should not be null!");
const QString kGroupNameTooLong = QStringLiteral("The groupname is too long!");
const QString kGroupNameExists = QStringLiteral("The groupname has existed!");

// White space at either end of a text.
const QString kBlankAtEnds = QStringLiteral("(^\\s)|(\\s$)");
// A number: an optional leading "+", then digits, "*" and "#".
const QString kNumberPattern = QStringLiteral("^[+]?[0-9*#]*$");

bool matchesPattern(const QString &text, const QString &pattern) { return yov::Regex::isMatchedByRegex(text, pattern); }

} // namespace

ConfiguredFieldLengths ConfiguredFieldLengths::read(const ConfigService &switches)
{
    return {{switches.getUserNameLen(), switches.getUserMobilePhoneLen(), switches.getUserHomePhoneLen(),
             switches.getUserOfficePhoneNumLen(), switches.getUserEmailLen()}};
}

QString FieldCheck::localizedMessage() const
{
    return yov::formatPlaceholders(Map_Name_Item_of_IndexString(message), arguments);
}

QString ContactFieldRules::limitFieldText(ContactField field, const QString &text, const ConfiguredFieldLengths &configured,
                                          const FieldLimits &storage)
{
    if (field == ContactField::Name) {
        const int limit = configured.name != 0 ? configured.name : storage.name;
        return limit == FieldLimits::kNoLimit ? text : yov::phonebook::reSetNameStrWithInputName(text, limit);
    }
    // A configured length of the other fields is a minimum, tested on OK.
    if (configured.of(field) != 0 || storage.of(field) == FieldLimits::kNoLimit)
        return text;
    return yov::phonebook::deleteExtraContent(text, storage.of(field));
}

FieldCheck ContactFieldRules::checkUserName(const QString &name)
{
    if (name.isEmpty())
        return FieldCheck::fail(ContactField::Name, kNameNull);
    if (matchesPattern(name, kBlankAtEnds))
        return FieldCheck::fail(ContactField::Name, kInvalidCharacters);
    return FieldCheck::pass();
}

FieldCheck ContactFieldRules::checkPhoneNumber(ContactField field, const QString &number, bool required)
{
    if (number.isEmpty())
        return required ? FieldCheck::fail(field, kMobileNull) : FieldCheck::pass();
    if (!matchesPattern(number, kNumberPattern))
        return FieldCheck::fail(field, kInvalidCharacters);
    return FieldCheck::pass();
}

FieldCheck ContactFieldRules::checkEmail(const QString &email)
{
    if (!email.isEmpty() && !email.contains(QLatin1Char('@')))
        return FieldCheck::fail(ContactField::Email, kMailWithoutAt);
    return FieldCheck::pass();
}

FieldCheck ContactFieldRules::checkTextFieldContent(const ContactFieldTexts &texts)
{
    for (const FieldCheck &check : {checkUserName(texts.name), checkPhoneNumber(ContactField::Mobile, texts.mobile, true),
                                    checkPhoneNumber(ContactField::Home, texts.home, false),
                                    checkPhoneNumber(ContactField::Office, texts.office, false), checkEmail(texts.email)}) {
        if (!check.passed())
            return check;
    }
    return FieldCheck::pass();
}

FieldCheck ContactFieldRules::checkTextFieldLength(const ContactFieldTexts &texts, const ConfiguredFieldLengths &configured)
{
    static const struct {
        ContactField field;
        const char *message;
    } minimums[] = {
        {ContactField::Mobile, "MobilePhone Number is less than %d"},
        {ContactField::Home, "HomePhone Number is less than %d !"},
        {ContactField::Office, "OfficePhone Number is less than %d"},
        {ContactField::Email, "eMail length is less than %d"},
    };
    for (const auto &minimum : minimums) {
        const QString &text = texts.of(minimum.field);
        const int length = configured.of(minimum.field);
        if (!text.isEmpty() && text.size() < length)
            return FieldCheck::fail(minimum.field, QLatin1String(minimum.message), {QString::number(length)});
    }
    return FieldCheck::pass();
}

FieldCheck ContactFieldRules::checkGroupName(const QString &name, int row, const QStringList &groupNames, int maxBytes)
{
    if (name.isEmpty())
        return FieldCheck::fail(ContactField::None, kItemNull);
    if (name.toUtf8().size() > maxBytes)
        return FieldCheck::fail(ContactField::None, kGroupNameTooLong);
    if (matchesPattern(name, kBlankAtEnds))
        return FieldCheck::fail(ContactField::None, kInvalidCharacters);
    for (int i = 0; i < groupNames.size(); ++i) {
        if (i != row && groupNames.at(i) == name)
            return FieldCheck::fail(ContactField::None, kGroupNameExists);
    }
    return FieldCheck::pass();
}

bool ContactFieldRules::checkNameItem(const QString &name) { return matchesPattern(name, QStringLiteral("^\\w*\\w$")); }

bool ContactFieldRules::checkAddFlag(const QString &number)
{
    if (number.isEmpty())
        return false;
    if (number == QLatin1String("+"))
        return true;
    for (qsizetype i = 0; i < number.size(); ++i) {
        const QChar c = number.at(i);
        if (c == QLatin1Char('+')) {
            if (i > 0)
                return true;
        } else if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && c != QLatin1Char('*') && c != QLatin1Char('#')) {
            return true;
        }
    }
    return false;
}

const std::array<int, 5> &ContactFieldRules::CONTACT_FIELD_MASKLIST()
{
    static const std::array<int, 5> masks{1, 2, 4, 8, 16};
    return masks;
}

int ContactFieldRules::maskOf(ContactField field)
{
    return field == ContactField::None ? 0 : CONTACT_FIELD_MASKLIST()[std::size_t(field)];
}

bool ContactFieldRules::isFieldEnabled(int flags, ContactField field) { return (flags & maskOf(field)) != 0; }

namespace {
struct FieldKey {
    ContactField field;
    const QString &key;
};
// The order in which the dialog's texts are copied into a contact.
const FieldKey kCollectOrder[] = {
    {ContactField::Name, contactkey::username}, {ContactField::Mobile, contactkey::mobilephone},
    {ContactField::Email, contactkey::email},   {ContactField::Home, contactkey::homephone},
    {ContactField::Office, contactkey::officephone},
};
const FieldKey kAddOrder[] = {
    {ContactField::Name, contactkey::username}, {ContactField::Mobile, contactkey::mobilephone},
    {ContactField::Home, contactkey::homephone}, {ContactField::Email, contactkey::email},
    {ContactField::Office, contactkey::officephone},
};
} // namespace

ContactFieldTexts ContactFieldRules::rearrangeEditDialogTextfieldsByContact(const QVariantMap &contact, int flags)
{
    ContactFieldTexts texts;
    for (const FieldKey &entry : kCollectOrder) {
        if (isFieldEnabled(flags, entry.field))
            texts.of(entry.field) = contactText(contact, entry.key);
    }
    return texts;
}

void ContactFieldRules::collectContactFields(QVariantMap &contact, const ContactFieldTexts &texts, int flags)
{
    for (const FieldKey &entry : kCollectOrder) {
        if (isFieldEnabled(flags, entry.field))
            contact.insert(entry.key, texts.of(entry.field));
    }
}

void ContactFieldRules::collectAddContactFields(QVariantMap &contact, const ContactFieldTexts &texts, const QString &remark,
                                                bool displayRemark)
{
    for (const FieldKey &entry : kAddOrder) {
        if (!texts.of(entry.field).isEmpty())
            contact.insert(entry.key, texts.of(entry.field));
    }
    if (displayRemark && !remark.isEmpty())
        contact.insert(contactkey::remark, remark);
}

void ContactFieldRules::writeAllContactFields(QVariantMap &contact, const ContactFieldTexts &texts, const QString &remark,
                                              bool displayRemark)
{
    for (const FieldKey &entry : kAddOrder)
        contact.insert(entry.key, texts.of(entry.field));
    if (displayRemark)
        contact.insert(contactkey::remark, remark);
}

QString ContactFieldRules::filterNumberText(const QString &text, int maxLength, QString *message)
{
    QString kept;
    for (const QChar c : text)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('*') || c == QLatin1Char('#') || c == QLatin1Char('+'))
            kept.append(c);
    QString said;
    if (kept.size() != text.size()) {
        said = QStringLiteral("The item contains invalid charactor(s)!");
    } else if (maxLength >= 0 && kept.size() > maxLength) {
        said = QStringLiteral("This item exceeds the max length!");
        kept.truncate(maxLength);
    }
    if (message)
        *message = said;
    return kept;
}

} // namespace ostrel
