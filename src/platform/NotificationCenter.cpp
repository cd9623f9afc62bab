#include "platform/NotificationCenter.h"

#include <algorithm>

namespace yov {

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::NotificationCenter() = default;

NotificationCenter::~NotificationCenter()
{
    for (auto &c : watches_)
        QObject::disconnect(c);
}

void NotificationCenter::addObserver(QObject *observer, const QString &name, QObject *sender, Handler handler)
{
    if (!observer || !handler)
        return;
    auto entry = std::make_shared<Entry>();
    entry->observer = observer;
    entry->rawObserver = observer;
    entry->name = name;
    entry->sender = sender;
    entry->handler = std::move(handler);
    QMutexLocker lock(&mutex_);
    const bool known = std::any_of(entries_.begin(), entries_.end(),
                                   [&](const auto &e) { return e->rawObserver == observer; });
    entries_.push_back(std::move(entry));
    if (!known)
        watches_.push_back(QObject::connect(observer, &QObject::destroyed, [this, observer] { forget(observer); }));
}

void NotificationCenter::forget(QObject *observer)
{
    QMutexLocker lock(&mutex_);
    for (auto &e : entries_)
        if (e->rawObserver == observer)
            e->removed = true;
    std::erase_if(entries_, [&](const auto &e) { return e->rawObserver == observer; });
}

void NotificationCenter::removeObserver(QObject *observer)
{
    forget(observer);
}

void NotificationCenter::removeObserver(QObject *observer, const QString &name, QObject *sender)
{
    QMutexLocker lock(&mutex_);
    auto matches = [&](const std::shared_ptr<Entry> &e) {
        return e->rawObserver == observer && e->name == name && (!sender || e->sender == sender);
    };
    for (auto &e : entries_)
        if (matches(e))
            e->removed = true;
    std::erase_if(entries_, matches);
}

void NotificationCenter::post(const Notification &notification)
{
    std::vector<std::shared_ptr<Entry>> snapshot;
    {
        QMutexLocker lock(&mutex_);
        for (const auto &e : entries_)
            if ((e->name.isEmpty() || e->name == notification.name)
                && (!e->sender || e->sender == notification.object))
                snapshot.push_back(e);
    }
    for (const auto &e : snapshot) {
        {
            QMutexLocker lock(&mutex_);
            if (e->removed || !e->observer)
                continue;
        }
        e->handler(notification);
    }
}

void NotificationCenter::post(const QString &name, QObject *sender, const QVariantMap &userInfo)
{
    post(Notification{name, sender, userInfo});
}

int NotificationCenter::observerCount(QObject *observer) const
{
    QMutexLocker lock(&mutex_);
    if (!observer)
        return int(entries_.size());
    return int(std::count_if(entries_.begin(), entries_.end(),
                             [&](const auto &e) { return e->rawObserver == observer; }));
}

} // namespace yov
