// The live speed graph: the scale, the clamp and the MB/s switch, the legend's unit, the blanking
// that keeps the scale, the sample positions, the drawing, and colours and font from settings.
#include "StatisticsHarness.h"

#include "ostrel/connection/statistics/statisticsView.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

using namespace ostrel;
using namespace statisticstest;

namespace {

const QVariantMap kMegabyteSwitch{
    {QStringLiteral("Statistics"), QVariantMap{{QStringLiteral("Statistics_SpeedUnitChange_IfSpeedGreat"), true}}}};

QImage renderedGraph(statisticsView &view)
{
    QImage image(view.size(), QImage::Format_ARGB32);
    view.render(&image);
    return image;
}

} // namespace

TEST(SpeedGraphTest, TheScaleIsTheFirstRulerStepAboveTheLargestSample)
{
    struct Case {
        double send, receive;
        int rulerPos;
        float drawnUp;
    };
    const Case cases[] = {
        {60, 0, 0, 60},       {0, 60.01, 1, 0},    {0, 0, 0, 0},         {7200, 1, 119, 7200},
        {9000, 0, 119, 7200}, {-5, 30, 0, 0},      {std::nan(""), 0, 0, 0}, {121, 119, 2, 121},
    };
    for (const Case &c : cases) {
        StatisticsStore s;
        statisticsView view(nullptr, s.store.get());
        view.setSpeedPointSend(c.send, c.receive);
        EXPECT_EQ(view.currentRulerPos(), c.rulerPos) << c.send << " " << c.receive;
        EXPECT_FLOAT_EQ(view.upSpeed(0), c.drawnUp) << c.send;
        EXPECT_FALSE(view.speedUnitFlag());
    }
    StatisticsStore s;
    statisticsView view(nullptr, s.store.get());
    EXPECT_EQ(view.rulerValue(0), 60.0f);
    EXPECT_EQ(view.rulerValue(119), 7200.0f);
}

TEST(SpeedGraphTest, MegabytesAboveAThousandAndTwentyFour)
{
    StatisticsStore s(kMegabyteSwitch);
    statisticsView view(nullptr, s.store.get());
    view.setSpeedPointSend(9000, 0);
    EXPECT_NEAR(view.upSpeed(0), 7.03, 0.005) << "clamped to 7200, then in MB/s";
    EXPECT_EQ(view.rulerValue(view.currentRulerPos()), 60.0f);
    EXPECT_TRUE(view.speedUnitFlag());

    view.setSpeedPointSend(2048, 10);
    EXPECT_FLOAT_EQ(view.upSpeed(0), 2.0f);
    EXPECT_EQ(view.uploadLegend(), QStringLiteral("Upload Speed(MB/s)"));
    EXPECT_EQ(view.downloadLegend(), QStringLiteral("Download Speed(MB/s)"));
    view.setSpeedPointSend(500, 0);
    EXPECT_EQ(view.uploadLegend(), QStringLiteral("Upload Speed(KB/s)"));
    EXPECT_FLOAT_EQ(view.upSpeed(1), 2.0f) << "older samples keep their divided values";
    EXPECT_FLOAT_EQ(view.upSpeed(0), 500.0f);
    EXPECT_EQ(view.pointCount(), 3);
}

TEST(SpeedGraphTest, TheLegendNamesTheUnitTheGraphIsFed)
{
    struct Case {
        const char *key;
        bool megabyteSwitch;
        const char *legend;
    };
    const Case cases[] = {
        {nullptr, false, "Upload Speed(KB/s)"},
        {"SpeedUnitKBit", false, "Upload Speed(Kb/s)"},
        {"SpeedUnitOnlyKBit", false, "Upload Speed(Kb/s)"},
        {"SpeedUnitKBit", true, "Upload Speed(Mb/s)"},
    };
    for (const Case &c : cases) {
        QVariantMap settings = c.megabyteSwitch ? kMegabyteSwitch : QVariantMap();
        if (c.key)
            settings.insert(QStringLiteral("Internet"), QVariantMap{{QLatin1String(c.key), true}});
        StatisticsStore s(settings);
        statisticsView view(nullptr, s.store.get());
        view.setSpeedPointSend(2048, 0);
        EXPECT_EQ(view.uploadLegend(), QLatin1String(c.legend)) << c.legend;
    }
}

TEST(SpeedGraphTest, BlankingKeepsTheScaleUntilTheNextSample)
{
    StatisticsStore s;
    statisticsView view(nullptr, s.store.get());
    view.setSpeedPointSend(1000, 200);
    view.setSpeedPointSend(10, 20);
    const int pos = view.currentRulerPos();
    EXPECT_EQ(view.rulerValue(pos), 1020.0f);
    view.setUndisplay();
    EXPECT_EQ(view.pointCount(), 0);
    EXPECT_EQ(view.upSpeed(0), 0.0f);
    EXPECT_EQ(view.currentRulerPos(), pos);
    EXPECT_EQ(view.maxUpSpeed(), 1000.0f);
    view.setSpeedPointSend(10, 20);
    EXPECT_EQ(view.currentRulerPos(), 0);
}

TEST(SpeedGraphTest, SamplePositionsForAWidth)
{
    StatisticsStore s;
    statisticsView view(nullptr, s.store.get());
    view.resize(400, 300);
    for (int i = 0; i < 3; ++i)
        view.setSpeedPointSend(15, 60);
    // Plot 355 x 260 from (35, 30); 50 steps over 365 pixels.
    const double xs[] = {387.7, 380.4, 373.1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(view.upSpeedPoint(i).x(), xs[i], 1e-3) << i;
        EXPECT_NEAR(view.downSpeedPoint(i).y(), 290.0, 1e-3) << "full scale at the top of the plot";
        EXPECT_NEAR(view.upSpeedPoint(i).y(), 95.0, 1e-3);
    }
    EXPECT_NEAR(view.screenPoint(view.downSpeedPoint(0)).y(), 10.0, 1e-3);
    // A wider graph moves them with it.
    view.resize(600, 300);
    renderedGraph(view);
    EXPECT_NEAR(view.upSpeedPoint(0).x(), 35 + 555 + 5 - 565.0 / 50, 1e-3);
    // Fifty samples held: the oldest lies left of the frame.
    for (int i = 0; i < 60; ++i)
        view.setSpeedPointSend(15, 60);
    EXPECT_EQ(view.pointCount(), statisticsView::kSamples);
    EXPECT_LT(view.upSpeedPoint(statisticsView::kSamples - 1).x(), statisticsView::relativeX);
}

TEST(SpeedGraphTest, DrawsBackgroundGridAndLines)
{
    StatisticsStore s;
    statisticsView view(nullptr, s.store.get());
    view.resize(400, 300);
    for (int i = 0; i < 5; ++i)
        view.setSpeedPointSend(45, 15); // full scale 60
    const QImage image = renderedGraph(view);
    if (const QString shot = testing_paths::screenshotPath(QStringLiteral("speed-graph.png")); !shot.isEmpty())
        image.save(shot);

    EXPECT_EQ(image.pixelColor(200, 4), view.backgroundColor()) << "above the frame";
    // The grid line at half scale (plot y 160, 140 from the top) is dashed.
    int on = 0;
    for (int x = 40; x < 380; ++x)
        on += image.pixelColor(x, 140) == view.coordinateColor();
    EXPECT_GT(on, 20);
    EXPECT_LT(on, 340 / 3);
    // The newest samples: upload at 3/4 of the scale, download at 1/4.
    const QPointF up = view.screenPoint(view.upSpeedPoint(0));
    const QPointF down = view.screenPoint(view.downSpeedPoint(0));
    EXPECT_NEAR(up.x(), 387.7, 1e-3);
    EXPECT_NEAR(up.y(), 75.0, 1e-3);
    EXPECT_EQ(image.pixelColor(385, 75), view.upSpeedColor());
    EXPECT_EQ(image.pixelColor(385, int(down.y())), view.downSpeedColor());
    EXPECT_EQ(image.pixelColor(395, 75), view.backgroundColor()) << "nothing right of the newest sample";

    // Blanked: frame and grid stay, the lines go.
    view.setUndisplay();
    const QImage blank = renderedGraph(view);
    EXPECT_EQ(blank.pixelColor(385, 75), view.backgroundColor());
    EXPECT_EQ(blank.pixelColor(35, 150), view.coordinateColor()) << "the frame";
}

TEST(SpeedGraphTest, ColoursAndFontFromTheSettingsOrTheirDefaults)
{
    StatisticsStore s({{QStringLiteral("StatisticsViewColor"),
                        QVariantMap{{QStringLiteral("UpSpeedLine"), QStringLiteral("1 0 0 1")},
                                    {QStringLiteral("DownSpeedLine"), QStringLiteral("green-ish")},
                                    {QStringLiteral("Background"), QStringLiteral("0.1 0.2")},
                                    {QStringLiteral("Coordinate"), QStringLiteral("")}}},
                       {QStringLiteral("StatisticsViewSettings"),
                        QVariantMap{{QStringLiteral("TextFont"), QVariantMap{{QStringLiteral("FontName"), QStringLiteral("No Such Family 4711")},
                                                                             {QStringLiteral("Size"), 13}}}}}});
    statisticsView view(nullptr, s.store.get());
    EXPECT_EQ(view.upSpeedColor(), QColor(Qt::red));
    EXPECT_EQ(view.downSpeedColor(), QColor(Qt::green));
    EXPECT_EQ(view.backgroundColor(), QColor(Qt::black));
    EXPECT_EQ(view.coordinateColor(), QColor(Qt::cyan));
    EXPECT_EQ(view.textFont().family(), QApplication::font().family());
    EXPECT_EQ(view.textFont().pixelSize(), 13);
}
