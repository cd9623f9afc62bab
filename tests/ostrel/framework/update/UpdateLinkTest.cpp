#include "UpdateFixture.h"

#include "ostrel/framework/update/UpdateCfgIni.h"

#include <QFileInfo>

using ostrel::AEMessage;
using ostrel::UpdateCfgIni;

namespace {

// ---- Support test and interval ----------------------------------------------------------------

TEST_F(UpdateFixture, SupportNeedsEveryUpdateFile)
{
    EXPECT_TRUE(open().isSupportUpdate());
    for (const char *name : {"IMEIInfo.plist", "LocalInfo.plist", "UpdateCfg.ini", "UpdateCfg.plist"}) {
        const QString file = updateFile(QString::fromUtf8(name));
        const QByteArray saved = [&] { QFile f(file); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        QFile::remove(file);
        EXPECT_FALSE(open().isSupportUpdate()) << name;
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(saved);
    }
}

TEST_F(UpdateFixture, WithoutSupportEveryOperationIsANoOp)
{
    QFile::remove(updateFile(QStringLiteral("UpdateCfg.plist")));
    AEMessage &link = open({{QStringLiteral("AUTOUPDATE_ENABLE"), true}});
    const QByteArray localInfo = readFile(QStringLiteral("LocalInfo.plist"));
    const QByteArray ini = readFile(QStringLiteral("UpdateCfg.ini"));
    link.ApplicationFinishLaunchHook();
    link.dealWithMCCMNC(QStringLiteral("46001"));
    link.dealWithFirmwareVersion(QStringLiteral("V1B2"));
    link.dealWithDeviceType(QStringLiteral("E100"));
    link.dealWithIMEI(QStringLiteral("356938035643809"));
    EXPECT_FALSE(link.setAutoUpdate(true));
    EXPECT_FALSE(link.send_ManualUpdate_Msg());
    EXPECT_FALSE(link.send_DeviceOut_Msg());
    EXPECT_FALSE(link.start_Updater());
    EXPECT_EQ(readFile(QStringLiteral("LocalInfo.plist")), localInfo);
    EXPECT_EQ(readFile(QStringLiteral("UpdateCfg.ini")), ini);
    EXPECT_TRUE(readPlist(QStringLiteral("IMEIInfo.plist")).isEmpty());
    EXPECT_TRUE(launched_.isEmpty());
}

TEST(UpdateIntervalTest, RoundedDaysMustExceedThirty)
{
    const QDateTime now(QDate(2026, 6, 1), QTime(12, 0), Qt::UTC);
    const qint64 day = 24LL * 3600 * 1000;
    struct Case {
        double daysAgo;
        bool past;
    } cases[] = {{30.4, true}, {29.4, false}, {30.0, true}, {29.6, false}, {29.5, false}, {365, true},
                 {0, false},   {-0.1, false}, {-40, false}};
    for (const Case &c : cases)
        EXPECT_EQ(AEMessage::cheakingIntervalDay(now.addMSecs(-qint64(c.daysAgo * day)), now), c.past) << c.daysAgo;
}

TEST_F(UpdateFixture, IntervalIsDecidedAtCreation)
{
    const qint64 day = 24LL * 3600 * 1000;
    const QVariant missing;
    struct Case {
        const char *what;
        QVariant check;
        QVariant updateTime; // offset in days before now, or a non-date
        bool past;
    } cases[] = {
        {"interval not checked", false, QVariant(1.0), true},
        {"check switch missing", missing, QVariant(1.0), true},
        {"30.4 days ago", true, QVariant(30.4), true},
        {"29.4 days ago", true, QVariant(29.4), false},
        {"in the future", QStringLiteral("YES"), QVariant(-2.0), false},
        {"no date yet", true, missing, false},
        {"not a date", true, QVariant(QStringLiteral("yesterday")), false},
    };
    for (const Case &c : cases) {
        QVariantMap settings;
        if (c.check.isValid())
            settings.insert(QStringLiteral("CheckIntervalDays"), c.check);
        if (c.updateTime.typeId() == QMetaType::Double)
            settings.insert(QStringLiteral("UpdateTime"),
                            clock_.now().addMSecs(-qint64(c.updateTime.toDouble() * day)));
        else if (c.updateTime.isValid())
            settings.insert(QStringLiteral("UpdateTime"), c.updateTime);
        EXPECT_EQ(open(settings).isPastIntervalDays(), c.past) << c.what;
    }
}

TEST_F(UpdateFixture, MissingUpdateTimeIsSetInMemoryOnly)
{
    open({{QStringLiteral("CheckIntervalDays"), true}});
    EXPECT_EQ(store_->getConfigurationByModule(QStringLiteral("UpdateTime")).toDateTime(), clock_.now());
    const auto onDisk = yov::PlistBridge::readFile(QDir(modemList_.path()).filePath(QStringLiteral("settings.plist")));
    ASSERT_TRUE(onDisk.has_value());
    EXPECT_FALSE(onDisk->toMap().contains(QStringLiteral("UpdateTime")));
}

// ---- Version texts and LocalInfo.plist ----------------------------------------------------------

TEST(UpdateVersionTextTest, DottedForm)
{
    struct Case {
        const char *text;
        bool requireB;
        const char *dotted;
    } cases[] = {
        {"V1.2B03", true, "1.2.03"},
        {"OstrelV1.2B03", true, "1.2.03"},
        {"V1.2", true, ""},
        {"V1.2", false, "1.2"},
        {"11.608.12V", false, ""},
        {"11.608.12.02.00", false, ""},
        {"", true, ""},
        {"V1V2B3B4", true, "2.3B4"},
        {"B1V2", false, "2"},
        {"v1B2", false, ""},
    };
    for (const Case &c : cases) {
        const QString got = AEMessage::dottedVersion(QString::fromUtf8(c.text), c.requireB);
        EXPECT_EQ(got, QString::fromUtf8(c.dotted)) << c.text;
        EXPECT_FALSE(got.isNull()) << c.text;
    }
}

TEST_F(UpdateFixture, DeviceReportsUpdateLocalInfo)
{
    AEMessage &link = open();
    link.dealWithUIVersion();
    link.dealWithFirmwareVersion(QStringLiteral("11.608.12.02.00V2B1"));
    link.dealWithMCCMNC(QStringLiteral("46001"));
    link.dealWithMCCMNC(QString()); // ignored
    link.dealWithDeviceType(QStringLiteral("E100"));
    QVariantMap info = readPlist(QStringLiteral("LocalInfo.plist"));
    EXPECT_EQ(info, (QVariantMap{{"PRODUCT", "E100"},
                                 {"UI_VERSION", "1.2.03"},
                                 {"SV_INTERNAL", "R12"},
                                 {"SV", "1.2"},
                                 {"FW_VERSION", "2.1"},
                                 {"FW", "11.608.12.02.00V2B1"},
                                 {"GP_MCCMNC", "46001"},
                                 {"DEVICE_TYPE", "E100"}}));

    link.dealWithInternalFirmwareVersion(QString());
    link.dealWithDeviceType(QString());
    info = readPlist(QStringLiteral("LocalInfo.plist"));
    EXPECT_EQ(info.value(QStringLiteral("FW")), QStringLiteral(""));
    EXPECT_EQ(info.value(QStringLiteral("FW_VERSION")), QStringLiteral(""));
    EXPECT_EQ(info.value(QStringLiteral("DEVICE_TYPE")), QStringLiteral(""));
}

TEST_F(UpdateFixture, MissingLocalInfoIsNotRecreated)
{
    AEMessage &link = open();
    QFile::remove(updateFile(QStringLiteral("LocalInfo.plist")));
    link.dealWithMCCMNC(QStringLiteral("46001"));
    link.dealWithUIVersion();
    EXPECT_FALSE(QFileInfo::exists(updateFile(QStringLiteral("LocalInfo.plist"))));
    EXPECT_EQ(link.getLocalInfo(), (QVariantMap{{QStringLiteral("UNSIGNED_ID"), QStringLiteral("")}}));
}

QStringList g_logged;
void capture(QtMsgType, const QMessageLogContext &, const QString &message) { g_logged << message; }

TEST_F(UpdateFixture, FirstImeiIsKeptForGood)
{
    AEMessage &link = open();
    EXPECT_EQ(link.getLocalInfo().value(QStringLiteral("UNSIGNED_ID")), QStringLiteral(""));
    link.dealWithIMEI(QString());
    EXPECT_TRUE(readPlist(QStringLiteral("IMEIInfo.plist")).isEmpty());

    link.dealWithIMEI(QStringLiteral("356938035643809"));
    const QVariantMap locked{{QStringLiteral("IMEI"), QStringLiteral("356938035643809")},
                             {QStringLiteral("IMEI_ISLOCKED"), true}};
    EXPECT_EQ(readPlist(QStringLiteral("IMEIInfo.plist")), locked);
    EXPECT_EQ(link.getLocalInfo().value(QStringLiteral("UNSIGNED_ID")), QStringLiteral("356938035643809"));

    g_logged.clear();
    const QtMessageHandler old = qInstallMessageHandler(capture);
    link.dealWithIMEI(QStringLiteral("490154203237518"));
    qInstallMessageHandler(old);
    EXPECT_EQ(readPlist(QStringLiteral("IMEIInfo.plist")), locked);
    ASSERT_EQ(g_logged.size(), 1);
    EXPECT_EQ(g_logged.first(), QStringLiteral("The IMEIInfo has already locked with the IMEI: 356938035643809"));
}

TEST_F(UpdateFixture, UnlockedImeiIsNotSent)
{
    writePlist(QStringLiteral("IMEIInfo.plist"), {{QStringLiteral("IMEI"), QStringLiteral("1")},
                                                  {QStringLiteral("IMEI_ISLOCKED"), false}});
    EXPECT_EQ(open().getLocalInfo().value(QStringLiteral("UNSIGNED_ID")), QStringLiteral(""));
}

// ---- UpdateCfg.ini -------------------------------------------------------------------------------

TEST(UpdateCfgIniTest, RewriteTable)
{
    struct Case {
        const char *what;
        QByteArray in;
        const char *key;
        const char *value;
        QByteArray out;
    } cases[] = {
        {"LF lines", "ENABLE_UPDATE=0\nServiceURL=http://a\nUPDATE_FREQUENCE=7\n", "ENABLE_UPDATE=", "1",
         "ENABLE_UPDATE=1\n\nServiceURL=http://a\n\nUPDATE_FREQUENCE=7\n\n"},
        {"CR LF keeps the CR of kept lines", "[Update]\r\nENABLE_UPDATE=0\r\nServiceURL=http://a\r\n", "ENABLE_UPDATE=",
         "1", "[Update]\r\n\nENABLE_UPDATE=1\n\nServiceURL=http://a\r\n\n"},
        {"blank lines from the last rewrite dropped", "ENABLE_UPDATE=1\n\nServiceURL=x\r\n\n\r\n", "ServiceURL=",
         "http://b", "ENABLE_UPDATE=1\n\nServiceURL=http://b\n\n"},
        {"comments never rewritten", "; ENABLE_UPDATE=0\n#ENABLE_UPDATE=0\nENABLE_UPDATE=0", "ENABLE_UPDATE=", "1",
         "; ENABLE_UPDATE=0\n\n#ENABLE_UPDATE=0\n\nENABLE_UPDATE=1\n\n"},
        {"key only at the start of its line", "OLD_ENABLE_UPDATE=0\nX=ENABLE_UPDATE=0\n", "ENABLE_UPDATE=", "1",
         "OLD_ENABLE_UPDATE=0\n\nX=ENABLE_UPDATE=0\n\n"},
        {"leading blanks kept", "  \tUPDATE_FREQUENCE=7 days\n", "UPDATE_FREQUENCE=", "14", "  \tUPDATE_FREQUENCE=14\n\n"},
        {"every matching line", "ServiceURL=a\nServiceURL=b\n", "ServiceURL=", "c", "ServiceURL=c\n\nServiceURL=c\n\n"},
        {"UTF-8 kept", "NAME=Überall\nServiceURL=a", "ServiceURL=", "http://ä", "NAME=Überall\n\nServiceURL=http://ä\n\n"},
        {"no matching line", "A=1\n", "ServiceURL=", "x", "A=1\n\n"},
        {"empty file", "", "ServiceURL=", "x", ""},
    };
    for (const Case &c : cases) {
        QByteArray out;
        ASSERT_TRUE(UpdateCfgIni::rewrite(c.in, QString::fromUtf8(c.key), QString::fromUtf8(c.value), &out)) << c.what;
        EXPECT_EQ(out, c.out) << c.what;
    }
}

TEST(UpdateCfgIniTest, ValuesWithLineBreaksAreRefused)
{
    QByteArray out = "untouched";
    for (const char *value : {"http://x\nENABLE_UPDATE=1", "http://x\rENABLE_UPDATE=1", "\n"})
        EXPECT_FALSE(UpdateCfgIni::rewrite("ServiceURL=a\n", QStringLiteral("ServiceURL="), QString::fromUtf8(value), &out));
    EXPECT_EQ(out, "untouched");
}

TEST_F(UpdateFixture, SettersRewriteTheFile)
{
    AEMessage &link = open();
    EXPECT_TRUE(link.setAutoUpdate(true));
    EXPECT_TRUE(link.setServiceAddress(QStringLiteral("https://update.example/cm")));
    EXPECT_TRUE(link.setUpdateDuration(14));
    EXPECT_EQ(readFile(QStringLiteral("UpdateCfg.ini")),
              "ENABLE_UPDATE=1\n\nServiceURL=https://update.example/cm\n\nUPDATE_FREQUENCE=14\n\n");
    EXPECT_TRUE(link.setAutoUpdate(false));
    EXPECT_EQ(readFile(QStringLiteral("UpdateCfg.ini")),
              "ENABLE_UPDATE=0\n\nServiceURL=https://update.example/cm\n\nUPDATE_FREQUENCE=14\n\n");

    const QByteArray before = readFile(QStringLiteral("UpdateCfg.ini"));
    EXPECT_FALSE(link.setServiceAddress(QStringLiteral("http://evil\nENABLE_UPDATE=1")));
    EXPECT_EQ(readFile(QStringLiteral("UpdateCfg.ini")), before);

    QFile::remove(updateFile(QStringLiteral("UpdateCfg.ini")));
    EXPECT_FALSE(link.setUpdateDuration(3));
    EXPECT_FALSE(QFileInfo::exists(updateFile(QStringLiteral("UpdateCfg.ini"))));
}

TEST_F(UpdateFixture, OversizedIniIsNotRead)
{
    AEMessage &link = open();
    QFile f(updateFile(QStringLiteral("UpdateCfg.ini")));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(UpdateCfgIni::kMaxFileSize + 1));
    f.close();
    EXPECT_FALSE(link.setAutoUpdate(true));
    EXPECT_EQ(QFileInfo(f.fileName()).size(), UpdateCfgIni::kMaxFileSize + 1);
}

// ---- Programs ------------------------------------------------------------------------------------

TEST_F(UpdateFixture, StartsKestrinWithoutAShell)
{
    AEMessage &link = open();
    EXPECT_FALSE(link.start_Updater()); // not installed: nothing started
    EXPECT_TRUE(launched_.isEmpty());

    const QString bin = QDir(modemList_.path()).filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    for (const char *name : {"kestrin", "tamber"}) {
        QFile program(QDir(bin).filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n");
        program.close();
        program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    }
    EXPECT_TRUE(link.start_Updater());
    EXPECT_TRUE(link.DealOnlyDiagPort());
    ASSERT_EQ(launched_.size(), 2);
    EXPECT_EQ(launched_.at(0).program, QDir(bin).filePath(QStringLiteral("kestrin")));
    EXPECT_TRUE(launched_.at(0).arguments.isEmpty());
    EXPECT_EQ(launched_.at(1).program, QDir(bin).filePath(QStringLiteral("tamber")));

    launcher_.result = false; // a program that does not start is reported as not started
    EXPECT_FALSE(link.start_Updater());
}

TEST_F(UpdateFixture, CreatesTheDownloadFolder)
{
    EXPECT_TRUE(open().creatUpdatePath());
    EXPECT_TRUE(QFileInfo(QDir(updateDir()).filePath(QStringLiteral("Auto_Update/download"))).isDir());
}

TEST_F(UpdateFixture, ReceivedMessagesAreOnlyReadForTheirCommand)
{
    AEMessage &link = open();
    EXPECT_EQ(link.handleAppleEvent(QString::fromUtf8(*yov::PlistBridge::toXml(QVariantMap{{"CMD_ID", qint64(6)}}))), 6);
    EXPECT_EQ(link.handleAppleEvent(QStringLiteral("<not a plist")), 0);
}

} // namespace
