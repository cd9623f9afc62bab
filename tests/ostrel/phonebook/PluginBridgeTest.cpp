// The phonebook plug-in's requests through the notification center: a fake plug-in posts them and
// records the answers the controller posts back.
#include "DeviceLinkHarness.h"

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pbtest;

namespace {

// Posts as the plug-in does and records every answer it observes.
class FakePlugin {
public:
    explicit FakePlugin(yov::NotificationCenter &center) : center_(center)
    {
        for (const char *name : {"addContactResult", "searchUserInUSIM", "formatUserName", "formatMobilePhone", "selectUsrInfo"}) {
            center_.addObserver(&observer_, QLatin1String(name), nullptr, [this](const yov::Notification &n) {
                answers << n.name;
                payloads.insert(n.name, n.userInfo.value(n.name));
            });
        }
    }
    void post(const QString &name, const QVariant &payload) { center_.post(name, nullptr, {{name, payload}}); }

    QStringList answers;
    QVariantMap payloads;

private:
    yov::NotificationCenter &center_;
    QObject observer_;
};

// A phonebook of one group (braces alone would copy the group's own list).
QVariantList onlyOneGroup(const QVariantList &g) { return QVariantList{QVariant(g)}; }

QVariantMap pluginItem(const QString &name, const QString &mobile, int index = 0, const QString &savepos = QString())
{
    QVariantMap m{{QStringLiteral("username"), name}, {QStringLiteral("mobilephone"), mobile}};
    if (index > 0)
        m.insert(QStringLiteral("index"), index);
    if (!savepos.isEmpty())
        m.insert(QStringLiteral("savepos"), savepos);
    return m;
}

QVariantMap numberedContact(const QString &name, const QString &mobile, int index)
{
    return contact(name, mobile, {{QStringLiteral("index"), index}});
}

QStringList namesInGroup(const PBController &pb, int group)
{
    return pbtest::namesOf(pb.m_PcPhoneList.value(group).contacts);
}

class PluginBridge : public testing::Test {
protected:
    void start(const QVariantList &groups, int simMax = 3)
    {
        ASSERT_TRUE(h.writeList(groups));
        h.startLinked();
        h.report(yov::kPbStorageSim, {pbtest::item(1, QStringLiteral("Sue"), QStringLiteral("0501"))}, simMax);
        h.settle();
        plugin.answers.clear();
    }
    LinkHarness h;
    FakePlugin plugin{h.notifications};
};

} // namespace

TEST_F(PluginBridge, AnAddGoesToTheSimWhileItHasRoomAndIsListedOnTheAnswer)
{
    start(onlyOneGroup(group(QStringLiteral("Friends"))));
    plugin.post(QStringLiteral("AddNewUserItem"), pluginItem(QStringLiteral("Ola"), QStringLiteral("0170")));
    ASSERT_EQ(h.writes().size(), 1);
    EXPECT_EQ(h.writes().at(0).index, 2);
    EXPECT_TRUE(plugin.answers.isEmpty()) << "the answer comes with the device's";
    h.answerWrite(2, true);
    EXPECT_EQ(plugin.answers, QStringList{QStringLiteral("addContactResult")});
    EXPECT_EQ(pbtest::namesOf(h.pb->m_SimPhoneList), (QStringList{"Ola", "Sue"}));
}

TEST_F(PluginBridge, AFullSimSendsTheAddToTheComputerAtOnce)
{
    start(onlyOneGroup(group(QStringLiteral("Friends"), {numberedContact(QStringLiteral("Ann"), QStringLiteral("01"), 1)})), 1);
    plugin.post(QStringLiteral("AddNewUserItem"), pluginItem(QStringLiteral("Ola"), QStringLiteral("0170")));
    EXPECT_TRUE(h.writes().isEmpty());
    EXPECT_EQ(plugin.answers, QStringList{QStringLiteral("addContactResult")});
    EXPECT_EQ(namesInGroup(*h.pb, 0), (QStringList{"Ann", "Ola"}));
    const QVariantList saved = h.readList().toList().value(0).toList();
    ASSERT_EQ(saved.size(), 3) << "saved";
    EXPECT_EQ(h.pb->getSmartUserByIndexFromAllPhoneList(2, QStringLiteral("SAVEINPC")).value(QStringLiteral("username")).toString(),
              QStringLiteral("Ola"))
        << "a number the first group does not carry";
}

TEST_F(PluginBridge, ARefusedAddSaysWhyAndPostsNothing)
{
    struct Case {
        const char *name;
        QVariantList groups;
        int pcCapacity;
        QVariantMap item;
        QString alert;
    };
    const Case cases[] = {
        {"empty name", onlyOneGroup(group(QStringLiteral("Friends"))), 100, pluginItem(QString(), QStringLiteral("0170")), QStringLiteral("The name should not be null!")},
        {"full computer", onlyOneGroup(group(QStringLiteral("Friends"), {numberedContact(QStringLiteral("Ann"), QStringLiteral("01"), 1)})), 1,
         pluginItem(QStringLiteral("Ola"), QStringLiteral("0170")), QStringLiteral("PC Record full,Please delete records first!")},
        {"no group", {}, 100, pluginItem(QStringLiteral("Ola"), QStringLiteral("0170")), QStringLiteral("There is no group,please create a group first!")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LinkHarness local;
        FakePlugin fake(local.notifications);
        ASSERT_TRUE(local.writeList(c.groups));
        local.startLinked();
        local.report(yov::kPbStorageSim, {pbtest::item(1, QStringLiteral("Sue"), QStringLiteral("0501"))}, 1);
        local.settle();
        local.pb->PCUserMaxCount = c.pcCapacity;
        local.pb->m_PcPhoneList.removeIf([&c](const PcGroup &) { return c.groups.isEmpty(); });
        fake.answers.clear();
        local.presenter.clear();
        const QVariant before = local.readList();
        fake.post(QStringLiteral("AddNewUserItem"), c.item);
        EXPECT_EQ(local.presenter.messages(), QStringList{c.alert});
        EXPECT_TRUE(fake.answers.isEmpty());
        EXPECT_EQ(local.readList(), before) << "nothing saved";
    }
}

TEST_F(PluginBridge, EditAndDeleteFindTheIndexInTheFirstGroupWhileAnotherIsCurrent)
{
    start({group(QStringLiteral("Friends"), {numberedContact(QStringLiteral("Ann"), QStringLiteral("01"), 1),
                                             numberedContact(QStringLiteral("Bob"), QStringLiteral("02"), 2)}),
           group(QStringLiteral("Work"), {numberedContact(QStringLiteral("Zed"), QStringLiteral("09"), 1)})});
    h.pb->setCurrentgroup(1);
    plugin.post(QStringLiteral("editUserItem"), pluginItem(QStringLiteral("Bea"), QStringLiteral("0222"), 2, QStringLiteral("SAVEINPC")));
    EXPECT_EQ(namesInGroup(*h.pb, 0), (QStringList{"Ann", "Bea"}));
    EXPECT_EQ(namesInGroup(*h.pb, 1), QStringList{QStringLiteral("Zed")});
    // Index 1 is in the current group: that one is meant.
    plugin.post(QStringLiteral("deleteUserItem"), pluginItem(QStringLiteral("Zed"), QStringLiteral("09"), 1, QStringLiteral("SAVEINPC")));
    EXPECT_TRUE(namesInGroup(*h.pb, 1).isEmpty());
    EXPECT_EQ(namesInGroup(*h.pb, 0), (QStringList{"Ann", "Bea"}));
    // Index 7 is nowhere: nothing changes, the list is posted as it is.
    plugin.post(QStringLiteral("deleteUserItem"), pluginItem(QStringLiteral("Who"), QStringLiteral("07"), 7, QStringLiteral("SAVEINPC")));
    EXPECT_EQ(namesInGroup(*h.pb, 0), (QStringList{"Ann", "Bea"}));
    EXPECT_EQ(plugin.answers.count(QStringLiteral("addContactResult")), 3);
    EXPECT_EQ(h.presenter.count(), 2) << "each delete asked first";
}

TEST_F(PluginBridge, ADeleteAnsweredWithCancelChangesNothing)
{
    start(onlyOneGroup(group(QStringLiteral("Friends"), {numberedContact(QStringLiteral("Ann"), QStringLiteral("01"), 1)})));
    h.presenter.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    plugin.post(QStringLiteral("deleteUserItem"), pluginItem(QStringLiteral("Ann"), QStringLiteral("01"), 1, QStringLiteral("SAVEINPC")));
    EXPECT_EQ(namesInGroup(*h.pb, 0), QStringList{QStringLiteral("Ann")});
    EXPECT_TRUE(plugin.answers.isEmpty());
}

TEST_F(PluginBridge, SimEditsAndDeletesGoThroughTheDevice)
{
    start(onlyOneGroup(group(QStringLiteral("Friends"))));
    plugin.post(QStringLiteral("editUserItem"), pluginItem(QStringLiteral("Sia"), QStringLiteral("0599"), 1, QStringLiteral("SAVEINSIM")));
    ASSERT_EQ(h.writes().size(), 1);
    h.answerWrite(1, true);
    EXPECT_EQ(pbtest::namesOf(h.pb->m_SimPhoneList), QStringList{QStringLiteral("Sia")});
    plugin.post(QStringLiteral("deleteUserItem"), pluginItem(QStringLiteral("Sia"), QStringLiteral("0599"), 1, QStringLiteral("SAVEINSIM")));
    ASSERT_EQ(h.writes().size(), 2);
    EXPECT_EQ(h.writes().at(1).operation, yov::kPbOperationDelete);
    h.answerWrite(1, true, yov::kPbOperationDelete);
    EXPECT_TRUE(h.pb->m_SimPhoneList.isEmpty());
}

TEST_F(PluginBridge, NameAndNumberChecks)
{
    start(onlyOneGroup(group(QStringLiteral("Friends"))));
    plugin.post(QStringLiteral("checkInputUserName"), QStringLiteral("Alexandra Wilhelmina"));
    EXPECT_EQ(plugin.payloads.value(QStringLiteral("formatUserName")).toString(), QStringLiteral("Alexandra Wilh")) << "14 bytes";
    plugin.post(QStringLiteral("checkInputMobilePhone"), QStringLiteral("0170 555"));
    EXPECT_EQ(plugin.payloads.value(QStringLiteral("formatMobilePhone")).toString(), QStringLiteral("0170555"));
    EXPECT_EQ(h.presenter.messages(), QStringList{QStringLiteral("The item contains invalid charactor(s)!")});
    EXPECT_EQ(h.pb->pluginFields().mobile, QStringLiteral("0170555"));
}

TEST_F(PluginBridge, SelectionSearchAndCallModuleReady)
{
    start(onlyOneGroup(group(QStringLiteral("Friends"))));
    plugin.post(QStringLiteral("selectContact"), 0);
    EXPECT_EQ(plugin.payloads.value(QStringLiteral("selectUsrInfo")).toMap().value(QStringLiteral("username")).toString(),
              QStringLiteral("Sue"));
    ASSERT_TRUE(h.pb->m_SimContact);
    EXPECT_EQ(h.pb->m_SimContact->row, 0);

    plugin.post(QStringLiteral("SearchItemInUSIMList"), QStringLiteral("Su"));
    plugin.post(QStringLiteral("SearchItemInUSIMList"), QStringLiteral("Su"));
    EXPECT_EQ(plugin.payloads.value(QStringLiteral("searchUserInUSIM")).toList().size(), 2) << "the result is not emptied first";

    EXPECT_FALSE(h.pb->isCallModuleReady_);
    h.notifications.post(QStringLiteral("callModuleReady"), nullptr, {});
    EXPECT_TRUE(h.pb->isCallModuleReady_);
}

TEST_F(PluginBridge, RequestsWithoutTheirKeyAndThoseWithoutHandlersDoNothing)
{
    start(onlyOneGroup(group(QStringLiteral("Friends"))));
    for (const char *name : {"AddNewUserItem", "editUserItem", "deleteUserItem", "checkInputUserName", "selectContact",
                             "initPhoneBookSimSide", "addNewContactsInPB"})
        h.notifications.post(QLatin1String(name), nullptr, {{QStringLiteral("other"), 1}});
    EXPECT_TRUE(plugin.answers.isEmpty());
    EXPECT_EQ(h.presenter.count(), 0);
    EXPECT_TRUE(h.writes().isEmpty());
}
