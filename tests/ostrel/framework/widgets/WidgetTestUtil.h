#pragma once
// Sending synthetic input to widgets offscreen.
#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace widget_test {

inline void mouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons buttons = Qt::LeftButton)
{
    const QPointF global = w->mapToGlobal(QPointF(pos));
    QMouseEvent e(type, QPointF(pos), global, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

inline void press(QWidget *w, QPoint p, Qt::MouseButton b = Qt::LeftButton) { mouse(w, QEvent::MouseButtonPress, p, b, b); }
inline void drag(QWidget *w, QPoint p) { mouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
inline void release(QWidget *w, QPoint p, Qt::MouseButton b = Qt::LeftButton) { mouse(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton); }

inline void enter(QWidget *w)
{
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(w, &e);
}

inline void leave(QWidget *w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

inline QImage solid(QColor c, QSize size = QSize(20, 10))
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

} // namespace widget_test
