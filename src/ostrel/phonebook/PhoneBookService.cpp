#include "ostrel/phonebook/PhoneBookService.h"

#include "common/phonebook/SimAlphaCoding.h"
#include "ostrel/phonebook/PBContact.h"

namespace ostrel {

namespace {

// Bits 1, 2 and 3 of the field flags: numbers 1, 2 and 3.
constexpr int kNumberFieldMasks[] = {2, 4, 8};

void putCutField(QVariantMap &entry, const QString &key, const QString &text, int limit)
{
    const QString cut = yov::phonebook::deleteExtraContent(text, limit);
    if (!cut.isEmpty())
        entry.insert(key, cut);
}

} // namespace

PhoneBookService &PhoneBookService::sharedPhoneBookService()
{
    static PhoneBookService service;
    return service;
}

int PhoneBookService::getSimFieldCount(int contactFieldsFlag)
{
    int count = 0;
    for (int mask : kNumberFieldMasks)
        count += (contactFieldsFlag & mask) ? 1 : 0;
    return count;
}

QList<QVariantMap> PhoneBookService::entriesPerNumber(const QVariantMap &contact, const QString &name,
                                                      const FieldLimits &limits)
{
    QList<QVariantMap> entries;
    for (const QString &key : {contactkey::mobilephone, contactkey::homephone, contactkey::officephone}) {
        const QString number = yov::phonebook::deleteExtraContent(contactText(contact, key), limits.mobile);
        if (!number.isEmpty())
            entries.append({{contactkey::username, name}, {contactkey::mobilephone, number}});
    }
    return entries;
}

void PhoneBookService::changeContactAccordToPBFiledCount(const QVariantMap &contact, QList<QVariantMap> &entries,
                                                         const QVariantMap &firstContact, int fieldCount,
                                                         const FieldLimits &limits)
{
    QVariantMap first = firstContact;
    switch (fieldCount) {
    case 1:
        entries.append(entriesPerNumber(contact, contactName(firstContact), limits));
        return;
    case 2:
        putCutField(first, contactkey::homephone, contactText(contact, contactkey::homephone), limits.home);
        putCutField(first, contactkey::email, contactText(contact, contactkey::email), limits.email);
        entries.append(first);
        return;
    case 3:
        putCutField(first, contactkey::homephone, contactText(contact, contactkey::homephone), limits.home);
        putCutField(first, contactkey::officephone, contactText(contact, contactkey::officephone), limits.office);
        putCutField(first, contactkey::email, contactText(contact, contactkey::email), limits.email);
        entries.append(first);
        return;
    default:
        return;
    }
}

int PhoneBookService::nonEmptyNumbers(const QVariantMap &contact)
{
    int k = 0;
    for (const QString &key : {contactkey::mobilephone, contactkey::homephone, contactkey::officephone})
        k += contactText(contact, key).isEmpty() ? 0 : 1;
    return k;
}

int PhoneBookService::recordsNeeded(const QVariantMap &contact, int fieldCount)
{
    if (fieldCount <= 0)
        return 0;
    const int k = nonEmptyNumbers(contact);
    return k > fieldCount ? (k + fieldCount - 1) / fieldCount : 1;
}

} // namespace ostrel
