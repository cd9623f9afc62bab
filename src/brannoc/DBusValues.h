#pragma once
// Values that came over D-Bus as plain Qt values: nested dictionaries (a{sv}) and arrays (av, as)
// arrive wrapped in QDBusArgument and are unwrapped here, at any depth, so that modem areas read
// them like the values of a scenario file.

#include <QVariant>
#include <QVariantMap>

namespace brannoc {

QVariant plainDBusValue(const QVariant &value);
QVariantMap plainDBusMap(const QVariantMap &values);

} // namespace brannoc
