#include "ostrel/device/picker/SelectWindowLayout.h"

#include <algorithm>

namespace ostrel {

SelectWindowLayout SelectWindowLayout::compute(const QSizeF &size, bool groupSending)
{
    const qreal W = size.width();
    const qreal H = size.height();
    const qreal C = listWidth(size);
    SelectWindowLayout l;
    const qreal rightX = W - 15 - C;
    l.storeMedium = QRectF(15, (groupSending ? H - 48 : H - 38), 130, 25);
    const qreal labelY = groupSending ? H - 68 : H - 63;
    l.contactLabel = QRectF(15, labelY, 200, 20);
    l.contactList = QRectF(15, 47, C, H - 115);
    l.selectedLabel = QRectF(rightX, labelY, 200, 20);
    l.selectedList = QRectF(rightX, 47, C, H - 115);
    if (groupSending) {
        l.groupBox = QRectF(rightX, H - 48, 130, 25);
        l.locationLabel = QRectF(15, H - 23, 200, 20);
        l.groupLabel = QRectF(rightX, H - 23, 200, 20);
    }
    l.addButton = QRectF((W - 60) / 2, 72 + 2 * (H - 165) / 3, 60, 25);
    l.removeButton = QRectF((W - 60) / 2, 47 + (H - 165) / 3, 60, 25);
    l.cancelButton = QRectF(15 + (C - 100) / 2, 7, 100, 25);
    l.okButton = QRectF(rightX + (C - 100) / 2, 7, 100, 25);
    return l;
}

qreal SelectWindowLayout::commonButtonWidth(qreal fittedOk, qreal fittedCancel)
{
    return std::max({qreal(100), fittedOk, fittedCancel});
}

} // namespace ostrel
