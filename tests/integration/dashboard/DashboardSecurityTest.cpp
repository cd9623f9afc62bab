// The "Security" panel in the whole dashboard against the stand-in modem: the SIM's PIN request,
// its retry and PUK flow, changing the PIN, the modem's own PIN entry, and the backup and restore
// of the computer phonebook and SMS boxes.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/records/UiMsg.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"
#include "platform/NotificationCenter.h"
#include "platform/filechooser/FileChooser.h"
#include "support/ScriptedFileChooser.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

const QString kOneTryLeft =
    QStringLiteral("Only one chance left! If you input the wrong PIN code, your (U)SIM card will be locked.");

class DashboardSecurityTest : public DashboardFixture {
protected:
    SettingController *settings() const { return assembly_->settingController(); }
    void start(const QVariantMap &extra = {})
    {
        QVariantMap keys{{"SettingDefaultItem", QVariantList{"System", "Security"}}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            keys.insert(it.key(), it.value());
        setSettings(keys);
        yov::NotificationCenter::defaultCenter().addObserver(&pinReports_, QStringLiteral("pinActiveStatusForBundle"), nullptr,
                                                             [this](const yov::Notification &) { ++pinStateReports_; });
        launch(QStringLiteral("default.plist"));
        ASSERT_TRUE(waitSimReady());
        // The SIM's PIN request as the device reports it once the SIM is ready.
        ASSERT_TRUE(QTest::qWaitFor([&] { return pinStateReports_ > 0; }, kWaitMs));
        presenter_.setHoldOpen(true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->pinEnableBox()->isEnabled(); }, kWaitMs));
        main()->gotoSetting(nullptr);
        QTabWidget *panels = settings()->settingTabView();
        panels->setCurrentIndex(ostrel::tabViewItemOfIdentifier(panels, QStringLiteral("Security")));
    }
    bool waitAlert(const QString &message)
    {
        return QTest::qWaitFor([&] { return presenter_.openCount() && presenter_.shown().last().message == message; },
                               kWaitMs);
    }
    // Waits for the alert, answers it.
    void expectAlert(const QString &message)
    {
        ASSERT_TRUE(waitAlert(message)) << "alerts: " << qPrintable(presenter_.messages().join(" | "));
        presenter_.answerOpen();
    }
    void typePin(const QString &pin)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->enablePinSheet()->isVisible(); }, kWaitMs));
        settings()->enablePinField()->setText(pin);
        settings()->enablePinSheet()->findChild<QPushButton *>(QStringLiteral("btnSettingInputPinOK"))->click();
    }
    QVariantMap sim() const { return modemState(QStringLiteral("Sim")); }
    QObject pinReports_;
    int pinStateReports_ = 0;
    // The PIN request switched on with the SIM's PIN, as the user does it.
    void switchPinRequestOn()
    {
        ASSERT_FALSE(settings()->pinEnableBox()->isChecked());
        const int reports = pinStateReports_;
        settings()->pinEnableBox()->click();
        typePin(QStringLiteral("1234"));
        expectAlert(QStringLiteral("Settings successful!"));
        ASSERT_TRUE(sim().value(QStringLiteral("PinRequired")).toBool());
        // The device reports the new state too.
        ASSERT_TRUE(QTest::qWaitFor([&] { return pinStateReports_ > reports; }, kWaitMs));
        ASSERT_TRUE(settings()->pinEnableBox()->isChecked());
    }
};

TEST_F(DashboardSecurityTest, WrongPinsLeadToTheRetrySheetThenThePukWhichUnblocks)
{
    start();
    switchPinRequestOn();

    // Off with a wrong PIN: refused, the box back on, the sheet again with the tries left.
    settings()->pinEnableBox()->click();
    EXPECT_FALSE(settings()->pinEnableBox()->isChecked());
    typePin(QStringLiteral("0000"));
    expectAlert(QStringLiteral("Incorrect PIN code!"));
    EXPECT_TRUE(settings()->pinEnableBox()->isChecked()) << "the SIM still asks for its PIN";
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->enablePinSheet()->isVisible(); }, kWaitMs));
    EXPECT_FALSE(settings()->pinEnableBox()->isChecked()) << "the retry asks for what the user asked for";
    EXPECT_EQ(settings()->enablePinTimeLeft()->text(), QStringLiteral("You only have 2 time(s) left!"));

    typePin(QStringLiteral("0001"));
    expectAlert(QStringLiteral("Incorrect PIN code!"));
    ASSERT_TRUE(waitAlert(kOneTryLeft));
    presenter_.answerOpen();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->enablePinSheet()->isVisible(); }, kWaitMs));
    saveScreenshot(settings()->enablePinSheet(), QStringLiteral("settings-pin-retry-sheet.png"));

    typePin(QStringLiteral("0002"));
    expectAlert(QStringLiteral("Incorrect PIN code!"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->pukSheet()->isVisible(); }, kWaitMs)) << "no try left";
    EXPECT_EQ(sim().value(QStringLiteral("Lock")).toString(), QStringLiteral("PukNeeded"));

    settings()->pukField()->setText(QStringLiteral("12345678"));
    settings()->pukNewPinField()->setText(QStringLiteral("4321"));
    settings()->pukRepeatPinField()->setText(QStringLiteral("4321"));
    settings()->pukSheet()->findChild<QPushButton *>(QStringLiteral("btnSettingInputPukOK"))->click();
    expectAlert(QStringLiteral("New PIN enabled!"));
    const QVariantMap after = sim();
    EXPECT_EQ(after.value(QStringLiteral("Lock")).toString(), QStringLiteral("Ready"));
    EXPECT_EQ(after.value(QStringLiteral("Pin")).toString(), QStringLiteral("4321"));
    EXPECT_TRUE(after.value(QStringLiteral("PinRequired")).toBool());
    EXPECT_TRUE(settings()->pinEnableBox()->isChecked());
    EXPECT_EQ(settings()->getPinStatus(), QStringLiteral("Enabled"));
}

TEST_F(DashboardSecurityTest, ChangeThePinThenLetTheModemEnterIt)
{
    start({{"Main/pinAutoValidation", true}});
    switchPinRequestOn();
    saveScreenshot(mainWindow(), QStringLiteral("settings-security-panel.png"));

    settings()->revisePinButton()->click();
    ASSERT_TRUE(settings()->revisePinSheet()->isVisible());
    settings()->reviseOldPinField()->setText(QStringLiteral("1234"));
    settings()->reviseNewPinField()->setText(QStringLiteral("5678"));
    settings()->reviseRepeatPinField()->setText(QStringLiteral("5678"));
    settings()->revisePinSheet()->findChild<QPushButton *>(QStringLiteral("btnSettingRevisePinOK"))->click();
    expectAlert(QStringLiteral("New PIN enabled!"));
    EXPECT_EQ(sim().value(QStringLiteral("Pin")).toString(), QStringLiteral("5678"));

    QCheckBox *autoBox = settings()->pinAutoValidationBox();
    ASSERT_TRUE(autoBox);
    ASSERT_TRUE(autoBox->isVisible());
    ASSERT_TRUE(autoBox->isEnabled());
    autoBox->click();
    typePin(QStringLiteral("5678"));
    expectAlert(QStringLiteral("Settings successful!"));
    EXPECT_EQ(presenter_.messages().count(QStringLiteral("New PIN enabled!")), 1) << "the confirmation is silent";
    const QStringList received = receivedIds();
    EXPECT_TRUE(received.contains(QStringLiteral("4/17")));
    EXPECT_TRUE(received.contains(QStringLiteral("4/18")));
    const QVariantMap after = sim();
    EXPECT_EQ(after.value(QStringLiteral("SavedPin")).toString(), QStringLiteral("5678"));
    EXPECT_EQ(after.value(QStringLiteral("AutoValidation")).toInt(), 1);
    EXPECT_TRUE(storedSettings().value(QStringLiteral("pinAutoValidationState")).toBool());
}

class DashboardBackupTest : public DashboardSecurityTest {
protected:
    void SetUp() override
    {
        DashboardSecurityTest::SetUp();
        ASSERT_TRUE(files_.isValid());
    }
    void startWithBackup()
    {
        start({{"PCDataWithIMSI", true}});
        // The SMS page's handling of the restore answer stands in here: it tells the settings
        // page how the device's restore ended.
        yov::NotificationCenter::defaultCenter().addObserver(
            &answers_, YOVMsgCenter::notificationName(768, 103), nullptr, [this](const yov::Notification &n) {
                yov::UI_MSG msg = yov::zeroMsg();
                assembly_->msgCenter()->getMsgPackage(&msg, &n);
                if (msg.type == 1)
                    settings()->restoreAlertPanel(msg.result == 0);
            });
        ASSERT_TRUE(settings()->backupRestoreBox()->isVisible());
        settings()->backupRestoreBox()->click();
        ASSERT_TRUE(settings()->restoreButton()->isEnabled());
    }
    QString file(const QString &name) const { return QDir(files_.path()).filePath(name); }
    QString modemListFile(const QString &name) const { return QDir(modemList_).filePath(name); }

    QTemporaryDir files_;
    QObject answers_;
    testing_support::ScriptedFileChooser chooser_;
    yov::ScopedFileChooser chooserGuard_{&chooser_};
};

TEST_F(DashboardBackupTest, BackupThenRestoreThroughTheDevice)
{
    startWithBackup();
    const QString perSim = modemListFile(QStringLiteral("262021234567890_phoneBook.plist"));
    EXPECT_EQ(settings()->getPhoneBookFilePath().toStdString(), perSim.toStdString());

    chooser_.chooseNext(file(QStringLiteral("saved.txt")));
    settings()->backupButton()->click();
    expectAlert(QStringLiteral("BackUp SMS And PhoneBook Success."));
    const auto saved = yov::PlistBridge::readFile(file(QStringLiteral("saved.plist")));
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->toList().size(), 4);

    // A backup with a contact and an inbox message goes back in.
    const QVariantList phonebook{QVariant(QVariantList{QVariantMap{{"groupname", "Friends"}},
                                                       QVariantMap{{"index", 1}, {"username", "Ann"}, {"mobilephone", "5550100"}}})};
    QVariantMap message{{"SMS_PHONE_NUMBER", "5550100"}, {"SMS_CONTENT", "restored text"}};
    QVariantList backup = saved->toList();
    backup[0] = phonebook;
    backup[1] = QVariantList{message};
    ASSERT_TRUE(yov::PlistBridge::writeFile(file(QStringLiteral("back.plist")), backup));
    chooser_.chooseNext(file(QStringLiteral("back.plist")));
    settings()->restoreButton()->click();
    expectAlert(QStringLiteral("Restore SMS And PhoneBook Success."));
    EXPECT_EQ(presenter_.messages().count(QStringLiteral("Restore SMS And PhoneBook Success.")), 1);
    EXPECT_TRUE(receivedIds().contains(QStringLiteral("768/103")));
    EXPECT_EQ(yov::PlistBridge::readFile(perSim).value_or(QVariant()), QVariant(phonebook));
    const QVariant pcList = yov::PlistBridge::readFile(modemListFile(QStringLiteral("SmsList_PC.plist"))).value_or(QVariant());
    EXPECT_EQ(pcList.toMap().value(QStringLiteral("InBox")).toList().size(), 1) << "the stand-in rewrote the computer's SMS";
}

TEST_F(DashboardBackupTest, AnInvalidFileNeverReachesTheDevice)
{
    startWithBackup();
    ASSERT_TRUE(yov::PlistBridge::writeFile(file(QStringLiteral("export.plist")), QVariantList{QVariantList{}}));
    chooser_.chooseNext(file(QStringLiteral("export.plist")));
    settings()->restoreButton()->click();
    expectAlert(QStringLiteral("Restore SMS And PhoneBook Failed.Invalid data file!"));
    QTest::qWait(200);
    EXPECT_FALSE(receivedIds().contains(QStringLiteral("768/103")));
}

} // namespace
