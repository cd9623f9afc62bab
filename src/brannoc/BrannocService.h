#pragma once
// The stand-in device service on the session bus.
//
// It owns com.vandrel.DataCardServer and serves yMsg(ay) at /com/vandrel/DataCardServer: each
// request is logged, kept, answered at once with an empty reply, and handled afterwards: a
// scripted reply of the scenario first, else the modem area that knows the request; anything else
// gets no answer. Replies and reports go out as the signal yMsg(ay). Once its event loop runs it
// pushes the start-up records of its modem areas (handshake first), then the scenario's own.
//
// The test-control interface com.vandrel.DataCardServer.Test at /com/vandrel/DataCardServer/Test:
//   InjectRecord(ay)          sends any bytes as a yMsg signal
//   InjectRecords(aay)        sends several, in order
//   LoadScenario(s) -> b      replaces modem state and scripted replies (error reply on failure);
//                             the areas take the new state quietly (timers and links stop):
//                             PlugDevice() then starts the new modem with its start-up records
//   ReceivedRecords() -> aay  the requests received so far, in order (the last 1000)
//   ClearReceived()
//   Stall(i)                  for that many ms, replies to requests are held back until it ends
//   DropNextReply()           the next request is handled but never answered
//   SetModemState(s, a{sv}) -> b   changes keys of one modem area's state (the scenario's
//                             Modem/<area> keys); the area reports the change as a modem would
//                             (error reply for an unknown area or key); while no modem is
//                             plugged the values go to the scenario, for the modem plugged next
//   ModemState(s) -> a{sv}    one area's current state, with live values (PIN counts, link state,
//                             the stored dial parameters, ...)
//   RemoveDevice()            the modem is pulled out: 8/58 with result -1, every area stops, and
//                             requests are taken but no area answers them
//   PlugDevice()              a modem is plugged in: the areas start afresh from the current
//                             scenario and the start-up records are pushed again
//   DeliverPdu(s kind, s hex) -> b   an SMS PDU arrives (kind "deliver", "recharge", "status",
//                             "broadcast"); error reply with the reason when the codec refuses it
//   DeliverText(s sender, s text) -> b   a text arrives from sender (SMS-DELIVER PDUs built by the
//                             codec); see SmsArea
//
// The voice proxy (VoiceProxy) is served at /brannocosxproxy on the same bus name.

#include "brannoc/ModemArea.h"
#include "brannoc/Scenario.h"
#include "brannoc/VoiceProxy.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QList>
#include <QLoggingCategory>
#include <QObject>

#include <memory>
#include <optional>
#include <vector>

// Start, stop, scenario and state changes, refusals: on.
Q_DECLARE_LOGGING_CATEGORY(lcBrannoc)
// One line per request received or left unanswered (several a second while connected): off unless
// asked for, e.g. QT_LOGGING_RULES="brannoc.records.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcBrannocRecords)

namespace brannoc {

class BrannocTestControl;

class BrannocService final : public QDBusVirtualObject, public ModemContext {
    Q_OBJECT
public:
    // Requests kept for ReceivedRecords(); older ones are forgotten so that a long run stays small.
    static constexpr int kReceivedLimit = 1000;

    explicit BrannocService(Scenario scenario, const QDBusConnection &bus = QDBusConnection::sessionBus(),
                            QObject *parent = nullptr);
    ~BrannocService() override;

    // Registers the objects and takes the bus name; false (with a reason) when the name is taken or
    // the bus is not there. Schedules the start-up records.
    bool start(QString *error = nullptr);

    void loadScenario(Scenario scenario);
    void push(const yov::UI_MSG &record) override;
    void notify(ModemEvent event) override;
    ModemArea *area(const QString &name) override;
    void pushRaw(const QByteArray &bytes);

    QList<QByteArray> receivedRecords() const { return received_; }
    void clearReceived() { received_.clear(); }
    void stall(int ms);
    void dropNextReply() { dropNextReply_ = true; }
    bool setModemState(const QString &area, const QVariantMap &values, QString *error);
    std::optional<QVariantMap> modemState(const QString &area) const;
    void removeDevice();
    void plugDevice();
    bool devicePresent() const { return present_; }

    // QDBusVirtualObject
    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    void pushStartup();
    void handleRequest(const QByteArray &bytes);

    QDBusConnection bus_;
    Scenario scenario_;
    std::vector<std::unique_ptr<ModemArea>> areas_;
    std::unique_ptr<BrannocTestControl> control_;
    std::unique_ptr<VoiceProxy> voice_;
    bool present_ = true;
    QList<QByteArray> received_;
    QElapsedTimer clock_;
    qint64 stallUntilMs_ = 0;
    bool dropNextReply_ = false;
};

class BrannocTestControl final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.vandrel.DataCardServer.Test")
public:
    explicit BrannocTestControl(BrannocService *service) : service_(service) {}

public slots:
    void InjectRecord(const QByteArray &record);
    void InjectRecords(const QList<QByteArray> &records);
    bool LoadScenario(const QString &path);
    QList<QByteArray> ReceivedRecords();
    void ClearReceived();
    void Stall(int ms);
    void DropNextReply();
    bool SetModemState(const QString &area, const QVariantMap &values);
    QVariantMap ModemState(const QString &area);
    void RemoveDevice();
    void PlugDevice();
    // SmsTestControl.cpp
    bool DeliverPdu(const QString &kind, const QString &hex);
    bool DeliverText(const QString &sender, const QString &text);

private:
    BrannocService *service_;
};

} // namespace brannoc
