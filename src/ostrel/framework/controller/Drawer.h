#pragma once
// A drawer: a panel that slides out of one edge of its parent window (here the right edge) and
// follows the window. The content size is kept between the minimum and maximum content sizes;
// the leading offset is the gap between the window's top and the drawer, the trailing offset the
// gap between the drawer and the window's bottom.
#include <QPointer>
#include <QSizeF>
#include <QWidget>

namespace ostrel {

class Drawer : public QWidget {
    Q_OBJECT
public:
    explicit Drawer(const QSizeF &contentSize, QWidget *parent = nullptr);

    void setParentWindow(QWidget *window);
    QWidget *parentWindow() const { return parentWindow_; }
    // Takes ownership; the previous content view is deleted.
    void setContentView(QWidget *view);
    QWidget *contentView() const { return contentView_; }

    void setContentSize(const QSizeF &size);
    QSizeF contentSize() const { return contentSize_; }
    void setMinContentSize(const QSizeF &size);
    QSizeF minContentSize() const { return minSize_; }
    void setMaxContentSize(const QSizeF &size);
    QSizeF maxContentSize() const { return maxSize_; }
    void setLeadingOffset(qreal offset);
    qreal leadingOffset() const { return leading_; }
    void setTrailingOffset(qreal offset);
    qreal trailingOffset() const { return trailing_; }

    // An open drawer shows while its parent window shows, and hides while it is hidden.
    void open();
    void close();
    bool isOpen() const { return open_; }

    // The drawer's frame in screen coordinates for the parent window's current frame.
    QRect frameBesideParent() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();
    QSizeF bounded(const QSizeF &size) const;

    QPointer<QWidget> parentWindow_;
    QPointer<QWidget> contentView_;
    QSizeF contentSize_;
    QSizeF minSize_;
    QSizeF maxSize_;
    qreal leading_ = 0;
    qreal trailing_ = 0;
    bool open_ = false;
};

} // namespace ostrel
