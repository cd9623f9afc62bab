#pragma once
// In-process stand-ins for the bus and the process launcher of the message center.
#include "common/records/UiMsg.h"
#include "ostrel/framework/message/MsgTransport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <vector>

namespace msgtest {

// The bytes of a record from the device service (at most a record's data are carried).
inline QByteArray deviceRecord(int module, int major, int minor, const QByteArray &payload, int result, int type)
{
    yov::UI_MSG m = yov::zeroMsg();
    m.moduleID = module;
    m.majorID = std::uint16_t(major);
    m.minorID = std::uint16_t(minor);
    m.type = type;
    m.result = std::int8_t(result);
    m.dataLength = int(payload.size());
    std::memcpy(m.data, payload.constData(), size_t(std::min<qsizetype>(payload.size(), yov::kUiMsgDataSize)));
    return yov::msgBytes(m);
}

class FakeMsgTransport final : public ostrel::MsgTransport {
public:
    void setReceiver(Receiver receiver) override { receiver_ = std::move(receiver); }
    int send(const QByteArray &record, int timeoutMs) override
    {
        const int now = ++inFlight;
        if (now > maxInFlight)
            maxInFlight = now;
        if (onSend)
            onSend();
        sent.push_back(record);
        lastTimeoutMs = timeoutMs;
        --inFlight;
        return status;
    }
    void post(const QByteArray &record) override { posted.push_back(record); }
    void probe(std::function<void(bool)> done) override
    {
        ++probes;
        done(answersProbe);
    }
    qint64 serviceOwnerPid() override { return ownerPid; }
    bool waitForServiceGone(int) override
    {
        ++waits;
        return true;
    }
    void setOwnerWatcher(OwnerWatcher watcher) override { ownerWatcher_ = std::move(watcher); }
    // A record from the device service.
    void deliver(const QByteArray &record) { receiver_(record); }
    // The bus tells of a change of the device service's owner.
    void ownerChanged(bool owned)
    {
        if (ownerWatcher_)
            ownerWatcher_(owned);
    }
    bool hasReceiver() const { return bool(receiver_); }

    std::vector<QByteArray> sent;
    std::vector<QByteArray> posted; // handed over without waiting
    bool answersProbe = true;
    int probes = 0;
    std::atomic<int> inFlight{0};
    std::atomic<int> maxInFlight{0};
    std::function<void()> onSend; // runs inside a send
    int status = ostrel::kMsgSendOK;
    int lastTimeoutMs = 0;
    qint64 ownerPid = 0;
    int waits = 0;

private:
    Receiver receiver_;
    OwnerWatcher ownerWatcher_;
};

class FakeLauncher final : public ostrel::MsgServerLauncher {
public:
    bool launch(const QString &path) override
    {
        launched << path;
        running = launchSucceeds;
        return launchSucceeds;
    }
    bool isRunning() const override { return running; }
    void terminate(int) override
    {
        if (running)
            ++terminated;
        running = false;
    }
    bool endProcess(qint64 pid, int) override
    {
        ended.push_back(pid);
        return true;
    }

    QStringList launched;
    bool launchSucceeds = true;
    bool running = false;
    int terminated = 0;
    std::vector<qint64> ended;
};

} // namespace msgtest
