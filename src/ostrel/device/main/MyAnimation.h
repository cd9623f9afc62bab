#pragma once
// The endless step animation of the new-message indicator: on every frame (two per second, from a
// main-thread timer on the given clock) it tells its delegate that a progress mark was reached.
// No thread of its own.
#include "platform/Clock.h"

#include <QObject>

#include <functional>
#include <memory>

namespace ostrel {

class MyAnimation {
public:
    static constexpr double frameRate = 2.0; // frames per second
    static constexpr int frameIntervalMs = 500;

    // progressMark is called on every frame with the animation's progress (the frame count).
    MyAnimation(yov::Clock &clock, QObject *context, std::function<void(double progress)> progressMark);

    void startAnimation();
    void stopAnimation();
    bool isAnimating() const { return timer_.isActive(); }

private:
    void setCurrentProgress(double progress);

    std::function<void(double)> progressMark_;
    yov::RepeatingTimer timer_;
    double progress_ = 0;
};

} // namespace ostrel
