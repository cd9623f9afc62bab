#pragma once
// The dashboard's one link to the device service.
//
// It starts and stops the device-service program, sends it one UI_MSG at a time (blocking, at
// most one second, one send at a time under the send lock), keeps the records the device service
// sends back in a bounded queue (250), and every 5 ms posts the oldest one as the notification
// "yUIMsg" + decimal message ID on the notification center, with the record under the user-info
// key "yUIMsg". Handlers register per (major, minor) with registerObserver() and copy the record
// out with getMsgPackage().
//
// The receive guard: while a handler runs (also inside a nested event loop such as a modal
// dialog, which lets the drain timer fire) no further record is posted, unless the configuration
// switch Init/Init_DoNotLockMsg_WhenReadReceiveMsg turns the guard off (read in awakeFromNib()).
//
// The device-service program: the environment variable OSTREL_BRANNOC names it when set (tests);
// otherwise the resource property list "yUIInfo" in the shipped data folder
// (<prefix>/share/ostrel/yUIInfo) when its UseConfigPath is true and it has a PathOfServer;
// otherwise "Brannoc" in the dashboard's own program folder (<prefix>/bin/Brannoc).

#include "common/records/UiMsg.h"
#include "ostrel/framework/message/MsgTransport.h"
#include "platform/Clock.h"
#include "platform/NotificationCenter.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <concepts>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

Q_DECLARE_LOGGING_CATEGORY(lcMsgCenter)

namespace ostrel {

class YOVMsgCenter : public QObject {
    Q_OBJECT
public:
    static constexpr int kReceiveQueueLimit = 250;
    static constexpr int kDrainIntervalMs = 5;
    static constexpr int kSendTimeoutMs = 1000;
    static constexpr int kStopWaitMs = 1000;

    // The program's center: the session bus, a real process launcher, the system clock and the
    // default notification center.
    explicit YOVMsgCenter(QObject *parent = nullptr);
    YOVMsgCenter(std::unique_ptr<MsgTransport> transport, std::unique_ptr<MsgServerLauncher> launcher,
                 yov::Clock &clock, yov::NotificationCenter &center, QObject *parent = nullptr);
    // Stops the device service as stopMsgServer() does.
    ~YOVMsgCenter() override;

    // Reads the receive-guard switch: the guard is on unless the switch reader says true.
    void awakeFromNib();
    // The reader of Init/Init_DoNotLockMsg_WhenReadReceiveMsg; by default the configuration store.
    void setDoNotLockMsgReader(std::function<bool()> reader);
    bool lockMsgWhenReceiveMsg() const { return lockMsgWhenReceiveMsg_; }

    // major << 16 | minor.
    static qint64 makeIDByMajorID(int major, int minor);

    // Registers a member function of observer for the records of (major, minor); the observer is
    // dropped by itself when it is destroyed. Returns true.
    template <typename T>
        requires std::derived_from<T, QObject>
    bool registerObserver(T *observer, void (T::*selector)(const yov::Notification &), int major, int minor)
    {
        notifications_.addObserver(observer, selector, notificationName(major, minor), this);
        return true;
    }
    static QString notificationName(int major, int minor);

    // Copies the record a notification carries into msg (at most 8220 bytes; bytes the record does
    // not carry become zero). Nothing happens when either is null.
    void getMsgPackage(yov::UI_MSG *msg, const yov::Notification *notification) const;

    // Builds one record (marker 1) and sends it; true when delivered and answered in time.
    // A payload longer than 8196 bytes is sent cut to its first 8196 bytes with the full length
    // in the length field; it is refused (false, logged) when a byte that would be cut is not zero.
    bool sendMessageModuleID(int module, int major, int minor, int type, int result, const QByteArray *data);
    // Sends one ready record; a MsgSendStatus (0 for success).
    int sendMessage(const yov::UI_MSG *msg);

    // Launches the device service, at most once in this center's life.
    bool startMsgServer();
    // Ends the device service this center launched (true when it was still running), then any
    // other process that owns the device service's name, by its process id; waits up to about a
    // second for the name to be released.
    bool stopMsgServer();

    // Path of the device-service program, as startMsgServer() would choose it.
    QString msgServerPath() const;
    // Folders for the lookup above (defaults: <prefix>/share/ostrel and the program's folder).
    void setResourceDir(const QString &dir) { resourceDir_ = dir; }
    void setProgramDir(const QString &dir) { programDir_ = dir; }

    // Receive path, in order: one record from the transport, the queue, the drain tick, the post.
    void handleAppleEvent(const QByteArray &param);
    int putReceiveMsgInQueue(const QByteArray &record); // 0 queued, -1 dropped
    void readingReceiveMsg();
    void msgDispatch(const QByteArray &record);
    void postNotificationWithMsg(const QByteArray &record);

    int receiveQueueCount() const { return int(receiveMsgQueue_.size()); }
    qint64 droppedCount() const { return dropped_; }
    bool isRunning() const { return isRunning_; }

private:
    void initlizeMsgCenter();

    std::unique_ptr<MsgTransport> transport_;
    std::unique_ptr<MsgServerLauncher> launcher_;
    yov::NotificationCenter &notifications_;
    std::mutex sendMsgLocker_;
    bool receiveMsgBusy_ = false; // the receive guard (main thread only)
    yov::RepeatingTimer receiveMsgQueueTimer_;
    std::deque<QByteArray> receiveMsgQueue_;
    bool isRunning_ = false;
    bool lockMsgWhenReceiveMsg_ = true;
    qint64 dropped_ = 0;
    std::function<bool()> doNotLockReader_;
    QString resourceDir_;
    QString programDir_;
};

} // namespace ostrel
