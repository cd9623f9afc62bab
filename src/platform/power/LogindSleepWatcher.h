#pragma once
// Sleep and wake of the computer, from logind on the system bus.
//
// logind's Manager (org.freedesktop.login1 at /org/freedesktop/login1) signals
// PrepareForSleep(true) before the computer sleeps and PrepareForSleep(false) once it woke. While
// this watcher lives it holds a "delay" inhibitor lock, so logind waits for the will-sleep
// handling: that handling runs, then the lock is given back and the computer may sleep. On wake the
// did-wake handling runs and a new lock is taken for the next sleep.
//
// Without a system bus, or without logind on it, the watcher says so once in the log and stays
// off: nothing is called, nothing fails.
#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcSleep)

namespace yov {

class LogindSleepWatcher : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void()> willSleep; // before sleep: ends what must not run across it
        std::function<void()> didWake;   // after wake
    };

    // who and why name the lock in logind's list of inhibitors.
    LogindSleepWatcher(Handlers handlers, const QString &who, const QString &why,
                       const QDBusConnection &bus = QDBusConnection::systemBus(), QObject *parent = nullptr);
    ~LogindSleepWatcher() override;

    // Whether logind was found and its signal is followed.
    bool active() const { return active_; }
    // Whether the delay lock is held now.
    bool holdsDelayLock() const { return lock_.isValid(); }

private slots:
    void prepareForSleep(bool start);

private:
    void takeDelayLock();
    void releaseDelayLock();

    Handlers handlers_;
    QString who_;
    QString why_;
    QDBusConnection bus_;
    QDBusUnixFileDescriptor lock_;
    bool active_ = false;
};

} // namespace yov
