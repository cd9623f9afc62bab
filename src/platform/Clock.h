#pragma once
// Time and timers behind one interface, so that tests can step them.
//
// Production code takes a Clock& (default Clock::system()); tests hand in a ManualClock
// (tests/support) and advance it. Callbacks run on the thread that owns the context object.

#include <QDateTime>
#include <QObject>

#include <functional>
#include <memory>

namespace yov {

class Clock {
public:
    // A repeating timer made once and started and stopped as often as needed.
    class Ticker {
    public:
        virtual ~Ticker() = default;
        virtual void start(int intervalMs) = 0; // (re)starts; the first tick comes intervalMs later
        virtual void stop() = 0;                // safe from inside its own tick
        virtual bool isActive() const = 0;
    };

    virtual ~Clock() = default;

    virtual QDateTime now() const = 0;       // wall-clock time
    virtual qint64 monotonicMs() const = 0;  // milliseconds on a clock that never goes back

    // Runs fn once after ms milliseconds, unless cancelled or the context is destroyed first.
    // Returns an id for cancel().
    virtual int schedule(int ms, QObject *context, std::function<void()> fn) = 0;
    // Runs fn every intervalMs milliseconds until cancelled or the context is destroyed. Returns
    // an id for cancel().
    virtual int scheduleRepeating(int intervalMs, QObject *context, std::function<void()> fn) = 0;
    // Cancels a one-shot or repeating callback; safe from inside that callback.
    virtual void cancel(int id) = 0;

    // A ticker that runs fn on each tick (none once the context is destroyed). The default one
    // schedules through scheduleRepeating(); the system clock's keeps one QTimer for its life.
    virtual std::unique_ptr<Ticker> createTicker(QObject *context, std::function<void()> fn);

    static Clock &system();
};

// A repeating timer on a Clock: one timer for its whole life, however often it is started and
// stopped.
class RepeatingTimer {
public:
    RepeatingTimer(Clock &clock, QObject *context, std::function<void()> fn);
    ~RepeatingTimer();
    void start(int intervalMs);
    void stop();
    bool isActive() const { return ticker_->isActive(); }
    int interval() const { return interval_; }

private:
    std::unique_ptr<Clock::Ticker> ticker_;
    int interval_ = 0;
};

} // namespace yov
