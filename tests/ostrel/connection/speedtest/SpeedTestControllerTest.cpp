// The operator list, the decision against a local server, the result upload as the server
// receives it, and the log's lines.
#include "ostrel/connection/speedtest/SpeedTestController.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/NotificationCenter.h"
#include "support/LocalHttpServer.h"
#include "support/ManualClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace ostrel;
using testing_support::LocalHttpServer;

namespace {

class HomeCode : public DefaultInitController {
public:
    QString code;
    QString currentHmccmnc() const override { return code; }
};

class SpeedTestControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Neighbours::installDefaults(nullptr);
        Neighbours::setInit(&home_);
    }
    void TearDown() override
    {
        controller_.reset();
        Neighbours::setInit(nullptr);
        ControllerContext::shared() = {};
    }

    // The controller over settings with the Internet module given (the server set to the local one).
    void make(QVariantMap internet, bool withServer = true)
    {
        if (withServer)
            internet.insert(QStringLiteral("Internet_SpeedTestServerURL"), server_.url(""));
        yov::PlistBridge::writeFile(dir_.filePath(QStringLiteral("settings.plist")),
                                    QVariantMap{{QStringLiteral("Internet"), internet}});
        store_ = std::make_unique<ConfigManager>(dir_.path());
        ControllerContext context;
        context.config = store_.get();
        context.notificationCenter = &center_;
        context.clock = &clock_;
        controller_ = std::make_unique<SpeedTestController>(context);
        controller_->setLogFilePath(dir_.filePath(QStringLiteral("LogTest.txt")));
        controller_->awakeFromNib();
    }
    static QVariantMap testOn() { return {{QStringLiteral("Internet_IsNeedTestSpeedAtConnected"), false}}; }

    std::optional<bool> decide()
    {
        std::optional<bool> answer;
        QObject context;
        controller_->isNeedTestSpeed(&context, [&answer](bool need) { answer = need; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000));
        return answer;
    }
    QString log() const
    {
        QFile f(controller_->logFilePath());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    QByteArray uploadPath(const QVariantMap &result)
    {
        server_.requested.clear();
        center_.post(QLatin1String(kSpeedTestResultNotification), nullptr, result);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !server_.requested.isEmpty(); }, 10000));
        return server_.requested.value(0);
    }

    QTemporaryDir dir_;
    LocalHttpServer server_;
    HomeCode home_;
    yov::NotificationCenter center_;
    testing_support::ManualClock clock_{QDateTime(QDate(2026, 3, 7), QTime(9, 5, 2))};
    std::unique_ptr<ConfigManager> store_;
    std::unique_ptr<SpeedTestController> controller_;
};

const QVariantMap kResult{{QStringLiteral("DisconnectionReason"), 1},
                          {QStringLiteral("DownloadSpeedValue"), 2048.5f},
                          {QStringLiteral("UploadSpeedValue"), 105.0f},
                          {QStringLiteral("DelayTimeValue"), 12.25f}};

} // namespace

TEST(SpeedTestList, ParsesKeysOfInterestAndLetsTheLastPartWin)
{
    struct Case {
        const char *text;
        const char *mcc, *mnc, *test;
    };
    const Case cases[] = {
        {"MCC=502\nMNC=18,19\nTEST=ON\n", "502", "18,19", "ON"},
        {"MCC=502=503\nTEST=ON=OFF", "503", "", "OFF"}, // several "=": the last part
        {"MCC=502\nMNC\nFOO=1\n\nTEST=ON", "502", "", "ON"}, // "MNC" without "=", unknown key
        {"MCC=502\r\nMNC=18\n", "502", "18", ""}, // no TEST line
    };
    for (const Case &c : cases) {
        const auto list = SpeedTestController::readSupportTestSpeedMccMnc(QString::fromUtf8(c.text));
        ASSERT_TRUE(list) << c.text;
        EXPECT_EQ(list->value(QStringLiteral("MCC")), QLatin1String(c.mcc)) << c.text;
        EXPECT_EQ(list->value(QStringLiteral("MNC")), QLatin1String(c.mnc)) << c.text;
        EXPECT_EQ(list->value(QStringLiteral("TEST")), QLatin1String(c.test)) << c.text;
        EXPECT_EQ(list->contains(QStringLiteral("FOO")), false);
    }
    EXPECT_FALSE(SpeedTestController::readSupportTestSpeedMccMnc(QString()));
}

TEST_F(SpeedTestControllerTest, DecisionFollowsTheOperatorListAndTheHomeCode)
{
    struct Case {
        QByteArray list;
        const char *home;
        bool runs;
    };
    const Case cases[] = {
        {"MCC=502\nMNC=18,190\nTEST=ON\n", "50219", true},  // 190 begins with 19
        {"MCC=502\nMNC=18,190\nTEST=ON\n", "50217", false},
        {"MCC=502\nMNC=18,190\nTEST=ON\n", "50318", false}, // another country
        {"MCC=502\nMNC=18,190\nTEST=OFF\n", "50218", false},
        {"MCC=502\nMNC=18,190\n", "50218", false},          // no TEST line
        {"MCC=502\nMNC=18\nTEST=ON\n", "5021", false},      // home code too short
        {"MCC=502\nMNC=\xff\xfe\nTEST=ON\n", "50218", false}, // not UTF-8: no list
    };
    make(testOn());
    for (const Case &c : cases) {
        server_.route("/throughputtest.txt", {c.list, "text/plain"});
        home_.code = QLatin1String(c.home);
        EXPECT_EQ(decide(), c.runs) << c.list.constData() << " / " << c.home;
    }
    EXPECT_TRUE(log().contains(QLatin1String("The Sim Card Info is not exit in Service")));
}

TEST_F(SpeedTestControllerTest, DecisionIsNoWithoutTheSwitchTheServerOrTheList)
{
    home_.code = QStringLiteral("50218");
    server_.route("/throughputtest.txt", {"MCC=502\nMNC=18\nTEST=ON\n", "text/plain"});

    make({}); // switch absent
    EXPECT_EQ(decide(), false);
    EXPECT_TRUE(server_.requested.isEmpty());

    make(testOn(), false); // no server address
    EXPECT_EQ(decide(), false);

    make(testOn());
    server_.route("/throughputtest.txt", {"gone", "text/plain", "404 Not Found"});
    EXPECT_EQ(decide(), false);
    EXPECT_TRUE(log().contains(QLatin1String("Download File throughputtest.txt: "))) << log().toStdString();
}

TEST_F(SpeedTestControllerTest, EachDecisionStartsAFreshLog)
{
    make(testOn());
    controller_->writeToLogFile(QStringLiteral("old entry"));
    home_.code = QStringLiteral("50218");
    server_.route("/throughputtest.txt", {"MCC=502\nMNC=18\nTEST=ON\n", "text/plain"});
    EXPECT_EQ(decide(), true);
    EXPECT_FALSE(log().contains(QLatin1String("old entry")));
}

TEST_F(SpeedTestControllerTest, LogLinesCarryTheClockAndStayPrivate)
{
    make({});
    controller_->writeToLogFile(QStringLiteral("first"));
    clock_.advance(61000);
    controller_->writeToLogFile(QStringLiteral("second"));
    EXPECT_EQ(log(), QStringLiteral("07/03/26 09:05:02    first\n07/03/26 09:06:03    second"));
    EXPECT_EQ(QFileInfo(controller_->logFilePath()).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);

    // A link in the log's place is not followed.
    const QString target = dir_.filePath(QStringLiteral("elsewhere.txt"));
    QFile::remove(controller_->logFilePath());
    ASSERT_TRUE(QFile::link(target, controller_->logFilePath()));
    controller_->writeToLogFile(QStringLiteral("third"));
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(SpeedTestControllerTest, UploadAddressAsTheServerReceivesIt)
{
    make({});
    home_.code = QStringLiteral("50219");
    // No radio report, no cell, no number: absent values.
    EXPECT_EQ(uploadPath(kResult),
              QByteArray("/check/checkspeed.php/msisdn=(null)&user=yov&password=4kp72wt&cellid=(null)&mnc=19&mcc=502"
                         "&download=2048.5&upload=105&lateny=12.25&rssi=(null)&ecno=(null)&rscp=(null)"
                         "&conntype=EDGE,GPRS,HSDPA,HSPA+,DC-HSPA+,etc&disconnectionreason=1"));

    // A radio report lacking one value, a cell, a number; a blank and a slash are encoded.
    center_.post(QStringLiteral("ReadRscpRssiEcnoInfo"), nullptr,
                 {{QStringLiteral("RSSI"), QStringLiteral("-71")}, {QStringLiteral("RSCP"), QStringLiteral("-90 dBm/x")}});
    center_.post(QStringLiteral("ReadCellIDInfo"), nullptr, {{QStringLiteral("CellIDInfo"), QStringLiteral("11068")}});
    controller_->setRuntimeObject(QStringLiteral("+60123"), QStringLiteral("runtimePhoneNumber"));
    home_.code = QStringLiteral("502");
    EXPECT_EQ(uploadPath(kResult),
              QByteArray("/check/checkspeed.php/msisdn=+60123&user=yov&password=4kp72wt&cellid=11068&mnc=&mcc="
                         "&download=2048.5&upload=105&lateny=12.25&rssi=-71&ecno=&rscp=-90%20dBm%2Fx"
                         "&conntype=EDGE,GPRS,HSDPA,HSPA+,DC-HSPA+,etc&disconnectionreason=1"));
    EXPECT_TRUE(log().contains(QLatin1String("/check/checkspeed.php/msisdn=+60123")));
}
