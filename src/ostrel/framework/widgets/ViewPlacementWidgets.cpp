#include "ostrel/framework/widgets/ViewPlacementWidgets.h"

#include "ostrel/framework/placement/ViewPlacement.h"
#include "ostrel/framework/widgets/SkinFrame.h"

#include <QWidget>

namespace ostrel {

QList<QWidget *> ViewPlacementWidgets::subviews(const QWidget *container)
{
    QList<QWidget *> out;
    for (QObject *child : container->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (w && !w->isWindow())
            out.append(w);
    }
    return out;
}

bool ViewPlacementWidgets::placementSubViewsSpacingPixel(QWidget *container, qreal spacing, const QString &mode)
{
    if (!container)
        return false;
    const QList<QWidget *> views = subviews(container);
    if (views.isEmpty() || ViewPlacement::subviewPlacementType(mode) == ViewPlacement::NotFound)
        return false;
    QList<QRectF> frames;
    for (QWidget *v : views)
        frames.append(SkinFrame::frame(v));
    QList<int> order;
    const bool ok = ViewPlacement::placementSubViewsSpacingPixel(frames, container->size(), spacing, mode, &order);
    if (!order.isEmpty()) {
        // A sort: restack in the new order (raise() moves a child to the end of the list).
        for (int i : order)
            views.at(i)->raise();
        return ok;
    }
    for (int i = 0; i < views.size(); ++i)
        if (SkinFrame::frame(views.at(i)) != frames.at(i))
            SkinFrame::setFrame(views.at(i), frames.at(i));
    return ok;
}

bool ViewPlacementWidgets::placementInSuperViewSpacingPixel(QWidget *view, qreal pixels, const QString &mode)
{
    if (!view || view->isWindow() || !view->parentWidget())
        return false;
    QRectF frame = SkinFrame::frame(view);
    if (!ViewPlacement::placementInSuperViewSpacingPixel(frame, view->parentWidget()->size(), pixels, mode))
        return false;
    SkinFrame::setFrame(view, frame);
    return true;
}

} // namespace ostrel
