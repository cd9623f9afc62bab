#include "ostrel/framework/switches/ConfigService.h"

#include "common/PlistBridge.h"
#include "common/TextFormat.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <memory>

using ostrel::ConfigManager;
using ostrel::ConfigService;
namespace switch_kind = ostrel::switch_kind;

namespace {

class SwitchesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        settingsPath_ = QDir(dir_.path()).filePath(QStringLiteral("settings.plist"));
    }
    void TearDown() override
    {
        ConfigManager::setSharedConfigManager(nullptr);
        ConfigService::setActiveTokenListPath({});
    }

    // A store over the temporary ModemList folder, loaded from the given settings (none: no file).
    ConfigManager &open(const std::optional<QVariantMap> &settings = std::nullopt)
    {
        if (settings) {
            EXPECT_TRUE(yov::PlistBridge::writeFile(settingsPath_, *settings));
        }
        store_ = std::make_unique<ConfigManager>(dir_.path());
        service_ = std::make_unique<ConfigService>(store_.get());
        return *store_;
    }
    QByteArray fileBytes() const
    {
        QFile f(settingsPath_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QVariantMap reloaded() const
    {
        return yov::PlistBridge::readFile(settingsPath_).value_or(QVariant()).toMap();
    }
    // Puts value at module / key / subkey, creating the containers on the way.
    void put(const char *module, const char *key, const char *subkey, const QVariant &value)
    {
        const QString m = QString::fromUtf8(module);
        if (!key) {
            store_->setConfigurationByModule(m, value);
            return;
        }
        QVariantMap moduleMap = store_->getConfigurationByModule(m).toMap();
        if (!subkey) {
            moduleMap.insert(QString::fromUtf8(key), value);
        } else {
            QVariantMap inner = moduleMap.value(QString::fromUtf8(key)).toMap();
            inner.insert(QString::fromUtf8(subkey), value);
            moduleMap.insert(QString::fromUtf8(key), inner);
        }
        store_->setConfigurationByModule(m, moduleMap);
    }

    QTemporaryDir dir_;
    QString settingsPath_;
    std::unique_ptr<ConfigManager> store_;
    std::unique_ptr<ConfigService> service_;
};

// ---- The answers with an empty settings.plist ----------------------------------------------

// The switches whose missing-key answer is not the plain default of their type, written out here
// on their own rather than taken from the table.
const std::map<std::string, QVariant> &nonPlainDefaults()
{
    static const std::map<std::string, QVariant> m = {
        {"getUIModelConfig", 3},
        {"judgeRecordLastResetTimeWhetherEmptyWhenUIInit", true},
        {"isEnableAutoApnMatch", true},
        {"getSMSDefaultBrowsePosWhenOpenSmsUI", QStringLiteral("AT_PC")},
        {"getSMSDefaultStorePosWhenFirstStartUpUI", QStringLiteral("SetAtPC")},
    };
    return m;
}

QVariant expectedDefault(const std::string &getter, const QVariant &plain)
{
    const auto it = nonPlainDefaults().find(getter);
    return it == nonPlainDefaults().end() ? plain : it->second;
}

void checkDefault(const std::string &g, bool v) { EXPECT_EQ(v, expectedDefault(g, false).toBool()) << g; }
void checkDefault(const std::string &g, int v) { EXPECT_EQ(v, expectedDefault(g, 0).toInt()) << g; }
void checkDefault(const std::string &g, float v) { EXPECT_EQ(v, expectedDefault(g, 0.0f).toFloat()) << g; }
void checkDefault(const std::string &g, const QString &v)
{
    EXPECT_EQ(v, expectedDefault(g, QString()).toString()) << g;
}
void checkDefault(const std::string &g, const QVariantMap &v)
{
    EXPECT_TRUE(v.isEmpty()) << g;
    EXPECT_FALSE(nonPlainDefaults().count(g)) << g;
}
void checkDefault(const std::string &g, const QVariant &v)
{
    EXPECT_FALSE(v.isValid()) << g;
    EXPECT_FALSE(nonPlainDefaults().count(g)) << g;
}

TEST_F(SwitchesTest, EmptyStoreGivesEveryDefault)
{
    open(QVariantMap{});
    const ConfigService &s = *service_;
#define CHECK_DEFAULT(kind, getter, module, key, subkey, whenMissing) checkDefault(#getter, s.getter());
    OSTREL_CONFIG_SWITCHES(CHECK_DEFAULT)
#undef CHECK_DEFAULT

    // Switches written out by hand.
    EXPECT_TRUE(s.isDisabledLimits());
    EXPECT_FALSE(s.checkIfRepalceSpecialPhoneNumberToSpecialString());
    EXPECT_FALSE(s.isSetCurrentNetPreferedMode());
    EXPECT_FALSE(s.isSupportInterfaceInversionForPhoneBook());
    EXPECT_FALSE(s.isImsiPhoneDictContainCertainImsi(QStringLiteral("460001234567890")));
    EXPECT_FALSE(s.getPhoneNumWithImsi(QStringLiteral("460001234567890")).isValid());
    EXPECT_FALSE(s.getConnectButtonImageName(QStringLiteral("ConnectImage")).isValid());
    EXPECT_TRUE(s.getIsSupportMutalsLanguages());
    EXPECT_TRUE(service_->checkMccMncIsRegister(QStringLiteral("46001")));
}

TEST_F(SwitchesTest, StoreWithoutFolderGivesTheSameDefaults)
{
    // No ModemList folder at all: an empty store, and no crash anywhere.
    ConfigManager none{QString()};
    ConfigService s(&none);
    EXPECT_EQ(s.getUIModelConfig(), 3);
    EXPECT_TRUE(s.isEnableAutoApnMatch());
    EXPECT_EQ(s.getSMSDefaultBrowsePosWhenOpenSmsUI(), QStringLiteral("AT_PC"));
    EXPECT_FALSE(s.isCloseUIIfDeviceRemoved());
    EXPECT_FALSE(s.saveCurrentUIModel(1));
}

// ---- Each table row reads its own module and key -------------------------------------------

struct Sample {
    QVariant stored;
    QVariant expected;
};

template <typename Kind>
Sample sampleFor(const typename Kind::Type &whenMissing);

template <>
Sample sampleFor<switch_kind::Bool>(const bool &whenMissing)
{
    // Stored as text, read by its text: "no" is false, "YES" true.
    return whenMissing ? Sample{QStringLiteral("no"), false} : Sample{QStringLiteral("YES"), true};
}
template <>
Sample sampleFor<switch_kind::Int>(const int &) { return {QStringLiteral("7abc"), 7}; }
template <>
Sample sampleFor<switch_kind::Float>(const float &) { return {QStringLiteral("2.5"), 2.5f}; }
template <>
Sample sampleFor<switch_kind::String>(const QString &) { return {QStringLiteral("AT_SIM"), QStringLiteral("AT_SIM")}; }
template <>
Sample sampleFor<switch_kind::Object>(const QVariant &)
{
    const QVariantList list{QStringLiteral("46001"), QStringLiteral("46002")};
    return {list, list};
}
template <>
Sample sampleFor<switch_kind::Dict>(const QVariantMap &)
{
    const QVariantMap map{{QStringLiteral("Size"), qint64(12)}};
    return {map, map};
}
template <>
Sample sampleFor<switch_kind::Presence>(const bool &whenMissing)
{
    // The value is not read: a stored false still counts as present.
    return {false, !whenMissing};
}

TEST_F(SwitchesTest, EveryRowReadsItsOwnKey)
{
    ConfigManager &cm = open(QVariantMap{});
    std::size_t rows = 0;
    ConfigService::switchTable(&rows);
    std::size_t checked = 0;
    auto run = [&](auto kindTag, const char *getter, const char *module, const char *key, const char *subkey,
                   auto read) {
        using Kind = decltype(kindTag);
        const auto missing = read();
        const Sample sample = sampleFor<Kind>(missing);
        put(module, key, subkey, sample.stored);
        EXPECT_EQ(QVariant::fromValue(read()), sample.expected) << getter;
        // And only that key: the same value under another key leaves the default.
        cm.removeConfigurationByModule(QString::fromUtf8(module));
        if (key) {
            put(module, "UnrelatedKey", nullptr, sample.stored);
            EXPECT_EQ(QVariant::fromValue(read()), QVariant::fromValue(missing)) << getter;
            cm.removeConfigurationByModule(QString::fromUtf8(module));
        }
        ++checked;
    };
#define RUN_ROW(kind, getter, module, key, subkey, whenMissing) \
    run(switch_kind::kind{}, #getter, module, key, subkey, [this] { return service_->getter(); });
    OSTREL_CONFIG_SWITCHES(RUN_ROW)
#undef RUN_ROW
    EXPECT_EQ(checked, rows);
}

TEST_F(SwitchesTest, StringSwitchesTreatEmptyTextAsMissing)
{
    open(QVariantMap{{QStringLiteral("SMS"), QVariantMap{{QStringLiteral("SMS_DefaultPos_WhenOpenSMSUI"), QString()}}},
                     {QStringLiteral("Setting"),
                      QVariantMap{{QStringLiteral("Setting_SMSDefaultStorePos_WhenFirstStartUpUI"), QString()}}}});
    EXPECT_EQ(service_->getSMSDefaultBrowsePosWhenOpenSmsUI(), QStringLiteral("AT_PC"));
    EXPECT_EQ(service_->getSMSDefaultStorePosWhenFirstStartUpUI(), QStringLiteral("SetAtPC"));
}

TEST_F(SwitchesTest, ReadsTheLiveStoreEveryTime)
{
    ConfigManager &cm = open(QVariantMap{{QStringLiteral("Main"), QVariantMap{}}});
    EXPECT_FALSE(service_->isCloseUIIfDeviceRemoved());
    cm.setConfigurationByModuleKeyAndValue(QStringLiteral("Main"), QStringLiteral("Main_CloseUI_IfDeviceRemoved"), true);
    EXPECT_TRUE(service_->isCloseUIIfDeviceRemoved());
}

TEST_F(SwitchesTest, SharedServiceFollowsTheSharedStore)
{
    ConfigManager &cm = open(QVariantMap{{QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), qint64(1)}}}});
    ConfigManager::setSharedConfigManager(&cm);
    EXPECT_EQ(ConfigService::sharedConfigService()->getUIModelConfig(), 1);
    EXPECT_EQ(ConfigService::sharedConfigService()->store(), &cm);
}

// ---- Setters --------------------------------------------------------------------------------

struct ConditionalSetter {
    const char *name;
    const char *module;
    const char *key;
    std::function<bool(ConfigService &)> set;
    QVariant expected;
};

const std::vector<ConditionalSetter> &conditionalSetters()
{
    static const std::vector<ConditionalSetter> v = {
        {"saveCurrentUIModel", "Main", "Main_UIModel", [](ConfigService &s) { return s.saveCurrentUIModel(2); },
         qint64(2)},
        {"saveCurrentNetPreferedMode", "Setting", "Setting_CurrentNetPreSys",
         [](ConfigService &s) { return s.saveCurrentNetPreferedMode(3); }, qint64(3)},
        {"writeSMSStoreLocSettingFlagAfterFirstStartupUI", "Setting", "Setting_SetSMSDefaultStore_WhenFirstStartUpUI",
         [](ConfigService &s) { return s.writeSMSStoreLocSettingFlagAfterFirstStartupUI(false); }, false},
    };
    return v;
}

TEST_F(SwitchesTest, ConditionalSettersLeaveAFileWithoutTheKeyByteIdentical)
{
    const QVariantMap settings{
        {QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_CloseUI_IfDeviceRemoved"), true}}},
        {QStringLiteral("Setting"), QVariantMap{{QStringLiteral("Setting_RoamingImsiSet"), QStringLiteral("YES")}}},
        // A module used as a set that holds the key's name is not a place to store the value.
        {QStringLiteral("Other"), QVariantList{QStringLiteral("Main_UIModel")}},
    };
    for (const ConditionalSetter &c : conditionalSetters()) {
        ConfigManager &cm = open(settings);
        // An unwritten change in memory must not reach the file through these setters either.
        cm.setConfigurationByModule(QStringLiteral("Unsaved"), true);
        const QByteArray before = fileBytes();
        EXPECT_FALSE(c.set(*service_)) << c.name;
        EXPECT_EQ(fileBytes(), before) << c.name;
        EXPECT_FALSE(cm.getConfigurationByModuleAndKey(QString::fromUtf8(c.module), QString::fromUtf8(c.key)).isValid())
            << c.name;
    }
    // A module missing altogether is not created either.
    for (const ConditionalSetter &c : conditionalSetters()) {
        ConfigManager &cm = open(QVariantMap{{QStringLiteral("Call"), QVariantMap{}}});
        const QByteArray before = fileBytes();
        EXPECT_FALSE(c.set(*service_)) << c.name;
        EXPECT_EQ(fileBytes(), before) << c.name;
        EXPECT_FALSE(cm.getConfigurationByModule(QString::fromUtf8(c.module)).isValid()) << c.name;
    }
}

TEST_F(SwitchesTest, ConditionalSettersStoreAndWriteAnExistingKey)
{
    for (const ConditionalSetter &c : conditionalSetters()) {
        open(QVariantMap{{QString::fromUtf8(c.module),
                          QVariantMap{{QString::fromUtf8(c.key), QStringLiteral("old")},
                                      {QStringLiteral("Neighbour"), qint64(5)}}}});
        EXPECT_TRUE(c.set(*service_)) << c.name;
        const QVariantMap module = reloaded().value(QString::fromUtf8(c.module)).toMap();
        EXPECT_EQ(module.value(QString::fromUtf8(c.key)), c.expected) << c.name;
        EXPECT_EQ(module.value(QStringLiteral("Neighbour")), qint64(5)) << c.name;
    }
}

TEST_F(SwitchesTest, UnconditionalSettersWriteEveryTime)
{
    open(QVariantMap{{QStringLiteral("Record"), QVariantMap{}}, {QStringLiteral("ImsiPhone"), QVariantMap{}}});
    EXPECT_TRUE(service_->setRecordLastResetTimeValueWhenEmpty(QStringLiteral("2026-01-01")));
    EXPECT_TRUE(service_->writeCurrentProfile(4));
    EXPECT_TRUE(service_->writeDefaultProfileNum(2));
    EXPECT_TRUE(service_->writePurchaseProcessListInFile(QVariantList{QStringLiteral("step1")}));
    EXPECT_TRUE(service_->setImsi(QStringLiteral("460001234567890"), QStringLiteral("+8613800000000")));
    // A setter into a missing module creates nothing but still writes the file.
    service_->store()->setConfigurationByModule(QStringLiteral("Pending"), qint64(1));
    EXPECT_TRUE(service_->writeDisconnectAskState(true));

    const QVariantMap onDisk = reloaded();
    EXPECT_EQ(onDisk.value(QStringLiteral("Record")).toMap().value(QStringLiteral("recordLastResetTime")),
              QStringLiteral("2026-01-01"));
    EXPECT_EQ(onDisk.value(QStringLiteral("ProfileID")), qint64(4));
    EXPECT_EQ(onDisk.value(QStringLiteral("DefaultProfileNum")), qint64(2));
    EXPECT_EQ(onDisk.value(QStringLiteral("PurchargeBySMS")), QVariantList{QStringLiteral("step1")});
    EXPECT_EQ(onDisk.value(QStringLiteral("ImsiPhone")).toMap().value(QStringLiteral("460001234567890")),
              QStringLiteral("+8613800000000"));
    EXPECT_FALSE(onDisk.contains(QStringLiteral("Internet")));
    EXPECT_EQ(onDisk.value(QStringLiteral("Pending")), qint64(1));

    EXPECT_FALSE(service_->judgeRecordLastResetTimeWhetherEmptyWhenUIInit());
    EXPECT_EQ(service_->readDefaultProfileNum(), 2);
    EXPECT_TRUE(service_->isImsiPhoneDictContainCertainImsi(QStringLiteral("460001234567890")));
    EXPECT_EQ(service_->getPhoneNumWithImsi(QStringLiteral("460001234567890")), QStringLiteral("+8613800000000"));
}

TEST_F(SwitchesTest, SetImsiWithoutTheModuleCreatesNothing)
{
    open(QVariantMap{});
    EXPECT_TRUE(service_->setImsi(QStringLiteral("460001234567890"), QStringLiteral("123")));
    EXPECT_FALSE(reloaded().contains(QStringLiteral("ImsiPhone")));
    EXPECT_FALSE(service_->hasImsiPhoneConfig());
}

// ---- Switches with an algorithm of their own ---------------------------------------------------

TEST_F(SwitchesTest, DisabledLimitsTable)
{
    const QVariant missing;
    struct Case {
        QVariant frequence, everyDays;
        bool expected;
    } cases[] = {
        {missing, missing, true},
        {true, missing, false},
        {true, false, false},
        {false, true, false},
        {false, false, true},
        {QStringLiteral("no"), QStringLiteral("YES"), false},
        {QStringLiteral("no"), QStringLiteral("0"), true},
    };
    for (const Case &c : cases) {
        QVariantMap record;
        if (c.frequence.isValid())
            record.insert(QStringLiteral("IfSetRecordResetFrequence"), c.frequence);
        if (c.everyDays.isValid())
            record.insert(QStringLiteral("IfSetRecordResetEveryDays"), c.everyDays);
        open(QVariantMap{{QStringLiteral("Record"), record}});
        EXPECT_EQ(service_->isDisabledLimits(), c.expected) << c.frequence.toString().toStdString() << "/"
                                                            << c.everyDays.toString().toStdString();
    }
}

TEST_F(SwitchesTest, ReplaceSpecialNumberNeedsTheSwitchAndANonEmptyList)
{
    const QVariant list = QVariantList{QVariantMap{{QStringLiteral("Number"), QStringLiteral("1234")}}};
    struct Case {
        QVariant on, hidden;
        bool expected;
    } cases[] = {
        {true, list, true},
        {true, QVariantList{}, false},
        {true, QVariant(), false},
        {true, QStringLiteral("1234"), false},
        {false, list, false},
        {QStringLiteral("yes"), list, true},
    };
    for (const Case &c : cases) {
        QVariantMap sms{{QStringLiteral("Sms_ReplaceSpecialNumberToSpecialString_IfNeeded"), c.on}};
        if (c.hidden.isValid())
            sms.insert(QStringLiteral("SpecialNumberToHidden"), c.hidden);
        open(QVariantMap{{QStringLiteral("SMS"), sms}});
        EXPECT_EQ(service_->checkIfRepalceSpecialPhoneNumberToSpecialString(), c.expected);
    }
}

TEST_F(SwitchesTest, CurrentNetPreferedModeIsSetOnlyForThree)
{
    struct Case {
        QVariant stored;
        bool expected;
    } cases[] = {{qint64(3), true}, {QStringLiteral("3"), true}, {qint64(2), false}, {qint64(0), false},
                 {QStringLiteral("33"), false}, {QVariant(), false}};
    for (const Case &c : cases) {
        QVariantMap setting;
        if (c.stored.isValid())
            setting.insert(QStringLiteral("Setting_CurrentNetPreSys"), c.stored);
        open(QVariantMap{{QStringLiteral("Setting"), setting}});
        EXPECT_EQ(service_->isSetCurrentNetPreferedMode(), c.expected) << c.stored.toString().toStdString();
    }
}

TEST_F(SwitchesTest, NeedTestSpeedIsYesForAnyPresentValue)
{
    open(QVariantMap{{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("Internet_IsNeedTestSpeedAtConnected"), false}}}});
    EXPECT_TRUE(service_->isNeedTestSpeedAtConnected());
}

TEST_F(SwitchesTest, MccMncRegisterList)
{
    const QString key = QStringLiteral("AllowMCCMNCList");
    open(QVariantMap{{key, QVariantList{QStringLiteral("46000"), QStringLiteral("46001")}}});
    EXPECT_FALSE(service_->checkMccMncIsRegister(QStringLiteral("46001")));
    EXPECT_EQ(service_->mccMncArray(), (QStringList{QStringLiteral("46000"), QStringLiteral("46001")}));
    EXPECT_TRUE(service_->checkMccMncIsRegister(QStringLiteral("46002")));
    EXPECT_TRUE(service_->checkMccMncIsRegister(QString()));

    open(QVariantMap{{key, QVariantList{}}});
    EXPECT_TRUE(service_->checkMccMncIsRegister(QStringLiteral("46001")));
    open(QVariantMap{{key, QStringLiteral("46001")}});
    EXPECT_TRUE(service_->checkMccMncIsRegister(QStringLiteral("46001")));
}

TEST_F(SwitchesTest, SupportOfSeveralLanguages)
{
    const QString key = QStringLiteral("SupportLanguages");
    open(QVariantMap{{key, QVariantList{}}});
    EXPECT_TRUE(service_->getIsSupportMutalsLanguages());
    open(QVariantMap{{key, QVariantList{QStringLiteral("English"), QStringLiteral("French")}}});
    EXPECT_FALSE(service_->getIsSupportMutalsLanguages());
}

TEST_F(SwitchesTest, PhoneBookInversionOnlyWithTheArabicTokenList)
{
    const QVariantMap on{{QStringLiteral("PhoneBook"),
                          QVariantMap{{QStringLiteral("PhoneBook_InterfaceInversion_AtArabic"), true}}}};
    struct Case {
        QString tokenList;
        bool keyOn;
        bool expected;
    } cases[] = {
        {QStringLiteral("/res/Language/Arabic.lproj/LanguageTokenList.txt"), true, true},
        {QStringLiteral("/res/Language/Arabic.lproj/LanguageTokenList.txt"), false, false},
        {QStringLiteral("/res/Language/English.lproj/LanguageTokenList.txt"), true, false},
        {QStringLiteral("/res/Language/LanguageTokenList.txt"), true, false},
        {QString(), true, false},
    };
    for (const Case &c : cases) {
        open(c.keyOn ? on : QVariantMap{});
        ConfigService::setActiveTokenListPath(c.tokenList);
        EXPECT_EQ(service_->isSupportInterfaceInversionForPhoneBook(), c.expected) << c.tokenList.toStdString();
    }
}

TEST_F(SwitchesTest, NestedSwitches)
{
    open(QVariantMap{
        {QStringLiteral("UIAnimation"),
         QVariantMap{{QStringLiteral("ShakeWindow"), QVariantMap{{QStringLiteral("PinWindow"), QStringLiteral("YES")}}}}},
        {QStringLiteral("MAINFORM"),
         QVariantMap{{QStringLiteral("StartupWindow"),
                      QVariantMap{{QStringLiteral("DisplayCount"), qint64(2)}, {QStringLiteral("DelayTime"), 1.5}}}}},
        {QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("ToolbarItems"), QVariantList{}}}},
    });
    EXPECT_TRUE(service_->needShakePinWindow());
    EXPECT_EQ(service_->getDisplayStartupFlashTimes(), 2);
    EXPECT_FLOAT_EQ(service_->getStartupViewDelayTime(), 1.5f);
    EXPECT_EQ(service_->getStartupInfo().size(), 2);
    EXPECT_TRUE(service_->hasToolbarSkinInfo());
    EXPECT_TRUE(service_->configDictionaryOfUIAnimation().isValid());

    // StartupWindow that is not a dictionary: the defaults.
    open(QVariantMap{{QStringLiteral("MAINFORM"), QVariantMap{{QStringLiteral("StartupWindow"), QStringLiteral("x")}}}});
    EXPECT_EQ(service_->getDisplayStartupFlashTimes(), 0);
    EXPECT_FLOAT_EQ(service_->getStartupViewDelayTime(), 0.0f);
    EXPECT_TRUE(service_->getStartupInfo().isEmpty());
}

TEST_F(SwitchesTest, ConnectButtonImageNameReadsAnyInternetKey)
{
    open(QVariantMap{{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("ConnectBtnImage"), QStringLiteral("connect.png")}}}});
    EXPECT_EQ(service_->getConnectButtonImageName(QStringLiteral("ConnectBtnImage")), QStringLiteral("connect.png"));
    EXPECT_FALSE(service_->getConnectButtonImageName(QStringLiteral("Other")).isValid());
}

// ---- Fixed values ------------------------------------------------------------------------------

TEST_F(SwitchesTest, SoapRequestDocumentTakesTheImsiInItsOnePlaceholder)
{
    ConfigService s(nullptr);
    EXPECT_TRUE(s.getSoapServiceName().startsWith(QStringLiteral("http://")));
    EXPECT_TRUE(s.getSoapServiceName().endsWith(QStringLiteral("/SPBUUP/SPBService?WSDL")));

    const QString tpl = s.getSoapServiceContent();
    EXPECT_EQ(tpl.count(QStringLiteral("%@")), 1);
    EXPECT_FALSE(tpl.contains(u'\n'));
    EXPECT_TRUE(tpl.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")));

    const QString doc = yov::formatPlaceholders(tpl, {QStringLiteral("460001234567890")});
    QXmlStreamReader xml(doc);
    QStringList path;
    QMap<QString, QString> texts;
    QString imsiNamespace;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            path << xml.qualifiedName().toString();
            if (xml.qualifiedName() == QLatin1String("soapenv:Envelope")) {
                for (const auto &ns : xml.namespaceDeclarations())
                    if (ns.prefix() == QLatin1String("loc"))
                        imsiNamespace = ns.namespaceUri().toString();
            }
        } else if (xml.isCharacters() && !path.isEmpty()) {
            texts[path.join(u'/')] += xml.text().toString();
        } else if (xml.isEndElement()) {
            path.removeLast();
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts.value(QStringLiteral("soapenv:Envelope/soapenv:Header/loc:Authentication/Username")),
              QStringLiteral("yov_tarn"));
    EXPECT_EQ(texts.value(QStringLiteral("soapenv:Envelope/soapenv:Header/loc:Authentication/Password")),
              QStringLiteral("qmw"));
    EXPECT_EQ(texts.value(QStringLiteral("soapenv:Envelope/soapenv:Header/loc:Authentication")), QStringLiteral(" "));
    EXPECT_EQ(texts.value(QStringLiteral(
                  "soapenv:Envelope/soapenv:Body/loc:getDeviceProfileByIMSI/loc:IMSI")),
              QStringLiteral("460001234567890"));
    EXPECT_TRUE(imsiNamespace.startsWith(QStringLiteral("http://")));
    EXPECT_TRUE(imsiNamespace.endsWith(QStringLiteral("/sdp/spb/local")));
}

} // namespace
