#include "ostrel/framework/placement/FrameAdapter.h"
#include "ostrel/framework/placement/ViewPlacement.h"

#include <gtest/gtest.h>

using ostrel::FrameAdapter;
using ostrel::ViewPlacement;

namespace {

QList<qreal> xs(const QList<QRectF> &f)
{
    QList<qreal> out;
    for (const QRectF &r : f)
        out << r.x();
    return out;
}

QList<qreal> ys(const QList<QRectF> &f)
{
    QList<qreal> out;
    for (const QRectF &r : f)
        out << r.y();
    return out;
}

} // namespace

TEST(ViewPlacement, EntriesParseModeAndNumber)
{
    struct Case { const char *entry; const char *mode; int pixels; } cases[] = {
        {"PlacementRefLeft,5", "PlacementRefLeft", 5},
        {"PlacementRefLeft", "PlacementRefLeft", 0},
        {"PlacementRefLeft,abc", "PlacementRefLeft", 0},
        {"PlacementRefLeft,5,6", "PlacementRefLeft", 0}, // three parts: no number
        {"InSuperViewRight, 8", "InSuperViewRight", 8},
    };
    for (const Case &c : cases) {
        const auto e = ViewPlacement::parseEntry(QString::fromLatin1(c.entry));
        EXPECT_EQ(e.mode, QString::fromLatin1(c.mode)) << c.entry;
        EXPECT_EQ(e.pixels, c.pixels) << c.entry;
    }
}

TEST(ViewPlacement, ModeTablesNumberEveryName)
{
    const char *sub[] = {"RebuilSubviewsByX", "RebuilSubviewsByY", "PlacementRefLeft", "PlacementRefRight",
                         "PlacementRefTop", "PlacementRefBottom", "PlacementToViewLeft", "PlacementToViewRight",
                         "PlacementToViewTop", "PlacementToViewBottom", "PlacementCenterX", "PlacementCenterY",
                         "PlacementCenterYRefTop", "PlacementCenterXRefLeft"};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(ViewPlacement::subviewPlacementType(QString::fromLatin1(sub[i])), i);
        EXPECT_EQ(ViewPlacement::superviewPlacementType(QString::fromLatin1(sub[i])), ViewPlacement::NotFound);
    }
    const char *sup[] = {"InSuperViewCenterX", "InSuperViewCenterY", "InSuperViewLeft",
                         "InSuperViewTop", "InSuperViewRight", "InSuperViewBottom"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ViewPlacement::superviewPlacementType(QString::fromLatin1(sup[i])), 14 + i);
        EXPECT_EQ(ViewPlacement::subviewPlacementType(QString::fromLatin1(sup[i])), ViewPlacement::NotFound);
    }
}

struct SubviewCase {
    const char *name;
    const char *mode;
    qreal spacing;
    QSizeF bounds;
    QList<QRectF> frames;
    bool result;
    QList<qreal> expectX;
    QList<qreal> expectY;
};

void PrintTo(const SubviewCase &c, std::ostream *os) { *os << c.name; }

class SubviewModes : public ::testing::TestWithParam<SubviewCase> {};

TEST_P(SubviewModes, PlacesAsTabled)
{
    const SubviewCase &c = GetParam();
    QList<QRectF> f = c.frames;
    const QList<QRectF> before = f;
    EXPECT_EQ(ViewPlacement::placementSubViewsSpacingPixel(f, c.bounds, c.spacing, QString::fromLatin1(c.mode)),
              c.result);
    EXPECT_EQ(xs(f), c.expectX);
    EXPECT_EQ(ys(f), c.expectY);
    for (int i = 0; i < f.size(); ++i)
        EXPECT_EQ(f[i].size(), before[i].size()) << "a rule never changes a size";
}

// Frames are skin frames: (x, y, w, h), origin bottom left.
INSTANTIATE_TEST_SUITE_P(
    Table, SubviewModes,
    ::testing::Values(
        SubviewCase{"RefLeftFromFirst", "PlacementRefLeft", 5, {200, 100},
                    {{10, 0, 20, 10}, {0, 0, 30, 10}, {0, 0, 40, 10}}, true, {10, 35, 70}, {0, 0, 0}},
        SubviewCase{"RefRightFromLast", "PlacementRefRight", 5, {200, 100},
                    {{0, 0, 20, 10}, {0, 0, 30, 10}, {150, 0, 40, 10}}, true, {90, 115, 150}, {0, 0, 0}},
        // mode 4 adds the height of the view being placed, mode 5 subtracts that of the one before
        SubviewCase{"RefTopUsesOwnHeight", "PlacementRefTop", 2, {200, 100},
                    {{0, 10, 5, 10}, {0, 0, 5, 20}, {0, 0, 5, 5}}, true, {0, 0, 0}, {10, 32, 39}},
        SubviewCase{"RefBottomUsesNextHeight", "PlacementRefBottom", 2, {200, 100},
                    {{0, 0, 5, 10}, {0, 0, 5, 20}, {0, 50, 5, 5}}, true, {0, 0, 0}, {21, 43, 50}},
        SubviewCase{"ToViewLeft", "PlacementToViewLeft", 7, {200, 100},
                    {{50, 3, 20, 10}, {90, 4, 30, 10}}, true, {7, 7}, {3, 4}},
        SubviewCase{"ToViewRight", "PlacementToViewRight", 7, {200, 100},
                    {{50, 3, 20, 10}, {90, 4, 30, 10}}, true, {173, 163}, {3, 4}},
        SubviewCase{"ToViewTop", "PlacementToViewTop", 7, {200, 100},
                    {{1, 3, 20, 10}, {2, 4, 30, 20}}, true, {1, 2}, {83, 73}},
        SubviewCase{"ToViewBottom", "PlacementToViewBottom", 7, {200, 100},
                    {{1, 3, 20, 10}, {2, 4, 30, 20}}, true, {1, 2}, {7, 7}},
        SubviewCase{"CenterX", "PlacementCenterX", 4, {100, 50},
                    {{0, 0, 30, 10}, {0, 0, 30, 10}}, true, {18, 52}, {0, 0}},
        SubviewCase{"CenterXTruncates", "PlacementCenterX", 0, {100, 50},
                    {{0, 0, 33, 10}}, true, {33}, {0}},
        SubviewCase{"CenterXTooNarrowMovesNothing", "PlacementCenterX", 4, {60, 50},
                    {{1, 0, 30, 10}, {2, 0, 30, 10}}, false, {1, 2}, {0, 0}},
        SubviewCase{"CenterXExactFitMovesNothing", "PlacementCenterX", 0, {60, 50},
                    {{1, 0, 30, 10}, {2, 0, 30, 10}}, false, {1, 2}, {0, 0}},
        SubviewCase{"CenterY", "PlacementCenterY", 2, {50, 100},
                    {{0, 0, 5, 20}, {0, 0, 5, 20}}, true, {0, 0}, {49, 71}},
        SubviewCase{"CenterYRefTop", "PlacementCenterYRefTop", 0, {50, 100},
                    {{0, 0, 5, 21}, {0, 5, 5, 40}}, true, {0, 0}, {39.5, 39.5}},
        SubviewCase{"CenterXRefLeft", "PlacementCenterXRefLeft", 0, {100, 50},
                    {{0, 0, 21, 5}, {5, 0, 40, 5}}, true, {39.5, 39.5}, {0, 0}},
        SubviewCase{"UnknownMode", "PlacementSomewhere", 4, {100, 50},
                    {{1, 2, 3, 4}}, false, {1}, {2}},
        SubviewCase{"SuperviewModeIsNoSubviewMode", "InSuperViewLeft", 4, {100, 50},
                    {{1, 2, 3, 4}}, false, {1}, {2}},
        SubviewCase{"NoSubviews", "PlacementRefLeft", 4, {100, 50}, {}, false, {}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ViewPlacement, SortingIsStableSelectionByMode)
{
    // x = 30, 10, 10 by mode 0: the second, then the third, then the first
    QList<QRectF> f = {{30, 0, 5, 5}, {10, 1, 5, 5}, {10, 2, 5, 5}};
    EXPECT_EQ(ViewPlacement::rearrangeOrder(f, 0), (QList<int>{1, 2, 0}));
    QList<int> order;
    ASSERT_TRUE(ViewPlacement::placementSubViewsSpacingPixel(f, {100, 100}, 0, QStringLiteral("RebuilSubviewsByX"),
                                                              &order));
    EXPECT_EQ(order, (QList<int>{1, 2, 0}));
    EXPECT_EQ(ys(f), (QList<qreal>{1, 2, 0}));

    // any other mode sorts by y - h
    const QList<QRectF> g = {{0, 50, 5, 10}, {0, 30, 5, 30}, {0, 45, 5, 5}};
    EXPECT_EQ(ViewPlacement::rearrangeOrder(g, 1), (QList<int>{1, 0, 2}));
    EXPECT_TRUE(ViewPlacement::rearrangeOrder({}, 0).isEmpty());
}

TEST(ViewPlacement, ReferenceModesTakeAPosition)
{
    QList<QRectF> f = {{0, 0, 20, 10}, {0, 0, 30, 10}};
    ViewPlacement::placementRefLeftViewSpacingPixel(f, 5, 40);
    EXPECT_EQ(xs(f), (QList<qreal>{40, 65}));
    ViewPlacement::placementRefRightViewSpacingPixel(f, 5, 100);
    EXPECT_EQ(xs(f), (QList<qreal>{45, 70}));
    ViewPlacement::placementRefTopViewSpacingPixel(f, 5, 10);
    EXPECT_EQ(ys(f), (QList<qreal>{20, 35}));
    ViewPlacement::placementRefBottomViewSpacingPixel(f, 5, 10);
    EXPECT_EQ(ys(f), (QList<qreal>{-5, 10}));
}

TEST(ViewPlacement, InSuperviewModes)
{
    struct Case { const char *mode; QRectF frame; QSizeF super; qreal d; bool result; QPointF origin; } cases[] = {
        {"InSuperViewRight", {0, 0, 50, 10}, {200, 100}, 8, true, {142, 0}},
        {"InSuperViewRight", {0, 0, 50, 10}, {200, 100}, 160, true, {150, 0}},
        {"InSuperViewLeft", {3, 0, 50, 10}, {200, 100}, 160, true, {0, 0}},
        {"InSuperViewLeft", {3, 0, 50, 10}, {200, 100}, 8, true, {8, 0}},
        {"InSuperViewTop", {0, 0, 50, 10}, {200, 100}, 8, true, {0, 82}},
        {"InSuperViewTop", {0, 0, 50, 10}, {200, 100}, 90, true, {0, 90}},
        {"InSuperViewBottom", {0, 3, 50, 10}, {200, 100}, 8, true, {0, 8}},
        {"InSuperViewBottom", {0, 3, 50, 10}, {200, 100}, 90, true, {0, 0}},
        {"InSuperViewCenterX", {0, 0, 51, 10}, {200, 100}, 0, true, {74.5, 0}},
        {"InSuperViewCenterY", {0, 0, 50, 10}, {200, 100}, 0, true, {0, 45}},
        // too big along the axis: no move
        {"InSuperViewCenterX", {7, 7, 250, 10}, {200, 100}, 0, false, {7, 7}},
        {"InSuperViewRight", {7, 7, 250, 10}, {200, 100}, 0, false, {7, 7}},
        {"InSuperViewTop", {7, 7, 50, 150}, {200, 100}, 0, false, {7, 7}},
        // the other axis does not matter
        {"InSuperViewLeft", {7, 7, 50, 150}, {200, 100}, 2, true, {2, 7}},
        {"PlacementRefLeft", {7, 7, 50, 10}, {200, 100}, 2, false, {7, 7}},
        {"Nonsense", {7, 7, 50, 10}, {200, 100}, 2, false, {7, 7}},
    };
    for (const Case &c : cases) {
        QRectF f = c.frame;
        EXPECT_EQ(ViewPlacement::placementInSuperViewSpacingPixel(f, c.super, c.d, QString::fromLatin1(c.mode)),
                  c.result)
            << c.mode << " d=" << c.d;
        EXPECT_EQ(f.topLeft(), c.origin) << c.mode << " d=" << c.d;
        EXPECT_EQ(f.size(), c.frame.size());
    }
}

TEST(FrameAdapter, ConvertsBetweenBottomLeftAndTopLeft)
{
    // a 50x20 view at skin origin (10, 5) in a 100-high container has its Qt top at 75
    const QRectF qt = FrameAdapter::toQt({10, 5, 50, 20}, 100);
    EXPECT_EQ(qt, QRectF(10, 75, 50, 20));
    EXPECT_EQ(FrameAdapter::fromQt(qt, 100), QRectF(10, 5, 50, 20));
    EXPECT_EQ(FrameAdapter::moveSkinOrigin(qt, {0, 0}, 100), QRectF(0, 80, 50, 20));
}

TEST(FrameAdapter, ResizeKeepsTheBottomEdge)
{
    const QRectF qt(10, 75, 50, 20); // bottom at 95
    const QRectF grown = FrameAdapter::resizeKeepingOrigin(qt, {60, 40});
    EXPECT_EQ(grown, QRectF(10, 55, 60, 40));
    EXPECT_EQ(FrameAdapter::fromQt(grown, 100).topLeft(), QPointF(10, 5)); // skin origin kept
    const QRectF shrunk = FrameAdapter::resizeKeepingOrigin(qt, {5, 5});
    EXPECT_EQ(shrunk.bottom(), qt.bottom());
}
