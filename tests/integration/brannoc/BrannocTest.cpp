// The stand-in device service as the dashboard meets it: start-up sequences, PIN and PUK, scenario
// switches, PPP and NDIS connections, roaming, and the voice proxy, all over a session bus.
#include "BrannocClient.h"

#include "common/records/MessageCatalogue.h"
#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"
#include "common/records/connection/ConnectionRecords.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusReply>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using yov::PayloadReader;

struct Expect {
    int major;
    int minor;
    int type;
    int result;
    int module;
};

QByteArray text(int width, const QByteArray &t)
{
    yov::PayloadWriter w(width);
    w.setText(0, width, t);
    return w.data();
}

QByteArray pukPayload(const QByteArray &newPin, const QByteArray &puk)
{
    yov::PayloadWriter w(20);
    w.setText(0, 10, newPin);
    w.setText(10, 10, puk);
    return w.data();
}

class BrannocTest : public ::testing::Test {
public:
    void TearDown() override
    {
        expectCataloguedSizes();
        client->stop();
    }

    // Every record the stand-in sent has the size the message catalogue gives its ID (where it
    // gives one).
    void expectCataloguedSizes() const
    {
        for (const auto &r : client->records()) {
            const int size = yov::answerPayloadSize(r.msg.majorID, r.msg.minorID);
            if (size != yov::kAnyAnswerSize) {
                EXPECT_EQ(r.msg.dataLength, size) << "record " << r.msg.majorID << "/" << r.msg.minorID;
            }
        }
    }

    void startWith(const QString &scenario, int startupRecords)
    {
        ASSERT_TRUE(client->start(scenario)) << qPrintable(client->error());
        ASSERT_TRUE(QTest::qWaitFor([&] { return client->size() >= startupRecords; }, BrannocClient::kWaitMs))
            << "start-up incomplete: " << qPrintable(client->ids().join(QLatin1Char(' ')));
        // No periodic signal reports unless a test asks for them: the sequences stay exact.
        ASSERT_TRUE(setState(QStringLiteral("Network"), {{QStringLiteral("SignalIntervalMs"), 0}}));
    }

    // Sends a request and checks that the records answering it come in this order, right after it.
    // Periodic reports (signal 7/55, NDIS traffic 258/73) in between are passed over unless expected.
    void expectAnswer(int module, int major, int minor, int type, const QByteArray &payload,
                      const std::vector<Expect> &expected)
    {
        const auto periodic = [&](const yov::UI_MSG &m) {
            const bool background = (m.majorID == 7 && m.minorID == 55) || (m.majorID == 258 && m.minorID == 73);
            return background && std::none_of(expected.begin(), expected.end(), [&](const Expect &e) {
                       return e.major == m.majorID && e.minor == m.minorID;
                   });
        };
        std::vector<int> got;
        const int mark = client->size();
        ASSERT_TRUE(client->send(module, major, minor, type, payload));
        const bool complete = QTest::qWaitFor(
            [&] {
                got.clear();
                for (int i = mark; i < client->size(); ++i)
                    if (!periodic(at(i)))
                        got.push_back(i);
                return got.size() >= expected.size();
            },
            BrannocClient::kWaitMs);
        ASSERT_TRUE(complete)
            << major << "/" << minor << " answered with " << qPrintable(client->ids(mark).join(QLatin1Char(' ')));
        for (size_t i = 0; i < expected.size(); ++i) {
            const yov::UI_MSG &m = at(got[i]);
            SCOPED_TRACE(testing::Message() << "record " << i << " after " << major << "/" << minor);
            EXPECT_EQ(m.majorID, expected[i].major);
            EXPECT_EQ(m.minorID, expected[i].minor);
            EXPECT_EQ(m.type, expected[i].type);
            EXPECT_EQ(m.result, expected[i].result);
            EXPECT_EQ(m.moduleID, expected[i].module);
        }
        lastAnswer = got.empty() ? -1 : got[expected.size() - 1];
    }

    // The last reports of a SIM that became ready: the SMS lists', then both phonebook storages.
    // The index of the last one, or -1.
    int waitReadyReportsOut(int from)
    {
        const int smsReady = client->waitFor(768, 94, from);
        const int firstStorage = smsReady < 0 ? -1 : client->waitFor(1025, 0, smsReady);
        return firstStorage < 0 ? -1 : client->waitFor(1025, 0, firstStorage + 1);
    }

    const yov::UI_MSG &at(int i) const { return client->records()[size_t(i)].msg; }
    std::pair<int, int> counts(int i) const
    {
        const PayloadReader p = PayloadReader::ofMsg(at(i));
        return {p.int32(0), p.int32(4)};
    }
    QVariantMap modemState(const QString &area) { return client->modemState(area); }
    bool setState(const QString &area, const QVariantMap &values) { return client->setModemState(area, values); }

    // Polls 258/67 as the dashboard does (every 0.1 s) until done() holds; returns the statuses.
    std::vector<yov::ppp_status> pollPpp(const std::function<bool(const yov::ppp_status &)> &done)
    {
        std::vector<yov::ppp_status> seen;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < BrannocClient::kWaitMs) {
            const int mark = client->size();
            if (!client->send(2, 258, 67))
                break;
            const int i = client->waitFor(258, 67, mark);
            if (i < 0)
                break;
            EXPECT_EQ(at(i).type, 1);
            seen.push_back(yov::ppp_status::decode(PayloadReader::ofMsg(at(i))));
            if (done(seen.back()))
                break;
            QTest::qWait(100);
        }
        return seen;
    }

    std::unique_ptr<BrannocClient> client = std::make_unique<BrannocClient>();
    int lastAnswer = -1; // index of the last record checked by expectAnswer
};

const QStringList kReadyStartup = {
    "1/0",  "8/58", "0/26", "3/5",  "6/32", "4/9",  "4/8",  "7/42",  "7/41",  "7/50",  "7/44",  "7/45", "7/48",
    "7/49", "7/55", "7/47", "7/40", "7/39", "7/57", "4/13", "7/36", "7/37", "7/38", "7/56", "7/55", "513/75", "513/80", "513/85", "513/81",
    "768/97", "768/94", "1025/0", "1025/0"};
// Without registration no cell details come.
const QStringList kUnregisteredStartup = [] {
    QStringList ids = kReadyStartup;
    ids.removeOne(QStringLiteral("7/56"));
    return ids;
}();

} // namespace

TEST_F(BrannocTest, StartUpSequencesFollowTheScenario)
{
    const QStringList deviceHead = {"1/0", "8/58", "0/26", "3/5"};
    const QStringList deviceIdentity = {"7/50", "7/44", "7/45", "7/48", "7/49"};
    const struct {
        const char *scenario;
        QStringList ids;
        std::function<void(BrannocTest &)> check;
    } cases[] = {
        {"default.plist", kReadyStartup,
         [](BrannocTest &t) {
             EXPECT_EQ(PayloadReader::ofMsg(t.at(2)).int32(0), 0);    // not locked
             EXPECT_EQ(PayloadReader::ofMsg(t.at(3)).int32(0), 4);    // a WCDMA device mode (4-6)
             EXPECT_EQ(PayloadReader::ofMsg(t.at(4)).int32(0), 1);    // USIM
             EXPECT_EQ(t.at(6).type, 1);
             EXPECT_EQ(t.counts(6), std::make_pair(3, 10));
             EXPECT_EQ(t.at(7).type, 1);                              // the IMSI as a type-1 record
             EXPECT_EQ(PayloadReader::ofMsg(t.at(7)).latin1Text(0, 36), QStringLiteral("262021234567890"));
             EXPECT_EQ(PayloadReader::ofMsg(t.at(8)).latin1Text(0, 512), QStringLiteral("98942000002143658709"));
             EXPECT_EQ(PayloadReader::ofMsg(t.at(9)).latin1Text(0, 40), QStringLiteral("358000001234563"));
             EXPECT_EQ(PayloadReader::ofMsg(t.at(15)).latin1Text(0, 44), QStringLiteral("+491701234567"));
             // EF_SPN: display condition 1, "Vandrel", padded with FF.
             EXPECT_TRUE(PayloadReader::ofMsg(t.at(16)).latin1Text(0, 512).startsWith(QStringLiteral("0156616E6472656CFF")));
             EXPECT_EQ(PayloadReader::ofMsg(t.at(17)).latin1Text(0, 512), QStringLiteral("A305800362F230"));
             EXPECT_EQ(PayloadReader::ofMsg(t.at(18)).int32(0), 262);
             EXPECT_EQ(t.at(19).type, 1);
             EXPECT_EQ(PayloadReader::ofMsg(t.at(19)).int32(0), 0); // the PIN request is off
             const PayloadReader net = PayloadReader::ofMsg(t.at(20));
             EXPECT_EQ(t.at(20).dataLength, 180);
             EXPECT_EQ(net.latin1Text(40, 68), QStringLiteral("UMTS"));
             EXPECT_EQ(net.latin1Text(108, 72), QStringLiteral("CS_PS"));
             const PayloadReader plmn = PayloadReader::ofMsg(t.at(21));
             EXPECT_EQ(t.at(21).dataLength, 324);
             EXPECT_EQ(plmn.latin1Text(0, 68), QStringLiteral("Vandrel"));
             EXPECT_EQ(plmn.latin1Text(136, 36), QStringLiteral("262"));
             EXPECT_EQ(plmn.latin1Text(172, 36), QStringLiteral("02"));
             EXPECT_EQ(plmn.latin1Text(208, 36), QStringLiteral("ROAM_OFF"));
             EXPECT_EQ(plmn.uint8(320), 1);
             EXPECT_EQ(PayloadReader::ofMsg(t.at(22)).int32(0), 1); // registered, home
             EXPECT_EQ(t.at(23).dataLength, 384); // the serving cell's details
             const PayloadReader rssi = PayloadReader::ofMsg(t.at(24));
             EXPECT_EQ(rssi.int32(0), 73);  // CSQ 20: -73 dBm
             EXPECT_EQ(rssi.int32(4), 12);  // Ec/No -6 dB
             EXPECT_EQ(rssi.int32(8), 170); // RSCP -85 dBm
             EXPECT_EQ(t.at(27).type, 1);
         }},
        {"no-sim.plist", deviceHead + QStringList{"6/32"} + deviceIdentity + QStringList{"7/36", "7/55"},
         [](BrannocTest &t) {
             EXPECT_EQ(t.at(4).result, -1);
             EXPECT_EQ(PayloadReader::ofMsg(t.at(4)).int32(0), -1);
             EXPECT_EQ(PayloadReader::ofMsg(t.at(10)).latin1Text(108, 72), QStringLiteral("NO_SERVICE"));
         }},
        {"pin-required.plist", deviceHead + QStringList{"6/32", "4/10", "4/8"} + deviceIdentity + QStringList{"7/36", "7/55"},
         [](BrannocTest &t) {
             EXPECT_EQ(t.at(5).type, 0); // the SIM asks for a code: the dashboard opens its PIN window
             EXPECT_EQ(t.at(5).result, -1);
             EXPECT_EQ(t.counts(6), std::make_pair(3, 10));
         }},
        {"puk-required.plist", deviceHead + QStringList{"6/32", "4/11", "4/8"} + deviceIdentity + QStringList{"7/36", "7/55"},
         [](BrannocTest &t) {
             EXPECT_EQ(t.at(5).type, 0);
             EXPECT_EQ(t.at(5).result, -1);
             EXPECT_EQ(t.counts(6), std::make_pair(0, 10));
         }},
        {"no-signal.plist", kUnregisteredStartup,
         [](BrannocTest &t) {
             EXPECT_EQ(PayloadReader::ofMsg(t.at(20)).latin1Text(108, 72), QStringLiteral("NO_SERVICE"));
             EXPECT_EQ(PayloadReader::ofMsg(t.at(21)).uint8(320), 0); // no network fields
             EXPECT_EQ(PayloadReader::ofMsg(t.at(22)).int32(0), 0);   // not registered
             EXPECT_EQ(PayloadReader::ofMsg(t.at(23)).int32(0), 120); // no measurement: below -107 dBm
         }},
        {"roaming.plist", kReadyStartup,
         [](BrannocTest &t) {
             const PayloadReader plmn = PayloadReader::ofMsg(t.at(21));
             EXPECT_EQ(plmn.latin1Text(208, 36), QStringLiteral("ROAM_ON"));
             EXPECT_EQ(plmn.latin1Text(136, 36), QStringLiteral("208"));
             EXPECT_EQ(plmn.latin1Text(244, 36), QStringLiteral("262")); // the SIM's home MCC
             EXPECT_EQ(PayloadReader::ofMsg(t.at(22)).int32(0), 5);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.scenario);
        expectCataloguedSizes();
        client->stop();
        client = std::make_unique<BrannocClient>();
        startWith(QString::fromLatin1(c.scenario), int(c.ids.size()));
        EXPECT_EQ(client->ids(0, int(c.ids.size()) - 1), c.ids);
        // The device's own reports; the phonebook's are module 4, the band report the settings' 3.
        for (int i = 0; i < int(c.ids.size()); ++i)
            EXPECT_EQ(at(i).moduleID, at(i).majorID == 1025 ? 4 : (at(i).majorID == 513 && at(i).minorID == 81 ? 3 : 1)) << i;
        c.check(*this);
    }
}

TEST_F(BrannocTest, DeviceLockHoldsTheStartUpUntilTheRightCode)
{
    startWith(QStringLiteral("device-lock.plist"), 4);
    EXPECT_EQ(client->ids(), (QStringList{"1/0", "8/58", "0/26", "3/5"}));
    EXPECT_EQ(PayloadReader::ofMsg(at(2)).int32(0), 1); // locked

    // Wrong codes from the device-state window: answered under major 0; the SIM stays unreported.
    expectAnswer(1, 5, 27, 1, "0000", {{0, 164, 1, -1, 1}});
    expectAnswer(1, 5, 27, 1, "12345", {{0, 164, 1, -1, 1}}); // not four bytes
    EXPECT_FALSE(client->ids().contains(QStringLiteral("6/32")));

    // The right code unlocks the device, and the start-up goes on with the SIM.
    const int mark = client->size();
    expectAnswer(1, 5, 27, 1, "1234", {{0, 164, 1, 0, 1}, {6, 32, 0, 0, 1}, {4, 9, 0, 0, 1}});
    ASSERT_GE(waitReadyReportsOut(mark), 0); // the last of the ready SIM's reports

    // Later checks come from the settings window (module 3) and are answered under major 512.
    expectAnswer(3, 5, 27, 1, "9999", {{512, 164, 1, -1, 3}});
    expectAnswer(3, 5, 27, 1, "1234", {{512, 164, 1, 0, 3}});
}

TEST_F(BrannocTest, PinRightWrongDownToPukAndPukWithANewPin)
{
    startWith(QStringLiteral("pin-required.plist"), 14);
    const auto pin = [](const QByteArray &p) { return text(10, p); };
    const Expect stillLocked{4, 10, 0, -1, 1};
    const Expect countsReport{4, 8, 1, 0, 1};

    const struct {
        const char *what;
        int module, minor, type;
        QByteArray payload;
        std::vector<Expect> answer;
        std::pair<int, int> counts; // of the 4/8 at the end of the answer
    } steps[] = {
        {"wrong PIN", 1, 10, 1, pin("0000"), {stillLocked, countsReport}, {2, 10}},
        {"wrong PIN again", 1, 10, 1, pin("1111"), {stillLocked, countsReport}, {1, 10}},
        {"last wrong PIN: the PUK is asked", 1, 10, 1, pin("2222"), {stillLocked, countsReport}, {0, 10}},
        {"right PIN no longer helps", 1, 10, 1, pin("1234"), {stillLocked, countsReport}, {0, 10}},
        {"wrong PUK from the settings window", 3, 11, 0, pukPayload("4321", "00000000"),
         {{4, 11, 1, -1, 3}, stillLocked, countsReport}, {0, 9}},
        {"right PUK with an unusable new PIN costs nothing", 1, 11, 1, pukPayload("12", "12345678"),
         {{4, 11, 1, -1, 1}, stillLocked, countsReport}, {0, 9}},
        {"right PUK and new PIN", 1, 11, 1, pukPayload("4321", "12345678"),
         {{4, 11, 1, 0, 1}, {4, 9, 0, 0, 1}, countsReport}, {3, 10}},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.what);
        expectAnswer(s.module, 4, s.minor, s.type, s.payload, s.answer);
        EXPECT_EQ(counts(lastAnswer), s.counts);
    }
    // Ready now: identity and registration follow, and the new PIN is the SIM's PIN.
    const int registered = client->waitFor(7, 37);
    ASSERT_GE(registered, 0);
    EXPECT_EQ(PayloadReader::ofMsg(at(registered)).uint8(320), 1);
    QVariantMap sim = modemState(QStringLiteral("Sim"));
    EXPECT_EQ(sim.value(QStringLiteral("Lock")).toString(), QStringLiteral("Ready"));
    EXPECT_EQ(sim.value(QStringLiteral("Pin")).toString(), QStringLiteral("4321"));

    // The SIM put in again asks for its (new) PIN; the right one makes it ready at once.
    ASSERT_TRUE(setState(QStringLiteral("Sim"), {{QStringLiteral("PinRequired"), true}}));
    const int asked = client->waitFor(
        [](const yov::UI_MSG &m) { return m.majorID == 4 && m.minorID == 10 && m.type == 0; }, registered);
    ASSERT_GE(asked, 0);
    ASSERT_GE(client->waitFor(4, 8, asked), 0);
    expectAnswer(1, 4, 10, 1, pin("4321"), {{4, 10, 1, 0, 1}, {4, 9, 0, 0, 1}, countsReport, {7, 42, 1, 0, 1}});
    ASSERT_GE(waitReadyReportsOut(lastAnswer), 0); // the rest of the ready reports are out
    expectAnswer(1, 4, 10, 1, pin("4321"), {{4, 10, 1, -1, 1}}); // nothing to verify: a plain failure
}

TEST_F(BrannocTest, SettingsWindowSwitchesAndChangesThePinAndUnblocksWithThePuk)
{
    startWith(QStringLiteral("default.plist"), int(kReadyStartup.size()));
    const auto onOff = [](const QByteArray &pin, int enable) {
        yov::PinRequestSwitch r;
        r.pin = pin;
        r.enable = enable;
        return r.encode();
    };
    const auto change = [](const QByteArray &oldPin, const QByteArray &newPin) { return yov::PinPair{oldPin, newPin}.encode(); };
    const Expect pinRequest{4, 13, 1, 0, 1};
    const struct {
        const char *what;
        int minor;
        QByteArray payload;
        std::vector<Expect> answer;
        bool pinRequired;
        const char *pin;
        int pinRemain;
    } steps[] = {
        {"wrong PIN: one try gone", 14, onOff("9999", 1), {{4, 14, 1, -1, 3}}, false, "1234", 2},
        {"right PIN switches the request on", 14, onOff("1234", 1), {{4, 14, 1, 0, 3}, pinRequest}, true, "1234", 3},
        {"new PIN that is no PIN costs nothing", 12, change("0000", "12a"), {{4, 12, 1, -1, 3}}, true, "1234", 3},
        {"wrong old PIN", 12, change("0000", "5678"), {{4, 12, 1, -1, 3}}, true, "1234", 2},
        {"right old PIN keeps the new one", 12, change("1234", "5678"), {{4, 12, 1, 0, 3}}, true, "5678", 3},
        {"the new PIN switches the request off", 14, onOff("5678", 0), {{4, 14, 1, 0, 3}, pinRequest}, false, "5678", 3},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.what);
        expectAnswer(3, 4, s.minor, 0, s.payload, s.answer);
        const QVariantMap sim = modemState(QStringLiteral("Sim"));
        EXPECT_EQ(sim.value(QStringLiteral("PinRequired")).toBool(), s.pinRequired);
        EXPECT_EQ(sim.value(QStringLiteral("Pin")).toString(), QLatin1String(s.pin));
        EXPECT_EQ(sim.value(QStringLiteral("PinRemain")).toInt(), s.pinRemain);
    }
    EXPECT_EQ(PayloadReader::ofMsg(at(lastAnswer)).int32(0), 0);

    // Three wrong PINs leave the PUK asked for; the tries say so; the PUK unblocks from here too.
    for (int i = 0; i < 3; ++i)
        expectAnswer(3, 4, 14, 0, onOff("0000", 1), {{4, 14, 1, -1, 3}});
    EXPECT_EQ(modemState(QStringLiteral("Sim")).value(QStringLiteral("Lock")).toString(), QStringLiteral("PukNeeded"));
    expectAnswer(3, 4, 8, 0, QByteArray(8, '\0'), {{4, 8, 1, 0, 3}});
    EXPECT_EQ(counts(lastAnswer), std::make_pair(0, 10));
    expectAnswer(3, 4, 11, 0, pukPayload("2468", "12345678"), {{4, 11, 1, 0, 3}, {4, 9, 0, 0, 1}});
    EXPECT_EQ(modemState(QStringLiteral("Sim")).value(QStringLiteral("Pin")).toString(), QStringLiteral("2468"));

    // Keeping the PIN in the modem: the answers carry type 1 and the asking window's module.
    ASSERT_GE(waitReadyReportsOut(lastAnswer), 0);
    expectAnswer(3, 4, 17, 0, text(10, "2468"), {{4, 17, 1, 0, 3}});
    expectAnswer(1, 4, 18, 0, QByteArray::fromHex("0100000000000000"), {{4, 18, 1, 0, 1}});
    EXPECT_EQ(modemState(QStringLiteral("Sim")).value(QStringLiteral("AutoValidation")).toInt(), 1);
}

TEST_F(BrannocTest, ScenarioSwitchAndDeviceRemoval)
{
    startWith(QStringLiteral("default.plist"), int(kReadyStartup.size()));

    // Pulled out: the device status says so and requests go unanswered.
    int mark = client->size();
    ASSERT_EQ(client->control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    const int removed = client->waitFor(8, 58, mark);
    ASSERT_GE(removed, 0);
    EXPECT_EQ(at(removed).result, -1);
    EXPECT_EQ(at(removed).moduleID, 1);
    ASSERT_TRUE(client->send(1, 3, 3));

    // Another modem without a SIM is plugged in: the start-up comes again, handshake first.
    ASSERT_EQ(client->control(QStringLiteral("LoadScenario"), {client->scenarioPath(QStringLiteral("no-sim.plist"))})
                  .type(),
              QDBusMessage::ReplyMessage);
    ASSERT_EQ(client->control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);
    const int handshake = client->waitFor(1, 0, removed);
    ASSERT_GE(handshake, 0);
    EXPECT_FALSE(client->ids(removed, handshake).contains(QStringLiteral("3/3"))) << "answered while removed";
    const int simStatus = client->waitFor(6, 32, handshake);
    ASSERT_GE(simStatus, 0);
    EXPECT_EQ(at(simStatus).result, -1);
    EXPECT_EQ(PayloadReader::ofMsg(at(simStatus)).int32(0), -1);
    ASSERT_GE(client->waitFor(7, 36, simStatus), 0);
    EXPECT_FALSE(client->ids(handshake).contains(QStringLiteral("4/9")));
    expectAnswer(1, 3, 3, 0, {}, {{3, 3, 0, 0, 1}}); // present again: answered

    // A changed SIM: its new identity is reported.
    mark = client->size();
    ASSERT_EQ(client->control(QStringLiteral("LoadScenario"), {client->scenarioPath(QStringLiteral("sim-changed.plist"))})
                  .type(),
              QDBusMessage::ReplyMessage);
    ASSERT_EQ(client->control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);
    const int imsi = client->waitFor(7, 42, mark);
    ASSERT_GE(imsi, 0);
    EXPECT_EQ(PayloadReader::ofMsg(at(imsi)).latin1Text(0, 36), QStringLiteral("262079876543210"));
    const int plmn = client->waitFor(7, 37, imsi);
    ASSERT_GE(plmn, 0);
    EXPECT_EQ(PayloadReader::ofMsg(at(plmn)).latin1Text(0, 68), QStringLiteral("Kelvor"));

    // While removed, a state change prepares the modem plugged next and reports nothing.
    ASSERT_GE(waitReadyReportsOut(plmn), 0); // the start-up of the changed SIM is complete
    mark = client->size();
    ASSERT_EQ(client->control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(setState(QStringLiteral("Sim"), {{QStringLiteral("Imsi"), QStringLiteral("262015550000001")}}));
    ASSERT_EQ(client->control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);
    const int again = client->waitFor(1, 0, mark);
    ASSERT_GE(again, 0);
    EXPECT_EQ(client->ids(mark, again).filter(QRegularExpression(QStringLiteral("^(?!8/58$|7/55$)"))),
              QStringList{QStringLiteral("1/0")});
    const int newImsi = client->waitFor(7, 42, again);
    ASSERT_GE(newImsi, 0);
    EXPECT_EQ(PayloadReader::ofMsg(at(newImsi)).latin1Text(0, 36), QStringLiteral("262015550000001"));
}

TEST_F(BrannocTest, PppConnectRunsWithGrowingCountersThenDisconnects)
{
    startWith(QStringLiteral("default.plist"), int(kReadyStartup.size()));

    yov::MSG_APN_SET_REQ_PARA_T params;
    params.apn = QStringLiteral("internet.vandrel");
    params.userName = QStringLiteral("web");
    params.authType = 1;
    params.mtu = 1400;
    // The test control tells whether a password is stored, never the password.
    for (const QString &password : {QStringLiteral("s3cret-pw"), QString()}) {
        params.password = password;
        expectAnswer(2, 257, 60, 0, params.encode(), {{257, 60, 1, 0, 2}});
        const QVariantMap connection = modemState(QStringLiteral("Connection"));
        const QVariantMap stored = BrannocClient::mapOf(connection.value(QStringLiteral("DialParams")));
        EXPECT_EQ(stored.value(QStringLiteral("Apn")).toString(), QStringLiteral("internet.vandrel"));
        EXPECT_EQ(stored.value(QStringLiteral("AuthType")).toInt(), 1);
        EXPECT_EQ(stored.value(QStringLiteral("Mtu")).toInt(), 1400);
        EXPECT_EQ(stored.value(QStringLiteral("PasswordSet")).toBool(), !password.isEmpty());
        EXPECT_FALSE(stored.contains(QStringLiteral("Password")));
        for (const QVariant &value : stored)
            EXPECT_NE(value.toString(), QStringLiteral("s3cret-pw"));
    }

    // Frequency lock: read (not locked), set, read again.
    expectAnswer(2, 257, 62, 0, {}, {{257, 87, 1, 0, 2}});
    EXPECT_EQ(counts(lastAnswer), std::make_pair(0, 0));
    ASSERT_TRUE(client->send(2, 257, 61, 0, yov::FreqLockSetRequest{1, 10700}.encode()));
    expectAnswer(2, 257, 62, 0, {}, {{257, 87, 1, 0, 2}});
    EXPECT_EQ(counts(lastAnswer), std::make_pair(1, 10700));

    expectAnswer(2, 258, 65, 0, {}, {{258, 65, 1, 0, 2}});
    expectAnswer(2, 258, 65, 0, {}, {{258, 65, 1, -1, 2}}); // one data call at a time

    // Through the PPP states, in their order, to running; then time and bytes grow.
    std::vector<yov::ppp_status> seen = pollPpp([](const yov::ppp_status &s) { return s.status == 8; });
    ASSERT_FALSE(seen.empty());
    ASSERT_EQ(seen.back().status, 8u);
    const std::vector<std::uint32_t> order = {1, 2, 4, 5, 7, 8};
    size_t pos = 0;
    for (const auto &s : seen) {
        const auto it = std::find(order.begin() + long(pos), order.end(), s.status);
        ASSERT_NE(it, order.end()) << "state " << s.status << " out of order";
        pos = size_t(it - order.begin());
    }
    const yov::ppp_status first = seen.back();
    seen = pollPpp([&](const yov::ppp_status &s) { return s.timeElapsed >= first.timeElapsed + 1; });
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().status, 8u);
    EXPECT_GT(seen.back().outBytes, first.outBytes);
    EXPECT_GT(seen.back().inBytes, first.inBytes);

    int mark = client->size();
    ASSERT_TRUE(client->send(2, 258, 68));
    int i = client->waitFor(258, 68, mark);
    ASSERT_GE(i, 0);
    EXPECT_EQ(yov::ipv4AddressText(yov::readLocalAddress(PayloadReader::ofMsg(at(i)))), QStringLiteral("10.64.12.34"));

    // With NewDial the poll carries the 164-byte transfer status.
    ASSERT_TRUE(setState(QStringLiteral("Connection"), {{QStringLiteral("NewDial"), true}}));
    mark = client->size();
    ASSERT_TRUE(client->send(2, 258, 67));
    i = client->waitFor(258, 67, mark);
    ASSERT_GE(i, 0);
    EXPECT_EQ(at(i).dataLength, yov::MSG_DIAL_PPP_TRANSFER_STATUS::kSize);
    const auto status = yov::MSG_DIAL_PPP_TRANSFER_STATUS::decode(PayloadReader::ofMsg(at(i)));
    EXPECT_EQ(status.pppState, 8);
    EXPECT_EQ(status.localIp, QStringLiteral("10.64.12.34"));
    EXPECT_GT(status.sendBytes, 0.0f);
    EXPECT_GE(status.connectSeconds, 1.0);
    ASSERT_TRUE(setState(QStringLiteral("Connection"), {{QStringLiteral("NewDial"), false}}));

    // Disconnect: terminate, disconnect link, idle, with the counts back at zero.
    expectAnswer(2, 258, 66, 0, {}, {{258, 66, 1, 0, 2}});
    seen = pollPpp([](const yov::ppp_status &s) { return s.status == 0; });
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().status, 0u);
    EXPECT_EQ(seen.back().outBytes, 0u);
    for (const auto &s : seen)
        EXPECT_TRUE(s.status == 9 || s.status == 10 || s.status == 0) << s.status;
}

TEST_F(BrannocTest, NdisConnectReportsStatusAndTrafficThenLinkLossAndAttach)
{
    startWith(QStringLiteral("default.plist"), int(kReadyStartup.size()));
    const auto ndisStatus = [&](int from, int value) {
        return client->waitFor(
            [=](const yov::UI_MSG &m) {
                return m.majorID == 258 && m.minorID == 71 && m.type == 1 && PayloadReader::ofMsg(m).int32(0) == value;
            },
            from);
    };

    int mark = client->size();
    ASSERT_TRUE(client->send(2, 258, 69));
    const int connecting = ndisStatus(mark, 2);
    ASSERT_GE(connecting, 0);
    const int connected = ndisStatus(connecting, 1);
    ASSERT_GE(connected, 0);
    EXPECT_EQ(at(connected).moduleID, 2);

    // Transfer data every NdisTransferIntervalMs (200 ms in the quick scenario), 156 bytes, with
    // growing counts.
    const int t1 = client->waitFor(258, 73, connected);
    ASSERT_GE(t1, 0);
    const int t2 = client->waitFor(258, 73, t1 + 1);
    ASSERT_GE(t2, 0);
    const auto d1 = yov::NdisTransferData::fromRecord(client->records()[size_t(t1)].raw);
    const auto d2 = yov::NdisTransferData::fromRecord(client->records()[size_t(t2)].raw);
    ASSERT_TRUE(d1 && d2);
    EXPECT_EQ(at(t1).type, 1);
    EXPECT_EQ(d1->localIp, QStringLiteral("10.64.12.34"));
    EXPECT_GT(d2->sendBytes, d1->sendBytes);
    EXPECT_GT(d2->receiveBytes, d1->receiveBytes);
    EXPECT_EQ(d2->receiveSpeed, 16384.0f);
    EXPECT_GE(client->records()[size_t(t2)].atMs - client->records()[size_t(t1)].atMs, 100);
    expectAnswer(2, 258, 72, 0, {}, {{258, 72, 1, 0, 2}}); // a connection stands

    // The packet domain goes away: the link is lost with it.
    mark = client->size();
    ASSERT_TRUE(setState(QStringLiteral("Network"), {{QStringLiteral("Domain"), QStringLiteral("CS_ONLY")}}));
    const int info = client->waitFor(7, 36, mark);
    ASSERT_GE(info, 0);
    EXPECT_EQ(PayloadReader::ofMsg(at(info)).latin1Text(108, 72), QStringLiteral("CS_ONLY"));
    ASSERT_GE(ndisStatus(mark, 0), 0);
    expectAnswer(2, 258, 72, 0, {}, {{258, 72, 1, -1, 2}});

    // A connect without the packet domain fails; attaching brings the domain back.
    mark = client->size();
    ASSERT_TRUE(client->send(2, 258, 69));
    ASSERT_GE(ndisStatus(mark, 3), 0);
    expectAnswer(2, 258, 76, 0, yov::PsAttachRequest{2, yov::PsAttachRequest::kAttach}.encode(),
                 {{7, 36, 0, 0, 1}, {7, 37, 0, 0, 1}, {7, 38, 0, 0, 1}, {7, 56, 0, 0, 1}, {258, 64, 1, 0, 2}});
    EXPECT_EQ(PayloadReader::ofMsg(at(client->waitFor(7, 36, mark))).latin1Text(108, 72), QStringLiteral("CS_PS"));

    // Connect again and disconnect on request.
    mark = client->size();
    ASSERT_TRUE(client->send(2, 258, 69));
    ASSERT_GE(ndisStatus(mark, 1), 0);
    mark = client->size();
    ASSERT_TRUE(client->send(2, 258, 70));
    ASSERT_GE(ndisStatus(mark, 0), 0);
}

TEST_F(BrannocTest, ConnectFailureAndLinkDropFollowTheScenario)
{
    startWith(QStringLiteral("connect-fails.plist"), int(kReadyStartup.size()));
    // Each dial state lasts longer than the 100 ms between polls, so a loaded machine still sees
    // every state the road passes through.
    ASSERT_TRUE(setState(QStringLiteral("Connection"), {{QStringLiteral("StepMs"), 400}}));

    // PPP: the states end in idle without ever running.
    expectAnswer(2, 258, 65, 0, {}, {{258, 65, 1, 0, 2}});
    bool left = false;
    const std::vector<yov::ppp_status> seen = pollPpp([&](const yov::ppp_status &s) {
        left = left || s.status != 0;
        return left && s.status == 0;
    });
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().status, 0u);
    for (const auto &s : seen)
        EXPECT_NE(s.status, 8u);
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const auto &s) { return s.status == 10; }));

    // NDIS: connecting, then failed.
    int mark = client->size();
    ASSERT_TRUE(client->send(2, 258, 69));
    const int first = client->waitFor(258, 71, mark);
    ASSERT_GE(first, 0);
    const int second = client->waitFor(258, 71, first + 1);
    ASSERT_GE(second, 0);
    EXPECT_EQ(PayloadReader::ofMsg(at(first)).int32(0), 2);
    EXPECT_EQ(PayloadReader::ofMsg(at(second)).int32(0), 3);

    // An attach the network refuses.
    ASSERT_TRUE(setState(QStringLiteral("Connection"), {{QStringLiteral("AttachFails"), true}}));
    expectAnswer(2, 258, 76, 0, yov::PsAttachRequest{2, yov::PsAttachRequest::kAttach}.encode(), {{258, 64, 1, -1, 2}});

    // A link that comes up and is lost half a second later, with nothing asked.
    ASSERT_TRUE(setState(QStringLiteral("Connection"),
                         {{QStringLiteral("ConnectFails"), false}, {QStringLiteral("DropAfterMs"), 500}}));
    mark = client->size();
    ASSERT_TRUE(client->send(2, 258, 69));
    const int up = client->waitFor(
        [](const yov::UI_MSG &m) { return m.majorID == 258 && m.minorID == 71 && PayloadReader::ofMsg(m).int32(0) == 1; },
        mark);
    ASSERT_GE(up, 0);
    const int lost = client->waitFor(
        [](const yov::UI_MSG &m) { return m.majorID == 258 && m.minorID == 71 && PayloadReader::ofMsg(m).int32(0) == 0; },
        up);
    EXPECT_GE(lost, 0);
}

TEST_F(BrannocTest, NetworkReportsRoamingLossAndSignal)
{
    startWith(QStringLiteral("default.plist"), int(kReadyStartup.size()));
    const QString network = QStringLiteral("Network");

    const struct {
        const char *what;
        QVariantMap change;
        const char *domain;
        const char *roamText;
        const char *mcc;
        int registration;
    } cases[] = {
        {"roaming on", {{"Roaming", true}, {"Mcc", "208"}, {"Mnc", "10"}, {"OperatorName", "Ardence"}}, "CS_PS", "ROAM_ON", "208", 5},
        {"roaming off", {{"Roaming", false}, {"Mcc", "262"}, {"Mnc", "02"}}, "CS_PS", "ROAM_OFF", "262", 1},
        {"network lost", {{"Registered", false}}, "NO_SERVICE", "", "", 0},
        {"back, circuit-switched only", {{"Registered", true}, {"Domain", "CS_ONLY"}}, "CS_ONLY", "ROAM_OFF", "262", 1},
        {"packet domain appears", {{"Domain", "CS_PS"}}, "CS_PS", "ROAM_OFF", "262", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const int mark = client->size();
        ASSERT_TRUE(setState(network, c.change));
        ASSERT_TRUE(QTest::qWaitFor([&] { return client->size() >= mark + 3; }, BrannocClient::kWaitMs));
        EXPECT_EQ(client->ids(mark, mark + 2), (QStringList{"7/36", "7/37", "7/38"}));
        EXPECT_EQ(PayloadReader::ofMsg(at(mark)).latin1Text(108, 72), QLatin1String(c.domain));
        const PayloadReader plmn = PayloadReader::ofMsg(at(mark + 1));
        EXPECT_EQ(plmn.latin1Text(208, 36), QLatin1String(c.roamText));
        EXPECT_EQ(plmn.latin1Text(136, 36), QLatin1String(c.mcc));
        EXPECT_EQ(plmn.uint8(320), c.registration ? 1 : 0);
        EXPECT_EQ(PayloadReader::ofMsg(at(mark + 2)).int32(0), c.registration);
    }

    // Signal: no measurement, then reports every 50 ms.
    int mark = client->size();
    ASSERT_TRUE(setState(network, {{QStringLiteral("Csq"), 99}}));
    const int none = client->waitFor(7, 55, mark);
    ASSERT_GE(none, 0);
    EXPECT_EQ(PayloadReader::ofMsg(at(none)).int32(0), 120);
    EXPECT_EQ(PayloadReader::ofMsg(at(none)).int32(8), 242);
    mark = client->size();
    ASSERT_TRUE(setState(network, {{QStringLiteral("Csq"), 25}, {QStringLiteral("SignalIntervalMs"), 50}}));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return client->ids(mark).count(QStringLiteral("7/55")) >= 4; }, BrannocClient::kWaitMs));
    EXPECT_EQ(PayloadReader::ofMsg(at(client->waitFor(7, 55, mark))).int32(0), 63);

    // Unknown keys and areas are refused with a reason.
    const QDBusMessage badKey = client->control(QStringLiteral("SetModemState"), {network, QVariantMap{{"Roam", 1}}});
    EXPECT_EQ(badKey.type(), QDBusMessage::ErrorMessage);
    EXPECT_TRUE(badKey.errorMessage().contains(QStringLiteral("Roam"))) << qPrintable(badKey.errorMessage());
    EXPECT_EQ(client->control(QStringLiteral("SetModemState"), {QStringLiteral("Radio"), QVariantMap{}}).type(),
              QDBusMessage::ErrorMessage);
}

TEST_F(BrannocTest, VoiceProxyAnswers)
{
    startWith(QStringLiteral("default.plist"), 1);
    QDBusInterface voice(QStringLiteral("com.vandrel.DataCardServer"), QStringLiteral("/brannocosxproxy"),
                         QStringLiteral("com.vandrel.DataCardServer.VoiceDataTransfer"));
    ASSERT_TRUE(voice.isValid()) << qPrintable(voice.lastError().message());
    const auto call = [&](const char *method, const QVariantList &args = {}) {
        const QDBusReply<int> r = voice.callWithArgumentList(QDBus::Block, QLatin1String(method), args);
        EXPECT_TRUE(r.isValid()) << method << ": " << qPrintable(r.error().message());
        return r.isValid() ? r.value() : -1;
    };
    EXPECT_EQ(call("readVoiceData"), 0); // nothing prepared yet
    EXPECT_EQ(call("prepareVoiceTransfer"), 1);
    EXPECT_EQ(call("readVoiceData"), 1);
    EXPECT_EQ(call("writeVoiceData", {160}), 1);
    EXPECT_EQ(call("stopVoiceTransfer"), 1);
    EXPECT_EQ(call("writeVoiceData", {160}), 0);
}

TEST_F(BrannocTest, OneLinePerRecordOnlyWhenTheLoggingRulesAskForIt)
{
    const struct {
        QStringList environment;
        bool perRecord;
    } cases[] = {
        {{}, false},
        {{QStringLiteral("QT_LOGGING_RULES=brannoc.records.info=true")}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.environment.join(QLatin1Char(' ')).toStdString());
        client->stop();
        client = std::make_unique<BrannocClient>();
        ASSERT_TRUE(client->start(QStringLiteral("default.plist"), true, c.environment)) << qPrintable(client->error());
        const int mark = client->size();
        ASSERT_TRUE(client->send(1, 3, 3));
        ASSERT_GE(client->waitFor(3, 3, mark), 0);
        client->stop();
        const QByteArray log = client->log();
        EXPECT_TRUE(log.contains("device service running")) << log.constData();  // start and stop stay on
        EXPECT_TRUE(log.contains("device service ended")) << log.constData();
        EXPECT_EQ(log.contains("received 3/3"), c.perRecord) << log.constData();
    }
}
