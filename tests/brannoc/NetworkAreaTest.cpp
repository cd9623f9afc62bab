// The stand-in's network area without a bus: the serving cell's details it reports once it is
// registered, and again when they change.
#include "brannoc/NetworkArea.h"

#include "common/records/Payload.h"

#include <gtest/gtest.h>

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
