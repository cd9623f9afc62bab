#pragma once
// The device-service link over the session bus: method yMsg(ay) for a request (auto-start off,
// blocking without running the event loop, answered in time or failed), signal yMsg(ay) from the
// device service's name for its replies and reports.

#include "ostrel/framework/message/MsgTransport.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

namespace ostrel {

class DBusMsgTransport final : public QObject, public MsgTransport {
    Q_OBJECT
public:
    explicit DBusMsgTransport(const QDBusConnection &bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~DBusMsgTransport() override;

    void setReceiver(Receiver receiver) override;
    int send(const QByteArray &record, int timeoutMs) override;
    void post(const QByteArray &record) override;
    void probe(std::function<void(bool answered)> done) override;
    qint64 serviceOwnerPid() override;
    bool waitForServiceGone(int timeoutMs) override;
    void setOwnerWatcher(OwnerWatcher watcher) override;

    bool isSubscribed() const { return subscribed_; }

private slots:
    void onYMsg(const QByteArray &record);

private:
    QDBusConnection bus_;
    Receiver receiver_;
    OwnerWatcher ownerWatcher_;
    QDBusServiceWatcher *serviceWatcher_ = nullptr;
    bool subscribed_ = false;
};

} // namespace ostrel
