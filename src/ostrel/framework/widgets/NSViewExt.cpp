#include "ostrel/framework/widgets/NSViewExt.h"

#include <QPainter>

namespace ostrel {

NSViewExt::NSViewExt(QWidget *parent) : QWidget(parent)
{
}

void NSViewExt::setImage(const QImage &image)
{
    backGroundImage = image;
    // A transparent image shows what lies behind it.
    setAttribute(Qt::WA_TranslucentBackground, !image.isNull() && image.hasAlphaChannel());
    update();
}

void NSViewExt::paintEvent(QPaintEvent *event)
{
    if (backGroundImage.isNull()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(0, height() - backGroundImage.height()), backGroundImage);
}

NSImageView::NSImageView(QWidget *parent) : QWidget(parent)
{
}

void NSImageView::setImage(const QImage &image)
{
    image_ = image;
    update();
}

void NSImageView::paintEvent(QPaintEvent *)
{
    if (image_.isNull())
        return;
    QPainter p(this);
    // centred, as an image view shows an image smaller or larger than itself
    const QPoint at((width() - image_.width()) / 2, (height() - image_.height()) / 2);
    p.drawImage(at, image_);
}

} // namespace ostrel
