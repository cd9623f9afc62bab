#include "ostrel/device/main/animationView.h"

#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/ResourcePaths.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace ostrel {

animationView::animationView(QWidget *parent, yov::Clock &clock)
    : QWidget(parent), m_animation(clock, this, [this](double progress) { animationDidReachProgressMark(progress); })
{
}

animationView::~animationView() = default;

QStringList animationView::frameNames(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QString stem = path.chopped(1);
    return {path + QStringLiteral(".PNG"), stem + QStringLiteral("2.PNG"), stem + QStringLiteral("3.PNG"),
            stem + QStringLiteral("4.PNG")};
}

void animationView::setImagePath(const QString &path)
{
    if (path == m_imagePath)
        return;
    m_imagePath = path;
    buildImages();
}

void animationView::buildImages()
{
    m_image1 = m_image2 = m_image3 = m_image4 = QImage();
    const QStringList names = frameNames(m_imagePath);
    if (names.isEmpty())
        return;
    ++buildCount_;
    auto load = [this](const QString &name) {
        if (imageProvider_)
            return imageProvider_(name);
        return ResourcePaths::applicationImage(name);
    };
    m_image1 = load(names.at(0));
    m_image2 = load(names.at(1));
    m_image3 = load(names.at(2));
    m_image4 = load(names.at(3));
    update();
}

QImage animationView::frameImage(int index) const
{
    switch (index) {
    case 0: return m_image1;
    case 1: return m_image2;
    case 2: return m_image3;
    case 3: return m_image4;
    default: return {};
    }
}

void animationView::startAnimation()
{
    m_index = 3; // the first step shows the first frame
    show();
    m_animation.startAnimation();
}

void animationView::stopAnimation()
{
    m_animation.stopAnimation();
    hide();
}

void animationView::stopAnimationWhenMinimizeWnd()
{
    m_animation.stopAnimation();
}

void animationView::animationDidReachProgressMark(double)
{
    m_index = (m_index + 1) % 4;
    update();
}

void animationView::paintEvent(QPaintEvent *)
{
    const QImage frame = frameImage(m_index);
    if (frame.isNull())
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(1.0);
    painter.drawImage(rect(), frame);
}

void animationView::mousePressEvent(QMouseEvent *event)
{
    stopAnimation();
    event->accept();
    Neighbours::sms().GotoInbox();
}

} // namespace ostrel
