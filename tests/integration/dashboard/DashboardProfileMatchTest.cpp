// The operator's default profiles for the SIM, through the assembled dashboard against the
// stand-in: the IMSI arrives, "dialConfig.plist" starts with the SIM's defaults, the device gets
// their parameters, and another SIM swaps them while the user's profiles stay.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/view/DialConfigChooser.h"
#include "ostrel/connection/view/DialConfigSheets.h"
#include "ostrel/framework/widgets/Buttons.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

const QString kFirstImsi = QStringLiteral("262021234567890");
const QString kSecondImsi = QStringLiteral("310410987654321");

QVariantMap profile(const QString &name, const QString &apn, const QString &imsi = QString())
{
    QVariantMap p{{QStringLiteral("provider"), name},
                  {QStringLiteral("telNumber"), QStringLiteral("*99#")},
                  {QStringLiteral("apnName"), apn},
                  {QStringLiteral("apnFlag"), 1}};
    if (!imsi.isEmpty())
        p.insert(QStringLiteral("IMSI"), imsi);
    return p;
}

class DashboardProfileMatchTest : public DashboardFixture {
protected:
    QString profileFile() const { return QDir(modemList_).filePath(QStringLiteral("dialConfig.plist")); }

    QStringList fileNames() const
    {
        QStringList names;
        const auto v = yov::PlistBridge::readFile(profileFile());
        for (const QVariant &p : v ? v->toList() : QVariantList())
            names.append(p.toMap().value(QStringLiteral("provider")).toString());
        return names;
    }

    QString deviceApn() const
    {
        return mapOf(modemState(QStringLiteral("Connection")).value(QStringLiteral("DialParams")))
            .value(QStringLiteral("Apn"))
            .toString();
    }
};

} // namespace

TEST_F(DashboardProfileMatchTest, ShippedOperatorTableMatchesTheDefaultSim)
{
    // The shipped settings as they stand (the fixture switches the match off for other tests).
    setSettings({{QStringLiteral("ImsiMatchGlobalApn"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    ASSERT_TRUE(QTest::qWaitFor([this] { return fileNames().value(0) == QLatin1String("Vandrel Web"); }, kWaitMs))
        << fileNames().join(u',').toStdString();
    // The shipped list's profile stays, behind the matched one.
    EXPECT_EQ(fileNames(), (QStringList{"Vandrel Web", "Internet"}));
    EXPECT_EQ(storedSettings().value(QStringLiteral("DefaultProfileNum")).toInt(), 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return deviceApn() == QLatin1String("web.vandrel.de"); }, kWaitMs))
        << "the device holds " << deviceApn().toStdString();
    EXPECT_EQ(dial()->currentProfileName(), QStringLiteral("Vandrel Web"));
}

TEST_F(DashboardProfileMatchTest, SimDefaultsLeadTheListAndAnotherSimSwapsThem)
{
    // The operator table: two defaults for the first SIM's network, one for the second's. The
    // shipped list's first profile is the old default; the user has one profile for the first SIM
    // and one for every SIM.
    setSettings({{QStringLiteral("ImsiMatchGlobalApn"), true},
                 {QStringLiteral("Internet/AddAPNWithSIM"), true},
                 {QStringLiteral("specialSoftVersion/RAVO_TIM"), true},
                 {QStringLiteral("DefaultProfileNum"), 1},
                 {QStringLiteral("IMSI2DialConfigIdx"),
                  QVariantMap{{QStringLiteral("26202"), QVariantList{0, 1}}, {QStringLiteral("31041"), 2}}},
                 {QStringLiteral("AllDefaultDialCfg"),
                  QVariantList{profile(QStringLiteral("Vandrel Web"), QStringLiteral("web.vandrel.de")),
                               profile(QStringLiteral("Vandrel Box"), QStringLiteral("box.vandrel.de")),
                               profile(QStringLiteral("Orrin Net"), QStringLiteral("net.orrin.us"))}}});
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        profileFile(), QVariantList{profile(QStringLiteral("Old Default"), QStringLiteral("old")),
                                    profile(QStringLiteral("Mine"), QStringLiteral("mine.apn"), kFirstImsi),
                                    profile(QStringLiteral("Shared"), QStringLiteral("shared.apn"))}));
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";

    ASSERT_TRUE(QTest::qWaitFor([this] { return fileNames().value(0) == QLatin1String("Vandrel Web"); }, kWaitMs))
        << fileNames().join(u',').toStdString();
    EXPECT_EQ(fileNames(), (QStringList{"Vandrel Web", "Vandrel Box", "Mine", "Shared"}));
    EXPECT_EQ(storedSettings().value(QStringLiteral("DefaultProfileNum")).toInt(), 2);
    EXPECT_EQ(storedSettings().value(QStringLiteral("ProfileID")).toInt(), 0);
    EXPECT_TRUE(storedSettings().contains(QStringLiteral("ProfileID")));
    EXPECT_TRUE(QTest::qWaitFor([this] { return deviceApn() == QLatin1String("web.vandrel.de"); }, kWaitMs))
        << "the device holds " << deviceApn().toStdString();
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(profileFile()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds APN passwords";

    // Another SIM: its default replaces the two, the user's profiles stay, the first SIM's own
    // profile out of sight but in the file.
    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->isDeviceRemoved(); }, kWaitMs));
    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Sim"), QVariantMap{{QStringLiteral("Imsi"), kSecondImsi}, {QStringLiteral("MncLength"), 3}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    ASSERT_EQ(control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return fileNames().value(0) == QLatin1String("Orrin Net"); }, kWaitMs))
        << fileNames().join(u',').toStdString();
    EXPECT_EQ(fileNames(), (QStringList{"Orrin Net", "Mine", "Shared"}));
    EXPECT_EQ(storedSettings().value(QStringLiteral("DefaultProfileNum")).toInt(), 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] {
            QStringList shown;
            for (const QVariantMap &p : dial()->profiles().dialConfigArray())
                shown.append(p.value(QStringLiteral("provider")).toString());
            return shown == QStringList{"Orrin Net", "Shared"};
        },
        kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([this] { return deviceApn() == QLatin1String("net.orrin.us"); }, kWaitMs))
        << "the device holds " << deviceApn().toStdString();
}

TEST_F(DashboardProfileMatchTest, HomeNetworkReportMatchesByMccAndMnc)
{
    // The modem reports the SIM's home MCC and MNC (262 and "02"): the key 26202 of the shipped
    // table, by the MCC and MNC road alone (the IMSI match is off).
    setScenarioModem(QStringLiteral("Sim"), {{QStringLiteral("ReportMccMnc"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    ASSERT_TRUE(QTest::qWaitFor([this] { return fileNames().value(0) == QLatin1String("Vandrel Web"); }, kWaitMs))
        << fileNames().join(u',').toStdString();
    EXPECT_EQ(fileNames(), (QStringList{"Vandrel Web", "Internet"}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return deviceApn() == QLatin1String("web.vandrel.de"); }, kWaitMs))
        << "the device holds " << deviceApn().toStdString();
}

// The profile edit sheet as the user opens it from the running dashboard: the Common/Advanced
// strip over the IPv4 and IPv6 halves does not switch by itself; a click shows the chosen tab in
// both halves.
TEST_F(DashboardProfileMatchTest, EditSheetTabStripSwitchesBothHalves)
{
    setSettings({{QStringLiteral("Internet/SupportIPv6"), true}, {QStringLiteral("Internet/DualPDPSettings"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    emit dial()->managementSheetRequested();
    DialConfigManagementSheet *sheet = nullptr;
    for (QWidget *w : QApplication::allWidgets())
        if (auto *found = qobject_cast<DialConfigManagementSheet *>(w))
            sheet = found;
    ASSERT_NE(sheet, nullptr);
    ASSERT_GT(sheet->table()->count(), 0);
    sheet->table()->setCurrentRow(0);
    sheet->editDialConfigSettings();
    DialConfigEditSheet *edit = sheet->editSheet();
    ASSERT_NE(edit, nullptr);
    edit->show();
    QApplication::processEvents();
    EXPECT_EQ(edit->ePDPTypeGroup_->rows() * edit->ePDPTypeGroup_->columns(), 4);
    EXPECT_TRUE(edit->ipv6Settings->isVisibleTo(edit));

    QTabBar *strip = edit->tabviewApnSettings_->tabBar();
    for (const auto &[index, page] : {std::pair{1, "Advanced"}, std::pair{0, "Common"}, std::pair{1, "Advanced"}}) {
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(index).center());
        EXPECT_EQ(edit->tabviewApnSettings_->currentIndex(), index);
        EXPECT_EQ(edit->tabviewIpv4ApnConfig_->currentWidget()->objectName(), QLatin1String(page));
        EXPECT_EQ(edit->tabviewIpv6ApnConfig_->currentWidget()->objectName(), QLatin1String(page));
    }
    saveScreenshot(edit, QStringLiteral("dashboard-profile-edit-advanced.png"));
    // Opened again, the sheet starts on the Common tabs.
    edit->setEditWinValue(0);
    EXPECT_EQ(edit->tabviewApnSettings_->currentIndex(), 0);
    EXPECT_EQ(edit->tabviewIpv4ApnConfig_->currentWidget()->objectName(), QLatin1String("Common"));
    EXPECT_TRUE(edit->tabviewIpv4ApnConfig_->currentWidget()->isAncestorOf(edit->apnField));
    saveScreenshot(edit, QStringLiteral("dashboard-profile-edit-common.png"));
    edit->editWindowCancel();
    sheet->closeDialConfigSettings();
}

TEST_F(DashboardProfileMatchTest, ChooserShowsTheMatchedProfilesWhenSettingsCannotBeWritten)
{
    // A SIM of no network in the shipped table first: the shipped list stays.
    setSettings({{QStringLiteral("ImsiMatchGlobalApn"), true}});
    setScenarioModem(QStringLiteral("Sim"), {{QStringLiteral("Imsi"), QStringLiteral("001019876543210")}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    auto *chooser = internetPage()->findChild<DialConfigChooser *>(QStringLiteral("m_DialConfigList"));
    ASSERT_NE(chooser, nullptr);
    const auto chooserTexts = [chooser] {
        QStringList texts;
        for (int i = 0; i < chooser->count(); ++i)
            texts << chooser->itemText(i);
        return texts;
    };
    ASSERT_EQ(fileNames(), QStringList{"Internet"});
    ASSERT_FALSE(chooserTexts().contains(QStringLiteral("Vandrel Web")));

    // Something stands where the settings file was, so that no write can replace it (a read-only
    // file does not stop root); then the SIM of the table's network comes in.
    const QString settings = QDir(modemList_).filePath(QStringLiteral("settings.plist"));
    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->isDeviceRemoved(); }, kWaitMs));
    ASSERT_TRUE(QFile::remove(settings));
    ASSERT_TRUE(QDir().mkpath(QDir(settings).filePath(QStringLiteral("blocking"))));
    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Sim"), QVariantMap{{QStringLiteral("Imsi"), kFirstImsi}, {QStringLiteral("MncLength"), 2}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    ASSERT_EQ(control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);

    // The profile file takes the matched profile, and the chooser shows what the file holds.
    ASSERT_TRUE(QTest::qWaitFor([this] { return fileNames().value(0) == QLatin1String("Vandrel Web"); }, kWaitMs))
        << fileNames().join(u',').toStdString();
    EXPECT_EQ(fileNames(), (QStringList{"Vandrel Web", "Internet"}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return chooserTexts().contains(QStringLiteral("Vandrel Web")); }, kWaitMs))
        << chooserTexts().join(u',').toStdString();
    EXPECT_TRUE(QTest::qWaitFor([chooser] { return chooser->currentText() == QLatin1String("Vandrel Web"); }, kWaitMs))
        << chooser->currentText().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([this] { return deviceApn() == QLatin1String("web.vandrel.de"); }, kWaitMs))
        << "the device holds " << deviceApn().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return alertsAbout(settings, QStringLiteral("could not be saved")) >= 1; }, kWaitMs))
        << "the user was not told";

    // Once settings can be written again, the next write saves the count of matched profiles.
    ASSERT_TRUE(QDir(settings).removeRecursively());
    ASSERT_TRUE(config_->writeToFile());
    EXPECT_EQ(storedSettings().value(QStringLiteral("DefaultProfileNum")).toInt(), 1);
    EXPECT_EQ(fileNames(), (QStringList{"Vandrel Web", "Internet"}));
}
