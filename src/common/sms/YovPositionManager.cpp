#include "common/sms/YovPositionManager.h"

#include "common/ValueConversion.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSmsPosition, "ostrel.sms.position")

namespace yov::sms {

const QString YovPositionManager::kKeyName = QStringLiteral("positoinName");
const QString YovPositionManager::kKeyCode = QStringLiteral("positoin");
const QString YovPositionManager::kKeyOrder = QStringLiteral("positoinoOrder");

void YovPositionManager::addYovpositionWithPositionName(const QString &name, int displayOrder, int position)
{
    yovPositions_.append(YovPosition(name, position, displayOrder));
}

int YovPositionManager::getValueByKey(const QString &key, const QVariant &value, const QString &returnKey) const
{
    if (key.isNull() || returnKey.isNull()) {
        qCWarning(lcSmsPosition) << "error://yovposition is not null";
        return -1;
    }
    // A name is compared as text: a missing name matches no entry.
    const bool byName = key == kKeyName && value.isValid() && !value.isNull();
    const QString name = byName ? nsString(value) : QString();
    for (const YovPosition &p : yovPositions_) {
        if (key == kKeyName && returnKey == kKeyCode) {
            if (byName && p.positionName() == name)
                return p.positon();
        } else if (key == kKeyOrder && returnKey == kKeyCode) {
            if (p.displayOrder() == nsInt(value))
                return p.positon();
        } else if (key == kKeyCode && returnKey == kKeyOrder) {
            if (p.positon() == nsInt(value))
                return p.displayOrder();
        } else if (key == kKeyName && returnKey == kKeyOrder) {
            if (byName && p.positionName() == name)
                return p.displayOrder();
        } else {
            return -1;
        }
    }
    return -1;
}

int YovPositionManager::getPositionByPositionName(const QString &name) const
{
    return getValueByKey(kKeyName, name.isNull() ? QVariant() : QVariant(name), kKeyCode);
}

int YovPositionManager::getPositionByPositionOrder(int displayOrder) const
{
    return getValueByKey(kKeyOrder, displayOrder, kKeyCode);
}

int YovPositionManager::getPositionOrderByPositon(int position) const
{
    return getValueByKey(kKeyCode, position, kKeyOrder);
}

int YovPositionManager::getPositionOrderByPositonName(const QString &name) const
{
    return getValueByKey(kKeyName, name.isNull() ? QVariant() : QVariant(name), kKeyOrder);
}

bool YovPositionManager::hasPosition(int position) const
{
    for (const YovPosition &p : yovPositions_)
        if (p.positon() == position)
            return true;
    return false;
}

} // namespace yov::sms
