#include "WidgetTestUtil.h"

#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/NSWindowExt.h"
#include "platform/NotificationCenter.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace widget_test;

TEST(NSWindowExt, DragsByItsBackgroundButNotAboveTheScreen)
{
    ostrel::NSWindowExt window;
    window.setGeometry(200, 200, 100, 80);
    window.show();
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));

    const QPoint start = window.pos();
    press(&window, {10, 10});
    EXPECT_TRUE(window.isMouseDown());
    // a drag moves the window with the mouse
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(window.mapToGlobal(QPoint(10, 10)) + QPoint(30, 20)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
    EXPECT_EQ(window.pos(), start + QPoint(30, 20));
    // its top may not pass the top of the screen's visible area
    QMouseEvent up(QEvent::MouseMove, QPointF(10, 10), QPointF(window.mapToGlobal(QPoint(10, 10)) - QPoint(0, 5000)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &up);
    EXPECT_EQ(window.y(), window.screen()->availableGeometry().top());
    release(&window, {10, 10});
    EXPECT_FALSE(window.isMouseDown());
}

TEST(NSWindowExt, ReportsMouseMovesButAPanelDoesNot)
{
    QList<QPointF> seen;
    QObject observer;
    yov::NotificationCenter::defaultCenter().addObserver(&observer, QStringLiteral("superWindowMouseMoved"), nullptr,
                                                         [&](const yov::Notification &n) {
                                                             seen << n.userInfo.value(QStringLiteral("theEvent")).toPointF();
                                                         });
    ostrel::NSWindowExt window;
    window.setGeometry(100, 100, 50, 50);
    window.show();
    mouse(&window, QEvent::MouseMove, {5, 6}, Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen.first(), window.mapToGlobal(QPointF(5, 6)));

    ostrel::NSPanelExt panel;
    panel.setGeometry(100, 100, 50, 50);
    panel.show();
    mouse(&panel, QEvent::MouseMove, {5, 6}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(seen.size(), 1);
    EXPECT_TRUE(panel.windowFlags() & Qt::FramelessWindowHint);
}

TEST(NSViewExt, DrawsItsImageFromTheBottomLeft)
{
    ostrel::NSViewExt view;
    view.resize(40, 30);
    QImage img(20, 10, QImage::Format_ARGB32);
    img.fill(Qt::red);
    view.setImage(img);
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixelColor(1, 28), QColor(Qt::red));   // bottom-left corner
    EXPECT_NE(shot.pixelColor(1, 1), QColor(Qt::red));    // top-left stays clear
    EXPECT_NE(shot.pixelColor(30, 28), QColor(Qt::red));
}

TEST(SmallItems, PopUpAndToolbarItemKeepTheirFields)
{
    ostrel::NSPopUpButtonExt popup;
    popup.setTitleColor(Qt::blue);
    popup.setItemIdentifier(QStringLiteral("Network"));
    popup.setUrlLabel(QStringLiteral("Help"));
    EXPECT_EQ(popup.palette().color(QPalette::ButtonText), QColor(Qt::blue));
    EXPECT_EQ(popup.itemIdentifier(), QStringLiteral("Network"));
    EXPECT_EQ(popup.urlLabel(), QStringLiteral("Help"));

    ostrel::NSToolbarItemExt item;
    EXPECT_TRUE(item.englishLabel.isEmpty());
    EXPECT_TRUE(item.englishToolTip.isEmpty());
    EXPECT_FALSE(item.backUpAction);
    EXPECT_TRUE(item.urlLabel().isEmpty());
}
