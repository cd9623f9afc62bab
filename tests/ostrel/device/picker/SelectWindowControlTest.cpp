// The contact picker over a fake phonebook: its layout, the lists it builds, moving entries
// between them, the storage and group boxes, and what OK, Cancel and a double click hand back.
#include "common/PlistBridge.h"
#include "ostrel/device/picker/ContactNumbers.h"
#include "ostrel/device/picker/ContactPicker.h"
#include "ostrel/device/picker/SelectWindowControl.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/alert/AlertPresenter.h"
#include "support/ScriptedAlertPresenter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QMainWindow>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

using ostrel::SelectWindowControl;
using ostrel::SelectWindowLayout;

QVariantMap contact(const QString &name, const QString &mobile, const QString &office = {}, const QString &home = {})
{
    QVariantMap c{{QStringLiteral("username"), name}, {QStringLiteral("mobilephone"), mobile}};
    if (!office.isNull())
        c.insert(QStringLiteral("officephone"), office);
    if (!home.isNull())
        c.insert(QStringLiteral("homephone"), home);
    return c;
}

QVariantMap numberEntry(const QString &name, const QString &number)
{
    return {{QStringLiteral("username"), name}, {QStringLiteral("mobilephone"), number}};
}

struct Group {
    QString name;
    QVariantList contacts;
};

struct FakePhonebook : ostrel::DefaultPBController {
    QList<Group> groups;
    QVariantList sim;
    QVariantList me;
    int sumOfGroupInPC() const override { return int(groups.size()); }
    int sumOfContactInGroup(int group) const override { return int(groups.value(group).contacts.size()); }
    QVariantMap getPCUserByIndex(int group, int row) const override
    {
        if (row == -1)
            return {{QStringLiteral("groupname"), groups.value(group).name}};
        return groups.value(group).contacts.value(row).toMap();
    }
    int getSimUserNumber() const override { return int(sim.size()); }
    QVariantMap getUserFromSim(int i) const override { return sim.value(i).toMap(); }
    int getMeUserNumber() const override { return int(me.size()); }
    QVariantMap getUserFromMe(int i) const override { return me.value(i).toMap(); }
};

struct RecordingSms : ostrel::DefaultSMSController {
    QList<QStringList> handed;
    void setTheSearchFieldText(const QStringList &numbers) override { handed << numbers; }
};
struct RecordingMms : ostrel::DefaultMMSController {
    QList<QStringList> handed;
    void setTheSearchFieldText(const QStringList &numbers) override { handed << numbers; }
};

QStringList numbersIn(const QVariantList &entries)
{
    QStringList out;
    for (const QVariant &e : entries)
        out << e.toMap().value(QStringLiteral("mobilephone")).toString();
    return out;
}

QString rectText(const QRectF &r)
{
    return QStringLiteral("(%1, %2, %3, %4)").arg(r.x(), 0, 'f', 2).arg(r.y(), 0, 'f', 2).arg(r.width(), 0, 'f', 2).arg(r.height(), 0, 'f', 2);
}

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ostrel::Neighbours::installDefaults(nullptr);
        ostrel::Neighbours::setPhonebook(&phonebook);
        ostrel::Neighbours::setSms(&sms);
        ostrel::Neighbours::setMms(&mms);
        phonebook.groups = {{QStringLiteral("Friends"),
                             {contact(QStringLiteral("Ann"), QStringLiteral("0101"), QString(), QStringLiteral("0103")),
                              contact(QStringLiteral("Bob"), QStringLiteral("0201"), QStringLiteral("0202"))}},
                            {QStringLiteral("Work"), {contact(QStringLiteral("Cid"), QString(), QStringLiteral("0302"))}}};
        phonebook.sim = {contact(QStringLiteral("Sim1"), QStringLiteral("0901")), contact(QStringLiteral("Sim2"), QStringLiteral("0902"))};
        phonebook.me = {contact(QStringLiteral("Me1"), QStringLiteral("0801"))};
        for (const auto name : {ostrel::notifications::kSelectContactFinished, ostrel::notifications::kMakeCallWithPhoneNumber})
            notifications_.addObserver(&observer_, name, nullptr, [this](const yov::Notification &n) { posted << n; });
    }

    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ostrel::Neighbours::installDefaults(nullptr);
        ostrel::ControllerContext::shared() = {};
        SelectWindowControl::setSelectWindowSize(QSizeF(580, 400));
    }

    // The settings the pickers made afterwards read.
    void settings(const QVariantMap &values)
    {
        ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(dir_.path()).filePath(QStringLiteral("settings.plist")), values));
        config_ = std::make_unique<ostrel::ConfigManager>(dir_.path());
        ostrel::ControllerContext &context = ostrel::ControllerContext::shared();
        context = {};
        context.config = config_.get();
        context.notificationCenter = &notifications_;
    }

    std::unique_ptr<SelectWindowControl> make(const QVariantMap &values = {})
    {
        settings(values);
        return std::make_unique<SelectWindowControl>();
    }

    static void click(QAbstractButton *button) { button->click(); }

    QTemporaryDir dir_;
    std::unique_ptr<ostrel::ConfigManager> config_;
    yov::NotificationCenter notifications_;
    QObject observer_;
    QList<yov::Notification> posted;
    FakePhonebook phonebook;
    RecordingSms sms;
    RecordingMms mms;
    testing_support::ScriptedAlertPresenter alerts_;
    yov::ScopedAlertPresenter scoped_{&alerts_};
};

// --- layout ---------------------------------------------------------------------------------------

TEST(SelectWindowLayout, FramesAt580By400WithAndWithoutGroupSending)
{
    const QSizeF size(580, 400);
    const SelectWindowLayout plain = SelectWindowLayout::compute(size, false);
    const SelectWindowLayout group = SelectWindowLayout::compute(size, true);
    const struct {
        const char *what;
        QRectF actual;
        QRectF expected;
    } cases[] = {
        {"contact list", plain.contactList, {15, 47, 240, 285}},
        {"selected list", plain.selectedList, {325, 47, 240, 285}},
        {">>", plain.addButton, {260, 72 + 2 * 235.0 / 3, 60, 25}},
        {"<<", plain.removeButton, {260, 47 + 235.0 / 3, 60, 25}},
        {"Cancel", plain.cancelButton, {85, 7, 100, 25}},
        {"OK", plain.okButton, {395, 7, 100, 25}},
        {"storage", plain.storeMedium, {15, 362, 130, 25}},
        {"contact label", plain.contactLabel, {15, 337, 200, 20}},
        {"selected label", plain.selectedLabel, {325, 337, 200, 20}},
        {"no group box", plain.groupBox, {}},
        {"group: storage", group.storeMedium, {15, 352, 130, 25}},
        {"group: contact label", group.contactLabel, {15, 332, 200, 20}},
        {"group: selected label", group.selectedLabel, {325, 332, 200, 20}},
        {"group: group box", group.groupBox, {325, 352, 130, 25}},
        {"group: Location:", group.locationLabel, {15, 377, 200, 20}},
        {"group: Group:", group.groupLabel, {325, 377, 200, 20}},
        {"group: lists unchanged", group.contactList, {15, 47, 240, 285}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(rectText(c.actual), rectText(c.expected)) << c.what;
    EXPECT_NEAR(plain.addButton.y(), 228.67, 0.01);
    EXPECT_NEAR(plain.removeButton.y(), 125.33, 0.01);
}

TEST(SelectWindowLayout, OkAndCancelShareTheWidestFittedWidthAtLeast100)
{
    const struct {
        qreal ok, cancel, expected;
    } cases[] = {{40, 60, 100}, {99.5, 99, 100}, {130, 60, 130}, {60, 112, 112}};
    for (const auto &c : cases)
        EXPECT_EQ(SelectWindowLayout::commonButtonWidth(c.ok, c.cancel), c.expected) << c.ok << " " << c.cancel;
}

TEST_F(PickerTest, WindowPlacesItsControlsByTheLayoutWithTheOriginAtTheBottomLeft)
{
    auto picker = make();
    QDialog *window = picker->window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(580, 400));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Select Contact Window"));
    EXPECT_EQ(picker->okBtn->geometry(), QRect(395, 368, 100, 25));
    EXPECT_EQ(picker->cancelBtn->geometry(), QRect(85, 368, 100, 25));
    EXPECT_EQ(picker->contactTableView->parentWidget()->mapTo(window, picker->contactTableView->pos()), QPoint(15, 68));
    EXPECT_EQ(picker->contactTableView->size(), QSize(240, 285));
    EXPECT_FALSE(picker->combPCGroup_) << "a group box without group sending";

    // a later size moves only later windows
    SelectWindowControl::setSelectWindowSize(QSizeF(700, 500));
    EXPECT_EQ(picker->window()->size(), QSize(580, 400));
    auto wider = make();
    EXPECT_EQ(wider->window()->size(), QSize(700, 500));
    EXPECT_EQ(wider->contactTableView->size(), QSize(300, 385));
}

// --- lists --------------------------------------------------------------------------------------------

TEST_F(PickerTest, ContactListFollowsTheStorageAndTheNumberSplit)
{
    const struct {
        const char *what;
        QVariantMap settings;
        int storages;
        int initialStorage;
        QStringList numbers;
    } cases[] = {
        {"plain", {}, 2, 0, {"0101", "0201", ""}},
        {"split",
         {{"SMS", QVariantMap{{"ContactNumbersSelectionEnabled", true}}}},
         2,
         0,
         {"0101(Mobile)", "0103(Home)", "0201(Mobile)", "0202(Office)", "0302(Office)"}},
        {"SIM first", {{"SMS", QVariantMap{{"defaultSelectMemory", 1}}}}, 2, 1, {"0901", "0902"}},
        {"other memory value", {{"SMS", QVariantMap{{"defaultSelectMemory", 2}}}}, 2, 0, {"0101", "0201", ""}},
        {"with device memory", {{"HasMePosition", true}}, 3, 0, {"0101", "0201", ""}},
    };
    for (const auto &c : cases) {
        auto picker = make(c.settings);
        EXPECT_EQ(picker->storeMediumComb->count(), c.storages) << c.what;
        EXPECT_EQ(picker->currentStoreMedium, c.initialStorage) << c.what;
        EXPECT_EQ(picker->storeMediumComb->currentIndex(), c.initialStorage) << c.what;
        picker->loadList();
        EXPECT_EQ(numbersIn(picker->contactTableViewList), c.numbers) << c.what;
        EXPECT_EQ(picker->contactTableView->rowCount(), c.numbers.size()) << c.what;
    }
    // the split entries carry the contact's name; the cells show the entry's values
    auto split = make({{"SMS", QVariantMap{{"ContactNumbersSelectionEnabled", true}}}});
    split->loadList();
    EXPECT_EQ(split->contactTableViewList.at(1).toMap(), numberEntry("Ann", "0103(Home)"));
    EXPECT_EQ(split->contactTableView->item(1, 0)->text(), QStringLiteral("Ann"));
    EXPECT_EQ(split->contactTableView->item(1, 1)->text(), QStringLiteral("0103(Home)"));

    // device memory only with HasMePosition
    auto noMe = make();
    noMe->storeMediumSelectionDidChange(SelectWindowControl::DataCard);
    EXPECT_TRUE(noMe->contactTableViewList.isEmpty());
    auto withMe = make({{"HasMePosition", true}});
    withMe->storeMediumSelectionDidChange(SelectWindowControl::DataCard);
    EXPECT_EQ(numbersIn(withMe->contactTableViewList), QStringList{"0801"});
}

TEST_F(PickerTest, MovingEntriesKeepsTheirOrderAndNeverListsOneTwiceOnTheWayBack)
{
    auto picker = make({{"SMS", QVariantMap{{"ContactNumbersSelectionEnabled", true}}}, {"PhoneBook", QVariantMap{{"SMStoGroup", true}}}});
    picker->loadList();
    click(picker->addToSelectedBtn); // nothing selected: nothing moves
    EXPECT_TRUE(picker->selectedTableViewList.isEmpty());

    picker->selectContactRows({3, 0});
    click(picker->addToSelectedBtn);
    EXPECT_EQ(numbersIn(picker->selectedTableViewList), (QStringList{"0101(Mobile)", "0202(Office)"}));
    EXPECT_EQ(numbersIn(picker->contactTableViewList), (QStringList{"0103(Home)", "0201(Mobile)", "0302(Office)"}));
    EXPECT_TRUE(picker->contactTableView->selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(picker->selectedTableView->rowCount(), 2);

    // a group's numbers go to the selected list whether or not the contact list holds them
    picker->groupSelectionDidChange(1);
    EXPECT_EQ(numbersIn(picker->selectedTableViewList), (QStringList{"0101(Mobile)", "0202(Office)", "0302(Office)"}));
    picker->selectSelectedRows({0, 2});
    click(picker->removeFromSelectedBtn);
    EXPECT_EQ(numbersIn(picker->selectedTableViewList), QStringList{"0202(Office)"});
    EXPECT_EQ(numbersIn(picker->contactTableViewList),
              (QStringList{"0103(Home)", "0201(Mobile)", "0302(Office)", "0101(Mobile)"}))
        << "a returned entry goes to the end, one already listed not at all";
    click(picker->removeFromSelectedBtn); // nothing chosen: nothing moves
    EXPECT_EQ(picker->selectedTableViewList.size(), 1);
}

TEST_F(PickerTest, StorageChangeKeepsTheSelectedListAndGroupsAddTheirNumbersEachTime)
{
    auto picker = make({{"PhoneBook", QVariantMap{{"SMStoGroup", true}}}});
    picker->loadList();
    ASSERT_TRUE(picker->combPCGroup_);
    ASSERT_EQ(picker->combPCGroup_->count(), 2);
    EXPECT_EQ(picker->combPCGroup_->itemText(1), QStringLiteral("Work"));
    EXPECT_TRUE(picker->combPCGroup_->isEnabled());

    picker->groupSelectionDidChange(0);
    picker->groupSelectionDidChange(0);
    const QStringList friends{"0101(Mobile)", "0103(Home)", "0201(Mobile)", "0202(Office)"};
    EXPECT_EQ(numbersIn(picker->selectedTableViewList), friends + friends);
    EXPECT_EQ(picker->contactTableViewList.size(), 3) << "a group changed the contact list";
    for (int outside : {-1, 2, 99})
        picker->groupSelectionDidChange(outside);
    EXPECT_EQ(picker->selectedTableViewList.size(), 8);

    picker->combPCGroup_->setCurrentIndex(1);
    picker->storeMediumSelectionDidChange(SelectWindowControl::SIM);
    EXPECT_EQ(numbersIn(picker->contactTableViewList), (QStringList{"0901", "0902"}));
    EXPECT_EQ(picker->selectedTableViewList.size(), 8) << "the selected list did not survive";
    EXPECT_FALSE(picker->combPCGroup_->isEnabled());
    EXPECT_EQ(picker->combPCGroup_->currentText(), QString());
    picker->storeMediumSelectionDidChange(SelectWindowControl::PC);
    EXPECT_TRUE(picker->combPCGroup_->isEnabled());
}

// --- results ----------------------------------------------------------------------------------------

TEST_F(PickerTest, OkWithMultipleSelectionHandsBackTheNumbersWithoutLabelsAndCloses)
{
    QMainWindow host;
    const struct {
        const char *what;
        bool mmsModule;
        QList<int> rows;
        QStringList numbers;
    } cases[] = {
        {"empty", false, {}, {}},
        {"two", true, {0, 2}, {"0101", "0201"}},
    };
    for (const auto &c : cases) {
        posted.clear();
        sms.handed.clear();
        mms.handed.clear();
        QVariantMap values{{"SMS", QVariantMap{{"ContactNumbersSelectionEnabled", true}}}};
        if (c.mmsModule)
            values.insert("toolBarItems", QVariantList{QVariantMap{{"itemIdentifier", "MMS"}}});
        settings(values);
        QPointer<SelectWindowControl> picker = new SelectWindowControl;
        picker->allowsContactTableMultiSelection(true);
        picker->showWindow(&host);
        QPointer<QDialog> window = picker->window();
        EXPECT_TRUE(window->isVisible());
        picker->selectContactRows(c.rows);
        click(picker->addToSelectedBtn);
        click(picker->okBtn);
        ASSERT_EQ(posted.size(), 1) << c.what;
        EXPECT_EQ(posted[0].name, ostrel::notifications::kSelectContactFinished);
        EXPECT_EQ(posted[0].userInfo.value(ostrel::notifications::kSendListKey).toStringList(), c.numbers) << c.what;
        EXPECT_EQ(sms.handed, QList<QStringList>{c.numbers}) << c.what;
        EXPECT_EQ(mms.handed.size(), c.mmsModule ? 1 : 0) << c.what;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(window) << "the sheet stayed";
        EXPECT_FALSE(picker) << "the sheet's picker was not released";
    }
}

TEST_F(PickerTest, OkWithoutAChosenRowWarnsAndKeepsTheWindowInTheSingleAndSimplifiedForms)
{
    QMainWindow host;
    for (const char *form : {"call", "simplified"}) {
        alerts_.clear();
        posted.clear();
        settings({});
        QPointer<SelectWindowControl> picker = new SelectWindowControl;
        if (QLatin1String(form) == QLatin1String("call")) {
            picker->ResizeWindowForCall();
            picker->allowsContactTableMultiSelection(false);
        } else {
            picker->allowsContactTableMultiSelection(true);
            picker->simpliedSelectWnd(QSizeF(285, 448));
        }
        picker->showWindow(&host);
        click(picker->okBtn);
        ASSERT_EQ(alerts_.count(), 1) << form;
        EXPECT_EQ(alerts_.shown()[0].message, QStringLiteral("Please select a phone number!"));
        EXPECT_EQ(alerts_.shown()[0].title, QStringLiteral("Warning"));
        EXPECT_TRUE(posted.isEmpty()) << form;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(picker) << form << ": the window closed";
        EXPECT_TRUE(picker->window()->isVisible());
        click(picker->cancelBtn);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(picker) << form << ": Cancel kept the picker";
    }
}

TEST_F(PickerTest, SimplifiedFormListsTheSimAndHandsBackTheChosenRow)
{
    QMainWindow host;
    settings({});
    QPointer<SelectWindowControl> picker = new SelectWindowControl;
    picker->allowsContactTableMultiSelection(true);
    picker->simpliedSelectWnd(QSizeF(285, 448));
    picker->showWindow(&host);
    EXPECT_EQ(picker->window()->size(), QSize(285, 448));
    EXPECT_EQ(picker->currentStoreMedium, int(SelectWindowControl::SIM));
    EXPECT_FALSE(picker->storeMediumComb->isVisible());
    EXPECT_FALSE(picker->addToSelectedBtn->isVisible());
    EXPECT_TRUE(picker->cancelBtn->isVisible());
    EXPECT_EQ(picker->skinFrameOf(picker->okBtn).x(), 155);
    EXPECT_EQ(picker->okBtn->geometry().bottom(), 448 - 7 - 1) << "OK did not keep its distance from the bottom";
    picker->selectContactRows({1});
    click(picker->okBtn);
    ASSERT_EQ(posted.size(), 1);
    EXPECT_EQ(posted[0].userInfo.value(ostrel::notifications::kSendListKey).toStringList(), QStringList{"0902"});
}

TEST_F(PickerTest, CallFormNarrowsTheWindowAndADoubleClickCallsTheNumberWithoutItsLabel)
{
    QMainWindow host;
    settings({{"SMS", QVariantMap{{"ContactNumbersSelectionEnabled", true}}}});
    QPointer<SelectWindowControl> picker = new SelectWindowControl;
    picker->ResizeWindowForCall();
    picker->allowsContactTableMultiSelection(false);
    picker->showWindow(&host);
    EXPECT_EQ(picker->window()->size(), QSize(270, 400));
    EXPECT_EQ(picker->skinFrameOf(picker->cancelBtn).x(), 15);
    EXPECT_EQ(picker->skinFrameOf(picker->okBtn).x(), 155);
    EXPECT_FALSE(picker->addToSelectedBtn->isVisible());
    EXPECT_FALSE(picker->removeFromSelectedBtn->isVisible());

    picker->doubleClickTableRow(99); // outside the rows
    picker->doubleClickTableRow(-1);
    EXPECT_TRUE(posted.isEmpty());
    QTableWidget *table = picker->contactTableView;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picker->window()));
    const QPoint cell = table->visualItemRect(table->item(3, 1)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(posted.size(), 1);
    EXPECT_EQ(posted[0].name, ostrel::notifications::kMakeCallWithPhoneNumber);
    EXPECT_EQ(posted[0].userInfo.value(ostrel::notifications::kMakeCallNumberKey).toString(), QStringLiteral("0202"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(picker);
}

// Only the call form chooses on a double click: in the other sheets it neither hands anything
// back nor closes the picker.
TEST_F(PickerTest, ADoubleClickOutsideTheCallFormChoosesNothing)
{
    settings({{"SMS", QVariantMap{{"ContactNumbersSelectionEnabled", true}}}});
    for (const bool simplified : {false, true}) {
        QMainWindow host;
        QPointer<SelectWindowControl> picker = new SelectWindowControl;
        picker->allowsContactTableMultiSelection(true);
        if (simplified)
            picker->simpliedSelectWnd(QSizeF(285, 448));
        picker->showWindow(&host);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(picker->window()));
        QTableWidget *table = picker->contactTableView;
        ASSERT_GT(table->rowCount(), 0) << simplified;
        const QPoint cell = table->visualItemRect(table->item(0, 1)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(posted.isEmpty()) << "simplified " << simplified;
        ASSERT_TRUE(picker) << "the picker closed on a double click, simplified " << simplified;
        EXPECT_TRUE(picker->window()->isVisible());
        click(picker->cancelBtn);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(picker);
    }
}

TEST_F(PickerTest, ModalChoiceAnswersOneWithTheNumbersAfterOkAndZeroAfterCancelOrTheCloseBox)
{
    settings({});
    ostrel::ContactPicker pickers;
    ASSERT_EQ(&ostrel::Neighbours::contactPicker(), &pickers);
    const QVariantList offered{numberEntry("Ann", "0101(Mobile)"), numberEntry("Ann", "0103(Home)"),
                               numberEntry("Bob", "0202")};
    const struct {
        const char *what;
        QList<int> rows;
        const char *press; // "ok", "cancel", "close"
        int code;
        QStringList numbers;
    } cases[] = {
        {"ok", {0, 2}, "ok", 1, {"0101", "0202"}},
        {"ok, none", {}, "ok", 1, {}},
        {"cancel", {1}, "cancel", 0, {}},
        {"close box", {1}, "close", 0, {}},
    };
    for (const auto &c : cases) {
        bool storageShown = true;
        pickers.setPickerObserver([&](SelectWindowControl *picker) {
            QTimer::singleShot(0, picker, [&, picker] {
                storageShown = picker->storeMediumComb->isVisible();
                picker->selectContactRows(c.rows);
                picker->addToSelectedBtn->click();
                if (QLatin1String(c.press) == QLatin1String("ok"))
                    picker->okBtn->click();
                else if (QLatin1String(c.press) == QLatin1String("cancel"))
                    picker->cancelBtn->click();
                else
                    picker->window()->close();
            });
        });
        QStringList numbers{"stale"};
        EXPECT_EQ(ostrel::Neighbours::contactPicker().runModalSelectWindow(offered, &numbers), c.code) << c.what;
        EXPECT_EQ(numbers, c.numbers) << c.what;
        EXPECT_FALSE(storageShown) << "the modal form shows the storage box";
    }
}

TEST_F(PickerTest, WithoutAPickerInstalledNothingOpensAndNoNumberComesBack)
{
    QStringList numbers{"x"};
    EXPECT_EQ(ostrel::Neighbours::contactPicker().runModalSelectWindow({numberEntry("A", "1")}, &numbers), 0);
    EXPECT_TRUE(numbers.isEmpty());
    ostrel::Neighbours::contactPicker().showSelectWindow(ostrel::ContactPickerForm::CallSheet, nullptr, {});
}

TEST(ContactNumbers, OnlyATrailingLabelOfThePickerIsRemoved)
{
    const struct {
        const char *number;
        const char *handedBack;
    } cases[] = {
        {"0123(Mobile)", "0123"},         {"0123(Office)", "0123"},
        {"0123(Home)", "0123"},           {"0123(Mobile)(Home)", "0123(Mobile)"},
        {"(Mobile)0123", "(Mobile)0123"}, {"0123 (Fax)", "0123 (Fax)"},
        {"0123(mobile)", "0123(mobile)"}, {"+44 20 7946 0000", "+44 20 7946 0000"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ostrel::ContactNumbers::withoutLabel(QString::fromUtf8(c.number)), QString::fromUtf8(c.handedBack)) << c.number;
}

TEST(ContactNumbers, AContactGivesOneEntryPerNumberAndNoneWithoutNumbers)
{
    EXPECT_TRUE(ostrel::ContactNumbers::numberEntriesOf({{"username", "Nobody"}}).isEmpty());
    EXPECT_TRUE(ostrel::ContactNumbers::numberEntriesOf(contact("Empty", "", "", "")).isEmpty());
    EXPECT_EQ(ostrel::ContactNumbers::numberEntriesOf(contact("Ann", "1", "", "3")),
              (QVariantList{numberEntry("Ann", "1(Mobile)"), numberEntry("Ann", "3(Home)")}));
}

} // namespace
