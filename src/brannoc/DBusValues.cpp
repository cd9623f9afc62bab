#include "brannoc/DBusValues.h"

#include <QDBusArgument>
#include <QDBusVariant>
#include <QStringList>

namespace brannoc {

QVariant plainDBusValue(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QDBusVariant>())
        return plainDBusValue(value.value<QDBusVariant>().variant());
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return value;
    const QDBusArgument argument = value.value<QDBusArgument>();
    const QString signature = argument.currentSignature();
    if (signature.startsWith(QLatin1String("a{")))
        return plainDBusMap(qdbus_cast<QVariantMap>(argument));
    if (signature == QLatin1String("as"))
        return qdbus_cast<QStringList>(argument);
    if (signature.startsWith(QLatin1Char('a'))) {
        QVariantList list = qdbus_cast<QVariantList>(argument);
        for (QVariant &item : list)
            item = plainDBusValue(item);
        return list;
    }
    return value;
}

QVariantMap plainDBusMap(const QVariantMap &values)
{
    QVariantMap out;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        out.insert(it.key(), plainDBusValue(it.value()));
    return out;
}

} // namespace brannoc
