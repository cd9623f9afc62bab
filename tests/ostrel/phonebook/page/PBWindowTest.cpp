// The phonebook page: choosing the side, the enabling rules, columns, capacity, search, inline
// group rename, start-up, device removal and the device-lock gate.
#include "PageHarness.h"

#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace pagetest;

namespace {

QVariantList threeContacts()
{
    return {group(QStringLiteral("Friends"),
                  {contact(QStringLiteral("Ann 1"), QStringLiteral("0301")), contact(QStringLiteral("Ann 2"), QStringLiteral("0302")),
                   contact(QStringLiteral("Ann 3"), QStringLiteral("0303"))}),
            group(QStringLiteral("Work"))};
}

QList<QVariantMap> deviceContacts()
{
    return {contact(QStringLiteral("Ann 1"), QStringLiteral("0401"), {{QStringLiteral("index"), 1}}),
            contact(QStringLiteral("Ann 2"), QStringLiteral("0402"), {{QStringLiteral("index"), 2}}),
            contact(QStringLiteral("Ann 3"), QStringLiteral("0403"), {{QStringLiteral("index"), 3}})};
}

std::string bits(const std::array<bool, 6> &b)
{
    std::string s;
    for (bool v : b)
        s += v ? '1' : '0';
    return s;
}

} // namespace

TEST(PBWindowTest, TheSelectionRulesGiveTheButtonsBySideSearchAndCount)
{
    struct Case {
        int side;
        bool search;
        int selected;
        bool move, call;
        const char *six;
    };
    const Case cases[] = {
        {0, false, 1, true, true, "100111"},   {0, false, 2, true, false, "100110"},
        {0, true, 1, false, true, "000011"},   {0, true, 2, false, false, "000010"},
        {1, false, 1, true, true, "111111"},   {1, false, 2, true, false, "110110"},
        {1, true, 1, false, true, "011011"},   {1, true, 2, false, false, "010010"},
        {2, false, 1, true, true, "111000"},   {2, false, 2, true, false, "110000"},
        {2, true, 1, false, true, "011000"},   {2, true, 2, false, false, "010000"},
    };
    for (const Case &c : cases) {
        PageHarness h({}, toolbarWithCallAndSms());
        ASSERT_TRUE(h.writeList(threeContacts()));
        h.open();
        h.pb->m_SimPhoneList = deviceContacts();
        h.pb->m_MePhoneList = deviceContacts();
        h.pb->simInitFinished_ = true;
        h.pb->isCallModuleReady_ = true;
        h.pb->m_nNetCardStatus = 12;
        h.window->showSideOfSavePosition(c.side);
        if (c.search)
            h.page().m_SearchItem->setText(QStringLiteral("Ann"));
        ASSERT_EQ(h.users().rowCount(), 3) << c.side << c.search;
        h.selectRows(h.page().m_UserList, c.selected == 1 ? QList<int>{1} : QList<int>{0, 2});
        const std::string where = "side " + std::to_string(c.side) + (c.search ? " searching " : " ") + std::to_string(c.selected);
        EXPECT_EQ(bits(h.sixButtons()), c.six) << where;
        EXPECT_EQ(h.page().deleteBtn_->isEnabled(), c.six[4] == '1') << where;
        EXPECT_EQ(h.page().editBtn_->isEnabled(), c.six[5] == '1') << where;
        EXPECT_EQ(h.page().moveMenu->isEnabled(), c.move) << where;
        EXPECT_EQ(h.page().btnExport_->isEnabled(), c.move) << where;
        EXPECT_EQ(h.page().callBtn_->isEnabled(), c.call) << where;
        EXPECT_TRUE(h.page().smsBtn_->isEnabled()) << where << ": the selected contacts have mobile numbers";
    }
}

TEST(PBWindowTest, WithUniqueNamesAndNoSimAddAndEditStayOff)
{
    PageHarness h({{QStringLiteral("ContactNameUniqueCheckingEnabled"), true}});
    h.open();
    h.pb->m_SimPhoneList = deviceContacts();
    h.pb->m_nNetCardStatus = 2;
    h.window->showSideOfSavePosition(1);
    h.selectRows(h.page().m_UserList, {0});
    EXPECT_EQ(bits(h.sixButtons()), "111010");
    EXPECT_FALSE(h.page().editBtn_->isEnabled());
    h.pb->m_nNetCardStatus = 12;
    h.selectRows(h.page().m_UserList, {1});
    EXPECT_EQ(bits(h.sixButtons()), "111111");
}

TEST(PBWindowTest, AClickOnTheSideShownChangesNothing)
{
    PageHarness h;
    ASSERT_TRUE(h.writeList(threeContacts()));
    h.open();
    h.page().m_SearchItem->setText(QStringLiteral("Ann 2"));
    ASSERT_EQ(h.users().rowCount(), 1);
    h.clickCell(0);
    EXPECT_EQ(h.page().m_SearchItem->text(), QStringLiteral("Ann 2"));
    EXPECT_EQ(h.users().rowCount(), 1);
}

TEST(PBWindowTest, TheSimSideWaitsForTheDeviceToSwitchItsStorage)
{
    PageHarness h({}, {{QStringLiteral("HasMePosition"), true}});
    ASSERT_TRUE(h.writeList(threeContacts()));
    h.open();
    h.report(yov::kPbStorageSim, {pbtest::item(1, QStringLiteral("Sue"), QStringLiteral("0501"))}, 50);
    h.report(yov::kPbStorageMe, {pbtest::item(1, QStringLiteral("Max"), QStringLiteral("0601"))}, 100);
    ASSERT_EQ(h.pb->currentStorage(), yov::kPbStorageMe);
    for (QAbstractButton *cell : h.page().m_SavePosition->cells())
        EXPECT_TRUE(cell->isEnabled()) << "every storage was reported: cell " << cell->property("tag").toInt();
    const int before = int(h.switches().size());

    h.clickCell(1);
    EXPECT_EQ(bits(h.sixButtons()), "000000");
    EXPECT_FALSE(h.page().m_SavePosition->isEnabled());
    EXPECT_EQ(h.switches().mid(before), QList<int>{yov::kPbStorageSim}) << "exactly one switch to the SIM";
    EXPECT_EQ(h.pb->lastSelectSavePos_, 0) << "the computer side stays until the answer";
    EXPECT_TRUE(h.page().m_GroupList->isVisible());

    h.answerSwitch(1, yov::kPbStorageSim);
    EXPECT_EQ(h.pb->lastSelectSavePos_, 1);
    EXPECT_FALSE(h.page().m_GroupList->isVisible());
    EXPECT_TRUE(h.page().m_SavePosition->isEnabled());
    ASSERT_EQ(h.users().rowCount(), 1);
    EXPECT_EQ(h.users().index(0, 0).data().toString(), QStringLiteral("Sue"));
    EXPECT_EQ(h.page().conpacity->text(), QStringLiteral("Cur 1  Maxcur 50"));
}

TEST(PBWindowTest, TheCardCellShowsTheCardSide)
{
    PageHarness h({{QStringLiteral("IsShowTCard"), true}});
    h.open();
    h.clickCell(3);
    EXPECT_EQ(h.pb->lastSelectSavePos_, 3);
    EXPECT_FALSE(h.page().m_GroupList->isVisible());
    EXPECT_EQ(h.users().rowCount(), 0);
    EXPECT_EQ(h.page().m_AddGroupBtn->text(), QStringLiteral("New"));
    EXPECT_EQ(h.window->actionOf(h.page().m_AddGroupBtn), QStringLiteral("newUser:"));
}

TEST(PBWindowTest, DeviceSideColumnsFollowTheFieldFlags)
{
    struct Case {
        bool autoDetect;
        int flags;
        QStringList columns;
    };
    const Case cases[] = {
        {false, 31, {"username", "mobilephone"}},
        {true, 3, {"username", "mobilephone"}},
        {true, 31, {"username", "mobilephone", "homephone", "officephone", "email"}},
        {true, 2 | 16, {"mobilephone", "email"}},
    };
    for (const Case &c : cases) {
        PageHarness h({{QStringLiteral("SimFieldAutoDetectionEnabled"), c.autoDetect}});
        h.open();
        h.pb->m_simContactFiledsFlag = c.flags;
        h.window->showSideOfSavePosition(1);
        EXPECT_EQ(h.columnIds(), c.columns) << c.flags;
        const int width = h.page().m_UserList->viewport()->width() / int(c.columns.size());
        for (int i = 0; i < c.columns.size(); ++i)
            EXPECT_EQ(h.page().m_UserList->horizontalHeader()->sectionSize(i), qMax(width, 80)) << c.flags << " column " << i;
        EXPECT_FALSE(h.users().flags(h.users().index(0, 0)) & Qt::ItemIsEditable);
        // The share follows the table's size.
        h.page().resize(1600, 640);
        QApplication::processEvents();
        const int wider = h.page().m_UserList->viewport()->width() / int(c.columns.size());
        ASSERT_GT(wider, width);
        EXPECT_EQ(h.page().m_UserList->horizontalHeader()->sectionSize(0), wider) << c.flags;
    }
}

TEST(PBWindowTest, TheArabicMirrorPutsTheNumberBeforeTheName)
{
    PageHarness h({{QStringLiteral("PhoneBook_InterfaceInversion_AtArabic"), true}});
    ASSERT_TRUE(QDir(h.dir.path()).mkpath(QStringLiteral("Arabic.lproj")));
    ASSERT_TRUE(h.writeBytes("\"Group\" = \"Group\";\n", QStringLiteral("Arabic.lproj/LanguageTokenList.txt")));
    ASSERT_TRUE(Lingrove_Init(h.path(QStringLiteral("Arabic.lproj/LanguageTokenList.txt"))));
    h.open();
    h.pb->m_simContactFiledsFlag = 31;
    h.window->showSideOfSavePosition(1);
    EXPECT_EQ(h.columnIds(), (QStringList{"mobilephone", "username"}));
    Lingrove_Init(QString());
}

TEST(PBWindowTest, WithoutACallAreaTheCallButtonsAreHidden)
{
    PageHarness h;
    h.open();
    EXPECT_FALSE(h.page().PBMainWindowCall_Btn->isVisibleTo(h.window->page()));
    EXPECT_FALSE(h.page().callBtn_->isVisibleTo(h.window->page()));
    EXPECT_TRUE(h.page().smsBtn_->isVisibleTo(h.window->page()));
}

TEST(PBWindowTest, TheCapacityLabelBySide)
{
    struct Case {
        int side;
        const char *hideKey;
        bool hide;
        const char *text;
    };
    const Case cases[] = {
        {0, "HideMaxCountInPC", false, "Cur 3  Maxcur 1000"},   {0, "HideMaxCountInPC", true, "Cur 3"},
        {1, "HideMaxCountInSIM", false, "Cur 2  Maxcur 250"},   {1, "HideMaxCountInSIM", true, "Cur 2"},
        {2, "HideMaxCountInME", false, "Cur 1  Maxcur 500"},    {2, "HideMaxCountInME", true, "Cur 1"},
        {3, "HideMaxCountInSDCard", false, "Cur 0  Maxcur 1000"}, {3, "HideMaxCountInSDCard", true, "Cur 0"},
    };
    for (const Case &c : cases) {
        PageHarness h({{QLatin1String(c.hideKey), c.hide}});
        ASSERT_TRUE(h.writeList(threeContacts()));
        h.open();
        h.pb->m_SimPhoneList = deviceContacts().mid(0, 2);
        h.pb->simMaxIndex_ = 250;
        h.pb->m_MePhoneList = deviceContacts().mid(0, 1);
        h.pb->meMaxIndex_ = 500;
        h.window->showSideOfSavePosition(c.side);
        EXPECT_EQ(h.page().conpacity->text(), QLatin1String(c.text)) << c.side << c.hide;
    }
}

TEST(PBWindowTest, SearchingOnTheComputerEmptiesTheGroupTableUntilCleared)
{
    PageHarness h;
    ASSERT_TRUE(h.writeList(threeContacts()));
    h.open();
    ASSERT_EQ(h.groups().rowCount(), 2);
    EXPECT_TRUE(h.groups().flags(h.groups().index(0, 0)) & Qt::ItemIsEditable);
    h.page().m_SearchItem->setText(QStringLiteral("Ann"));
    EXPECT_EQ(h.groups().rowCount(), 0);
    EXPECT_EQ(h.users().rowCount(), 3);
    EXPECT_EQ(bits(h.sixButtons()), "000000");
    h.page().m_SearchItem->clear();
    ASSERT_EQ(h.groups().rowCount(), 2);
    EXPECT_TRUE(h.groups().flags(h.groups().index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(bits(h.sixButtons()), "100100");
}

TEST(PBWindowTest, InlineGroupRename)
{
    struct Case {
        const char *what;
        QVariantMap header;
        QString newName;
        bool editing;
        QStringList namesAfter;
        bool savedToFile;
        int alerts;
    };
    const QVariantMap plain{{QStringLiteral("groupname"), QStringLiteral("Friends")}};
    QVariantMap reserved = plain;
    reserved.insert(QStringLiteral("bRes"), true);
    const Case cases[] = {
        {"valid", plain, QStringLiteral("Buddies"), true, {"Buddies", "Work"}, true, 0},
        {"duplicate", plain, QStringLiteral("Work"), true, {"Friends", "Work"}, false, 1},
        {"reserved", reserved, QStringLiteral("Buddies"), true, {"Friends", "Work"}, false, 0},
        {"not editing", plain, QStringLiteral("Zed"), false, {"Zed", "Work"}, false, 0},
    };
    for (const Case &c : cases) {
        PageHarness h;
        QVariantList file = threeContacts();
        QVariantList first = file.at(0).toList();
        first[0] = c.header;
        file[0] = first;
        ASSERT_TRUE(h.writeList(file));
        h.open();
        h.pb->isEditing_ = c.editing;
        const QVariant before = h.readList();
        h.groups().setData(h.groups().index(0, 0), c.newName);
        h.settle();
        EXPECT_EQ(h.pb->groupNames(), c.namesAfter) << c.what;
        EXPECT_EQ(h.presenter.count(), c.alerts) << c.what;
        const QVariant after = h.readList();
        EXPECT_EQ(after != before, c.savedToFile) << c.what;
        // A renamed group's contacts carry the new name.
        const int renamed = c.namesAfter.contains(c.newName) && c.alerts == 0 ? h.pb->userGroupIndexByGroupName(c.newName) : -1;
        for (int row = 0; row < h.pb->sumOfContactInGroup(renamed); ++row)
            EXPECT_EQ(h.pb->getPCUserByIndex(renamed, row).value(QStringLiteral("groupname")).toString(), c.newName)
                << c.what;
    }
}

TEST(PBWindowTest, TheSavePositionCellsByMatrixShape)
{
    struct Case {
        int rows, columns;
        bool me, card;
        QList<QPoint> places; // (column, row) per cell in tag order
    };
    const Case cases[] = {
        {1, 4, false, false, {{0, 0}, {1, 0}}},
        {1, 4, true, false, {{0, 0}, {1, 0}, {2, 0}}},
        {1, 4, false, true, {{0, 0}, {1, 0}, {2, 0}}},
        {1, 4, true, true, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {4, 1, false, false, {{0, 0}, {0, 1}}},
        {4, 1, true, false, {{0, 0}, {0, 1}, {0, 2}}},
        {4, 1, false, true, {{0, 0}, {0, 1}, {0, 2}}},
        {4, 1, true, true, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}},
    };
    for (const Case &c : cases) {
        PageHarness h({{QStringLiteral("IsShowTCard"), c.card}}, {{QStringLiteral("HasMePosition"), c.me}});
        PBPage::Layout layout;
        layout.matrixRows = c.rows;
        layout.matrixColumns = c.columns;
        h.open(layout);
        NSMatrix *matrix = h.page().m_SavePosition;
        QList<QPoint> places;
        QStringList titles;
        QList<int> tags;
        for (QAbstractButton *cell : matrix->cells()) {
            const QPoint p = matrix->placeOfCell(cell);
            places << QPoint(p.y(), p.x());
            titles << cell->text();
            tags << cell->property("tag").toInt();
        }
        EXPECT_EQ(places, c.places) << c.rows << "x" << c.columns << " me " << c.me << " card " << c.card;
        QStringList expectedTitles{"PC", "(U)SIM"};
        QList<int> expectedTags{0, 1};
        if (c.me) {
            expectedTitles << "Data Card";
            expectedTags << 2;
        }
        if (c.card) {
            expectedTitles << "SD Card";
            expectedTags << 3;
        }
        EXPECT_EQ(titles, expectedTitles);
        EXPECT_EQ(tags, expectedTags);
        EXPECT_EQ(h.window->savePositionTag(), 0) << "the computer is chosen at start";
    }
}

TEST(PBWindowTest, StartUpWordingAndButtons)
{
    for (const bool noTitle : {false, true}) {
        PageHarness h({{QStringLiteral("NoTitleOfPBBtn"), noTitle}}, toolbarWithCallAndSms());
        ASSERT_TRUE(h.writeList(threeContacts()));
        h.open();
        const PBPage &p = h.page();
        EXPECT_EQ(p.m_SendSMSBtn->text(), noTitle ? QString() : QStringLiteral("SMS"));
        EXPECT_EQ(p.m_SendSMSBtn->toolTip(), noTitle ? QStringLiteral("SMS") : QString());
        EXPECT_EQ(p.m_AddUserBtn->toolTip(), noTitle ? QStringLiteral("New") : QString());
        EXPECT_EQ(p.PBMainWindowCopyTo_Btn->text(), QStringLiteral("CopyTo:"));
        EXPECT_EQ(p.moveAndDelContLbl_->text(), QStringLiteral("MoveTo:"));
        EXPECT_EQ(p.btnExport_->text(), QStringLiteral("Export"));
        EXPECT_TRUE(p.PBMainWindowCall_Btn->isVisibleTo(h.window->page()));
        EXPECT_FALSE(p.m_SaveBtn->isVisibleTo(h.window->page()));
        EXPECT_EQ(h.groups().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Group"));
        EXPECT_EQ(h.users().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
        EXPECT_EQ(bits(h.sixButtons()), "100100");
        EXPECT_FALSE(p.moveMenu->isEnabled());
        EXPECT_FALSE(p.m_SendSMSBtn->isEnabled());
        EXPECT_EQ(p.moveMenu->count(), 1);
        EXPECT_EQ(p.moveMenu->itemText(0), QStringLiteral("(U)SIM"));
        EXPECT_EQ(p.conpacity->text(), QStringLiteral("Cur 3  Maxcur 1000"));
        EXPECT_EQ(h.groups().rowCount(), 2);
        EXPECT_EQ(p.tvwContactInfo_->toPlainText(), QStringLiteral("There is not contact selected"));
        // The plug-in's table is registered: the call area's readiness reaches the controller.
        EXPECT_FALSE(h.pb->isCallModuleReady_);
        h.notifications.post(QStringLiteral("callModuleReady"), nullptr);
        EXPECT_TRUE(h.pb->isCallModuleReady_);
    }
}

TEST(PBWindowTest, TheInformationTextNamesTheSideAndTheFields)
{
    PageHarness h;
    ASSERT_TRUE(h.writeList(threeContacts()));
    h.open();
    h.selectRows(h.page().m_UserList, {1});
    const QString text = h.page().tvwContactInfo_->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("PC\n\nName: Ann 2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("MobilePhone: 0302"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nGroup:"))) << text.toStdString();
    h.selectRows(h.page().m_UserList, {});
    EXPECT_EQ(h.page().tvwContactInfo_->toPlainText(), QStringLiteral("There is not contact selected"));
}

TEST(PBWindowTest, TheDeviceRemovalReturnsToTheComputerFile)
{
    PageHarness h({}, {{QStringLiteral("PCDataWithIMSI"), true}, {QStringLiteral("HasMePosition"), true}});
    ASSERT_TRUE(h.writeList(threeContacts()));
    ASSERT_TRUE(h.writeList(QVariantList{group(QStringLiteral("Mine"), {contact(QStringLiteral("Sue"), QStringLiteral("0999"))})},
                            QStringLiteral("262_phoneBook.plist")));
    h.open();
    h.report(yov::kPbStorageSim, {pbtest::item(1, QStringLiteral("Sue"), QStringLiteral("0501"))}, 50);
    h.pb->loadPcPhoneListByImsi(QStringLiteral("262_phoneBook.plist"));
    h.pb->m_AddContactList.append(contact(QStringLiteral("Pending")));
    h.window->showSideOfSavePosition(1);
    int removedInfo = 0;
    QObject observer;
    h.notifications.addObserver(&observer, QStringLiteral("deviceRemovedInfo"), nullptr, [&](const yov::Notification &n) {
        ++removedInfo;
        EXPECT_EQ(n.userInfo.value(QStringLiteral("deviceRemovedInfo")).toString(), QStringLiteral("DeviceHasRemoved"));
    });

    h.notifications.post(QStringLiteral("DeviceRemoved"), nullptr);

    EXPECT_EQ(removedInfo, 1);
    EXPECT_TRUE(h.pb->m_AddContactList.isEmpty());
    EXPECT_TRUE(h.pb->m_allPhoneList.isEmpty());
    EXPECT_EQ(h.pb->getSimUserNumber(), 0);
    EXPECT_EQ(h.pb->lastSelectSavePos_, 0);
    EXPECT_EQ(h.window->savePositionTag(), 0);
    EXPECT_TRUE(h.page().m_GroupList->isVisible());
    EXPECT_EQ(h.pb->currentPcFileName(), QStringLiteral("phoneBook.plist"));
    EXPECT_EQ(h.pb->groupNames(), (QStringList{"Friends", "Work"}));
    EXPECT_EQ(h.users().rowCount(), 3);
    EXPECT_FALSE(h.page().m_DeleteUserBtn->isEnabled());
}

namespace {

class LockSetting : public DefaultSettingController {
public:
    bool getDeviceUnlockCodeState() const override { return on; }
    bool on = false;
};

class RecordingInit : public DefaultInitController {
public:
    using DefaultInitController::DefaultInitController;
    void openUnlockDeviceWindow(QWidget *window) override { sheets << window; }
    QList<QWidget *> sheets;
};

} // namespace

TEST(PBWindowTest, TheDeviceLockGateOnEnteringThePhonebook)
{
    struct Case {
        bool guarded, lockOn;
        int answerModule;
        bool dialogOpen;
        bool success;
        bool sheet;
        const char *tabAfter;
        bool dialogAfter;
    };
    const Case cases[] = {
        {false, true, 2, false, true, false, "SMS", false},
        {true, false, 2, false, true, false, "SMS", false},
        {true, true, 2, false, true, true, "Phonebook", false},
        {true, true, 2, false, false, true, "Internet", false},
        {true, true, 2, true, false, true, "Internet", false},
        {true, true, 2, true, true, true, "Phonebook", true},
        {true, true, 1, false, true, true, "SMS", false},
        {true, true, 1, true, false, true, "SMS", true},
    };
    for (const Case &c : cases) {
        PageHarness h({}, {{QStringLiteral("DeviceLockPBFunction"), c.guarded}});
        LockSetting setting;
        setting.on = c.lockOn;
        RecordingInit init;
        Neighbours::setSetting(&setting);
        Neighbours::setInit(&init);
        h.open();
        QTabWidget tabs;
        for (const char *id : {"Internet", "SMS", "Phonebook"}) {
            auto *tab = new QWidget;
            setTabViewItemIdentifier(tab, QLatin1String(id));
            tabs.addTab(tab, QLatin1String(id));
        }
        tabs.setCurrentIndex(1);
        h.pb->tabviewMain = &tabs;
        QWidget dialog;
        if (c.dialogOpen) {
            dialog.show();
            h.window->setContactDialog(&dialog);
        }
        h.notifications.post(QStringLiteral("TabViewItemWillChange"), nullptr,
                             {{QStringLiteral("TabViewItemWillChange"), QStringLiteral("Phonebook")}});
        const std::string where = std::to_string(c.guarded) + std::to_string(c.lockOn) + " module " + std::to_string(c.answerModule)
                                  + (c.dialogOpen ? " dialog" : "") + (c.success ? " success" : " failure");
        ASSERT_EQ(init.sheets.size(), c.sheet ? 1 : 0) << where;
        if (c.sheet) {
            EXPECT_EQ(init.sheets.first(), c.dialogOpen ? &dialog : h.pb->wndMain.data()) << where;
            EXPECT_EQ(init.getDeviceLockFunctionModule(), 2) << where;
            init.setDeviceLockFunctionModule(c.answerModule);
            h.notifications.post(c.success ? QStringLiteral("DeviceUnlockSuccess") : QStringLiteral("DeviceUnlockFailed"), nullptr);
        }
        EXPECT_EQ(tabViewItemIdentifier(tabs.currentWidget()), QLatin1String(c.tabAfter)) << where;
        if (c.dialogOpen) {
            EXPECT_EQ(dialog.isVisible(), c.dialogAfter) << where;
        }
        h.pb->tabviewMain = nullptr;
        Neighbours::setSetting(nullptr);
        Neighbours::setInit(nullptr);
    }
}

TEST(PBWindowTest, ALanguageChangeRenamesOnlyTheUntouchedDefaultGroup)
{
    struct Case {
        const char *name;
        bool switchOn;
        QVariantList groups;
        QStringList expected;
    };
    const Case cases[] = {
        {"the untouched default group", true, {group(QStringLiteral("Group 0"))}, {"Groupe 0"}},
        {"switch off", false, {group(QStringLiteral("Group 0"))}, {"Group 0"}},
        {"a contact in it", true, {group(QStringLiteral("Group 0"), {contact(QStringLiteral("Ann"), QStringLiteral("0301"))})}, {"Group 0"}},
        {"renamed by the user", true, {group(QStringLiteral("Friends"))}, {"Friends"}},
        {"two groups", true, {group(QStringLiteral("Group 0")), group(QStringLiteral("Work"))}, {"Group 0", "Work"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool tree : {false, true}) {
            SCOPED_TRACE(tree ? "with a tree" : "without a tree");
            PageHarness h({{QStringLiteral("ChangeDefGrpNameWithLag"), c.switchOn}});
            ASSERT_TRUE(h.writeList(c.groups));
            ASSERT_TRUE(QDir(h.dir.path()).mkpath(QStringLiteral("French.lproj")));
            ASSERT_TRUE(h.writeBytes("\"Group\" = \"Groupe\";\n\"PC\" = \"Ordinateur\";\n",
                                    QStringLiteral("French.lproj/LanguageTokenList.txt")));
            h.open({.tree = tree});

            ASSERT_TRUE(Lingrove_Init(h.path(QStringLiteral("French.lproj/LanguageTokenList.txt"))));
            h.pb->updateLanguages();
            Lingrove_Init(QString());

            EXPECT_EQ(h.pb->groupNames(), c.expected);
            EXPECT_EQ(h.groups().rowCount(), c.expected.size());
            EXPECT_EQ(h.readList().toList().size(), c.expected.size());
            if (tree) {
                QStringList nodes;
                const Node *pc = h.window->source()->nodeOfPc();
                for (int row = 0; row < pc->childCount(); ++row)
                    nodes << pc->child(row)->name();
                EXPECT_EQ(nodes, c.expected);
                EXPECT_EQ(pc->name(), QStringLiteral("Ordinateur")) << "the storage node follows the language";
            }
            if (c.switchOn && c.expected.first() == QLatin1String("Groupe 0")) {
                // The next change starts from the new name.
                EXPECT_EQ(h.store->getConfigurationByModuleAndKey(QStringLiteral("PhoneBook"), QStringLiteral("CurDefGrpName")).toString(),
                          QStringLiteral("Groupe 0"));
                h.pb->updateLanguages();
                EXPECT_EQ(h.pb->groupNames(), (QStringList{"Group 0"}));
            }
        }
    }
}
