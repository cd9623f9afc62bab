#pragma once
// The frameless hint window that points at the favourite-link settings. The user drags it with the
// mouse anywhere inside it; while dragged it is held on the screen: its top never above the
// screen's top nor below its bottom, its right edge never left of the screen's left edge, its left
// edge never right of the screen's right edge.
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace ostrel {

class FavoriteIconHintWindow : public QWidget {
    Q_OBJECT
public:
    explicit FavoriteIconHintWindow(QWidget *parent = nullptr);

    // The window's frame moved by a drag of (dx, dy) (screen coordinates, y down), held on the screen.
    static QRect draggedFrame(const QRect &frame, const QPoint &delta, const QRect &screen);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPoint initialLocation_;
    QPoint lastGlobal_;
};

} // namespace ostrel
