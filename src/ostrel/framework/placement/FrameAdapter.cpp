#include "ostrel/framework/placement/FrameAdapter.h"

namespace ostrel {

QRectF FrameAdapter::toQt(const QRectF &skinFrame, qreal containerHeight)
{
    return QRectF(skinFrame.x(), containerHeight - skinFrame.y() - skinFrame.height(), skinFrame.width(),
                  skinFrame.height());
}

QRectF FrameAdapter::fromQt(const QRectF &qtGeometry, qreal containerHeight)
{
    // The conversion is its own inverse.
    return toQt(qtGeometry, containerHeight);
}

QRectF FrameAdapter::moveSkinOrigin(const QRectF &qtGeometry, const QPointF &skinOrigin, qreal containerHeight)
{
    return toQt(QRectF(skinOrigin, qtGeometry.size()), containerHeight);
}

QRectF FrameAdapter::resizeKeepingOrigin(const QRectF &qtGeometry, const QSizeF &size)
{
    const qreal bottom = qtGeometry.y() + qtGeometry.height();
    return QRectF(qtGeometry.x(), bottom - size.height(), size.width(), size.height());
}

} // namespace ostrel
