// The stand-in's operator search and manual selection, without a bus.
#include "brannoc/OperatorSelectionArea.h"

#include "common/records/Payload.h"
#include "common/records/settings/NetworkSelectionRecords.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstring>

#include <gtest/gtest.h>

using namespace brannoc;

namespace {

class SelectionNetworkStub final : public ModemArea {
public:
    QString name() const override { return QStringLiteral("Network"); }
    void load(const QVariantMap &state) override { state_ = state; }
    bool handleRequest(const yov::UI_MSG &, ModemContext &) override { return false; }
    QStringList stateKeys() const override { return {"Mcc", "Mnc", "OperatorName", "Registered", "ModeResult", "SelectedMode"}; }
};

class SelectionAnswers : public ModemContext {
public:
    void push(const yov::UI_MSG &record) override { records.append(record); }
    ModemArea *area(const QString &name) override { return name == network.name() ? &network : nullptr; }
    QStringList ids() const
    {
        QStringList out;
        for (const yov::UI_MSG &m : records)
            out << QStringLiteral("%1/%2:%3").arg(m.majorID).arg(m.minorID).arg(int(m.result));
        return out;
    }
    QList<yov::UI_MSG> records;
    SelectionNetworkStub network;
};

yov::UI_MSG selectionRequest(std::uint16_t minor, const QByteArray &payload = {})
{
    yov::UI_MSG m = yov::zeroMsg();
    m.moduleID = 3;
    m.majorID = 513;
    m.minorID = minor;
    m.dataLength = int(payload.size());
    std::memcpy(m.data, payload.constData(), size_t(payload.size()));
    return m;
}

void runEventsFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

QByteArray selectRequest(const char *numeric) { return yov::ManualSelectRequest{1, numeric, 2}.encode(); }

class OperatorSelectionAreaTest : public ::testing::Test {
protected:
    void load(const QVariantMap &state)
    {
        area.bind(&answers);
        area.load(state);
        answers.network.load({});
    }
    OperatorSelectionArea area;
    SelectionAnswers answers;
};

} // namespace

TEST_F(OperatorSelectionAreaTest, SearchAnswersAfterItsDelayWithTheList)
{
    load({{"SearchDelayMs", 30}});
    ASSERT_TRUE(area.handleRequest(selectionRequest(78, yov::SearchModeRecord{4}.encode()), answers));
    EXPECT_TRUE(answers.records.isEmpty());
    runEventsFor(100);
    ASSERT_EQ(answers.ids(), QStringList{"513/78:0"});
    const yov::UI_MSG &m = answers.records[0];
    EXPECT_EQ(m.type, 1);
    EXPECT_EQ(m.moduleID, 3);
    const yov::NetSearchResult list = yov::NetSearchResult::decode(yov::PayloadReader::ofMsg(m));
    ASSERT_EQ(list.entries.size(), 3);
    EXPECT_EQ(list.entries[0].state, 2);
    EXPECT_EQ(list.entries[2].state, 3);

    // A cancel drops a pending search; with ReplyAfterCancel it is still answered.
    answers.records.clear();
    area.handleRequest(selectionRequest(78, yov::SearchModeRecord{4}.encode()), answers);
    area.handleRequest(selectionRequest(89), answers);
    runEventsFor(100);
    EXPECT_TRUE(answers.records.isEmpty());
    area.set({{"ReplyAfterCancel", true}}, answers);
    area.handleRequest(selectionRequest(78, yov::SearchModeRecord{4}.encode()), answers);
    area.handleRequest(selectionRequest(89), answers);
    runEventsFor(100);
    EXPECT_EQ(answers.ids(), QStringList{"513/78:0"});

    // Never answered.
    answers.records.clear();
    area.set({{"SearchDelayMs", -1}}, answers);
    area.handleRequest(selectionRequest(78, yov::SearchModeRecord{4}.encode()), answers);
    runEventsFor(100);
    EXPECT_TRUE(answers.records.isEmpty());
}

TEST_F(OperatorSelectionAreaTest, BadInputSwitches)
{
    load({{"CountOverride", 40}, {"LongNames", true}});
    const QByteArray bytes = area.searchAnswer();
    const yov::PayloadReader r(bytes);
    EXPECT_EQ(r.int32(0), 40);
    EXPECT_EQ(r.bytes(4 + 4, 68), QByteArray("Vandrel").leftJustified(68, 'L')); // no terminator
}

TEST_F(OperatorSelectionAreaTest, RegistrationAndItsOutcomes)
{
    load({{"SelectDelayMs", 0}, {"RefuseNumerics", QVariantList{"26207"}}, {"CheckOutcomes", QVariantList{"fail", "success"}},
          {"Operators", QVariantList{QVariantMap{{"State", 1}, {"Long", "Nordlicht"}, {"Numeric", "26207"}, {"Act", "0"}},
                                     QVariantMap{{"State", 1}, {"Long", "Korvane"}, {"Numeric", "26201"}, {"Act", "2"}},
                                     QVariantMap{{"State", 3}, {"Long", "Ostwind"}, {"Numeric", "26203"}, {"Act", "0"}}}}});
    for (const char *refused : {"26207", "26203", "99999"}) {
        answers.records.clear();
        area.handleRequest(selectionRequest(79, selectRequest(refused)), answers);
        runEventsFor(30);
        EXPECT_EQ(answers.ids(), QStringList{"513/79:-1"}) << refused;
        EXPECT_FALSE(answers.network.state().contains("Mcc"));
    }
    // The status checks answer with the scripted outcomes.
    answers.records.clear();
    area.handleRequest(selectionRequest(88), answers);
    runEventsFor(30);
    area.handleRequest(selectionRequest(88), answers);
    runEventsFor(30);
    EXPECT_EQ(answers.ids(), (QStringList{"513/79:-1", "513/79:0", "513/83:0"}));
    EXPECT_EQ(yov::PayloadReader::ofMsg(answers.records[2]).int32(0), 1);

    answers.records.clear();
    area.set({{"SelectVariant", true}}, answers);
    area.handleRequest(selectionRequest(79, selectRequest("26201")), answers);
    runEventsFor(30);
    ASSERT_EQ(answers.ids(), (QStringList{"513/79:0", "513/83:0"}));
    const yov::ManualSelectResult result = yov::ManualSelectResult::decode(yov::PayloadReader::ofMsg(answers.records[0]));
    EXPECT_GT(result.quality, 0.0f);
    EXPECT_EQ(result.numeric, "26201");
    EXPECT_EQ(result.technology, '3');
    EXPECT_EQ(answers.network.state().value("Mcc").toString(), "262");
    EXPECT_EQ(answers.network.state().value("Mnc").toString(), "01");
    EXPECT_EQ(answers.network.state().value("OperatorName").toString(), "Korvane");
    EXPECT_EQ(answers.network.state().value("SelectedMode").toInt(), 1); // the network's mode reports agree
    EXPECT_EQ(area.state().value("SelectionMode").toInt(), 1);

    // The network's mode request returns the selection to automatic.
    answers.records.clear();
    EXPECT_FALSE(area.handleRequest(selectionRequest(76, yov::SearchModeRecord{4}.encode()), answers));
    runEventsFor(30);
    EXPECT_EQ(answers.ids(), QStringList{"513/83:0"});
    EXPECT_EQ(area.state().value("SelectionMode").toInt(), 0);

    // A removed device answers nothing more.
    answers.records.clear();
    area.handleRequest(selectionRequest(79, selectRequest("26201")), answers);
    area.onEvent(ModemEvent::DeviceRemoved, answers);
    runEventsFor(30);
    EXPECT_TRUE(answers.records.isEmpty());
}
