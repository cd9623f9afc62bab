#pragma once
// Windows of the skin.
//
// NSWindow: a top-level window with a content view that fills it (Qt has no content view of its
// own). NSWindowExt and NSPanelExt: borderless, clear, draggable by their background, able to take
// the keyboard; NSWindowExt also reports mouse moves as "superWindowMouseMoved" with user info
// {"theEvent": global mouse position (QPointF)}. NSSheetWindow: borderless, clear, no shadow.

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace ostrel {

class NSWindow : public QWidget {
    Q_OBJECT
public:
    explicit NSWindow(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Window);

    QWidget *contentView() const { return contentView_; }
    // Takes ownership; the previous content view is deleted. The view is placed at (0, 0).
    void setContentView(QWidget *view);
    // Makes the content view fill the window (its children keep their skin frames).
    void layoutContentView();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPointer<QWidget> contentView_;
};

class NSWindowExt : public NSWindow {
    Q_OBJECT
public:
    explicit NSWindowExt(QWidget *parent = nullptr);

    bool isMouseDown() const { return bMouseDown; }

protected:
    explicit NSWindowExt(QWidget *parent, Qt::WindowFlags flags, bool reportMoves);
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPoint initialLocation; // mouse offset from the window's top-left corner
    bool bMouseDown = false;
    bool reportMoves_ = true;
};

class NSPanelExt : public NSWindowExt {
    Q_OBJECT
public:
    explicit NSPanelExt(QWidget *parent = nullptr);
};

class NSSheetWindow : public NSWindow {
    Q_OBJECT
public:
    explicit NSSheetWindow(QWidget *parent = nullptr);
};

} // namespace ostrel
