#pragma once
// Frames of the skin and frames of Qt.
//
// Skin files give frames with the origin at the bottom left of the superview and y growing
// upwards; Qt places widgets with the origin at the top left and y growing downwards. Every
// placement and every skin applier converts through this one adapter. The container height is
// the height of the parent widget for a child, or of the screen for a top-level window.

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace ostrel {

class FrameAdapter {
public:
    // A skin frame (bottom-left origin) inside a container of the given height, as a Qt geometry.
    static QRectF toQt(const QRectF &skinFrame, qreal containerHeight);
    // A Qt geometry inside a container of the given height, as a skin frame.
    static QRectF fromQt(const QRectF &qtGeometry, qreal containerHeight);

    // The Qt geometry after moving the skin origin to the given point, size kept.
    static QRectF moveSkinOrigin(const QRectF &qtGeometry, const QPointF &skinOrigin, qreal containerHeight);
    // The Qt geometry after a change of size with the skin origin kept: the bottom edge and the
    // left edge stay where they were, the top edge moves.
    static QRectF resizeKeepingOrigin(const QRectF &qtGeometry, const QSizeF &size);
};

} // namespace ostrel
