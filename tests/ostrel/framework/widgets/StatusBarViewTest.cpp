#include "support/ManualClock.h"

#include "ostrel/framework/widgets/StatusBarView.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

TEST(StatusBarView, AnimatesAtTwoFramesASecond)
{
    testing_support::ManualClock clock;
    ostrel::StatusBarView view(nullptr, clock);
    QStringList asked;
    view.setImageProvider([&](const QString &name) {
        asked << name;
        QImage img(10 + int(asked.size()) * 2, 16, QImage::Format_ARGB32);
        img.fill(Qt::red);
        return img;
    });
    view.setAnimationSequenceImageNumber(3);
    view.setAnimationImagesPath(QStringLiteral("Normal_SMS_Arrive1"));
    EXPECT_EQ(asked, (QStringList{QStringLiteral("Normal_SMS_Arrive1.PNG"), QStringLiteral("Normal_SMS_Arrive2.PNG"),
                                  QStringLiteral("Normal_SMS_Arrive3.PNG")}));
    EXPECT_TRUE(view.bAnimation());
    view.setAnimationImagesPath(QStringLiteral("Normal_SMS_Arrive1")); // same prefix: nothing
    EXPECT_EQ(asked.size(), 3);

    view.startAnimation();
    EXPECT_EQ(view.currentFrameIndex(), 2);
    clock.advance(499);
    EXPECT_EQ(view.currentFrameIndex(), 2);
    clock.advance(1);
    EXPECT_EQ(view.currentFrameIndex(), 0);
    EXPECT_EQ(view.size(), QSize(12 + 10, 20));
    clock.advance(1000);
    EXPECT_EQ(view.currentFrameIndex(), 2);
    EXPECT_EQ(view.displayedImage().width(), 16);

    view.stopAnimation();
    EXPECT_FALSE(view.bAnimation());
    EXPECT_FALSE(view.isAnimationRunning());
    EXPECT_EQ(view.frameCount(), 0);
    EXPECT_TRUE(view.getAnimationImagesPath().isEmpty());
    clock.advance(5000);
    EXPECT_EQ(view.currentFrameIndex(), 2);
}

TEST(StatusBarView, StaticImageAndClickWithoutATray)
{
    testing_support::ManualClock clock;
    ostrel::StatusBarView view(nullptr, clock);
    // offscreen there is no system tray: the view works without one
    EXPECT_EQ(view.statusItem() != nullptr, QSystemTrayIcon::isSystemTrayAvailable());
    QImage img(30, 18, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    view.setImage(img);
    EXPECT_EQ(view.geometry(), QRect(0, 0, 40, 20));
    EXPECT_EQ(view.displayedImage(), img);
    view.startAnimation(); // no frames: nothing starts
    EXPECT_FALSE(view.isAnimationRunning());

    int clicks = 0;
    view.setAction([&] { ++clicks; });
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &up);
    EXPECT_EQ(clicks, 1);

    view.setAnimationSequenceImageNumber(2);
    view.setImageProvider([](const QString &) { return QImage(); }); // frames that do not load
    view.setAnimationImagesPath(QStringLiteral("Missing1"));
    EXPECT_EQ(view.frameCount(), 0);
    view.startAnimation();
    EXPECT_FALSE(view.isAnimationRunning());
}
