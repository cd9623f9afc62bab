// The SMS page's rules without widgets: the context menu and the buttons for a selection, the
// table's cells, the search, the part counts, the links and the sort by precomputed keys.
#include "ostrel/sms/SmsTestMessages.h"

#include "common/sms/SmsBoxCodes.h"
#include "ostrel/sms/service/SmsListSorts.h"
#include "ostrel/sms/service/SmsPageRules.h"
#include "ostrel/sms/service/SmsPageSearch.h"
#include "ostrel/sms/service/SmsTableCells.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace sms_test;

namespace {

constexpr int PC = yov::sms::kPositionPc;
constexpr int SIM = yov::sms::kPositionSim;
constexpr int ME = yov::sms::kPositionMe;

// The enabled items as a string of their indexes, "0 8 9".
std::string enabledItems(const SmsMenuStates &items)
{
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i])
            out += (out.empty() ? "" : " ") + std::to_string(i);
    return out;
}

SmsCellContext testCellContext(int box, int position)
{
    SmsCellContext c;
    c.box = box;
    c.position = position;
    c.newStateWord = "New";
    c.boxWord = [](int b) { return QStringList{"InBox", "OutBox", "DraftBox", "Report", "DeletedBox", "ImportantBox", "BroadCastBox"}.value(b); };
    c.userName = [](const QString &n) { return n == "100" ? QString("Ann") : n; };
    c.multiNames = [](const QString &n) { return n == "100;200;" ? QString("Ann,Bob,") : n; };
    c.specialName = [](const QString &n) { return n == "999" ? QString("Operator") : QString(); };
    c.formatDate = [](const QDateTime &d) { return d.toString("yyyy-MM-dd HH:mm"); };
    return c;
}

} // namespace

TEST(SmsPageRules, ContextMenuForASelection)
{
    struct Case {
        int selected, box, position;
        bool ready, sendingUserInfo, forwardInOutBox;
        const char *enabled;
    };
    const Case cases[] = {
        // Device not ready: delete, save to important on the computer, save number to PC for one.
        {1, 0, PC, false, false, false, "6 8 9"},
        {2, 0, PC, false, false, false, "8 9"},
        {1, 0, SIM, false, false, false, "6 8"},
        {0, 0, PC, false, false, false, "8"},
        // Ready, one inbox message: new, reply, forward, move, both save-number items, delete, important.
        {1, 0, PC, true, false, false, "0 3 4 5 6 7 8 9"},
        // Outbox: move and send; with forwarding from the outbox, forward too.
        {1, 1, PC, true, false, false, "0 2 5 6 7 8 9"},
        {1, 1, PC, true, false, true, "0 2 4 5 6 7 8 9"},
        // Registration messages going out: no send.
        {1, 1, PC, true, true, false, "0 5 6 7 8 9"},
        // A draft: edit and send.
        {1, 2, PC, true, false, false, "0 1 2 6 7 8 9"},
        {1, 2, SIM, true, false, false, "0 1 2 6 7 8"},
        // The deleted box: no important, send.
        {1, 4, PC, true, false, false, "0 2 6 7 8"},
        {1, 3, PC, true, false, false, "0 6 7 8"},
        // Nothing selected: not even delete; several: move in the inbox and outbox.
        {0, 0, PC, true, false, false, "0"},
        {3, 0, PC, true, false, false, "0 5 8 9"},
        {3, 2, ME, true, false, false, "0 8"},
    };
    for (const Case &t : cases) {
        SmsSelectionState s;
        s.selected = t.selected;
        s.box = t.box;
        s.position = t.position;
        s.ready = t.ready;
        s.sendingUserInfo = t.sendingUserInfo;
        s.forwardInOutBox = t.forwardInOutBox;
        EXPECT_EQ(enabledItems(smsMenuStatesForSelection(s)), t.enabled)
            << t.selected << " selected, box " << t.box << ", position " << t.position << ", ready " << t.ready;
    }
    EXPECT_EQ(enabledItems(smsInitialMenuStates(true)), "0");
    EXPECT_EQ(enabledItems(smsInitialMenuStates(false)), "");
}

TEST(SmsPageRules, ButtonsForASelection)
{
    // The enabled buttons as letters: D delete, I important, R read, F forward, P save number,
    // Y reply, S send, T save to, M move to, V recover, C call, and "+" when the summary shows.
    const auto letters = [](const SmsButtonStates &b) {
        std::string out;
        const std::pair<bool, char> flags[] = {{b.deleteBtn, 'D'}, {b.moveToImportant, 'I'}, {b.read, 'R'}, {b.forward, 'F'},
                                               {b.savePhone, 'P'}, {b.reply, 'Y'},           {b.send, 'S'}, {b.saveTo, 'T'},
                                               {b.moveTo, 'M'},    {b.recover, 'V'},         {b.call, 'C'}, {b.showSummary, '+'}};
        for (const auto &[on, c] : flags)
            if (on)
                out += c;
        return out;
    };
    struct Case {
        int selected, box, position;
        bool ready, forwardInOutBox, call, hasCurrent, currentHasNumber;
        const char *enabled;
    };
    const Case cases[] = {
        {1, 0, PC, true, false, true, true, true, "DIRFPYSTMC"},
        {1, 1, PC, true, false, true, true, true, "DIRPSTMC"},
        {1, 1, PC, true, true, false, true, true, "DIRFPSTM"},
        {1, 2, PC, true, false, true, true, false, "DIRS"},
        {1, 2, PC, true, false, true, true, true, "DIRPS"},
        {1, 2, SIM, true, false, false, true, true, "DRPSTM"},
        {2, 0, PC, true, false, true, true, true, "DIRTM"},
        {1, 4, PC, true, false, false, true, true, "DRV"},
        {1, 3, PC, true, false, false, true, true, "DR"},
        {0, 0, PC, true, false, true, false, false, "+"},
        {1, 0, SIM, true, false, false, true, true, "DRFPYSTM"},
        // Not ready: the computer side only.
        {1, 0, PC, false, false, true, true, true, "DIRP"},
        {0, 0, PC, false, false, true, false, false, ""},
        {2, 5, PC, false, false, false, true, true, "DRV"},
    };
    for (const Case &t : cases) {
        SmsSelectionState s{t.selected, t.box, t.position, t.ready, t.forwardInOutBox, false, t.call, t.hasCurrent, t.currentHasNumber};
        EXPECT_EQ(letters(smsButtonStatesForSelection(s)), t.enabled)
            << t.selected << " selected, box " << t.box << ", position " << t.position << ", ready " << t.ready;
    }
}

TEST(SmsPageRules, CellsPerBoxPositionAndLayout)
{
    QVariantMap partial = concatSms("100", {"a", "b", "c"}, 5);
    partial.insert("smsInfo", partial.value("smsInfo").toList().mid(0, 2)); // 2 of 3 parts here
    const QVariantList inbox{partial, singleSms("999", "from the operator", 6, 1), singleSms("300", "plain", 7, 1)};
    struct Case {
        QVariantList list;
        int row, box, position;
        const char *column;
        QVariant expected;
    };
    QVariantMap deleted = withKey(singleSms("100", "gone", 8, 1), "preLocationBeforeGoToDelBox", 1);
    QVariantMap deletedDraft = withKey(flatDraft("200;", "draft gone", 9), "preLocationBeforeGoToDelBox", 2);
    QVariantMap important = withKey(singleSms("100", "keep", 8, 0), "preLocationBeforeGotoImpBox", 0);
    const QVariantMap broadcast{{"mobilephone", "CB"}, {"messagetext", "news"}, {"date", smsDate(3)}, {"stat", ""}};
    const Case cases[] = {
        {inbox, 0, 0, PC, "stat", "2/3 New"},
        {inbox, 0, 0, PC, "username", "Ann"},
        {inbox, 0, 0, PC, "date", "2026-03-10 09:05"},
        {inbox, 1, 0, PC, "mobilephone", "Operator"},
        {inbox, 1, 0, PC, "username", "Operator"},
        {inbox, 1, 0, PC, "stat", ""},
        {inbox, 2, 0, PC, "mobilephone", "300"},
        {inbox, 2, 0, PC, "other", QVariant()},
        {inbox, 3, 0, PC, "stat", QVariant()}, // past the end
        {{}, 0, 0, PC, "stat", QString("")},    // an empty list
        {{}, 5, 0, PC, "date", QString("")},
        {{deleted}, 0, 4, PC, "stat", "OutBox"},
        {{important}, 0, 5, PC, "stat", "InBox New"},
        {{deletedDraft}, 0, 4, PC, "stat", "DraftBox 1/1"},
        {{deletedDraft}, 0, 4, PC, "mobilephone", "200"},
        {{flatDraft("100;200;", "both", 4)}, 0, 2, PC, "mobilephone", "100;200"},
        {{flatDraft("100;200;", "both", 4)}, 0, 2, PC, "username", "Ann,Bob,"},
        {{flatDraft("100;200;", "both", 4)}, 0, 2, PC, "stat", "1/1"},
        {{flatDraft("100", "one", 4)}, 0, 2, PC, "date", "2026-03-10 09:04"},
        {{broadcast}, 0, 6, PC, "mobilephone", "CB"},
        {{broadcast}, 0, 6, PC, "stat", ""},
        // On the SIM even a draft box shows regular messages.
        {{singleSms("100", "sim draft", 2, 1)}, 0, 2, SIM, "username", "Ann"},
    };
    for (const Case &t : cases)
        EXPECT_EQ(smsCellValue(t.list, t.row, t.column, testCellContext(t.box, t.position)), t.expected)
            << "row " << t.row << " box " << t.box << " position " << t.position << " " << t.column;

    SmsCellContext withRead = testCellContext(0, PC);
    withRead.readStateWord = "read";
    EXPECT_EQ(smsCellValue(inbox, 2, "stat", withRead), "read");
}

TEST(SmsPageRules, MarkingReadAndTheUnreadTest)
{
    QVariantMap single = singleSms("1", "x", 1);
    EXPECT_TRUE(smsMessageIsUnread(single));
    EXPECT_TRUE(smsMarkMessageRead(single));
    EXPECT_FALSE(smsMessageIsUnread(single));
    EXPECT_EQ(single.value("concatSmsInfo").toMap().value("stat").toInt(), 1);
    EXPECT_FALSE(smsMarkMessageRead(single)) << "already read";

    QVariantMap concat = concatSms("1", {"a", "b"}, 1);
    EXPECT_EQ(smsUnreadPartsOfMessage(concat), 2);
    EXPECT_TRUE(smsMarkMessageRead(concat));
    EXPECT_EQ(smsUnreadPartsOfMessage(concat), 0);
    for (const QVariant &part : concat.value("smsInfo").toList())
        EXPECT_EQ(part.toMap().value("stat").toInt(), 1);
    QVariantMap flat = flatDraft("1", "d", 1);
    EXPECT_FALSE(smsMarkMessageRead(flat));
}

TEST(SmsPageRules, TheTextOfAMessage)
{
    // A single message as the device writes it: a summary without text beside its part.
    QVariantMap bareSummary = singleSms("1", "part text", 1);
    QVariantMap summary = bareSummary.value("concatSmsInfo").toMap();
    summary.remove("messagetext");
    bareSummary.insert("concatSmsInfo", summary);
    const struct {
        const char *name;
        QVariantMap message;
        QString text;
    } cases[] = {
        {"single", singleSms("1", "hello", 1), "hello"},
        {"single, summary without text", bareSummary, "part text"},
        {"long", concatSms("1", {"a", "b"}, 1), concatSms("1", {"a", "b"}, 1).value("concatSmsInfo").toMap().value("messagetext").toString()},
        {"flat draft", flatDraft("1", "d", 1), "d"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(smsMessageText(c.message), c.text) << c.name;
}

TEST(SmsPageRules, SearchByKindCaseAndMissingKeys)
{
    const auto date = [](const QDateTime &d) { return d.toString("yyyy-MM-dd HH:mm"); };
    QVariantMap named = withSummaryKey(singleSms("+4917", "Hello there", 3), "username", "ANNA Smith");
    QVariantMap noKeys{{"concatSmsFlag", false}};
    struct Case {
        QVariantMap message;
        SmsSearchKind kind;
        const char *text;
        bool matches;
    };
    const Case cases[] = {
        {named, kSmsSearchPcInbox, "anna", true},      // a name in upper case, searched in lower
        {named, kSmsSearchSimOutbox, "+491", true},    // the number
        {named, kSmsSearchSimDraft, "there", true},    // the text
        {named, kSmsSearchPcOutbox, "03-10 09:03", true}, // the shown date
        {named, kSmsSearchPcInbox, "absent", false},
        {named, kSmsSearchNone, "anna", false},
        {named, SmsSearchKind(7), "anna", false},
        {named, kSmsSearchPcInbox, "", false},
        {noKeys, kSmsSearchPcInbox, "a", false},
        {flatDraft("555", "draft text", 1), kSmsSearchPcDraft, "DRAFT", true},
        {flatDraft("555", "draft text", 1), kSmsSearchPcDraft, "555", true},
        {flatDraft("555", "draft text", 1), kSmsSearchPcInbox, "draft", false}, // a flat draft has no summary
        {concatSms("7", {"long ", "story"}, 1), kSmsSearchSimInbox, "g st", true},
    };
    for (const Case &t : cases)
        EXPECT_EQ(smsMessageMatches(t.message, t.kind, t.text, date), t.matches) << t.text << " kind " << int(t.kind);

    EXPECT_EQ(smsSearchKindOf(PC, 2), kSmsSearchPcDraft);
    EXPECT_EQ(smsSearchKindOf(SIM, 0), kSmsSearchSimInbox);
    EXPECT_EQ(smsSearchKindOf(ME, 0), kSmsSearchNone);
    EXPECT_EQ(smsSearchKindOf(PC, 4), kSmsSearchNone);

    const QVariantList inbox{singleSms("1", "apple", 1), singleSms("2", "pear", 2), singleSms("3", "apple pie", 3)};
    const QVariantList found = smsSearchList(inbox, kSmsSearchPcInbox, "APPLE", date);
    ASSERT_EQ(smsTexts(found), (QStringList{"apple", "apple pie"}));
    EXPECT_EQ(found.at(0).toMap().value("groupindex"), "1");
    EXPECT_EQ(found.at(1).toMap().value("groupindex"), "3");
    EXPECT_FALSE(smsSearchList(inbox, kSmsSearchSimInbox, "apple", date).at(0).toMap().contains("groupindex"));
}

TEST(SmsPageRules, PartsOfTheComputerBoxes)
{
    struct DraftCase {
        QVariant stat;
        int parts;
    };
    for (const DraftCase &t : {DraftCase{"1/1", 1}, DraftCase{"3/3", 3}, DraftCase{"12/12", 12}, DraftCase{"", 1},
                               DraftCase{QVariant(), 1}, DraftCase{"x", 1}, DraftCase{"9", 9}})
        EXPECT_EQ(smsDraftParts(t.stat), t.parts) << t.stat.toString().toStdString();

    const QVariantList regular{singleSms("1", "a", 1), concatSms("2", {"a", "b", "c"}, 2)};
    EXPECT_EQ(smsPartsOfList(regular, PC, 0), 4);
    EXPECT_EQ(smsPartsOfList(regular, PC, 3), 2) << "reports count their entries";
    EXPECT_EQ(smsPartsOfList(regular, SIM, 0), 0) << "only the computer counts this way";
    QVariantMap longDraft = flatDraft("1", "long", 1);
    longDraft.insert("stat", "12/12");
    EXPECT_EQ(smsPartsOfList({longDraft, flatDraft("1", "short", 2)}, PC, 2), 13);
    QVariantMap halfRead = concatSms("2", {"a", "b", "c"}, 2);
    QVariantList parts = halfRead.value("smsInfo").toList();
    QVariantMap first = parts.at(0).toMap();
    first.insert("stat", 1);
    parts[0] = first;
    halfRead.insert("smsInfo", parts);
    EXPECT_EQ(smsUnreadPartsOfList({halfRead, singleSms("1", "a", 1), singleSms("1", "b", 1, 1)}), 3);
}

TEST(SmsPageRules, LinksInATextLastFirst)
{
    struct Case {
        const char *text;
        QList<SmsLink> links;
    };
    const Case cases[] = {
        {"see http://a.example/x now", {{"http://a.example/x", 4, 18}}},
        {"one www.a.de\ttwo HTTPS://b.de/p\nend", {{"HTTPS://b.de/p", 17, 14}, {"www.a.de", 4, 8}}},
        {"ends with ftp://files.example", {{"ftp://files.example", 10, 19}}},
        {"Www.Upper.Example", {{"Www.Upper.Example", 0, 17}}},
        {"no link here", {}},
        {"", {}},
        {"http://x.de\r\nwww.y.de", {{"www.y.de", 13, 8}, {"http://x.de", 0, 11}}},
    };
    for (const Case &t : cases) {
        const QList<SmsLink> got = smsFindHyperlinks(t.text);
        EXPECT_EQ(got, t.links) << t.text;
        for (const SmsLink &l : got)
            EXPECT_LE(l.location + l.length, QString(t.text).size()) << "no range past the text: " << t.text;
    }
}

TEST(SmsPageRules, SortingByPrecomputedKeysMatchesTheOrder)
{
    QVariantList list{singleSms("3", "c", 30), concatSms("1", {"a", "b"}, 10), singleSms("2", "b", 20),
                      QVariantMap{{"concatSmsFlag", false}}, singleSms("2", "same", 20)};
    QVariantList ascending = list;
    sortSmsBoxList(ascending, "date", true, false);
    EXPECT_EQ(smsTexts(ascending), (QStringList{"", "ab", "b", "same", "c"})) << "a missing date first; equal dates keep their order";
    QVariantList descending = list;
    sortSmsBoxList(descending, "date", false, false);
    EXPECT_EQ(smsTexts(descending), (QStringList{"c", "b", "same", "ab", ""}));
    QVariantList byNumber = list;
    sortSmsBoxList(byNumber, "mobilephone", true, false);
    EXPECT_EQ(smsTexts(byNumber), (QStringList{"", "ab", "b", "same", "c"}));
    QVariantList unknown = list;
    sortSmsBoxList(unknown, "messagetext", true, false);
    EXPECT_EQ(unknown, list) << "a key the order does not compare leaves the list";

    QVariantList drafts{flatDraft("9", "z", 1), flatDraft("1", "a", 2)};
    sortSmsBoxList(drafts, "mobilephone", true, true);
    EXPECT_EQ(smsTexts(drafts), (QStringList{"a", "z"}));
}
