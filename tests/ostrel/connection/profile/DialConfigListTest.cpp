// The profile list over a real ModemList folder: file, current profile, chooser, add, delete,
// save, per-SIM profiles and the dial parameters of the current profile.
#include "ostrel/connection/profile/DialConfigList.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "support/TestPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

QVariantMap profile(const QString &name, const QVariantMap &extra = {})
{
    QVariantMap p{{profilekey::provider, name}, {profilekey::apnName, name.toLower()}};
    for (auto it = extra.cbegin(); it != extra.cend(); ++it)
        p.insert(it.key(), it.value());
    return p;
}

class DialConfigListTest : public ::testing::Test {
protected:
    void open(const QVariantMap &settings, const std::optional<QVariantList> &profiles)
    {
        ASSERT_TRUE(yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), settings));
        if (profiles) {
            ASSERT_TRUE(yov::PlistBridge::writeFile(filePath(), *profiles));
        }
        store = std::make_unique<ConfigManager>(dir.path());
        list = std::make_unique<DialConfigList>(store.get());
    }

    QString filePath() const { return dir.filePath(QStringLiteral("dialConfig.plist")); }

    QVariantList fileProfiles() const
    {
        const auto v = yov::PlistBridge::readFile(filePath());
        return v ? v->toList() : QVariantList();
    }

    QVariant storedSetting(const char *key) const
    {
        // What settings.plist on disk holds, not only memory.
        const auto v = yov::PlistBridge::readFile(dir.filePath(QStringLiteral("settings.plist")));
        return v ? v->toMap().value(QString::fromLatin1(key)) : QVariant();
    }

    QStringList shownNames() const
    {
        QStringList names;
        for (const QVariantMap &p : list->dialConfigArray())
            names.append(p.value(profilekey::provider).toString());
        return names;
    }

    QTemporaryDir dir;
    std::unique_ptr<ConfigManager> store;
    std::unique_ptr<DialConfigList> list;
};

} // namespace

TEST_F(DialConfigListTest, LoadSaveRoundTripKeepsEveryKeyAndType)
{
    const QVariantMap full{
        {QStringLiteral("provider"), QStringLiteral("Operator")},
        {QStringLiteral("telNumber"), QStringLiteral("*99***1#")},
        {QStringLiteral("accountName"), QStringLiteral("user")},
        {QStringLiteral("password"), QStringLiteral("pass")},
        {QStringLiteral("apnName"), QStringLiteral("internet")},
        {QStringLiteral("pdpAddress"), QStringLiteral("10.0.0.2")},
        {QStringLiteral("preDns"), QStringLiteral("8.8.8.8")},
        {QStringLiteral("altDns"), QStringLiteral("8.8.4.4")},
        {QStringLiteral("saveUsernameFlag"), qint64(1)},
        {QStringLiteral("askUsernameFlag"), qint64(0)},
        {QStringLiteral("apnFlag"), QStringLiteral("1")}, // a number stored as text stays text
        {QStringLiteral("pdpFlag"), qint64(1)},
        {QStringLiteral("dnsFlag"), qint64(1)},
        {QStringLiteral("pppFlag"), qint64(1)},
        {QStringLiteral("pdpType"), qint64(3)},
        {QStringLiteral("IMSI"), QStringLiteral("001010000000001")},
        {QStringLiteral("IPv6ApnName"), QStringLiteral("v6")},
        {QStringLiteral("IPv6Username"), QStringLiteral("u6")},
        {QStringLiteral("IPv6Password"), QStringLiteral("p6")},
        {QStringLiteral("IPv6PrefDNS"), QStringLiteral("2001:db8::1")},
        {QStringLiteral("IPv6AltDNS"), QStringLiteral("2001:db8::2")},
        {QStringLiteral("IPv6PDPAddr"), QStringLiteral("2001:db8::9")},
        {QStringLiteral("IPv6AuthMode"), qint64(1)},
        {QStringLiteral("SinglePdp"), qint64(0)},
        {QStringLiteral("IPv6DNSMode"), qint64(1)},
        {QStringLiteral("IPv6SaveAccount"), qint64(1)},
        {QStringLiteral("IPv6ApnMode"), qint64(1)},
        {QStringLiteral("IPv6PDPMode"), qint64(0)},
        {QStringLiteral("operatorNote"), QVariantMap{{QStringLiteral("since"), true}}},
    };
    const QVariantList original{full, profile(QStringLiteral("Second"))};
    open({{QStringLiteral("ProfileID"), qint64(1)}}, original);

    EXPECT_EQ(list->loadDialConfig(), 2);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->profileAt(0), full);
    ASSERT_TRUE(list->saveDialConfigFile()) << list->lastError().toStdString();
    EXPECT_EQ(fileProfiles(), original);
}

TEST_F(DialConfigListTest, ShippedDefaultHoldsOneUsableProfile)
{
    const QString shipped = testing_paths::sourceResources() + QStringLiteral("/ModemList/dialConfig.plist");
    const auto v = yov::PlistBridge::readFile(shipped);
    ASSERT_TRUE(v.has_value());
    open({}, v->toList());
    EXPECT_EQ(list->loadDialConfig(), 1);
    ASSERT_EQ(list->count(), 1);
    const yov::MSG_APN_SET_REQ_PARA_T params = list->setDialParams(false);
    EXPECT_FALSE(params.apn.isEmpty());
    EXPECT_EQ(params.telNumber, QStringLiteral("*99#"));
}

TEST_F(DialConfigListTest, MissingOrBrokenFileGivesAnEmptyListAndTheEmptyProfile)
{
    open({{QStringLiteral("ProfileID"), qint64(4)}, {QStringLiteral("Internet"), QVariantMap{{QStringLiteral("MTUSize"), qint64(1400)}}}},
         std::nullopt);
    EXPECT_EQ(list->loadDialConfig(), 1);
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(list->currentProfileIndex().has_value());
    EXPECT_EQ(storedSetting("ProfileID"), QVariant(qint64(0)));
    EXPECT_EQ(list->chooserItemCount(), 1);
    EXPECT_EQ(list->chooserItemText(0), QStringLiteral("Edit Configuration"));
    EXPECT_FALSE(list->chooserItemText(1).has_value());
    EXPECT_EQ(list->selectChooserItem(1), DialConfigList::ChooserAction::None);
    EXPECT_EQ(list->getDefaultProfileAPN(), QStringLiteral("Automatic"));

    // The dial parameters of no profile: every text empty, every number 0; MTU from the settings.
    yov::MSG_APN_SET_REQ_PARA_T expected;
    expected.mtu = 1400;
    EXPECT_EQ(list->setDialParams(false), expected);

    // A file that is not a property list, and one whose root is not a list.
    QFile f(filePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a plist");
    f.close();
    EXPECT_FALSE(list->readDialConfigFile());
    EXPECT_FALSE(list->lastError().isEmpty());
    EXPECT_EQ(list->count(), 0);
    // A save never writes over it: the unreadable bytes are kept aside.
    list->addProfile(NewProfileOptions{});
    EXPECT_EQ(fileProfiles().size(), 1);
    const QStringList kept = QDir(dir.path()).entryList({QStringLiteral("dialConfig.plist.unreadable-*")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    QFile keptFile(dir.filePath(kept.first()));
    ASSERT_TRUE(keptFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(keptFile.readAll(), QByteArray("not a plist"));

    ASSERT_TRUE(yov::PlistBridge::writeFile(filePath(), QVariantMap{{QStringLiteral("provider"), QStringLiteral("x")}}));
    EXPECT_FALSE(list->readDialConfigFile());
    EXPECT_EQ(list->count(), 0);

    // Entries that are not profiles are skipped.
    ASSERT_TRUE(yov::PlistBridge::writeFile(filePath(), QVariantList{QStringLiteral("junk"), profile(QStringLiteral("A"))}));
    EXPECT_TRUE(list->readDialConfigFile());
    EXPECT_EQ(shownNames(), QStringList{QStringLiteral("A")});
}

TEST_F(DialConfigListTest, UnusableEntriesAreSkippedNamedAndKeptOnSave)
{
    const QString longName(100 * 1024, QLatin1Char('L'));
    const QVariantList stored{
        profile(QStringLiteral("A")),
        QVariantMap{{profilekey::provider, QVariantList{QStringLiteral("array"), QStringLiteral("name")}}},
        profile(QStringLiteral("B"), {{profilekey::pppFlag, QVariantMap{{QStringLiteral("x"), 1}}}}),
        QStringLiteral("junk"),
        profile(longName),
        profile(QStringLiteral("C"), {{profilekey::telNumber, qint64(99)}, {profilekey::apnFlag, QStringLiteral("1")}}),
    };
    open({}, stored);
    QStringList warnings;
    static QStringList *sink = nullptr;
    sink = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &m) {
        if (type == QtWarningMsg)
            sink->append(m);
    });
    list->loadDialConfig();
    qInstallMessageHandler(previous);

    ASSERT_EQ(list->count(), 3) << "A, the long name and C (numbers as text and texts as numbers are usable)";
    EXPECT_EQ(list->tableRowText(0), QStringLiteral("A"));
    EXPECT_EQ(list->tableRowText(1), QString(kProfileNameMaxLength, QLatin1Char('L'))) << "a long name is cut where shown";
    EXPECT_EQ(list->chooserItemText(2), QString(kProfileNameMaxLength, QLatin1Char('L')));
    EXPECT_EQ(list->unusableEntries().size(), 3);
    EXPECT_EQ(warnings.filter(QStringLiteral("Entry 1 ")).filter(QStringLiteral("provider")).size(), 1)
        << warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(warnings.filter(QStringLiteral("Entry 2 ")).filter(QStringLiteral("pppFlag")).size(), 1);
    EXPECT_EQ(warnings.filter(QStringLiteral("Entry 3 ")).size(), 1);

    // A save keeps every entry of the file: the usable profiles first, the others after them.
    list->addProfile(NewProfileOptions{});
    const QVariantList saved = fileProfiles();
    ASSERT_EQ(saved.size(), 7);
    EXPECT_EQ(saved[1].toMap().value(profilekey::provider).toString(), longName) << "the file keeps the whole name";
    EXPECT_EQ(saved[4], stored[1]);
    EXPECT_EQ(saved[5], stored[2]);
    EXPECT_EQ(saved[6], stored[3]);
}

TEST_F(DialConfigListTest, ChooserClampsAndSelects)
{
    open({{QStringLiteral("ProfileID"), qint64(7)}},
         QVariantList{profile(QStringLiteral("A")), profile(QStringLiteral("B")), profile(QStringLiteral("C"))});
    EXPECT_EQ(list->loadDialConfig(), 3);
    EXPECT_EQ(storedSetting("ProfileID"), QVariant(qint64(2)));
    EXPECT_EQ(list->chooserItemCount(), 4);
    EXPECT_EQ(list->chooserItemText(2), QStringLiteral("B"));
    EXPECT_FALSE(list->chooserItemText(4).has_value());
    EXPECT_FALSE(list->chooserItemText(-1).has_value());

    EXPECT_EQ(list->selectChooserItem(0), DialConfigList::ChooserAction::OpenManagementSheet);
    EXPECT_EQ(list->selectChooserItem(-1), DialConfigList::ChooserAction::None);
    EXPECT_EQ(list->selectChooserItem(1), DialConfigList::ChooserAction::ProfileSelected);
    EXPECT_EQ(storedSetting("ProfileID"), QVariant(qint64(0)));
    EXPECT_EQ(list->setDialParams(false).apn, QStringLiteral("a"));

    // A ProfileID that went out of range behind the list's back is clamped on every read.
    store->setConfigurationByModule(QStringLiteral("ProfileID"), qint64(-3));
    EXPECT_EQ(list->currentProfileIndex(), 0);
    store->setConfigurationByModule(QStringLiteral("ProfileID"), qint64(99));
    EXPECT_EQ(list->currentProfileIndex(), 2);
    EXPECT_EQ(list->setDialParams(false).apn, QStringLiteral("c"));
    EXPECT_EQ(list->tableRowText(3), QStringLiteral("Something is wrong, please check your code!"));
}

TEST_F(DialConfigListTest, DeletingTheCurrentLastProfileMovesToTheNewLast)
{
    open({{QStringLiteral("ProfileID"), qint64(2)}},
         QVariantList{profile(QStringLiteral("A")), profile(QStringLiteral("B")), profile(QStringLiteral("C"))});
    list->loadDialConfig();

    EXPECT_TRUE(list->deleteProfile(2));
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(storedSetting("ProfileID"), QVariant(qint64(1)));
    EXPECT_EQ(fileProfiles().size(), 2);

    // Deleting an earlier row leaves a ProfileID that is still in range.
    EXPECT_TRUE(list->deleteProfile(0));
    EXPECT_EQ(storedSetting("ProfileID"), QVariant(qint64(0)));

    // No selection: the last profile goes. An empty list leaves ProfileID at 0.
    EXPECT_TRUE(list->deleteProfile(std::nullopt));
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(storedSetting("ProfileID"), QVariant(qint64(0)));
    EXPECT_TRUE(fileProfiles().isEmpty());
    EXPECT_FALSE(list->deleteProfile(std::nullopt));
    EXPECT_FALSE(list->deleteProfile(0));
}

TEST_F(DialConfigListTest, AddNamesTheLowestFreeNumberAndSaves)
{
    open({{QStringLiteral("DefaultAuthMode"), QStringLiteral("CHAP")},
          {QStringLiteral("Internet"), QVariantMap{{QStringLiteral("AddNewAPNWithDefaultTelNum"), QStringLiteral("YES")}}}},
         QVariantList{profile(QStringLiteral("New1")), profile(QStringLiteral("New3"))});
    list->loadDialConfig();
    bool saved = false;
    const int index = list->addProfile({}, &saved);
    EXPECT_TRUE(saved);
    EXPECT_EQ(index, 2);
    const QVariantList file = fileProfiles();
    ASSERT_EQ(file.size(), 3);
    const QVariantMap added = file.at(2).toMap();
    EXPECT_EQ(added.value(profilekey::provider), QVariant(QStringLiteral("New2")));
    EXPECT_EQ(added.value(profilekey::telNumber), QVariant(QStringLiteral("*99#")));
    EXPECT_EQ(added.value(profilekey::pppFlag), QVariant(qint64(1)));
}

TEST_F(DialConfigListTest, SaveProfileChecksFirstAndWritesTheFile)
{
    open({}, QVariantList{profile(QStringLiteral("Home")), profile(QStringLiteral("Work"))});
    list->loadDialConfig();

    ProfileEdit e = editValuesOf(*list->profileAt(1), QStringLiteral("Work"), false, false, false);
    e.provider = QStringLiteral("Home");
    bool saved = true;
    EXPECT_EQ(list->saveProfile(1, e, &saved), ProfileCheck::NameExists);
    EXPECT_FALSE(saved);
    EXPECT_EQ(fileProfiles().at(1).toMap().value(profilekey::provider), QVariant(QStringLiteral("Work")));

    e.provider = QStringLiteral("Office");
    e.apnName = QStringLiteral("corp.example");
    EXPECT_EQ(list->saveProfile(1, e, &saved), ProfileCheck::Valid);
    EXPECT_TRUE(saved);
    const QVariantMap stored = fileProfiles().at(1).toMap();
    EXPECT_EQ(stored.value(profilekey::provider), QVariant(QStringLiteral("Office")));
    EXPECT_EQ(stored.value(profilekey::apnName), QVariant(QStringLiteral("corp.example")));
}

TEST_F(DialConfigListTest, AFailedWriteIsReported)
{
    open({}, QVariantList{profile(QStringLiteral("A"))});
    list->loadDialConfig();
    // A folder that cannot exist: its parent is a regular file.
    const QString blocked = dir.filePath(QStringLiteral("settings.plist/dialConfig.plist"));
    store->setConfigFilePath(blocked, DialConfigList::kCMDialConfigFile);

    EXPECT_FALSE(list->saveDialConfigFile());
    EXPECT_TRUE(list->lastError().contains(QStringLiteral("settings.plist/dialConfig.plist")));
    bool saved = true;
    list->addProfile({}, &saved);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(list->deleteProfile(0));
    list->closeManagementSheet(&saved);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(QFile::exists(blocked));
}

TEST_F(DialConfigListTest, PerSimProfilesAreHiddenButNeverLost)
{
    const QString simA = QStringLiteral("001010000000001");
    const QString simB = QStringLiteral("001010000000002");
    const QVariantList original{
        profile(QStringLiteral("Default")),
        profile(QStringLiteral("OfA"), {{profilekey::IMSI, simA}}),
        profile(QStringLiteral("OfB"), {{profilekey::IMSI, simB}}),
        profile(QStringLiteral("AlsoA"), {{profilekey::IMSI, simA}}),
    };
    open({{QStringLiteral("simIMSI"), simA},
          {QStringLiteral("IMSI"), simA},
          {QStringLiteral("ProfileID"), qint64(2)},
          {QStringLiteral("Internet"), QVariantMap{{QStringLiteral("AddAPNWithSIM"), true}}}},
         original);

    // Before the SIM is known nothing is filtered.
    EXPECT_EQ(list->loadDialConfig(false), 1);
    EXPECT_EQ(list->count(), 4);

    EXPECT_EQ(list->loadDialConfig(true), 3);
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Default"), QStringLiteral("OfA"), QStringLiteral("AlsoA")}));
    ASSERT_EQ(list->dialConfigArrayWithSIM().size(), 1);

    // A new profile belongs to SIM A; saving writes the hidden profile behind the shown ones.
    list->addProfile({});
    QVariantList file = fileProfiles();
    ASSERT_EQ(file.size(), 5);
    EXPECT_EQ(file.at(3).toMap().value(profilekey::IMSI), QVariant(simA));
    EXPECT_EQ(file.at(4).toMap().value(profilekey::provider), QVariant(QStringLiteral("OfB")));

    // Another SIM: its own profiles appear, SIM A's are set aside, none is lost.
    store->setConfigurationByModule(QStringLiteral("simIMSI"), simB);
    list->loadDialConfigWithSIM(simB);
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Default"), QStringLiteral("OfB")}));
    EXPECT_EQ(list->dialConfigArrayWithSIM().size(), 3);
    ASSERT_TRUE(list->saveDialConfigFile());
    EXPECT_EQ(fileProfiles().size(), 5);

    // Reloading from the file under SIM B: ProfileID 2 lies beyond its list of two, so 0.
    EXPECT_EQ(list->loadDialConfig(true), 1);
    EXPECT_EQ(storedSetting("ProfileID"), QVariant(qint64(0)));
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Default"), QStringLiteral("OfB")}));

    // Deleting a shown profile keeps the hidden ones in the file.
    EXPECT_TRUE(list->deleteProfile(1));
    file = fileProfiles();
    EXPECT_EQ(file.size(), 4);
    QStringList inFile;
    for (const QVariant &v : file)
        inFile.append(v.toMap().value(profilekey::provider).toString());
    EXPECT_EQ(inFile, (QStringList{QStringLiteral("Default"), QStringLiteral("OfA"), QStringLiteral("AlsoA"),
                                   QStringLiteral("New1")}));
}

TEST_F(DialConfigListTest, DialParamsOfTheCurrentProfileFollowTheSettings)
{
    open({{QStringLiteral("ProfileID"), qint64(1)},
          {QStringLiteral("ConnectType"), qint64(1)},
          {QStringLiteral("Internet"), QVariantMap{{QStringLiteral("MTUSize"), QStringLiteral("1380")}}}},
         QVariantList{profile(QStringLiteral("A")),
                      profile(QStringLiteral("B"), {{profilekey::IPv6ApnName, QStringLiteral("b6")},
                                                    {profilekey::pppFlag, qint64(1)}})});
    list->loadDialConfig();
    yov::MSG_APN_SET_REQ_PARA_T p = list->setDialParams(true);
    EXPECT_EQ(p.apn, QStringLiteral("b"));
    EXPECT_EQ(p.connectType, 1);
    EXPECT_EQ(p.mtu, 1380);
    EXPECT_EQ(p.authType, 1);
    EXPECT_EQ(p.disableAlertWindow, 1);
    EXPECT_TRUE(p.ipv6Apn.isEmpty());

    list->setSupportDoublePdp(true);
    p = list->setDialParams(false);
    EXPECT_EQ(p.ipv6Apn, QStringLiteral("b6"));
    EXPECT_EQ(p.disableAlertWindow, 0);
}
