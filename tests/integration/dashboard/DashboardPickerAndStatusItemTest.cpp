// The contact picker and the status item in the assembled dashboard against the stand-in: the
// picker lists the computer phonebook and hands its numbers back, the status item follows the
// connection and the new-message animation.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/config/ConfigFileKeys.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/picker/ContactPicker.h"
#include "ostrel/device/picker/SelectWindowControl.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/StatusBarView.h"
#include "platform/NotificationCenter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QTableWidget>
#include <QTest>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QVariantMap person(const char *name, const char *mobile, const char *office = "", const char *home = "")
{
    return {{QStringLiteral("username"), QString::fromUtf8(name)},
            {QStringLiteral("mobilephone"), QString::fromUtf8(mobile)},
            {QStringLiteral("officephone"), QString::fromUtf8(office)},
            {QStringLiteral("homephone"), QString::fromUtf8(home)}};
}

QVariantList samplePhonebook()
{
    return {QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Friends")}},
                         person("Anna Berg", "+4930123456", "", "+4930999000"), person("Jonas Kraft", "01701234567")},
            QVariantList{QVariantMap{{QStringLiteral("groupname"), QStringLiteral("Work")}},
                         person("Office Desk", "", "+4940555111"), person("Mara Lind", "01609876543", "+4940555222")}};
}

class DashboardPickerTest : public DashboardFixture {
protected:
    void SetUp() override
    {
        DashboardFixture::SetUp();
        for (const auto name : {notifications::kSelectContactFinished, notifications::kMakeCallWithPhoneNumber})
            yov::NotificationCenter::defaultCenter().addObserver(&results_, name, nullptr,
                                                                 [this](const yov::Notification &n) { posted_ << n; });
    }
    void TearDown() override
    {
        yov::NotificationCenter::defaultCenter().removeObserver(&results_);
        DashboardFixture::TearDown();
    }
    void launchWithPhonebook()
    {
        ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(QStringLiteral("phoneBook.plist")), samplePhonebook()));
        launch(QStringLiteral("default.plist"));
        ASSERT_TRUE(waitSimReady());
        assembly_->contactPicker()->setPickerObserver([this](SelectWindowControl *picker) { picker_ = picker; });
    }

    QObject results_;
    QList<yov::Notification> posted_;
    QPointer<SelectWindowControl> picker_;
};

} // namespace

TEST_F(DashboardPickerTest, RecipientSheetListsTheComputerPhonebookAndHandsBackAGroupsNumbers)
{
    setSettings({{QStringLiteral("PhoneBook/SMStoGroup"), true}, {QStringLiteral("SMS/ContactNumbersSelectionEnabled"), true}});
    launchWithPhonebook();
    QWidget *window = mainWindow();
    Neighbours::contactPicker().showSelectWindow(ContactPickerForm::RecipientSheet, window, QSizeF(580, 400));
    ASSERT_TRUE(picker_);
    QDialog *sheet = picker_->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    EXPECT_EQ(sheet->parentWidget(), window);
    ASSERT_EQ(picker_->contactTableView->rowCount(), 6);
    EXPECT_EQ(picker_->contactTableView->item(1, 1)->text(), QStringLiteral("+4930999000(Home)"));
    ASSERT_EQ(picker_->combPCGroup_->count(), 2);

    picker_->combPCGroup_->setCurrentIndex(1);
    picker_->groupSelectionDidChange(1);
    picker_->selectContactRows({0});
    picker_->addToSelectedBtn->click();
    saveScreenshot(window, QStringLiteral("picker-recipient-sheet-main.png"));
    saveScreenshot(sheet, QStringLiteral("picker-recipient-sheet.png"));
    picker_->okBtn->click();
    ASSERT_EQ(posted_.size(), 1);
    EXPECT_EQ(posted_[0].userInfo.value(notifications::kSendListKey).toStringList(),
              (QStringList{"+4940555111", "01609876543", "+4940555222", "+4930123456"}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return picker_.isNull(); }, kWaitMs)) << "the sheet stayed";
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardPickerTest, CallSheetDialsTheDoubleClickedNumberWithoutItsLabel)
{
    setSettings({{QStringLiteral("SMS/ContactNumbersSelectionEnabled"), true}});
    launchWithPhonebook();
    Neighbours::contactPicker().showSelectWindow(ContactPickerForm::CallSheet, mainWindow(), {});
    ASSERT_TRUE(picker_);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picker_->window()));
    EXPECT_EQ(picker_->window()->width(), 270);
    saveScreenshot(picker_->window(), QStringLiteral("picker-call-sheet.png"));
    const QRect cell = picker_->contactTableView->visualItemRect(picker_->contactTableView->item(1, 1));
    QTest::mouseClick(picker_->contactTableView->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(picker_->contactTableView->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(posted_.size(), 1);
    EXPECT_EQ(posted_[0].name, notifications::kMakeCallWithPhoneNumber);
    EXPECT_EQ(posted_[0].userInfo.value(notifications::kMakeCallNumberKey).toString(), QStringLiteral("+4930999000"));
}

TEST_F(DashboardPickerTest, StatusItemFollowsTheConnectionAndTheNewMessageAnimation)
{
    setSettings({{QStringLiteral("NeedSystemStatusItem"), true},
                 {QStringLiteral("Main/Main_FreshStatusView_ConnectStatusChanged"), true},
                 {QStringLiteral("Main/Main_FreshStatusView_NewSMSArrive"), true}});
    // No unread message waits on the SIM: an unread one keeps the new-message animation on show.
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("SimMessages"), QVariantList{}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    MainController *controller = main();
    StatusBarView *item = controller->viewSysStatusItem_;
    ASSERT_NE(item, nullptr);
    const QImage connected = controller->namedImage(QStringLiteral("SysStatusItemConnected.PNG"));
    const QImage idle = controller->namedImage(QStringLiteral("SysStatusItemDisConnected.PNG"));
    ASSERT_FALSE(connected.isNull());
    ASSERT_FALSE(idle.isNull());
    ASSERT_NE(connected, idle);

    pressConnectButton(QStringLiteral("Connect"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return item->displayedImage() == connected; }, kWaitMs)) << "no connected image";
    Neighbours::main().freshStatusViewWhenNormalSMSArrive();
    EXPECT_TRUE(item->isAnimationRunning());
    EXPECT_EQ(item->frameCount(), 2) << "the shipped new-message frames are missing";
    Neighbours::main().freshStatusViewToStaticViewAccorindToDialStatus(3);
    EXPECT_EQ(item->displayedImage(), connected);
    pressConnectButton(QStringLiteral("Disconnect"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return item->displayedImage() == idle; }, kWaitMs)) << "no idle image";
    EXPECT_EQ(presenter_.count(), 0);
}

// Only the call form chooses on a double click: in the recipient sheet a double click on a contact
// neither ends the picker nor hands anything back.
TEST_F(DashboardPickerTest, ADoubleClickInTheRecipientSheetChoosesNothing)
{
    launchWithPhonebook();
    Neighbours::contactPicker().showSelectWindow(ContactPickerForm::RecipientSheet, mainWindow(), QSizeF(580, 400));
    ASSERT_TRUE(picker_);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picker_->window()));
    ASSERT_GT(picker_->contactTableView->rowCount(), 0);
    const QRect cell = picker_->contactTableView->visualItemRect(picker_->contactTableView->item(0, 1));
    QTest::mouseClick(picker_->contactTableView->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(picker_->contactTableView->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::qWait(50);
    EXPECT_TRUE(posted_.isEmpty()) << "a double click ended the recipient sheet";
    ASSERT_TRUE(picker_) << "the sheet closed on a double click";
    EXPECT_TRUE(picker_->window()->isVisible());
    picker_->cancelBtn->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return picker_.isNull(); }, kWaitMs));
    EXPECT_TRUE(posted_.isEmpty());
}

// A message stored unread in the computer's inbox: the set-up rule reads the stored inbox and
// starts the new-message animation, and a connection change leaves the animation on show.
TEST_F(DashboardPickerTest, AnUnreadStoredMessageStartsTheAnimationAndOutlivesAConnectionChange)
{
    setSettings({{QStringLiteral("NeedSystemStatusItem"), true},
                 {QStringLiteral("Main/Main_FreshStatusView_ConnectStatusChanged"), true},
                 {QStringLiteral("Main/Main_FreshStatusView_NewSMSArrive"), true}});
    setScenarioModem(QStringLiteral("Sms"), {{QStringLiteral("StoreCode"), 2}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    MainController *controller = main();
    StatusBarView *item = controller->viewSysStatusItem_;
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isAnimationRunning()) << "an animation with nothing unread";

    ASSERT_EQ(control(QStringLiteral("DeliverText"), {QStringLiteral("+4917011111"), QStringLiteral("unread here")}).type(),
              QDBusMessage::ReplyMessage);
    const QString pcList = config_->configFilePathOfKey(configkeys::kCMSMSListOfPCFile);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !yov::sms::readSmsListFile(pcList).value_or(QVariantMap()).value("InBox").toList().isEmpty(); },
        kWaitMs))
        << "the message never reached the computer's inbox";

    Neighbours::main().freshStatusViewWhenInitialController();
    EXPECT_TRUE(item->isAnimationRunning());
    EXPECT_EQ(item->getAnimationImagesPath(), QStringLiteral("Normal_SMS_Arrive1"));

    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Neighbours::dial().connectStatus() == 3; }, kWaitMs));
    QTest::qWait(50);
    EXPECT_TRUE(item->isAnimationRunning()) << "the connection picture replaced the unread messages' animation";
    EXPECT_EQ(presenter_.count(), 0);
}
