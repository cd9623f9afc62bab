#pragma once
// What the message center needs from the outside world, behind two small interfaces so that unit
// tests run against an in-process fake:
//   MsgTransport       carries records to and from the device service (the session bus in the
//                      program) and tells who owns the device service's name;
//   MsgServerLauncher  starts the device-service program and ends processes.

#include <QByteArray>
#include <QtGlobal>
#include <QString>

#include <functional>

namespace ostrel {

// Send status: 0 when the record was delivered and answered in time.
enum MsgSendStatus : int {
    kMsgSendOK = 0,
    kMsgSendFailed = -1,        // refused before sending, or an error reply
    kMsgSendNoService = -600,   // nobody owns the device service's name
    kMsgSendTimedOut = -1712,   // not answered within the time-out
};

class MsgTransport {
public:
    using Receiver = std::function<void(const QByteArray &record)>;

    virtual ~MsgTransport() = default;

    // Where received records go; called on the thread that owns the transport (the main thread).
    virtual void setReceiver(Receiver receiver) = 0;

    // Sends one record and blocks until it is answered or timeoutMs have passed. Never runs the
    // caller's event loop while it waits.
    virtual int send(const QByteArray &record, int timeoutMs) = 0;

    // Hands one record over without waiting for its answer: a device service that does not
    // answer now gets it when it runs again. Never blocks.
    virtual void post(const QByteArray &record) { send(record, 0); }

    // Asks, without blocking, whether the device service answers at all; done(true) once it does,
    // done(false) when it does not within about a second. Called back on the owning thread.
    virtual void probe(std::function<void(bool answered)> done) { done(true); }

    // Process id of the current owner of the device service's name; 0 when nobody owns it or the
    // id cannot be had.
    virtual qint64 serviceOwnerPid() = 0;

    // Waits up to timeoutMs for the name to have no owner; true when it has none.
    virtual bool waitForServiceGone(int timeoutMs) = 0;

    // Whom to tell, on the owning thread, when the device service's name gains (true) or loses
    // (false) its owner. A transport that cannot tell never calls it.
    using OwnerWatcher = std::function<void(bool owned)>;
    virtual void setOwnerWatcher(OwnerWatcher watcher) { Q_UNUSED(watcher) }
};

class MsgServerLauncher {
public:
    virtual ~MsgServerLauncher() = default;

    // Starts the program at path, no arguments, this process's environment. False when it could
    // not be started.
    virtual bool launch(const QString &path) = 0;
    // Whether the program last launched is still running.
    virtual bool isRunning() const = 0;
    // Ends the program last launched (terminate, then kill after graceMs) and forgets it.
    virtual void terminate(int graceMs) = 0;
    // The program last launched has left the bus without being asked: gives it up to graceMs to
    // end by itself (so that how it ended is told), then ends it as terminate() does.
    virtual void forgetLost(int graceMs) { terminate(graceMs); }
    // Ends another process by its id (terminate, then kill after graceMs); false when there was
    // no such process or it may not be signalled.
    virtual bool endProcess(qint64 pid, int graceMs) = 0;
};

} // namespace ostrel
