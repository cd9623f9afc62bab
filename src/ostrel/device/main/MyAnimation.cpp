#include "ostrel/device/main/MyAnimation.h"

namespace ostrel {

MyAnimation::MyAnimation(yov::Clock &clock, QObject *context, std::function<void(double)> progressMark)
    : progressMark_(std::move(progressMark)),
      timer_(clock, context, [this] { setCurrentProgress(progress_ + 1); })
{
}

void MyAnimation::startAnimation()
{
    progress_ = 0;
    timer_.start(frameIntervalMs);
}

void MyAnimation::stopAnimation()
{
    timer_.stop();
}

void MyAnimation::setCurrentProgress(double progress)
{
    progress_ = progress;
    if (progressMark_)
        progressMark_(progress_);
}

} // namespace ostrel
