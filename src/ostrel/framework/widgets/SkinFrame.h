#pragma once
// Skin frames of widgets: the one place where a widget's geometry is read or written in skin
// coordinates (origin at the bottom left of the container, y upwards). The container of a child
// is its parent widget; the container of a top-level window is its screen.

#include <QRect>
#include <QRectF>

class QWidget;

namespace ostrel {

class SkinFrame {
public:
    // Height of the widget's container: the parent's height, or the screen's for a window.
    static qreal containerHeight(const QWidget *widget);

    static QRectF frame(const QWidget *widget);
    static void setFrame(QWidget *widget, const QRectF &skinFrame);
    // New origin, size kept.
    static void setOrigin(QWidget *widget, const QPointF &skinOrigin);
    // New size, skin origin kept: the bottom-left corner stays where it is, for views and
    // windows alike.
    // The children of a plain container (a view without a layout) keep their skin frames, that
    // is their distance from its bottom edge, as the container's height changes.
    static void setSize(QWidget *widget, const QSizeF &size);

    // Sets a widget's Qt geometry and, for a plain container, moves its children by the change
    // of height so that their skin frames stay as they were.
    static void setGeometryKeepingChildren(QWidget *widget, const QRect &geometry);
    static bool isPlainContainer(const QWidget *widget);
};

} // namespace ostrel
