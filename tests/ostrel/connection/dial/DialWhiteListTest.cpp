// The white-list questions around a PPP connect: asked before connecting on a roaming network of
// the white list while its tip is wanted, told after connecting on a roaming network outside it.
// (The roaming cost question is switched off here: it has tests of its own.)
#include "DialHarness.h"

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;
using Choice = testing_support::ScriptedAlertPresenter::Choice;

TEST(DialWhiteListTest, QuestionBeforeConnectingOverSwitchStatusListTipAndAnswer)
{
    for (bool on : {false, true})
        for (int status : {0, 1, 2})
            for (bool listed : {false, true})
                for (bool tip : {false, true})
                    for (Choice answer : {Choice::Default, Choice::Alternate}) {
                        SCOPED_TRACE(testing::Message() << "switch " << on << " status " << status << " listed "
                                                        << listed << " tip " << tip << " answer " << int(answer));
                        Harness h({{QStringLiteral("Internet"),
                                    QVariantMap{{QStringLiteral("d3uRemindWhilteNetAlertBeforeConnect"), on},
                                                {QStringLiteral("ForbidRoamingAlert"), true}}}});
                        h.ready();
                        h.device.roaming = status;
                        h.device.whiteList = listed;
                        h.device.roamTip = tip;
                        h.alerts.setHoldOpen(true);
                        h.pressConnect();
                        const bool asks = on && status == 0 && listed && tip;
                        EXPECT_EQ(h.alerts.messages(), asks ? QStringList{QStringLiteral("remindInWhiteList")} : QStringList());
                        if (asks) {
                            EXPECT_EQ(h.count(258, 65), 0) << "nothing is dialled before the answer";
                            h.pressConnect();
                            EXPECT_EQ(h.alerts.count(), 1) << "a second press while asking asks nothing more";
                            h.alerts.answerOpen(answer);
                            h.clock.advance(DialController::kDialOptionDelayMs);
                        }
                        const bool connects = !asks || answer == Choice::Default;
                        EXPECT_EQ(h.count(258, 65), connects ? 1 : 0);
                        if (!connects) {
                            EXPECT_TRUE(h.dial->connectButtonEnabled()) << "Connect is usable again";
                            EXPECT_EQ(h.dial->connectStatus(), 0);
                        }
                    }
}

TEST(DialWhiteListTest, TellsAConnectionOnARoamingNetworkOutsideTheList)
{
    struct Case {
        bool on;
        int status;
        bool listed;
        bool told;
    };
    const Case cases[] = {
        {true, 0, false, true}, {true, 0, true, false}, {true, 1, false, false},
        {true, 2, false, false}, {false, 0, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "switch " << c.on << " status " << c.status << " listed " << c.listed);
        Harness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("alertWhenRoamConnectedAndIsBlackNet"), c.on},
                                                            {QStringLiteral("ForbidRoamingAlert"), true}}}});
        h.ready();
        h.device.roaming = c.status;
        h.device.whiteList = c.listed;
        h.pressConnect();
        EXPECT_TRUE(h.alerts.messages().isEmpty()) << "nothing is told before the connection is up";
        h.pppStatus(yov::kPppRunning, 1);
        EXPECT_EQ(h.alerts.messages().contains(QStringLiteral("connectedNotInWhiteList")), c.told);
    }
}
