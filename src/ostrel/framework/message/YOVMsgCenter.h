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
// A handler therefore never opens a nested event loop (a blocking alert): it would hold every
// later record back until it returns. The drain tick is armed only while records wait.
//
// Received records are bounded on receipt: anything shorter than the record's header or longer
// than the record is refused and logged with its size, never queued.
//
// The device-service program: the environment variable OSTREL_BRANNOC names it when set (tests);
// otherwise the resource property list "yUIInfo" in the shipped data folder
// (<prefix>/share/ostrel/yUIInfo) when its UseConfigPath is true and it has a PathOfServer;
// otherwise "Brannoc" in the dashboard's own program folder (<prefix>/bin/Brannoc).

#include "common/records/MessageCatalogue.h"
#include "common/records/UiMsg.h"
#include "ostrel/framework/message/MsgTransport.h"
#include "platform/Clock.h"
#include "platform/NotificationCenter.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <atomic>
#include <concepts>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

Q_DECLARE_LOGGING_CATEGORY(lcMsgCenter)

namespace ostrel {

// A payload type whose size the compiler knows: a record type of common/records or
// yov::FixedPayload<N>.
template <typename P>
concept CataloguedPayload = requires(const P &p) {
    { P::kSize } -> std::convertible_to<int>;
    { p.encode() } -> std::convertible_to<QByteArray>;
};

class YOVMsgCenter : public QObject {
    Q_OBJECT
public:
    static constexpr int kReceiveQueueLimit = 250;
    static constexpr int kDrainIntervalMs = 5;
    // A late drain tick stands for the ticks it missed, up to this many records at once.
    static constexpr int kMaxRecordsPerTick = 50;
    static constexpr int kSendTimeoutMs = 1000;
    static constexpr int kStopWaitMs = 1000;
    // A device service that let a request go unanswered is asked every so often whether it runs
    // again; while it does not, requests are handed over without waiting (the window is not held
    // a second per request). Silent for this long, it is ended and counts as lost.
    static constexpr int kProbeIntervalMs = 1000;
    static constexpr int kNotAnsweringLimitMs = 10000;

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

    // The one send call of the dashboard's requests: module, type, result and payload size come
    // from the message catalogue (common/records/MessageCatalogue.h) by the record's ID. The ID is
    // a template argument, so that the compiler checks that the catalogue lists it as a request,
    // that the payload's type has the catalogued size (a record type or yov::FixedPayload<N>, or
    // none for a request without data), and that a request with per-sender modules is given its
    // module (which must then be one the catalogue gives it, checked when sending).
    // True when the request was delivered and answered in time.
    template <std::uint16_t Major, std::uint16_t Minor>
    bool sendCatalogued()
    {
        checkCatalogued<Major, Minor, false, 0>();
        return sendCatalogued(Major, Minor, QByteArray());
    }
    template <std::uint16_t Major, std::uint16_t Minor>
    bool sendCatalogued(yov::ModuleID module)
    {
        checkCatalogued<Major, Minor, true, 0>();
        return sendCatalogued(Major, Minor, QByteArray(), module);
    }
    template <std::uint16_t Major, std::uint16_t Minor, CataloguedPayload Payload>
    bool sendCatalogued(const Payload &payload)
    {
        checkCatalogued<Major, Minor, false, Payload::kSize>();
        return sendCatalogued(Major, Minor, payload.encode());
    }
    template <std::uint16_t Major, std::uint16_t Minor, CataloguedPayload Payload>
    bool sendCatalogued(const Payload &payload, yov::ModuleID module)
    {
        checkCatalogued<Major, Minor, true, Payload::kSize>();
        return sendCatalogued(Major, Minor, payload.encode(), module);
    }
    // The same for an ID known only at run time: an ID the catalogue does not list as a request, a
    // module it does not give it (or none where it needs one) or a payload of another size is
    // refused (false, logged) and nothing is sent.
    bool sendCatalogued(std::uint16_t major, std::uint16_t minor, const QByteArray &payload,
                        int module = yov::kCatalogueModule);

    // The record as the Part gives it, for the link's own tests and measurements; the dashboard's
    // senders use sendCatalogued(). Builds one record (marker 1) and sends it; true when delivered
    // and answered in time. A payload longer than 8196 bytes is sent cut to its first 8196 bytes
    // with the full length in the length field; it is refused (false, logged) when a byte that
    // would be cut is not zero.
    bool sendMessageModuleID(int module, int major, int minor, int type, int result, const QByteArray *data);
    // Sends one ready record; a MsgSendStatus (0 for success).
    int sendMessage(const yov::UI_MSG *msg);

    // Launches the device service, at most once in this center's life, unless the service was
    // lost meanwhile (msgServerLost): then it may be started again.
    bool startMsgServer();
    // Ends the device service this center launched (true when it was still running), then any
    // other process that owns the device service's name, by its process id; waits up to about a
    // second for the name to be released.
    bool stopMsgServer();
    // Whether the device service this center started is up (started and neither stopped by the
    // center nor lost).
    bool isMsgServerUp() const { return serviceUp_; }
    // Whether the device service answers requests (false from a request left unanswered until it
    // answers a probe or sends a record again).
    bool isMsgServerAnswering() const { return !notAnswering_; }
    // Whether the last loss of the device service was this center ending it for not answering
    // (rather than a crash or a kill).
    bool lostForNoAnswer() const { return lostForNoAnswer_; }

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
    // Whether a received record is being handed to its handlers now (yov::RecordDispatchScope
    // names it).
    static bool isDispatching();

    int receiveQueueCount() const { return int(receiveMsgQueue_.size()); }
    qint64 droppedCount() const { return dropped_; }
    // Received records refused for their size (shorter than the header or longer than a record).
    qint64 refusedCount() const { return refused_; }
    // Whether the drain tick is armed (only while records wait).
    bool isDrainTickArmed() const { return receiveMsgQueueTimer_.isActive(); }
    bool isRunning() const { return isRunning_; }

signals:
    // The device service this center started left the bus without being stopped by the center
    // (a crash or a kill), or was ended by the center for not answering. Records sent from now on
    // fail at once; startMsgServer() may start the service again.
    void msgServerLost();

private:
    void serviceOwnerChanged(bool owned);
    void beginNotAnswering();
    void endNotAnswering();
    void probeService();
    // The compile-time half of sendCatalogued.
    template <std::uint16_t Major, std::uint16_t Minor, bool ModuleGiven, int PayloadSize>
    static constexpr void checkCatalogued()
    {
        static_assert(yov::messageIndex(Major, Minor) >= 0, "this message ID is not in the message catalogue");
        static_assert(yov::requestPayloadSize(Major, Minor) >= 0, "the message catalogue lists no request of this ID");
        static_assert(ModuleGiven || !yov::requestNeedsModule(Major, Minor),
                      "the message catalogue gives this request per-sender modules: pass the module");
        static_assert(yov::requestPayloadSize(Major, Minor) < 0 || PayloadSize == yov::requestPayloadSize(Major, Minor),
                      "the payload's size differs from the message catalogue's");
    }

    void initlizeMsgCenter();

    std::unique_ptr<MsgTransport> transport_;
    std::unique_ptr<MsgServerLauncher> launcher_;
    yov::NotificationCenter &notifications_;
    yov::Clock &clock_;
    std::mutex sendMsgLocker_;
    bool receiveMsgBusy_ = false; // the receive guard (main thread only)
    yov::RepeatingTimer receiveMsgQueueTimer_;
    qint64 lastDrainTickMs_ = 0; // when the drain tick last ran (or was armed)
    std::deque<QByteArray> receiveMsgQueue_;
    bool isRunning_ = false;
    bool serviceUp_ = false;
    std::atomic<bool> notAnswering_{false};
    std::atomic<qint64> silentSinceMs_{-1}; // first request unanswered since the last answered; -1: none
    int probeTimer_ = 0;
    bool lostForNoAnswer_ = false;
    bool lockMsgWhenReceiveMsg_ = true;
    qint64 dropped_ = 0;
    qint64 refused_ = 0;
    std::function<bool()> doNotLockReader_;
    QString resourceDir_;
    QString programDir_;
};

} // namespace ostrel
