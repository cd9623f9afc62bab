#include "ostrel/phonebook/PBContact.h"

#include "common/ValueConversion.h"

namespace ostrel {

const QStringList &contactkey::textKeys()
{
    static const QStringList keys{username, mobilephone, homephone, officephone, email, groupname, remark, savepos, listindex};
    return keys;
}

QString contactText(const QVariantMap &contact, const QString &key) { return yov::nsString(contact.value(key)); }

QVariantList contactsAsVariants(const QList<QVariantMap> &contacts)
{
    QVariantList list;
    list.reserve(contacts.size());
    for (const QVariantMap &contact : contacts)
        list.append(contact);
    return list;
}

bool hasContactIndex(const QVariantMap &contact)
{
    const auto it = contact.constFind(contactkey::index);
    return it != contact.constEnd() && it->isValid() && !it->isNull();
}

int contactIndex(const QVariantMap &contact) { return hasContactIndex(contact) ? yov::nsInt(contact.value(contactkey::index)) : 0; }

} // namespace ostrel
