// The stand-in's network area without a bus: the serving cell's details it reports once it is
// registered, and again when they change; the settings' requests it answers.
#include "brannoc/NetworkArea.h"

#include "brannoc/ModemRecords.h"

#include "common/records/Payload.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace brannoc;

namespace {

class Collect : public ModemContext {
public:
    void push(const yov::UI_MSG &record) override { records.append(record); }
    QList<yov::UI_MSG> of(int major, int minor) const
    {
        QList<yov::UI_MSG> found;
        for (const yov::UI_MSG &r : records)
            if (r.majorID == major && r.minorID == minor)
                found.append(r);
        return found;
    }
    QList<yov::UI_MSG> records;
};

} // namespace

TEST(NetworkArea, CellDetailsAtTheirOffsetsOnceRegisteredAndOnChange)
{
    NetworkArea area;
    Collect context;
    area.load({{QStringLiteral("Rac"), 77}, {QStringLiteral("Frequency"), QStringLiteral("1932.4 MHz")},
               {QStringLiteral("Channel"), 9662}, {QStringLiteral("RxQual"), 5}, {QStringLiteral("RxLev"), -3}});
    area.onEvent(ModemEvent::SimChecked, context);
    EXPECT_TRUE(context.of(7, 56).isEmpty()); // not registered yet
    area.onEvent(ModemEvent::SimReady, context);
    QList<yov::UI_MSG> details = context.of(7, 56);
    ASSERT_EQ(details.size(), 1);
    const yov::UI_MSG &r = details[0];
    EXPECT_EQ(r.result, 0);
    ASSERT_EQ(r.dataLength, 384);
    const yov::PayloadReader p = yov::PayloadReader::ofMsg(r);
    EXPECT_EQ(p.int32(164), 77);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(r.data) + 168), QByteArray("1932.4 MHz"));
    EXPECT_EQ(p.int32(236), 9662);
    EXPECT_EQ(p.int32(248), 5);
    EXPECT_EQ(p.int32(252), -3);

    // A change of the details alone reports them again, without a new registration.
    context.records.clear();
    ASSERT_TRUE(area.set({{QStringLiteral("RxLev"), 40}}, context));
    details = context.of(7, 56);
    ASSERT_EQ(details.size(), 1);
    EXPECT_EQ(yov::PayloadReader::ofMsg(details[0]).int32(252), 40);
    EXPECT_TRUE(context.of(7, 38).isEmpty());

    // Deregistered: the registration goes, and no details come with it.
    context.records.clear();
    ASSERT_TRUE(area.set({{QStringLiteral("Registered"), false}}, context));
    EXPECT_FALSE(context.of(7, 38).isEmpty());
    EXPECT_TRUE(context.of(7, 56).isEmpty());
}

namespace {
// A request of the settings (module 3, type 0) carrying int32 words.
yov::UI_MSG request(int major, int minor, std::initializer_list<std::int32_t> words)
{
    yov::UI_MSG msg = yov::zeroMsg();
    msg.moduleID = 3;
    msg.majorID = std::uint16_t(major);
    msg.minorID = std::uint16_t(minor);
    const QByteArray data = int32Payload(words);
    msg.dataLength = int(data.size());
    std::memcpy(msg.data, data.constData(), size_t(data.size()));
    return msg;
}
} // namespace

TEST(NetworkArea, SettingsRequestsAnsweredAndStored)
{
    NetworkArea area;
    Collect context;
    area.load({});
    area.onEvent(ModemEvent::SimChecked, context);
    area.onEvent(ModemEvent::SimReady, context);
    ASSERT_EQ(context.of(513, 81).size(), 1); // the band, once the SIM is ready
    EXPECT_EQ(context.of(513, 81)[0].moduleID, 3);
    EXPECT_EQ(yov::PayloadReader::ofMsg(context.of(513, 81)[0]).int32(0), 3);

    // The search mode: stored, automatic selection, reported again in the device's terms.
    const struct {
        int searchMode, mode, pref;
    } modes[] = {{0, 1, 2}, {1, 2, 2}, {2, 0, 1}, {3, 0, 2}, {4, 0, 2}};
    for (const auto &m : modes) {
        context.records.clear();
        ASSERT_TRUE(area.handleRequest(request(513, 76, {m.searchMode, 0}), context));
        ASSERT_EQ(context.of(513, 76).size(), 1);
        EXPECT_EQ(context.of(513, 76)[0].type, 1);
        EXPECT_EQ(context.of(513, 76)[0].result, 0);
        ASSERT_EQ(context.of(513, 75).size(), 1);
        const yov::PayloadReader report = yov::PayloadReader::ofMsg(context.of(513, 75)[0]);
        EXPECT_EQ(report.int32(0), m.mode) << m.searchMode;
        EXPECT_EQ(report.int32(4), 0);
        EXPECT_EQ(report.int32(8), m.pref) << m.searchMode;
        EXPECT_EQ(area.state().value("NetSearchMode").toInt(), m.searchMode);
    }

    // The band: a scripted failure keeps it and reports nothing; a success stores and reports it.
    context.records.clear();
    ASSERT_TRUE(area.set({{QStringLiteral("BandResult"), 255}}, context));
    ASSERT_TRUE(area.handleRequest(request(513, 82, {7}), context));
    EXPECT_EQ(std::uint8_t(context.of(513, 82)[0].result), 255);
    EXPECT_TRUE(context.of(513, 81).isEmpty());
    ASSERT_TRUE(area.set({{QStringLiteral("BandResult"), 0}}, context));
    ASSERT_TRUE(area.handleRequest(request(513, 82, {7}), context));
    ASSERT_EQ(context.of(513, 81).size(), 1);
    EXPECT_EQ(yov::PayloadReader::ofMsg(context.of(513, 81)[0]).int32(0), 7);

    // The CDMA preference and the network device information.
    context.records.clear();
    ASSERT_TRUE(area.handleRequest(request(3, 6, {4}), context));
    ASSERT_EQ(context.of(513, 80).size(), 1);
    EXPECT_EQ(yov::PayloadReader::ofMsg(context.of(513, 80)[0]).int32(0), 4);
    ASSERT_TRUE(area.set({{QStringLiteral("NdisCapable"), 1}}, context));
    ASSERT_TRUE(area.handleRequest(request(258, 74, {}), context));
    ASSERT_EQ(context.of(258, 74).size(), 1);
    EXPECT_EQ(context.of(258, 74)[0].type, 1);
    EXPECT_EQ(yov::PayloadReader::ofMsg(context.of(258, 74)[0]).int32(4), 1);

    // The roaming switches: only a success stores them and reports them.
    context.records.clear();
    ASSERT_TRUE(area.set({{QStringLiteral("RoamSwitchResult"), 1}}, context));
    ASSERT_TRUE(area.handleRequest(request(513, 84, {0, 1}), context));
    EXPECT_EQ(context.of(513, 84)[0].result, 1);
    EXPECT_TRUE(context.of(513, 85).isEmpty());
    EXPECT_FALSE(area.state().contains("NationalRoaming")); // not stored
    ASSERT_TRUE(area.set({{QStringLiteral("RoamSwitchResult"), 0}}, context));
    ASSERT_TRUE(area.handleRequest(request(513, 84, {0, 1}), context));
    ASSERT_EQ(context.of(513, 85).size(), 1);
    EXPECT_EQ(yov::PayloadReader::ofMsg(context.of(513, 85)[0]).int32(0), 0);
    EXPECT_EQ(yov::PayloadReader::ofMsg(context.of(513, 85)[0]).int32(4), 1);
}
