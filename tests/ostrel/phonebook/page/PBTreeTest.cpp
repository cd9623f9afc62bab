// The phonebook page's storage tree, its menus, the Call button's menu, SMS to a group and saving
// an SMS sender.
#include "PageHarness.h"

#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/Items.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pagetest;

namespace {

QVariantList twoGroups()
{
    return {group(QStringLiteral("Work"), {contact(QStringLiteral("Wes"), QStringLiteral("0201")),
                                           contact(QStringLiteral("Wil"), QString())}),
            group(QStringLiteral("Friends"), {contact(QStringLiteral("Ann"), QStringLiteral("0101")),
                                              contact(QStringLiteral("Bob"), QStringLiteral("0101"))})};
}

PBPage::Layout treeLayout()
{
    PBPage::Layout layout;
    layout.tree = true;
    return layout;
}

QStringList childNames(const Node *node)
{
    QStringList names;
    for (int i = 0; i < node->childCount(); ++i)
        names << node->child(i)->name();
    return names;
}

QStringList titles(const QMenu *menu)
{
    QStringList t;
    for (const QAction *a : menu->actions())
        t << a->text();
    return t;
}

class RecordingSms : public DefaultSMSController {
public:
    void toNewMsgWinWithPhoneNumbers(const QStringList &numbers, const QString &module) override
    {
        calls << QPair<QStringList, QString>(numbers, module);
    }
    QList<QPair<QStringList, QString>> calls;
};

} // namespace

TEST(PBTreeTest, TheSimNodeFollowsTheDeviceState)
{
    struct Case {
        QList<int> states;
        bool simNode;
    };
    const Case cases[] = {
        {{12}, true}, {{12, 12}, true}, {{12, 2}, false}, {{12, 4}, false}, {{2}, false}, {{4, 12}, true},
    };
    for (const Case &c : cases) {
        PageHarness h;
        ASSERT_TRUE(h.writeList(twoGroups()));
        h.open(treeLayout());
        for (int state : c.states)
            h.pb->netcardChanged(state);
        const Node *root = h.window->source()->root();
        const QStringList expected = c.simNode ? QStringList{"PC", "(U)SIM"} : QStringList{"PC"};
        EXPECT_EQ(childNames(root), expected) << c.states.size();
        EXPECT_EQ(h.window->source()->model()->rowCount(), expected.size());
    }
    // The base events reach it by name.
    PageHarness h;
    h.open(treeLayout());
    h.notifications.post(QStringLiteral("SimReady"), nullptr);
    EXPECT_TRUE(h.window->source()->isSimNodeAttached());
    EXPECT_EQ(h.pb->m_nNetCardStatus, 12);
    h.notifications.post(QStringLiteral("DevicePlugin"), nullptr);
    EXPECT_FALSE(h.window->source()->isSimNodeAttached());
    EXPECT_EQ(h.pb->m_nNetCardStatus, 2);
}

TEST(PBTreeTest, TheTreeShowsTheGroupsInOrderAndAGroupNodeSelectsItsRow)
{
    PageHarness h;
    ASSERT_TRUE(h.writeList(twoGroups()));
    h.open(treeLayout());
    PBSource *source = h.window->source();
    ASSERT_EQ(childNames(source->nodeOfPc()), (QStringList{"Friends", "Work"}));
    EXPECT_EQ(source->selectedRow(), 0) << "the PC node is selected at start";
    source->selectRow(2); // "Work"
    EXPECT_EQ(source->typeOfNode(source->selectedNode()), PBSource::GroupNode);
    const QList<int> rows = PBWindow::getSelectedRowIndexes(h.page().m_GroupList);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(h.pb->getPCUserByIndex(rows.first(), -1).value(QStringLiteral("groupname")).toString(), QStringLiteral("Work"));
    EXPECT_EQ(h.pb->currentGroupIndex(), rows.first());
    EXPECT_EQ(h.users().rowCount(), 2);
}

TEST(PBTreeTest, TheNewMenuByNodeType)
{
    struct Case {
        int type;
        bool newContact, newGroup;
    };
    const Case cases[] = {{0, true, true}, {1, true, true}, {2, true, false}, {3, false, false}};
    for (const Case &c : cases) {
        PageHarness h;
        h.open(treeLayout());
        PBSource *source = h.window->source();
        source->flashNewPopUpMenuStatusByNodeType(c.type);
        const QList<QAction *> items = source->newMenu()->actions();
        ASSERT_EQ(items.size(), 2);
        EXPECT_EQ(items.at(0)->isEnabled(), c.newContact) << c.type;
        EXPECT_EQ(items.at(1)->isEnabled(), c.newGroup) << c.type;
        EXPECT_EQ(items.at(0)->property("selector").toString(), c.newContact ? QStringLiteral("newUser:") : QString());
        EXPECT_EQ(items.at(1)->property("selector").toString(), c.newGroup ? QStringLiteral("addGroup:") : QString());
    }
}

TEST(PBTreeTest, TheNodeMenuByNodeKindAndSelection)
{
    struct Case {
        const char *node;
        bool selected;
        QStringList items;
        bool active;
    };
    const Case cases[] = {
        {"PC", true, {"Send SMS to Group", "New Group"}, true},
        {"(U)SIM", true, {"Send SMS to Group"}, true},
        {"Work", true, {"Send SMS to Group", "New Group", "Delete Group", "Rename Group"}, true},
        {"Work", false, {"Send SMS to Group", "New Group", "Delete Group", "Rename Group"}, false},
    };
    PageHarness h;
    ASSERT_TRUE(h.writeList(twoGroups()));
    h.open(treeLayout());
    h.pb->netcardChanged(12);
    PBSource *source = h.window->source();
    // The menu is changed in place from one opening to the next.
    for (const Case &c : cases) {
        Node *node = QLatin1String(c.node) == QLatin1String("PC")       ? source->nodeOfPc()
                     : QLatin1String(c.node) == QLatin1String("(U)SIM") ? source->nodeOfSim()
                                                                         : source->nodeOfPc()->child(1);
        source->menuWillOpen(node, c.selected);
        EXPECT_EQ(titles(source->nodeMenu()), c.items) << c.node;
        const QList<QAction *> items = source->nodeMenu()->actions();
        for (int i = 1; i < items.size(); ++i)
            EXPECT_EQ(items.at(i)->isEnabled(), c.active) << c.node << " item " << i;
        EXPECT_TRUE(items.at(0)->isEnabled()) << "item 0 is never changed";
    }
}

TEST(PBTreeTest, TheCallMenuOffersTheSelectedContactsNumbers)
{
    struct Case {
        QVariantMap contact;
        QStringList items;
    };
    const Case cases[] = {
        {{{"username", "Hal"}, {"homephone", "0301"}}, {"Home Number:0301"}},
        {{{"username", "Mo"}, {"mobilephone", "0171"}, {"homephone", "0301"}}, {"Mobile Number:0171", "Home Number:0301"}},
        {{{"username", "All"}, {"mobilephone", "1"}, {"homephone", "2"}, {"officephone", "3"}},
         {"Mobile Number:1", "Office Number:3", "Home Number:2"}},
    };
    for (const Case &c : cases) {
        PageHarness h({}, toolbarWithCallAndSms());
        ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("G"), {c.contact})}));
        h.open();
        h.pb->simInitFinished_ = true;
        h.pb->isCallModuleReady_ = true;
        h.selectRows(h.page().m_UserList, {0});
        EXPECT_EQ(titles(h.page().popUpMenuOnCallButton_), c.items);
    }
}

TEST(PBTreeTest, CallingFromTheMenu)
{
    PageHarness h({}, {{QStringLiteral("Call"), QVariantMap{{QStringLiteral("Call_SpecialPhoneNumberNeedDisplayInTheInputBox"),
                                                              QStringLiteral("*100#")}}}});
    h.open();
    QList<QPair<QString, QVariantMap>> posted;
    QObject observer;
    for (const char *name : {"makeCallWithPhoneNumber", "SpecialPhoneNumber", "TabViewItemWillChange"})
        h.notifications.addObserver(&observer, QLatin1String(name), nullptr, [&posted, name](const yov::Notification &n) {
            posted << QPair<QString, QVariantMap>(QLatin1String(name), n.userInfo);
        });
    QAction normal(QStringLiteral("Mobile Number:0171 5"));
    h.window->clickMenuItemToCall(&normal);
    ASSERT_EQ(posted.size(), 1);
    EXPECT_EQ(posted.at(0).first, QStringLiteral("makeCallWithPhoneNumber"));
    EXPECT_EQ(posted.at(0).second.value(QStringLiteral("makeCallWithPhoneNumber")).toString(), QStringLiteral("0171 5"));

    posted.clear();
    QAction special(QStringLiteral("Home Number:*100#"));
    h.window->clickMenuItemToCall(&special);
    ASSERT_EQ(posted.size(), 2);
    EXPECT_EQ(posted.at(0).first, QStringLiteral("SpecialPhoneNumber"));
    EXPECT_EQ(posted.at(0).second.value(QStringLiteral("makeCallWithPhoneNumber")).toString(), QStringLiteral("*100#"));
    EXPECT_EQ(posted.at(1).first, QStringLiteral("TabViewItemWillChange"));
    EXPECT_EQ(posted.at(1).second.value(QStringLiteral("TabViewItemWillChange")).toString(), QStringLiteral("Call"));
}

TEST(PBTreeTest, GroupSmsNumbersBySelectedNode)
{
    struct Case {
        bool tree;
        int treeRow; // with a tree: 0 PC, 1 Friends, 2 Work, 3 (U)SIM
        QStringList numbers;
    };
    const Case cases[] = {
        {true, 0, {"0101", "0101", "0201"}},
        {true, 1, {"0101", "0101"}},
        {true, 2, {"0201"}},
        {true, 3, {"0501"}},
        {false, -1, {"0101", "0101"}},
    };
    for (const Case &c : cases) {
        RecordingSms sms;
        Neighbours::setSms(&sms);
        PageHarness h;
        ASSERT_TRUE(h.writeList(twoGroups()));
        PBPage::Layout layout;
        layout.tree = c.tree;
        h.open(layout);
        h.pb->m_SimPhoneList = {contact(QStringLiteral("Sue"), QStringLiteral("0501")), contact(QStringLiteral("Nil"), QString())};
        h.pb->setCurrentgroup(h.pb->userGroupIndexByGroupName(QStringLiteral("Friends")));
        if (c.tree) {
            h.pb->netcardChanged(12);
            h.window->source()->selectRow(c.treeRow);
        }
        h.window->perform(QStringLiteral("sendSMSToOneGroup:"));
        ASSERT_EQ(sms.calls.size(), 1) << c.treeRow;
        EXPECT_EQ(sms.calls.first().first, c.numbers) << c.treeRow;
        EXPECT_EQ(sms.calls.first().second, QStringLiteral("PhoneBook"));
        Neighbours::setSms(nullptr);
    }
}

TEST(PBTreeTest, TheSmsButtonWritesToAGroupOnceAGroupRowIsChosen)
{
    RecordingSms sms;
    Neighbours::setSms(&sms);
    {
        PageHarness h({}, toolbarWithCallAndSms());
        ASSERT_TRUE(h.writeList(twoGroups()));
        h.open();
        h.pb->simInitFinished_ = true;
        h.selectRows(h.page().m_GroupList, {1}); // Work
        EXPECT_TRUE(h.window->m_bGroupsentSMS);
        EXPECT_TRUE(h.page().m_SendSMSBtn->isEnabled());
        h.page().m_SendSMSBtn->click();
        ASSERT_EQ(sms.calls.size(), 1);
        EXPECT_EQ(sms.calls.first().first, QStringList{"0201"});
    }
    Neighbours::setSms(nullptr);
}

namespace {
class ToolbarMain : public DefaultMainController {
public:
    QList<NSToolbarItemExt *> toolbarItemsArray() const override { return items; }
    QList<NSToolbarItemExt *> items;
};
} // namespace

TEST(PBTreeTest, TheToolbarsFlickerButtonsAreFoundByIdentifier)
{
    ToolbarMain main;
    NSToolbarItemExt call, sms;
    call.setObjectName(QStringLiteral("Call"));
    sms.setObjectName(QStringLiteral("SMS"));
    NSFlickerButton flicker;
    QWidget plain;
    call.setProperty("itemView", QVariant::fromValue<QWidget *>(&flicker));
    sms.setProperty("itemView", QVariant::fromValue<QWidget *>(&plain));
    main.items = {&sms, &call};
    Neighbours::setMain(&main);
    PageHarness h;
    h.open();
    EXPECT_EQ(Neighbours::phonebook().getFlickerButtonOfToolItemFromID(QStringLiteral("Call")), &flicker);
    EXPECT_EQ(h.window->getFlickerButtonOfToolItemFromID(QStringLiteral("SMS")), nullptr) << "not a flicker button";
    EXPECT_EQ(h.window->getFlickerButtonOfToolItemFromID(QString()), nullptr);
    EXPECT_EQ(h.window->getFlickerButtonOfToolItemFromID(QStringLiteral("Phonebook")), nullptr);
    Neighbours::setMain(nullptr);
}

TEST(PBTreeTest, SavingAnSmsSenderChoosesTheCellAndOpensTheDialog)
{
    struct Actions : DefaultPBPageActions {
        void newUser() override { ++newUsers; }
        void openAddDialogToSaveNumber(int savePosition, const QString &number) override
        {
            opened << QStringLiteral("%1 %2").arg(savePosition).arg(number);
        }
        int newUsers = 0;
        QStringList opened;
    };
    PageHarness h;
    h.open();
    Actions actions;
    h.window->setActions(&actions);
    // The items of the SMS page's menu, known by their names, name the storage.
    QAction toSim;
    toSim.setObjectName(QStringLiteral("savePhoneNumberToSIMMenuItem_"));
    Neighbours::phonebook().clickSavePhoneNumber(&toSim);
    h.window->menuItemOfSaveNumberToPC()->trigger();
    EXPECT_EQ(actions.opened, (QStringList{"1 ", "0 "})) << "through the save road, without an SMS page";
    EXPECT_EQ(actions.newUsers, 0);
    EXPECT_FALSE(h.window->savePhoneNumberFromSMS());

    // Any other item opens the add dialog of the side shown for the selected message's sender.
    QStringList tabs;
    QObject observer;
    h.notifications.addObserver(&observer, QStringLiteral("TabViewItemWillChange"), nullptr, [&tabs](const yov::Notification &n) {
        tabs << n.userInfo.value(QStringLiteral("TabViewItemWillChange")).toString();
    });
    QAction other;
    Neighbours::phonebook().clickSavePhoneNumber(&other);
    EXPECT_EQ(h.window->savePositionTag(), 0);
    EXPECT_TRUE(h.window->savePhoneNumberFromSMS());
    EXPECT_EQ(actions.newUsers, 1);
    EXPECT_EQ(tabs, QStringList{"Phonebook"});
    h.window->setActions(nullptr);
}
