#include "ostrel/framework/widgets/NSWindowExt.h"

#include "ostrel/framework/widgets/SkinFrame.h"
#include "platform/NotificationCenter.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace ostrel {

NSWindow::NSWindow(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags | Qt::Window)
{
    setContentView(new QWidget);
}

void NSWindow::setContentView(QWidget *view)
{
    if (contentView_ == view)
        return;
    delete contentView_;
    contentView_ = view;
    if (view) {
        view->setParent(this);
        view->setGeometry(QRect(QPoint(0, 0), size()));
        view->show();
    }
}

void NSWindow::layoutContentView()
{
    // The content view fills the window; its children keep their distance from the bottom edge.
    if (contentView_ && contentView_->geometry() != QRect(QPoint(0, 0), size()))
        SkinFrame::setGeometryKeepingChildren(contentView_, QRect(QPoint(0, 0), size()));
}

void NSWindow::resizeEvent(QResizeEvent *event)
{
    layoutContentView();
    QWidget::resizeEvent(event);
}

static void makeBorderlessAndClear(QWidget *w)
{
    w->setAttribute(Qt::WA_TranslucentBackground);
    w->setAttribute(Qt::WA_NoSystemBackground);
}

NSWindowExt::NSWindowExt(QWidget *parent) : NSWindowExt(parent, Qt::Window, true)
{
}

NSWindowExt::NSWindowExt(QWidget *parent, Qt::WindowFlags flags, bool reportMoves)
    : NSWindow(parent, flags | Qt::FramelessWindowHint), reportMoves_(reportMoves)
{
    makeBorderlessAndClear(this);
    setFocusPolicy(Qt::StrongFocus); // can become key
    setMouseTracking(reportMoves);
}

void NSWindowExt::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        NSWindow::mousePressEvent(event);
        return;
    }
    initialLocation = event->globalPosition().toPoint() - frameGeometry().topLeft();
    bMouseDown = true;
}

void NSWindowExt::mouseMoveEvent(QMouseEvent *event)
{
    if (bMouseDown && (event->buttons() & Qt::LeftButton)) {
        QPoint origin = event->globalPosition().toPoint() - initialLocation;
        // The window's top may not pass the top of the screen's visible area.
        QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
        if (s && origin.y() < s->availableGeometry().top())
            origin.setY(s->availableGeometry().top());
        move(origin);
        return;
    }
    if (reportMoves_)
        yov::NotificationCenter::defaultCenter().post(QStringLiteral("superWindowMouseMoved"), nullptr,
                                                      {{QStringLiteral("theEvent"), event->globalPosition()}});
    NSWindow::mouseMoveEvent(event);
}

void NSWindowExt::mouseReleaseEvent(QMouseEvent *event)
{
    bMouseDown = false;
    NSWindow::mouseReleaseEvent(event);
}

NSPanelExt::NSPanelExt(QWidget *parent) : NSWindowExt(parent, Qt::Tool, false)
{
}

NSSheetWindow::NSSheetWindow(QWidget *parent)
    : NSWindow(parent, Qt::Window | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
{
    makeBorderlessAndClear(this);
}

} // namespace ostrel
