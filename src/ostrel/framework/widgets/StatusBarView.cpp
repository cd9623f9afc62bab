#include "ostrel/framework/widgets/StatusBarView.h"

#include "ostrel/framework/widgets/ResourcePaths.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSystemTrayIcon>

namespace ostrel {

StatusBarView::StatusBarView(QWidget *parent, yov::Clock &clock)
    : QWidget(parent),
      animation_(std::make_unique<yov::RepeatingTimer>(clock, this, [this] { advanceFrame(); })),
      imageProvider_([](const QString &name) { return ResourcePaths::applicationImage(name); })
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        statusItem_ = new QSystemTrayIcon(this);
        connect(statusItem_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                click(QCursor::pos());
        });
    }
}

StatusBarView::~StatusBarView() = default;

void StatusBarView::setMenu(QMenu *menu)
{
    popupMenu_ = menu;
    if (statusItem_)
        statusItem_->setContextMenu(menu);
}

void StatusBarView::setImage(const QImage &image)
{
    image_ = image;
    bAnimation_ = false;
    setGeometry(0, 0, image.width() + 10, 20);
    refreshTray();
    update();
}

void StatusBarView::setAnimationImagesPath(const QString &prefix)
{
    if (prefix == animationSequenceImagePath_)
        return;
    bAnimation_ = true;
    animationSequenceImagePath_ = prefix;
    buildAnimationSequenceImageObjects();
}

void StatusBarView::buildAnimationSequenceImageObjects()
{
    animationSequenceImageObjects_.clear();
    const QString &prefix = animationSequenceImagePath_;
    if (prefix.isEmpty())
        return;
    for (int i = 1; i <= animationSequenceImageNumber_; ++i) {
        const QString name = prefix.chopped(1) + QString::number(i) + QStringLiteral(".PNG");
        const QImage frame = imageProvider_ ? imageProvider_(name) : QImage();
        if (!frame.isNull())
            animationSequenceImageObjects_.append(frame); // a frame that does not load is left out
    }
}

void StatusBarView::startAnimation()
{
    if (animationSequenceImageObjects_.isEmpty())
        return;
    currectAnimationSequenceImageindex_ = int(animationSequenceImageObjects_.size()) - 1;
    animation_->start(frameIntervalMs);
}

void StatusBarView::stopAnimation()
{
    animation_->stop();
    animationSequenceImageObjects_.clear();
    animationSequenceImagePath_.clear();
    bAnimation_ = false;
    refreshTray();
    update();
}

bool StatusBarView::isAnimationRunning() const
{
    return animation_->isActive();
}

void StatusBarView::advanceFrame()
{
    const int count = int(animationSequenceImageObjects_.size());
    if (count == 0)
        return;
    currectAnimationSequenceImageindex_ = (currectAnimationSequenceImageindex_ + 1) % count;
    const QImage &frame = animationSequenceImageObjects_.at(currectAnimationSequenceImageindex_);
    setUpdatesEnabled(false);
    setGeometry(0, 0, frame.width() + 10, 20);
    setUpdatesEnabled(true);
    refreshTray();
    update();
}

QImage StatusBarView::displayedImage() const
{
    if (bAnimation_ && !animationSequenceImageObjects_.isEmpty())
        return animationSequenceImageObjects_.value(currectAnimationSequenceImageindex_);
    return image_;
}

void StatusBarView::refreshTray()
{
    if (!statusItem_)
        return;
    const QImage shown = displayedImage();
    if (shown.isNull()) {
        statusItem_->hide();
        return;
    }
    statusItem_->setIcon(QIcon(QPixmap::fromImage(shown)));
    statusItem_->show();
}

void StatusBarView::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    if (bAnimation_ && !animationSequenceImageObjects_.isEmpty()) {
        p.drawImage(event->rect(), displayedImage());
    } else if (!image_.isNull()) {
        p.drawImage(event->rect().topLeft(), image_);
    }
}

void StatusBarView::mouseReleaseEvent(QMouseEvent *event)
{
    click(event->globalPosition().toPoint());
}

void StatusBarView::click(const QPoint &globalPos)
{
    if (popupMenu_)
        popupMenu_->popup(globalPos);
    else if (action_)
        action_();
}

} // namespace ostrel
