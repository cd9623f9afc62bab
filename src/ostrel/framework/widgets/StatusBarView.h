#pragma once
// The status item of the desktop's tray: an image or an animation of image frames, a menu or an
// action on click. The view draws what the item shows; where the desktop has a system tray the
// same picture goes into a QSystemTrayIcon, and where it has none the view works on quietly
// without one.
//
// Animation: frames advance every 0.5 s (frameIntervalMs) through the injected clock, from the
// last frame round to the first, until stopAnimation().

#include "platform/Clock.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

#include <QMenu>
#include <QSystemTrayIcon>

namespace ostrel {

class StatusBarView : public QWidget {
    Q_OBJECT
public:
    static constexpr int frameIntervalMs = 500;

    explicit StatusBarView(QWidget *parent = nullptr, yov::Clock &clock = yov::Clock::system());
    ~StatusBarView() override;

    // The tray icon, null where the desktop has no system tray.
    QSystemTrayIcon *statusItem() const { return statusItem_; }

    void setMenu(QMenu *menu);
    QMenu *menu() const { return popupMenu_; }
    // The click action (used when no menu is set).
    void setAction(std::function<void()> action) { action_ = std::move(action); }

    // The static image; showing it ends the display of the animation. Frame := (0, 0, w + 10, 20).
    void setImage(const QImage &image);
    QImage image() const { return image_; }

    // Where frame images come from (by file name); default: the application's images.
    void setImageProvider(std::function<QImage(const QString &)> provider) { imageProvider_ = std::move(provider); }

    // Frames "<prefix without its last character><i>.PNG" for i = 1..animationSequenceImageNumber.
    void setAnimationImagesPath(const QString &prefix);
    QString getAnimationImagesPath() const { return animationSequenceImagePath_; }
    void clearAnimationImagesPath() { animationSequenceImagePath_.clear(); }
    void setAnimationSequenceImageNumber(int n) { animationSequenceImageNumber_ = qMax(0, n); }
    int animationSequenceImageNumber() const { return animationSequenceImageNumber_; }
    void buildAnimationSequenceImageObjects();
    void clearAnimationSequenceImageObjects() { animationSequenceImageObjects_.clear(); }
    int frameCount() const { return int(animationSequenceImageObjects_.size()); }

    // Starts from the last frame (so the first tick shows the first); nothing without frames.
    void startAnimation();
    void stopAnimation();
    bool isAnimationRunning() const;
    bool bAnimation() const { return bAnimation_; }
    void setBanimation(bool on) { bAnimation_ = on; }
    int currentFrameIndex() const { return currectAnimationSequenceImageindex_; }

    // What the item shows now: the current frame while animating, else the static image.
    QImage displayedImage() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void advanceFrame();
    void click(const QPoint &globalPos);
    void refreshTray();

    QPointer<QSystemTrayIcon> statusItem_;
    QImage image_;
    QPointer<QMenu> popupMenu_;
    std::function<void()> action_;
    bool bAnimation_ = false;
    std::unique_ptr<yov::RepeatingTimer> animation_;
    QString animationSequenceImagePath_;
    int animationSequenceImageNumber_ = 0;
    int currectAnimationSequenceImageindex_ = 0;
    QList<QImage> animationSequenceImageObjects_;
    std::function<QImage(const QString &)> imageProvider_;
};

} // namespace ostrel
