// The operator search's list, cells, row choice, registration check and decision, without widgets.
#include "common/records/settings/NetworkSelectionRecords.h"
#include "ostrel/settings/NetworkSelection.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

yov::NetSearchEntry op(int state, const QByteArray &longName, const QByteArray &shortName, const QByteArray &numeric,
                       const QByteArray &act)
{
    return {state, longName, shortName, numeric, act};
}

QVariantList listOf(const QByteArray &payload, bool shortFormat = false)
{
    return netsel::operatorList(yov::NetSearchResult::decode(yov::PayloadReader(payload)), shortFormat,
                                [](const QString &w) { return QStringLiteral("[%1]").arg(w); });
}

QByteArray answer(int count, const QList<yov::NetSearchEntry> &entries)
{
    yov::NetSearchResult r;
    r.count = count;
    r.entries = entries;
    return r.encode();
}

QString field(const QVariantList &list, int row, const char *key) { return list[row].toMap().value(QLatin1String(key)).toString(); }

} // namespace

TEST(NetworkSelectionList, CountsStatesAndWidths)
{
    const auto a = op(1, "Alpha Long", "Alpha", "26201", "2");
    const auto b = op(2, "Beta Long", "Beta", "26202", "0");
    // A state 0 ends the list, whatever the count.
    EXPECT_EQ(listOf(answer(3, {a, op(0, "", "", "", ""), b})).size(), 1);
    // The count is clamped to 0..30.
    QList<yov::NetSearchEntry> many;
    for (int i = 0; i < 30; ++i)
        many << a;
    EXPECT_EQ(listOf(answer(40, many)).size(), 30);
    EXPECT_EQ(listOf(answer(-1, many)).size(), 0);
    // Whatever stands behind the 3844 bytes is not read.
    QByteArray longer = answer(40, many) + answer(1, {b});
    EXPECT_EQ(listOf(longer).size(), 30);

    // State 4: no word, netState 0.
    const QVariantList odd = listOf(answer(1, {op(4, "X", "X", "1", "2")}));
    EXPECT_EQ(field(odd, 0, netsel::kState), "");
    EXPECT_EQ(odd[0].toMap().value(netsel::kNetState).toInt(), 0);

    const QVariantList two = listOf(answer(2, {a, b}));
    EXPECT_EQ(field(two, 0, netsel::kState), "[AVAILABLE]");
    EXPECT_EQ(field(two, 1, netsel::kState), "[CURRENT]");
    EXPECT_EQ(two[1].toMap().value(netsel::kNetState).toInt(), 2);
    EXPECT_EQ(field(two, 0, netsel::kName), "Alpha Long");
    EXPECT_EQ(field(listOf(answer(2, {a, b}), true), 0, netsel::kName), "Alpha");
    EXPECT_EQ(field(two, 1, netsel::kNumeric), "26202");
    EXPECT_EQ(field(two, 1, netsel::kNetType), "0");
}

TEST(NetworkSelectionList, FieldsWithoutTerminatorStayInTheirWidth)
{
    // Every field filled to its width: each is read within it, never into the next.
    const auto full = op(3, QByteArray(68, 'L'), QByteArray(20, 'S'), QByteArray(12, '9'), QByteArray(24, '2'));
    const QVariantList list = listOf(answer(1, {full}));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(field(list, 0, netsel::kName), QString(68, 'L'));
    EXPECT_EQ(field(listOf(answer(1, {full}), true), 0, netsel::kName), QString(20, 'S'));
    EXPECT_EQ(field(list, 0, netsel::kNumeric), QString(12, '9'));
    EXPECT_EQ(field(list, 0, netsel::kNetType), QString(24, '2'));
    // A record cut short gives what it carries.
    EXPECT_EQ(listOf(answer(2, {full, full}).left(4 + 128 + 50)).size(), 2);
}

TEST(NetworkSelectionList, NetworkTypeWords)
{
    const struct {
        const char *nettype;
        bool special;
        const char *word;
    } rows[] = {{"0", false, "2G"}, {"1", false, ""}, {"2", false, "3G"}, {"7", false, ""}, {"", false, ""},
                {"0", true, "Special2G"}, {"2", true, "Special3G"}, {"abc", true, ""}};
    for (const auto &r : rows)
        EXPECT_EQ(netsel::netTypeWord(QLatin1String(r.nettype), r.special), QLatin1String(r.word)) << r.nettype;
}

TEST(NetworkSelectionCells, OperatorNameRules)
{
    netsel::NameCellOptions o;
    o.specificMccMnc = {{"26202", "XXHome Net"}};
    o.currentRmccrmnc = "26202";
    EXPECT_EQ(netsel::nameCell("Device", "26202", o), "Device"); // the option is off
    o.changeSpn = true;
    EXPECT_EQ(netsel::nameCell("Device", "26202", o), "Home Net");
    EXPECT_EQ(netsel::nameCell("Device", "26201", o), "Device");
    o.wholeSpecificName = true;
    EXPECT_EQ(netsel::nameCell("Device", "26202", o), "XXHome Net");
    o.wholeSpecificName = false;
    o.specificMccMnc = {{"26202", "X"}}; // shorter than two characters: nothing left
    EXPECT_EQ(netsel::nameCell("Device", "26202", o), "");
    o.currentRmccrmnc = "26209";
    EXPECT_EQ(netsel::nameCell("Device", "26202", o), "Device");
    o.simNeedsSpn = true;
    o.customSpn = {{"26201", "Custom"}};
    EXPECT_EQ(netsel::nameCell("Device", "26201", o), "Custom");
    EXPECT_EQ(netsel::withoutFirstTwo("ab"), "");
}

TEST(NetworkSelectionCells, ApplyButtonByRow)
{
    const struct {
        bool hasRow, forbidden, canChoose, registering, registered, applySwitch;
        std::optional<bool> expected;
    } rows[] = {
        {false, false, false, false, false, false, false},
        {true, true, false, false, false, false, false},          // forbidden
        {true, true, true, false, false, false, true},            // ForbiddenNetCanChoose
        {true, true, true, true, false, false, std::nullopt},     // ... while registering
        {true, false, false, true, false, false, std::nullopt},   // registering: unchanged
        {true, false, false, false, true, true, false},           // AllowMCCMNCList x switch
        {true, false, false, false, true, false, true},
        {true, false, false, false, false, true, true},
        {true, false, false, false, false, false, true},
    };
    for (const auto &r : rows) {
        netsel::RowChoice c{r.hasRow, r.forbidden, r.canChoose, r.registering, r.registered, r.applySwitch};
        EXPECT_EQ(netsel::applyEnabled(c), r.expected)
            << r.hasRow << r.forbidden << r.canChoose << r.registering << r.registered << r.applySwitch;
    }
}

TEST(NetworkSelectionCheck, SpecialVersionCompare)
{
    const QVariantMap threeG{{netsel::kNumeric, "26201"}, {netsel::kNetType, "2"}};
    const QVariantMap twoG{{netsel::kNumeric, "26201"}, {netsel::kNetType, "0"}};
    const struct {
        bool special;
        int result;
        float quality;
        const char *numeric;
        char tech;
        const QVariantMap *row;
        bool success;
    } rows[] = {
        {false, 0, 0.0f, "", 0, nullptr, true},
        {false, 255, 1.0f, "26201", '3', &threeG, false},
        {true, 0, 0.0f, "26201", '3', &threeG, false},    // float 0.0
        {true, 0, 1.0f, "26209", '3', &threeG, false},    // numeric mismatch
        {true, 0, 1.0f, "26201", '3', &threeG, true},     // '3' with nettype 2
        {true, 0, 1.0f, "26201", '2', &twoG, true},
        {true, 0, 1.0f, "26201", '2', &threeG, false},
        {true, 1, 1.0f, "26201", '3', &threeG, false},
        {true, 0, 1.0f, "26201", '3', nullptr, false},    // no row to compare
    };
    for (const auto &r : rows) {
        netsel::SelectCheck c;
        c.specialVersion = r.special;
        c.result = r.result;
        yov::ManualSelectResult a{r.quality, r.numeric, r.tech};
        // Through the record's bytes, as the device sends it.
        c.answer = yov::ManualSelectResult::decode(yov::PayloadReader(a.encode()));
        c.row = r.row;
        EXPECT_EQ(netsel::manualSelectSucceeded(c), r.success) << r.special << r.result << r.quality << r.numeric;
    }
}

TEST(NetworkSelectionDecision, Tree)
{
    using O = netsel::Outcome;
    netsel::SelectAnswer a;
    a.secondRegistration = true;
    EXPECT_EQ(netsel::decide(a).outcome, O::Ignore);
    a = {};
    a.type = 0;
    EXPECT_EQ(netsel::decide(a).outcome, O::NotifyOnly);
    a = {};
    a.success = true;
    a.checksMade = 3;
    EXPECT_EQ(netsel::decide(a).outcome, O::Success);
    EXPECT_EQ(netsel::decide(a).checksAfter, 0);

    // The retry switch: five checks after 20, 10, 10, 10, 10 s, then the failure.
    a = {};
    a.retrySwitch = true;
    QList<int> delays;
    netsel::Decision d;
    for (int i = 0; i < 6; ++i) {
        d = netsel::decide(a);
        if (d.outcome != O::CheckLater)
            break;
        delays << d.delayMs;
        a.checksMade = d.checksAfter;
    }
    EXPECT_EQ(delays, (QList<int>{20000, 10000, 10000, 10000, 10000}));
    EXPECT_EQ(d.outcome, O::FailCloseSheet);
    EXPECT_EQ(d.checksAfter, 0);

    a = {};
    a.backToList = true;
    a.notExitSheet = true;
    EXPECT_EQ(netsel::decide(a).outcome, O::FailBackToList);
    a.backToList = false;
    EXPECT_EQ(netsel::decide(a).outcome, O::FailKeepSheet);
    a.notExitSheet = false;
    EXPECT_EQ(netsel::decide(a).outcome, O::FailCloseSheet);
}

TEST(NetworkSelectionRecords, RequestLayout)
{
    const QByteArray bytes = yov::ManualSelectRequest{4, QByteArray(80, '7'), 2}.encode();
    ASSERT_EQ(bytes.size(), 80);
    const yov::PayloadReader r(bytes);
    EXPECT_EQ(r.int32(0), 4);
    EXPECT_EQ(r.int32(4), 0);
    EXPECT_EQ(r.text(8, 68), QByteArray(67, '7')); // at most 67 characters and the terminator
    EXPECT_EQ(r.int32(76), 2);
}
