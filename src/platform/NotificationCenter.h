#pragma once
// In-process notifications by name.
//
// Posting is synchronous: observers run on the posting thread, in the order they registered.
// Observers may be added or removed while a post is running: one removed during a post is not
// called afterwards, one added during a post is called from the next post on. An observer is
// dropped by itself when its QObject is destroyed.

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

namespace yov {

struct Notification {
    QString name;
    QObject *object = nullptr; // the sender, may be null
    QVariantMap userInfo;
};

class NotificationCenter {
public:
    using Handler = std::function<void(const Notification &)>;

    static NotificationCenter &defaultCenter();

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter &) = delete;
    NotificationCenter &operator=(const NotificationCenter &) = delete;

    // name empty: every notification; sender null: from any sender.
    void addObserver(QObject *observer, const QString &name, QObject *sender, Handler handler);

    template <typename T>
    void addObserver(T *observer, void (T::*method)(const Notification &), const QString &name,
                     QObject *sender = nullptr)
    {
        addObserver(observer, name, sender, [observer, method](const Notification &n) { (observer->*method)(n); });
    }

    // Removes every registration of the observer, or only those for a name (and sender).
    void removeObserver(QObject *observer);
    void removeObserver(QObject *observer, const QString &name, QObject *sender = nullptr);

    void post(const Notification &notification);
    void post(const QString &name, QObject *sender = nullptr, const QVariantMap &userInfo = {});

    // Number of registrations of an observer (all when null).
    int observerCount(QObject *observer = nullptr) const;

private:
    struct Entry {
        QPointer<QObject> observer;
        QObject *rawObserver = nullptr;
        QString name;
        QObject *sender = nullptr;
        Handler handler;
        bool removed = false;
    };
    void forget(QObject *observer);

    mutable QMutex mutex_;
    std::vector<std::shared_ptr<Entry>> entries_;
    std::vector<QMetaObject::Connection> watches_;
};

} // namespace yov
