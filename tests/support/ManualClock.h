#pragma once
// A Clock that moves only when the test advances it. Scheduled callbacks run during advance(),
// in due order (ties in scheduling order).
#include "platform/Clock.h"

#include <QPointer>
#include <map>
#include <utility>

namespace testing_support {

class ManualClock final : public yov::Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC))
        : start_(start) {}

    QDateTime now() const override { return start_.addMSecs(elapsed_); }
    qint64 monotonicMs() const override { return elapsed_; }
    int schedule(int ms, QObject *context, std::function<void()> fn) override;
    int scheduleRepeating(int intervalMs, QObject *context, std::function<void()> fn) override;
    void cancel(int id) override;

    void advance(qint64 ms);
    // Time passes while the event loop cannot run (a starved or blocked process): nothing fires
    // now; whatever came due meanwhile fires once, late, on the next advance, as a late timer does.
    void stall(qint64 ms);
    void setNow(const QDateTime &t) { start_ = t.addMSecs(-elapsed_); }
    int pending() const { return int(queue_.size()); }

private:
    struct Item {
        int id;
        QPointer<QObject> context;
        bool hadContext;
        std::function<void()> fn;
        qint64 intervalMs = 0; // repeating: queued again this long after each run
    };
    QDateTime start_;
    qint64 elapsed_ = 0;
    int lastId_ = 0;
    std::multimap<std::pair<qint64, int>, Item> queue_;
};

} // namespace testing_support
