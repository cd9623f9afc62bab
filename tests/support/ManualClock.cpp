#include "support/ManualClock.h"

#include <algorithm>

namespace testing_support {

int ManualClock::schedule(int ms, QObject *context, std::function<void()> fn)
{
    const int id = ++lastId_;
    queue_.emplace(std::make_pair(elapsed_ + qMax(0, ms), id), Item{id, context, context != nullptr, std::move(fn)});
    return id;
}

int ManualClock::scheduleRepeating(int intervalMs, QObject *context, std::function<void()> fn)
{
    const int id = ++lastId_;
    const qint64 interval = qMax(1, intervalMs);
    queue_.emplace(std::make_pair(elapsed_ + interval, id), Item{id, context, context != nullptr, std::move(fn), interval});
    return id;
}

void ManualClock::cancel(int id)
{
    for (auto it = queue_.begin(); it != queue_.end(); ++it)
        if (it->second.id == id) {
            queue_.erase(it);
            return;
        }
}

void ManualClock::stall(qint64 ms)
{
    elapsed_ += ms;
    std::multimap<std::pair<qint64, int>, Item> late;
    while (!queue_.empty() && queue_.begin()->first.first < elapsed_) {
        auto node = queue_.extract(queue_.begin());
        node.key().first = elapsed_;
        late.insert(std::move(node));
    }
    queue_.merge(late);
}

void ManualClock::advance(qint64 ms)
{
    const qint64 target = elapsed_ + ms;
    while (!queue_.empty() && queue_.begin()->first.first <= target) {
        auto node = queue_.extract(queue_.begin());
        elapsed_ = node.key().first;
        Item &item = node.mapped();
        if (item.hadContext && !item.context)
            continue;
        if (item.intervalMs > 0) {
            // Queued again before it runs, so that the callback can cancel it.
            const std::function<void()> fn = item.fn;
            node.key() = std::make_pair(elapsed_ + item.intervalMs, item.id);
            queue_.insert(std::move(node));
            fn();
            continue;
        }
        item.fn();
    }
    // A callback may itself have advanced the clock (a nested event loop): time never goes back.
    elapsed_ = std::max(elapsed_, target);
}

} // namespace testing_support
