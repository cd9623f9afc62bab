#pragma once
// The live speed graph of the statistics page: the upload and download speeds of the running
// connection, the last 50 samples each, as two lines over a dashed grid whose full scale is the
// first step of a 60, 120, ... 7200 ruler that holds the largest sample on screen.
//
// Samples come once a second from the connection controller in the unit it chose: KB/s, or Kb/s
// when the speeds are shown in bits (the legend names that unit). Samples are clamped to 7200;
// with Statistics/Statistics_SpeedUnitChange_IfSpeedGreat a sample pair above 1024 is divided by
// 1024 and the legend shows MB/s (Mb/s) until a pair at or below 1024 comes. setUndisplay() blanks
// the lines and keeps the scale until the next sample.
//
// Geometry is kept with the origin at the bottom left of the plot (y grows upwards from the
// bottom margin); it is turned into the widget's own coordinates in one place (screenPoint()).
// Colours come from the settings module StatisticsViewColor ("UpSpeedLine", "DownSpeedLine",
// "Background", "Coordinate": "r g b a" fractions; defaults yellow, green, black, cyan), the
// font from StatisticsViewSettings/TextFont ("FontName", "Size"; else the operator's Main/TextFont,
// else "Times Roman" at 11; a family the machine lacks falls back to the application font). Adding
// a sample allocates nothing.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QWidget>

namespace ostrel {

class ConfigManager;

class statisticsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSamples = 50;
    static constexpr int kRulerSteps = 120;
    static constexpr int relativeX = 35;
    static constexpr int relativeY = 30;
    static constexpr int textY_ = 5;

    // config: the store the colours, font and switches come from (null: the shared one).
    explicit statisticsView(QWidget *parent = nullptr, ConfigManager *config = nullptr);

    // Reads colours, font and the unit switches again (at set-up and on a language change).
    void reloadSettings();
    void loadStatisticsColorValue();
    void loadStatisticsTextFont();

    void setSpeedPointSend(double send, double receive);
    void setUndisplay();
    void addSpeedPoint();
    void setSpeedPointsWithRuler(float ruler);

    int pointCount() const { return pointCount_; }
    int currentRulerPos() const { return currentRulerPos_; }
    float rulerValue(int index) const { return rulerSpeedArray_[qBound(0, index, kRulerSteps - 1)]; }
    float upSpeed(int i) const { return upSpeed_[i]; }
    float downSpeed(int i) const { return downSpeed_[i]; }
    float maxUpSpeed() const { return maxUpSpeed_; }
    float maxDownSpeed() const { return maxDownSpeed_; }
    bool speedUnitFlag() const { return speedUnitFlag_ != 0; }
    // Sample points, bottom-left origin.
    QPointF upSpeedPoint(int i) const { return upSpeedPoint_[i]; }
    QPointF downSpeedPoint(int i) const { return downSpeedPoint_[i]; }
    // A point of the plot's geometry in the widget's coordinates.
    QPointF screenPoint(const QPointF &plotPoint) const;
    QString uploadLegend() const;
    QString downloadLegend() const;

    QColor upSpeedColor() const { return upSpeedColor_; }
    QColor downSpeedColor() const { return downSpeedColor_; }
    QColor backgroundColor() const { return backgroundColor_; }
    QColor coordinateColor() const { return coordinateColor_; }
    QFont textFont() const { return textFont_; }

    QSize sizeHint() const override { return {520, 240}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void drawStatisticsIllustration(QPainter &painter);
    void drawCoordinateRect(QPainter &painter);
    void drawAxis(QPainter &painter);
    void drawDynamicSpeed(QPainter &painter);
    void drawSpeedRectAt(QPainter &painter, const QPointF &bottomLeft, const QColor &color);
    // The plot's size from the widget's; true when it changed.
    bool setPlotSize();
    void placeSpeedPoints(float ruler);
    // The text's left end at the plot point, its foot on the point's height.
    void drawTextAt(QPainter &painter, const QPointF &plotPoint, const QString &text);

    ConfigManager *config_;
    float rectWidth = 0;
    float rectHight = 0;
    QColor upSpeedColor_;
    QColor downSpeedColor_;
    QColor backgroundColor_;
    QColor coordinateColor_;
    QFont textFont_;
    int textSize_ = 11;
    QPointF upSpeedPoint_[kSamples];
    QPointF downSpeedPoint_[kSamples];
    float upSpeed_[kSamples] = {};
    float downSpeed_[kSamples] = {};
    int pointCount_ = 0;
    int currentRulerPos_ = 1;
    float standard = 0;
    float addx = 0;
    float maxUpSpeed_ = 0;
    float maxDownSpeed_ = 0;
    float rulerSpeedArray_[kRulerSteps];
    char speedUnitFlag_ = 0;
    bool speedUnitChange_ = false; // Statistics_SpeedUnitChange_IfSpeedGreat
    bool samplesInBits_ = false;   // the connection feeds Kb/s
};

} // namespace ostrel
