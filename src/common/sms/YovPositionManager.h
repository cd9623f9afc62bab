#pragma once
// The table of SMS storage positions a build offers, in the order they were added (not sorted by
// display order), with lookups by name, code and display order. Every lookup answers -1 when no
// entry matches.

#include "common/sms/YovPosition.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace yov::sms {

class YovPositionManager {
public:
    // The key names of getValueByKey.
    static const QString kKeyName;  // "positoinName": the position name
    static const QString kKeyCode;  // "positoin": the code
    static const QString kKeyOrder; // "positoinoOrder": the display order

    void addYovpositionWithPositionName(const QString &name, int displayOrder, int position);
    const QList<YovPosition> &getAllPositions() const { return yovPositions_; }
    int positionCount() const { return int(yovPositions_.size()); }

    // The first entry that matches value under key, asked for its returnKey: name -> code,
    // order -> code, code -> order, name -> order. -1 for no match and for any other pair of keys;
    // a null key or return key is logged as an error and gives -1 too.
    int getValueByKey(const QString &key, const QVariant &value, const QString &returnKey) const;

    int getPositionByPositionName(const QString &name) const;
    int getPositionByPositionOrder(int displayOrder) const;
    int getPositionOrderByPositon(int position) const;
    int getPositionOrderByPositonName(const QString &name) const;
    bool hasPosition(int position) const;

private:
    QList<YovPosition> yovPositions_;
};

} // namespace yov::sms
