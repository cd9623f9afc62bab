// The stand-in's scenario files: the shipped default, scripted records, and refused input.
#include "brannoc/DeviceStateArea.h"
#include "brannoc/Scenario.h"
#include "common/records/Payload.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

using namespace brannoc;

namespace {

struct Collect final : ModemContext {
    void push(const yov::UI_MSG &r) override { records.push_back(r); }
    std::vector<yov::UI_MSG> records;
};

} // namespace

TEST(BrannocScenario, ShippedDefaultLoadsAndStartsWithTheHandshake)
{
    QString error;
    const auto s = Scenario::load(testing_paths::sourceResources() + QStringLiteral("/brannoc/default.plist"), &error);
    ASSERT_TRUE(s) << qPrintable(error);
    EXPECT_TRUE(s->replies.isEmpty()); // unknown requests get no answer by default

    DeviceStateArea area;
    area.load(s->modem.value(area.name()).toMap());
    Collect out;
    area.startup(out);
    ASSERT_FALSE(out.records.empty());
    EXPECT_EQ(out.records[0].majorID, 1);
    EXPECT_EQ(out.records[0].minorID, 0);
    EXPECT_EQ(out.records[0].result, 0);
}

TEST(BrannocScenario, DeviceStateStartupFollowsTheModemState)
{
    // The device-state area opens the start-up: handshake, device status, lock state, device mode;
    // the SIM and PIN reports that follow belong to the SIM area.
    const struct {
        const char *what;
        QVariantMap state;
        int lockState;
    } cases[] = {
        {"unlocked", {}, 0},
        {"locked", {{"Locked", true}}, 1},
    };
    const std::vector<std::pair<int, int>> ids{{1, 0}, {8, 58}, {0, 26}, {3, 5}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        DeviceStateArea area;
        area.load(c.state);
        Collect out;
        area.startup(out);
        ASSERT_EQ(out.records.size(), ids.size());
        for (size_t i = 0; i < ids.size(); ++i) {
            EXPECT_EQ(out.records[i].majorID, ids[i].first);
            EXPECT_EQ(out.records[i].minorID, ids[i].second);
            EXPECT_EQ(out.records[i].moduleID, 1);
        }
        EXPECT_EQ(yov::PayloadReader::ofMsg(out.records[2]).int32(0), c.lockState);
    }
}

TEST(BrannocScenario, ScriptedRecordsTakeTheRequestIdWhenTheyGiveNone)
{
    const QVariantMap root{
        {"Replies",
         QVariantList{QVariantMap{{"Major", 258},
                                  {"Minor", 67},
                                  {"Type", 1},
                                  {"Records", QVariantList{QVariantMap{{"Result", -1}, {"Int32", QVariantList{3}}},
                                                           QVariantMap{{"Major", 258}, {"Minor", 71}, {"Text", "up"},
                                                                       {"Length", 9000}, {"PlatformFlag", true}}}}}}}};
    QString error;
    const auto s = Scenario::fromVariant(root, &error);
    ASSERT_TRUE(s) << qPrintable(error);

    yov::UI_MSG request = yov::zeroMsg();
    request.majorID = 258;
    request.minorID = 67;
    EXPECT_EQ(s->replyFor(request), nullptr); // the reply is scripted for type 1 only
    request.type = 1;
    const ScriptedReply *reply = s->replyFor(request);
    ASSERT_NE(reply, nullptr);
    ASSERT_EQ(reply->records.size(), 2);

    const yov::UI_MSG first = reply->records[0].build(258, 67);
    EXPECT_EQ(first.majorID, 258);
    EXPECT_EQ(first.minorID, 67);
    EXPECT_EQ(first.result, -1);
    EXPECT_EQ(first.dataLength, 4);
    EXPECT_EQ(yov::PayloadReader::ofMsg(first).int32(0), 3);

    const yov::UI_MSG second = reply->records[1].build(258, 67);
    EXPECT_EQ(second.minorID, 71);
    EXPECT_EQ(second.dataLength, 9000); // a length field may claim anything; the bytes stay bounded
    EXPECT_EQ(yov::PayloadReader::ofMsg(second).text(0, 16), QByteArray("up"));
    EXPECT_EQ(second.tail[2], '1');
}

TEST(BrannocScenario, BadScenariosAreRefusedWithAReason)
{
    const struct { const char *what; QVariant root; const char *reason; } cases[] = {
        {"not a dictionary", QVariantList{}, "dictionary"},
        {"Replies not an array", QVariantMap{{"Replies", 3}}, "Replies"},
        {"reply without Minor", QVariantMap{{"Replies", QVariantList{QVariantMap{{"Major", 1}}}}}, "Replies[0]"},
        {"major out of range", QVariantMap{{"Startup", QVariantList{QVariantMap{{"Major", 70000}}}}}, "Startup[0]"},
        {"result out of range", QVariantMap{{"Startup", QVariantList{QVariantMap{{"Result", 300}}}}}, "Result"},
        {"payload too long", QVariantMap{{"Startup", QVariantList{QVariantMap{{"Data", QByteArray(8197, 'x')}}}}}, "payload"},
        {"record not a dictionary", QVariantMap{{"Startup", QVariantList{1}}}, "dictionary"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        EXPECT_FALSE(Scenario::fromVariant(c.root, &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << qPrintable(error);
    }
    QString error;
    EXPECT_FALSE(Scenario::load(QStringLiteral("/nonexistent/scenario.plist"), &error));
    EXPECT_FALSE(error.isEmpty());
}
