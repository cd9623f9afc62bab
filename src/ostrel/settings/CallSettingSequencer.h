#pragma once
// The "Call" settings panel without widgets: call forwarding for four conditions, call waiting and
// barring for five facilities, as the network holds them (major 2307), read and written one
// condition at a time.
//
// The sequencer keeps what the panel shows (box states, numbers, which controls are enabled) and
// the last state the network gave; the panel mirrors it after every change (changed()) and hands
// the user's edits in. Requests go out through the message center's catalogued send; the device's
// answers come in through the handlers below.
//
// Rules beyond the plain sequences:
// - a status record is read within its 20 items (its count clamped to 0..20), and only the first
//   item of class 1 or 255 counts; without one the box keeps its known state; a read moves on
//   exactly once per answer;
// - one Apply sends each condition at most once; a read-back after a set that fails or carries no
//   item ends the apply as a failed set does;
// - the barring apply goes on to the next changed facility after each read-back;
// - a request with no answer within kAnswerTimeoutMs is taken as answered with 255;
// - a failed first read of call waiting counts as read (silently), as it does for the other two.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace yov {
class Clock;
class PayloadReader;
} // namespace yov

namespace ostrel {

class YOVMsgCenter;

class CallSettingSequencer : public QObject {
    Q_OBJECT
public:
    static constexpr int kAnswerTimeoutMs = 60000;

    // The forwarding conditions in the order they are read and applied.
    enum ForwardSlot { Busy = 0, NotReachable = 1, NoAnswer = 2, All = 3 };
    static constexpr int kForwardSlots = 4;
    static constexpr int kBarFacilities = 5; // "AO", "OI", "OX", "AI", "IR"
    // The reason code sent for a slot (+CCFC: busy 1, not reachable 3, no answer 2, all 0).
    static int reasonOfSlot(int slot);

    struct ForwardBox {
        bool on = false;
        QString number;
        bool boxEnabled = false;
        bool fieldEnabled = false;
    };
    struct BarBox {
        bool on = false;
        bool enabled = false;
    };
    // What the panel shows.
    struct View {
        std::array<ForwardBox, kForwardSlots> forward;
        bool waiting = false;
        bool waitingEnabled = false;
        std::array<BarBox, kBarFacilities> bar;
        QString password;
        bool passwordEnabled = false;
        bool applyEnabled = false;
        bool readEnabled = false;
    };

    using AlertFn = std::function<void(const QString &title, const QString &message)>;

    // skipBarringRead: "Setting"/"Setting_DoNotReadCallBarSetting_IfNoCallBar".
    CallSettingSequencer(YOVMsgCenter *center, yov::Clock &clock, bool skipBarringRead, AlertFn alert,
                         QObject *parent = nullptr);

    const View &view() const { return view_; }
    // Runs after every change of view().
    void setChangedHandler(std::function<void()> fn) { changed_ = std::move(fn); }

    // --- user edits ---------------------------------------------------------------------------
    void setForwardBox(int slot, bool on);            // setCallForward:
    void setForwardNumber(int slot, const QString &number);
    void setWaitingBox(bool on);
    void setBarBox(int facility, bool on);             // setCallBarring:
    void setPassword(const QString &password);
    // The buttons, by the selected tab's identifier ("CallForward", "CallWaiting", "CallBarring").
    void callSettingApply(const QString &tab);
    void readCallSettingStatues(const QString &tab);

    // --- device state ----------------------------------------------------------------------------
    // The network status text of "init_NetworkStatus": the first read once service is present.
    void updateNetworkStatus(const QString &status);
    // The device went away: everything back to unknown, the controls off.
    void resetCallSetting();
    void callSettingNibEnable(bool enable);

    // --- the device's answers ----------------------------------------------------------------------
    void dealWithMsgOfReadCallForwardSetting(int result, const yov::PayloadReader &payload); // 161
    void dealWithCallForwardSettingResult(int result);                                        // 157
    void dealWithMsgOfReadCallWaitSetting(int result, const yov::PayloadReader &payload);    // 159
    void dealWithCallWaitSettingResult(int result);                                           // 158
    void dealWithMsgOfReadCallBarSetting(int result, const yov::PayloadReader &payload);     // 160
    void dealWithCallBarSettingResult(int result);                                            // 156

    // Whether the first read of each service has ended.
    bool forwardReadFinished() const { return callForwardReadFinsihed_; }
    bool waitReadFinished() const { return callWaitReadFinsihed_; }
    bool barReadFinished() const { return callBarReadFinsihed_; }

private:
    enum Service { ForwardService = 0, WaitService = 1, BarService = 2 };

    void readCallForwardSetting();
    void readCallWaitSetting();
    void readCallBarSetting();
    void sendCallForwardSetting();
    void sendCallWaitSetting();
    void sendCallBarSetting();
    void sendCallForwardSetWithMode(int mode, int slot, const QString &number);
    void sendCallWaitSetWithMode(int mode, int enable);
    void sendCallBarSetWithMode(int mode, int facility);
    void checkCallForwardBtnState();
    void applyBarExclusions();
    void resetCallForwardStates();
    void resetCallBarStates();
    void enableIfAllFinished();
    void failForwardApply();
    void failBarApply();
    void alert(const QString &message, const QString &title = QStringLiteral(" "));
    void notify();

    // The answer a request waits for: a time-out stands for its 255.
    void expectAnswer(Service service, std::uint16_t minor);
    void answered(Service service);
    // True for the answer the service waits for, which it then no longer waits for; an answer
    // nobody waits for (late after its time-out, or after the device went) is dropped.
    bool takeAnswer(Service service, std::uint16_t minor);
    void timedOut(Service service);

    YOVMsgCenter *center_;
    yov::Clock &clock_;
    bool skipBarringRead_;
    AlertFn alert_;
    std::function<void()> changed_;
    View view_;
    bool controlsEnabled_ = false;

    struct Known {
        bool on = false;
        QString number;
    };
    std::array<Known, kForwardSlots> knownForward_{};
    std::array<bool, kBarFacilities> knownBar_{};
    bool knownWaiting_ = false;

    int callForwardSettingFlag_ = Busy; // slot in flight
    int callBarSettingFlag_ = 0;        // facility in flight
    bool callForwardRead_ = false;
    bool callBarRead_ = false;
    bool needReadCallSetting_ = true;
    bool callForwardReadFinsihed_ = false;
    bool callBarReadFinsihed_ = false;
    bool callWaitReadFinsihed_ = false;
    // The conditions one Apply has sent.
    std::array<bool, kForwardSlots> forwardSent_{};
    std::array<bool, kBarFacilities> barSent_{};

    struct Pending {
        std::uint16_t minor = 0; // 0: nothing awaited
        int timer = 0;
    };
    std::array<Pending, 3> pending_{};
};

} // namespace ostrel
