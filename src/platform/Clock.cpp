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

    std::unique_ptr<Ticker> createTicker(QObject *context, std::function<void()> fn) override;

private:
    QElapsedTimer elapsed_;
    int lastId_ = 0;
    QHash<int, QPointer<QTimer>> timers_;
};

} // namespace

namespace {

// On any clock: one repeating schedule per run from start() to stop().
class ScheduledTicker final : public Clock::Ticker {
public:
    ScheduledTicker(Clock &clock, QObject *context, std::function<void()> fn)
        : clock_(clock), context_(context), fn_(std::move(fn))
    {
    }
    ~ScheduledTicker() override { stop(); }
    void start(int intervalMs) override
    {
        stop();
        id_ = clock_.scheduleRepeating(intervalMs, context_, fn_);
    }
    void stop() override
    {
        if (id_)
            clock_.cancel(id_);
        id_ = 0;
    }
    bool isActive() const override { return id_ != 0; }

private:
    Clock &clock_;
    QObject *context_;
    std::function<void()> fn_;
    int id_ = 0;
};

// On the system clock: one QTimer, made once.
class QTimerTicker final : public Clock::Ticker {
public:
    QTimerTicker(QObject *context, std::function<void()> fn) : timer_(new QTimer(context))
    {
        timer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer_, &QTimer::timeout, timer_, std::move(fn));
    }
    ~QTimerTicker() override { delete timer_; } // null when the context took it along
    void start(int intervalMs) override
    {
        if (timer_)
            timer_->start(qMax(0, intervalMs));
    }
    void stop() override
    {
        if (timer_)
            timer_->stop();
    }
    bool isActive() const override { return timer_ && timer_->isActive(); }

private:
    QPointer<QTimer> timer_;
};

std::unique_ptr<Clock::Ticker> SystemClock::createTicker(QObject *context, std::function<void()> fn)
{
    return std::make_unique<QTimerTicker>(context, std::move(fn));
}

} // namespace

std::unique_ptr<Clock::Ticker> Clock::createTicker(QObject *context, std::function<void()> fn)
{
    return std::make_unique<ScheduledTicker>(*this, context, std::move(fn));
}

Clock &Clock::system()
{
    static SystemClock clock;
    return clock;
}

RepeatingTimer::RepeatingTimer(Clock &clock, QObject *context, std::function<void()> fn)
    : ticker_(clock.createTicker(context, std::move(fn)))
{
}

RepeatingTimer::~RepeatingTimer() = default;

void RepeatingTimer::start(int intervalMs)
{
    interval_ = intervalMs;
    ticker_->start(intervalMs);
}

void RepeatingTimer::stop()
{
    ticker_->stop();
}

} // namespace yov
