#include "ostrel/framework/controller/Drawer.h"

#include <QEvent>

namespace ostrel {

Drawer::Drawer(const QSizeF &contentSize, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), contentSize_(contentSize)
{
}

void Drawer::setParentWindow(QWidget *window)
{
    if (parentWindow_)
        parentWindow_->removeEventFilter(this);
    parentWindow_ = window;
    if (window) {
        setParent(window, windowFlags());
        window->installEventFilter(this);
    }
    place();
}

void Drawer::setContentView(QWidget *view)
{
    if (contentView_ == view)
        return;
    delete contentView_;
    contentView_ = view;
    if (view) {
        view->setParent(this);
        view->setGeometry(rect());
        view->show();
    }
}

QSizeF Drawer::bounded(const QSizeF &size) const
{
    QSizeF s = size;
    if (minSize_.isValid())
        s = s.expandedTo(minSize_);
    if (maxSize_.isValid() && !maxSize_.isEmpty())
        s = s.boundedTo(maxSize_);
    return s;
}

void Drawer::setContentSize(const QSizeF &size)
{
    contentSize_ = size;
    place();
}

void Drawer::setMinContentSize(const QSizeF &size)
{
    minSize_ = size;
    place();
}

void Drawer::setMaxContentSize(const QSizeF &size)
{
    maxSize_ = size;
    place();
}

void Drawer::setLeadingOffset(qreal offset)
{
    leading_ = offset;
    place();
}

void Drawer::setTrailingOffset(qreal offset)
{
    trailing_ = offset;
    place();
}

void Drawer::open()
{
    open_ = true;
    place();
    // An open drawer is on screen only while its window is: it appears with the window.
    if (!parentWindow_ || parentWindow_->isVisible())
        show();
}

void Drawer::close()
{
    open_ = false;
    hide();
}

QRect Drawer::frameBesideParent() const
{
    const QSizeF size = bounded(contentSize_);
    if (!parentWindow_)
        return QRect(QPoint(0, 0), size.toSize());
    const QRect parentFrame = parentWindow_->frameGeometry();
    const int height = qMax(0, int(parentFrame.height() - leading_ - trailing_));
    return QRect(parentFrame.right() + 1, parentFrame.top() + int(leading_), int(size.width()), height);
}

void Drawer::place()
{
    const QRect frame = frameBesideParent();
    setGeometry(frame);
    if (!contentView_)
        return;
    // The content's controls are placed from the bottom (skin coordinates): when the drawer grows
    // or shrinks with its window they keep their distance to the bottom edge.
    const int dy = rect().height() - contentView_->height();
    contentView_->setGeometry(rect());
    if (dy == 0)
        return;
    for (QWidget *child : contentView_->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            child->move(child->x(), child->y() + dy);
}

bool Drawer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWindow_ && open_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            place();
            break;
        case QEvent::Show:
            place();
            show();
            break;
        case QEvent::Hide:
            hide();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ostrel
