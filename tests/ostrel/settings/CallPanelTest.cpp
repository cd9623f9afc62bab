// The "Call" panel's widgets over its sequence: the network status notification starts the first
// read, the device's records reach the boxes, the boxes' clicks follow the enabling rules, and
// device removal puts everything back.
#include "SettingsHarness.h"

#include "common/records/settings/SettingsRecords.h"
#include "ostrel/settings/CallSettingSequencer.h"

#include <QTabWidget>

namespace {

using namespace settingstest;
using Slot = ostrel::CallSettingSequencer::ForwardSlot;

class CallPanelTest : public SettingsFixture {
protected:
    void networkStatus(const QString &status)
    {
        center.post(QStringLiteral("init_NetworkStatus"), nullptr, {{QStringLiteral("init_NetworkStatus"), status}});
    }
    int callRequests() const
    {
        int n = 0;
        for (const Sent &s : sent())
            n += s.major == 2307;
        return n;
    }
    // Answers every query of the first read: forwarding busy on with number, the rest off.
    void answerFirstRead()
    {
        yov::CallForwardStatus on;
        on.count = 1;
        on.items = {{1, 1, "0800", 129}};
        yov::CallForwardStatus off;
        off.count = 1;
        off.items = {{0, 1, {}, 129}};
        deliver(2307, 161, 1, 0, 3, on.encode());
        for (int i = 0; i < 3; ++i)
            deliver(2307, 161, 1, 0, 3, off.encode());
        yov::CallWaitStatus wait;
        wait.count = 1;
        wait.items = {{1, 1}};
        deliver(2307, 159, 1, 0, 3, wait.encode());
        for (int i = 0; i < 5; ++i)
            deliver(2307, 160, 1, 0, 3, yov::CallBarStatus{i == 0 ? 1 : 0}.encode());
    }
};

TEST_F(CallPanelTest, TheNetworkStatusStartsTheReadOnlyWithTheCallPanel)
{
    for (bool withCall : {false, true}) {
        SCOPED_TRACE(withCall);
        setItems(withCall ? QStringList{"System", "Call"} : QStringList{"System"});
        makeController();
        transport->sent.clear();
        networkStatus(QStringLiteral("UMTS"));
        EXPECT_EQ(callRequests(), withCall ? 3 : 0);
    }
}

TEST_F(CallPanelTest, TheWidgetsFollowTheReadAndTheUser)
{
    setItems({"Call"});
    makeController();
    auto *c = controller.get();
    // Before the network: nothing can be used.
    EXPECT_FALSE(c->callForwardBox(Slot::Busy)->isEnabled());
    EXPECT_FALSE(c->callSettingApplyButton()->isEnabled());
    EXPECT_EQ(c->callForwardField(Slot::All)->maxLength(), 31);
    EXPECT_EQ(c->callBarPasswordField()->maxLength(), 11);
    EXPECT_EQ(c->callForwardBox(Slot::Busy)->property("tag").toInt(), 1);
    EXPECT_EQ(c->callForwardBox(Slot::NotReachable)->property("tag").toInt(), 3);
    EXPECT_EQ(c->callForwardBox(Slot::NoAnswer)->property("tag").toInt(), 2);
    EXPECT_EQ(c->callForwardBox(Slot::All)->property("tag").toInt(), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(c->callBarBox(i)->property("tag").toInt(), i);

    networkStatus(QStringLiteral("HSDPA"));
    answerFirstRead();
    EXPECT_TRUE(c->callSettingApplyButton()->isEnabled());
    EXPECT_TRUE(c->callSettingReadButton()->isEnabled());
    EXPECT_TRUE(c->callForwardBox(Slot::Busy)->isChecked());
    EXPECT_EQ(c->callForwardField(Slot::Busy)->text(), "0800");
    EXPECT_TRUE(c->callForwardField(Slot::Busy)->isEnabled());
    EXPECT_TRUE(c->callWaitBox()->isChecked());
    EXPECT_TRUE(c->callBarBox(0)->isChecked());
    EXPECT_FALSE(c->callBarBox(1)->isEnabled()) << "\"AO\" excludes \"OI\"";
    EXPECT_TRUE(alerts.messages().isEmpty());

    // The user's clicks.
    c->callForwardBox(Slot::All)->click();
    EXPECT_FALSE(c->callForwardBox(Slot::Busy)->isEnabled());
    EXPECT_FALSE(c->callForwardField(Slot::Busy)->isEnabled());
    EXPECT_TRUE(c->callForwardField(Slot::All)->isEnabled());
    c->callBarBox(0)->click();
    EXPECT_TRUE(c->callBarBox(1)->isEnabled());

    // Apply acts on the selected tab.
    transport->sent.clear();
    c->callSettingView()->setCurrentIndex(ostrel::tabViewItemOfIdentifier(c->callSettingView(), "CallBarring"));
    c->callSettingApplyButton()->click();
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0].minor, 154);
    EXPECT_FALSE(c->callSettingApplyButton()->isEnabled());

    // Device removed: the boxes empty and off.
    controller->deviceRemoved(yov::Notification{});
    EXPECT_FALSE(c->callForwardBox(Slot::Busy)->isChecked());
    EXPECT_TRUE(c->callForwardField(Slot::Busy)->text().isEmpty());
    EXPECT_FALSE(c->callForwardBox(Slot::All)->isEnabled());
    EXPECT_FALSE(c->callBarBox(0)->isEnabled());
    EXPECT_FALSE(c->callSettingApplyButton()->isEnabled());
}

} // namespace
