#include "ostrel/connection/statistics/statisticsView.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/ConnectionFormat.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace ostrel {

namespace {

constexpr float kGraphDash[2] = {1.0f, 6.0f};
constexpr float kGraphDashPhase = 6.0f;
constexpr int kAxisLabelSize = 10;

// A sample as the graph takes it: a number from 0 up to the last ruler step.
float clampedSpeedSample(double value, float top)
{
    if (!(value > 0)) // also NaN
        return 0.0f;
    return value > double(top) ? top : float(value);
}

} // namespace

statisticsView::statisticsView(QWidget *parent, ConfigManager *config) : QWidget(parent), config_(config)
{
    setObjectName(QStringLiteral("statisticsView"));
    for (int i = 0; i < kRulerSteps; ++i)
        rulerSpeedArray_[i] = 60.0f * float(i + 1);
    reloadSettings();
    setMinimumSize(240, 140);
}

void statisticsView::reloadSettings()
{
    ConfigManager *store = config_ ? config_ : ConfigManager::sharedConfigManager();
    speedUnitChange_ = store && yov::nsBool(store->getConfigurationByModuleAndKey(
                                    QStringLiteral("Statistics"), QStringLiteral("Statistics_SpeedUnitChange_IfSpeedGreat")));
    samplesInBits_ = store && speedPointsInKilobits(ConnectionUnits::read(store));
    loadStatisticsColorValue();
    loadStatisticsTextFont();
    update();
}

void statisticsView::loadStatisticsColorValue()
{
    ConfigManager *store = config_ ? config_ : ConfigManager::sharedConfigManager();
    const auto colour = [store](const char *key, const QColor &fallback) {
        const QColor read = store ? colorWithNSString(yov::nsString(store->getConfigurationByModuleAndKey(
                                        QStringLiteral("StatisticsViewColor"), QLatin1String(key))))
                                  : QColor();
        return read.isValid() ? read : fallback;
    };
    upSpeedColor_ = colour("UpSpeedLine", Qt::yellow);
    downSpeedColor_ = colour("DownSpeedLine", Qt::green);
    backgroundColor_ = colour("Background", Qt::black);
    coordinateColor_ = colour("Coordinate", Qt::cyan);
}

void statisticsView::loadStatisticsTextFont()
{
    ConfigManager *store = config_ ? config_ : ConfigManager::sharedConfigManager();
    QString name = QStringLiteral("Times Roman");
    int size = 11;
    const QVariantMap own = store ? yov::nsDict(store->getConfigurationByModuleAndKey(QStringLiteral("StatisticsViewSettings"),
                                                                                       QStringLiteral("TextFont")))
                                  : QVariantMap();
    const QVariantMap operatorFont = store ? ConfigService(store).getUIFont() : QVariantMap();
    if (const QString n = yov::nsString(own.value(QStringLiteral("FontName"))); !n.isEmpty())
        name = n;
    else if (const QString o = yov::nsString(operatorFont.value(QStringLiteral("FontName"))); !o.isEmpty())
        name = o;
    if (const int s = yov::nsInt(own.value(QStringLiteral("Size"))); s > 0)
        size = s;
    else if (const int o = yov::nsInt(operatorFont.value(QStringLiteral("FontSize"))); o > 0)
        size = o;
    textSize_ = qBound(6, size, 48);
    textFont_ = createFont(name, textSize_, 0, nullptr).value_or(font());
}

// ---- samples ------------------------------------------------------------------------------------

void statisticsView::setSpeedPointSend(double send, double receive)
{
    pointCount_ = std::min(pointCount_ + 1, kSamples);
    const float top = rulerSpeedArray_[kRulerSteps - 1];
    float up = clampedSpeedSample(send, top);
    float down = clampedSpeedSample(receive, top);
    if (speedUnitChange_ && (up > 1024.0f || down > 1024.0f)) {
        speedUnitFlag_ = 1;
        up /= 1024.0f;
        down /= 1024.0f;
    } else {
        speedUnitFlag_ = 0;
    }
    maxUpSpeed_ = up;
    maxDownSpeed_ = down;
    for (int i = pointCount_ - 1; i >= 1; --i) {
        upSpeed_[i] = upSpeed_[i - 1];
        downSpeed_[i] = downSpeed_[i - 1];
        maxUpSpeed_ = std::max(maxUpSpeed_, upSpeed_[i]);
        maxDownSpeed_ = std::max(maxDownSpeed_, downSpeed_[i]);
    }
    upSpeed_[0] = up;
    downSpeed_[0] = down;
    addSpeedPoint();
}

void statisticsView::setUndisplay()
{
    pointCount_ = 0;
    std::fill(std::begin(upSpeed_), std::end(upSpeed_), 0.0f);
    std::fill(std::begin(downSpeed_), std::end(downSpeed_), 0.0f);
    std::fill(std::begin(upSpeedPoint_), std::end(upSpeedPoint_), QPointF());
    std::fill(std::begin(downSpeedPoint_), std::end(downSpeedPoint_), QPointF());
    update();
    addSpeedPoint();
}

void statisticsView::addSpeedPoint()
{
    int index = kRulerSteps - 1;
    for (int i = 0; i < kRulerSteps; ++i) {
        if (rulerSpeedArray_[i] >= maxUpSpeed_ && rulerSpeedArray_[i] >= maxDownSpeed_) {
            index = i;
            break;
        }
    }
    currentRulerPos_ = index;
    setSpeedPointsWithRuler(rulerSpeedArray_[index]);
}

bool statisticsView::setPlotSize()
{
    const float w = std::max(0.0f, float(width() - relativeX - 10));
    const float h = std::max(0.0f, float(height() - relativeY - 10));
    const bool changed = w != rectWidth || h != rectHight;
    rectWidth = w;
    rectHight = h;
    return changed;
}

void statisticsView::setSpeedPointsWithRuler(float ruler)
{
    setPlotSize();
    placeSpeedPoints(ruler);
    update();
}

void statisticsView::placeSpeedPoints(float ruler)
{
    addx = (rectWidth + 10.0f) / float(kSamples);
    const float x0 = rectWidth - addx * float(pointCount_);
    standard = ruler > 0 ? rectHight / ruler : 0.0f;
    float x = x0;
    for (int i = pointCount_ - 1; i >= 0; --i, x += addx) {
        const qreal pointX = relativeX + x + 5;
        upSpeedPoint_[i] = QPointF(pointX, standard * upSpeed_[i] + relativeY);
        downSpeedPoint_[i] = QPointF(pointX, standard * downSpeed_[i] + relativeY);
    }
}

// ---- drawing ------------------------------------------------------------------------------------

QPointF statisticsView::screenPoint(const QPointF &plotPoint) const { return {plotPoint.x(), height() - plotPoint.y()}; }

QString statisticsView::uploadLegend() const
{
    const char *text = speedUnitFlag_ ? (samplesInBits_ ? "Upload Speed(Mb/s)" : "Upload Speed(MB/s)")
                                      : (samplesInBits_ ? "Upload Speed(Kb/s)" : "Upload Speed(KB/s)");
    return Map_Name_Item_of_IndexString(QLatin1String(text));
}

QString statisticsView::downloadLegend() const
{
    const char *text = speedUnitFlag_ ? (samplesInBits_ ? "Download Speed(Mb/s)" : "Download Speed(MB/s)")
                                      : (samplesInBits_ ? "Download Speed(Kb/s)" : "Download Speed(KB/s)");
    return Map_Name_Item_of_IndexString(QLatin1String(text));
}

void statisticsView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    setSpeedPointsWithRuler(rulerValue(currentRulerPos_));
}

void statisticsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor_);
    // A size that changed while the graph was hidden (no resize event yet) places the samples anew.
    if (setPlotSize())
        placeSpeedPoints(rulerValue(currentRulerPos_));
    drawStatisticsIllustration(painter);
    drawCoordinateRect(painter);
    drawAxis(painter);
    drawDynamicSpeed(painter);
}

void statisticsView::drawTextAt(QPainter &painter, const QPointF &plotPoint, const QString &text)
{
    const QFontMetricsF metrics(painter.font());
    const QPointF foot = screenPoint(plotPoint);
    painter.drawText(QPointF(foot.x(), foot.y() - metrics.descent()), text);
}

void statisticsView::drawSpeedRectAt(QPainter &painter, const QPointF &bottomLeft, const QColor &color)
{
    const QPointF topLeft = screenPoint(bottomLeft + QPointF(0, textSize_));
    painter.fillRect(QRectF(topLeft, QSizeF(textSize_, textSize_)), color);
}

void statisticsView::drawStatisticsIllustration(QPainter &painter)
{
    painter.setFont(textFont_);
    painter.setPen(QPen(coordinateColor_, 0));
    const QString up = uploadLegend();
    drawSpeedRectAt(painter, QPointF(10, textY_), upSpeedColor_);
    drawTextAt(painter, QPointF(textSize_ + 11, textY_), up);
    const qreal x2 = textSize_ + 11 + QFontMetricsF(textFont_).horizontalAdvance(up) + 10;
    drawSpeedRectAt(painter, QPointF(x2, textY_), downSpeedColor_);
    drawTextAt(painter, QPointF(x2 + textSize_ + 1, textY_), downloadLegend());
}

void statisticsView::drawCoordinateRect(QPainter &painter)
{
    painter.setPen(QPen(coordinateColor_, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(screenPoint(QPointF(relativeX, relativeY + rectHight)), QSizeF(rectWidth, rectHight)));
}

void statisticsView::drawAxis(QPainter &painter)
{
    const float step = rectHight / 12.0f;
    QFont labels = textFont_;
    labels.setPixelSize(kAxisLabelSize);
    painter.setFont(labels);
    QPen dashed(coordinateColor_, 0);
    dashed.setDashPattern({kGraphDash[0], kGraphDash[1]});
    dashed.setDashOffset(kGraphDashPhase);
    const QPen solid(coordinateColor_, 0);
    currentRulerPos_ = std::min(currentRulerPos_, kRulerSteps - 1);
    const float valueStep = rulerSpeedArray_[currentRulerPos_] / 12.0f;
    // A graph too low for a label at every line labels every second (third, ...) one, top and
    // bottom always.
    const double linesPerLabel = step > 0 ? QFontMetricsF(labels).height() / step : 12.0;
    int labelEvery = 12;
    for (int divisor : {1, 2, 3, 4, 6, 12}) {
        if (divisor >= linesPerLabel) {
            labelEvery = divisor;
            break;
        }
    }
    for (int k = 0; k <= 12; ++k) {
        painter.setPen(solid);
        if (k % labelEvery == 0)
            drawTextAt(painter, QPointF(relativeX - 30, relativeY - 5 + k * step), QString::number(k * valueStep, 'f', 1));
        if (k == 0 || k == 12)
            continue;
        painter.setPen(dashed);
        const qreal y = relativeY + k * step;
        painter.drawLine(screenPoint(QPointF(relativeX, y)), screenPoint(QPointF(relativeX + rectWidth, y)));
    }
}

void statisticsView::drawDynamicSpeed(QPainter &painter)
{
    const int shown = pointCount_ - 1; // the oldest held sample is not drawn
    if (shown < 2)
        return;
    QPointF line[kSamples];
    for (const auto &[points, colour] : {std::pair{upSpeedPoint_, upSpeedColor_}, std::pair{downSpeedPoint_, downSpeedColor_}}) {
        for (int i = 0; i < shown; ++i)
            line[i] = screenPoint(points[i]);
        painter.setPen(QPen(colour, 0));
        painter.drawPolyline(line, shown);
    }
}

} // namespace ostrel
