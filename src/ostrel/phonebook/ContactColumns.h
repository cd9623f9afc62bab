#pragma once
// The columns of the contact tables as data: identifier (the contact key shown), English title and
// starting width.
#include <QList>
#include <QString>

namespace ostrel {

struct ContactColumn {
    QString identifier;
    QString title;
    int width = 80;

    bool operator==(const ContactColumn &) const = default;
};

class ContactColumns {
public:
    static constexpr int kStartWidth = 80;

    // The computer and device tables: name, mobile, office, home, e-mail, then the group unless
    // groups are hidden, then the remark when shown. With the Arabic mirrored layout: group,
    // e-mail, home, office, mobile, name (the group always, the remark never).
    static QList<ContactColumn> initUserTableViewColumnsAtPC(bool noGroup, bool displayRemark, bool arabicInversion);
    // The memory card's table: name, mobile, office, home, e-mail.
    static QList<ContactColumn> initUserTableViewColumnsAtTcard();
    static bool showsColumn(const QList<ContactColumn> &columns, const QString &identifier);
};

} // namespace ostrel
