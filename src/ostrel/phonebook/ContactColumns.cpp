#include "ostrel/phonebook/ContactColumns.h"

#include "ostrel/phonebook/PBContact.h"

#include <algorithm>

namespace ostrel {

namespace {
ContactColumn contactColumn(const QString &identifier, const char *title)
{
    return {identifier, QLatin1String(title), ContactColumns::kStartWidth};
}

QList<ContactColumn> fieldColumns()
{
    return {contactColumn(contactkey::username, "Name"), contactColumn(contactkey::mobilephone, "MobilePhone"),
            contactColumn(contactkey::officephone, "OfficePhone"), contactColumn(contactkey::homephone, "HomePhone"),
            contactColumn(contactkey::email, "EMail")};
}
} // namespace

QList<ContactColumn> ContactColumns::initUserTableViewColumnsAtPC(bool noGroup, bool displayRemark, bool arabicInversion)
{
    QList<ContactColumn> columns = fieldColumns();
    if (arabicInversion) {
        std::reverse(columns.begin(), columns.end());
        columns.prepend(contactColumn(contactkey::groupname, "Group"));
        return columns;
    }
    if (!noGroup)
        columns.append(contactColumn(contactkey::groupname, "Group"));
    if (displayRemark)
        columns.append(contactColumn(contactkey::remark, "Remark"));
    return columns;
}

QList<ContactColumn> ContactColumns::initUserTableViewColumnsAtTcard() { return fieldColumns(); }

bool ContactColumns::showsColumn(const QList<ContactColumn> &columns, const QString &identifier)
{
    return std::any_of(columns.begin(), columns.end(), [&](const ContactColumn &c) { return c.identifier == identifier; });
}

} // namespace ostrel
