#pragma once
// The new-message indicator: four image frames shown in turn, two per second, until stopped.
//
// setImagePath() names the first frame ("Normal_SMS_Arrive1"): the frames are that name and the
// same name ending in "2", "3" and "4", each followed by ".PNG", taken from the image provider. A
// frame that does not load draws nothing; an empty path builds no frames. A click stops and hides
// the indicator and opens the SMS inbox.
#include "ostrel/device/main/MyAnimation.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace ostrel {

class animationView : public QWidget {
    Q_OBJECT
public:
    explicit animationView(QWidget *parent = nullptr, yov::Clock &clock = yov::Clock::system());
    ~animationView() override;

    // Where frames come from by name (default: the application's images).
    void setImageProvider(std::function<QImage(const QString &)> provider) { imageProvider_ = std::move(provider); }

    void setImagePath(const QString &path);
    QString getImagePath() const { return m_imagePath; }
    void buildImages();
    // The names of the four frames of a first-frame name; empty for an empty name.
    static QStringList frameNames(const QString &path);

    void startAnimation();
    void stopAnimation();
    // Stops the frames only: the view stays where and as it is.
    void stopAnimationWhenMinimizeWnd();
    bool isAnimating() const { return m_animation.isAnimating(); }
    void animationDidReachProgressMark(double progress);

    // The frame on show: 0..3.
    int frameIndex() const { return m_index; }
    QImage frameImage(int index) const;
    // How many times the frames were built (a same path again builds nothing).
    int buildCount() const { return buildCount_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    MyAnimation m_animation;
    QString m_imagePath;
    QImage m_image1;
    QImage m_image2;
    QImage m_image3;
    QImage m_image4;
    int m_index = 0;
    int buildCount_ = 0;
    std::function<QImage(const QString &)> imageProvider_;
};

} // namespace ostrel
