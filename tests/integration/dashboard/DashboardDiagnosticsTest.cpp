// The diagnostics sheet and the speed test through the assembled dashboard against the stand-in:
// the help menu's items, the sheet filled from the modem, its export, the trace logs, the report
// SMS, and a connection measured against a local server and a local iperf 2 server.
#include "DashboardFixture.h"

#include "common/BuildInfo.h"
#include "common/util/KLog.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/sms/page/SMSController.h"
#include "support/LocalHttpServer.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class RecordingSms : public DefaultSMSController {
public:
    QStringList sent; // "number: text"
    bool sendSmsTo(const QString &number, const QString &text, bool, bool, bool) override
    {
        sent << number + QStringLiteral(": ") + text;
        return true;
    }
};

class DashboardDiagnosticsTest : public DashboardFixture {
protected:
    QAction *menuItem(const char *title) const { return main()->menuItemNamed(QLatin1String(title)); }
    QString diag(const char *field) const { return init()->diagWindow()->text(QLatin1String(field)); }
    void openSheet()
    {
        QAction *item = menuItem("Diagnostics");
        ASSERT_TRUE(item);
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        ASSERT_TRUE(init()->diagWindow());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(init()->diagWindow()));
    }
    QStringList opened_;
};

} // namespace

TEST_F(DashboardDiagnosticsTest, SheetIsFilledFromTheModemAndExportedAsShown)
{
    setSettings({{QStringLiteral("CellId/ShowLastNum"), 4}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    init()->openFileHook = [this](const QString &path) {
        opened_ << path;
        return true;
    };
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->m_FWVersion.isEmpty(); }, kWaitMs));
    // Registered, with a signal and a serving cell reported.
    ASSERT_TRUE(QTest::qWaitFor([this] { return init()->hasCSDomain() && init()->m_SignalStrength != 0; }, kWaitMs));
    init()->openRssiLacCiWindow(nullptr);
    ASSERT_TRUE(init()->signalWindow());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->signalWindow()->labelRssiLacCiWindowCiValue_->text().isEmpty(); },
                                kWaitMs));
    saveScreenshot(init()->signalWindow(), QStringLiteral("diagnostics-cell-window.png"));
    init()->closeRssiLacCiWindow(nullptr);
    ASSERT_TRUE(menuItem("Logs") && menuItem("Logs")->isEnabled());
    ASSERT_TRUE(menuItem("About...") && menuItem("About...")->isEnabled());
    openSheet();

    EXPECT_EQ(diag("Diag_SoftwareVersion"), yov::BuildInfo::version());
    EXPECT_EQ(diag("Diag_FWV"), init()->m_FWVersion);
    EXPECT_EQ(diag("Diag_DeviceName"), init()->m_Devicemodel);
    EXPECT_EQ(diag("Diag_APN"), dial()->getDefaultProfileAPN());
    EXPECT_FALSE(diag("Diag_OSVer").isEmpty());
    EXPECT_EQ(init()->dicDiagWindowInfo_.value(QStringLiteral("FirmwareVersion")).toString(), init()->m_FWVersion);
    EXPECT_EQ(init()->diagWindow()->label(QStringLiteral("Diag_OSVer"))->text(), QStringLiteral("OS version:"));
    saveScreenshot(init()->diagWindow(), QStringLiteral("diagnostics-device.png"));
    init()->diagWindow()->selectSegment(3);
    saveScreenshot(init()->diagWindow(), QStringLiteral("diagnostics-network.png"));
    // The serving cell: the last four digits of the reported cell ID, in decimal.
    EXPECT_FALSE(diag("Diag_SerCell").isEmpty());
    EXPECT_EQ(diag("Diag_CSRegistration"), QStringLiteral("Registration"));
    EXPECT_EQ(init()->diagWindow()->diagSegmentedTable_->tabText(1), QStringLiteral("System"));

    // Export: the file holds the sheet's text and is opened.
    init()->diagWindow()->m_OpenDiagInfoWithTEBtn->click();
    const QString path = QDir(modemList_).filePath(QStringLiteral("DiagInfo.txt"));
    ASSERT_EQ(opened_, QStringList{path});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_EQ(text, init()->diagExport());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Hardware Information:     \n        IMEI number:     "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n        Firmware version:     ") + init()->m_FWVersion + QLatin1Char('\n')));
    EXPECT_TRUE(text.contains(QStringLiteral("\nNetwork Settings:     \n")));

    // An export that cannot be written is told, and nothing is opened.
    file.close();
    opened_.clear();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(modemList_).mkdir(QStringLiteral("DiagInfo.txt")));
    EXPECT_FALSE(init()->OpenDiagInfoInTextEdit(nullptr));
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_FALSE(presenter_.messages().filter(QStringLiteral("DiagInfo.txt")).isEmpty());

    // The OK button closes the sheet.
    init()->diagWindow()->m_DiagWindowOKBtn->click();
    EXPECT_FALSE(init()->diagWindow()->isVisible());
}

TEST_F(DashboardDiagnosticsTest, LogsOpenTheTraceFilesThatExistAndTheReportGoesBySms)
{
    setSettings({{QStringLiteral("SendReportTo"), QStringLiteral("+601100")}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    init()->openFileHook = [this](const QString &path) {
        opened_ << path;
        return true;
    };
    const QDir logDir(yov::KLog::sharedLog().logDir());
    QStringList expected;
    for (const char *name : {"at_read.log", "at_write.log", "at_Modem_read.log", "at_Modem_write.log"})
        if (QFile::exists(logDir.filePath(QLatin1String(name))))
            expected << logDir.filePath(QLatin1String(name));
    menuItem("Logs")->trigger();
    EXPECT_EQ(opened_, expected);

    RecordingSms sms;
    Neighbours::setSms(&sms);
    openSheet();
    init()->diagWindow()->btnSendReport_->click();
    Neighbours::setSms(assembly_->smsController());
    ASSERT_EQ(sms.sent.size(), 1);
    EXPECT_TRUE(sms.sent[0].startsWith(QStringLiteral("+601100: "))) << sms.sent[0].toStdString();
    EXPECT_TRUE(sms.sent[0].endsWith(QStringLiteral(", YOV ") + init()->m_Devicemodel)) << sms.sent[0].toStdString();
    EXPECT_TRUE(init()->reportSendFlag());
}

TEST_F(DashboardDiagnosticsTest, ConnectionIsMeasuredAndTheResultUploaded)
{
    // A local iperf 2 server on a free UDP port.
    quint16 port = 0;
    {
        QUdpSocket probe;
        ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        port = probe.localPort();
    }
    QProcess iperfServer;
    iperfServer.start(QStringLiteral("iperf"), {QStringLiteral("-s"), QStringLiteral("-u"), QStringLiteral("-B"),
                                                QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port)});
    ASSERT_TRUE(iperfServer.waitForStarted(5000)) << "iperf (version 2) must be installed";
    struct EndByPid {
        QProcess &p;
        ~EndByPid()
        {
            if (p.processId() > 0)
                ::kill(pid_t(p.processId()), SIGKILL); // its UDP server ignores SIGTERM
            p.waitForFinished(5000);
        }
    } endServer{iperfServer};

    testing_support::LocalHttpServer server;
    server.route("/latency.txt", {"ok", "text/plain"});
    server.route("/modemdltest.jpg", {QByteArray(20000, 'x'), "image/jpeg"});
    setSettings({{QStringLiteral("Internet/Internet_IsNeedTestSpeedAtConnected"), false},
                 {QStringLiteral("Internet/Internet_SpeedTestServerURL"), server.url("")},
                 {QStringLiteral("Internet/Internet_SpeedTestIperfPort"), int(port)},
                 {QStringLiteral("Internet/Internet_ParmsForUploadTestTool"),
                  QVariantMap{{QStringLiteral("Internet_TimeUnitforIperf"), 1},
                              {QStringLiteral("Internet_SendDataforIperf"), 1},
                              {QStringLiteral("Internet_TheorySpeedforIperf"), 1},
                              {QStringLiteral("Internet_TotalSendTimeforIperf"), 1}}}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(QTest::qWaitFor([this] { return init()->currentHmccmnc().size() >= 5; }, kWaitMs));
    const QString home = init()->currentHmccmnc();
    server.route("/throughputtest.txt",
                 {"MCC=" + home.left(3).toUtf8() + "\nMNC=" + home.mid(3).toUtf8() + "\nTEST=ON\n", "text/plain"});

    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
    auto uploaded = [&server] {
        for (const QByteArray &path : server.requested)
            if (path.startsWith("/check/checkspeed.php/"))
                return path;
        return QByteArray();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !uploaded().isEmpty(); }, 30000)) << server.requested.join(' ').constData();
    const QByteArray path = uploaded();
    const qsizetype at = path.indexOf("&upload=");
    ASSERT_GE(at, 0);
    const QByteArray upload = path.mid(at + 8, path.indexOf('&', at + 1) - at - 8);
    EXPECT_GT(upload.toDouble(), 0) << path.constData();
    EXPECT_TRUE(path.contains("&mcc=" + home.left(3).toUtf8())) << path.constData();

    // The user's disconnect is stored as the reason.
    pressConnectButton(QStringLiteral("Disconnect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs));
    EXPECT_EQ(storedSettings().value(QStringLiteral("Internet")).toMap().value(QStringLiteral("DisconnectReason")).toInt(), 0);
}

TEST_F(DashboardDiagnosticsTest, SignalReportsRefreshTheOpenSheetWhenAsked)
{
    setSettings({{QStringLiteral("Main/UpdateDiagWindow"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    openSheet();
    init()->diagWindow()->setText(QStringLiteral("tfdDiagRSSI_"), QString());
    // The modem's next radio report reaches the open sheet without a refresh.
    EXPECT_TRUE(QTest::qWaitFor([this] { return diag("tfdDiagRSSI_").endsWith(QLatin1String(" dBm")); }, kWaitMs))
        << diag("tfdDiagRSSI_").toStdString();
}
