// The stand-in's answers to the settings window's device-lock requests, without a bus.
#include "brannoc/DeviceStateArea.h"

#include "common/records/settings/SettingsRecords.h"

#include <cstring>

#include <gtest/gtest.h>

using namespace brannoc;

namespace {

class LockAnswers : public ModemContext {
public:
    void push(const yov::UI_MSG &record) override { records.append(record); }
    QList<yov::UI_MSG> records;
};

yov::UI_MSG lockRequest(std::uint16_t minor, const QByteArray &payload)
{
    yov::UI_MSG m = yov::zeroMsg();
    m.moduleID = 3;
    m.majorID = 5;
    m.minorID = minor;
    m.type = 1;
    m.dataLength = int(payload.size());
    std::memcpy(m.data, payload.constData(), size_t(payload.size()));
    return m;
}

TEST(DeviceLockAreaTest, SwitchAndChangeNeedTheCurrentCode)
{
    const struct {
        const char *what;
        std::uint16_t minor;
        QByteArray payload;
        int answerMinor;
        int result;
        bool locked;
        const char *code;
    } cases[] = {
        {"lock on", 28, yov::DeviceLockSwitchRequest{1, "1234"}.encode(), 26, 0, true, "1234"},
        {"lock off, wrong code", 28, yov::DeviceLockSwitchRequest{0, "4321"}.encode(), 26, -1, true, "1234"},
        {"change, wrong old code", 30, yov::DeviceLockCodeChange{"9999", "5678"}.encode(), 30, -1, true, "1234"},
        {"change", 30, yov::DeviceLockCodeChange{"1234", "5678"}.encode(), 30, 0, true, "5678"},
        {"the old code no longer works", 28, yov::DeviceLockSwitchRequest{0, "1234"}.encode(), 26, -1, true, "5678"},
        {"lock off with the new code", 28, yov::DeviceLockSwitchRequest{0, "5678"}.encode(), 26, 0, false, "5678"},
        {"a request cut short", 28, QByteArray::fromHex("0000000035363738"), 26, -1, false, "5678"},
    };
    DeviceStateArea area;
    area.load({{"UnlockCode", "1234"}});
    LockAnswers context;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        context.records.clear();
        ASSERT_TRUE(area.handleRequest(lockRequest(c.minor, c.payload), context));
        ASSERT_EQ(context.records.size(), 1);
        const yov::UI_MSG &answer = context.records[0];
        EXPECT_EQ(answer.majorID, 8);
        EXPECT_EQ(answer.minorID, c.answerMinor);
        EXPECT_EQ(answer.moduleID, 3);
        EXPECT_EQ(answer.type, 1);
        EXPECT_EQ(answer.result, c.result);
        EXPECT_EQ(area.state().value("Locked").toBool(), c.locked);
        EXPECT_EQ(area.state().value("UnlockCode").toString(), c.code);
    }
}

} // namespace
