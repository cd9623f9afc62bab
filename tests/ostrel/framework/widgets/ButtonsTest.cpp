#include "WidgetTestUtil.h"

#include "ostrel/framework/widgets/Buttons.h"

#include <QMenu>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace widget_test;
using ostrel::NSFlickerButton;

namespace {

struct FlickerFixture : ::testing::Test {
    QImage up = solid(Qt::red), dn = solid(Qt::blue), dis = solid(Qt::gray), in = solid(Qt::green);

    NSFlickerButton *make(QWidget *parent, const QString &group = QString(), bool isDefault = false)
    {
        auto *b = new NSFlickerButton(parent);
        b->setImageUp(up);
        b->setImageDn(dn);
        b->setImageDisable(dis);
        b->setImageIn(in);
        b->setImage(up);
        b->setFlickerButtonStyle();
        b->setUpTitleColor(Qt::white);
        b->setInTitleColor(Qt::yellow);
        b->setDnTitleColor(Qt::black);
        b->setTitle(QStringLiteral("Go"));
        b->resize(20, 10);
        if (!group.isEmpty())
            b->setGroupButton(group, isDefault);
        return b;
    }
};

} // namespace

TEST_F(FlickerFixture, HoverPressAndReleaseInside)
{
    QWidget parent;
    NSFlickerButton *b = make(&parent);
    parent.show();
    QSignalSpy clicked(b, &QAbstractButton::clicked);

    enter(b);
    EXPECT_EQ(b->image(), in);
    EXPECT_EQ(b->titleColor(), QColor(Qt::yellow));
    EXPECT_TRUE(b->isBtnStatusOK(NSFlickerButton::MouseInside));

    press(b, {5, 5});
    EXPECT_EQ(b->image(), dn);
    EXPECT_EQ(b->status(), NSFlickerButton::Pressed | NSFlickerButton::MouseInside);
    EXPECT_EQ(b->titleColor(), QColor(Qt::black));

    release(b, {5, 5});
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_FALSE(b->isBtnStatusOK(NSFlickerButton::Pressed));
    EXPECT_EQ(b->image(), up);

    leave(b);
    EXPECT_EQ(b->image(), up);
    EXPECT_EQ(b->status(), 0);
}

TEST_F(FlickerFixture, ReleasedOutsideSendsNoAction)
{
    QWidget parent;
    NSFlickerButton *b = make(&parent);
    parent.show();
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    press(b, {5, 5});
    drag(b, {50, 50});
    EXPECT_EQ(b->image(), up);
    EXPECT_FALSE(b->isBtnStatusOK(NSFlickerButton::MouseInside));
    drag(b, {3, 3});
    EXPECT_EQ(b->image(), dn);
    drag(b, {50, 50});
    release(b, {50, 50});
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(FlickerFixture, GroupKeepsTheChosenButtonPressed)
{
    QWidget parent;
    NSFlickerButton *b1 = make(&parent, QStringLiteral("tabs"), true);
    NSFlickerButton *b2 = make(&parent, QStringLiteral("tabs"));
    NSFlickerButton *b3 = make(&parent, QStringLiteral("tabs"));
    NSFlickerButton *other = make(&parent, QStringLiteral("elsewhere"), true);
    parent.show();
    EXPECT_EQ(b1->image(), dn); // the default member
    EXPECT_EQ(b2->image(), up);

    press(b2, {5, 5});
    release(b2, {5, 5});
    EXPECT_EQ(b1->image(), up);
    EXPECT_EQ(b2->image(), dn);
    EXPECT_EQ(b3->image(), up);
    EXPECT_EQ(other->image(), dn); // another group is not told

    enter(b2);
    EXPECT_EQ(b2->image(), in);
    leave(b2);
    EXPECT_EQ(b2->image(), dn); // its group image
    enter(b3);
    leave(b3);
    EXPECT_EQ(b3->image(), up);
}

TEST_F(FlickerFixture, DisabledButtonShowsItsDisabledImageAndIgnoresTheMouse)
{
    QWidget parent;
    NSFlickerButton *b = make(&parent);
    parent.show();
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    b->setEnabled(false);
    EXPECT_EQ(b->image(), dis);
    enter(b);
    EXPECT_EQ(b->image(), dis);
    b->setEnabled(true);
    EXPECT_EQ(b->image(), up);
    EXPECT_EQ(clicked.count(), 0);
}

TEST(NSButtonExt, TitleColourSurvivesANewTitleAndImagesSizeTheButton)
{
    ostrel::NSButtonExt b;
    b.setTitleColor(Qt::red);
    b.setTitle(QStringLiteral("Connect"));
    EXPECT_EQ(b.palette().color(QPalette::ButtonText), QColor(Qt::red));
    b.setImage(solid(Qt::blue, {60, 24}));
    b.sizeToFit();
    EXPECT_EQ(b.size(), QSize(60, 24));
    b.setItemIdentifier(QStringLiteral("id1"));
    b.setUrlLabel(QStringLiteral("MainPage"));
    EXPECT_EQ(b.itemIdentifier(), QStringLiteral("id1"));
    EXPECT_EQ(b.urlLabel(), QStringLiteral("MainPage"));
}

TEST(NSMatrix, CellsAreExclusiveAndKeepTheirColour)
{
    ostrel::NSMatrix m(2, 2);
    auto *a = new ostrel::NSButtonCellExt(QStringLiteral("A"));
    auto *b = new ostrel::NSButtonCellExt(QStringLiteral("B"));
    m.addCell(a);
    m.addCell(b);
    a->setChecked(true);
    b->setChecked(true);
    EXPECT_FALSE(a->isChecked());
    EXPECT_EQ(m.selectedCell(), b);
    b->setTitleColor(Qt::green);
    EXPECT_EQ(b->palette().color(QPalette::WindowText), QColor(Qt::green));
}

TEST_F(FlickerFixture, APopUpMenuOpensInsteadOfTheAction)
{
    QWidget parent;
    NSFlickerButton *flicker = make(&parent);
    auto *plain = new NSFlickerButton(&parent); // flicker behaviour off
    plain->resize(20, 10);
    parent.show();
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    QSignalSpy flickerClicked(flicker, &QAbstractButton::clicked);
    QSignalSpy plainClicked(plain, &QAbstractButton::clicked);

    flicker->setPopupMenu(&menu);
    press(flicker, {5, 5});
    EXPECT_FALSE(menu.isVisible()); // pops up on release inside
    release(flicker, {5, 5});
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(flickerClicked.count(), 0);
    menu.hide();

    plain->setPopupMenu(&menu);
    press(plain, {5, 5});
    EXPECT_TRUE(menu.isVisible());
    release(plain, {5, 5});
    EXPECT_EQ(plainClicked.count(), 0);
    menu.hide();
}
