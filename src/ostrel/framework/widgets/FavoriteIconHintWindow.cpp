#include "ostrel/framework/widgets/FavoriteIconHintWindow.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace ostrel {

FavoriteIconHintWindow::FavoriteIconHintWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

QRect FavoriteIconHintWindow::draggedFrame(const QRect &frame, const QPoint &delta, const QRect &screen)
{
    QRect moved = frame.translated(delta);
    if (moved.top() < screen.top())
        moved.moveTop(screen.top());
    else if (moved.top() > screen.bottom())
        moved.moveTop(screen.bottom());
    else if (moved.right() < screen.left())
        moved.moveRight(screen.left());
    else if (moved.left() > screen.right())
        moved.moveLeft(screen.right());
    return moved;
}

void FavoriteIconHintWindow::mousePressEvent(QMouseEvent *event)
{
    lastGlobal_ = event->globalPosition().toPoint();
    initialLocation_ = lastGlobal_ - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void FavoriteIconHintWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    const QPoint global = event->globalPosition().toPoint();
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(-100000, -100000, 200000, 200000);
    const QRect frame = isWindow() ? frameGeometry() : geometry();
    const QRect moved = draggedFrame(frame, global - lastGlobal_, isWindow() ? area : parentWidget()->rect());
    move(moved.topLeft());
    lastGlobal_ = global;
}

} // namespace ostrel
