#include "ostrel/phonebook/ContactColumns.h"

#include "ostrel/phonebook/PBContact.h"

#include <algorithm>

namespace ostrel {

namespace {
ContactColumn column(const QString &identifier, const char *title)
{
    return {identifier, QLatin1String(title), ContactColumns::kStartWidth};
}

QList<ContactColumn> fieldColumns()
{
    return {column(contactkey::username, "Name"), column(contactkey::mobilephone, "MobilePhone"),
            column(contactkey::officephone, "OfficePhone"), column(contactkey::homephone, "HomePhone"),
            column(contactkey::email, "EMail")};
}
} // namespace

QList<ContactColumn> ContactColumns::initUserTableViewColumnsAtPC(bool noGroup, bool displayRemark, bool arabicInversion)
{
    QList<ContactColumn> columns = fieldColumns();
    if (arabicInversion) {
        std::reverse(columns.begin(), columns.end());
        columns.prepend(column(contactkey::groupname, "Group"));
        return columns;
    }
    if (!noGroup)
        columns.append(column(contactkey::groupname, "Group"));
    if (displayRemark)
        columns.append(column(contactkey::remark, "Remark"));
    return columns;
}

QList<ContactColumn> ContactColumns::initUserTableViewColumnsAtTcard() { return fieldColumns(); }

bool ContactColumns::showsColumn(const QList<ContactColumn> &columns, const QString &identifier)
{
    return std::any_of(columns.begin(), columns.end(), [&](const ContactColumn &c) { return c.identifier == identifier; });
}

} // namespace ostrel
