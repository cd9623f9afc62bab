// The call-settings sequences without widgets: the order of the requests, what each answer does to
// the boxes and buttons, bad status records, and answers that never come.
#include "SettingsHarness.h"

#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"
#include "ostrel/settings/CallSettingSequencer.h"

#include <functional>

namespace {

using namespace settingstest;
namespace callmsg = yov::callsetmsg;
using ostrel::CallSettingSequencer;
using Slot = CallSettingSequencer::ForwardSlot;

enum BarFacility { AO = 0, OI = 1, OX = 2, AI = 3, IR = 4 };

yov::CallForwardStatus::Item fwdItem(int status, const QByteArray &number = {}, int cls = 1)
{
    return {status, cls, number, 129};
}

QByteArray fwdStatus(const QList<yov::CallForwardStatus::Item> &items, int count = -1)
{
    yov::CallForwardStatus s;
    s.items = items;
    s.count = count < 0 ? int(items.size()) : count;
    return s.encode();
}

QByteArray waitStatus(int status, int cls = 1)
{
    yov::CallWaitStatus s;
    s.items = {{status, cls}};
    s.count = 1;
    return s.encode();
}

class CallSettingSequencerTest : public SettingsFixture {
public: // the step tables' lambdas drive the fixture through a reference
    void SetUp() override
    {
        SettingsFixture::SetUp();
        make(false);
    }
    void make(bool skipBarring)
    {
        seq = std::make_unique<CallSettingSequencer>(
            msgCenter.get(), clock, skipBarring,
            [this](const QString &, const QString &message) { alertsSeen << message; });
        requests();
        alertsSeen.clear();
    }

    // The 2307 requests sent since the last call, each in short: "F1?" forwarding reason 1 query,
    // "F0+0123" register with number, "F3-" erase; "W?" / "W1" / "W0" waiting; "BAO?" query,
    // "BAO1:0000" lock with password, "BOI0:0000" unlock.
    QStringList requests()
    {
        QStringList out;
        for (size_t i = seen; i < transport->sent.size(); ++i) {
            yov::UI_MSG m;
            yov::msgFromBytes(transport->sent[i], m);
            if (m.majorID != callmsg::kMajor)
                continue;
            EXPECT_EQ(m.moduleID, 3);
            const yov::PayloadReader p = yov::PayloadReader::ofMsg(m);
            if (m.minorID == callmsg::kMinorForward) {
                const auto r = yov::CallForwardRequest::decode(p);
                const char mode = r.mode == 2 ? '?' : r.mode == 3 ? '+' : r.mode == 4 ? '-' : '!';
                out << QStringLiteral("F%1%2%3").arg(r.reason).arg(QLatin1Char(mode)).arg(QString::fromUtf8(r.number));
            } else if (m.minorID == callmsg::kMinorWait) {
                const auto r = yov::CallWaitRequest::decode(p);
                out << (r.mode == 2 ? QStringLiteral("W?") : QStringLiteral("W%1").arg(r.enable));
            } else if (m.minorID == callmsg::kMinorBar) {
                const auto r = yov::CallBarRequest::decode(p);
                out << (r.mode == 2 ? QStringLiteral("B%1?").arg(QString::fromLatin1(r.facility))
                                    : QStringLiteral("B%1%2:%3").arg(QString::fromLatin1(r.facility)).arg(r.mode).arg(QString::fromUtf8(r.password)));
            }
        }
        seen = transport->sent.size();
        return out;
    }
    QStringList takeAlerts()
    {
        QStringList out = alertsSeen;
        alertsSeen.clear();
        return out;
    }
    bool buttonsOn() const { return seq->view().applyEnabled && seq->view().readEnabled; }

    void forwardAnswer(const QByteArray &record, int result = 0)
    {
        seq->dealWithMsgOfReadCallForwardSetting(result, yov::PayloadReader(record));
    }
    void barAnswer(int status, int result = 0)
    {
        seq->dealWithMsgOfReadCallBarSetting(result, yov::PayloadReader(yov::CallBarStatus{status}.encode()));
    }

    // The first read with everything off, answered; forwarding, waiting and barring all known.
    void firstReadAllOff()
    {
        seq->updateNetworkStatus(QStringLiteral("UMTS"));
        for (int i = 0; i < 4; ++i)
            forwardAnswer(fwdStatus({fwdItem(0)}));
        seq->dealWithMsgOfReadCallWaitSetting(0, yov::PayloadReader(waitStatus(0)));
        for (int i = 0; i < 5; ++i)
            barAnswer(0);
        requests();
        ASSERT_TRUE(buttonsOn());
        ASSERT_TRUE(takeAlerts().isEmpty());
    }

    std::unique_ptr<CallSettingSequencer> seq;
    QStringList alertsSeen;
    size_t seen = 0;
};

TEST_F(CallSettingSequencerTest, FirstReadGoesConditionByConditionSilently)
{
    // Forwarding order busy (1), not reachable (3), no answer (2), all (0); barring AO..IR.
    const struct {
        const char *what;
        std::function<void(CallSettingSequencerTest &)> act;
        QStringList sent;
        bool buttons;
    } steps[] = {
        {"no status", [](auto &t) { t.seq->updateNetworkStatus(QString()); }, {}, false},
        {"limited service", [](auto &t) { t.seq->updateNetworkStatus("Limited Service"); }, {}, false},
        {"service", [](auto &t) { t.seq->updateNetworkStatus("UMTS"); }, {"F1?", "W?", "BAO?"}, false},
        {"service again reads nothing", [](auto &t) { t.seq->updateNetworkStatus("HSDPA"); }, {}, false},
        {"busy on", [](auto &t) { t.forwardAnswer(fwdStatus({fwdItem(1, "0111")})); }, {"F3?"}, false},
        {"not reachable off", [](auto &t) { t.forwardAnswer(fwdStatus({fwdItem(0)})); }, {"F2?"}, false},
        {"no answer on", [](auto &t) { t.forwardAnswer(fwdStatus({fwdItem(1, "0222")})); }, {"F0?"}, false},
        {"all off", [](auto &t) { t.forwardAnswer(fwdStatus({fwdItem(0)})); }, {}, false},
        {"waiting on", [](auto &t) { t.seq->dealWithMsgOfReadCallWaitSetting(0, yov::PayloadReader(waitStatus(1))); }, {}, false},
        {"AO off", [](auto &t) { t.barAnswer(0); }, {"BOI?"}, false},
        {"OI on", [](auto &t) { t.barAnswer(1); }, {"BOX?"}, false},
        {"OX off", [](auto &t) { t.barAnswer(0); }, {"BAI?"}, false},
        {"AI on", [](auto &t) { t.barAnswer(1); }, {"BIR?"}, false},
        {"IR off: all read", [](auto &t) { t.barAnswer(0); }, {}, true},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.what);
        s.act(*this);
        EXPECT_EQ(requests(), s.sent);
        EXPECT_EQ(buttonsOn(), s.buttons);
    }
    EXPECT_TRUE(takeAlerts().isEmpty()) << "the first read is silent";
    const auto &v = seq->view();
    EXPECT_TRUE(v.forward[Slot::Busy].on);
    EXPECT_EQ(v.forward[Slot::Busy].number, "0111");
    EXPECT_TRUE(v.forward[Slot::Busy].fieldEnabled);
    EXPECT_FALSE(v.forward[Slot::NotReachable].fieldEnabled);
    EXPECT_EQ(v.forward[Slot::NoAnswer].number, "0222");
    EXPECT_TRUE(v.waiting);
    EXPECT_TRUE(v.bar[OI].on);
    EXPECT_FALSE(v.bar[OX].enabled) << "OI excludes OX";
    EXPECT_FALSE(v.bar[IR].enabled) << "AI excludes IR";

    // A later read is announced.
    seq->readCallSettingStatues("CallWaiting");
    EXPECT_EQ(requests(), QStringList{"W?"});
    EXPECT_FALSE(buttonsOn());
    seq->dealWithMsgOfReadCallWaitSetting(0, yov::PayloadReader(waitStatus(0)));
    EXPECT_EQ(takeAlerts(), QStringList{"Read Call Waiting Status Successful!"});
    EXPECT_TRUE(buttonsOn());
}

TEST_F(CallSettingSequencerTest, WithTheBarringSwitchNoBarringIsReadAtStart)
{
    make(true);
    seq->updateNetworkStatus("UMTS");
    EXPECT_EQ(requests(), (QStringList{"F1?", "W?"}));
    for (int i = 0; i < 4; ++i)
        forwardAnswer(fwdStatus({fwdItem(0)}));
    EXPECT_FALSE(buttonsOn());
    seq->dealWithMsgOfReadCallWaitSetting(0, yov::PayloadReader(waitStatus(0)));
    EXPECT_EQ(requests(), (QStringList{"F3?", "F2?", "F0?"}));
    EXPECT_TRUE(buttonsOn());
}

TEST_F(CallSettingSequencerTest, ForwardingApplySendsEachChangeAndReadsItBack)
{
    firstReadAllOff();
    // Nothing changed: nothing sent.
    seq->callSettingApply("CallForward");
    EXPECT_TRUE(requests().isEmpty());
    EXPECT_EQ(takeAlerts(), QStringList{"Settings successful!"});
    EXPECT_TRUE(buttonsOn());

    seq->setForwardBox(Slot::Busy, true);
    seq->setForwardNumber(Slot::Busy, "0123");
    seq->setForwardBox(Slot::NoAnswer, true);
    seq->setForwardNumber(Slot::NoAnswer, "0456");
    seq->callSettingApply("CallForward");
    const struct {
        const char *what;
        std::function<void(CallSettingSequencerTest &)> act;
        QStringList sent;
    } steps[] = {
        {"apply", [](auto &) {}, {"F1+0123"}},
        {"busy set", [](auto &t) { t.seq->dealWithCallForwardSettingResult(0); }, {"F1?"}},
        {"busy read back", [](auto &t) { t.forwardAnswer(fwdStatus({fwdItem(1, "0123")})); }, {"F2+0456"}},
        {"no answer set", [](auto &t) { t.seq->dealWithCallForwardSettingResult(0); }, {"F2?"}},
        {"no answer read back", [](auto &t) { t.forwardAnswer(fwdStatus({fwdItem(1, "0456")})); }, {}},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.what);
        EXPECT_FALSE(buttonsOn());
        s.act(*this);
        EXPECT_EQ(requests(), s.sent);
    }
    EXPECT_EQ(takeAlerts(), QStringList{"Settings successful!"});
    EXPECT_TRUE(buttonsOn());
}

TEST_F(CallSettingSequencerTest, BadStatusRecordsMoveTheSequenceOnOnce)
{
    QList<yov::CallForwardStatus::Item> twentyFive;
    for (int i = 0; i < 25; ++i)
        twentyFive << fwdItem(1, QByteArray::number(i));
    const struct {
        const char *what;
        bool apply;           // during an Apply of busy -> on "0999" (else during Read Status)
        QByteArray answer;    // the answer to the busy query
        int result;
        QStringList sent;     // requests after the busy answer
        bool busyOn;
        QString busyNumber;
        QStringList alerts;
    } cases[] = {
        {"count 25 while reading", false, fwdStatus(twentyFive.mid(0, 20), 25), 0, {"F3?"}, true, "0", {}},
        {"count 3, two class-1 items", false, fwdStatus({fwdItem(1, "111"), fwdItem(0), fwdItem(1, "333", 255)}, 3), 0,
         {"F3?"}, true, "111", {}},
        {"no class-1 item keeps the known state", false, fwdStatus({fwdItem(1, "555", 4)}), 0, {"F3?"}, false, "", {}},
        {"count 0 after a set ends the apply", true, fwdStatus({}), 0, {}, false, "", {"Settings Failed!"}},
        {"read-back answered 255", true, {}, 255, {}, false, "", {"Settings Failed!"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        make(false);
        firstReadAllOff();
        if (c.apply) {
            seq->setForwardBox(Slot::Busy, true);
            seq->setForwardNumber(Slot::Busy, "0999");
            seq->callSettingApply("CallForward");
            seq->dealWithCallForwardSettingResult(0);
            EXPECT_EQ(requests(), (QStringList{"F1+0999", "F1?"}));
        } else {
            seq->readCallSettingStatues("CallForward");
            EXPECT_EQ(requests(), QStringList{"F1?"});
        }
        forwardAnswer(c.answer, c.result);
        EXPECT_EQ(requests(), c.sent);
        EXPECT_EQ(seq->view().forward[Slot::Busy].on, c.busyOn);
        EXPECT_EQ(seq->view().forward[Slot::Busy].number, c.busyNumber);
        EXPECT_EQ(takeAlerts(), c.alerts);
        EXPECT_EQ(buttonsOn(), c.apply) << "an ended apply gives the buttons back; a read goes on";
        if (c.apply) {
            // A second Apply sends the condition once more, and only once.
            seq->setForwardBox(Slot::Busy, true);
            seq->callSettingApply("CallForward");
            seq->dealWithCallForwardSettingResult(0);
            forwardAnswer(c.answer, c.result);
            EXPECT_EQ(requests(), (QStringList{"F1+", "F1?"}));
            EXPECT_EQ(takeAlerts(), c.alerts);
            EXPECT_TRUE(buttonsOn());
        }
    }
}

TEST_F(CallSettingSequencerTest, BarringApplyGoesOnToTheNextFacility)
{
    firstReadAllOff();
    seq->setBarBox(AO, true);
    EXPECT_FALSE(seq->view().bar[OI].enabled);
    seq->setBarBox(AI, true);
    seq->setPassword("0000");
    seq->callSettingApply("CallBarring");
    const struct {
        const char *what;
        std::function<void(CallSettingSequencerTest &)> act;
        QStringList sent;
    } steps[] = {
        {"apply", [](auto &) {}, {"BAO1:0000"}},
        {"AO set", [](auto &t) { t.seq->dealWithCallBarSettingResult(0); }, {"BAO?"}},
        {"AO read back", [](auto &t) { t.barAnswer(1); }, {"BAI1:0000"}},
        {"AI set", [](auto &t) { t.seq->dealWithCallBarSettingResult(0); }, {"BAI?"}},
        {"AI read back", [](auto &t) { t.barAnswer(1); }, {}},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.what);
        s.act(*this);
        EXPECT_EQ(requests(), s.sent);
    }
    EXPECT_EQ(takeAlerts(), QStringList{"Settings successful!"});
    EXPECT_TRUE(buttonsOn());

    // A refused password: boxes back to the network's state, the password cleared.
    seq->setBarBox(AO, false);
    seq->setPassword("9999");
    seq->callSettingApply("CallBarring");
    EXPECT_EQ(requests(), QStringList{"BAO0:9999"});
    seq->dealWithCallBarSettingResult(255);
    EXPECT_EQ(takeAlerts(), QStringList{"Settings Failed!"});
    EXPECT_TRUE(seq->view().bar[AO].on);
    EXPECT_FALSE(seq->view().bar[OI].enabled);
    EXPECT_TRUE(seq->view().password.isEmpty());
    EXPECT_TRUE(buttonsOn());
}

TEST_F(CallSettingSequencerTest, EnablingRules)
{
    firstReadAllOff();
    // "Divert all" on disables the other three and their numbers; off gives the boxes back and the
    // numbers follow their boxes.
    for (int other : {Slot::Busy, Slot::NotReachable, Slot::NoAnswer}) {
        SCOPED_TRACE(other);
        for (bool otherOn : {false, true}) {
            seq->setForwardBox(other, otherOn);
            seq->setForwardBox(Slot::All, true);
            EXPECT_FALSE(seq->view().forward[other].boxEnabled);
            EXPECT_FALSE(seq->view().forward[other].fieldEnabled);
            EXPECT_TRUE(seq->view().forward[Slot::All].fieldEnabled);
            seq->setForwardBox(Slot::All, false);
            EXPECT_TRUE(seq->view().forward[other].boxEnabled);
            EXPECT_EQ(seq->view().forward[other].fieldEnabled, otherOn);
            EXPECT_FALSE(seq->view().forward[Slot::All].fieldEnabled);
        }
        seq->setForwardBox(other, false);
    }
    const struct {
        int box;
        std::array<bool, 5> enabledWhenOn;
    } bars[] = {
        {AO, {true, false, false, true, true}},
        {OI, {true, true, false, true, true}},
        {OX, {true, true, true, true, true}},
        {AI, {true, true, true, true, false}},
        {IR, {true, true, true, true, true}},
    };
    for (const auto &b : bars) {
        SCOPED_TRACE(b.box);
        seq->setBarBox(b.box, true);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(seq->view().bar[i].enabled, b.enabledWhenOn[i]) << i;
        seq->setBarBox(b.box, false);
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(seq->view().bar[i].enabled) << i;
    }
    // Device removed: everything off and unknown, a new first read on the next service.
    seq->resetCallSetting();
    EXPECT_FALSE(buttonsOn());
    EXPECT_FALSE(seq->view().forward[Slot::All].boxEnabled);
    EXPECT_FALSE(seq->view().bar[AO].enabled);
    seq->updateNetworkStatus("UMTS");
    EXPECT_EQ(requests(), (QStringList{"F1?", "W?", "BAO?"}));
}

TEST_F(CallSettingSequencerTest, AnAnswerThatNeverComesCountsAsFailed)
{
    // First read: nothing answers. After 60 s every service counts as read, silently.
    seq->updateNetworkStatus("UMTS");
    requests();
    clock.advance(CallSettingSequencer::kAnswerTimeoutMs - 1);
    EXPECT_FALSE(buttonsOn());
    clock.advance(1);
    EXPECT_TRUE(buttonsOn());
    EXPECT_TRUE(requests().isEmpty()) << "a failed read ends its chain";
    EXPECT_TRUE(takeAlerts().isEmpty());

    // An apply whose set is never answered ends failed, the boxes back to the known state.
    seq->setForwardBox(Slot::All, true);
    seq->setForwardNumber(Slot::All, "0777");
    seq->callSettingApply("CallForward");
    EXPECT_EQ(requests(), QStringList{"F0+0777"});
    clock.advance(CallSettingSequencer::kAnswerTimeoutMs);
    EXPECT_EQ(takeAlerts(), QStringList{"Settings Failed!"});
    EXPECT_FALSE(seq->view().forward[Slot::All].on);
    EXPECT_TRUE(seq->view().forward[Slot::All].number.isEmpty());
    EXPECT_TRUE(buttonsOn());
    EXPECT_TRUE(requests().isEmpty());

    // An answer in time stops the clock.
    seq->setWaitingBox(true);
    seq->callSettingApply("CallWaiting");
    EXPECT_EQ(requests(), QStringList{"W1"});
    seq->dealWithCallWaitSettingResult(0);
    clock.advance(2 * CallSettingSequencer::kAnswerTimeoutMs);
    EXPECT_EQ(takeAlerts(), QStringList{"Settings successful!"});
}

TEST_F(CallSettingSequencerTest, AnswersNobodyWaitsForAreDropped)
{
    // A forwarding answer that comes after its time-out: the chain it ended stays ended.
    seq->updateNetworkStatus("UMTS");
    requests();
    clock.advance(CallSettingSequencer::kAnswerTimeoutMs);
    ASSERT_TRUE(buttonsOn());
    forwardAnswer(fwdStatus({fwdItem(1, "+4930")}));
    barAnswer(1);
    seq->dealWithMsgOfReadCallWaitSetting(0, yov::PayloadReader(waitStatus(1)));
    EXPECT_TRUE(requests().isEmpty());
    EXPECT_TRUE(takeAlerts().isEmpty());
    EXPECT_FALSE(seq->view().forward[Slot::Busy].on);
    EXPECT_FALSE(seq->view().waiting);
    EXPECT_FALSE(seq->view().bar[AO].on);
    EXPECT_TRUE(buttonsOn());

    // Set results and read-backs that come after the device went: nothing is sent or announced.
    const struct {
        const char *what;
        std::function<void(CallSettingSequencerTest &)> answer;
    } late[] = {
        {"forwarding set", [](CallSettingSequencerTest &t) { t.seq->dealWithCallForwardSettingResult(0); }},
        {"forwarding read-back", [](CallSettingSequencerTest &t) { t.forwardAnswer(fwdStatus({fwdItem(1, "0777")})); }},
        {"waiting set", [](CallSettingSequencerTest &t) { t.seq->dealWithCallWaitSettingResult(0); }},
        {"barring set", [](CallSettingSequencerTest &t) { t.seq->dealWithCallBarSettingResult(0); }},
        {"barring read-back", [](CallSettingSequencerTest &t) { t.barAnswer(1); }},
    };
    for (const auto &c : late) {
        SCOPED_TRACE(c.what);
        seq->setForwardBox(Slot::All, true);
        seq->setForwardNumber(Slot::All, "0777");
        seq->callSettingApply("CallForward");
        EXPECT_EQ(requests(), QStringList{"F0+0777"});
        seq->resetCallSetting();
        c.answer(*this);
        EXPECT_TRUE(requests().isEmpty());
        EXPECT_TRUE(takeAlerts().isEmpty());
        EXPECT_FALSE(seq->view().forward[Slot::All].on);
        EXPECT_FALSE(buttonsOn());
        // The next network starts over; its first read is left unanswered until it times out.
        seq->updateNetworkStatus("UMTS");
        requests();
        clock.advance(CallSettingSequencer::kAnswerTimeoutMs);
        ASSERT_TRUE(buttonsOn());
    }
}

} // namespace

