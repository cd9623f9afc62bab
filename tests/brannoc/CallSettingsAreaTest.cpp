// The stand-in's supplementary services: forwarding, waiting and barring, without a bus.
#include "brannoc/CallSettingsArea.h"

#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"

#include <cstring>

#include <gtest/gtest.h>

using namespace brannoc;

namespace {

using namespace yov::callsetmsg;
using yov::kForwardAll;
using yov::kForwardBusy;
using yov::kForwardNoAnswer;

// The network area as the call settings see it: registered with a ready SIM, or not.
class NetworkStub final : public ModemArea {
public:
    QString name() const override { return QStringLiteral("Network"); }
    void load(const QVariantMap &state) override { state_ = state; }
    bool handleRequest(const yov::UI_MSG &, ModemContext &) override { return false; }
};

class CallAnswers : public ModemContext {
public:
    void push(const yov::UI_MSG &record) override { records.append(record); }
    ModemArea *area(const QString &name) override { return name == network.name() ? &network : nullptr; }
    QList<yov::UI_MSG> records;
    NetworkStub network;
};

yov::UI_MSG callRequest(std::uint16_t minor, const QByteArray &payload)
{
    yov::UI_MSG m = yov::zeroMsg();
    m.moduleID = 3;
    m.majorID = kMajor;
    m.minorID = minor;
    m.dataLength = int(payload.size());
    std::memcpy(m.data, payload.constData(), size_t(payload.size()));
    return m;
}

QByteArray forward(std::int32_t reason, std::int32_t mode, const QByteArray &number = {})
{
    yov::CallForwardRequest r;
    r.reason = reason;
    r.mode = mode;
    r.number = number;
    return r.encode();
}

QByteArray bar(const char *facility, std::int32_t mode, const QByteArray &password = {})
{
    yov::CallBarRequest r;
    r.facility = facility;
    r.mode = mode;
    r.password = password;
    return r.encode();
}

class CallSettingsAreaTest : public ::testing::Test {
protected:
    void SetUp() override { context.network.load({{"SimReady", true}, {"Registered", true}}); }
    // Sends one request; the one answer it gets.
    yov::UI_MSG ask(std::uint16_t minor, const QByteArray &payload)
    {
        context.records.clear();
        EXPECT_TRUE(area.handleRequest(callRequest(minor, payload), context));
        EXPECT_EQ(context.records.size(), 1);
        return context.records.value(0, yov::zeroMsg());
    }
    CallSettingsArea area;
    CallAnswers context;
};

TEST_F(CallSettingsAreaTest, ForwardingIsStoredPerReasonAndReadBack)
{
    area.load({{"NumberPrefix", "+49"}});
    const struct {
        const char *what;
        std::int32_t reason, mode;
        QByteArray number;
        int answerMinor;
        int status;
        QByteArray readNumber;
        int numberType;
    } cases[] = {
        {"busy, national number", kForwardBusy, kModeRegister, "01701234567", kMinorForwardResult, 1, "+491701234567", 145},
        {"no answer, short code", kForwardNoAnswer, kModeRegister, "333", kMinorForwardResult, 1, "333", 129},
        {"busy erased", kForwardBusy, kModeErase, {}, kMinorForwardResult, 0, {}, 129},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const yov::UI_MSG set = ask(kMinorForward, forward(c.reason, c.mode, c.number));
        EXPECT_EQ(set.minorID, c.answerMinor);
        EXPECT_EQ(set.result, 0);
        EXPECT_EQ(set.type, 1);
        EXPECT_EQ(set.moduleID, 3);
        const yov::UI_MSG read = ask(kMinorForward, forward(c.reason, kModeQuery));
        ASSERT_EQ(read.minorID, kMinorForwardStatus);
        EXPECT_EQ(read.dataLength, yov::CallForwardStatus::kSize);
        const auto status = yov::CallForwardStatus::decode(yov::PayloadReader::ofMsg(read));
        ASSERT_EQ(status.count, 1);
        EXPECT_EQ(status.items[0].status, c.status);
        EXPECT_EQ(status.items[0].callClass, 1);
        EXPECT_EQ(status.items[0].number, c.readNumber);
        EXPECT_EQ(status.items[0].numberType, c.numberType);
    }
    // Other reasons were never touched.
    const auto unset = yov::CallForwardStatus::decode(yov::PayloadReader::ofMsg(ask(kMinorForward, forward(kForwardAll, kModeQuery))));
    EXPECT_EQ(unset.items[0].status, 0);
}

TEST_F(CallSettingsAreaTest, BarringNeedsThePassword)
{
    area.load({});
    const struct {
        const char *what;
        QByteArray payload;
        int result;
        bool aoLocked;
    } cases[] = {
        {"lock with the default password", bar("AO", 1, "0000"), 0, true},
        {"unlock with a wrong password", bar("AO", 0, "1234"), -1, true},
        {"a facility that does not exist", bar("ZZ", 1, "0000"), -1, true},
        {"unlock", bar("AO", 0, "0000"), 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const yov::UI_MSG set = ask(kMinorBar, c.payload);
        EXPECT_EQ(set.minorID, kMinorBarResult);
        EXPECT_EQ(set.result, c.result);
        const yov::UI_MSG read = ask(kMinorBar, bar("AO", kModeQuery));
        EXPECT_EQ(read.minorID, kMinorBarStatus);
        EXPECT_EQ(yov::CallBarStatus::decode(yov::PayloadReader::ofMsg(read)).status, c.aoLocked ? 1 : 0);
    }
}

TEST_F(CallSettingsAreaTest, WaitingExtraItemsAndFailures)
{
    area.load({{"ItemClass", 4},
               {"ExtraItems", QVariantList{QVariantMap{{"Status", 1}, {"Class", 1}, {"Number", "123"}}}},
               {"FailMinors", QVariantList{kMinorWaitResult}}});
    const yov::UI_MSG set = ask(kMinorWait, yov::CallWaitRequest{1, 1}.encode());
    EXPECT_EQ(set.minorID, kMinorWaitResult);
    EXPECT_EQ(set.result, -1) << "FailMinors answers 255";
    const auto status = yov::CallWaitStatus::decode(yov::PayloadReader::ofMsg(ask(kMinorWait, yov::CallWaitRequest{1, kModeQuery}.encode())));
    ASSERT_EQ(status.count, 2);
    EXPECT_EQ(status.items[0].status, 1) << "the set was stored though its answer failed";
    EXPECT_EQ(status.items[0].callClass, 4);
    EXPECT_EQ(status.items[1].callClass, 1);
}

TEST_F(CallSettingsAreaTest, NoAnswerWithoutNetwork)
{
    area.load({});
    for (const QVariantMap &network : {QVariantMap{{"SimReady", false}, {"Registered", true}},
                                       QVariantMap{{"SimReady", true}, {"Registered", false}}}) {
        context.network.load(network);
        context.records.clear();
        EXPECT_TRUE(area.handleRequest(callRequest(kMinorForward, forward(kForwardBusy, kModeQuery)), context));
        EXPECT_TRUE(context.records.isEmpty());
    }
    EXPECT_FALSE(area.handleRequest(callRequest(149, {}), context)) << "the voice call's minors are not this area's";
}

} // namespace
