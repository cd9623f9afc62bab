// The connection through the assembled dashboard against the stand-in, used as a person would:
// the main window and the application icon follow the connection, the profile chooser on device
// removal, and damaged records and profile files.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/profile/ProfileInput.h"
#include "ostrel/connection/view/CredentialsSheet.h"
#include "ostrel/connection/view/DialConfigChooser.h"
#include "ostrel/connection/view/InternetView.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class DashboardConnectionTest : public DashboardFixture {
protected:
    QWidget *mainWindow() const { return assembly_->mainController()->wndMain; }
    DialConfigChooser *chooser() const
    {
        QWidget *page = internetPage();
        return page ? page->findChild<DialConfigChooser *>(QStringLiteral("m_DialConfigList")) : nullptr;
    }

    // The colour of the icons' tile (opaque, away from the drawing on it) tells them apart.
    static QRgb tileColour(const QImage &image) { return image.isNull() ? 0 : image.pixel(16, 3); }
    static QRgb shippedImage(const char *name)
    {
        return tileColour(ResourcePaths::applicationImage(QLatin1String(name)).convertToFormat(QImage::Format_ARGB32));
    }
    static QRgb applicationIcon()
    {
        return tileColour(
            QGuiApplication::windowIcon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32));
    }

    void writeModemListFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(QDir(modemList_).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    void saveScreenshot(const char *name)
    {
        if (const QString path = testing_paths::screenshotPath(QLatin1String(name)); !path.isEmpty())
            mainWindow()->grab().save(path);
    }

    void waitConnected()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs))
            << "connect status " << dial()->connectStatus();
    }
    void waitIdle()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs))
            << "connect status " << dial()->connectStatus();
    }
};

} // namespace

TEST_F(DashboardConnectionTest, MinimisedWindowComesBackOnConnectAndTheIconFollowsTheConnection)
{
    setSettings({{QStringLiteral("MAINFORM/OpenMainWindow"), true},
                 {QStringLiteral("IconChangeWithConnected"), true},
                 {QStringLiteral("Internet/SetConnectStateForDidizu"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    ASSERT_NE(shippedImage("icon"), 0u);
    ASSERT_NE(shippedImage("icon"), shippedImage("unConnectIcons"));
    EXPECT_EQ(applicationIcon(), shippedImage("unConnectIcons")) << "not connected at start";
    QLabel *dataState = internetPage()->findChild<QLabel *>(QStringLiteral("imageViewOfDataStateForDidizu_"));
    ASSERT_NE(dataState, nullptr);
    EXPECT_EQ(dataState->toolTip(), QStringLiteral("Data not connected"));
    saveScreenshot("dashboard-internet-idle.png");

    // The user presses Connect and puts the window away while the modem dials.
    pressConnectButton(QStringLiteral("Connect"));
    mainWindow()->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow()->isMinimized(); }, kWaitMs));
    waitConnected();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !mainWindow()->isMinimized(); }, kWaitMs))
        << "the main window stayed minimised";
    EXPECT_EQ(applicationIcon(), shippedImage("icon"));
    EXPECT_EQ(dataState->toolTip(), QStringLiteral("Data connected"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->receivedBytes() > 0; }, kWaitMs));
    QTest::qWait(1200); // a second of traffic on the page
    saveScreenshot("dashboard-internet-connected.png");

    pressConnectButton(QStringLiteral("Disconnect"));
    waitIdle();
    EXPECT_EQ(applicationIcon(), shippedImage("unConnectIcons"));
    EXPECT_EQ(dataState->toolTip(), QStringLiteral("Data not connected"));
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardConnectionTest, DeviceRemovalWithPerSimProfilesShowsTheFirstProfileAndLocksTheChooser)
{
    // The operator variant that follows the SIM's identity, with profiles per SIM.
    setSettings({{QStringLiteral("Internet/AddAPNWithSIM"), true},
                 {QStringLiteral("specialSoftVersion/RAVO_TIM"), true},
                 {QStringLiteral("ProfileID"), 1}});
    QVariantList profiles;
    for (const char *name : {"Vandrel Web", "Vandrel Box"})
        profiles << QVariantMap{{QStringLiteral("provider"), QLatin1String(name)},
                                {QStringLiteral("telNumber"), QStringLiteral("*99#")},
                                {QStringLiteral("apnName"), QStringLiteral("internet")},
                                {QStringLiteral("apnFlag"), 1}};
    ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(QStringLiteral("dialConfig.plist")), profiles));
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    DialConfigChooser *list = chooser();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isEnabled() && list->currentIndex() == 2; }, kWaitMs))
        << "the chooser shows item " << list->currentIndex();
    QLineEdit *number = internetPage()->findChild<QLineEdit *>(QStringLiteral("m_tfdTelNumber"));
    ASSERT_NE(number, nullptr);
    EXPECT_TRUE(number->isEnabled());

    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->isDeviceRemoved(); }, kWaitMs)) << "the removal never arrived";
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(list->currentText(), QStringLiteral("Vandrel Web"));
    EXPECT_FALSE(list->isEnabled());
    EXPECT_FALSE(number->isEnabled());
    EXPECT_FALSE(connectButton()->isEnabled());
    auto *note = internetPage()->findChild<QLabel *>(QStringLiteral("tfdDisplayModemStartUpProcess_"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text(), QStringLiteral("Modem is in start-up process."));
    EXPECT_FALSE(note->isHidden());
    EXPECT_EQ(dial()->profiles().readCurrentProfile(), 1) << "showing item 1 does not change the current profile";

    // The device comes back: its SIM's profiles are chosen from again.
    ASSERT_EQ(control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->isEnabled() && list->currentIndex() == 2 && number->isEnabled(); },
                                kWaitMs))
        << "the chooser shows item " << list->currentIndex();
}

TEST_F(DashboardConnectionTest, DamagedRecordsFileIsKeptAndTheNextRecordGoesToAFreshFile)
{
    const QByteArray garbage("\x01\x02<plist><array><dict><key>connectname</key> cut off here");
    writeModemListFile(QStringLiteral("dialRecordData.plist"), garbage);
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    const QString recordFile = QDir(modemList_).filePath(QStringLiteral("dialRecordData.plist"));
    const auto told = [&] { return alertsAbout(recordFile, QStringLiteral("could not be read")); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return told() == 1; }, kWaitMs)) << "the user was not told";
    const QStringList kept = QDir(modemList_).entryList({QStringLiteral("dialRecordData.plist.unreadable-*")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    bool namesTheCopy = false;
    for (const yov::AlertRequest &alert : presenter_.shown())
        namesTheCopy = namesTheCopy || alert.message.contains(kept.first());
    EXPECT_TRUE(namesTheCopy);

    pressConnectButton(QStringLiteral("Connect"));
    waitConnected();
    EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectSeconds() >= 1; }, kWaitMs));
    pressConnectButton(QStringLiteral("Disconnect"));
    waitIdle();

    const std::optional<QVariant> fresh = yov::PlistBridge::readFile(recordFile);
    ASSERT_TRUE(fresh.has_value()) << "no fresh record file";
    EXPECT_EQ(fresh->toList().size(), 1);
    QFile copy(QDir(modemList_).filePath(kept.first()));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), garbage) << "the damaged file is kept byte for byte";
    EXPECT_EQ(told(), 1) << "told once";
    EXPECT_EQ(presenter_.count(), 1) << qPrintable(presenter_.shown().last().message);
}

TEST_F(DashboardConnectionTest, AnUnreadableProfilesFileIsToldOnceAndLeftAsItIs)
{
    const QByteArray garbage("\x7f<plist><array><dict><key>provider</key> cut off here");
    writeModemListFile(QStringLiteral("dialConfig.plist"), garbage);
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    const QString file = QDir(modemList_).filePath(QStringLiteral("dialConfig.plist"));
    const auto told = [&] { return alertsAbout(file, QStringLiteral("could not be read")); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return told() == 1; }, kWaitMs)) << "the user was not told";
    // The profiles are read again on later roads (the SIM's identity, a language change...).
    QTest::qWait(1000);
    EXPECT_EQ(told(), 1) << "told once";
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), garbage) << "the file is left byte for byte";
}

TEST_F(DashboardConnectionTest, DamagedProfilesAreSkippedOrCutAndTheDashboardConnects)
{
    const QString longName(100 * 1024, QLatin1Char('N'));
    const QVariantList profiles{
        QVariantMap{{QStringLiteral("provider"), QVariantList{QStringLiteral("not"), QStringLiteral("a name")}},
                    {QStringLiteral("apnName"), QStringLiteral("elsewhere")}},
        QVariantMap{{QStringLiteral("provider"), longName},
                    {QStringLiteral("telNumber"), QStringLiteral("*99#")},
                    {QStringLiteral("apnName"), QStringLiteral("internet")},
                    {QStringLiteral("apnFlag"), 1}},
    };
    const QString file = QDir(modemList_).filePath(QStringLiteral("dialConfig.plist"));
    ASSERT_TRUE(yov::PlistBridge::writeFile(file, profiles));
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";

    DialConfigChooser *list = chooser();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 2) << "the chooser's item and the one usable profile";
    EXPECT_EQ(list->currentText(), QString(kProfileNameMaxLength, QLatin1Char('N')));
    EXPECT_LE(mainWindow()->width(), QGuiApplication::primaryScreen()->availableGeometry().width())
        << "the window does not grow with the name";
    EXPECT_LE(list->width(), internetPage()->width());

    pressConnectButton(QStringLiteral("Connect"));
    waitConnected();
    EXPECT_EQ(mapOf(modemState(QStringLiteral("Connection")).value(QStringLiteral("DialParams")))
                  .value(QStringLiteral("Apn"))
                  .toString(),
              QStringLiteral("internet"));
    pressConnectButton(QStringLiteral("Disconnect"));
    waitIdle();
    QVariantList records;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(records = connectionRecords()).isEmpty(); }, kWaitMs));
    EXPECT_EQ(records.first().toMap().value(QStringLiteral("connectname")).toString(),
              QString(kProfileNameMaxLength, QLatin1Char('N')))
        << "the name is cut to its field in the record";
    EXPECT_EQ(yov::PlistBridge::readFile(file)->toList(), profiles) << "the profile file is left as it was";
    EXPECT_EQ(presenter_.count(), 0);
}

TEST_F(DashboardConnectionTest, ALanguageChangeRewordsEveryCaptionOfTheInternetPage)
{
    // (caption, English text): the Internet page's captions.
    const std::pair<const char *, const char *> captions[] = {
        {"labelInternetPrompt_", "Welcome to the connection interface for the Internet Mobile 3G"},
        {"labelProfileInputPrompt_",
         "To connect, please choose from the list below the formula which corresponds to your subscription"},
        {"Net_DefaultConfiguration", "Default Configuration:"},
        {"Net_TelNumber", "Telephone Number:"},
        {"Net_UserName", "UserName:"},
        {"Net_Password", "Password:"},
        {"Net_Status", "Status:"},
        {"Net_Send", "Send:"},
        {"Net_Receive", "Receive:"},
        {"Net_ConnectTime", "ConnectTime:"},
        {"Net_IPAddress", "IPAddress:"},
        {"Net_SendSpeed", "SendRate:"},
        {"Net_ReceiveSpeed", "ReceiveRate:"},
        {"tfdTotalData_", "Exchanged Data:"},
        {"monthlyDataLabel_", "Monthly Data:"},
    };
    QByteArray tokens;
    for (const auto &[name, english] : captions)
        tokens += QByteArray("\"") + english + "\" = \"DE " + english + "\";\n";
    tokens += "\"Connect\" = \"Verbinden\";\n\"Idle\" = \"Bereit\";\n";
    ASSERT_TRUE(useGermanTokenList(tokens));
    setSettings({{QStringLiteral("SupportLanguages"), QVariantList{}}, {QStringLiteral("CurrentLanguage"), QStringLiteral("English")}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    auto *view = internetPage() ? internetPage()->findChild<InternetView *>() : nullptr;
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return connectButton()->isEnabled(); }, kWaitMs));
    for (const auto &[name, english] : captions) {
        QLabel *label = view->captionLabel(QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QLatin1String(english)) << name;
    }

    // The user-name sheet, once opened, follows the language too.
    emit dial()->credentialsSheetRequested(QStringLiteral("user"), QString(), true);
    CredentialsSheet *sheet = view->credentialsSheet();
    ASSERT_NE(sheet, nullptr);
    sheet->reject();

    ASSERT_TRUE(changeLanguage(QStringLiteral("German")));
    EXPECT_EQ(sheet->winUernameLabel_->text(), QStringLiteral("DE UserName:"));
    EXPECT_EQ(sheet->winPasswordLabel_->text(), QStringLiteral("DE Password:"));
    for (const auto &[name, english] : captions)
        EXPECT_EQ(view->captionLabel(QLatin1String(name))->text(), QStringLiteral("DE ") + QLatin1String(english)) << name;
    EXPECT_EQ(connectButton()->text(), QStringLiteral("Verbinden"));
    EXPECT_EQ(fieldText("m_ConnectState"), QStringLiteral("Bereit"));
    mainWindow()->resize(900, 640);
    QTest::qWait(50); // the layouts take the new captions
    saveScreenshot("internet-german.png");
}
