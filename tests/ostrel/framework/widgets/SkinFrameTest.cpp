#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/NSWindowExt.h"
#include "ostrel/framework/widgets/SkinFrame.h"
#include "ostrel/framework/widgets/ViewPlacementWidgets.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

using ostrel::SkinFrame;
using ostrel::ViewPlacementWidgets;

TEST(SkinFrame, ChildFramesUseTheBottomLeftOrigin)
{
    QWidget parent;
    parent.resize(200, 100);
    auto *child = new QWidget(&parent);
    SkinFrame::setFrame(child, QRectF(10, 5, 50, 20));
    EXPECT_EQ(child->geometry(), QRect(10, 75, 50, 20));
    EXPECT_EQ(SkinFrame::frame(child), QRectF(10, 5, 50, 20));
    SkinFrame::setOrigin(child, QPointF(0, 0));
    EXPECT_EQ(child->geometry(), QRect(0, 80, 50, 20));
}

TEST(SkinFrame, ResizeKeepsTheBottomEdgeOfAChild)
{
    QWidget parent;
    parent.resize(200, 100);
    auto *child = new QWidget(&parent);
    SkinFrame::setFrame(child, QRectF(10, 5, 50, 20));
    SkinFrame::setSize(child, QSizeF(80, 40));
    EXPECT_EQ(SkinFrame::frame(child), QRectF(10, 5, 80, 40));
    EXPECT_EQ(child->geometry().bottom(), QRect(10, 75, 50, 20).bottom());
}

TEST(SkinFrame, ResizeKeepsTheBottomEdgeOfAWindow)
{
    ostrel::NSWindowExt window;
    QScreen *screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    SkinFrame::setFrame(&window, QRectF(30, 40, 200, 100));
    const int bottom = window.geometry().bottom();
    EXPECT_EQ(bottom, screen->geometry().bottom() - 40);
    SkinFrame::setSize(&window, QSizeF(300, 150));
    EXPECT_EQ(window.geometry().bottom(), bottom);
    EXPECT_EQ(SkinFrame::frame(&window), QRectF(30, 40, 300, 150));
    // the content view follows the window
    EXPECT_EQ(window.contentView()->size(), QSize(300, 150));
}

TEST(SkinFrame, ChildrenOfAPlainContainerKeepTheirSkinFrames)
{
    ostrel::NSWindowExt window;
    window.resize(200, 100);
    auto *content = new ostrel::NSViewExt;
    window.setContentView(content);
    auto *label = new QWidget(content);
    SkinFrame::setFrame(label, QRectF(5, 5, 20, 10));
    auto *inner = new QWidget(content);
    SkinFrame::setFrame(inner, QRectF(50, 10, 100, 60));
    auto *grand = new QWidget(inner);
    SkinFrame::setFrame(grand, QRectF(1, 2, 10, 10));

    SkinFrame::setSize(&window, QSizeF(250, 160)); // the window grows upwards
    EXPECT_EQ(SkinFrame::frame(label), QRectF(5, 5, 20, 10));
    EXPECT_EQ(SkinFrame::frame(inner), QRectF(50, 10, 100, 60));

    SkinFrame::setSize(inner, QSizeF(100, 90));
    EXPECT_EQ(SkinFrame::frame(inner), QRectF(50, 10, 100, 90));
    EXPECT_EQ(SkinFrame::frame(grand), QRectF(1, 2, 10, 10));
}

TEST(ViewPlacementWidgets, LinesUpAndSortsChildWidgets)
{
    QWidget container;
    container.resize(200, 100);
    QList<QWidget *> v;
    const int widths[] = {20, 30, 40};
    const int xs[] = {90, 10, 50};
    for (int i = 0; i < 3; ++i) {
        v << new QWidget(&container);
        SkinFrame::setFrame(v[i], QRectF(xs[i], 0, widths[i], 10));
    }
    // sort by x: the stacking order becomes v1, v2, v0
    ASSERT_TRUE(ViewPlacementWidgets::placementSubViewsSpacingPixel(&container, 0, QStringLiteral("RebuilSubviewsByX")));
    EXPECT_EQ(ViewPlacementWidgets::subviews(&container), (QList<QWidget *>{v[1], v[2], v[0]}));
    // then line them up from the first (v1 at x = 10) with spacing 5
    ASSERT_TRUE(ViewPlacementWidgets::placementSubViewsSpacingPixel(&container, 5, QStringLiteral("PlacementRefLeft")));
    EXPECT_EQ(SkinFrame::frame(v[1]).x(), 10);
    EXPECT_EQ(SkinFrame::frame(v[2]).x(), 45);
    EXPECT_EQ(SkinFrame::frame(v[0]).x(), 90);
    // vertical rule in skin coordinates: against the top of the container
    ASSERT_TRUE(ViewPlacementWidgets::placementSubViewsSpacingPixel(&container, 3, QStringLiteral("PlacementToViewTop")));
    EXPECT_EQ(v[0]->y(), 3);

    EXPECT_FALSE(ViewPlacementWidgets::placementSubViewsSpacingPixel(&container, 3, QStringLiteral("Nope")));
    QWidget empty;
    EXPECT_FALSE(ViewPlacementWidgets::placementSubViewsSpacingPixel(&empty, 3, QStringLiteral("PlacementRefLeft")));
}

TEST(ViewPlacementWidgets, PlacesAViewInItsParent)
{
    QWidget parent;
    parent.resize(200, 100);
    auto *view = new QWidget(&parent);
    SkinFrame::setFrame(view, QRectF(0, 0, 50, 10));
    ASSERT_TRUE(ViewPlacementWidgets::placementInSuperViewSpacingPixel(view, 8, QStringLiteral("InSuperViewRight")));
    EXPECT_EQ(SkinFrame::frame(view).x(), 142);
    ASSERT_TRUE(ViewPlacementWidgets::placementInSuperViewSpacingPixel(view, 8, QStringLiteral("InSuperViewTop")));
    EXPECT_EQ(view->y(), 8); // 8 below the top edge
    QWidget orphan;
    EXPECT_FALSE(ViewPlacementWidgets::placementInSuperViewSpacingPixel(&orphan, 8, QStringLiteral("InSuperViewRight")));
}
