#include "ostrel/framework/widgets/SkinFrame.h"

#include "ostrel/framework/placement/FrameAdapter.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/NSWindowExt.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ostrel {

namespace {

// The rectangle a window's skin frame is relative to (global coordinates).
QRect windowContainer(const QWidget *w)
{
    QScreen *screen = w->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QRect toRect(const QRectF &r)
{
    return QRect(qRound(r.x()), qRound(r.y()), qRound(r.width()), qRound(r.height()));
}

} // namespace

qreal SkinFrame::containerHeight(const QWidget *w)
{
    if (w->isWindow())
        return windowContainer(w).height();
    return w->parentWidget() ? w->parentWidget()->height() : 0;
}

QRectF SkinFrame::frame(const QWidget *w)
{
    QRectF g = w->geometry();
    if (w->isWindow())
        g.translate(-windowContainer(w).topLeft());
    return FrameAdapter::fromQt(g, containerHeight(w));
}

void SkinFrame::setFrame(QWidget *w, const QRectF &skinFrame)
{
    QRectF g = FrameAdapter::toQt(skinFrame, containerHeight(w));
    if (w->isWindow())
        g.translate(windowContainer(w).topLeft());
    w->setGeometry(toRect(g));
}

void SkinFrame::setOrigin(QWidget *w, const QPointF &origin)
{
    setFrame(w, QRectF(origin, frame(w).size()));
}

void SkinFrame::setSize(QWidget *w, const QSizeF &size)
{
    setGeometryKeepingChildren(w, toRect(FrameAdapter::resizeKeepingOrigin(w->geometry(), size)));
}

bool SkinFrame::isPlainContainer(const QWidget *w)
{
    if (!w || w->layout())
        return false;
    const QMetaObject *mo = w->metaObject();
    return mo == &QWidget::staticMetaObject || qobject_cast<const NSViewExt *>(w);
}

void SkinFrame::setGeometryKeepingChildren(QWidget *w, const QRect &geometry)
{
    const int dh = geometry.height() - w->height();
    w->setGeometry(geometry);
    if (auto *window = qobject_cast<NSWindow *>(w))
        window->layoutContentView();
    if (dh == 0 || !isPlainContainer(w))
        return;
    for (QObject *child : w->children()) {
        auto *c = qobject_cast<QWidget *>(child);
        if (c && !c->isWindow())
            c->move(c->x(), c->y() + dh);
    }
}

} // namespace ostrel
