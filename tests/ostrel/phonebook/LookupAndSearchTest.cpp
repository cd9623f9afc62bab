// The number-to-name lookup the other areas use, and the search of the phonebook's window.
#include "PhonebookHarness.h"

#include "ostrel/phonebook/ContactSearch.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pbtest;

namespace {

TEST(NumberLookup, TrailingDigitsComputerFirstThenTheSim)
{
    Harness h; // N = 8
    ASSERT_TRUE(h.writeList(QVariantList{
        group(QStringLiteral("B second"), {contact("Second", "0408888"), contact("Paul on the computer", "0309999")}),
        group(QStringLiteral("A first"), {contact("National", "03012345678"), contact("Short", "12345"), contact("Long", "7712399"),
                                          contact("Hugo", QString(), {{QStringLiteral("homephone"), QStringLiteral("0401111")}}),
                                          contact("First", "0408888"), contact(QString(), "0306666")})}));
    PBController &pb = h.start();
    pb.simInitFinished_ = true;
    pb.m_SimPhoneList = {contact("Sam on the SIM", "0309999"), contact("Only on the SIM", "0307777")};
    pb.m_MePhoneList = {contact("Device", "0305555")};

    const struct {
        const char *number;
        QString name; // null: the number itself comes back
        bool found;
    } cases[] = {
        {"+493012345678", "National", true},   // international against national form
        {"12345", "Short", true},              // five digits against exactly those five
        {"12399", QString(), false},           // not against two more digits in front
        {"0401111", QString(), false},         // a home number never matches
        {"0309999", "Paul on the computer", true}, // the computer before the SIM
        {"0408888", "First", true},            // the group that sorts first
        {"0307777", "Only on the SIM", true},
        {"0305555", QString(), false},         // the device memory is not searched
        {"", QString(), false},
    };
    for (const auto &c : cases) {
        const QString number = QLatin1String(c.number);
        const QString name = pb.searchNameAtPhoneBook(number);
        EXPECT_EQ(name, c.name.isNull() ? number : c.name) << c.number;
        EXPECT_EQ(pb.hasPhoneNumber(number), c.found) << c.number;
        EXPECT_EQ(pb.hasPhoneNumberFlag_, c.found) << c.number;
    }
    // A contact without a name gives a null name, and is found.
    EXPECT_TRUE(pb.searchNameAtPhoneBook(QStringLiteral("0306666")).isNull());
    EXPECT_TRUE(pb.hasPhoneNumber(QStringLiteral("0306666")));
    // The SIM is not searched before it has been read.
    pb.simInitFinished_ = false;
    EXPECT_FALSE(pb.hasPhoneNumber(QStringLiteral("0307777")));
}

TEST(NumberLookup, AfterEveryContactIsDeletedNothingIsFound)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("A"), {contact("Ann", "0301")})}));
    PBController &pb = h.start();
    pb.simInitFinished_ = true; // a read, empty SIM
    ASSERT_TRUE(pb.hasPhoneNumber(QStringLiteral("0301")));
    pb.deleteUserFromCurGrop(0);
    EXPECT_FALSE(pb.hasPhoneNumber(QStringLiteral("0301")));
    EXPECT_FALSE(pb.hasPhoneNumberFlag_);
    EXPECT_EQ(pb.searchNameAtPhoneBook(QStringLiteral("0301")), QStringLiteral("0301"));
}

TEST(NumberLookup, TheAllStorageListAnswersTheMatchingContact)
{
    Harness h;
    PBController &pb = h.start();
    EXPECT_TRUE(pb.getMatchUserItemAtUSIMSide(QStringLiteral("0301234567")).isEmpty());
    pb.addListToAllPhoneList({contact("Sam", "+49301234567", {{QStringLiteral("index"), 4}})}, 2);
    const QVariantMap found = pb.getMatchUserItemAtUSIMSide(QStringLiteral("0301234567"));
    EXPECT_EQ(contactName(found), QStringLiteral("Sam"));
    EXPECT_EQ(found.value(QStringLiteral("savepos")), QStringLiteral("SAVEINSIM"));
}

TEST(NumberLookup, ThroughTheNeighboursOnceTheControllerExists)
{
    EXPECT_EQ(Neighbours::phonebook().searchNameAtPhoneBook(QStringLiteral("0301")), QStringLiteral("0301"));
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("A"), {contact("Ann", "0301")})}));
    h.start();
    EXPECT_EQ(Neighbours::phonebook().searchNameAtPhoneBook(QStringLiteral("0301")), QStringLiteral("Ann"));
    h.pb.reset();
    EXPECT_FALSE(Neighbours::phonebook().hasPhoneNumber(QStringLiteral("0301")));
}

QStringList foundNames(PBController &pb)
{
    QStringList names;
    for (int i = 0; i < pb.getCurSearchGroupCount(); ++i)
        names << contactName(pb.getUserFromCurSearchGroup(i));
    return names;
}

TEST(ContactSearchText, PatternsPlainTextFallbackPrefixAndCase)
{
    const struct {
        const char *text;
        bool prefix;
        bool caseSensitive;
        QStringList found;
    } cases[] = {
        {"a.c", false, false, {"abc", "aXc"}}, // the dot is a pattern character
        {"an", true, false, {"Anna"}},
        {"an", false, false, {"Anna", "Joanna"}},
        {"An", true, true, {"Anna"}},
        {"AN", true, true, {}},
        {"(", false, false, {"Bracket (Work)"}}, // no valid pattern: looked for as text
        {"(work", false, false, {"Bracket (Work)"}},
        {"(work", false, true, {}},
        {"[", false, false, {"[x] Max"}},
        {"+49", false, false, {"Anna"}},
        {"+49", true, false, {"Anna"}},
        {"*100#", false, false, {"abc"}},
        {"m\\[x\\]@", false, false, {"[x] Max"}}, // the e-mail field, by pattern
    };
    for (const auto &c : cases) {
        Harness h({{QStringLiteral("PrefixMatchModeEnabled"), c.prefix}, {QStringLiteral("PhoneBook_caseSensitive_WhenSearch"), c.caseSensitive}});
        ASSERT_TRUE(h.writeList(QVariantList{
            group(QStringLiteral("A"), {contact("Anna", "+4930111"), contact("Joanna", "030222"), contact("abc", "*100#")}),
            group(QStringLiteral("B"), {contact("aXc", "1"), contact("Bracket (Work)", "0303"),
                                        contact("[x] Max", "2", {{QStringLiteral("email"), QStringLiteral("m[x]@example.org")}})})}));
        PBController &pb = h.start();
        pb.setSearchString(QLatin1String(c.text));
        pb.clearCurSearchGroup();
        pb.getSearchContactsFromPC();
        EXPECT_EQ(foundNames(pb), c.found) << c.text << (c.prefix ? " prefix" : "") << (c.caseSensitive ? " case" : "");
    }
}

TEST(ContactSearchText, ARunawayPatternFindsNothingAndStopsMatching)
{
    ContactSearch search(QStringLiteral("(a+)+$"), false, false);
    EXPECT_FALSE(search.isPlainText());
    EXPECT_FALSE(search.matches(contact(QString(39, QLatin1Char('a')) + QLatin1Char('!'))));
    EXPECT_TRUE(search.timedOut());
    EXPECT_FALSE(search.matches(contact(QStringLiteral("aaa")))) << "the same search goes on with the runaway text";
    ContactSearch fresh(QStringLiteral("(a+)+$"), false, false);
    EXPECT_TRUE(fresh.matches(contact(QStringLiteral("aaa"))));
}

TEST(ContactSearchText, CollectorsMarkListPositionsAndAFoundContactIsDeletedByItsPlace)
{
    Harness h;
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("A"), {contact("Twin", "1"), contact("Zed", "9")}),
                                         group(QStringLiteral("B"), {contact("Twin", "1")})}));
    PBController &pb = h.start();
    EXPECT_EQ(pb.getCurSearchGroupCount(), -1) << "no result list yet";
    pb.m_SimPhoneList = {contact("Sam", "1"), contact("Twinkle", "2"), contact("Twin", "3")};
    pb.setSearchString(QStringLiteral("twin"));
    EXPECT_TRUE(pb.isMatchforSearchString(contact("Twin")));

    pb.clearCurSearchGroup();
    pb.getSearchContactsFromSIM();
    ASSERT_EQ(pb.getCurSearchGroupCount(), 2);
    EXPECT_EQ(pb.getUserFromCurSearchGroup(0).value(QStringLiteral("listindex")), QStringLiteral("1"));
    EXPECT_EQ(pb.getUserFromCurSearchGroup(1).value(QStringLiteral("listindex")), QStringLiteral("2"));
    EXPECT_EQ(pb.m_SimPhoneList.at(2).value(QStringLiteral("listindex")), QStringLiteral("2"));
    EXPECT_FALSE(pb.m_SimPhoneList.at(0).contains(QStringLiteral("listindex")));
    pb.deleteUserFromCurSearchGroup(PBController::kEmptyWholeSearchResult);
    EXPECT_EQ(pb.getCurSearchGroupCount(), 0);

    // Two equal contacts in two groups: deleting the second result deletes the one in group B.
    pb.getSearchContactsFromPC();
    ASSERT_EQ(pb.getCurSearchGroupCount(), 2);
    EXPECT_EQ(pb.placeOfCurSearchGroup(1), (ContactPlace{PBStorage::PC, 1, 0}));
    ASSERT_TRUE(pb.deleteFoundPcContact(1));
    EXPECT_EQ(pb.sumOfContactInGroup(0), 2);
    EXPECT_EQ(pb.sumOfContactInGroup(1), 0);
    EXPECT_EQ(pb.getCurSearchGroupCount(), 1);
    EXPECT_EQ(h.readList(), QVariant(QVariantList{group(QStringLiteral("A"), {contact("Twin", "1"), contact("Zed", "9")}),
                                                  group(QStringLiteral("B"))}));
    // Deleting the first result moves the places behind it in its group.
    pb.setSearchString(QStringLiteral("."));
    pb.clearCurSearchGroup();
    pb.getSearchContactsFromPC();
    ASSERT_TRUE(pb.deleteFoundPcContact(0));
    EXPECT_EQ(pb.placeOfCurSearchGroup(0), (ContactPlace{PBStorage::PC, 0, 0}));
    EXPECT_EQ(contactName(pb.getUserFromCurSearchGroup(0)), QStringLiteral("Zed"));
    EXPECT_FALSE(pb.deleteFoundPcContact(5));
}

TEST(ContactSearchText, FoundAndEditedContactsFollowTheirPlacesWhenRowsAndGroupsMove)
{
    Harness h;
    // Two equal contacts in two groups, told apart only by their places.
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("M"), {contact("Tom", "1"), contact("Zed", "9")}),
                                         group(QStringLiteral("P"), {contact("Tom", "1")})}));
    PBController &pb = h.start();
    pb.setSearchString(QStringLiteral("tom"));
    pb.clearCurSearchGroup();
    pb.getSearchContactsFromPC();
    ASSERT_EQ(pb.getCurSearchGroupCount(), 2);
    pb.setPcContact(ContactPlace{PBStorage::PC, 1, 0}); // P's Tom is being edited
    const auto groupOfResult = [&pb](int i) {
        const std::optional<ContactPlace> place = pb.placeOfCurSearchGroup(i);
        return place ? pb.getPCUserByIndex(place->group, -1).value(QStringLiteral("groupname")).toString() : QString();
    };

    // An add sorts before P's Tom; a new group sorts before both groups.
    ASSERT_TRUE(pb.addContactToPcPhoneList(contact("Abe", "5"), 1));
    pb.addGroup();
    ASSERT_EQ(pb.groupNames(), (QStringList{"Group 0", "M", "P"}));
    EXPECT_EQ(pb.placeOfCurSearchGroup(0), (ContactPlace{PBStorage::PC, 1, 0}));
    EXPECT_EQ(pb.placeOfCurSearchGroup(1), (ContactPlace{PBStorage::PC, 2, 1}));
    EXPECT_EQ(groupOfResult(1), QStringLiteral("P"));

    ContactDialogValues values;
    values.fields = {QStringLiteral("Tom P"), QStringLiteral("2"), QString(), QString(), QString()};
    pb.setSearchString(QString());
    pb.contactIsEditedInPC(values);
    EXPECT_EQ(contactName(pb.getPCUserByIndex(2, 0)), QStringLiteral("Abe")) << "the edit went to the added contact";
    EXPECT_EQ(contactName(pb.getPCUserByIndex(2, 1)), QStringLiteral("Tom P"));
    EXPECT_EQ(contactName(pb.getPCUserByIndex(1, 0)), QStringLiteral("Tom"));

    // Removing a group and a row: the places behind move, a removed contact leaves the result.
    pb.deleteGrop(0);
    EXPECT_EQ(pb.placeOfCurSearchGroup(1), (ContactPlace{PBStorage::PC, 1, 1}));
    pb.setCurrentgroup(0);
    pb.deleteUserFromCurGrop(0); // M's Tom
    ASSERT_EQ(pb.getCurSearchGroupCount(), 1);
    EXPECT_EQ(groupOfResult(0), QStringLiteral("P"));
    ASSERT_TRUE(pb.deleteFoundPcContact(0));
    EXPECT_EQ(h.readList(), QVariant(QVariantList{group(QStringLiteral("M"), {contact("Zed", "9")}),
                                                  group(QStringLiteral("P"), {contact("Abe", "5")})}));

    // Read again, the computer holds no remembered place.
    pb.getSearchContactsFromPC();
    pb.setPcContact(ContactPlace{PBStorage::PC, 1, 0});
    pb.reloadPCPhoneList();
    EXPECT_EQ(pb.getCurSearchGroupCount(), 0);
    pb.contactIsEditedInPC(values);
    EXPECT_EQ(contactName(pb.getPCUserByIndex(1, 0)), QStringLiteral("Abe"));
}

} // namespace
