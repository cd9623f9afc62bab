#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QTimer>

namespace yov {

namespace {

class SystemClock final : public Clock {
public:
    SystemClock() { elapsed_.start(); }

    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return elapsed_.elapsed(); }

    int schedule(int ms, QObject *context, std::function<void()> fn) override
    {
        const int id = ++lastId_;
        auto *timer = new QTimer(context);
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, timer, [this, id, timer, fn = std::move(fn)] {
            timers_.remove(id);
            timer->deleteLater();
            fn();
        });
        timers_.insert(id, timer);
        timer->start(ms);
        return id;
    }

    int scheduleRepeating(int intervalMs, QObject *context, std::function<void()> fn) override
    {
        const int id = ++lastId_;
        auto *timer = new QTimer(context);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, timer, std::move(fn));
        timers_.insert(id, timer);
        timer->start(qMax(0, intervalMs));
        return id;
    }

    void cancel(int id) override
    {
        if (QPointer<QTimer> t = timers_.take(id)) {
            t->stop();
            t->deleteLater();
        }
    }

private:
    QElapsedTimer elapsed_;
    int lastId_ = 0;
    QHash<int, QPointer<QTimer>> timers_;
};

} // namespace

Clock &Clock::system()
{
    static SystemClock clock;
    return clock;
}

RepeatingTimer::RepeatingTimer(Clock &clock, QObject *context, std::function<void()> fn)
    : clock_(clock), context_(context), fn_(std::move(fn))
{
}

RepeatingTimer::~RepeatingTimer()
{
    stop();
}

void RepeatingTimer::start(int intervalMs)
{
    stop();
    interval_ = intervalMs;
    id_ = clock_.scheduleRepeating(interval_, context_, fn_);
}

void RepeatingTimer::stop()
{
    if (id_)
        clock_.cancel(id_);
    id_ = 0;
}

} // namespace yov
