#pragma once
// Time and timers behind one interface, so that tests can step them.
//
// Production code takes a Clock& (default Clock::system()); tests hand in a ManualClock
// (tests/support) and advance it. Callbacks run on the thread that owns the context object.

#include <QDateTime>
#include <QObject>

#include <functional>

namespace yov {

class Clock {
public:
    virtual ~Clock() = default;

    virtual QDateTime now() const = 0;       // wall-clock time
    virtual qint64 monotonicMs() const = 0;  // milliseconds on a clock that never goes back

    // Runs fn once after ms milliseconds, unless cancelled or the context is destroyed first.
    // Returns an id for cancel().
    virtual int schedule(int ms, QObject *context, std::function<void()> fn) = 0;
    // Runs fn every intervalMs milliseconds until cancelled or the context is destroyed, on one
    // timer for the whole run. Returns an id for cancel().
    virtual int scheduleRepeating(int intervalMs, QObject *context, std::function<void()> fn) = 0;
    // Cancels a one-shot or repeating callback; safe from inside that callback.
    virtual void cancel(int id) = 0;

    static Clock &system();
};

// A repeating timer on a Clock: one timer from start() to stop().
class RepeatingTimer {
public:
    RepeatingTimer(Clock &clock, QObject *context, std::function<void()> fn);
    ~RepeatingTimer();
    void start(int intervalMs);
    void stop();
    bool isActive() const { return id_ != 0; }
    int interval() const { return interval_; }

private:
    Clock &clock_;
    QObject *context_;
    std::function<void()> fn_;
    int interval_ = 0;
    int id_ = 0;
};

} // namespace yov
