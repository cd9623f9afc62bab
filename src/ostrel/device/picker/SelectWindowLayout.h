#pragma once
// Where the contact picker's controls stand, as a function of the window's content size W x H
// alone. Frames are skin frames: (x, y, width, height) with the origin at the bottom left of the
// content view. C = (W - 100) / 2 is the width of each list.
#include <QRectF>
#include <QSizeF>

namespace ostrel {

struct SelectWindowLayout {
    QRectF storeMedium;   // the storage box
    QRectF contactLabel;  // "Contact(s)"
    QRectF contactList;   // the contact list's scroll view
    QRectF selectedLabel; // "Selected contact(s)"
    QRectF selectedList;  // the selected list's scroll view
    QRectF addButton;     // ">>"
    QRectF removeButton;  // "<<"
    QRectF cancelButton;
    QRectF okButton;
    // With group sending only (null otherwise).
    QRectF groupBox;
    QRectF locationLabel; // "Location:"
    QRectF groupLabel;    // "Group:"

    static SelectWindowLayout compute(const QSizeF &size, bool groupSending);
    static qreal listWidth(const QSizeF &size) { return (size.width() - 100) / 2; }
    // The width both OK and Cancel take: the largest of 100 and their fitted widths.
    static qreal commonButtonWidth(qreal fittedOk, qreal fittedCancel);
    // The x of OK and Cancel in the call and simplified forms (other frame values kept).
    static qreal narrowCancelX() { return 15; }
    static qreal narrowOkX(const QSizeF &size) { return listWidth(size) - 85; }
    // The width of the call form's window.
    static qreal callFormWidth(const QSizeF &size) { return 30 + listWidth(size); }
};

} // namespace ostrel
