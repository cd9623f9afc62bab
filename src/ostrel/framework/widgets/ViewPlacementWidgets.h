#pragma once
// The placement rules applied to widgets: reads the skin frames of a container's child widgets
// (in their stacking order, which is Qt's children order), runs the rule and writes them back.

#include <QList>
#include <QString>

class QWidget;

namespace ostrel {

class ViewPlacementWidgets {
public:
    // The child widgets that count as subviews: direct, non-window children in children order.
    static QList<QWidget *> subviews(const QWidget *container);

    // placementSubViewsSpacingPixel: false with no subviews or an unknown mode. The sorting modes
    // also restack the children in the sorted order.
    static bool placementSubViewsSpacingPixel(QWidget *container, qreal spacing, const QString &mode);
    // placementInSuperViewSpacingPixel: false without a parent or for an unknown mode.
    static bool placementInSuperViewSpacingPixel(QWidget *view, qreal pixels, const QString &mode);
};

} // namespace ostrel
