// The phonebook tab in the assembled dashboard against the stand-in: the computer side at start,
// the SIM side once the SIM is ready, the device side after the storage switch, and the return to
// the computer side when the device is removed. Pictures of the tab go to $OSTREL_TEST_SCREENSHOTS.
#include "DashboardFixture.h"
#include "PhonebookStandIn.h"

#include "common/PlistBridge.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/phonebook/page/PBSource.h"
#include "ostrel/phonebook/page/PBWindow.h"

#include <QDBusMessage>
#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSet>
#include <QTest>
#include <QTextBrowser>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class DashboardPhonebookPageTest : public PhonebookFixture {
protected:
    QStringList shownNames() const
    {
        QStringList names;
        const PBTableModel *users = window()->userModel();
        for (int row = 0; row < users->rowCount(); ++row)
            names << users->index(row, 0).data().toString();
        return names;
    }
    void selectContact(int row) const
    {
        QTableView *table = window()->page()->m_UserList;
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
};

QVariantList twoGroups()
{
    return {QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Family")}},
                         QVariantMap{{QStringLiteral("username"), QStringLiteral("Ida Holm")},
                                     {QStringLiteral("mobilephone"), QStringLiteral("+4917011111")},
                                     {QStringLiteral("email"), QStringLiteral("ida@example.org")}},
                         QVariantMap{{QStringLiteral("username"), QStringLiteral("Per Holm")},
                                     {QStringLiteral("mobilephone"), QStringLiteral("+4917022222")}}},
            QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Work")}},
                         QVariantMap{{QStringLiteral("username"), QStringLiteral("Desk")},
                                     {QStringLiteral("officephone"), QStringLiteral("+493055555")}}}};
}

} // namespace

TEST_F(DashboardPhonebookPageTest, TheTabFollowsTheSidesAndTheDevice)
{
    ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(QStringLiteral("phoneBook.plist")), twoGroups()));
    launch(QStringLiteral("default.plist"));
    ASSERT_NE(window(), nullptr);
    ASSERT_EQ(window()->page()->parentWidget(), main()->tabPage(QStringLiteral("Phonebook"))) << "the page is in its tab";
    showPhonebookTab();

    // The computer side at start.
    EXPECT_EQ(window()->savePositionTag(), 0);
    EXPECT_EQ(pb()->lastSelectSavePos_, 0);
    EXPECT_EQ(window()->groupModel()->rowCount(), 2);
    EXPECT_EQ(shownNames(), (QStringList{"Ida Holm", "Per Holm"}));
    EXPECT_EQ(window()->page()->m_SavePosition->cells().size(), 3) << "PC, (U)SIM and Data Card";

    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->simInitFinished_ && pb()->meInitFinished_; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return window()->source()->isSimNodeAttached(); }, kWaitMs))
        << "the SIM node comes with SIM ready";
    selectContact(0);
    EXPECT_TRUE(window()->page()->tvwContactInfo_->toPlainText().contains(QStringLiteral("Ida Holm")));
    saveScreenshot(main()->wndMain, QStringLiteral("phonebook-computer.png"));

    // The SIM side: the modem is on the SIM already.
    control(QStringLiteral("ClearReceived"));
    clickCell(1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->lastSelectSavePos_ == 1; }, kWaitMs));
    EXPECT_EQ(shownNames(), (QStringList{"Jonas Ek", "Mara Lind", "Voicemail"}));
    EXPECT_EQ(window()->page()->conpacity->text(), QStringLiteral("Cur 3  Maxcur 250"));
    selectContact(1);
    EXPECT_TRUE(window()->page()->tvwContactInfo_->toPlainText().startsWith(QStringLiteral("(U)SIM\n\nName: Mara Lind")));
    saveScreenshot(main()->wndMain, QStringLiteral("phonebook-sim.png"));

    // The device side after the storage switch.
    control(QStringLiteral("ClearReceived"));
    clickCell(2);
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->lastSelectSavePos_ == 2; }, kWaitMs)) << "the switch was not answered";
    EXPECT_TRUE(receivedIds().contains(QStringLiteral("1027/118")));
    EXPECT_EQ(shownNames(), QStringList{"Service desk"});

    // The removal.
    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return pb()->lastSelectSavePos_ == 0; }, kWaitMs)) << "the page stayed on the device";
    EXPECT_EQ(window()->savePositionTag(), 0);
    EXPECT_EQ(pb()->getSimUserNumber(), 0);
    EXPECT_EQ(pb()->getMeUserNumber(), 0);
    EXPECT_FALSE(window()->source()->isSimNodeAttached());
    EXPECT_EQ(window()->groupModel()->rowCount(), 2);
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardPhonebookPageTest, TheDefaultSkinDressesEveryControlOfTheTab)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_NE(window(), nullptr);
    SkinManagerAccess *skin = pb()->yovSkinManager();
    ASSERT_NE(skin, nullptr);
    QSet<QObject *> bound;
    for (const auto &[key, control] : window()->skinBindings()) {
        EXPECT_TRUE(skin->hasKey(key)) << "no default skin item for " << key.toStdString();
        if (!control || bound.contains(control))
            continue; // a control is registered under its first key only
        bound.insert(control);
        EXPECT_EQ(skin->controllerByKey(key), control) << key.toStdString();
    }
    EXPECT_FALSE(bound.isEmpty());
}

TEST_F(DashboardPhonebookPageTest, ALanguageChangeRenamesTheUntouchedDefaultGroup)
{
    ASSERT_TRUE(useGermanTokenList("\"Group\" = \"Gruppe\";\n\"PC\" = \"Rechner\";\n"));
    setSettings({{QStringLiteral("SupportLanguages"), QVariantList{}},
                 {QStringLiteral("CurrentLanguage"), QStringLiteral("English")},
                 {QStringLiteral("PhoneBook/ChangeDefGrpNameWithLag"), true}});
    ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(QStringLiteral("phoneBook.plist")),
                                            QVariantList{QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Group 0")}}}}));
    launch(QStringLiteral("default.plist"));
    ASSERT_NE(window(), nullptr);
    showPhonebookTab();
    ASSERT_EQ(pb()->groupNames(), QStringList{"Group 0"});

    ASSERT_TRUE(changeLanguage(QStringLiteral("German")));

    EXPECT_EQ(pb()->groupNames(), QStringList{"Gruppe 0"});
    EXPECT_EQ(window()->groupModel()->index(0, 0).data().toString(), QStringLiteral("Gruppe 0"));
    const QVariantList stored = yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("phoneBook.plist")))
                                    .value_or(QVariant())
                                    .toList();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.first().toList().value(0).toMap().value(QStringLiteral("groupname")).toString(), QStringLiteral("Gruppe 0"));
    if (window()->source()) {
        EXPECT_EQ(window()->source()->nodeOfPc()->name(), QStringLiteral("Rechner"));
    }
    QTest::qWait(50); // the layouts take the new titles
    saveScreenshot(main()->wndMain, QStringLiteral("phonebook-german.png"));
}
